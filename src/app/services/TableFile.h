#pragma once
// The rows of the mapping editors' tables and their project files, without a
// grid. A table is a vector of rows, each row one text per real column
// (column 0 the row number). Loading never loses data silently: what could
// not be taken over is reported, so the window can tell the user or ask.
#include "app/services/TableDescription.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace fw {
class TXmlDocument;
}

using TTableRows = std::vector<QStringList>;

// ---- Rows ------------------------------------------------------------------

// RowCount rows: column 0 the row number (1, 2, ...), every other column its Default.
TTableRows Default_Table_Rows(const TTableSpec& spec);

// A row is in use when a cell of a column that is no check box and not the
// row number holds text after trimming, other than its column's reset text.
bool Row_In_Use(const TTableSpec& spec, const QStringList& row);

// Number of rows before the first row whose key cell is blank after trimming.
int Table_End(const TTableSpec& spec, const TTableRows& rows);

// Table rows (from 1) from the table's end on that are in use, the row with
// the blank key included: saving drops them.
QList<int> Rows_After_End(const TTableSpec& spec, const TTableRows& rows);

// True when the last row is in use, so Insert Row would push it out; the
// window then asks Text_Insert_Loses_Last_Row (Yes/No) first.
bool Insert_Loses_Last_Row(const TTableSpec& spec, const TTableRows& rows);
constexpr int Text_Insert_Loses_Last_Row = 916;

// ---- Project XML files -----------------------------------------------------

enum class TProjectFileState { Missing, Loaded, Unreadable };

// Loads a project file whose document element must be `root`. Missing: no
// such file (doc empty). Unreadable: the file cannot be read, is not
// well-formed, or holds another root (doc empty, *error says why).
TProjectFileState Load_Project_Xml(const QString& fileName, const QString& root, fw::TXmlDocument& doc,
                                   QString* error = nullptr);

// Writes doc atomically, without declaration, one element a line (with
// indent false each top-level node on a line of its own). With keepBackup
// the file there now is first renamed to fileName + ".bak"
// (Keep_Damaged_Copy, whatever its size), so an unreadable file the user may
// still want is not replaced without a copy. Throws fw::EFileError when the
// backup or the file cannot be written.
void Save_Project_Xml(const QString& fileName, const fw::TXmlDocument& doc, bool keepBackup, bool indent = true);
// The text Save_Project_Xml writes.
QString Project_Xml_Text(const fw::TXmlDocument& doc, bool indent = true);

// ---- Table files -----------------------------------------------------------

struct TTableLoadNotes {
    bool SectionMissing = false;
    QList<int> Incomplete;   // rows that lacked attributes; the missing cells took their default
    int Beyond = 0;          // rows of the file beyond the table's capacity, not loaded
    QList<int> AfterEnd;     // loaded rows below the first blank key, which a save would drop
};

struct TTableLoadReport {
    TProjectFileState State = TProjectFileState::Missing;
    QString Error;                          // why an unreadable file could not be read
    std::vector<TTableLoadNotes> Tables;    // one per table of the file

    // True when the window has nothing to tell the user.
    bool Clean() const;
};

class TTableFile {
public:
    explicit TTableFile(TFileSpec spec);

    const TFileSpec& Spec() const { return m_spec; }
    const TTableSpec& Table(int table) const { return m_spec.Tables.at(size_t(table)); }
    int TableCount() const { return int(m_spec.Tables.size()); }
    // For tables whose key column follows a setting (the BACnet address kind).
    void Set_Key_Column(int table, int column);
    // For tables whose length follows a setting (the DMX channel count); the
    // table goes back to its default rows.
    void Set_Row_Count(int table, int rows);

    TTableRows& Rows(int table);
    const TTableRows& Rows(int table) const;

    // Every table back to its default rows.
    void Reset();

    // Resets, then takes over what the file holds: the document element is
    // the root, rows are the element children of the section (comments and
    // blanks do not count), an attribute a row lacks takes its column's
    // missing text. A missing file leaves the defaults; an unreadable one
    // leaves them too and makes the next Save keep a backup of it.
    TTableLoadReport Load(const QString& fileName);

    // Rebuilds the whole file from the rows: each table up to its end, every
    // stored column as an attribute in column order, characters XML 1.0
    // cannot hold dropped, indented unless the description's Indent is off
    // (the CANopen files are written flat). Throws fw::EFileError.
    void Save(const QString& fileName);

    // The document Save writes.
    void Build_Document(fw::TXmlDocument& doc) const;
    QString Xml_Text() const;

private:
    TFileSpec m_spec;
    // A table's default rows are made when first asked for: every window
    // holds its files from the start, but most are never opened in a run.
    mutable std::vector<std::optional<TTableRows>> m_rows;
    bool m_keepBackup = false;
};

// ---- Messages --------------------------------------------------------------

// "3, 5-9, 12": ascending table rows with runs joined.
QString Row_List_Text(const QList<int>& rows);

// The warning to show after a load: the file's name, then one line per
// finding; empty when the report is clean.
QString Table_Load_Message(const TTableLoadReport& report, const TFileSpec& spec, const QString& fileName);

// The question to ask before a save that would drop rows below a table's
// end; empty when no row would be dropped.
QString Rows_After_End_Question(const TTableSpec& spec, const TTableRows& rows);
