// Pictures of the drop-downs as a user sees them: each picker open, the
// popup strips in every component style, colour tones. With
// pictures kept (testsupport::keepShot) they are saved for a person to look at.
#include "controls/dropdown/FxCalculatorDropDown.h"
#include "controls/dropdown/FxColorPickerDropDown.h"
#include "controls/dropdown/FxCustomGridDropDown.h"
#include "controls/dropdown/FxDateTimePicker.h"
#include "controls/dropdown/FxDetailDropDown.h"
#include "controls/dropdown/FxDropDown.h"
#include "controls/dropdown/FxImagePickerDropDown.h"
#include "controls/dropdown/FxMemoDropDown.h"
#include "controls/dropdown/FxMultiColumnDropDown.h"
#include "controls/dropdown/FxTimePickerDropDown.h"
#include "controls/dropdown/FxTrackBarDropDown.h"
#include "framework/Canvas.h"
#include "framework/DateTime.h"
#include "framework/Screen.h"
#include "framework/SysColors.h"
#include "framework/TickSource.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCalendarWidget>
#include <QPainter>
#include <QSet>

using namespace fw;

namespace {

// The edit and, below it, its open popup, as one picture.
QImage openPicture(TFxCustomDropDown& dd, QWidget& window)
{
    dd.show();
    dd.ShowDropDown();
    QApplication::processEvents();
    const QImage edit = window.grab().toImage();
    const QImage popup = dd.DropDownForm()->grab().toImage();
    const QPoint offset = dd.DropDownForm()->geometry().topLeft() - window.mapToGlobal(QPoint(0, 0));
    QImage out(std::max(edit.width(), offset.x() + popup.width()), std::max(edit.height(), offset.y() + popup.height()),
               QImage::Format_RGB32);
    out.fill(Qt::white);
    QPainter p(&out);
    p.drawImage(0, 0, edit);
    p.drawImage(offset, popup);
    p.end();
    dd.HideDropDown(false);
    return out;
}

int colourCount(const QImage& img)
{
    QSet<QRgb> colours;
    for (int y = 0; y < img.height(); y += 2)
        for (int x = 0; x < img.width(); x += 2)
            colours.insert(img.pixel(x, y));
    return int(colours.size());
}

class Screenshots : public ::testing::Test {
protected:
    void SetUp() override
    {
        window.resize(300, 320);
        window.move(0, 0);
        QPalette pal = window.palette();
        pal.setColor(QPalette::Window, QColor(0xF0, 0xF0, 0xF0));
        window.setPalette(pal);
        window.show();
        QApplication::processEvents();
        for (QRgb c : {qRgb(220, 60, 60), qRgb(60, 160, 60), qRgb(60, 90, 220), qRgb(230, 180, 30)}) {
            TBitmap b(16, 16);
            b.Canvas().Brush().Color = FromQColor(QColor(c));
            b.Canvas().Pen().Color = 0x404040;
            b.Canvas().Ellipse(TRect(1, 1, 15, 15));
            images.Add(b);
        }
    }

    TScopedMonitors monitors{{{TRect(0, 0, 1024, 768), TRect(0, 0, 1024, 740)}}};
    TManualTickSource clock{10000};
    TScopedTickSource scope{clock};
    TImageList images{16, 16};
    QWidget window;
};

TEST_F(Screenshots, EachPickerOpen)
{
    {
        auto* dd = new TFxDetailDropDown(&window);
        dd->SetBounds(10, 10, 220, 22);
        dd->SetImages(&images);
        dd->SetItemHeight(36);
        const char* rows[][2] = {{"Gateway A", "DMX <b>512</b> channels"},
                                 {"Gateway B", "DALI, <i>64</i> ballasts"},
                                 {"Gateway C", "Modbus TCP"},
                                 {"Gateway D", "BACnet/IP"}};
        for (int i = 0; i < 4; ++i) {
            TDetailItem* item = dd->Items().Add();
            item->SetCaption(rows[i][0]);
            item->SetNotes(rows[i][1]);
            item->SetImageIndex(i);
        }
        dd->SetItemIndex(1);
        const QImage img = openPicture(*dd, window);
        EXPECT_GT(colourCount(img), 20);
        testsupport::keepShot(img, "dropdown_detail");
        delete dd;
    }
    for (TColorSelectionStyle style : {csList, csDiscrete, csColorCube, csSpectrum}) {
        auto* dd = new TFxColorPickerDropDown(&window);
        dd->SetBounds(10, 10, 180, 22);
        dd->AddDefaultColors();
        dd->SetColorSelectionStyle(style);
        dd->SetColorValueText(cvtHTML);
        dd->SetSelectedColor(style == csList ? 0x0000FF : 0xCCFF99);
        const QImage img = openPicture(*dd, window);
        EXPECT_GT(colourCount(img), 10) << style;
        testsupport::keepShot(img, QStringLiteral("dropdown_color_%1").arg(int(style)));
        delete dd;
    }
    {
        auto* dd = new TFxImagePickerDropDown(&window);
        dd->SetBounds(10, 10, 180, 24);
        dd->SetImages(&images);
        dd->AddImagesFromImageList();
        dd->AddImagesFromImageList();
        for (int i = 0; i < dd->Items().Count(); ++i)
            dd->Items().Items(i)->SetCaption(QStringLiteral("Icon %1").arg(i));
        dd->SetColumns(4);
        dd->SetLayout(ilCaptionBottom);
        dd->SetItemIndex(2);
        const QImage img = openPicture(*dd, window);
        EXPECT_GT(colourCount(img), 10);
        testsupport::keepShot(img, "dropdown_image");
        delete dd;
    }
}

TEST_F(Screenshots, CalculatorClockTrackBarAndMemoOpen)
{
    {
        auto* dd = new TFxCalculatorDropdown(&window);
        dd->SetBounds(10, 10, 160, 22);
        dd->SetText("1234.5");
        const QImage img = openPicture(*dd, window);
        EXPECT_GT(colourCount(img), 10);
        testsupport::keepShot(img, "dropdown_calculator");
        delete dd;
    }
    for (bool picker : {false, true}) {
        auto* dd = new TFxTimePickerDropDown(&window);
        dd->SetBounds(10, 10, 120, 22);
        dd->SetTime(EncodeTime(14, 42, 10, 0));
        dd->SetShowTimePicker(picker);
        dd->SetComponentStyle(picker ? tsWindows7 : tsOffice2007Luna);
        const QImage img = openPicture(*dd, window);
        EXPECT_GT(colourCount(img), 10);
        testsupport::keepShot(img, picker ? "dropdown_timepicker_edit" : "dropdown_timepicker");
        delete dd;
    }
    {
        auto* dd = new TFxTrackBarDropDown(&window);
        dd->SetBounds(10, 10, 160, 22);
        dd->SetPosition(6);
        const QImage img = openPicture(*dd, window);
        EXPECT_GT(colourCount(img), 3);
        testsupport::keepShot(img, "dropdown_trackbar");
        delete dd;
    }
    {
        auto* dd = new TFxMemoDropDown(&window);
        dd->SetBounds(10, 10, 180, 22);
        dd->SetEditorEnabled(false);
        dd->MemoText().SetText("Gateway notes\r\nDMX universe 1\r\nDALI line 2");
        const QImage img = openPicture(*dd, window);
        EXPECT_GT(colourCount(img), 3);
        testsupport::keepShot(img, "dropdown_memo");
        delete dd;
    }
}

TEST_F(Screenshots, MultiColumnOpen)
{
    auto* dd = new TFxMultiColumnDropDown(&window);
    dd->SetBounds(10, 10, 180, 22);
    const char* headers[] = {"Name", "Bus", "Channels"};
    for (int i = 0; i < 3; ++i) {
        TDropDownColumn* c = dd->Columns().Add();
        c->Header = headers[i];
        c->Width = i == 0 ? 90 : 60;
    }
    const char* rows[][3] = {{"Gateway A", "DMX", "512"}, {"Gateway B", "DALI", "64"}, {"Gateway C", "CAN", "8"},
                             {"Gateway D", "DMX", "1024"}, {"Gateway E", "DALI", "128"}};
    for (const auto& r : rows)
        dd->Items().Add()->Text = {r[0], r[1], r[2]};
    dd->EndUpdate();
    dd->SetItemIndex(1);
    const QImage img = openPicture(*dd, window);
    EXPECT_GT(colourCount(img), 10);
    testsupport::keepShot(img, "dropdown_multicolumn");
    delete dd;
}

TEST_F(Screenshots, GridDropDownAndDateTimePicker)
{
    auto* dd = new TCustomFxGridDropDown(&window);
    dd->SetBounds(10, 10, 180, 22);
    const char* headers[] = {"Name", "Bus", "Channels"};
    for (int i = 0; i < 3; ++i) {
        TDropDownColumn* c = dd->Columns().Add();
        c->Header = headers[i];
        c->Width = i == 0 ? 90 : 60;
        c->Alignment = i == 2 ? taRightJustify : taLeftJustify;
    }
    const char* rows[][3] = {{"Gateway A", "DMX", "512"}, {"Gateway B", "DALI", "64"}, {"Gateway C", "CAN", "8"},
                             {"Gateway D", "DMX", "1024"}, {"Gateway E", "DALI", "128"}};
    for (const auto& r : rows)
        dd->Items().Add()->Text = {r[0], r[1], r[2]};
    dd->EndUpdate();
    dd->SetSorting(gsSingleColumn);
    dd->SetItemIndex(1);
    QImage img = openPicture(*dd, window);
    EXPECT_GT(colourCount(img), 10);
    testsupport::keepShot(img, "dropdown_grid");
    delete dd;

    auto* dt = new TFxDateTimePicker(&window);
    dt->setGeometry(70, 40, 220, 24);
    dt->SetLabelCaption("Start");
    dt->SetLabelPosition(FxDateTimePicker::lpLeftCenter);
    dt->SetDateTime(EncodeDateTime(2024, 3, 9, 14, 25, 36, 0));
    dt->show();
    QApplication::processEvents();
    img = window.grab().toImage().copy(0, 0, 300, 80);
    EXPECT_GT(colourCount(img), 3);
    testsupport::keepShot(img, "datetimepicker");
    dt->DropDown();
    QApplication::processEvents();
    if (dt->DroppedDown()) {
        QWidget* cal = dt->calendarWidget()->window();
        QImage out(320, 300, QImage::Format_RGB32);
        out.fill(Qt::white);
        QPainter p(&out);
        p.drawImage(0, 0, window.grab().toImage().copy(0, 0, 300, 80));
        p.drawImage(cal->geometry().topLeft() - window.mapToGlobal(QPoint(0, 0)), cal->grab().toImage());
        p.end();
        testsupport::keepShot(out, "datetimepicker_open");
    }
    delete dt;
}

TEST_F(Screenshots, StylesAndTones)
{
    const QStringList names = {"2003Blue", "2003Silver", "2003Olive", "2003Classic", "2007Luna", "2007Obsidian",
                               "XP", "Whidbey", "Custom", "2007Silver", "Vista", "Windows7", "Terminal",
                               "2010Blue", "2010Silver", "2010Black"};
    for (int s = 0; s < 16; ++s) {
        if (TFxStyle(s) == tsCustom)
            continue;
        auto* dd = new TFxDetailDropDown(&window);
        dd->SetBounds(10, 10, 200, 22);
        for (const char* caption : {"First", "Second", "Third"})
            dd->Items().Add()->SetCaption(caption);
        dd->DropDownHeader().Caption = "<b>Header</b> caption";
        dd->DropDownFooter().Caption = "Footer";
        dd->DropDownFooter().Buttons().Add()->SetCaption("OK");
        dd->DropDownFooter().Buttons().Items(0)->SetModalResult(mrOk);
        dd->DropDownHeader().Buttons().Add()->SetCaption("Clear");
        dd->SetComponentStyle(TFxStyle(s));
        dd->SetItemIndex(1);
        const QImage img = openPicture(*dd, window);
        EXPECT_GT(colourCount(img), 10) << s;
        testsupport::keepShot(img, QStringLiteral("dropdown_style_%1").arg(names[s]));
        delete dd;
    }
    auto* dd = new TFxCustomDropDown(&window);
    dd->SetBounds(10, 10, 150, 22);
    TColorTones tones;
    tones.Background = {0xF5E6D6, 0x8C6A4A, 0x000000};
    tones.Hover = {0xE0C8B0, 0x8C6A4A, 0x000000};
    tones.Selected = {0xC89A6E, 0x5A3A1A, 0xFFFFFF};
    dd->SetColorTones(tones);
    dd->SetText("Colour tones");
    dd->show();
    const QImage img = window.grab(QRect(0, 0, 170, 42)).toImage();
    testsupport::keepShot(img, "dropdown_tones");
    EXPECT_EQ(FromQColor(img.pixelColor(10, 20)), 0x8C6A4Au) << "the border in the tone's colour";
    delete dd;
}

} // namespace
