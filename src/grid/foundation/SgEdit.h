#pragma once
// The edits with an embedded button that the grid's edit-with-button and
// edit-with-unit editors wrap: TSgEditBtn, whose button (also F4) fires
// OnClickBtn, and TSgUnitEditBtn, which shows a unit text between the text and
// the button and offers its units in a menu on the button.
#include "framework/SpeedButton.h"
#include "framework/StringList.h"
#include "framework/Types.h"
#include "grid/foundation/SgEditBase.h"

#include <QPointer>
#include <QStringList>

#include <functional>

class TSgEditButton;

// The embedded button: custom colours, the visual style, or a flat or classic face.
class TFxSpeedButton : public fw::TSpeedButton {
    Q_OBJECT
public:
    explicit TFxSpeedButton(TSgEditButton* owner);

    bool IsWinXP() const { return FIsWinXP; }
    void SetIsWinXP(bool value) { FIsWinXP = value; update(); }
    bool Hot() const { return FHot; }
    void SetHot(bool value) { FHot = value; }

protected:
    void MouseEnter() override;
    void MouseLeave() override;
    void Paint(fw::TCanvas& canvas) override;

private:
    TSgEditButton* FOwner;
    bool FIsWinXP = false;
    bool FHot = false;
};

// The windowed holder of the embedded button; it fires OnClick when the left
// mouse button is released on the button.
class TSgEditButton : public QWidget {
    Q_OBJECT
public:
    explicit TSgEditButton(QWidget* parent = nullptr);
    ~TSgEditButton() override;

    void BeginLoad() { FLoading = true; }
    void Loaded();

    TFxSpeedButton* Button() const { return FButton; }
    const fw::TBitmap& Glyph() const { return FButton->Glyph(); }
    void SetGlyph(const fw::TBitmap& glyph) { FButton->SetGlyph(glyph); }
    int NumGlyphs() const { return FButton->NumGlyphs(); }
    void SetNumGlyphs(int value) { FButton->SetNumGlyphs(value); }
    QString ButtonCaption() const { return FButton->Caption(); }
    void SetButtonCaption(const QString& value) { FButton->SetCaption(value); }
    bool Flat() const { return FFlat; }
    void SetFlat(bool value);
    // The control that takes the focus after a click; not owned.
    QWidget* FocusControl() const { return FFocusControl; }
    void SetFocusControl(QWidget* control) { FFocusControl = control; }
    bool TabStop() const { return FTabStop; }
    void SetTabStop(bool value);

    // With ButtonColor set the button is a flat fill in ButtonColor,
    // ButtonColorHot (mouse over) and ButtonColorDown (pressed). The text and
    // border colours are kept for callers that set them: the caption is black.
    fw::TColor ButtonColor() const { return FButtonColor; }
    void SetButtonColor(fw::TColor c) { FButtonColor = c; FButton->update(); }
    fw::TColor ButtonColorHot() const { return FButtonColorHot; }
    void SetButtonColorHot(fw::TColor c) { FButtonColorHot = c; FButton->update(); }
    fw::TColor ButtonColorDown() const { return FButtonColorDown; }
    void SetButtonColorDown(fw::TColor c) { FButtonColorDown = c; FButton->update(); }
    fw::TColor ButtonTextColor() const { return FButtonTextColor; }
    void SetButtonTextColor(fw::TColor c) { FButtonTextColor = c; }
    fw::TColor ButtonTextColorHot() const { return FButtonTextColorHot; }
    void SetButtonTextColorHot(fw::TColor c) { FButtonTextColorHot = c; }
    fw::TColor ButtonTextColorDown() const { return FButtonTextColorDown; }
    void SetButtonTextColorDown(fw::TColor c) { FButtonTextColorDown = c; }
    fw::TColor ButtonBorderColor() const { return FButtonBorderColor; }
    void SetButtonBorderColor(fw::TColor c) { FButtonBorderColor = c; }

    std::function<void(QObject* sender)> OnClick;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void SpeedButtonMouseUp(fw::TMouseButton button);
    void FitSpeedButton();

    TFxSpeedButton* FButton = nullptr;
    QPointer<QWidget> FFocusControl;
    bool FFlat = false;
    bool FTabStop = false;
    bool FLoading = false;
    fw::TColor FButtonColorDown = fw::clNone;
    fw::TColor FButtonBorderColor = fw::clNone;
    fw::TColor FButtonTextColor = fw::clNone;
    fw::TColor FButtonTextColorHot = fw::clNone;
    fw::TColor FButtonColor = fw::clNone;
    fw::TColor FButtonColorHot = fw::clNone;
    fw::TColor FButtonTextColorDown = fw::clNone;
};

class TSgEditBtn : public TSgEditBase {
    Q_OBJECT
public:
    explicit TSgEditBtn(QWidget* parent = nullptr);
    ~TSgEditBtn() override;

    void Loaded() override;

    TSgEditButton* Button() const { return FButton; }
    int ButtonWidth() const { return FButtonWidth; }
    void SetButtonWidth(int value);
    QString ButtonCaption() const { return FButton->ButtonCaption(); }
    void SetButtonCaption(const QString& value) { FButton->SetButtonCaption(value); }
    const fw::TBitmap& Glyph() const { return FButton->Glyph(); }
    void SetGlyph(const fw::TBitmap& glyph) { FButton->SetGlyph(glyph); }
    bool RightAlign() const { return FRightAlign; }
    void SetRightAlign(bool value);
    bool IsWinXP() const { return FIsWinXP; }
    void SetIsWinXP(bool value);

    // Fires OnClickBtn; the button, F4 and a wrapping editor call it.
    virtual void ButtonClick();
    // Key-down handling as a wrapping editor hands keys on: F4 without Ctrl
    // and Alt clicks the button. `key` is a virtual-key code.
    void HandleKeyDown(int& key, fw::TShiftState shift);

    std::function<void(QObject* sender)> OnClickBtn;

protected:
    int MinimumHeight() const override;
    void LayoutControl() override;
    void keyPressEvent(QKeyEvent* event) override;

    // Pixels kept free between the text and the button for a unit.
    int UnitSize() const { return FUnitSize; }
    void SetUnitSize(int value);

private:
    void ApplyAlignment();

    int FUnitSize = 0;
    bool FRightAlign = false;
    TSgEditButton* FButton = nullptr;
    int FButtonWidth = 18;
    bool FIsWinXP = false;
};

class TSgUnitEditBtn : public TSgEditBtn {
    Q_OBJECT
public:
    explicit TSgUnitEditBtn(QWidget* parent = nullptr);
    ~TSgUnitEditBtn() override;

    const QStringList& Units() const { return FUnits; }
    void SetUnits(const QStringList& units) { FUnits = units; }
    void SetUnits(const fw::TStringList* units);
    QString UnitID() const { return FUnitID; }
    void SetUnitID(const QString& value);
    int UnitSpace() const { return UnitSize(); }
    void SetUnitSpace(int value) { SetUnitSize(value); }

    // The text followed by the unit. Writing splits off the first unit of
    // Units whose first occurrence ends the value; without one nothing changes.
    QString TextAndUnit() const { return text() + FUnitID; }
    void SetTextAndUnit(const QString& value);

    // Fires OnClickBtn, then shows the unit menu below the button.
    void ButtonClick() override;
    // A menu command: item `itemNumber` (1-based) of the unit menu makes its
    // unit the current one; an edit-change notification is no choice.
    void HandleWmCommand(unsigned notifyCode, int itemNumber);
    // Where the unit text is drawn (client pixels).
    fw::TRect UnitRect() const;

    std::function<void(QObject* sender, const QString& unit)> OnUnitChanged;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString FUnitID;
    QStringList FUnits;
};
