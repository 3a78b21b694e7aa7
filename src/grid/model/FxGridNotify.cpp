// Change notification, the cell value before an edit, the selection and
// fixed-cell edit hooks, and the per-cell text hooks of saving and loading.
#include "grid/model/FxGrid.h"
#include "grid/model/FxGrid_p.h"

#include "grid/foundation/FxUtilText.h"
#include "grid/foundation/SgHTMLEUtil.h"

void TFxStringGrid::DoCellsChanged(const fw::TRect& R)
{
    if (const auto& e = d->Events.OnCellsChanged)
        e(this, R);
    // A notifier may unregister itself or others while being told.
    const auto notifiers = d->model.Notifiers;
    for (const QPointer<TGridChangeNotifier>& n : notifiers)
        if (n)
            n->CellsChanged(R);
    RecalcFooters();
}

void TFxStringGrid::StoreOldCellValue(int ACol, int ARow)
{
    TFxGridModelState& m = d->model;
    m.OldCol = ACol;
    m.OldRow = ARow;
    m.OldCellText = GridCells(RealColIndex(ACol), ARow);
    m.OldModifiedValue = d->interact.Modified;
}

int TFxStringGrid::OldCol() const { return d->model.OldCol; }
int TFxStringGrid::OldRow() const { return d->model.OldRow; }
QString TFxStringGrid::OldCellText() const { return d->model.OldCellText; }
bool TFxStringGrid::SelectionChangedFlag() const { return d->model.SelChange; }
void TFxStringGrid::SetSelectionChangedFlag(bool value) { d->model.SelChange = value; }

void TFxStringGrid::DoSelectionChanged(int ALeft, int ATop, int ARight, int ABottom)
{
    const TGridLook look = Look();
    if (look == glVista || look == glWin7 || look == glOffice2007)
        RepaintRect(Selection());
    d->model.SelChange = true;
    if (const auto& e = d->Events.OnSelectionChanged)
        e(this, ALeft, ATop, ARight, ABottom);
}

void TFxStringGrid::EditorTextChanged() {}

void TFxStringGrid::DoFixedEdit(int ACol, int ARow, TGridFixedCellEditor& AEditor, fw::TStringList& Values)
{
    if (const auto& e = d->Events.OnFixedEdit)
        e(this, ACol, ARow, AEditor, Values);
}

void TFxStringGrid::FixedCellEditChange(int ACol, int ARow, const QString& Text)
{
    if (const auto& e = d->Events.OnEditChange)
        e(this, ACol, ARow, Text);
}

void TFxStringGrid::ReadCellText(int ACol, int ARow, QString& Value)
{
    Value = GetCellEx(ACol, ARow);
}

void TFxStringGrid::GetCellForSave(int ACol, int ARow, QString& Value)
{
    Value = SaveVirtCells() ? GetFormattedCell(ACol, ARow) : GridCells(ACol, ARow);
    if (Value.isEmpty()) {
        const TCellType t = GetCellType(ACol, ARow);
        if (t == ctCheckBox || t == ctTriStateCheckBox) {
            bool checked = false;
            if (t == ctCheckBox) {
                GetCheckBoxState(ACol, RealRowIndex(ARow), checked);
            } else {
                TCheckBoxState state = cbUnchecked;
                GetCheckBoxState(ACol, RealRowIndex(ARow), state);
                checked = state == cbChecked;
            }
            if (checked)
                GetCheckTrue(ACol, ARow, Value);
            else
                GetCheckFalse(ACol, ARow, Value);
        }
    }
    // Only a text beginning with "{" (rich text) or holding a "<" (HTML)
    // can change here: the common plain text skips the full check.
    const bool marked = Value.startsWith(QLatin1Char('{')) || Value.contains(QLatin1Char('<'));
    const int kind = marked ? CellTextKind(Value, true) : ctkPlain;
    if (kind == ctkHtml && !SaveWithHTML()) {
        Value = StripHtmlTags(Value);
    } else if (kind == ctkRichText) {
        if (SaveWithRTF())
            Value.remove(QLatin1Char('\r')).remove(QLatin1Char('\n'));
    }
    if (const auto& e = d->Events.OnSaveCell)
        e(this, ACol, ARow, Value);
}

void TFxStringGrid::SetCellFromLoad(int ACol, int ARow, const QString& Value)
{
    QString v = Value;
    if (const auto& e = d->Events.OnLoadCell)
        e(this, ACol, ARow, v);
    SetGridCells(ACol, ARow, v);
}

void TFxStringGrid::ExportNotification(TGridExportState, int) {}

void TFxStringGrid::ImportNotification(TGridImportState, int) {}
