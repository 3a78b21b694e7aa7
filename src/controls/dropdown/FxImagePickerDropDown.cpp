#include "controls/dropdown/FxImagePickerDropDown.h"

#include "controls/dropdown/FxDetailDropDown.h"
#include "controls/dropdown/FxDropDownForm.h"
#include "framework/Canvas.h"
#include "framework/Screen.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>

using namespace fw;

TImageItem::TImageItem() : FImage(std::make_unique<TPicture>()) {}

TImageItem::~TImageItem() = default;

void TImageItem::SetCaption(const QString& value)
{
    if (value == FCaption)
        return;
    FCaption = value;
    Changed();
}

void TImageItem::SetImageIndex(int value)
{
    if (value == FImageIndex)
        return;
    FImageIndex = value;
    Changed();
}

void TImageItem::Assign(const TImageItem& source)
{
    SetCaption(source.FCaption);
    SetImageIndex(source.FImageIndex);
    FImage->Assign(*source.FImage);
    FHint = source.FHint;
}

// ---- picker -----------------------------------------------------------------------------

TFxImagePickerDropDown::TFxImagePickerDropDown(QWidget* parent) : TFxCustomDropDown(parent)
{
    CreateDropDownForm();
    SetEditorEnabled(false);
    SetDropDownEnabled(true);
    FKeyTimer.SetInterval(500);
    FKeyTimer.SetOnTimer([this] {
        FKeyTimer.SetEnabled(false);
        FCurSearch.clear();
    });
    setCursor(Qt::ArrowCursor);
    SetComponentStyle(ComponentStyle());
}

TFxImagePickerDropDown::~TFxImagePickerDropDown() { FKeyTimer.SetEnabled(false); }

void TFxImagePickerDropDown::CreateDropDownForm()
{
    TFxCustomDropDown::CreateDropDownForm();
    if (!FItemSelector) {
        FItemSelector = new TFxCustomItemSelector(DropDownForm());
        FItemSelector->SetSelectorType(stImage);
        FItemSelector->setGeometry(0, 0, FItemSelector->width(), 150);
    }
    FItemSelector->SetColor(DropDownColor());
    FItemSelector->UpdateSelectorPanel();
    SetControl(FItemSelector);
}

void TFxImagePickerDropDown::AddImagesFromImageList()
{
    const TImageList* images = Images();
    if (!images)
        return;
    for (int i = 0; i < images->Count(); ++i) {
        TImageItem* item = FItems.Add();
        item->SetImageIndex(i);
    }
}

void TFxImagePickerDropDown::AddImagesFromFolder(const QString& folderAndMask, bool setImageCaption)
{
    static const QStringList known = {"bmp", "ico", "emf", "wmf", "tif", "tiff", "jpg", "jpeg", "png"};
    const QFileInfo pattern(folderAndMask);
    QDir folder = pattern.dir();
    const QString mask = pattern.fileName().isEmpty() ? QStringLiteral("*") : pattern.fileName();
    // Files only: ".", ".." and folders are no pictures.
    const QStringList names = folder.entryList({mask}, QDir::Files | QDir::Hidden | QDir::System, QDir::Unsorted);
    for (const QString& name : names) {
        TImageItem* item = FItems.Add();
        const QString path = folder.filePath(name);
        const bool loaded = known.contains(QFileInfo(name).suffix().toLower()) && item->Image().LoadFromFile(path);
        if (!loaded) {
            item->Image().Clear();
            continue;
        }
        if (setImageCaption)
            item->SetCaptionQuietly(name);
    }
}

void TFxImagePickerDropDown::SetItemIndex(int value)
{
    if (value == FItemIndex || value >= FItems.Count())
        return;
    FItemIndex = value;
    update();
    if (OnChange)
        OnChange(this);
    if (OnSelect)
        OnSelect(this);
}

int TFxImagePickerDropDown::ImageIndex() const
{
    const TImageItem* item = FItems.Items(FItemIndex);
    return item ? item->ImageIndex() : -1;
}

void TFxImagePickerDropDown::SetImageIndex(int value)
{
    for (int i = 0; i < FItems.Count(); ++i)
        if (FItems.Items(i)->ImageIndex() == value) {
            SetItemIndex(i);
            return;
        }
    SetItemIndex(-1);
}

void TFxImagePickerDropDown::SelectFirst()
{
    if (FItems.Count() > 0)
        SetItemIndex(0);
}

void TFxImagePickerDropDown::SelectLast()
{
    if (FItems.Count() > 0)
        SetItemIndex(FItems.Count() - 1);
}

void TFxImagePickerDropDown::SelectNext()
{
    if (FItems.Count() == 0)
        return;
    if (FItemIndex < 0)
        SetItemIndex(0);
    else if (FItemIndex + 1 < FItems.Count())
        SetItemIndex(FItemIndex + 1);
}

void TFxImagePickerDropDown::SelectPrevious()
{
    if (FItems.Count() == 0)
        return;
    if (FItemIndex < 0)
        SetItemIndex(0);
    else if (FItemIndex > 0)
        SetItemIndex(FItemIndex - 1);
}

void TFxImagePickerDropDown::PrepareSelector()
{
    if (!FItemSelector)
        return;
    FItemSelector->OnItemSelect = nullptr;
    FItemSelector->SetColumns(FColumns);
    FItemSelector->SetImages(Images());
    FItemSelector->SetItemLayout(FLayout);
    FItemSelector->SetColor(DropDownColor());
    FItemSelector->SetItemAppearance(FItemAppearance);
    TSelectorItems& grid = FItemSelector->Items();
    grid.Clear();
    for (int i = 0; i < FItems.Count(); ++i) {
        const TImageItem* item = FItems.Items(i);
        TSelectorItem* s = grid.Add();
        s->SetCaption(item->Caption());
        s->SetImage(item->Image());
        s->SetImageIndex(item->ImageIndex());
        s->SetHint(item->Hint());
    }
    FItemSelector->UpdateSelectorPanel();
    FItemSelector->SetItemIndex(FItemIndex);
    FItemSelector->OnItemSelect = [this](QObject*) { ItemSelected(); };
    // Without a drawing of its own the grid draws picture and caption itself.
    if (OnDrawItem)
        FItemSelector->OnDrawItem = [this](QObject*, TCanvas& canvas, const TRect& r, int index) {
            if (OnDrawItem)
                OnDrawItem(this, canvas, r, index);
        };
    else
        FItemSelector->OnDrawItem = nullptr;
    FOldItemIndex = FItemIndex;
}

void TFxImagePickerDropDown::BeforeDropDown()
{
    TFxCustomDropDown::BeforeDropDown();
    PrepareSelector();
}

void TFxImagePickerDropDown::DoShowDropDown()
{
    TFxCustomDropDown::DoShowDropDown();
    // Now that the list has its size, the selected item comes into view.
    if (FItemSelector && DroppedDown() && Control() == FItemSelector)
        FItemSelector->ScrollItemInView(FItemSelector->ItemIndex());
}

void TFxImagePickerDropDown::UpdateDropDownSize()
{
    TDropDownForm* form = DropDownForm();
    if (!form || !FItemSelector)
        return;
    form->SetControlAligned(false);
    const TSize panel = FItemSelector->GetPanelSize();
    FItemSelector->resize(DropDownWidth() < 1 ? panel.cx : FItemSelector->width(),
                          DropDownHeight() < 1 ? panel.cy : FItemSelector->height());
    TFxCustomDropDown::UpdateDropDownSize();
    // The list fills the popup inside its frame: a popup as wide as the
    // panel alone would cut it and scroll it sideways.
    int extra = DropDownWidth() < 1 ? 2 * DropDownBorderWidth() : 0;
    if (FItemSelector && FItemSelector->VertScrollBarVisible())
        extra += GetSystemMetrics(SM_CXVSCROLL);
    form->resize(form->width() + extra, form->height());
}

void TFxImagePickerDropDown::DoHideDropDown(bool cancel)
{
    const bool wasShown = DropDownForm() && DropDownForm()->isVisible();
    TFxCustomDropDown::DoHideDropDown(cancel);
    if (wasShown && cancel)
        SetItemIndex(FOldItemIndex);
}

void TFxImagePickerDropDown::ItemSelected()
{
    if (!FItemSelector)
        return;
    SetItemIndex(FItemSelector->ItemIndex());
    if (!FInternalCall)
        DoHideDropDown(false);
}

void TFxImagePickerDropDown::SetSelectionColorStyle(TSelectionColorStyle value)
{
    TFxCustomDropDown::SetSelectionColorStyle(value);
    if (FItemSelector)
        FItemSelector->ItemAppearance().SetColorStyle(value);
}

void TFxImagePickerDropDown::SetComponentStyle(TFxStyle style)
{
    TFxCustomDropDown::SetComponentStyle(style);
    ApplyItemAppearanceStyle(&FItemAppearance, style);
}

// ---- keys and wheel ---------------------------------------------------------------------

void TFxImagePickerDropDown::MoveGrid(int index)
{
    if (!FItemSelector || index < 0 || index >= FItemSelector->Items().Count())
        return;
    FInternalCall = true;
    FItemSelector->SetItemIndex(index);
    FItemSelector->ScrollItemInView(index);
    FInternalCall = false;
}

void TFxImagePickerDropDown::KeyDown(int& key, TShiftState shift)
{
    const int original = key;
    const bool open = DroppedDown();
    TFxCustomItemSelector* grid = FItemSelector;
    if (key == VK_RETURN && isEnabled() && open && grid && grid->ItemHot() >= 0) {
        // Enter chooses the item under the mouse and closes.
        grid->SetItemIndex(grid->ItemHot());
        key = 0;
        return;
    }
    TFxCustomDropDown::KeyDown(key, shift);
    if (!isEnabled() || shift.Contains(ssAlt))
        return;
    switch (original) {
    case VK_RETURN:
        if (OnSelect)
            OnSelect(this);
        break;
    case VK_PRIOR:
    case VK_NEXT: {
        if (!grid)
            break;
        if (grid->Items().Count() != FItems.Count())
            PrepareSelector();
        const int n = grid->GetVisibleItemCount();
        if (n >= 1)
            MoveGrid(original == VK_PRIOR ? std::max(grid->ItemIndex() - n, 0)
                                          : std::min(grid->ItemIndex() + n, FItems.Count() - 1));
        break;
    }
    case VK_END:
    case VK_HOME:
        if (open && grid) {
            FInternalCall = true;
            if (original == VK_END)
                grid->SelectLast();
            else
                grid->SelectFirst();
            FInternalCall = false;
        } else if (original == VK_END) {
            SelectLast();
        } else {
            SelectFirst();
        }
        break;
    case VK_LEFT:
    case VK_RIGHT:
        if (open && !EditorEnabled() && grid) {
            FInternalCall = true;
            if (original == VK_LEFT)
                grid->SelectPrevious();
            else
                grid->SelectNext();
            FInternalCall = false;
        }
        break;
    case VK_UP:
    case VK_DOWN:
        if (open && grid) {
            const int i = grid->ItemIndex();
            MoveGrid(i < 0 ? 0 : i + (original == VK_UP ? -FColumns : FColumns));
        } else if (original == VK_UP) {
            SelectPrevious();
        } else {
            SelectNext();
        }
        break;
    default: {
        if (shift.Contains(ssCtrl) || !grid)
            break;
        const QChar ch = SearchCharForKey(original);
        if (ch.isNull())
            break;
        if (grid->Items().Count() != FItems.Count())
            PrepareSelector();
        FCurSearch += ch;
        FInternalCall = true;
        grid->LookupItem(FCurSearch);
        FInternalCall = false;
        FKeyTimer.SetEnabled(true);
        break;
    }
    }
}

void TFxImagePickerDropDown::SelectNextItem()
{
    TFxCustomDropDown::SelectNextItem();
    if (!isEnabled() || ReadOnly() || !FItemSelector)
        return;
    if (DroppedDown()) {
        FItemSelector->HotNext();
        return;
    }
    // A picker never opened yet has an empty grid.
    if (FItemSelector->Items().Count() != FItems.Count())
        PrepareSelector();
    FInternalCall = true;
    FItemSelector->SelectNext();
    FInternalCall = false;
}

void TFxImagePickerDropDown::SelectPrevItem()
{
    TFxCustomDropDown::SelectPrevItem();
    if (!isEnabled() || ReadOnly() || !FItemSelector)
        return;
    if (DroppedDown()) {
        FItemSelector->HotPrevious();
        return;
    }
    if (FItemSelector->Items().Count() != FItems.Count())
        PrepareSelector();
    FInternalCall = true;
    FItemSelector->SelectPrevious();
    FInternalCall = false;
}

// ---- edit area --------------------------------------------------------------------------

void TFxImagePickerDropDown::DrawSelectedImage(TCanvas& canvas)
{
    const TRect r = EditRectInWidget();
    if (OnDrawSelectedImage) {
        OnDrawSelectedImage(this, canvas, r);
        return;
    }
    const TImageItem* item = FItems.Items(FItemIndex);
    if (!item)
        return;
    if (!item->Image().Empty()) {
        const TGraphic* g = item->Image().Graphic();
        canvas.Draw(r.Left + (r.Width() - g->Width()) / 2, r.Top + (r.Height() - g->Height()) / 2, *g);
    } else if (const TImageList* images = Images(); images && item->ImageIndex() >= 0) {
        images->Draw(canvas, r.Left + (r.Width() - images->Width()) / 2, r.Top + (r.Height() - images->Height()) / 2,
                     item->ImageIndex(), true);
    }
}

void TFxImagePickerDropDown::paintEvent(QPaintEvent* e)
{
    TFxCustomDropDown::paintEvent(e);
    QPainter painter(this);
    TCanvas canvas(&painter);
    DrawSelectedImage(canvas);
}
