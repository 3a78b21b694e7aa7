#include "controls/dropdown/FxDetailDropDown.h"

#include "controls/dropdown/FxDropDownDraw.h"
#include "controls/dropdown/FxDropDownForm.h"
#include "framework/Canvas.h"
#include "framework/Screen.h"
#include "grid/foundation/SgHTMLE.h"

#include <QFontInfo>

using namespace fw;

// ---- items ------------------------------------------------------------------------------

TDetailItem::TDetailItem() : FImage(std::make_unique<TPicture>()) {}

TDetailItem::~TDetailItem() = default;

void TDetailItem::SetCaption(const QString& value) { SetAndNotify(FCaption, value); }

void TDetailItem::SetImageIndex(int value) { SetAndNotify(FImageIndex, value); }

void TDetailItem::Assign(const TDetailItem& source)
{
    SetCaption(source.FCaption);
    SetImageIndex(source.FImageIndex);
    FImage->Assign(*source.FImage);
    FNotes = source.FNotes;
    FTag = source.FTag;
    FItemObject = source.FItemObject;
}

int TDetailItems::IndexOf(const QString& value) const
{
    for (int i = 0; i < Count(); ++i)
        if (Items(i)->Caption() == value)
            return i;
    return -1;
}

// ---- picker -----------------------------------------------------------------------------

namespace {

TFont fontOf(const QWidget& w)
{
    TFont f;
    f.Name = w.font().family();
    f.SetHeight(-QFontInfo(w.font()).pixelSize());
    return f;
}

} // namespace

TFxDetailDropDown::TFxDetailDropDown(QWidget* parent)
    : TFxCustomDropDown(parent), FPicker([this] { PrepareSelector(); })
{
    CreateDropDownForm();
    SetEditorEnabled(true);
    SetDropDownEnabled(true);
    FCaptionFont = fontOf(*this);
    FNotesFont = fontOf(*this);
    SetComponentStyle(ComponentStyle());
}

TFxDetailDropDown::~TFxDetailDropDown() = default;

void TFxDetailDropDown::CreateDropDownForm()
{
    TFxCustomDropDown::CreateDropDownForm();
    if (!FItemSelector) {
        FItemSelector = new TFxCustomItemSelector(DropDownForm());
        FItemSelector->SetSelectorType(stImage);
        FItemSelector->setGeometry(0, 0, FItemSelector->width(), 150);
        FItemSelector->OnDrawItem = [this](QObject*, TCanvas& canvas, const TRect& r, int index) {
            DrawDetailItem(canvas, r, index);
        };
        FItemSelector->OnItemSize = [this](QObject*, TSize& size) { GetDetailItemSize(size); };
        FItemSelector->UpdateSelectorPanel();
        FItemSelector->OnResize = [this](QObject*) {
            if (FItemSelector)
                FItemSelector->UpdateSelectorPanel();
        };
    }
    FItemSelector->SetColor(DropDownColor());
    FItemSelector->UpdateSelectorPanel();
    FPicker.SetList(FItemSelector);
    SetControl(FItemSelector);
}

void TFxDetailDropDown::FillSelectorItems()
{
    TSelectorItems& list = FItemSelector->Items();
    list.Clear();
    for (int i = 0; i < FItems.Count(); ++i) {
        const TDetailItem* d = FItems.Items(i);
        TSelectorItem* s = list.Add();
        s->SetCaption(d->Caption());
        s->SetImage(d->Image());
        s->SetImageIndex(d->ImageIndex());
    }
}

void TFxDetailDropDown::PrepareSelector()
{
    if (!FItemSelector)
        return;
    FItemSelector->OnItemSelect = nullptr;
    FItemSelector->SetColumns(1);
    FItemSelector->SetImages(Images());
    FItemSelector->SetItemLayout(FLayout);
    FItemSelector->SetColor(DropDownColor());
    FItemSelector->SetItemAppearance(FItemAppearance);
    FillSelectorItems();
    FItemSelector->UpdateSelectorPanel();
    FItemSelector->SetItemIndex(FItemIndex);
    FItemSelector->OnItemSelect = [this](QObject*) { ItemSelected(); };
    FSelectorAttached = true;
}

void TFxDetailDropDown::BeforeDropDown()
{
    TFxCustomDropDown::BeforeDropDown();
    PrepareSelector();
    FOldItemIndex = FItemIndex;
}

void TFxDetailDropDown::DoShowDropDown()
{
    TFxCustomDropDown::DoShowDropDown();
    if (FItemSelector && DroppedDown()) {
        FItemSelector->setFocus();
        // Now that the list has its size, the selected row comes into view.
        FItemSelector->ScrollItemInView(FItemSelector->ItemIndex());
    }
}

void TFxDetailDropDown::UpdateDropDownSize()
{
    if (FItemSelector && DropDownForm()) {
        DropDownForm()->SetControlAligned(false);
        FItemSelector->resize(DropDownWidth() <= 0 ? width() : FItemSelector->width(),
                              DropDownHeight() <= 0 ? 100 : FItemSelector->height());
    }
    TFxCustomDropDown::UpdateDropDownSize();
}

void TFxDetailDropDown::DoHideDropDown(bool cancel)
{
    const bool wasShown = DropDownForm() && DropDownForm()->isVisible();
    TFxCustomDropDown::DoHideDropDown(cancel);
    if (wasShown && cancel && FOldItemIndex != -1)
        SetItemIndex(FOldItemIndex);
}

void TFxDetailDropDown::DropDownResizing()
{
    TFxCustomDropDown::DropDownResizing();
    if (FItemSelector)
        FItemSelector->UpdateSelectorPanel();
}

void TFxDetailDropDown::SetSelectionColorStyle(TSelectionColorStyle value)
{
    TFxCustomDropDown::SetSelectionColorStyle(value);
    if (FItemSelector)
        FItemSelector->ItemAppearance().SetColorStyle(value);
}

void TFxDetailDropDown::SetComponentStyle(TFxStyle style)
{
    TFxCustomDropDown::SetComponentStyle(style);
    ApplyItemAppearanceStyle(&FItemAppearance, style);
}

// ---- selection --------------------------------------------------------------------------

void TFxDetailDropDown::SetItemIndex(int value)
{
    if (value == FItemIndex)
        return;
    if (value >= 0 && value < FItems.Count()) {
        FItemIndex = value;
        const QString caption = FItems.Items(value)->Caption();
        SetText(caption);
        SetSel(0, int(caption.size()));
        update();
        if (FItemSelector)
            FItemSelector->update();
        if (OnSelect)
            OnSelect(this);
    } else if (value == -1) {
        SetText(QString());
        FItemIndex = -1;
    }
}

void TFxDetailDropDown::Step(TPickStep step)
{
    const int target = PickIndex(step, FItemIndex, FItems.Count());
    if (target >= 0)
        SetItemIndex(target);
}

void TFxDetailDropDown::SelectFirst() { Step(TPickStep::First); }
void TFxDetailDropDown::SelectLast() { Step(TPickStep::Last); }
void TFxDetailDropDown::SelectNext() { Step(TPickStep::Next); }
void TFxDetailDropDown::SelectPrevious() { Step(TPickStep::Previous); }

void TFxDetailDropDown::ItemSelected()
{
    if (!FItemSelector)
        return;
    const int index = FItemSelector->ItemIndex();
    SetItemIndex(index);
    if (const TDetailItem* item = FItems.Items(index)) {
        SetText(item->Caption());
        SetSel(0, int(item->Caption().size()));
    }
    if (!FPicker.InternalCall())
        DoHideDropDown(false);
}

void TFxDetailDropDown::SelectNextItem()
{
    TFxCustomDropDown::SelectNextItem();
    if (!DroppedDown()) {
        SelectNext();
        return;
    }
    if (FItemSelector) {
        const int i = FItemSelector->ItemIndex();
        FPicker.MoveList(i < 0 ? 0 : i + 1);
        update();
    }
}

void TFxDetailDropDown::SelectPrevItem()
{
    TFxCustomDropDown::SelectPrevItem();
    if (!DroppedDown()) {
        SelectPrevious();
        return;
    }
    if (FItemSelector) {
        const int i = FItemSelector->ItemIndex();
        FPicker.MoveList(i < 0 ? 0 : i - 1);
        update();
    }
}

// ---- typing -----------------------------------------------------------------------------

void TFxDetailDropDown::HandleChange()
{
    FItemChange = false;
    TFxCustomDropDown::HandleChange();
    if (!FWorkMode)
        return;
    const QString text = Text();
    SetModified(!text.isEmpty());
    const QString typed = text.left(SelStart());
    const QString prefix = FxDropDown::FoldCase(typed, FMatchCase);
    if (FItems.Count() == 0)
        return;
    for (int i = 0; i < FItems.Count(); ++i) {
        const QString caption = FItems.Items(i)->Caption();
        if (prefix.isEmpty() || !FxDropDown::FoldCase(caption, FMatchCase).startsWith(prefix))
            continue;
        // What the user typed, in the user's case, then the rest of the caption.
        const QString completed = text.left(prefix.size()) + caption.mid(prefix.size(), 255);
        FItemIndex = i;
        FItemIdx = i;
        FItemSel = int(prefix.size());
        FItemChange = true;
        SetText(completed);
        SetSel(int(completed.size()), FItemSel);
        return;
    }
    if (!typed.isEmpty()) {
        SetText(typed);
        SetSel(int(typed.size()), int(typed.size()));
    }
}

void TFxDetailDropDown::KeyDown(int& key, TShiftState shift)
{
    if (isEnabled() && !shift.Contains(ssAlt)) {
        TSelectorPicker::TKeyRules rules;
        rules.HomeEndNeedNoEditor = true;
        rules.SearchFillsList = false;
        FPicker.HandleKey(key, shift, DroppedDown(), EditorEnabled(), FItems.Count(), rules,
                          [this](TPickStep step) { Step(step); });
        if (key == VK_UP || key == VK_DOWN)
            update();
        const bool arrowOrPage = key == VK_PRIOR || key == VK_NEXT || key == VK_LEFT || key == VK_RIGHT ||
                                 key == VK_UP || key == VK_DOWN;
        if (DroppedDown() && arrowOrPage) {
            key = 0;
            return;
        }
    }
    const int original = key;
    if (FItems.Count() > 0) {
        // Deleting must not complete again.
        FWorkMode = !(key == VK_BACK || key == VK_ESCAPE || key == VK_DELETE);
        if (key == VK_RETURN) {
            const int i = FItems.IndexOf(Text());
            if (i >= 0) {
                SetText(FItems.Items(i)->Caption());
                SetItemIndex(i);
                HandleChange();
            }
        }
    }
    TFxCustomDropDown::KeyDown(key, shift);
    if (FItems.Count() > 0 && original == VK_ESCAPE) {
        const int i = FItems.IndexOf(Text());
        if (i >= 0)
            SetItemIndex(i);
    }
}

void TFxDetailDropDown::KeyUp(int& key, TShiftState shift)
{
    TFxCustomDropDown::KeyUp(key, shift);
    if (FItemChange) {
        SetItemIndex(FItemIdx);
        FItemChange = false;
    }
}

// ---- rows -------------------------------------------------------------------------------

void TFxDetailDropDown::GetDetailItemSize(TSize& size)
{
    const int popupWidth = DropDownWidth() > 0 ? DropDownWidth() : (DropDownForm() ? DropDownForm()->width() : width());
    int w = popupWidth - 2 * GetSystemMetrics(SM_CXBORDER) - 4;
    if (FItemSelector && FItemSelector->VertScrollBarVisible())
        w -= GetSystemMetrics(SM_CXVSCROLL);
    size = TSize(w, ItemHeight());
}

int TFxDetailDropDown::ItemHeight() const
{
    if (FItemHeight > 0)
        return FItemHeight;
    TCanvas canvas;
    canvas.Font() = FCaptionFont;
    // The notes start one caption line below the row's text top (see DrawDetailItem).
    int h = canvas.TextHeight(QStringLiteral("gh"));
    canvas.Font() = FNotesFont;
    int notes = 0;
    for (int i = 0; i < FItems.Count(); ++i) {
        const QString& text = FItems.Items(i)->Notes();
        if (!text.isEmpty())
            notes = std::max(notes, FxDropDown::DrawHtmlCaption(canvas, text, TRect(0, 0, 65535, 65535), nullptr,
                                                                false, Images())
                                        .cy);
    }
    return std::max(22, 2 + h + notes + 2);
}

void TFxDetailDropDown::DrawDetailItem(TCanvas& canvas, TRect r, int index)
{
    if (OnDrawSelectedImage) {
        OnDrawSelectedImage(this, canvas, r);
        return;
    }
    const TDetailItem* item = FItems.Items(index);
    if (!item)
        return;
    const TImageList* images = Images();
    const bool hasCaption = !item->Caption().isEmpty();
    if (!item->Image().Empty()) {
        TGraphic* g = item->Image().Graphic();
        const int left = hasCaption ? r.Left + 2 : r.Left + (r.Width() - g->Width()) / 2;
        if (auto* bitmap = dynamic_cast<TBitmap*>(g)) {
            bitmap->SetTransparent(true);
            bitmap->SetTransparentMode(tmAuto);
        }
        canvas.Draw(left, r.Top + (r.Height() - g->Height()) / 2, *g);
        r.Left += g->Width() + 4;
    } else if (images && item->ImageIndex() >= 0) {
        const int left = hasCaption ? r.Left + 2 : r.Left + (r.Width() - images->Width()) / 2;
        images->Draw(canvas, left, r.Top + (r.Height() - images->Height()) / 2, item->ImageIndex(), true);
        r.Left += images->Width() + 4;
    }
    const bool hot = FItemSelector && FItemSelector->ItemHot() == index;
    const bool selected = index == FItemIndex;
    auto textColour = [&](TFont& font) {
        if (hot)
            font.Color = FItemAppearance.ColorHotText;
        if (selected)
            font.Color = FItemAppearance.ColorSelectedText;
    };
    canvas.Font() = FCaptionFont;
    textColour(canvas.Font());
    canvas.Brush().Style = bsClear;
    canvas.SetBkMode(bkTransparent);
    r.Left += 4;
    r.Top += 2;
    r.Right -= 4;
    TRect captionRect = r;
    canvas.DrawText(item->Caption(), captionRect, DT_LEFT | DT_TOP | DT_END_ELLIPSIS | DT_NOPREFIX);
    if (item->Notes().isEmpty())
        return;
    r.Top += canvas.TextHeight(QStringLiteral("gh"));
    canvas.Font() = FNotesFont;
    textColour(canvas.Font());
    FxDropDown::DrawHtmlCaption(canvas, item->Notes(), r, this, true, images);
}
