#include "app/services/TableWindow.h"

#include "app/services/ULanguage.h"
#include "app/services/UTableRows.h"
#include "controls/buttons/LbButton.h"
#include "framework/Dialogs.h"
#include "framework/Forms.h"
#include "grid/model/FxCGrid.h"

#include <QFrame>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int kRowHeight = 22;

// A new row of a table whose first column enables the row starts enabled.
bool firstColumnEnables(const TTableSpec& spec)
{
    return spec.ColumnCount() > 1 && spec.Columns[1].Editor == edDataCheckBox
           && spec.Columns[1].Default == QLatin1String("Y");
}

} // namespace

// ---------------------------------------------------------------- one table

TTableGrid::TTableGrid(TFxColumnGrid* grid, TTableFile& file, int table, const TTableGridLook& look)
    : m_grid(grid), m_file(file), m_table(table), m_look(look)
{
    const TTableSpec& spec = Spec();
    // Before the columns are made: a column takes the grid's font as its
    // cell and header font.
    m_grid->SetFont(m_look.Font);
    m_grid->SetFixedFont(m_look.Font);
    m_grid->SetColCount(spec.ColumnCount());
    m_grid->SetRowCount(std::max(2, spec.RowCount + 1));
    m_grid->SetFixedCols(1);
    m_grid->SetFixedRows(1);
    m_grid->SetDefaultRowHeight(kRowHeight);
    m_grid->SetOptions(fw::goFixedVertLine | fw::goFixedHorzLine | fw::goVertLine | fw::goHorzLine
                       | fw::goRangeSelect | fw::goColSizing | fw::goEditing);
    // The grid takes the column settings in one go rather than once per setting.
    m_grid->Columns().BeginUpdate();
    for (int c = 0; c < spec.ColumnCount(); ++c) {
        const TColumnSpec& column = spec.Columns[size_t(c)];
        TGridColumnItem* item = m_grid->Columns()[c];
        item->SetWidth(column.Width);
        item->SetEditor(column.Editor);
        if (column.Color != fw::clNone)
            item->SetColor(column.Color);
        if (column.Centered)
            item->SetAlignment(fw::taCenter);
        item->SetReadOnly(column.ReadOnly || column.Editor == edNone);
        item->SetEditLength(column.EditLength);
        fw::TFont header = m_look.Font;
        if (m_look.Bold_Headers)
            header.Style.Include(fw::fsBold);
        item->SetHeaderFont(header);
    }
    m_grid->Columns().EndUpdate();
    // The row-number column's header is drawn with the fixed font, which the
    // row numbers below it keep as it is.
    if (m_look.Bold_Headers)
        m_grid->SetFontStyles(0, 0, fw::TFontStyles{fw::fsBold});
    for (int c = 0; c < spec.ColumnCount(); ++c)
        if (spec.Columns[size_t(c)].Hidden)
            m_grid->HideColumn(c);

    m_grid->OnKeyPress = [this](QObject*, QChar& key) { Grid_Enter_Next_Cell(m_grid, key); };
    m_grid->Events().OnDblClickCell = [this](QObject*, int row, int col) {
        Grid_DblClick_AutoSize(m_grid, row, col);
    };
    m_grid->Events().OnGridHint = [this](QObject*, int row, int col, QString& hint) {
        hint = Header_Hint(row, col);
    };
    // A click on a row number selects the whole row, which the row buttons then act on.
    m_grid->Events().OnClickCell = [this](QObject*, int row, int col) {
        if (col == 0 && col < m_grid->FixedCols() && row >= m_grid->FixedRows())
            m_grid->SelectRows(row, 1);
    };
    Set_Texts();
}

TTableGrid::~TTableGrid()
{
    m_grid->OnKeyPress = nullptr;
    m_grid->Events().OnDblClickCell = nullptr;
    m_grid->Events().OnGridHint = nullptr;
    m_grid->Events().OnClickCell = nullptr;
}

const TTableSpec& TTableGrid::Spec() const
{
    return m_file.Table(m_table);
}

void TTableGrid::Set_Lang()
{
    Set_Texts();
}

void TTableGrid::Set_Texts()
{
    const TTableSpec& spec = Spec();
    m_grid->Columns().BeginUpdate();
    for (int c = 0; c < spec.ColumnCount(); ++c) {
        const TColumnSpec& column = spec.Columns[size_t(c)];
        TGridColumnItem* item = m_grid->Columns()[c];
        if (column.Header >= 0)
            item->SetHeader(Text(column.Header));
        if (!column.ItemTexts.empty()) {
            QStringList texts;
            texts.reserve(qsizetype(column.ItemTexts.size()) + column.Items.size());
            for (int text : column.ItemTexts)
                texts << Text(text);
            texts << column.Items;
            fw::TStringList items;
            items.AddStrings(texts);
            item->SetComboItems(items);
        }
    }
    m_grid->Columns().EndUpdate();
}

void TTableGrid::Give_Fixed_Lists()
{
    const TTableSpec& spec = Spec();
    m_grid->Columns().BeginUpdate();
    for (int c = 0; c < spec.ColumnCount(); ++c) {
        const TColumnSpec& column = spec.Columns[size_t(c)];
        if (!column.ItemTexts.empty() || column.Items.isEmpty())
            continue;
        fw::TStringList items;
        items.AddStrings(column.Items);
        m_grid->Columns()[c]->SetComboItems(items);
    }
    m_grid->Columns().EndUpdate();
}

void TTableGrid::Show_Rows()
{
    if (!m_listsGiven) {
        m_listsGiven = true;
        Give_Fixed_Lists();
    }
    const TTableRows& rows = m_file.Rows(m_table);
    const int columns = Spec().ColumnCount();
    m_grid->HideInplaceEdit();
    m_grid->BeginUpdate();
    m_grid->SetRowCount(std::max(2, int(rows.size()) + 1));
    for (int r = 0; r < int(rows.size()); ++r)
        for (int c = 0; c < columns; ++c)
            m_grid->SetCells(c, r + 1, rows[size_t(r)].value(c));
    m_grid->EndUpdate();
}

void TTableGrid::Take_Rows()
{
    // A value still in the cell editor belongs to the table.
    m_grid->HideInplaceEdit();
    TTableRows& rows = m_file.Rows(m_table);
    const int columns = Spec().ColumnCount();
    const int count = std::min(int(rows.size()), m_grid->RowCount() - 1);
    for (int r = 0; r < count; ++r) {
        QStringList& row = rows[size_t(r)];
        for (int c = 0; c < columns && c < row.size(); ++c)
            row[c] = m_grid->Cells(c, r + 1);
    }
}

QString TTableGrid::Text(int index) const
{
    if (!m_look.Texts)
        return Lang_Text(index);
    return index >= 0 && index < m_look.Texts->size() ? m_look.Texts->at(index) : QStringLiteral(" ");
}

QString TTableGrid::Header_Hint(int row, int displayCol) const
{
    if (row != 0 || displayCol < 0)
        return {};
    const int c = m_grid->RealColIndex(displayCol);
    const TTableSpec& spec = Spec();
    QString hint;
    if (c >= 1 && c < spec.ColumnCount() && spec.Columns[size_t(c)].Hint >= 0)
        hint = Text(spec.Columns[size_t(c)].Hint);
    // A caption the grid cut to fit its cell is read whole in the hint.
    if (m_grid->FixedCaptionCut(displayCol, row)) {
        const QString caption = m_grid->Cells(c, row);
        hint = hint.trimmed().isEmpty() ? caption : caption + QLatin1Char('\n') + hint;
    }
    return hint;
}

void TTableGrid::Go_To(int row, int realCol)
{
    const int col = std::max(1, m_grid->DisplColIndex(std::max(1, realCol)));
    m_grid->MoveCurrentCell(std::min(col, m_grid->ColCount() - 1),
                            std::clamp(row, 1, m_grid->RowCount() - 1));
    // After a message box the window must be the active one again, or the
    // grid would take arrow keys but open no editor for typed ones.
    if (m_grid->isVisible())
        m_grid->window()->activateWindow();
    m_grid->SetFocus();
}

void TTableGrid::Copy_Row()
{
    Grid_Copy_Row(m_grid, m_grid->Row());
    m_copied = true;
}

bool TTableGrid::Paste_Row()
{
    return Grid_Paste_Row(m_grid, m_grid->Row(), m_copied);
}

bool TTableGrid::Insert_Row()
{
    return Grid_Insert_Row(m_grid->Row(), m_grid, m_insertEnabled && firstColumnEnables(Spec()));
}

bool TTableGrid::Delete_Row(int question)
{
    const int row = m_grid->Row();
    if (row < 1)
        return false;
    if (question >= 0
        && fw::MessageDlg(Lang_Text(question) + QString::number(row), fw::mtConfirmation, fw::mbYesNo) != fw::mrYes)
        return false;
    Grid_Delete_Row(row, m_grid);
    return true;
}

// ---------------------------------------------------------------- the window

struct TTableWindow::Impl {
    explicit Impl(const TTableWindowSpec& s) : Spec(s), File(s.File) {}
    TTableWindowSpec Spec;
    mutable TTableFile File;
    // The text table as Set_Lang last found it, for a window that keeps it.
    QStringList Texts;
    int Tables = 0;
    bool Built = false;
    std::vector<std::unique_ptr<TTableGrid>> Grids;
};

TTableWindow::TTableWindow(const TTableWindowSpec& spec, QWidget* owner)
    : TEditorWindow(spec.Texts, owner), t(std::make_unique<Impl>(spec))
{
    t->Tables = std::min(t->File.TableCount(), int(Table_Areas().size()));
    auto bind = [this](const char* name, void (TTableWindow::*handler)()) {
        if (TLbButton* b = Button(name))
            b->OnClick = [this, handler](TLbButton*) { (this->*handler)(); };
    };
    bind("Btn_Delete_Row", &TTableWindow::Btn_DelRowClick);
    bind("Btn_Insert_Row", &TTableWindow::Btn_InsRowClick);
    bind("Btn_Copy_Row", &TTableWindow::Btn_CopyRowClick);
    bind("Btn_Paste_Row", &TTableWindow::Btn_PasteRowClick);
}

void TTableWindow::Build_Grids() const
{
    if (t->Built)
        return;
    t->Built = true;
    // Made before the window took its texts: they are the current ones.
    if (t->Spec.Keep_Texts && t->Texts.isEmpty())
        t->Texts = Lang_Texts;
    const std::vector<QFrame*>& areas = Table_Areas();
    for (int i = 0; i < t->Tables; ++i) {
        QFrame* area = areas[size_t(i)];
        auto* layout = new QVBoxLayout(area);
        layout->setContentsMargins(0, 0, 0, 0);
        auto* grid = new TFxColumnGrid(area);
        if (size_t(i) < t->Spec.Grid_Names.size())
            grid->setObjectName(t->Spec.Grid_Names[size_t(i)]);
        layout->addWidget(grid);
        TTableGridLook look;
        look.Font = t->Spec.Grid_Font;
        look.Bold_Headers = t->Spec.Bold_Headers;
        look.Texts = t->Spec.Keep_Texts ? &t->Texts : nullptr;
        t->Grids.push_back(std::make_unique<TTableGrid>(grid, t->File, i, look));
        t->Grids.back()->Set_Insert_Enabled(t->Spec.Insert_Enables);
        // Made while the window is already shown (asked for from a handler):
        // the grid shows at once rather than on the next turn of the loop.
        if (area->isVisible())
            grid->show();
    }
    // Building the grids changes what the window shows, not what it is.
    const_cast<TTableWindow*>(this)->Grids_Created();
}

bool TTableWindow::Grids_Built() const { return t->Built; }

void TTableWindow::setVisible(bool visible)
{
    // Before the window is shown, so the grids are laid out and shown with it.
    if (visible)
        Build_Grids();
    TEditorWindow::setVisible(visible);
}

TTableWindow::~TTableWindow() = default;

void TTableWindow::Set_Lang()
{
    TEditorWindow::Set_Lang();
    // Grids not yet made take the texts of the language when they are: the
    // one of this call for a window that keeps its texts, else the one then.
    if (t) {
        if (t->Spec.Keep_Texts)
            t->Texts = Lang_Texts;
        for (const auto& g : t->Grids)
            g->Set_Lang();
    }
}

QString TTableWindow::Window_Text(int index) const
{
    if (!t || !t->Spec.Keep_Texts)
        return Lang_Text(index);
    return index >= 0 && index < t->Texts.size() ? t->Texts.at(index) : QStringLiteral(" ");
}

TTableFile& TTableWindow::File() const { return t->File; }
TTableGrid& TTableWindow::Table_Grid(int table) const
{
    Build_Grids();
    return *t->Grids.at(size_t(table));
}

TFxColumnGrid* TTableWindow::Grid(int table) const { return Table_Grid(table).Grid(); }
int TTableWindow::Table_Count() const { return t->Tables; }

int TTableWindow::Current_Table() const
{
    const int page = PC_Pages ? PC_Pages->currentIndex() : 0;
    return std::clamp(page, 0, Table_Count() - 1);
}

void TTableWindow::Show_Table(int table)
{
    if (PC_Pages)
        PC_Pages->setCurrentIndex(table);
}

TTableLoadReport TTableWindow::Load_File(const QString& fileName)
{
    return t->File.Load(fileName);
}

void TTableWindow::FormShow()
{
    const QString fileName = t->Spec.File_Name ? *t->Spec.File_Name : QString();
    Build_Grids();
    const TTableLoadReport report = Load_File(fileName);
    for (const auto& g : t->Grids) {
        g->Show_Rows();
        g->Reset_Copied();
    }
    if (Table_Count() > 0) {
        Show_Table(0);
        Table_Grid(0).Go_To(1, 1);
        SetActiveControl(Grid(0));
    }
    const QString findings = Table_Load_Message(report, t->File.Spec(), fileName);
    if (!findings.isEmpty())
        fw::MessageDlg(findings, fw::mtWarning, fw::mbOK);
}

bool TTableWindow::Controllo_dati()
{
    for (const auto& g : t->Grids)
        g->Take_Rows();
    if (!t->Spec.Check)
        return true;
    const TTableFailure failure = t->Spec.Check(t->File);
    if (!failure.Failed())
        return true;
    fw::MessageDlg(failure.Message, fw::mtError, fw::mbOK);
    if (failure.Table < Table_Count()) {
        Show_Table(failure.Table);
        TTableGrid& g = Table_Grid(failure.Table);
        g.Go_To(failure.Row, failure.Column >= 0 ? failure.Column : std::max(1, g.Spec().KeyColumn));
    }
    return false;
}

void TTableWindow::Btn_OKClick()
{
    if (!Controllo_dati())
        return;
    // Rows below a table's first blank key are not saved: the user decides.
    for (int i = 0; i < Table_Count(); ++i) {
        const QString question = Rows_After_End_Question(t->File.Table(i), t->File.Rows(i));
        if (question.isEmpty())
            continue;
        Show_Table(i);
        if (fw::MessageDlg(question, fw::mtConfirmation, fw::mbYesNo) != fw::mrYes)
            return;
    }
    try {
        const QString fileName = t->Spec.File_Name ? *t->Spec.File_Name : QString();
        if (t->Spec.Save)
            t->Spec.Save(t->File, fileName);
        else
            t->File.Save(fileName);
    } catch (...) {
        fw::Application.HandleException(std::current_exception());
        return;
    }
    SetModalResult(fw::mrOk);
}

void TTableWindow::Btn_DelRowClick()
{
    if (Table_Count() > 0)
        Table_Grid(Current_Table()).Delete_Row(t->Spec.Delete_Question);
}

void TTableWindow::Btn_InsRowClick()
{
    if (Table_Count() > 0)
        Table_Grid(Current_Table()).Insert_Row();
}

void TTableWindow::Btn_CopyRowClick()
{
    if (Table_Count() == 0)
        return;
    if (t->Spec.Last_Copy_Only)
        for (const auto& g : t->Grids)
            g->Reset_Copied();
    Table_Grid(Current_Table()).Copy_Row();
}

void TTableWindow::Btn_PasteRowClick()
{
    if (Table_Count() > 0)
        Table_Grid(Current_Table()).Paste_Row();
}
