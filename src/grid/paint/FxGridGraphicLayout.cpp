// What painting, measuring and printing ask about a cell before drawing it:
// its graphic and the room the graphic takes, the text it displays (display
// event, links, number format), whether it belongs to the sort row and how
// far a tree row is indented.
#include "grid/model/FxGrid.h"
#include "grid/paint/FxGridPaint_p.h"

#include "framework/Canvas.h"
#include "framework/SysUtils.h"
#include "grid/foundation/FxUtilText.h"
#include "grid/foundation/SgHTMLEUtil.h"
#include "grid/model/FxCellNode.h"
#include "grid/model/FxValueText.h"
#include "grid/paint/FxCellPaintInterface.h"

#include <algorithm>
#include <cmath>

using fw::TPoint;

namespace {

bool BesideText(TCellHAlign h) { return h == haBeforeText || h == haAfterText; }
bool OverText(TCellVAlign v) { return v == vaUnderText || v == vaAboveText; }

IFxCellPaint* CellPainter(const TCellGraphic& g)
{
    return dynamic_cast<IFxCellPaint*>(g.CellInterface());
}

} // namespace

TPoint TFxStringGrid::GetCellGraphicSize(int ACol, int ARow)
{
    return CalcCellGraphicSize(ACol, ARow, TPoint(0, 0));
}

TPoint TFxStringGrid::CalcCellGraphicSize(int ACol, int ARow, TPoint Extra)
{
    const TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g)
        return TPoint(0, 0);
    const QString T = Cells(ACol, ARow);
    const bool empty = T.isEmpty();
    const TCellHAlign hal = g->CellHAlign();
    const TCellVAlign val = g->CellVAlign();
    const int dc = DisplColIndex(ACol);
    TPoint size(0, 0);
    bool kept = false;
    switch (g->CellType()) {
    case ctIcon:
        if (const fw::TIcon* icon = g->CellIcon()) {
            size.X = BesideText(hal) || empty ? icon->Width() : 0;
            size.Y = icon->Height();
        }
        break;
    case ctBitmap:
        if (const fw::TBitmap* bmp = g->CellBitmap()) {
            size.X = BesideText(hal) || empty ? bmp->Width() : 0;
            size.Y = OverText(val) || empty ? bmp->Height() : 0;
        }
        break;
    case ctImageList:
    case ctDataImage:
        if (const fw::TImageList* list = GetCellImageList(ACol, ARow)) {
            size.X = BesideText(hal) || empty ? list->Width() : 0;
            size.Y = OverText(val) || empty ? list->Height() : 0;
        }
        break;
    case ctPicture:
    case ctFilePicture: {
        fw::TPoint p(0, 0);
        g->GetPictureSize(ColWidths(dc) - TotalXOffset() - 1, RowHeights(ARow) - TotalYOffset() - Extra.Y - 1, !empty,
                          p);
        size = p;
        break;
    }
    case ctButton:
    case ctBitButton: {
        const int w = g->CellIndex() & 0xFFFF;
        const int h = (g->CellIndex() >> 16) & 0xFFFF;
        size = TPoint(w, h);
        if (!empty) {
            if (hal == haCenter || OverText(val))
                size.X = 0;
            if (hal == haFull)
                size.X = Canvas().TextWidth(g->CellText()) + 4;
            if (!OverText(val))
                size.Y = 0;
        } else if (hal == haFull) {
            fw::TCanvas& c = Canvas();
            const fw::TFont saved = c.Font();
            c.Font() = Font();
            size.X = c.TextWidth(g->CellText()) + 4;
            c.Font() = saved;
            kept = !g->CellText().isEmpty();
        }
        break;
    }
    case ctInterface:
        if (const IFxCellPaint* painter = CellPainter(*g)) {
            const fw::TSize s = painter->CellPaintSize();
            if (s.cx == 0 || s.cy == 0)
                size = TPoint(ColWidths(dc), RowHeights(ARow));
            else
                size = TPoint(s.cx, s.cy);
        }
        break;
    case ctProgressPie:
        size = TPoint(20, 20);
        break;
    case ctRadioButton:
        size = TPoint(ControlLook().RadioSize(), ControlLook().RadioSize());
        break;
    case ctCheckBox:
    case ctDataCheckBox:
    case ctVirtCheckBox:
    case ctRowCheckBox:
    case ctTriStateCheckBox:
        size = TPoint(ControlLook().CheckSize(), ControlLook().CheckSize());
        break;
    case ctRadio: {
        const fw::TStringList* captions = g->CellStrings();
        fw::TCanvas& c = Canvas();
        const int gh = c.TextHeight(QStringLiteral("gh"));
        const int count = captions ? captions->Count() : 0;
        if (g->CellBoolean()) {
            for (int i = 0; i < count; ++i)
                size.X += c.TextWidth(captions->Strings(i)) + 12;
            size.Y = gh;
        } else {
            int widest = 0;
            for (int i = 0; i < count; ++i)
                widest = std::max(widest, c.TextWidth(captions->Strings(i)));
            size.X = std::max(widest + 12, 12);
            size.Y = std::max(16, gh) * count;
        }
        break;
    }
    case ctRating:
        size = TPoint(g->CellAngle() * 18, 16);
        kept = true;
        break;
    case ctImages:
        if (const fw::TImageList* list = GetCellImageList(ACol, ARow)) {
            const int n = g->CellImages() ? g->CellImages()->Count() : 0;
            size = g->CellBoolean() ? TPoint(n * list->Width(), list->Height())
                                    : TPoint(list->Width(), n * list->Height());
        }
        break;
    default:
        break;
    }
    if (val == vaFull || (hal == haFull && !kept)) {
        const fw::TRect cell = CellRect(dc, ARow);
        if (val == vaFull)
            size.Y = cell.Height();
        if (hal == haFull && !kept)
            size.X = cell.Width();
    }
    return size;
}

TPoint TFxStringGrid::CalcPrintGraphicSize(int ACol, int ARow, int AWidth, int AHeight, double Scale)
{
    const TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g)
        return TPoint(0, 0);
    const QString T = Cells(ACol, ARow);
    const bool empty = T.isEmpty();
    const TCellHAlign hal = g->CellHAlign();
    const TCellVAlign val = g->CellVAlign();
    const int dc = DisplColIndex(ACol);
    switch (g->CellType()) {
    case ctIcon:
        if (const fw::TIcon* icon = g->CellIcon())
            return TPoint(icon->Width(), icon->Height());
        return TPoint(0, 0);
    case ctBitmap:
        if (const fw::TBitmap* bmp = g->CellBitmap())
            return TPoint(bmp->Width(), bmp->Height());
        return TPoint(0, 0);
    case ctImageList:
        if (const fw::TImageList* list = GetCellImageList(ACol, ARow))
            return TPoint(BesideText(hal) || empty ? list->Width() : 0, list->Height());
        return TPoint(0, 0);
    case ctDataImage:
        if (const fw::TImageList* list = GetCellImageList(ACol, ARow))
            return TPoint(list->Width(), list->Height());
        return TPoint(0, 0);
    case ctNode:
        return TPoint(20, 20);
    case ctPicture:
    case ctFilePicture: {
        TPoint p(0, 0);
        g->GetPictureSize(AWidth, AHeight, !empty, p);
        if (Scale > 0)
            p = TPoint(int(fw::RoundHalfEven(p.X / Scale)), int(fw::RoundHalfEven(p.Y / Scale)));
        return p;
    }
    case ctProgress:
    case ctXPProgress:
        return TPoint(ColWidths(dc), RowHeights(ARow));
    case ctShape: {
        const int side = RowHeights(ARow) - 2 * XYOffset().Y;
        return TPoint(side, side);
    }
    case ctRadio: {
        const fw::TStringList* captions = g->CellStrings();
        fw::TCanvas& c = Canvas();
        const int gh = c.TextHeight(QStringLiteral("gh"));
        const int count = captions ? captions->Count() : 0;
        TPoint size(0, 0);
        if (g->CellBoolean()) {
            for (int i = 0; i < count; ++i)
                size.X += c.TextWidth(captions->Strings(i)) + 12;
            size.Y = gh;
        } else {
            int widest = 0;
            for (int i = 0; i < count; ++i)
                widest = std::max(widest, c.TextWidth(captions->Strings(i)));
            size = TPoint(std::max(widest + 12, 12), gh * count);
        }
        return size;
    }
    case ctRating:
        return TPoint(0, 0);
    default: {
        // The other kinds as on the screen, without the full-width or full-height rule.
        TPoint size = CalcCellGraphicSize(ACol, ARow, TPoint(0, 0));
        if (val == vaFull || hal == haFull) {
            switch (g->CellType()) {
            case ctButton:
            case ctBitButton:
                size = TPoint(g->CellIndex() & 0xFFFF, (g->CellIndex() >> 16) & 0xFFFF);
                break;
            case ctInterface:
            case ctImages:
            case ctCheckBox:
            case ctDataCheckBox:
            case ctVirtCheckBox:
            case ctRowCheckBox:
            case ctTriStateCheckBox:
            case ctRadioButton:
            case ctProgressPie:
                break;
            default:
                size = TPoint(0, 0);
            }
        }
        return size;
    }
    }
}

TCellGraphic* TFxStringGrid::GetCellGraphicInfo(int ACol, int ARow, int& Width, int& Height, bool& ShowText,
                                                TCellHAlign& HAlign, TCellVAlign& VAlign)
{
    VAlign = vaTop;
    HAlign = haLeft;
    ShowText = true;
    Width = 0;
    Height = 0;
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g)
        return nullptr;
    VAlign = g->CellVAlign();
    HAlign = g->CellHAlign();
    const TControlLook& look = ControlLook();
    switch (g->CellType()) {
    case ctBitmap:
        if (const fw::TBitmap* bmp = g->CellBitmap()) {
            Width = bmp->Width();
            Height = bmp->Height();
        }
        break;
    case ctIcon:
        if (const fw::TIcon* icon = g->CellIcon()) {
            Width = icon->Width();
            Height = icon->Height();
        }
        break;
    case ctImageList:
    case ctDataImage:
        if (const fw::TImageList* list = GetCellImageList(ACol, ARow)) {
            Width = list->Width();
            Height = list->Height();
        }
        ShowText = g->CellType() != ctDataImage;
        break;
    case ctCheckBox:
    case ctTriStateCheckBox:
        Width = Height = look.CheckSize();
        break;
    case ctDataCheckBox:
    case ctVirtCheckBox:
    case ctRowCheckBox:
        Width = Height = look.CheckSize();
        ShowText = false;
        break;
    case ctRotated:
    case ctRadio:
    case ctProgress:
    case ctRangeIndicator:
    case ctXPProgress:
        ShowText = false;
        break;
    case ctImages:
        if (const fw::TImageList* list = GetCellImageList(ACol, ARow)) {
            const int n = g->CellImages() ? g->CellImages()->Count() : 0;
            Width = g->CellBoolean() ? n * list->Width() : list->Width();
            Height = g->CellBoolean() ? list->Height() : n * list->Height();
        }
        break;
    case ctPicture:
    case ctFilePicture: {
        TPoint p(0, 0);
        const int dc = DisplColIndex(ACol);
        g->GetPictureSize(ColWidths(dc), RowHeights(ARow), true, p);
        Width = p.X;
        Height = p.Y;
        break;
    }
    case ctButton:
    case ctBitButton:
        Width = g->CellIndex() & 0xFFFF;
        Height = (g->CellIndex() >> 16) & 0xFFFF;
        break;
    case ctProgressPie:
        Width = Height = 20;
        break;
    case ctInterface:
        if (const IFxCellPaint* painter = CellPainter(*g)) {
            const fw::TSize s = painter->CellPaintSize();
            Width = s.cx;
            Height = s.cy;
        }
        break;
    case ctRadioButton:
        Width = Height = look.RadioSize() + 4;
        break;
    case ctShape:
        Width = Height = RowHeights(ARow) - 2 * XYOffset().Y;
        break;
    case ctRating:
        Width = g->CellAngle() * 18;
        Height = 16;
        ShowText = false;
        break;
    default:
        break;
    }
    return g;
}

TIntList* TFxStringGrid::GetCellImages(int ACol, int ARow)
{
    const TCellGraphic* g = GetCellGraphic(ACol, ARow);
    return g && g->CellType() == ctImages ? g->CellImages() : nullptr;
}

fw::TImageList* TFxStringGrid::GetCellImageList(int, int)
{
    return GridImages();
}

std::intptr_t TFxStringGrid::CellGraphicSortKey(int ACol, int ARow)
{
    const TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g)
        return -1;
    switch (g->CellType()) {
    case ctBitmap: return reinterpret_cast<std::intptr_t>(g->CellBitmap());
    case ctIcon: return reinterpret_cast<std::intptr_t>(g->CellIcon());
    case ctImageList: return g->CellIndex();
    default: return -1;
    }
}

void TFxStringGrid::GetDisplayText(int ACol, int ARow, QString& Value) const
{
    TBaseGrid::GetDisplayText(ACol, ARow, Value);
    if (URLShowInText()) {
        static const char* const prefixes[] = {"HTTP://", "WWW.", "MAILTO:", "HTTPS://", "NNTP://", "FILE://",
                                               "FTP://"};
        for (const char* prefix : prefixes) {
            QString linked;
            if (LinkifyUrl(Value, QLatin1String(prefix), linked)) {
                Value = linked;
                break;
            }
        }
    }
    AppendGroupCount(ACol, ARow, Value);
}

QString TFxStringGrid::GetFormattedCell(int ACol, int ARow)
{
    const QString text = GetCellEx(ACol, ARow);
    const auto& e = Events().OnGetFloatFormat;
    if (!e)
        return text;
    const int kind = NumericTextKind(text);
    bool isFloat = kind == ntkInteger || kind == ntkDecimal || kind == ntkExponent;
    QString format = FloatFormat();
    e(this, ACol, ARow, isFloat, format);
    if (!isFloat || format.isEmpty())
        return text;
    // The format comes from settings: it only goes through the checked formatter.
    const bool integer = format.contains(QLatin1Char('d'));
    QString out;
    if (integer) {
        int value = 0;
        if (FxCellTextToInt(StripHtmlTags(text), value) && FxTryFormatNumber(format, value, true, out))
            return out;
        return text;
    }
    double value = 0;
    if (FxCellTextToFloat(text, value) && FxTryFormatNumber(format, value, false, out))
        return out;
    return text;
}

bool TFxStringGrid::IsSortRow(int ACol, int ARow)
{
    // A merged header counts by the last row of its block.
    const fw::TPoint base = BaseCell(ACol, ARow);
    const int row = base.Y + std::max(0, CellSpan(base.X, base.Y).Y);
    const TSortLook sort = SortLook();
    return row == sort.Row && sort.Show && FixedRows() + 1 < RowCount();
}

int TFxStringGrid::NodeIndent(int ARow)
{
    if (!HasNodes() || ARow < 0 || !CellPropertiesAssigned(0, ARow))
        return 0;
    return GridObjects(0, ARow)->NodeLevel() * CellNode().NodeIndent();
}
