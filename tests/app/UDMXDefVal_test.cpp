#include "app/UDMXDefVal.h"

#include "app/AppTestFixture.h"
#include "app/services/ParGenFile.h"
#include "app/services/UComon.h"
#include "app/services/ULanguage.h"
#include "controls/buttons/LbButton.h"
#include "framework/SysColors.h"
#include "framework/TextFile.h"
#include "grid/model/FxCGrid.h"
#include "support/OutsideReaders.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QScrollBar>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <ostream>
#include <vector>

// Readable failure messages for texts.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace {

const QString kRangeText = QStringLiteral("!! Default Value must be between 0 and 255");

// A project of its own and the window as the program creates it.
class DmxWindow : public apptest::ProjectWindow<TFDMXDefVal> {
protected:

    TFxColumnGrid* grid() const { return form->ACG_DMX_Def_Val(); }
    void channels(const char* count)
    {
        TParGen_Values v;
        v.DMX_Num_Channels = QString::fromLatin1(count);
        Write_ParGen_File(File_ParGen, v);
    }
    static QByteArray dmxRows(int count, const char* first = "v")
    {
        QByteArray rows;
        for (int i = 1; i <= count; ++i)
            rows += "<Row Default_Value=\"" + QByteArray::number(i % 256) + "\" Mnemonic=\"" + first
                    + QByteArray::number(i) + "\"/>";
        return rows;
    }
    void writeDmx(const QByteArray& bytes) { ASSERT_TRUE(testsupport::writeFile(File_DMX_Default_Values, bytes)); }
    QStringList row(int r) const { return {grid()->Cells(0, r), grid()->Cells(1, r), grid()->Cells(2, r)}; }
};

struct LoadCase {
    const char* name;
    const char* parGenCount;   // nullptr: no ParGen.xml
    QByteArray dmx;            // empty: no DMX_Default_Values.xml
    int rows;                  // table rows shown
    std::vector<std::pair<int, QStringList>> expected;   // row, its three cells
    QString warning;           // the lines after the file name; empty: no warning
};

TEST_F(DmxWindow, RowsFollowTheChannelCountAndTheFile)
{
    const QString dmxFile = QStringLiteral("DMX_Default_Values.xml\n");
    const LoadCase cases[] = {
        {"no files", nullptr, {}, 512, {{1, {"1", "0", ""}}, {512, {"512", "0", ""}}}, {}},
        {"24 channels, a file of 512 rows", "24",
         "<DMX_Default_Values>" + dmxRows(512) + "</DMX_Default_Values>", 24,
         {{1, {"1", "1", "v1"}}, {24, {"24", "24", "v24"}}},
         dmxFile + Lang_Text(912) + " (" + Lang_Text(1300) + "): 25-512"},
        {"512 channels, a file of 24 rows", "512", "<DMX_Default_Values>" + dmxRows(24) + "</DMX_Default_Values>",
         512, {{24, {"24", "24", "v24"}}, {25, {"25", "0", ""}}, {512, {"512", "0", ""}}}, {}},
        {"missing attributes", nullptr,
         "<DMX_Default_Values><Row Mnemonic=\"m\"/><Row Default_Value=\"300\"/><Row/></DMX_Default_Values>", 512,
         {{1, {"1", "0", "m"}}, {2, {"2", "300", ""}}, {3, {"3", "0", ""}}}, {}},
        {"comments and blanks between rows", "4",
         "<DMX_Default_Values>\n  <Row Default_Value=\"1\" Mnemonic=\"a\"/>\n  <!-- b follows -->\n\n"
         "  <Row Default_Value=\"2\" Mnemonic=\"b\"/><?note?>\n  <Row Default_Value=\"3\" Mnemonic=\"c\"/>\n"
         "</DMX_Default_Values>\n<!--SW_VERSION = 1.001-->\n",
         4, {{1, {"1", "1", "a"}}, {2, {"2", "2", "b"}}, {3, {"3", "3", "c"}}, {4, {"4", "0", ""}}}, {}},
        {"one channel", "1", {}, 1, {{1, {"1", "0", ""}}}, {}},
        {"no channel counts as 512", "0", {}, 512, {}, {}},
        {"more than 512 counts as 512", "513", {}, 512, {}, {}},
        {"a negative count counts as 512", "-24", {}, 512, {}, {}},
        {"a count that is no number", "24x", {}, 512, {}, {}},
        {"a hexadecimal count", "$18", {}, 24, {}, {}},
    };
    for (const LoadCase& c : cases) {
        SCOPED_TRACE(c.name);
        recorder.Clear();
        QFile::remove(File_ParGen);
        QFile::remove(File_DMX_Default_Values);
        if (c.parGenCount)
            channels(c.parGenCount);
        if (!c.dmx.isEmpty())
            writeDmx(c.dmx);
        form->Show();
        EXPECT_EQ(grid()->RowCount(), c.rows + 1);
        for (const auto& [r, cells] : c.expected)
            EXPECT_EQ(row(r), cells) << "row " << r;
        if (c.warning.isEmpty()) {
            EXPECT_TRUE(messages().isEmpty()) << messages().join('\n').toStdString();
        } else {
            ASSERT_EQ(messageRequests().size(), 1u);
            EXPECT_EQ(messageRequests()[0].type, fw::mtWarning);
            EXPECT_EQ(messages()[0], c.warning);
        }
        form->Hide();
    }
}

TEST_F(DmxWindow, EveryShowStartsFromTheFileNotFromWhatWasTyped)
{
    channels("24");
    form->Show();
    grid()->SetCells(1, 5, QStringLiteral("99"));
    form->Btn_Cancel->Click();
    // Cancel asks nothing and writes nothing.
    EXPECT_EQ(form->ModalResult(), fw::mrCancel);
    EXPECT_TRUE(messages().isEmpty());
    EXPECT_FALSE(QFile::exists(File_DMX_Default_Values));
    form->Hide();
    form->Show();
    EXPECT_EQ(grid()->Cells(1, 5), QStringLiteral("0"));
}

struct CheckCase {
    const char* text;
    bool valid;
};

TEST_F(DmxWindow, DefaultValuesMustBeNumbersFrom0To255)
{
    const CheckCase cases[] = {
        {"", false},    {"-1", false},  {"256", false}, {"$FF", true}, {"0x10", true}, {"12a", false},
        {"0", true},    {"255", true},  {" 7", true},   {"7 ", false}, {"+3", true},   {"$100", false},
    };
    channels("24");
    form->Show();
    for (const CheckCase& c : cases) {
        SCOPED_TRACE(c.text);
        recorder.Clear();
        grid()->SetCells(1, 3, QString::fromLatin1(c.text));
        grid()->GotoCell(2, 20);
        EXPECT_EQ(form->Controllo_dati(), c.valid);
        if (c.valid) {
            EXPECT_TRUE(messages().isEmpty());
            continue;
        }
        ASSERT_EQ(messageRequests().size(), 1u);
        EXPECT_EQ(messages()[0], QStringLiteral("Error row 3") + kRangeText);
        EXPECT_EQ(messageRequests()[0].type, fw::mtError);
        EXPECT_EQ(messageRequests()[0].buttons, fw::TMsgDlgButtons(fw::mbOK));
        // The cursor goes to the value to mend.
        EXPECT_EQ(grid()->Row(), 3);
        EXPECT_EQ(grid()->Col(), 1);
    }
}

TEST_F(DmxWindow, AFailingRowKeepsTheFileAndTheWindow)
{
    channels("24");
    writeDmx("<DMX_Default_Values><Row Default_Value=\"1\" Mnemonic=\"\"/><Row Default_Value=\"300\" Mnemonic=\"\"/>"
             "</DMX_Default_Values>");
    const QByteArray before = testsupport::readFile(File_DMX_Default_Values);
    form->Show();
    EXPECT_EQ(grid()->Cells(1, 2), QStringLiteral("300"));
    form->Btn_OK->Click();
    EXPECT_EQ(messages(), QStringList{QStringLiteral("Error row 2") + kRangeText});
    EXPECT_EQ(form->ModalResult(), fw::mrNone);
    EXPECT_EQ(testsupport::readFile(File_DMX_Default_Values), before);
}

TEST_F(DmxWindow, OkWritesOneRowPerChannelByteForByte)
{
    channels("24");
    writeDmx("<DMX_Default_Values>" + dmxRows(512) + "</DMX_Default_Values>");
    form->Show();
    for (int r = 1; r <= 24; ++r) {
        grid()->SetCells(1, r, QStringLiteral("0"));
        grid()->SetCells(2, r, QString());
    }
    const struct {
        int row;
        const char* value;
        QString mnemonic;
    } typed[] = {
        {1, "255", QStringLiteral("Stage left & right")},
        // A control character XML cannot hold is dropped.
        {2, "$FF", QStringLiteral("<dimmer \"A\">\x01")},
        {3, "0x10", QString()},
        {24, "7", QStringLiteral("last")},
    };
    for (const auto& t : typed) {
        grid()->SetCells(1, t.row, QString::fromLatin1(t.value));
        grid()->SetCells(2, t.row, t.mnemonic);
    }
    recorder.Clear();
    form->Btn_OK->Click();
    EXPECT_TRUE(messages().isEmpty()) << messages().join('\n').toStdString();
    EXPECT_EQ(form->ModalResult(), fw::mrOk);
    EXPECT_EQ(testsupport::readFile(File_DMX_Default_Values),
              testsupport::readFile(testsupport::dataPath(QStringLiteral("app/DMX_Default_Values.24.xml"))));
    // Nothing of the atomic write is left beside it.
    EXPECT_EQ(QDir(folder()).entryList({QStringLiteral("DMX_Default_Values*")}, QDir::Files),
              QStringList{QStringLiteral("DMX_Default_Values.xml")});
    // Outside readers read it as written.
    if (!testsupport::xmllintProgram().isEmpty()) {
        QString output;
        EXPECT_TRUE(testsupport::xmllintPasses(File_DMX_Default_Values, &output)) << output.toStdString();
    }
    if (testsupport::pythonProgram().isEmpty())
        GTEST_SKIP() << "/usr/bin/python3 is not installed";
    QString error;
    const QJsonObject tree = testsupport::pythonXmlTree(File_DMX_Default_Values, &error);
    ASSERT_FALSE(tree.isEmpty()) << error.toStdString();
    const std::vector<QStringList> rows = testsupport::pythonRows(tree, {}, {"Default_Value", "Mnemonic"});
    ASSERT_EQ(rows.size(), 24u);
    EXPECT_EQ(rows[0], (QStringList{"255", "Stage left & right"}));
    EXPECT_EQ(rows[1], (QStringList{"$FF", "<dimmer \"A\">"}));
    EXPECT_EQ(rows[12], (QStringList{"0", ""}));
    EXPECT_EQ(rows[23], (QStringList{"7", "last"}));
}

TEST_F(DmxWindow, AnUnwritableFileIsReportedAndTheWindowStaysOpen)
{
    channels("24");
    form->Show();
    // A file where the project folder should be: nothing can be written there.
    ASSERT_TRUE(testsupport::writeFile(path(QStringLiteral("blocked")), "not a folder"));
    File_DMX_Default_Values = path(QStringLiteral("blocked/DMX_Default_Values.xml"));
    form->Btn_OK->Click();
    expectSaveFailureReported();
    EXPECT_EQ(testsupport::readFile(path(QStringLiteral("blocked"))), QByteArray("not a folder"));
}

TEST_F(DmxWindow, UnreadableFilesAreReportedAndADamagedDmxFileIsKept)
{
    const struct {
        const char* name;
        QByteArray parGen;   // empty: none
        QByteArray dmx;      // empty: none
        int firstText;       // the text the warning starts with (after the file name for the DMX file)
        bool keepsDmx;
    } cases[] = {
        {"damaged ParGen.xml", "<Par_Gen><DMX_Num_Channels>24", {}, 1309, false},
        {"damaged DMX file", {}, "<DMX_Default_Values><Row Default_Value=\"5\"", 910, true},
        {"another root", {}, "<Other_Root/>", 910, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        recorder.Clear();
        form->SetModalResult(fw::mrNone);
        QFile::remove(File_ParGen);
        QFile::remove(File_DMX_Default_Values);
        QFile::remove(File_DMX_Default_Values + ".bak");
        if (!c.parGen.isEmpty()) {
            ASSERT_TRUE(testsupport::writeFile(File_ParGen, c.parGen));
        }
        if (!c.dmx.isEmpty())
            writeDmx(c.dmx);
        form->Show();
        EXPECT_EQ(grid()->RowCount(), 513);
        EXPECT_EQ(row(1), (QStringList{"1", "0", ""}));
        ASSERT_EQ(messageRequests().size(), 1u);
        EXPECT_EQ(messageRequests()[0].type, fw::mtWarning);
        const QString expectedStart = c.firstText == 910
                                          ? QStringLiteral("DMX_Default_Values.xml\n") + Lang_Text(910)
                                          : Lang_Text(c.firstText);
        EXPECT_TRUE(messages()[0].startsWith(expectedStart)) << messages()[0].toStdString();
        form->Btn_OK->Click();
        EXPECT_EQ(form->ModalResult(), fw::mrOk);
        EXPECT_EQ(testsupport::readFile(File_DMX_Default_Values + ".bak"), c.keepsDmx ? c.dmx : QByteArray());
        form->Hide();
    }
}

TEST_F(DmxWindow, ADamagedDmxFileTooLargeToReadIsKeptWholeAndSavedOver)
{
    // Larger than any file the program reads: it cannot be read, nor copied
    // through memory; OK keeps it by renaming it and writes the table.
    const QByteArray head = "<DMX_Default_Values><Row Default_Value=\"5\"";
    writeDmx(head);
    {
        QFile f(File_DMX_Default_Values);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.resize(fw::MaxTextFileSize + 1));   // the rest reads as zeros
    }
    QFile::remove(File_DMX_Default_Values + ".bak");
    form->Show();
    ASSERT_EQ(messageRequests().size(), 1u);
    EXPECT_EQ(messageRequests()[0].type, fw::mtWarning);
    recorder.Clear();
    form->Btn_OK->Click();
    EXPECT_EQ(form->ModalResult(), fw::mrOk);
    EXPECT_TRUE(messageRequests().empty());
    QFile kept(File_DMX_Default_Values + ".bak");
    EXPECT_EQ(kept.size(), fw::MaxTextFileSize + 1);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.read(head.size()), head);
    // What OK wrote reads back.
    form->Hide();
    form->SetModalResult(fw::mrNone);
    form->Show();
    EXPECT_TRUE(messageRequests().empty());
    EXPECT_EQ(grid()->RowCount(), 513);
}

TEST_F(DmxWindow, GridColumnsAreThoseOfTheWindow)
{
    form->Show();
    TFxColumnGrid* g = grid();
    EXPECT_EQ(g->ColCount(), 3);
    EXPECT_EQ(g->FixedCols(), 1);
    EXPECT_EQ(g->FixedRows(), 1);
    EXPECT_EQ(g->DefaultRowHeight(), 22);
    const QStringList headers{"Channel", "Default Value", "Mnemonic"};
    const int widths[] = {100, 100, 250};
    for (int c = 0; c < 3; ++c) {
        EXPECT_EQ(g->Cells(c, 0), headers[c]);
        EXPECT_EQ(g->ColWidths(c), widths[c]);
    }
    EXPECT_EQ(g->Columns()[1]->Color(), fw::TColor(16710368));
    EXPECT_EQ(g->Columns()[1]->Editor(), edNormal);
    EXPECT_EQ(g->Columns()[2]->Editor(), edNormal);
    EXPECT_TRUE(g->Options() & fw::goEditing);
    EXPECT_TRUE(g->Options() & fw::goColSizing);
    EXPECT_TRUE(g->Options() & fw::goRangeSelect);
    EXPECT_TRUE(g->Options() & fw::goVertLine);
    // The window opens on the first default value.
    EXPECT_EQ(g->Row(), 1);
    EXPECT_EQ(g->Col(), 1);
}

TEST_F(DmxWindow, TheGridFrameIsWholeTheFirstTimeTheWindowShows)
{
    // The frame is drawn over the scroll bars; laying them out when the
    // window first shows must not cover its right and bottom lines.
    form->Show();
    QCoreApplication::processEvents();
    const QImage shot = form->grab().toImage();
    const QRect g = grid()->geometry();
    ASSERT_TRUE(grid()->verticalScrollBar()->isVisible()) << "512 rows need the scroll bar";
    const fw::TColor frame = grid()->BorderColor();
    auto at = [&](int x, int y) { return fw::FromQColor(shot.pixelColor(x, y)); };
    for (int y = g.top() + 1; y < g.bottom(); y += 7) {
        ASSERT_EQ(at(g.left() + 1, y), frame) << "left, y " << y;
        ASSERT_EQ(at(g.right() - 1, y), frame) << "right, y " << y;
    }
    for (int x = g.left() + 1; x < g.right(); x += 7) {
        ASSERT_EQ(at(x, g.top() + 1), frame) << "top, x " << x;
        ASSERT_EQ(at(x, g.bottom() - 1), frame) << "bottom, x " << x;
    }
}

} // namespace

