#include "grid/exchange/FxClipText.h"

#include <algorithm>

namespace fxexchange {

namespace {

const QChar Quote = QLatin1Char('"');
const QChar Tab = QLatin1Char('\t');
const QChar Cr = QLatin1Char('\r');
const QChar Lf = QLatin1Char('\n');

bool IsEmptyRow(const QStringList& row)
{
    return row.size() == 1 && row.front().isEmpty();
}

} // namespace

QString ClipField(const QString& text)
{
    const bool needsQuotes = text.startsWith(Quote) || text.contains(Tab) || text.contains(Cr) || text.contains(Lf);
    if (!needsQuotes)
        return text;
    QString out;
    out.reserve(text.size() + 2);
    out += Quote;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text.at(i);
        if (ch == Quote) {
            out += Quote;
            out += Quote;
        } else if (ch == Cr) {
            out += Lf;
            if (i + 1 < text.size() && text.at(i + 1) == Lf)
                ++i;
        } else {
            out += ch;
        }
    }
    out += Quote;
    return out;
}

std::vector<QStringList> ParseClipText(const QString& source)
{
    const qsizetype nul = source.indexOf(QChar(0));
    const QString text = nul >= 0 ? source.left(nul) : source;
    std::vector<QStringList> rows;
    QStringList row;
    QString field;
    const qsizetype n = text.size();
    qsizetype i = 0;
    bool fieldStart = true;
    while (i < n) {
        const QChar ch = text.at(i);
        if (fieldStart && ch == Quote) {
            // A quoted field, when its quote closes somewhere.
            qsizetype j = i + 1;
            QString quoted;
            bool closed = false;
            while (j < n) {
                const QChar q = text.at(j);
                if (q == Quote) {
                    if (j + 1 < n && text.at(j + 1) == Quote) {
                        quoted += Quote;
                        j += 2;
                        continue;
                    }
                    closed = true;
                    ++j;
                    break;
                }
                if (q == Cr || q == Lf) {
                    quoted += QStringLiteral("\r\n");
                    j += (q == Cr && j + 1 < n && text.at(j + 1) == Lf) ? 2 : 1;
                    continue;
                }
                quoted += q;
                ++j;
            }
            fieldStart = false;
            if (closed) {
                field += quoted;
                i = j;
                continue;
            }
            field += ch;   // never closed: the quote is text
            ++i;
            continue;
        }
        fieldStart = false;
        if (ch == Tab) {
            row << field;
            field.clear();
            fieldStart = true;
            ++i;
        } else if (ch == Cr || ch == Lf) {
            row << field;
            field.clear();
            rows.push_back(row);
            row.clear();
            fieldStart = true;
            i += (ch == Cr && i + 1 < n && text.at(i + 1) == Lf) ? 2 : 1;
        } else {
            field += ch;
            ++i;
        }
    }
    row << field;
    rows.push_back(row);
    return rows;
}

void MeasureClipRows(const std::vector<QStringList>& rows, int& Cols, int& Rows)
{
    Cols = 0;
    Rows = 0;
    for (const QStringList& row : rows) {
        Cols = std::max(Cols, int(row.size()));
        if (!IsEmptyRow(row))
            ++Rows;
    }
    Rows = std::max(0, Rows - 1);
}

} // namespace fxexchange
