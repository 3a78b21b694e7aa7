#pragma once
// The dialog that asks for the name of the PROFINET device description file:
// a fixed first part, a part the user types and the date.
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

    // The file name composed on OK, with the date of that moment.
    QString Name_File_XML;

    QLabel* L_SW_Code = nullptr;
    QLabel* L_SW_Desc = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* L_XML_Fix1 = nullptr;   // the fixed prefix
    QLabel* L_XML_Fix2 = nullptr;   // "-", the date and ".xml"
    QLineEdit* E_XML_User = nullptr;
    TLbButton* Btn_OK = nullptr;
    TLbButton* Btn_Cancel = nullptr;

protected:
    void FormCreate() override;
    void FormShow() override;

private:
    void Btn_OKClick();
};

extern TFProfinetFileName* FProfinetFileName;
