#include "app/UWindowParts.h"

#include "app/UButtonLook.h"
#include "app/UComon.h"
#include "controls/buttons/LbButton.h"

#include <QFont>
#include <QMouseEvent>
#include <QPalette>

namespace {

void setBackground(QWidget* w, const QColor& color)
{
    QPalette p = w->palette();
    p.setColor(QPalette::Window, color);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

} // namespace

QFont Window_Font(int pointSize, bool bold)
{
    QFont font(QStringLiteral("Verdana"), pointSize);
    font.setBold(bold);
    return font;
}

void Set_Grey(QLabel* label)
{
    QPalette grey = label->palette();
    grey.setColor(QPalette::WindowText, QColor(0x80, 0x80, 0x80));
    label->setPalette(grey);
}

TTitlePanel Make_Title_Panel(QWidget* parent, int width)
{
    TTitlePanel t;
    t.P_Title = new QWidget(parent);
    t.P_Title->setObjectName(QStringLiteral("P_Title"));
    t.P_Title->setGeometry(0, 0, width, 69);
    setBackground(t.P_Title, Qt::white);

    t.L_SW_Code = new fw::TLabel(t.P_Title);
    t.L_SW_Code->setObjectName(QStringLiteral("L_SW_Code"));
    t.L_SW_Code->setFont(Window_Font(16, true));
    Set_Grey(t.L_SW_Code);
    t.L_SW_Code->setGeometry(8, 6, width - 16, 28);

    t.L_SW_Desc = new fw::TLabel(t.P_Title);
    t.L_SW_Desc->setObjectName(QStringLiteral("L_SW_Desc"));
    t.L_SW_Desc->setFont(Window_Font(10, true));
    t.L_SW_Desc->setGeometry(8, 40, width - 16, 20);
    return t;
}

TTitlePanel Begin_Window(fw::TForm* window, int width)
{
    window->SetColor(Window_Color);
    window->setFont(Window_Font());
    return Make_Title_Panel(window, width);
}

void Place_Window(fw::TForm* window, QLabel* swCode, int width, int height, fw::TFormBorderStyle border)
{
    swCode->setText(SW_Code);
    window->SetBorderStyle(border);
    window->SetPosition(fw::TPosition::poScreenCenter);
    window->SetClientSize(width, height);
}

TButtonPanel Make_Button_Panel(QWidget* parent, int top, int width)
{
    TButtonPanel b;
    b.P_Button = new QWidget(parent);
    b.P_Button->setObjectName(QStringLiteral("P_Button"));
    b.P_Button->setGeometry(0, top, width, 40);

    b.Btn_OK = New_Button(b.P_Button, "Btn_OK", QRect(16, 6, 110, 28), TButtonGlyph::Ok);
    b.Btn_Cancel = New_Button(b.P_Button, "Btn_Cancel", QRect(134, 6, 110, 28), TButtonGlyph::Cancel);
    b.Btn_Cancel->SetModalResult(fw::mrCancel);
    return b;
}

TClickLabel::TClickLabel(QWidget* parent) : fw::TLabel(parent)
{
    setCursor(Qt::PointingHandCursor);
}

void TClickLabel::Click()
{
    if (OnClick)
        OnClick();
}

void TClickLabel::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        Click();
    QLabel::mouseReleaseEvent(event);
}

TLinkLabel::TLinkLabel(QWidget* parent) : QLabel(parent)
{
    setTextFormat(Qt::RichText);
    setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    setOpenExternalLinks(false);
    connect(this, &QLabel::linkActivated, this, [this](const QString& link) {
        if (OnLinkClick)
            OnLinkClick(link);
    });
}
