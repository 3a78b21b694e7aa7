// Rich-text cells: the cell's RTF document into the rich edit and back,
// with characters beyond the first 256 among them, and the rich-text editor
// driven through the editing cycle of a grid cell.
#include "GridUi.h"

#include "framework/RichText.h"
#include "grid/interact/FxRichEdit.h"
#include "grid/model/FxSizeWhileTyping.h"

#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QTextCursor>

using gridui::Window;
using namespace fw;

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace {

// "Привет" in bold, then " 世界 ok" plain, then a second paragraph with a
// superscript "²".
QString SampleRtf()
{
    TRichRun bold;
    bold.Text = QStringLiteral("Привет");
    bold.Style.Include(fsBold);
    TRichRun plain;
    plain.Text = QStringLiteral(" 世界 ok");
    TRichRun base;
    base.Text = QStringLiteral("x");
    TRichRun sup;
    sup.Text = QStringLiteral("²");
    sup.VOffset = 1;
    return TRichText::FromParagraphs({{bold, plain}, {base, sup}}).ToRtf();
}

// Characters beyond ASCII as a keyboard layout delivers them.
void typeText(QWidget* w, const QString& text)
{
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &press);
    }
}

bool OneBytePerCharacter(const QString& s)
{
    for (QChar c : s)
        if (c.unicode() > 255)
            return false;
    return true;
}

} // namespace

TEST(RichCells, CellToRichAndBackKeepTheDocument)
{
    Window w;
    TFxStringGrid& g = *w.grid;
    TFxRichEdit& re = g.RichEdit();

    // Empty and plain cells.
    g.SetCells(1, 1, "");
    re.setPlainText("left over");
    g.CellToRich(1, 1, re);
    EXPECT_TRUE(re.toPlainText().isEmpty());
    g.SetCells(1, 1, "abc");
    g.CellToRich(1, 1, re);
    EXPECT_EQ(re.toPlainText(), "abc");

    // A document with Cyrillic, Chinese and a superscript makes the round
    // trip cell -> editor -> cell -> editor unchanged, one byte per character.
    const QString rtf = SampleRtf();
    ASSERT_TRUE(OneBytePerCharacter(rtf));
    g.SetCells(1, 1, rtf);
    g.CellToRich(1, 1, re);
    EXPECT_EQ(re.Text(), QStringLiteral("Привет 世界 ok\r\nx²"));
    g.RichToCell(2, 1, re);
    const QString back = g.Cells(2, 1);
    EXPECT_TRUE(OneBytePerCharacter(back)) << back.toStdString();
    EXPECT_EQ(TRichText::FromRtf(back).Paragraphs(), TRichText::FromRtf(rtf).Paragraphs());
    g.CellToRich(2, 1, re);
    EXPECT_EQ(g.RichToString(re), back);

    // A cell document written with wide characters in it (not one byte per
    // character) still reads them whole.
    g.SetCells(1, 2, QStringLiteral("{\\rtf1\\ansi {\\b Ελληνικά} text}"));
    g.CellToRich(1, 2, re);
    EXPECT_EQ(re.Text(), QStringLiteral("Ελληνικά text"));
    EXPECT_EQ(TRichText::FromRtf(g.RichToString(re)).Paragraphs().front().front().Text, QStringLiteral("Ελληνικά"));
}

TEST(RichCells, SelectionOffsetsTable)
{
    Window w;
    TFxRichEdit& re = w.grid->RichEdit();
    re.LoadRtf("{\\rtf1 abcdef}");
    QTextCursor c = re.textCursor();
    c.setPosition(1);
    c.setPosition(3, QTextCursor::KeepAnchor);
    re.setTextCursor(c);
    struct Step {
        void (TRichEdit::*set)();
        bool normal, sub, super;
    } steps[] = {
        {&TRichEdit::SelSuperscript, false, false, true},
        {&TRichEdit::SelSubscript, false, true, false},
        {&TRichEdit::SelNormal, true, false, false},
    };
    for (const Step& s : steps) {
        (re.*s.set)();
        EXPECT_EQ(re.IsSelNormal(), s.normal);
        EXPECT_EQ(re.IsSelSubscript(), s.sub);
        EXPECT_EQ(re.IsSelSuperscript(), s.super);
    }
    re.SelSuperscript();
    const TRichText doc = TRichText::FromRtf(re.Rtf());
    const auto& runs = doc.Paragraphs().front();
    ASSERT_EQ(runs.size(), 3u);
    EXPECT_EQ(runs[1].Text, "bc");
    EXPECT_EQ(runs[1].VOffset, 1);
}

TEST(RichEditor, EditingCycleOfARichCell)
{
    struct Case {
        const char* name;
        Qt::Key end;
        bool changed;
    } cases[] = {{"Enter would break the line: Tab with goTabs ends", Qt::Key_Tab, true},
                 {"Escape gives the document back as it was", Qt::Key_Escape, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Window w;
        TFxStringGrid& g = *w.grid;
        g.SetOptions(g.Options() | goTabs);
        g.Events().OnGetEditorType = [](QObject*, int, int, TEditorType& e) { e = edRichEdit; };
        const QString rtf = SampleRtf();
        g.SetCells(1, 1, rtf);
        g.SetCol(1);
        g.SetRow(1);
        w.key(Qt::Key_F2);
        auto* re = qobject_cast<TFxRichEdit*>(w.focus());
        ASSERT_NE(re, nullptr) << "the rich editor has the focus";
        EXPECT_EQ(re, &g.InplaceRichEdit());
        EXPECT_EQ(re->Text(), QStringLiteral("Привет 世界 ok\r\nx²"));
        re->moveCursor(QTextCursor::End);
        Window::settle();
        typeText(re, QStringLiteral("ß€"));
        Window::settle();
        EXPECT_EQ(g.Cells(1, 1), rtf) << "nothing reaches the cell while typing";
        w.key(c.end);
        if (c.end == Qt::Key_Tab) {
            // The grid moved on and opened the editor of the next cell.
            EXPECT_EQ(g.Col(), 2);
            EXPECT_TRUE(re->isVisible());
            EXPECT_EQ(re->geometry().topLeft(), QPoint(g.CellRect(2, 1).Left, g.CellRect(2, 1).Top));
            w.key(Qt::Key_Escape);
            EXPECT_TRUE(g.Cells(2, 1).isEmpty()) << "Escape left the next cell empty";
        }
        EXPECT_FALSE(re->isVisible());
        const QString after = g.Cells(1, 1);
        if (!c.changed) {
            EXPECT_EQ(after, rtf);
            continue;
        }
        EXPECT_TRUE(OneBytePerCharacter(after));
        const TRichText doc = TRichText::FromRtf(after);
        EXPECT_EQ(doc.PlainText(), QStringLiteral("Привет 世界 ok\r\nx²ß€"));
        EXPECT_TRUE(doc.Paragraphs().front().front().Style.Contains(fsBold)) << "the bold run stays bold";
    }
}

TEST(RichEditor, RowGrowsWithTheLinesTyped)
{
    Window w;
    TFxStringGrid& g = *w.grid;
    g.SizeWhileTyping().Height = true;
    g.Events().OnGetEditorType = [](QObject*, int, int, TEditorType& e) { e = edRichEdit; };
    QList<int> sized;
    g.Events().OnEndRowSize = [&](QObject*, int r) { sized << r; };
    g.SetCol(1);
    g.SetRow(1);
    const int before = g.RowHeights(1);
    w.key(Qt::Key_F2);
    TFxRichEdit& re = g.InplaceRichEdit();
    ASSERT_TRUE(re.isVisible());
    for (int i = 0; i < 3; ++i) {
        QTest::keyClicks(&re, "line");
        QTest::keyClick(&re, Qt::Key_Return);
        Window::settle();
    }
    EXPECT_GT(g.RowHeights(1), before);
    EXPECT_EQ(g.RowHeights(1), re.RequiredSize().cy + 10);
    EXPECT_FALSE(sized.isEmpty());
    EXPECT_EQ(sized.back(), 1);

    // It stops before the cell would pass the grid's bottom edge.
    const int top = g.CellRect(1, 1).Top;
    int last = -1;
    for (int i = 0; i < 60 && g.RowHeights(1) != last; ++i) {
        last = g.RowHeights(1);
        for (int j = 0; j < 3; ++j) {
            QTest::keyClicks(&re, "more");
            QTest::keyClick(&re, Qt::Key_Return);
        }
        Window::settle();
    }
    EXPECT_EQ(g.RowHeights(1), last) << "the row stopped growing";
    EXPECT_GT(re.RequiredSize().cy + 10, g.RowHeights(1)) << "with more lines than it shows";
    EXPECT_LE(top + g.RowHeights(1), g.height() + 5);
}
