#pragma once
// TControlLook: the look of the controls a grid draws in its cells (check
// boxes, radio buttons, drop-down and spin buttons, progress bars, comment
// marks) and the colours of its fixed-cell gradients in the normal, hover and
// pressed states. It stores its values; cell painting, editor showing and
// mouse handling read them, and the gradient writers push the colours into
// the grid.
#include "framework/Graphics.h"
#include "framework/Types.h"
#include "grid/paint/FxGridPaintTypes.h"

#include <QObject>

#include <memory>

class TFxStringGrid;
class THeaderAppearance;
class TFooterAppearance;

class TControlLook : public QObject {
public:
    explicit TControlLook(TFxStringGrid* ownerGrid);
    ~TControlLook() override;

    // The construction values of the colours: black tick, red comment mark,
    // grey progress border, no normal gradient, the hover and pressed
    // gradients grey to white and grey to silver. The two mirror pairs reach
    // the grid; the other colours do not.
    void Init();
    // Copies the control settings and every gradient colour; not FlatButton,
    // ProgressXP, the two disabled-look switches or FixedDropDownButton. No
    // repaint, nothing is pushed into the grid.
    void Assign(const TControlLook& source);

    fw::TColor Color() const { return FColor; }
    void SetColor(fw::TColor value);
    fw::TColor CommentColor() const { return FCommentColor; }
    void SetCommentColor(fw::TColor value);
    const fw::TBitmap& CheckedGlyph() const { return *FCheckedGlyph; }
    void SetCheckedGlyph(const fw::TBitmap& value);
    const fw::TBitmap& UnCheckedGlyph() const { return *FUnCheckedGlyph; }
    void SetUnCheckedGlyph(const fw::TBitmap& value);
    const fw::TBitmap& RadioOnGlyph() const { return *FRadioOnGlyph; }
    void SetRadioOnGlyph(const fw::TBitmap& value);
    const fw::TBitmap& RadioOffGlyph() const { return *FRadioOffGlyph; }
    void SetRadioOffGlyph(const fw::TBitmap& value);

    // The gradient writers store, then copy the value into the grid's
    // fixed-cell colour of the same role: from, to and border colours only
    // when they are not clNone, the mirror colours always.
    fw::TColor FixedGradientFrom() const { return FFixedGradientFrom; }
    void SetFixedGradientFrom(fw::TColor value);
    fw::TColor FixedGradientTo() const { return FFixedGradientTo; }
    void SetFixedGradientTo(fw::TColor value);
    fw::TColor FixedGradientMirrorFrom() const { return FFixedGradientMirrorFrom; }
    void SetFixedGradientMirrorFrom(fw::TColor value);
    fw::TColor FixedGradientMirrorTo() const { return FFixedGradientMirrorTo; }
    void SetFixedGradientMirrorTo(fw::TColor value);
    fw::TColor FixedGradientHoverFrom() const { return FFixedGradientHoverFrom; }
    void SetFixedGradientHoverFrom(fw::TColor value);
    fw::TColor FixedGradientHoverTo() const { return FFixedGradientHoverTo; }
    void SetFixedGradientHoverTo(fw::TColor value);
    fw::TColor FixedGradientHoverMirrorFrom() const { return FFixedGradientHoverMirrorFrom; }
    void SetFixedGradientHoverMirrorFrom(fw::TColor value);
    fw::TColor FixedGradientHoverMirrorTo() const { return FFixedGradientHoverMirrorTo; }
    void SetFixedGradientHoverMirrorTo(fw::TColor value);
    fw::TColor FixedGradientHoverBorder() const { return FFixedGradientHoverBorder; }
    void SetFixedGradientHoverBorder(fw::TColor value);
    fw::TColor FixedGradientDownFrom() const { return FFixedGradientDownFrom; }
    void SetFixedGradientDownFrom(fw::TColor value);
    fw::TColor FixedGradientDownTo() const { return FFixedGradientDownTo; }
    void SetFixedGradientDownTo(fw::TColor value);
    fw::TColor FixedGradientDownMirrorFrom() const { return FFixedGradientDownMirrorFrom; }
    void SetFixedGradientDownMirrorFrom(fw::TColor value);
    fw::TColor FixedGradientDownMirrorTo() const { return FFixedGradientDownMirrorTo; }
    void SetFixedGradientDownMirrorTo(fw::TColor value);
    fw::TColor FixedGradientDownBorder() const { return FFixedGradientDownBorder; }
    void SetFixedGradientDownBorder(fw::TColor value);

    bool FixedDropDownButton() const { return FFixedDropDownButton; }
    void SetFixedDropDownButton(bool value) { FFixedDropDownButton = value; }
    // Longest line of a cell hint in pixels, 0 for no limit.
    int HintMaxWidth() const { return FHintMaxWidth; }
    void SetHintMaxWidth(int value) { FHintMaxWidth = value; }
    int CheckSize() const { return FCheckSize; }
    void SetCheckSize(int value);
    // Check boxes and radio groups react to clicks even in cells that cannot be edited.
    bool CheckAlwaysActive() const { return FCheckAlwaysActive; }
    void SetCheckAlwaysActive(bool value) { FCheckAlwaysActive = value; }
    int RadioSize() const { return FRadioSize; }
    void SetRadioSize(int value);
    bool RadioAlwaysActive() const { return FRadioAlwaysActive; }
    void SetRadioAlwaysActive(bool value) { FRadioAlwaysActive = value; }
    TControlStyle ControlStyle() const { return FControlStyle; }
    void SetControlStyle(TControlStyle value);
    bool DropDownAlwaysVisible() const { return FDropDownAlwaysVisible; }
    void SetDropDownAlwaysVisible(bool value);
    // The header and footer strips the grid gives its drop-down editors;
    // the setters copy the settings (no repaint).
    THeaderAppearance& DropDownHeader() const { return *FDropDownHeader; }
    void SetDropDownHeader(const THeaderAppearance& value);
    TFooterAppearance& DropDownFooter() const { return *FDropDownFooter; }
    void SetDropDownFooter(const TFooterAppearance& value);
    // Visible rows of combo drop-downs.
    int DropDownCount() const { return FDropDownCount; }
    void SetDropDownCount(int value) { FDropDownCount = value; }
    bool SpinButtonsAlwaysVisible() const { return FSpinButtonsAlwaysVisible; }
    void SetSpinButtonsAlwaysVisible(bool value);
    bool FlatButton() const { return FFlatButton; }
    void SetFlatButton(bool value);
    bool NoDisabledCheckRadioLook() const { return FNoDisabledCheckRadioLook; }
    void SetNoDisabledCheckRadioLook(bool value);
    bool NoDisabledButtonLook() const { return FNoDisabledButtonLook; }
    void SetNoDisabledButtonLook(bool value);
    fw::TColor ProgressBorderColor() const { return FProgressBorderColor; }
    void SetProgressBorderColor(fw::TColor value) { FProgressBorderColor = value; }
    int ProgressMarginX() const { return FProgressMarginX; }
    void SetProgressMarginX(int value);
    int ProgressMarginY() const { return FProgressMarginY; }
    void SetProgressMarginY(int value);
    bool ProgressXP() const { return FProgressXP; }
    void SetProgressXP(bool value);

private:
    void Repaint();

    TFxStringGrid* FGrid;
    fw::TColor FColor = fw::clBlack;
    fw::TColor FCommentColor = fw::clRed;
    std::unique_ptr<fw::TBitmap> FCheckedGlyph;
    std::unique_ptr<fw::TBitmap> FUnCheckedGlyph;
    std::unique_ptr<fw::TBitmap> FRadioOnGlyph;
    std::unique_ptr<fw::TBitmap> FRadioOffGlyph;
    std::unique_ptr<THeaderAppearance> FDropDownHeader;
    std::unique_ptr<TFooterAppearance> FDropDownFooter;
    fw::TColor FFixedGradientFrom = fw::clNone;
    fw::TColor FFixedGradientTo = fw::clNone;
    fw::TColor FFixedGradientMirrorFrom = fw::clNone;
    fw::TColor FFixedGradientMirrorTo = fw::clNone;
    fw::TColor FFixedGradientHoverFrom = fw::clGray;
    fw::TColor FFixedGradientHoverTo = fw::clWhite;
    fw::TColor FFixedGradientHoverMirrorFrom = fw::clNone;
    fw::TColor FFixedGradientHoverMirrorTo = fw::clNone;
    fw::TColor FFixedGradientHoverBorder = fw::clSilver;
    fw::TColor FFixedGradientDownFrom = fw::clGray;
    fw::TColor FFixedGradientDownTo = fw::clSilver;
    fw::TColor FFixedGradientDownMirrorFrom = fw::clNone;
    fw::TColor FFixedGradientDownMirrorTo = fw::clNone;
    fw::TColor FFixedGradientDownBorder = fw::clGray;
    bool FFixedDropDownButton = false;
    int FHintMaxWidth = 0;
    int FCheckSize = 15;
    bool FCheckAlwaysActive = false;
    int FRadioSize = 10;
    bool FRadioAlwaysActive = false;
    TControlStyle FControlStyle = csTheme;
    bool FDropDownAlwaysVisible = false;
    int FDropDownCount = 8;
    bool FSpinButtonsAlwaysVisible = false;
    bool FFlatButton = false;
    bool FNoDisabledCheckRadioLook = false;
    bool FNoDisabledButtonLook = false;
    fw::TColor FProgressBorderColor = fw::clGray;
    int FProgressMarginX = 2;
    int FProgressMarginY = 2;
    bool FProgressXP = false;
};
