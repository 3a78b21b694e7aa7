// Delimiter-separated and fixed-width text files of the grid.
#include "grid/model/FxGrid.h"
#include "grid/exchange/FxCsv.h"
#include "grid/exchange/FxExchangeIo.h"
#include "grid/exchange/FxNativeCellText.h"

#include "grid/foundation/FxObj.h"
#include "framework/TextFile.h"
#include "grid/paint/FxFloatingFooter.h"

#include <QIODevice>
#include <QStringList>

#include <algorithm>

using namespace fxexchange;

namespace {

const QString CrLf = QStringLiteral("\r\n");

TCsvFlavour CsvFlavour(TFxStringGrid& g)
{
    TCsvFlavour f;
    f.Delimiter = g.Delimiter().unicode() ? g.Delimiter() : QLatin1Char(',');
    f.QuoteEmptyCells = g.QuoteEmptyCells();
    f.AlwaysQuotes = g.AlwaysQuotes();
    f.JavaCSV = g.JavaCSV();
    return f;
}

// The CSV rows of the save range, each ended by CR LF.
void WriteCsvRecords(TFxStringGrid& g, TCsvWriter& w)
{
    const bool hidden = g.SaveHiddenCells();
    const int H = hidden ? g.NumHiddenColumns() : 0;
    TProgressReporter progress(ProgressSink(g));
    QString v;
    g.ExportNotification(esExportStart, g.SaveStartRow());
    for (int r = g.SaveStartRow(); r <= g.SaveEndRow(); ++r) {
        g.ExportNotification(esExportNextRow, r);
        for (int c = g.SaveStartCol(); c <= g.SaveEndCol() + H; ++c) {
            g.GetCellForSave(hidden ? c : g.RealColIndex(c), r, v);
            w.Field(v);
        }
        w.EndRecord();
        if (progress.Active())
            progress.Report(ProgressPercent(r, g.RowCount() - 1));
    }
    g.ExportNotification(esExportDone, -1);
}

// Puts the grid's delimiter back however the load ends.
class TDelimiterRestore {
public:
    explicit TDelimiterRestore(TFxStringGrid& g) : Grid(g), Saved(g.Delimiter()) {}
    ~TDelimiterRestore() { Grid.SetDelimiter(Saved); }

private:
    TFxStringGrid& Grid;
    QChar Saved;
};

// The file is written as the records are made, and replaces the old one
// only once it is complete and on disk.
void WriteCsvFile(TFxStringGrid& g, const QString& fileName, bool unicode, const QString& before)
{
    TGridFileOutput file(fileName);
    TCsvWriter w(CsvFlavour(g), unicode);
    w.SetSink([&file](const char* data, qsizetype size) { file.Write(data, size); });
    if (unicode)
        w.Text(u"\uFEFF");
    w.Text(before);
    WriteCsvRecords(g, w);
    w.Flush();
    file.Commit();
}

} // namespace

void TFxStringGrid::SaveToCSV(const QString& FileName, bool Unicode)
{
    WriteCsvFile(*this, FileName, Unicode, QString());
}

void TFxStringGrid::AppendToCSV(const QString& FileName, bool Unicode)
{
    QString text = ReadGridTextFile(FileName);
    if (!text.isEmpty() && !text.endsWith(QLatin1Char('\n')) && !text.endsWith(QLatin1Char('\r')))
        text += CrLf;
    WriteCsvFile(*this, FileName, Unicode, text);
}

void TFxStringGrid::LoadFromCSV(const QString& FileName, int MaxRows)
{
    const QString text = ReadGridTextFile(FileName);
    if (!text.isEmpty())
        LoadCsvText(text, MaxRows, false);
}

void TFxStringGrid::InsertFromCSV(const QString& FileName, int MaxRows)
{
    const QString text = ReadGridTextFile(FileName);
    if (!text.isEmpty())
        LoadCsvText(text, MaxRows, true);
}

void TFxStringGrid::LoadFromCSVStream(QIODevice& AStream, int MaxRows)
{
    const QByteArray bytes = ReadGridStream(AStream);
    LoadCsvText(fw::DecodeText(bytes), MaxRows, false);
}

void TFxStringGrid::LoadCsvText(const QString& text, int MaxRows, bool Insert)
{
    if (text.isEmpty())
        throw fw::Exception(QStringLiteral("File is empty"));
    TDelimiterRestore restore(*this);

    // The floating footer's row stays the last row.
    const bool footer = Insert && FloatingFooter().Visible();
    const int storeCols = ColCount() + NumHiddenColumns();
    int row = Insert ? (footer ? RowCount() - 1 : RowCount()) : SaveStartRow();

    QChar delimiter = Delimiter();
    if (!delimiter.unicode()) {
        qsizetype pos = 0;
        const QString first = TCsvReader::PeekRecord(text, pos);
        const QString second = TCsvReader::PeekRecord(text, pos);
        delimiter = SniffCsvDelimiter(first, second);
        SetDelimiter(delimiter);
    }

    // The records are counted first: a file with too many is refused before
    // the grid changes. (The rows still come a thousand at a time: taking
    // them all in one step made the loads of a process return their memory
    // and fault it in again, several times slower.)
    qint64 total = 0;
    {
        TCsvReader counter(text, delimiter);
        while (counter.Skip())
            ++total;
    }
    if (!LoadFirstRow() && total > 0)
        --total;
    const qint64 toLoad = MaxRows > 0 ? std::min<qint64>(total, MaxRows) : total;
    if (qint64(row) + toLoad + FixedFooters() > MaxLoadRowCount)
        throw EFxGridError(QStringLiteral("Too many rows to load"));

    QStringList footerCells;
    if (footer) {
        for (int c = 0; c < storeCols; ++c) {
            footerCells << GridCells(c, row);
            SetGridCells(c, row, QString());
        }
    }

    TProgressReporter progress(ProgressSink(*this));

    const bool java = JavaCSV();
    const int A = SaveHiddenCells() ? NumHiddenColumns() : 0;
    TCsvReader reader(text, delimiter);
    QStringList fields;
    if (!LoadFirstRow())
        reader.Next(fields);
    qint64 loaded = 0;
    BeginUpdate();
    try {
        while ((MaxRows <= 0 || loaded < MaxRows) && reader.Next(fields)) {
            if (row >= RowCount() - FixedFooters()) {
                if (row + 1000 > MaxLoadRowCount && row + 1 + FixedFooters() > MaxLoadRowCount)
                    throw EFxGridError(QStringLiteral("Too many rows to load"));
                SetRowCount(std::min(row + 1000, MaxLoadRowCount));
            }
            const int c0 = SaveStartCol();
            if (c0 + fields.size() - A > MaxLoadColCount)
                throw EFxGridError(QStringLiteral("Too many columns to load"));
            if (c0 + int(fields.size()) > ColCount() + A)
                SetColCount(c0 + int(fields.size()) - A);
            for (int k = 0; k < fields.size(); ++k)
                SetCellFromLoad(c0 + k, row, DecodeCsvField(fields[k], java));
            ++row;
            ++loaded;
            if (progress.Active())
                progress.Report(total > 0 ? ProgressPercent(loaded, total) : 100);
        }
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();

    SetRowCount(std::max(row + FixedFooters(), FixedRows() + 1));
    if (footer) {
        const int last = RowCount() - 1;
        for (int c = 0; c < std::min(storeCols, int(footerCells.size())); ++c)
            SetGridCells(c, last, footerCells[c]);
    }
    DoCellsChanged(fw::TRect(0, 0, ColCount(), RowCount()));
    RecalcFooters();
}

void TFxStringGrid::SaveToFixed(const QString& FileName, TIntList& positions)
{
    const bool hidden = SaveHiddenCells();
    const int H = hidden ? NumHiddenColumns() : 0;
    const int first = SaveStartCol(), last = SaveEndCol() + H;
    for (int k = 0; k < positions.Count(); ++k)
        if (positions.Items(k) < 0)
            throw EFxGridError(QStringLiteral("Invalid column width %1").arg(positions.Items(k)));
    for (int k = positions.Count(); k <= last - first; ++k)
        positions.Add(MaxColTextLength(hidden ? first + k : RealColIndex(first + k)) + 1);

    QString out;
    QString v;
    ExportNotification(esExportStart, SaveStartRow());
    for (int r = SaveStartRow(); r <= SaveEndRow(); ++r) {
        ExportNotification(esExportNextRow, r);
        for (int c = first; c <= last; ++c) {
            GetCellForSave(hidden ? c : RealColIndex(c), r, v);
            // A line break inside a field would shift every following line.
            v.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
            const int w = positions.Items(c - first);
            out += v.size() > w ? v.left(w) : v.leftJustified(w, QLatin1Char(' '));
        }
        out += CrLf;
    }
    ExportNotification(esExportDone, -1);
    WriteGridTextFile(FileName, out, TTextEncoding::Ansi);
}

void TFxStringGrid::LoadFromFixed(const QString& FileName, TIntList& positions, bool DoTrim, int MaxRows)
{
    QString text;
    try {
        text = ReadGridTextFile(FileName);
    } catch (const fw::Exception&) {
        throw EFxGridError(QStringLiteral("File ") + FileName + QStringLiteral(" not found"));
    }
    std::vector<int> p;
    for (int k = 0; k < positions.Count(); ++k)
        p.push_back(positions.Items(k));
    std::sort(p.begin(), p.end());
    if (p.size() < 2 || p.front() < 1 || std::adjacent_find(p.begin(), p.end()) != p.end()
        || int(p.size()) - 1 + FixedCols() > MaxLoadColCount)
        throw EFxGridError(QStringLiteral("Invalid field positions"));
    for (int k = 0; k < int(p.size()); ++k)
        positions.SetItems(k, p[k]);

    SetColCount(FixedCols() + int(p.size()) - 1);
    const QStringList lines = SplitTextLines(text);
    int row = SaveStartRow();
    int read = 0;
    // The rows the lines need are made in one step, not one row per line.
    const qint64 toRead = MaxRows == -1 ? lines.size() : std::min<qint64>(lines.size(), std::max(1, MaxRows));
    if (row + toRead > MaxLoadRowCount)
        throw EFxGridError(QStringLiteral("Too many rows to load"));
    if (row + toRead > RowCount())
        SetRowCount(int(row + toRead));
    for (int i = 0; i < lines.size(); ++i) {
        const QString& line = lines[i];
        for (int k = 0; k + 1 < int(p.size()); ++k) {
            QString field = line.mid(p[k] - 1, p[k + 1] - p[k]);
            if (DoTrim)
                field = field.trimmed();
            SetCellFromLoad(SaveStartCol() + k, row, field);
        }
        ++row;
        ++read;
        if (MaxRows != -1 && read >= std::max(1, MaxRows))
            break;
    }
    DoCellsChanged(fw::TRect(0, 0, ColCount(), RowCount()));
    RecalcFooters();
}
