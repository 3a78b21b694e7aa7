#include "app/services/UEditorWindow.h"

#include "app/services/UButtonLook.h"
#include "app/services/UComon.h"
#include "app/services/ULanguage.h"
#include "app/services/UWindowParts.h"
#include "controls/buttons/LbButton.h"

#include <QFrame>
#include <QLabel>
#include <QResizeEvent>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// The row buttons show the same picture in every table window.
TButtonGlyph rowButtonGlyph(const char* name)
{
    static const struct {
        const char* name;
        TButtonGlyph glyph;
    } glyphs[] = {
        {"Btn_Delete_Row", TButtonGlyph::Delete_Row}, {"Btn_Insert_Row", TButtonGlyph::Insert_Row},
        {"Btn_Copy_Row", TButtonGlyph::Copy_Row},     {"Btn_Paste_Row", TButtonGlyph::Paste_Row},
        {"Btn_Select_All", TButtonGlyph::Select_All}, {"Btn_Clear_All", TButtonGlyph::Clear_All},
        {"Btn_Unselect_All", TButtonGlyph::Clear_All}, {"Btn_DALI_Maps", TButtonGlyph::Lamp_Map},
        {"Btn_Import_CSV", TButtonGlyph::Import_File},
    };
    for (const auto& g : glyphs)
        if (qstrcmp(g.name, name) == 0)
            return g.glyph;
    return TButtonGlyph::Table_Access;
}

// The place of a table: a sunken frame the table's grid fills.
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
    const TTitlePanel title = Begin_Window(this, w, texts.Font_Name);
    L_SW_Code = title.L_SW_Code;
    L_SW_Desc = title.L_SW_Desc;
    if (texts.Grey_Description)
        Set_Grey(L_SW_Desc);
    m_title = title.P_Title;
    const TButtonPanel buttons = Make_Button_Panel(this, h - 40, w);
    m_buttonPanel = buttons.P_Button;
    Btn_OK = buttons.Btn_OK;
    Btn_Cancel = buttons.Btn_Cancel;
    Btn_OK->OnClick = [this](TLbButton*) { Btn_OKClick(); };

    int left = 134 + 110 + 24;
    for (const TEditorButtonText& b : texts.Buttons) {
        m_buttons.push_back(New_Button(buttons.P_Button, b.Name, QRect(left, 6, 110, 28), rowButtonGlyph(b.Name)));
        left += 118;
    }

    const QRect middle(0, 69, w, h - 69 - 40);
    if (texts.Pages.empty()) {
        auto* body = new QWidget(this);
        body->setObjectName(QStringLiteral("P_Body"));
        body->setGeometry(middle);
        m_areas.push_back(makeTableArea(body, QRect(8, 8, middle.width() - 16, middle.height() - 16)));
        m_middle = body;
    } else {
        PC_Pages = new QTabWidget(this);
        PC_Pages->setObjectName(QStringLiteral("PC_Pages"));
        PC_Pages->setGeometry(middle.adjusted(4, 4, -4, -4));
        for (std::size_t i = 0; i < texts.Pages.size(); ++i) {
            auto* page = new QWidget;
            page->setObjectName(QStringLiteral("TS_Page_%1").arg(i + 1));
            const QSize area = PC_Pages->size() - QSize(8, 32);
            m_areas.push_back(makeTableArea(page, QRect(4, 4, area.width() - 8, area.height() - 8)));
            PC_Pages->addTab(page, QString());
        }
        m_middle = PC_Pages;
    }
    if (texts.Sizeable) {
        // The table frames follow their page (or the body) as the window grows.
        for (QFrame* area : m_areas) {
            auto* layout = new QVBoxLayout(area->parentWidget());
            const int margin = texts.Pages.empty() ? 8 : 4;
            layout->setContentsMargins(margin, margin, margin, margin);
            layout->addWidget(area);
        }
    }
}

void TEditorWindow::resizeEvent(QResizeEvent* event)
{
    fw::TForm::resizeEvent(event);
    if (!m_texts.Sizeable)
        return;
    // The title and button panels are docked at the top and the bottom; the tables fill the rest.
    const int w = width();
    const int h = height();
    m_title->setGeometry(0, 0, w, m_title->height());
    L_SW_Code->setGeometry(L_SW_Code->x(), L_SW_Code->y(), std::max(0, w - 16), L_SW_Code->height());
    L_SW_Desc->setGeometry(L_SW_Desc->x(), L_SW_Desc->y(), std::max(0, w - 16), L_SW_Desc->height());
    m_buttonPanel->setGeometry(0, h - m_buttonPanel->height(), w, m_buttonPanel->height());
    const int top = m_title->height();
    const QRect middle(0, top, w, std::max(0, h - top - m_buttonPanel->height()));
    m_middle->setGeometry(PC_Pages ? middle.adjusted(4, 4, -4, -4) : middle);
}

void TEditorWindow::FormCreate()
{
    Place_Window(this, L_SW_Code, m_texts.Client_Width, m_texts.Client_Height,
                 m_texts.Sizeable ? fw::TFormBorderStyle::bsSizeable : fw::TFormBorderStyle::bsSingle);
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
        if (m_texts.Buttons[i].Caption >= 0)
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

TLbButton* TEditorWindow::Button(const char* name) const
{
    for (std::size_t i = 0; i < m_buttons.size(); ++i)
        if (qstrcmp(m_texts.Buttons[i].Name, name) == 0)
            return m_buttons[i];
    return nullptr;
}
