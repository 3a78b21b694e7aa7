#pragma once
// "Open Configuration": lists the project folders in PROJECTS and lets the
// user choose one; the main window opens it after OK.
#include "framework/Forms.h"

#include <QString>
#include <QStringList>

class QLabel;
class QListWidget;
class TLbButton;

class TFOpenConf : public fw::TForm {
    Q_OBJECT
public:
    explicit TFOpenConf(QWidget* owner = nullptr);

    void Set_Lang();
    // SL := the project folders in PROJECTS, in the order the file system
    // lists them; hidden folders and links are left out.
    void Load_Existing_Configuration();
    // Index of the entry of SL equal to name; when there is none, of the
    // first entry equal to it when a-z are compared as capitals; -1 when
    // neither exists.
    int Search_Open_Conf(const QString& name) const;
    void ListBox1Click();

    QStringList SL;
    // The chosen project; read by the main window after OK. Empty when the
    // list was empty at the last showing.
    QString Name_Conf;

    QLabel* L_SW_Code = nullptr;
    QLabel* L_SW_Desc = nullptr;
    QLabel* Label1 = nullptr;
    QListWidget* ListBox1 = nullptr;
    TLbButton* Btn_OK = nullptr;
    TLbButton* Btn_Cancel = nullptr;

protected:
    void FormCreate() override;
    void FormShow() override;
};

extern TFOpenConf* FOpenConf;
