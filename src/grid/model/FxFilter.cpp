// Filter conditions, the row test over them and the drop-down's look.
#include "grid/model/FxFilter.h"

#include "framework/SysUtils.h"
#include "grid/foundation/FxUtilText.h"
#include "grid/model/FxGrid.h"

// ---------------------------------------------------------------- TFilterData

void TFilterData::Assign(const TFilterData* Source)
{
    if (!Source)
        return;
    FColumn = Source->FColumn;
    FCondition = Source->FCondition;
    FCaseSensitive = Source->FCaseSensitive;
    FData = Source->FData;
    FPrefix = Source->FPrefix;
    FSuffix = Source->FSuffix;
    FOperation = Source->FOperation;
    FGlobState = gsUnknown;
}

namespace {

// "*" any run of characters, "?" any one, everything else itself; the
// whole text must match. Greedy with a step back to the last "*".
bool GlobMatch(const QString& pattern, QStringView text)
{
    const int np = int(pattern.size()), nt = int(text.size());
    int p = 0, t = 0, star = -1, mark = 0;
    while (t < nt) {
        if (p < np && (pattern[p] == QLatin1Char('?') || pattern[p] == text[t])) {
            ++p;
            ++t;
        } else if (p < np && pattern[p] == QLatin1Char('*')) {
            star = p++;
            mark = t;
        } else if (star >= 0) {
            p = star + 1;
            t = ++mark;
        } else {
            return false;
        }
    }
    while (p < np && pattern[p] == QLatin1Char('*'))
        ++p;
    return p == np;
}

} // namespace

bool TFilterData::Matches(const QString& cellText) const
{
    try {
        // An empty text is found in no row.
        if (FData == fcRow)
            return !FCondition.isEmpty() && fw::UpperCase(cellText).contains(fw::UpperCase(FCondition));
        // Prefix and suffix are cut off a view, so that a row's test copies
        // no text unless a cut text meets the expression matcher.
        QStringView text = cellText;
        if (!FPrefix.isEmpty() && text.startsWith(FPrefix))
            text = text.mid(FPrefix.size());
        if (!FSuffix.isEmpty()) {
            const auto at = text.indexOf(FSuffix);
            if (at >= 0 && at + FSuffix.size() == text.size())
                text.truncate(at);
        }
        if (FCondition.isEmpty())
            return true;
        if (FMethod == fmLiteral)
            return text == FCondition;
        if (FGlobState == gsUnknown) {
            // What the expression matcher makes of the condition: trimmed,
            // blanks outside quotes gone, upper case unless case-sensitive.
            const QString cond = FCondition.trimmed();
            static const QString special = QStringLiteral("();^&|><!\"=");
            bool plain = true;
            for (QChar c : cond)
                if (special.contains(c))
                    plain = false;
            FGlobState = plain ? gsGlob : gsExpression;
            if (plain) {
                FGlob = cond;
                FGlob.remove(QLatin1Char(' '));
                if (!FCaseSensitive)
                    FGlob = FGlob.toUpper();
            }
        }
        if (FGlobState == gsGlob && FCaseSensitive)
            return GlobMatch(FGlob, text);
        if (FGlobState == gsGlob)
            return GlobMatch(FGlob, text.toString().toUpper());
        if (text.size() == cellText.size())
            return MatchFilterExpression(FCondition, cellText, FCaseSensitive);
        return MatchFilterExpression(FCondition, text.toString(), FCaseSensitive);
    } catch (...) {
        // A condition the text cannot be compared with (a number test on a
        // word, say) simply does not match.
        return false;
    }
}

// ---------------------------------------------------------------- TFilter

TFilterData* TFilter::Items(int Index) const
{
    return Index >= 0 && Index < Count() ? FItems[std::size_t(Index)].get() : nullptr;
}

void TFilter::SetItems(int Index, const TFilterData* Value)
{
    if (TFilterData* item = Items(Index))
        item->Assign(Value);
}

void TFilter::Assign(const TFilter& Source)
{
    if (&Source == this)
        return;
    FItems.clear();
    for (const auto& item : Source.FItems) {
        FItems.push_back(std::make_unique<TFilterData>());
        FItems.back()->Assign(item.get());
    }
}

TFilterData* TFilter::Add()
{
    FItems.push_back(std::make_unique<TFilterData>());
    TFilterData* item = FItems.back().get();
    item->SetOperation(Count() == 1 ? foNONE : foAND);
    return item;
}

TFilterData* TFilter::Insert(int)
{
    FItems.push_back(std::make_unique<TFilterData>());
    return FItems.back().get();
}

void TFilter::Delete(int Index)
{
    if (Index >= 0 && Index < Count())
        FItems.erase(FItems.begin() + Index);
}

void TFilter::Clear()
{
    FItems.clear();
}

TFilterData* TFilter::GetColFilter(int Col)
{
    for (const auto& item : FItems)
        if (item->Column() == Col)
            return item.get();
    TFilterData* item = Add();
    item->SetColumn(Col);
    return item;
}

void TFilter::RemoveColumnFilter(int Col)
{
    for (int i = Count() - 1; i >= 0; --i)
        if (FItems[std::size_t(i)]->Column() == Col)
            FItems.erase(FItems.begin() + i);
    if (FOwner && Col >= 0 && Col < FOwner->ColCount() + FOwner->NumHiddenColumns() && FOwner->RowCount() > 0)
        FOwner->RepaintCell(FOwner->DisplColIndex(Col), 0);
}

bool TFilter::HasFilter(int Col) const
{
    for (const auto& item : FItems)
        if (item->Column() == Col)
            return true;
    return false;
}

// read(item, scratch) answers the item's text, kept by the caller or put
// into scratch.
template <class Read>
bool TFilter::MatchItems(Read&& read) const
{
    bool result = true;
    QString scratch;
    for (const auto& item : FItems) {
        const QString* text = &read(*item, scratch);
        // Most texts have nothing to trim: they are not copied for it (read
        // through const, a shared text does not detach either).
        if (!text->isEmpty() && (text->at(0).unicode() <= 32 || text->at(text->size() - 1).unicode() <= 32)) {
            scratch = fw::Trim(*text);
            text = &scratch;
        }
        // Only a text that starts with the marker is packed wide text.
        if (text->startsWith(QLatin1String("|\\"))) {
            scratch = UnpackWideText(*text);
            text = &scratch;
        }
        const bool match = item->Matches(*text);
        switch (item->Operation()) {
        case foSHORT:
            result = match;
            if (!match)
                return false;
            break;
        case foNONE:
            result = match;
            break;
        case foAND:
            result = result && match;
            break;
        case foXOR:
            result = result != match;
            break;
        case foOR:
            result = result || match;
            break;
        }
    }
    return result;
}

bool TFilter::MatchRow(const std::function<QString(const TFilterData&)>& read) const
{
    return MatchItems([&](const TFilterData& item, QString& scratch) -> const QString& {
        scratch = read(item);
        return scratch;
    });
}

bool TFilter::MatchRowInPlace(const std::function<const QString*(const TFilterData&)>& text) const
{
    static const QString empty;
    return MatchItems([&](const TFilterData& item, QString&) -> const QString& {
        const QString* t = text(item);
        return t ? *t : empty;
    });
}

// ---------------------------------------------------------------- TFilterDropDown

TFilterDropDown::TFilterDropDown() : FColor(fw::clWindow) {}

void TFilterDropDown::SetGlyph(const fw::TBitmap& value)
{
    FGlyph.Assign(value);
    if (OnChange)
        OnChange();
}

void TFilterDropDown::SetGlyphActive(const fw::TBitmap& value)
{
    FGlyphActive.Assign(value);
    if (OnChange)
        OnChange();
}

void TFilterDropDown::Assign(const TFilterDropDown& Source)
{
    FColor = Source.FColor;
    FColumnWidth = Source.FColumnWidth;
    FFont = Source.FFont;
    FHeight = Source.FHeight;
    FWidth = Source.FWidth;
    SetGlyph(Source.FGlyph);
    SetGlyphActive(Source.FGlyphActive);
}
