#pragma once
// TFxImagePickerDropDown: a non-typing edit that holds a choice among
// pictures. The edit shows the selected item's picture (or image-list image)
// centred; the popup shows every item's picture with its caption in Columns
// columns. Items come from the application, from the image list or from the
// picture files of a folder.
#include "controls/dropdown/FxCustomDropDown.h"
#include "controls/dropdown/FxItemSelector.h"
#include "controls/dropdown/FxSelectorPicker.h"

class TImageItem : public TFxCollectionItem {
public:
    TImageItem();
    ~TImageItem() override;

    QString Caption() const { return FCaption; }
    void SetCaption(const QString& value);
    // Set directly, without notification (folder loading).
    void SetCaptionQuietly(const QString& value) { FCaption = value; }
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int value);
    const fw::TPicture& Image() const { return *FImage; }
    fw::TPicture& Image() { return *FImage; }
    void SetImage(const fw::TPicture& picture) { FImage->Assign(picture); }
    QString Hint() const { return FHint; }
    void SetHint(const QString& value) { FHint = value; }
    void Assign(const TImageItem& source);

private:
    QString FCaption;
    int FImageIndex = -1;
    std::unique_ptr<fw::TPicture> FImage;
    QString FHint;
};

using TImageItems = TFxCollection<TImageItem>;

class TFxImagePickerDropDown : public TFxCustomDropDown {
    Q_OBJECT
public:
    explicit TFxImagePickerDropDown(QWidget* parent = nullptr);
    ~TFxImagePickerDropDown() override;

    // One captionless item per image of Images (nothing without Images).
    void AddImagesFromImageList();
    // One item per file matching the name pattern that ends `folderAndMask`
    // ("pictures/*.png"), in the file system's order; only files are listed.
    // A file that is no picture gives an item with an empty picture and no
    // caption. With `setImageCaption` the file name is the caption.
    void AddImagesFromFolder(const QString& folderAndMask, bool setImageCaption);

    TImageItems& Items() { return FItems; }
    void SetItems(const TImageItems& items) { FItems.Assign(items); }
    int ItemIndex() const { return FItemIndex; }
    // Ignored when unchanged or at or beyond the count; otherwise the edit
    // repaints, then OnChange and OnSelect fire.
    void SetItemIndex(int value);
    // The selected item's image index (-1 without one); written, the first
    // item with that image index is selected (-1 when none has it).
    int ImageIndex() const;
    void SetImageIndex(int value);
    int Columns() const { return FColumns; }
    void SetColumns(int value) { FColumns = value; }
    TItemLayout Layout() const { return FLayout; }
    void SetLayout(TItemLayout value) { FLayout = value; }
    TItemAppearance& ItemAppearance() { return FItemAppearance; }
    void SetItemAppearance(const TItemAppearance& value) { FItemAppearance.Assign(value); }
    TFxCustomItemSelector* ItemSelector() const { return FItemSelector; }

    void SelectFirst();
    void SelectLast();
    void SelectNext();
    void SelectPrevious();

    void SetSelectionColorStyle(TSelectionColorStyle value) override;
    void SetComponentStyle(TFxStyle style) override;
    void DoHideDropDown(bool cancel) override;

    TNotifyEvent OnSelect;
    TOnDrawSelectedItem OnDrawSelectedImage;
    TDrawItemEvent OnDrawItem;

protected:
    void CreateDropDownForm() override;
    void BeforeDropDown() override;
    void DoShowDropDown() override;
    void UpdateDropDownSize() override;
    void SelectNextItem() override;
    void SelectPrevItem() override;
    void KeyDown(int& key, fw::TShiftState shift) override;
    void paintEvent(QPaintEvent* e) override;

private:
    void PrepareSelector();
    void ItemSelected();
    void Step(TPickStep step);
    void DrawSelectedImage(fw::TCanvas& canvas);

    QPointer<TFxCustomItemSelector> FItemSelector;
    int FColumns = 1;
    TItemLayout FLayout = ilCaptionRight;
    TImageItems FItems;
    int FItemIndex = -1;
    TItemAppearance FItemAppearance;
    TSelectorPicker FPicker;
    int FOldItemIndex = -1;
};
