// The native cell text form: file and stream, and CellToReal.
#include "grid/model/FxGrid.h"
#include "grid/exchange/FxExchangeIo.h"
#include "grid/exchange/FxNativeCellText.h"

#include "grid/foundation/FxUtilText.h"

#include <QIODevice>
#include <QStringList>

#include <cmath>

using namespace fxexchange;

namespace {

const QString CrLf = QStringLiteral("\r\n");

// The width a saved "cw" line gives: columns past the grid save the default.
int SavedColWidth(const TFxStringGrid& g, int c)
{
    return c < g.ColCount() ? g.ColWidths(c) : g.DefaultColWidth();
}

// A cell line's two leading fields read leniently (a missing comma leaves the
// rest of the line as the text).
void SplitCellLine(const QString& line, int& col, int& row, QString& text)
{
    const qsizetype c1 = line.indexOf(QLatin1Char(','));
    if (c1 < 0) {
        col = row = 0;
        text = line;
        return;
    }
    col = LenientInt(line.left(c1));
    const qsizetype c2 = line.indexOf(QLatin1Char(','), c1 + 1);
    if (c2 < 0) {
        row = 0;
        text = line.mid(c1 + 1);
        return;
    }
    row = LenientInt(line.mid(c1 + 1, c2 - c1 - 1));
    text = line.mid(c2 + 1);
}

// One line of the stream form: UTF-16LE code units up to CR, then the LF.
bool ReadStreamLine(QIODevice& s, QString& line)
{
    line.clear();
    if (s.atEnd())
        return false;
    char u[2];
    while (s.read(u, 2) == 2) {
        const char16_t c = char16_t(uchar(u[0]) | (uchar(u[1]) << 8));
        if (c == 13) {
            s.read(u, 2);
            return true;
        }
        line += QChar(c);
    }
    return true;
}

void WriteStreamLine(QIODevice& s, const QString& line)
{
    const QString l = line + CrLf;
    QByteArray bytes(l.size() * 2, Qt::Uninitialized);
    for (qsizetype i = 0; i < l.size(); ++i) {
        bytes[2 * i] = char(l[i].unicode() & 0xFF);
        bytes[2 * i + 1] = char(l[i].unicode() >> 8);
    }
    s.write(bytes);
}

} // namespace

void TFxStringGrid::SaveToFile(const QString& FileName, bool Unicode)
{
    const int H = SaveHiddenCells() ? NumHiddenColumns() : 0;
    const int firstCol = SaveStartCol(), lastCol = SaveEndCol() + H;
    QStringList lines;
    lines << QStringLiteral("%1,%2").arg(SaveColCount() + H).arg(SaveRowCount());
    for (int c = firstCol; c <= lastCol; ++c)
        lines << QStringLiteral("cw %1,%2").arg(c).arg(SavedColWidth(*this, c));

    TProgressReporter progress(ProgressSink(*this));
    ExportNotification(esExportStart, SaveStartRow());
    QString v;
    for (int r = SaveStartRow(); r <= SaveEndRow(); ++r) {
        ExportNotification(esExportNextRow, r);
        for (int c = firstCol; c <= lastCol; ++c) {
            GetCellForSave(c, r, v);
            if (!v.isEmpty())
                lines << QStringLiteral("%1,%2,").arg(c).arg(r) + EncodeCellLine(v);
        }
        if (progress.Active())
            progress.Report(ProgressPercent(r, SaveRowCount() - 1));
    }
    ExportNotification(esExportDone, -1);

    QString text = lines.join(CrLf);
    text += CrLf;
    WriteGridTextFile(FileName, text, Unicode ? TTextEncoding::Utf16LeBom : TTextEncoding::Ansi);
}

void TFxStringGrid::LoadFromFile(const QString& FileName)
{
    const QString corrupt = QStringLiteral("File contains no data or corrupt file ") + FileName;
    const QStringList lines = SplitTextLines(ReadGridTextFile(FileName));
    if (lines.isEmpty())
        throw EFxGridError(corrupt);

    const bool fixedCols = SaveFixedCells() || SaveFixedCols();
    const bool fixedRows = SaveFixedCells() || SaveFixedRows();
    const int a = fixedCols ? 0 : FixedCols();
    const int b = fixedRows ? 0 : FixedRows();
    if (!lines.first().isEmpty()) {
        int cols = 0, rows = 0;
        if (!ParseCountLine(lines.first(), cols, rows) || a + cols > MaxLoadColCount || b + rows > MaxLoadRowCount)
            throw EFxGridError(corrupt);
        if (cols == 0 || rows == 0)
            throw EFxGridError(corrupt);
        SetColCount(a + cols);
        SetRowCount(b + rows);
    }
    if (ColCount() == 0 || RowCount() == 0)
        throw EFxGridError(corrupt);

    TProgressReporter progress(ProgressSink(*this));
    const bool multi = Multilinecells();
    const int storeCols = ColCount() + NumHiddenColumns();
    QString cellText;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QString& line = lines[i];
        if (line.startsWith(QLatin1String("cw"))) {
            const qsizetype comma = line.indexOf(QLatin1Char(','));
            if (comma < 0)
                continue;
            const int index = LenientInt(line.mid(3, comma - 3));
            const int width = LenientInt(line.mid(comma + 1, 255));
            if (index >= 0 && index < ColCount() && width >= 0)
                SetColWidths(index, width);
            continue;
        }
        int c = 0, r = 0;
        SplitCellLine(line, c, r, cellText);
        if (c >= 0 && c < storeCols && r >= 0 && r < RowCount())
            SetCellFromLoad(c, r, DecodeCellLine(cellText, multi));
        if (progress.Active())
            progress.Report(ProgressPercent(r, RowCount() - 1));
    }
    DoCellsChanged(fw::TRect(0, 0, ColCount(), RowCount()));
    RecalcFooters();
}

void TFxStringGrid::SaveToStream(QIODevice& Stream)
{
    WriteStreamLine(Stream, QStringLiteral("%1,%2").arg(SaveColCount()).arg(SaveRowCount()));
    for (int c = 0; c < ColCount(); ++c)
        WriteStreamLine(Stream, QStringLiteral("cw %1,%2").arg(c).arg(ColWidths(c)));
    const int c0 = SaveStartCol(), r0 = SaveStartRow();
    ExportNotification(esExportStart, r0);
    QString v;
    for (int r = r0; r <= SaveEndRow(); ++r) {
        ExportNotification(esExportNextRow, r);
        for (int c = c0; c <= SaveEndCol(); ++c) {
            GetCellForSave(c, r, v);
            if (!v.isEmpty())
                WriteStreamLine(Stream, QStringLiteral("%1,%2,").arg(c - c0).arg(r - r0) + EncodeCellLine(v));
        }
    }
    ExportNotification(esExportDone, -1);
}

void TFxStringGrid::LoadFromStream(QIODevice& Stream)
{
    QString line;
    const int c0 = SaveStartCol(), r0 = SaveStartRow();
    if (ReadStreamLine(Stream, line) && !line.isEmpty()) {
        int cols = 0, rows = 0;
        if (!ParseCountLine(line, cols, rows) || c0 + cols > MaxLoadColCount || r0 + rows > MaxLoadRowCount)
            throw fw::EConvertError(QStringLiteral("'") + line + QStringLiteral("' is not a valid grid size"));
        SetColCount(c0 + cols);
        SetRowCount(r0 + rows);
    }
    const bool multi = Multilinecells();
    while (!Stream.atEnd()) {
        const qint64 at = Stream.pos();
        ReadStreamLine(Stream, line);
        if (line.startsWith(QLatin1String("cw"))) {
            const qsizetype comma = line.indexOf(QLatin1Char(','));
            int index = 0, width = 0;
            if (comma < 0 || !StrictInt(line.mid(3, comma - 3), index) || !StrictInt(line.mid(comma + 1), width))
                throw fw::EConvertError(QStringLiteral("'") + line + QStringLiteral("' is not a valid column width"));
            if (index >= 0 && index < ColCount() && width >= 0)
                SetColWidths(index, width);
            continue;
        }
        const qsizetype c1 = line.indexOf(QLatin1Char(','));
        const qsizetype c2 = c1 > 0 ? line.indexOf(QLatin1Char(','), c1 + 1) : -1;
        if (c1 <= 0 || c2 < 0 || c2 == c1 + 1) {
            Stream.seek(at);   // not ours: left for whoever reads on
            break;
        }
        int c = 0, r = 0;
        if (!StrictInt(line.left(c1), c) || !StrictInt(line.mid(c1 + 1, c2 - c1 - 1), r))
            throw fw::EConvertError(QStringLiteral("'") + line.left(c2) + QStringLiteral("' is not a valid cell position"));
        c += c0;
        r += r0;
        if (c >= 0 && c < ColCount() + NumHiddenColumns() && r >= 0 && r < RowCount())
            SetCellFromLoad(c, r, DecodeCellLine(line.mid(c2 + 1), multi));
    }
    DoCellsChanged(fw::TRect(0, 0, ColCount(), RowCount()));
    RecalcFooters();
}

double TFxStringGrid::CellToReal(int ACol, int ARow)
{
    const QString text = Cells(ACol, ARow);
    if (text.isEmpty())
        return 0;
    const QString n = NormalizeNumberText(text);
    // The longest leading part that parses tells where parsing stopped.
    bool ok = false;
    const double v = n.toDouble(&ok);
    if (ok && std::isfinite(v))
        return v;
    qsizetype good = 0;
    for (qsizetype len = 1; len <= n.size(); ++len) {
        bool partOk = false;
        n.left(len).toDouble(&partOk);
        if (partOk)
            good = len;
    }
    throw EFxGridError(QStringLiteral("Error at position: %1 in Cell [%2, %3].").arg(good + 1).arg(ACol).arg(ARow));
}
