// Alignment and text extent of a cell, the placement of rotated text and the
// rendering of rich-text cells: what painting, auto-size, printing and the
// in-place editors share.
#include "grid/model/FxGrid.h"
#include "grid/paint/FxGridPaint_p.h"

#include "framework/Canvas.h"
#include "framework/RichText.h"
#include "grid/foundation/FxOptions.h"
#include "grid/foundation/FxUtilText.h"
#include "grid/foundation/SgHTMLE.h"
#include "grid/foundation/SgHTMLEUtil.h"
#include "grid/paint/FxGridPaintUtil.h"

#include <algorithm>
#include <cmath>

fw::TSize FxMeasureTextLines(TFxStringGrid& g, fw::TCanvas& canvas, const QString& text)
{
    QString rest = text;
    int lines = 0, widest = 0;
    do {
        QString line;
        TakeFirstLine(rest, g.Multilinecells(), line);
        if (g.URLShow() && !g.URLFull())
            StripUrlScheme(line);
        widest = std::max(widest, canvas.TextWidth(line));
        ++lines;
    } while (g.Multilinecells() && !rest.isEmpty());
    return fw::TSize(widest, canvas.TextHeight(QStringLiteral("gh")) * lines);
}

using fw::TRect;

namespace {

QString ReadFormula(TFxStringGrid& grid, int ACol, int ARow, const QString& text)
{
    QString value = text;
    grid.ReadCellText(ACol, ARow, value);
    return value;
}

} // namespace

int TFxStringGrid::TotalXOffset() const
{
    return XYOffsetTopLeftOnly() ? XYOffset().X : 2 * XYOffset().X;
}

int TFxStringGrid::TotalYOffset() const
{
    return XYOffsetTopLeftOnly() ? XYOffset().Y : 2 * XYOffset().Y;
}

int TFxStringGrid::MaxLinesInRow(int ARow) const
{
    if (!Multilinecells())
        return 1;
    int lines = 1;
    for (int c = 0; c < ColCount(); ++c)
        lines = std::max(lines, int(Cells(RealColIndex(c), ARow).count(QLatin1Char('\r'))) + 1);
    return lines;
}

int TFxStringGrid::MaxColTextLength(int ACol)
{
    int longest = 0;
    for (int r = 0; r < RowCount(); ++r) {
        QString text;
        GetCellForSave(ACol, r, text);
        const QStringList lines = Multilinecells() ? text.split(QLatin1Char('\r')) : QStringList{text};
        for (QString line : lines) {
            if (line.startsWith(QLatin1Char('\n')))
                line.remove(0, 1);
            longest = std::max(longest, int(line.size()));
        }
    }
    return longest;
}

void TFxStringGrid::GetCellAlignment(int ACol, int ARow, fw::TAlignment& HAlign, TVAlignment& VAlign)
{
    HAlign = DefaultAlignment();
    VAlign = VAlignment();
    QString text = Cells(ACol, ARow);
    const bool formula = text.startsWith(QLatin1Char('=')) ||
                         (text.size() > 3 && text.startsWith(QLatin1String("|\\")) && text.at(3) == u'=');
    if (AutoNumAlign()) {
        if (formula)
            text = ReadFormula(*this, ACol, ARow, text);
        const int kind = NumericTextKind(text.trimmed());
        if (kind == ntkInteger || kind == ntkDecimal || kind == ntkExponent)
            HAlign = fw::taRightJustify;
    }
    if (!formula && CellPropertiesAssigned(ACol, ARow))
        HAlign = GridObjects(ACol, ARow)->Alignment();
    DoGetAlignment(ACol, ARow, HAlign, VAlign);
}

fw::TSize TFxStringGrid::GetCellTextSize(int ACol, int ARow, bool DropDown, bool WordWrapInCell)
{
    return CalcCellTextSize(ACol, DisplColIndex(ACol), ARow, DropDown, WordWrapInCell);
}

fw::TSize TFxStringGrid::CalcCellTextSize(int RealCol, int DisplCol, int ARow, bool DropDown, bool WordWrapInCell)
{
    // 1. text
    QString text = GetFormattedCell(RealCol, ARow);
    int kind = CellTextKind(text, EnableHTML());

    // 2. font
    fw::TFont font;
    fw::TBrush brush;
    fw::TGridDrawState state = 0;
    GetFontProperties(DisplCol, RealCol, ARow, state, font, brush, false);
    if ((DisplCol < FixedCols() || ARow < FixedRows()) && ActiveCellShow() &&
        ActiveCellFont().Style.Contains(fw::fsBold))
        font.Style.Include(fw::fsBold);
    font.Size += ZoomFactor();
    if (kind == ctkFormula) {
        text = ReadFormula(*this, RealCol, ARow, text);
        kind = CellTextKind(text, EnableHTML());
    }
    fw::TCanvas& canvas = Canvas();
    const fw::TFont savedFont = canvas.Font();
    canvas.Font() = font;

    // 3. the rectangle the text has
    TRect r = CellRect(DisplCol, ARow);
    const fw::TPoint off = XYOffset();
    if (XYOffsetTopLeftOnly()) {
        r.Left += off.X;
        r.Top += off.Y;
    } else {
        r = TRect(r.Left + off.X, r.Top + off.Y, r.Right - off.X, r.Bottom - off.Y);
    }
    if (DropDown)
        r.Right -= 17;

    fw::TSize size;
    int angle = 0;
    const bool rotated = IsRotated(RealCol, ARow, angle);
    fw::TRichText rich;
    if (kind == ctkHtml) {
        // 4. HTML: the renderer measures it
        if (!WordWrapInCell)
            r.Right = 65535;
        r.Bottom = 65535;
        QString anchor, stripped, focusAnchor, title, controlID, controlValue, controlType;
        int w = 0, h = 0, links = 0, mouseLink = 0;
        TRect hover, controlRect;
        RenderHtmlText(canvas, text, r, GetCellImageList(RealCol, ARow), 0, 0, -1, -1, 1, false, true, false, false,
                       false, false, !EnhTextSize(), false, 1.0, URLColor(), fw::clNone, fw::clNone, fw::clGray,
                       anchor, stripped, focusAnchor, title, w, h, links, mouseLink, hover, controlRect, controlID,
                       controlValue, controlType, &ImageCache(), PictureContainer(), this, bdLeftToRight);
        size = fw::TSize(w + 2, h + 2);
    } else {
        // 5. rich text: measured as its plain text, then laid out below
        if (kind == ctkRichText) {
            rich = fw::TRichText::FromRtf(text);
            text = rich.PlainText();
        }
        if (WordWrapInCell) {
            // 6. word wrap
            r = TRect(r.Left + 2, r.Top + 2, r.Right - 2, r.Bottom - 2);
            if (EditorMode() && RealCol == RealColIndex(Col()) && ARow == Row() && text.endsWith(QLatin1Char('\n')))
                text += QLatin1Char('w');
            const unsigned flags = fw::DT_EDITCONTROL | fw::DT_NOPREFIX | fw::DT_CALCRECT | fw::DT_EXPANDTABS |
                                   (rotated ? fw::DT_SINGLELINE : fw::DT_WORDBREAK);
            const int height = canvas.DrawText(text, r, flags);
            size = fw::TSize(r.Right - r.Left, height);
        } else {
            // 7. line by line
            size = FxMeasureTextLines(*this, canvas, text);
        }
    }

    // 8. rotated text: the bounding box of the turned extent
    if (rotated) {
        const double a = angle * M_PI / 180.0;
        const int x = size.cx, y = size.cy;
        size.cx = std::abs(int(std::trunc(x * std::cos(a)))) + std::abs(int(std::trunc(y * std::sin(a)))) + 12;
        size.cy = std::abs(int(std::trunc(x * std::sin(a)))) + std::abs(int(std::trunc(y * std::cos(a)))) + 12;
    }

    // 9. rich text: the laid-out extent
    if (kind == ctkRichText) {
        const fw::TSize need = rich.RequiredSize(font, r.Width(), WordWrap());
        size = fw::TSize(need.cx, need.cy + 4);
    }
    canvas.Font() = savedFont;
    return size;
}

void TFxStringGrid::CalcRotatedTextPos(fw::TCanvas& Canvas, TRect& R, int Angle, int VAlign, int HAlign,
                                       const QString& Text)
{
    const fw::TSize extent = Canvas.TextExtent(Text);
    R = TRect(R.Left + 2, R.Top + 2, R.Right - 2, R.Bottom - 2);
    const double rad = Angle * M_PI / 180.0;
    const double sn = std::sin(rad), cs = std::cos(rad);
    const int a = std::abs(int(std::trunc(extent.cy * cs)));
    const int b = std::abs(int(std::trunc(extent.cx * sn)));
    const int c = std::abs(int(std::trunc(extent.cy * sn)));
    const int d = std::abs(int(std::trunc(extent.cx * cs)));
    RotatedTextOrigin(R, HAlign, VAlign, a, b, c, d, Angle);
}

void TFxStringGrid::DrawRichTextCell(int ACol, int ARow, const TRect& R, fw::TCanvas& Canvas)
{
    const int RC = RealColIndex(ACol);
    const fw::TRichText rich = fw::TRichText::FromRtf(GetCellEx(RC, ARow));

    // Selection colouring, on the screen only and unless the rich text keeps its colours.
    fw::TColor textColor = fw::clNone;
    if (!SelectionRTFKeep() && Canvas.MapMode() == fw::mmText) {
        const TMouseActions& ma = MouseActions();
        const fw::TGridRect sel = Selection();
        const bool focusedCurrent = ACol == Col() && ARow == Row() && Focused() &&
                                    !(Options() & fw::goDrawFocusSelected);
        bool selected = false;
        if (ma.DisjunctRowSelect())
            selected = ARow < RowCount() && RowSelect(ma.RowSelectPersistent() ? RealRowIndex(ARow) : ARow);
        else
            selected = CellInGridRect(sel, ACol, ARow) && !focusedCurrent;
        if (!selected && ma.DisjunctColSelect())
            selected = ACol < ColCount() && ColSelect(ACol);
        if (selected && SelectionTextColor() != fw::clNone)
            textColor = SelectionTextColor();
    }

    const int e = XYOffset().X;
    const TRect area(R.Left + e, R.Top + e, R.Right - e, R.Bottom - e);
    if (area.Width() <= 0 || area.Height() <= 0)
        return;
    rich.Draw(Canvas, area, Canvas.Font(), WordWrap(), textColor);
}
