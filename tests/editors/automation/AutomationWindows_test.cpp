// The lighting and building-automation windows as the main window opens
// them: created at start-up, shown (loading the project file), edited
// through their grids and buttons, closed with OK (check and save) or Cancel.
#include "editors/automation/UBACnetAccess.h"
#include "editors/automation/UDALI_Access.h"
#include "editors/automation/UImportEDEFile.h"
#include "editors/automation/UModbus_TCP_Master_Set_Access.h"
#include "editors/automation/UProfinetFileName.h"
#include "editors/automation/UProfinetXML.h"
#include "editors/automation/USetAccess.h"

#include "app/AppTestFixture.h"
#include "app/services/UComon.h"
#include "app/UZizuzuzarizFirmWare.h"
#include "app/services/ULanguage.h"
#include "controls/buttons/LbButton.h"
#include "grid/interact/FxGridEditors.h"
#include "grid/model/FxCGrid.h"
#include "support/OutsideReaders.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QFileInfo>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <ostream>

// Readable failure messages for texts.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace {

QString fixturePath(const char* name)
{
    return testsupport::dataPath(QStringLiteral("editors/automation/") + QLatin1String(name));
}

QByteArray fixture(const char* name)
{
    return testsupport::readFile(fixturePath(name));
}

// A left click on a cell of a grid, a few pixels inside its left edge (where a check box sits).
void clickCell(TFxColumnGrid* g, int displayCol, int row)
{
    const fw::TRect r = g->CellRect(displayCol, row);
    QTest::mouseClick(g->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(r.Left + 6, r.Top + r.Height() / 2));
    QCoreApplication::processEvents();
}

// Keeps a picture of a window for the closing report when GC_SHOT_DIR is set.
void keepShot(QWidget* w, const char* name)
{
    const QByteArray dir = qgetenv("GC_SHOT_DIR");
    if (dir.isEmpty())
        return;
    QCoreApplication::processEvents();
    w->grab().save(QString::fromLocal8Bit(dir) + QLatin1Char('/') + QLatin1String(name) + QStringLiteral(".png"));
}

template <class TWindow>
class TableWindowFixture : public apptest::ProjectWindow<TWindow> {
protected:
    void SetUp() override
    {
        Row_Clipboard.clear();
        apptest::ProjectWindow<TWindow>::SetUp();
    }
    TFxColumnGrid* grid(int table = 0) const { return this->form->Grid(table); }
    TLbButton* button(const char* name) const
    {
        return this->form->template findChild<TLbButton*>(QString::fromLatin1(name));
    }
    // Selects the page of the table and its row, as a click would.
    void goTo(int table, int row, int col = 2)
    {
        this->form->Show_Table(table);
        this->form->Table_Grid(table).Go_To(row, col);
    }

    struct CellCase {
        int table, row, col;
        const char* text;
        const char* message;   // empty: the check passes and the window closes
    };
    // Each case: `golden` written as the project file, the window shown, one
    // cell edited, OK. A refusal shows the one message, goes to the failing
    // row's page and writes nothing.
    void expectOkOutcomes(const QString& file, const QByteArray& golden, const std::vector<CellCase>& cases)
    {
        auto& form = this->form;
        for (const CellCase& c : cases) {
            SCOPED_TRACE(c.text);
            ASSERT_TRUE(testsupport::writeFile(file, golden));
            this->recorder.Clear();
            form->SetModalResult(fw::mrNone);
            form->Show();
            grid(c.table)->SetCells(c.col, c.row, QString::fromUtf8(c.text));
            form->Btn_OK->Click();
            if (*c.message == 0) {
                EXPECT_TRUE(this->messages().isEmpty()) << this->messages().join('\n').toStdString();
                EXPECT_EQ(form->ModalResult(), fw::mrOk);
            } else {
                EXPECT_EQ(this->messages(), QStringList{QString::fromUtf8(c.message)});
                EXPECT_EQ(form->ModalResult(), fw::mrNone);
                EXPECT_EQ(form->Current_Table(), c.table);
                EXPECT_EQ(grid(c.table)->Row(), c.row);
                EXPECT_EQ(testsupport::readFile(file), golden);
            }
            form->Hide();
        }
    }
};

// ---------------------------------------------------------------- Modbus TCP master

using ModbusTCPMasterWindow = TableWindowFixture<TFModbus_TCP_Master_Set_Access>;

TEST_F(ModbusTCPMasterWindow, TwoTablesOfTheirColumnsWithTheWindowsOwnButtons)
{
    EXPECT_EQ(form->ClientWidth(), 1007);
    EXPECT_EQ(form->ClientHeight(), 337);
    ASSERT_EQ(form->Table_Count(), 2);
    EXPECT_EQ(grid(0)->objectName(), QStringLiteral("ACG_Modbus_Read"));
    EXPECT_EQ(grid(1)->objectName(), QStringLiteral("ACG_Modbus_Write"));
    EXPECT_EQ(grid(0)->RowCount(), 513);
    EXPECT_EQ(grid(0)->AllColCount(), 14);
    EXPECT_EQ(grid(1)->AllColCount(), 16);
    EXPECT_EQ(grid(0)->Cells(2, 0), QStringLiteral("Slave IP Address"));
    EXPECT_EQ(grid(1)->Cells(15, 0), QStringLiteral("Mnemonic"));
    EXPECT_EQ(grid(1)->ColWidths(grid(1)->DisplColIndex(15)), 212);
    EXPECT_FALSE(grid(1)->IsHiddenColumn(8));
    EXPECT_TRUE(grid(1)->IsHiddenColumn(9));
    EXPECT_TRUE(grid(1)->IsHiddenColumn(10));
    // The fixed item lists are given when the window first shows.
    form->Show();
    EXPECT_EQ(grid(0)->Columns()[10]->ComboItems().Count(), 128);
    EXPECT_EQ(grid(1)->Columns()[12]->ComboItems()[1539], QStringLiteral("1539"));
    EXPECT_EQ(form->PC_Pages->tabText(1), QStringLiteral("Modbus Write"));
    EXPECT_EQ(button("Btn_Delete_Row")->Caption(), QStringLiteral("Delete Row"));
    // Not translated: a language change leaves them.
    EXPECT_EQ(button("Btn_Copy_Row")->Caption(), QStringLiteral("Copy Row"));
    Lang_Texts[1106] = QStringLiteral("Lesen");
    form->Set_Lang();
    EXPECT_EQ(form->PC_Pages->tabText(0), QStringLiteral("Lesen"));
    EXPECT_EQ(button("Btn_Paste_Row")->Caption(), QStringLiteral("Paste Row"));
}

TEST_F(ModbusTCPMasterWindow, WithoutAFileOkWritesTheDefaultFile)
{
    form->Show();
    EXPECT_TRUE(messages().isEmpty());
    EXPECT_EQ(grid(0)->Cells(1, 512), QStringLiteral("Y"));
    EXPECT_EQ(grid(1)->Cells(0, 512), QStringLiteral("512"));
    keepShot(form.get(), "modbus_tcp_master");
    form->Btn_OK->Click();
    EXPECT_EQ(form->ModalResult(), fw::mrOk);
    EXPECT_EQ(testsupport::readFile(File_ModbusTCPM_SetAccess), fixture("ModbusTCPM_SetAccess.default.xml"));
}

TEST_F(ModbusTCPMasterWindow, AFileShownAndSavedComesBackByteForByteHiddenCellsWrittenN)
{
    const QByteArray golden = fixture("ModbusTCPM_SetAccess.full.xml");
    ASSERT_FALSE(golden.isEmpty());
    write(QStringLiteral("ModbusTCPM_SetAccess.xml"), golden);
    form->Show();
    EXPECT_TRUE(messages().isEmpty()) << messages().join('\n').toStdString();
    EXPECT_EQ(grid(0)->Cells(13, 2), QStringLiteral("Pump & valve <alarms> \"A\""));
    EXPECT_EQ(grid(1)->Cells(12, 1), QStringLiteral("1539"));
    grid(1)->SetCells(9, 2, QStringLiteral("Y"));   // a hidden cell the file never keeps
    form->Btn_OK->Click();
    EXPECT_EQ(form->ModalResult(), fw::mrOk);
    EXPECT_EQ(testsupport::readFile(File_ModbusTCPM_SetAccess), golden);
    testsupport::expectTableFileReadsBack(form->File(), File_ModbusTCPM_SetAccess);
}

// Each case edits one cell of the loaded file and presses OK.
TEST_F(ModbusTCPMasterWindow, OkChecksRowsInOrderAndNamesTheFirstFailure)
{
    expectOkOutcomes(File_ModbusTCPM_SetAccess, fixture("ModbusTCPM_SetAccess.full.xml"), {
        {0, 1, 2, "192.168.1", "Error row 1!! [Modbus Read] Slave IP Address must be a valid TCP IP Address (Ex. 192.168.1.125)"},
        {0, 1, 3, "65536", "Error row 1!! [Modbus Read] Port must be between 0 and 65535"},
        {0, 1, 3, "abc", "Error row 1!! [Modbus Read] Port must be between 0 and 65535"},
        // Coil Status, NPoint 16, Start Bit 3: last byte Position + 2.
        {0, 3, 10, "125", ""},
        {0, 3, 10, "126", "Error row 3!! [Modbus Read] Too many bytes to save starting from the Position indicate"},
        {0, 2, 2, "not an address", ""},   // row 2 is disabled
        {1, 1, 7, "1969", "Error row 1!! [Modbus Write] NPoint must be between 1 and 1968"},
        // Holding Register, NPoint 123: last byte Position + 245.
        {1, 2, 12, "1294", ""},
        {1, 2, 12, "1295", "Error row 2!! [Modbus Write] Too many bytes to read starting from the Position indicate"},
    });
}

TEST_F(ModbusTCPMasterWindow, ARowMissingAttributesIsReportedOnceAndSavedWhole)
{
    write(QStringLiteral("ModbusTCPM_SetAccess.xml"),
          "<PROFINET_Master_to_Modbus_TCP_Master>\n<Modbus_Read>\n"
          "<!-- a comment is no row -->\n"
          "<row IP_Address=\"10.0.0.1\" Port=\"502\" Slave_ID=\"1\" Type=\"Coil Status\" Address=\"0\" "
          "NPoint=\"1\" PollTime=\"10\" MaxError=\"0\" Position=\"0\" Bit=\"0\" />\n"
          "</Modbus_Read>\n<Modbus_Write/>\n</PROFINET_Master_to_Modbus_TCP_Master>\n");
    form->Show();
    ASSERT_EQ(messages().size(), 1);
    EXPECT_TRUE(messages()[0].startsWith(QStringLiteral("ModbusTCPM_SetAccess.xml\n"))) << messages()[0].toStdString();
    EXPECT_TRUE(messages()[0].endsWith(QStringLiteral("(Modbus Read): 1"))) << messages()[0].toStdString();
    EXPECT_EQ(grid(0)->Cells(1, 1), QStringLiteral("Y"));   // Enable missing: enabled
    EXPECT_EQ(grid(0)->Cells(2, 1), QStringLiteral("10.0.0.1"));
    form->Btn_OK->Click();
    EXPECT_EQ(form->ModalResult(), fw::mrOk);
    EXPECT_TRUE(testsupport::readFile(File_ModbusTCPM_SetAccess)
                    .contains("<row Enable=\"Y\" IP_Address=\"10.0.0.1\" Port=\"502\" Slave_ID=\"1\" Type=\"Coil "
                              "Status\" Address=\"0\" NPoint=\"1\" PollTime=\"10\" MaxError=\"0\" Position=\"0\" "
                              "Bit=\"0\" Swap=\"N\" Mnemonic=\"\" />"));
}

TEST_F(ModbusTCPMasterWindow, RowButtonsActOnThePageShownAndPasteOnlyFromTheLastCopiedTable)
{
    write(QStringLiteral("ModbusTCPM_SetAccess.xml"), fixture("ModbusTCPM_SetAccess.full.xml"));
    form->Show();
    // Insert: the rows move down, the new row is empty and not enabled.
    goTo(0, 1);
    button("Btn_Insert_Row")->Click();
    EXPECT_EQ(grid(0)->Cells(1, 1), QString());
    EXPECT_EQ(grid(0)->Cells(2, 1), QString());
    EXPECT_EQ(grid(0)->Cells(2, 2), QStringLiteral("192.168.1.125"));
    EXPECT_EQ(grid(0)->Cells(0, 2), QStringLiteral("2"));
    EXPECT_EQ(grid(1)->Cells(2, 1), QStringLiteral("192.168.1.126"));   // the other table untouched

    // Copy in the read table, then in the write table: the read copy is withdrawn.
    goTo(0, 2);
    button("Btn_Copy_Row")->Click();
    goTo(1, 1);
    button("Btn_Copy_Row")->Click();
    goTo(0, 5);
    button("Btn_Paste_Row")->Click();
    EXPECT_EQ(messages(), QStringList{"Error!!! Copy a valid row before Paste it"});
    EXPECT_EQ(grid(0)->Cells(2, 5), QString());
    goTo(1, 4);
    button("Btn_Paste_Row")->Click();
    EXPECT_EQ(grid(1)->Cells(2, 4), QStringLiteral("192.168.1.126"));
    EXPECT_EQ(grid(1)->Cells(15, 4), QStringLiteral("Scene switch"));

    // Delete asks with the row number; No keeps the row.
    recorder.Clear();
    recorder.Answer(fw::mrNo);
    goTo(1, 1);
    button("Btn_Delete_Row")->Click();
    EXPECT_EQ(messages(), QStringList{"Are you sure to delete the Row number 1"});
    EXPECT_EQ(grid(1)->Cells(2, 1), QStringLiteral("192.168.1.126"));
    recorder.Answer(fw::mrYes);
    button("Btn_Delete_Row")->Click();
    EXPECT_EQ(grid(1)->Cells(2, 1), QStringLiteral("192.168.1.127"));
}

// A click on a row number selects that row; the row buttons act on it.
TEST_F(ModbusTCPMasterWindow, AClickOnARowNumberSelectsTheRowTheButtonsActOn)
{
    write(QStringLiteral("ModbusTCPM_SetAccess.xml"), fixture("ModbusTCPM_SetAccess.full.xml"));
    form->Show();
    goTo(1, 1, 5);
    clickCell(grid(1), 0, 3);
    EXPECT_EQ(grid(1)->Row(), 3);
    const fw::TGridRect selected = grid(1)->Selection();
    EXPECT_EQ(selected.Top, 3);
    EXPECT_EQ(selected.Bottom, 3);
    EXPECT_EQ(selected.Left, 1);
    EXPECT_EQ(selected.Right, grid(1)->ColCount() - 1);
    const QString below = grid(1)->Cells(2, 4);
    recorder.Answer(fw::mrYes);
    button("Btn_Delete_Row")->Click();
    EXPECT_EQ(messages(), QStringList{"Are you sure to delete the Row number 3"});
    EXPECT_EQ(grid(1)->Cells(2, 3), below);
}

TEST_F(ModbusTCPMasterWindow, ASaveThatFailsIsReportedAndTheWindowStaysOpen)
{
    write(QStringLiteral("ModbusTCPM_SetAccess.xml"), fixture("ModbusTCPM_SetAccess.full.xml"));
    form->Show();
    // A folder where the file should be: the write fails.
    ASSERT_TRUE(QFile::remove(File_ModbusTCPM_SetAccess));
    ASSERT_TRUE(QDir().mkpath(File_ModbusTCPM_SetAccess));
    grid(0)->SetCells(13, 1, QStringLiteral("typed"));
    form->Btn_OK->Click();
    expectSaveFailureReported();
    EXPECT_EQ(grid(0)->Cells(13, 1), QStringLiteral("typed"));
}

TEST_F(ModbusTCPMasterWindow, CancelWritesNothing)
{
    form->Show();
    grid(0)->SetCells(2, 1, QStringLiteral("10.0.0.1"));
    form->Btn_Cancel->Click();
    EXPECT_EQ(form->ModalResult(), fw::mrCancel);
    EXPECT_FALSE(QFile::exists(File_ModbusTCPM_SetAccess));
}

// ---------------------------------------------------------------- Modbus master

using ModbusMasterWindow = TableWindowFixture<TFSetAccess>;

TEST_F(ModbusMasterWindow, TablesWithoutAddressAndPortTranslatedButtons)
{
    EXPECT_EQ(form->ClientWidth(), 956);
    EXPECT_EQ(form->ClientHeight(), 337);
    EXPECT_EQ(grid(0)->AllColCount(), 12);
    EXPECT_EQ(grid(1)->AllColCount(), 14);
    EXPECT_EQ(grid(0)->Cells(2, 0), QStringLiteral("Slave ID"));
    EXPECT_TRUE(grid(1)->IsHiddenColumn(7));
    EXPECT_TRUE(grid(1)->IsHiddenColumn(8));
    EXPECT_EQ(grid(1)->ColWidths(grid(1)->DisplColIndex(13)), 237);
    Lang_Texts[1706] = QStringLiteral("Zeile kopieren");
    form->Set_Lang();
    EXPECT_EQ(button("Btn_Copy_Row")->Caption(), QStringLiteral("Zeile kopieren"));
}

// Unlike its TCP twin the serial master window can be enlarged; its tables take the room.
TEST_F(ModbusMasterWindow, AnEnlargedWindowGivesItsTablesTheRoom)
{
    form->Show();
    const QSize before = grid(0)->size();
    form->resize(1300, 640);
    QCoreApplication::processEvents();
    EXPECT_EQ(grid(0)->width() - before.width(), 1300 - 956);
    EXPECT_EQ(grid(0)->height() - before.height(), 640 - 337);
    EXPECT_EQ(form->Btn_OK->mapTo(form.get(), QPoint(0, 0)).y(), 640 - 40 + 6);
    EXPECT_EQ(form->L_SW_Desc->parentWidget()->width(), 1300);
    keepShot(form.get(), "modbus_master_enlarged");
}

TEST_F(ModbusMasterWindow, DefaultsAndAFileComeBackByteForByteHiddenCellsAsTheyStand)
{
    form->Show();
    keepShot(form.get(), "modbus_master");
    form->Btn_OK->Click();
    EXPECT_EQ(testsupport::readFile(File_ModbusM_SetAccess), fixture("ModbusM_SetAccess.default.xml"));

    const QByteArray golden = fixture("ModbusM_SetAccess.full.xml");
    write(QStringLiteral("ModbusM_SetAccess.xml"), golden);
    form->SetModalResult(fw::mrNone);
    form->Hide();
    form->Show();
    EXPECT_TRUE(messages().isEmpty()) << messages().join('\n').toStdString();
    EXPECT_EQ(grid(1)->Cells(7, 1), QStringLiteral("Y"));   // On Change from the file
    form->Btn_OK->Click();
    EXPECT_EQ(form->ModalResult(), fw::mrOk);
    EXPECT_EQ(testsupport::readFile(File_ModbusM_SetAccess), golden);
    testsupport::expectTableFileReadsBack(form->File(), File_ModbusM_SetAccess);
}

TEST_F(ModbusMasterWindow, OkChecksWithTheSerialTexts)
{
    expectOkOutcomes(File_ModbusM_SetAccess, fixture("ModbusM_SetAccess.full.xml"), {
        {0, 1, 2, "248", "Error row 1!! [Modbus Read] Slave ID must be between 1 and 247"},
        {0, 1, 5, "126", "Error row 1!! [Modbus Read] NPoint must be between 1 and 125"},
        {1, 1, 10, "1540", "Error row 1!! [Modbus Write] Position must be between 0 and 1539"},
        {1, 1, 10, "1539", "Error row 1!! [Modbus Write] Too many bytes to read starting from the Position indicate"},
    });
}

// ---------------------------------------------------------------- BACnet client

class BACnetWindow : public TableWindowFixture<TFBACnetAccess> {
protected:
    void setType(const char* type)
    {
        write(QStringLiteral("ParGen.xml"),
              QByteArray("<ParGen>\n<BACnet_Type>") + type + "</BACnet_Type>\n</ParGen>\n");
    }
};

TEST_F(BACnetWindow, TheAddressColumnFollowsTheBACnetTypeAndOnlyTheReadPageIsShown)
{
    EXPECT_EQ(form->ClientHeight(), 337);
    EXPECT_EQ(grid(0)->objectName(), QStringLiteral("ACG1"));
    EXPECT_EQ(grid(0)->AllColCount(), 18);
    EXPECT_EQ(grid(1)->AllColCount(), 22);
    EXPECT_TRUE(form->PC_Pages->isTabVisible(0));
    EXPECT_FALSE(form->PC_Pages->isTabVisible(1));
    for (int c : {14, 15, 16})
        EXPECT_TRUE(grid(0)->IsHiddenColumn(c)) << c;
    EXPECT_EQ(button("Btn_Import_CSV")->Caption(), QStringLiteral("Import EDE"));
    EXPECT_EQ(button("Btn_Copy_Row")->Caption(), QStringLiteral("Copy Row"));

    const struct {
        const char* type;   // nullptr: no ParGen.xml
        const char* header;
        bool hidden;
        int messages;
    } cases[] = {
        {nullptr, "IP Address", false, 1},
        {"0", "IP Address", false, 0},
        {"1", "Slave ID", false, 0},
        {"2", "", true, 0},
        {"1", "Slave ID", false, 0},   // shown again after a hidden one
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.type ? c.type : "none");
        recorder.Clear();
        if (c.type)
            setType(c.type);
        form->Show();
        EXPECT_EQ(messages().size(), c.messages);
        if (c.messages) {
            EXPECT_EQ(messages()[0], QStringLiteral("Select the BACnet Type in the \"Set Communication\" section"));
        }
        for (int t : {0, 1}) {
            EXPECT_EQ(grid(t)->IsHiddenColumn(2), c.hidden);
            if (!c.hidden) {
                EXPECT_EQ(grid(t)->Columns()[2]->Header(), QString::fromLatin1(c.header));
            }
        }
        form->Hide();
    }
}

TEST_F(BACnetWindow, DefaultsAndAFileComeBackByteForByte)
{
    setType("0");
    form->Show();
    keepShot(form.get(), "bacnet_access");
    form->Btn_OK->Click();
    EXPECT_EQ(form->ModalResult(), fw::mrOk);
    EXPECT_EQ(testsupport::readFile(File_BACnet_Master_Access), fixture("BACnet_Master_Access.default.xml"));

    const QByteArray golden = fixture("BACnet_Master_Access.full.xml");
    write(QStringLiteral("BACnet_Master_Access.xml"), golden);
    form->Hide();
    form->SetModalResult(fw::mrNone);
    form->Show();
    EXPECT_TRUE(messages().isEmpty()) << messages().join('\n').toStdString();
    EXPECT_EQ(grid(0)->Cells(10, 2), QStringLiteral("10, 20, 30"));
    // The NByte cell tells what its object and property take.
    QString hint;
    grid(0)->Events().OnGridHint(grid(0), 2, 6, hint);
    EXPECT_EQ(hint, QStringLiteral("1"));
    form->Btn_OK->Click();
    EXPECT_EQ(form->ModalResult(), fw::mrOk);
    EXPECT_EQ(testsupport::readFile(File_BACnet_Master_Access), golden);
    testsupport::expectTableFileReadsBack(form->File(), File_BACnet_Master_Access);
}

TEST_F(BACnetWindow, OkChecksReadThenWriteRowsWithTheirTexts)
{
    setType("0");
    expectOkOutcomes(File_BACnet_Master_Access, fixture("BACnet_Master_Access.full.xml"), {
        {0, 1, 2, "192.168.1", "Error in Read, row 1!! IP Address is not correct"},
        {0, 1, 12, "65536", "Error in Read, row 1!! Max Err must be between 0 and 65535"},
        {0, 2, 10, "10, 20", "Error in Read, row 2!! Destination Address has too few bytes"},
        {0, 2, 10, "10, 20, 30, 40", "Error in Read, row 2!! Destination Address has too many bytes"},
        {0, 2, 10, "10, 256, 30", "Error in Read, row 2!! Bytes of Destination Address must be between 0 and 255"},
        {0, 2, 10, "", "Error in Read, row 2!! Destination Address has too few bytes"},
        {0, 2, 9, "M9", "Error in Read, row 2!! Destination Length is Wrong, choose one in List"},
        {0, 2, 4, "4294967296", "Error in Read, row 2!! Instance must be between 0 and 4294967295"},
        {1, 1, 8, "5", "Error in Write, row 1!! NByte must be between 0 and 4"},
        {1, 1, 16, "65536", "Error in Write, row 1!! Max Err must be between 0 and 65535"},
        {1, 1, 4, "Signed Int", "Error in Write, row 1!! Data Type is not correct. Aspected Data Type is Real"},
    });
}

// The whole import as the user does it: Import EDE, the file, the choices
// in the import window, OK; the objects land in the free rows.
TEST_F(BACnetWindow, ImportedObjectsGoToFreeRowsAtTheNextFreePositions)
{
    setType("0");
    write(QStringLiteral("BACnet_Master_Access.xml"), fixture("BACnet_Master_Access.full.xml"));
    form->Show();
    const QString ede = fixturePath("ede_standard.csv");
    recorder.AnswerFile(ede);
    const QString seen = apptest::withModal([&] { button("Btn_Import_CSV")->Click(); }, [&](fw::TForm& w) {
        auto* import = qobject_cast<TFImportEDEFile*>(&w);
        ASSERT_NE(import, nullptr);
        keepShot(import, "import_ede");
        TFxColumnGrid* g = import->Grid(0);
        ASSERT_EQ(g->RowCount(), 8);   // seven objects of kinds the tables know
        EXPECT_EQ(g->Cells(4, 1), QStringLiteral("Hall temperature"));
        clickCell(g, 1, 1);   // Hall temperature: not imported
        EXPECT_EQ(g->Cells(1, 1), QStringLiteral("N"));
        // Door contact cannot be written: refused, the box goes back.
        clickCell(g, 3, 5);
        EXPECT_EQ(g->Cells(3, 5), QStringLiteral("N"));
        import->E_ID_IP->setText(QStringLiteral("192.168.1.50"));
        import->Btn_OK->Click();
    });
    EXPECT_EQ(seen, QStringLiteral("TFImportEDEFile"));
    EXPECT_EQ(messages(), QStringList{"Error line 5!! The Variable is only in read"});
    EXPECT_EQ(Path_EDE_Import, QFileInfo(ede).absolutePath());

    keepShot(form.get(), "bacnet_after_import");
    // Read rows 1 to 3 are the file's (row 3 disabled but keyed): the
    // objects follow from row 4, from the byte after the last one in use.
    TFxColumnGrid* read = grid(0);
    EXPECT_EQ(read->Cells(17, 3), QStringLiteral("disabled draft"));
    const struct {
        int row;
        const char* type;
        const char* bytes;
        const char* position;
    } placed[] = {
        {4, "Binary Value", "1", "5"}, {5, "Analog Output", "4", "6"},  {6, "Multi-State Value", "4", "10"},
        {7, "Binary Input", "1", "14"}, {8, "Binary Output", "1", "15"}, {9, "Life Safety Point", "2", "16"},
    };
    for (const auto& p : placed) {
        SCOPED_TRACE(p.row);
        EXPECT_EQ(read->Cells(2, p.row), QStringLiteral("192.168.1.50"));
        EXPECT_EQ(read->Cells(3, p.row), QString::fromLatin1(p.type));
        EXPECT_EQ(read->Cells(6, p.row), QString::fromLatin1(p.bytes));
        EXPECT_EQ(read->Cells(13, p.row), QString::fromLatin1(p.position));
    }
    EXPECT_EQ(read->Cells(2, 10), QString());
    // Commandable objects also become write rows, after the file's one.
    TFxColumnGrid* write = grid(1);
    EXPECT_EQ(write->Cells(3, 2), QStringLiteral("Binary Value"));
    EXPECT_EQ(write->Cells(4, 2), QStringLiteral("Enumerated"));
    EXPECT_EQ(write->Cells(17, 2), QStringLiteral("4"));
    EXPECT_EQ(write->Cells(3, 3), QStringLiteral("Analog Output"));
    EXPECT_EQ(write->Cells(17, 3), QStringLiteral("5"));
    EXPECT_EQ(write->Cells(21, 4), QStringLiteral("Mode - Operating mode"));
}

TEST_F(BACnetWindow, WithoutDeviceAddressesImportLeavesHandTypedRowsAlone)
{
    setType("2");   // rows are keyed by their object type
    form->Show();
    grid(0)->SetCells(3, 1, QStringLiteral("Analog Value"));
    grid(0)->SetCells(17, 1, QStringLiteral("typed by hand"));
    recorder.AnswerFile(fixturePath("ede_standard.csv"));
    apptest::withModal([&] { button("Btn_Import_CSV")->Click(); }, [&](fw::TForm& w) {
        auto& import = static_cast<TFImportEDEFile&>(w);
        import.E_ID_IP->clear();   // no address to check for this kind
        import.Btn_Unselect_AllClick();
        clickCell(import.Grid(0), 1, 2);   // only the scene lock
        import.Btn_OK->Click();
    });
    EXPECT_TRUE(messages().isEmpty()) << messages().join('\n').toStdString();
    EXPECT_EQ(grid(0)->Cells(17, 1), QStringLiteral("typed by hand"));
    EXPECT_EQ(grid(0)->Cells(3, 2), QStringLiteral("Binary Value"));
    EXPECT_EQ(grid(0)->Cells(3, 3), QString());
}

// ---------------------------------------------------------------- EDE import window

using ImportEDEWindow = TableWindowFixture<TFImportEDEFile>;

TEST_F(ImportEDEWindow, OkChecksTheDeviceAddressForTheBACnetType)
{
    form->EDE_File = fixturePath("ede_standard.csv");
    const struct {
        int type;
        const char* address;
        const char* message;
    } cases[] = {
        {0, "192.168.1.300", "Error!! IP Address is not correct"},
        {0, "192.168.1.30", ""},
        {1, "255", "Error!! Slave ID must be between 0 and 254"},
        {1, "254", ""},
        {2, "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.address);
        recorder.Clear();
        form->SetModalResult(fw::mrNone);
        form->App_BACnet_Type = c.type;
        form->Show();
        form->E_ID_IP->setText(QString::fromLatin1(c.address));
        form->Btn_OK->Click();
        if (*c.message) {
            EXPECT_EQ(messages(), QStringList{QString::fromLatin1(c.message)});
            EXPECT_EQ(form->ModalResult(), fw::mrNone);
        } else {
            EXPECT_TRUE(messages().isEmpty());
            EXPECT_EQ(form->ModalResult(), fw::mrOk);
        }
        form->Hide();
    }
}

TEST_F(ImportEDEWindow, SelectAllAndUnselectAllSetEveryImportBox)
{
    form->EDE_File = fixturePath("ede_standard.csv");
    form->Show();
    ASSERT_EQ(form->List_EDE_Var.size(), 7u);
    button("Btn_Unselect_All")->Click();
    for (int r = 1; r <= 7; ++r)
        EXPECT_EQ(grid()->Cells(1, r), QStringLiteral("N"));
    for (const TBACnet_Var& v : form->List_EDE_Var)
        EXPECT_FALSE(v.import);
    button("Btn_Select_All")->Click();
    EXPECT_EQ(grid()->Cells(1, 7), QStringLiteral("Y"));
    EXPECT_TRUE(form->List_EDE_Var.back().import);
    // The two buttons keep their captions whatever the language file says.
    Lang_Texts[1618] = QStringLiteral("Alle");
    form->Set_Lang();
    EXPECT_EQ(button("Btn_Select_All")->Caption(), QStringLiteral("Select All"));
    EXPECT_EQ(button("Btn_Unselect_All")->Caption(), QStringLiteral("Unselect All"));
}

TEST_F(ImportEDEWindow, ShortOrUnreadableFilesGiveAnEmptyList)
{
    form->EDE_File = fixturePath("ede_short.csv");
    form->Show();
    EXPECT_TRUE(messages().isEmpty());
    EXPECT_TRUE(form->List_EDE_Var.empty());
    EXPECT_EQ(grid()->RowCount(), 2);
    form->Hide();

    form->EDE_File = path(QStringLiteral("missing.csv"));
    form->Show();
    EXPECT_EQ(messages().size(), 1);
    EXPECT_TRUE(form->List_EDE_Var.empty());
}

// ---------------------------------------------------------------- DALI

using DALIWindow = apptest::ProjectWindow<TFDALI_Access>;

TEST_F(DALIWindow, ThreePagesOfTheirTables)
{
    EXPECT_EQ(form->ClientWidth(), 1200);
    EXPECT_EQ(form->ClientHeight(), 496);
    ASSERT_EQ(form->PC_Pages->count(), 3);
    EXPECT_EQ(form->PC_Pages->tabText(2), QStringLiteral("Functions"));
    EXPECT_EQ(form->ACG_DALI_Device()->RowCount(), 65);
    EXPECT_EQ(form->ACG_DALI_Device()->Cells(0, 1), QStringLiteral("DALI ID Device 0"));
    EXPECT_EQ(form->ACG_DALI_Device()->Cells(0, 64), QStringLiteral("DALI ID Device 63"));
    for (int c = 2; c <= 5; ++c)
        EXPECT_TRUE(form->ACG_DALI_Device()->IsHiddenColumn(c)) << c;
    EXPECT_EQ(form->SG()->RowCount(), 257);
    EXPECT_EQ(form->SG()->AllColCount(), 15);
    EXPECT_EQ(form->SG()->Cells(12, 0), QStringLiteral("Channel"));
    EXPECT_EQ(form->ACG()->RowCount(), 251);
    EXPECT_EQ(form->ACG()->Cells(5, 0), QStringLiteral("Mnemonic"));
}

TEST_F(DALIWindow, DefaultsAndFilesComeBackByteForByte)
{
    form->Show();
    EXPECT_TRUE(messages().isEmpty());
    EXPECT_EQ(form->SG()->Cells(1, 256), QStringLiteral("Y"));
    keepShot(form.get(), "dali_devices");
    form->Btn_OK->Click();
    EXPECT_EQ(form->ModalResult(), fw::mrOk);
    EXPECT_EQ(testsupport::readFile(File_DALI_Access), fixture("DALI_Access.default.xml"));
    EXPECT_EQ(testsupport::readFile(File_DALI2_Access), fixture("DALI2_Access.default.xml"));

    const QByteArray devices = fixture("DALI_Access.some.xml");
    const QByteArray rules = fixture("DALI2_Access.full.xml");
    write(QStringLiteral("DALI_Access.xml"), devices);
    write(QStringLiteral("DALI2_Access.xml"), rules);
    form->Hide();
    form->SetModalResult(fw::mrNone);
    form->Show();
    EXPECT_TRUE(messages().isEmpty()) << messages().join('\n').toStdString();
    EXPECT_EQ(form->ACG_DALI_Device()->Cells(1, 1), QStringLiteral("Y"));
    EXPECT_EQ(form->SG()->Cells(11, 1), QStringLiteral("1 - Scale"));
    form->PC_Pages->setCurrentIndex(TFDALI_Access::TS_Set_Access);
    keepShot(form.get(), "dali_set_access");
    form->PC_Pages->setCurrentIndex(TFDALI_Access::TS_Functions);
    keepShot(form.get(), "dali_functions");
    form->Btn_OK->Click();
    EXPECT_EQ(form->ModalResult(), fw::mrOk);
    EXPECT_EQ(testsupport::readFile(File_DALI_Access), devices);
    EXPECT_EQ(testsupport::readFile(File_DALI2_Access), rules);
}

TEST_F(DALIWindow, UnreadableFilesOpenWithAWarningAndAreKeptBesideTheFirstSave)
{
    const QByteArray broken = "<DALI_Access><DALI_ID_DEVICE_0>1</DALI_ID";
    write(QStringLiteral("DALI_Access.xml"), broken);
    write(QStringLiteral("DALI2_Access.xml"), "not xml");
    form->Show();
    ASSERT_EQ(messages().size(), 1);
    EXPECT_TRUE(messages()[0].startsWith(QStringLiteral("DALI_Access.xml\nThe file could not be read")))
        << messages()[0].toStdString();
    EXPECT_TRUE(messages()[0].contains(QStringLiteral("\n\nDALI2_Access.xml\nThe file could not be read")));
    EXPECT_EQ(form->ACG_DALI_Device()->Cells(1, 1), QStringLiteral("N"));
    form->Btn_OK->Click();
    EXPECT_EQ(form->ModalResult(), fw::mrOk);
    EXPECT_EQ(testsupport::readFile(File_DALI_Access + QStringLiteral(".bak")), broken);
    EXPECT_EQ(testsupport::readFile(File_DALI2_Access + QStringLiteral(".bak")), QByteArray("not xml"));
    EXPECT_EQ(testsupport::readFile(File_DALI_Access), fixture("DALI_Access.default.xml"));
}

// The in-place editor the grid asks for: its kind and the combo's list.
TEST_F(DALIWindow, SetAccessListsFollowTheRowsDeviceOrSensorAndType)
{
    write(QStringLiteral("DALI2_Access.xml"), fixture("DALI2_Access.full.xml"));
    form->Show();
    auto editorOf = [&](int col, int row) {
        TEditorType editor = edNone;
        form->SG()->Events().OnGetEditorType(form->SG(), col, row, editor);
        return std::make_pair(editor, form->SG()->Combobox().Items());
    };
    const auto sensorTypes = editorOf(3, 1);   // row 1: a push button sensor
    EXPECT_EQ(sensorTypes.first, edComboList);
    EXPECT_EQ(sensorTypes.second.value(0), QStringLiteral("Generic Input"));
    EXPECT_EQ(sensorTypes.second.size(), 7);
    EXPECT_EQ(editorOf(3, 3).second.size(), 10);   // row 3: a device
    EXPECT_EQ(editorOf(6, 1).second.value(2), QStringLiteral("Short Press"));
    EXPECT_EQ(editorOf(6, 3).first, edNormal);   // a device's event is typed
    const auto functions = editorOf(11, 1);
    EXPECT_EQ(functions.second.value(2), QStringLiteral("2 - Limit & clamp"));
    EXPECT_EQ(functions.second.size(), 251);
}

TEST_F(DALIWindow, OkChecksFunctionsThenSetAccessRulesWithTheirTexts)
{
    const struct {
        bool setAccess;
        int row, col;
        const char* text;
        const char* message;
    } cases[] = {
        {false, 1, 2, "", "Functions - Error Row 1!! Condition cannot be empty"},
        {false, 2, 3, "abc", "Functions - Error Row 2!! Value must be a valid float value"},
        {false, 3, 4, "3", ""},
        {false, 3, 4, "4", "Functions - Error Row 3!! Next Function must be between 0 and 3"},
        {true, 1, 3, "Dimmer", "Set Access - Error Row 1!! The Type selected is not compatible with the Sensor"},
        {true, 3, 3, "Push Button", "Set Access - Error Row 3!! The Type selected is not compatible with the Device"},
        {true, 3, 7, "256", "Set Access - Error Row 3!! Command Must be Between 0 and 255"},
        {true, 3, 10, "1441", "Set Access - Error Row 3!! Position Must be Between 0 and 1440"},
        {true, 1, 11, "4 - later", "Set Access - Error Row 1!! Function Must be between 0 and 3"},
        {true, 1, 11, "12abc", "Set Access - Error Row 1!! Function Must be between 0 and 3"},
        {true, 1, 12, "", "Set Access - Error Row 1!! Channel Must be Selected"},
        {true, 2, 7, "999", ""},   // a disabled rule is not checked
    };
    write(QStringLiteral("DALI2_Access.xml"), fixture("DALI2_Access.full.xml"));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        recorder.Clear();
        form->SetModalResult(fw::mrNone);
        form->Show();
        (c.setAccess ? form->SG() : form->ACG())->SetCells(c.col, c.row, QString::fromUtf8(c.text));
        form->Btn_OK->Click();
        if (*c.message) {
            EXPECT_EQ(messages(), QStringList{QString::fromUtf8(c.message)});
            EXPECT_EQ(form->ModalResult(), fw::mrNone);
            EXPECT_EQ(form->PC_Pages->currentIndex(),
                      c.setAccess ? TFDALI_Access::TS_Set_Access : TFDALI_Access::TS_Functions);
            EXPECT_EQ((c.setAccess ? form->SG() : form->ACG())->Row(), c.row);
        } else {
            EXPECT_TRUE(messages().isEmpty()) << messages().join('\n').toStdString();
            EXPECT_EQ(form->ModalResult(), fw::mrOk);
        }
        form->Hide();
        write(QStringLiteral("DALI2_Access.xml"), fixture("DALI2_Access.full.xml"));
    }
}

TEST_F(DALIWindow, PagesChooseTheirButtonsAndRebuildTheFunctionChoices)
{
    form->Show();
    form->PC_Pages->setCurrentIndex(TFDALI_Access::TS_Select_Device);
    auto visible = [&](const char* name) {
        return !form->findChild<TLbButton*>(QString::fromLatin1(name))->isHidden();
    };
    EXPECT_TRUE(visible("Btn_Select_All"));
    EXPECT_FALSE(visible("Btn_Delete_Row"));
    EXPECT_FALSE(visible("Btn_DALI_Maps"));
    form->findChild<TLbButton*>(QStringLiteral("Btn_Select_All"))->Click();
    EXPECT_EQ(form->ACG_DALI_Device()->Cells(1, 64), QStringLiteral("Y"));

    form->PC_Pages->setCurrentIndex(TFDALI_Access::TS_Functions);
    EXPECT_FALSE(visible("Btn_Select_All"));
    EXPECT_TRUE(visible("Btn_Paste_Row"));
    form->ACG()->SetCells(1, 1, QStringLiteral("Addition"));
    form->ACG()->SetCells(2, 1, QStringLiteral("No Condition"));
    form->ACG()->SetCells(3, 1, QStringLiteral("2"));
    form->ACG()->SetCells(5, 1, QStringLiteral("Offset"));
    EXPECT_EQ(form->SelFunct.value(1), QStringLiteral("1 - "));
    form->PC_Pages->setCurrentIndex(TFDALI_Access::TS_Set_Access);
    EXPECT_EQ(form->SelFunct.value(1), QStringLiteral("1 - Offset"));
    EXPECT_EQ(form->SelFunct.size(), 251);

    // A new set-access rule starts enabled; Delete asks with the row number.
    form->SG()->SetCells(2, 1, QStringLiteral("Device"));
    form->SG()->SetRow(1);
    form->findChild<TLbButton*>(QStringLiteral("Btn_Insert_Row"))->Click();
    EXPECT_EQ(form->SG()->Cells(1, 1), QStringLiteral("Y"));
    EXPECT_EQ(form->SG()->Cells(2, 2), QStringLiteral("Device"));
    recorder.Answer(fw::mrYes);
    form->SG()->SetRow(1);
    form->findChild<TLbButton*>(QStringLiteral("Btn_Delete_Row"))->Click();
    EXPECT_EQ(messages(), QStringList{"Are you sure to delete the Row number 1"});
    EXPECT_EQ(form->SG()->Cells(2, 1), QStringLiteral("Device"));
    EXPECT_EQ(form->SG()->Cells(1, 256), QStringLiteral("Y"));   // the freed last rule starts enabled

    form->SG()->SetCells(2, 1, QString());   // no rule left to check
    form->Btn_OK->Click();
    EXPECT_TRUE(messages().size() == 1) << messages().join('\n').toStdString();
    EXPECT_EQ(form->ModalResult(), fw::mrOk);
    const QByteArray saved = testsupport::readFile(File_DALI_Access);
    EXPECT_EQ(saved.count("1</DALI_ID_DEVICE_"), 64);
}

// ---------------------------------------------------------------- PROFINET file name

using ProfinetFileNameWindow = apptest::ProjectWindow<TFProfinetFileName>;

TEST_F(ProfinetFileNameWindow, TheNameIsComposedOnOkWithTheDateOfThatDay)
{
    Set_GSDML_Clock([] { return QDate(2024, 3, 9); });
    form->Show();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    keepShot(form.get(), "profinet_file_name");
    form->E_XML_User->setFocus();
    QTest::keyClicks(form->E_XML_User, QStringLiteral("../Hall3"));
    form->Btn_OK->Click();
    EXPECT_EQ(messages().size(), 1);   // a path is refused
    EXPECT_EQ(form->ModalResult(), fw::mrNone);
    form->E_XML_User->clear();
    QTest::keyClicks(form->E_XML_User, QStringLiteral("Hall3"));
    Set_GSDML_Clock([] { return QDate(2024, 3, 10); });
    form->Btn_OK->Click();
    Set_GSDML_Clock({});
    EXPECT_EQ(form->ModalResult(), fw::mrOk);
    EXPECT_EQ(form->Name_File_XML, QStringLiteral("GSDML-V2.31-Orlaqi-HD58526_Hall3-20240310.xml"));
}

// ---------------------------------------------------------------- from the main window

class AutomationSteps : public apptest::ProgramFolder {};

// The step buttons are hidden in this configuration, but the windows are made
// at start-up and each opens, loads and saves as its step would show it.
TEST_F(AutomationSteps, EveryWindowOpensFromTheProgramAndSavesItsFile)
{
    ASSERT_TRUE(write(QStringLiteral("Strandelor.xml"),
                      "<Conf_Settings><lastproj><projectname>P</projectname></lastproj></Conf_Settings>"));
    openProject(QStringLiteral("P"));
    ASSERT_TRUE(QDir().mkpath(Path_Project));
    start();
    ASSERT_EQ(Path_Project, path(QStringLiteral("PROJECTS/P")));
    ASSERT_TRUE(testsupport::writeFile(File_ParGen, "<Par_Gen><BACnet_Type>1</BACnet_Type></Par_Gen>\n"));
    const struct {
        TLbButton* step;      // nullptr: no step shows it
        fw::TForm* window;
        const QString* file;
    } windows[] = {
        {FZizuzuzarizFirmWare->Btn_DALI_Access, FDALI_Access, &File_DALI2_Access},
        {FZizuzuzarizFirmWare->Btn_ModM_SetAccess, FModbus_TCP_Master_Set_Access, &File_ModbusTCPM_SetAccess},
        {FZizuzuzarizFirmWare->Btn_Set_BACnet_Access, FBACnetAccess, &File_BACnet_Master_Access},
        {nullptr, FSetAccess, &File_ModbusM_SetAccess},
    };
    for (const auto& w : windows) {
        ASSERT_NE(w.window, nullptr);
        SCOPED_TRACE(w.window->objectName().toStdString());
        const QString opened = apptest::withModal(
            [&] {
                if (w.step)
                    FZizuzuzarizFirmWare->Btn_Click(w.step);
                else
                    w.window->ShowModal();
            },
            [](fw::TForm& open) { open.findChild<TLbButton*>(QStringLiteral("Btn_OK"))->Click(); });
        EXPECT_EQ(opened, QString::fromLatin1(w.window->metaObject()->className()));
        EXPECT_TRUE(QFileInfo::exists(*w.file));
        EXPECT_TRUE(testsupport::xmllintPasses(*w.file) || testsupport::xmllintProgram().isEmpty());
    }
    EXPECT_TRUE(messages().isEmpty()) << messages().join('\n').toStdString();
    // The BACnet window took the address kind of the project.
    EXPECT_EQ(FBACnetAccess->App_BACnet_Type(), 1);
    EXPECT_EQ(FBACnetAccess->Grid(0)->Columns()[2]->Header(), QStringLiteral("Slave ID"));
}

} // namespace
