// The label that fits its text into the room it may take: whole on one line,
// wrapped, smaller, or (nothing else helping) cut with its whole text as hint.
#include "app/services/UWindowParts.h"

#include <QFontMetrics>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

TEST(FitLabel, TakesTheFirstWayThatShowsTheWholeText)
{
    enum Way { OneLine, Wrapped, Smaller, Cut };
    struct Case {
        const char* text;
        Way way;
    } cases[] = {
        {"Begin", OneLine},
        {"Zweiter Schritt", Wrapped},
        {"Anfangäöü", Smaller},
        {"Konfigurationsverwaltungsschritt", Cut},
        {"Step 1", OneLine},   // a short text again: the label as it was made
    };
    QWidget window;
    TFitLabel label(&window);
    const QFont made = Window_Font(8, true);
    label.setFont(made);
    label.setGeometry(16, 128, 60, 16);
    const QRect room(16, 112, 60, 36);
    for (const Case& c : cases) {
        const QString text = QString::fromUtf8(c.text);
        label.setText(text);
        label.Fit(room);
        EXPECT_EQ(label.text(), text) << c.text;
        EXPECT_EQ(label.wordWrap(), c.way == Wrapped) << c.text;
        EXPECT_EQ(label.font().pixelSize() < made.pixelSize(), c.way == Smaller || c.way == Cut) << c.text;
        EXPECT_EQ(label.Cut(), c.way == Cut) << c.text;
        EXPECT_EQ(label.toolTip(), c.way == Cut ? text : QString()) << c.text;
        EXPECT_TRUE(room.contains(label.geometry())) << c.text;
        if (c.way == OneLine) {
            EXPECT_EQ(label.geometry(), QRect(16, 128, 60, 16)) << c.text;
        }
        if (c.way != Cut) {
            const QFontMetrics fm(label.font());
            const QRect need = fm.boundingRect(QRect(0, 0, 60, 1000),
                                               label.wordWrap() ? int(Qt::TextWordWrap) : int(Qt::TextSingleLine), text);
            EXPECT_LE(need.width(), label.width()) << c.text;
            EXPECT_LE(need.height(), label.height()) << c.text;
        }
    }
}

} // namespace
