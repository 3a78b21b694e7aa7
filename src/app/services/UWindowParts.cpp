#include "app/services/UWindowParts.h"

#include "app/services/UButtonLook.h"
#include "app/services/UComon.h"
#include "controls/buttons/LbButton.h"
#include "framework/Graphics.h"

#include <QFont>
#include <QFontInfo>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QPalette>

#include <algorithm>

namespace {

void setBackground(QWidget* w, const QColor& color)
{
    QPalette p = w->palette();
    p.setColor(QPalette::Window, color);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

// A point size as the desktop draws it on a 96 dpi screen.
int pointsToPixels(int points)
{
    return (points * fw::ScreenPixelsPerInch + 36) / 72;
}

} // namespace

QFont Window_Font(int pointSize, bool bold)
{
    return Window_Font(QStringLiteral("Verdana"), pointSize, bold);
}

QFont Window_Font(const QString& name, int pointSize, bool bold)
{
    QFont font(fw::MapFontFamily(name));
    font.setPixelSize(pointsToPixels(pointSize));
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

TTitlePanel Begin_Window(fw::TForm* window, int width, const QString& fontName)
{
    window->SetColor(Window_Color);
    window->setFont(Window_Font(fontName, 8));
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

TFitLabel::TFitLabel(QWidget* parent) : fw::TLabel(parent) {}

void TFitLabel::Fit(const QRect& room)
{
    if (!m_placed) {
        m_placed = true;
        m_font = font();
        m_place = geometry();
    }
    const QString shown = text();
    m_cut = false;
    setToolTip(QString());

    const int width = room.width();
    // Lines are centred where the designed line was, inside room.
    auto put = [&](const QFont& f, bool wrap, int height) {
        setFont(f);
        setWordWrap(wrap);
        if (!wrap && height <= m_place.height()) {
            setGeometry(room.left(), m_place.top(), width, m_place.height());
            return;
        }
        int top = m_place.center().y() + 1 - height / 2;
        top = std::clamp(top, room.top(), std::max(room.top(), room.bottom() + 1 - height));
        setGeometry(room.left(), top, width, height);
    };
    const int designed = m_font.pixelSize() > 0 ? m_font.pixelSize() : QFontInfo(m_font).pixelSize();
    const int smallest = std::min(designed, pointsToPixels(6));
    for (int pixels = designed; pixels >= smallest; --pixels) {
        QFont f = m_font;
        f.setPixelSize(pixels);
        const QFontMetrics fm(f);
        if (fm.horizontalAdvance(shown) <= width) {
            put(f, false, std::max(m_place.height(), fm.height()));
            return;
        }
        const QRect lines = fm.boundingRect(QRect(0, 0, width, room.height() * 4), Qt::TextWordWrap, shown);
        if (shown.contains(QLatin1Char(' ')) && lines.width() <= width && lines.height() <= room.height()) {
            put(f, true, lines.height());
            return;
        }
    }
    // Nothing fits: one line of the smallest size, drawn cut.
    QFont f = m_font;
    f.setPixelSize(smallest);
    put(f, false, std::max(m_place.height(), QFontMetrics(f).height()));
    m_cut = true;
    setToolTip(shown);
}

void TFitLabel::paintEvent(QPaintEvent* event)
{
    if (!m_cut) {
        fw::TLabel::paintEvent(event);
        return;
    }
    QPainter p(this);
    p.setFont(font());
    p.setPen(palette().color(foregroundRole()));
    const QRect r = contentsRect();
    p.drawText(r, int(alignment()) | Qt::TextSingleLine,
               QFontMetrics(font()).elidedText(text(), Qt::ElideRight, r.width()));
}
