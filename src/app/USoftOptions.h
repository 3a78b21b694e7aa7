#pragma once
// "Software Options": the interface language chosen among the language files
// present, the internet options with the manual version check, and two table
// options. A language chosen here is applied to every window at once.
#include "framework/Forms.h"

#include <QString>
#include <QStringList>

class QCheckBox;
class QLabel;
class QTabWidget;
class QWidget;
class TClickLabel;
class TLbButton;
class TLinkLabel;

class TFSoftOptions : public fw::TForm {
    Q_OBJECT
public:
    static constexpr int Slots = 6;

    explicit TFSoftOptions(QWidget* owner = nullptr);

    void Set_Lang();
    // Builds SL_Languages from the writable *.lng files of the language
    // folder, sorted without regard to case, and shows page 1.
    void Create_Lang_List();
    void Update_Lang_Page(int page);
    void Update_CheckBox();
    // sender: Btn_Prev or Btn_Next.
    void Btn_NextClick(TLbButton* sender);
    // slot: 1 to 6 on the page shown.
    void LangClick(int slot);
    void Btn_OKClick();
    void Btn_Check_UpdateClick();
    // True when the maker's server names a newer version.
    bool Check_Version();

    QStringList SL_Languages;
    int Show_Page = 1;
    QString Language_In_Use;

    QLabel* L_SW_Code = nullptr;
    QLabel* L_SW_Desc = nullptr;
    TLbButton* Btn_OK = nullptr;
    TLbButton* Btn_Cancel = nullptr;
    QTabWidget* PC_Options = nullptr;
    QWidget* TS_Language = nullptr;
    QWidget* TS_Con_Options = nullptr;
    QWidget* TS_Soft_Settings = nullptr;
    QLabel* L_Sel_Lang = nullptr;
    QLabel* L_Page_Lang = nullptr;
    TClickLabel* I_L[Slots] = {};
    TClickLabel* L_L[Slots] = {};
    TLbButton* Btn_Prev = nullptr;
    TLbButton* Btn_Next = nullptr;
    QCheckBox* CB_En_Con = nullptr;
    QCheckBox* CB_Update = nullptr;
    TLbButton* Btn_Check_Update = nullptr;
    TLinkLabel* LL_Check_Update = nullptr;
    QCheckBox* CB_Soft_Set_Jump_Table = nullptr;
    QCheckBox* CB_DoubleClick_Auto_Size = nullptr;

protected:
    void FormCreate() override;
    void FormShow() override;

private:
    int Page_Count() const;
    void Show_Flag(int slot, const QString& language);
};

extern TFSoftOptions* FSoftOptions;
