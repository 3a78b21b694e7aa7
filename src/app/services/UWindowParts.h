#pragma once
// Pieces that most windows of the program share: the white title panel with
// the software code and the window's description, the button panel with OK
// and Cancel, and labels that act as links or clickable pictures.
#include "framework/Forms.h"

#include <QLabel>
#include <QString>
#include <QWidget>

#include <functional>

class TLbButton;

// Background of the program's windows ($00EDF7F8).
constexpr unsigned Window_Color = 0x00EDF7F8;

struct TTitlePanel {
    QWidget* P_Title = nullptr;
    QLabel* L_SW_Code = nullptr;
    QLabel* L_SW_Desc = nullptr;
};

struct TButtonPanel {
    QWidget* P_Button = nullptr;
    TLbButton* Btn_OK = nullptr;
    TLbButton* Btn_Cancel = nullptr;
};

// Title panel (height 69) placed at the top of parent, spanning width.
TTitlePanel Make_Title_Panel(QWidget* parent, int width);
// Gives a program window its colour and font (Verdana 8 point, or the face
// named), then the title panel across width.
TTitlePanel Begin_Window(fw::TForm* window, int width, const QString& fontName = QStringLiteral("Verdana"));
// A program window of client size width x height, centred on the screen,
// with the software code in its title panel.
void Place_Window(fw::TForm* window, QLabel* swCode, int width, int height,
                  fw::TFormBorderStyle border = fw::TFormBorderStyle::bsSingle);
// Button panel (height 40) with OK at (16, 6) and Cancel at (134, 6), both
// 110 x 28, placed at top in parent, spanning width.
TButtonPanel Make_Button_Panel(QWidget* parent, int top, int width);

// The window font: Verdana 8 point, in the face that stands in for it
// (fw::MapFontFamily). Sizes are taken at 96 dpi, as the layouts are.
QFont Window_Font(int pointSize = 8, bool bold = false);
// The same in another face the windows name ("Tahoma").
QFont Window_Font(const QString& name, int pointSize, bool bold = false);


// Gives a label the grey text of the software code and the descriptions.
void Set_Grey(QLabel* label);

// A label that shows its whole text inside the room it may take (Fit): on
// one line when it fits, else wrapped at blanks onto the lines the room
// holds, else the same in a smaller size of its font (down to 6 point), else
// drawn cut with an ellipsis, its text staying whole and shown as its hint.
class TFitLabel : public fw::TLabel {
    Q_OBJECT
public:
    explicit TFitLabel(QWidget* parent = nullptr);
    // Call it after each new text: every fit starts again from the font and
    // place the label had at the first one, so a shorter text gets them back.
    void Fit(const QRect& room);
    // The text is drawn cut (nothing else made it fit).
    bool Cut() const { return m_cut; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool m_placed = false;
    QFont m_font;
    QRect m_place;
    bool m_cut = false;
};

// A label that reports mouse clicks, used for web addresses and flag pictures.
class TClickLabel : public fw::TLabel {
    Q_OBJECT
public:
    explicit TClickLabel(QWidget* parent = nullptr);
    std::function<void()> OnClick;
    // Same effect as a click of the left mouse button.
    void Click();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

// A label showing an HTML anchor as its caption; a click on the anchor
// reaches OnLinkClick with the anchor's target. Its caption is markup the
// program composes (Download_Anchor): a text from elsewhere goes into it
// escaped.
class TLinkLabel : public QLabel {
    Q_OBJECT
public:
    explicit TLinkLabel(QWidget* parent = nullptr);
    std::function<void(const QString& link)> OnLinkClick;
};
