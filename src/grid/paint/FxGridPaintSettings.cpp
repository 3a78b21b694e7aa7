// The painting concern's settings and the small services whose behaviour is
// complete here; see README.md for what is still a placeholder.
#include "grid/model/FxGrid.h"
#include "grid/paint/FxGridPaint_p.h"

#include "framework/Canvas.h"
#include "grid/foundation/FxUtilText.h"
#include "grid/foundation/SgHTMLEUtil.h"
#include "grid/model/FxValueText.h"

#include <QRegularExpression>

#include <algorithm>

#define FX_PAINT_SETTING(Type, Name, Initial, Write) FX_GRID_DEFINE_SETTING(PaintState(), Type, Name, Write)
FX_GRID_PAINT_SETTINGS(FX_PAINT_SETTING)
#undef FX_PAINT_SETTING

fw::TScrollStyle TFxStringGrid::ScrollBars() const
{
    return PaintState().ScrollBars;
}

void TFxStringGrid::SetScrollBars(fw::TScrollStyle value)
{
    PaintState().ScrollBars = value;
    TBaseGrid::SetScrollBars(value);
}

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

QString TFxStringGrid::GetFormattedCell(int ACol, int ARow)
{
    QString text = GetCellEx(ACol, ARow);
    const auto& e = Events().OnGetFloatFormat;
    if (!e)
        return text;
    const int kind = NumericTextKind(text);
    if (kind != ntkInteger && kind != ntkDecimal && kind != ntkExponent)
        return text;
    bool isFloat = true;
    QString format = FloatFormat();
    e(this, ACol, ARow, isFloat, format);
    if (!isFloat)
        return text;
    double value = 0;
    if (!fw::TryStrToFloat(StripThousandSeparators(text), value))
        return text;
    QString out;
    if (FxTryFormatNumber(format, value, format.contains(QLatin1Char('d')), out))
        return out;
    return text;
}

fw::TSize TFxStringGrid::GetCellTextSize(int ACol, int ARow, bool DropDown, bool WordWrapInCell)
{
    return CalcCellTextSize(ACol, DisplColIndex(ACol), ARow, DropDown, WordWrapInCell);
}

fw::TSize TFxStringGrid::CalcCellTextSize(int RealCol, int DisplCol, int ARow, bool, bool)
{
    // Plain text in the cell's font: the widest line by the line count.
    fw::TFont font = IsFixed(RealCol, ARow) ? FixedFont() : Font();
    fw::TBrush brush;
    DoGetCellColor(RealCol, ARow, 0, brush, font);
    font.Size += ZoomFactor();
    fw::TCanvas& canvas = Canvas();
    canvas.Font() = font;
    QString text = GetFormattedCell(RealCol, ARow);
    if (EnableHTML() && CellTextKind(text, true) == ctkHtml)
        text = StripHtmlTags(text);
    if (text.isEmpty())
        return fw::TSize(0, 0);
    const QStringList lines = text.split(QRegularExpression(QStringLiteral("\r\n|\r|\n")));
    int w = 0;
    for (const QString& line : lines)
        w = std::max(w, canvas.TextWidth(line));
    return fw::TSize(w, int(lines.size()) * canvas.TextHeight(QStringLiteral("gh")));
}

void TFxStringGrid::ShowModifiedChanged()
{
    RepaintCol(0);
}

void TFxStringGrid::BandsChanged()
{
    Invalidate();
}

void TFxStringGrid::UnitEditChanged(const QString& AUnit)
{
    if (const auto& e = Events().OnUnitChanged)
        e(this, Col(), Row(), AUnit);
}

bool TFxStringGrid::UsesAppStyles()
{
    // No application style is active in this program.
    return false;
}

void TFxStringGrid::ApplyAppStyleColors() {}
