// The picture window that follows the mouse: shown over a window or clicked,
// it leaves that window active and its focus where it was, and it shows its
// picture over the whole client area.
#include "framework/NoActiveForm.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

using namespace fw;

TEST(NoActiveForm, ShownOrClickedItNeverTakesTheFocus)
{
    QWidget owner;
    auto* layout = new QVBoxLayout(&owner);
    auto* edit = new QLineEdit(&owner);
    layout->addWidget(edit);
    owner.resize(300, 200);
    owner.show();
    owner.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&owner));
    edit->setFocus();
    QApplication::processEvents();
    ASSERT_EQ(QApplication::focusWidget(), edit);

    TNoActiveForm form(&owner);
    QImage picture(40, 30, QImage::Format_RGB32);
    picture.fill(Qt::red);
    form.SetPicture(picture);
    form.move(owner.mapToGlobal(QPoint(10, 10)));
    form.show();
    QApplication::processEvents();
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(form.size(), QSize(40, 30)) << "the window takes the picture's size";
    EXPECT_EQ(QApplication::activeWindow(), &owner) << "showing it does not activate it";

    for (Qt::MouseButton b : {Qt::LeftButton, Qt::RightButton}) {
        QTest::mouseClick(&form, b, {}, QPoint(20, 15));
        QTest::mouseDClick(&form, b, {}, QPoint(20, 15));
        QApplication::processEvents();
        EXPECT_EQ(QApplication::activeWindow(), &owner) << "a click leaves the other window active";
        EXPECT_EQ(QApplication::focusWidget(), edit) << "and its focus where it was";
    }
    // The owner's keys still reach the edit.
    QTest::keyClicks(edit, "ok");
    EXPECT_EQ(edit->text(), "ok");

    const QImage shown = form.grab().toImage();
    EXPECT_EQ(shown.pixelColor(0, 0), QColor(Qt::red));
    EXPECT_EQ(shown.pixelColor(39, 29), QColor(Qt::red));
}
