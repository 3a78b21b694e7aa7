#include "app/services/TableFile.h"

#include "app/services/ParGenFile.h"
#include "app/services/ULanguage.h"
#include "framework/AtomicFile.h"
#include "framework/SysUtils.h"
#include "framework/Xml.h"

#include <QFileInfo>

#include <algorithm>
#include <utility>

namespace {

// Texts of the findings a load or save reports.
constexpr int kTextUnreadable = 910;
constexpr int kTextIncomplete = 911;
constexpr int kTextBeyond = 912;
constexpr int kTextAfterEnd = 913;
constexpr int kTextSectionMissing = 914;
constexpr int kTextSaveWithout = 915;

QList<int> rowRange(int first, int count)
{
    QList<int> rows;
    for (int i = 0; i < count; ++i)
        rows << first + i;
    return rows;
}

QString tableTitle(const TTableSpec& spec, const TFileSpec& file)
{
    if (spec.Title >= 0)
        return Lang_Text(spec.Title);
    return spec.Section.isEmpty() ? file.Root : spec.Section;
}

} // namespace

// ---- Rows ------------------------------------------------------------------

TTableRows Default_Table_Rows(const TTableSpec& spec)
{
    QStringList reset;
    for (const TColumnSpec& column : spec.Columns)
        reset << column.Default;
    TTableRows rows(size_t(spec.RowCount), reset);
    for (int r = 0; r < spec.RowCount && !reset.isEmpty(); ++r)
        rows[size_t(r)][0] = QString::number(r + 1);
    return rows;
}

bool Row_In_Use(const TTableSpec& spec, const QStringList& row)
{
    for (int c = 1; c < spec.ColumnCount() && c < row.size(); ++c) {
        const TColumnSpec& column = spec.Columns[size_t(c)];
        const QString text = fw::Trim(row[c]);
        if (column.Editor != edDataCheckBox && !text.isEmpty() && text != fw::Trim(column.Default))
            return true;
    }
    return false;
}

int Table_End(const TTableSpec& spec, const TTableRows& rows)
{
    if (spec.KeyColumn < 0)
        return int(rows.size());
    int end = 0;
    while (end < int(rows.size()) && !fw::Trim(rows[size_t(end)].value(spec.KeyColumn)).isEmpty())
        ++end;
    return end;
}

QList<int> Rows_After_End(const TTableSpec& spec, const TTableRows& rows)
{
    // The row that ends the table is dropped with the rest when it holds
    // anything besides its blank key.
    QList<int> lost;
    for (int r = Table_End(spec, rows); r < int(rows.size()); ++r)
        if (Row_In_Use(spec, rows[size_t(r)]))
            lost << r + 1;
    return lost;
}

bool Insert_Loses_Last_Row(const TTableSpec& spec, const TTableRows& rows)
{
    return !rows.empty() && Row_In_Use(spec, rows.back());
}

// ---- Project XML files -----------------------------------------------------

TProjectFileState Load_Project_Xml(const QString& fileName, const QString& root, fw::TXmlDocument& doc,
                                   QString* error)
{
    doc.Clear();
    if (!QFileInfo::exists(fileName))
        return TProjectFileState::Missing;
    auto unreadable = [&](const QString& why) {
        doc.Clear();
        if (error)
            *error = why;
        return TProjectFileState::Unreadable;
    };
    if (!doc.LoadFromFile(fileName))
        return unreadable(doc.LastError());
    const QString name = doc.DocumentElement().NodeName();
    if (name != root)
        return unreadable(QStringLiteral("%1: the root element is \"%2\", not \"%3\"").arg(fileName, name, root));
    if (error)
        error->clear();
    return TProjectFileState::Loaded;
}

void Save_Project_Xml(const QString& fileName, const fw::TXmlDocument& doc, bool keepBackup, bool indent)
{
    QString error;
    // The damaged file is renamed, never read and copied: a file too large
    // to read is kept whole as well.
    if (keepBackup)
        Keep_Damaged_Copy(fileName);
    if (!fw::WriteFileAtomically(fileName, Project_Xml_Text(doc, indent).toUtf8(), &error))
        throw fw::EFileError(error);
}

QString Project_Xml_Text(const fw::TXmlDocument& doc, bool indent)
{
    // Never a declaration: every reader takes the first node as the root.
    return doc.XmlText(fw::TXmlSaveOptions{false, indent});
}

// ---- Table files -----------------------------------------------------------

bool TTableLoadReport::Clean() const
{
    if (State == TProjectFileState::Unreadable)
        return false;
    return std::all_of(Tables.begin(), Tables.end(), [](const TTableLoadNotes& t) {
        return !t.SectionMissing && t.Incomplete.isEmpty() && t.Beyond == 0 && t.AfterEnd.isEmpty();
    });
}

TTableFile::TTableFile(TFileSpec spec) : m_spec(std::move(spec))
{
    Reset();
}

void TTableFile::Set_Key_Column(int table, int column)
{
    m_spec.Tables.at(size_t(table)).KeyColumn = column;
}

void TTableFile::Set_Row_Count(int table, int rows)
{
    m_spec.Tables.at(size_t(table)).RowCount = rows;
    m_rows.at(size_t(table)).reset();
}

const TTableRows& TTableFile::Rows(int table) const
{
    std::optional<TTableRows>& rows = m_rows.at(size_t(table));
    if (!rows)
        rows = Default_Table_Rows(m_spec.Tables[size_t(table)]);
    return *rows;
}

TTableRows& TTableFile::Rows(int table)
{
    return const_cast<TTableRows&>(std::as_const(*this).Rows(table));
}

void TTableFile::Reset()
{
    m_rows.assign(m_spec.Tables.size(), std::nullopt);
}

TTableLoadReport TTableFile::Load(const QString& fileName)
{
    Reset();
    TTableLoadReport report;
    report.Tables.resize(m_spec.Tables.size());
    fw::TXmlDocument doc;
    report.State = Load_Project_Xml(fileName, m_spec.Root, doc, &report.Error);
    m_keepBackup = report.State == TProjectFileState::Unreadable;
    if (report.State != TProjectFileState::Loaded)
        return report;

    const fw::TXmlNode root = doc.DocumentElement();
    for (size_t t = 0; t < m_spec.Tables.size(); ++t) {
        const TTableSpec& spec = m_spec.Tables[t];
        TTableLoadNotes& notes = report.Tables[t];
        TTableRows& rows = Rows(int(t));
        const fw::TXmlNode section = spec.Section.isEmpty() ? root : root.FindNode(spec.Section);
        if (section.IsNull()) {
            notes.SectionMissing = true;
            continue;
        }
        int r = 0;
        for (const fw::TXmlNode node : section.ChildNodes()) {
            if (!node.IsElement())
                continue;
            if (r >= spec.RowCount) {
                ++notes.Beyond;
                continue;
            }
            bool complete = true;
            for (int c = 0; c < spec.ColumnCount(); ++c) {
                const TColumnSpec& column = spec.Columns[size_t(c)];
                if (column.Attribute.isEmpty())
                    continue;
                if (node.HasAttribute(column.Attribute)) {
                    rows[size_t(r)][c] = node.Attribute(column.Attribute);
                } else {
                    rows[size_t(r)][c] = column.MissingText(rows[size_t(r)]);
                    complete = false;
                }
            }
            ++r;
            if (!complete)
                notes.Incomplete << r;
        }
        notes.AfterEnd = Rows_After_End(spec, rows);
    }
    return report;
}

void TTableFile::Build_Document(fw::TXmlDocument& doc) const
{
    doc.Clear();
    fw::TXmlNode root = doc.AddChild(m_spec.Root);
    if (!m_spec.Comment.isEmpty())
        doc.AppendComment(m_spec.Comment);
    for (size_t t = 0; t < m_spec.Tables.size(); ++t) {
        const TTableSpec& spec = m_spec.Tables[t];
        const TTableRows& rows = Rows(int(t));
        fw::TXmlNode parent = spec.Section.isEmpty() ? root : root.AddChild(spec.Section);
        const int end = Table_End(spec, rows);
        for (int r = 0; r < end; ++r) {
            fw::TXmlNode row = parent.AddChild(spec.RowElement);
            for (int c = 0; c < spec.ColumnCount(); ++c) {
                const QString& attribute = spec.Columns[size_t(c)].Attribute;
                if (!attribute.isEmpty())
                    row.SetAttribute(attribute, Xml_Safe_Text(rows[size_t(r)].value(c)));
            }
        }
    }
}

QString TTableFile::Xml_Text() const
{
    fw::TXmlDocument doc;
    Build_Document(doc);
    return Project_Xml_Text(doc, m_spec.Indent);
}

void TTableFile::Save(const QString& fileName)
{
    fw::TXmlDocument doc;
    Build_Document(doc);
    Save_Project_Xml(fileName, doc, m_keepBackup, m_spec.Indent);
    m_keepBackup = false;
}

// ---- Messages --------------------------------------------------------------

QString Row_List_Text(const QList<int>& rows)
{
    QList<int> sorted = rows;
    std::sort(sorted.begin(), sorted.end());
    QStringList parts;
    for (qsizetype i = 0; i < sorted.size();) {
        qsizetype j = i;
        while (j + 1 < sorted.size() && sorted[j + 1] <= sorted[j] + 1)
            ++j;
        parts << (sorted[j] == sorted[i] ? QString::number(sorted[i])
                                         : QStringLiteral("%1-%2").arg(sorted[i]).arg(sorted[j]));
        i = j + 1;
    }
    return parts.join(QStringLiteral(", "));
}

QString Table_Load_Message(const TTableLoadReport& report, const TFileSpec& spec, const QString& fileName)
{
    QStringList lines;
    if (report.State == TProjectFileState::Unreadable)
        lines << Lang_Text(kTextUnreadable) << report.Error;
    for (size_t t = 0; t < report.Tables.size() && t < spec.Tables.size(); ++t) {
        const TTableLoadNotes& notes = report.Tables[t];
        const TTableSpec& table = spec.Tables[t];
        const QString title = QStringLiteral(" (") + tableTitle(table, spec) + QStringLiteral("): ");
        if (notes.SectionMissing)
            lines << Lang_Text(kTextSectionMissing) + title + table.Section;
        if (!notes.Incomplete.isEmpty())
            lines << Lang_Text(kTextIncomplete) + title + Row_List_Text(notes.Incomplete);
        if (notes.Beyond > 0)
            lines << Lang_Text(kTextBeyond) + title + Row_List_Text(rowRange(table.RowCount + 1, notes.Beyond));
        if (!notes.AfterEnd.isEmpty())
            lines << Lang_Text(kTextAfterEnd) + title + Row_List_Text(notes.AfterEnd);
    }
    if (lines.isEmpty())
        return {};
    lines.prepend(QFileInfo(fileName).fileName());
    return lines.join(QLatin1Char('\n'));
}

QString Rows_After_End_Question(const TTableSpec& spec, const TTableRows& rows)
{
    const QList<int> lost = Rows_After_End(spec, rows);
    if (lost.isEmpty())
        return {};
    const QString title = spec.Title >= 0 ? QStringLiteral(" (") + Lang_Text(spec.Title) + QStringLiteral(")")
                                          : QString();
    return Lang_Text(kTextAfterEnd) + title + QStringLiteral(": ") + Row_List_Text(lost) + QLatin1Char('\n')
           + Lang_Text(kTextSaveWithout);
}
