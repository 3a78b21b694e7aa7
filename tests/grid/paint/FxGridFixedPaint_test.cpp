// Header captions on an offscreen grid: a caption that does not fit its cell
// as laid out shows on one line ending in an ellipsis, never as its first
// words alone; one that fits, wrapped or not, shows as it is.
#include "grid/model/FxGrid.h"

#include "framework/Canvas.h"
#include "framework/SysColors.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QImage>

#include <memory>

using testsupport::colorIs;
using testsupport::pixelBox;
using testsupport::toQRect;

namespace {

constexpr fw::TColor kInk = 0x0000FF;   // the header text's colour, found by pixels

class HeaderCaption : public ::testing::Test {
protected:
    void SetUp() override
    {
        grid = std::make_unique<TFxStringGrid>();
        grid->SetColCount(3);
        grid->SetRowCount(4);
        grid->SetFixedCols(1);
        grid->SetFixedRows(1);
        grid->SetDefaultRowHeight(22);
        grid->SetLook(glStandard);
        grid->SetScrollBars(fw::ssNone);
        fw::TFont f = grid->FixedFont();
        f.Color = kInk;
        grid->SetFixedFont(f);
        grid->resize(400, 200);
    }

    // The ink of header cell (1, 0) and the rectangle its text is drawn in.
    QRect ink(QImage& shot)
    {
        shot = grid->viewport()->grab().toImage();
        return pixelBox(shot, colorIs(kInk), toQRect(grid->CellRect(1, 0)));
    }
    QRect textRect() const
    {
        // The fixed cell's edge (1 pixel) and the grid's text offset.
        const QRect cell = toQRect(grid->CellRect(1, 0));
        const fw::TPoint o = grid->XYOffset();
        return cell.adjusted(1 + o.X, 1 + o.Y, -1 - o.X, -2);
    }
    int textWidth(const QString& text) const
    {
        fw::TBitmap scratch(4, 4);
        scratch.Canvas().Font() = grid->FixedFont();
        return scratch.Canvas().TextWidth(text);
    }

    // How high the ink of the text's last two pixel columns is: a dot of an
    // ellipsis is a pixel or two, the end of a letter more.
    static int endHeight(const QImage& shot, const QRect& box)
    {
        return pixelBox(shot, colorIs(kInk), QRect(box.right() - 1, box.top(), 2, box.height())).height();
    }

    std::unique_ptr<TFxStringGrid> grid;
};

TEST_F(HeaderCaption, ACaptionTooWideForItsCellEndsInAnEllipsisOnItsFirstLine)
{
    const QString caption = QStringLiteral("Slave IP Address");
    grid->SetCells(1, 0, caption);
    // Room for "Slave IP" and a little more, not for the whole caption.
    grid->SetColWidths(1, textWidth(QStringLiteral("Slave IP Ad")) + 8);
    QImage shot;
    const QRect box = ink(shot);
    ASSERT_FALSE(box.isNull());
    EXPECT_TRUE(grid->FixedCaptionCut(1, 0));
    // One line: no second line below a row of one line's height...
    EXPECT_LT(box.height(), textRect().height());
    // ...that runs on past "Slave IP" (up to the dots) inside the cell.
    EXPECT_GT(box.right(), textRect().left() + textWidth(QStringLiteral("Slave IP")) + 2);
    EXPECT_LE(box.right(), textRect().right());
    EXPECT_LE(endHeight(shot, box), 2) << "ends in dots";
}

TEST_F(HeaderCaption, OneWordWiderThanItsCellIsNotCutMidLetterWithoutAMark)
{
    grid->SetCells(1, 0, QStringLiteral("Dimension"));
    grid->SetColWidths(1, textWidth(QStringLiteral("Dimension")) - 2 + 6);
    QImage shot;
    const QRect box = ink(shot);
    ASSERT_FALSE(box.isNull());
    EXPECT_TRUE(grid->FixedCaptionCut(1, 0));
    // Dots end the text inside its rectangle, not a letter.
    EXPECT_LE(box.right(), textRect().right());
    EXPECT_LE(endHeight(shot, box), 2) << "ends in dots";
}

TEST_F(HeaderCaption, ACaptionThatFitsWrappedOrNotShowsAsItIs)
{
    const QString caption = QStringLiteral("Slave IP Address");
    grid->SetCells(1, 0, caption);
    struct Case {
        const char* name;
        int width;
        int rowHeight;
        int lines;
    } cases[] = {
        {"on one line", textWidth(caption) + 12, 22, 1},
        {"wrapped into a header of two lines", textWidth(QStringLiteral("Slave IP")) + 12, 40, 2},
    };
    for (const Case& c : cases) {
        grid->SetColWidths(1, c.width);
        grid->SetRowHeights(0, c.rowHeight);
        QImage shot;
        const QRect box = ink(shot);
        ASSERT_FALSE(box.isNull()) << c.name;
        EXPECT_FALSE(grid->FixedCaptionCut(1, 0)) << c.name;
        fw::TBitmap scratch(4, 4);
        scratch.Canvas().Font() = grid->FixedFont();
        const int line = scratch.Canvas().TextHeight(QStringLiteral("hg"));
        EXPECT_EQ(box.height() > line, c.lines > 1) << c.name << ": ink " << box.height() << " px high";
    }
}

} // namespace
