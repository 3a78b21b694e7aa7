#include "app/services/UButtonLook.h"

#include "app/AppTestFixture.h"
#include "app/UBoot.h"
#include "app/UNew_Project.h"
#include "app/UParGen.h"
#include "app/UZizuzuzarizFirmWare.h"
#include "controls/buttons/LbButton.h"
#include "support/TestSupport.h"

#include <QEnterEvent>
#include <QGroupBox>
#include <QImage>
#include <QPainter>
#include <QTest>

#include <map>

namespace {

using testsupport::countPixels;
using testsupport::rgbIs;

class ButtonLook : public apptest::ProgramFolder {
protected:
    void SetUp() override
    {
        apptest::ProgramFolder::SetUp();
        start();
    }

    static std::vector<TLbButton*> everyButton()
    {
        std::vector<TLbButton*> buttons;
        for (QWidget* top : QApplication::topLevelWidgets())
            if (qobject_cast<fw::TForm*>(top))
                for (TLbButton* b : top->findChildren<TLbButton*>())
                    buttons.push_back(b);
        return buttons;
    }
};

// The windows give all their buttons one look, with the few exceptions the
// program names: four plain faces, one yellow press, one two-image glyph and
// seventeen captions beside their glyph at the left.
TEST_F(ButtonLook, EveryWindowsButtonsShareOneLook)
{
    const std::vector<TLbButton*> buttons = everyButton();
    ASSERT_GT(buttons.size(), 100u);
    std::map<QString, int> exceptions;
    for (TLbButton* b : buttons) {
        const QString name = b->window()->objectName() + QLatin1Char('.') + b->objectName();
        SCOPED_TRACE(name.toStdString());
        EXPECT_EQ(b->Color(), 0xEDF7F8u);
        EXPECT_EQ(b->LightColor(), fw::clGray);
        EXPECT_TRUE(b->HotTrackColor() == fw::clYellow || b->HotTrackColor() == fw::clSkyBlue);
        EXPECT_FALSE(b->UseHotTrackFont());
        EXPECT_FALSE(b->Default());
        EXPECT_FALSE(b->Cancel());
        EXPECT_FALSE(b->SlowDecease());
        EXPECT_FALSE(b->Flat());
        EXPECT_EQ(b->Kind(), bkCustom);
        EXPECT_TRUE(b->ModalResult() == fw::mrNone || b->ModalResult() == fw::mrOk
                    || b->ModalResult() == fw::mrCancel);
        ASSERT_FALSE(b->Glyph().Empty());
        EXPECT_EQ(b->Glyph().Width(), b->NumGlyphs() * b->Glyph().Height());
        if (b->Style() == bsNormal)
            ++exceptions["plain face"];
        else
            EXPECT_EQ(b->Style(), bsEncarta);
        if (b->ColorWhenDown() == fw::clYellow)
            ++exceptions["yellow press"];
        else
            EXPECT_EQ(b->ColorWhenDown(), 0x0080FFu);
        if (b->NumGlyphs() == 2)
            ++exceptions["two images"];
        else
            EXPECT_EQ(b->NumGlyphs(), 1);
        if (b->Alignment() == fw::taLeftJustify)
            ++exceptions["left caption"];
        else
            EXPECT_EQ(b->Alignment(), fw::taCenter);
    }
    const std::map<QString, int> expected{
        {"plain face", 4}, {"yellow press", 1}, {"two images", 1}, {"left caption", 17}};
    EXPECT_EQ(exceptions, expected);
}

// A face pixel away from caption and glyph, in the button's own picture.
QRgb facePixel(TLbButton* b)
{
    const QImage image = b->grab().toImage();
    return image.pixel(b->width() - 3, b->height() / 2) & 0xFFFFFF;
}

void hover(TLbButton* b, bool inside)
{
    if (inside) {
        QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
        QApplication::sendEvent(b, &enter);
    } else {
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(b, &leave);
    }
}

// Idle, under the pointer and pressed, the face shows the window colour, the
// hot-track colour and the pressed colour; the glyph stays on the face.
TEST_F(ButtonLook, HoverAndPressShowOnTheFace)
{
    FZizuzuzarizFirmWare->Show();
    FBoot->Form_Type = TFBoot::Form_Type_Ethernet;
    FBoot->Show();
    struct Case {
        const char* name;
        TLbButton* button;
        QRgb hot;
        QRgb down;
    };
    const Case cases[] = {
        {"step", FZizuzuzarizFirmWare->Btn_New, 0xA6CAF0, 0xFF8000},
        {"dialog", FBoot->Btn_Cancel(), 0xFFFF00, 0xFF8000},
        {"device update", FBoot->Btn_Update(), 0xA6CAF0, 0xFFFF00},
    };
    const QString shots = qEnvironmentVariable("GC_SCREENSHOT_DIR");
    QImage sheet;
    int row = 0;
    if (!shots.isEmpty()) {
        sheet = QImage(3 * 200, 3 * 44, QImage::Format_RGB32);
        sheet.fill(QColor(0xF8, 0xF7, 0xED));
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TLbButton* b = c.button;
        b->clearFocus();
        QImage states[3];
        EXPECT_EQ(facePixel(b), 0xF8F7EDu);
        states[0] = b->grab().toImage();
        hover(b, true);
        EXPECT_EQ(facePixel(b), c.hot);
        states[1] = b->grab().toImage();
        QTest::mousePress(b, Qt::LeftButton, {}, QPoint(5, 5));
        EXPECT_EQ(facePixel(b), c.down);
        states[2] = b->grab().toImage();
        // Leave while pressed, so the release clicks nothing.
        hover(b, false);
        b->setEnabled(false);
        b->setEnabled(true);
        EXPECT_EQ(facePixel(b), 0xF8F7EDu);
        // The glyph's colours stand out of the pale face and the black caption.
        auto colourful = [](QRgb c) { return QColor(c).hsvSaturation() > 80; };
        EXPECT_GT(countPixels(states[0], colourful), 20);
        if (!sheet.isNull()) {
            QPainter p(&sheet);
            for (int i = 0; i < 3; ++i)
                p.drawImage(i * 200 + 6, row * 44 + 4, states[i]);
        }
        ++row;
    }
    if (!sheet.isNull()) {
        sheet.save(shots + QStringLiteral("/buttons-idle-hover-pressed.png"));
        FZizuzuzarizFirmWare->grab().save(shots + QStringLiteral("/main-window.png"));
    }
}

// The corner buttons of a group tell collapse from expand by their glyph and
// sit inside the group's frame, clear of its lines.
TEST_F(ButtonLook, GroupCornerButtonsShowMinusAndPlusInsideTheFrame)
{
    FParGen->Show();
    QGroupBox* box = FParGen->GroupBox(TParGen_Group::DMX);
    TLbButton* collapse = FParGen->Btn_Collapse(TParGen_Group::DMX);
    TLbButton* expand = FParGen->Btn_Expande(TParGen_Group::DMX);
    const QImage minus = collapse->grab().toImage();
    collapse->Click();
    ASSERT_TRUE(expand->isVisible());
    const QImage plusSign = expand->grab().toImage();
    expand->Click();
    auto dark = [](QRgb c) { return qGray(c) < 64; };
    // Minus: one row of dark pixels; plus: that row and a column across it.
    EXPECT_EQ(countPixels(minus, dark), 5);
    EXPECT_EQ(countPixels(plusSign, dark), 9);
    EXPECT_EQ(testsupport::pixelBox(minus, dark).height(), 1);
    EXPECT_EQ(testsupport::pixelBox(plusSign, dark).height(), 5);

    // The frame's lines, found in the group's picture: the top line in a
    // column left of the buttons, the right line in a row below them.
    const QImage picture = box->grab().toImage();
    const QRgb face = 0xF8F7ED;   // the window's background around the frame
    int topLine = -1;
    for (int y = 0; y < box->height() && topLine < 0; ++y)
        if ((picture.pixel(collapse->x() - 8, y) & 0xFFFFFF) != face)
            topLine = y;
    int rightLine = -1;
    for (int x = box->width() - 1; x > 0 && rightLine < 0; --x)
        if ((picture.pixel(x, box->height() - 10) & 0xFFFFFF) != face)
            rightLine = x;
    ASSERT_GE(topLine, 0);
    ASSERT_GE(rightLine, 0);
    const QRect button = collapse->geometry();
    EXPECT_TRUE(topLine < button.top() - 1 || topLine > button.bottom() + 1)
        << "line " << topLine << " button " << button.top() << ".." << button.bottom();
    EXPECT_LT(button.right(), rightLine - 1);

    // Collapsed, the group is 26 high: the expand button still fits above its line.
    collapse->Click();
    EXPECT_EQ(box->height(), 26);
    EXPECT_LE(expand->geometry().bottom(), topLine - 2);
    expand->Click();

    if (!qEnvironmentVariableIsEmpty("GC_SCREENSHOT_DIR")) {
        const QString shots = qEnvironmentVariable("GC_SCREENSHOT_DIR");
        FParGen->grab().save(shots + QStringLiteral("/general-parameters.png"));
        collapse->Click();
        FParGen->grab().save(shots + QStringLiteral("/general-parameters-collapsed.png"));
        expand->Click();
    }
}

} // namespace
