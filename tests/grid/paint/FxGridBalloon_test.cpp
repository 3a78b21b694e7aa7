// Balloon tool tips over cells and the HTML hint window.
#include "grid/model/FxGrid.h"

#include "framework/BalloonTip.h"
#include "grid/foundation/FxUtilText.h"
#include "grid/paint/FxGridAppearance.h"
#include "grid/paint/FxHTMLHintWindow.h"
#include "framework/Canvas.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>

#include <memory>

namespace {

class Balloons : public ::testing::Test {
protected:
    void SetUp() override
    {
        grid = std::make_unique<TFxStringGrid>();
        grid->SetColCount(4);
        grid->SetRowCount(5);
        grid->SetDefaultColWidth(60);
        grid->SetDefaultRowHeight(20);
        grid->resize(300, 150);
    }

    // The balloon content of cell (c, r), asked for its middle.
    bool Ask(int c, int r, QString& title, QString& text, int& icon)
    {
        const fw::TRect cell = grid->CellRect(c, r);
        return grid->BalloonText(cell.Left + 5, cell.Top + 5, title, text, icon);
    }

    std::unique_ptr<TFxStringGrid> grid;
};

TEST_F(Balloons, EnableMakesAndFreesOneWindow)
{
    EXPECT_EQ(grid->BalloonToolTip(), nullptr);
    grid->Balloon().SetEnable(true);
    fw::TBalloonToolTip* first = grid->BalloonToolTip();
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(grid->BalloonInitialized());
    grid->BalloonInit();
    EXPECT_EQ(grid->BalloonToolTip(), first) << "one window while initialised";
    grid->Balloon().SetEnable(false);
    EXPECT_EQ(grid->BalloonToolTip(), nullptr);
    EXPECT_FALSE(grid->BalloonInitialized());
    grid->Balloon().SetEnable(true);
    EXPECT_NE(grid->BalloonToolTip(), nullptr);
}

TEST_F(Balloons, SettingsReachTheWindow)
{
    grid->Balloon().SetTransparency(55);
    grid->Balloon().SetInitialDelay(0);
    grid->Balloon().SetAutoHideDelay(-1);
    grid->Balloon().SetEnable(true);
    fw::TBalloonToolTip& tip = *grid->BalloonToolTip();
    EXPECT_EQ(tip.Alpha(), 200);
    EXPECT_EQ(tip.InitialDelay(), 0);
    EXPECT_EQ(tip.AutoPopDelay(), fw::TBalloonToolTip::DefaultAutoPopDelay) << "-1 leaves the default";
    EXPECT_EQ(tip.Title(), QStringLiteral("ToolTipText"));
    EXPECT_EQ(tip.Icon(), 3);
}

TEST_F(Balloons, PlainCellTextWithBlankTitleAndInfoIcon)
{
    QString title, text;
    int icon = 0;
    EXPECT_FALSE(Ask(1, 1, title, text, icon)) << "nothing while balloons are off";
    grid->Balloon().SetEnable(true);
    grid->SetCells(1, 1, QStringLiteral("\r\n\r\nfirst\tsecond\t"));
    ASSERT_TRUE(Ask(1, 1, title, text, icon));
    EXPECT_EQ(text, QStringLiteral("first second\t")) << "leading breaks skipped, inner tabs as blanks";
    EXPECT_EQ(title, QStringLiteral(" "));
    EXPECT_EQ(icon, 1);
    grid->SetCells(2, 1, QStringLiteral("<b>bold</b> text"));
    Ask(2, 1, title, text, icon);
    EXPECT_EQ(text, QStringLiteral("bold text"));
}

TEST_F(Balloons, LongTextsAndTitlesAreCut)
{
    grid->Balloon().SetEnable(true);
    grid->SetCells(1, 1, QString(3000, u'x'));
    QString title, text;
    int icon = 0;
    Ask(1, 1, title, text, icon);
    EXPECT_EQ(text, QString(2045, u'x') + QStringLiteral("..."));
    grid->AddBalloon(2, 2, QString(120, u't'), QStringLiteral("body"), TFxStringGrid::biWarning);
    Ask(2, 2, title, text, icon);
    EXPECT_EQ(title, QString(97, u't') + QStringLiteral("..."));
    EXPECT_EQ(text, QStringLiteral("body"));
    EXPECT_EQ(icon, 2);
}

TEST_F(Balloons, EventHasTheLastWordOnTheRealCell)
{
    grid->Balloon().SetEnable(true);
    grid->HideColumn(1);   // display column 1 shows real column 2
    int col = -1, row = -1;
    grid->Events().OnCellBalloon = [&](QObject*, int ACol, int ARow, QString& ATitle, QString& AText, int& AIcon) {
        col = ACol;
        row = ARow;
        ATitle = QStringLiteral("T");
        AText = QString(5000, u'y');
        AIcon = 3;
    };
    QString title, text;
    int icon = 0;
    Ask(1, 3, title, text, icon);
    EXPECT_EQ(col, 2);
    EXPECT_EQ(row, 3);
    EXPECT_EQ(title, QStringLiteral("T"));
    EXPECT_EQ(icon, 3);
    EXPECT_EQ(text.size(), 2048) << "the event's text is cut to the buffer as well";
}

TEST(HintWindow, LaysOutInAFixedWidthAndStaysOnTheMonitor)
{
    THTMLHintWindow hint;
    QString longText;
    for (int i = 0; i < 100; ++i)
        longText += QStringLiteral("WWWW ");
    hint.ActivateHint(fw::TRect(10, 10, 20, 20), longText);
    EXPECT_LE(hint.TextWidth(), 1008);
    EXPECT_EQ(hint.width(), hint.TextWidth() + 16) << "HTML text: 16 pixels of margin";
    EXPECT_EQ(hint.height(), hint.TextHeight() + 4);
    const QRect monitor = QGuiApplication::primaryScreen()->geometry();
    hint.ActivateHint(fw::TRect(monitor.right() - 5, monitor.bottom() - 5, 0, 0), QStringLiteral("near the corner"));
    EXPECT_EQ(hint.geometry().right() + 1, monitor.right() + 1 - 2) << "2 pixels inside the right edge";
    EXPECT_EQ(hint.geometry().bottom() + 1, monitor.bottom() + 1 - 2) << "moved up above the bottom edge";
}

TEST(HintWindow, PackedWideHintsAreOneLineInTheHintFont)
{
    THTMLHintWindow::SetHintFontName(QStringLiteral("Courier New"));
    THTMLHintWindow hint;
    hint.ActivateHint(fw::TRect(10, 10, 20, 20), PackWideText(QStringLiteral("wide <b>text</b>")));
    EXPECT_EQ(hint.width(), hint.TextWidth() + 8) << "wide text: 8 pixels of margin";
    fw::TCanvas canvas;
    canvas.Font().Name = QStringLiteral("Courier New");
    EXPECT_EQ(hint.TextWidth(), canvas.TextWidth(QStringLiteral("wide <b>text</b>"))) << "tags are text here";
    THTMLHintWindow::SetHintFontName(QString());
}

} // namespace
