#include "app/UEditorWindow.h"

#include "app/UComon.h"
#include "app/ULanguage.h"
#include "app/UWindowParts.h"
#include "controls/buttons/LbButton.h"

#include <QFrame>
#include <QLabel>
#include <QTabWidget>

namespace {

// Marks the place of a table that its own window builds later.
QFrame* makeTableArea(QWidget* parent, const QRect& geometry)
{
    auto* area = new QFrame(parent);
    area->setObjectName(QStringLiteral("Table_Area"));
    area->setFrameShape(QFrame::StyledPanel);
    area->setFrameShadow(QFrame::Sunken);
    area->setGeometry(geometry);
    return area;
}

} // namespace

TEditorWindow::TEditorWindow(const TEditorTexts& texts, QWidget* owner) : fw::TForm(owner), m_texts(texts)
{
    const int w = texts.Client_Width;
    const int h = texts.Client_Height;
    const TTitlePanel title = Begin_Window(this, w);
    L_SW_Code = title.L_SW_Code;
    L_SW_Desc = title.L_SW_Desc;
    const TButtonPanel buttons = Make_Button_Panel(this, h - 40, w);
    Btn_OK = buttons.Btn_OK;
    Btn_Cancel = buttons.Btn_Cancel;
    Btn_OK->OnClick = [this](TLbButton*) { Btn_OKClick(); };

    int left = 134 + 110 + 24;
    for (const TEditorButtonText& b : texts.Buttons) {
        auto* button = new TLbButton(buttons.P_Button);
        button->setObjectName(QLatin1String(b.Name));
        button->setGeometry(left, 6, 110, 28);
        left += 118;
        m_buttons.push_back(button);
    }

    const QRect middle(0, 69, w, h - 69 - 40);
    if (texts.Pages.empty()) {
        auto* body = new QWidget(this);
        body->setObjectName(QStringLiteral("P_Body"));
        body->setGeometry(middle);
        makeTableArea(body, QRect(8, 8, middle.width() - 16, middle.height() - 16));
    } else {
        PC_Pages = new QTabWidget(this);
        PC_Pages->setObjectName(QStringLiteral("PC_Pages"));
        PC_Pages->setGeometry(middle.adjusted(4, 4, -4, -4));
        for (std::size_t i = 0; i < texts.Pages.size(); ++i) {
            auto* page = new QWidget;
            page->setObjectName(QStringLiteral("TS_Page_%1").arg(i + 1));
            const QSize area = PC_Pages->size() - QSize(8, 32);
            makeTableArea(page, QRect(4, 4, area.width() - 8, area.height() - 8));
            PC_Pages->addTab(page, QString());
        }
    }
}

void TEditorWindow::FormCreate()
{
    Place_Window(this, L_SW_Code, m_texts.Client_Width, m_texts.Client_Height);
    Set_Lang();
}

void TEditorWindow::Set_Lang()
{
    SetCaption(Lang_Text(m_texts.Caption));
    L_SW_Desc->setText(Lang_Text(m_texts.Description));
    Btn_OK->SetCaption(Lang_Text(m_texts.OK));
    Btn_Cancel->SetCaption(Lang_Text(m_texts.Cancel));
    if (m_texts.OK_Hint >= 0)
        Btn_OK->SetHint(Lang_Text(m_texts.OK_Hint));
    if (m_texts.Cancel_Hint >= 0)
        Btn_Cancel->SetHint(Lang_Text(m_texts.Cancel_Hint));
    for (std::size_t i = 0; i < m_buttons.size(); ++i) {
        m_buttons[i]->SetCaption(Lang_Text(m_texts.Buttons[i].Caption));
        if (m_texts.Buttons[i].Hint >= 0)
            m_buttons[i]->SetHint(Lang_Text(m_texts.Buttons[i].Hint));
    }
    if (PC_Pages) {
        for (std::size_t i = 0; i < m_texts.Pages.size(); ++i)
            PC_Pages->setTabText(int(i), Lang_Text(m_texts.Pages[i]));
    }
}

void TEditorWindow::Btn_OKClick()
{
    SetModalResult(fw::mrOk);
}
