#pragma once
// Common frame of the table editing windows: title panel, an optional row of
// pages, the area where the window's tables go, and the button panel with OK,
// Cancel and the row buttons. Every text comes from the text table by index
// and is assigned again by Set_Lang.
#include "framework/Forms.h"

#include <QString>
#include <QVector>

#include <vector>

class QFrame;
class QLabel;
class QTabWidget;
class TLbButton;

struct TEditorButtonText {
    const char* Name;   // object name, e.g. "Btn_Delete_Row"
    int Caption;        // -1: the window sets a caption that is not translated
    int Hint;           // -1: none
};

struct TEditorTexts {
    int Caption;        // window caption
    int Description;    // L_SW_Desc
    int OK;
    int Cancel;
    int OK_Hint = -1;
    int Cancel_Hint = -1;
    std::vector<TEditorButtonText> Buttons;   // row buttons beside Cancel
    std::vector<int> Pages;                   // page captions; none: one table area
    int Client_Width = 860;
    int Client_Height = 520;
    // The window can be resized and maximised; the tables take the room.
    bool Sizeable = false;
    // The window font, 8 point, in this face (the title keeps Verdana).
    QString Font_Name = QStringLiteral("Verdana");
    // The description under the software code in the code's grey.
    bool Grey_Description = false;
};

class TEditorWindow : public fw::TForm {
    Q_OBJECT
public:
    // Assigns every text of the window from the text table.
    virtual void Set_Lang();

    QLabel* L_SW_Code = nullptr;
    QLabel* L_SW_Desc = nullptr;
    TLbButton* Btn_OK = nullptr;
    TLbButton* Btn_Cancel = nullptr;
    // The pages (nullptr for a window without pages).
    QTabWidget* PC_Pages = nullptr;

protected:
    explicit TEditorWindow(const TEditorTexts& texts, QWidget* owner = nullptr);

    void FormCreate() override;
    // Closes with OK. The windows that validate and save override it.
    virtual void Btn_OKClick();

    // The frames the tables go in: one, or one per page.
    const std::vector<QFrame*>& Table_Areas() const { return m_areas; }
    // A row button by its object name; nullptr when the window has none.
    TLbButton* Button(const char* name) const;

    void resizeEvent(QResizeEvent* event) override;

private:
    TEditorTexts m_texts;
    QWidget* m_title = nullptr;
    QWidget* m_buttonPanel = nullptr;
    QWidget* m_middle = nullptr;   // the pages, or the one table's frame
    std::vector<TLbButton*> m_buttons;
    std::vector<QFrame*> m_areas;
};
