#pragma once
// The tab-separated text of the clipboard and of text drags, without a grid:
// one cell as written, a text cut into rows and fields, and its measure.
#include <QString>
#include <QStringList>

#include <vector>

namespace fxexchange {

// One cell as a field of the tab-separated form. A text holding a TAB, a
// line break or beginning with a double quote is quoted with its quotes
// doubled, so the cut below gives it back whole; its line breaks become LF
// the way spreadsheets write them.
QString ClipField(const QString& text);

// The rows of a tab-separated text (cut at its first NUL). CR LF, CR and LF
// end a row outside quotes; a field beginning with a double quote runs to
// its closing quote, has doubled quotes reduced and keeps its line breaks
// (as CR LF, the grid's own); text after the closing quote up to the next
// TAB belongs to the field. A quote that never closes is an ordinary
// character. A text ending with a line break has an empty last row (one
// empty field), as the clipboard form of a rectangle always does.
std::vector<QStringList> ParseClipText(const QString& text);

// The widest row in fields, and how many rows beyond the first hold
// something ("a\tb\r\nc\td\r\n" measures 2 columns and 1 row).
void MeasureClipRows(const std::vector<QStringList>& rows, int& Cols, int& Rows);

} // namespace fxexchange
