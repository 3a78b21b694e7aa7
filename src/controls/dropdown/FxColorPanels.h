#pragma once
// The three colour panels of the colour picker's popup: a palette of boxes in
// columns (boxes may join into strips of shades), a honeycomb of 127 fixed
// colour cells, and a 128 x 128 spectrum picture whose colour under the
// pointer is the candidate.
#include "controls/dropdown/FxDropDownTypes.h"
#include "framework/Graphics.h"
#include "grid/foundation/FxCollection.h"

#include <QImage>
#include <QWidget>

#include <array>

class TColorBoxItem : public TFxCollectionItem {
public:
    fw::TColor Color() const { return FColor; }
    void SetColor(fw::TColor value);
    fw::TRect Rect() const { return FRect; }
    void SetRect(const fw::TRect& r) { FRect = r; }
    TItemPos ColorBoxPos() const { return FColorBoxPos; }
    void SetColorBoxPos(TItemPos value) { FColorBoxPos = value; }
    void Assign(const TColorBoxItem& source);

private:
    fw::TColor FColor = fw::clNone;
    fw::TRect FRect;
    TItemPos FColorBoxPos = ipStandAlone;
};

using TColorBoxItems = TFxCollection<TColorBoxItem>;

struct TColorBoxAppearance {
    fw::TColor BorderColor = 0xC5C5C5;
    fw::TColor OuterBorderColorHot = 0x3694F2;
    fw::TColor InnerBorderColorHot = 0x94E2FF;
    fw::TColor OuterBorderColorSelected = 0x0000FF;
    fw::TColor InnerBorderColorSelected = 0x94E2FF;
    void Assign(const TColorBoxAppearance& source) { *this = source; }
};

// The common base of the three panels.
class TFxCustomColorSelectorPanel : public QWidget {
    Q_OBJECT
public:
    explicit TFxCustomColorSelectorPanel(QWidget* parent = nullptr);
    fw::TColor Color() const { return FColor; }
    void SetColor(fw::TColor value);
    // Fired by the cube and the spectrum on every mouse-button release.
    TNotifyEvent OnShouldHide;

protected:
    fw::TColor FColor = fw::clBtnFace;
};

// The palette: boxes in Columns, a gap after rows of stand-alone boxes.
class TCustomColorSelector : public TFxCustomColorSelectorPanel {
    Q_OBJECT
public:
    explicit TCustomColorSelector(QWidget* parent = nullptr);

    // The 60 default boxes: 10 base colours, each over a strip of 5 shades.
    void SetDefaultColors();
    TColorBoxItems& Items() { return FItems; }
    void SetItems(const TColorBoxItems& items) { FItems.Assign(items); }
    TColorBoxAppearance& ColorBoxAppearance() { return FColorBoxAppearance; }
    void SetColorBoxAppearance(const TColorBoxAppearance& value) { FColorBoxAppearance.Assign(value); }

    int ItemIndex() const { return FItemIndex; }
    // A valid index selects the box (its colour becomes SelectedColor, the
    // event fires, also for the box already selected); a negative one clears
    // the selection without an event; an index beyond the boxes is ignored.
    void SetItemIndex(int value);
    int ItemHot() const { return FItemHot; }
    void SetItemHot(int value);
    fw::TColor SelectedColor() const { return FSelectedColor; }
    // Selects the first box of exactly that colour, or none.
    void SetSelectedColor(fw::TColor value);
    int Columns() const { return FColumns; }
    void SetColumns(int value);
    int ColumnGap() const { return FColumnGap; }
    void SetColumnGap(int value);
    int ColorBoxWidth() const { return FColorBoxWidth; }
    void SetColorBoxWidth(int value);
    int ColorBoxHeight() const { return FColorBoxHeight; }
    void SetColorBoxHeight(int value);
    TSelectionColorStyle ItemColorStyle() const { return FItemColorStyle; }
    void SetItemColorStyle(TSelectionColorStyle value);

    void SelectFirst();
    void SelectLast();
    void SelectNext();
    void SelectPrevious();
    void HotNext();
    void HotPrevious();
    // Keys 33 to 40 (pages, ends and arrows) move the selection.
    void HandleKey(int key, bool editorEnabled, bool droppedDown);
    int ItemAtPos(const QPoint& p) const;

    virtual void DrawItem(int index, fw::TCanvas& canvas);
    virtual fw::TRect GetItemsRect() const;
    virtual fw::TSize GetItemSize() const;
    virtual void UpdateItems();
    virtual void InvalidateItem(int index);

    TNotifyEvent OnItemSelect;

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void leaveEvent(QEvent* e) override;

private:
    int FItemIndex = -1;
    int FItemHot = -1;
    int FOffSetX = 4;
    int FOffSetY = 4;
    int FColumns = 10;
    int FColumnGap = 4;
    int FColorBoxHeight = 12;
    int FColorBoxWidth = 12;
    TColorBoxAppearance FColorBoxAppearance;
    TColorBoxItems FItems;
    TSelectionColorStyle FItemColorStyle = scCustom;
    fw::TColor FSelectedColor = fw::clNone;
};

// The honeycomb of 127 hexagonal cells, numbered 1 to 127 row by row.
class TFxColorCubePanel : public TFxCustomColorSelectorPanel {
    Q_OBJECT
public:
    struct TCubeCell {
        int X = 0;
        int Y = 0;
        fw::TColor Color = fw::clNone;
    };
    static constexpr int CellCount = 127;

    explicit TFxColorCubePanel(QWidget* parent = nullptr);

    void InitCells();
    // No hot cell; the panel becomes 182 x 160.
    void ResetHot();
    const TCubeCell& Cell(int number) const { return FCubeCells[std::size_t(number - 1)]; }
    // The first cell, by number, within 6 pixels of the point; -1 when none.
    int CellAtPos(const QPoint& p) const;
    fw::TColor SelectedColor() const { return FSelectedColor; }
    // Selects the first cell of that colour (-1 when none), without repainting.
    void SetSelectedColor(fw::TColor value);
    int SelectedIndex() const { return FSelectedIndex; }
    int HotIndex() const { return FHotIndex; }
    bool ShowRGBHint() const { return FShowRGBHint; }
    void SetShowRGBHint(bool value);

    TNotifyEvent OnSelect;

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    void DrawCell(fw::TCanvas& canvas, int number) const;
    void RepaintCell(int number);

    std::array<TCubeCell, CellCount> FCubeCells{};
    fw::TPoint FCubeSize{6, 3};
    fw::TColor FSelectedColor = fw::clNone;
    int FSelectedIndex = -1;
    int FHotIndex = -1;
    bool FShowRGBHint = false;
};

// The colour spectrum: hue across, light to dark downwards.
class TFxColorSpectrumPanel : public TFxCustomColorSelectorPanel {
    Q_OBJECT
public:
    explicit TFxColorSpectrumPanel(QWidget* parent = nullptr);

    // The panel becomes 150 x 174 with the picture at (11, 10) and the two
    // swatches below it; the hot colour is cleared.
    void UpdateLayout();
    fw::TColor SelectedColor() const { return FSelectedColor; }
    void SetSelectedColor(fw::TColor value) { FSelectedColor = value; }
    fw::TColor HotColor() const { return FHotColor; }
    fw::TRect SelectedRect() const { return FSelectedRect; }
    fw::TRect HotRect() const { return FHotRect; }
    QWidget* SpectrumImage() const { return FSpectrumImage; }

    // The 128 x 128 spectrum picture.
    static const QImage& SpectrumBitmap();

    TNotifyEvent OnSelect;

protected:
    void paintEvent(QPaintEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    QWidget* FSpectrumImage = nullptr;
    fw::TColor FHotColor = fw::clNone;
    fw::TColor FSelectedColor = fw::clWhite;
    fw::TRect FHotRect;
    fw::TRect FSelectedRect;
};
