#include "grid/foundation/FxOptions.h"

#include "framework/ObjStringGrid.h"

#include <gtest/gtest.h>

namespace {

struct Counter {
    int n = 0;
    TFxNotifyEvent handler()
    {
        return [this](QObject*) { ++n; };
    }
};

TEST(TSearchFooter, TextsOnlyWithInitDesign)
{
    TSearchFooter runtime(nullptr, false);
    EXPECT_EQ(runtime.FindNextCaption(), QString());
    EXPECT_EQ(runtime.HintHighlight(), QString());

    TSearchFooter design(nullptr, true);
    const std::pair<QString, const char*> texts[] = {
        {design.FindNextCaption(), "Find &next"},
        {design.FindPrevCaption(), "Find &previous"},
        {design.MatchCaseCaption(), "Match case"},
        {design.HighLightCaption(), "Highlight"},
        {design.HintClose(), "Close"},
        {design.HintFindNext(), "Find next occurrence"},
        {design.HintFindPrev(), "Find previous occurrence"},
        {design.HintHighlight(), "Highlight occurrences"},
    };
    for (const auto& t : texts)
        EXPECT_EQ(t.first, QString::fromUtf8(t.second));

    EXPECT_FALSE(design.Visible());
    EXPECT_EQ(design.Color(), fw::TColor(0xFFFFFF));
    EXPECT_EQ(design.ColorTo(), fw::clBtnFace);
    EXPECT_TRUE(design.ShowFindNext() && design.ShowFindPrev() && design.ShowMatchCase() && design.ShowHighLight()
                && design.ShowClose() && design.AutoSearch());
    EXPECT_EQ(design.SearchColumn(), -1);
    EXPECT_EQ(design.SearchDirection(), sdTopBottom);
}

TEST(TSearchFooter, Notifications)
{
    TSearchFooter f(nullptr, false);
    Counter c;
    f.OnChange = c.handler();
    struct Step { const char* what; std::function<void()> act; int expected; };
    const Step steps[] = {
        {"ShowFindNext unchanged", [&] { f.SetShowFindNext(true); }, 0},
        {"ShowFindNext changed", [&] { f.SetShowFindNext(false); }, 1},
        {"Visible unchanged", [&] { f.SetVisible(false); }, 0},
        {"Visible changed", [&] { f.SetVisible(true); }, 1},
        {"Color same value", [&] { f.SetColor(f.Color()); }, 1},
        {"ColorTo", [&] { f.SetColorTo(0x123456); }, 1},
        {"ShowClose same value", [&] { f.SetShowClose(true); }, 1},
        {"caption", [&] { f.SetMatchCaseCaption(QStringLiteral("x")); }, 1},
        {"font", [&] { f.SetFont(fw::TFont()); }, 1},
        {"AutoThemeAdapt", [&] { f.SetAutoThemeAdapt(false); }, 1},
        {"plain setting", [&] { f.SetSearchColumn(3); }, 0},
    };
    for (const Step& s : steps) {
        c.n = 0;
        s.act();
        EXPECT_EQ(c.n, s.expected) << s.what;
    }
}

TEST(TSearchFooter, AssignCopiesAllButFourSettings)
{
    TSearchFooter src(nullptr, true), dst(nullptr, false);
    src.SetVisible(true);
    src.SetColorTo(0x0F0F0F);
    src.SetSearchColumn(4);
    src.SetAutoSearch(false);
    src.SetSearchFixedCells(true);
    src.SetAutoThemeAdapt(true);
    src.SetLastSearch(QStringLiteral("abc"));
    fw::TFont font;
    font.Size = 12;
    src.SetFont(font);
    Counter c;
    dst.OnChange = c.handler();
    dst.Assign(&src);
    EXPECT_EQ(c.n, 0);
    EXPECT_TRUE(dst.Visible());
    EXPECT_EQ(dst.ColorTo(), fw::TColor(0x0F0F0F));
    EXPECT_EQ(dst.SearchColumn(), 4);
    EXPECT_EQ(dst.FindPrevCaption(), QStringLiteral("Find &previous"));
    EXPECT_EQ(dst.Font().Size, 12);
    EXPECT_TRUE(dst.AutoSearch());
    EXPECT_FALSE(dst.SearchFixedCells());
    EXPECT_FALSE(dst.AutoThemeAdapt());
    EXPECT_EQ(dst.LastSearch(), QString());
    TBands other;
    dst.Assign(&other); // another class: ignored
    EXPECT_TRUE(dst.Visible());
}

TEST(TNavigation, DefaultsNotificationsAndAssign)
{
    TNavigation n;
    EXPECT_TRUE(n.CopyHTMLTagsToClipboard() && n.AdvanceSkipReadOnlyCells() && n.SkipDisabledRows());
    EXPECT_FALSE(n.AllowInsertRow() || n.AdvanceOnEnter() || n.TabToNextAtEnd());
    EXPECT_EQ(n.AdvanceDirection(), adLeftRight);
    EXPECT_EQ(n.HomeEndKey(), heFirstLastColumn);

    Counter c;
    n.OnChange = c.handler();
    n.SetAdvanceDirection(adLeftRight);
    n.SetAdvanceInsert(false);
    EXPECT_EQ(c.n, 0);
    n.SetAdvanceDirection(adTopBottom);
    n.SetAdvanceInsert(true);
    EXPECT_EQ(c.n, 2);
    n.SetAdvanceAuto(true);
    EXPECT_TRUE(n.AdvanceOnEnter());
    EXPECT_EQ(c.n, 2);

    TNavigation src;
    src.SetTabAdvanceDirection(adTopBottomInCol);
    src.SetAdvanceDirection(adLeftRightInRow);
    src.SetKeepScrollOnSort(true);
    src.SetAllowDeleteRow(true);
    TNavigation dst;
    Counter d;
    dst.OnChange = d.handler();
    dst.Assign(&src);
    EXPECT_EQ(dst.TabAdvanceDirection(), adTopBottomInCol);
    EXPECT_EQ(dst.AdvanceDirection(), adLeftRightInRow);
    EXPECT_TRUE(dst.AllowDeleteRow());
    EXPECT_FALSE(dst.KeepScrollOnSort());
    EXPECT_EQ(d.n, 0);
}

TEST(TMouseActions, SideEffects)
{
    TMouseActions m;
    EXPECT_TRUE(m.AutoSizeColOnDblClick() && m.PreciseNodeClick());
    EXPECT_EQ(m.FixedRowsEditor(), fceEdit);
    EXPECT_EQ(m.WheelAction(), waMoveSelection);
    Counter change, invalidate, disable;
    m.OnChange = change.handler();
    m.OnInvalidate = invalidate.handler();
    m.OnDisableEdit = disable.handler();

    m.SetHotmailRowSelect(true);
    EXPECT_TRUE(m.DisjunctRowSelect());
    EXPECT_TRUE(m.CheckAllCheck());
    EXPECT_EQ(invalidate.n, 1);
    m.SetEditOnDblClickOnly(true);
    m.SetEditOnDblClickOnly(false);
    EXPECT_EQ(disable.n, 1);
    m.SetWheelAction(waMoveSelection);
    m.SetWheelAction(waScroll);
    EXPECT_EQ(change.n, 1);

    // At run time several disjunct modes may be on; at design time one excludes the others.
    m.SetDisjunctColSelect(true);
    EXPECT_TRUE(m.DisjunctRowSelect() && m.DisjunctColSelect());
    bool designing = true;
    m.OnIsDesigning = [&](QObject*, bool& d) { d = designing; };
    m.SetDisjunctCellSelect(true);
    EXPECT_TRUE(m.DisjunctCellSelect());
    EXPECT_FALSE(m.DisjunctRowSelect() || m.DisjunctColSelect());

    fw::TStringList values;
    values.Add(QStringLiteral("a"));
    m.SetFixedComboValues(values);
    values.Add(QStringLiteral("b"));
    EXPECT_EQ(m.FixedComboValues().Count(), 1);

    TMouseActions dst;
    dst.OnInvalidate = invalidate.handler();
    m.SetSizeFixedRow(true);
    m.SetRowSelect(true);
    dst.Assign(&m);
    EXPECT_TRUE(dst.RowSelect());
    EXPECT_TRUE(dst.DisjunctCellSelect());
    EXPECT_FALSE(dst.HotmailRowSelect());
    EXPECT_FALSE(dst.EditOnDblClickOnly());
    EXPECT_FALSE(dst.SizeFixedRow());
    EXPECT_EQ(dst.FixedComboValues().Count(), 0);
    EXPECT_EQ(dst.WheelAction(), waScroll);
    EXPECT_EQ(invalidate.n, 1); // written directly
}

TEST(TSyncGrid, IgnoresItsOwnerAndCopies)
{
    TObjStringGrid owner, other;
    TSyncGrid s(&owner);
    s.SetGrid(&owner);
    EXPECT_EQ(s.Grid(), nullptr);
    s.SetGrid(&other);
    EXPECT_EQ(s.Grid(), &other);
    s.SetMoveRow(true);

    TSyncGrid copy(&other);
    copy.Assign(&s); // the source's grid is the copy's owner: not taken
    EXPECT_EQ(copy.Grid(), nullptr);
    EXPECT_TRUE(copy.MoveRow());
}

TEST(TBands, NotificationsAndTotalLength)
{
    TBands b;
    EXPECT_EQ(b.PrimaryColor(), fw::clInfoBk);
    EXPECT_EQ(b.SecondaryColor(), fw::clWindow);
    EXPECT_EQ(b.TotalLength(), 2);
    Counter c;
    b.OnChange = c.handler();
    b.SetPrimaryColor(fw::clRed); // inactive: silent
    EXPECT_EQ(c.n, 0);
    b.SetActive(true);
    b.SetActive(true);
    EXPECT_EQ(c.n, 1);
    b.SetPrimaryColor(fw::clRed);   // unchanged
    b.SetSecondaryColor(fw::clBlue);
    b.SetPrimaryLength(2);
    b.SetSecondaryLength(3);
    EXPECT_EQ(c.n, 4);
    EXPECT_EQ(b.TotalLength(), 5);

    TBands copy;
    Counter d;
    copy.OnChange = d.handler();
    copy.Assign(&b);
    EXPECT_EQ(copy.TotalLength(), 5);
    EXPECT_TRUE(copy.Active());
    EXPECT_EQ(copy.SecondaryColor(), fw::clBlue);
    EXPECT_EQ(d.n, 0);
}

} // namespace
