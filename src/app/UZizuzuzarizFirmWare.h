#pragma once
// The main window: the list of steps from which the user creates or opens a
// configuration and opens the editing windows. Its creation prepares what
// every other window relies on: the program folders, the settings, the text
// table and the open project.
#include "framework/Dialogs.h"
#include "framework/Forms.h"
#include "framework/Xml.h"

#include <QString>

#include <memory>

class QFrame;
class QLabel;
class TClickLabel;
class TFitLabel;
class TLbButton;
class TLinkLabel;

namespace fw {
class TTimer;
}

class TFZizuzuzarizFirmWare : public fw::TForm {
    Q_OBJECT
public:
    // programFolder: the folder of the program file; the program's folders,
    // settings and projects live beside it.
    explicit TFZizuzuzarizFirmWare(const QString& programFolder, QWidget* owner = nullptr);
    ~TFZizuzuzarizFirmWare() override;

    // The click handler of every button of the window.
    void Btn_Click(TLbButton* sender);
    void Set_Lang();
    void Set_Files();
    void Create_New_Project();
    void Open_Project();
    // Step 3 is disabled while the project's ParGen.xml selects DMX input.
    void Check_Enable_DMX_Def_Val();
    void Build_EDS_File();
    void PROFINET_XML();
    // Writes the settings file; a failure is shown in the error box.
    void Save_Setting();
    // The periodic version check.
    void Timer_UpdateTimer();
    void LL_UpdateLinkClick(const QString& link);
    void L_OrlaqiClick();
    void Update_Device();
    // Every translated window assigns its texts again from the text table.
    void Change_Language();

    QLabel* L_SW_Code = nullptr;
    QLabel* L_SW_Desc = nullptr;
    TFitLabel* L_Begin = nullptr;
    TFitLabel* L_Step[8] = {};   // L_Step_1 .. L_Step_8
    QLabel* L_Name_Conf = nullptr;
    QLabel* L_Name_Conf_L2 = nullptr;
    TClickLabel* L_Orlaqi = nullptr;
    TLinkLabel* LL_Update = nullptr;
    QFrame* Shape1 = nullptr;
    QFrame* Shape2 = nullptr;

    TLbButton* Btn_Info = nullptr;
    TLbButton* Btn_Opz = nullptr;
    TLbButton* Btn_Close = nullptr;
    TLbButton* Btn_New = nullptr;
    TLbButton* Btn_Open = nullptr;
    TLbButton* Btn_Prm_Gen = nullptr;
    TLbButton* Btn_DMX_Default = nullptr;
    TLbButton* Btn_CreateBin = nullptr;
    TLbButton* Btn_DALI_Access = nullptr;
    TLbButton* Btn_PROFINET_XML = nullptr;
    TLbButton* Btn_ModM_SetAccess = nullptr;
    TLbButton* Btn_Set_BACnet_Access = nullptr;
    TLbButton* Btn_SNMP_Trap = nullptr;
    TLbButton* Btn_SNMP_MIB = nullptr;
    TLbButton* Btn_J1939_Rec_Frame = nullptr;
    TLbButton* Btn_J1939_Send_Frame = nullptr;
    TLbButton* Btn_PDO_CANopen = nullptr;
    TLbButton* Btn_SDO_Client_CANopen = nullptr;
    TLbButton* Btn_SDO_Server_CANopen = nullptr;
    TLbButton* Btn_CANopen_EDS = nullptr;

    fw::TTimer* Timer_Update = nullptr;
    // Scratch document borrowed by the readers and writers of the windows.
    fw::TXmlDocument XML1;
    fw::TSaveDialog SaveMIB;
    fw::TSaveDialog SaveEDS;

protected:
    void FormCreate() override;
    void FormShow() override;
    void FormClose(fw::TCloseAction& action) override;

private:
    void Build_Controls();
    // Fits "Begin" and the step labels into the room left of the step
    // buttons after their texts changed (TFitLabel::Fit).
    void Fit_Step_Labels();
    void Show_Configuration_Lines();
    QString m_programFolder;
};

extern TFZizuzuzarizFirmWare* FZizuzuzarizFirmWare;
