#include "grid/model/FxCellGraphic.h"

#include "framework/Graphics.h"
#include "grid/foundation/FxObj.h"

#include <gtest/gtest.h>

#include <QImage>

namespace {

TEST(TCellGraphic, AnglesAreBroughtIntoZeroTo360)
{
    struct Case {
        int in, out;
    };
    for (const Case c : {Case{-30, 330}, Case{720, 360}, Case{360, 360}, Case{0, 0}, Case{-720, 0}, Case{45, 45}}) {
        TCellGraphic g;
        g.SetAngle(c.in);
        EXPECT_EQ(g.CellType(), ctRotated);
        EXPECT_EQ(g.CellAngle(), c.out) << c.in;
    }
}

TEST(TCellGraphic, ButtonSizePacksHeightHighAndWidthLow)
{
    TCellGraphic g;
    g.SetButton(80, 20, "Go", haLeft, vaTop);
    EXPECT_EQ(g.CellIndex(), 20 * 65536 + 80);
    EXPECT_EQ(g.CellText(), "Go");
    EXPECT_FALSE(g.CellBoolean());
}

fw::TPicture* PictureOf(int w, int h)
{
    auto* p = new fw::TPicture();
    QImage img(w, h, QImage::Format_ARGB32);
    img.fill(Qt::red);
    auto bmp = std::make_unique<fw::TBitmap>();
    bmp->SetImage(img);
    p->SetGraphic(std::move(bmp));
    return p;
}

TEST(TCellGraphic, PictureSizeByStretchMode)
{
    struct Case {
        int w, h;
        TStretchMode mode;
        fw::TPoint size;
    };
    // A cell of 110 x 60 with padding 10 leaves 100 x 50.
    const std::vector<Case> cases = {
        {200, 100, noStretch, {200, 100}},
        {200, 100, Stretch, {100, 50}},
        {200, 100, StretchWithAspectRatio, {100, 50}},
        {200, 100, Shrink, {100, 50}},
        {40, 20, Shrink, {40, 20}},
        {40, 20, ShrinkWithAspectRatio, {40, 20}},
        // 100 / 40 = 2.5 across, 50 / 20 = 2.5 down: 20 * 2.5 = 50 exactly.
        {40, 20, StretchWithAspectRatio, {100, 50}},
        {4, 10, StretchWithAspectRatio, {20, 50}},
        {10, 4, StretchWithAspectRatio, {100, 40}},
        {8, 20, StretchWithAspectRatio, {20, 50}},
    };
    for (const Case& c : cases) {
        TCellGraphic g;
        g.SetPicture(PictureOf(c.w, c.h), false, c.mode, 10, haLeft, vaTop);
        g.SetCellCreated(true);
        fw::TPoint size(-1, -1);
        g.GetPictureSize(110, 60, false, size);
        EXPECT_EQ(size, c.size) << c.w << "x" << c.h << " mode " << int(c.mode);
    }
    // Halves go to the even neighbour: 5 * (50 / 20) = 12.5 -> 12, 7 * 2.5 = 17.5 -> 18.
    for (const auto& [w, expect] : {std::pair{5, 12}, std::pair{7, 18}}) {
        TCellGraphic g;
        g.SetPicture(PictureOf(w, 20), false, StretchWithAspectRatio, 0, haLeft, vaTop);
        g.SetCellCreated(true);
        fw::TPoint size;
        g.GetPictureSize(200, 50, false, size);
        EXPECT_EQ(size.X, expect) << w;
    }
    TCellGraphic plain;
    fw::TPoint untouched(7, 7);
    plain.GetPictureSize(10, 10, false, untouched);
    EXPECT_EQ(untouched, fw::TPoint(7, 7));
}

TEST(TCellGraphic, AssignCopiesValuesButNotReferences)
{
    TCellGraphic a;
    a.SetCheckBox(cbGrayed, true, haBeforeText, vaCenter);
    a.SetCellText("t");
    a.SetCellVar(5);
    auto* bmp = new fw::TBitmap();
    a.SetCellBitmap(bmp);
    TCellGraphic b;
    b.Assign(a);
    EXPECT_EQ(b.CellType(), ctTriStateCheckBox);
    EXPECT_EQ(b.CellVAlign(), vaCenter);
    EXPECT_EQ(b.CellText(), "t");
    EXPECT_EQ(b.CellBitmap(), nullptr);
    EXPECT_FALSE(b.CellVar().isValid());
    EXPECT_EQ(b.CellCheckBoxState(), cbUnchecked);
    delete bmp;
}
} // namespace
