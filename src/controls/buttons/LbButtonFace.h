#pragma once
// Painting of the styled push button's face: background, border, caption and
// glyph for every face style and state, drawn onto any canvas (the button
// draws into an off-screen bitmap and copies it once, so it never flickers).
#include "controls/buttons/LbButtons.h"
#include "framework/Graphics.h"
#include "framework/Types.h"

#include <QString>

namespace fw {
class TCanvas;
}

// Background of a bsShape face, and of the button's off-screen bitmap for
// the other see-through styles; the button leaves it out when copying.
constexpr fw::TColor LbSeeThroughColor = 0xFF00FF;

// Number of hot-track steps: step 8 shows the full hot-track colour.
constexpr int LbHotTrackSteps = 8;

// Everything the face depends on. The caption is a copy: shortening it to fit
// never changes the button's own caption.
struct TLbFace {
    int Width = 0;
    int Height = 0;
    int HotTrackStep = 0;          // 0 .. LbHotTrackSteps
    int NumGlyphs = 0;
    const fw::TBitmap* Glyph = nullptr;   // strip of NumGlyphs images; null = none
    bool Pressed = false;
    bool Hot = false;              // pointer inside or focused
    bool Transparent = false;      // leave the background (all but bsShape)
    bool Enabled = true;
    bool Flat = false;
    bool WordWrap = false;
    bool HasPopupMenu = false;
    TLbButtonStyle Style = bsNormal;
    fw::TColor Color = fw::clBtnFace;
    fw::TColor ColorWhenDown = fw::clNone;
    fw::TColor HotTrackColor = fw::clNone;
    fw::TColor LightColor = fw::clWhite;
    fw::TColor ShadowColor = fw::clGray;
    fw::TFont Font;
    TLbButtonLayout Layout = blGlyphLeft;
    QString Caption;
    fw::TAlignment Alignment = fw::taCenter;
};

void DrawLbButtonFace(fw::TCanvas& canvas, const TLbFace& face);

// Vertical gradient in 32 bands from `startColor` at the top to `endColor`.
void DrawLbGradient(fw::TCanvas& canvas, fw::TColor startColor, fw::TColor endColor, int left, int top,
                    int right, int bottom);

// Face colour at hot-track `step`: `color` at 0, `hotTrackColor` at 8, each
// channel truncated in between.
fw::TColor BlendLbHotTrackColor(fw::TColor color, fw::TColor hotTrackColor, int step);

// Draws the image at (sourceX, sourceY) of size width x height of `strip` at
// (x, y), its lower-left pixel's colour left out. A source beyond the strip
// shows the first image.
void DrawLbGlyph(fw::TCanvas& canvas, const fw::TBitmap& strip, int x, int y, int sourceX, int sourceY, int width,
                 int height);
