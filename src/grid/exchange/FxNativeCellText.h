#pragma once
// The pieces of the grid's native line format that need no grid: how a cell
// text fits on one line, how the number fields of a line are read, and the
// percentage a long save or load reports.
#include <QString>

#include <functional>

namespace fxexchange {

// Largest counts a file or stream may set: anything beyond is refused as
// corrupt instead of allocating without bound.
constexpr int MaxLoadColCount = 16384;
constexpr int MaxLoadRowCount = 1048576;
// Largest grid file read into memory.
constexpr qint64 MaxGridFileBytes = qint64(512) * 1024 * 1024;

// One cell text as one line. Texts whose line breaks are CR LF pairs keep
// the established form (CR -> #9, LF -> #8, #0 -> #1) that earlier files
// hold; any text that form cannot carry back exactly (a lone CR or LF, a
// TAB beside a CR, a #8 of its own) is written as #2 followed by the text
// with CR, LF, ESC and #0 escaped by ESC, so no line break ever reaches the
// file and every text reads back as written.
QString EncodeCellLine(const QString& text);
// The reverse of EncodeCellLine; with multiLine off only the first line is
// kept (up to the first CR or LF).
QString DecodeCellLine(const QString& line, bool multiLine);

// The integer at the start of text the lenient way: leading blanks, an
// optional sign, "$" or "0x" for hexadecimal; reading stops at the first
// character that does not fit; 0 when nothing was read. Saturates instead
// of overflowing.
int LenientInt(const QString& text);
// A plain decimal integer with an optional "-" and nothing else; false
// otherwise.
bool StrictInt(const QString& text, int& value);

// "count,count" as written on a grid file's first line, strictly and within
// the load limits; false for anything else.
bool ParseCountLine(const QString& line, int& cols, int& rows);

// The percentage of `done` out of `last` (at least 1), between 0 and 100.
int ProgressPercent(qint64 done, qint64 last);

// Reports a percentage only when it differs from the last one reported.
class TProgressReporter {
public:
    explicit TProgressReporter(std::function<void(int)> sink) : Sink(std::move(sink)) {}
    bool Active() const { return bool(Sink); }
    void Report(int percent);

private:
    std::function<void(int)> Sink;
    int Last = -1;
};

} // namespace fxexchange
