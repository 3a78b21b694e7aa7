#include "app/UZizuzuzarizFirmWare.h"

#include "app/AppTestFixture.h"
#include "support/LoopbackHttpServer.h"
#include "app/services/UComon.h"
#include "app/UNew_Project.h"
#include "app/UOpenConf.h"
#include "app/USoftOptions.h"
#include "app/services/UWindowParts.h"
#include "controls/buttons/LbButton.h"
#include "framework/Timer.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

using testsupport::LoopbackHttpServer;
using apptest::withModal;

namespace {

class MainWindow : public apptest::ProgramFolder {
protected:
    TFZizuzuzarizFirmWare& main() { return *FZizuzuzarizFirmWare; }
    void settings(const QString& project, const QString& language = QStringLiteral("English"),
                  bool internet = false, bool update = false)
    {
        const QString xml = QStringLiteral(
                                "<Conf_Settings><lastproj><projectname>%1</projectname></lastproj>"
                                "<lastipadd><ipaddress>10.0.0.7</ipaddress></lastipadd>"
                                "<lastlang><language>%2</language></lastlang><lastinternet>"
                                "<enable_internet>%3</enable_internet><enable_update>%4</enable_update>"
                                "<enable_jump_field_tables>0</enable_jump_field_tables>"
                                "<Double_Click_Auto_Size>0</Double_Click_Auto_Size></lastinternet></Conf_Settings>")
                                .arg(project, language, internet ? "1" : "0", update ? "1" : "0");
        ASSERT_TRUE(write(QStringLiteral("Strandelor.xml"), xml.toUtf8()));
    }
    // Closes the shown main window as the user would. Ending the test
    // program's event processing is left out: the closing itself is tested.
    void closeMain(const std::function<void()>& how = {})
    {
        fw::Application.SetMainForm(nullptr);
        main().Show();
        if (how)
            how();
        else
            main().Close();
    }
    void mkProject(const QString& name) { ASSERT_TRUE(QDir().mkpath(path(QStringLiteral("PROJECTS/") + name + "/bin"))); }
};

TEST_F(MainWindow, FirstStartMakesTheFoldersAndShowsNoConfiguration)
{
    start();
    for (const char* sub : {"MASTER", "PROJECTS", "LANGUAGE"})
        EXPECT_TRUE(QFileInfo(path(QLatin1String(sub))).isDir()) << sub;
    EXPECT_EQ(main().Caption(), QStringLiteral("Orlaqi - Configurator SW585-K317 - DMX / Ethernet "));
    EXPECT_EQ(main().L_SW_Code->text(), QStringLiteral("SW585-K317"));
    EXPECT_EQ(main().L_SW_Desc->text(), QStringLiteral("DMX / Ethernet - Converter"));
    EXPECT_EQ(main().L_Name_Conf->text(), QStringLiteral("None Configuration Opened "));
    EXPECT_EQ(main().L_Name_Conf_L2->text(), QStringLiteral("Use Step1 to open or create new configuration"));
    EXPECT_EQ(Update_IP_Address, QStringLiteral("192.168.2.205"));
    EXPECT_EQ(Language_Name, QStringLiteral("English"));
    EXPECT_FALSE(main().Timer_Update->Enabled());
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(MainWindow, LayoutOfTheStepWindow)
{
    start();
    EXPECT_EQ(main().ClientWidth(), 694);
    EXPECT_EQ(main().ClientHeight(), 396);
    const struct {
        QWidget* control;
        bool visible;
        int top, left;
    } table[] = {
        {main().L_SW_Code, true, 8, 16},        {main().L_SW_Desc, true, 42, 16},
        {main().L_Begin, true, 84, 16},         {main().Shape2, true, 70, 80},
        {main().L_Name_Conf, true, 75, 87},     {main().L_Name_Conf_L2, true, 88, 87},
        {main().Btn_Info, true, 8, 516},        {main().Btn_Opz, true, 8, 574},
        {main().Btn_Close, true, 8, 632},       {main().L_Step[0], true, 128, 16},
        {main().L_Step[1], true, 172, 16},      {main().L_Step[2], true, 216, 16},
        {main().L_Step[3], true, 260, 16},      {main().L_Step[4], false, 304, 16},
        {main().L_Step[5], false, 348, 16},     {main().L_Step[6], false, 392, 16},
        {main().L_Step[7], false, 436, 16},     {main().Btn_New, true, 112, 80},
        {main().Btn_Open, true, 112, 258},      {main().Btn_Prm_Gen, true, 156, 80},
        {main().Btn_DMX_Default, true, 200, 80}, {main().Btn_CreateBin, true, 244, 80},
        {main().L_Orlaqi, true, 260, 565},      {main().Shape1, true, 295, 10},
    };
    for (const auto& row : table) {
        const QString name = row.control->objectName();
        EXPECT_EQ(row.control->isVisibleTo(&main()), row.visible) << name.toStdString();
        EXPECT_EQ(row.control->y(), row.top) << name.toStdString();
        EXPECT_EQ(row.control->x(), row.left) << name.toStdString();
    }
    EXPECT_EQ(main().Shape1->height(), 1);
    EXPECT_EQ(main().Shape1->width(), 674);
    for (TLbButton* step : {main().Btn_New, main().Btn_Open, main().Btn_Prm_Gen, main().Btn_DMX_Default,
                            main().Btn_CreateBin})
        EXPECT_EQ(step->size(), QSize(170, 36)) << step->objectName().toStdString();
    for (TLbButton* hidden : {main().Btn_DALI_Access, main().Btn_PROFINET_XML, main().Btn_ModM_SetAccess,
                              main().Btn_Set_BACnet_Access, main().Btn_SNMP_Trap, main().Btn_SNMP_MIB,
                              main().Btn_J1939_Rec_Frame, main().Btn_J1939_Send_Frame, main().Btn_PDO_CANopen,
                              main().Btn_SDO_Client_CANopen, main().Btn_SDO_Server_CANopen,
                              main().Btn_CANopen_EDS})
        EXPECT_FALSE(hidden->isVisibleTo(&main())) << hidden->objectName().toStdString();
    EXPECT_FALSE(main().LL_Update->isVisibleTo(&main()));
}

TEST_F(MainWindow, StepsAreRefusedWithoutAProject)
{
    settings(QStringLiteral("Gone"));   // its folder does not exist
    start();
    ASSERT_TRUE(Path_Project.isEmpty());
    for (TLbButton* step : {main().Btn_Prm_Gen, main().Btn_DMX_Default, main().Btn_CreateBin,
                            main().Btn_DALI_Access, main().Btn_ModM_SetAccess, main().Btn_SNMP_Trap,
                            main().Btn_SNMP_MIB, main().Btn_CANopen_EDS, main().Btn_PROFINET_XML}) {
        recorder.Clear();
        const QString opened = withModal([&] { main().Btn_Click(step); },
                                         [](fw::TForm& f) { f.SetModalResult(fw::mrCancel); });
        EXPECT_TRUE(opened.isEmpty()) << step->objectName().toStdString();
        ASSERT_EQ(recorder.Calls().size(), 1u) << step->objectName().toStdString();
        EXPECT_EQ(recorder.Calls()[0].kind, fw::DialogKind::MessageDlg);
        EXPECT_EQ(recorder.Calls()[0].text, QStringLiteral("Error! Project not Valid"));
        EXPECT_EQ(recorder.Calls()[0].type, fw::mtError);
        EXPECT_EQ(recorder.Calls()[0].buttons, fw::mbOK);
    }
}

TEST_F(MainWindow, TheLastProjectIsReopenedOnlyWhenItsFolderExists)
{
    mkProject(QStringLiteral("Plant A"));
    settings(QStringLiteral("Plant A"));
    start();
    EXPECT_EQ(Path_Project, path(QStringLiteral("PROJECTS/Plant A")));
    EXPECT_EQ(File_ParGen, path(QStringLiteral("PROJECTS/Plant A/ParGen.xml")));
    EXPECT_EQ(main().L_Name_Conf->text(), QStringLiteral("Opened Configuration of the Converter : "));
    EXPECT_EQ(main().L_Name_Conf_L2->text(), QStringLiteral("Plant A"));
    EXPECT_EQ(Update_IP_Address, QStringLiteral("10.0.0.7"));
    Free_Application_Windows();

    settings(QStringLiteral("Deleted"));
    start();
    EXPECT_TRUE(Path_Project.isEmpty());
    EXPECT_EQ(main().L_Name_Conf->text(), QStringLiteral("None Configuration Opened "));
    ASSERT_TRUE(QFile::remove(path(QStringLiteral("Strandelor.xml"))));
    closeMain();
    // The remembered name survives a start without its folder.
    const QByteArray saved = testsupport::readFile(path(QStringLiteral("Strandelor.xml")));
    EXPECT_TRUE(saved.contains("<projectname>Deleted</projectname>")) << saved.constData();
    EXPECT_TRUE(saved.contains("<ipaddress>10.0.0.7</ipaddress>"));
}

TEST_F(MainWindow, ANameLeadingOutOfTheProjectsFolderIsNotReopened)
{
    ASSERT_TRUE(QDir().mkpath(path(QStringLiteral("outside"))));
    settings(QStringLiteral("../outside"));
    start();
    EXPECT_TRUE(Path_Project.isEmpty());
}

// Only what the Open dialog would list is reopened: a link in PROJECTS, to a
// folder outside or inside it, and a hidden folder are not.
TEST_F(MainWindow, ALinkOrHiddenFolderInProjectsIsNotReopened)
{
    ASSERT_TRUE(QDir().mkpath(path(QStringLiteral("outside"))));
    mkProject(QStringLiteral("Real"));
    mkProject(QStringLiteral(".hidden"));
    ASSERT_TRUE(QFile::link(path(QStringLiteral("outside")), path(QStringLiteral("PROJECTS/Away"))));
    ASSERT_TRUE(QFile::link(path(QStringLiteral("PROJECTS/Real")), path(QStringLiteral("PROJECTS/Alias"))));
    for (const char* name : {"Away", "Alias", ".hidden"}) {
        settings(QLatin1String(name));
        start();
        EXPECT_TRUE(Path_Project.isEmpty()) << name;
        Free_Application_Windows();
    }
}

TEST_F(MainWindow, ClosingWritesTheSettingsFile)
{
    start();
    Update_IP_Address = QStringLiteral("10.1.2.3");
    Opt_Jump_Field = true;
    EXPECT_EQ(fw::Application.MainForm(), &main());
    closeMain([this] { main().Btn_Click(main().Btn_Close); });
    EXPECT_FALSE(main().isVisible());
    const QByteArray saved = testsupport::readFile(path(QStringLiteral("Strandelor.xml")));
    EXPECT_TRUE(saved.startsWith("<Conf_Settings>")) << saved.constData();
    EXPECT_TRUE(saved.contains("<ipaddress>10.1.2.3</ipaddress>"));
    EXPECT_TRUE(saved.contains("<enable_jump_field_tables>1</enable_jump_field_tables>"));
}

TEST_F(MainWindow, NewProjectIsCreatedAndOpened)
{
    start();
    const QString opened = withModal([&] { main().Btn_Click(main().Btn_New); }, [](fw::TForm&) {
        FNew_Project->E_New_Proj->setText(QStringLiteral("Hall 3"));
        FNew_Project->Btn_OK->Click();
    });
    EXPECT_EQ(opened, QStringLiteral("TFNew_Project"));
    EXPECT_TRUE(QFileInfo(path(QStringLiteral("PROJECTS/Hall 3/bin"))).isDir());
    EXPECT_EQ(Name_Project, QStringLiteral("Hall 3"));
    EXPECT_EQ(Path_Project, path(QStringLiteral("PROJECTS/Hall 3")));
    EXPECT_EQ(File_DMX_Default_Values, path(QStringLiteral("PROJECTS/Hall 3/DMX_Default_Values.xml")));
    EXPECT_EQ(main().L_Name_Conf_L2->text(), QStringLiteral("Hall 3"));
    EXPECT_TRUE(messages().isEmpty());

    // With a project open the steps open their windows.
    const QString dmx = withModal([&] { main().Btn_Click(main().Btn_DMX_Default); },
                                  [](fw::TForm& f) { f.SetModalResult(fw::mrCancel); });
    EXPECT_EQ(dmx, QStringLiteral("TFDMXDefVal"));
}

TEST_F(MainWindow, CancelledNewProjectChangesNothing)
{
    start();
    withModal([&] { main().Btn_Click(main().Btn_New); }, [](fw::TForm&) {
        FNew_Project->E_New_Proj->setText(QStringLiteral("Never"));
        FNew_Project->Btn_Cancel->Click();
    });
    EXPECT_FALSE(QFileInfo::exists(path(QStringLiteral("PROJECTS/Never"))));
    EXPECT_TRUE(Path_Project.isEmpty());
    EXPECT_EQ(main().L_Name_Conf->text(), QStringLiteral("None Configuration Opened "));
}

TEST_F(MainWindow, OpenProjectOpensTheChosenFolder)
{
    mkProject(QStringLiteral("Alpha"));
    mkProject(QStringLiteral("Beta"));
    start();
    withModal([&] { main().Btn_Click(main().Btn_Open); }, [](fw::TForm&) {
        const int beta = FOpenConf->Search_Open_Conf(QStringLiteral("BETA"));
        ASSERT_GE(beta, 0);
        FOpenConf->ListBox1->setCurrentRow(beta);
        FOpenConf->Btn_OK->Click();
    });
    EXPECT_EQ(Name_Project, QStringLiteral("Beta"));
    EXPECT_EQ(Path_Project, path(QStringLiteral("PROJECTS/Beta")));
    EXPECT_EQ(File_ParGen, path(QStringLiteral("PROJECTS/Beta/ParGen.xml")));
    EXPECT_EQ(main().L_Name_Conf_L2->text(), QStringLiteral("Beta"));
}

TEST_F(MainWindow, OpenOnAnEmptyProjectsFolderOpensNothing)
{
    mkProject(QStringLiteral("Only"));
    start();
    // A name chosen at an earlier showing ...
    withModal([&] { main().Btn_Click(main().Btn_Open); }, [](fw::TForm&) { FOpenConf->Btn_Cancel->Click(); });
    EXPECT_EQ(FOpenConf->Name_Conf, QStringLiteral("Only"));
    ASSERT_TRUE(QDir(path(QStringLiteral("PROJECTS/Only"))).removeRecursively());
    // ... is not opened once the list is empty.
    withModal([&] { main().Btn_Click(main().Btn_Open); }, [](fw::TForm&) {
        EXPECT_EQ(FOpenConf->ListBox1->count(), 0);
        FOpenConf->Btn_OK->Click();
    });
    EXPECT_TRUE(Path_Project.isEmpty());
    EXPECT_TRUE(Name_Project.isEmpty());
    EXPECT_EQ(main().L_Name_Conf->text(), QStringLiteral("None Configuration Opened "));
    EXPECT_EQ(main().L_Name_Conf_L2->text(), QStringLiteral("Use Step1 to open or create new configuration"));
}

TEST_F(MainWindow, DmxStepFollowsTheModeInParGen)
{
    const struct {
        const char* name;
        const char* file;   // nullptr: no ParGen.xml
        bool enabled;
    } cases[] = {
        {"no file", nullptr, true},
        {"DMX input", "<ParGen><DMX_DMX>0</DMX_DMX></ParGen>", false},
        {"DMX output", "<ParGen><DMX_DMX>1</DMX_DMX></ParGen>", true},
        {"no mode", "<ParGen><IP1>10</IP1></ParGen>", true},
        {"DMX input after a declaration", "<?xml version=\"1.0\"?><!--c--><ParGen><DMX_DMX>0</DMX_DMX></ParGen>", false},
    };
    mkProject(QStringLiteral("P"));
    settings(QStringLiteral("P"));
    for (const auto& c : cases) {
        QFile::remove(path(QStringLiteral("PROJECTS/P/ParGen.xml")));
        if (c.file) {
            ASSERT_TRUE(write(QStringLiteral("PROJECTS/P/ParGen.xml"), c.file));
        }
        start();
        main().Check_Enable_DMX_Def_Val();
        EXPECT_EQ(main().Btn_DMX_Default->isEnabled(), c.enabled) << c.name;
        Free_Application_Windows();
    }
}

TEST_F(MainWindow, ABrokenParGenIsReportedAndLeavesStepThreeEnabled)
{
    mkProject(QStringLiteral("P"));
    settings(QStringLiteral("P"));
    ASSERT_TRUE(write(QStringLiteral("PROJECTS/P/ParGen.xml"), "<ParGen><DMX_DMX>0</DMX_DMX>"));
    start();
    main().Check_Enable_DMX_Def_Val();
    EXPECT_TRUE(main().Btn_DMX_Default->isEnabled());
    EXPECT_EQ(messages().size(), 1);
}

TEST_F(MainWindow, OptionsConfirmedStartOrStopTheUpdateTimer)
{
    start();
    const struct {
        bool internet, update, running;
    } cases[] = {{true, true, true}, {true, false, false}, {false, true, false}};
    for (const auto& c : cases) {
        withModal([&] { main().Btn_Click(main().Btn_Opz); }, [&](fw::TForm&) {
            FSoftOptions->CB_En_Con->setChecked(c.internet);
            FSoftOptions->CB_Update->setChecked(c.update);
            FSoftOptions->Btn_OK->Click();
        });
        EXPECT_EQ(main().Timer_Update->Enabled(), c.running);
        const QByteArray saved = testsupport::readFile(path(QStringLiteral("Strandelor.xml")));
        EXPECT_TRUE(saved.contains(QByteArray("<enable_internet>") + (c.internet ? "1" : "0")));
        EXPECT_TRUE(saved.contains(QByteArray("<enable_update>") + (c.update ? "1" : "0")));
    }
    EXPECT_EQ(main().Timer_Update->Interval(), 60000);
}

TEST_F(MainWindow, TheTimerIsOnAtStartOnlyWithBothInternetOptions)
{
    settings(QString(), QStringLiteral("English"), true, true);
    start();
    EXPECT_TRUE(main().Timer_Update->Enabled());
    EXPECT_EQ(main().Timer_Update->Interval(), 60000);
    Free_Application_Windows();
    settings(QString(), QStringLiteral("English"), true, false);
    start();
    EXPECT_FALSE(main().Timer_Update->Enabled());
}

TEST_F(MainWindow, TimerShowsTheUpdateLinkWhenTheServerNamesANewerVersion)
{
    start();
    const struct {
        QByteArray body;
        bool shown;
    } cases[] = {{"VER. 1.002", true}, {"VER. 1.001", false}, {"VER. 0.000", false}};
    for (const auto& c : cases) {
        LoopbackHttpServer server(LoopbackHttpServer::reply("HTTP/1.0 200 OK", c.body));
        apptest::LocalServer local(server.port());
        main().Timer_UpdateTimer();
        EXPECT_EQ(main().LL_Update->isVisibleTo(&main()), c.shown) << c.body.constData();
        EXPECT_TRUE(main().Timer_Update->Enabled());
        EXPECT_EQ(main().Timer_Update->Interval(), 7200000);
        EXPECT_EQ(server.requests().size(), 1u);
        if (c.shown) {
            EXPECT_EQ(main().LL_Update->text(),
                      QStringLiteral("<a href=\"http://127.0.0.1:%1/Home/download/download.asp#HD585-K317\">"
                                     "New Version Available. Click Here for more Details</a>")
                          .arg(server.port()));
        }
    }
}

TEST_F(MainWindow, WebLinksGoThroughTheOpenSeam)
{
    start();
    main().L_OrlaqiClick();
    main().LL_UpdateLinkClick(QStringLiteral("http://127.0.0.1:9/x"));
    ASSERT_EQ(recorder.Calls().size(), 2u);
    EXPECT_EQ(recorder.Calls()[0].kind, fw::DialogKind::OpenUrl);
    EXPECT_EQ(recorder.Calls()[0].text, QStringLiteral("http://127.0.0.1:9/HOME/default.asp?frompg=SW585-K317"));
    EXPECT_EQ(recorder.Calls()[1].text, QStringLiteral("http://127.0.0.1:9/x"));
}

TEST_F(MainWindow, StepsOpenTheirWindowsOnceAProjectIsOpen)
{
    mkProject(QStringLiteral("P"));
    settings(QStringLiteral("P"));
    start();
    const struct {
        TLbButton* step;
        const char* window;
    } cases[] = {
        {main().Btn_Prm_Gen, "TFParGen"},
        {main().Btn_DMX_Default, "TFDMXDefVal"},
        {main().Btn_CreateBin, "TFBoot"},
        {main().Btn_DALI_Access, "TFDALI_Access"},
        {main().Btn_ModM_SetAccess, "TFModbus_TCP_Master_Set_Access"},
        {main().Btn_Set_BACnet_Access, "TFBACnetAccess"},
        {main().Btn_SNMP_Trap, "TFSNMP_Trap_Access"},
        {main().Btn_J1939_Rec_Frame, "TFReceiveCAN"},
        {main().Btn_J1939_Send_Frame, "TFTransmitCAN"},
        {main().Btn_PDO_CANopen, "TFSet_PDO_Access"},
        {main().Btn_SDO_Client_CANopen, "TFSet_SDO_Client_Access"},
        {main().Btn_SDO_Server_CANopen, "TFSet_SDO_Server_Access"},
        {main().Btn_PROFINET_XML, "TFProfinetFileName"},
    };
    for (const auto& c : cases) {
        const QString opened = withModal([&] { main().Btn_Click(c.step); },
                                         [](fw::TForm& f) { f.SetModalResult(fw::mrCancel); });
        EXPECT_EQ(opened, QLatin1String(c.window)) << c.step->objectName().toStdString();
    }
    // The project has no ParGen.xml yet: the BACnet window asks for the BACnet type.
    EXPECT_EQ(messages(), QStringList{"Select the BACnet Type in the \"Set Communication\" section"});
    // Step 4 wrote the configuration image of the project first.
    EXPECT_EQ(QFileInfo(path(QStringLiteral("PROJECTS/P/bin/bank.bin"))).size(), 2560);
}

} // namespace
