#include "framework/StringList.h"

#include "framework/AtomicFile.h"
#include "framework/TextFile.h"


#include <algorithm>
#include <vector>

namespace fw {

namespace {
struct Item {
    QString text;
    void* object = nullptr;
};
} // namespace

struct TStringList::Impl {
    std::vector<Item> items;
    bool sorted = false;
    TDuplicates duplicates = TDuplicates::dupIgnore;
    bool caseSensitive = false;
    QChar nameValueSeparator = QLatin1Char('=');
    QChar delimiter = QLatin1Char(',');
    QChar quoteChar = QLatin1Char('"');
    bool strictDelimiter = false;
    QString lineBreak = QStringLiteral("\r\n");
    int updateCount = 0;

    void copySettings(const Impl& o)
    {
        sorted = o.sorted;
        duplicates = o.duplicates;
        caseSensitive = o.caseSensitive;
        nameValueSeparator = o.nameValueSeparator;
        delimiter = o.delimiter;
        quoteChar = o.quoteChar;
        strictDelimiter = o.strictDelimiter;
        lineBreak = o.lineBreak;
    }
};

TStringList::TStringList() : d(std::make_unique<Impl>()) {}

TStringList::TStringList(const TStringList& other) : d(std::make_unique<Impl>())
{
    d->copySettings(*other.d);
    d->items = other.d->items;
}

TStringList& TStringList::operator=(const TStringList& other)
{
    if (this == &other)
        return *this;
    Changing();
    d->copySettings(*other.d);
    d->items = other.d->items;
    Changed();
    return *this;
}

TStringList::TStringList(TStringList&& other) noexcept
    : OnChanging(std::move(other.OnChanging)), OnChange(std::move(other.OnChange)), d(std::move(other.d))
{
    other.d = std::make_unique<Impl>();
}

TStringList& TStringList::operator=(TStringList&& other) noexcept
{
    if (this != &other) {
        std::swap(d, other.d);
        other.d->items.clear();
    }
    return *this;
}

TStringList::~TStringList() = default;

void TStringList::Changing()
{
    if (d->updateCount == 0 && OnChanging)
        OnChanging(*this);
}

void TStringList::Changed()
{
    if (d->updateCount == 0 && OnChange)
        OnChange(*this);
}

void TStringList::BeginUpdate()
{
    if (d->updateCount == 0)
        Changing();
    ++d->updateCount;
}

void TStringList::EndUpdate()
{
    if (d->updateCount <= 0)
        return;
    --d->updateCount;
    if (d->updateCount == 0)
        Changed();
}

int TStringList::UpdateCount() const
{
    return d->updateCount;
}

void TStringList::CheckIndex(int index) const
{
    if (index < 0 || index >= int(d->items.size()))
        throw EStringListError(QStringLiteral("List index out of bounds (%1)").arg(index));
}

int TStringList::Count() const
{
    return int(d->items.size());
}

QString TStringList::Strings(int index) const
{
    CheckIndex(index);
    return d->items[std::size_t(index)].text;
}

void TStringList::SetStrings(int index, const QString& s)
{
    if (d->sorted)
        throw EStringListError(QStringLiteral("Operation not allowed on sorted list"));
    CheckIndex(index);
    Changing();
    d->items[std::size_t(index)].text = s;
    Changed();
}

void* TStringList::Objects(int index) const
{
    CheckIndex(index);
    return d->items[std::size_t(index)].object;
}

void TStringList::SetObjects(int index, void* object)
{
    CheckIndex(index);
    Changing();
    d->items[std::size_t(index)].object = object;
    Changed();
}

void TStringList::InsertItem(int index, const QString& s, void* object)
{
    Changing();
    d->items.insert(d->items.begin() + index, Item{s, object});
    Changed();
}

int TStringList::Add(const QString& s)
{
    return AddObject(s, nullptr);
}

int TStringList::AddObject(const QString& s, void* object)
{
    int index = Count();
    if (d->sorted && Find(s, index)) {
        if (d->duplicates == TDuplicates::dupIgnore)
            return index;
        if (d->duplicates == TDuplicates::dupError)
            throw EStringListError(QStringLiteral("String list does not allow duplicates"));
    }
    InsertItem(index, s, object);
    return index;
}

void TStringList::AddStrings(const TStringList& other)
{
    BeginUpdate();
    const std::vector<Item> copy = other.d->items;   // other may be *this
    for (const Item& it : copy)
        AddObject(it.text, it.object);
    EndUpdate();
}

void TStringList::AddStrings(const QStringList& other)
{
    BeginUpdate();
    if (d->sorted) {
        for (const QString& s : other)
            Add(s);
    } else {
        // Unsorted lists take the strings in one go: the grids give lists of
        // over a thousand numbers to many columns while their windows are built.
        // Room grows geometrically, so that adding a few strings at a time
        // in a loop does not move the whole list each time.
        const std::size_t needed = d->items.size() + size_t(other.size());
        if (needed > d->items.capacity())
            d->items.reserve(std::max(needed, d->items.capacity() * 2));
        for (const QString& s : other)
            d->items.push_back(Item{s, nullptr});
    }
    EndUpdate();
}

void TStringList::Insert(int index, const QString& s)
{
    InsertObject(index, s, nullptr);
}

void TStringList::InsertObject(int index, const QString& s, void* object)
{
    if (d->sorted)
        throw EStringListError(QStringLiteral("Operation not allowed on sorted list"));
    if (index < 0 || index > Count())
        throw EStringListError(QStringLiteral("List index out of bounds (%1)").arg(index));
    InsertItem(index, s, object);
}

void TStringList::Delete(int index)
{
    CheckIndex(index);
    Changing();
    d->items.erase(d->items.begin() + index);
    Changed();
}

void TStringList::Clear()
{
    if (d->items.empty())
        return;
    Changing();
    d->items.clear();
    Changed();
}

void TStringList::Exchange(int index1, int index2)
{
    CheckIndex(index1);
    CheckIndex(index2);
    Changing();
    std::swap(d->items[std::size_t(index1)], d->items[std::size_t(index2)]);
    Changed();
}

void TStringList::Move(int curIndex, int newIndex)
{
    if (curIndex == newIndex)
        return;
    CheckIndex(curIndex);
    CheckIndex(newIndex);
    BeginUpdate();
    const Item it = d->items[std::size_t(curIndex)];
    d->items.erase(d->items.begin() + curIndex);
    d->items.insert(d->items.begin() + newIndex, it);
    EndUpdate();
}

void TStringList::Assign(const TStringList& other)
{
    *this = other;
}

int TStringList::CompareStrings(const QString& a, const QString& b) const
{
    const int folded = a.compare(b, Qt::CaseInsensitive);
    if (!d->caseSensitive || folded != 0)
        return folded;
    // Same letters: lower case sorts before upper case, as the desktop does.
    return -a.compare(b, Qt::CaseSensitive);
}

int TStringList::IndexOf(const QString& s) const
{
    if (d->sorted) {
        int index = 0;
        return Find(s, index) ? index : -1;
    }
    for (int i = 0; i < Count(); ++i)
        if (CompareStrings(d->items[std::size_t(i)].text, s) == 0)
            return i;
    return -1;
}

int TStringList::IndexOfName(const QString& name) const
{
    for (int i = 0; i < Count(); ++i) {
        const QString& line = d->items[std::size_t(i)].text;
        const int p = int(line.indexOf(d->nameValueSeparator));
        if (p >= 0 && CompareStrings(line.left(p), name) == 0)
            return i;
    }
    return -1;
}

int TStringList::IndexOfObject(const void* object) const
{
    for (int i = 0; i < Count(); ++i)
        if (d->items[std::size_t(i)].object == object)
            return i;
    return -1;
}

bool TStringList::Find(const QString& s, int& index) const
{
    // Binary search; with duplicates accepted the first equal item is found.
    int lo = 0, hi = Count() - 1;
    bool found = false;
    while (lo <= hi) {
        const int mid = (lo + hi) / 2;
        const int c = CompareStrings(d->items[std::size_t(mid)].text, s);
        if (c < 0) {
            lo = mid + 1;
        } else {
            hi = mid - 1;
            if (c == 0) {
                found = true;
                if (d->duplicates != TDuplicates::dupAccept)
                    lo = mid;
            }
        }
    }
    index = lo;
    return found;
}

bool TStringList::Sorted() const
{
    return d->sorted;
}

void TStringList::SetSorted(bool sorted)
{
    if (d->sorted == sorted)
        return;
    if (sorted)
        Sort();
    d->sorted = sorted;
}

TDuplicates TStringList::Duplicates() const
{
    return d->duplicates;
}

void TStringList::SetDuplicates(TDuplicates dup)
{
    d->duplicates = dup;
}

bool TStringList::CaseSensitive() const
{
    return d->caseSensitive;
}

void TStringList::SetCaseSensitive(bool cs)
{
    if (d->caseSensitive == cs)
        return;
    d->caseSensitive = cs;
    if (d->sorted)
        Sort();
}

void TStringList::Sort()
{
    CustomSort([](const TStringList& list, int a, int b) {
        return list.CompareStrings(list.d->items[std::size_t(a)].text, list.d->items[std::size_t(b)].text);
    });
}

void TStringList::CustomSort(const std::function<int(const TStringList&, int, int)>& compare)
{
    if (Count() < 2)
        return;
    Changing();
    // Sort a permutation so the comparison can address items by index.
    std::vector<int> order(d->items.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = int(i);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return compare(*this, a, b) < 0; });
    std::vector<Item> sortedItems;
    sortedItems.reserve(order.size());
    for (int i : order)
        sortedItems.push_back(d->items[std::size_t(i)]);
    d->items.swap(sortedItems);
    Changed();
}

QChar TStringList::NameValueSeparator() const
{
    return d->nameValueSeparator;
}

void TStringList::SetNameValueSeparator(QChar c)
{
    d->nameValueSeparator = c;
}

QString TStringList::Names(int index) const
{
    const QString line = Strings(index);
    const int p = int(line.indexOf(d->nameValueSeparator));
    return p >= 0 ? line.left(p) : QString();
}

QString TStringList::Values(const QString& name) const
{
    const int i = IndexOfName(name);
    return i >= 0 ? ValueFromIndex(i) : QString();
}

void TStringList::SetValues(const QString& name, const QString& value)
{
    const int i = IndexOfName(name);
    if (value.isEmpty()) {
        if (i >= 0)
            Delete(i);
        return;
    }
    const QString line = name + d->nameValueSeparator + value;
    if (i < 0) {
        Add(line);
    } else {
        Changing();
        d->items[std::size_t(i)].text = line;
        Changed();
    }
}

QString TStringList::ValueFromIndex(int index) const
{
    const QString line = Strings(index);
    const int p = int(line.indexOf(d->nameValueSeparator));
    return p >= 0 ? line.mid(p + 1) : QString();
}

void TStringList::SetValueFromIndex(int index, const QString& value)
{
    if (value.isEmpty()) {
        Delete(index);
        return;
    }
    const QString name = Names(index);
    Changing();
    d->items[std::size_t(index)].text = name + d->nameValueSeparator + value;
    Changed();
}

QChar TStringList::Delimiter() const
{
    return d->delimiter;
}

void TStringList::SetDelimiter(QChar c)
{
    d->delimiter = c;
}

QChar TStringList::QuoteChar() const
{
    return d->quoteChar;
}

void TStringList::SetQuoteChar(QChar c)
{
    d->quoteChar = c;
}

bool TStringList::StrictDelimiter() const
{
    return d->strictDelimiter;
}

void TStringList::SetStrictDelimiter(bool strict)
{
    d->strictDelimiter = strict;
}

namespace {

QString joinDelimited(const std::vector<Item>& items, QChar delimiter, QChar quote, bool strict)
{
    if (items.size() == 1 && items[0].text.isEmpty())
        return QString(2, quote);
    QString out;
    bool first = true;
    for (const Item& it : items) {
        bool needsQuotes = false;
        for (QChar c : it.text) {
            if (c == quote || c == delimiter || (!strict && c.unicode() <= 32) || c.unicode() == 0) {
                needsQuotes = true;
                break;
            }
        }
        if (!first)
            out += delimiter;
        first = false;
        out += needsQuotes ? AnsiQuotedStr(it.text, quote) : it.text;
    }
    return out;
}

bool isParseBlank(QChar c)
{
    return c.unicode() >= 1 && c.unicode() <= 32;
}

} // namespace

QString TStringList::DelimitedText() const
{
    return joinDelimited(d->items, d->delimiter, d->quoteChar, d->strictDelimiter);
}

void TStringList::SetDelimitedText(const QString& text)
{
    const QChar delim = d->delimiter;
    const QChar quote = d->quoteChar;
    const bool strict = d->strictDelimiter;
    BeginUpdate();
    Clear();
    const int n = int(text.size());
    int p = 0;
    if (!strict)
        while (p < n && isParseBlank(text.at(p)))
            ++p;
    while (p < n) {
        QString s;
        if (text.at(p) == quote) {
            s = AnsiExtractQuotedStr(text, p, quote);
        } else {
            const int start = p;
            while (p < n && (strict || text.at(p).unicode() > 32) && text.at(p) != delim)
                ++p;
            s = text.mid(start, p - start);
        }
        Add(s);
        if (!strict)
            while (p < n && isParseBlank(text.at(p)))
                ++p;
        if (p < n && text.at(p) == delim) {
            if (p + 1 == n)
                Add(QString());
            do {
                ++p;
            } while (!strict && p < n && isParseBlank(text.at(p)));
        }
    }
    EndUpdate();
}

QString TStringList::CommaText() const
{
    return joinDelimited(d->items, QLatin1Char(','), QLatin1Char('"'), false);
}

void TStringList::SetCommaText(const QString& text)
{
    const QChar oldDelim = d->delimiter, oldQuote = d->quoteChar;
    const bool oldStrict = d->strictDelimiter;
    d->delimiter = QLatin1Char(',');
    d->quoteChar = QLatin1Char('"');
    d->strictDelimiter = false;
    try {
        SetDelimitedText(text);
    } catch (...) {
        d->delimiter = oldDelim, d->quoteChar = oldQuote, d->strictDelimiter = oldStrict;
        throw;
    }
    d->delimiter = oldDelim, d->quoteChar = oldQuote, d->strictDelimiter = oldStrict;
}

QString TStringList::LineBreak() const
{
    return d->lineBreak;
}

void TStringList::SetLineBreak(const QString& lb)
{
    d->lineBreak = lb;
}

QString TStringList::Text() const
{
    QString out;
    for (const Item& it : d->items) {
        out += it.text;
        out += d->lineBreak;
    }
    return out;
}

void TStringList::SetText(const QString& text)
{
    BeginUpdate();
    Clear();
    const int n = int(text.size());
    int p = 0;
    while (p < n) {
        const int start = p;
        while (p < n && text.at(p) != QLatin1Char('\r') && text.at(p) != QLatin1Char('\n'))
            ++p;
        Add(text.mid(start, p - start));
        if (p < n && text.at(p) == QLatin1Char('\r'))
            ++p;
        if (p < n && text.at(p) == QLatin1Char('\n'))
            ++p;
    }
    EndUpdate();
}

void TStringList::LoadFromFile(const QString& fileName)
{
    QByteArray bytes;
    QString error;
    if (!ReadTextFileBytes(fileName, bytes, &error))
        throw EFileError(error);
    SetText(DecodeText(bytes));
}

void TStringList::SaveToFile(const QString& fileName) const
{
    QString error;
    if (!WriteFileAtomically(fileName, Text().toUtf8(), &error))
        throw EFileError(QStringLiteral("Cannot create file \"%1\". %2").arg(fileName, error));
}

QStringList TStringList::ToQStringList() const
{
    QStringList out;
    out.reserve(Count());
    for (const Item& it : d->items)
        out << it.text;
    return out;
}

} // namespace fw
