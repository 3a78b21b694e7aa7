#pragma once
// The table windows, declared rather than written one by one. TTableGrid
// shows one table of a TTableFile in a column grid built from the table's
// column specs; TTableWindow is an editor window whose tables are such grids,
// with the row buttons, the Enter walk, the header double click, loading on
// show and the OK flow (check, ask before rows are dropped, save, report).
//
// A window of the mapping editors is then a declaration:
//     TTableWindowSpec s;
//     s.Texts = ...;                       // frame, row buttons, pages
//     s.File = ReceiveCAN_File_Spec();     // tables and columns
//     s.File_Name = &File_CAN_Rec_Frames;  // read at each show
//     s.Check = ReceiveCAN_Controllo_dati; // first failure or none
//     s.Grid_Names = {"ACG_CAN_Receive"};
//     s.Delete_Question = 2058;            // "... the Row number " + row
#include "app/services/TableFile.h"
#include "app/services/UEditorWindow.h"
#include "framework/Graphics.h"

#include <functional>
#include <memory>
#include <vector>

class TFxColumnGrid;

// What a table grid takes from its window besides its table.
struct TTableGridLook {
    fw::TFont Font;                     // cells and headers (Tahoma 8 point)
    bool Bold_Headers = false;          // the header row in bold
    // The text table headers, translated combo items and header hints come
    // from; nullptr: the current one (Lang_Text).
    const QStringList* Texts = nullptr;
};

class TTableGrid {
public:
    // Gives grid the columns of the file's table: header texts, editors,
    // combo items, widths, colours, alignment, read-only columns, edit
    // lengths, a fixed header row and row-number column, rows 22 high, grid
    // lines, column sizing, range selection and editing, the look's font;
    // hidden columns are hidden. The grid takes the Enter walk and the
    // header double click (Grid_Enter_Next_Cell, Grid_DblClick_AutoSize),
    // the header hints and the click on a row number, which selects that row.
    TTableGrid(TFxColumnGrid* grid, TTableFile& file, int table, const TTableGridLook& look = {});
    // The grid, a child of the window, outlives this object: it forgets the handlers.
    ~TTableGrid();
    TTableGrid(const TTableGrid&) = delete;
    TTableGrid& operator=(const TTableGrid&) = delete;

    TFxColumnGrid* Grid() const { return m_grid; }
    int Table() const { return m_table; }
    const TTableSpec& Spec() const;

    // Header texts and translated combo items of the current language.
    void Set_Lang();
    // The file's rows into the cells (every real column, hidden ones too;
    // the grid takes the table's row count) and back. The first showing
    // also gives the columns their fixed item lists (numbers, identifiers):
    // nothing shows them before, and they run to over a thousand items in
    // many columns of the windows built at start-up.
    void Show_Rows();
    void Take_Rows();
    // The hint of a header cell: the column's hint text, after the whole
    // caption when the grid had to cut it to fit; empty elsewhere.
    // displayCol is a column as shown, so hidden columns do not shift it.
    QString Header_Hint(int row, int displayCol) const;
    // Text index of the grid's text table (the look's, else the current one).
    QString Text(int index) const;
    // Makes (realCol, row) the current cell, scrolled into view, focused.
    void Go_To(int row, int realCol);

    // The row buttons, on the grid's current row. Copied: a row was copied
    // from this grid since the window was shown.
    void Copy_Row();
    bool Paste_Row();
    bool Insert_Row();
    // Asks text `question` followed by the row number (Yes/No) first.
    bool Delete_Row(int question);
    bool Copied() const { return m_copied; }
    void Reset_Copied() { m_copied = false; }
    // Whether Insert Row ticks the first column of the new row when that
    // column is a check box ticked by default (the default: yes).
    void Set_Insert_Enabled(bool enabled) { m_insertEnabled = enabled; }

private:
    // Headers and the combo items that depend on the language.
    void Set_Texts();
    // The item lists that do not (numbers, identifiers), given once.
    void Give_Fixed_Lists();

    TFxColumnGrid* m_grid;
    TTableFile& m_file;
    int m_table;
    TTableGridLook m_look;
    bool m_copied = false;
    bool m_insertEnabled = true;
    bool m_listsGiven = false;
};

struct TTableWindowSpec {
    TEditorTexts Texts;                 // frame, row buttons (Btn_Delete_Row ...), one page per table
    TFileSpec File;                     // the project file and its tables
    const QString* File_Name = nullptr; // the application-state path, read at each show
    // Controllo_dati: the first failing check of the tables, or none.
    std::function<TTableFailure(const TTableFile&)> Check;
    std::vector<QString> Grid_Names;    // object names of the grids, one per table
    int Delete_Question = -1;           // asked before Delete Row, the row number appended
    // Writes the file on OK; empty: TTableFile::Save. For files that store
    // something other than the cells as they stand. Throws fw::EFileError.
    std::function<void(TTableFile&, const QString&)> Save;
    // Insert Row ticks a default-ticked first column of the new row.
    bool Insert_Enables = true;
    // Copy Row in one table withdraws the copies of the others, so Paste Row
    // takes only a row of the table last copied from.
    bool Last_Copy_Only = false;
    // The grids' font and whether their header row is bold.
    fw::TFont Grid_Font;
    bool Bold_Headers = false;
    // The window keeps the texts of the language it had when Set_Lang last
    // ran (a language change leaves it out): grids made later take their
    // headers from that language too, not from the current one.
    bool Keep_Texts = false;
};

class TTableWindow : public TEditorWindow {
    Q_OBJECT
public:
    explicit TTableWindow(const TTableWindowSpec& spec, QWidget* owner = nullptr);
    ~TTableWindow() override;

    void Set_Lang();

    // The file's tables stand apart from the grids: loading and saving need
    // no grid.
    TTableFile& File() const;
    // The grids are made when the window is first shown, as nothing shows
    // them before and most windows made at start-up are never opened. Asking
    // for a grid earlier makes them all then.
    TTableGrid& Table_Grid(int table) const;
    TFxColumnGrid* Grid(int table) const;
    int Table_Count() const;
    // Makes the grids now, once; Grids_Created follows.
    void Build_Grids() const;
    bool Grids_Built() const;
    // The table the row buttons act on: the one of the current page.
    int Current_Table() const;
    void Show_Table(int table);

    // Takes the cells over into the file and runs the check; the first
    // failure is shown in an error box and its cell becomes current.
    bool Controllo_dati();

    // Text index of the window: of the language it keeps (Keep_Texts),
    // else of the current one.
    QString Window_Text(int index) const;

    void Btn_DelRowClick();
    void Btn_InsRowClick();
    void Btn_CopyRowClick();
    void Btn_PasteRowClick();

protected:
    // Resets the tables, loads the file and tells the user what it could
    // not take over (a file that could not be read, rows beyond the tables,
    // rows below a table's end, rows that lacked values).
    void FormShow() override;
    // Check; ask before rows below a table's end are dropped; save (an error
    // is reported and the window stays open); close with OK.
    void Btn_OKClick() override;
    // Reads the project file into File(); windows whose file needs more than
    // the plain table load override it.
    virtual TTableLoadReport Load_File(const QString& fileName);
    // Runs once, right after the grids are made: a window gives its grids
    // their own looks and handlers here, never in its constructor.
    virtual void Grids_Created() {}

    void setVisible(bool visible) override;

private:
    struct Impl;
    std::unique_ptr<Impl> t;
};
