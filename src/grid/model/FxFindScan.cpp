#include "grid/model/FxFindScan.h"

#include "grid/foundation/FxUtilText.h"
#include "grid/foundation/SgHTMLEUtil.h"

TFindMatcher::TFindMatcher(const QString& SearchText, TFindParams Params)
    : FText(Params.Contains(fnMatchCase) ? SearchText : SearchText.toUpper()), FParams(Params)
{
}

bool TFindMatcher::Matches(QString CellText) const
{
    if (FParams.Contains(fnIgnoreHTMLTags))
        CellText = StripHtmlTags(CellText);
    if (!FParams.Contains(fnMatchCase))
        CellText = CellText.toUpper();
    // Two double quotes stand for an empty cell.
    if (FText == QLatin1String("\"\""))
        return CellText.isEmpty();
    if (FParams.Contains(fnMatchRegular))
        return MatchFilterExpression(FText, CellText, FParams.Contains(fnMatchCase));
    const int p = CellText.indexOf(FText) + 1;
    const bool occurs = FParams.Contains(fnMatchStart) ? p == 1 : p > 0;
    const bool full = !FParams.Contains(fnMatchFull) || CellText == FText;
    return occurs && full;
}

TFindScan::TFindScan(int Left, int Top, int Right, int Bottom, bool RowByRow, bool Backward)
    : FLeft(Left), FTop(Top), FRight(Right), FBottom(Bottom), FRowByRow(RowByRow), FBackward(Backward)
{
}

fw::TPoint TFindScan::Walk(fw::TPoint Start, const std::function<bool(int, int)>& Visit) const
{
    const fw::TPoint none(-1, -1);
    if (Empty())
        return none;
    // Major runs over rows when scanning row by row, minor across a row.
    const int majorFirst = FRowByRow ? FTop : FLeft;
    const int majorLast = FRowByRow ? FBottom : FRight;
    const int minorFirst = FRowByRow ? FLeft : FTop;
    const int minorLast = FRowByRow ? FRight : FBottom;
    int major, minor;
    if (Start.X == -1 && Start.Y == -1) {
        major = FBackward ? majorLast : majorFirst;
        minor = FBackward ? minorLast : minorFirst;
    } else {
        const int sMajor = FRowByRow ? Start.Y : Start.X;
        const int sMinor = FRowByRow ? Start.X : Start.Y;
        if (!FBackward) {
            if (sMajor > majorLast)
                return none;
            if (sMajor < majorFirst) {
                major = majorFirst;
                minor = minorFirst;
            } else if (sMinor < minorFirst) {
                major = sMajor;
                minor = minorFirst;
            } else if (sMinor >= minorLast) {
                major = sMajor + 1;
                minor = minorFirst;
            } else {
                major = sMajor;
                minor = sMinor + 1;
            }
        } else {
            if (sMajor < majorFirst)
                return none;
            if (sMajor > majorLast) {
                major = majorLast;
                minor = minorLast;
            } else if (sMinor > minorLast) {
                major = sMajor;
                minor = minorLast;
            } else if (sMinor <= minorFirst) {
                major = sMajor - 1;
                minor = minorLast;
            } else {
                major = sMajor;
                minor = sMinor - 1;
            }
        }
    }
    const int step = FBackward ? -1 : 1;
    for (; FBackward ? major >= majorFirst : major <= majorLast; major += step) {
        for (; FBackward ? minor >= minorFirst : minor <= minorLast; minor += step) {
            const int c = FRowByRow ? minor : major;
            const int r = FRowByRow ? major : minor;
            if (Visit(c, r))
                return fw::TPoint(c, r);
        }
        minor = FBackward ? minorLast : minorFirst;
    }
    return none;
}
