// An application's own cell editor (edCustom) through its editor link: in
// the cell and on its popup window, the keys it keeps and the keys that end
// the edit, Escape, a refused value, and the popup's place.
#include "GridUi.h"

#include "grid/interact/FxEditLink.h"
#include "grid/model/FxCGrid.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPointer>

using gridui::Window;
using namespace fw;

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace {

// A link whose control is a line edit, made and destroyed as the grid asks.
class TLineLink : public TEditLink {
public:
    using TEditLink::TEditLink;
    QWidget* GetEditControl() override { return FEdit; }
    void CreateEditor(QWidget* parent) override
    {
        if (!FEdit)
            FEdit = new QLineEdit(parent);
        ++created;
    }
    void DestroyEditor() override
    {
        delete FEdit.data();
        ++destroyed;
    }
    QString GetEditorValue() override { return FEdit ? FEdit->text() : QString(); }
    void SetEditorValue(const QString& v) override
    {
        if (FEdit)
            FEdit->setText(v);
    }
    QLineEdit* Edit() const { return FEdit; }
    int created = 0, destroyed = 0;

private:
    QPointer<QLineEdit> FEdit;
};

struct LinkWindow : Window {
    TLineLink link;
    LinkWindow()
    {
        grid->Events().OnGetEditorType = [](QObject*, int, int, TEditorType& e) { e = edCustom; };
        grid->SetEditLink(&link);
        for (int r = 1; r < 5; ++r)
            grid->SetCells(1, r, QStringLiteral("r%1").arg(r));
        grid->SetCol(1);
        grid->SetRow(2);
    }
};

} // namespace

TEST(EditLink, EditingCycleInTheCell)
{
    struct Case {
        const char* name;
        Qt::Key end;
        const char* cell;   // cell (1, 2) afterwards
        int row;            // the current row afterwards
    } cases[] = {
        {"Enter writes", Qt::Key_Return, "r2x", 2},
        {"Escape gives the old text back", Qt::Key_Escape, "r2", 2},
        {"Down writes and moves", Qt::Key_Down, "r2x", 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LinkWindow w;
        TFxStringGrid& g = *w.grid;
        gridui::Recorder rec(g);
        w.key(Qt::Key_F2);
        QLineEdit* ed = w.link.Edit();
        ASSERT_NE(ed, nullptr);
        EXPECT_EQ(w.focus(), ed);
        EXPECT_EQ(w.link.Grid(), &g);
        EXPECT_EQ(w.link.EditCell(), TPoint(1, 2));
        EXPECT_EQ(ed->text(), "r2");
        const TRect r = g.CellRect(1, 2);
        EXPECT_EQ(ed->geometry(), QRect(r.Left, r.Top, r.Width() - g.GridLineWidth(), r.Height() - g.GridLineWidth()));
        ed->end(false);
        w.type("x");
        w.key(c.end);
        EXPECT_FALSE(ed->isVisible());
        EXPECT_FALSE(g.EditMode());
        EXPECT_EQ(g.Cells(1, 2), c.cell);
        EXPECT_EQ(g.Row(), c.row);
        EXPECT_TRUE(rec.log.contains("EditingDone")) << rec.log.join(" | ").toStdString();
    }
}

TEST(EditLink, WantedKeysStayWithTheControl)
{
    struct Case {
        const char* name;
        bool TEditLink::*want;
        Qt::Key key;
        bool ends;
    } cases[] = {
        {"Up without WantKeyUpDown ends", nullptr, Qt::Key_Up, true},
        {"Up with WantKeyUpDown stays", &TEditLink::WantKeyUpDown, Qt::Key_Up, false},
        {"Left without WantKeyLeftRight ends", nullptr, Qt::Key_Left, true},
        {"Left with WantKeyLeftRight stays", &TEditLink::WantKeyLeftRight, Qt::Key_Left, false},
        {"Home never ends", nullptr, Qt::Key_Home, false},
        {"End without WantKeyHomeEnd ends", nullptr, Qt::Key_End, true},
        {"End with WantKeyHomeEnd stays", &TEditLink::WantKeyHomeEnd, Qt::Key_End, false},
        {"Escape with WantKeyEscape stays", &TEditLink::WantKeyEscape, Qt::Key_Escape, false},
        {"a letter stays", nullptr, Qt::Key_A, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LinkWindow w;
        if (c.want)
            w.link.*c.want = true;
        w.key(Qt::Key_F2);
        ASSERT_NE(w.link.Edit(), nullptr);
        w.key(c.key);
        EXPECT_EQ(w.link.Edit()->isVisible(), !c.ends);
        EXPECT_EQ(w.grid->EditMode(), !c.ends);
        if (c.key == Qt::Key_Up)
            EXPECT_EQ(w.grid->Row(), c.ends ? 1 : 2) << "Up that ends the edit moves the grid";
    }
}

TEST(EditLink, RefusedValueOpensTheEditorAgain)
{
    LinkWindow w;
    TFxStringGrid& g = *w.grid;
    int asked = 0;
    g.Events().OnCellValidate = [&](QObject*, int, int, QString& v, bool& ok) {
        ++asked;
        ok = !v.contains('!');
    };
    w.key(Qt::Key_F2);
    w.link.Edit()->end(false);
    w.type("!");
    w.key(Qt::Key_Return);
    EXPECT_EQ(asked, 1);
    ASSERT_TRUE(w.link.Edit()->isVisible()) << "the refused value reopened the editor";
    EXPECT_TRUE(g.EditMode());
    EXPECT_EQ(g.Row(), 2);
}

TEST(EditLink, PopupWindowAtTheCellOrWhereAsked)
{
    for (bool placed : {false, true}) {
        SCOPED_TRACE(placed ? "placed" : "at the cell");
        LinkWindow w;
        TFxStringGrid& g = *w.grid;
        w.link.SetEditStyle(esPopup);
        w.link.SetPopupWidth(120);
        w.link.SetPopupHeight(30);
        if (placed) {
            w.link.SetPopupLeft(40);
            w.link.SetPopupTop(50);
        }
        w.key(Qt::Key_F2);
        QWidget* form = w.link.PopupForm();
        ASSERT_NE(form, nullptr);
        EXPECT_EQ(form->objectName(), "gridform");
        EXPECT_TRUE(form->isVisible());
        const TRect r = g.CellRect(1, 2);
        const QPoint expected = placed ? QPoint(40, 50) : g.viewport()->mapToGlobal(QPoint(r.Left, r.Top));
        EXPECT_EQ(form->pos(), expected);
        EXPECT_EQ(form->size(), QSize(120, 30));
        ASSERT_NE(w.link.Edit(), nullptr);
        EXPECT_EQ(w.link.Edit()->parentWidget(), form);
        EXPECT_EQ(w.link.Edit()->text(), "r2");
    }
}

TEST(EditLink, PopupLinkKeepsTheValueItsControlHadWhenDestroyed)
{
    LinkWindow w;
    TFxStringGrid& g = *w.grid;
    w.link.SetEditStyle(esPopup);
    w.link.SetPopupWidth(100);
    w.link.SetPopupHeight(24);
    w.key(Qt::Key_F2);
    ASSERT_NE(w.link.Edit(), nullptr);
    w.link.Edit()->setFocus();
    w.link.Edit()->setText("typed");
    QTest::keyClick(w.link.Edit(), Qt::Key_Return);
    Window::settle();
    EXPECT_EQ(w.link.destroyed, 1) << "the popup's control is destroyed with the edit";
    EXPECT_EQ(g.Cells(1, 2), "typed") << "and its value read before that";
    EXPECT_FALSE(w.link.PopupForm()->isVisible());

    // A second link's popup leaves the first one's window alone.
    TLineLink other;
    other.SetEditStyle(esPopup);
    other.SetPopupWidth(80);
    other.SetPopupHeight(20);
    QPointer<QWidget> first = w.link.PopupForm();
    g.SetEditLink(&other);
    g.SetRow(3);
    // The offscreen platform leaves the grid's window inactive after the popup.
    QApplication::setActiveWindow(w.form.get());
    g.setFocus();
    w.key(Qt::Key_F2);
    ASSERT_NE(other.PopupForm(), nullptr);
    EXPECT_NE(other.PopupForm(), first.data());
    EXPECT_FALSE(first.isNull());
    w.key(Qt::Key_Escape);
}

TEST(EditLink, ColumnGridTakesTheColumnsLink)
{
    Window w(true);
    auto& g = static_cast<TFxColumnGrid&>(*w.grid);
    TLineLink link;
    g.Columns().Items(1)->SetEditor(edCustom);
    g.Columns().Items(1)->SetEditLink(&link);
    g.SetCells(1, 1, "col");
    g.SetCol(1);
    g.SetRow(1);
    w.key(Qt::Key_F2);
    ASSERT_NE(link.Edit(), nullptr);
    EXPECT_EQ(link.Edit()->text(), "col");
    EXPECT_EQ(g.EditLink(), &link);
    w.key(Qt::Key_Escape);
}

TEST(EditLink, NoLinkOrNoControlOpensNothingThatHoldsTheKeys)
{
    // A link that makes no control: the grid ends the edit as usual and
    // writes back what the link reports, but nothing takes the focus.
    class TBareLink : public TEditLink {
    public:
        QString GetEditorValue() override { return QStringLiteral("bare"); }
    };
    for (bool withLink : {false, true}) {
        SCOPED_TRACE(withLink ? "link without a control" : "no link");
        Window w;
        TFxStringGrid& g = *w.grid;
        TBareLink link;
        g.Events().OnGetEditorType = [](QObject*, int, int, TEditorType& e) { e = edCustom; };
        if (withLink)
            g.SetEditLink(&link);
        g.SetCells(1, 1, "cell");
        g.SetCol(1);
        g.SetRow(1);
        w.key(Qt::Key_F2);
        EXPECT_EQ(w.focus(), &g) << "the grid keeps the keyboard";
        w.type("x");
        w.key(Qt::Key_Escape);
        EXPECT_FALSE(g.EditMode());
        EXPECT_EQ(g.Cells(1, 1), withLink ? "bare" : "cell") << "the typed key reached no editor";
        w.key(Qt::Key_Down);
        EXPECT_EQ(g.Row(), 2) << "the grid still moves";
    }
}
