#include "app/services/TableWindow.h"

#include "app/AppTestFixture.h"
#include "app/services/UComon.h"
#include "app/services/ULanguage.h"
#include "controls/buttons/LbButton.h"
#include "grid/model/FxCGrid.h"

#include <QApplication>
#include <QFile>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <ostream>

// Readable failure messages for texts.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace {

// A window declared as the editors declare theirs: two pages, each a table
// of 5 rows with an enable box, a key, a hidden column, a combo whose items
// are partly translated and a mnemonic. The check refuses a key "bad".
QString g_fileName;

TFileSpec fileSpec()
{
    auto columns = [](int first) {
        return std::vector<TColumnSpec>{
            Column(first, edNone, 40),
            Column(first + 1, edDataCheckBox, 50, 0xB0D8FF, "Enable", "Y").Centre().With_Hint(first + 10),
            Column(first + 2, edNormal, 90, 0xFEFAE0, "Key").With_Hint(first + 11),
            Column(first + 3, edNormal, 70, fw::clWhite, "Secret").Hide(),
            Column(first + 4, edComboList, 80, 0xF4D6FC, "Kind")
                .With_Item_Texts({1231, 1232})
                .With_Items({"other"})
                .With_Hint(first + 13),
            Column(first + 5, edNormal, 150, fw::clWindow, "Mnemonic").Edit_Length(20).With_Hint(first + 14),
        };
    };
    return {QStringLiteral("Test_Tables"), QStringLiteral("SW_VERSION = 1.000"),
            {Table_Spec(2000, QStringLiteral("First"), 5, 2, columns(2008)),
             Table_Spec(2001, QStringLiteral("Second"), 5, 2, columns(2008))}};
}

TTableFailure check(const TTableFile& file)
{
    for (int t = 0; t < file.TableCount(); ++t)
        for (int r = 0; r < int(file.Rows(t).size()); ++r)
            if (file.Rows(t)[size_t(r)][2] == QLatin1String("bad")) {
                TTableFailure f;
                f.Table = t;
                f.Row = r + 1;
                f.Column = 2;
                f.Message = QStringLiteral("Error row %1!! bad key").arg(r + 1);
                return f;
            }
    return {};
}

TTableWindowSpec windowSpec()
{
    TTableWindowSpec s;
    s.Texts = TEditorTexts{2000, 2001, 2002, 2003, 2023, 2024, {}, {}};
    s.Texts.Buttons = {{"Btn_Delete_Row", 2004, 2025},
                       {"Btn_Insert_Row", 2005, 2026},
                       {"Btn_Copy_Row", 2006, 2027},
                       {"Btn_Paste_Row", 2007, 2028}};
    s.Texts.Pages = {2000, 2001};
    s.File = fileSpec();
    s.File_Name = &g_fileName;
    s.Check = check;
    s.Grid_Names = {QStringLiteral("ACG_First"), QStringLiteral("ACG_Second")};
    s.Delete_Question = 2058;
    return s;
}

class TestTableWindow : public TTableWindow {
public:
    explicit TestTableWindow(QWidget* owner = nullptr) : TTableWindow(windowSpec(), owner) {}
};

class TableWindowTest : public apptest::ProjectWindow<TestTableWindow> {
protected:
    void SetUp() override
    {
        ProjectWindow::SetUp();
        g_fileName = path(QStringLiteral("Test_Tables.xml"));
        Row_Clipboard.clear();
    }

    TFxColumnGrid* grid(int t = 0) const { return form->Grid(t); }
    TLbButton* button(const char* name) const { return form->findChild<TLbButton*>(QString::fromLatin1(name)); }
    void writeTables(const QByteArray& firstRows, const QByteArray& secondRows = {})
    {
        ASSERT_TRUE(testsupport::writeFile(g_fileName, "<Test_Tables><First>" + firstRows + "</First><Second>"
                                                           + secondRows + "</Second></Test_Tables>"));
    }
    QStringList rowCells(int r, int t = 0) const
    {
        QStringList cells;
        for (int c = 0; c < 6; ++c)
            cells << grid(t)->Cells(c, r);
        return cells;
    }
};

const QByteArray kThreeRows = "<row Enable=\"Y\" Key=\"k1\" Secret=\"s1\" Kind=\"other\" Mnemonic=\"one\"/>"
                              "<row Enable=\"N\" Key=\"k2\" Secret=\"s2\" Kind=\"\" Mnemonic=\"two\"/>"
                              "<row Enable=\"Y\" Key=\"k3\" Secret=\"s3\" Kind=\"other\" Mnemonic=\"three\"/>";

TEST_F(TableWindowTest, GridsAreBuiltFromTheColumnSpecs)
{
    ASSERT_EQ(form->Table_Count(), 2);
    EXPECT_EQ(grid(0)->objectName(), QStringLiteral("ACG_First"));
    EXPECT_EQ(grid(1)->objectName(), QStringLiteral("ACG_Second"));
    TFxColumnGrid* g = grid();
    EXPECT_EQ(g->RowCount(), 6);
    EXPECT_EQ(g->FixedRows(), 1);
    EXPECT_EQ(g->FixedCols(), 1);
    EXPECT_EQ(g->DefaultRowHeight(), 22);
    EXPECT_TRUE(g->Options() & fw::goEditing);
    EXPECT_TRUE(g->Options() & fw::goColSizing);
    EXPECT_TRUE(g->Options() & fw::goRangeSelect);
    // The hidden column keeps its real index.
    EXPECT_EQ(g->ColCount(), 5);
    EXPECT_TRUE(g->IsHiddenColumn(3));
    const struct {
        int col;
        int header;
        TEditorType editor;
        int width;
        fw::TColor color;
        fw::TAlignment align;
        bool readOnly;
    } cases[] = {
        {1, 2009, edDataCheckBox, 50, 0xB0D8FF, fw::taCenter, false},
        {2, 2010, edNormal, 90, 0xFEFAE0, fw::taLeftJustify, false},
        {4, 2012, edComboList, 80, 0xF4D6FC, fw::taLeftJustify, false},
        {5, 2013, edNormal, 150, fw::clWindow, fw::taLeftJustify, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.col);
        const TGridColumnItem* item = g->Columns()[c.col];
        EXPECT_EQ(g->Cells(c.col, 0), Lang_Texts.at(c.header));
        EXPECT_EQ(item->Editor(), c.editor);
        EXPECT_EQ(g->ColWidths(g->DisplColIndex(c.col)), c.width);
        EXPECT_EQ(item->Color(), c.color);
        EXPECT_EQ(item->Alignment(), c.align);
        EXPECT_EQ(item->ReadOnly(), c.readOnly);
    }
    EXPECT_EQ(g->Columns()[5]->EditLength(), 20);
    const fw::TStringList& items = g->Columns()[4]->ComboItems();
    ASSERT_EQ(items.Count(), 3);
    EXPECT_EQ(items[0], QStringLiteral("Normal"));
    EXPECT_EQ(items[1], QStringLiteral("Start Break"));
    EXPECT_EQ(items[2], QStringLiteral("other"));
}

TEST_F(TableWindowTest, ShowLoadsEveryColumnAndNumbersTheRows)
{
    writeTables(kThreeRows, "<row Enable=\"N\" Key=\"x\" Secret=\"h\" Kind=\"Normal\" Mnemonic=\"m\"/>");
    form->Show();
    EXPECT_TRUE(messages().isEmpty());
    EXPECT_EQ(rowCells(1), (QStringList{"1", "Y", "k1", "s1", "other", "one"}));
    EXPECT_EQ(rowCells(3), (QStringList{"3", "Y", "k3", "s3", "other", "three"}));
    // A reset row: enabled, the rest empty.
    EXPECT_EQ(rowCells(4), (QStringList{"4", "Y", "", "", "", ""}));
    EXPECT_EQ(rowCells(1, 1), (QStringList{"1", "N", "x", "h", "Normal", "m"}));
    EXPECT_EQ(form->Current_Table(), 0);
    EXPECT_EQ(grid()->Row(), 1);
    EXPECT_EQ(grid()->Col(), 1);
}

struct FindingCase {
    const char* name;
    QByteArray file;   // empty: no file
    QStringList lines; // the warning's lines after the file name; empty: no warning
};

TEST_F(TableWindowTest, WhatTheFileCouldNotGiveIsReportedOnShow)
{
    const FindingCase cases[] = {
        {"no file", {}, {}},
        {"rows beyond the table",
         "<Test_Tables><First>" + kThreeRows + kThreeRows + "</First><Second/></Test_Tables>",
         {Lang_Texts.at(912) + " (" + Lang_Texts.at(2000) + "): 6"}},
        {"a row lacking values", "<Test_Tables><First><row Key=\"k\"/></First><Second/></Test_Tables>",
         {Lang_Texts.at(911) + " (" + Lang_Texts.at(2000) + "): 1"}},
        {"rows after a blank key",
         "<Test_Tables><First><row Key=\"a\"/><row Key=\"\" Mnemonic=\"x\"/><row Key=\"c\"/></First>"
         "<Second/></Test_Tables>",
         {Lang_Texts.at(911) + " (" + Lang_Texts.at(2000) + "): 1-3",
          Lang_Texts.at(913) + " (" + Lang_Texts.at(2000) + "): 2-3"}},
    };
    for (const FindingCase& c : cases) {
        SCOPED_TRACE(c.name);
        recorder.Clear();
        QFile::remove(g_fileName);
        if (!c.file.isEmpty()) {
            ASSERT_TRUE(testsupport::writeFile(g_fileName, c.file));
        }
        form->Show();
        if (c.lines.isEmpty()) {
            EXPECT_TRUE(messages().isEmpty());
        } else {
            ASSERT_EQ(messageRequests().size(), 1u);
            EXPECT_EQ(messageRequests()[0].type, fw::mtWarning);
            EXPECT_EQ(messages()[0], (QStringList{QStringLiteral("Test_Tables.xml")} + c.lines).join('\n'));
        }
        form->Hide();
    }
}

TEST_F(TableWindowTest, AnUnreadableFileIsReportedAndKeptOnTheFirstSave)
{
    ASSERT_TRUE(testsupport::writeFile(g_fileName, "<Test_Tables><First>"));
    form->Show();
    ASSERT_EQ(messages().size(), 1);
    EXPECT_TRUE(messages()[0].startsWith(QStringLiteral("Test_Tables.xml\n") + Lang_Texts.at(910)));
    EXPECT_EQ(rowCells(1), (QStringList{"1", "Y", "", "", "", ""}));
    form->Btn_OK->Click();
    EXPECT_EQ(form->ModalResult(), fw::mrOk);
    EXPECT_EQ(testsupport::readFile(g_fileName + ".bak"), QByteArray("<Test_Tables><First>"));
}

TEST_F(TableWindowTest, OkChecksAndGoesToTheFailingCell)
{
    writeTables(kThreeRows);
    form->Show();
    form->Show_Table(0);
    grid(1)->SetCells(2, 1, QStringLiteral("first"));
    grid(1)->SetCells(2, 2, QStringLiteral("bad"));
    const QByteArray before = testsupport::readFile(g_fileName);
    form->Btn_OK->Click();
    ASSERT_EQ(messageRequests().size(), 1u);
    EXPECT_EQ(messages()[0], QStringLiteral("Error row 2!! bad key"));
    EXPECT_EQ(messageRequests()[0].type, fw::mtError);
    EXPECT_EQ(form->ModalResult(), fw::mrNone);
    EXPECT_EQ(testsupport::readFile(g_fileName), before);
    // The second page, its row 2, the key column.
    EXPECT_EQ(form->Current_Table(), 1);
    EXPECT_EQ(grid(1)->Row(), 2);
    EXPECT_EQ(grid(1)->Col(), 2);
}

struct OkCase {
    const char* name;
    const char* below;   // typed into row 5, below the blank key of row 4; empty: nothing
    int answer;
    bool asks;
    bool saves;
};

TEST_F(TableWindowTest, OkAsksBeforeRowsBelowABlankKeyAreDroppedThenSaves)
{
    const OkCase cases[] = {
        {"nothing below the end", "", fw::mrYes, false, true},
        {"a row below a blank key, No", "kept?", fw::mrNo, true, false},
        {"a row below a blank key, Yes", "dropped", fw::mrYes, true, true},
    };
    for (const OkCase& c : cases) {
        SCOPED_TRACE(c.name);
        recorder.Clear();
        writeTables(kThreeRows);
        form->SetModalResult(fw::mrNone);
        form->Show();
        grid()->SetCells(5, 2, QStringLiteral("edited"));
        grid()->SetCells(5, 5, QString::fromLatin1(c.below));
        recorder.Answer(c.answer);
        form->Btn_OK->Click();
        ASSERT_EQ(messages().size(), c.asks ? 1 : 0);
        if (c.asks) {
            EXPECT_EQ(messages()[0], Lang_Texts.at(913) + " (" + Lang_Texts.at(2000) + "): 5\n" + Lang_Texts.at(915));
            EXPECT_EQ(messageRequests()[0].buttons, fw::mbYes | fw::mbNo);
        }
        EXPECT_EQ(form->ModalResult(), c.saves ? fw::mrOk : fw::mrNone);
        const QByteArray saved = testsupport::readFile(g_fileName);
        EXPECT_EQ(saved.contains("Mnemonic=\"edited\""), c.saves);
        if (c.saves) {
            EXPECT_EQ(saved, form->File().Xml_Text().toUtf8());
            // The hidden column is saved with its row.
            EXPECT_TRUE(saved.contains("Key=\"k2\" Secret=\"s2\""));
            EXPECT_FALSE(saved.contains("dropped"));
        }
        form->Hide();
    }
}

TEST_F(TableWindowTest, AFailingSaveIsReportedAndTheWindowStaysOpen)
{
    form->Show();
    g_fileName = path(QStringLiteral("missing/folder/Test_Tables.xml"));
    form->Btn_OK->Click();
    expectSaveFailureReported();
}

TEST_F(TableWindowTest, RowButtonsWorkOnTheCurrentRowOfTheCurrentPage)
{
    writeTables(kThreeRows);
    form->Show();
    // Paste before any copy since the show: refused.
    grid()->SetRow(4);
    button("Btn_Paste_Row")->Click();
    ASSERT_EQ(messages(), QStringList{Lang_Texts.at(902)});

    grid()->SetRow(2);
    button("Btn_Copy_Row")->Click();
    grid()->SetRow(4);
    button("Btn_Paste_Row")->Click();
    // The visible columns only: the hidden one is not copied.
    EXPECT_EQ(rowCells(4), (QStringList{"4", "N", "k2", "", "", "two"}));

    grid()->SetRow(1);
    button("Btn_Insert_Row")->Click();
    EXPECT_EQ(rowCells(1), (QStringList{"1", "Y", "", "", "", ""}));
    EXPECT_EQ(rowCells(2), (QStringList{"2", "Y", "k1", "s1", "other", "one"}));
    EXPECT_EQ(rowCells(5), (QStringList{"5", "N", "k2", "", "", "two"}));

    recorder.Clear();
    recorder.Answer(fw::mrNo);
    grid()->SetRow(3);
    button("Btn_Delete_Row")->Click();
    ASSERT_EQ(messages(), QStringList{Lang_Texts.at(2058) + "3"});
    EXPECT_EQ(messageRequests()[0].buttons, fw::mbYes | fw::mbNo);
    EXPECT_EQ(rowCells(3), (QStringList{"3", "N", "k2", "s2", "", "two"}));
    recorder.Answer(fw::mrYes);
    button("Btn_Delete_Row")->Click();
    EXPECT_EQ(rowCells(3), (QStringList{"3", "Y", "k3", "s3", "other", "three"}));
    EXPECT_EQ(rowCells(5), (QStringList{"5", "", "", "", "", ""}));

    // The other page has its own copied flag and rows.
    form->Show_Table(1);
    recorder.Clear();
    grid(1)->SetRow(1);
    button("Btn_Paste_Row")->Click();
    EXPECT_EQ(messages(), QStringList{Lang_Texts.at(902)});
    EXPECT_EQ(rowCells(1, 1), (QStringList{"1", "Y", "", "", "", ""}));

    // A new show forgets the copy.
    form->Hide();
    form->Show();
    recorder.Clear();
    form->Show_Table(0);
    grid()->SetRow(5);
    button("Btn_Paste_Row")->Click();
    EXPECT_EQ(messages(), QStringList{Lang_Texts.at(902)});
}

TEST_F(TableWindowTest, HeaderHintsFollowTheShownColumns)
{
    const TTableGrid& g = form->Table_Grid(0);
    // Display column 3 is real column 4 once column 3 is hidden.
    const struct {
        int row, col;
        QString hint;
    } cases[] = {
        {0, 1, Lang_Texts.at(2018)}, {0, 2, Lang_Texts.at(2019)}, {0, 3, Lang_Texts.at(2021)},
        {0, 4, Lang_Texts.at(2022)}, {0, 0, QString()},           {1, 2, QString()},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(g.Header_Hint(c.row, c.col), c.hint) << c.row << "," << c.col;
        QString fired = QStringLiteral("unchanged");
        grid()->Events().OnGridHint(grid(), c.row, c.col, fired);
        EXPECT_EQ(fired, c.hint);
    }
}

TEST_F(TableWindowTest, AHeaderCutToFitItsColumnIsReadWholeInItsHint)
{
    form->Show();
    TFxColumnGrid* g = grid();
    g->Columns()[2]->SetHeader(QStringLiteral("Slave IP Address"));
    const QString hint = Lang_Texts.at(2019);
    struct Case {
        int width;
        QString hint;
    } cases[] = {
        {30, QStringLiteral("Slave IP Address\n") + hint},   // cut with an ellipsis
        {200, hint},                                         // whole on its line
    };
    for (const Case& c : cases) {
        g->SetColWidths(2, c.width);
        g->viewport()->grab();   // the header is laid out as it is painted
        EXPECT_EQ(form->Table_Grid(0).Header_Hint(0, 2), c.hint) << "width " << c.width;
        QString fired;
        g->Events().OnGridHint(g, 0, 2, fired);
        EXPECT_EQ(fired, c.hint) << "width " << c.width;
    }
}

TEST_F(TableWindowTest, ALanguageChangeTranslatesHeadersAndItems)
{
    for (int i = 0; i < Lang_Texts.size(); ++i)
        Lang_Texts[i] = QStringLiteral("T%1").arg(i);
    form->Set_Lang();
    EXPECT_EQ(grid()->Cells(2, 0), QStringLiteral("T2010"));
    EXPECT_EQ(grid(1)->Cells(5, 0), QStringLiteral("T2013"));
    EXPECT_EQ(form->PC_Pages->tabText(1), QStringLiteral("T2001"));
    EXPECT_EQ(grid()->Columns()[4]->ComboItems()[0], QStringLiteral("T1231"));
    EXPECT_EQ(grid()->Columns()[4]->ComboItems()[2], QStringLiteral("other"));
    EXPECT_EQ(button("Btn_Copy_Row")->Caption(), QStringLiteral("T2006"));
}

// As the user does it: keys into the grid, Enter moving on, OK.
TEST_F(TableWindowTest, TypedValuesAreSavedOnOkAlsoTheOneStillInTheEditor)
{
    writeTables(kThreeRows);
    Opt_Jump_Field = true;
    form->Show();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    form->Table_Grid(0).Go_To(4, 2);
    auto type = [](const QString& text) {
        for (QChar ch : text) {
            QTest::keyClick(QApplication::focusWidget(), ch.toLatin1());
            QCoreApplication::processEvents();
        }
    };
    auto enter = [] {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCoreApplication::processEvents();
    };
    type(QStringLiteral("k4"));
    enter();
    EXPECT_EQ(grid()->Col(), 3);   // display column 3 is the Kind column after the hidden one
    enter();
    type(QStringLiteral("typed"));   // the mnemonic, left in the editor
    form->Btn_OK->Click();
    Opt_Jump_Field = false;
    EXPECT_TRUE(messages().isEmpty()) << messages().join('\n').toStdString();
    EXPECT_EQ(form->ModalResult(), fw::mrOk);
    const QByteArray saved = testsupport::readFile(g_fileName);
    EXPECT_TRUE(saved.contains("Key=\"k4\" Secret=\"\" Kind=\"\" Mnemonic=\"typed\"")) << saved.constData();
}

TEST_F(TableWindowTest, EnterWalksTheGridWithTheOption)
{
    form->Show();
    Opt_Jump_Field = true;
    grid()->SetRow(2);
    grid()->SetCol(4);
    QChar key(13);
    grid()->OnKeyPress(grid(), key);
    EXPECT_EQ(key, QChar(0));
    EXPECT_EQ(grid()->Row(), 3);
    EXPECT_EQ(grid()->Col(), 1);
    Opt_Jump_Field = false;
}

} // namespace
