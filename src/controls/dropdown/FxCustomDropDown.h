#pragma once
// TFxCustomDropDown: the base of every drop-down control. A single-line
// edit (the framework's masked edit) with a drop button inside its right
// edge, a borderless popup (TDropDownForm) that opens below or above it with
// optional header and footer strips, and an optional label beside it.
// Descendants create their popup content (Control) and fill it before each
// opening; the base places, sizes, shows and hides the popup and relays the
// keys typed in it to the edit. The edit's value follows its EditType
// (FxDropDownValue.h); colours follow the component styles (FxDropDownStyles.h).
//
// C++ runs a base constructor before the descendant exists: a descendant
// calls CreateDropDownForm() and SetComponentStyle(ComponentStyle()) again
// in its own constructor to create its content and apply its own colours.
#include "controls/dropdown/FxButtonAppearance.h"
#include "controls/dropdown/FxDropDownTypes.h"
#include "controls/dropdown/FxDropDownValue.h"
#include "framework/Graphics.h"
#include "framework/MaskEdit.h"
#include "grid/foundation/FxStyleIF.h"
#include "grid/paint/FxDropDownAppearance.h"

#include <QPointer>

#include <cstdint>
#include <memory>

class QLabel;
class TDropDownForm;
class TDropDownEditButton;
class TItemAppearance;

// Where a popup of size `popup` opens for an edit whose top-left corner is at
// `anchor` (screen coordinates) and `editHeight` high: below the edit
// (overlapping its last pixel row) or above it, its bottom on the edit's top.
// dpDown and dpUp name the side taken when the popup fits there, dpAuto
// prefers below; a popup that does not fit on the asked side opens on the
// other one when it fits there. When neither side holds it, it opens on the
// side with more room and the bounds are only that high. The bounds always lie
// on `workArea`, moved left (or right) when they would pass its edges.
fw::TRect DropDownBounds(TDropPosition position, const fw::TPoint& anchor, int editHeight, const fw::TSize& popup,
                         const fw::TRect& workArea);

class TFxCustomDropDown : public fw::TMaskEdit, public IFxStyle, public IFxTones {
    Q_OBJECT
public:
    explicit TFxCustomDropDown(QWidget* parent = nullptr);
    ~TFxCustomDropDown() override;

    // ---- the drop-down cycle
    void ShowDropDown() { DoShowDropDown(); }
    void HideDropDown(bool cancelChanges) { DoHideDropDown(cancelChanges); }
    bool DroppedDown() const { return FDroppedDown; }
    virtual void DoHideDropDown(bool cancel);
    // The drop button's click: opens the popup unless it closed within the
    // last 250 ms (the click that closed it).
    void DropButtonClick();
    TDropDownForm* DropDownForm() const { return FDropDownForm; }
    TDropDownEditButton* Button() const { return FButton; }

    // ---- value (see FxDropDownValue.h)
    QString Text() const { return FValue.Value(); }
    // The formatted setter; descendants may extend it.
    virtual void SetText(const QString& value);
    // The shown text as it is, without prefix, suffix or formatting.
    void SetTextUnformatted(const QString& value);
    TDropDownValue& Value() { return FValue; }
    const TDropDownValue& Value() const { return FValue; }
    TDropDownEditType EditType() const { return FValue.EditType(); }
    void SetEditType(TDropDownEditType value);
    int Precision() const { return FValue.Precision(); }
    void SetPrecision(int value) { FValue.SetPrecision(value); }
    double GetFloatValue() const { return FValue.GetFloatValue(); }
    void SetFloatValue(double x) { FValue.SetFloatValue(x); }
    void SetIntValue(std::int64_t n) { FValue.SetIntValue(n); }
    bool Modified() const { return FValue.Modified(); }
    void SetModified(bool value) { FValue.SetModified(value); }
    bool ReturnIsTab() const { return FReturnIsTab; }
    void SetReturnIsTab(bool value) { FReturnIsTab = value; }
    bool EditorEnabled() const { return FEditorEnabled; }
    void SetEditorEnabled(bool value);

    // ---- popup settings
    int DropDownWidth() const { return FDropDownWidth; }
    void SetDropDownWidth(int value);
    int DropDownHeight() const { return FDropDownHeight; }
    void SetDropDownHeight(int value);
    int UserDropDownWidth() const { return FUserDropDownWidth; }
    int UserDropDownHeight() const { return FUserDropDownHeight; }
    TDropPosition DropPosition() const { return FDropPosition; }
    void SetDropPosition(TDropPosition value) { FDropPosition = value; }
    bool DropDownShadow() const { return FDropDownShadow; }
    void SetDropDownShadow(bool value) { FDropDownShadow = value; }
    bool ForceShadow() const { return FForceShadow; }
    void SetForceShadow(bool value) { FForceShadow = value; }
    int DropDownBorderWidth() const { return FDropDownBorderWidth; }
    void SetDropDownBorderWidth(int value) { FDropDownBorderWidth = value; }
    fw::TColor DropDownBorderColor() const { return FDropDownBorderColor; }
    void SetDropDownBorderColor(fw::TColor value) { FDropDownBorderColor = value; }
    fw::TColor DropDownColor() const { return FDropDownColor; }
    void SetDropDownColor(fw::TColor value);
    fw::TColor DropDownColorTo() const { return FDropDownColorTo; }
    void SetDropDownColorTo(fw::TColor value) { FDropDownColorTo = value; }
    TGradientDirection DropDownGradient() const { return FDropDownGradient; }
    void SetDropDownGradient(TGradientDirection value) { FDropDownGradient = value; }
    bool DropDownSizeable() const { return FDropDownSizeable; }
    void SetDropDownSizeable(bool value) { FDropDownSizeable = value; }
    bool DropDownEnabled() const { return FDropDownEnabled; }
    void SetDropDownEnabled(bool value) { FDropDownEnabled = value; }
    THeaderAppearance& DropDownHeader() { return FDropDownHeader; }
    void SetDropDownHeader(const THeaderAppearance& value) { FDropDownHeader.Assign(value); }
    TFooterAppearance& DropDownFooter() { return FDropDownFooter; }
    void SetDropDownFooter(const TFooterAppearance& value) { FDropDownFooter.Assign(value); }
    TFxButtonAppearance& ButtonAppearance() { return FButtonAppearance; }
    void SetButtonAppearance(const TFxButtonAppearance& value) { FButtonAppearance.Assign(value); }
    const fw::TImageList* Images() const { return FImages; }
    void SetImages(const fw::TImageList* images);
    // The popup's content, not owned; FocusControl takes the focus when it opens.
    QWidget* Control() const { return FControl; }
    void SetControl(QWidget* control);
    QWidget* FocusControl() const { return FFocusControl; }
    void SetFocusControl(QWidget* control) { FFocusControl = control; }

    // ---- drop button
    // Reads 17 for a new drop-down while the button is 16 wide; only a
    // different width takes effect.
    int DropDownButtonWidth() const { return FButtonWidth; }
    void SetDropDownButtonWidth(int value);
    const fw::TBitmap* DropDownButtonGlyph() const;
    void SetDropDownButtonGlyph(const fw::TBitmap& glyph);
    QString DropDownButtonHint() const { return FButtonHint; }
    void SetDropDownButtonHint(const QString& value);
    QString ButtonCaption() const;
    void SetButtonCaption(const QString& value);
    bool Etched() const { return FEtched; }
    void SetEtched(bool value);
    bool Flat() const { return FFlat; }
    void SetFlat(bool value);

    // ---- border and look
    fw::TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(fw::TColor value);
    fw::TColor FocusBorderColor() const { return FFocusBorderColor; }
    void SetFocusBorderColor(fw::TColor value) { FFocusBorderColor = value; }
    bool DisabledBorder() const { return FDisabledBorder; }
    void SetDisabledBorder(bool value);
    bool FocusDraw() const { return FFocusDraw; }
    void SetFocusDraw(bool value) { FFocusDraw = value; }
    fw::TColor SelectionColor() const { return FSelectionColor; }
    void SetSelectionColor(fw::TColor value) { FSelectionColor = value; }
    fw::TColor SelectionColorTo() const { return FSelectionColorTo; }
    void SetSelectionColorTo(fw::TColor value) { FSelectionColorTo = value; }
    TSelectionColorStyle SelectionColorStyle() const { return FSelectionColorStyle; }
    virtual void SetSelectionColorStyle(TSelectionColorStyle value);
    TFxStyle ComponentStyle() const { return FFxStyle; }
    TFxStyle GetComponentStyle() const { return FFxStyle; }
    void SetComponentStyle(TFxStyle style) override;
    void SetColorTones(const TColorTones& tones) override;
    // The item colours of a component style (nothing without an appearance).
    static void ApplyItemAppearanceStyle(TItemAppearance* appearance, TFxStyle style);
    virtual void DrawSelectionBackground(fw::TCanvas& canvas, const fw::TRect& r, int kind, fw::TColor cornerColor);
    virtual void DrawGradient(fw::TCanvas& canvas, fw::TColor from, fw::TColor to, int steps, const fw::TRect& r,
                              TGradientDirection direction);

    // ---- label
    QLabel* EditLabel() const;
    QString LabelCaption() const;
    void SetLabelCaption(const QString& value);
    FxDropDown::TLabelPosition LabelPosition() const { return FLabelPosition; }
    void SetLabelPosition(FxDropDown::TLabelPosition value);
    int LabelMargin() const { return FLabelMargin; }
    void SetLabelMargin(int value);
    bool LabelTransparent() const { return FLabelTransparent; }
    void SetLabelTransparent(bool value);
    bool LabelAlwaysEnabled() const { return FLabelAlwaysEnabled; }
    void SetLabelAlwaysEnabled(bool value) { FLabelAlwaysEnabled = value; }
    const fw::TFont& LabelFont() const { return FLabelFont; }
    void SetLabelFont(const fw::TFont& value);
    bool ParentFont() const { return FParentFnt; }
    void SetParentFont(bool value);
    void SetBounds(int left, int top, int width, int height);

    // ---- layout
    // The edit's text metric height plus a quarter of the smaller of it and
    // the system font's.
    int GetMinHeight() const;
    // The last text rectangle given to the edit (client coordinates, inside
    // the frame), and the same in the widget's own coordinates.
    fw::TRect EditRect() const { return FEditRect; }
    fw::TRect EditRectInWidget() const;
    bool IsHot() const;

    // 1.2.1.4 (GetVersionNr $01020104 from the top byte down).
    QString Version() const;
    virtual std::uint32_t GetVersionNr() const { return 0x01020104; }

    // Copies the drop-down settings of another drop-down (not text, events,
    // label or border colours).
    void Assign(const TFxCustomDropDown& source);
    // Window descriptions store these two as integers.
    int SelectionColorStyleOrdinal() const { return int(FSelectionColorStyle); }
    void ReadSelectionColorStyleOrdinal(int value) { FSelectionColorStyle = TSelectionColorStyle(value); }
    int RIRStyleOrdinal() const { return int(FFxStyle); }
    void ReadRIRStyleOrdinal(int value) { FFxStyle = TFxStyle(value); }

    // Component loading: while loading, Modified is not written.
    void BeginLoad() { FLoading = true; }
    virtual void Loaded();

    // ---- events
    TDropDown OnDropDown;
    TDropUp OnDropUp;
    TNotifyEvent OnBeforeDropDown;
    TNotifyEvent OnBeforeDropUp;
    TClipboardEvent OnClipboardCopy;
    TClipboardEvent OnClipboardCut;
    TClipboardEvent OnClipboardPaste;
    TDropDownButtonItemClick OnDropDownHeaderButtonClick;
    TDropDownButtonItemClick OnDropDownFooterButtonClick;
    TDrawBackGroundEvent OnDrawHeader;
    TDrawBackGroundEvent OnDrawFooter;
    TGetTextEvent OnGetHeaderText;
    TGetTextEvent OnGetFooterText;
    TNotifyEvent OnLabelClick;
    TNotifyEvent OnLabelDblClick;

protected:
    // ---- virtual operations of the base, in the order descendants know them
    virtual void LabelClick();
    virtual void LabelDblClick();
    // Creates the popup once; descendants then create their content.
    virtual void CreateDropDownForm();
    virtual void CreateDropDownButton();
    virtual void UpdateDropDownButton();
    virtual void BeforeDropDown();
    virtual void AdjustDropDownHeight(int& height) {}
    virtual void FocusDropDownControl();
    virtual void DoShowDropDown();
    virtual void PlaceDropDownControl();
    virtual void UpdateDropDownSize();
    virtual void DropDownHidden();
    virtual void DropDownFormDestroyed() {}
    virtual void FormWheelDown(fw::TShiftState shift, const QPoint& pos, bool& handled);
    virtual void FormWheelUp(fw::TShiftState shift, const QPoint& pos, bool& handled);
    virtual void FormKeyPress(QChar& key);
    virtual void FormKeyDown(int& key, fw::TShiftState shift);
    virtual void FormKeyUp(int& key, fw::TShiftState shift);
    virtual void ControlKeyDown(int& key, fw::TShiftState shift);
    virtual void ControlKeyUp(int& key, fw::TShiftState shift);
    virtual void ControlKeyPress(QChar& key);
    virtual void DropDownResizing() {}
    virtual void SelectNextItem() {}
    virtual void SelectPrevItem() {}
    // The highlight of a focused edit that does not type.
    virtual void DrawSelectedText(fw::TCanvas& canvas);
    virtual void SetEditRect();
    virtual void AdjustLayout();
    // The edit's change notification, unless the value rules swallow it.
    virtual void HandleChange() { fw::TMaskEdit::Change(); }

    void DrawBorder(fw::TCanvas& canvas);
    bool IsButtonHot() const;
    bool Loading() const { return FLoading; }
    bool Destroying() const { return FDestroying; }

    // ---- the masked edit's hooks
    void KeyDown(int& key, fw::TShiftState shift) override;
    void KeyPress(QChar& key) override;
    bool WantsSpecialKey(int key, fw::TShiftState shift) override;
    void DoCut() override;
    void DoCopy() override;
    void DoPaste() override;
    void Change() override;
    void ReadOnlyChanged() override;

    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void enterEvent(QEnterEvent* e) override;
    void leaveEvent(QEvent* e) override;
    void changeEvent(QEvent* e) override;
    void moveEvent(QMoveEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    friend class TDropDownForm;
    class TEditAdapter;
    void CreateLabel();
    void PlaceLabel();
    void PopupKeys(int key);
    void HeaderChanged();
    void FooterChanged();
    QWidget* ParentForm() const;
    void RelayFormKey(QKeyEvent* e);

    std::unique_ptr<TEditAdapter> FAdapter;
    TDropDownValue FValue;

    QPointer<QLabel> FLabel;
    const QObject* FLabelObject = nullptr;
    bool FParentFnt = false;
    int FDropDownWidth = 0;
    int FDropDownHeight = 0;
    int FUserDropDownWidth = -1;
    int FUserDropDownHeight = -1;
    bool FEditorEnabled = true;
    TDropPosition FDropPosition = dpAuto;
    bool FFlat = false;
    const fw::TImageList* FImages = nullptr;
    bool FDropDownShadow = true;
    int FDropDownBorderWidth = 1;
    QString FButtonHint;
    fw::TColor FDropDownColorTo = fw::clNone;
    fw::TColor FDropDownColor = 0xFFFFFF;
    fw::TColor FDropDownBorderColor = 0;
    int FButtonWidth = 17;
    bool FMouseInControl = false;
    bool FEtched = false;
    QPointer<QWidget> FFocusControl;
    THeaderAppearance FDropDownHeader;
    TFxButtonAppearance FButtonAppearance;
    TFooterAppearance FDropDownFooter;
    QPointer<QWidget> FControl;
    TGradientDirection FDropDownGradient = gdHorizontal;
    bool FDropDownSizeable = true;
    fw::TColor FSelectionColor = fw::clNone;
    fw::TColor FSelectionColorTo = fw::clNone;
    TSelectionColorStyle FSelectionColorStyle = scOffice2007;
    bool FReturnIsTab = false;
    bool FIsThemed = true;
    bool FBlockCopy = false;
    bool FButtonDown = false;
    fw::TRect FEditRect;
    bool FDropDownEnabled = false;
    bool FDroppedDown = false;
    bool FFocusDraw = true;
    bool FForceShadow = false;
    TFxStyle FFxStyle = tsOffice2007Luna;
    int FLabelMargin = 4;
    FxDropDown::TLabelPosition FLabelPosition = FxDropDown::lpLeftTop;
    bool FLabelAlwaysEnabled = false;
    bool FLabelTransparent = false;
    fw::TFont FLabelFont;
    fw::TColor FBorderColor = fw::clNone;
    fw::TColor FFocusBorderColor = fw::clNone;
    bool FDisabledBorder = true;
    TDropDownForm* FDropDownForm = nullptr;
    TDropDownEditButton* FButton = nullptr;
    bool FLoading = false;
    bool FDestroying = false;
    QPointer<QWidget> FRelayedControl;
    QSize FShownSize;
    // Shift state of the key being relayed from the popup (its character carries none).
    fw::TShiftState FRelayShift;
    // The popup is being hidden by DoHideDropDown.
    bool FHidingForm = false;
};
