// Construction, defaults, lifecycle, copying and the accessors of the owned
// objects of the feature grid.
#include "grid/model/FxGrid.h"
#include "grid/model/FxGrid_p.h"

#include "framework/SysColors.h"
#include "grid/exchange/FxGridDragDrop.h"
#include "grid/exchange/FxHtmlSettings.h"
#include "grid/foundation/GridFocusWindow.h"
#include "grid/interact/FxDragScroll.h"

#include <QApplication>
#include <QBuffer>
#include <QResizeEvent>
#include <QStyle>

namespace {

constexpr int kVersionNr = 0x06020103;

QString VersionText(int nr)
{
    return QStringLiteral("%1.%2.%3.%4")
        .arg((nr >> 24) & 0xFF)
        .arg((nr >> 16) & 0xFF)
        .arg((nr >> 8) & 0xFF)
        .arg(nr & 0xFF);
}

} // namespace

#define FX_MODEL_SETTING(Type, Name, Initial, Write) FX_GRID_DEFINE_SETTING(d->model, Type, Name, Write)
FX_GRID_MODEL_SETTINGS(FX_MODEL_SETTING)
#undef FX_MODEL_SETTING

TFxStringGrid::TFxStringGrid(QWidget* parent) : TBaseGrid(parent), d(std::make_unique<Private>())
{
    TFxGridModelState& m = d->model;
    TFxGridPaintState& p = d->paint;

    p.FooterPanel = std::make_unique<TFooterPanel>(this);
    p.FooterPanel->hide();
    m.SearchFooter = std::make_unique<TSearchFooter>(this, false);
    m.SearchFooter->OnChange = [this](QObject*) { SearchFooterChanged(); };
    p.FloatingFooter = std::make_unique<TFloatingFooter>(this);
    p.PrintSettings = std::make_unique<TPrintSettings>(this);
    p.ControlLook = std::make_unique<TControlLook>(this);
    m.Navigation = std::make_unique<TNavigation>();
    m.ColumnSize = std::make_unique<TColumnSize>();
    m.ColumnSize->OnStretch = [this](int column) {
        if (parentWidget())
            StretchColumn(column);
    };
    m.CellNode = std::make_unique<TCellNode>(this);
    m.Bands = std::make_unique<TBands>();
    m.Bands->OnChange = [this](QObject*) { BandsChanged(); };
    m.MouseActions = std::make_unique<TMouseActions>(this);
    m.MouseActions->OnChange = [this](QObject*) { InvalidateSetting(); };
    m.MouseActions->OnInvalidate = [this](QObject*) { InvalidateSetting(); };
    m.ImageCache = std::make_unique<THTMLPictureCache>();
    m.ColumnHeaders.OnChange = [this](fw::TStringList&) {
        ColumnHeadersChanged();
        ShowColumnHeaders();
    };
    m.RowHeaders.OnChange = [this](fw::TStringList&) { ShowRowHeaders(); };

    p.FixedFont.Name = QStringLiteral("Tahoma");
    p.FixedFont.Style = fw::TFontStyles{fw::fsBold};
    p.ActiveCellFont.Style = fw::TFontStyles{fw::fsBold};

    p.RowIndicator = std::make_unique<fw::TBitmap>();
    p.BackGround = std::make_unique<TBackGround>(this);
    m.SyncGrid = std::make_unique<TSyncGrid>(this);
    p.ProgressAppearance = std::make_unique<TGridProgressAppearance>();
    p.ProgressAppearance->OnChange = [this](QObject*) { InvalidateSetting(); };

    SetRowCount(10);
    resize(400, 250);
    SetAutoSize(false);
    p.Balloon = std::make_unique<TBalloonSettings>();
    p.Balloon->OnEnableChange = [this](QObject*) { BalloonEnableChanged(); };
    p.ShowModified = std::make_unique<TShowModified>();
    p.ShowModified->OnChange = [this](QObject*) { ShowModifiedChanged(); };

    SetDefaultRowHeight(22);
    m.FixedRowHeight = DefaultRowHeight();

    // Every platform this runs on counts as themed: the themed border colour.
    p.BorderColor = 0xB99D7F;
    p.RIRGradientTo = fw::ColorToRGB(fw::clBtnFace);
    p.ScrollWidth = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);

    m.FixedRowsMin = TBaseGrid::FixedRows();
    m.FixedColsMin = TBaseGrid::FixedCols();
    m.CellGraphic = std::make_unique<TCellGraphic>();
    m.FilterList.SetDuplicates(fw::TDuplicates::dupIgnore);
    m.FilterList.SetSorted(true);
}

TFxStringGrid::~TFxStringGrid()
{
    d->model.Destroying = true;
    FreeScrollControls();
    // A store that cannot be written must not end the program from here.
    if (d->model.ColumnSize->Save()) {
        try {
            SaveColSizes();
        } catch (const fw::Exception&) {
        }
    }
    // The cells' property objects, those of hidden rows and columns too, are
    // registered with the base grid, which frees them all.
}

bool TFxStringGrid::Destroying() const
{
    return d->model.Destroying;
}

TFxGridEvents& TFxStringGrid::Events() const { return d->Events; }
TFxGridModelState& TFxStringGrid::ModelState() const { return d->model; }
TFxGridPaintState& TFxStringGrid::PaintState() const { return d->paint; }
TFxGridInteractState& TFxStringGrid::InteractState() const { return d->interact; }
TFxGridExchangeState& TFxStringGrid::ExchangeState() const { return d->exchange; }

TSearchFooter& TFxStringGrid::SearchFooter() const { return *d->model.SearchFooter; }
TFloatingFooter& TFxStringGrid::FloatingFooter() const { return *d->paint.FloatingFooter; }
TPrintSettings& TFxStringGrid::PrintSettings() const { return *d->paint.PrintSettings; }
TControlLook& TFxStringGrid::ControlLook() const { return *d->paint.ControlLook; }
TNavigation& TFxStringGrid::Navigation() const { return *d->model.Navigation; }
TColumnSize& TFxStringGrid::ColumnSize() const { return *d->model.ColumnSize; }
TCellNode& TFxStringGrid::CellNode() const { return *d->model.CellNode; }
TBands& TFxStringGrid::Bands() const { return *d->model.Bands; }
TSizeWhileTyping& TFxStringGrid::SizeWhileTyping() const { return d->model.SizeWhileTyping; }
TMouseActions& TFxStringGrid::MouseActions() const { return *d->model.MouseActions; }
TSyncGrid& TFxStringGrid::SyncGrid() const { return *d->model.SyncGrid; }
TBackGround& TFxStringGrid::BackGround() const { return *d->paint.BackGround; }
TBalloonSettings& TFxStringGrid::Balloon() const { return *d->paint.Balloon; }
TShowModified& TFxStringGrid::ShowModified() const { return *d->paint.ShowModified; }
TGridProgressAppearance& TFxStringGrid::ProgressAppearance() const { return *d->paint.ProgressAppearance; }
TFooterPanel& TFxStringGrid::FooterPanel() const { return *d->paint.FooterPanel; }
TSearchPanel& TFxStringGrid::SearchPanel() const
{
    // Built when first asked for: most grids never show their search footer,
    // and its edit, buttons and pictures are a good part of a new grid.
    if (!d->paint.SearchPanel) {
        auto* self = const_cast<TFxStringGrid*>(this);
        d->paint.SearchPanel = std::make_unique<TSearchPanel>(self);
        d->paint.SearchPanel->hide();
        self->SearchFooterChanged();
    }
    return *d->paint.SearchPanel;
}
THTMLPictureCache& TFxStringGrid::ImageCache() const { return *d->model.ImageCache; }
fw::TBitmap& TFxStringGrid::RowIndicator() const { return *d->paint.RowIndicator; }
fw::TStringList& TFxStringGrid::LookupItems() const { return d->model.LookupItems; }
fw::TStringList& TFxStringGrid::FilterList() const { return d->model.FilterList; }
TIntList& TFxStringGrid::IgnoreColumns() const { return d->model.IgnoreColumns; }
fw::TStringList& TFxStringGrid::ColumnHeaders() const { return d->model.ColumnHeaders; }
fw::TStringList& TFxStringGrid::RowHeaders() const { return d->model.RowHeaders; }
std::vector<int>& TFxStringGrid::ColumnOrder() const { return d->model.ColumnOrder; }
std::vector<int>& TFxStringGrid::SortRowXRef() const { return d->model.SortRowXRef; }
TControlList& TFxStringGrid::ControlList() const { return d->model.ControlList; }
fw::TImageList* TFxStringGrid::GridImages() const { return d->model.GridImages; }
void TFxStringGrid::SetGridImages(fw::TImageList* value) { d->model.GridImages = value; }
TPictureContainer* TFxStringGrid::PictureContainer() const { return d->model.PictureContainer; }

void TFxStringGrid::SetPictureContainer(TPictureContainer* value)
{
    if (value == d->model.PictureContainer)
        return;
    d->model.PictureContainer = value;
    InvalidateSetting();
}

void TFxStringGrid::SetLookupItems(const fw::TStringList* value)
{
    if (value)
        d->model.LookupItems.Assign(*value);
}

void TFxStringGrid::InvalidateSetting()
{
    if (d->interact.UpdateCount == 0)
        Invalidate();
}

void TFxStringGrid::Invalidate()
{
    if (d && d->interact.EditChange) {
        d->interact.EditChange = false;
        return;
    }
    TBaseGrid::Invalidate();
    if (d && !d->model.Loaded)
        return;
    if (d && d->paint.FloatingFooter->Visible())
        d->paint.FooterPanel->update();
}

bool TFxStringGrid::IsLoaded() const
{
    return d->model.Loaded;
}

void TFxStringGrid::Loaded()
{
    TFxGridModelState& m = d->model;
    ShowColumnHeaders();
    ShowRowHeaders();
    if (d->paint.AutoSize)
        AutoSizeColumns(false, 4);
    if (m.ColumnSize->Save())
        LoadColSizes();
    m.FixedRowsMin = TBaseGrid::FixedRows();
    m.FixedColsMin = TBaseGrid::FixedCols();
    m.FMinRowHeight = DefaultRowHeight();
    m.FMinColWidth = 10;
    m.MaxRowCount = RowCount();
    m.Loaded = true;
    if (Options() & fw::goAlwaysShowEditor) {
        m.Navigation->SetAlwaysEdit(true);
        SetOptions(Options() & ~fw::TGridOptions(fw::goAlwaysShowEditor));
    }
    SearchFooterChanged();
    UpdateScrollBarsAlways(false);
    InitOrigColSizes();
    SetColumnOrder();
    ApplyAppStyleColors();
}

void TFxStringGrid::Assign(const QObject* Source)
{
    const auto* s = dynamic_cast<const TFxStringGrid*>(Source);
    if (!s || s == this)
        return;
    SetFont(s->Font());
    SetActiveCellColor(s->ActiveCellColor());
    SetActiveCellColorTo(s->ActiveCellColorTo());
    SetActiveCellFont(s->ActiveCellFont());
    SetActiveCellShow(s->ActiveCellShow());
    SetActiveRowShow(s->ActiveRowShow());
    FilterDropDown().Assign(s->FilterDropDown());
    SetFilterDropDownAuto(s->FilterDropDownAuto());
    SetAnchorHint(s->AnchorHint());
    SetAutoNumAlign(s->AutoNumAlign());
    d->paint.AutoSize = s->d->paint.AutoSize;   // stored without sizing
    SetAutoThemeAdapt(s->AutoThemeAdapt());
    SetAutoFilterUpdate(s->AutoFilterUpdate());
    d->model.MouseActions->Assign(s->d->model.MouseActions.get());
    d->model.Navigation->Assign(s->d->model.Navigation.get());
    Grouping().Assign(s->Grouping());
    d->model.SearchFooter->Assign(s->d->model.SearchFooter.get());
    d->paint.PrintSettings->Assign(*s->d->paint.PrintSettings);
    Filter().Assign(s->Filter());
    HTMLSettings().Assign(s->HTMLSettings());
    d->model.Bands->Assign(s->d->model.Bands.get());
    d->model.CellNode->Assign(*s->d->model.CellNode);
    SortSettings().Assign(s->SortSettings());
    DragScrollOptions().Assign(&s->DragScrollOptions());
    DragDropSettings().Assign(s->DragDropSettings());
    d->paint.ProgressAppearance->Assign(*s->d->paint.ProgressAppearance);
    d->model.ColumnSize->Assign(*s->d->model.ColumnSize);
    d->model.SyncGrid->Assign(s->d->model.SyncGrid.get());
    FocusHelper().Assign(s->FocusHelper());
    SetFixedRowAlways(s->FixedRowAlways());
    SetColCount(s->ColCount());
    SetRowCount(s->RowCount());
    SetFixedRows(s->TBaseGrid::FixedRows());
    SetFixedCols(s->TBaseGrid::FixedCols());
    SetDefaultColWidth(s->DefaultColWidth());
    SetDefaultRowHeight(s->DefaultRowHeight());
    SetFixedRowHeight(s->FixedRowHeight());
    SetFixedColWidth(s->FixedColWidth());
    SetInvalidEntryTitle(s->InvalidEntryTitle());
    SetInvalidEntryIcon(s->InvalidEntryIcon());
    SetInvalidEntryText(s->InvalidEntryText());
    SetOptions(s->Options());
    for (int c = 0; c < ColCount(); ++c)
        SetColWidths(c, s->ColWidths(c));
    d->model.ColumnHeaders.Assign(s->d->model.ColumnHeaders);
    for (int r = 0; r < RowCount(); ++r)
        SetRowHeights(r, s->RowHeights(r));
    // Stored first, then the ones whose setters act on the scroll bars.
    d->paint.ScrollProportional = s->d->paint.ScrollProportional;
    SetScrollSynch(s->ScrollSynch());
    d->paint.ScrollWidth = s->d->paint.ScrollWidth;
    SetScrollHints(s->ScrollHints());
    d->paint.ScrollBarAlways = s->d->paint.ScrollBarAlways;
    SetScrollBars(s->ScrollBars());
    SetScrollColor(s->ScrollColor());
    SetScrollType(s->ScrollType());
    SetScrollWidth(s->ScrollWidth());
    AssignCells(Source);
}

void TFxStringGrid::AssignCells(const QObject* Source)
{
    const auto* s = dynamic_cast<const TFxStringGrid*>(Source);
    if (!s || s == this)
        return;
    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    const_cast<TFxStringGrid*>(s)->SaveToStream(buffer);
    buffer.seek(0);
    LoadFromStream(buffer);
}

void TFxStringGrid::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    const int rowHeight = DefaultRowHeight();
    if (d->model.IntegralHeight && d->interact.UpdateCount == 0 && rowHeight > 0) {
        const bool colsFit = VisibleColCount() + TBaseGrid::FixedCols() >= ColCount();
        const int h = colsFit ? 0 : style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
        const int b = frameWidth() > 0 ? 2 : 0;
        const int t = AHeight - h - b;
        AHeight = h + 2 * b + t - (t % rowHeight);
    }
    setGeometry(ALeft, ATop, AWidth, AHeight);
    DrawBorderLines();
}

bool TFxStringGrid::IntegralHeight() const
{
    return d->model.IntegralHeight;
}

void TFxStringGrid::SetIntegralHeight(bool value)
{
    d->model.IntegralHeight = value;
    SetBounds(x(), y(), width(), height());
}

int TFxStringGrid::GetVersionNr() const
{
    return kVersionNr;
}

QString TFxStringGrid::GetVersionString() const
{
    return VersionText(GetVersionNr()) + QStringLiteral(" Sep, 2012");
}

QString TFxStringGrid::Version() const
{
    return VersionText(GetVersionNr());
}

bool TFxStringGrid::AutoSize() const
{
    return d->paint.AutoSize;
}

void TFxStringGrid::SetAutoSize(bool value)
{
    d->paint.AutoSize = value;
    if (value && d->model.Loaded)
        AutoSizeColumns(false, 4);
}

fw::TColor TFxStringGrid::BorderColor() const
{
    return d->paint.BorderColor;
}

void TFxStringGrid::SetBorderColor(fw::TColor value)
{
    if (d->paint.BorderColor == value)
        return;
    d->paint.BorderColor = value;
    if (parentWidget())
        DrawBorderLines();
}

fw::TFont& TFxStringGrid::FixedFont() const
{
    return d->paint.FixedFont;
}

void TFxStringGrid::SetFixedFont(const fw::TFont& value)
{
    d->paint.FixedFont = value;
    InvalidateSetting();
}

fw::TFont& TFxStringGrid::ActiveCellFont() const
{
    return d->paint.ActiveCellFont;
}

void TFxStringGrid::SetActiveCellFont(const fw::TFont& value)
{
    d->paint.ActiveCellFont = value;
    InvalidateSetting();
}

TScrollBarAlways TFxStringGrid::ScrollBarAlways() const
{
    return d->paint.ScrollBarAlways;
}

void TFxStringGrid::SetScrollBarAlways(TScrollBarAlways value)
{
    d->paint.ScrollBarAlways = value;
    UpdateScrollBarsAlways(false);
}

fw::TFont TFxStringGrid::GetCellFont(int i, int j)
{
    if (!CellPropertiesAssigned(i, j))
        return Font();
    const TCellProperties* p = GridObjects(i, j);
    fw::TFont f = Font();
    f.Name = p->FontName();
    f.Size = p->FontSize();
    f.Style = p->FontStyle();
    f.Color = p->FontColor();
    return f;
}

void TFxStringGrid::resizeEvent(QResizeEvent* e)
{
    TBaseGrid::resizeEvent(e);
    if (const auto& onResize = d->Events.OnResize)
        onResize(this);
    if ((d->paint.BackGround->Display() == bdGradientHorz || d->paint.BackGround->Display() == bdGradientVert) &&
        d->paint.BackGround->ColorTo() != fw::clNone)
        Invalidate();
    UpdateScrollBarsAlways(false);
    CellControlsUpdate(false);
}
