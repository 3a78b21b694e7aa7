#include "controls/dropdown/FxImagePickerDropDown.h"

#include "controls/dropdown/FxDropDownForm.h"
#include "framework/Canvas.h"
#include "framework/Screen.h"
#include "framework/SysColors.h"
#include "framework/TickSource.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace fw;

namespace {

class ImagePickerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (TColor c : {0x0000FF, 0x00FF00, 0xFF0000, 0x00FFFF, 0xFF00FF}) {
            TBitmap b(16, 16);
            b.Canvas().Brush().Color = c;
            b.Canvas().FillRect(TRect(0, 0, 16, 16));
            images.Add(b);
        }
        window.resize(400, 300);
        dd = new TFxImagePickerDropDown(&window);
        dd->SetBounds(20, 30, 180, 24);
        window.show();
        window.activateWindow();
        QApplication::processEvents();
        dd->OnSelect = [this](QObject*) { events.push_back("select"); };
        dd->OnChange = [this](QObject*) { events.push_back("change"); };
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
    TImageList images{16, 16};
    QWidget window;
    TFxImagePickerDropDown* dd = nullptr;
    std::vector<std::string> events;
};

TEST_F(ImagePickerTest, ItemsFromTheImageList)
{
    dd->AddImagesFromImageList();
    EXPECT_EQ(dd->Items().Count(), 0) << "without an image list nothing is added";
    dd->SetImages(&images);
    dd->AddImagesFromImageList();
    ASSERT_EQ(dd->Items().Count(), 5);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(dd->Items().Items(i)->ImageIndex(), i);
        EXPECT_EQ(dd->Items().Items(i)->Caption(), "");
    }
}

TEST_F(ImagePickerTest, ItemsFromAFolderListFilesOnly)
{
    QTemporaryDir dir;
    ASSERT_TRUE(testsupport::writeFile(dir.filePath("red.png"), testsupport::pngBytes(8, 8, qRgb(255, 0, 0))));
    ASSERT_TRUE(testsupport::writeFile(dir.filePath("blue.png"), testsupport::pngBytes(6, 4, qRgb(0, 0, 255))));
    ASSERT_TRUE(testsupport::writeFile(dir.filePath("broken.png"), "not a picture"));
    ASSERT_TRUE(testsupport::writeFile(dir.filePath("notes.txt"), "text"));
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.png"));

    dd->AddImagesFromFolder(dir.filePath("*.png"), true);
    ASSERT_EQ(dd->Items().Count(), 3) << "files only: no '.', '..' or folders";
    QStringList captions, loaded;
    for (int i = 0; i < 3; ++i) {
        const TImageItem* item = dd->Items().Items(i);
        captions << item->Caption();
        if (!item->Image().Empty())
            loaded << item->Caption();
    }
    captions.sort();
    loaded.sort();
    EXPECT_EQ(captions, (QStringList{"", "blue.png", "red.png"})) << "a damaged file gives an empty item";
    EXPECT_EQ(loaded, (QStringList{"blue.png", "red.png"}));

    dd->Items().Clear();
    dd->AddImagesFromFolder(dir.filePath("*"), false);
    EXPECT_EQ(dd->Items().Count(), 4);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(dd->Items().Items(i)->Caption(), "");
    QTest::keyClick(dd, Qt::Key_R);
    EXPECT_EQ(dd->ItemIndex(), -1) << "captionless items are never found by the search";
    dd->AddImagesFromFolder(dir.filePath("nothing*.gif"), true);
    EXPECT_EQ(dd->Items().Count(), 4) << "no match adds nothing and keeps the items";
}

TEST_F(ImagePickerTest, SelectionEventsAndImageIndex)
{
    dd->SetImages(&images);
    for (int index : {1, 3, 3, 0})
        dd->Items().Add()->SetImageIndex(index);
    dd->SetImageIndex(3);
    EXPECT_EQ(dd->ItemIndex(), 1) << "the first item with image 3";
    EXPECT_EQ(events, (std::vector<std::string>{"change", "select"})) << "OnChange comes before OnSelect";
    events.clear();
    dd->SetItemIndex(1);
    EXPECT_TRUE(events.empty()) << "the same index fires nothing";
    dd->SetImageIndex(99);
    EXPECT_EQ(dd->ItemIndex(), -1);
    EXPECT_EQ(dd->ImageIndex(), -1);
    dd->SetItemIndex(4);
    EXPECT_EQ(dd->ItemIndex(), -1) << "an index at the count is ignored";
}

TEST_F(ImagePickerTest, GridKeysMoveByRowsAndEscapeRestores)
{
    dd->SetImages(&images);
    for (int i = 0; i < 7; ++i) {
        TImageItem* item = dd->Items().Add();
        item->SetImageIndex(i % 5);
        item->SetCaption(QStringLiteral("Item %1").arg(i));
    }
    dd->SetColumns(3);
    dd->SetItemIndex(1);
    dd->ShowDropDown();
    ASSERT_TRUE(dd->DroppedDown());
    QTest::keyClick(popupFocus(), Qt::Key_Down);
    EXPECT_EQ(dd->ItemIndex(), 4) << "one row down";
    QTest::keyClick(popupFocus(), Qt::Key_Right);
    EXPECT_EQ(dd->ItemIndex(), 5);
    QTest::keyClick(popupFocus(), Qt::Key_Down);
    EXPECT_EQ(dd->ItemIndex(), 5) << "8 is no item";
    EXPECT_TRUE(dd->DroppedDown());
    QTest::keyClick(popupFocus(), Qt::Key_Escape);
    EXPECT_FALSE(dd->DroppedDown());
    EXPECT_EQ(dd->ItemIndex(), 1) << "the item selected at the opening";

    dd->SetItemIndex(-1);
    dd->ShowDropDown();
    QTest::keyClick(popupFocus(), Qt::Key_End);
    EXPECT_EQ(dd->ItemIndex(), 6);
    QTest::keyClick(popupFocus(), Qt::Key_Escape);
    EXPECT_EQ(dd->ItemIndex(), -1) << "no selection at the opening: none after";

    // A click on an item chooses it on the press and closes.
    dd->ShowDropDown();
    TCustomItemSelector* panel = dd->ItemSelector()->Panel();
    QTest::mousePress(panel, Qt::LeftButton, {},
                      testsupport::toQRect(dd->ItemSelector()->Items().Items(2)->Rect()).center());
    EXPECT_FALSE(dd->DroppedDown());
    EXPECT_EQ(dd->ItemIndex(), 2);
}

TEST_F(ImagePickerTest, EditAreaShowsTheSelectedPictureCentred)
{
    dd->SetImages(&images);
    dd->AddImagesFromImageList();
    dd->clearFocus();
    dd->SetItemIndex(2);
    const QImage img = dd->grab().toImage();
    const QRect blue = testsupport::pixelBox(img, testsupport::colorIs(0xFF0000));
    ASSERT_EQ(blue.size(), QSize(16, 16));
    const TRect r = dd->EditRectInWidget();
    EXPECT_EQ(blue.left(), r.Left + (r.Width() - 16) / 2);
    EXPECT_EQ(blue.top(), r.Top + (r.Height() - 16) / 2);
}

} // namespace
