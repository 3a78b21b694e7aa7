#pragma once
// "DMX Default Value": the default value and mnemonic of every DMX channel.
// The window frame, texts and buttons are here; its table (and with it the
// reading, checking and writing of DMX_Default_Values.xml) comes with the
// column grid.
#include "framework/Forms.h"

class QFrame;
class QLabel;
class TLbButton;

class TFDMXDefVal : public fw::TForm {
    Q_OBJECT
public:
    explicit TFDMXDefVal(QWidget* owner = nullptr);

    void Set_Lang();

    QLabel* L_SW_Code = nullptr;
    QLabel* L_SW_Desc = nullptr;
    TLbButton* Btn_OK = nullptr;
    TLbButton* Btn_Cancel = nullptr;
    // Placeholder of the grid ACG_DMX_Def_Val: only its header row for now.
    QFrame* ACG_DMX_Def_Val = nullptr;
    QLabel* Header[3] = {};

protected:
    void FormCreate() override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void Btn_OKClick();
    void Place_Controls();
};

extern TFDMXDefVal* FDMXDefVal;
