#pragma once
// "Create New Configuration": asks for a name and creates the project folder
// with its bin sub-folder inside PROJECTS.
#include "framework/Forms.h"

class QLabel;
class QLineEdit;
class TLbButton;

class TFNew_Project : public fw::TForm {
    Q_OBJECT
public:
    explicit TFNew_Project(QWidget* owner = nullptr);

    void Set_Lang();
    // Checks the typed name, creates the folders, opens the new project and
    // closes with OK; on a refused name shows why and stays open.
    void Btn_OKClick();

    QLabel* L_SW_Code = nullptr;
    QLabel* L_SW_Desc = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* E_New_Proj = nullptr;
    TLbButton* Btn_OK = nullptr;
    TLbButton* Btn_Cancel = nullptr;

protected:
    void FormCreate() override;
    void FormShow() override;
};

extern TFNew_Project* FNew_Project;
