#include "app/Application.h"

#include "app/services/TableWindow.h"

#include "app/AppTestFixture.h"
#include "app/UAbout.h"
#include "app/UBoot.h"
#include "app/UDMXDefVal.h"
#include "grid/model/FxCGrid.h"
#include "app/services/UEditorWindow.h"
#include "app/UNew_Project.h"
#include "app/UOpenConf.h"
#include "app/UParGen.h"
#include "app/USoftOptions.h"
#include "app/UZizuzuzarizFirmWare.h"
#include "controls/buttons/LbButton.h"
#include "editors/automation/UBACnetAccess.h"
#include "editors/automation/UDALI_Access.h"
#include "editors/automation/UImportEDEFile.h"
#include "editors/automation/UModbus_TCP_Master_Set_Access.h"
#include "editors/automation/UProfinetFileName.h"
#include "editors/automation/UProfinetXML.h"
#include "editors/automation/USetAccess.h"
#include "editors/can/UReceiveCAN.h"
#include "editors/can/USNMP_Trap_Access.h"
#include "editors/can/USet_PDO_Access.h"
#include "editors/can/USet_SDO_Client_Access.h"
#include "editors/can/USet_SDO_Server_Access.h"
#include "editors/can/UTransmitCAN.h"

#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>
#include <QWheelEvent>

using apptest::withModal;

namespace {

class Startup : public apptest::ProgramFolder {};

TEST_F(Startup, EveryWindowIsCreatedOnceAfterTheMainWindowPreparedTheTexts)
{
    start();
    const std::vector<fw::TForm*> windows = {
        FZizuzuzarizFirmWare, FNew_Project, FOpenConf, FAbout, FSoftOptions, FParGen, FDALI_Access,
        FBoot, FProfinetFileName, FModbus_TCP_Master_Set_Access, FDMXDefVal, FBACnetAccess,
        FImportEDEFile, FSetAccess, FSNMP_Trap_Access, FReceiveCAN, FTransmitCAN, FSet_PDO_Access,
        FSet_SDO_Client_Access, FSet_SDO_Server_Access};
    for (std::size_t i = 0; i < windows.size(); ++i) {
        ASSERT_NE(windows[i], nullptr) << i;
        EXPECT_TRUE(windows[i]->Created()) << i;
        EXPECT_FALSE(windows[i]->isVisible()) << i;
    }
    EXPECT_EQ(fw::Application.MainForm(), FZizuzuzarizFirmWare);
    // The other windows found the software code and the English texts ready.
    EXPECT_EQ(FNew_Project->L_SW_Code->text(), QStringLiteral("SW585-K317"));
    EXPECT_EQ(FSet_SDO_Server_Access->L_SW_Code->text(), QStringLiteral("SW585-K317"));
    EXPECT_EQ(FDMXDefVal->Caption(), QStringLiteral("DMX Default Value"));

    Free_Application_Windows();
    EXPECT_EQ(FZizuzuzarizFirmWare, nullptr);
    EXPECT_EQ(FSet_SDO_Server_Access, nullptr);
    EXPECT_EQ(fw::Application.MainForm(), nullptr);
}

// The program shows its main window before making the 19 hidden ones. They
// must exist before anything the user does reaches a window, and without
// input once the main window has painted.
TEST_F(Startup, TheOtherWindowsFollowTheMainWindowsFirstPaintOrTheFirstInput)
{
    struct Case {
        const char* name;
        std::function<void(QWidget*)> act;   // nullptr: only let the window paint
    };
    const std::vector<Case> cases = {
        {"first paint", nullptr},
        {"key", [](QWidget* w) { QTest::keyClick(w, Qt::Key_Tab); }},
        {"click", [](QWidget* w) { QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(5, 5)); }},
        {"wheel",
         [](QWidget* w) {
             QWheelEvent wheel(QPointF(5, 5), w->mapToGlobal(QPointF(5, 5)), {}, QPoint(0, -120), Qt::NoButton, {},
                               Qt::NoScrollPhase, false);
             QCoreApplication::sendEvent(w, &wheel);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Create_Main_Window(folder());
        Create_Other_Windows_After_First_Paint();
        EXPECT_EQ(FNew_Project, nullptr);
        EXPECT_EQ(FSet_SDO_Server_Access, nullptr);
        if (c.act) {
            // Input before any paint (no event loop runs in between): the
            // windows come first, synchronously.
            FZizuzuzarizFirmWare->Show();
            c.act(FZizuzuzarizFirmWare);
            EXPECT_NE(FSet_SDO_Server_Access, nullptr);
        } else {
            FZizuzuzarizFirmWare->Show();
            EXPECT_TRUE(QTest::qWaitForWindowExposed(FZizuzuzarizFirmWare));
            EXPECT_TRUE(QTest::qWaitFor([] { return FSet_SDO_Server_Access != nullptr; }, 5000));
        }
        // Made in their order, with the main window's texts.
        ASSERT_NE(FNew_Project, nullptr);
        EXPECT_TRUE(FSet_SDO_Server_Access->Created());
        EXPECT_FALSE(FNew_Project->isVisible());
        EXPECT_EQ(FSet_SDO_Server_Access->L_SW_Code->text(), QStringLiteral("SW585-K317"));
        // A second call makes nothing new.
        TFNew_Project* const first = FNew_Project;
        Create_Other_Windows();
        EXPECT_EQ(FNew_Project, first);
        Free_Application_Windows();
    }
    // Freed before anything came: nothing creates the windows afterwards.
    Create_Main_Window(folder());
    Create_Other_Windows_After_First_Paint();
    Free_Application_Windows();
    QWidget other;
    other.show();
    QTest::keyClick(&other, Qt::Key_Tab);
    QCoreApplication::processEvents();
    EXPECT_EQ(FNew_Project, nullptr);
}

struct EditorCase {
    const char* name;
    std::function<TEditorWindow*()> window;
    const char* caption;
    const char* description;
    std::vector<const char*> pages;
};

TEST_F(Startup, EditorWindowsCarryTheirTextsAndCloseWithOkOrCancel)
{
    start();
    // The windows open on a project only; those with their tables save on OK.
    QDir(folder()).mkpath(QStringLiteral("PROJECTS/Hall"));
    Path_Project = Path_Projects + QStringLiteral("/Hall");
    Set_Project_Files();
    const std::vector<EditorCase> cases = {
        {"DALI", [] { return FDALI_Access; }, "DALI Access", "Select the DALI Device Present in the  Network",
         {"Select Device", "Set Access", "Functions"}},
        {"Modbus TCP", [] { return FModbus_TCP_Master_Set_Access; }, "Set Modbus TCP Master Access",
         "Set Modbus TCP Master Access", {"Modbus Read", "Modbus Write"}},
        {"BACnet", [] { return FBACnetAccess; }, "Set BACnet Access", "Set BACnet Access",
         {"BACnet Read", "BACnet Write"}},
        {"EDE", [] { return FImportEDEFile; }, "Import BACnet EDE File", "Import EDE File of a BACnet Slave", {}},
        {"Modbus", [] { return FSetAccess; }, "Set Modbus Access", "Set Modbus Access",
         {"Modbus Read", "Modbus Write"}},
        {"SNMP", [] { return FSNMP_Trap_Access; }, "Set SNMP Trap Access", "Set SNMP Trap Access",
         {"SNMP Read", "SNMP Write"}},
        {"CAN receive", [] { return FReceiveCAN; }, "Receive CAN Frames Set Access",
         "Receive CAN Frames Set Access", {}},
        {"CAN transmit", [] { return FTransmitCAN; }, "Transmit CAN Frames Set Access",
         "Transmit CAN Frames Set Access", {}},
        {"PDO", [] { return FSet_PDO_Access; }, "Set PDO Access", "Set PDO Access",
         {"Receive PDO", "Transmit PDO"}},
        {"SDO client", [] { return FSet_SDO_Client_Access; }, "Set SDO Client Access", "Set SDO Client Access",
         {"SDO Read", "SDO Write"}},
        {"SDO server", [] { return FSet_SDO_Server_Access; }, "Set SDO Server Access", "Set SDO Server Access",
         {"SDO in Read", "SDO in Write"}},
    };
    // The import window checks the device address on OK; without an address kind there is none.
    FImportEDEFile->App_BACnet_Type = 2;
    for (const EditorCase& c : cases) {
        TEditorWindow* w = c.window();
        EXPECT_EQ(w->Caption(), QString::fromUtf8(c.caption)) << c.name;
        EXPECT_EQ(w->L_SW_Desc->text(), QString::fromUtf8(c.description)) << c.name;
        EXPECT_EQ(w->Btn_OK->Caption(), QStringLiteral("OK")) << c.name;
        EXPECT_EQ(w->Btn_Cancel->Caption(), QStringLiteral("Cancel")) << c.name;
        QStringList pages;
        for (int i = 0; w->PC_Pages && i < w->PC_Pages->count(); ++i)
            pages << w->PC_Pages->tabText(i);
        QStringList expected;
        for (const char* p : c.pages)
            expected << QString::fromUtf8(p);
        EXPECT_EQ(pages, expected) << c.name;

        withModal([w] { w->ShowModal(); }, [w](fw::TForm&) { w->Btn_OK->Click(); });
        EXPECT_EQ(w->ModalResult(), fw::mrOk) << c.name;
        withModal([w] { w->ShowModal(); }, [w](fw::TForm&) { w->Btn_Cancel->Click(); });
        EXPECT_EQ(w->ModalResult(), fw::mrCancel) << c.name;
    }
}

// Nothing shows the grids of the table windows made at start-up until a
// window is opened, so none is made before. The tables' rows stand apart from
// the grids: they load and save without one. A grid asked for before the
// showing comes with the window's own set-up, and the showing keeps it.
TEST_F(Startup, TableWindowsMakeTheirGridsWhenFirstShown)
{
    start();
    QDir(folder()).mkpath(QStringLiteral("PROJECTS/Hall"));
    Path_Project = Path_Projects + QStringLiteral("/Hall");
    Set_Project_Files();
    EXPECT_TRUE(FDALI_Access->findChildren<TFxColumnGrid*>().isEmpty());
    EXPECT_FALSE(FDALI_Access->Grids_Built());
    EXPECT_TRUE(FDMXDefVal->findChildren<TFxColumnGrid*>().isEmpty());
    EXPECT_FALSE(FDMXDefVal->Grid_Built());
    const std::vector<std::pair<const char*, TTableWindow*>> windows = {
        {"ACG_Modbus_Read", FModbus_TCP_Master_Set_Access}, {"ACG1", FBACnetAccess},
        {"ACG", FImportEDEFile}, {"ACG_Modbus_Read", FSetAccess}, {"ACG_SNMP_Read", FSNMP_Trap_Access},
        {"ACG_CAN_Receive", FReceiveCAN}, {"ACG_CAN_Transmit", FTransmitCAN}, {"sga", FSet_PDO_Access},
        {"sga", FSet_SDO_Client_Access}, {"sga", FSet_SDO_Server_Access}};
    FImportEDEFile->App_BACnet_Type = 2;
    for (const auto& [firstGrid, w] : windows) {
        SCOPED_TRACE(w->objectName().toStdString());
        EXPECT_FALSE(w->Grids_Built());
        EXPECT_TRUE(w->findChildren<TFxColumnGrid*>().isEmpty());
        ASSERT_GT(w->Table_Count(), 0);

        // A table written and read back by the file alone leaves the grids unmade.
        TTableFile& file = w->File();
        const int column = std::max(1, file.Table(0).KeyColumn);
        file.Rows(0)[0][column] = QStringLiteral("7");
        if (!file.Spec().Root.isEmpty()) {
            const QString copy = path(QStringLiteral("copy.xml"));
            file.Save(copy);
            file.Reset();
            EXPECT_TRUE(file.Load(copy).Clean());
            EXPECT_EQ(file.Rows(0)[0][column], QStringLiteral("7"));
        }
        EXPECT_FALSE(w->Grids_Built());

        // Asked for, the grids are made at once, with the window's set-up.
        TFxColumnGrid* grid = w->Grid(0);
        EXPECT_TRUE(w->Grids_Built());
        EXPECT_EQ(grid->objectName(), QString::fromLatin1(firstGrid));
        EXPECT_EQ(w->findChildren<TFxColumnGrid*>().size(), w->Table_Count());
        w->Table_Grid(0).Show_Rows();
        EXPECT_EQ(grid->Cells(column, 1), file.Rows(0)[0][column]);
        grid->SetCells(column, 1, QStringLiteral("8"));
        w->Table_Grid(0).Take_Rows();
        EXPECT_EQ(file.Rows(0)[0][column], QStringLiteral("8"));

        withModal([w] { w->ShowModal(); }, [w](fw::TForm&) { w->Btn_Cancel->Click(); });
        EXPECT_EQ(w->Grid(0), grid);
        EXPECT_EQ(w->findChildren<TFxColumnGrid*>().size(), w->Table_Count());
    }
    // Made with the window's set-up: the CAN frame look, the CANopen row height.
    EXPECT_EQ(FReceiveCAN->Grid(0)->ActiveCellColor(), 0xEACAB6u);
    EXPECT_EQ(FSet_PDO_Access->Grid(1)->RowHeights(1), 21);

    // The DALI window's grids come with its device labels.
    EXPECT_EQ(FDALI_Access->ACG_DALI_Device()->Cells(0, 64), QStringLiteral("DALI ID Device 63"));
    EXPECT_EQ(FDALI_Access->findChildren<TFxColumnGrid*>().size(), 3);
    // The DMX window's grid comes with its headers and fills the room the panels leave.
    EXPECT_EQ(FDMXDefVal->ACG_DMX_Def_Val()->Cells(0, 0), QStringLiteral("Channel"));
    EXPECT_EQ(FDMXDefVal->ACG_DMX_Def_Val()->geometry(), QRect(0, 69, 475, 337 - 69 - 40));
}

TEST_F(Startup, ProfinetFileNameGivesTheNameOnOk)
{
    start();
    Set_GSDML_Clock([] { return QDate(2024, 3, 9); });
    EXPECT_EQ(FProfinetFileName->Caption(), QStringLiteral("PROFINET XML File Name"));
    withModal([] { FProfinetFileName->ShowModal(); }, [](fw::TForm&) {
        FProfinetFileName->E_XML_User->setText(QStringLiteral("Hall3"));
        FProfinetFileName->Btn_OK->Click();
    });
    Set_GSDML_Clock({});
    EXPECT_EQ(FProfinetFileName->ModalResult(), fw::mrOk);
    EXPECT_EQ(FProfinetFileName->Name_File_XML, QStringLiteral("GSDML-V2.31-Orlaqi-HD58526_Hall3-20240309.xml"));
}

TEST_F(Startup, AboutBoxShowsTheSoftwaresIdentity)
{
    start();
    withModal([] { FZizuzuzarizFirmWare->Btn_Click(FZizuzuzarizFirmWare->Btn_Info); }, [](fw::TForm&) {
        EXPECT_EQ(FAbout->Label2->text(), QStringLiteral("DMX / Ethernet - Converter"));
        EXPECT_EQ(FAbout->Label9->text(), QStringLiteral("SW585-K317"));
        EXPECT_EQ(FAbout->Label10->text(), QStringLiteral("1.001"));
        EXPECT_EQ(FAbout->Label12->text(), QStringLiteral("MN585-K317"));
        EXPECT_EQ(FAbout->ClientWidth(), 425);
        EXPECT_EQ(FAbout->ClientHeight(), 148);
        FAbout->Label4Click();
        FAbout->LbButton1->Click();
    });
    EXPECT_EQ(FAbout->ModalResult(), fw::mrOk);
    ASSERT_EQ(recorder.Calls().size(), 1u);
    EXPECT_EQ(recorder.Calls()[0].kind, fw::DialogKind::OpenUrl);
    EXPECT_EQ(recorder.Calls()[0].text, QStringLiteral("http://127.0.0.1:9/HOME/default.asp?frompg=SW585-K317"));
}

TEST_F(Startup, DmxDefaultValuesWindowFrame)
{
    ASSERT_TRUE(QDir().mkpath(path(QStringLiteral("PROJECTS/P"))));
    ASSERT_TRUE(write(QStringLiteral("PROJECTS/P/DMX_Default_Values.xml"), "<DMX_Default_Values/>"));
    start();
    Path_Project = path(QStringLiteral("PROJECTS/P"));
    Set_Project_Files();
    EXPECT_EQ(FDMXDefVal->Caption(), QStringLiteral("DMX Default Value"));
    EXPECT_EQ(FDMXDefVal->L_SW_Desc->text(), QStringLiteral("DMX Default Value"));
    EXPECT_EQ(FDMXDefVal->ACG_DMX_Def_Val()->Cells(0, 0), QStringLiteral("Channel"));
    EXPECT_EQ(FDMXDefVal->ACG_DMX_Def_Val()->Cells(2, 0), QStringLiteral("Mnemonic"));
    EXPECT_EQ(FDMXDefVal->ClientWidth(), 475);
    EXPECT_EQ(FDMXDefVal->ClientHeight(), 337);
    EXPECT_EQ(FDMXDefVal->Btn_OK->geometry(), QRect(16, 6, 110, 28));
    EXPECT_EQ(FDMXDefVal->Btn_Cancel->geometry(), QRect(134, 6, 110, 28));
    withModal([] { FZizuzuzarizFirmWare->Btn_Click(FZizuzuzarizFirmWare->Btn_DMX_Default); }, [](fw::TForm&) {
        // The window can be resized; the table area fills what the panels leave.
        EXPECT_EQ(FDMXDefVal->ACG_DMX_Def_Val()->geometry(), QRect(0, 69, 475, 337 - 69 - 40));
        FDMXDefVal->resize(600, 400);
        EXPECT_EQ(FDMXDefVal->ACG_DMX_Def_Val()->geometry(), QRect(0, 69, 600, 400 - 69 - 40));
        EXPECT_EQ(FDMXDefVal->Btn_Cancel->parentWidget()->geometry(), QRect(0, 360, 600, 40));
        FDMXDefVal->Btn_Cancel->Click();
    });
    EXPECT_EQ(FDMXDefVal->ModalResult(), fw::mrCancel);
    EXPECT_TRUE(messages().isEmpty());
    EXPECT_EQ(testsupport::readFile(path(QStringLiteral("PROJECTS/P/DMX_Default_Values.xml"))),
              QByteArray("<DMX_Default_Values/>"));
    // OK writes a row for every channel: 512 without ParGen.xml.
    withModal([] { FDMXDefVal->ShowModal(); }, [](fw::TForm&) { FDMXDefVal->Btn_OK->Click(); });
    EXPECT_EQ(FDMXDefVal->ModalResult(), fw::mrOk);
    EXPECT_EQ(testsupport::readFile(path(QStringLiteral("PROJECTS/P/DMX_Default_Values.xml")))
                  .count("<Row Default_Value=\"0\" Mnemonic=\"\" />"),
              512);
}

} // namespace

// No window makes a button its cancel button, so Esc closes none of them:
// not through the button panel, not through the window itself.
TEST_F(Startup, EscapeClosesNoWindow)
{
    start();
    const struct {
        const char* name;
        fw::TForm* window;
    } cases[] = {
        {"New", FNew_Project},   {"Open", FOpenConf},      {"About", FAbout},
        {"Options", FSoftOptions}, {"Update", FBoot},     {"DMX", FDMXDefVal},
        {"DALI", FDALI_Access},  {"PROFINET", FProfinetFileName},
    };
    for (const auto& c : cases) {
        bool openAfterEscape = false;
        withModal([&] { c.window->ShowModal(); }, [&](fw::TForm& form) {
            QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : &form;
            QTest::keyClick(target, Qt::Key_Escape);
            openAfterEscape = form.Modal();
            form.SetModalResult(fw::mrCancel);
        });
        EXPECT_TRUE(openAfterEscape) << c.name;
    }
    EXPECT_TRUE(messages().isEmpty());
}
