#pragma once
// The dialog that asks for the name of the PROFINET device description file:
// a fixed first part and a part the user types.
#include "framework/Forms.h"

#include <QString>

class QLabel;
class QLineEdit;
class TLbButton;

class TFProfinetFileName : public fw::TForm {
    Q_OBJECT
public:
    explicit TFProfinetFileName(QWidget* owner = nullptr);

    void Set_Lang();

    // The file name entered; valid after the dialog returned OK.
    QString Name_File_XML;

    QLabel* L_SW_Code = nullptr;
    QLabel* L_SW_Desc = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* L_Fixed_Part = nullptr;
    QLabel* L_User_Part = nullptr;
    QLineEdit* E_Fixed_Part = nullptr;
    QLineEdit* E_User_Part = nullptr;
    TLbButton* Btn_OK = nullptr;
    TLbButton* Btn_Cancel = nullptr;

protected:
    void FormCreate() override;
    void FormShow() override;

private:
    void Btn_OKClick();
};

extern TFProfinetFileName* FProfinetFileName;
