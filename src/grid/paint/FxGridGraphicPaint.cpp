// The cell graphic after the text: placement in the cell, then one painter
// per kind (pictures, image lists, check boxes, radio buttons and groups,
// tree nodes, progress bars, pies, range bars, buttons, comment marks,
// shapes, ratings), and the tree lines of column 0.
#include "grid/model/FxGrid.h"
#include "grid/paint/FxGridPaint_p.h"

#include "framework/Canvas.h"
#include "framework/SysColors.h"
#include "grid/foundation/FxUtilDraw.h"
#include "grid/foundation/FxUtilText.h"
#include "grid/foundation/FxXPVS.h"
#include "grid/foundation/SgHTMLEUtil.h"
#include "grid/model/FxCellNode.h"
#include "grid/model/FxValueText.h"
#include "grid/paint/FxGridPaintUtil.h"

#include <algorithm>
#include <cmath>

using fw::TColor;
using fw::TPoint;
using fw::TRect;
using fw::clNone;

namespace {

void Line(fw::TCanvas& canvas, TColor color, int x1, int y1, int x2, int y2)
{
    canvas.Pen().Color = color;
    canvas.Pen().Width = 1;
    canvas.Pen().Style = fw::psSolid;
    canvas.MoveTo(x1, y1);
    canvas.LineTo(x2, y2);
}

void DrawGlyph(fw::TCanvas& canvas, const fw::TBitmap& glyph, int x, int y)
{
    if (glyph.Empty())
        return;
    std::unique_ptr<fw::TGraphic> copy = glyph.Clone();
    copy->SetTransparent(true);
    canvas.Draw(x, y, *copy);
}

void DrawNamedGlyph(fw::TCanvas& canvas, const QString& name, int x, int y)
{
    fw::TBitmap glyph;
    if (LoadGridGlyph(name, glyph))
        canvas.Draw(x, y, glyph);
}

// Numbers read while painting never throw: a text that does not read counts as 0.
double CellFloat(TFxStringGrid& grid, int c, int r)
{
    double v = 0;
    return FxCellTextToFloat(StripHtmlTags(grid.Cells(c, r)), v) ? v : 0;
}

int CellInt(TFxStringGrid& grid, int c, int r)
{
    int v = 0;
    return FxCellTextToInt(StripHtmlTags(grid.Cells(c, r)), v) ? v : 0;
}

int NodeLevelOf(TFxStringGrid& grid, int row)
{
    return row >= 0 && row < grid.RowCount() && grid.CellPropertiesAssigned(0, row)
               ? grid.GridObjects(0, row)->NodeLevel()
               : 0;
}

bool IsNodeRow(TFxStringGrid& grid, int row)
{
    return grid.GetCellType(0, row) == ctNode;
}

// 0 on a node row, 2 when the next row still belongs to this row's level, else 1.
int NodeSpanType(TFxStringGrid& grid, int row)
{
    if (IsNodeRow(grid, row))
        return 0;
    if (row >= grid.RowCount() - grid.FixedFooters() - 1)
        return 1;
    return grid.CellPropertiesAssigned(0, row + 1) && NodeLevelOf(grid, row + 1) >= NodeLevelOf(grid, row) ? 2 : 1;
}

} // namespace

void TFxStringGrid::DrawCellGraphic(fw::TCanvas& Canvas, TCellPaintContext& c)
{
    TCellGraphic& g = *c.G;
    const TCellType type = g.CellType();
    const TControlLook& look = ControlLook();
    TRect R = c.R;
    if (type != ctNode && type != ctProgress && type != ctRangeIndicator && type != ctXPProgress) {
        const int dx = XYOffset().X - 1, dy = XYOffset().Y - 1;
        R = TRect(R.Left + dx, R.Top + dy, R.Right - dx, R.Bottom - dy);
    }
    int TW = c.TW;
    if (TW > 0)
        TW += 2;
    const int GW = c.GW, GH = c.GH;
    const int W = R.Width(), H = R.Height();

    // A. placement
    int GL = R.Left + 1, GR = 0, GT = R.Top + 1, GB = 0;
    bool grSet = false, gbSet = false;
    switch (c.GHA) {
    case haLeft: GL = R.Left + 1; break;
    case haRight: GL = R.Right - GW - 1; break;
    case haCenter: GL = GW < W ? R.Left + (W - GW) / 2 : R.Left + 1; break;
    case haFull:
        GL = R.Left;
        GR = R.Right;
        grSet = true;
        break;
    case haBeforeText:
        GL = c.HA == fw::taRightJustify ? R.Right - TW - GW
             : c.HA == fw::taCenter     ? R.Left + (W - TW - GW) / 2
                                        : R.Left + 1;
        GL = std::max(GL, R.Left + 1);
        break;
    case haAfterText:
        GL = c.HA == fw::taRightJustify ? R.Right - GW - 1
             : c.HA == fw::taCenter     ? R.Left + TW + (W - TW - GW) / 2
                                        : R.Left + TW;
        GL = std::max(GL, R.Left + 1);
        break;
    }
    if (!grSet)
        GR = GL + GW;
    TCellVAlign gva = c.GVA;
    const bool boxType = IsCheckBoxType(type) || type == ctRadioButton;
    if (boxType && c.VA != VAlignment())
        gva = c.VA == vtaTop ? vaTop : c.VA == vtaCenter ? vaCenter : vaBottom;
    switch (gva) {
    case vaTop:
    case vaAboveText: GT = R.Top + 1; break;
    case vaBottom: GT = R.Bottom - GH - 1; break;
    case vaCenter: GT = GH < H ? R.Top + (H - GH) / 2 : R.Top + 1; break;
    case vaUnderText:
        GT = R.Bottom - GH;
        GB = R.Bottom;
        gbSet = true;
        break;
    case vaFull:
        GT = R.Top;
        GB = R.Bottom;
        gbSet = true;
        break;
    }
    if (!gbSet)
        GB = GT + GH;

    // Check boxes and radio buttons follow the text alignment.
    auto placeBox = [&](int textWidth) {
        if (c.HA == fw::taRightJustify)
            GL = R.Right - textWidth - GW - 1;
        else if (c.HA == fw::taCenter)
            GL = textWidth < 1 ? R.Left + (W - GW) / 2 : R.Left + std::max(0, W - textWidth) / 2 - GW;
        else
            GL = R.Left + 1;
    };

    bool canEdit = true;
    CanEditCell(c.RC, c.ARow, canEdit);
    const bool selected = (c.State & fw::gdSelected) != 0;

    switch (type) {
    case ctBitmap:
        if (const fw::TBitmap* bmp = g.CellBitmap()) {
            if (isRightToLeft())
                std::swap(GL, GR);
            fw::TBitmap copy;
            copy.Assign(*bmp);
            copy.SetTransparent(g.CellTransparent());
            copy.SetTransparentMode(fw::tmAuto);
            Canvas.Draw(std::min(GL, GR), GT, copy);
        }
        break;
    case ctIcon:
        if (const fw::TIcon* icon = g.CellIcon())
            Canvas.Draw(GL, GT, *icon);
        break;
    case ctImageList:
        if (const fw::TImageList* list = GetCellImageList(c.RC, c.ARow))
            list->Draw(Canvas, GL, GT, g.CellIndex(), true);
        break;
    case ctDataImage:
        if (const fw::TImageList* list = GetCellImageList(c.RC, c.ARow)) {
            // The cell's number names the image, as the image picker, its
            // write-back and the exports read it; the graphic's index is the
            // number the cell started with, not a further offset.
            const int index = CellInt(*this, c.RC, c.ARow);
            if (index >= 0 && index < list->Count())
                list->Draw(Canvas, GL, GT, index, true);
        }
        break;
    case ctImages:
        if (const fw::TImageList* list = GetCellImageList(c.RC, c.ARow))
            if (const TIntList* indexes = g.CellImages())
                for (int i = 0; i < indexes->Count(); ++i) {
                    list->Draw(Canvas, GL, GT, indexes->Items(i), true);
                    if (g.CellBoolean())
                        GL += list->Width();
                    else
                        GT += list->Height();
                }
        break;
    case ctCheckBox:
    case ctRowCheckBox:
        placeBox(TW);
        DrawCheckBox(Canvas, fw::Bounds(GL, GT, GW, GH), g.CellBoolean(), 0, false, look.ControlStyle(),
                     g.CellAngle() > 0, canEdit);
        break;
    case ctDataCheckBox:
    case ctVirtCheckBox: {
        placeBox(0);
        QString checkTrue;
        GetCheckTrue(c.RC, c.ARow, checkTrue);
        DrawCheckBox(Canvas, fw::Bounds(GL, GT, GW, GH), Cells(c.RC, c.ARow) == checkTrue, 0, false,
                     look.ControlStyle(), false, canEdit);
        break;
    }
    case ctTriStateCheckBox:
        placeBox(TW);
        DrawCheckBox(Canvas, fw::Bounds(GL, GT, GW, GH), g.CellCheckBoxState() == cbChecked,
                     int(g.CellCheckBoxState()), true, look.ControlStyle(), g.CellCheckBoxState() == cbGrayed,
                     canEdit);
        break;
    case ctRadioButton: {
        placeBox(TW);
        GL += XYOffset().X;
        const int size = look.RadioSize();
        fw::TStringList none;
        none.Add(QString());
        DrawRadioGroup(Canvas, fw::Bounds(GL, GT, size, size), false, 1.0, look.ControlStyle(), c.ARow, c.RC,
                       selected, nullptr, !canEdit, true, g.CellBoolean() ? 0 : 1, 1);
        break;
    }
    case ctRadio: {
        const fw::TStringList* captions = g.CellStrings();
        DrawRadioGroup(Canvas, R, false, 1.0, look.ControlStyle(), c.ARow, c.RC, selected, captions, !canEdit,
                       g.CellBoolean(), g.CellIndex(), captions ? captions->Count() : 0);
        break;
    }
    case ctRotated: {
        const QString text = Cells(c.RC, c.ARow);
        const fw::TFont saved = Canvas.Font();
        TRect tr = R;
        CalcRotatedTextPos(Canvas, tr, g.CellAngle(), int(c.VA), int(c.HA), text);
        Canvas.Font().Escapement = g.CellAngle() * 10;
        Canvas.Font().Orientation = g.CellAngle() * 10;
        Canvas.SetBkMode(fw::bkTransparent);
        Canvas.TextOut(tr.Left, tr.Top, text);
        Canvas.Font() = saved;
        const TSortLook sort = SortLook();
        if (c.RC == sort.Column && IsSortRow(c.RC, c.ARow))
            DrawSortIndicator(Canvas, c.RC, R.Top + 8, R.Right - 10);
        break;
    }
    case ctNode:
        DrawNodeGlyph(Canvas, c);
        break;
    case ctPicture:
        if (const fw::TPicture* pic = g.CellPicture(); pic && pic->Graphic()) {
            if (g.CellAngle() == noStretch)
                Canvas.Draw(GL, GT, *pic->Graphic());
            else
                Canvas.StretchDraw(TRect(GL, GT, GR, GB), *pic->Graphic());
        }
        break;
    case ctFilePicture:
        if (const TFilePicture* pic = g.CellFilePicture())
            pic->DrawPicture(Canvas, TRect(GL, GT, GR, GB));
        break;
    case ctProgress: {
        const double value = CellFloat(*this, c.RC, c.ARow);
        const TColor done = g.CellColor(), rest = g.CellIconColor();
        const bool themed = (look.ControlStyle() == csWinXP || look.ControlStyle() == csTheme) && IsThemeActive() &&
                            look.ProgressXP();
        if (themed) {
            const TRect bar(R.Left + look.ProgressMarginX(), R.Top + look.ProgressMarginY(),
                            R.Right - look.ProgressMarginX(), R.Bottom - look.ProgressMarginY());
            if (!bar.IsEmpty()) {
                FillRectColor(Canvas, bar, fw::clWindow);
                Canvas.Brush().Color = 0xB0B0B0;
                Canvas.FrameRect(bar);
                const TRect inner = R.Inflated(-2, -2);
                const int w = inner.Width() * ClampPercent(value) / 100;
                if (w > 0 && !inner.IsEmpty())
                    GradientFillRect(Canvas, 0x5CD65C, 0x06B025, 16,
                                     TRect(inner.Left, inner.Top, inner.Left + w, inner.Bottom), false);
            }
        } else {
            const TRect bar = R.Inflated(-2, -2);
            if (bar.IsEmpty())
                break;
            const TColor doneText = g.CellBoolean() ? TColor(g.CellIndex()) : (fw::ColorToRGB(done) ^ 0xFFFFFF);
            const TColor restText = g.CellBoolean() ? TColor(g.CellAngle()) : (fw::ColorToRGB(rest) ^ 0xFFFFFF);
            DrawSimpleProgressBar(Canvas, bar, done, doneText, rest, restText, value, look.ProgressMarginX(),
                                  look.ProgressMarginY(), g.CellErrFrom(), g.CellErrLen(), g.CellText(),
                                  look.ProgressBorderColor(), false);
        }
        break;
    }
    case ctProgressPie: {
        // The pie fills its sector by reading pixels back, which a window's
        // canvas cannot: it is drawn on a bitmap of its own and copied.
        constexpr TColor key = 0xFF00FF;
        fw::TBitmap pie(21, 21);
        FillRectColor(pie.Canvas(), TRect(0, 0, 21, 21), key);
        DrawPiePercentage(pie.Canvas(), TRect(0, 0, 20, 20), g.CellColor(), std::clamp(g.CellAngle(), 0, 100), false);
        pie.SetTransparentColor(key);
        pie.SetTransparent(true);
        Canvas.Draw(GL, GT, pie);
        break;
    }
    case ctRangeIndicator: {
        const TRect bar(R.Left + look.ProgressMarginX(), R.Top + look.ProgressMarginY(),
                        R.Right - look.ProgressMarginX(), R.Bottom - look.ProgressMarginY());
        if (!bar.IsEmpty())
            DrawSignedBar(Canvas, bar, CellInt(*this, c.RC, c.ARow), g.CellIndex(), g.CellBoolean(), g.CellColor(),
                          g.CellIconColor());
        break;
    }
    case ctXPProgress: {
        const TRect bar(R.Left + look.ProgressMarginX(), R.Top + look.ProgressMarginY(),
                        R.Right - look.ProgressMarginX() - 1, R.Bottom - look.ProgressMarginY() - 1);
        if (bar.IsEmpty())
            break;
        // A range of 0 draws an empty bar instead of dividing by it.
        const int range = g.CellErrLen() - g.CellErrFrom();
        const int percent =
            range == 0 ? 0
                       : std::clamp(int(fw::RoundHalfEven(std::abs(double(CellInt(*this, c.RC, c.ARow) - g.CellErrFrom())) /
                                                          range * 100)),
                                    0, 100);
        const TGridProgressAppearance& pa = ProgressAppearance();
        TProgressBarLook bl;
        bl.Level0Color = pa.Level0Color();
        bl.Level0ColorTo = pa.Level0ColorTo();
        bl.Level1Color = pa.Level1Color();
        bl.Level1ColorTo = pa.Level1ColorTo();
        bl.Level2Color = pa.Level2Color();
        bl.Level2ColorTo = pa.Level2ColorTo();
        bl.Level3Color = pa.Level3Color();
        bl.Level3ColorTo = pa.Level3ColorTo();
        bl.Level1Perc = pa.Level1Perc();
        bl.Level2Perc = pa.Level2Perc();
        bl.ShowBorder = pa.ShowBorder();
        bl.BorderColor = pa.BorderColor();
        bl.Stacked = pa.Stacked();
        bl.ShowPercentage = pa.ShowPercentage();
        bl.CompletionSmooth = pa.CompletionSmooth();
        bl.ShowGradient = pa.ShowGradient();
        bl.Steps = pa.Steps();
        bl.CompleteFontColor = pa.CompleteFontColor();
        const fw::TFont font = Font();
        bl.Font = &font;
        bl.UnCompleteColor = pa.UnCompleteColor() == clNone ? Canvas.Brush().Color : pa.UnCompleteColor();
        DrawStyledProgressBar(Canvas, bar, percent, bl);
        break;
    }
    case ctComment: {
        const TColor own = TColor(g.CellIndex());
        const TColor color = own != clNone && own != 0 ? own : look.CommentColor();
        if (look.CommentColor() == clNone)
            break;
        const int x = R.Right + XYOffset().X, y = R.Top - XYOffset().Y;
        Canvas.Pen().Color = color;
        Canvas.Brush().Color = color;
        Canvas.Brush().Style = fw::bsSolid;
        Canvas.Polygon({TPoint(x - 8, y + 1), TPoint(x - 3, y + 1), TPoint(x - 3, y + 6)});
        break;
    }
    case ctButton:
    case ctBitButton:
    case ctExpand:
        DrawCellButton(Canvas, c, GL, GT, GR, GB);
        break;
    case ctShape:
        DrawCellShape(Canvas, GL, GT, GR - GL - 1, GB - GT - 1, TCellShape(g.CellAngle()), TColor(g.CellIndex()),
                      g.CellColor());
        break;
    case ctRating: {
        const double v = std::trunc(CellFloat(*this, c.RC, c.ARow) * 2) / 2;
        const TColor on = TColor(g.CellIndex()), off = g.CellColor();
        for (int i = 1; i <= g.CellAngle(); ++i) {
            const int x = GL + (i - 1) * 18;
            DrawCellShape(Canvas, x, GT, 16, 16, csStar, i <= v ? on : off, i <= v ? on : off);
            if (i - 1 < v && v < i)
                DrawCellShape(Canvas, x, GT, 16, 16, csHalfStar, on, on);
        }
        break;
    }
    default:
        break;
    }
    c.R = R;
}

void TFxStringGrid::DrawCellButton(fw::TCanvas& Canvas, TCellPaintContext& c, int GL, int GT, int GR, int GB)
{
    TCellGraphic& g = *c.G;
    const TControlLook& look = ControlLook();
    const TFxGridPaintState& ps = PaintState();
    const bool expand = g.CellType() == ctExpand;
    TRect b(GL, GT, GR, GB);
    if (expand)
        b = TRect(c.R.Right - 13, c.R.Top, c.R.Right, c.R.Top + 13);
    g.SetCellValue(double(((b.Top - c.Cell.Top) << 16) | ((b.Left - c.Cell.Left) & 0xFFFF)));
    bool canEdit = true;
    CanEditCell(c.RC, c.ARow, canEdit);
    const bool enabled = canEdit || look.NoDisabledButtonLook();
    std::uint8_t bl = look.FlatButton() ? cblFlat : IsThemeActive() ? cblThemed : cblClassic;
    if (Flat() && ps.TonesSet)
        bl = cblTones;
    std::uint8_t state = g.CellBoolean() ? cbsDown
                         : ps.Feedback.HotButton == fw::TGridCoord{c.ACol, c.ARow} ? cbsHot
                                                                                     : cbsNormal;
    if (!enabled && !expand)
        state = cbsDisabled;
    Canvas.Brush().Color = fw::clBtnFace;
    DrawCellPushButton(Canvas, this, b, ps.Tones, state, bl);
    const int shift = state == cbsDown ? 1 : 0;
    if (expand) {
        Canvas.Pen().Color = fw::clBlack;
        Canvas.Pen().Width = 1;
        const bool expanded = g.CellVar().toBool();
        const int r = b.Right, t = b.Top;
        Canvas.MoveTo(r - 10, t + (expanded ? 8 : 5));
        Canvas.LineTo(r - 7, t + (expanded ? 5 : 8));
        Canvas.LineTo(r - 3, t + (expanded ? 9 : 4));
        return;
    }
    const QString caption = g.CellText();
    TRect textRect(b.Left + 1 + shift, b.Top + shift, b.Right + shift, b.Bottom + shift);
    if (g.CellType() == ctBitButton) {
        if (const fw::TBitmap* glyph = g.CellBitmap(); glyph && !glyph->Empty()) {
            const bool fits = glyph->Height() <= b.Height();
            const int y = fits ? b.Top + (b.Height() - glyph->Height()) / 2 : b.Top + 3;
            const bool leftAligned = !caption.isEmpty() || glyph->Width() > b.Width();
            const int x = leftAligned ? GL + 3 : b.Left + (b.Width() - glyph->Width()) / 2;
            fw::TBitmap copy;
            copy.Assign(*glyph);
            copy.SetTransparent(true);
            Canvas.Draw(x + shift, y + shift, copy);
            textRect.Left = x + glyph->Width() + 2 + shift;
        }
    }
    if (caption.isEmpty())
        return;
    unsigned flags = fw::DT_CENTER | fw::DT_VCENTER | fw::DT_END_ELLIPSIS | fw::DT_SINGLELINE;
    if (caption.contains(QLatin1Char('\r')) || caption.contains(QLatin1Char('\n')))
        flags = fw::DT_CENTER | fw::DT_WORDBREAK | fw::DT_END_ELLIPSIS;
    const fw::TColor savedColor = Canvas.Font().Color;
    if (bl == cblTones) {
        const TColorTones& t = ps.Tones;
        Canvas.Font().Color = state == cbsHot        ? t.Hover.TextColor
                              : state == cbsDown     ? t.Selected.TextColor
                              : state == cbsDisabled ? t.Disabled.TextColor
                                                     : t.Background.TextColor;
    } else {
        Canvas.Font().Color = state == cbsDisabled ? fw::clGrayText : fw::clBtnText;
    }
    Canvas.SetBkMode(fw::bkTransparent);
    Canvas.DrawText(caption, textRect, flags);
    Canvas.Font().Color = savedColor;
}

void TFxStringGrid::DrawCheckBox(fw::TCanvas& Canvas, TRect ARect, bool Checked, int TriStateValue, bool TriState,
                                 TControlStyle Style, bool Grayed, bool Enabled)
{
    const TControlLook& look = ControlLook();
    if (look.NoDisabledCheckRadioLook() || look.CheckAlwaysActive())
        Enabled = true;
    if (TriState) {
        Checked = TriStateValue == 1;
        Grayed = TriStateValue == 2;
    }
    if (Style == csTheme && !IsThemeActive())
        Style = csClassic;
    const int size = look.CheckSize();
    switch (Style) {
    case csWinXP:
        DrawNamedGlyph(Canvas, Checked || Grayed ? (Enabled ? "SGCHK05" : "SGCHK07") : (Enabled ? "SGCHK06" : "SGCHK08"),
                       ARect.Left, ARect.Top);
        break;
    case csRIR:
        DrawNamedGlyph(Canvas, Checked || Grayed ? (Enabled ? "SGCHK01" : "SGCHK03") : (Enabled ? "SGCHK02" : "SGCHK04"),
                       ARect.Left, ARect.Top);
        break;
    case csGlyph:
        DrawGlyph(Canvas, Checked || Grayed ? look.CheckedGlyph() : look.UnCheckedGlyph(), ARect.Left, ARect.Top);
        break;
    case csBevelled: {
        const TRect r = fw::Bounds(ARect.Left, ARect.Top, size, size);
        FillRectColor(Canvas, r, Enabled ? fw::clBtnFace : fw::clBtnShadow);
        Canvas.Brush().Color = fw::clBtnFace;
        Canvas.FrameRect(r);
        Line(Canvas, fw::clBtnHighlight, r.Left, r.Bottom - 1, r.Left, r.Top);
        Canvas.LineTo(r.Right, r.Top);
        Line(Canvas, fw::clBtnShadow, r.Right - 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
        Canvas.LineTo(r.Left, r.Bottom - 1);
        if (Checked) {
            const TColor tick = Enabled ? look.Color() : TColor(0x808080);
            const int mid = r.Top - 1 + size / 2;
            const int bottom = r.Bottom - 4;
            for (int dx = 2; dx <= 3; ++dx) {
                Line(Canvas, tick, r.Left + dx, mid, r.Left + dx + 2, bottom);
                Line(Canvas, tick, r.Left + dx + 2, bottom, r.Right - 4 + dx - 2, r.Top + 2);
            }
        }
        break;
    }
    case csTheme: {
        const int state = Grayed ? (Enabled ? 9 : 12) : Checked ? (Enabled ? 5 : 8) : (Enabled ? 1 : 4);
        DrawThemePartCached(this, QStringLiteral("button"), Canvas, xpvs::BP_CHECKBOX, state,
                      fw::Bounds(ARect.Left, ARect.Top, size, size));
        break;
    }
    case csClassic:
    case csFlat:
    default: {
        TRect r = fw::Bounds(ARect.Left + (ARect.Width() - size) / 2, ARect.Top + (ARect.Height() - size) / 2, size,
                             size);
        unsigned flags = fw::DFCS_BUTTONCHECK;
        if (Checked)
            flags |= fw::DFCS_CHECKED;
        if (Grayed)
            flags |= fw::DFCS_BUTTON3STATE | fw::DFCS_CHECKED;
        if (Style == csFlat)
            flags |= fw::DFCS_FLAT;
        if (!Enabled)
            flags |= fw::DFCS_INACTIVE;
        Canvas.DrawFrameControl(r, fw::DFC_BUTTON, flags);
        break;
    }
    }
}

void TFxStringGrid::DrawRadioGroup(fw::TCanvas& Canvas, TRect ARect, bool Upward, double Zoom, TControlStyle Style,
                                   int ARow, int ACol, bool Selected, const fw::TStringList* Captions, bool Disabled,
                                   bool Horizontal, int Index, int Count)
{
    const TControlLook& look = ControlLook();
    if (look.NoDisabledCheckRadioLook() || look.RadioAlwaysActive())
        Disabled = false;
    if (Style == csTheme && !IsThemeActive())
        Style = csClassic;
    const bool classic = Style == csClassic || Style == csFlat;
    const fw::TColor savedColor = Canvas.Font().Color;
    if (Selected && ShowSelection() && SelectionTextColor() != clNone)
        Canvas.Font().Color = SelectionTextColor();
    Canvas.SetBkMode(fw::bkTransparent);
    const int th = Canvas.TextHeight(QStringLiteral("gh"));
    const int line = classic ? th : std::max(16, th);
    const QString cellText = Count > 0 && Captions ? Cells(ACol, ARow) : QString();
    const int radio = look.RadioSize();
    int accumulated = 0;
    for (int i = 1; i <= Count; ++i) {
        const QString caption = Captions && i - 1 < Captions->Count() ? Captions->Strings(i - 1) : QString();
        const bool checked = i == Index + 1 || (Index == -1 && Captions && caption == cellText);
        const int step = (i - 1) * line;
        int x, y, captionX, captionY;
        if (classic) {
            const int size = int(std::lround(Zoom * (Style == csFlat ? radio + 2 : radio)));
            if (Horizontal) {
                x = ARect.Left + 2 + accumulated + (i - 1) * radio;
                y = ARect.Top + (ARect.Height() - size) / 2;
                captionX = x + int(std::lround(Zoom * radio));
                captionY = ARect.Top + (ARect.Height() - th) / 2 - 2 + 2;
            } else {
                x = Captions ? ARect.Left + 2 : ARect.Left + (ARect.Width() - size) / 2;
                y = Upward ? ARect.Bottom - 2 - size - step : ARect.Top + 2 + step;
                captionX = x + int(std::lround(Zoom * (radio + 4)));
                captionY = y - 2;
            }
            if (!Captions && Horizontal)
                x = ARect.Left + (ARect.Width() - size) / 2;
            unsigned flags = fw::DFCS_BUTTONRADIO;
            if (Style == csFlat)
                flags |= fw::DFCS_FLAT;
            if (Disabled)
                flags |= fw::DFCS_INACTIVE;
            if (checked)
                flags |= fw::DFCS_CHECKED;
            TRect r = fw::Bounds(x, y, size, size);
            Canvas.DrawFrameControl(r, fw::DFC_BUTTON, flags);
        } else {
            const bool glyphStyle = Style == csWinXP || Style == csRIR || Style == csGlyph;
            if (Horizontal) {
                x = ARect.Left + accumulated + 16 * i - 14;
                y = ARect.Top + (ARect.Height() - 16) / 2;
                captionX = x + 16;
                captionY = ARect.Top + (ARect.Height() - th) / 2;
            } else {
                x = ARect.Left + 2;
                y = Upward ? ARect.Bottom - 16 - step : ARect.Top + step;
                captionX = ARect.Left + (glyphStyle ? 18 : 20);
                captionY = y + (16 - th) / 2;
            }
            if (glyphStyle)
                captionY += 1;
            if (!Captions && Horizontal)
                x = ARect.Left + (ARect.Width() - 16) / 2;
            switch (Style) {
            case csBevelled: {
                const TColor upper = checked ? TColor(0x808080) : fw::clWhite;
                const TColor lower = checked ? fw::clWhite : TColor(0x808080);
                Canvas.Brush().Color = fw::clBtnFace;
                Canvas.Brush().Style = fw::bsSolid;
                Canvas.Pen().Color = fw::clBtnFace;
                Canvas.Polygon({TPoint(x + 2, y + 8), TPoint(x + 8, y + 2), TPoint(x + 14, y + 8), TPoint(x + 8, y + 14)});
                Line(Canvas, upper, x + 2, y + 8, x + 8, y + 2);
                Canvas.LineTo(x + 14, y + 8);
                Line(Canvas, lower, x + 14, y + 8, x + 8, y + 14);
                Canvas.LineTo(x + 2, y + 8);
                if (checked) {
                    Canvas.Brush().Color = look.Color();
                    Canvas.Pen().Color = look.Color();
                    Canvas.Polygon({TPoint(x + 6, y + 8), TPoint(x + 8, y + 6), TPoint(x + 10, y + 8), TPoint(x + 8, y + 10)});
                }
                break;
            }
            case csTheme:
                DrawThemePartCached(this, QStringLiteral("button"), Canvas, xpvs::BP_RADIOBUTTON,
                              checked ? (Disabled ? 8 : 5) : (Disabled ? 4 : 1), fw::Bounds(x, y, 16, 16));
                break;
            case csWinXP:
                DrawNamedGlyph(Canvas, checked ? (Disabled ? "SGRAD07" : "SGRAD05") : (Disabled ? "SGRAD08" : "SGRAD06"),
                               x, y);
                break;
            case csRIR:
                DrawNamedGlyph(Canvas, checked ? (Disabled ? "SGRAD03" : "SGRAD01") : (Disabled ? "SGRAD04" : "SGRAD02"),
                               x, y);
                break;
            case csGlyph:
                DrawGlyph(Canvas, checked ? look.RadioOnGlyph() : look.RadioOffGlyph(), x, y);
                break;
            default:
                break;
            }
        }
        if (Captions && !caption.isEmpty()) {
            Canvas.SetBkMode(fw::bkTransparent);
            Canvas.TextOut(captionX, captionY, caption);
        }
        accumulated += Captions ? Canvas.TextWidth(caption) : 0;
    }
    Canvas.Font().Color = savedColor;
}

void TFxStringGrid::DrawTreeLines(fw::TCanvas& Canvas, TCellPaintContext& c)
{
    const TCellNode& node = CellNode();
    const int indent = node.NodeIndent();
    const int level = NodeLevelOf(*this, c.ARow);
    const TRect cell = c.R;
    const int rl = cell.Left + level * indent;
    const int x = rl + indent / 2 - indent + 2;
    const int mid = cell.Top + cell.Height() / 2;
    const TColor color = node.TreeColor();
    if (level > 0)
        Line(Canvas, color, x, mid, node.ShowTreeFull() ? cell.Right : rl + 4, mid);
    const int spanType = NodeSpanType(*this, c.ARow);
    if (spanType == 1)
        Line(Canvas, color, x, cell.Top, x, mid);
    else if (spanType == 2)
        Line(Canvas, color, x, cell.Top, x, cell.Bottom + 4);
    const bool lastRow = c.ARow >= RowCount() - 1;
    const int nextLevel = lastRow ? 0 : NodeLevelOf(*this, c.ARow + 1);
    for (int l = 1; l < level; ++l) {
        const int ax = x - l * indent;
        if (!lastRow && nextLevel > 0) {
            Line(Canvas, color, ax, cell.Top, ax, cell.Bottom + 4);
        } else {
            Line(Canvas, color, ax, cell.Top, ax, mid);
            Canvas.LineTo(x, mid);
        }
    }
}

void TFxStringGrid::DrawNodeGlyph(fw::TCanvas& Canvas, TCellPaintContext& c)
{
    const TCellNode& node = CellNode();
    const TCellGraphic& g = *c.G;
    const int indent = node.NodeIndent();
    const int level = NodeLevelOf(*this, c.ARow);
    const TRect cell = c.R;
    const int rowIndent = cell.Left + level * indent;
    int left = rowIndent - indent;
    const int mid = cell.Top + cell.Height() / 2;
    const bool contracted = g.CellBoolean();
    if (node.ShowTree()) {
        const int x = left + indent / 2 + 2;
        if (!contracted && NodeLevelOf(*this, c.ARow + 1) > level - 1 && c.ARow + 1 < RowCount())
            Line(Canvas, node.TreeColor(), x, mid, x, cell.Bottom + 4);
        if (level > 1)
            Line(Canvas, node.TreeColor(), x, cell.Top, x, cell.Top + 6);
    }
    const TGridLook look = Look();
    if (c.ACol < FixedCols() && !Flat() && (look == glSoft || look == glRIR || look == glXP || look == glListView))
        left += 1;
    left = rowIndent - indent / 2 - 4;
    TColor background = Canvas.Brush().Color;
    if (background == clNone)
        background = c.Fixed ? FixedColor() : Color();
    if (c.State & fw::gdSelected)
        background = SelectionColor();
    const TRect box = fw::Bounds(left, cell.Top, cell.Right - left, cell.Height());
    if (node.NodeType() == cn3D) {
        FillRectColor(Canvas, box, node.Color());
        TRect edge = box;
        Canvas.DrawEdge(edge, fw::BDR_RAISEDINNER, fw::BF_RECT);
    }
    auto glyphAt = [&](const QString& name, int x, int height) {
        fw::TBitmap bmp;
        if (LoadGridGlyph(name, bmp))
            DrawBitmapTransparent(Canvas, bmp, background, fw::Bounds(x, cell.Top + (cell.Height() - height) / 2,
                                                                      bmp.Width(), bmp.Height()));
    };
    switch (node.NodeType()) {
    case cnLeaf:
        glyphAt(contracted ? QStringLiteral("SGLEAFCLOSE") : QStringLiteral("SGLEAFOPEN"), left, 12);
        return;
    case cnXP:
        glyphAt(contracted ? QStringLiteral("XPNODEC") : QStringLiteral("XPNODEO"), left + 4, 10);
        return;
    case cnGlyph:
        if (!node.ExpandGlyph().Empty() && !node.ContractGlyph().Empty()) {
            const fw::TBitmap& bmp = contracted ? node.ContractGlyph() : node.ExpandGlyph();
            DrawBitmapTransparent(Canvas, bmp, background,
                                  fw::Bounds(left, cell.Top + (cell.Height() - bmp.Height()) / 2, bmp.Width(),
                                             bmp.Height()));
            return;
        }
        break;
    default:
        break;
    }
    TRect square = fw::Bounds(left + 4, cell.Top + (cell.Height() - 8) / 2, 8, 8);
    if (node.NodeType() == cnFlat) {
        FillRectColor(Canvas, square, background);
        Canvas.Brush().Color = node.NodeColor();
        Canvas.FrameRect(square);
        Line(Canvas, node.NodeColor(), square.Left + 2, square.Top + 4, square.Right - 2, square.Top + 4);
        if (contracted)
            Line(Canvas, node.NodeColor(), square.Left + 4, square.Top + 2, square.Left + 4, square.Bottom - 2);
    } else {
        Canvas.DrawEdge(square, contracted ? fw::EDGE_RAISED : fw::EDGE_SUNKEN, fw::BF_RECT);
    }
}
