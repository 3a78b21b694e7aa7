#include "grid/model/FxCGrid.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class FxCGridTest : public ::testing::Test {
protected:
    void SetUp() override { grid = std::make_unique<TFxColumnGrid>(); }
    TGridColumnItem& Col(int i) { return *grid->Columns()[i]; }
    std::unique_ptr<TFxColumnGrid> grid;
};

TEST_F(FxCGridTest, NewItemsStartWithTheirInitialValues)
{
    ASSERT_EQ(grid->Columns().Count(), 5);
    const TGridColumnItem& c = Col(2);
    EXPECT_EQ(c.Editor(), edNormal);
    EXPECT_EQ(c.CheckTrue(), "Y");
    EXPECT_EQ(c.CheckFalse(), "N");
    EXPECT_EQ(c.DropDownCount(), 8);
    EXPECT_EQ(c.SpinStep(), 1);
    EXPECT_EQ(c.PrintColor(), 0xFFFFFFu);
    EXPECT_TRUE(c.PrintBorderCustom());
    EXPECT_TRUE(c.PrintFontCustom());
    EXPECT_EQ(c.PrintBorders(), (TCellBorders{cbTop, cbLeft, cbRight, cbBottom}));
    EXPECT_EQ(c.BorderPen().Color, 0xC0C0C0u);
    EXPECT_EQ(c.BorderPen().Width, 1);
    EXPECT_EQ(c.PrintBorderPen().Color, 0u);
    EXPECT_EQ(c.Color(), grid->Color());
    EXPECT_EQ(c.ColumnPopupType(), cpFixedCellsRClick);
    EXPECT_EQ(c.SortStyle(), ssAutomatic);
    EXPECT_EQ(c.GetDisplayName(), "Column 2");
    EXPECT_EQ(grid->GetVersionString(), "3.1.3.1 Aug, 2012");
}

TEST_F(FxCGridTest, ItemsFollowTheColumnCountAndHiddenColumns)
{
    grid->SetColCount(7);
    EXPECT_EQ(grid->Columns().Count(), 7);
    grid->Columns().Add();
    EXPECT_EQ(grid->ColCount(), 8);
    grid->HideColumn(3);
    EXPECT_EQ(grid->ColCount(), 7);
    EXPECT_EQ(grid->Columns().Count(), 8);
}

// The column decides before the grid's defaults; the per-cell events last.
TEST_F(FxCGridTest, ColumnAnswersWinOverGridDefaultsAndLoseToCellEvents)
{
    TGridColumnItem& col = Col(2);
    col.SetEditor(edComboList);
    col.SetReadOnly(true);
    col.SetAlignment(fw::taCenter);
    col.SetCheckTrue("on");
    col.SetColor(0x00FF00);
    grid->SetDefaultEditor(edSpinEdit);

    struct Probe {
        TEditorType editor = edNormal;
        bool canEdit = true, combo = false;
        fw::TAlignment align = fw::taLeftJustify;
        QString checkTrue;
        fw::TColor brush = 0;
    };
    const auto ask = [&](int c, int r) {
        Probe p;
        p.editor = grid->DefaultEditor();
        grid->GetCellEditorType(c, r, p.editor);
        grid->CanEditCell(c, r, p.canEdit);
        p.combo = grid->HasComboBox(c, r);
        TVAlignment va = vtaTop;
        grid->DoGetAlignment(c, r, p.align, va);
        grid->GetCheckTrue(c, r, p.checkTrue);
        fw::TBrush brush;
        fw::TFont font;
        grid->DoGetCellColor(c, r, 0, brush, font);
        p.brush = brush.Color;
        return p;
    };

    Probe p = ask(2, 3);
    EXPECT_EQ(p.editor, edComboList);
    EXPECT_FALSE(p.canEdit);
    EXPECT_TRUE(p.combo);
    EXPECT_EQ(p.align, fw::taCenter);
    EXPECT_EQ(p.checkTrue, "on");
    EXPECT_EQ(p.brush, 0x00FF00u);

    Probe other = ask(3, 3);   // a column with its initial settings
    EXPECT_EQ(other.editor, edNormal);
    EXPECT_FALSE(other.combo);
    EXPECT_EQ(other.checkTrue, "Y");

    grid->SetColors(2, 3, 0x0000FF);   // the cell's own colour beats the column's
    EXPECT_EQ(ask(2, 3).brush, 0x0000FFu);

    auto& e = grid->Events();
    e.OnGetEditorType = [](QObject*, int, int, TEditorType& ed) { ed = edDateEdit; };
    e.OnCanEditCell = [](QObject*, int, int, bool& can) { can = true; };
    e.OnHasComboBox = [](QObject*, int, int, bool& has) { has = false; };
    e.OnGetAlignment = [](QObject*, int, int, fw::TAlignment& h, TVAlignment&) { h = fw::taRightJustify; };
    e.OnGetCellColor = [](QObject*, int, int, fw::TGridDrawState, fw::TBrush& b, fw::TFont&) { b.Color = 0x123456; };
    p = ask(2, 3);
    EXPECT_EQ(p.editor, edDateEdit);
    EXPECT_TRUE(p.canEdit);
    EXPECT_FALSE(p.combo);
    EXPECT_EQ(p.align, fw::taRightJustify);
    EXPECT_EQ(p.brush, 0x123456u);
    // Check texts are the exception: in the normal area the column's text
    // replaces the grid's answer, event included; outside it the event holds.
    e.OnGetCheckTrue = [](QObject*, int, int, QString& v) { v = "ev"; };
    EXPECT_EQ(ask(2, 3).checkTrue, "on");
    EXPECT_EQ(ask(3, 3).checkTrue, "Y");
    EXPECT_EQ(ask(3, 0).checkTrue, "ev");
}

// On screen and on paper the column gives the font and the cell's own font
// settings win over it one by one: what the cell leaves unset stays the column's.
TEST_F(FxCGridTest, CellFontSettingsWinOverTheColumnFontOneByOne)
{
    fw::TFont screen;
    screen.Name = QStringLiteral("Courier New");
    screen.Size = 9;
    screen.Color = 0x101010;
    Col(2).SetFont(screen);
    fw::TFont paper = screen;
    paper.Name = QStringLiteral("Arial");
    paper.Size = 12;
    paper.Style = fw::TFontStyles{fw::fsBold};
    Col(2).SetPrintFont(paper);
    grid->SetFontSizes(2, 3, 20);
    grid->SetFontColors(2, 3, 0x0000FF);
    grid->SetFontNames(2, 3, QString());   // a new properties object starts as the cell's look
    grid->SetFontStyles(2, 3, fw::TFontStyles());

    for (bool print : {false, true}) {
        fw::TBrush brush;
        fw::TFont font;
        if (print)
            grid->DoGetCellPrintColor(2, 3, 0, brush, font);
        else
            grid->DoGetCellColor(2, 3, 0, brush, font);
        const fw::TFont& column = print ? paper : screen;
        EXPECT_EQ(font.Name, column.Name) << print;
        EXPECT_EQ(font.Style, column.Style) << print;
        EXPECT_EQ(font.Size, 20) << print;
        EXPECT_EQ(font.Color, 0x0000FFu) << print;
    }
}

TEST_F(FxCGridTest, DataCheckBoxColumnsAnswerByTextInTheNormalAreaOnly)
{
    Col(1).SetEditor(edDataCheckBox);
    grid->SetCells(1, 0, "Y");   // header row
    grid->SetCells(1, 2, "Y");
    grid->SetCells(1, 3, "y");
    bool state = false;
    EXPECT_TRUE(grid->GetCheckBoxState(1, 2, state));
    EXPECT_TRUE(state);
    EXPECT_TRUE(grid->GetCheckBoxState(1, 3, state));
    EXPECT_FALSE(state);
    EXPECT_FALSE(grid->GetCheckBoxState(1, 0, state));
    EXPECT_TRUE(grid->SetCheckBoxState(1, 4, true));
    EXPECT_EQ(grid->Cells(1, 4), "Y");
    Col(1).SetCheckTrue("X");
    EXPECT_TRUE(grid->SetCheckBoxState(1, 5, true));
    EXPECT_EQ(grid->Cells(1, 5), "X");
    EXPECT_EQ(grid->GetCellType(1, 2), ctDataCheckBox);
    EXPECT_EQ(grid->GetCellType(1, 0), ctEmpty);
}

TEST_F(FxCGridTest, HeaderWritesRowZeroAndTheHeaderList)
{
    Col(0).SetHeader("Name");
    Col(2).SetHeader("Value");
    EXPECT_EQ(grid->Cells(2, 0), "Value");
    ASSERT_EQ(grid->ColumnHeaders().Count(), 5);
    EXPECT_EQ(grid->ColumnHeaders().Strings(2), "Value");
    EXPECT_EQ(grid->ColumnByName("x"), nullptr);
    Col(3).SetName("x");
    EXPECT_EQ(grid->ColumnByName("x"), &Col(3));
}

TEST_F(FxCGridTest, AutoSizedWidthsStayWithinTheColumnBounds)
{
    Col(1).SetAutoMaxSize(60);
    grid->SetCells(1, 1, QString(80, QLatin1Char('W')));
    grid->AutoSizeCol(1);
    EXPECT_EQ(grid->ColWidths(1), 60);
    grid->SetMaxColWidth(50);
    grid->AutoSizeCol(1);
    EXPECT_EQ(grid->ColWidths(1), 50);
}

} // namespace

#include <QFile>
#include <QTemporaryDir>

namespace {

// Counts the collection's update notifications and the grid's repaints.
class CountingColumns : public TGridColumnCollection {
public:
    using TGridColumnCollection::TGridColumnCollection;
    void Update(TGridColumnItem* item) override
    {
        ++Updates;
        TGridColumnCollection::Update(item);
    }
    int Updates = 0;
};

class CountingGrid : public TFxColumnGrid {
public:
    CountingGrid()
        : TFxColumnGrid(nullptr, [](TFxColumnGrid* owner) { return std::make_unique<CountingColumns>(owner); })
    {
    }
    void Invalidate() override
    {
        ++Invalidates;
        TFxColumnGrid::Invalidate();
    }
    CountingColumns& Counting() { return static_cast<CountingColumns&>(Columns()); }
    int Invalidates = 0;
};

enum Effect { Stores, Repaints, Notifies };

TEST(FxCGridSettings, EachWriteNotifiesRepaintsOrOnlyStores)
{
    struct Case {
        const char* name;
        std::function<void(TGridColumnItem&)> write;
        Effect effect;
    };
    fw::TFont bigFont;
    bigFont.Size = 20;
    fw::TPen pen;
    pen.Width = 3;
    fw::TStringList list;
    list.Add("x");
    const std::vector<Case> cases = {
        {"AutoMinSize", [](TGridColumnItem& c) { c.SetAutoMinSize(5); }, Stores},
        {"AutoMaxSize", [](TGridColumnItem& c) { c.SetAutoMaxSize(5); }, Stores},
        {"Alignment", [](TGridColumnItem& c) { c.SetAlignment(fw::taCenter); }, Repaints},
        {"Borders", [](TGridColumnItem& c) { c.SetBorders(TCellBorders{cbTop}); }, Notifies},
        {"BorderPen", [&](TGridColumnItem& c) { c.SetBorderPen(pen); }, Notifies},
        {"CheckFalse", [](TGridColumnItem& c) { c.SetCheckFalse("0"); }, Stores},
        {"CheckTrue", [](TGridColumnItem& c) { c.SetCheckTrue("1"); }, Stores},
        {"Color", [](TGridColumnItem& c) { c.SetColor(0x123456); }, Notifies},
        {"ColumnPopupType", [](TGridColumnItem& c) { c.SetColumnPopupType(cpAllCellsLClick); }, Stores},
        {"ComboItems", [&](TGridColumnItem& c) { c.SetComboItems(list); }, Stores},
        {"DropDownCount", [](TGridColumnItem& c) { c.SetDropDownCount(3); }, Stores},
        {"EditLength", [](TGridColumnItem& c) { c.SetEditLength(15); }, Stores},
        {"EditMask", [](TGridColumnItem& c) { c.SetEditMask("99"); }, Stores},
        {"Editor to data check box", [](TGridColumnItem& c) { c.SetEditor(edDataCheckBox); }, Repaints},
        {"Editor to combo", [](TGridColumnItem& c) { c.SetEditor(edComboList); }, Stores},
        {"Filter", [&](TGridColumnItem& c) { c.SetFilter(list); }, Repaints},
        {"FilterCaseSensitive", [](TGridColumnItem& c) { c.SetFilterCaseSensitive(true); }, Stores},
        {"Fixed", [](TGridColumnItem& c) { c.SetFixed(true); }, Notifies},
        {"FloatFormat", [](TGridColumnItem& c) { c.SetFloatFormat("%.1f"); }, Repaints},
        {"Font", [&](TGridColumnItem& c) { c.SetFont(bigFont); }, Notifies},
        {"HeaderAlignment", [](TGridColumnItem& c) { c.SetHeaderAlignment(fw::taCenter); }, Repaints},
        {"HeaderFont", [&](TGridColumnItem& c) { c.SetHeaderFont(bigFont); }, Notifies},
        {"MinSize", [](TGridColumnItem& c) { c.SetMinSize(5); }, Stores},
        {"MaxSize", [](TGridColumnItem& c) { c.SetMaxSize(15); }, Stores},
        {"Name", [](TGridColumnItem& c) { c.SetName("n"); }, Stores},
        {"Password", [](TGridColumnItem& c) { c.SetPassword(true); }, Notifies},
        {"PrintBorderCustom", [](TGridColumnItem& c) { c.SetPrintBorderCustom(false); }, Stores},
        {"PrintBorders", [](TGridColumnItem& c) { c.SetPrintBorders(TCellBorders{}); }, Stores},
        {"PrintBorderPen", [&](TGridColumnItem& c) { c.SetPrintBorderPen(pen); }, Stores},
        {"PrintColor", [](TGridColumnItem& c) { c.SetPrintColor(0); }, Stores},
        {"PrintFontCustom", [](TGridColumnItem& c) { c.SetPrintFontCustom(false); }, Stores},
        {"PrintFont", [&](TGridColumnItem& c) { c.SetPrintFont(bigFont); }, Stores},
        {"ReadOnly", [](TGridColumnItem& c) { c.SetReadOnly(true); }, Stores},
        {"ShowBands", [](TGridColumnItem& c) { c.SetShowBands(true); }, Notifies},
        {"SortStyle", [](TGridColumnItem& c) { c.SetSortStyle(ssNumeric); }, Stores},
        {"SortPrefix", [](TGridColumnItem& c) { c.SetSortPrefix("$"); }, Stores},
        {"SortSuffix", [](TGridColumnItem& c) { c.SetSortSuffix("%"); }, Stores},
        {"SpinMax", [](TGridColumnItem& c) { c.SetSpinMax(9); }, Stores},
        {"SpinMin", [](TGridColumnItem& c) { c.SetSpinMin(1); }, Stores},
        {"SpinStep", [](TGridColumnItem& c) { c.SetSpinStep(2); }, Stores},
        {"Tag", [](TGridColumnItem& c) { c.SetTag(7); }, Stores},
    };
    for (const Case& c : cases) {
        CountingGrid grid;
        TGridColumnItem& item = *grid.Columns()[2];
        grid.Counting().Updates = 0;
        grid.Invalidates = 0;
        c.write(item);
        EXPECT_EQ(grid.Counting().Updates > 0, c.effect == Notifies) << c.name;
        EXPECT_EQ(grid.Invalidates > 0, c.effect != Stores) << c.name;
    }
}

TEST(FxCGridSettings, WidthAndHeaderReachTheGrid)
{
    TFxColumnGrid grid;
    grid.Columns()[1]->SetWidth(77);
    EXPECT_EQ(grid.ColWidths(1), 77);
    grid.HideColumn(1);
    EXPECT_EQ(grid.Columns()[1]->Width(), 77);   // a hidden column keeps its width
}

TEST(FxCGridSettings, MovedColumnsKeepTheirSettings)
{
    TFxColumnGrid grid;
    grid.Columns()[1]->SetReadOnly(true);
    grid.Columns()[1]->SetName("one");
    grid.Columns()[1]->SetColumnPopupType(cpAllCellsLClick);
    std::pair<int, int> moved{-1, -1};
    grid.SetOnAfterColumnMoved([&](QObject*, int f, int t) { moved = {f, t}; });
    grid.MoveColumn(1, 3);
    EXPECT_EQ(grid.Columns()[3]->Name(), "one");
    EXPECT_TRUE(grid.Columns()[3]->ReadOnly());
    EXPECT_EQ(grid.Columns()[3]->ColumnPopupType(), cpFixedCellsRClick);
    EXPECT_FALSE(grid.Columns()[1]->ReadOnly());
    EXPECT_EQ(moved, (std::pair<int, int>{1, 3}));
    EXPECT_EQ(grid.Columns().Count(), 5);
}

TEST(FxCGridSettings, SavedPositionsApplyOnlyAsAPermutation)
{
    QTemporaryDir dir;
    const QString ini = dir.filePath("cols.ini");
    {
        TFxColumnGrid grid;
        grid.Columns().SetOrganization();
        grid.Columns()[1]->SetName("one");
        grid.MoveColumn(1, 3);
        grid.SaveColumnPositions(ini, "Grid");
    }
    TFxColumnGrid fresh;
    fresh.Columns().SetOrganization();
    fresh.Columns()[1]->SetName("one");
    fresh.LoadColumnPositions(ini, "Grid");
    EXPECT_EQ(fresh.Columns()[3]->Name(), "one");

    struct Case {
        const char* name;
        QString keys;
    };
    const std::vector<Case> bad = {
        {"missing key", "CP0=0\nCP1=2\nCP2=3\nCP3=1\n"},
        {"repeated column", "CP0=0\nCP1=1\nCP2=1\nCP3=3\nCP4=4\n"},
        {"column out of range", "CP0=0\nCP1=1\nCP2=2\nCP3=3\nCP4=9\n"},
    };
    for (const Case& c : bad) {
        QFile f(ini);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(("[Grid]\n" + c.keys).toUtf8());
        f.close();
        TFxColumnGrid grid;
        grid.Columns().SetOrganization();
        grid.Columns()[1]->SetName("one");
        grid.LoadColumnPositions(ini, "Grid");
        EXPECT_EQ(grid.Columns()[1]->Name(), "one") << c.name;
    }
}

} // namespace
