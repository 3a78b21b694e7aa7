#include "controls/dropdown/FxImagePickerDropDown.h"

#include "controls/dropdown/FxDropDownForm.h"
#include "framework/Canvas.h"
#include "framework/Screen.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>

using namespace fw;

TImageItem::TImageItem() : FImage(std::make_unique<TPicture>()) {}

TImageItem::~TImageItem() = default;

void TImageItem::SetCaption(const QString& value) { SetAndNotify(FCaption, value); }

void TImageItem::SetImageIndex(int value) { SetAndNotify(FImageIndex, value); }

void TImageItem::Assign(const TImageItem& source)
{
    SetCaption(source.FCaption);
    SetImageIndex(source.FImageIndex);
    FImage->Assign(*source.FImage);
    FHint = source.FHint;
}

// ---- picker -----------------------------------------------------------------------------

TFxImagePickerDropDown::TFxImagePickerDropDown(QWidget* parent)
    : TFxCustomDropDown(parent), FPicker([this] { PrepareSelector(); })
{
    CreateDropDownForm();
    SetEditorEnabled(false);
    SetDropDownEnabled(true);
    setCursor(Qt::ArrowCursor);
    SetComponentStyle(ComponentStyle());
}

TFxImagePickerDropDown::~TFxImagePickerDropDown() = default;

void TFxImagePickerDropDown::CreateDropDownForm()
{
    TFxCustomDropDown::CreateDropDownForm();
    if (!FItemSelector) {
        FItemSelector = new TFxCustomItemSelector(DropDownForm());
        FItemSelector->SetSelectorType(stImage);
        FItemSelector->setGeometry(0, 0, FItemSelector->width(), 150);
        FPicker.SetList(FItemSelector);
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

void TFxImagePickerDropDown::Step(TPickStep step)
{
    const int target = PickIndex(step, FItemIndex, FItems.Count());
    if (target >= 0)
        SetItemIndex(target);
}

void TFxImagePickerDropDown::SelectFirst() { Step(TPickStep::First); }
void TFxImagePickerDropDown::SelectLast() { Step(TPickStep::Last); }
void TFxImagePickerDropDown::SelectNext() { Step(TPickStep::Next); }
void TFxImagePickerDropDown::SelectPrevious() { Step(TPickStep::Previous); }

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
    if (!FPicker.InternalCall())
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
    TSelectorPicker::TKeyRules rules;
    rules.RowStep = FColumns;
    FPicker.HandleKey(original, shift, open, EditorEnabled(), FItems.Count(), rules,
                      [this](TPickStep step) { Step(step); });
    if (original == VK_RETURN && OnSelect)
        OnSelect(this);
}

void TFxImagePickerDropDown::SelectNextItem()
{
    TFxCustomDropDown::SelectNextItem();
    if (isEnabled() && !ReadOnly())
        FPicker.Wheel(true, DroppedDown(), FItems.Count());
}

void TFxImagePickerDropDown::SelectPrevItem()
{
    TFxCustomDropDown::SelectPrevItem();
    if (isEnabled() && !ReadOnly())
        FPicker.Wheel(false, DroppedDown(), FItems.Count());
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
