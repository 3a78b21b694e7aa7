#pragma once
// Spreadsheet workbooks as files: .xlsx read (zip and XML) and written, the
// legacy binary .xls read. Rows and columns count from 1 as spreadsheets do.
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

namespace fw {

// One cell's value as a spreadsheet holds it.
struct TSheetValue {
    enum TKind { Empty, Text, Number, Boolean, DateTime, Error };
    TKind Kind = Empty;
    QString Str;          // Text; the error's text ("#N/A")
    double Num = 0;       // Number, DateTime (days since 1899-12-30), Boolean (0 / 1)
    // The value as text: numbers in their shortest form (at most 15
    // digits), dates and times in the process's format, True / False.
    QString ToText() const;
};

void WriteWorkbookSheet(const QString& fileName, const QString& sheetName, int firstRow,
                        const std::vector<QStringList>& rows);

class TWorkbook {
public:
    // EFileError naming the file when it cannot be read or is no workbook.
    static TWorkbook Open(const QString& fileName);

    QStringList SheetNames() const;
    // The sheet shown when the workbook was saved (0 when none is recorded).
    int ActiveSheet() const;
    // The range of the cells holding values as an absolute address:
    // "$B$3:$E$10", or "$C$2" for a single cell ("$A$1" for an empty sheet).
    QString UsedRangeAddress(int sheet) const;
    TSheetValue Value(int sheet, int row, int col) const;
    struct TCell {
        int Row = 0, Col = 0;
        TSheetValue Value;
    };
    // The cells of the sheet that hold a value, by row and then column: a
    // used range may span far more cells than the sheet holds.
    std::vector<TCell> Cells(int sheet) const;

private:
    friend void WriteWorkbookSheet(const QString&, const QString&, int, const std::vector<QStringList>&);
    struct Impl;
    std::shared_ptr<Impl> d;
};

// Column letters: 1 -> "A", 26 -> "Z", 27 -> "AA", 16384 -> "XFD".
QString ColumnLetters(int col);
// The reverse; 0 for anything but letters.
int ColumnNumber(const QString& letters);

// Largest sheet a workbook holds.
constexpr int MaxSheetRows = 1048576;
constexpr int MaxSheetCols = 16384;

// Writes rows of texts from row firstRow, column 1 on: a text that reads
// back as the same number is written as a number, an empty text leaves
// its cell empty. EFileError on failure (the old file is kept).
// A new workbook of one sheet, replacing the file:
void WriteNewWorkbook(const QString& fileName, const QString& sheetName, int firstRow,
                      const std::vector<QStringList>& rows);
// Into the last sheet of that name of an existing .xlsx (a new sheet at the
// end when there is none); every other sheet and cell stays as it was.
void WriteWorkbookSheet(const QString& fileName, const QString& sheetName, int firstRow,
                        const std::vector<QStringList>& rows);

} // namespace fw
