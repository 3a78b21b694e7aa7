#pragma once
// System colours ($FF0000nn) resolve through one fixed table, so drawing looks
// the same on every desktop and pixel tests stay stable.
#include "framework/Types.h"

class QColor;
class QRect;

namespace fw {

// Number of entries of the system colour table (indices 0 .. 30).
constexpr int SysColorCount = 31;

// The RGB value of system colour `index`; 0 (black) for an index outside the table.
TColor GetSysColor(int index);

// A system colour becomes its table value; every other value is returned
// unchanged (clNone and clDefault included, so callers can still test them).
TColor ColorToRGB(TColor color);

// Qt colour of a TColor, resolved through ColorToRGB; the high byte is ignored.
QColor ToQColor(TColor color);

// TColor of a Qt colour (alpha dropped).
TColor FromQColor(const QColor& color);

// Qt rectangle of a TRect and back; both keep origin and size (TRect's
// right and bottom are exclusive, QRect's inclusive).
QRect ToQRect(const TRect& r);
TRect FromQRect(const QRect& r);

} // namespace fw
