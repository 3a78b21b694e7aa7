#pragma once
// The pictures of the button kinds and of the popup-menu arrow. They are drawn
// in code so the program carries no binary resources for them.
#include "framework/Types.h"

#include <QString>

namespace fw {
class TBitmap;
}

// Colour around the symbols; DrawLbGlyph makes it see-through because it is
// the lower-left pixel of every image.
constexpr fw::TColor LbGlyphBackground = 0x008080;   // olive

// Fills `target` with the named picture: "LBOK", "LBCANCEL", "LBHELP",
// "LBYES", "LBNO", "LBCLOSE", "LBABORT", "LBRETRY", "LBIGNORE" (each 36 x 18:
// a normal and a disabled image side by side), "LBALL" (36 x 19) and
// "LBARROW" (5 x 3). False, and `target` empty, for any other name.
bool LoadLbGlyph(const QString& name, fw::TBitmap& target);
