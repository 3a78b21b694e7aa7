// The date and time editors of a grid cell: the editing cycle with the keys
// a user presses, the move from one date part to the next while digits are
// typed, and Escape giving the cell's whole value back.
#include "GridUi.h"

#include "framework/DateTime.h"
#include "framework/SysUtils.h"
#include "grid/interact/FxGridDatePicker.h"

#include <gtest/gtest.h>

using gridui::Window;
using namespace fw;

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace {

class DateEditorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved = FormatSettings();
        FormatSettings().DateSeparator = '/';
        FormatSettings().TimeSeparator = ':';
        FormatSettings().ShortDateFormat = "dd/mm/yyyy";
        FormatSettings().LongTimeFormat = "hh:nn:ss";
    }
    void TearDown() override { FormatSettings() = saved; }

    TGridDatePicker& open(Window& w, TEditorType kind, const QString& cell, const QString& format = {})
    {
        TFxStringGrid& g = *w.grid;
        g.Events().OnGetEditorType = [kind](QObject*, int, int, TEditorType& e) { e = kind; };
        if (!format.isEmpty())
            g.Events().OnGetEditorProp = [format](QObject*, int, int, QObject* o) {
                if (auto* p = qobject_cast<TGridDatePicker*>(o))
                    p->SetFormat(format);
            };
        g.SetCells(1, 1, cell);
        g.SetCol(1);
        g.SetRow(1);
        w.key(Qt::Key_F2);
        return g.DateTimePicker();
    }

    TFormatSettings saved;
};

} // namespace

TEST_F(DateEditorTest, EditingCycleOfTheDateKinds)
{
    struct Case {
        const char* name;
        TEditorType kind;
        const char* cell;
        const char* shown;
        Qt::Key key;        // pressed once with the first part active
        Qt::Key end;
        const char* after;
    } cases[] = {
        {"drop-down date, Up steps the day", edDateEdit, "15/06/2024", "15/06/2024", Qt::Key_Up, Qt::Key_Return,
         "16/06/2024"},
        {"up-down date, Down steps the day", edDateEditUpDown, "15/06/2024", "15/06/2024", Qt::Key_Down,
         Qt::Key_Return, "14/06/2024"},
        {"Escape keeps the cell", edDateEdit, "15/06/2024", "15/06/2024", Qt::Key_Up, Qt::Key_Escape, "15/06/2024"},
        {"time, Up steps the hour", edTimeEdit, "10:30:00", "10:30:00", Qt::Key_Up, Qt::Key_Return, "11:30:00"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Window w;
        gridui::Recorder rec(*w.grid);
        TGridDatePicker& p = open(w, c.kind, c.cell);
        ASSERT_TRUE(p.isVisible());
        EXPECT_EQ(w.focus(), &p);
        EXPECT_EQ(p.text(), c.shown);
        EXPECT_EQ(p.DateMode(), c.kind == edDateEditUpDown ? dmUpDown : dmComboBox);
        p.SelectSection(0);
        w.key(c.key);
        w.key(c.end);
        EXPECT_FALSE(p.isVisible());
        EXPECT_EQ(w.grid->Cells(1, 1), c.after);
        if (c.end == Qt::Key_Return)
            EXPECT_TRUE(rec.log.contains("EditCellDone 1,1")) << rec.log.join(" | ").toStdString();
    }
}

TEST_F(DateEditorTest, TypedDigitsMoveOnToTheNextPartButNotPastTheLast)
{
    struct Case {
        const char* name;
        const char* locale;     // the short date format
        const char* format;     // the picker's own format, or none
        const char* typed;
        int sectionAfter;
        const char* after;      // the cell after Enter
    } cases[] = {
        {"day then month then year", "dd/mm/yyyy", "", "20072025", 2, "20/07/2025"},
        {"one digit of a day waits for the second; Enter commits it", "dd/mm/yyyy", "", "2", 0, "02/06/2024"},
        {"custom format: a complete day moves on", "dd/mm/yyyy", "dd/MM/yyyy", "09", 1, "09/06/2024"},
        {"custom format: year digits never move on", "dd/mm/yyyy", "dd/MM/yyyy", "20071999", 2, "20/07/1999"},
        {"custom format ending in the day: the year moves on", "dd/mm/yyyy", "yyyy/MM/dd", "2023", 1,
         "2023/06/15"},
        {"locale format: a year alone does not move on", "yyyy/mm/dd", "", "2023", 0, "2023/06/15"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FormatSettings().ShortDateFormat = c.locale;
        Window w;
        TGridDatePicker& p = open(w, edDateEdit, QString(c.locale).startsWith("y") ? "2024/06/15" : "15/06/2024",
                                  c.format);
        EXPECT_EQ(p.currentSectionIndex(), 0) << "the first part is active";
        for (QChar ch : QString(c.typed)) {
            QTest::keyClick(&p, ch.toLatin1());
            Window::settle();
        }
        EXPECT_EQ(p.currentSectionIndex(), c.sectionAfter);
        w.key(Qt::Key_Return);
        EXPECT_EQ(w.grid->Cells(1, 1), c.after);
    }
}

TEST_F(DateEditorTest, TimeDigitsMoveOnPartByPart)
{
    Window w;
    TGridDatePicker& p = open(w, edTimeEdit, "10:30:00");
    p.SelectSection(0);
    for (char ch : {'0', '8', '4', '5'}) {
        QTest::keyClick(&p, ch);
        Window::settle();
    }
    EXPECT_EQ(p.currentSectionIndex(), 2) << "hours, then minutes, then on to the seconds";
    w.key(Qt::Key_Return);
    EXPECT_EQ(w.grid->Cells(1, 1), "08:45:00");
}

TEST_F(DateEditorTest, EscapeGivesTheWholeValueBack)
{
    // A date cell that also holds a time, and one that holds no date at all:
    // Escape leaves either as it was, whatever the picker showed.
    for (const char* cell : {"15/06/2024 10:30:00", "abc"}) {
        SCOPED_TRACE(cell);
        Window w;
        TGridDatePicker& p = open(w, edDateEdit, cell);
        if (QString(cell) == "abc")
            EXPECT_EQ(p.Date(), std::trunc(Now())) << "no date: the picker opens on today";
        else
            EXPECT_NEAR(p.DateTime(), EncodeDate(2024, 6, 15) + EncodeTime(10, 30, 0, 0), 1e-6);
        p.SelectSection(0);
        w.key(Qt::Key_Up);
        w.key(Qt::Key_Escape);
        EXPECT_FALSE(p.isVisible());
        EXPECT_EQ(w.grid->Cells(1, 1), cell);
    }
}

TEST_F(DateEditorTest, RefusedDateKeepsThePickerOpen)
{
    Window w;
    w.grid->Events().OnCellValidate = [](QObject*, int, int, QString& v, bool& ok) {
        ok = v.endsWith("2024");
        if (!ok)
            v = "01/01/2024";
    };
    TGridDatePicker& p = open(w, edDateEdit, "15/06/2024");
    p.SelectSection(2);
    w.key(Qt::Key_Up);
    w.key(Qt::Key_Return);
    ASSERT_TRUE(p.isVisible());
    EXPECT_EQ(p.text(), "01/01/2024") << "the text validation left";
    EXPECT_EQ(w.grid->Row(), 1);
}
