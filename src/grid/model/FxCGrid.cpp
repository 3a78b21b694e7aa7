// The column grid: its Columns kept in step with the grid's columns, and
// the per-cell queries answered from a column's settings first.
#include "grid/model/FxCGrid.h"
#include "grid/interact/FxEditLink.h"
#include "grid/model/FxFilter.h"

#include "grid/interact/FxGridEditors.h"
#include "grid/model/FxGrid_p.h"

#include "framework/IniFile.h"
#include "grid/foundation/FxUtilText.h"
#include "grid/model/FxValueText.h"

#include <algorithm>

struct TFxColumnGrid::Private {
    std::unique_ptr<TGridColumnCollection> Columns;
    std::unique_ptr<TGridColumnItem> SaveCol;   // a grouped column's settings
    bool ColMoving = false;
    bool AutoFilterDisplay = false;
    std::function<void(QObject*, int, int, QObject*)> OnColumnPopup;
    std::function<void(QObject*, int, int)> OnAfterColumnMoved;
};

TFxColumnGrid::TFxColumnGrid(QWidget* parent)
    : TFxColumnGrid(parent, [](TFxColumnGrid* owner) { return std::make_unique<TGridColumnCollection>(owner); })
{
}

TFxColumnGrid::TFxColumnGrid(QWidget* parent, const TColumnsFactory& makeColumns)
    : TFxStringGrid(parent), c(std::make_unique<Private>())
{
    c->Columns = makeColumns(this);
    c->Columns->SetNoRecursiveUpdate(true);
    SyncColumns();
    c->Columns->SetNoRecursiveUpdate(false);
    c->SaveCol = std::make_unique<TGridColumnItem>(nullptr);
}

TFxColumnGrid::~TFxColumnGrid() = default;

TGridColumnCollection& TFxColumnGrid::Columns() const
{
    return *c->Columns;
}

void TFxColumnGrid::SetColumns(const TGridColumnCollection& value)
{
    c->Columns->Assign(value);
}

TGridColumnItem* TFxColumnGrid::ColumnByName(const QString& name) const
{
    for (int i = 0; i < c->Columns->Count(); ++i)
        if (c->Columns->Items(i)->Name() == name)
            return c->Columns->Items(i);
    return nullptr;
}

void TFxColumnGrid::SetColCount(int value)
{
    TFxStringGrid::SetColCount(value);
    if (!c)
        return;
    const bool old = c->Columns->NoRecursiveUpdate();
    c->Columns->SetNoRecursiveUpdate(true);
    SyncColumns();
    c->Columns->SetNoRecursiveUpdate(old);
}

bool TFxColumnGrid::AutoFilterDisplay() const { return c->AutoFilterDisplay; }
void TFxColumnGrid::SetAutoFilterDisplay(bool value) { c->AutoFilterDisplay = value; }
bool TFxColumnGrid::ColMoving() const { return c && c->ColMoving; }

void TFxColumnGrid::SyncColumns()
{
    TGridColumnCollection& cols = *c->Columns;
    const int wanted = ColCount() + NumHiddenColumns();
    while (cols.Count() < wanted)
        cols.Add();
    while (cols.Count() > wanted)
        cols.Delete(cols.Count() - 1);
}

void TFxColumnGrid::SyncColumnHeaders()
{
    if (TBaseGrid::FixedRows() < 1)
        return;
    fw::TStringList& headers = ColumnHeaders();
    const auto handler = std::move(headers.OnChange);
    headers.Clear();
    for (int i = 0; i < c->Columns->Count(); ++i) {
        TGridColumnItem* item = c->Columns->Items(i);
        if (item->Header().isEmpty() && !Cells(i, 0).isEmpty())
            item->FHeader = Cells(i, 0);
        headers.Add(item->Header());
    }
    headers.OnChange = handler;
}

void TFxColumnGrid::Loaded()
{
    TFxStringGrid::Loaded();
    const bool old = c->Columns->NoRecursiveUpdate();
    c->Columns->SetNoRecursiveUpdate(true);
    SyncColumns();
    c->Columns->SetNoRecursiveUpdate(old);
    c->Columns->SetOrganization();
}

int TFxColumnGrid::GetVersionNr() const
{
    return 0x03010301;
}

QString TFxColumnGrid::GetVersionString() const
{
    return Version() + QStringLiteral(" Aug, 2012");
}

TGridColumnItem* TFxColumnGrid::ItemOf(int realCol) const
{
    if (!c || realCol < 0 || realCol >= c->Columns->Count())
        return nullptr;
    return c->Columns->Items(realCol);
}

bool TFxColumnGrid::InNormalArea(int ACol, int ARow) const
{
    return ACol >= TBaseGrid::FixedCols() && ACol < ColCount() + NumHiddenColumns() - FixedRightCols() &&
           ARow >= TBaseGrid::FixedRows() && ARow < RowCount() - FixedFooters();
}

// ---------------------------------------------------------------- looks

void TFxColumnGrid::GetDefaultVisualProps(int ACol, int ARow, TCellLook& Look)
{
    const TGridColumnItem* item = ItemOf(ACol);
    if (!item) {
        TFxStringGrid::GetDefaultVisualProps(ACol, ARow, Look);
        return;
    }
    Look.Font = item->Font();
    Look.Brush.Color = item->Color();
    Look.ColorTo = fw::clNone;
    Look.HA = ARow < TBaseGrid::FixedRows() ? item->HeaderAlignment() : item->Alignment();
    Look.VA = VAlignment();
    Look.WW = WordWrap();
    if (IsFixed(ACol, ARow) || (item->ShowBands() && Bands().Active())) {
        Look.Brush.Color = fw::clNone;
        Look.ColorTo = fw::clNone;
    }
}

void TFxColumnGrid::DoGetCellColor(int ACol, int ARow, fw::TGridDrawState AState, fw::TBrush& ABrush,
                                   fw::TFont& AFont)
{
    const TGridColumnItem* item = ItemOf(ACol);
    if (item && ACol >= TBaseGrid::FixedCols() && ACol < ColCount() + NumHiddenColumns() - FixedRightCols() &&
        ARow < RowCount() - FixedFooters()) {
        const bool fixedRow = ARow < TBaseGrid::FixedRows();
        if (item->Fixed())
            ABrush.Color = FixedColor();
        else if (!fixedRow && !(item->ShowBands() && Bands().Active()))
            ABrush.Color = item->Color();
        AFont = fixedRow ? item->HeaderFont() : item->Font();
        if (CellPropertiesAssigned(ACol, ARow)) {
            const TCellProperties* p = GridObjects(ACol, ARow);
            if (p->BrushColor() != fw::clNone)
                ABrush.Color = p->BrushColor();
            if (p->FontColor() != fw::clNone)
                AFont.Color = p->FontColor();
        }
    }
    TFxStringGrid::DoGetCellColor(ACol, ARow, AState, ABrush, AFont);
}

void TFxColumnGrid::DoGetCellPrintColor(int ACol, int ARow, fw::TGridDrawState AState, fw::TBrush& ABrush,
                                        fw::TFont& AFont)
{
    const TGridColumnItem* item = ItemOf(ACol);
    if (item && InNormalArea(ACol, ARow)) {
        if (item->Fixed())
            ABrush.Color = FixedColor();
        else if (!(item->ShowBands() && Bands().Active() && Bands().Print()))
            ABrush.Color = item->PrintColor();
        if (CellPropertiesAssigned(ACol, ARow) && GridObjects(ACol, ARow)->BrushColor() != fw::clNone)
            ABrush.Color = GridObjects(ACol, ARow)->BrushColor();
        if (item->PrintFontCustom()) {
            AFont = item->PrintFont();
            if (CellPropertiesAssigned(ACol, ARow))
                GridObjects(ACol, ARow)->OverrideFont(AFont);
        }
    }
    TFxStringGrid::DoGetCellPrintColor(ACol, ARow, AState, ABrush, AFont);
}

void TFxColumnGrid::DoGetCellBorder(int ACol, int ARow, fw::TPen& APen, TCellBorders& Borders)
{
    const TGridColumnItem* item = ItemOf(ACol);
    if (item && ACol >= TBaseGrid::FixedCols() && ARow >= TBaseGrid::FixedRows()) {
        Borders = item->Borders();
        APen = item->BorderPen();
    }
    TFxStringGrid::DoGetCellBorder(ACol, ARow, APen, Borders);
}

void TFxColumnGrid::DoGetCellPrintBorder(int ACol, int ARow, fw::TPen& APen, TCellBorders& Borders)
{
    const TGridColumnItem* item = ItemOf(ACol);
    if (item && item->PrintBorderCustom() && ACol >= TBaseGrid::FixedCols() && ARow >= TBaseGrid::FixedRows()) {
        Borders = item->PrintBorders();
        APen = item->PrintBorderPen();
    }
    TFxStringGrid::DoGetCellPrintBorder(ACol, ARow, APen, Borders);
}

void TFxColumnGrid::DoGetAlignment(int ACol, int ARow, fw::TAlignment& HAlign, TVAlignment& VAlign)
{
    if (const TGridColumnItem* item = ItemOf(ACol)) {
        HAlign = ARow < TBaseGrid::FixedRows() ? item->HeaderAlignment() : item->Alignment();
        if (CellPropertiesAssigned(ACol, ARow))
            HAlign = GridObjects(ACol, ARow)->Alignment();
    }
    TFxStringGrid::DoGetAlignment(ACol, ARow, HAlign, VAlign);
}

void TFxColumnGrid::DoGetFormat(int ACol, TSortStyle& AStyle, QString& aPrefix, QString& aSuffix)
{
    if (const TGridColumnItem* item = ItemOf(ACol)) {
        AStyle = item->SortStyle();
        aPrefix = item->SortPrefix();
        aSuffix = item->SortSuffix();
    }
    TFxStringGrid::DoGetFormat(ACol, AStyle, aPrefix, aSuffix);
}

QString TFxColumnGrid::GetFormattedCell(int ACol, int ARow)
{
    const TGridColumnItem* item = ItemOf(ACol);
    if (!item)
        return TFxStringGrid::GetFormattedCell(ACol, ARow);
    const QString text = GetCellEx(ACol, ARow);
    bool isFloat = true;
    QString format = item->FloatFormat();
    if (const auto& e = Events().OnGetFloatFormat)
        e(this, ACol, ARow, isFloat, format);
    const int kind = NumericTextKind(text);
    if (!isFloat || format.isEmpty() || (kind != ntkInteger && kind != ntkDecimal))
        return text;
    double value = 0;
    if (!FxCellTextToFloat(text, value))
        return text;
    QString out;
    return FxTryFormatNumber(format, value, format.contains(QLatin1Char('d')), out) ? out : text;
}

QString TFxColumnGrid::GetCellFloatFormat(int ACol, int ARow) const
{
    const TGridColumnItem* item = ItemOf(ACol);
    if (item && !item->FloatFormat().isEmpty())
        return item->FloatFormat();
    return TFxStringGrid::GetCellFloatFormat(ACol, ARow);
}

TCellType TFxColumnGrid::GetCellType(int ACol, int ARow)
{
    const TCellType t = TFxStringGrid::GetCellType(ACol, ARow);
    if (Destroying() || t != ctEmpty || !InNormalArea(ACol, ARow))
        return t;
    const TGridColumnItem* item = ItemOf(ACol);
    return item && item->Editor() == edDataCheckBox ? ctDataCheckBox : t;
}

TCellGraphic* TFxColumnGrid::GetCellGraphic(int ACol, int ARow)
{
    TCellGraphic* g = TFxStringGrid::GetCellGraphic(ACol, ARow);
    if (Destroying() || g || !InNormalArea(ACol, ARow))
        return g;
    const TGridColumnItem* item = ItemOf(ACol);
    if (!item || item->Editor() != edDataCheckBox)
        return g;
    TCellGraphic& shared = *ModelState().CellGraphic;
    shared.SetCellType(ctVirtCheckBox);
    shared.SetCellHAlign(haBeforeText);
    shared.SetCellVAlign(vaTop);
    shared.SetCellTransparent(ControlLook().ControlStyle() == csFlat);
    return &shared;
}

// ---------------------------------------------------------------- sizing

void TFxColumnGrid::ColumnSizeChanged(int ACol, int& AWidth)
{
    if (const TGridColumnItem* item = ItemOf(ACol)) {
        if (item->MinSize() > 0 && AWidth < item->MinSize())
            AWidth = item->MinSize();
        if (item->MaxSize() > 0 && AWidth > item->MaxSize())
            AWidth = item->MaxSize();
    }
    TFxStringGrid::ColumnSizeChanged(ACol, AWidth);
}

void TFxColumnGrid::ColumnAutoSized(int ACol, int& AWidth)
{
    if (const TGridColumnItem* item = ItemOf(ACol)) {
        if (item->AutoMinSize() > 0 && AWidth < item->AutoMinSize())
            AWidth = item->AutoMinSize();
        if (item->AutoMaxSize() > 0 && AWidth > item->AutoMaxSize())
            AWidth = item->AutoMaxSize();
    }
    TFxStringGrid::ColumnAutoSized(ACol, AWidth);
}

void TFxColumnGrid::ColumnHeadersChanged()
{
    if (!c)
        return;
    const fw::TStringList& headers = ColumnHeaders();
    for (int i = 0; i < headers.Count() && i < c->Columns->Count(); ++i)
        c->Columns->Items(i)->FHeader = headers.Strings(i);
}

void TFxColumnGrid::RecalcFooters()
{
    TFxStringGrid::RecalcFooters();
    const bool old = c->Columns->NoRecursiveUpdate();
    c->Columns->SetNoRecursiveUpdate(true);
    SyncColumns();
    c->Columns->SetNoRecursiveUpdate(old);
}

void TFxColumnGrid::InsertCols(int ColIndex, int CCount)
{
    if (CCount <= 0 || ColIndex < 0)
        return;
    const int at = std::min(ColIndex, c->Columns->Count());
    const bool old = c->Columns->NoRecursiveUpdate();
    c->Columns->SetNoRecursiveUpdate(true);
    for (int i = 0; i < CCount; ++i)
        c->Columns->Insert(at);
    c->Columns->SetNoRecursiveUpdate(old);
    TFxStringGrid::InsertCols(ColIndex, CCount);
}

void TFxColumnGrid::RemoveCols(int ColIndex, int CCount)
{
    CCount = std::min(CCount, ColCount() + NumHiddenColumns() - ColIndex);
    if (CCount <= 0 || ColIndex < 0)
        return;
    const bool old = c->Columns->NoRecursiveUpdate();
    c->Columns->SetNoRecursiveUpdate(true);
    for (int i = 0; i < CCount && ColIndex < c->Columns->Count(); ++i)
        c->Columns->Delete(ColIndex);
    c->Columns->SetNoRecursiveUpdate(old);
    TFxStringGrid::RemoveCols(ColIndex, CCount);
}

// ---------------------------------------------------------------- editing

void TFxColumnGrid::GetCellEditorType(int ACol, int ARow, TEditorType& AEditor)
{
    if (TGridColumnItem* item = ItemOf(ACol)) {
        if (ACol >= TBaseGrid::FixedCols() && ARow >= TBaseGrid::FixedRows()) {
            AEditor = item->Editor();
            if (AEditor == edCustom)
                SetEditLink(qobject_cast<TEditLink*>(item->EditLink()));
            ControlLook().SetDropDownCount(item->DropDownCount());
            // The column's spin limits and step go to the spin editor.
            if (AEditor == edSpinEdit || AEditor == edFloatSpinEdit || AEditor == edTimeSpinEdit ||
                AEditor == edDateSpinEdit) {
                TGridSpin& spin = SpinEdit();
                spin.SetMinValue(item->SpinMin());
                spin.SetMaxValue(item->SpinMax());
                spin.SetIncrement(item->SpinStep());
            }
            // The column's choices become the combo editor's list; an
            // OnGetEditorType handler may still replace them.
            if (AEditor == edComboEdit || AEditor == edComboList) {
                QStringList items;
                for (int i = 0; i < item->ComboItems().Count(); ++i)
                    items << item->ComboItems()[i];
                Combobox().SetItems(items);
            }
        }
        if (!item->FloatFormat().isEmpty())
            SetFloatFormat(item->FloatFormat());
    }
    TFxStringGrid::GetCellEditorType(ACol, ARow, AEditor);
}

void TFxColumnGrid::DoIsFixedCell(int ACol, int ARow, bool& IsFixed)
{
    const int rc = RealColIndex(ACol);
    if (const TGridColumnItem* item = ItemOf(rc))
        if (ACol >= TBaseGrid::FixedCols() && ARow >= TBaseGrid::FixedRows())
            IsFixed = item->Fixed();
    TFxStringGrid::DoIsFixedCell(ACol, ARow, IsFixed);
}

void TFxColumnGrid::CanEditCell(int ACol, int ARow, bool& CanEdit)
{
    const TGridColumnItem* item = ItemOf(ACol);
    if (!item) {
        TFxStringGrid::CanEditCell(ACol, ARow, CanEdit);
        return;
    }
    CanEdit = ACol >= TBaseGrid::FixedCols() && ARow >= TBaseGrid::FixedRows() &&
              !(item->ReadOnly() || item->Fixed());
    if (CanEdit && CellPropertiesAssigned(ACol, ARow))
        CanEdit = !GridObjects(ACol, ARow)->ReadOnly();
    const fw::TPoint b = BaseCell(ACol, ARow);
    DoCanEditCell(b.X, b.Y, CanEdit);
}

void TFxColumnGrid::DoIsPasswordCell(int ACol, int ARow, bool& IsPassword)
{
    if (const TGridColumnItem* item = ItemOf(ACol))
        IsPassword = item->Password();
    TFxStringGrid::DoIsPasswordCell(ACol, ARow, IsPassword);
}

bool TFxColumnGrid::HasComboBox(int ACol, int ARow)
{
    const TGridColumnItem* item = ItemOf(ACol);
    if (!item)
        return TFxStringGrid::HasComboBox(ACol, ARow);
    bool has = ACol >= TBaseGrid::FixedCols() && ARow >= TBaseGrid::FixedRows() &&
               (item->Editor() == edComboEdit || item->Editor() == edComboList);
    if (const auto& e = Events().OnHasComboBox)
        e(this, ACol, ARow, has);
    return has;
}

void TFxColumnGrid::GetCheckTrue(int ACol, int ARow, QString& Value)
{
    TFxStringGrid::GetCheckTrue(ACol, ARow, Value);
    if (const TGridColumnItem* item = ItemOf(ACol); item && InNormalArea(ACol, ARow))
        Value = item->CheckTrue();
}

void TFxColumnGrid::GetCheckFalse(int ACol, int ARow, QString& Value)
{
    TFxStringGrid::GetCheckFalse(ACol, ARow, Value);
    if (const TGridColumnItem* item = ItemOf(ACol); item && InNormalArea(ACol, ARow))
        Value = item->CheckFalse();
}

// ---------------------------------------------------------------- filter drop-down

bool TFxColumnGrid::DoGetColumnFilter(int Column)
{
    FilterList().SetSorted(false);
    TFxStringGrid::DoGetColumnFilter(Column);
    TGridColumnItem* item = ItemOf(Column);
    if (!item || item->Filter().Count() == 0)
        return false;
    fw::TStringList& list = FilterList();
    list.SetSorted(false);
    list.Clear();
    for (int i = 0; i < item->Filter().Count(); ++i) {
        const QString line = item->Filter().Strings(i);
        const int eq = line.indexOf(QLatin1Char('='));
        list.Add(eq < 0 ? line : line.left(eq));
    }
    return true;
}

void TFxColumnGrid::DoFilterSelect(int ItemIndex)
{
    const int col = FilterColumn();
    TGridColumnItem* item = ItemOf(col);
    if (!item || item->Filter().Count() == 0) {
        // No lines of its own: the grid's value list answered.
        TFxStringGrid::DoFilterSelect(ItemIndex);
        return;
    }
    if (ItemIndex >= 0 && ItemIndex < item->Filter().Count()) {
        const QString line = item->Filter().Strings(ItemIndex);
        const int eq = line.indexOf(QLatin1Char('='));
        const QString friendly = eq < 0 ? line : line.left(eq);
        QString condition = eq < 0 ? line : line.mid(eq + 1);
        if (c->AutoFilterDisplay)
            item->SetHeader(friendly);
        if (AutoFilterUpdate())
            SetFilterActive(false);
        if (const auto& e = Events().OnFilterSelect)
            e(this, col, ItemIndex, friendly, condition);
        TFilterData* f = Filter().GetColFilter(col);
        f->SetCondition(condition);
        f->SetCaseSensitive(item->FilterCaseSensitive());
        if (AutoFilterUpdate()) {
            SetFilterActive(true);
            if (RowCount() != FixedRows() && !(FixedRowAlways() && RowCount() - FixedRows() == 1))
                SetRow(FixedRows());
            DoFilterDone();
        }
    }
    SetFilterColumn(-1);
}

// ---------------------------------------------------------------- column positions

void TFxColumnGrid::SaveColumnPositions(const QString& Key, const QString& Section)
{
    fw::TIniFile ini(Key);
    for (int i = 0; i < c->Columns->Count(); ++i)
        ini.WriteInteger(Section, QStringLiteral("CP%1").arg(i), c->Columns->Items(i)->DefIdx());
    ini.UpdateFile();
}

void TFxColumnGrid::LoadColumnPositions(const QString& Key, const QString& Section)
{
    fw::TIniFile ini(Key);
    const int n = c->Columns->Count();
    std::vector<int> saved;
    for (int j = 0; j < n; ++j) {
        const int k = ini.ReadInteger(Section, QStringLiteral("CP%1").arg(j), -1);
        if (k < 0)
            return;
        saved.push_back(k);
    }
    // Only a permutation of the columns is an order to restore.
    std::vector<int> sorted = saved;
    std::sort(sorted.begin(), sorted.end());
    for (int j = 0; j < n; ++j)
        if (sorted[std::size_t(j)] != j)
            return;
    ResetColumnOrder();
    for (int j = 0; j < n; ++j)
        c->Columns->Items(saved[std::size_t(j)])->SetDefIdx(j);
    c->Columns->ResetOrganization();
    for (int j = 0; j < n; ++j)
        c->Columns->Items(j)->SetDefIdx(saved[std::size_t(j)]);
}

void TFxColumnGrid::SaveColPositions()
{
    if (ColumnSize().Location() == clIniFile)
        SaveColumnPositions(ColumnSize().Key(), ColumnSize().Section());
    else
        TFxStringGrid::SaveColPositions();
}

void TFxColumnGrid::LoadColPositions()
{
    if (ColumnSize().Location() == clIniFile)
        LoadColumnPositions(ColumnSize().Key(), ColumnSize().Section());
    else
        TFxStringGrid::LoadColPositions();
}

std::function<void(QObject*, int, int, QObject*)> TFxColumnGrid::OnColumnPopupEvent() const
{
    return c->OnColumnPopup;
}

void TFxColumnGrid::SetOnColumnPopup(std::function<void(QObject*, int, int, QObject*)> value)
{
    c->OnColumnPopup = std::move(value);
}

void TFxColumnGrid::SetOnAfterColumnMoved(std::function<void(QObject*, int, int)> value)
{
    c->OnAfterColumnMoved = std::move(value);
}

void TFxColumnGrid::ColumnMoved(int FromIndex, int ToIndex)
{
    // The items move with their columns, keeping every setting but the
    // three an item copy leaves alone.
    TGridColumnCollection& cols = *c->Columns;
    cols.SetNoRecursiveUpdate(true);
    const int top = TopRow();
    const int f = RealColIndex(FromIndex), t = RealColIndex(ToIndex);
    TFxStringGrid::ColumnMoved(FromIndex, ToIndex);
    if (f >= 0 && t >= 0 && f < cols.Count() && t < cols.Count()) {
        c->ColMoving = true;
        TGridColumnItem* moved = cols.Add();
        moved->Assign(*cols.Items(f));
        cols.Delete(f);
        cols.Insert(t)->Assign(*cols.Items(cols.Count() - 1));
        cols.Delete(cols.Count() - 1);
        c->ColMoving = false;
    }
    SetTopRow(top);
    cols.SetNoRecursiveUpdate(false);
    if (c->OnAfterColumnMoved)
        c->OnAfterColumnMoved(this, f, t);
}
