#pragma once
// The combo box the grid's combo editors wrap: its own border and drop-button
// painting (flat, custom border and focus-border colours, custom button colours,
// themed), a focus colour, focus on mouse entry, a settable drop-down width, a
// close-up event and an optional label placed beside it on the same parent.
#include "framework/Graphics.h"
#include "framework/Types.h"

#include <QComboBox>
#include <QPointer>

#include <functional>

class QLabel;
namespace fw { class TCanvas; }

enum TLabelPosition {
    lpLeftTop, lpLeftCenter, lpLeftBottom, lpTopLeft, lpBottomLeft, lpLeftTopLeft, lpLeftCenterLeft,
    lpLeftBottomLeft, lpTopCenter, lpBottomCenter, lpRightTop, lpRightCenter, lpRighBottom
};

enum TSgComboStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };

class TSgCustomCombo : public QComboBox {
    Q_OBJECT
public:
    explicit TSgCustomCombo(QWidget* parent = nullptr);
    ~TSgCustomCombo() override;

    // Component loading: while loading, a colour set is also the colour Loaded restores.
    void BeginLoad();
    bool IsLoading() const { return FLoading; }
    virtual void Loaded();
    // Remembers the current colour as the one the combo returns to when it loses the focus.
    void Init();
    void SetBounds(int left, int top, int width, int height);
    // Selects the item with exactly this text; nothing when there is none.
    void SelectItem(const QString& text);

    TSgComboStyle Style() const { return FStyle; }
    void SetStyle(TSgComboStyle style);

    fw::TColor Color() const { return FColor; }
    void SetColor(fw::TColor color);
    bool ParentFont() const { return FParentFont; }
    void SetParentFont(bool value);
    bool AutoComplete() const;
    void SetAutoComplete(bool value);

    bool AutoFocus() const { return FAutoFocus; }
    void SetAutoFocus(bool value) { FAutoFocus = value; }
    fw::TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(fw::TColor color);
    int ButtonWidth() const { return FButtonWidth; }
    // Only 14 to 32 are taken.
    void SetButtonWidth(int width);
    bool DisabledBorder() const { return FDisabledBorder; }
    void SetDisabledBorder(bool value);
    bool Flat() const { return FFlat; }
    void SetFlat(bool value);
    fw::TColor FlatLineColor() const { return FFlatLineColor; }
    void SetFlatLineColor(fw::TColor color);
    bool FlatParentColor() const { return FFlatParentColor; }
    void SetFlatParentColor(bool value);
    bool Etched() const { return FEtched; }
    void SetEtched(bool value);
    bool FocusBorder() const { return FFocusBorder; }
    void SetFocusBorder(bool value);
    fw::TColor FocusBorderColor() const { return FFocusBorderColor; }
    void SetFocusBorderColor(fw::TColor color);
    fw::TColor FocusColor() const { return FFocusColor; }
    void SetFocusColor(fw::TColor color) { FFocusColor = color; }
    bool FocusLabel() const { return FFocusLabel; }
    void SetFocusLabel(bool value) { FFocusLabel = value; }
    int DropWidth() const { return FDropWidth; }
    void SetDropWidth(int width);

    // Custom drop-button colours; clNone switches the custom button off.
    fw::TColor ButtonColor() const { return FButtonColor; }
    void SetButtonColor(fw::TColor c) { FButtonColor = c; update(); }
    fw::TColor ButtonColorHot() const { return FButtonColorHot; }
    void SetButtonColorHot(fw::TColor c) { FButtonColorHot = c; update(); }
    fw::TColor ButtonColorDown() const { return FButtonColorDown; }
    void SetButtonColorDown(fw::TColor c) { FButtonColorDown = c; update(); }
    fw::TColor ButtonTextColor() const { return FButtonTextColor; }
    void SetButtonTextColor(fw::TColor c) { FButtonTextColor = c; update(); }
    fw::TColor ButtonTextColorHot() const { return FButtonTextColorHot; }
    void SetButtonTextColorHot(fw::TColor c) { FButtonTextColorHot = c; update(); }
    fw::TColor ButtonTextColorDown() const { return FButtonTextColorDown; }
    void SetButtonTextColorDown(fw::TColor c) { FButtonTextColorDown = c; update(); }
    fw::TColor ButtonBorderColor() const { return FButtonBorderColor; }
    void SetButtonBorderColor(fw::TColor c) { FButtonBorderColor = c; update(); }

    bool IsWinXP() const { return FIsWinXP; }
    void SetIsWinXP(bool value) { FIsWinXP = value; }
    bool IsVista() const { return FIsVista; }
    void SetIsVista(bool value) { FIsVista = value; }

    // The attached label: none until a caption is set.
    QLabel* ComboLabel() const;
    QString LabelCaption() const;
    void SetLabelCaption(const QString& caption);
    TLabelPosition LabelPosition() const { return FLabelPosition; }
    void SetLabelPosition(TLabelPosition position);
    int LabelMargin() const { return FLabelMargin; }
    void SetLabelMargin(int margin);
    bool LabelTransparent() const { return FLabelTransparent; }
    void SetLabelTransparent(bool value);
    bool LabelAlwaysEnabled() const { return FLabelAlwaysEnabled; }
    void SetLabelAlwaysEnabled(bool value);
    const fw::TFont& LabelFont() const { return FLabelFont; }
    void SetLabelFont(const fw::TFont& font);

    void setVisible(bool visible) override;
    void showPopup() override;
    void hidePopup() override;

    std::function<void(QObject* sender)> OnDropUp;

    // State that steers painting (for tests and the wrapping editor).
    bool MouseInControl() const { return FMouseInControl; }
    bool ButtonHover() const { return FButtonHover; }
    bool HasFocusFlag() const { return FHasFocus; }

protected:
    void paintEvent(QPaintEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void enterEvent(QEnterEvent* e) override;
    void leaveEvent(QEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void changeEvent(QEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void moveEvent(QMoveEvent* e) override;

private:
    bool UsesThemes() const;
    bool IsHighlighted() const;
    bool WantsFocusFrame() const;
    bool IsMouseButtonDown() const;
    bool NeedsOwnPainting() const;
    fw::TColor ParentColor() const;
    void ApplyColor();
    void PaintDropButton(fw::TCanvas& canvas);
    void PaintText(fw::TCanvas& canvas);
    void PaintFrame(fw::TCanvas& canvas);
    void FrameWindow(fw::TCanvas& canvas);
    void PaintFlatButtonArea(fw::TCanvas& canvas);
    void MakeLabel();
    void PlaceLabel();
    void LabelFontUpdated();
    void ApplyLabelFont();
    void PlaceEditField();

    bool FLoading = false;
    TSgComboStyle FStyle = csDropDown;
    fw::TColor FColor = fw::clWindow;
    bool FParentFont = true;

    bool FAutoFocus = false;
    bool FFlat = false;
    bool FEtched = false;
    fw::TColor FOldColor = fw::clWindow;
    fw::TColor FLoadedColor = fw::clWindow;
    int FButtonWidth = 19;
    bool FFocusBorder = false;
    bool FMouseInControl = false;
    int FDropWidth = 0;
    bool FIsWinXP = false;
    bool FIsThemed = true;
    bool FButtonHover = false;
    bool FLabelAlwaysEnabled = false;
    bool FLabelTransparent = false;
    int FLabelMargin = 4;
    fw::TFont FLabelFont;
    TLabelPosition FLabelPosition = lpLeftTop;
    QPointer<QLabel> FLabel;
    fw::TColor FFlatLineColor = fw::clNone;
    bool FFlatParentColor = true;
    fw::TColor FFocusColor = fw::clNone;
    fw::TColor FFocusBorderColor = fw::clNone;
    fw::TColor FBorderColor = fw::clNone;
    bool FDisabledBorder = true;
    fw::TColor FNormalColor = fw::clNone;
    bool FHasFocus = false;
    bool FFocusLabel = false;
    fw::TColor FButtonColorDown = fw::clNone;
    fw::TColor FButtonBorderColor = fw::clNone;
    fw::TColor FButtonTextColor = fw::clNone;
    fw::TColor FButtonTextColorHot = fw::clNone;
    fw::TColor FButtonColor = fw::clNone;
    fw::TColor FButtonColorHot = fw::clNone;
    fw::TColor FButtonTextColorDown = fw::clNone;
    bool FIsVista = false;

    bool FDroppedDown = false;
    bool FDestroying = false;
};

// The published combo box; TSgComboBox adds nothing to its base.
class TSgComboBox : public TSgCustomCombo {
    Q_OBJECT
public:
    using TSgCustomCombo::TSgCustomCombo;
};
