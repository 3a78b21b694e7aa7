#pragma once
// The about box: the software's name, code, version and document code, and
// the maker's web address. Its texts are fixed, not translated.
#include "framework/Forms.h"

class QLabel;
class TClickLabel;
class TLbButton;

class TFAbout : public fw::TForm {
    Q_OBJECT
public:
    explicit TFAbout(QWidget* owner = nullptr);

    // Opens the maker's home page (also a click on the logo).
    void Label4Click();

    TClickLabel* Image2 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    TClickLabel* Label4 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* Label9 = nullptr;
    QLabel* Label10 = nullptr;
    QLabel* Label12 = nullptr;
    TLbButton* LbButton1 = nullptr;

protected:
    void FormCreate() override;
    void FormShow() override;
};

extern TFAbout* FAbout;
