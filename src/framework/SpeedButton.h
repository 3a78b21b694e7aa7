#pragma once
// The framework's speed button: a small push button that never takes the
// focus, shows a glyph and a caption and clicks when the left mouse button is
// released over it. The glyph may be a strip of up to four equal images, for
// the up, disabled, down and held-down looks. Descendants paint their own face
// and add behaviour (timed repeats) through the virtual mouse steps.
#include "framework/GraphicControl.h"
#include "framework/Graphics.h"
#include "framework/Input.h"
#include "framework/Types.h"

#include <QString>

#include <functional>
#include <memory>

namespace fw {

class TCanvas;

enum TButtonState { bsUp, bsDisabled, bsDown, bsExclusive };

class TSpeedButton : public TGraphicControl {
    Q_OBJECT
public:
    using TMouseEvent = std::function<void(QObject* sender, TMouseButton button, TShiftState shift, int x, int y)>;

    explicit TSpeedButton(QWidget* parent = nullptr);
    ~TSpeedButton() override;

    const TBitmap& Glyph() const;
    // Copies the picture; an empty bitmap removes the glyph.
    void SetGlyph(const TBitmap& glyph);
    // Images in the glyph strip, 1 to 4; other values are ignored.
    int NumGlyphs() const;
    void SetNumGlyphs(int count);
    QString Caption() const;
    void SetCaption(const QString& caption);
    // A flat button shows its edge only while the mouse is over it or it is down.
    bool Flat() const;
    void SetFlat(bool value);
    // A transparent button leaves its background to the parent.
    bool Transparent() const;
    void SetTransparent(bool value);

    TButtonState State() const;
    bool MouseInControl() const;
    // Between a left-button press on the button and its release: the button
    // holds the mouse.
    bool Dragging() const;

    // Fires OnClick with the button as sender.
    virtual void Click();

    std::function<void(QObject* sender)> OnClick;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;

protected:
    // The steps of the mouse handling; each fires its event first, as the
    // framework's controls do, then changes the state.
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseEnter() override;
    void MouseLeave() override;
    // The whole face; the default is PaintStandard.
    void Paint(TCanvas& canvas) override;
    // Frame (classic push-button frame, or for a flat button a raised or sunken
    // edge while hot or down), then glyph and caption, moved by one pixel while down.
    void PaintStandard(TCanvas& canvas);
    // The glyph and caption centred in r.
    void PaintContent(TCanvas& canvas, const TRect& r);
    void SetState(TButtonState state);

    void changeEvent(QEvent* event) override;

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

} // namespace fw
