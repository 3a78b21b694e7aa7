#include "framework/SysColors.h"

#include <QColor>
#include <QRect>
#include <array>

namespace fw {

namespace {

// One fixed scheme (the light desktop scheme the controls were designed on).
constexpr std::array<TColor, SysColorCount> kSysColors = {
    RGBToColor(200, 200, 200), // 0  scroll bar
    RGBToColor(0, 0, 0),       // 1  background
    RGBToColor(153, 180, 209), // 2  active caption
    RGBToColor(191, 205, 219), // 3  inactive caption
    RGBToColor(240, 240, 240), // 4  menu
    RGBToColor(255, 255, 255), // 5  window
    RGBToColor(100, 100, 100), // 6  window frame
    RGBToColor(0, 0, 0),       // 7  menu text
    RGBToColor(0, 0, 0),       // 8  window text
    RGBToColor(0, 0, 0),       // 9  caption text
    RGBToColor(180, 180, 180), // 10 active border
    RGBToColor(244, 247, 252), // 11 inactive border
    RGBToColor(171, 171, 171), // 12 application work space
    RGBToColor(0, 120, 215),   // 13 highlight
    RGBToColor(255, 255, 255), // 14 highlight text
    RGBToColor(240, 240, 240), // 15 button face
    RGBToColor(160, 160, 160), // 16 button shadow
    RGBToColor(109, 109, 109), // 17 grey text
    RGBToColor(0, 0, 0),       // 18 button text
    RGBToColor(0, 0, 0),       // 19 inactive caption text
    RGBToColor(255, 255, 255), // 20 button highlight
    RGBToColor(105, 105, 105), // 21 3D dark shadow
    RGBToColor(227, 227, 227), // 22 3D light
    RGBToColor(0, 0, 0),       // 23 info text
    RGBToColor(255, 255, 225), // 24 info background
    RGBToColor(0, 0, 0),       // 25 (unused slot)
    RGBToColor(0, 102, 204),   // 26 hot light
    RGBToColor(185, 209, 234), // 27 gradient active caption
    RGBToColor(215, 228, 242), // 28 gradient inactive caption
    RGBToColor(51, 153, 255),  // 29 menu highlight
    RGBToColor(240, 240, 240), // 30 menu bar
};

} // namespace

TColor GetSysColor(int index)
{
    if (index < 0 || index >= SysColorCount)
        return 0;
    return kSysColors[std::size_t(index)];
}

TColor ColorToRGB(TColor color)
{
    if ((color & 0x80000000u) != 0)
        return GetSysColor(int(color & 0xFF));
    return color;
}

QColor ToQColor(TColor color)
{
    const TColor c = ColorToRGB(color);
    return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

TColor FromQColor(const QColor& color)
{
    return RGBToColor(color.red(), color.green(), color.blue());
}

QRect ToQRect(const TRect& r)
{
    return QRect(r.Left, r.Top, r.Width(), r.Height());
}

TRect FromQRect(const QRect& r)
{
    return Bounds(r.x(), r.y(), r.width(), r.height());
}

} // namespace fw
