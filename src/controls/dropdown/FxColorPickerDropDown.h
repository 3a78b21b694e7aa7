#pragma once
// TFxColorPickerDropDown: a non-typing edit holding one colour,
// SelectedColor, shown as a small box and optionally a text (the named
// colour's caption or the value in a chosen notation). The popup offers the
// named colours as a list (csList), the palette (csDiscrete), the colour cube
// (csColorCube) or the spectrum (csSpectrum).
#include "controls/dropdown/FxColorPanels.h"
#include "controls/dropdown/FxCustomDropDown.h"
#include "controls/dropdown/FxItemSelector.h"
#include "controls/dropdown/FxSelectorPicker.h"

class TColorItem : public TFxCollectionItem {
public:
    QString Caption() const { return FCaption; }
    void SetCaption(const QString& value);
    fw::TColor Color() const { return FColor; }
    void SetColor(fw::TColor value);
    QString Hint() const { return FHint; }
    void SetHint(const QString& value) { FHint = value; }
    void Assign(const TColorItem& source);

private:
    QString FCaption;
    fw::TColor FColor = fw::clNone;
    QString FHint;
};

using TColorItems = TFxCollection<TColorItem>;

// The name of a colour among the web colours; "#RRGGBB" for one without a name.
QString WebColorName(fw::TColor color);

class TFxColorPickerDropDown : public TFxCustomDropDown {
    Q_OBJECT
public:
    explicit TFxColorPickerDropDown(QWidget* parent = nullptr);
    ~TFxColorPickerDropDown() override;

    // Appends Black, Maroon, ... White: the 16 basic colours.
    void AddDefaultColors();
    TColorItems& Colors() { return FColors; }
    void SetColors(const TColorItems& colors) { FColors.Assign(colors); }
    int ItemIndex() const { return FItemIndex; }
    // Ignored at or beyond the count; a named colour's index takes its
    // colour; the control repaints and OnSelect fires in every other case.
    void SetItemIndex(int value);
    fw::TColor SelectedColor() const { return FSelectedColor; }
    // Selects the first named colour equal to it (ItemIndex stays when none is).
    void SetSelectedColor(fw::TColor value);
    bool ShowText() const { return FShowText; }
    void SetShowText(bool value);
    int Columns() const { return FColumns; }
    void SetColumns(int value) { FColumns = value; }
    TItemLayout Layout() const { return FLayout; }
    void SetLayout(TItemLayout value) { FLayout = value; }
    int ColorBoxWidth() const { return FColorBoxWidth; }
    void SetColorBoxWidth(int value) { FColorBoxWidth = value; }
    int ColorBoxHeight() const { return FColorBoxHeight; }
    void SetColorBoxHeight(int value) { FColorBoxHeight = value; }
    TColorSelectionStyle ColorSelectionStyle() const { return FColorSelectionStyle; }
    void SetColorSelectionStyle(TColorSelectionStyle value);
    TColorValueText ColorValueText() const { return FColorValueText; }
    void SetColorValueText(TColorValueText value);
    TItemAppearance& ItemAppearance() { return FItemAppearance; }
    void SetItemAppearance(const TItemAppearance& value) { FItemAppearance.Assign(value); }
    // The named colour's caption in csList, else the value in ColorValueText.
    virtual QString SelectedColorText() const;

    void SelectFirst();
    void SelectLast();
    void SelectNext();
    void SelectPrevious();

    // The popup controls (null until their style first needs them).
    TFxCustomItemSelector* ListSelector() const { return FItemSelector; }
    TCustomColorSelector* Palette() const { return FColorSelector; }
    TFxColorCubePanel* Cube() const { return FColorCubePanel; }
    TFxColorSpectrumPanel* Spectrum() const { return FSpectrumPanel; }

    void SetSelectionColorStyle(TSelectionColorStyle value) override;
    void SetComponentStyle(TFxStyle style) override;
    void DoHideDropDown(bool cancel) override;

    TNotifyEvent OnSelect;
    TOnDrawSelectedItem OnDrawSelectedColor;
    TDrawItemEvent OnDrawColor;

protected:
    void CreateDropDownForm() override;
    void BeforeDropDown() override;
    void DoShowDropDown() override;
    void PlaceDropDownControl() override;
    void UpdateDropDownSize() override;
    void DropDownFormDestroyed() override;
    void SelectNextItem() override;
    void SelectPrevItem() override;
    void KeyDown(int& key, fw::TShiftState shift) override;
    void paintEvent(QPaintEvent* e) override;

private:
    QWidget* StyleControl();
    void HideOtherControls(QWidget* keep);
    void PrepareStyleControl();
    void PrepareSelector();
    void ListSelected();
    void Step(TPickStep step);
    void PaletteSelected();
    void PanelSelected(fw::TColor color);
    void SizeAroundPanel();
    void DrawSelectedColor(fw::TCanvas& canvas);

    QPointer<TFxCustomItemSelector> FItemSelector;
    QPointer<TFxColorCubePanel> FColorCubePanel;
    QPointer<TFxColorSpectrumPanel> FSpectrumPanel;
    QPointer<TCustomColorSelector> FColorSelector;
    int FColumns = 1;
    TItemLayout FLayout = ilCaptionRight;
    TColorItems FColors;
    int FItemIndex = -1;
    int FColorBoxWidth = 14;
    int FColorBoxHeight = 14;
    TColorSelectionStyle FColorSelectionStyle = csList;
    fw::TColor FSelectedColor = fw::clNone;
    bool FShowText = true;
    TItemAppearance FItemAppearance;
    TSelectorPicker FPicker;
    int FOldItemIndex = -1;
    fw::TColor FOldSelectedColor = fw::clNone;
    TColorValueText FColorValueText = cvtNone;
};
