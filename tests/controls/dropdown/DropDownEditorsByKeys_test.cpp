// Every drop-down editor kind of a column grid's cell, driven with keys
// only, as the user presses them on whatever holds the focus: F2 opens the
// editor, Alt+Down or F4 its popup, keys move in the popup's list or text,
// Enter takes the choice into the cell, Escape closes an open popup first
// and a second Escape ends the edit with the cell as it was. Each row
// records what the user sees afterwards: the cell's text, the current cell,
// whether the edit still runs, who has the keyboard focus and the grid's
// editing events in the order they fired.
#include "grid/interact/GridUi.h"

#include "controls/dropdown/FxDropDownForm.h"
#include "controls/dropdown/FxGridDropDownEditors.h"
#include "framework/DateTime.h"
#include "framework/SysUtils.h"
#include "grid/foundation/FxOptions.h"
#include "grid/interact/FxEditLink.h"
#include "grid/interact/FxInplaceEdit.h"
#include "grid/model/FxCellGraphic.h"

#include <gtest/gtest.h>

#include <QCalendarWidget>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>

using gridui::Recorder;
using gridui::Window;
using namespace fw;

// Readable failure messages.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
inline void PrintTo(const QStringList& l, std::ostream* os) { *os << '[' << l.join(" | ").toStdString() << ']'; }

namespace {

// One thing the user does: a key (with modifiers) or a typed text.
struct Step {
    Qt::Key key = Qt::Key_unknown;
    Qt::KeyboardModifiers mods = Qt::NoModifier;
    QString text;
};
Step K(Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) { return {k, m, {}}; }
Step Alt(Qt::Key k) { return {k, Qt::AltModifier, {}}; }
Step T(const char* s) { return {Qt::Key_unknown, Qt::NoModifier, QString::fromUtf8(s)}; }

// What the user sees after the steps.
struct Record {
    QString cell;          // the edited cell's text
    QPoint current;        // the grid's current cell (column, row)
    bool editMode = false; // an edit still runs
    QString focus;         // "grid", "editor", "popup" (a control in it), "popup window" or the class
    QStringList events;    // the grid's editing events
    bool operator==(const Record&) const = default;
};

void PrintTo(const Record& r, std::ostream* os)
{
    *os << "{cell \"" << r.cell.toStdString() << "\", current " << r.current.x() << ',' << r.current.y()
        << ", EditMode " << r.editMode << ", focus " << r.focus.toStdString() << ", events ["
        << r.events.join(" | ").toStdString() << "]}";
}

struct Row {
    const char* name;
    TEditorType kind;
    const char* cell;          // the cell's text before the edit
    std::vector<Step> steps;   // after F2 opened the editor
    Record expected;
};

void PrintTo(const Row& r, std::ostream* os) { *os << r.name; }

constexpr int kCol = 1, kRow = 2;

// The window of a cell editor's popup: the drop-down's form, the date
// picker's calendar.
bool inPopup(QWidget* f, TEditorType kind, TFxStringGrid& g)
{
    if (kind == edDateTimeEdit) {
        TGridDateTimePicker& d = FxGridDropDown::DateTimeEditor(g);
        return d.calendarPopup() && d.calendarWidget() && d.calendarWidget()->window() == f->window() &&
               f->window() != g.window();
    }
    TFxCustomDropDown* e = FxGridDropDown::Editor(g, kind);
    return e && e->DropDownForm() && e->DropDownForm()->isAncestorOf(f);
}

QString focusOwner(TFxStringGrid& g, TEditorType kind)
{
    QWidget* f = QApplication::focusWidget();
    if (QWidget* popup = QApplication::activePopupWidget())
        f = popup->focusWidget() ? popup->focusWidget() : popup;
    if (!f)
        return QStringLiteral("none");
    if (f == &g || f == g.viewport())
        return QStringLiteral("grid");
    QWidget* editor = kind == edDateTimeEdit ? static_cast<QWidget*>(&FxGridDropDown::DateTimeEditor(g))
                                             : FxGridDropDown::Editor(g, kind);
    if (editor && (f == editor || editor->isAncestorOf(f)))
        return QStringLiteral("editor");
    if (inPopup(f, kind, g))
        return QStringLiteral("popup");
    if (kind != edDateTimeEdit && f == FxGridDropDown::Editor(g, kind)->DropDownForm())
        return QStringLiteral("popup window");
    return QString::fromLatin1(f->metaObject()->className());
}

// The widget a key goes to: the open popup's focus first, as the desktop
// delivers it.
QWidget* keyTarget(TFxStringGrid& g)
{
    if (QWidget* popup = QApplication::activePopupWidget())
        return popup->focusWidget() ? popup->focusWidget() : popup;
    return QApplication::focusWidget() ? QApplication::focusWidget() : &g;
}

void press(Window& w, const Step& s)
{
    if (!s.text.isEmpty()) {
        for (QChar c : s.text) {
            QTest::keyClick(keyTarget(*w.grid), c.toLatin1());
            w.settle();
        }
        return;
    }
    QTest::keyClick(keyTarget(*w.grid), s.key, s.mods);
    w.settle();
    // The calendar of the date picker opens and closes through queued work.
    QTest::qWait(20);
}

// The date and time the date-and-time rows start from, as the cell holds it.
QString startDateTime() { return FxGridDropDown::DateTimeText(EncodeDateTime(2024, 3, 9, 14, 25, 36, 0)); }

QString timeText(const char* hms)
{
    QString s = QString::fromLatin1(hms);
    s.replace(u':', LocaleTimeSeparator());
    return s;
}

// The recorder goes before the window: an edit still open when the window
// closes ends without it.
void stopRecording(TFxStringGrid& g)
{
    g.OnSetEditText = nullptr;
    g.Events().OnCellValidate = nullptr;
    g.Events().OnEditingDone = nullptr;
    g.Events().OnEditCellDone = nullptr;
}

class DropDownByKeys : public ::testing::TestWithParam<Row> {
protected:
    // A column grid with the cell (1,2) of `kind`, filled as the kind needs.
    void prepare(Window& w, TEditorType kind, const QString& cell)
    {
        TFxStringGrid& g = *w.grid;
        g.Events().OnGetEditorType = [kind](QObject*, int c, int r, TEditorType& e) {
            if (c == kCol && r == kRow)
                e = kind;
        };
        g.SetColWidths(kCol, kind == edDateTimeEdit ? 230 : 110);
        switch (kind) {
        case edGridDropDown: {
            auto* m = static_cast<TFxMultiColumnDropDown*>(FxGridDropDown::Editor(g, kind));
            m->Columns().Add()->Width = 80;
            for (const char* s : {"Apple", "Banana", "Cherry", "Damson"})
                m->Items().Add()->Text = {s};
            break;
        }
        case edFxGridDropDown: {
            auto* m = static_cast<TCustomFxGridDropDown*>(FxGridDropDown::Editor(g, kind));
            m->Columns().Add()->Header = "Fruit";
            m->Columns().Add()->Header = "Colour";
            const char* rows[][2] = {{"Apple", "green"}, {"Banana", "yellow"}, {"Cherry", "red"}, {"Damson", "blue"}};
            for (const auto& r : rows)
                m->Items().Add()->Text = {r[0], r[1]};
            break;
        }
        case edDetailDropDown: {
            auto* d = static_cast<TFxDetailDropDown*>(FxGridDropDown::Editor(g, kind));
            for (const char* s : {"Alpha", "Beta", "Gamma", "Delta"})
                d->Items().Add()->SetCaption(s);
            break;
        }
        case edImagePickerDropDown:
            for (QRgb c : {0xFF0000u, 0x00FF00u, 0x0000FFu, 0x808080u}) {
                TBitmap b(16, 16);
                b.Canvas().Brush().Color = TColor(c);
                b.Canvas().FillRect(TRect(0, 0, 16, 16));
                images.Add(b);
            }
            g.SetGridImages(&images);
            g.AddDataImage(kCol, kRow, 0, haLeft, vaTop);
            break;
        case edTimePickerDropDown:
            static_cast<TFxTimePickerDropDown*>(FxGridDropDown::Editor(g, kind))->SetAnimation(false);
            break;
        default: break;
        }
        g.SetCells(kCol, kRow, cell);
        g.SetCol(kCol);
        g.SetRow(kRow);
        w.settle();
    }
    Record record(Window& w, TEditorType kind, const Recorder& log)
    {
        TFxStringGrid& g = *w.grid;
        return {g.Cells(kCol, kRow), QPoint(g.Col(), g.Row()), g.EditMode(), focusOwner(g, kind), log.log};
    }
    TImageList images{16, 16};
};

// The editing events of an edit whose key wrote `value`: the value is
// validated, written back as the editor closes, and the grid hears of the end.
QStringList written(const QString& value)
{
    return {QStringLiteral("CellValidate 1,2 %1").arg(value), QStringLiteral("SetEditText 1,2 %1").arg(value),
            "EditingDone", "EditCellDone 1,2"};
}
// An edit ended by Escape or without a change: the cell's own text is
// written back, nothing is validated.
QStringList kept(const QString& cell)
{
    return {QStringLiteral("SetEditText 1,2 %1").arg(cell), "EditingDone", "EditCellDone 1,2"};
}
// A colour or image picker's Escape writes nothing.
const QStringList kNothingWritten{"EditingDone", "EditCellDone 1,2"};
// The date-and-time editor writes as it closes; the grid validates the
// changed value as the edit ends.
QStringList dateTimeWritten(const QString& value)
{
    return {QStringLiteral("SetEditText 1,2 %1").arg(value), "EditingDone", QStringLiteral("CellValidate 1,2 %1").arg(value),
            "EditCellDone 1,2"};
}

Record editing(const char* cell, const char* focus = "editor") { return {cell, {kCol, kRow}, true, focus, {}}; }
Record ended(const QString& cell, const QStringList& events) { return {cell, {kCol, kRow}, false, "grid", events}; }

std::vector<Row> rows()
{
    // Down in the day part: the day before, the time of day kept.
    static const QByteArray dtStart = startDateTime().toUtf8();
    static const QByteArray dtDayBefore = FxGridDropDown::DateTimeText(EncodeDateTime(2024, 3, 8, 14, 25, 36, 0)).toUtf8();
    // The calendar: one week on (Down) and a day back (Left).
    static const QByteArray dtCalendar = FxGridDropDown::DateTimeText(EncodeDateTime(2024, 3, 15, 14, 25, 36, 0)).toUtf8();
    static const QByteArray t1030 = timeText("10:30").toUtf8();
    static const QByteArray t113100 = timeText("11:31:00").toUtf8();
    static const QByteArray t094500 = timeText("09:45:00").toUtf8();
    const QString dt = QString::fromUtf8(dtStart);
    return {
        // ---- track bar: the open track bar moves with the arrow keys
        {"TrackBarOpenMoveEnter", edTrackbarDropDown, "6",
         {Alt(Qt::Key_Down), K(Qt::Key_Right), K(Qt::Key_Right), K(Qt::Key_Return)}, ended("8", written("8"))},
        {"TrackBarF4MoveEscape", edTrackbarDropDown, "6", {K(Qt::Key_F4), K(Qt::Key_Right), K(Qt::Key_Escape)},
         editing("6")},
        {"TrackBarF4EscapeEscape", edTrackbarDropDown, "6", {K(Qt::Key_F4), K(Qt::Key_Escape), K(Qt::Key_Escape)},
         ended("6", kept("6"))},
        {"TrackBarMovedEscapeEnter", edTrackbarDropDown, "6",
         {K(Qt::Key_F4), K(Qt::Key_Left), K(Qt::Key_Escape), K(Qt::Key_Return)}, ended("6", kept("6"))},
        // ---- memo: the popup's text takes the keys (End, typing; Enter is a line break)
        {"MemoTypeCloseEnter", edMemoDropDown, "first",
         {Alt(Qt::Key_Down), K(Qt::Key_End), K(Qt::Key_Return), T("second"), Alt(Qt::Key_Up), K(Qt::Key_Return)},
         ended("first\r\nsecond", written("first\r\nsecond"))},
        {"MemoOpenEndStays", edMemoDropDown, "first", {Alt(Qt::Key_Down), K(Qt::Key_End)}, editing("first", "popup")},
        {"MemoTypeEscape", edMemoDropDown, "first", {Alt(Qt::Key_Down), K(Qt::Key_End), T("X"), K(Qt::Key_Escape)},
         editing("first")},
        {"MemoTypeEscapeEscape", edMemoDropDown, "first",
         {Alt(Qt::Key_Down), K(Qt::Key_End), T("X"), K(Qt::Key_Escape), K(Qt::Key_Escape)}, ended("first", kept("first"))},
        // ---- calculator: digits and operators with the keypad open
        {"CalculatorOpenTypeEnter", edCalculatorDropDown, "6", {Alt(Qt::Key_Down), T("*7"), K(Qt::Key_Return)},
         ended("42.00", written("42.00"))},
        {"CalculatorOpenTypeEscape", edCalculatorDropDown, "6", {Alt(Qt::Key_Down), T("*7"), K(Qt::Key_Escape)},
         editing("6")},
        {"CalculatorOpenTypeEscapeEscape", edCalculatorDropDown, "6",
         {Alt(Qt::Key_Down), T("*7"), K(Qt::Key_Escape), K(Qt::Key_Escape)}, ended("6", kept("6"))},
        // ---- time picker: the clock opens on the cell's time; only times are written
        {"TimeClockEnter", edTimePickerDropDown, t1030.constData(),
         {Alt(Qt::Key_Down), K(Qt::Key_PageUp), K(Qt::Key_Right), K(Qt::Key_Return)}, ended(t113100, written(t113100))},
        {"TimeEscape", edTimePickerDropDown, t1030.constData(), {K(Qt::Key_Escape)}, ended(t1030, kept(t1030))},
        {"TimeClockEscapeEscape", edTimePickerDropDown, t1030.constData(),
         {Alt(Qt::Key_Down), K(Qt::Key_PageUp), K(Qt::Key_Escape), K(Qt::Key_Escape)}, ended(t1030, kept(t1030))},
        {"TimeTypedEnter", edTimePickerDropDown, t1030.constData(), {T("0945"), K(Qt::Key_Return)},
         ended(t094500, written(t094500))},
        {"TimeUnchangedEnter", edTimePickerDropDown, t1030.constData(), {K(Qt::Key_Return)}, ended(t1030, kept(t1030))},
        {"TimeOpenedAndClosedEnter", edTimePickerDropDown, t1030.constData(),
         {Alt(Qt::Key_Down), Alt(Qt::Key_Up), K(Qt::Key_Return)}, ended(t1030, kept(t1030))},
        // ---- detail picker
        {"DetailOpenDownEnter", edDetailDropDown, "Beta", {Alt(Qt::Key_Down), K(Qt::Key_Down), K(Qt::Key_Return)},
         ended("Gamma", written("Gamma"))},
        {"DetailOpenEndEnter", edDetailDropDown, "Beta", {Alt(Qt::Key_Down), K(Qt::Key_End), K(Qt::Key_Return)},
         ended("Delta", written("Delta"))},
        {"DetailOpenDownEscape", edDetailDropDown, "Beta", {Alt(Qt::Key_Down), K(Qt::Key_Down), K(Qt::Key_Escape)},
         editing("Beta")},
        {"DetailOpenDownEscapeEscape", edDetailDropDown, "Beta",
         {Alt(Qt::Key_Down), K(Qt::Key_Down), K(Qt::Key_Escape), K(Qt::Key_Escape)}, ended("Beta", kept("Beta"))},
        // ---- multi-column list
        {"MultiColumnOpenDownEnter", edGridDropDown, "Banana", {Alt(Qt::Key_Down), K(Qt::Key_Down), K(Qt::Key_Return)},
         ended("Cherry", written("Cherry"))},
        {"MultiColumnOpenPageUpEnter", edGridDropDown, "Banana", {Alt(Qt::Key_Down), K(Qt::Key_PageUp), K(Qt::Key_Return)},
         ended("Apple", written("Apple"))},
        {"MultiColumnOpenEndEnter", edGridDropDown, "Banana", {Alt(Qt::Key_Down), K(Qt::Key_End), K(Qt::Key_Return)},
         ended("Damson", written("Damson"))},
        {"MultiColumnOpenDownEscape", edGridDropDown, "Banana", {Alt(Qt::Key_Down), K(Qt::Key_Down), K(Qt::Key_Escape)},
         editing("Banana")},
        {"MultiColumnOpenDownEscapeEscape", edGridDropDown, "Banana",
         {Alt(Qt::Key_Down), K(Qt::Key_Down), K(Qt::Key_Escape), K(Qt::Key_Escape)}, ended("Banana", kept("Banana"))},
        // ---- grid drop-down
        {"GridOpenDownEnter", edFxGridDropDown, "Banana", {Alt(Qt::Key_Down), K(Qt::Key_Down), K(Qt::Key_Return)},
         ended("Cherry", written("Cherry"))},
        {"GridOpenDownEscape", edFxGridDropDown, "Banana", {Alt(Qt::Key_Down), K(Qt::Key_Down), K(Qt::Key_Escape)},
         editing("Banana")},
        {"GridOpenDownEscapeEscape", edFxGridDropDown, "Banana",
         {Alt(Qt::Key_Down), K(Qt::Key_Down), K(Qt::Key_Escape), K(Qt::Key_Escape)}, ended("Banana", kept("Banana"))},
        // ---- colour picker (a cell without a colour: the list starts at its first colour)
        {"ColourOpenDownEnter", edColorPickerDropDown, "",
         {Alt(Qt::Key_Down), K(Qt::Key_Down), K(Qt::Key_Down), K(Qt::Key_Return)}, ended("Maroon", written("Maroon"))},
        {"ColourOpenDownEscape", edColorPickerDropDown, "", {Alt(Qt::Key_Down), K(Qt::Key_Down), K(Qt::Key_Escape)},
         editing("")},
        {"ColourOpenDownEscapeEscape", edColorPickerDropDown, "",
         {Alt(Qt::Key_Down), K(Qt::Key_Down), K(Qt::Key_Escape), K(Qt::Key_Escape)}, ended("", kNothingWritten)},
        // ---- image picker (an integer image cell holding 1)
        {"ImageOpenRightEnter", edImagePickerDropDown, "1", {Alt(Qt::Key_Down), K(Qt::Key_Right), K(Qt::Key_Return)},
         ended("2", written("2"))},
        {"ImageOpenRightEscape", edImagePickerDropDown, "1", {Alt(Qt::Key_Down), K(Qt::Key_Right), K(Qt::Key_Escape)},
         editing("1")},
        {"ImageOpenRightEscapeEscape", edImagePickerDropDown, "1",
         {Alt(Qt::Key_Down), K(Qt::Key_Right), K(Qt::Key_Escape), K(Qt::Key_Escape)}, ended("1", kNothingWritten)},
        // ---- date and time: Down in the day part keeps the time; Alt+Down and F4 open the calendar
        {"DateTimeDayDownEnter", edDateTimeEdit, dtStart.constData(), {K(Qt::Key_Down), K(Qt::Key_Return)},
         ended(dtDayBefore, dateTimeWritten(dtDayBefore))},
        {"DateTimeCalendarEnter", edDateTimeEdit, dtStart.constData(),
         {Alt(Qt::Key_Down), K(Qt::Key_Down), K(Qt::Key_Left), K(Qt::Key_Return), K(Qt::Key_Return)},
         ended(dtCalendar, dateTimeWritten(dtCalendar))},
        {"DateTimeF4Opens", edDateTimeEdit, dtStart.constData(), {K(Qt::Key_F4)}, editing(dtStart.constData(), "popup")},
        {"DateTimeCalendarEscape", edDateTimeEdit, dtStart.constData(), {K(Qt::Key_F4), K(Qt::Key_Down), K(Qt::Key_Escape)},
         editing(dtStart.constData())},
        {"DateTimeCalendarEscapeEscape", edDateTimeEdit, dtStart.constData(),
         {K(Qt::Key_F4), K(Qt::Key_Down), K(Qt::Key_Escape), K(Qt::Key_Down), K(Qt::Key_Escape)}, ended(dt, kept(dt))},
        {"DateTimeEmptyEscape", edDateTimeEdit, "", {K(Qt::Key_Escape)}, ended("", kept(""))},
        {"DateTimeEmptyEnter", edDateTimeEdit, "", {K(Qt::Key_Return)}, ended("", kept(""))},
    };
}

} // namespace

TEST_P(DropDownByKeys, Row)
{
    const Row& r = GetParam();
    Window w(true);
    TFxStringGrid& g = *w.grid;
    prepare(w, r.kind, QString::fromUtf8(r.cell));
    Recorder log(g);
    press(w, K(Qt::Key_F2));
    ASSERT_TRUE(g.EditMode());
    ASSERT_EQ(focusOwner(g, r.kind), "editor");
    for (const Step& s : r.steps)
        press(w, s);
    EXPECT_EQ(record(w, r.kind, log), r.expected);
    stopRecording(g);
}

INSTANTIATE_TEST_SUITE_P(Kinds, DropDownByKeys, ::testing::ValuesIn(rows()),
                         [](const auto& info) { return std::string(info.param.name); });

namespace {

// An application's editor on the link's own popup window: a line edit.
class TPopupLineLink : public TEditLink {
public:
    TPopupLineLink()
    {
        SetEditStyle(esPopup);
        SetPopupWidth(140);
        SetPopupHeight(24);
    }
    QWidget* GetEditControl() override { return FEdit; }
    void CreateEditor(QWidget* parent) override
    {
        if (!FEdit)
            FEdit = new QLineEdit(parent);
    }
    void DestroyEditor() override { delete FEdit.data(); }
    QString GetEditorValue() override { return FEdit ? FEdit->text() : QString(); }
    void SetEditorValue(const QString& v) override
    {
        if (FEdit)
            FEdit->setText(v);
    }

private:
    QPointer<QLineEdit> FEdit;
};

} // namespace

// A popup link's edit ended by a key: the grid writes the value as it hides
// the editor, the link once more as its popup closes and again after it.
QStringList linkWritten(const QString& value, bool validated)
{
    QStringList l{QStringLiteral("SetEditText 1,2 %1").arg(value), "EditingDone",
                  QStringLiteral("SetEditText 1,2 %1").arg(value), QStringLiteral("SetEditText 1,2 %1").arg(value)};
    if (validated)
        l << QStringLiteral("CellValidate 1,2 %1").arg(value);
    return l << "EditCellDone 1,2";
}

// The popup link's control takes the keys as it opens: the typed text goes
// into it (not into a second editor of the grid's own), Enter writes it.
TEST(EditLinkPopupByKeys, TheControlOnThePopupTakesTheKeys)
{
    struct Case {
        const char* name;
        std::vector<Step> steps;   // from the grid, the cell current
        Record expected;
    } cases[] = {
        {"F2, type, Enter", {K(Qt::Key_F2), T("x"), K(Qt::Key_Return)}, {"r2x", {kCol, kRow}, false, "grid", linkWritten("r2x", true)}},
        {"typing opens it with the character", {T("q"), K(Qt::Key_Return)},
         {"r2q", {kCol, kRow}, false, "grid", linkWritten("r2q", true)}},
        {"F2, type, Escape", {K(Qt::Key_F2), T("zz"), K(Qt::Key_Escape)}, {"r2", {kCol, kRow}, false, "grid", linkWritten("r2", false)}},
        {"F2, type: still editing in the popup", {K(Qt::Key_F2), T("ab")}, {"r2", {kCol, kRow}, true, "popup control", {}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Window w(true);
        TFxStringGrid& g = *w.grid;
        TPopupLineLink link;
        g.Events().OnGetEditorType = [](QObject*, int, int, TEditorType& e) { e = edCustom; };
        g.SetEditLink(&link);
        g.SetCells(kCol, kRow, "r2");
        g.SetCol(kCol);
        g.SetRow(kRow);
        w.settle();
        Recorder log(g);
        for (const Step& s : c.steps)
            press(w, s);
        QWidget* f = QApplication::focusWidget();
        const QString focus = f == &g ? QStringLiteral("grid")
                              : f && f == link.GetEditControl() ? QStringLiteral("popup control")
                              : f ? QString::fromLatin1(f->metaObject()->className())
                                  : QStringLiteral("none");
        const Record got{g.Cells(kCol, kRow), QPoint(g.Col(), g.Row()), g.EditMode(), focus, log.log};
        EXPECT_EQ(got, c.expected);
        EXPECT_FALSE(g.NormalEdit() && g.NormalEdit()->isVisible()) << "no second editor of the grid's own";
        stopRecording(g);
        if (g.EditMode())
            press(w, K(Qt::Key_Escape));
    }
}
