// The floating footer and the search panel.
#include "grid/model/FxGrid.h"

#include "framework/SysColors.h"
#include "grid/foundation/FxObjButton.h"
#include "grid/foundation/FxObjCheckBox.h"
#include "grid/foundation/FxOptions.h"
#include "grid/paint/FxFloatingFooter.h"
#include "grid/paint/FxSearchPanel.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QTest>

#include <memory>

using testsupport::colorIs;
using testsupport::countPixels;

namespace {

class Footer : public ::testing::Test {
protected:
    void SetUp() override
    {
        grid = std::make_unique<TFxStringGrid>();
        grid->SetColCount(4);
        grid->SetRowCount(6);
        grid->SetFixedCols(1);
        grid->SetFixedRows(1);
        grid->SetDefaultColWidth(50);
        grid->SetDefaultRowHeight(20);
        grid->SetScrollBars(fw::ssNone);
        grid->resize(300, 200);
        for (int c = 0; c < 4; ++c)
            for (int r = 0; r < 6; ++r)
                grid->SetCells(c, r, QStringLiteral("%1,%2").arg(c).arg(r));
    }
    std::unique_ptr<TFxStringGrid> grid;
};

TEST_F(Footer, FixedLastRowMovesFromTheCellsToTheStripAndBack)
{
    TFloatingFooter& footer = grid->FloatingFooter();
    footer.SetVisible(true);
    EXPECT_EQ(grid->FixedFooters(), 1);
    EXPECT_TRUE(grid->FooterPanel().isVisibleTo(grid.get()));
    EXPECT_EQ(grid->FooterPanel().PanelHeight(), footer.Height() - 1);
    const QImage hidden = grid->viewport()->grab().toImage();
    const QRect lastRow = testsupport::toQRect(grid->CellRect(2, 5));
    // The hidden last row shows only the grid colour.
    const fw::TColor color = fw::ColorToRGB(grid->Color());
    EXPECT_EQ(countPixels(hidden, testsupport::colorIsNot(color), lastRow.adjusted(1, 1, -2, -2)), 0);

    footer.SetFooterStyle(fsColumnPreview);
    const QImage shown = grid->viewport()->grab().toImage();
    EXPECT_GT(countPixels(shown, testsupport::colorIsNot(color), lastRow.adjusted(1, 1, -2, -2)), 0)
        << "the last row shows in the cells again";
    footer.SetVisible(false);
    EXPECT_EQ(grid->FixedFooters(), 0);
    EXPECT_EQ(grid->FooterPanel().PanelHeight(), 0);
}

TEST_F(Footer, HeightZeroGivesNoPanel)
{
    TFloatingFooter& footer = grid->FloatingFooter();
    footer.SetHeight(0);
    footer.SetVisible(true);
    EXPECT_EQ(grid->FooterPanel().PanelHeight(), 0);
}

TEST_F(Footer, StripShowsTheLastRowsCellsAndColour)
{
    TFloatingFooter& footer = grid->FloatingFooter();
    footer.SetColor(0x00C0C0);
    footer.SetVisible(true);
    grid->SetColors(2, 5, 0x0000C0);
    TFooterPanel& panel = grid->FooterPanel();
    panel.resize(300, panel.PanelHeight());
    const QImage img = panel.grab().toImage();
    EXPECT_EQ(panel.FooterWidth(), 4 * 50);
    EXPECT_GT(countPixels(img, colorIs(0x0000C0), QRect(100, 0, 50, img.height())), 200) << "a colour of its own";
    EXPECT_GT(countPixels(img, colorIs(fw::ColorToRGB(grid->Color())), QRect(210, 0, 80, img.height())), 200)
        << "beyond the columns: the grid colour";
    int painted = 0;
    grid->Events().OnPaintFooter = [&](QObject*, int ACol, fw::TRect, fw::TCanvas&) { painted |= 1 << ACol; };
    panel.grab();
    EXPECT_EQ(painted, 0b1110) << "the event paints the scrolled columns' cells";
}

TEST_F(Footer, TemplatesExpandTheCurrentRowsCells)
{
    auto text = [](int col) { return QStringLiteral("v%1").arg(col); };
    struct Case {
        const char* tmpl;
        const char* expected;
    } cases[] = {
        {"Total: <#3> EUR", "Total: v3 EUR"},
        {"<#1>/<#2>", "v1/v2"},
        {"no tags", "no tags"},
        {"a<#x>b", "ab"},
        {"a<#9>b", "ab"},
        {"open <#2 and more", "open <#2 and more"},
        {"<#1><#", "v1<#"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ExpandFooterTemplate(QString::fromLatin1(c.tmpl), 4, text), QString::fromLatin1(c.expected))
            << c.tmpl;
}

TEST_F(Footer, ClicksAndHintsFindTheColumnUnderTheMouse)
{
    TFloatingFooter& footer = grid->FloatingFooter();
    footer.SetVisible(true);
    footer.SetShowHint(true);
    TFooterPanel& panel = grid->FooterPanel();
    int clicks = 0;
    std::vector<std::pair<int, int>> cells;
    grid->OnClick = [&](QObject*) { ++clicks; };
    grid->Events().OnClickCell = [&](QObject*, int ARow, int ACol) { cells.push_back({ARow, ACol}); };
    panel.MouseUp(10, 5);
    panel.MouseUp(120, 5);
    panel.MouseUp(250, 5);
    EXPECT_EQ(clicks, 3);
    EXPECT_EQ(cells, (std::vector<std::pair<int, int>>{{5, 0}, {5, 2}})) << "right of the last column: OnClick only";

    grid->resize(120, 200);   // too narrow for every column: the grid can scroll
    grid->show();
    grid->SetLeftCol(2);
    ASSERT_EQ(grid->LeftCol(), 2);
    EXPECT_EQ(panel.ColumnAt(10), 0) << "over the fixed column: that column";
    EXPECT_EQ(panel.ColumnAt(60), 2);

    grid->Events().OnGridHint = [](QObject*, int ARow, int ACol, QString& hint) {
        hint = QStringLiteral("%1:%2").arg(ARow).arg(ACol);
    };
    EXPECT_EQ(panel.HintAt(60), QStringLiteral("5:2"));
    EXPECT_EQ(panel.LastHintColumn(), 2);
}

TEST(SearchPanel, ButtonsFollowTheSearchText)
{
    TFxStringGrid grid;
    TSearchPanel& panel = grid.SearchPanel();
    int forward = 0, backward = 0, changes = 0;
    panel.OnForwardClick = [&](QObject*) { ++forward; };
    panel.OnBackwardClick = [&](QObject*) { ++backward; };
    panel.OnEditChange = [&](QObject*) { ++changes; };
    EXPECT_FALSE(panel.ForwardButton().isEnabled());
    EXPECT_FALSE(panel.BackwardButton().isEnabled());
    EXPECT_FALSE(panel.HiliteButton().isEnabled());
    panel.EditControl().setText(QStringLiteral("x"));
    EXPECT_TRUE(panel.ForwardButton().isEnabled());
    EXPECT_TRUE(panel.BackwardButton().isEnabled());
    EXPECT_TRUE(panel.HiliteButton().isEnabled());
    EXPECT_EQ(changes, 1);
    QTest::keyClick(&panel.EditControl(), Qt::Key_Return);
    QTest::keyClick(&panel.EditControl(), Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(forward, 1);
    EXPECT_EQ(backward, 1);
    EXPECT_EQ(panel.EditControl().text(), QStringLiteral("x")) << "Enter inserts nothing";
    panel.EditControl().clear();
    EXPECT_FALSE(panel.ForwardButton().isEnabled());
}

TEST(SearchPanel, SettingsShowItAtTheBottom)
{
    TFxStringGrid grid;
    grid.resize(500, 300);
    TSearchFooter& sf = grid.SearchFooter();
    sf.SetFindNextCaption(QStringLiteral("Next"));
    sf.SetShowHighLight(false);
    sf.SetColor(0x00C000);
    sf.SetColorTo(fw::clNone);
    sf.SetVisible(true);
    TSearchPanel& panel = grid.SearchPanel();
    EXPECT_EQ(panel.PanelHeight(), 32);
    EXPECT_EQ(panel.geometry().bottom() + 1, grid.viewport()->geometry().bottom() + 1);
    EXPECT_EQ(panel.ForwardButton().Caption(), QStringLiteral("Next"));
    EXPECT_EQ(panel.MatchCase().x(), 330) << "the highlight button is hidden";
    EXPECT_FALSE(panel.HiliteButton().isVisibleTo(&panel));
    const QImage img = panel.grab().toImage();
    EXPECT_GT(countPixels(img, colorIs(0x00C000)), 1000) << "one flat colour";
    sf.SetShowHighLight(true);
    EXPECT_EQ(panel.MatchCase().x(), 425);
    sf.SetVisible(false);
    EXPECT_EQ(panel.PanelHeight(), 0);
}

TEST(SearchPanel, FollowsTheCellsWhenTheGridIsResized)
{
    TFxStringGrid grid;
    grid.resize(500, 300);
    grid.show();
    grid.SearchFooter().SetVisible(true);
    grid.FloatingFooter().SetVisible(true);
    grid.resize(420, 220);
    const QRect cells = grid.viewport()->geometry();
    const QRect search = grid.SearchPanel().geometry();
    const QRect footer = grid.FooterPanel().geometry();
    EXPECT_EQ(search.bottom(), cells.bottom()) << "at the bottom of the new cell area";
    EXPECT_EQ(search.width(), cells.width());
    EXPECT_EQ(footer.bottom() + 1, search.top()) << "the footer strip right above the search bar";
    EXPECT_EQ(footer.width(), cells.width());
}

} // namespace
