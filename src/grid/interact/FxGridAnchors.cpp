// Anchors in cells: a press on a link jumps inside the grid ("CELL://R3C2")
// or opens a web or mail address through the desktop; nothing else opens.
#include "grid/model/FxGrid.h"
#include "grid/interact/FxGridInteract_p.h"

#include "framework/Canvas.h"
#include "framework/Dialogs.h"
#include "grid/foundation/FxUtilText.h"
#include "grid/foundation/SgHTMLE.h"
#include "grid/foundation/SgHTMLEUtil.h"

#include <QToolTip>

using namespace fw;

namespace {

// Only these schemes leave the program; a cell text must never start a
// program or open a local file.
bool IsDesktopAddress(const QString& anchor)
{
    const QString a = anchor.trimmed().toLower();
    return a.startsWith(QLatin1String("http://")) || a.startsWith(QLatin1String("https://")) ||
           a.startsWith(QLatin1String("mailto:"));
}

} // namespace

bool FxHasFormControls(TFxStringGrid& g, int ACol, int ARow)
{
    if (!g.EnableHTML())
        return false;
    const QString t = g.GetCellEx(ACol, ARow);
    return CellTextKind(t, true) == ctkHtml && t.contains(QLatin1String("<CONTROL"), Qt::CaseInsensitive);
}

bool TFxStringGrid::AnchorAt(int ACol, int ARow, int X, int Y, QString& Anchor, QString& Title, int& Link)
{
    Anchor.clear();
    Title.clear();
    Link = -1;
    const int c = RealColIndex(ACol);
    const QString text = GetCellEx(c, ARow);
    const bool html = EnableHTML() && CellTextKind(text, true) == ctkHtml;
    if (!URLShow() && !html)
        return false;
    if (!html) {
        if (!LooksLikeUrl(text))
            return false;
        Anchor = text;
        return true;
    }
    TRect r = CellRect(ACol, ARow);
    const TPoint off = XYOffset();
    r.Left += 1 + off.X;
    r.Top += 1 + off.Y;
    r.Right -= off.X;
    QString stripped, focusAnchor, ctrlId, ctrlValue, ctrlType;
    int w = 0, h = 0, links = 0;
    TRect hover, ctrlRect;
    Canvas().Font() = GetCellFont(c, ARow);
    // Laid out with the pictures the cell is drawn with, so a link on a picture is hit where it shows.
    RenderHtmlText(Canvas(), text, r, GetCellImageList(c, ARow), X, Y, -1, -1, 1, true, false, false, false, false,
                   false, true, false, 1.0, URLColor(), clNone, clNone, clNone, Anchor, stripped, focusAnchor, Title, w,
                   h, links, Link, hover, ctrlRect, ctrlId, ctrlValue, ctrlType, &ImageCache(), PictureContainer(),
                   this, bdLeftToRight);
    return !Anchor.isEmpty();
}

void TFxStringGrid::UpdateAnchorHover(int ACol, int ARow, int X, int Y)
{
    TFxGridInteractState& s = InteractState();
    TPaintFeedback& fb = PaintFeedback();
    QString anchor, title;
    int link = -1;
    const bool hit = ACol >= 0 && ARow >= 0 && AnchorAt(ACol, ARow, X, Y, anchor, title, link);
    // Hovered links are drawn underlined: repaint what changed.
    const TGridCoord cell = hit ? TGridCoord{ACol, ARow} : TGridCoord{-1, -1};
    if (URLUnderlineOnHover() && (!(cell == fb.HoverAnchorCell) || link != fb.HoverAnchor)) {
        const TGridCoord old = fb.HoverAnchorCell;
        fb.HoverAnchorCell = cell;
        fb.HoverAnchor = link;
        if (old.X >= 0 && old.X < ColCount() && old.Y < RowCount())
            RepaintCell(old.X, old.Y);
        if (hit)
            RepaintCell(ACol, ARow);
    }
    if (hit) {
        if (title.isEmpty())
            if (const auto& e = Events().OnAnchorHint)
                e(this, ARow, ACol, title);
        if (title != s.LastAnchorHint && anchor != s.Anchor) {
            QToolTip::hideText();
            s.LastAnchorHint = title;
        }
        if (s.MouseSelectMode == msNormal)
            s.MouseSelectMode = msURL;
        if (anchor != s.Anchor) {
            s.Anchor = anchor;
            if (const auto& e = Events().OnAnchorEnter)
                e(this, ARow, ACol, anchor);
        }
        return;
    }
    if (s.MouseSelectMode == msURL)
        s.MouseSelectMode = msNormal;
    if (!s.Anchor.isEmpty()) {
        const QString left = s.Anchor;
        s.Anchor.clear();
        if (const auto& e = Events().OnAnchorExit)
            e(this, ARow, ACol, left);
    }
}

bool TFxStringGrid::HandleAnchorPress(int ACol, int ARow, int X, int Y)
{
    QString anchor, title;
    int link = -1;
    if (!AnchorAt(ACol, ARow, X, Y, anchor, title, link))
        return false;
    bool doDefault = true;
    if (const auto& e = Events().OnAnchorClick)
        e(this, ARow, ACol, anchor, doDefault);
    if (!doDefault)
        return true;
    const int cellPos = anchor.toUpper().indexOf(QLatin1String("CELL://"));
    if (cellPos >= 0) {
        TPoint p;
        // An unparsable reference does nothing.
        if (ParseRowColRef(anchor.mid(cellPos + 7), p) && p.X >= 0 && p.Y >= 0 && p.X < ColCount() &&
            p.Y < RowCount()) {
            SetRow(p.Y);
            SetCol(p.X);
            ScrollInView(p.X, p.Y);
        }
        return true;
    }
    if (IsDesktopAddress(anchor))
        OpenUrl(anchor.trimmed());
    return true;
}
