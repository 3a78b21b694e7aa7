// The drop-down editors of a grid cell driven through the editing cycle:
// the editor opens over the cell with the cell's value, a choice made in
// its popup is written back by Enter, Escape gives the cell's text back.
#include "grid/interact/GridUi.h"

#include "controls/dropdown/FxDropDownForm.h"
#include "controls/dropdown/FxGridDropDownEditors.h"
#include "controls/dropdown/FxItemSelector.h"
#include "framework/DateTime.h"
#include "framework/SysUtils.h"
#include "grid/foundation/FxOptions.h"
#include "grid/model/FxCellGraphic.h"
#include "grid/paint/FxControlLook.h"

#include <gtest/gtest.h>

#include <QCalendarWidget>
#include <QKeyEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QSlider>

using gridui::Window;
using namespace fw;

// Readable failure messages.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace {

struct KindCase {
    const char* name;
    TEditorType kind;
    const char* cell;        // the cell's text before the edit
    const char* loaded;      // the editor's text once open
    std::function<void(TFxCustomDropDown&)> choose;   // with the popup open
    const char* written;     // the cell after Enter
};

void clickKey(TFxCalculatorDropdown& c, const char* caption)
{
    TCustomButtonPanel* p = c.ButtonPanel();
    for (int i = 0; i < p->Buttons().Count(); ++i)
        if (p->Buttons().Items(i)->Caption() == QLatin1String(caption)) {
            const TRect r = p->Buttons().Items(i)->Rect();
            QTest::mouseClick(p, Qt::LeftButton, {}, QPoint(r.Left + r.Width() / 2, r.Top + r.Height() / 2));
        }
}

// A click on an item of a picker's open list.
void clickItem(TFxCustomItemSelector* selector, int index)
{
    ASSERT_NE(selector, nullptr);
    const TRect r = selector->Items().Items(index)->Rect();
    QTest::mouseClick(selector->Panel(), Qt::LeftButton, {}, QPoint(r.Left + r.Width() / 2, r.Top + r.Height() / 2));
}

// The texts of the key presses an editor receives.
struct KeySpy : QObject {
    QStringList texts;
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::KeyPress && !static_cast<QKeyEvent*>(e)->text().isEmpty())
            texts << static_cast<QKeyEvent*>(e)->text();
        return false;
    }
};

std::vector<KindCase> cases()
{
    const QString sep(LocaleTimeSeparator());
    static const QByteArray time = QString("09" + sep + "30" + sep + "00").toLatin1();
    static const QByteArray timeAfter = QString("10" + sep + "30" + sep + "00").toLatin1();
    return {
        {"TrackBar", edTrackbarDropDown, "4", "4",
         [](TFxCustomDropDown& e) { static_cast<TFxTrackBarDropDown&>(e).TrackBar()->setValue(7); }, "7"},
        {"Memo", edMemoDropDown, "first", "first",
         [](TFxCustomDropDown& e) { static_cast<TFxMemoDropDown&>(e).Memo()->setPlainText("one\ntwo"); },
         "one\r\ntwo"},
        {"Calculator", edCalculatorDropDown, "6", "6.00",
         [](TFxCustomDropDown& e) {
             auto& c = static_cast<TFxCalculatorDropdown&>(e);
             for (const char* k : {"*", "7", "="})
                 clickKey(c, k);
         },
         "42.00"},
        {"TimePicker", edTimePickerDropDown, time.constData(), time.constData(),
         [](TFxCustomDropDown& e) {
             auto& t = static_cast<TFxTimePickerDropDown&>(e);
             t.Watch()->SetAnimation(false);
             t.Watch()->HandleKey(VK_PRIOR);
         },
         timeAfter.constData()},
        {"MultiColumn", edGridDropDown, "Banana", "Banana",
         [](TFxCustomDropDown& e) {
             auto& m = static_cast<TFxMultiColumnDropDown&>(e);
             TFxColGrid* list = m.List();
             const TRect r = list->CellRect(0, 1);
             QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(r.Left + 5, r.Top + 5));
         },
         "Apple"},
        {"Detail", edDetailDropDown, "Beta", "Beta",
         [](TFxCustomDropDown& e) { clickItem(static_cast<TFxDetailDropDown&>(e).ItemSelector(), 2); }, "Gamma"},
        {"Grid", edFxGridDropDown, "Banana", "Banana",
         [](TFxCustomDropDown& e) {
             TFxStringGrid* g = static_cast<TCustomFxGridDropDown&>(e).InnerGrid();
             const TRect r = g->CellRect(0, 3);
             QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, QPoint(r.Left + 5, r.Top + 5));
         },
         "Cherry"},
        {"Color", edColorPickerDropDown, "", "",
         [](TFxCustomDropDown& e) { clickItem(static_cast<TFxColorPickerDropDown&>(e).ListSelector(), 4); },
         "Navy"},
        {"Image", edImagePickerDropDown, "1", "",
         [](TFxCustomDropDown& e) { clickItem(static_cast<TFxImagePickerDropDown&>(e).ItemSelector(), 2); }, "2"},
    };
}

// The grid window with the editor's open popup drawn over it; saved when
// GC_SCREENSHOT_DIR names a folder.
void savePicture(Window& w, TFxCustomDropDown& e, const char* name)
{
    const QString dir = qEnvironmentVariable("GC_SCREENSHOT_DIR");
    if (dir.isEmpty())
        return;
    QImage img = w.form->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QPoint at = e.DropDownForm()->geometry().topLeft() - w.form->mapToGlobal(QPoint(0, 0));
    QPainter p(&img);
    p.drawImage(at, e.DropDownForm()->grab().toImage());
    p.end();
    img.copy(0, 0, 420, 330).save(dir + QStringLiteral("/grid_dropdown_%1.png").arg(QLatin1String(name)));
}

// The grid window with the date-and-time editor open, and with its
// calendar dropped down.
void savePictureOf(Window& w, TGridDateTimePicker& editor, const char* name)
{
    const QString dir = qEnvironmentVariable("GC_SCREENSHOT_DIR");
    if (dir.isEmpty())
        return;
    w.form->grab().toImage().copy(0, 0, 420, 330).save(dir + QStringLiteral("/grid_editor_%1.png").arg(QLatin1String(name)));
    editor.DropDown();
    w.settle();
    if (!editor.DroppedDown())
        return;
    QImage img = w.form->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QWidget* cal = editor.calendarWidget()->window();
    QPainter p(&img);
    p.drawImage(cal->geometry().topLeft() - w.form->mapToGlobal(QPoint(0, 0)), cal->grab().toImage());
    p.end();
    img.copy(0, 0, 420, 330).save(dir + QStringLiteral("/grid_editor_%1_open.png").arg(QLatin1String(name)));
    editor.calendarWidget()->window()->hide();
    w.settle();
}

class GridDropDownEditor : public ::testing::TestWithParam<KindCase> {
protected:
    void open(Window& w, const KindCase& k)
    {
        TFxStringGrid& g = *w.grid;
        g.Events().OnGetEditorType = [kind = k.kind](QObject*, int, int, TEditorType& e) { e = kind; };
        if (k.kind == edGridDropDown) {
            auto* m = static_cast<TFxMultiColumnDropDown*>(FxGridDropDown::Editor(g, k.kind));
            m->Columns().Add()->Width = 80;
            for (const char* s : {"Apple", "Banana", "Cherry"})
                m->Items().Add()->Text = {s};
        }
        if (k.kind == edFxGridDropDown) {
            auto* m = static_cast<TCustomFxGridDropDown*>(FxGridDropDown::Editor(g, k.kind));
            m->Columns().Add()->Header = "Fruit";
            m->Columns().Add()->Header = "Colour";
            const char* rows[][2] = {{"Apple", "green"}, {"Banana", "yellow"}, {"Cherry", "red"}};
            for (const auto& r : rows)
                m->Items().Add()->Text = {r[0], r[1]};
        }
        if (k.kind == edDetailDropDown) {
            auto* d = static_cast<TFxDetailDropDown*>(FxGridDropDown::Editor(g, k.kind));
            for (const char* s : {"Alpha", "Beta", "Gamma"})
                d->Items().Add()->SetCaption(s);
        }
        if (k.kind == edImagePickerDropDown) {
            for (QRgb c : {0xFF0000u, 0x00FF00u, 0x0000FFu}) {
                TBitmap b(16, 16);
                b.Canvas().Brush().Color = TColor(c);
                b.Canvas().FillRect(TRect(0, 0, 16, 16));
                images.Add(b);
            }
            g.SetGridImages(&images);
            g.AddDataImage(1, 1, 0, haLeft, vaTop);
        }
        // Wide enough for a time with seconds beside the drop button.
        g.SetColWidths(1, 90);
        g.SetCells(1, 1, k.cell);
        g.SetCol(1);
        g.SetRow(1);
        w.key(Qt::Key_F2);
    }
    TImageList images{16, 16};
};

} // namespace

TEST_P(GridDropDownEditor, ShowChooseCommit)
{
    const KindCase& k = GetParam();
    Window w;
    TFxStringGrid& g = *w.grid;
    open(w, k);
    TFxCustomDropDown* e = FxGridDropDown::Editor(g, k.kind);
    ASSERT_NE(e, nullptr);
    ASSERT_TRUE(e->isVisible());
    EXPECT_EQ(g.EditCtrl(), e);
    EXPECT_EQ(w.focus(), e);
    EXPECT_EQ(e->Text(), k.loaded);
    EXPECT_EQ(e->geometry().topLeft(), QPoint(g.CellRect(1, 1).Left, g.CellRect(1, 1).Top));

    e->ShowDropDown();
    w.settle();
    ASSERT_TRUE(e->DropDownForm()->isVisible());
    savePicture(w, *e, k.name);
    k.choose(*e);
    w.settle();
    if (e->DropDownForm()->isVisible())
        e->HideDropDown(false);
    w.settle();
    if (w.focus() != e)
        e->setFocus();
    QTest::keyClick(e, Qt::Key_Return);
    w.settle();
    EXPECT_EQ(g.Cells(1, 1), k.written);
    EXPECT_FALSE(e->isVisible());
    EXPECT_FALSE(e->isEnabled());
    EXPECT_FALSE(g.EditMode());
}

TEST_P(GridDropDownEditor, EscapeGivesTheCellsTextBack)
{
    const KindCase& k = GetParam();
    Window w;
    TFxStringGrid& g = *w.grid;
    open(w, k);
    TFxCustomDropDown* e = FxGridDropDown::Editor(g, k.kind);
    ASSERT_TRUE(e->isVisible());
    e->ShowDropDown();
    w.settle();
    k.choose(*e);
    w.settle();
    if (e->DropDownForm()->isVisible())
        e->HideDropDown(false);
    e->setFocus();
    QTest::keyClick(e, Qt::Key_Escape);
    w.settle();
    EXPECT_EQ(g.Cells(1, 1), k.cell);
    EXPECT_FALSE(e->isVisible());
    EXPECT_EQ(w.focus(), &g);
}

INSTANTIATE_TEST_SUITE_P(Kinds, GridDropDownEditor, ::testing::ValuesIn(cases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(GridDropDownEditors, RefusedValueKeepsTheEditorOpenAndTrackBarReadsNoNumberAsZero)
{
    Window w;
    TFxStringGrid& g = *w.grid;
    g.Events().OnGetEditorType = [](QObject*, int, int, TEditorType& e) { e = edCalculatorDropDown; };
    g.Events().OnCellValidate = [](QObject*, int, int, QString& v, bool& valid) {
        valid = v != "13.00";
        if (!valid)
            v = "12.00";
    };
    g.SetCells(1, 1, "2");
    g.SetCol(1);
    g.SetRow(1);
    w.key(Qt::Key_F2);
    auto* calc = static_cast<TFxCalculatorDropdown*>(FxGridDropDown::Editor(g, edCalculatorDropDown));
    ASSERT_TRUE(calc->isVisible());
    w.type("+");
    w.type("11");
    QTest::keyClick(calc, Qt::Key_Return);
    w.settle();
    EXPECT_TRUE(calc->isVisible()) << "the refused value keeps the edit on the cell";
    EXPECT_EQ(calc->Text(), "12.00");
    EXPECT_EQ(calc->selectedText(), "12.00");
    EXPECT_EQ(g.Row(), 1);
    w.key(Qt::Key_Escape);

    g.Events().OnGetEditorType = [](QObject*, int, int, TEditorType& e) { e = edTrackbarDropDown; };
    g.SetCells(2, 2, "not a number");
    g.SetCol(2);
    g.SetRow(2);
    w.key(Qt::Key_F2);
    auto* tb = static_cast<TFxTrackBarDropDown*>(FxGridDropDown::Editor(g, edTrackbarDropDown));
    ASSERT_TRUE(tb->isVisible());
    EXPECT_EQ(tb->Position(), 0);
    QTest::keyClick(tb, Qt::Key_Return);
    w.settle();
    EXPECT_EQ(g.Cells(2, 2), "0");
}

TEST(GridDropDownEditors, TabValidatesAndMovesOnOrStaysWithTheCaretAtTheEnd)
{
    Window w;
    TFxStringGrid& g = *w.grid;
    g.SetOptions(g.Options() | goTabs);
    g.Events().OnGetEditorType = [](QObject*, int, int, TEditorType& e) { e = edCalculatorDropDown; };
    g.Events().OnCellValidate = [](QObject*, int, int, QString& v, bool& valid) {
        valid = v != "9.00";
        if (!valid)
            v = "8.00";
    };
    g.SetCells(1, 1, "1");
    g.SetCol(1);
    g.SetRow(1);
    w.key(Qt::Key_F2);
    auto* calc = static_cast<TFxCalculatorDropdown*>(FxGridDropDown::Editor(g, edCalculatorDropDown));
    ASSERT_TRUE(calc->isVisible());
    w.type("+8");
    QTest::keyClick(calc, Qt::Key_Return);
    w.settle();
    ASSERT_TRUE(calc->isVisible()) << "9.00 is refused";
    calc->SetTextUnformatted("9.00");
    QTest::keyClick(calc, Qt::Key_Tab);
    w.settle();
    EXPECT_TRUE(calc->isVisible());
    EXPECT_EQ(calc->Text(), "8.00");
    EXPECT_EQ(calc->SelStart(), 4) << "the caret at the end, nothing selected";
    EXPECT_EQ(calc->SelLength(), 0);
    calc->SetTextUnformatted("5.00");
    QTest::keyClick(calc, Qt::Key_Tab);
    w.settle();
    EXPECT_EQ(g.Cells(1, 1), "5.00");
    EXPECT_EQ(g.Col(), 2) << "Tab moved to the next cell";
    if (calc->isVisible()) {
        EXPECT_EQ(calc->x(), g.CellRect(2, 1).Left) << "an editor still open is the next cell's";
    }
}

TEST(GridDropDownEditors, ColourEditWritesTheColourTextAndTheCellColour)
{
    Window w;
    TFxStringGrid& g = *w.grid;
    g.Events().OnGetEditorType = [](QObject*, int, int, TEditorType& e) { e = edColorPickerDropDown; };
    int asked = 0;
    g.Events().OnColorSelected = [&](QObject*, int c, int r, TColor& color, QString& text) {
        ++asked;
        EXPECT_EQ(c, 1);
        EXPECT_EQ(r, 2);
        if (color == 0x008000) {
            color = 0x00FF00;
            text = "Bright";
        }
    };
    g.SetCol(1);
    g.SetRow(2);
    w.key(Qt::Key_F2);
    auto* c = static_cast<TFxColorPickerDropDown*>(FxGridDropDown::Editor(g, edColorPickerDropDown));
    ASSERT_TRUE(c->isVisible());
    EXPECT_EQ(c->Colors().Count(), 16) << "the default colours";
    c->SetSelectedColor(0x0000FF);
    QTest::keyClick(c, Qt::Key_Return);
    w.settle();
    EXPECT_EQ(g.Cells(1, 2), "Red");
    EXPECT_EQ(g.Colors(1, 2), 0x0000FF);

    w.key(Qt::Key_F2);
    ASSERT_TRUE(c->isVisible());
    EXPECT_EQ(c->SelectedColor(), 0x0000FF) << "the cell's colour is the picker's";
    c->SetSelectedColor(0x008000);
    QTest::keyClick(c, Qt::Key_Return);
    w.settle();
    EXPECT_EQ(g.Cells(1, 2), "Bright") << "the handler's text";
    EXPECT_EQ(g.Colors(1, 2), 0x00FF00) << "the handler's colour";

    w.key(Qt::Key_F2);
    c->SetSelectedColor(0x800000);
    QTest::keyClick(c, Qt::Key_Escape);
    w.settle();
    EXPECT_EQ(g.Cells(1, 2), "Bright") << "Escape writes nothing";
    EXPECT_EQ(g.Colors(1, 2), 0x00FF00);
    EXPECT_EQ(asked, 2);

    w.key(Qt::Key_F2);
    QTest::keyClick(c, Qt::Key_Home);
    w.settle();
    EXPECT_FALSE(c->isVisible()) << "Home ends the colour edit";
    EXPECT_EQ(g.Row(), 2);
}

TEST(GridDropDownEditors, ImageEditOfACellWithoutAnImageWritesNothing)
{
    Window w;
    TFxStringGrid& g = *w.grid;
    g.Events().OnGetEditorType = [](QObject*, int, int, TEditorType& e) { e = edImagePickerDropDown; };
    g.SetCells(2, 1, "plain");
    g.SetCol(2);
    g.SetRow(1);
    w.key(Qt::Key_F2);
    auto* p = static_cast<TFxImagePickerDropDown*>(FxGridDropDown::Editor(g, edImagePickerDropDown));
    ASSERT_TRUE(p->isVisible());
    EXPECT_EQ(p->ItemIndex(), -1);
    EXPECT_EQ(p->Text(), "");
    QTest::keyClick(p, Qt::Key_Return);
    w.settle();
    EXPECT_FALSE(p->isVisible());
    EXPECT_EQ(g.Cells(2, 1), "plain");
}

TEST(GridDropDownEditors, DateTimeEditCommitsCancelsAndKeepsAnUnchangedText)
{
    Window w;
    TFxStringGrid& g = *w.grid;
    g.Events().OnGetEditorType = [](QObject*, int, int, TEditorType& e) { e = edDateTimeEdit; };
    TDateTime changed = 0;
    g.Events().OnDateTimeChange = [&](QObject*, int, int, double dt) { changed = dt; };
    const TDateTime start = EncodeDateTime(2024, 3, 9, 14, 25, 36, 0);
    const QString startText = FxGridDropDown::DateTimeText(start);
    EXPECT_TRUE(startText.endsWith(FormatDateTime(FormatSettings().LongTimeFormat, start))) << "seconds kept";
    g.SetColWidths(1, 230);
    g.SetCells(1, 1, startText);
    g.SetCol(1);
    g.SetRow(1);
    w.key(Qt::Key_F2);
    TGridDateTimePicker& d = FxGridDropDown::DateTimeEditor(g);
    ASSERT_TRUE(d.isVisible());
    EXPECT_EQ(w.focus(), &d);
    EXPECT_NEAR(d.DateTime(), start, 1e-8);
    EXPECT_EQ(d.geometry().topLeft(), QPoint(g.CellRect(1, 1).Left, g.CellRect(1, 1).Top));
    savePictureOf(w, d, "datetime");
    QTest::keyClick(&d, Qt::Key_Return);
    w.settle();
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(g.Cells(1, 1), startText) << "an unchanged value keeps the cell's text";

    w.key(Qt::Key_F2);
    ASSERT_TRUE(d.isVisible());
    d.TimePicker()->SetTime(EncodeTime(8, 5, 0, 0));
    EXPECT_NEAR(changed, EncodeDateTime(2024, 3, 9, 8, 5, 0, 0), 1e-8) << "the grid hears of the time";
    d.SetDate(EncodeDate(2025, 1, 2));
    QTest::keyClick(&d, Qt::Key_Escape);
    w.settle();
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(g.Cells(1, 1), startText) << "Escape gives the whole value back, date and time";
    EXPECT_EQ(w.focus(), &g);

    w.key(Qt::Key_F2);
    d.SetDateTime(EncodeDateTime(2025, 1, 2, 8, 5, 0, 0));
    QTest::keyClick(&d, Qt::Key_Return);
    w.settle();
    EXPECT_EQ(g.Cells(1, 1), FxGridDropDown::DateTimeText(EncodeDateTime(2025, 1, 2, 8, 5, 0, 0)));
    EXPECT_FALSE(g.EditMode());

    g.SetCells(2, 1, "not a date");
    g.SetCol(2);
    w.key(Qt::Key_F2);
    ASSERT_TRUE(d.isVisible());
    EXPECT_NEAR(d.DateTime(), Now(), 2.0 / 86400) << "a text that is no date opens at now";
    d.SetShowCheckbox(true);
    d.SetChecked(false);
    QTest::keyClick(&d, Qt::Key_Return);
    w.settle();
    EXPECT_EQ(g.Cells(2, 1), "") << "an unchecked value is no value";
}

namespace {

// A calculator cell (1,2) holding "6" opened for editing.
TFxCalculatorDropdown* openCalculator(Window& w, const char* text = "6")
{
    TFxStringGrid& g = *w.grid;
    g.Events().OnGetEditorType = [](QObject*, int, int, TEditorType& e) { e = edCalculatorDropDown; };
    g.SetCells(1, 2, text);
    g.SetCol(1);
    g.SetRow(2);
    w.key(Qt::Key_F2);
    return static_cast<TFxCalculatorDropdown*>(FxGridDropDown::Editor(g, edCalculatorDropDown));
}

} // namespace

TEST(GridDropDownEditors, KeysEndTheEditWriteTheCellAndMoveAsTheKeyAndThePopupSay)
{
    struct Row {
        const char* name;
        Qt::Key key;
        Qt::KeyboardModifiers mods;
        bool open;             // the popup is open when the key comes
        bool editing;          // the edit still runs afterwards
        const char* cell;      // the cell's text afterwards
        int row;               // the grid's row afterwards
    } rows[] = {
        {"Escape", Qt::Key_Escape, {}, false, false, "6", 2},
        {"Enter", Qt::Key_Return, {}, false, false, "6.00", 2},
        {"Up", Qt::Key_Up, {}, false, false, "6.00", 1},
        {"Down", Qt::Key_Down, {}, false, false, "6.00", 3},
        {"Page Up", Qt::Key_PageUp, {}, false, false, "6.00", 2},
        {"Page Down", Qt::Key_PageDown, {}, false, false, "6.00", 2},
        {"End", Qt::Key_End, {}, false, true, "6", 2},
        {"Alt+Down", Qt::Key_Down, Qt::AltModifier, false, true, "6", 2},
        // With the popup open the keys are the popup's: Escape closes it
        // (the edit goes on), Enter takes it and ends the edit.
        {"open Escape", Qt::Key_Escape, {}, true, true, "6", 2},
        {"open Enter", Qt::Key_Return, {}, true, false, "6.00", 2},
        {"open Up", Qt::Key_Up, {}, true, true, "6", 2},
        {"open Down", Qt::Key_Down, {}, true, true, "6", 2},
        {"open Page Down", Qt::Key_PageDown, {}, true, true, "6", 2},
        {"open End", Qt::Key_End, {}, true, true, "6", 2},
        {"open Alt+Down", Qt::Key_Down, Qt::AltModifier, true, true, "6", 2},
    };
    for (const Row& r : rows) {
        Window w;
        TFxStringGrid& g = *w.grid;
        TFxCalculatorDropdown* calc = openCalculator(w);
        ASSERT_TRUE(calc->isVisible()) << r.name;
        calc->SetSel(0, 0);
        if (r.open) {
            calc->ShowDropDown();
            w.settle();
            ASSERT_TRUE(calc->DroppedDown()) << r.name;
        }
        w.key(r.key, r.mods);
        EXPECT_EQ(g.EditMode(), r.editing) << r.name;
        EXPECT_EQ(calc->isVisible(), r.editing) << r.name;
        EXPECT_EQ(g.Cells(1, 2), r.cell) << r.name;
        EXPECT_EQ(g.Row(), r.row) << r.name;
        EXPECT_EQ(g.Col(), 1) << r.name;
        if (!r.editing) {
            EXPECT_EQ(w.focus(), &g) << r.name;
            EXPECT_FALSE(calc->DropDownForm()->isVisible()) << r.name;
        }
        if (r.key == Qt::Key_End && r.editing) {
            EXPECT_EQ(calc->SelStart(), int(calc->EditText().size())) << "the caret went to the end";
        }
        if (r.mods & Qt::AltModifier) {
            EXPECT_NE(calc->DroppedDown(), r.open) << "Alt+Down opens or closes the popup";
        }
        if (calc->DroppedDown())
            calc->HideDropDown(true);
    }
}

TEST(GridDropDownEditors, AdvanceOnEnterWithAutoEditOpensTheNextCellsEditor)
{
    Window w;
    TFxStringGrid& g = *w.grid;
    g.Navigation().SetAdvanceOnEnter(true);
    g.Navigation().SetAdvanceAutoEdit(true);
    g.SetCells(2, 2, "3");
    TFxCalculatorDropdown* calc = openCalculator(w);
    ASSERT_TRUE(calc->isVisible());
    w.type("+1");
    w.key(Qt::Key_Return);
    EXPECT_EQ(g.Cells(1, 2), "7.00") << "the pending sum completed and written";
    EXPECT_EQ(g.Col(), 2);
    EXPECT_TRUE(g.EditMode()) << "the editor opened on the cell moved to";
    EXPECT_TRUE(calc->isVisible());
    EXPECT_EQ(calc->x(), g.CellRect(2, 2).Left);
    EXPECT_EQ(calc->Text(), "3.00");

    w.key(Qt::Key_Down);
    EXPECT_EQ(g.Row(), 3);
    EXPECT_TRUE(calc->isVisible()) << "an arrow that ends the edit opens it again below";
    EXPECT_EQ(calc->y(), g.CellRect(2, 3).Top);
    w.key(Qt::Key_Escape);
    EXPECT_FALSE(calc->isVisible());
}

TEST(GridDropDownEditors, GridHearsOfTypedCharactersAndTextChanges)
{
    Window w;
    TFxStringGrid& g = *w.grid;
    QStringList log;
    g.OnKeyPress = [&](QObject* sender, QChar& key) {
        log << QStringLiteral("key %1 %2").arg(sender == FxGridDropDown::Editor(g, edCalculatorDropDown) ? "editor" : "other")
                   .arg(key.unicode());
    };
    g.Events().OnEditChange = [&](QObject* sender, int c, int r, const QString& v) {
        log << QStringLiteral("change %1,%2 %3%4").arg(c).arg(r).arg(v).arg(sender == &g ? "" : " (not the grid)");
    };
    FxGridDropDown::Editor(g, edCalculatorDropDown)->Value().SetPrefix("$");
    TFxCalculatorDropdown* calc = openCalculator(w);
    ASSERT_TRUE(calc->isVisible());
    EXPECT_EQ(calc->EditText(), "$6.00");
    log.clear();
    // The first digit replaces the selected value, the second is typed on.
    w.type("5");
    EXPECT_EQ(log, (QStringList{"key editor 53", "change 1,2 5"})) << "the text without the prefix";
    w.type("7");
    EXPECT_EQ(log.filter("change").last(), "change 1,2 57");
    EXPECT_EQ(log.filter("change").size(), 2) << "one notification per change";
    log.clear();
    w.key(Qt::Key_Escape);
    EXPECT_TRUE(log.contains("key editor 27")) << "the grid sees Escape too: " << log.join(" | ").toStdString();
    EXPECT_EQ(g.Cells(1, 2), "6");
}

TEST(GridDropDownEditors, DateTimePageKeysStayInThePickerAndShiftTabGoesBack)
{
    Window w;
    TFxStringGrid& g = *w.grid;
    g.SetOptions(g.Options() | goTabs);
    g.Events().OnGetEditorType = [](QObject*, int, int, TEditorType& e) { e = edDateTimeEdit; };
    g.SetColWidths(2, 230);
    g.SetCells(2, 1, FxGridDropDown::DateTimeText(EncodeDateTime(2024, 3, 9, 14, 25, 0, 0)));
    g.SetCol(2);
    g.SetRow(1);
    w.key(Qt::Key_F2);
    TGridDateTimePicker& d = FxGridDropDown::DateTimeEditor(g);
    ASSERT_TRUE(d.isVisible());
    QList<int> seen;
    d.OnKeyDown = [&](QObject*, int& key, TShiftState) { seen << key; };
    for (Qt::Key k : {Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_End}) {
        QTest::keyClick(&d, k);
        w.settle();
        EXPECT_TRUE(d.isVisible()) << k;
    }
    EXPECT_EQ(seen, (QList<int>{VK_PRIOR, VK_NEXT, VK_END})) << "the picker's own key-down saw them";
    QTest::keyClick(&d, Qt::Key_Backtab, Qt::ShiftModifier);
    w.settle();
    EXPECT_EQ(g.Col(), 1) << "Shift+Tab moved back";
    EXPECT_EQ(seen, (QList<int>{VK_PRIOR, VK_NEXT, VK_END, VK_SHIFT})) << "Tab of a validating grid is not the picker's";
    if (d.isVisible()) {
        EXPECT_EQ(d.x(), g.CellRect(1, 1).Left) << "an editor still open is the cell's moved to";
    }
    d.OnKeyDown = nullptr;
}

// The character that opens a picker is replayed into it; the grid's
// OnKeyPress saw it as it was typed and does not see the replay.
TEST(GridDropDownEditors, CharacterThatStartsTheEditArrivesInThePicker)
{
    Window w;
    TFxStringGrid& g = *w.grid;
    for (TEditorType kind : {edColorPickerDropDown, edImagePickerDropDown}) {
        g.Events().OnGetEditorType = [kind](QObject*, int, int, TEditorType& e) { e = kind; };
        TFxCustomDropDown* picker = FxGridDropDown::Editor(g, kind);
        QStringList seen;
        g.OnKeyPress = [&](QObject* sender, QChar& key) {
            seen << QStringLiteral("%1 %2").arg(sender == picker ? "picker" : sender == &g ? "grid" : "other").arg(key);
        };
        KeySpy spy;
        picker->installEventFilter(&spy);
        g.SetCol(1);
        g.SetRow(1);
        w.type("n");
        ASSERT_TRUE(picker->isVisible()) << kind;
        EXPECT_EQ(spy.texts, QStringList{"n"}) << "the picker had the character: " << kind;
        EXPECT_EQ(seen, QStringList{"grid n"}) << "reported once, as typed: " << kind;
        picker->removeEventFilter(&spy);
        w.key(Qt::Key_Escape);
        EXPECT_FALSE(picker->isVisible()) << kind;
        g.OnKeyPress = nullptr;
    }
}

TEST(GridDropDownEditors, ClickThatStartsTheEditPutsTheCaretAtTheClickedCharacter)
{
    Window w;
    TFxStringGrid& g = *w.grid;
    g.MouseActions().SetDirectEdit(true);
    g.MouseActions().SetCaretPositioning(true);
    g.SetColWidths(1, 120);
    g.Events().OnGetEditorType = [](QObject*, int, int, TEditorType& e) { e = edCalculatorDropDown; };
    g.SetCells(1, 2, "123456");
    const QPoint p = w.at(1, 2, 20, 8);
    QCursor::setPos(g.viewport()->mapToGlobal(p));
    if (QCursor::pos() != g.viewport()->mapToGlobal(p))
        GTEST_SKIP() << "the platform does not place the mouse pointer";
    w.click(p);
    auto* calc = static_cast<TFxCalculatorDropdown*>(FxGridDropDown::Editor(g, edCalculatorDropDown));
    ASSERT_TRUE(calc->isVisible());
    const int expected = calc->cursorPositionAt(calc->mapFromGlobal(QCursor::pos()));
    ASSERT_GT(expected, 0);
    ASSERT_LT(expected, int(calc->EditText().size()));
    EXPECT_EQ(calc->SelStart(), expected) << "the caret under the click";
    EXPECT_EQ(calc->SelLength(), 0);
}

TEST(GridDropDownEditors, EditStartTakesTheGridsStripsAndHookAndMayDropAtOnce)
{
    Window w;
    TFxStringGrid& g = *w.grid;
    g.Events().OnGetEditorType = [](QObject*, int, int, TEditorType& e) { e = edMemoDropDown; };
    g.ControlLook().DropDownFooter().Caption = "Notes";
    g.ControlLook().DropDownFooter().Buttons().Add()->SetCaption("Clear");
    QObject* hooked = nullptr;
    g.Events().OnGetEditorProp = [&](QObject*, int c, int r, QObject* edit) {
        EXPECT_EQ(QPoint(c, r), QPoint(2, 3));
        hooked = edit;
    };
    QList<QPoint> footerClicks;
    g.Events().OnDropDownFooterButtonClick = [&](QObject* sender, int c, int r, int index) {
        EXPECT_EQ(sender, &g);
        footerClicks << QPoint(c * 10 + r, index);
    };
    g.MouseActions().SetDirectComboDrop(true);
    g.SetCells(2, 3, "text");
    g.SetCol(2);
    g.SetRow(3);
    w.key(Qt::Key_F2);
    TFxCustomDropDown* memo = FxGridDropDown::Editor(g, edMemoDropDown);
    ASSERT_TRUE(memo->isVisible());
    EXPECT_EQ(hooked, memo) << "the editor-property hook ran with the editor";
    EXPECT_TRUE(memo->DropDownForm()->isVisible()) << "DirectComboDrop opened the popup at once";
    EXPECT_EQ(memo->DropDownFooter().Caption, "Notes") << "the grid's footer look";
    ASSERT_EQ(memo->DropDownFooter().Buttons().Count(), 1);
    ASSERT_TRUE(memo->OnDropDownFooterButtonClick);
    memo->OnDropDownFooterButtonClick(memo, 0);
    EXPECT_EQ(footerClicks, (QList<QPoint>{QPoint(23, 0)})) << "the click reached the grid with its cell";
    memo->HideDropDown(true);
    QTest::keyClick(memo, Qt::Key_Escape);
    w.settle();
    EXPECT_FALSE(memo->isVisible());
}

TEST(GridDropDownEditors, TabWithValidationButWithoutGridTabsValidatesAndEndsTheEdit)
{
    Window w;
    TFxStringGrid& g = *w.grid;
    QStringList validated;
    g.Events().OnCellValidate = [&](QObject*, int c, int r, QString& v, bool&) {
        validated << QStringLiteral("%1,%2 %3").arg(c).arg(r).arg(v);
    };
    TFxCalculatorDropdown* calc = openCalculator(w);
    ASSERT_TRUE(calc->isVisible());
    w.type("+2");
    QTest::keyClick(calc, Qt::Key_Tab);
    w.settle();
    ASSERT_FALSE(validated.isEmpty());
    // Only Enter completes the pending sum: Tab takes the display as it stands.
    EXPECT_EQ(validated.first(), "1,2 2.00");
    EXPECT_FALSE(calc->isVisible());
    EXPECT_EQ(g.Cells(1, 2), "2.00");
    EXPECT_EQ(g.Col(), 1) << "without goTabs the grid does not move on";
}
