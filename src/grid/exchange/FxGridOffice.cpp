// Spreadsheet workbooks, word-processor tables and database queries, as
// files and drivers of this system (see README.md for what differs from
// driving the office programs themselves).
#include "grid/model/FxGrid.h"
#include "grid/exchange/FxGridExchange_p.h"
#include "grid/exchange/FxNativeCellText.h"

#include "framework/Sql.h"
#include "framework/SysUtils.h"
#include "framework/Workbook.h"
#include "framework/WordDocument.h"
#include "grid/foundation/FxUtilText.h"

#include <QFileInfo>
#include <QGuiApplication>

#include <algorithm>

using namespace fxexchange;

namespace {

// The hourglass for the duration of an office operation, restored however
// it ends.
class TBusyCursor {
public:
    TBusyCursor()
    {
        if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
            QGuiApplication::setOverrideCursor(Qt::WaitCursor);
            Active = true;
        }
    }
    ~TBusyCursor()
    {
        if (Active)
            QGuiApplication::restoreOverrideCursor();
    }

private:
    bool Active = false;
};

// One part of a used-range address: "$B$3" -> column 2, row 3; -1 for a
// part that does not parse. Columns in any number of letters.
void ParseAddressPart(QString part, int& col, int& row)
{
    if (part.startsWith(QLatin1Char('$')))
        part.remove(0, 1);
    const qsizetype dollar = part.indexOf(QLatin1Char('$'));
    if (dollar < 0) {
        col = -1;
        row = -1;
        return;
    }
    const int c = fw::ColumnNumber(part.left(dollar));
    bool ok = false;
    const int r = part.mid(dollar + 1).toInt(&ok);
    col = c > 0 ? c : -1;
    row = ok && r > 0 ? r : -1;
}

} // namespace

// ---------------------------------------------------------------- workbooks

QStringList TFxStringGrid::GetXLSSheets(const QString& FileName)
{
    TBusyCursor busy;
    return fw::TWorkbook::Open(FileName).SheetNames();
}

void TFxStringGrid::LoadFromXLS(const QString& FileName)
{
    ReadXLS(FileName, QString());
}

void TFxStringGrid::LoadFromXLSSheet(const QString& FileName, const QString& SheetName)
{
    ReadXLS(FileName, SheetName);
}

void TFxStringGrid::ReadXLS(const QString& FileName, const QString& SheetName)
{
    TBusyCursor busy;
    const fw::TWorkbook book = fw::TWorkbook::Open(FileName);
    int sheet = -1;
    if (!SheetName.isEmpty()) {
        const QStringList names = book.SheetNames();
        for (int i = 0; i < names.size(); ++i)
            if (names[i] == SheetName)
                sheet = i;   // the last match wins
        if (sheet < 0)
            throw EFxGridError(QStringLiteral("Excel worksheet ") + SheetName + QStringLiteral(" not found"));
    } else {
        sheet = book.ActiveSheet();
        if (book.SheetNames().isEmpty())
            throw EFxGridError(QStringLiteral("Incorrect XLS file"));
    }
    const QString address = book.UsedRangeAddress(sheet);
    int firstCol = -1, firstRow = -1, lastCol = -1, lastRow = -1;
    const qsizetype colon = address.indexOf(QLatin1Char(':'));
    if (colon >= 0) {
        const QString a = address.left(colon), b = address.mid(colon + 1);
        if (!a.mid(1).contains(QLatin1Char('$'))) {
            // Whole rows ("$3:$5").
            firstCol = 1;
            lastCol = 256;
            bool ok1 = false, ok2 = false;
            firstRow = a.mid(a.startsWith(QLatin1Char('$')) ? 1 : 0).toInt(&ok1);
            lastRow = b.mid(b.startsWith(QLatin1Char('$')) ? 1 : 0).toInt(&ok2);
            if (!ok1) firstRow = -1;
            if (!ok2) lastRow = -1;
        } else {
            ParseAddressPart(a, firstCol, firstRow);
            ParseAddressPart(b, lastCol, lastRow);
        }
    } else if (!address.contains(QLatin1Char('$'))) {
        firstCol = lastCol = 1;
        firstRow = lastRow = 1;
    } else {
        ParseAddressPart(address, firstCol, firstRow);
        lastCol = firstCol;
        lastRow = firstRow;
    }
    const bool ranged = firstCol > 0 && firstRow > 0 && lastCol >= firstCol && lastRow >= firstRow;
    const int oldFixedCols = FixedCols(), oldFixedRows = FixedRows();
    const int colOffset = SaveFixedCells() || SaveFixedCols() ? 0 : oldFixedCols;
    const int rowOffset = SaveFixedCells() || SaveFixedRows() ? 0 : oldFixedRows;
    if (ranged) {
        const qint64 cols = qint64(lastCol) - firstCol + 1 + colOffset;
        const qint64 rows = qint64(lastRow) - firstRow + 1 + rowOffset;
        // Refused before the grid changes: a few cells far apart make a
        // used range no grid can hold.
        if (cols > MaxLoadColCount || rows > MaxLoadRowCount)
            throw EFxGridError(QStringLiteral("The worksheet is too large to load: its used range %1 needs %2 columns "
                                              "and %3 rows, a grid holds at most %4 columns and %5 rows")
                                   .arg(address)
                                   .arg(cols)
                                   .arg(rows)
                                   .arg(MaxLoadColCount)
                                   .arg(MaxLoadRowCount));
        SetColCount(int(cols));
        SetRowCount(int(rows));
        if (oldFixedCols < ColCount() && FixedCols() != oldFixedCols)
            SetFixedCols(oldFixedCols);
        if (oldFixedRows < RowCount() && FixedRows() != oldFixedRows)
            SetFixedRows(oldFixedRows);
    }
    auto done = [&] {
        DoCellsChanged(fw::TRect(0, 0, ColCount(), RowCount()));
        RecalcFooters();
    };
    BeginUpdate();
    try {
        if (ranged) {
            // Only the cells the sheet holds are read: its used range may
            // span far more cells than it holds. The range's other cells
            // become empty; an error value leaves its cell as it was.
            const std::vector<fw::TWorkbook::TCell> cells = book.Cells(sheet);
            const fw::TGridRect area{colOffset, rowOffset, ColCount() - 1, RowCount() - 1};
            auto place = [&](const fw::TWorkbook::TCell& cell, int& c, int& r) {
                c = cell.Col - firstCol + colOffset;
                r = cell.Row - firstRow + rowOffset;
                return area.Contains(c, r);
            };
            std::vector<std::pair<fw::TGridCoord, QString>> kept;
            int c = 0, r = 0;
            for (const auto& cell : cells)
                if (cell.Value.Kind == fw::TSheetValue::Error && place(cell, c, r))
                    if (const QString* text = FindCellText(c, r))
                        kept.push_back({{c, r}, *text});
            if (area.Right >= area.Left && area.Bottom >= area.Top)
                ClearCellTexts(area);
            for (const auto& [at, text] : kept)
                SetGridCells(at.X, at.Y, text);
            for (const auto& cell : cells)
                if (cell.Value.Kind != fw::TSheetValue::Error && place(cell, c, r))
                    SetCellFromLoad(c, r, cell.Value.ToText());
        }
    } catch (const fw::Exception&) {
        EndUpdate();
        done();
        throw EFxGridError(QStringLiteral("Incorrect XLS file"));
    }
    EndUpdate();
    done();
}

void TFxStringGrid::SaveToXLS(const QString& FileName, bool CreateNewSheet)
{
    WriteXLS(FileName, QString(), CreateNewSheet);
}

void TFxStringGrid::SaveToXLSSheet(const QString& FileName, const QString& SheetName)
{
    WriteXLS(FileName, SheetName, false);
}

void TFxStringGrid::WriteXLS(const QString& FileName, const QString& SheetName, bool)
{
    TBusyCursor busy;
    const int rows = RowCount() - SaveStartRow();
    const int cols = ColCount() - SaveStartCol();
    if (cols > fw::MaxSheetCols || rows > fw::MaxSheetRows)
        throw EFxGridError(QStringLiteral("A worksheet holds at most 16384 columns and 1048576 rows"));
    std::vector<QStringList> values;
    values.reserve(size_t(std::max(0, rows)));
    QString v;
    ExportNotification(esExportStart, SaveStartRow());
    for (int r = SaveStartRow(); r < RowCount(); ++r) {
        ExportNotification(esExportNextRow, r);
        QStringList row;
        row.reserve(cols);
        for (int c = SaveStartCol(); c < ColCount(); ++c) {
            GetCellForSave(RealColIndex(c), r, v);
            row << RemoveCarriageReturns(v);
        }
        values.push_back(row);
    }
    ExportNotification(esExportDone, -1);
    // No office program runs here to hold an open workbook: a save without
    // a sheet name makes a new workbook, as with none open.
    if (SheetName.isEmpty())
        fw::WriteNewWorkbook(FileName, QStringLiteral("Sheet1"), 1, values);
    else if (QFileInfo::exists(FileName))
        fw::WriteWorkbookSheet(FileName, SheetName, 1, values);
    else
        fw::WriteNewWorkbook(FileName, SheetName, 1, values);
}

// ---------------------------------------------------------------- documents

void TFxStringGrid::SaveToDOC(const QString& FileName, bool CreateNewDocument)
{
    WriteDoc(FileName, QString(), false, CreateNewDocument);
}

void TFxStringGrid::AppendToDoc(const QString& FileName, const QString& Bookmark)
{
    WriteDoc(FileName, Bookmark, true, false);
}

void TFxStringGrid::WriteDoc(const QString& FileName, const QString& Bookmark, bool Append, bool)
{
    TBusyCursor busy;
    fw::TWordDocument doc = Append ? fw::TWordDocument::Open(FileName) : fw::TWordDocument::New();
    // The control's text as a paragraph before what the document held.
    if (!Append)
        doc.InsertParagraphAtStart(QString());
    doc.InsertParagraphAtStart(windowTitle());
    std::vector<std::vector<fw::TWordDocument::TCell>> rows;
    QString v;
    ExportNotification(esExportStart, SaveStartRow());
    for (int r = 0; r < RowCount(); ++r) {
        ExportNotification(esExportNextRow, r);
        std::vector<fw::TWordDocument::TCell> row;
        for (int c = 0; c < ColCount(); ++c) {
            const int rc = RealColIndex(c);
            GetCellForSave(rc, r, v);
            fw::TAlignment ha = fw::taLeftJustify;
            TVAlignment va = vtaTop;
            GetCellAlignment(rc, r, ha, va);
            fw::TWordDocument::TCell cell;
            cell.Text = v;
            cell.Align = ha == fw::taRightJustify ? fw::TWordDocument::alRight
                         : ha == fw::taCenter     ? fw::TWordDocument::alCenter
                                                  : fw::TWordDocument::alLeft;
            row.push_back(cell);
        }
        rows.push_back(std::move(row));
    }
    ExportNotification(esExportDone, -1);
    if (Append && doc.BookmarkExists(Bookmark))
        doc.AddTable(rows, fw::TWordDocument::wBookmark, Bookmark);
    else
        doc.AddTable(rows, Append ? fw::TWordDocument::wEnd : fw::TWordDocument::wStart);
    doc.Save(FileName);
}

// ---------------------------------------------------------------- databases

void TFxStringGrid::LoadFromMDBTable(const QString& FileName, const QString& Table)
{
    LoadFromMDBSQL(FileName, QStringLiteral("SELECT * FROM ") + fw::TSqlQuery::QuoteIdentifier(FileName, Table));
}

void TFxStringGrid::LoadFromMDBSQL(const QString& FileName, const QString& SQL)
{
    fw::TSqlQuery q(FileName, SQL);
    const int n = q.FieldCount();
    const int fc = FixedCols(), fr = FixedRows();
    if (qint64(n) + fc > MaxLoadColCount)
        throw EFxGridError(QStringLiteral("The query has more columns than a grid holds"));
    BeginUpdate();
    try {
        SetColCount(n + fc);
        if (fr > 0)
            for (int i = 0; i < n; ++i)
                SetCellFromLoad(fc + i, fr - 1, q.FieldName(i));
        const int known = q.RecordCount();
        if (known > 0)
            SetRowCount(int(std::min<qint64>(qint64(fr) + known, MaxLoadRowCount)));
        int r = fr;
        while (r < MaxLoadRowCount && q.Next()) {
            if (RowCount() <= r)
                SetRowCount(r + 1);
            for (int i = 0; i < n; ++i)
                SetCellFromLoad(fc + i, r, q.Value(i));
            ++r;
        }
        // Rows of an earlier content below the records go (a query without
        // records leaves the header row and one empty row).
        if (known < 0) {
            if (r > fr)
                SetRowCount(r);
            else {
                SetRowCount(fr + 1);
                for (int i = 0; i < n; ++i)
                    SetCellFromLoad(fc + i, fr, QString());
            }
        }
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
    DoCellsChanged(fw::TRect(0, 0, ColCount(), RowCount()));
    RecalcFooters();
}

// ---------------------------------------------------------------- scaling

void TFxStringGrid::HandleChangeScale(int M, int D)
{
    if (M == D || D == 0)
        return;
    // MulDiv: rounded to the nearest point.
    auto scaled = [&](fw::TFont f) {
        f.Size = int((qint64(f.Size) * M + (qint64(f.Size) * M >= 0 ? D / 2 : -D / 2)) / D);
        return f;
    };
    SetFixedFont(scaled(FixedFont()));
    SetActiveCellFont(scaled(ActiveCellFont()));
}
