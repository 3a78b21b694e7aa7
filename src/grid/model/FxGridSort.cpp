// Sorting: the sort settings, the cell and row comparisons, the column,
// indexed and node-group sorts, the un-sort and the one row exchange.
//
// A sort reads every cell it compares once: the text, and whatever the
// compare style makes of it (a number, a date, a check-box state), is kept
// per row for the duration of the sort. Rows are first ordered as a list of
// row numbers (FxSorter.h) and then moved into that order through
// SortSwapRows, so the partition loop never reads a row that is in motion.
#include "grid/model/FxGrid_p.h"
#include "grid/model/FxSorter.h"

#include "framework/DateTime.h"
#include "grid/foundation/FxUtilText.h"
#include "grid/foundation/SgHTMLEUtil.h"
#include "grid/paint/FxFloatingFooter.h"
#include "grid/paint/FxGridAppearance.h"

#include <QHash>

#include <algorithm>
#include <cstdint>
#include <numeric>

using namespace fw;

// ---------------------------------------------------------------- TSortSettings

TSortSettings::TSortSettings(TFxStringGrid* AOwner) : FGrid(AOwner) {}

void TSortSettings::SetShow(bool value)
{
    FShow = value;
    if (FGrid)
        FGrid->Invalidate();
}

void TSortSettings::SetRow(int value)
{
    if (FGrid && value >= FGrid->FixedRows())
        throw fw::Exception(QStringLiteral("Sort row should be smaller than number of fixed rows"));
    FRow = value;
}

void TSortSettings::RepaintHeader()
{
    if (FGrid && FGrid->FixedRows() > 0)
        FGrid->RepaintRow(FGrid->FixedRows() - 1);
}

#define FX_SORT_HEADER_SETTER(Name)                                                                                \
    void TSortSettings::Set##Name(fw::TColor value)                                                                \
    {                                                                                                              \
        if (F##Name == value)                                                                                      \
            return;                                                                                                \
        F##Name = value;                                                                                           \
        RepaintHeader();                                                                                           \
    }
FX_SORT_HEADER_SETTER(HeaderColor)
FX_SORT_HEADER_SETTER(HeaderColorTo)
FX_SORT_HEADER_SETTER(HeaderMirrorColor)
FX_SORT_HEADER_SETTER(HeaderMirrorColorTo)
#undef FX_SORT_HEADER_SETTER

void TSortSettings::Assign(const TSortSettings& Source)
{
    FColumn = Source.FColumn;
    FDirection = Source.FDirection;
    FAutoFormat = Source.FAutoFormat;
    FFull = Source.FFull;
    FSingleColumn = Source.FSingleColumn;
    FIgnoreBlanks = Source.FIgnoreBlanks;
    FBlankPos = Source.FBlankPos;
    FNormalCellsOnly = Source.FNormalCellsOnly;
    FInitSortDirection = Source.FInitSortDirection;
    FUndoSort = Source.FUndoSort;
    FIndexShow = Source.FIndexShow;
    FIndexSortKey = Source.FIndexSortKey;
    FIndexColor = Source.FIndexColor;
    FFixedCols = Source.FFixedCols;
    FAutoColumnMerge = Source.FAutoColumnMerge;
    FAutoSortForGrouping = Source.FAutoSortForGrouping;
    FShow = Source.FShow;
    FRow = Source.FRow;
    FHeaderColor = Source.FHeaderColor;
    FHeaderColorTo = Source.FHeaderColorTo;
    FHeaderMirrorColor = Source.FHeaderMirrorColor;
    FHeaderMirrorColorTo = Source.FHeaderMirrorColorTo;
    FUpGlyph.Assign(Source.FUpGlyph);
    FDownGlyph.Assign(Source.FDownGlyph);
    FIndexUpGlyph.Assign(Source.FIndexUpGlyph);
    FIndexDownGlyph.Assign(Source.FIndexDownGlyph);
}

QString TSortSettings::SaveToString() const
{
    if (FIndexShow)
        return QStringLiteral("i;") + (FGrid ? FGrid->SortIndexes().SaveToString() : QString());
    return (FDirection == sdDescending ? QStringLiteral("d") : QStringLiteral("u")) + QString::number(FColumn);
}

void TSortSettings::LoadFromString(const QString& Value)
{
    if (Value.isEmpty())
        return;
    SetShow(true);
    if (Value.size() < 2)
        throw fw::Exception(QStringLiteral("Invalid sort settings specifier"));
    if (Value.contains(QLatin1String("i;"))) {
        FIndexShow = true;
        const QString rest = Value.mid(2);
        if (!rest.isEmpty() && FGrid) {
            FGrid->SortIndexes().LoadFromString(rest);
            FGrid->QSortIndexed();
        }
        return;
    }
    FIndexShow = false;
    FDirection = Value.contains(QLatin1Char('u')) ? sdAscending : sdDescending;
    bool ok = false;
    const int column = Value.mid(1).toInt(&ok);
    if (!ok)
        return;
    FColumn = column;
    if (FGrid)
        FGrid->QSort();
}

void TSortSettings::Remove()
{
    FColumn = -1;
    if (FGrid)
        FGrid->SortIndexes().Clear();
    RepaintHeader();
}

void TSortSettings::ToggleDirection()
{
    FDirection = FDirection == sdAscending ? sdDescending : sdAscending;
}

// ---------------------------------------------------------------- cell comparison

namespace {

int Sign(double a, double b)
{
    return a < b ? -1 : (a > b ? 1 : 0);
}

int Sign(int v)
{
    return v < 0 ? -1 : (v > 0 ? 1 : 0);
}

// Where a box's state sorts: unchecked, then grey (a three-state box that is
// neither), then checked; a plain and a three-state box with the same state
// are equal.
std::uint8_t BoxRank(TCheckBoxState state)
{
    return state == cbChecked ? 2 : state == cbGrayed ? 1 : 0;
}

bool IsNumberKind(int kind)
{
    return kind == ntkInteger || kind == ntkDecimal || kind == ntkExponent;
}

// The separator test of the automatic style: the first `sep` of `text` at
// character position 2 or 3, not last, with a digit on both sides.
enum TSepPlace { spAbsent, spElsewhere, spGoodNoDigits, spGood };

TSepPlace SeparatorPlace(const QString& text, QChar sep)
{
    const int i = text.indexOf(sep);
    if (i < 0)
        return spAbsent;
    if (i != 1 && i != 2)
        return spElsewhere;
    if (i + 1 >= text.size() || !CharIsDigit(text[i - 1]) || !CharIsDigit(text[i + 1]))
        return spGoodNoDigits;
    return spGood;
}

} // namespace

// The cells of a sort, each read once. Without caching (a single compare
// from outside a sort) only the two cells at hand are read.
class TSortCompare {
public:
    TSortCompare(TFxStringGrid& g, bool cache) : FGrid(g), FCache(cache)
    {
        const TSortSettings& s = g.SortSettings();
        FVirtual = s.SortOnVirtualCells();
        FIgnoreBlanks = s.IgnoreBlanks();
        FBlankPos = s.BlankPos();
        FTextStyle = s.IgnoreCase() ? ssAlphaNoCase : ssAlphabetic;
        FStartStyle = s.AutoFormat() ? ssAutomatic : FTextStyle;
        FDateSep = LocaleDateSeparator();
        FTimeSep = LocaleTimeSeparator();
        FThousandSep = LocaleThousandSeparator();
        FDecimalSep = LocaleDecimalSeparator();
        FDotSettings = FormatSettings();
        FDotSettings.DecimalSeparator = QLatin1Char('.');
        FDotSettings.ThousandSeparator = QChar();
        FRowCount = g.RowCount();
        FColumns.resize(std::size_t(std::max(0, g.ColCount() + g.NumHiddenColumns())));
        FIgnored.resize(FColumns.size());
        for (std::size_t col = 0; col < FIgnored.size(); ++col)
            FIgnored[col] = g.IsIgnoredColumn(int(col)) ? 1 : 0;
    }

    int Cells(int col, int r1, int r2, TSortDirection dir);
    // The rows a caching sort orders: a column's keys are read for all of
    // them, in row order, the first time the column is compared.
    void SetRange(int first, int last)
    {
        FFirst = first;
        FLast = last;
    }
    bool Ignored(int col) const { return col >= 0 && col < int(FIgnored.size()) && FIgnored[std::size_t(col)]; }
    // The order a full row compare from `col` on gives the rows of the
    // range, as one number per row (rows first .. last): equal numbers for
    // rows the compare finds equal. False when a column on the way has to
    // be compared through its keys.
    bool RowRanks(int col, std::vector<int>& ranks);

private:
    enum : unsigned {
        kNumber = 1, kDate = 2, kTime = 4, kEU = 8, kUS = 16, kUpper = 32, kStripped = 64, kCheck = 128,
        kImage = 256, kCellType = 512, kFinancial = 1024,
        kValueBits = kNumber | kDate | kTime | kEU | kUS | kImage | kFinancial
    };
    // One cell as a sort reads it; kept small, a sort may hold one per row
    // for several columns.
    struct TKey {
        QString Text;
        double Value = 0;   // number, date, time or image key, by the style that asked
        std::uint16_t Have = 0;
        std::int8_t NumKind = ntkNotANumber;
        std::uint8_t DatePlace = spAbsent;
        std::uint8_t TimePlace = spAbsent;
        bool Loaded = false;
        bool CheckCell = false;
        std::uint8_t CheckRank = 0;   // see BoxRank
        bool ValueBlank = false;
    };
    struct TColumn {
        bool Ready = false;
        TSortStyle Style = ssAutomatic;
        QString Prefix;
        QString Suffix;
        std::vector<TKey> Keys;   // rows Base, Base + 1, ...
        // For a style that orders texts by their characters alone: each
        // row's place among the column's distinct texts (rows Base, ...),
        // so that a compare reads two numbers instead of two texts.
        std::vector<int> Ranks;
        int Base = 0;
        std::vector<QString> Others;   // upper-cased or stripped texts, when a style needs them
    };

    TColumn& Column(int col);
    TKey& Key(TColumn& c, int col, int row);
    void Load(const TColumn& c, int col, int row, TKey& k);
    void RankTexts(TColumn& c, int col);
    QString& Other(TColumn& c, const TKey& k, int row);
    double Number(TKey& k, const TColumn& c, bool financial);
    double DateValue(TKey& k, TSortStyle style);
    bool Blank(TKey& k, TColumn& c, int row, TSortStyle style);

    TFxStringGrid& FGrid;
    bool FCache;
    bool FVirtual = true;
    bool FIgnoreBlanks = false;
    TSortBlankPosition FBlankPos = blFirst;
    TSortStyle FTextStyle = ssAlphabetic;
    TSortStyle FStartStyle = ssAutomatic;
    QChar FDateSep, FTimeSep, FThousandSep, FDecimalSep;
    TFormatSettings FDotSettings;
    int FRowCount = 0;
    int FFirst = 0, FLast = -1;
    std::vector<TColumn> FColumns;
    std::vector<char> FIgnored;   // per column, read once
    TKey FSpare[2];
    QString FSpareOther[2];
    int FSpareRow[2] = {-1, -1};
    int FSpareCol[2] = {-1, -1};
};

TSortCompare::TColumn& TSortCompare::Column(int col)
{
    if (col >= int(FColumns.size()))
        FColumns.resize(std::size_t(col) + 1);
    TColumn& c = FColumns[std::size_t(col)];
    if (!c.Ready || !FCache) {
        c.Ready = true;
        c.Style = FStartStyle;
        c.Prefix.clear();
        c.Suffix.clear();
        FGrid.DoGetFormat(col, c.Style, c.Prefix, c.Suffix);
        // Reading the cells in row order costs far less than reading them
        // as the partitioning meets them.
        if (FCache && FFirst >= 0 && FLast < FRowCount && FFirst <= FLast) {
            c.Base = FFirst;
            if ((c.Style == ssAlphabetic || c.Style == ssAlphaCase) && !FIgnoreBlanks) {
                RankTexts(c, col);
            } else {
                c.Keys.reserve(std::size_t(FLast - FFirst + 1));
                for (int r = FFirst; r <= FLast; ++r)
                    Load(c, col, r, c.Keys.emplace_back());
            }
        }
    }
    return c;
}

void TSortCompare::RankTexts(TColumn& c, int col)
{
    // Equal texts share one number; the distinct texts are ordered once by
    // the compare the style uses, which orders any two distinct texts.
    const int n = FLast - FFirst + 1;
    c.Ranks.resize(std::size_t(n));
    QHash<QString, int> index;
    std::vector<QString> distinct;
    for (int i = 0; i < n; ++i) {
        const int r = FFirst + i;
        const QString text = FVirtual ? FGrid.Cells(col, r) : FGrid.GridCells(col, r);
        auto it = index.constFind(text);
        if (it == index.cend()) {
            it = index.insert(text, int(distinct.size()));
            distinct.push_back(text);
        }
        c.Ranks[std::size_t(i)] = *it;
    }
    std::vector<int> order(distinct.size());
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&](int a, int b) {
        return QString::compare(distinct[std::size_t(a)], distinct[std::size_t(b)], Qt::CaseSensitive) < 0;
    });
    std::vector<int> rankOf(distinct.size());
    for (std::size_t k = 0; k < order.size(); ++k)
        rankOf[std::size_t(order[k])] = int(k);
    for (int& rank : c.Ranks)
        rank = rankOf[std::size_t(rank)];
}

void TSortCompare::Load(const TColumn& c, int col, int row, TKey& k)
{
    k.Loaded = true;
    k.Text = FVirtual ? FGrid.Cells(col, row) : FGrid.GridCells(col, row);
    if (c.Style == ssAutomatic || c.Style == ssAlphaNumeric || c.Style == ssAlphaNumericNoCase) {
        k.NumKind = std::int8_t(NumericTextKind(k.Text));
        k.DatePlace = std::uint8_t(SeparatorPlace(k.Text, FDateSep));
        k.TimePlace = std::uint8_t(SeparatorPlace(k.Text, FTimeSep));
    }
}

TSortCompare::TKey& TSortCompare::Key(TColumn& c, int col, int row)
{
    TKey* k = nullptr;
    if (FCache && c.Keys.empty() && FFirst > FLast && row >= 0 && row < FRowCount)
        c.Keys.resize(std::size_t(FRowCount));
    if (FCache && row >= c.Base && row - c.Base < int(c.Keys.size())) {
        k = &c.Keys[std::size_t(row - c.Base)];
    } else {
        for (int i = 0; i < 2 && !k; ++i)
            if (FSpareRow[i] == row && FSpareCol[i] == col)
                k = &FSpare[i];
        if (!k) {
            const int use = FSpareRow[0] == -1 ? 0 : 1;
            FSpare[use] = TKey();
            FSpareRow[use] = row;
            FSpareCol[use] = col;
            k = &FSpare[use];
        }
    }
    if (!k->Loaded)
        Load(c, col, row, *k);
    return *k;
}

QString& TSortCompare::Other(TColumn& c, const TKey& k, int row)
{
    if (&k == &FSpare[0] || &k == &FSpare[1])
        return FSpareOther[&k - FSpare];
    if (c.Others.empty())
        c.Others.resize(c.Keys.size());
    return c.Others[std::size_t(row - c.Base)];
}

double TSortCompare::Number(TKey& k, const TColumn& c, bool financial)
{
    const unsigned bit = financial ? kFinancial : kNumber;
    if (k.Have & bit)
        return k.Value;
    k.Have = std::uint16_t((k.Have & ~kValueBits) | bit);
    QString s = k.Text;
    if (!c.Prefix.isEmpty())
        if (const int i = s.indexOf(c.Prefix); i >= 0)
            s.remove(i, c.Prefix.size());
    if (!c.Suffix.isEmpty())
        if (const int i = s.indexOf(c.Suffix); i >= 0)
            s.remove(i, c.Suffix.size());
    if (financial)
        s.remove(FThousandSep);
    if (FDecimalSep != QLatin1Char('.'))
        if (const int i = s.indexOf(FDecimalSep); i >= 0)
            s[i] = QLatin1Char('.');
    k.ValueBlank = s.isEmpty();
    // A text that does not read as a number counts as 0, so two such texts are equal.
    double v = 0;
    if (!TryStrToFloat(s, v, FDotSettings))
        v = 0;
    k.Value = v;
    return v;
}

double TSortCompare::DateValue(TKey& k, TSortStyle style)
{
    const unsigned bit = style == ssTime ? kTime : style == ssShortDateEU ? kEU : style == ssShortDateUS ? kUS : kDate;
    if (k.Have & bit)
        return k.Value;
    k.Have = std::uint16_t((k.Have & ~kValueBits) | bit);
    TDateTime v = 0;
    try {
        if (style == ssTime) {
            if (!TryStrToTime(k.Text, v))
                v = 0;
        } else if (style == ssShortDateEU) {
            v = ParseDayMonthYear(k.Text);
        } else if (style == ssShortDateUS) {
            v = ParseMonthDayYear(k.Text);
        } else if (k.Text.isEmpty() || !TryStrToDateTime(k.Text, v)) {
            v = 0;
        }
    } catch (...) {
        // A date that does not exist counts as 0.
        v = 0;
    }
    k.Value = v;
    return v;
}

bool TSortCompare::Blank(TKey& k, TColumn& c, int row, TSortStyle style)
{
    if (style == ssNumeric || style == ssFinancial) {
        Number(k, c, style == ssFinancial);
        return k.ValueBlank;
    }
    if (style == ssHTML)
        return (k.Have & kStripped) ? Other(c, k, row).isEmpty() : k.Text.isEmpty();
    return k.Text.isEmpty();
}

namespace {

// Ranks the pairs (ranks[i], next[i]) in that order of precedence, densely
// from 0; answers how many distinct pairs there are. Both inputs lie in
// [0, n): two stable counting passes.
int RefineRanks(std::vector<int>& ranks, const std::vector<int>& next)
{
    const std::size_t n = ranks.size();
    std::vector<int> count(n + 1), byNext(n), order(n);
    const auto countingPass = [&](const std::vector<int>& key, const std::vector<int>& in, std::vector<int>& out) {
        std::fill(count.begin(), count.end(), 0);
        for (std::size_t i = 0; i < n; ++i)
            ++count[std::size_t(key[std::size_t(in[i])]) + 1];
        for (std::size_t k = 1; k <= n; ++k)
            count[k] += count[k - 1];
        for (std::size_t i = 0; i < n; ++i)
            out[std::size_t(count[std::size_t(key[std::size_t(in[i])])]++)] = in[i];
    };
    std::vector<int> all(n);
    std::iota(all.begin(), all.end(), 0);
    countingPass(next, all, byNext);
    countingPass(ranks, byNext, order);
    std::vector<int> refined(n);
    int distinct = 0;
    for (std::size_t k = 0; k < n; ++k) {
        const std::size_t i = std::size_t(order[k]), prev = k ? std::size_t(order[k - 1]) : i;
        if (k == 0 || ranks[i] != ranks[prev] || next[i] != next[prev])
            ++distinct;
        refined[i] = distinct - 1;
    }
    ranks.swap(refined);
    return distinct;
}

} // namespace

bool TSortCompare::RowRanks(int col, std::vector<int>& ranks)
{
    if (!FCache || FFirst < 0 || FLast >= FRowCount || FFirst > FLast)
        return false;
    const std::size_t n = std::size_t(FLast - FFirst + 1);
    ranks.assign(n, 0);
    const TSortSettings& s = FGrid.SortSettings();
    const int last = int(FColumns.size()) - 1;
    // As the row compare: an ignored column ends it with a tie, and it goes
    // on to the right only while rows are tied and the sort is full.
    for (int k = col; !Ignored(k); ++k) {
        const TColumn& c = Column(k);
        if (c.Ranks.size() != n)
            return false;
        if (RefineRanks(ranks, c.Ranks) == int(n) || !s.Full() || k >= last)
            break;
    }
    return true;
}

int TSortCompare::Cells(int col, int r1, int r2, TSortDirection dir)
{
    TColumn& c = Column(col);
    if (!c.Ranks.empty()) {
        const std::size_t i1 = std::size_t(r1 - c.Base), i2 = std::size_t(r2 - c.Base);
        if (r1 >= c.Base && r2 >= c.Base && i1 < c.Ranks.size() && i2 < c.Ranks.size())
            return Sign(c.Ranks[i1] - c.Ranks[i2]);
    }
    if (!FCache) {
        FSpareRow[0] = FSpareRow[1] = -1;
        FSpareCol[0] = FSpareCol[1] = -1;
    }
    TKey& k1 = Key(c, col, r1);
    TKey& k2 = Key(c, col, r2);
    TSortStyle style = c.Style;
    if (style == ssAutomatic) {
        if (!(k1.Have & kCellType)) {
            k1.Have |= kCellType;
            const TCellType t = FGrid.GetCellType(col, r1);
            k1.CheckCell = IsCheckBoxType(t);
        }
        if (k1.CheckCell) {
            style = ssCheckBox;
        } else if (IsNumberKind(k1.NumKind)) {
            style = ssNumeric;
        } else {
            style = FTextStyle;
            const bool secondHasDate = k2.DatePlace != spAbsent;
            const bool secondHasTime = k2.TimePlace != spAbsent;
            if (k1.DatePlace == spGood || k1.DatePlace == spGoodNoDigits) {
                if (k1.DatePlace == spGood && secondHasDate)
                    style = k1.TimePlace != spAbsent ? ssDateTime : ssDate;
            } else if (k1.TimePlace == spGood && secondHasTime) {
                style = ssTime;
            }
        }
    } else if (style == ssAlphaNumeric || style == ssAlphaNumericNoCase) {
        if (IsNumberKind(k1.NumKind) && IsNumberKind(k2.NumKind))
            style = ssNumeric;
        else
            style = style == ssAlphaNumeric ? ssAlphabetic : ssAlphaNoCase;
    }

    int res = 0;
    switch (style) {
    case ssAlphaNoCase:
        for (auto [k, r] : {std::pair<TKey*, int>{&k1, r1}, std::pair<TKey*, int>{&k2, r2}})
            if (!(k->Have & kUpper)) {
                k->Have = std::uint16_t((k->Have & ~kStripped) | kUpper);
                Other(c, *k, r) = UpperCase(k->Text);
            }
        res = Sign(QString::compare(Other(c, k1, r1), Other(c, k2, r2), Qt::CaseSensitive));
        break;
    case ssAnsiAlphaCase:
        res = Sign(QString::localeAwareCompare(k1.Text, k2.Text));
        break;
    case ssAnsiAlphaNoCase:
        res = Sign(AnsiCompareText(k1.Text, k2.Text));
        break;
    case ssHTML:
        for (auto [k, r] : {std::pair<TKey*, int>{&k1, r1}, std::pair<TKey*, int>{&k2, r2}})
            if (!(k->Have & kStripped)) {
                k->Have = std::uint16_t((k->Have & ~kUpper) | kStripped);
                Other(c, *k, r) = StripHtmlTags(k->Text);
            }
        res = Sign(QString::compare(Other(c, k1, r1), Other(c, k2, r2), Qt::CaseSensitive));
        break;
    case ssNumeric:
    case ssFinancial: {
        const double a = Number(k1, c, style == ssFinancial);
        const double b = Number(k2, c, style == ssFinancial);
        res = Sign(a, b);
        break;
    }
    case ssDate:
    case ssDateTime:
    case ssTime:
    case ssShortDateEU:
    case ssShortDateUS: {
        const double a = DateValue(k1, style);
        const double b = DateValue(k2, style);
        res = Sign(a, b);
        break;
    }
    case ssCheckBox:
        for (auto [k, r] : {std::pair<TKey*, int>{&k1, r1}, std::pair<TKey*, int>{&k2, r2}})
            if (!(k->Have & kCheck)) {
                k->Have |= kCheck;
                TCheckBoxState state = cbUnchecked;
                FGrid.GetCheckBoxState(col, FGrid.RealRowIndex(r), state);
                k->CheckRank = BoxRank(state);
            }
        res = Sign(int(k1.CheckRank) - int(k2.CheckRank));
        break;
    case ssImages:
        for (auto [k, r] : {std::pair<TKey*, int>{&k1, r1}, std::pair<TKey*, int>{&k2, r2}})
            if (!(k->Have & kImage)) {
                k->Have = kImage;
                // Exact: references and indices stay far below 2^53.
                k->Value = double(FGrid.CellGraphicSortKey(col, r));
            }
        res = Sign(k1.Value, k2.Value);
        break;
    case ssCustom:
        res = 0;
        if (const auto& e = FGrid.Events().OnCustomCompare)
            e(&FGrid, k1.Text, k2.Text, res);
        break;
    case ssRaw:
        res = 0;
        if (const auto& e = FGrid.Events().OnRawCompare)
            e(&FGrid, col, r1, r2, res);
        break;
    default:   // ssAlphabetic, ssAlphaCase
        res = Sign(QString::compare(k1.Text, k2.Text, Qt::CaseSensitive));
        break;
    }

    if (FIgnoreBlanks) {
        const bool b1 = Blank(k1, c, r1, style);
        const bool b2 = Blank(k2, c, r2, style);
        if (b1 != b2) {
            // Blanks end first (or last) whichever way the rows are sorted.
            int v = b1 ? (FBlankPos == blFirst ? -1 : 1) : (FBlankPos == blFirst ? 1 : -1);
            res = dir == sdDescending ? -v : v;
        }
    }
    return res;
}

// ---------------------------------------------------------------- grid: settings and comparisons

namespace {

// What a sort changes around itself and puts back, also after a failure:
// column 0 with NormalCellsOnly, the top row with KeepScrollOnSort, and the
// update bracket.
class TSortBracket {
public:
    explicit TSortBracket(TFxStringGrid& g) : FGrid(g)
    {
        const TSortSettings& s = g.SortSettings();
        FKeepColumn0 = s.NormalCellsOnly() && g.FixedCols() > 0;
        if (FKeepColumn0) {
            const int rows = g.RowCount();
            FColumn0.reserve(std::size_t(rows));
            for (int r = 0; r < rows; ++r)
                FColumn0.push_back({g.GridCells(0, r), g.GridObjects(0, r)});
        }
        FTopRow = g.TopRow();
        g.BeginUpdate();
    }
    ~TSortBracket()
    {
        if (FKeepColumn0)
            for (int r = 0; r < int(FColumn0.size()) && r < FGrid.RowCount(); ++r) {
                FGrid.SetGridCell(0, r, FColumn0[std::size_t(r)].first);
                TCellProperties* p = FColumn0[std::size_t(r)].second;
                if (p)
                    p->SetOwnerRow(r);
                FGrid.TObjStringGrid::SetObjects(0, r, p);
            }
        if (FGrid.Navigation().KeepScrollOnSort())
            FGrid.SetTopRow(FTopRow);
        FGrid.EndUpdate();
    }
    TSortBracket(const TSortBracket&) = delete;
    TSortBracket& operator=(const TSortBracket&) = delete;

private:
    TFxStringGrid& FGrid;
    bool FKeepColumn0 = false;
    std::vector<std::pair<QString, TCellProperties*>> FColumn0;
    int FTopRow = 0;
};

} // namespace

TSortSettings& TFxStringGrid::SortSettings() const
{
    TFxGridSortState& s = d->sort;
    if (!s.Settings)
        s.Settings = std::make_unique<TSortSettings>(const_cast<TFxStringGrid*>(this));
    return *s.Settings;
}

void TFxStringGrid::SetSortSettings(const TSortSettings& value)
{
    SortSettings().Assign(value);
}

TSortIndexList& TFxStringGrid::SortIndexes() const
{
    return d->sort.Indexes;
}

int TFxStringGrid::SortDir() const
{
    return d->sort.SortDir;
}

int TFxStringGrid::SortRow() const
{
    return d->sort.SortRow;
}

int TFxStringGrid::CompareCells(int ACol, int ARow1, int ARow2, TSortDirection Direction)
{
    TSortCompare cmp(*this, false);
    return cmp.Cells(ACol, ARow1, ARow2, Direction);
}

namespace {

int StorageColumns(const TFxStringGrid& g)
{
    return g.ColCount() + g.NumHiddenColumns();
}

int CompareRowsWith(TFxStringGrid& g, TSortCompare& cmp, int col, int r1, int r2)
{
    const TSortSettings& s = g.SortSettings();
    const int last = StorageColumns(g) - 1;
    for (;; ++col) {
        if (cmp.Ignored(col))
            return 0;
        const int res = cmp.Cells(col, r1, r2, s.Direction());
        if (res != 0 || !s.Full() || col >= last)
            return res;
    }
}

int CompareRowsIndexedWith(TFxStringGrid& g, TSortCompare& cmp, int index, int r1, int r2)
{
    const TSortIndexList& list = g.SortIndexes();
    const bool full = g.SortSettings().Full();
    for (; index < list.Count(); ++index) {
        const int col = list.SortColumns(index);
        const bool ascending = list.SortDirections(index);
        int res = cmp.Ignored(col) ? 0 : cmp.Cells(col, r1, r2, ascending ? sdAscending : sdDescending);
        if (res == 0 && full && index < list.Count() - 1)
            continue;
        return ascending ? res : -res;
    }
    return 0;
}

} // namespace

int TFxStringGrid::CompareRows(int ACol, int ARow1, int ARow2)
{
    TSortCompare cmp(*this, false);
    return CompareRowsWith(*this, cmp, ACol, ARow1, ARow2);
}

int TFxStringGrid::CompareRowsIndexed(int Index, int ARow1, int ARow2)
{
    TSortCompare cmp(*this, false);
    return CompareRowsIndexedWith(*this, cmp, Index, ARow1, ARow2);
}

bool TFxStringGrid::SortLine(int Col, int ARow1, int ARow2)
{
    const int res = CompareRows(Col, ARow1, ARow2);
    if (res == d->sort.SortDir) {
        SortSwapRows(ARow1, ARow2);
        return true;
    }
    return false;
}

// ---------------------------------------------------------------- row exchange

void TFxStringGrid::InitSortXRef()
{
    std::vector<int>& x = d->model.SortRowXRef;
    x.resize(std::size_t(std::max(0, RowCount())));
    std::iota(x.begin(), x.end(), 0);
}

void TFxStringGrid::SortSwapRows(int ARow1, int ARow2)
{
    if (ARow1 == ARow2)
        return;
    TFxGridModelState& m = d->model;
    std::vector<int>& x = m.SortRowXRef;
    if (ARow1 >= 0 && ARow2 >= 0 && ARow1 < int(x.size()) && ARow2 < int(x.size()))
        std::swap(x[std::size_t(ARow1)], x[std::size_t(ARow2)]);
    const auto fixOwners = [this](int r) {
        if (!RowHasObjects(r))
            return;
        const int cols = StorageColumns(*this);
        for (int c = 0; c < cols; ++c)
            if (TCellProperties* p = GridObjects(c, r))
                p->SetOwnerRow(r);
    };
    if (SortSettings().SingleColumn()) {
        const int c = SortSettings().Column();
        if (c < 0)
            return;
        const QString t = GridCells(c, ARow1);
        TCellProperties* p1 = GridObjects(c, ARow1);
        TCellProperties* p2 = GridObjects(c, ARow2);
        SetGridCell(c, ARow1, GridCells(c, ARow2));
        SetGridCell(c, ARow2, t);
        if (p2)
            p2->SetOwnerRow(ARow1);
        if (p1)
            p1->SetOwnerRow(ARow2);
        TObjStringGrid::SetObjects(c, ARow1, p2);
        TObjStringGrid::SetObjects(c, ARow2, p1);
        return;
    }
    ExchangeRowCells(ARow1, ARow2);
    fixOwners(ARow1);
    fixOwners(ARow2);
    const int h1 = RowHeights(ARow1), h2 = RowHeights(ARow2);
    if (h1 != h2) {
        SetRowHeights(ARow1, h2);
        SetRowHeights(ARow2, h1);
    }
    if (MouseActions().DisjunctRowSelect() && Navigation().MoveRowOnSort()) {
        const bool hidden = NumHiddenRows() > 0;
        const int s1 = hidden ? RealRowIndex(ARow1) : ARow1;
        const int s2 = hidden ? RealRowIndex(ARow2) : ARow2;
        m.RowSelect.Grow(std::max(s1, s2) + 1);
        m.RowSelect.Exchange(s1, s2);
    }
    if (ShowModified().Enabled()) {
        m.ModifiedRows.Grow(std::max(ARow1, ARow2) + 1);
        m.ModifiedRows.Exchange(ARow1, ARow2);
    }
    int& sortRow = d->sort.SortRow;
    if (sortRow == ARow1)
        sortRow = ARow2;
    else if (sortRow == ARow2)
        sortRow = ARow1;
}

// ---------------------------------------------------------------- sorts

namespace {

// Orders rows left .. right and moves them there.
void SortRowRange(TFxStringGrid& g, int col, int left, int right, bool indexed)
{
    if (left < 0 || right >= g.RowCount() || left >= right)
        return;
    TSortCompare cmp(g, true);
    cmp.SetRange(left, right);
    std::vector<int> rows(static_cast<std::size_t>(right - left + 1));
    std::iota(rows.begin(), rows.end(), left);
    const int n = int(rows.size());
    if (indexed) {
        FxPartitionSort(rows, 0, n - 1, 1, false,
                        [&](int a, int b) { return CompareRowsIndexedWith(g, cmp, 0, a, b); });
    } else {
        const int dir = g.SortDir();
        std::vector<int> ranks;
        if (cmp.RowRanks(col, ranks))
            FxPartitionSort(rows, 0, n - 1, dir, true, [&](int a, int b) {
                return Sign(ranks[std::size_t(a - left)] - ranks[std::size_t(b - left)]);
            });
        else
            FxPartitionSort(rows, 0, n - 1, dir, true,
                            [&](int a, int b) { return CompareRowsWith(g, cmp, col, a, b); });
    }
    FxApplyRowOrder(rows, left, [&](int p, int q) { g.SortSwapRows(p, q); });
}

void CheckXRef(TFxStringGrid& g)
{
    if (int(g.SortRowXRef().size()) != g.RowCount())
        g.InitSortXRef();
}

} // namespace

void TFxStringGrid::QuickSort(int Col, int Left, int Right)
{
    d->sort.SortDir = SortSettings().Direction() == sdAscending ? 1 : -1;
    SortRowRange(*this, Col, Left, Right, false);
}

void TFxStringGrid::QuickSortIndexed(int Left, int Right)
{
    SortRowRange(*this, -1, Left, Right, true);
}

void TFxStringGrid::QSort()
{
    TSortSettings& s = SortSettings();
    if (s.Column() < 0)
        return;
    CheckXRef(*this);
    SortIndexes().Clear();
    const bool moveRow = Navigation().MoveRowOnSort();
    const int oldRow = Row();
    {
        TSortBracket bracket(*this);
        d->sort.SortRow = oldRow;
        QuickSort(s.Column(), FixedRows(), RowCount() - 1 - FixedFooters());
        if (!MouseActions().DisjunctRowSelect()) {
            bool& entered = InteractState().Entered;
            const bool wasEntered = entered;
            entered = false;
            const int target = moveRow ? d->sort.SortRow : oldRow;
            if (target >= FixedRows() && target < RowCount() && target != Row())
                SetRow(target);
            entered = wasEntered;
        }
        if (!moveRow)
            if (const auto& e = Events().OnRowUpdate)
                e(this, oldRow, Row());
    }
    if (FloatingFooter().Visible())
        UpdateFooter();
}

void TFxStringGrid::Sort(int Column, TSortDirection Direction)
{
    SortSettings().SetColumn(Column);
    SortSettings().SetDirection(Direction);
    QSort();
}

void TFxStringGrid::SortByColumn(int Col)
{
    if (RowCount() < 2)
        return;
    SortSettings().SetColumn(Col);
    QSort();
}

void TFxStringGrid::QSortIndexed()
{
    CheckXRef(*this);
    if (SortIndexes().Count() == 0)
        throw EFxGridError(QStringLiteral("No indexes specified for indexed sort"));
    const bool moveRow = Navigation().MoveRowOnSort();
    const int oldRow = Row();
    TSortBracket bracket(*this);
    d->sort.SortRow = oldRow;
    QuickSortIndexed(FixedRows(), RowCount() - 1 - FixedFooters());
    const int target = moveRow ? d->sort.SortRow : oldRow;
    if (target >= FixedRows() && target < RowCount() && target != Row())
        SetRow(target);
}

namespace {

void SortGroups(TFxStringGrid& g, bool indexed)
{
    if (indexed && g.SortIndexes().Count() == 0)
        throw EFxGridError(QStringLiteral("No indexes specified for indexed sort"));
    const int first = g.FixedRows();
    const int last = g.RowCount() - 1 - g.FixedFooters();
    // Node rows carry a node graphic in column 0; its level is the column-0
    // properties' node level, its span the graphic's index.
    const auto nodeAt = [&g](int r) -> TCellGraphic* {
        TCellGraphic* cg = g.GetCellGraphic(0, r);
        return cg && cg->CellType() == ctNode ? cg : nullptr;
    };
    const auto levelAt = [&g](int r) {
        const TCellProperties* p = g.GridObjects(0, r);
        return p ? p->NodeLevel() : 0;
    };
    int deepest = -1;
    for (int r = first; r <= last; ++r)
        if (nodeAt(r))
            deepest = std::max(deepest, levelAt(r));
    if (deepest < 0)
        return;
    for (int r = first; r <= last; ++r) {
        TCellGraphic* node = nodeAt(r);
        if (!node || levelAt(r) != deepest || node->CellBoolean())
            continue;
        const int span = node->CellIndex();
        if (span <= 2)
            continue;
        const int to = std::min(r + span - 1, last);
        if (indexed)
            g.QuickSortIndexed(r + 1, to);
        else if (g.SortSettings().Column() >= 0)
            g.QuickSort(g.SortSettings().Column(), r + 1, to);
    }
}

} // namespace

void TFxStringGrid::QSortGroup()
{
    CheckXRef(*this);
    const int oldRow = Row();
    TSortBracket bracket(*this);
    d->sort.SortRow = oldRow;
    SortGroups(*this, false);
    const int target = Navigation().MoveRowOnSort() ? d->sort.SortRow : oldRow;
    if (target >= FixedRows() && target < RowCount() && target != Row())
        SetRow(target);
}

void TFxStringGrid::QSortGroupIndexed()
{
    CheckXRef(*this);
    const int oldRow = Row();
    TSortBracket bracket(*this);
    d->sort.SortRow = oldRow;
    SortGroups(*this, true);
    const int target = Navigation().MoveRowOnSort() ? d->sort.SortRow : oldRow;
    if (target >= FixedRows() && target < RowCount() && target != Row())
        SetRow(target);
}

void TFxStringGrid::QUnSort()
{
    TFxGridModelState& m = d->model;
    // Rows added since the last sort have no earlier position: they stay
    // below the rows that have one.
    const int n = std::min(int(m.SortRowXRef.size()), RowCount());
    if (n < 2)
        return;
    m.UnSortRowXRef.assign(m.SortRowXRef.begin(), m.SortRowXRef.begin() + n);
    const std::vector<int> value = m.UnSortRowXRef;
    TSortBracket bracket(*this);
    std::vector<int> rows(static_cast<std::size_t>(n));
    std::iota(rows.begin(), rows.end(), 0);
    FxPartitionSort(rows, 0, n - 1, 1, true, [&value](int a, int b) {
        const int va = value[std::size_t(a)], vb = value[std::size_t(b)];
        return va < vb ? -1 : (va > vb ? 1 : 0);
    });
    FxApplyRowOrder(rows, 0, [this](int p, int q) {
        SortSwapRows(p, q);
        std::swap(d->model.UnSortRowXRef[std::size_t(p)], d->model.UnSortRowXRef[std::size_t(q)]);
    });
}

// ---------------------------------------------------------------- header click

void TFxStringGrid::HeaderClickSort(int RealCol, bool AddKey)
{
    TSortSettings& s = SortSettings();
    HideInplaceEdit();
    CheckXRef(*this);
    if (s.IndexShow()) {
        TSortIndexList& list = SortIndexes();
        const bool initAscending = s.InitSortDirection() == sdAscending;
        const int at = list.FindIndex(RealCol);
        if (AddKey) {
            if (at < 0)
                list.AddIndex(RealCol, initAscending);
            else
                list.ToggleIndex(RealCol);
        } else if (list.Count() == 1 && at == 0) {
            list.ToggleIndex(RealCol);
        } else {
            list.Clear();
            list.AddIndex(RealCol, initAscending);
        }
        if (HasNodes())
            QSortGroupIndexed();
        else
            QSortIndexed();
        s.SetColumn(list.Count() > 0 ? list.SortColumns(0) : -1);
    } else {
        bool unsort = false;
        if (RealCol == s.Column()) {
            unsort = s.UndoSort() && s.Direction() != s.InitSortDirection();
            s.ToggleDirection();
        } else {
            s.SetDirection(s.InitSortDirection());
            s.SetColumn(RealCol);
        }
        if (unsort) {
            QUnSort();
            s.SetColumn(-1);
        } else if (HasNodes()) {
            QSortGroup();
        } else {
            QSort();
        }
    }
    if (ControlList().Count() > 0)
        CellControlsUpdate(false);
    DoClickSort(s.Column());
}

// ---------------------------------------------------------------- header marks

TFxStringGrid::TSortLook TFxStringGrid::SortLook() const
{
    TSortSettings& s = SortSettings();
    TSortLook look;
    look.Column = s.Column();
    look.Row = s.Row();
    look.Show = s.Show();
    look.FixedCols = s.FixedCols();
    look.Descending = s.Direction() == sdDescending;
    look.IndexShow = s.IndexShow();
    look.IndexColor = s.IndexColor();
    look.UpGlyph = &s.UpGlyph();
    look.DownGlyph = &s.DownGlyph();
    look.IndexUpGlyph = &s.IndexUpGlyph();
    look.IndexDownGlyph = &s.IndexDownGlyph();
    look.HeaderColor = s.HeaderColor();
    look.HeaderColorTo = s.HeaderColorTo();
    look.HeaderMirrorColor = s.HeaderMirrorColor();
    look.HeaderMirrorColorTo = s.HeaderMirrorColorTo();
    const TSortIndexList& list = SortIndexes();
    for (int i = 0; i < list.Count(); ++i)
        look.Indexes.push_back(list.Items(i));
    return look;
}
