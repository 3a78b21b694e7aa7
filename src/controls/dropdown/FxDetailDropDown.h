#pragma once
// TFxDetailDropDown: an edit whose popup lists detail items (a picture or
// image-list image, a caption and mini-HTML notes below it). The edit shows
// the selected item's caption; typing completes the text with the first
// caption that starts with it; with the popup open, letters and digits look
// items up incrementally (the search text is forgotten 500 ms after its
// first key).
#include "controls/dropdown/FxCustomDropDown.h"
#include "controls/dropdown/FxItemSelector.h"
#include "controls/dropdown/FxSelectorPicker.h"
#include "grid/foundation/FxCollection.h"

class TDetailItem : public TFxCollectionItem {
public:
    TDetailItem();
    ~TDetailItem() override;

    QString Caption() const { return FCaption; }
    void SetCaption(const QString& value);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int value);
    const fw::TPicture& Image() const { return *FImage; }
    void SetImage(const fw::TPicture& picture) { FImage->Assign(picture); }
    QString Notes() const { return FNotes; }
    void SetNotes(const QString& value) { FNotes = value; }
    // Free for the application; not owned.
    void* ItemObject() const { return FItemObject; }
    void SetItemObject(void* value) { FItemObject = value; }
    int Tag() const { return FTag; }
    void SetTag(int value) { FTag = value; }
    void Assign(const TDetailItem& source);

private:
    QString FCaption;
    int FImageIndex = -1;
    std::unique_ptr<fw::TPicture> FImage;
    QString FNotes;
    void* FItemObject = nullptr;
    int FTag = 0;
};

class TDetailItems : public TFxCollection<TDetailItem> {
public:
    // The first item whose caption equals `value` exactly; -1 when none.
    int IndexOf(const QString& value) const;
};

class TFxDetailDropDown : public TFxCustomDropDown {
    Q_OBJECT
public:
    explicit TFxDetailDropDown(QWidget* parent = nullptr);
    ~TFxDetailDropDown() override;

    TDetailItems& Items() { return FItems; }
    void SetItems(const TDetailItems& items) { FItems.Assign(items); }
    int ItemIndex() const { return FItemIndex; }
    // A valid different index selects the item: its caption becomes the
    // text, wholly selected, and OnSelect fires; -1 clears the text without
    // an event; anything else changes nothing.
    void SetItemIndex(int value);
    TItemLayout Layout() const { return FLayout; }
    void SetLayout(TItemLayout value) { FLayout = value; }
    TItemAppearance& ItemAppearance() { return FItemAppearance; }
    void SetItemAppearance(const TItemAppearance& value) { FItemAppearance.Assign(value); }
    // Height of a list row: the one set, or, until one is set (or after 0 is
    // set), what the fonts need: the caption line, below it the notes when
    // any item has some, 2 pixels above and below; at least 22.
    int ItemHeight() const;
    void SetItemHeight(int value) { FItemHeight = value; }
    const fw::TFont& CaptionFont() const { return FCaptionFont; }
    void SetCaptionFont(const fw::TFont& font) { FCaptionFont = font; }
    const fw::TFont& NotesFont() const { return FNotesFont; }
    void SetNotesFont(const fw::TFont& font) { FNotesFont = font; }
    bool MatchCase() const { return FMatchCase; }
    void SetMatchCase(bool value) { FMatchCase = value; }
    TFxCustomItemSelector* ItemSelector() const { return FItemSelector; }
    // The incremental search text typed so far.
    QString CurrentSearch() const { return FPicker.CurrentSearch(); }

    void SelectFirst();
    void SelectLast();
    void SelectNext();
    void SelectPrevious();

    void SetSelectionColorStyle(TSelectionColorStyle value) override;
    void SetComponentStyle(TFxStyle style) override;

    TNotifyEvent OnSelect;
    TOnDrawSelectedItem OnDrawSelectedImage;

protected:
    void CreateDropDownForm() override;
    void BeforeDropDown() override;
    void DoShowDropDown() override;
    void UpdateDropDownSize() override;
    void DropDownResizing() override;
    void SelectNextItem() override;
    void SelectPrevItem() override;
    void HandleChange() override;
    void KeyDown(int& key, fw::TShiftState shift) override;
    void KeyUp(int& key, fw::TShiftState shift) override;

public:
    void DoHideDropDown(bool cancel) override;

private:
    void PrepareSelector();
    void FillSelectorItems();
    void ItemSelected();
    void Step(TPickStep step);
    void DrawDetailItem(fw::TCanvas& canvas, fw::TRect r, int index);
    void GetDetailItemSize(fw::TSize& size);

    QPointer<TFxCustomItemSelector> FItemSelector;
    TItemLayout FLayout = ilCaptionRight;
    TDetailItems FItems;
    int FItemIndex = -1;
    TItemAppearance FItemAppearance;
    TSelectorPicker FPicker;
    int FOldItemIndex = -1;
    int FItemHeight = 0;   // 0: from the fonts
    fw::TFont FCaptionFont;
    fw::TFont FNotesFont;
    bool FWorkMode = true;
    bool FItemChange = false;
    int FItemIdx = 0;
    int FItemSel = 0;
    bool FMatchCase = false;
    bool FSelectorAttached = false;
};
