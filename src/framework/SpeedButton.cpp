#include "framework/SpeedButton.h"

#include "framework/Canvas.h"
#include "framework/SysColors.h"

#include <QEvent>
#include <QImage>

namespace fw {

namespace {

// A copy of `image` with every visible pixel in `color`.
QImage silhouette(const QImage& image, TColor color)
{
    QImage out = image.convertToFormat(QImage::Format_ARGB32);
    const QColor c = ToQColor(color);
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x)
            if (qAlpha(line[x]) != 0)
                line[x] = qRgba(c.red(), c.green(), c.blue(), 255);
    }
    return out;
}

} // namespace

struct TSpeedButton::Impl {
    TBitmap glyph;
    int numGlyphs = 1;
    QString caption;
    bool flat = false;
    bool transparent = false;
    TButtonState state = bsUp;
    bool mouseInControl = false;
    bool dragging = false;
};

TSpeedButton::TSpeedButton(QWidget* parent) : TGraphicControl(parent), d(std::make_unique<Impl>())
{
    resize(23, 22);
}

TSpeedButton::~TSpeedButton() = default;

const TBitmap& TSpeedButton::Glyph() const { return d->glyph; }

void TSpeedButton::SetGlyph(const TBitmap& glyph)
{
    d->glyph.Assign(glyph);
    update();
}

int TSpeedButton::NumGlyphs() const { return d->numGlyphs; }

void TSpeedButton::SetNumGlyphs(int count)
{
    if (count < 1 || count > 4 || count == d->numGlyphs)
        return;
    d->numGlyphs = count;
    update();
}

QString TSpeedButton::Caption() const { return d->caption; }

void TSpeedButton::SetCaption(const QString& caption)
{
    if (caption == d->caption)
        return;
    d->caption = caption;
    update();
}

bool TSpeedButton::Flat() const { return d->flat; }

void TSpeedButton::SetFlat(bool value)
{
    if (value == d->flat)
        return;
    d->flat = value;
    update();
}

bool TSpeedButton::Transparent() const { return d->transparent; }

void TSpeedButton::SetTransparent(bool value)
{
    if (value == d->transparent)
        return;
    d->transparent = value;
    update();
}

TButtonState TSpeedButton::State() const { return d->state; }
bool TSpeedButton::MouseInControl() const { return d->mouseInControl; }
bool TSpeedButton::Dragging() const { return d->dragging; }

void TSpeedButton::SetState(TButtonState state)
{
    if (state == d->state)
        return;
    d->state = state;
    update();
}

void TSpeedButton::Click()
{
    if (OnClick)
        OnClick(this);
}

// ---- mouse ---------------------------------------------------------------------------------

void TSpeedButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (OnMouseDown)
        OnMouseDown(this, button, shift, x, y);
    if (button != mbLeft || !isEnabled())
        return;
    SetState(bsDown);
    repaint();
    d->dragging = true;
}

void TSpeedButton::MouseMove(TShiftState, int x, int y)
{
    if (!d->dragging)
        return;
    const bool inside = x >= 0 && x < width() && y >= 0 && y <= height();
    SetState(inside ? bsDown : bsUp);
}

void TSpeedButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    if (OnMouseUp)
        OnMouseUp(this, button, shift, x, y);
    if (!d->dragging)
        return;
    d->dragging = false;
    // The bottom edge still counts as over the button, as the desktop's own test has it.
    const bool inside = x >= 0 && x < width() && y >= 0 && y <= height();
    SetState(bsUp);
    if (inside)
        Click();
}

void TSpeedButton::MouseEnter()
{
    if (!isEnabled() || d->mouseInControl)
        return;
    d->mouseInControl = true;
    update();
}

void TSpeedButton::MouseLeave()
{
    if (!d->mouseInControl)
        return;
    d->mouseInControl = false;
    update();
}

void TSpeedButton::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::EnabledChange) {
        if (!isEnabled()) {
            d->dragging = false;
            d->mouseInControl = false;
        }
        update();
    }
}

// ---- painting ------------------------------------------------------------------------------

void TSpeedButton::Paint(TCanvas& canvas) { PaintStandard(canvas); }

void TSpeedButton::PaintStandard(TCanvas& canvas)
{
    const bool down = d->state == bsDown || d->state == bsExclusive;
    TRect r(0, 0, width(), height());
    if (!d->flat) {
        canvas.DrawFrameControl(r, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_ADJUSTRECT | (down ? DFCS_PUSHED : 0));
    } else {
        if (!d->transparent) {
            canvas.Brush().Color = clBtnFace;
            canvas.Brush().Style = bsSolid;
            canvas.FillRect(r);
        }
        if (down || (d->mouseInControl && isEnabled())) {
            TRect edge = r;
            canvas.DrawEdge(edge, down ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
        }
        r = r.Inflated(-1, -1);
    }
    PaintContent(canvas, down ? r.Offset(1, 1) : r);
}

void TSpeedButton::PaintContent(TCanvas& canvas, const TRect& r)
{
    const bool enabled = isEnabled();
    int glyphW = 0, glyphH = 0;
    QImage image;
    if (!d->glyph.Empty()) {
        glyphW = d->glyph.Width() / d->numGlyphs;
        glyphH = d->glyph.Height();
        // Strip images by state; a state without its own image shows the nearest one.
        int index = enabled ? int(d->state) : int(bsDisabled);
        if (index == bsExclusive && d->numGlyphs < 4)
            index = bsDown;
        if (index == bsDown && d->numGlyphs < 3)
            index = bsUp;
        if (index == bsDisabled && d->numGlyphs < 2)
            index = bsUp;
        image = d->glyph.MaskedImage().copy(index * glyphW, 0, glyphW, glyphH);
        if (!enabled && d->numGlyphs < 2)
            image = {};   // drawn embossed below
    }
    const int captionW = d->caption.isEmpty() ? 0 : canvas.TextWidth(d->caption);
    const int spacing = glyphW > 0 && captionW > 0 ? 4 : 0;
    int x = r.Left + (r.Width() - (glyphW + spacing + captionW) + 1) / 2;
    if (glyphW > 0) {
        const int y = r.Top + (r.Height() - glyphH + 1) / 2;
        const TRect dest = Bounds(x, y, glyphW, glyphH);
        if (!image.isNull()) {
            canvas.DrawImage(dest, image, Rect(0, 0, glyphW, glyphH));
        } else {
            const QImage up = d->glyph.MaskedImage().copy(0, 0, glyphW, glyphH);
            canvas.DrawImage(dest.Offset(1, 1), silhouette(up, clBtnHighlight), Rect(0, 0, glyphW, glyphH));
            canvas.DrawImage(dest, silhouette(up, clBtnShadow), Rect(0, 0, glyphW, glyphH));
        }
        x += glyphW + spacing;
    }
    if (captionW > 0) {
        canvas.Brush().Style = bsClear;
        canvas.Font().Name = font().family();
        canvas.Font().Color = enabled ? clBtnText : clGrayText;
        TRect tr(x, r.Top, r.Right, r.Bottom);
        canvas.DrawText(d->caption, tr, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
    }
}

} // namespace fw
