// Anchors in cells: a press on a link jumps inside the grid ("CELL://R3C2")
// or opens a web or mail address through the desktop; nothing else opens.
#include "grid/model/FxGrid.h"
#include "grid/interact/FxGridInteract_p.h"

#include "framework/Canvas.h"
#include "framework/Dialogs.h"
#include "grid/foundation/FxUtilText.h"
#include "grid/foundation/SgHTMLE.h"
#include "grid/foundation/SgHTMLEUtil.h"

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

bool TFxStringGrid::HandleAnchorPress(int ACol, int ARow, int X, int Y)
{
    const int c = RealColIndex(ACol);
    const QString text = GetCellEx(c, ARow);
    const bool html = EnableHTML() && CellTextKind(text, true) == ctkHtml;
    if (!URLShow() && !html)
        return false;
    QString anchor;
    if (!html) {
        if (!LooksLikeUrl(text))
            return false;
        anchor = text;
    } else {
        TRect r = CellRect(ACol, ARow);
        const TPoint off = XYOffset();
        r.Left += 1 + off.X;
        r.Top += 1 + off.Y;
        r.Right -= off.X;
        QString stripped, focusAnchor, title, ctrlId, ctrlValue, ctrlType;
        int w = 0, h = 0, links = 0, mouseLink = -1;
        TRect hover, ctrlRect;
        Canvas().Font() = GetCellFont(c, ARow);
        RenderHtmlText(Canvas(), text, r, nullptr, X, Y, -1, -1, 1, true, false, false, false, false, false,
                       true, false, 1.0, URLColor(), clNone, clNone, clNone, anchor, stripped, focusAnchor, title, w,
                       h, links, mouseLink, hover, ctrlRect, ctrlId, ctrlValue, ctrlType, nullptr, nullptr, this,
                       bdLeftToRight);
        if (anchor.isEmpty())
            return false;
    }
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
