#include "editors/can/USNMP_Trap_Access.h"

#include "app/services/UComon.h"
#include "editors/can/CanGrids.h"
#include "editors/can/SNMP_Trap_AccessData.h"
#include "grid/model/FxCGrid.h"

TFSNMP_Trap_Access* FSNMP_Trap_Access = nullptr;

namespace {

TTableWindowSpec spec()
{
    TTableWindowSpec s;
    s.Texts = TEditorTexts{1900, 1901, 1902, 1903, 1910, 1911, {}, {}};
    s.Texts.Buttons = {
        {"Btn_Delete_Row", 1904, 1912},
        {"Btn_Insert_Row", 1905, 1913},
        {"Btn_Copy_Row", 1906, 1914},
        {"Btn_Paste_Row", 1907, 1915},
    };
    s.Texts.Pages = {1908, 1909};
    s.Texts.Client_Width = 1256;
    s.Texts.Client_Height = 337;
    s.File = SNMP_Trap_File_Spec();
    s.File_Name = &File_SNMP_Trap;
    s.Check = SNMP_Controllo_dati;
    s.Grid_Names = {QStringLiteral("ACG_SNMP_Read"), QStringLiteral("ACG_SNMP_Write")};
    s.Delete_Question = 1975;
    // A row copied from the read table is not pasted into the write table.
    s.Last_Copy_Only = true;
    return s;
}

} // namespace

TFSNMP_Trap_Access::TFSNMP_Trap_Access(QWidget* owner) : TTableWindow(spec(), owner)
{
    setObjectName(QStringLiteral("FSNMP_Trap_Access"));
}

void TFSNMP_Trap_Access::Grids_Created()
{
    SNMP_Grids(*this);
    for (int table = 0; table < Table_Count(); ++table)
        Grid(table)->Events().OnCheckBoxClick = [this, table](QObject*, int col, int, bool) {
            if (col == SNMP_Col_Enable)
                Index_Row_Build(table);
        };
}

void TFSNMP_Trap_Access::Index_Row_Build(int table)
{
    TFxColumnGrid* grid = Grid(table);
    TTableRows rows;
    rows.reserve(size_t(grid->RowCount() - 1));
    for (int r = 1; r < grid->RowCount(); ++r)
        rows.push_back({QString(), grid->Cells(SNMP_Col_Enable, r)});
    ::Index_Row_Build(rows);
    grid->BeginUpdate();
    for (int r = 1; r < grid->RowCount(); ++r)
        grid->SetCells(0, r, rows[size_t(r - 1)][0]);
    grid->EndUpdate();
}

TTableLoadReport TFSNMP_Trap_Access::Load_File(const QString& fileName)
{
    return SNMP_Load(File(), fileName);
}
