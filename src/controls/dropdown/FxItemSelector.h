#pragma once
// The item selector: the popup content of the detail, colour (list style)
// and image pickers. A vertically scrolling host (TFxCustomItemSelector)
// holds a panel (TCustomItemSelector) that lays its items out in Columns,
// paints each as a caption beside, above or below a picture, image-list
// image or colour box, tracks the hot item under the mouse, selects on a
// button press and looks items up by the start of their caption.
#include "controls/dropdown/FxDropDownTypes.h"
#include "framework/Graphics.h"
#include "grid/foundation/FxCollection.h"

#include <QPointer>
#include <QScrollArea>
#include <QWidget>

class TFxCustomItemSelector;

enum class TPickStep { First, Last, Next, Previous };

// Where a step through `count` items from `index` goes: First 0, Last the
// last item, Next and Previous the neighbour (the first item when nothing is
// selected); -1 when there is no such item.
int PickIndex(TPickStep step, int index, int count);

class TSelectorItem : public TFxCollectionItem {
public:
    TSelectorItem();
    ~TSelectorItem() override;

    QString Caption() const { return FCaption; }
    void SetCaption(const QString& value);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int value);
    fw::TColor Color() const { return FColor; }
    void SetColor(fw::TColor value);
    // Shown instead of an image-list image when not empty; the setter copies.
    const fw::TPicture& Image() const { return *FImage; }
    void SetImage(const fw::TPicture& picture) { FImage->Assign(picture); }
    QString Hint() const { return FHint; }
    void SetHint(const QString& value) { FHint = value; }
    // The item's rectangle in panel coordinates, from the last layout.
    fw::TRect Rect() const { return FRect; }
    void SetRect(const fw::TRect& r) { FRect = r; }
    void Assign(const TSelectorItem& source);

private:
    QString FCaption;
    int FImageIndex = -1;
    fw::TColor FColor = fw::clNone;
    std::unique_ptr<fw::TPicture> FImage;
    fw::TRect FRect;
    QString FHint;
};

using TSelectorItems = TFxCollection<TSelectorItem>;

// Colours and font of hot and selected items, with three presets.
class TItemAppearance {
public:
    TItemAppearance();

    fw::TColor ColorMirrorHotTo, BorderColor, ColorMirrorHot, ColorSelectedTo, ColorSelected, EdgeColor, ColorHotTo,
        BorderColorBottom, ColorHot, BorderColorTop, ColorMirrorSelectedTo, ColorMirrorSelected;
    fw::TColor ColorSelectedText = 0;
    fw::TColor ColorHotText = 0;
    fw::TFont Font;
    fw::TColor BorderColorHot = fw::clNone;
    fw::TColor BorderColorSelected = fw::clNone;

    TSelectionColorStyle ColorStyle() const { return FColorStyle; }
    // A different style loads its presets (scCustom loads none).
    void SetColorStyle(TSelectionColorStyle style);
    // The twelve colours and the font, then the source's style (whose
    // presets replace the colours when the styles differ), then the text
    // colours and the hot and selected borders.
    void Assign(const TItemAppearance& source);

private:
    void LoadPresets(TSelectionColorStyle style);
    TSelectionColorStyle FColorStyle = scCustom;
};

// The panel inside the host: lays out, paints and hit-tests the items.
class TCustomItemSelector : public QWidget {
    Q_OBJECT
public:
    // The owner must be the host; anything else fails with "Invalid parent".
    explicit TCustomItemSelector(QObject* owner);

    int ItemIndex() const { return FItemIndex; }
    // Selects v (painted at once, OnItemSelect also for the selected item
    // again); a negative v clears the selection without an event.
    void SetItemIndex(int value);
    int ItemHot() const { return FItemHot; }
    void SetItemHot(int value);
    TFxCustomItemSelector* FxItemSelector() const { return FHost; }

    void SelectFirst();
    void SelectLast();
    void SelectNext();
    void SelectPrevious();
    void HotNext();
    void HotPrevious();
    // Selects the first item whose plain, trimmed, upper-cased caption
    // starts with `text` (given upper-cased); false when none does.
    bool LookupItem(const QString& text);
    int ItemAtPos(const QPoint& p) const;

    virtual void DrawItem(int index, fw::TCanvas& canvas);
    virtual fw::TRect GetItemsRect() const;
    virtual fw::TSize GetItemSize();
    virtual void InvalidateItem(int index);
    virtual void UpdateItems();

    TNotifyEvent OnItemSelect;

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void leaveEvent(QEvent* e) override;

private:
    void PaintItemNow(int index);
    void Step(TPickStep step, bool hot);

    int FItemIndex = -1;
    int FItemHot = -1;
    int FOffSetX = 2;
    int FOffSetY = 2;
    int FItemOffSetX = 4;
    int FItemOffSetY = 4;
    int FCaptionGap = 4;
    TFxCustomItemSelector* FHost;
};

class TFxCustomItemSelector : public QScrollArea {
    Q_OBJECT
public:
    explicit TFxCustomItemSelector(QWidget* parent = nullptr);
    ~TFxCustomItemSelector() override;

    TSelectorItems& Items() { return FItems; }
    void SetItems(const TSelectorItems& items) { FItems.Assign(items); }
    TSelectorType SelectorType() const { return FSelectorType; }
    void SetSelectorType(TSelectorType value);
    TItemLayout ItemLayout() const { return FItemLayout; }
    // Takes effect at the next UpdateSelectorPanel.
    void SetItemLayout(TItemLayout value) { FItemLayout = value; }
    int Columns() const { return FColumns; }
    // Values below 1 are ignored.
    void SetColumns(int value);
    int ColorBoxWidth() const { return FColorBoxWidth; }
    void SetColorBoxWidth(int value);
    int ColorBoxHeight() const { return FColorBoxHeight; }
    void SetColorBoxHeight(int value);
    const fw::TImageList* Images() const { return FImages; }
    void SetImages(const fw::TImageList* images);
    TItemAppearance& ItemAppearance() { return FItemAppearance; }
    void SetItemAppearance(const TItemAppearance& value) { FItemAppearance.Assign(value); }
    fw::TColor Color() const { return FColor; }
    void SetColor(fw::TColor value);
    int ItemIndex() const { return FPanel ? FPanel->ItemIndex() : -1; }
    void SetItemIndex(int value);
    int ItemHot() const { return FPanel ? FPanel->ItemHot() : -1; }
    TCustomItemSelector* Panel() const { return FPanel; }

    void SelectFirst();
    void SelectLast();
    void SelectNext();
    void SelectPrevious();
    void HotNext();
    void HotPrevious();
    bool LookupItem(const QString& text);
    void ScrollItemInView(int index);
    int GetVisibleItemCount() const;
    // The panel's size (100 x 50 without a panel); pickers size popups by it.
    fw::TSize GetPanelSize() const;
    void CreateSelectorPanel();
    void UpdateSelectorPanel();
    bool VertScrollBarVisible() const;
    bool HorzScrollBarVisible() const;

    TNotifyEvent OnItemSelect;
    TDrawItemEvent OnDrawItem;
    TItemSizeEvent OnItemSize;
    TNotifyEvent OnResize;

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    TSelectorItems FItems;
    TSelectorType FSelectorType = stImage;
    TItemLayout FItemLayout = ilCaptionRight;
    int FColumns = 1;
    int FColorBoxWidth = 14;
    int FColorBoxHeight = 14;
    const fw::TImageList* FImages = nullptr;
    QPointer<TCustomItemSelector> FPanel;
    TItemAppearance FItemAppearance;
    fw::TColor FColor = fw::clWindow;
};
