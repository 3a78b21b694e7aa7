// What the further editors look like open in a cell: each covers its cell
// and paints over it, and the translucent focus frame tints the pixels
// around the cell. With GRID_SHOTS_DIR set, the pictures are also saved
// there as PNG files to be looked at.
#include "GridUi.h"

#include "framework/DateTime.h"
#include "framework/SysColors.h"

#include "controls/dropdown/FxGridDropDownEditors.h"
#include "controls/dropdown/FxImagePickerDropDown.h"
#include "framework/LayeredWindow.h"
#include "grid/foundation/FxOptions.h"
#include "grid/foundation/GridFocusWindow.h"
#include "grid/interact/FxEditLink.h"
#include "grid/interact/FxGridBtnEditors.h"
#include "grid/interact/FxGridControlEditors.h"
#include "grid/interact/FxGridDatePicker.h"
#include "grid/interact/FxGridFixedEditors.h"
#include "grid/interact/FxInplaceEdit.h"
#include "grid/interact/FxRichEdit.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QHash>
#include <QComboBox>
#include <QLineEdit>
#include <QPainter>

using gridui::Window;
using namespace fw;

namespace {

void save(const QImage& img, const QString& name)
{
    const QString dir = qEnvironmentVariable("GRID_SHOTS_DIR");
    if (dir.isEmpty())
        return;
    QDir().mkpath(dir);
    img.save(dir + "/" + name + ".png");
}

QImage grab(Window& w)
{
    Window::settle();
    return w.form->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// Pixels of `r` that differ between two pictures.
int changed(const QImage& a, const QImage& b, const QRect& r)
{
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            n += a.pixel(x, y) != b.pixel(x, y);
    return n;
}

class TShotLink : public TEditLink {
public:
    QWidget* GetEditControl() override { return FEdit; }
    void CreateEditor(QWidget* parent) override
    {
        if (!FEdit) {
            FEdit = new QLineEdit(parent);
            FEdit->setStyleSheet("background: #fff3c4");
        }
    }
    QString GetEditorValue() override { return FEdit ? FEdit->text() : QString(); }
    void SetEditorValue(const QString& v) override { FEdit->setText(v); }

private:
    QPointer<QLineEdit> FEdit;
};

} // namespace

TEST(EditorLooks, EachEditorPaintsOverItsCell)
{
    struct Case {
        const char* name;
        TEditorType kind;
        const char* cell;
    } cases[] = {
        {"editbtn", edEditBtn, "C:/data/file.txt"},
        {"unitedit", edUnitEditBtn, "12.5cm"},
        {"dateedit", edDateEdit, "15/06/2024"},
        {"dateupdown", edDateEditUpDown, "15/06/2024"},
        {"timeedit", edTimeEdit, "10:30:00"},
        {"button", edButton, "Press"},
        {"richedit", edRichEdit, "{\\rtf1\\ansi {\\b Bold} and {\\i italic} \\u1055?\\u1088?\\u1080?}"},
        {"custom", edCustom, "linked"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Window w;
        TFxStringGrid& g = *w.grid;
        TShotLink link;
        g.SetEditLink(&link);
        g.SetColWidths(1, 160);
        g.SetRowHeights(1, c.kind == edRichEdit ? 40 : 24);
        for (int col = 0; col < 5; ++col)
            g.SetCells(col, 0, QStringLiteral("Column %1").arg(col));
        g.SetCells(1, 2, "below");
        const TEditorType kind = c.kind;
        g.Events().OnGetEditorType = [kind](QObject*, int col, int row, TEditorType& e) {
            if (col == 1 && row == 1)
                e = kind;
        };
        g.Events().OnGetEditorProp = [](QObject*, int, int, QObject* o) {
            if (auto* u = qobject_cast<TGridUnitEditBtn*>(o))
                u->SetUnits(QStringList{"mm", "cm"});
        };
        g.SetCells(1, 1, c.cell);
        g.SetCol(1);
        g.SetRow(1);
        const QImage before = grab(w);
        w.key(Qt::Key_F2);
        QWidget* editor = g.EditCtrl();
        ASSERT_NE(editor, nullptr);
        ASSERT_TRUE(editor->isVisible());
        const TRect cell = g.CellRect(1, 1);
        const QRect onForm(g.viewport()->mapTo(w.form.get(), QPoint(cell.Left, cell.Top)),
                           QSize(cell.Width() - 1, cell.Height() - 1));
        const QRect placed(editor->mapTo(w.form.get(), QPoint(0, 0)), editor->size());
        EXPECT_TRUE(placed.adjusted(-1, -1, 1, 1).contains(onForm.adjusted(1, 1, -1, -1))) << "covers its cell";
        const QImage open = grab(w);
        EXPECT_GT(changed(before, open, onForm), onForm.width() * onForm.height() / 20) << "paints over it";
        save(open, QStringLiteral("editor-%1").arg(c.name));
        w.key(Qt::Key_Escape);
    }
}

TEST(EditorLooks, FixedCellAndFormControlEditors)
{
    Window w;
    TFxStringGrid& g = *w.grid;
    g.SetColWidths(1, 220);
    g.SetRowHeights(1, 30);
    g.MouseActions().SetFixedRowsEdit(fceDblClick);
    g.SetCells(1, 0, "Header");
    g.SetCells(1, 1, "Name <CONTROL TYPE=\"EDIT\" ID=\"n\" VALUE=\"Ann\" WIDTH=\"80\">");
    w.dblClick(w.at(1, 0, 20, 8));
    ASSERT_TRUE(g.EditTrans().isVisible());
    save(grab(w), "editor-fixedcell");
    g.EditTrans().StopEdit();
    // A press on the control opens its editor over it.
    const TRect cell = g.CellRect(1, 1);
    for (int x = cell.Left + 2; x < cell.Right && !g.ControlEditing(); x += 4)
        g.HandleControlPress(1, 1, x, cell.Top + cell.Height() / 2);
    ASSERT_TRUE(g.ControlEditor().isVisible());
    EXPECT_LT(g.ControlEditor().width(), cell.Width() / 2) << "over the control, not the cell";
    save(grab(w), "editor-htmlcontrol");
    g.EndControlEdit();
}

TEST(EditorLooks, FocusFrameTintsTheCellsSurroundings)
{
    Window w;
    TFxStringGrid& g = *w.grid;
    g.SetColWidths(1, 120);
    g.SetCells(1, 1, "focused");
    g.SetCol(1);
    g.SetRow(1);
    const QImage base = grab(w);
    const TRect cell = g.CellRect(1, 1);
    g.ShowFocusWindow(cell);
    TGridFocusWindow* frame = g.FocusWindow();
    ASSERT_NE(frame, nullptr);
    ASSERT_TRUE(frame->isVisible());
    Window::settle();
    EXPECT_EQ(QApplication::activeWindow(), w.form.get()) << "the frame takes no activation";
    EXPECT_EQ(w.focus(), &g) << "and the grid keeps the keyboard";
    // The desktop composes the frame over the grid: here it is drawn over the
    // grid's picture at its place, through its region.
    QImage shot = base.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    {
        QPainter p(&shot);
        const QPoint at = w.form->mapFromGlobal(frame->pos());
        p.setClipRegion(frame->mask().translated(at));
        p.drawImage(at, frame->Content());
    }
    save(shot, "focus-frame");
    // Just outside the cell the frame shows: bluer than the grid was there;
    // inside the cell the grid is untouched.
    const QPoint cellOnForm = g.viewport()->mapTo(w.form.get(), QPoint(cell.Left, cell.Top));
    const QColor outside = shot.pixelColor(cellOnForm + QPoint(cell.Width() / 2, -2));
    const QColor was = base.pixelColor(cellOnForm + QPoint(cell.Width() / 2, -2));
    EXPECT_NE(outside.rgb(), was.rgb());
    EXPECT_GE(outside.blue(), outside.red()) << "tinted towards the frame colour $FDD397";
    const QPoint inside = cellOnForm + QPoint(cell.Width() / 2, cell.Height() / 2);
    EXPECT_EQ(shot.pixelColor(inside).rgb(), base.pixelColor(inside).rgb());
    g.HideFocusWindow();
}

namespace {

// The colour most pixels of `r` in `img` have.
QColor mostCommon(const QImage& img, const QRect& r)
{
    QHash<QRgb, int> n;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            ++n[img.pixel(x, y)];
    QRgb best = 0;
    int most = -1;
    for (auto it = n.cbegin(); it != n.cend(); ++it)
        if (it.value() > most) {
            most = it.value();
            best = it.key();
        }
    return QColor::fromRgb(best);
}

} // namespace

// The combo editors, like the text editor, take the colour of the cell they
// edit: a white cell stays white under an open edit combo, also in the flat
// looks, where the combo would otherwise take the grid's background.
TEST(EditorLooks, ComboEditorsTakeTheCellsColour)
{
    for (const TEditorType kind : {edComboEdit, edComboList}) {
        SCOPED_TRACE(int(kind));
        Window w;
        TFxStringGrid& g = *w.grid;
        g.SetColWidths(1, 140);
        g.SetRowHeights(1, 24);
        g.Events().OnGetEditorType = [kind](QObject*, int col, int row, TEditorType& e) {
            if (col == 1 && row == 1)
                e = kind;
        };
        g.Events().OnGetEditorProp = [](QObject* s, int, int, QObject*) {
            auto* grid = static_cast<TFxStringGrid*>(s);
            grid->ClearComboString();
            grid->AddComboString("alpha");
        };
        g.SetColor(clWhite);
        g.SetLook(glOffice2007);
        g.SetCells(1, 1, "alpha");
        g.SetCol(1);
        g.SetRow(1);
        w.key(Qt::Key_F2);
        QWidget* combo = g.EditCtrl();
        ASSERT_NE(combo, nullptr);
        Window::settle();
        const QImage face = combo->grab().toImage();
        // The face left of the drop button, inside the frame (a focused list
        // shows its item highlighted there, as list combos do).
        const QRect inner(3, 3, face.width() - 30, face.height() - 6);
        if (kind == edComboEdit)
            EXPECT_EQ(mostCommon(face, inner).rgb(), QColor(Qt::white).rgb());
        else
            EXPECT_EQ(mostCommon(face, inner).rgb(), ToQColor(clHighlight).rgb());
        // The drop button shows its arrow, whichever text the face shows.
        int dark = 0;
        for (int y = 3; y < face.height() - 3; ++y)
            for (int x = face.width() - 14; x < face.width() - 2; ++x)
                dark += qGray(face.pixel(x, y)) < 128;
        EXPECT_GE(dark, 4) << "the arrow of the drop button";
        save(grab(w), kind == edComboEdit ? "editor-combo-edit" : "editor-combo-list");
    }
}

// With the focus helper on, opening an editor by key lays the frame around
// the cell while the editor keeps the keyboard; the end of the edit takes it
// away. The picture composes the frame over the window as the desktop does.
TEST(EditorLooks, FocusFrameAroundTheOpenEditor)
{
    Window w(true);
    TFxStringGrid& g = *w.grid;
    g.FocusHelper().SetEnabled(true);
    g.SetColWidths(1, 140);
    g.SetRowHeights(2, 24);
    g.SetCells(1, 2, "framed");
    g.SetCol(1);
    g.SetRow(2);
    w.key(Qt::Key_F2);
    w.type("x");
    Window::settle();
    TGridFocusWindow* frame = g.FocusWindow();
    ASSERT_NE(frame, nullptr);
    ASSERT_TRUE(frame->isVisible());
    ASSERT_TRUE(g.EditMode());
    ASSERT_NE(g.NormalEdit(), nullptr);
    EXPECT_EQ(w.focus(), static_cast<QWidget*>(g.NormalEdit())) << "the editor keeps the keyboard";
    EXPECT_EQ(g.NormalEdit()->Text(), "framedx");
    const TRect cell = g.CellRect(1, 2);
    EXPECT_EQ(frame->geometry(), QRect(g.viewport()->mapToGlobal(QPoint(cell.Left - 4, cell.Top - 4)),
                                       QSize(cell.Width() + 9, cell.Height() + 9)));
    QImage shot = grab(w).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    {
        QPainter p(&shot);
        const QPoint at = w.form->mapFromGlobal(frame->pos());
        p.setClipRegion(frame->mask().translated(at));
        p.drawImage(at, frame->Content());
    }
    save(shot, "focus-frame-editor");
    const QPoint cellOnForm = g.viewport()->mapTo(w.form.get(), QPoint(cell.Left, cell.Top));
    const QColor above = shot.pixelColor(cellOnForm + QPoint(cell.Width() / 2, -2));
    EXPECT_GE(above.blue(), above.red()) << "tinted towards the frame colour";
    w.key(Qt::Key_Return);
    EXPECT_FALSE(g.EditMode());
    EXPECT_FALSE(frame->isVisible());
}

// A data image cell made with image 1 shows image 1, and the image picker
// opened on it marks image 1: the cell's number is the image both go by.
TEST(EditorLooks, DataImageCellShowsTheImageThePickerMarks)
{
    Window w;
    TFxStringGrid& g = *w.grid;
    TImageList images(16, 16);
    const QRgb colours[] = {0xC00000u, 0x00C000u, 0x0000C0u};
    for (QRgb c : colours) {
        TBitmap b(16, 16);
        b.Canvas().Brush().Color = RGBToColor(qRed(c), qGreen(c), qBlue(c));
        b.Canvas().FillRect(TRect(0, 0, 16, 16));
        images.Add(b);
    }
    g.SetGridImages(&images);
    g.SetColWidths(1, 60);
    g.SetRowHeights(1, 24);
    g.AddDataImage(1, 1, 1, haLeft, vaTop);
    ASSERT_EQ(g.Cells(1, 1), "1");
    const TRect cell = g.CellRect(1, 1);
    const QImage shot = g.viewport()->grab(QRect(cell.Left, cell.Top, cell.Width(), cell.Height())).toImage();
    auto count = [&](QRgb c) {
        int n = 0;
        for (int y = 0; y < shot.height(); ++y)
            for (int x = 0; x < shot.width(); ++x)
                n += (shot.pixel(x, y) & 0xFFFFFF) == c;
        return n;
    };
    EXPECT_GT(count(colours[1]), 100) << "image 1 is drawn";
    EXPECT_EQ(count(colours[2]), 0) << "not image 2";
    g.Events().OnGetEditorType = [](QObject*, int col, int row, TEditorType& e) {
        if (col == 1 && row == 1)
            e = edImagePickerDropDown;
    };
    g.SetCol(1);
    g.SetRow(1);
    w.key(Qt::Key_F2);
    auto* picker = dynamic_cast<TFxImagePickerDropDown*>(FxGridDropDown::Editor(g, edImagePickerDropDown));
    ASSERT_NE(picker, nullptr);
    EXPECT_EQ(picker->ImageIndex(), 1) << "the picker marks the image the cell shows";
    w.key(Qt::Key_Escape);
    g.SetGridImages(nullptr);
}

// The editors of the kinds the table windows and the spin columns use, each
// opened by key in its cell: the text editor, the four spin kinds and the two
// combo kinds cover their cell and paint over it; a data check box is its
// cell's own box, ticked by Space; the combos' lists open with Alt+Down. With GRID_SHOTS_DIR set the pictures are kept.
TEST(EditorLooks, CellEditorsOpenByKey)
{
    struct Case {
        const char* name;
        TEditorType kind;
        QString cell;
    } cases[] = {
        {"text", edNormal, "some text"},
        {"spin-int", edSpinEdit, "42"},
        {"spin-float", edFloatSpinEdit, "2.5"},
        {"spin-time", edTimeSpinEdit, "10:30:00"},
        {"spin-date", edDateSpinEdit, DateToStr(EncodeDate(2024, 6, 15))},
        {"combo-edit-open", edComboEdit, "beta"},
        {"combo-list-open", edComboList, "beta"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Window w(true);
        auto& g = static_cast<TFxColumnGrid&>(*w.grid);
        g.SetColWidths(1, 150);
        g.SetRowHeights(1, 24);
        g.Columns()[1]->SetEditor(c.kind);
        g.Columns()[1]->SetHeader("Value");
        for (const char* s : {"alpha", "beta", "gamma"})
            g.Columns()[1]->ComboItems().Add(s);
        g.SetCells(1, 1, c.cell);
        g.SetCells(1, 2, "below");
        g.SetCol(1);
        g.SetRow(1);
        const QImage before = grab(w);
        w.key(Qt::Key_F2);
        ASSERT_TRUE(g.EditMode());
        QWidget* editor = c.kind == edNormal ? static_cast<QWidget*>(g.NormalEdit()) : g.EditCtrl();
        ASSERT_NE(editor, nullptr);
        ASSERT_TRUE(editor->isVisible());
        EXPECT_TRUE(editor == w.focus() || editor->isAncestorOf(w.focus())) << "the editor has the keyboard";
        const TRect cell = g.CellRect(1, 1);
        const QRect onForm(g.viewport()->mapTo(w.form.get(), QPoint(cell.Left, cell.Top)),
                           QSize(cell.Width() - 1, cell.Height() - 1));
        const QRect placed(editor->mapTo(w.form.get(), QPoint(0, 0)), editor->size());
        EXPECT_EQ(placed, onForm) << "covers its cell less the grid lines";
        QImage open = grab(w);
        EXPECT_GT(changed(before, open, onForm), 0) << "paints over it";
        if (auto* combo = qobject_cast<QComboBox*>(editor)) {
            w.key(Qt::Key_Down, Qt::AltModifier);
            QWidget* list = QApplication::activePopupWidget();
            ASSERT_NE(list, nullptr) << "Alt+Down opens the list";
            // An edit combo's list hangs below its text; a list-only one
            // lies over the combo with its current item in the cell.
            if (combo->isEditable())
                EXPECT_GE(list->geometry().top(), combo->mapToGlobal(QPoint(0, combo->height())).y() - 1);
            else
                EXPECT_TRUE(list->geometry().contains(combo->mapToGlobal(combo->rect().center())));
            // The desktop shows the list window over the form.
            QPainter p(&open);
            p.drawImage(w.form->mapFromGlobal(list->mapToGlobal(QPoint(0, 0))), list->grab().toImage());
        }
        save(open, QStringLiteral("editor-%1").arg(c.name));
        w.key(Qt::Key_Escape);
        if (QApplication::activePopupWidget())
            w.key(Qt::Key_Escape);
    }
    // The data check box: no editor, its own box ticked by Space.
    Window w(true);
    auto& g = static_cast<TFxColumnGrid&>(*w.grid);
    g.Columns()[1]->SetEditor(edDataCheckBox);
    g.SetCells(1, 1, "N");
    g.SetCol(1);
    g.SetRow(1);
    const QImage before = grab(w);
    w.key(Qt::Key_Space);
    EXPECT_EQ(g.Cells(1, 1), "Y");
    EXPECT_FALSE(g.EditMode());
    const QImage ticked = grab(w);
    const TRect cell = g.CellRect(1, 1);
    const QRect onForm(g.viewport()->mapTo(w.form.get(), QPoint(cell.Left, cell.Top)), QSize(cell.Width(), cell.Height()));
    EXPECT_GT(changed(before, ticked, onForm), 0) << "the tick is drawn";
    save(ticked, "editor-datacheckbox");
}
