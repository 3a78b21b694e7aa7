#pragma once
// TLbButton: the owner-drawn push button of every window. It keeps a caption,
// an optional glyph strip, a face style and a set of colours; it is clicked by
// mouse, Space/Enter, its caption's accelerator and, as a window's default or
// cancel button, by Enter or Esc; a click with a ModalResult closes the modal
// window that holds it. While the pointer is over it the face shows the
// hot-track colour, which with SlowDecease fades back in eight 30 ms steps.
#include "controls/buttons/LbButtons.h"
#include "framework/Forms.h"
#include "framework/Graphics.h"
#include "framework/Types.h"

#include <QString>
#include <QWidget>

#include <functional>
#include <memory>

class QMenu;

namespace fw {
class TCanvas;
}

class TLbButton : public QWidget, public fw::IDialogButton {
    Q_OBJECT
public:
    // Interval of the hot-track fade in milliseconds.
    static constexpr int FadeInterval = 30;

    explicit TLbButton(QWidget* parent = nullptr);
    ~TLbButton() override;

    fw::TAlignment Alignment() const;
    void SetAlignment(fw::TAlignment value);
    bool Cancel() const;
    void SetCancel(bool value);
    QString Caption() const;
    void SetCaption(const QString& value);
    fw::TColor Color() const;
    void SetColor(fw::TColor value);
    // Writing applies a colour preset; reading always gives lcsCustom.
    TLbColorStyle ColorStyle() const;
    void SetColorStyle(TLbColorStyle value);
    fw::TColor ColorWhenDown() const;
    void SetColorWhenDown(fw::TColor value);
    bool Default() const;
    void SetDefault(bool value);
    bool Flat() const;
    void SetFlat(bool value);
    const fw::TBitmap& Glyph() const;
    // Copies the strip (null empties it); NumGlyphs becomes width div height
    // and Kind bkCustom.
    void SetGlyph(const fw::TBitmap* value);
    fw::TColor HotTrackColor() const;
    void SetHotTrackColor(fw::TColor value);
    const fw::TFont& HotTrackFont() const;
    void SetHotTrackFont(const fw::TFont& value);
    TLbButtonKind Kind() const;
    void SetKind(TLbButtonKind value);
    TLbButtonLayout Layout() const;
    void SetLayout(TLbButtonLayout value);
    fw::TColor LightColor() const;
    void SetLightColor(fw::TColor value);
    fw::TModalResult ModalResult() const;
    // Also makes Kind bkCustom.
    void SetModalResult(fw::TModalResult value);
    int NumGlyphs() const;
    void SetNumGlyphs(int value);
    fw::TColor ShadowColor() const;
    void SetShadowColor(fw::TColor value);
    bool SlowDecease() const;
    void SetSlowDecease(bool value);
    TLbButtonStyle Style() const;
    void SetStyle(TLbButtonStyle value);
    bool UseHotTrackFont() const;
    void SetUseHotTrackFont(bool value);
    bool WordWrap() const;
    void SetWordWrap(bool value);

    const fw::TFont& Font() const;
    void SetFont(const fw::TFont& value);
    QString Hint() const;
    void SetHint(const QString& value);
    // Popped up under the button after a click; not owned.
    QMenu* PopupMenu() const;
    void SetPopupMenu(QMenu* menu);

    // The button's own events, fired with the button as sender.
    std::function<void(TLbButton* sender)> OnClick;
    std::function<void(TLbButton* sender)> OnMouseEnter;
    std::function<void(TLbButton* sender)> OnMouseExit;

    // Clicks the button as the mouse, keys and accelerator do: nothing unless
    // it is visible and enabled; then OnClick, the parent window's
    // ModalResult, the popup menu.
    void Click();

    // Visible state, for drawing and for tests.
    bool Pressed() const;
    bool MouseInside() const;
    int HotTrackStep() const;   // 0 .. 8

    // One step of the hot-track fade (the timer calls it every FadeInterval ms
    // while a fade runs); callable directly.
    void FadeTick();
    bool FadeRunning() const;
    bool HasFadeTimer() const;

    // Draws the button as it looks now (face, and the focus rectangle when it
    // has the focus) with its top-left corner at the canvas origin.
    void PaintTo(fw::TCanvas& canvas);

    // fw::IDialogButton: Enter for a Default button, Esc for a Cancel button.
    bool IsDefault() const override;
    bool IsCancel() const override;
    bool ClickFromKey(int qtKey, Qt::KeyboardModifiers modifiers) override;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void ClickAction();
    void RepaintNow();
    bool Usable() const;
    // Usable, and inside a visible parent: hover and accelerators count.
    bool Reachable() const;
    void UpdateAccelerator();
    bool TakeAccelerator();
    bool AcceleratorFromTypedChar(const QKeyEvent& event);

    struct Impl;
    std::unique_ptr<Impl> d;
};
