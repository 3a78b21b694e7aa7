#pragma once
// What one table of a mapping editor is, independent of any grid: its
// columns (header, in-place editor, combo items, width, colour, file
// attribute, default text) and where its rows live in the project file. The
// table windows build their grids from these specs, and TableFile loads and
// saves the rows by them, so a column is described once.
#include "framework/Types.h"
#include "grid/foundation/FxTypes.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

struct TColumnSpec {
    int Header = -1;                  // text index of the header cell; -1: none
    // edNormal, edComboEdit, edComboList, edDataCheckBox ("Y"/"N" cells);
    // edNone for a column the user cannot edit.
    TEditorType Editor = edNormal;
    std::vector<int> ItemTexts;       // combo items taken from the text table, in list order
    QStringList Items;                // combo items that are not translated, after ItemTexts
    int Width = 64;
    fw::TColor Color = fw::clWhite;   // cell background
    QString Attribute;                // XML attribute that stores the column; empty: not stored
    QString Default;                  // text of the column in a reset row
    // Text a row of the file without the attribute gets, when it is not Default.
    std::optional<QString> IfMissing;
    // Text a row without the attribute gets when it depends on the cells of
    // the same row read before it (the columns to the left); wins over IfMissing.
    std::function<QString(const QStringList& row)> IfMissingFrom;
    bool Hidden = false;
    bool Centered = false;
    bool ReadOnly = false;            // shown with its editor's look, never changed by the user
    int Hint = -1;                    // text index of the header hint; -1: none
    int EditLength = 0;               // most characters the cell editor takes; 0: no limit

    QString MissingText() const { return IfMissing ? *IfMissing : Default; }
    QString MissingText(const QStringList& row) const { return IfMissingFrom ? IfMissingFrom(row) : MissingText(); }

    // Changed copies, so a spec reads like a line of a columns table:
    // Column(1109, edDataCheckBox, 50, kColour, "Enable", "Y").Centre()
    TColumnSpec Centre() const { TColumnSpec c = *this; c.Centered = true; return c; }
    TColumnSpec Hide() const { TColumnSpec c = *this; c.Hidden = true; return c; }
    TColumnSpec Read_Only() const { TColumnSpec c = *this; c.ReadOnly = true; return c; }
    TColumnSpec With_Items(const QStringList& items) const { TColumnSpec c = *this; c.Items = items; return c; }
    TColumnSpec With_Item_Texts(std::vector<int> texts) const
    {
        TColumnSpec c = *this;
        c.ItemTexts = std::move(texts);
        return c;
    }
    TColumnSpec When_Missing(const QString& text) const { TColumnSpec c = *this; c.IfMissing = text; return c; }
    TColumnSpec When_Missing_From(std::function<QString(const QStringList& row)> rule) const
    {
        TColumnSpec c = *this;
        c.IfMissingFrom = std::move(rule);
        return c;
    }
    TColumnSpec Edit_Length(int characters) const { TColumnSpec c = *this; c.EditLength = characters; return c; }
    TColumnSpec With_Hint(int text) const { TColumnSpec c = *this; c.Hint = text; return c; }
};

// The usual shape of a column: header text, editor, width, colour, and the
// attribute and reset text when the column is stored.
inline TColumnSpec Column(int header, TEditorType editor, int width, fw::TColor color = fw::clWhite,
                          const QString& attribute = {}, const QString& defaultText = {})
{
    TColumnSpec c;
    c.Header = header;
    c.Editor = editor;
    c.Width = width;
    c.Color = color;
    c.Attribute = attribute;
    c.Default = defaultText;
    return c;
}

struct TTableSpec {
    int Title = -1;                   // text index naming the table in messages (its page caption)
    // Element under the root that holds the rows; empty: the rows are the
    // root's own children.
    QString Section;
    QString RowElement = QStringLiteral("row");
    int RowCount = 0;                 // table rows, the header row not counted
    // The table ends at its first row whose key cell is blank after trimming;
    // rows below it are neither checked nor saved. -1: no key, every row
    // belongs to the table.
    int KeyColumn = 1;
    // Indexed by the real column number (hidden columns included); column 0
    // is the row-number column.
    std::vector<TColumnSpec> Columns;

    int ColumnCount() const { return int(Columns.size()); }
};

inline TTableSpec Table_Spec(int title, const QString& section, int rowCount, int keyColumn,
                             std::vector<TColumnSpec> columns)
{
    TTableSpec t;
    t.Title = title;
    t.Section = section;
    t.RowCount = rowCount;
    t.KeyColumn = keyColumn;
    t.Columns = std::move(columns);
    return t;
}

// One project file: the root element, an optional comment after it at
// document level (the file's version), and its tables in file order.
struct TFileSpec {
    QString Root;
    QString Comment;
    std::vector<TTableSpec> Tables;
    // One element a line, indented, so a technician can read the file in any
    // editor; false: no indentation, each top-level node on a line of its own
    // (the CANopen tables' files are laid out so).
    bool Indent = true;
};

// The first failing check of a table window, as the window reports it:
// "Error row " + row + text, or a text with the row in it.
struct TTableFailure {
    int Table = -1;     // index in the file's tables; -1: no failure
    int Row = 0;        // table row, from 1
    int Column = -1;    // the cell that failed, so the window can go there; -1: none
    int Text = -1;      // text index of the failure's own text
    QString Message;    // the whole message as shown

    bool Failed() const { return Table >= 0; }
};
