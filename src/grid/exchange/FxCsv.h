#pragma once
// Delimiter-separated text without a grid: encoding one field, splitting a
// text into records and fields, and finding the delimiter of a file.
#include <QChar>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <QByteArray>

#include <functional>

namespace fxexchange {

struct TCsvFlavour {
    QChar Delimiter = QLatin1Char(',');
    bool QuoteEmptyCells = true;
    bool AlwaysQuotes = false;
    // Empty cells as "^" and line breaks as "~" instead of quoted breaks.
    bool JavaCSV = false;
};

// One field as written. A text holding the delimiter, a double quote, a CR
// or LF or beginning with a blank is quoted with its quotes doubled, so any
// reader that follows the common rules gets it back whole; line breaks stay
// inside the quotes.
QString EncodeCsvField(const QString& text, const TCsvFlavour& f);

// Records written straight into the bytes of a file, UTF-8 or the Western
// code page, each field quoted as EncodeCsvField quotes it. A field is
// scanned once: it is copied as it is until something calls for quotes,
// which are then put around what was copied.
class TCsvWriter {
public:
    TCsvWriter(const TCsvFlavour& f, bool utf8);
    // A delimiter goes before every field of a record but the first.
    void Field(QStringView text);
    void EndRecord();   // CR LF
    // Text as it stands, encoded.
    void Text(QStringView text);
    // The bytes written so far, when there is no sink.
    QByteArray TakeBytes();

    // With a sink the bytes go out in pieces of about ChunkBytes, so that a
    // large file is never held whole and the buffer stays in the cache;
    // Flush hands over what is left.
    static constexpr qsizetype ChunkBytes = 64 * 1024;
    void SetSink(std::function<void(const char* data, qsizetype size)> sink);
    void Flush();

private:
    char* Room(qsizetype bytes);
    char* Put(char* p, const char16_t* s, qsizetype& i, qsizetype n);

    TCsvFlavour Flavour;
    bool Utf8;
    bool FirstField = true;
    bool Special[128] = {};   // ASCII characters that call for quotes
    QByteArray Bytes;
    qsizetype Length = 0;
    std::function<void(const char*, qsizetype)> Sink;
};

// The delimiters a reader tries, in order.
extern const QChar CsvDelimiterCandidates[10];

// Splits text into records: CR LF, CR and LF end a record outside quotes;
// a quoted field may hold line breaks and doubled quotes; text after a
// closing quote up to the delimiter belongs to the field; an unclosed quote
// keeps the rest of the text as its field. A delimiter of #0 gives one field
// per record. The sink gets the raw fields of each record and returns false
// to stop. Blanks before an opening quote are dropped; other blanks are
// part of the field.
class TCsvReader {
public:
    TCsvReader(const QString& text, QChar delimiter) : Text(text), Delimiter(delimiter) {}
    // Reads the next record into fields; false at the end of the text.
    bool Next(QStringList& fields);
    // Passes over the next record as Next reads it, making no fields: counts
    // the records a load will make before the grid changes.
    bool Skip();
    // The raw text of the next record without consuming anything: used to
    // find the delimiter.
    static QString PeekRecord(const QString& text, qsizetype& pos);

private:
    const QString& Text;
    QChar Delimiter;
    qsizetype Pos = 0;
};

// The delimiter of a file from its first two records (the second empty when
// there is one): counting only characters outside quotes, a candidate found
// equally often unpaired in both wins, then equally often at all, then the
// most frequent; #0 when no candidate occurs.
QChar SniffCsvDelimiter(const QString& first, const QString& second);

// A field as stored in a cell: with JavaCSV "~" is a line break and "^"
// alone an empty cell; otherwise #11 (VT, written by earlier versions for a
// line break) becomes CR LF.
QString DecodeCsvField(const QString& field, bool javaCsv);

} // namespace fxexchange
