#include "grid/foundation/BaseGrid.h"

#include "framework/ObjStringGrid.h"
#include "grid/foundation/FxUtilText.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

// Counts live objects so that ownership is visible.
struct Live {
    static inline int graphics = 0;
    static inline int props = 0;
};

class TestGraphic : public TCellGraphicObject {
public:
    explicit TestGraphic(bool cellGraphic) : CellGraphic(cellGraphic) { ++Live::graphics; }
    ~TestGraphic() override { --Live::graphics; }
    QString ClassName() const override
    {
        return CellGraphic ? QStringLiteral("TCellGraphic") : QStringLiteral("TPictureHolder");
    }
    bool CellGraphic;
};

class CountedProps : public TCellProperties {
public:
    CountedProps(TBaseGrid* g, int c, int r) : TCellProperties(g, c, r) { ++Live::props; }
    ~CountedProps() override { --Live::props; }
};

// A grid with the feature grid's switches exposed and its hooks recorded.
class ProbeGrid : public TBaseGrid {
public:
    using TBaseGrid::SetHideLastRow;
    using TBaseGrid::SetNormalRowCount;
    void AfterCellTextSet(int c, int r) override { TextSet.push_back({c, r}); }
    void LastRowChanged() override { ++LastRowChanges; }
    std::vector<fw::TPoint> TextSet;
    int LastRowChanges = 0;
};

class BaseGridTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Live::graphics = 0;
        Live::props = 0;
        grid = std::make_unique<ProbeGrid>();
        grid->SetColCount(8);
        grid->SetRowCount(10);
    }
    std::unique_ptr<ProbeGrid> grid;
};

TEST_F(BaseGridTest, DefaultsOfTheGridAndItsStringGrid)
{
    EXPECT_EQ(grid->GridLineWidth(), 1);
    EXPECT_EQ(grid->TObjStringGrid::GridLineWidth(), 0);
    EXPECT_FALSE(grid->TObjStringGrid::DefaultDrawing());
    grid->SetDefaultDrawing(true);
    EXPECT_TRUE(grid->DefaultDrawing());
    EXPECT_FALSE(grid->TObjStringGrid::DefaultDrawing());
    grid->SetGridLineWidth(3);
    EXPECT_EQ(grid->TObjStringGrid::GridLineWidth(), 0);
    EXPECT_EQ(grid->GridLineColor(), fw::TColor(0xC0C0C0));
    EXPECT_EQ(grid->GridFixedLineColor(), fw::TColor(0x808080));
    EXPECT_EQ(grid->ActiveRowColor(), fw::clInfoBk);
    EXPECT_EQ(grid->ActiveRowColorTo(), fw::clNone);
    EXPECT_EQ(grid->HoverRowCells(), (THoverRowCells{hcNormal, hcSelected}));
    EXPECT_EQ(grid->SelectionStyle(), ssDefault);
    EXPECT_TRUE(grid->WordWrap());
    EXPECT_EQ(grid->PaintID(), 1);
    EXPECT_FALSE(grid->HasCellProps());
}

TEST_F(BaseGridTest, FreshPropertiesStartAsTheCellsLook)
{
    fw::TFont font;
    font.Name = QStringLiteral("Courier New");
    font.Size = 11;
    font.Style = fw::TFontStyles{fw::fsBold};
    font.Color = fw::clRed;
    grid->SetFont(font);
    grid->SetColor(0x00ABCDEF);
    grid->SetWordWrap(false);

    TCellProperties* p = grid->CellProperties(2, 3);
    ASSERT_NE(p, nullptr);
    EXPECT_TRUE(grid->HasCellProps());
    EXPECT_EQ(grid->CellProperties(2, 3), p); // created once
    EXPECT_EQ(p->OwnerCol(), 2);
    EXPECT_EQ(p->OwnerRow(), 3);
    EXPECT_EQ(p->FontName(), QStringLiteral("Courier New"));
    EXPECT_EQ(p->FontSize(), 11);
    EXPECT_EQ(p->FontStyle(), fw::TFontStyles{fw::fsBold});
    EXPECT_EQ(p->FontColor(), fw::clRed);
    EXPECT_EQ(p->BrushColor(), fw::TColor(0x00ABCDEF));
    EXPECT_EQ(p->BrushColorTo(), fw::clNone);
    EXPECT_EQ(p->Alignment(), fw::taLeftJustify);
    EXPECT_EQ(p->VAlignment(), vtaTop);
    EXPECT_FALSE(p->WordWrap());
    EXPECT_TRUE(p->IsBaseCell());
    EXPECT_EQ(p->CellSpanX(), -1);
    EXPECT_EQ(p->CellSpanY(), -1);
    EXPECT_EQ(p->Editor(), edNormal);
    EXPECT_EQ(p->CalcType(), acNONE);
    EXPECT_EQ(p->GradientDirection(), GradientVertical);
}

TEST_F(BaseGridTest, ReadingObjectsCreatesNoProperties)
{
    EXPECT_EQ(grid->Objects(1, 1), nullptr);
    EXPECT_EQ(grid->GraphicObjects(1, 1), nullptr);
    EXPECT_FALSE(grid->CellPropertiesAssigned(1, 1));
    EXPECT_FALSE(grid->HasCellProps());
}

TEST_F(BaseGridTest, SetObjectKeepsAnEmptyTextEmpty)
{
    int token = 0;
    grid->SetObjects(1, 1, &token);
    EXPECT_EQ(grid->Cells(1, 1), QString());
    EXPECT_EQ(grid->Objects(1, 1), &token);
    EXPECT_TRUE(grid->CellPropertiesAssigned(1, 1));

    grid->SetCells(2, 2, QStringLiteral("kept"));
    grid->SetObjects(2, 2, &token);
    EXPECT_EQ(grid->Cells(2, 2), QStringLiteral("kept"));
}

TEST_F(BaseGridTest, CellsOfAMergedBlockAddressTheBaseCell)
{
    grid->SetCells(1, 1, QStringLiteral("base"));
    grid->SetCells(2, 2, QStringLiteral("hidden"));
    grid->MergeCells(1, 1, 3, 2);
    for (int c = 1; c <= 3; ++c)
        for (int r = 1; r <= 2; ++r)
            EXPECT_EQ(grid->Cells(c, r), QStringLiteral("base")) << c << "," << r;
    EXPECT_EQ(grid->GridCells(2, 2), QStringLiteral("hidden"));

    grid->TextSet.clear();
    grid->SetCells(3, 2, QStringLiteral("new"));
    EXPECT_EQ(grid->GridCells(1, 1), QStringLiteral("new"));
    EXPECT_EQ(grid->GridCells(3, 2), QString());
    ASSERT_EQ(grid->TextSet.size(), 1u);
    EXPECT_EQ(grid->TextSet[0], fw::TPoint(1, 1));

    grid->SplitCells(2, 1);
    EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("new"));
    EXPECT_EQ(grid->Cells(2, 2), QStringLiteral("hidden"));
    EXPECT_EQ(grid->Cells(3, 2), QString());
}

TEST_F(BaseGridTest, CellsOutsideTheCountsUseTheRawStorage)
{
    grid->SetCells(20, 30, QStringLiteral("far"));
    EXPECT_EQ(grid->Cells(20, 30), QStringLiteral("far"));
    EXPECT_EQ(grid->GridCells(20, 30), QStringLiteral("far"));
    EXPECT_FALSE(grid->CellPropertiesAssigned(20, 30));
    EXPECT_THROW(grid->Cells(-1, 0), fw::EGridError);
    EXPECT_THROW(grid->SetCells(0, -1, QStringLiteral("x")), fw::EGridError);
}

TEST_F(BaseGridTest, DisplayTextEventsOnlyForNormalRows)
{
    int calls = 0;
    grid->OnGetDisplText = [&](QObject* sender, int c, int r, QString& v) {
        EXPECT_EQ(sender, grid.get());
        ++calls;
        v = QStringLiteral("<%1,%2:%3>").arg(c).arg(r).arg(v);
    };
    grid->SetCells(1, 1, QStringLiteral("a"));
    EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("a")); // a plain base grid has no normal rows
    EXPECT_EQ(calls, 0);

    grid->SetNormalRowCount(5);
    grid->MergeCells(1, 1, 2, 1);
    EXPECT_EQ(grid->Cells(2, 1), QStringLiteral("<1,1:a>")); // events see the base cell
    EXPECT_EQ(grid->GridCells(1, 1), QStringLiteral("a"));
    grid->SetCells(1, 7, QStringLiteral("footer"));
    EXPECT_EQ(grid->Cells(1, 7), QStringLiteral("footer"));

    grid->OnGetDisplText = nullptr;
    grid->OnGetDisplWideText = [](QObject*, int, int, QString& w) { w += QChar(0x263A); };
    EXPECT_EQ(grid->Cells(1, 1), PackWideText(QStringLiteral("a") + QChar(0x263A)));
}

TEST_F(BaseGridTest, LastRowHookForTheHiddenFooterRow)
{
    grid->SetCells(0, 9, QStringLiteral("x"));
    EXPECT_EQ(grid->LastRowChanges, 0);
    grid->SetHideLastRow(true);
    grid->SetCells(0, 9, QStringLiteral("y"));
    grid->SetCells(0, 8, QStringLiteral("z"));
    EXPECT_EQ(grid->LastRowChanges, 1);
}

TEST_F(BaseGridTest, ClearingSlotsKeepsThePropertiesForAnotherSlot)
{
    grid->SetCells(1, 1, QStringLiteral("moved"));
    TCellProperties* p = grid->CellProperties(1, 1);
    p->SetEditor(edComboList);
    grid->ClearCellData(1, 1);
    EXPECT_EQ(grid->Cells(1, 1), QString());
    EXPECT_EQ(grid->GridObjects(1, 1), nullptr);
    grid->SetGridObjects(4, 4, p);
    EXPECT_EQ(grid->CellProperties(4, 4)->Editor(), edComboList);

    grid->SetCells(3, 0, QStringLiteral("a"));
    grid->SetCells(3, 5, QStringLiteral("b"));
    grid->CellProperties(3, 5);
    grid->ClearColumnCells(3);
    EXPECT_EQ(grid->Cells(3, 0), QString());
    EXPECT_FALSE(grid->CellPropertiesAssigned(3, 5));
    grid->SetCells(0, 6, QStringLiteral("c"));
    grid->ClearRowCells(6);
    EXPECT_EQ(grid->Cells(0, 6), QString());
}

TEST_F(BaseGridTest, CellGraphicsAreOwnedByTheirProperties)
{
    auto* owned = new TestGraphic(true);
    TestGraphic foreign(false);
    grid->SetGraphicObjects(1, 1, owned);
    grid->SetGraphicObjects(2, 1, &foreign);
    EXPECT_EQ(grid->GraphicObjects(1, 1), owned);
    EXPECT_EQ(grid->Cells(1, 1), QString());
    EXPECT_EQ(Live::graphics, 2);

    grid->FreeCellProps(1, 1);
    grid->FreeCellProps(2, 1);
    EXPECT_EQ(Live::graphics, 1); // only the foreign one is left
    EXPECT_FALSE(grid->CellPropertiesAssigned(2, 1));

    // Replacing an owned graphic frees it; taking it hands it over.
    grid->SetGraphicObjects(3, 3, new TestGraphic(true));
    grid->SetGraphicObjects(3, 3, new TestGraphic(true));
    EXPECT_EQ(Live::graphics, 2);
    std::unique_ptr<TCellGraphicObject> taken(grid->CellProperties(3, 3)->TakeGraphicObject());
    grid->FreeCellProps(3, 3);
    EXPECT_EQ(Live::graphics, 2);
    taken.reset();
    EXPECT_EQ(Live::graphics, 1);
}

TEST_F(BaseGridTest, SetCellPropertiesReplacesAndOwns)
{
    auto* first = new CountedProps(grid.get(), 1, 1);
    grid->SetCellProperties(1, 1, first);
    EXPECT_EQ(grid->CellProperties(1, 1), first);
    auto* shared = new TestGraphic(true);
    first->SetGraphicObject(shared);

    // The new object takes over the graphic: it survives the old object.
    auto* second = new CountedProps(grid.get(), 1, 1);
    second->SetGraphicObject(shared);
    grid->SetCellProperties(1, 1, second);
    EXPECT_EQ(Live::props, 1);
    EXPECT_EQ(Live::graphics, 1);
    EXPECT_EQ(grid->GraphicObjects(1, 1), shared);

    grid->SetCellProperties(1, 1, second); // the same object again: kept
    EXPECT_EQ(Live::props, 1);
    grid->SetCellProperties(1, 1, new CountedProps(grid.get(), 1, 1));
    EXPECT_EQ(Live::props, 1);
    EXPECT_EQ(Live::graphics, 0);
}

TEST_F(BaseGridTest, DestroyingTheGridFreesEveryProperty)
{
    grid->SetCellProperties(2, 2, new CountedProps(grid.get(), 2, 2));
    grid->SetCellProperties(7, 9, new CountedProps(grid.get(), 7, 9));
    grid->CellProperties(7, 9)->SetGraphicObject(new TestGraphic(true));
    // Outside the counts after shrinking, and one taken out of its slot.
    grid->SetRowCount(5);
    grid->SetColCount(4);
    auto* loose = new CountedProps(grid.get(), 1, 1);
    grid->SetCellProperties(1, 1, loose);
    grid->SetGridObjects(1, 1, nullptr);
    // One object in two slots is still freed once.
    auto* twice = new CountedProps(grid.get(), 0, 0);
    grid->SetGridObjects(0, 0, twice);
    grid->SetGridObjects(0, 1, twice);
    EXPECT_EQ(Live::props, 4);
    grid->FreeCellPropsInRange(0, 0, 3, 4);
    EXPECT_EQ(Live::props, 2);
    grid.reset();
    EXPECT_EQ(Live::props, 0);
    EXPECT_EQ(Live::graphics, 0);
}

TEST_F(BaseGridTest, PropertiesAssignCopiesTheListedFields)
{
    TCellProperties src(grid.get(), 1, 2), dst(grid.get(), 5, 6);
    int token = 0;
    src.SetCellObject(&token);
    src.SetCellSpanX(2);
    src.SetIsBaseCell(false);
    src.SetAlignment(fw::taCenter);
    src.SetFontName(QStringLiteral("Arial"));
    src.SetReadOnly(true);
    src.SetEditor(edDataCheckBox);
    src.SetNodeLevel(3);
    src.SetBrushColorTo(fw::clRed);
    src.SetGradientDirection(GradientHorizontal);
    src.SetCalcType(acSUM);
    auto* g = new TestGraphic(true);
    src.SetGraphicObject(g);
    dst.Assign(src);
    EXPECT_EQ(dst.CellObject(), &token);
    EXPECT_EQ(dst.CellSpanX(), 2);
    EXPECT_FALSE(dst.IsBaseCell());
    EXPECT_EQ(dst.OwnerCol(), 1);
    EXPECT_EQ(dst.OwnerRow(), 2);
    EXPECT_EQ(dst.Alignment(), fw::taCenter);
    EXPECT_EQ(dst.FontName(), QStringLiteral("Arial"));
    EXPECT_TRUE(dst.ReadOnly());
    EXPECT_EQ(dst.Editor(), edDataCheckBox);
    EXPECT_EQ(dst.NodeLevel(), 3);
    EXPECT_EQ(dst.BrushColorTo(), fw::clNone);
    EXPECT_EQ(dst.GradientDirection(), GradientVertical);
    EXPECT_EQ(dst.CalcType(), acNONE);
    EXPECT_EQ(dst.GraphicObject(), nullptr);
}

} // namespace
