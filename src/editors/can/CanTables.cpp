#include "editors/can/CanTables.h"

#include "app/services/ULanguage.h"
#include "editors/can/CellNumber.h"
#include "framework/Xml.h"

#include <QFileInfo>

#include <algorithm>
#include <map>
#include <utility>

namespace {

// Findings of a load the writers word as the windows do.
constexpr int kTextIncomplete = 911;
constexpr int kTextSectionMissing = 914;

} // namespace

TColumnSpec Row_Number_Column(int header, fw::TColor color)
{
    return Column(header, edNone, 40, color);
}

QStringList Count_Items(int count, const QString& first)
{
    // The same few lists (eight byte columns of 513 positions, and so on) are
    // asked for by every CAN and SNMP table while the program starts: build
    // each once and hand out shared copies.
    static std::map<std::pair<int, QString>, QStringList> built;
    QStringList& items = built[{count, first}];
    if (items.isEmpty() && (count > 0 || !first.isEmpty())) {
        items.reserve(std::max(count, 0) + (first.isEmpty() ? 0 : 1));
        if (!first.isEmpty())
            items << first;
        for (int i = 0; i < count; ++i)
            items << QString::number(i);
    }
    return items;
}

TTableFailure Row_Failure(int table, int row, int column, int prefixText, int text, const QString& suffix)
{
    TTableFailure f;
    f.Table = table;
    f.Row = row;
    f.Column = column;
    f.Text = text;
    f.Message = Lang_Text(prefixText) + QString::number(row) + Lang_Text(text) + suffix;
    return f;
}

TTableFailure Check_Cell_Range(const QStringList& row, int column, int lo, int hi, int table, int rowNumber,
                               int prefixText, int text, const QString& suffix)
{
    if (Cell_In_Range(row.value(column), lo, hi))
        return {};
    return Row_Failure(table, rowNumber, column, prefixText, text, suffix);
}

TTableFailure Check_SDO_Size(const QStringList& row, int sizeColumn, int table, int rowNumber, int prefixText,
                             int sizeText)
{
    const int size = Cell_Int(row.value(sizeColumn));
    if (size == 1 || size == 2 || size == 4)
        return {};
    return Row_Failure(table, rowNumber, sizeColumn, prefixText, sizeText);
}

TTableFailure Check_SDO_Addresses(const QStringList& row, int sizeColumn, int firstAddress, int arraySize,
                                  int table, int rowNumber, int prefixText, int address1Text)
{
    const int size = Cell_Int(row.value(sizeColumn));
    const QString lastPosition = QString::number(arraySize - 1);
    for (int k = 0; k < size; ++k) {
        const TTableFailure f = Check_Cell_Range(row, firstAddress + k, 0, arraySize - 1, table, rowNumber,
                                                 prefixText, address1Text + k, lastPosition);
        if (f.Failed())
            return f;
    }
    return {};
}

TTableLoadReport Load_For_Writer(TTableFile& tables, const QString& fileName, const TWriterTexts& texts,
                                 QStringList& notes)
{
    const TTableLoadReport report = tables.Load(fileName);
    if (report.State == TProjectFileState::Unreadable)
        throw fw::EXmlError(report.Error);
    // The findings of the window's load warning (Table_Load_Message), in the
    // same order; the rows left out are not written to the writer's file,
    // which is what the user must hear, not that a load or save drops them.
    QStringList lines;
    for (size_t t = 0; t < report.Tables.size() && t < size_t(tables.TableCount()); ++t) {
        const TTableLoadNotes& found = report.Tables[t];
        const TTableSpec& table = tables.Table(int(t));
        const QString title = QStringLiteral(" (") + Lang_Text(table.Title) + QStringLiteral("): ");
        if (found.SectionMissing)
            lines << Lang_Text(kTextSectionMissing) + title + table.Section;
        if (!found.Incomplete.isEmpty())
            lines << Lang_Text(kTextIncomplete) + title + Row_List_Text(found.Incomplete);
        if (found.Beyond > 0) {
            QList<int> beyond;
            for (int r = 1; r <= found.Beyond; ++r)
                beyond << table.RowCount + r;
            lines << Lang_Text(texts.Beyond) + title + Row_List_Text(beyond);
        }
        if (!found.AfterEnd.isEmpty())
            lines << Lang_Text(texts.AfterEnd) + title + Row_List_Text(found.AfterEnd);
    }
    if (!lines.isEmpty())
        notes << QFileInfo(fileName).fileName() + QLatin1Char('\n') + lines.join(QLatin1Char('\n'));
    return report;
}
