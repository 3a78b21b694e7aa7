#pragma once
// The desktop framework's string list: an ordered list of texts, each with a
// non-owning object slot, optionally kept sorted, with name=value access and
// the comma/delimited text forms the grid's persistence relies on.
#include "framework/SysUtils.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

namespace fw {

// Raised for an index outside the list ("List index out of bounds (5)"), a
// duplicate under dupError, or an insertion into a sorted list.
class EStringListError : public Exception {
public:
    using Exception::Exception;
};

enum class TDuplicates { dupIgnore, dupAccept, dupError };

class TStringList {
public:
    TStringList();
    TStringList(const TStringList& other);              // texts, objects and settings
    TStringList& operator=(const TStringList& other);
    TStringList(TStringList&& other) noexcept;
    TStringList& operator=(TStringList&& other) noexcept;
    virtual ~TStringList();

    // ---- items ----
    int Count() const;
    QString Strings(int index) const;
    void SetStrings(int index, const QString& s);
    QString operator[](int index) const { return Strings(index); }
    // The object slot holds a pointer the list never owns or frees.
    void* Objects(int index) const;
    void SetObjects(int index, void* object);

    // Add appends, or inserts at the sorted position when Sorted; returns the
    // index, or the existing index when Sorted with dupIgnore finds a match.
    int Add(const QString& s);
    int AddObject(const QString& s, void* object);
    void AddStrings(const TStringList& other);
    void AddStrings(const QStringList& other);
    void Insert(int index, const QString& s);
    void InsertObject(int index, const QString& s, void* object);
    void Delete(int index);
    void Clear();
    void Exchange(int index1, int index2);
    void Move(int curIndex, int newIndex);
    void Assign(const TStringList& other);   // same as copy assignment

    int IndexOf(const QString& s) const;       // -1 when absent
    int IndexOfName(const QString& name) const;
    int IndexOfObject(const void* object) const;
    // Binary search of a sorted list: true when found; index is the match or
    // the insertion position.
    bool Find(const QString& s, int& index) const;

    // ---- order and comparison ----
    bool Sorted() const;
    void SetSorted(bool sorted);               // sorting on, sorts at once
    TDuplicates Duplicates() const;
    void SetDuplicates(TDuplicates d);
    bool CaseSensitive() const;                // false by default
    void SetCaseSensitive(bool cs);
    void Sort();
    // Stable sort by a comparison of two item indices (<0, 0, >0).
    void CustomSort(const std::function<int(const TStringList&, int, int)>& compare);
    // The comparison used for sorting, searching and IndexOf.
    int CompareStrings(const QString& a, const QString& b) const;

    // ---- name=value ----
    QChar NameValueSeparator() const;          // "=" by default
    void SetNameValueSeparator(QChar c);
    QString Names(int index) const;            // empty when the line has no separator
    QString Values(const QString& name) const;
    // An empty value deletes the line; an absent name adds "name=value".
    void SetValues(const QString& name, const QString& value);
    QString ValueFromIndex(int index) const;
    void SetValueFromIndex(int index, const QString& value);

    // ---- text forms ----
    QChar Delimiter() const;                   // "," by default
    void SetDelimiter(QChar c);
    QChar QuoteChar() const;                   // '"' by default
    void SetQuoteChar(QChar c);
    bool StrictDelimiter() const;              // false: blanks also separate
    void SetStrictDelimiter(bool strict);
    // An item is quoted when it holds a blank or control character (only
    // when not strict), the quote character or the delimiter; a single empty
    // item is written as two quote characters.
    QString DelimitedText() const;
    void SetDelimitedText(const QString& text);
    // DelimitedText with ",", '"' and non-strict parsing, whatever is set.
    QString CommaText() const;
    void SetCommaText(const QString& text);

    QString LineBreak() const;                 // "\r\n" by default
    void SetLineBreak(const QString& lb);
    // Every line followed by LineBreak. Setting splits at CR LF, CR or LF;
    // a final line break adds no empty line.
    QString Text() const;
    void SetText(const QString& text);

    // UTF-8 (a leading byte-order mark is skipped on reading). Raise
    // EFileError when the file cannot be read or written.
    void LoadFromFile(const QString& fileName);
    void SaveToFile(const QString& fileName) const;

    QStringList ToQStringList() const;

    // ---- notification ----
    // OnChanging before and OnChange after every change, held back while an
    // update bracket is open; EndUpdate of the outermost bracket fires once.
    std::function<void(TStringList&)> OnChanging;
    std::function<void(TStringList&)> OnChange;
    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const;

protected:
    void Changing();
    void Changed();

private:
    struct Impl;
    std::unique_ptr<Impl> d;
    void CheckIndex(int index) const;
    void InsertItem(int index, const QString& s, void* object);
};

} // namespace fw
