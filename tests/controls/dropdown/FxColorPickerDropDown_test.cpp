#include "controls/dropdown/FxColorPickerDropDown.h"

#include "controls/dropdown/FxDropDownForm.h"
#include "framework/Screen.h"
#include "framework/SysColors.h"
#include "framework/TickSource.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

using namespace fw;

namespace {

// ---- palette ----------------------------------------------------------------------------

TEST(ColorPalette, DefaultLayoutJoinsShadesIntoStrips)
{
    TCustomColorSelector palette;
    palette.SetDefaultColors();
    palette.UpdateItems();
    ASSERT_EQ(palette.Items().Count(), 60);
    EXPECT_EQ(palette.size(), QSize(165, 84));
    const int rowTops[] = {4, 20, 32, 44, 56, 68};
    for (int row = 0; row < 6; ++row)
        EXPECT_EQ(palette.Items().Items(row * 10)->Rect().Top, rowTops[row]) << "row " << row;
    EXPECT_EQ(palette.Items().Items(9)->Rect(), Bounds(4 + 9 * 16, 4, 12, 12));
    EXPECT_EQ(palette.Items().Items(0)->ColorBoxPos(), ipStandAlone);
    EXPECT_EQ(palette.Items().Items(10)->ColorBoxPos(), ipTop);
    EXPECT_EQ(palette.Items().Items(59)->ColorBoxPos(), ipBottom);

    TCustomColorSelector empty;
    empty.UpdateItems();
    EXPECT_EQ(empty.size(), QSize(100, 50));
}

TEST(ColorPalette, SelectionByColourAndKeys)
{
    TCustomColorSelector palette;
    palette.SetDefaultColors();
    palette.UpdateItems();
    std::vector<int> events;
    palette.OnItemSelect = [&](QObject*) { events.push_back(palette.ItemIndex()); };
    palette.SetSelectedColor(0x123456);
    EXPECT_EQ(palette.ItemIndex(), -1);
    EXPECT_TRUE(events.empty()) << "no box of that colour: no event";
    const TColor box14 = palette.Items().Items(14)->Color();
    palette.SetSelectedColor(box14);
    EXPECT_EQ(events, std::vector<int>{14});
    palette.SetSelectedColor(clNone);
    EXPECT_EQ(palette.ItemIndex(), -1);

    struct TCase {
        int start;
        int key;
        bool dropped;
        bool editor;
        int expected;
    };
    const TCase cases[] = {
        {3, VK_DOWN, true, false, 13},   // the next row, same column
        {5, VK_UP, true, false, 5},      // no row above
        {-1, VK_LEFT, true, false, -1},  // no selection: nothing before it
        {-1, VK_RIGHT, true, false, 0},
        {7, VK_DOWN, false, false, 8},   // closed: the next box
        {7, VK_LEFT, false, true, 7},    // closed, typing editor: left does nothing
        {7, VK_END, false, false, 59},
        {7, VK_PRIOR, false, false, 0},
    };
    for (const TCase& c : cases) {
        palette.SetItemIndex(c.start);
        palette.HandleKey(c.key, c.editor, c.dropped);
        EXPECT_EQ(palette.ItemIndex(), c.expected) << "key " << c.key << " from " << c.start << " open " << c.dropped;
    }
    palette.SelectLast();
    palette.SetItemIndex(60);
    EXPECT_EQ(palette.ItemIndex(), 59) << "an index beyond the boxes is ignored";
}

// ---- cube -------------------------------------------------------------------------------

TEST(ColorCube, CellsPickingAndHint)
{
    TFxColorCubePanel cube;
    EXPECT_EQ(cube.Cell(1).X, 55);
    EXPECT_EQ(cube.Cell(1).Y, 20);
    EXPECT_EQ(cube.Cell(1).Color, 0x663300u);
    EXPECT_EQ(cube.Cell(8).X, 49) << "row 2 starts 6 further left";
    EXPECT_EQ(cube.Cell(64).Color, 0xFFFFFFu) << "the white cell in the middle";
    EXPECT_EQ(cube.Cell(127).Color, 0x2100A5u);
    EXPECT_EQ(cube.Cell(127).Y, 140);

    struct TCase {
        QPoint p;
        int cell;
    };
    const TCase cases[] = {
        {{55, 20}, 1},  {{61, 20}, 1},   // 6 away: still inside
        {{62, 20}, 2},  {{58, 20}, 1},   // cell 2 lies 12 further right
        {{52, 25}, 1},  {{55, 27}, -1},  {{0, 0}, -1},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(cube.CellAtPos(c.p), c.cell) << c.p.x() << "," << c.p.y();
    // Exactly between two neighbours of a row: the lower number wins.
    const QPoint between((cube.Cell(10).X + cube.Cell(11).X) / 2, cube.Cell(10).Y);
    EXPECT_EQ(cube.CellAtPos(between), 10);

    cube.show();
    QApplication::processEvents();
    const QPoint white(cube.Cell(64).X, cube.Cell(64).Y);
    QTest::mouseMove(&cube, white);
    EXPECT_EQ(cube.HotIndex(), 64);
    EXPECT_EQ(cube.toolTip(), "Red: 255,  Green: 255,  Blue: 255");
    QTest::mouseMove(&cube, QPoint(2, 2));
    EXPECT_EQ(cube.HotIndex(), 64) << "the hot cell keeps its frame in the gap";
    EXPECT_EQ(cube.toolTip(), "");

    int selected = 0;
    cube.OnSelect = [&](QObject*) { ++selected; };
    QTest::mousePress(&cube, Qt::LeftButton, {}, QPoint(2, 2));
    EXPECT_EQ(selected, 0) << "a press outside every cell does nothing";
    QTest::mousePress(&cube, Qt::LeftButton, {}, white);
    EXPECT_EQ(selected, 1);
    EXPECT_EQ(cube.SelectedIndex(), 64);
    EXPECT_EQ(cube.SelectedColor(), 0xFFFFFFu);
    QTest::mouseRelease(&cube, Qt::LeftButton, {}, white);

    cube.SetSelectedColor(0x010203);
    EXPECT_EQ(cube.SelectedIndex(), -1);
    cube.SetSelectedColor(0x0000FF);
    EXPECT_EQ(cube.Cell(cube.SelectedIndex()).Color, 0x0000FFu);
}

// ---- spectrum ---------------------------------------------------------------------------

TEST(ColorSpectrum, LayoutPictureAndPicking)
{
    TFxColorSpectrumPanel spectrum;
    spectrum.UpdateLayout();
    EXPECT_EQ(spectrum.size(), QSize(150, 174));
    EXPECT_EQ(spectrum.SpectrumImage()->geometry(), QRect(11, 10, 128, 128));
    EXPECT_EQ(spectrum.SelectedRect(), TRect(10, 146, 73, 166));
    EXPECT_EQ(spectrum.HotRect(), TRect(77, 146, 140, 166));
    EXPECT_EQ(spectrum.SelectedColor(), 0xFFFFFFu);
    EXPECT_EQ(spectrum.HotColor(), clNone);

    // Hue across, light to dark downwards, pure hues in the middle rows.
    const QImage& img = TFxColorSpectrumPanel::SpectrumBitmap();
    ASSERT_EQ(img.size(), QSize(128, 128));
    struct TCase {
        int x, y;
        int hue;          // degrees, -1 for any
        int lightness;    // percent
    };
    const TCase cases[] = {{0, 63, 0, 50}, {43, 64, 121, 50}, {85, 63, 239, 50}, {20, 0, -1, 99}, {20, 120, -1, 9}};
    for (const TCase& c : cases) {
        const QColor px = img.pixelColor(c.x, c.y);
        EXPECT_NEAR(px.lightnessF() * 100, c.lightness, 2) << c.x << "," << c.y;
        if (c.hue >= 0) {
            EXPECT_NEAR(px.hslHue(), c.hue, 4) << c.x << "," << c.y;
        }
    }
    EXPECT_NEAR(img.pixelColor(30, 63).hslSaturationF(), 1.0, 0.02);

    spectrum.show();
    QApplication::processEvents();
    int selected = 0, hides = 0;
    spectrum.OnSelect = [&](QObject*) { ++selected; };
    spectrum.OnShouldHide = [&](QObject*) { ++hides; };
    QWidget* picture = spectrum.SpectrumImage();
    QTest::mouseMove(picture, QPoint(0, 63));
    EXPECT_EQ(spectrum.HotColor(), FromQColor(img.pixelColor(0, 63)));
    QTest::mouseClick(picture, Qt::LeftButton, {}, QPoint(43, 64));
    EXPECT_EQ(selected, 1);
    EXPECT_EQ(hides, 1);
    EXPECT_EQ(spectrum.SelectedColor(), FromQColor(img.pixelColor(43, 64)));
    const QImage shot = spectrum.grab().toImage();
    EXPECT_EQ(FromQColor(shot.pixelColor(40, 156)), spectrum.SelectedColor()) << "the selected swatch";
}

// ---- picker -----------------------------------------------------------------------------

class ColorPickerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        window.resize(400, 300);
        dd = new TFxColorPickerDropDown(&window);
        dd->SetBounds(20, 30, 180, 21);
        window.show();
        window.activateWindow();
        QApplication::processEvents();
        dd->OnSelect = [this](QObject*) { selects.push_back(dd->ItemIndex()); };
    }
    void TearDown() override { delete dd; }
    QWidget* popupFocus() const
    {
        QWidget* f = QApplication::focusWidget();
        return f && dd->DropDownForm()->isAncestorOf(f) ? f : dd->DropDownForm();
    }

    TScopedMonitors monitors{{{TRect(0, 0, 1024, 768), TRect(0, 0, 1024, 740)}}};
    TManualTickSource clock{10000};
    TScopedTickSource scope{clock};
    QWidget window;
    TFxColorPickerDropDown* dd = nullptr;
    std::vector<int> selects;
};

TEST_F(ColorPickerTest, NamedColoursAndTheirText)
{
    EXPECT_EQ(dd->Colors().Count(), 0) << "a picker made at run time has no named colours";
    dd->AddDefaultColors();
    dd->AddDefaultColors();
    EXPECT_EQ(dd->Colors().Count(), 32);
    dd->Colors().Clear();
    dd->AddDefaultColors();
    EXPECT_EQ(dd->Colors().Items(9)->Caption(), "Red");

    dd->SetSelectedColor(0x0000FF);
    EXPECT_EQ(dd->ItemIndex(), 9);
    EXPECT_EQ(dd->SelectedColorText(), "Red");
    dd->SetSelectedColor(0x123456);
    EXPECT_EQ(dd->ItemIndex(), 9) << "a colour of no item keeps the index";
    EXPECT_EQ(dd->SelectedColorText(), "Red");
    dd->SetItemIndex(16);
    EXPECT_EQ(dd->ItemIndex(), 9) << "an index at the count is ignored";
    EXPECT_EQ(selects, std::vector<int>{9});
}

TEST_F(ColorPickerTest, ColourValueNotations)
{
    dd->SetColorSelectionStyle(csColorCube);
    struct TCase {
        TColorValueText notation;
        TColor color;
        const char* text;
    };
    const TCase cases[] = {
        {cvtNone, 0x0000FF, ""},
        {cvtHex, 0x0000FF, "0000FF"},          // stored order: blue, green, red
        {cvtHex, clBtnFace, "FF00000F"},       // a system colour gives all 8 digits
        {cvtHTML, 0x336699, "#996633"},        // red first
        {cvtRGB, 0x336699, "Red:153,Green:102,Blue:51"},
        {cvtRGB, clWindowText, "Red:0,Green:0,Blue:0"},
        {cvtWebName, 0x0000FF, "red"},
        {cvtWebName, 0x123456, "#563412"},
    };
    for (const TCase& c : cases) {
        dd->SetColorValueText(c.notation);
        dd->SetSelectedColor(c.color);
        EXPECT_EQ(dd->SelectedColorText(), c.text) << c.notation;
    }
}

TEST_F(ColorPickerTest, CubePickSetsNoNamedColourAndCloses)
{
    dd->AddDefaultColors();
    dd->SetColorSelectionStyle(csColorCube);
    dd->SetColorValueText(cvtHTML);
    dd->ShowDropDown();
    ASSERT_TRUE(dd->DroppedDown());
    EXPECT_EQ(dd->DropDownForm()->size(), QSize(184, 162));
    TFxColorCubePanel* cube = dd->Cube();
    const TFxColorCubePanel::TCubeCell& cell = cube->Cell(50);   // $CCFF99
    QTest::mouseClick(cube, Qt::LeftButton, {}, QPoint(cell.X, cell.Y));
    EXPECT_FALSE(dd->DroppedDown());
    EXPECT_EQ(dd->SelectedColor(), 0xCCFF99u);
    EXPECT_EQ(dd->ItemIndex(), -1);
    EXPECT_EQ(dd->SelectedColorText(), "#99FFCC");

    dd->SetColorValueText(cvtNone);
    const QImage img = dd->grab().toImage();
    EXPECT_GT(testsupport::countPixels(img, testsupport::colorIs(0xCCFF99)), 100) << "the box still shows the colour";

    dd->ShowDropDown();
    QTest::keyClick(popupFocus(), Qt::Key_Escape);
    EXPECT_EQ(dd->SelectedColor(), 0xCCFF99u) << "Escape in the cube changes nothing";
}

TEST_F(ColorPickerTest, PopupSizesPerStyle)
{
    struct TCase {
        TColorSelectionStyle style;
        QSize size;
    };
    const TCase cases[] = {{csDiscrete, {167, 86}}, {csColorCube, {184, 162}}, {csSpectrum, {152, 176}}};
    for (const TCase& c : cases) {
        dd->SetColorSelectionStyle(c.style);
        EXPECT_EQ(dd->DropDownForm()->size(), c.size) << c.style << " when switched";
        dd->ShowDropDown();
        EXPECT_EQ(dd->DropDownForm()->size(), c.size) << c.style << " when opened";
        EXPECT_FALSE(dd->DropDownForm()->Sizeable());
        dd->HideDropDown(false);
    }
    dd->AddDefaultColors();
    dd->SetColorSelectionStyle(csList);
    dd->ShowDropDown();
    EXPECT_EQ(dd->DropDownForm()->height(), 200) << "the list is 200 high";
}

TEST_F(ColorPickerTest, ListKeysAndEscape)
{
    dd->AddDefaultColors();
    dd->SetItemIndex(2);
    selects.clear();
    dd->ShowDropDown();
    QTest::keyClick(popupFocus(), Qt::Key_Down);
    QTest::keyClick(popupFocus(), Qt::Key_Down);
    EXPECT_TRUE(dd->DroppedDown());
    EXPECT_EQ(dd->ItemIndex(), 4);
    QTest::keyClick(popupFocus(), Qt::Key_Escape);
    EXPECT_FALSE(dd->DroppedDown());
    EXPECT_EQ(dd->ItemIndex(), 2) << "Escape restores the colour selected at the opening";
    EXPECT_EQ(dd->SelectedColor(), 0x008000u);

    // A click on a row chooses it on the press and closes.
    dd->ShowDropDown();
    TCustomItemSelector* panel = dd->ListSelector()->Panel();
    QTest::mousePress(panel, Qt::LeftButton, {},
                      testsupport::toQRect(dd->ListSelector()->Items().Items(9)->Rect()).center());
    EXPECT_FALSE(dd->DroppedDown());
    EXPECT_EQ(dd->SelectedColor(), 0x0000FFu);

    // Letters search the captions while closed.
    QTest::keyClick(dd, Qt::Key_B);
    EXPECT_EQ(dd->ItemIndex(), 0) << "Black, the first caption starting with B";
    QTest::keyClick(dd, Qt::Key_L);
    QTest::keyClick(dd, Qt::Key_U);
    EXPECT_EQ(dd->ItemIndex(), 12) << "Blue";
    clock.Advance(500);
    QTest::keyClick(dd, Qt::Key_L);
    EXPECT_EQ(dd->ItemIndex(), 10) << "Lime: the search started anew";
}

TEST_F(ColorPickerTest, PaletteFollowsKeysLiveAndEscapeRestores)
{
    dd->SetColorSelectionStyle(csDiscrete);
    dd->SetSelectedColor(0x000000);
    dd->ShowDropDown();
    QTest::keyClick(popupFocus(), Qt::Key_Right);
    EXPECT_TRUE(dd->DroppedDown());
    EXPECT_EQ(dd->SelectedColor(), 0xE1ECEEu) << "the colour follows the palette without closing";
    QTest::keyClick(popupFocus(), Qt::Key_Escape);
    EXPECT_EQ(dd->SelectedColor(), 0x000000u);
}

TEST_F(ColorPickerTest, EditAreaShowsBoxAndText)
{
    dd->AddDefaultColors();
    dd->clearFocus();
    dd->SetSelectedColor(clNone);
    const QImage none = dd->grab().toImage();
    dd->SetSelectedColor(0x0000FF);
    const QImage red = dd->grab().toImage();
    EXPECT_EQ(testsupport::countPixels(none, testsupport::colorIs(0x0000FF)), 0);
    const QRect box = testsupport::pixelBox(red, testsupport::colorIs(0x0000FF));
    EXPECT_EQ(box.size(), QSize(12, 12)) << "a 14 x 14 box inside its black outline";
    EXPECT_EQ(box.left(), 1 + 4 + 1);
    const QRect textArea(box.right() + 3, 4, 100, 13);
    EXPECT_GT(testsupport::countPixels(red, testsupport::colorIs(0x000000), textArea), 10)
        << "the caption beside the box";
    dd->setFocus();
    const QImage focused = dd->grab().toImage();
    EXPECT_GT(testsupport::countPixels(focused, testsupport::colorIs(GetSysColor(14)), textArea), 10)
        << "focused: highlighted text";
    dd->clearFocus();
    dd->SetShowText(false);
    const QImage noText = dd->grab().toImage();
    EXPECT_EQ(testsupport::countPixels(noText, testsupport::colorIs(0x000000), textArea), 0);
}

} // namespace
