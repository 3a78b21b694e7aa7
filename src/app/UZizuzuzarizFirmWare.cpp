#include "app/UZizuzuzarizFirmWare.h"

#include "app/UAbout.h"
#include "app/UBoot.h"
#include "app/services/UComon.h"
#include "app/UDMXDefVal.h"
#include "app/services/ULanguage.h"
#include "app/UNew_Project.h"
#include "app/UOpenConf.h"
#include "app/UParGen.h"
#include "app/USettings.h"
#include "app/USoftOptions.h"
#include "app/services/UWindowParts.h"
#include "app/UpdateDevice.h"
#include "app/VersionCheck.h"
#include "controls/buttons/LbButton.h"
#include "editors/automation/UBACnetAccess.h"
#include "editors/automation/UDALI_Access.h"
#include "editors/automation/UModbus_TCP_Master_Set_Access.h"
#include "editors/automation/UProfinetFileName.h"
#include "editors/automation/UProfinetXML.h"
#include "editors/automation/USetAccess.h"
#include "editors/can/UEds.h"
#include "editors/can/UReceiveCAN.h"
#include "editors/can/USNMP_MIB.h"
#include "editors/can/USNMP_Trap_Access.h"
#include "editors/can/USet_PDO_Access.h"
#include "editors/can/USet_SDO_Client_Access.h"
#include "editors/can/USet_SDO_Server_Access.h"
#include "editors/can/UTransmitCAN.h"
#include "framework/SysUtils.h"
#include "framework/Timer.h"

#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>

#include <exception>

TFZizuzuzarizFirmWare* FZizuzuzarizFirmWare = nullptr;

namespace {

constexpr int kClientWidth = 694;
constexpr int kFirstCheckMs = 60000;
constexpr int kCheckEveryMs = 7200000;

void reportError(const QString& message)
{
    fw::Application.HandleException(std::make_exception_ptr(fw::Exception(message)));
}

// Shows a window modally when it exists; its result, or mrCancel.
fw::TModalResult showModal(fw::TForm* form)
{
    return form ? form->ShowModal() : fw::mrCancel;
}

} // namespace

TFZizuzuzarizFirmWare::TFZizuzuzarizFirmWare(const QString& programFolder, QWidget* owner)
    : fw::TForm(owner), m_programFolder(programFolder)
{
    setObjectName(QStringLiteral("FZizuzuzarizFirmWare"));
    SetColor(Window_Color);
    setFont(Window_Font());
    Build_Controls();

    Timer_Update = new fw::TTimer(this);
    Timer_Update->SetEnabled(false);
    Timer_Update->SetInterval(kFirstCheckMs);
    Timer_Update->SetOnTimer([this] { Timer_UpdateTimer(); });

    SaveMIB.DefaultExt = QStringLiteral("*.mib");
    SaveMIB.Filter = QStringLiteral("Management Information Base (*.mib)|*.mib");
    SaveEDS.DefaultExt = QStringLiteral("*.eds");
    SaveEDS.Filter = QStringLiteral("Electronic Data Sheet (*.eds)|*.eds");
}

TFZizuzuzarizFirmWare::~TFZizuzuzarizFirmWare()
{
    delete Timer_Update;
}

void TFZizuzuzarizFirmWare::FormCreate()
{
    Lang_Texts.clear();

    SetBorderStyle(fw::TFormBorderStyle::bsSingle);
    SetPosition(fw::TPosition::poScreenCenter);
    SetClientSize(kClientWidth, Btn_CreateBin->y() + 152);

    Set_Program_Paths(m_programFolder);
    // One level each; a folder that cannot be made shows up where it is used.
    for (const QString& folder : {Path_Master, Path_Projects, Path_Language})
        if (!QFileInfo(folder).isDir())
            QDir().mkdir(folder);

    Name_Project.clear();
    Read_Settings();

    Timer_Update->SetEnabled(Opt_Enable_Internet && Opt_Enable_Update);

    Main_Caption = Main_Caption_Init;
    SW_Code = SW_Code_Init;
    SW_Description = SW_Description_Init;
    SetCaption(Main_Caption);
    L_SW_Code->setText(SW_Code);
    L_SW_Desc->setText(SW_Description);

    QString error;
    const bool languageRead = Load_Language(&error);

    Reopen_Last_Project();
    Set_Lang();
    Set_Files();
    Update_Read_Back = true;
    Row_Clipboard.clear();
    Row_Clipboard_Is_Check.clear();
    SNMP_Read_Names.clear();
    SNMP_Write_Names.clear();

    if (!languageRead)
        reportError(error);
}

void TFZizuzuzarizFirmWare::FormShow()
{
    Check_Enable_DMX_Def_Val();
}

void TFZizuzuzarizFirmWare::FormClose(fw::TCloseAction& action)
{
    // The program ends even when the settings cannot be written; the error
    // box has told the user.
    Save_Setting();
}

void TFZizuzuzarizFirmWare::Set_Lang()
{
    L_Begin->setText(Lang_Text(0));
    for (int i = 0; i < 8; ++i)
        L_Step[i]->setText(Lang_Text(1 + i));
    Fit_Step_Labels();
    Btn_Info->SetHint(Lang_Text(12));
    Btn_Opz->SetHint(Lang_Text(13));
    Btn_Close->SetHint(Lang_Text(14));
    Btn_New->SetCaption(Lang_Text(15));
    Btn_Open->SetCaption(Lang_Text(16));
    Btn_CreateBin->SetCaption(Lang_Text(17));
    Btn_Prm_Gen->SetCaption(Lang_Text(20));
    Btn_DALI_Access->SetCaption(Lang_Text(21));
    Show_Configuration_Lines();
    Btn_New->SetHint(Lang_Text(22));
    Btn_Open->SetHint(Lang_Text(23));
    Btn_Prm_Gen->SetHint(Lang_Text(24));
    Btn_DALI_Access->SetHint(Lang_Text(25));
    Btn_CreateBin->SetHint(Lang_Text(26));
    Btn_PROFINET_XML->SetCaption(Lang_Text(27));
    Btn_PROFINET_XML->SetHint(Lang_Text(28));
    Btn_ModM_SetAccess->SetCaption(Lang_Text(29));
    Btn_ModM_SetAccess->SetHint(Lang_Text(30));
    Btn_DMX_Default->SetCaption(Lang_Text(31));
    Btn_DMX_Default->SetHint(Lang_Text(32));
    Btn_J1939_Rec_Frame->SetCaption(Lang_Text(33));
    Btn_J1939_Rec_Frame->SetHint(Lang_Text(34));
    Btn_J1939_Send_Frame->SetCaption(Lang_Text(35));
    Btn_J1939_Send_Frame->SetHint(Lang_Text(36));
}

void TFZizuzuzarizFirmWare::Show_Configuration_Lines()
{
    if (!Path_Project.isEmpty()) {
        L_Name_Conf->setText(Lang_Text(11));
        L_Name_Conf_L2->setText(Name_Project);
    } else {
        L_Name_Conf->setText(Lang_Text(9));
        L_Name_Conf_L2->setText(Lang_Text(10));
    }
}

void TFZizuzuzarizFirmWare::Set_Files()
{
    Set_Project_Files();
}

void TFZizuzuzarizFirmWare::Btn_Click(TLbButton* sender)
{
    if (sender == Btn_New)
        return Create_New_Project();
    if (sender == Btn_Open)
        return Open_Project();
    if (sender == Btn_Close) {
        Close();
        return;
    }
    if (sender == Btn_Info) {
        showModal(FAbout);
        return;
    }
    if (sender == Btn_Opz) {
        if (showModal(FSoftOptions) == fw::mrOk) {
            Save_Setting();
            Timer_Update->SetEnabled(Opt_Enable_Internet && Opt_Enable_Update);
        }
        return;
    }
    if (Path_Project.isEmpty()) {
        fw::MessageDlg(Lang_Text(18), fw::mtError, fw::mbOK);
        return;
    }
    if (sender == Btn_Prm_Gen) {
        showModal(FParGen);
        Check_Enable_DMX_Def_Val();
    } else if (sender == Btn_DALI_Access) {
        showModal(FDALI_Access);
    } else if (sender == Btn_ModM_SetAccess) {
        showModal(FModbus_TCP_Master_Set_Access);
    } else if (sender == Btn_DMX_Default) {
        showModal(FDMXDefVal);
    } else if (sender == Btn_Set_BACnet_Access) {
        showModal(FBACnetAccess);
    } else if (sender == Btn_SNMP_Trap) {
        showModal(FSNMP_Trap_Access);
    } else if (sender == Btn_SNMP_MIB) {
        Build_MIB_File(SaveMIB);
    } else if (sender == Btn_J1939_Rec_Frame) {
        showModal(FReceiveCAN);
    } else if (sender == Btn_J1939_Send_Frame) {
        showModal(FTransmitCAN);
    } else if (sender == Btn_PDO_CANopen) {
        showModal(FSet_PDO_Access);
    } else if (sender == Btn_SDO_Client_CANopen) {
        showModal(FSet_SDO_Client_Access);
    } else if (sender == Btn_SDO_Server_CANopen) {
        showModal(FSet_SDO_Server_Access);
    } else if (sender == Btn_CANopen_EDS) {
        Build_EDS_File();
    } else if (sender == Btn_PROFINET_XML) {
        PROFINET_XML();
    } else if (sender == Btn_CreateBin) {
        Update_Device();
    }
}

void TFZizuzuzarizFirmWare::Create_New_Project()
{
    if (showModal(FNew_Project) != fw::mrOk)
        return;
    Show_Configuration_Lines();
}

void TFZizuzuzarizFirmWare::Open_Project()
{
    if (showModal(FOpenConf) != fw::mrOk)
        return;
    Name_Project = FOpenConf->Name_Conf;
    if (!Name_Project.isEmpty())
        Path_Project = Path_Projects + QLatin1Char('/') + Name_Project;
    else
        Path_Project.clear();
    Show_Configuration_Lines();
    Set_Files();
}

void TFZizuzuzarizFirmWare::Check_Enable_DMX_Def_Val()
{
    Btn_DMX_Default->setEnabled(true);
    if (!QFileInfo(File_ParGen).isFile())
        return;
    if (!XML1.LoadFromFile(File_ParGen)) {
        reportError(XML1.LastError());
        return;
    }
    // The root element, as every other reader of the file takes it, so a
    // declaration before it cannot leave this step enabled for a DMX IN project.
    const fw::TXmlNode mode = XML1.DocumentElement().FindNode(QStringLiteral("DMX_DMX"));
    if (!mode.IsNull() && mode.Text() == QLatin1String("0"))
        Btn_DMX_Default->setEnabled(false);
}

void TFZizuzuzarizFirmWare::Build_EDS_File()
{
    SaveEDS.InitialDir = Path_Project;
    if (SaveEDS.Execute())
        Write_EDS_File(SaveEDS.FileName);
}

void TFZizuzuzarizFirmWare::PROFINET_XML()
{
    if (showModal(FProfinetFileName) == fw::mrOk)
        Create_GSDML_File(FProfinetFileName->Name_File_XML);
}

void TFZizuzuzarizFirmWare::Save_Setting()
{
    QString error;
    if (!::Save_Setting(XML1, &error))
        reportError(error);
}

void TFZizuzuzarizFirmWare::Timer_UpdateTimer()
{
    Timer_Update->SetEnabled(false);
    if (::Check_Version()) {
        LL_Update->setText(Download_Anchor(Lang_Text(19)));
        LL_Update->show();
    } else {
        LL_Update->hide();
    }
    Timer_Update->SetInterval(kCheckEveryMs);
    Timer_Update->SetEnabled(true);
}

void TFZizuzuzarizFirmWare::LL_UpdateLinkClick(const QString& link)
{
    fw::OpenUrl(link);
}

void TFZizuzuzarizFirmWare::L_OrlaqiClick()
{
    fw::OpenUrl(Home_Page_URL());
}

void TFZizuzuzarizFirmWare::Update_Device()
{
    ::Update_Device();
}

void TFZizuzuzarizFirmWare::Change_Language()
{
    // The BACnet access and EDE import windows keep the texts they took at
    // start-up until the next start.
    Set_Lang();
    if (FNew_Project) FNew_Project->Set_Lang();
    if (FOpenConf) FOpenConf->Set_Lang();
    if (FSoftOptions) FSoftOptions->Set_Lang();
    if (FBoot) FBoot->Set_Lang();
    if (FParGen) FParGen->Set_Lang();
    if (FDALI_Access) FDALI_Access->Set_Lang();
    if (FProfinetFileName) FProfinetFileName->Set_Lang();
    if (FModbus_TCP_Master_Set_Access) FModbus_TCP_Master_Set_Access->Set_Lang();
    if (FDMXDefVal) FDMXDefVal->Set_Lang();
    if (FSNMP_Trap_Access) FSNMP_Trap_Access->Set_Lang();
    if (FSetAccess) FSetAccess->Set_Lang();
    if (FReceiveCAN) FReceiveCAN->Set_Lang();
    if (FTransmitCAN) FTransmitCAN->Set_Lang();
    if (FSet_PDO_Access) FSet_PDO_Access->Set_Lang();
    if (FSet_SDO_Client_Access) FSet_SDO_Client_Access->Set_Lang();
    if (FSet_SDO_Server_Access) FSet_SDO_Server_Access->Set_Lang();
}
