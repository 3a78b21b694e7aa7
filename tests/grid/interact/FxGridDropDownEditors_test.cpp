// The drop-down editors of a grid cell driven through the editing cycle:
// the editor opens over the cell with the cell's value, a choice made in
// its popup is written back by Enter, Escape gives the cell's text back.
#include "GridUi.h"

#include "controls/dropdown/FxDropDownForm.h"
#include "grid/foundation/FxOptions.h"
#include "grid/interact/FxGridDropDownEditors.h"

#include <gtest/gtest.h>

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
        g.SetCells(1, 1, k.cell);
        g.SetCol(1);
        g.SetRow(1);
        w.key(Qt::Key_F2);
    }
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
