#pragma once
// The drop button of a drop-down: TDropDownEditButton, the container inside
// the edit's right edge whose width is always its own width field and which
// reports a left-button release as OnClick, and TFxDropDownSpeedButton, the
// button inside it, drawn as a combo-box arrow or as a push button, themed
// when visual styles are active, or flat in custom colours.
#include "controls/dropdown/FxDropDownTypes.h"
#include "framework/Graphics.h"

#include <QPointer>
#include <QWidget>

class TFxCustomDropDown;
class TDropDownEditButton;

class TFxDropDownSpeedButton : public QWidget {
    Q_OBJECT
public:
    explicit TFxDropDownSpeedButton(TDropDownEditButton* container);

    TButtonStyle ButtonStyle() const { return FButtonStyle; }
    void SetButtonStyle(TButtonStyle value);
    bool Etched() const { return FEtched; }
    void SetEtched(bool value);
    // Set by the drop-down from its hot state; the drawing does not use it.
    bool Focused() const { return FFocused; }
    void SetFocused(bool value);
    bool Flat() const { return FFlat; }
    void SetFlat(bool value);
    bool Hot() const { return FHot; }
    // Pressed: the left button went down on it and is still down over it.
    bool IsDown() const { return FDown; }
    // Drawn released even while pressed.
    void SetUp() { FUp = true; }
    const fw::TBitmap& Glyph() const { return FGlyph; }
    void SetGlyph(const fw::TBitmap& glyph);
    int NumGlyphs() const { return FNumGlyphs; }
    void SetNumGlyphs(int value) { FNumGlyphs = value; }
    QString Caption() const { return FCaption; }
    void SetCaption(const QString& value);
    bool IsThemed() const;

    std::function<void(Qt::MouseButton button)> OnMouseUp;

protected:
    void paintEvent(QPaintEvent* e) override;
    void enterEvent(QEnterEvent* e) override;
    void leaveEvent(QEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    void PaintDropDownStyle(fw::TCanvas& canvas);
    void PaintButtonStyle(fw::TCanvas& canvas);
    void PaintClassicFace(fw::TCanvas& canvas);
    TFxCustomDropDown* Edit() const;
    int ThemeState(bool enabled) const;

    TDropDownEditButton* FContainer;
    bool FEtched = false;
    bool FFocused = false;
    bool FHot = false;
    bool FUp = false;
    bool FDown = false;
    bool FFlat = false;
    bool FIsWinXP = true;
    TButtonStyle FButtonStyle = bsDropDown;
    fw::TBitmap FGlyph;
    int FNumGlyphs = 1;
    QString FCaption;
};

class TDropDownEditButton : public QWidget {
    Q_OBJECT
public:
    explicit TDropDownEditButton(TFxCustomDropDown* edit);

    TFxDropDownSpeedButton* InnerButton() const { return FButton; }
    TFxCustomDropDown* FocusControl() const { return FFocusControl; }
    void SetFocusControl(TFxCustomDropDown* edit) { FFocusControl = edit; }
    // The container's width; SetBounds and resizing keep to it.
    int ButtonWidth() const { return FBWidth; }
    void SetButtonWidth(int value);
    void SetBounds(int left, int top, int width, int height);
    const fw::TBitmap& Glyph() const { return FButton->Glyph(); }
    void SetGlyph(const fw::TBitmap& glyph) { FButton->SetGlyph(glyph); }
    QString ButtonCaption() const { return FButton->Caption(); }
    void SetButtonCaption(const QString& value) { FButton->SetCaption(value); }

    // Custom colours; ButtonColor clNone selects the standard drawing.
    fw::TColor ButtonColor = fw::clNone;
    fw::TColor ButtonColorHot = fw::clNone;
    fw::TColor ButtonColorDown = fw::clNone;
    fw::TColor ButtonBorderColor = fw::clNone;
    fw::TColor ButtonTextColor = fw::clNone;
    fw::TColor ButtonTextColorHot = fw::clNone;
    fw::TColor ButtonTextColorDown = fw::clNone;

    TNotifyEvent OnClick;

protected:
    void resizeEvent(QResizeEvent* e) override;
    void changeEvent(QEvent* e) override;

private:
    void HandleButtonMouseUp(Qt::MouseButton button);
    void AdjustButtonSize();

    TFxDropDownSpeedButton* FButton = nullptr;
    QPointer<TFxCustomDropDown> FFocusControl;
    int FBWidth = 16;
};
