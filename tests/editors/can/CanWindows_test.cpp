// The SNMP, CAN transmit and CANopen windows as the main window opens them:
// created at start-up, shown (loading the project file), edited through
// their grids and buttons, closed with OK (check and save). What their
// tables hold and check is tested with the data units; here the windows.
#include "editors/can/USNMP_Trap_Access.h"
#include "editors/can/USet_PDO_Access.h"
#include "editors/can/USet_SDO_Client_Access.h"
#include "editors/can/USet_SDO_Server_Access.h"
#include "editors/can/UTransmitCAN.h"

#include "app/AppTestFixture.h"
#include "app/services/UComon.h"
#include "app/services/ULanguage.h"
#include "controls/buttons/LbButton.h"
#include "editors/can/CanTestSupport.h"
#include "grid/model/FxCGrid.h"
#include "grid/paint/FxControlLook.h"
#include "support/OutsideReaders.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <ostream>

// Readable failure messages for texts.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace {

QByteArray fixture(const char* name)
{
    return testsupport::readFile(testsupport::dataPath(QStringLiteral("editors/can/") + QLatin1String(name)));
}

// A left click in the middle of a cell, where a centred check box sits.
void clickCell(TFxColumnGrid* g, int displayCol, int row)
{
    const fw::TRect r = g->CellRect(displayCol, row);
    QTest::mouseClick(g->viewport(), Qt::LeftButton, Qt::NoModifier,
                      QPoint(r.Left + r.Width() / 2, r.Top + r.Height() / 2));
    QCoreApplication::processEvents();
}

QStringList column(const TFxColumnGrid* g, int col, int fromRow, int toRow)
{
    QStringList cells;
    for (int r = fromRow; r <= toRow; ++r)
        cells << g->Cells(col, r);
    return cells;
}

template <class TWindow>
class CanWindow : public apptest::ProjectWindow<TWindow> {
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
    void goTo(int table, int row, int col = 1)
    {
        this->form->Show_Table(table);
        this->form->Table_Grid(table).Go_To(row, col);
    }

    struct TableShape {
        const char* name;
        int rows;      // data rows
        int columns;
        std::vector<const char*> headers;   // every column
        std::vector<int> widths;            // every column
    };
    void expectShape(int width, const char* caption, const std::vector<TableShape>& tables,
                     const std::vector<const char*>& pages = {})
    {
        auto& form = this->form;
        EXPECT_EQ(form->ClientWidth(), width);
        EXPECT_EQ(form->ClientHeight(), 337);
        EXPECT_EQ(form->Caption(), QString::fromUtf8(caption));
        ASSERT_EQ(form->Table_Count(), int(tables.size()));
        for (int t = 0; t < int(tables.size()); ++t) {
            SCOPED_TRACE(tables[size_t(t)].name);
            const TableShape& s = tables[size_t(t)];
            TFxColumnGrid* g = grid(t);
            EXPECT_EQ(g->objectName(), QString::fromLatin1(s.name));
            EXPECT_EQ(g->RowCount(), s.rows + 1);
            EXPECT_EQ(g->AllColCount(), s.columns);
            ASSERT_EQ(int(s.headers.size()), s.columns);
            ASSERT_EQ(int(s.widths.size()), s.columns);
            for (int c = 0; c < s.columns; ++c) {
                EXPECT_EQ(g->Cells(c, 0), QString::fromUtf8(s.headers[size_t(c)])) << c;
                EXPECT_EQ(g->ColWidths(c), s.widths[size_t(c)]) << c;
            }
        }
        ASSERT_EQ(pages.size(), form->PC_Pages ? size_t(form->PC_Pages->count()) : 0u);
        for (size_t p = 0; p < pages.size(); ++p)
            EXPECT_EQ(form->PC_Pages->tabText(int(p)), QString::fromUtf8(pages[p]));
        for (const char* b : {"Btn_Delete_Row", "Btn_Insert_Row", "Btn_Copy_Row", "Btn_Paste_Row"})
            ASSERT_NE(button(b), nullptr) << b;
        EXPECT_EQ(button("Btn_Paste_Row")->Caption(), QStringLiteral("Paste Row"));
        EXPECT_EQ(button("Btn_Copy_Row")->Hint(), QStringLiteral("Copy all Fields of the Selected Row"));
    }

    // Without a file the window shows its reset (or default) tables, and OK
    // writes the golden file; xmllint and Python read it back.
    void expectDefaultsSaved(const QString& file, const char* golden)
    {
        auto& form = this->form;
        form->Show();
        EXPECT_TRUE(this->messages().isEmpty()) << this->messages().join('\n').toStdString();
        form->Btn_OK->Click();
        EXPECT_EQ(form->ModalResult(), fw::mrOk);
        EXPECT_EQ(testsupport::readFile(file), fixture(golden));
        testsupport::expectTableFileReadsBack(form->File(), file);
        form->Hide();
    }

    // A file shown and saved through the grids comes back byte for byte.
    void expectRoundTrip(const QString& file, const char* golden)
    {
        auto& form = this->form;
        const QByteArray original = fixture(golden);
        ASSERT_FALSE(original.isEmpty()) << golden;
        ASSERT_TRUE(testsupport::writeFile(file, original));
        form->Show();
        EXPECT_TRUE(this->messages().isEmpty()) << this->messages().join('\n').toStdString();
        form->Btn_OK->Click();
        EXPECT_EQ(form->ModalResult(), fw::mrOk);
        EXPECT_EQ(testsupport::readFile(file), original);
        form->Hide();
    }

    struct CellCase {
        int table, row, col;
        const char* text;
        const char* message;   // empty: the check passes and the window closes
        int failCol = -1;      // the cell the window goes to, when not the edited one
    };
    // Each case: `golden` as the project file, the window shown, one cell
    // edited, OK. A refusal shows its one message, goes to the failing cell
    // on its page and writes nothing.
    void expectOkOutcomes(const QString& file, const char* golden, const std::vector<CellCase>& cases)
    {
        auto& form = this->form;
        const QByteArray original = fixture(golden);
        for (const CellCase& c : cases) {
            SCOPED_TRACE(c.text);
            ASSERT_TRUE(testsupport::writeFile(file, original));
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
                EXPECT_EQ(grid(c.table)->Col(), c.failCol >= 0 ? c.failCol : c.col);
                EXPECT_EQ(testsupport::readFile(file), original);
            }
            form->Hide();
        }
    }

    // As the user does it, the window shown without a file: a click on each
    // table's tab and on its first cell, then every cell's text typed and
    // Enter, which walks on to the next cell and row with the option set
    // ("[x]" ticks a check box with Space); at last a click on OK. Gives
    // the file written.
    QByteArray typeTablesAndConfirm(const QString& file, const std::vector<std::vector<QStringList>>& tables)
    {
        auto& form = this->form;
        Opt_Jump_Field = true;
        form->Show();
        form->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(form.get()));
        for (int t = 0; t < int(tables.size()); ++t) {
            QTabBar* tabs = form->PC_Pages->tabBar();
            QTest::mouseClick(tabs, Qt::LeftButton, Qt::NoModifier, tabs->tabRect(t).center());
            QCoreApplication::processEvents();
            EXPECT_EQ(form->Current_Table(), t);
            clickCell(grid(t), 1, 1);
            for (const QStringList& row : tables[size_t(t)]) {
                EXPECT_EQ(row.size(), grid(t)->ColCount() - 1);
                for (const QString& cell : row) {
                    if (cell == QLatin1String("[x]")) {
                        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
                    } else {
                        for (QChar ch : cell) {
                            QTest::keyClick(QApplication::focusWidget(), ch.toLatin1());
                            QCoreApplication::processEvents();
                        }
                    }
                    QCoreApplication::processEvents();
                    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
                    QCoreApplication::processEvents();
                }
            }
        }
        QTest::mouseClick(form->Btn_OK, Qt::LeftButton, Qt::NoModifier, form->Btn_OK->rect().center());
        QCoreApplication::processEvents();
        Opt_Jump_Field = false;
        EXPECT_TRUE(this->messages().isEmpty()) << this->messages().join('\n').toStdString();
        EXPECT_EQ(form->ModalResult(), fw::mrOk);
        return testsupport::readFile(file);
    }

    // Copy Row on one table, Paste Row on the other: text 902, nothing pasted.
    void expectNoPasteAcrossTables()
    {
        auto& form = this->form;
        form->Show();
        goTo(0, 1);
        button("Btn_Copy_Row")->Click();
        goTo(1, 2);
        const QString before = grid(1)->Cells(1, 2);
        button("Btn_Paste_Row")->Click();
        EXPECT_EQ(this->messages(), QStringList{Lang_Text(902)});
        EXPECT_EQ(grid(1)->Cells(1, 2), before);
        // A row of the same table pastes, into the last row (blank: no question).
        this->recorder.Clear();
        goTo(1, 1);
        button("Btn_Copy_Row")->Click();
        const int last = grid(1)->RowCount() - 1;
        goTo(1, last);
        button("Btn_Paste_Row")->Click();
        EXPECT_TRUE(this->messages().isEmpty()) << this->messages().join('\n').toStdString();
        for (int c = 1; c < grid(1)->ColCount(); ++c)
            EXPECT_EQ(grid(1)->Cells(c, last), grid(1)->Cells(c, 1)) << c;
    }
};

// ---------------------------------------------------------------- SNMP

using SnmpWindow = CanWindow<TFSNMP_Trap_Access>;

TEST_F(SnmpWindow, TwoTablesOfTheirColumns)
{
    expectShape(1256, "Set SNMP Trap Access",
                {{"ACG_SNMP_Read", 256, 15,
                  {"N", "Enable", "Community Name", "Type", "On Change", "On CMD", "On Timer", "Time (ms)", "Position",
                   "Start Bit", "Num Bits/Bytes", "Description", "IP Address", "Conversion", "Mnemonic"},
                  {40, 50, 130, 60, 75, 50, 60, 65, 60, 60, 95, 130, 120, 100, 130}},
                 {"ACG_SNMP_Write", 256, 10,
                  {"N", "Enable", "Community Name", "Type", "Position", "Start Bit", "Num Bits/Bytes", "Description",
                   "Conversion", "Mnemonic"},
                  {40, 50, 130, 60, 60, 60, 95, 130, 100, 500}}},
                {"SNMP Read", "SNMP Write"});
    TFxColumnGrid* read = grid(0);
    EXPECT_EQ(read->Columns()[1]->Editor(), edDataCheckBox);
    EXPECT_EQ(read->Columns()[2]->Editor(), edComboEdit);
    EXPECT_EQ(read->Columns()[2]->EditLength(), 15);
    EXPECT_EQ(read->Columns()[11]->EditLength(), 15);
    EXPECT_EQ(read->Columns()[11]->Color(), 0xFFD5D5u);
    // The fixed item lists are given when the window first shows.
    form->Show();
    EXPECT_EQ(read->Columns()[8]->ComboItems().Count(), 1440);
    EXPECT_EQ(read->Columns()[13]->ComboItems()[3], QStringLiteral("Float * 100"));
    EXPECT_EQ(grid(1)->Columns()[4]->ComboItems()[1439], QStringLiteral("1439"));
    EXPECT_EQ(form->Table_Grid(0).Header_Hint(0, 13), QStringLiteral("Select the Data Conversion from Float to Int"));
    EXPECT_EQ(form->Table_Grid(1).Header_Hint(0, 8), QStringLiteral("Select the Data Conversion from Int to Float"));
    EXPECT_EQ(form->Table_Grid(1).Header_Hint(1, 8), QString());

    EXPECT_EQ(grid(1)->ControlLook().FixedGradientHoverFrom(), fw::clGray);
    EXPECT_EQ(grid(1)->ControlLook().FixedGradientDownTo(), fw::clSilver);

    Lang_Texts[1927] = QStringLiteral("Beschreibung");
    form->Set_Lang();
    EXPECT_EQ(read->Cells(11, 0), QStringLiteral("Beschreibung"));
}

TEST_F(SnmpWindow, WithoutAFileOkWritesTheSixtyFourDefaultObjectsOfEachTable)
{
    form->Show();
    EXPECT_EQ(grid(0)->Cells(11, 64), QStringLiteral("lampADV63"));
    EXPECT_EQ(grid(1)->Cells(4, 64), QStringLiteral("63"));
    EXPECT_EQ(grid(0)->Cells(2, 65), QString());
    EXPECT_EQ(grid(0)->Cells(0, 256), QStringLiteral("256"));
    cantest::keepShot(form.get(), "snmp_trap_access");
    form->Hide();
    expectDefaultsSaved(File_SNMP_Trap, "SNMP_Trap.default.xml");
}

TEST_F(SnmpWindow, AFileShownAndSavedComesBackByteForByte)
{
    expectRoundTrip(File_SNMP_Trap, "SNMP_Trap.full.xml");
    // Running numbers of the enabled rows only.
    EXPECT_EQ(column(grid(0), 0, 1, 4), QStringList({"1", "", "2", "3"}));
    EXPECT_EQ(grid(0)->Cells(14, 1), QStringLiteral("Boiler & pump <A> \"1\" 'x'"));
}

TEST_F(SnmpWindow, OkChecksBothTablesAndNamesTheFirstFailure)
{
    expectOkOutcomes(File_SNMP_Trap, "SNMP_Trap.full.xml", {
        {0, 3, 10, "17", "Error row 3!! [SNMP Read] Num Bits/Bytes must be between 1 and 16 bytes"},
        {0, 1, 12, "192.168.2.256", "Error row 1!! [SNMP Read] IP Address must be a valid TCP IP Address (Ex. 192.168.1.125)"},
        {0, 2, 3, "", ""},   // row 2 is disabled
        {1, 1, 5, "1", "Error row 1!! [SNMP Write] Start Bit must be 0 if Type is String"},
        {1, 1, 7, "alarmText", "Error!! The Descriptions must be all differents"},
        {1, 1, 7, "trapval2",
         "Error row 1!! [SNMP Write] Description is a name the MIB already gives to one of its own objects or "
         "notifications: trapval2"},
    });
}

TEST_F(SnmpWindow, ClickingAnEnableBoxRenumbersThatTable)
{
    form->Show();
    QApplication::setActiveWindow(form.get());
    goTo(0, 1, 2);
    clickCell(grid(0), 1, 2);   // lampADV1 off
    EXPECT_EQ(grid(0)->Cells(1, 2), QStringLiteral("N"));
    EXPECT_EQ(column(grid(0), 0, 1, 4), QStringList({"1", "", "2", "3"}));
    EXPECT_EQ(grid(1)->Cells(0, 3), QStringLiteral("3"));   // the other table keeps its numbers
    clickCell(grid(0), 1, 2);
    EXPECT_EQ(column(grid(0), 0, 1, 4), QStringList({"1", "2", "3", "4"}));

    // Inserting a row does not renumber; its Enable box is ticked.
    goTo(0, 2);
    button("Btn_Insert_Row")->Click();
    EXPECT_EQ(grid(0)->Cells(1, 2), QStringLiteral("Y"));
    EXPECT_EQ(grid(0)->Cells(2, 2), QString());
    EXPECT_EQ(grid(0)->Cells(11, 3), QStringLiteral("lampADV1"));
    EXPECT_EQ(column(grid(0), 0, 1, 3), QStringList({"1", "2", "3"}));
}

TEST_F(SnmpWindow, RowsCopiedFromOneTablePasteOnlyIntoIt)
{
    expectNoPasteAcrossTables();
}

TEST_F(SnmpWindow, DeleteAsksWithTheRowNumber)
{
    form->Show();
    goTo(1, 3);
    recorder.Answer(fw::mrNo);
    button("Btn_Delete_Row")->Click();
    EXPECT_EQ(messages(), QStringList{"Are you sure to delete the Row number 3"});
    EXPECT_EQ(grid(1)->Cells(7, 3), QStringLiteral("lamp2"));
    recorder.Answer(fw::mrYes);
    button("Btn_Delete_Row")->Click();
    EXPECT_EQ(grid(1)->Cells(7, 3), QStringLiteral("lamp3"));
}

// ---------------------------------------------------------------- CAN transmit

using TransmitCANWindow = CanWindow<TFTransmitCAN>;

TEST_F(TransmitCANWindow, TheGridIsTheTableOfItsColumns)
{
    expectShape(1100, "Transmit CAN Frames Set Access",
                {{"ACG_CAN_Transmit", 512, 18,
                  {"N", "Enable", "CobID", "Type", "Dimension", "OnChange", "OnCMD", "OnTimer", "Time", "Byte1", "Byte2",
                   "Byte3", "Byte4", "Byte5", "Byte6", "Byte7", "Byte8", "Mnemonic"},
                  {40, 50, 90, 90, 70, 65, 50, 55, 70, 48, 48, 48, 48, 48, 48, 48, 48, 110}}});
    // The fixed item lists are given when the window first shows.
    form->Show();
    const fw::TStringList& bytes = grid()->Columns()[16]->ComboItems();
    ASSERT_EQ(bytes.Count(), 513);
    EXPECT_EQ(bytes[0], QStringLiteral("None"));
    EXPECT_EQ(bytes[512], QStringLiteral("511"));
    EXPECT_EQ(grid()->Columns()[5]->Editor(), edDataCheckBox);
    EXPECT_EQ(grid()->ControlLook().FixedGradientDownBorder(), 0xD5BCAAu);
    EXPECT_EQ(grid()->ActiveCellColor(), 0xEACAB6u);
    EXPECT_EQ(form->Table_Grid(0).Header_Hint(0, 6),
              QStringLiteral("Enable or Disable the possibility to send the CAN Frame by Command"));
    EXPECT_EQ(form->Table_Grid(0).Header_Hint(0, 17), QStringLiteral("Insert a description of the CAN Frame"));
}

TEST_F(TransmitCANWindow, WithoutAFileTheTableIsEmptyAndOkWritesNoRows)
{
    form->Show();
    EXPECT_EQ(grid()->Cells(1, 512), QStringLiteral("Y"));
    EXPECT_EQ(grid()->Cells(0, 512), QStringLiteral("512"));
    form->Hide();
    expectDefaultsSaved(File_CAN_Send_Frames, "CAN_Send_Frames.default.xml");
}

TEST_F(TransmitCANWindow, AFileShownAndSavedComesBackByteForByte)
{
    expectRoundTrip(File_CAN_Send_Frames, "CAN_Send_Frames.full.xml");
    form->Show();
    cantest::keepShot(form.get(), "transmit_can");
}

TEST_F(TransmitCANWindow, OkChecksTheEnabledRowsAndNamesTheFirstFailure)
{
    expectOkOutcomes(File_CAN_Send_Frames, "CAN_Send_Frames.full.xml", {
        {0, 1, 2, "2048", "Error row 1!! CobID must be between 0 and 2047"},
        {0, 1, 2, "0x7FF", ""},
        {0, 1, 2, "2047 ", "Error row 1!! CobID must be between 0 and 2047"},
        {0, 3, 2, "0x20000000", "Error row 3!! CobID must be between 0x00000000 and 0x1FFFFFFF"},
        {0, 1, 8, "100000001", "Error row 1!! Time must be between 0 and 100000000 milliseconds"},
        {0, 1, 11, "512", "Error row 1!! Byte3 must be between 0 and 511 or None"},
        {0, 1, 12, "512", ""},   // beyond the Dimension
        {0, 2, 4, "99", ""},     // a disabled row
    });
}

TEST_F(TransmitCANWindow, MissingAttributesTakeTheirDefaultsAndAreReported)
{
    ASSERT_TRUE(testsupport::writeFile(File_CAN_Send_Frames,
                                       "<Transmit_Frames>\n"
                                       "<row COBID=\"1\" Dim=\"1\" OnTimer=\"Y\"/>\n"
                                       "<row COBID=\"2\" Dim=\"1\" OnTimer=\"N\"/>\n"
                                       "</Transmit_Frames>\n"));
    form->Show();
    ASSERT_EQ(messages().size(), 1);
    EXPECT_TRUE(messages()[0].contains(QStringLiteral("1-2"))) << messages()[0].toStdString();
    // Enable "Y", Type 11 bits, OnChange "Y", OnCMD "N"; Time "0" with OnTimer only.
    const QStringList loaded{grid()->Cells(1, 1), grid()->Cells(3, 1), grid()->Cells(5, 1), grid()->Cells(6, 1),
                             grid()->Cells(8, 1), grid()->Cells(8, 2)};
    EXPECT_EQ(loaded, QStringList({"Y", "2.0A (11 bits)", "Y", "N", "0", ""}));
}

// ---------------------------------------------------------------- PDO

using PdoWindow = CanWindow<TFSet_PDO_Access>;

TEST_F(PdoWindow, TwoTablesOfTheirColumns)
{
    expectShape(798, "Set PDO Access",
                {{"sga", 30, 13,
                  {"N", "COB-ID", "Dimension", "Add B1", "Add B2", "Add B3", "Add B4", "Add B5", "Add B6", "Add B7",
                   "Add B8", "TimeOut", "Mnemonic"},
                  {40, 65, 65, 45, 45, 45, 45, 45, 45, 45, 45, 65, 173}},
                 {"sgb", 30, 14,
                  {"N", "COB-ID", "Dimension", "Add B1", "Add B2", "Add B3", "Add B4", "Add B5", "Add B6", "Add B7",
                   "Add B8", "Send Time", "On Change", "Mnemonic"},
                  {40, 65, 65, 45, 45, 45, 45, 45, 45, 45, 45, 65, 68, 105}}},
                {"Receive PDO", "Transmit PDO"});
    EXPECT_EQ(grid(0)->RowHeights(1), 21);
    EXPECT_EQ(grid(1)->Columns()[12]->Editor(), edDataCheckBox);
    EXPECT_EQ(form->Table_Grid(1).Header_Hint(0, 11),
              QStringLiteral("Insert the Time in milliseconds between the sending of CANopen PDO frames"));
}

TEST_F(PdoWindow, WithoutAFileOkWritesTwoEmptySections)
{
    expectDefaultsSaved(File_PDO_CANopen, "PDO_CANopen.default.xml");
}

TEST_F(PdoWindow, AFileShownAndSavedComesBackByteForByte)
{
    expectRoundTrip(File_PDO_CANopen, "PDO_CANopen.full.xml");
    form->Show();
    cantest::keepShot(form.get(), "pdo_canopen");
}

// The file as typed, byte for byte: no declaration, no indentation, the
// root on one line and the version comment on the next; every attribute in
// column order with the cell's text as typed, empty cells included.
TEST_F(PdoWindow, TypedRowsAreWrittenWithoutIndentation)
{
    const QByteArray saved = typeTablesAndConfirm(File_PDO_CANopen, {
        {{"0x181", "2", "0", "1439", "", "", "", "", "", "", "100", "a & b"},
         {"$182", "1", "20", "", "", "", "", "", "", "", "0", ""}},
        {{"0x201", "8", "1", "2", "3", "4", "5", "6", "7", "8", "100", "[x]", "out"}},
    });
    EXPECT_EQ(saved,
              QByteArray("<PDO_CANopen><Receive_PDO>"
                         "<row COB-ID=\"0x181\" Dimension=\"2\" Address_B1=\"0\" Address_B2=\"1439\" Address_B3=\"\" "
                         "Address_B4=\"\" Address_B5=\"\" Address_B6=\"\" Address_B7=\"\" Address_B8=\"\" TimeOut=\"100\" "
                         "Mnemonic=\"a &amp; b\"/>"
                         "<row COB-ID=\"$182\" Dimension=\"1\" Address_B1=\"20\" Address_B2=\"\" Address_B3=\"\" "
                         "Address_B4=\"\" Address_B5=\"\" Address_B6=\"\" Address_B7=\"\" Address_B8=\"\" TimeOut=\"0\" "
                         "Mnemonic=\"\"/>"
                         "</Receive_PDO><Transmit_PDO>"
                         "<row COB-ID=\"0x201\" Dimension=\"8\" Address_B1=\"1\" Address_B2=\"2\" Address_B3=\"3\" "
                         "Address_B4=\"4\" Address_B5=\"5\" Address_B6=\"6\" Address_B7=\"7\" Address_B8=\"8\" "
                         "Send_Time=\"100\" On_Change=\"Y\" Mnemonic=\"out\"/>"
                         "</Transmit_PDO></PDO_CANopen>\n"
                         "<!--SW_VERSION = 1.000-->\n"));
    testsupport::expectTableFileReadsBack(form->File(), File_PDO_CANopen);
}

TEST_F(PdoWindow, OkChecksBothTablesAndNamesTheFirstFailure)
{
    expectOkOutcomes(File_PDO_CANopen, "PDO_CANopen.full.xml", {
        {0, 1, 1, "2047 ", "Error row 1!! [Receive PDO] COB-ID must be between 0x000 and 0x7FF"},
        {0, 1, 1, " 0x7FF", ""},
        {0, 1, 4, "1440", "Error row 1!! [Receive PDO] Address Byte2 must be between 0 and 1439"},
        {0, 2, 11, "65536", "Error row 2!! [Receive PDO] TimeOut must be between 0 and 65535"},
        {1, 1, 2, "9", "Error row 1!! [Transmit PDO] Dimension must be between 1 and 8"},
        {1, 1, 11, "100000001", "Error row 1!! [Transmit PDO] Send Time must be between 0 and 100000000"},
    });
}

TEST_F(PdoWindow, RowButtonsLeaveNewRowsBlankAndPasteOnlyWithinATable)
{
    ASSERT_TRUE(testsupport::writeFile(File_PDO_CANopen, fixture("PDO_CANopen.full.xml")));
    expectNoPasteAcrossTables();
    goTo(0, 1);
    button("Btn_Insert_Row")->Click();
    EXPECT_EQ(grid(0)->Cells(1, 1), QString());
    EXPECT_EQ(grid(0)->Cells(1, 2), QStringLiteral("0x181"));
    EXPECT_EQ(grid(0)->Cells(0, 2), QStringLiteral("2"));
}

TEST_F(PdoWindow, AClickOnARowNumberSelectsTheRow)
{
    ASSERT_TRUE(testsupport::writeFile(File_PDO_CANopen, fixture("PDO_CANopen.full.xml")));
    form->Show();
    QApplication::setActiveWindow(form.get());
    clickCell(grid(0), 0, 2);
    const fw::TGridRect s = grid(0)->Selection();
    EXPECT_EQ(s.Top, 2);
    EXPECT_EQ(s.Bottom, 2);
    EXPECT_EQ(s.Left, 1);
    EXPECT_EQ(s.Right, 12);
}

// ---------------------------------------------------------------- SDO client

using SdoClientWindow = CanWindow<TFSet_SDO_Client_Access>;

TEST_F(SdoClientWindow, TwoTablesOfTheirColumns)
{
    expectShape(798, "Set SDO Client Access",
                {{"sga", 256, 11,
                  {"N", "ID Device", "Index", "SubIndex", "N Byte", "Poll Time", "Add Byte1", "Add Byte2", "Add Byte3",
                   "Add Byte4", "Mnemonic"},
                  {40, 60, 55, 60, 45, 60, 70, 70, 70, 70, 163}},
                 {"sgb", 256, 12,
                  {"N", "ID Device", "Index", "SubIndex", "N Byte", "Poll Time", "On Change", "Add Byte1", "Add Byte2",
                   "Add Byte3", "Add Byte4", "Mnemonic"},
                  {40, 60, 55, 60, 45, 60, 68, 70, 70, 70, 70, 95}}},
                {"SDO Read", "SDO Write"});
    EXPECT_EQ(form->Table_Grid(1).Header_Hint(0, 6),
              QStringLiteral("Enable or Disable the possibility to send the CANopen SDO Request if a Data Byte changes"));
}

TEST_F(SdoClientWindow, WithoutAFileOkWritesTwoEmptySections)
{
    expectDefaultsSaved(File_SDO_Client_CANopen, "SDO_Client_CANopen.default.xml");
}

TEST_F(SdoClientWindow, AFileShownAndSavedComesBackByteForByte)
{
    expectRoundTrip(File_SDO_Client_CANopen, "SDO_Client_CANopen.full.xml");
    form->Show();
    cantest::keepShot(form.get(), "sdo_client_canopen");
}

TEST_F(SdoClientWindow, TypedRowsAreWrittenWithoutIndentation)
{
    const QByteArray saved = typeTablesAndConfirm(File_SDO_Client_CANopen, {
        {{"5", "0x6000", "1", "2", "1000", "0", "1439", "", "", "in"}},
        {{"127", "4096", "0xFF", "1", "0", "[x]", "100", "", "", "", "out"},
         {"0x7F", "$1018", "0", "4", "50", "", "10", "11", "12", "13", ""}},
    });
    EXPECT_EQ(saved,
              QByteArray("<SDO_Client_CANopen><SDO_Read>"
                         "<row Device_ID=\"5\" Index=\"0x6000\" SubIndex=\"1\" NByte=\"2\" Poll_Time=\"1000\" "
                         "Address_B1=\"0\" Address_B2=\"1439\" Address_B3=\"\" Address_B4=\"\" Mnemonic=\"in\"/>"
                         "</SDO_Read><SDO_Write>"
                         "<row Device_ID=\"127\" Index=\"4096\" SubIndex=\"0xFF\" NByte=\"1\" Poll_Time=\"0\" "
                         "On_Change=\"Y\" Address_B1=\"100\" Address_B2=\"\" Address_B3=\"\" Address_B4=\"\" "
                         "Mnemonic=\"out\"/>"
                         "<row Device_ID=\"0x7F\" Index=\"$1018\" SubIndex=\"0\" NByte=\"4\" Poll_Time=\"50\" "
                         "On_Change=\"\" Address_B1=\"10\" Address_B2=\"11\" Address_B3=\"12\" Address_B4=\"13\" "
                         "Mnemonic=\"\"/>"
                         "</SDO_Write></SDO_Client_CANopen>\n"
                         "<!--SW_VERSION = 1.000-->\n"));
    testsupport::expectTableFileReadsBack(form->File(), File_SDO_Client_CANopen);
}

TEST_F(SdoClientWindow, OkChecksBothTablesAndNamesTheFirstFailure)
{
    expectOkOutcomes(File_SDO_Client_CANopen, "SDO_Client_CANopen.full.xml", {
        {0, 1, 1, "128", "Error row 1!! [SDO Read] Device ID must be between 1 and 127"},
        {0, 2, 5, "0", "Error row 2!! [SDO Read] Poll Time must be between 1 and 100000000"},
        {0, 2, 8, "abc", "Error row 2!! [SDO Read] Address Byte3 must be between 0 and 1439"},
        {1, 1, 5, "0", ""},
        {1, 1, 2, "0x0FFF", "Error row 1!! [SDO Write] Index must be between 0x1000 and 0xFFFF"},
        {1, 1, 4, "3", "Error row 1!! [SDO Write] N Byte must be 1 or 2 or 4"},
    });
}

TEST_F(SdoClientWindow, RowsCopiedFromOneTablePasteOnlyIntoIt)
{
    ASSERT_TRUE(testsupport::writeFile(File_SDO_Client_CANopen, fixture("SDO_Client_CANopen.full.xml")));
    expectNoPasteAcrossTables();
}

// ---------------------------------------------------------------- SDO server

using SdoServerWindow = CanWindow<TFSet_SDO_Server_Access>;

TEST_F(SdoServerWindow, TwoTablesOfTheirColumns)
{
    const std::vector<const char*> headers{"N", "Index", "SubIndex", "N Byte", "Add Byte1", "Add Byte2", "Add Byte3",
                                           "Add Byte4", "Mnemonic"};
    const std::vector<int> widths{40, 65, 61, 55, 80, 80, 80, 80, 170};
    expectShape(749, "Set SDO Server Access", {{"sga", 500, 9, headers, widths}, {"sgb", 500, 9, headers, widths}},
                {"SDO in Read", "SDO in Write"});
    EXPECT_EQ(form->Table_Grid(1).Header_Hint(0, 4),
              QStringLiteral("Insert the position of array where write the byte 1 of CANopen SDO Request"));
}

TEST_F(SdoServerWindow, WithoutAFileOkWritesTwoEmptySections)
{
    expectDefaultsSaved(File_SDO_Server_CANopen, "SDO_Server_CANopen.default.xml");
}

TEST_F(SdoServerWindow, AFileShownAndSavedComesBackByteForByte)
{
    expectRoundTrip(File_SDO_Server_CANopen, "SDO_Server_CANopen.full.xml");
    form->Show();
    cantest::keepShot(form.get(), "sdo_server_canopen");
}

// An object given twice, in one table or in both, is no error of the
// window: both rows are saved (the EDS writer is the one that refuses it).
TEST_F(SdoServerWindow, TypedRowsAreWrittenWithoutIndentationAlsoAnObjectGivenTwice)
{
    const QByteArray saved = typeTablesAndConfirm(File_SDO_Server_CANopen, {
        {{"0x2000", "12", "1", "0", "", "", "", "state"},
         {"8192", "12", "2", "1", "2", "x", "", ""}},
        {{"$2000", "0x0C", "4", "10", "11", "12", "1439", "set & limit"}},
    });
    EXPECT_EQ(saved,
              QByteArray("<SDO_Server_CANopen><SDO_Read>"
                         "<row Index=\"0x2000\" SubIndex=\"12\" NByte=\"1\" Address_B1=\"0\" Address_B2=\"\" "
                         "Address_B3=\"\" Address_B4=\"\" Mnemonic=\"state\"/>"
                         "<row Index=\"8192\" SubIndex=\"12\" NByte=\"2\" Address_B1=\"1\" Address_B2=\"2\" "
                         "Address_B3=\"x\" Address_B4=\"\" Mnemonic=\"\"/>"
                         "</SDO_Read><SDO_Write>"
                         "<row Index=\"$2000\" SubIndex=\"0x0C\" NByte=\"4\" Address_B1=\"10\" Address_B2=\"11\" "
                         "Address_B3=\"12\" Address_B4=\"1439\" Mnemonic=\"set &amp; limit\"/>"
                         "</SDO_Write></SDO_Server_CANopen>\n"
                         "<!--SW_VERSION = 1.000-->\n"));
    testsupport::expectTableFileReadsBack(form->File(), File_SDO_Server_CANopen);
}

TEST_F(SdoServerWindow, OkChecksBothTablesAndNamesTheFirstFailure)
{
    expectOkOutcomes(File_SDO_Server_CANopen, "SDO_Server_CANopen.full.xml", {
        {0, 1, 1, "0x1FFF", "Error row 1!! [SDO in Read] Index must be between 0x2000 and 0x5FFF"},
        {0, 2, 3, "4", "Error row 2!! [SDO in Read] Address Byte3 must be between 0 and 1439", 6},
        {1, 2, 1, "0x6000", "Error row 2!! [SDO in Write] Index must be between 0x2000 and 0x5FFF"},
        // 0x2000 sub-index 1 is row 2 of the read table already: not refused.
        {1, 1, 2, "1", ""},
        {1, 2, 1, "$2000", ""},
    });
}

TEST_F(SdoServerWindow, RowsCopiedFromOneTablePasteOnlyIntoIt)
{
    ASSERT_TRUE(testsupport::writeFile(File_SDO_Server_CANopen, fixture("SDO_Server_CANopen.full.xml")));
    expectNoPasteAcrossTables();
}

} // namespace
