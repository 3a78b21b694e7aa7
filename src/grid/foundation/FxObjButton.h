#pragma once
// The window-less grid button of the search panel: a push or toggle button with
// glyphs for the normal, hot, pressed and disabled looks, gradient colour sets
// for the normal, hot, down and checked states, an optional drop-down part at
// its right end, seven colour looks and grouping with its siblings. Also the
// small routines it paints and adapts to the desktop theme with.
#include "framework/Canvas.h"
#include "framework/GraphicControl.h"
#include "framework/Graphics.h"
#include "framework/Input.h"
#include "framework/SpeedButton.h"
#include "framework/Types.h"
#include "grid/foundation/FxTypes.h"

#include <QMenu>
#include <QPointer>
#include <QString>

#include <functional>



enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

// The desktop is a visual-styles one here.
bool IsWinXPOrLater();
// 1 "NormalColor", 2 "HomeStead", 3 "Metallic" colour scheme of the active
// visual style, else 0.
int CurrentXPColorScheme();
bool IsThemedComCtl6();

// Moves `widget`'s accelerator shortcut to the "&" letter of `caption` (none
// without one); `shortcutId` holds the grabbed shortcut, 0 for none.
void GrabAccelerator(QWidget& widget, int& shortcutId, const QString& caption);

// Fills r with `steps` bands (at least 1) running from `from` to `to`, left to
// right when horizontal, else top to bottom, each one pixel longer than its
// share so neighbours overlap; then outlines r in `border` unless it is clNone.
void DrawButtonGradient(fw::TCanvas& canvas, fw::TColor from, fw::TColor to, bool horizontal, const fw::TRect& r,
                        int steps, fw::TColor border);

class TFxGridButton : public fw::TGraphicControl {
    Q_OBJECT
public:
    using TNotifyEvent = std::function<void(QObject* sender)>;
    using TMouseEvent = std::function<void(QObject* sender, fw::TMouseButton button, fw::TShiftState shift, int x, int y)>;

    explicit TFxGridButton(QWidget* parent = nullptr);
    ~TFxGridButton() override;

    // Loading from a window description: Shaded leaves the shade glyph to Loaded.
    void BeginLoad() { FLoading = true; }
    virtual void Loaded();

    bool AllowAllUp() const { return FAllowAllUp; }
    void SetAllowAllUp(bool value);
    bool AutoThemeAdapt() const { return FAutoThemeAdapt; }
    void SetAutoThemeAdapt(bool value);
    bool AutoXPStyle() const { return FAutoXPStyle; }
    void SetAutoXPStyle(bool value) { FAutoXPStyle = value; }
    fw::TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(fw::TColor value);
    fw::TColor BorderDownColor() const { return FBorderDownColor; }
    void SetBorderDownColor(fw::TColor value) { FBorderDownColor = value; }
    fw::TColor BorderHotColor() const { return FBorderHotColor; }
    void SetBorderHotColor(fw::TColor value) { FBorderHotColor = value; }
    fw::TColor Color() const { return FColor; }
    void SetColor(fw::TColor value);
    fw::TColor ColorTo() const { return FColorTo; }
    void SetColorTo(fw::TColor value);
    fw::TColor ColorDown() const { return FColorDown; }
    void SetColorDown(fw::TColor value) { FColorDown = value; }
    fw::TColor ColorDownTo() const { return FColorDownTo; }
    void SetColorDownTo(fw::TColor value) { FColorDownTo = value; }
    fw::TColor ColorHot() const { return FColorHot; }
    void SetColorHot(fw::TColor value) { FColorHot = value; }
    fw::TColor ColorHotTo() const { return FColorHotTo; }
    void SetColorHotTo(fw::TColor value) { FColorHotTo = value; }
    fw::TColor ColorChecked() const { return FColorChecked; }
    void SetColorChecked(fw::TColor value);
    fw::TColor ColorCheckedTo() const { return FColorCheckedTo; }
    void SetColorCheckedTo(fw::TColor value);
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int value);
    bool Down() const { return FDown; }
    void SetDown(bool value);
    bool DropDownButton() const { return FDropDownButton; }
    void SetDropDownButton(bool value);
    // Popped up below the button when its drop-down part is pressed; not owned.
    QMenu* DropDownMenu() const { return FDropDownMenu; }
    void SetDropDownMenu(QMenu* menu) { FDropDownMenu = menu; }
    QString Caption() const { return FCaption; }
    void SetCaption(const QString& value);
    bool Flat() const { return FFlat; }
    void SetFlat(bool value);
    const fw::TFont& Font() const { return FFont; }
    void SetFont(const fw::TFont& value);
    // With ParentFont the face and size follow the parent's font.
    bool ParentFont() const { return FParentFont; }
    void SetParentFont(bool value);
    const fw::TBitmap& Glyph() const { return FGlyph; }
    void SetGlyph(const fw::TBitmap& value);
    const fw::TBitmap& GlyphHot() const { return FGlyphHot; }
    void SetGlyphHot(const fw::TBitmap& value) { FGlyphHot.Assign(value); }
    const fw::TBitmap& GlyphDown() const { return FGlyphDown; }
    void SetGlyphDown(const fw::TBitmap& value) { FGlyphDown.Assign(value); }
    const fw::TBitmap& GlyphDisabled() const { return FGlyphDisabled; }
    void SetGlyphDisabled(const fw::TBitmap& value) { FGlyphDisabled.Assign(value); }
    // The grey silhouette drawn under the glyph of a shaded hot button.
    const fw::TBitmap& GlyphShade() const { return FGlyphShade; }
    TButtonLayout Layout() const { return FLayout; }
    void SetLayout(TButtonLayout value);
    int Margin() const { return FMargin; }
    // Only -1 and above.
    void SetMargin(int value);
    bool Rounded() const { return FRounded; }
    void SetRounded(bool value);
    bool Shaded() const { return FShaded; }
    void SetShaded(bool value);
    bool ShowCaption() const { return FShowCaption; }
    void SetShowCaption(bool value);
    int Spacing() const { return FSpacing; }
    void SetSpacing(int value);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool value) { FTransparent = value; }
    TFxGridButtonStyle Style() const { return FStyle; }
    void SetStyle(TFxGridButtonStyle value);
    // Applies colour look 0 .. 6 (others are ignored); the value is not kept.
    void SetLook(int look);

    fw::TButtonState State() const { return FState; }
    bool MouseInControl() const { return FMouseInControl; }

    // Fires OnClick.
    virtual void Click();
    // Picks the look for the desktop's colour scheme.
    void ThemeAdapt();
    // The sibling notification of a pressed button of `groupIndex`.
    void ButtonPressed(int groupIndex, TFxGridButton* sender);

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    TNotifyEvent OnDropDown;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    std::function<void(QObject* sender, fw::TShiftState shift, int x, int y)> OnMouseMove;

    // The glyph and text placement for a client rectangle (exposed for tests).
    struct TLayoutResult {
        fw::TPoint GlyphPos;
        fw::TRect TextBounds;
    };
    TLayoutResult CalcLayout(const fw::TRect& client, const QString& caption, TButtonLayout layout, int margin,
                             int spacing, const fw::TPoint& offset, bool rightToLeft) const;

protected:
    void Paint(fw::TCanvas& canvas) override;
    void MouseDown(fw::TMouseButton button, fw::TShiftState shift, int x, int y) override;
    void MouseMove(fw::TShiftState shift, int x, int y) override;
    void MouseUp(fw::TMouseButton button, fw::TShiftState shift, int x, int y) override;
    // Fires OnDblClick while the button is down.
    void DblClick() override;
    void MouseEnter() override;
    void MouseLeave() override;

    bool event(QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void DrawFace(fw::TCanvas& canvas, const fw::TRect& client, const fw::TPoint& offset, fw::TButtonState state);
    void DrawGlyph(fw::TCanvas& canvas, const fw::TPoint& pos, fw::TButtonState state);
    void DrawCaption(fw::TCanvas& canvas, fw::TRect bounds);
    void BuildShadeGlyph();
    void RecheckMouseInside();
    void NotifyGroupPressed();
    fw::TFont CanvasFont() const;
    bool IsInside(int x, int y) const { return x >= 0 && x < width() && y >= 0 && y <= height(); }

    bool FIsComCtl6 = true;
    int FGroupIndex = 0;
    fw::TBitmap FGlyph;
    bool FDown = false;
    bool FDragging = false;
    bool FAllowAllUp = false;
    TButtonLayout FLayout = blGlyphLeft;
    int FSpacing = 4;
    bool FTransparent = true;
    int FMargin = -1;
    bool FFlat = true;
    bool FMouseInControl = false;
    fw::TColor FColor = fw::clBtnFace;
    fw::TColor FColorTo = fw::clNone;
    fw::TColor FColorHot = 0xCAC7C7;
    fw::TColor FColorHotTo = fw::clNone;
    fw::TColor FColorDown = 0xD8D3D2;
    fw::TColor FColorDownTo = fw::clNone;
    fw::TColor FBorderColor = fw::clNone;
    fw::TColor FBorderDownColor = fw::clNone;
    fw::TColor FBorderHotColor = fw::clNone;
    fw::TBitmap FGlyphDisabled;
    fw::TBitmap FGlyphHot;
    fw::TBitmap FGlyphDown;
    fw::TBitmap FGlyphShade;
    bool FShaded = true;
    fw::TColor FColorChecked = 0x808080;
    fw::TColor FColorCheckedTo = fw::clNone;
    TFxGridButtonStyle FStyle = tasButton;
    bool FRounded = false;
    bool FDropDownButton = false;
    bool FAutoThemeAdapt = false;
    bool FAutoXPStyle = false;
    QPointer<QMenu> FDropDownMenu;
    bool FShowCaption = true;
    fw::TButtonState FState = fw::bsUp;

    QString FCaption;
    fw::TFont FFont;
    bool FParentFont = true;
    bool FLoading = false;
    int FShortcutId = 0;
};
