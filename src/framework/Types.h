#pragma once
// Basic value types of the platform layer: colours as BGR integers and
// rectangles with exclusive right/bottom edges, as the desktop's GDI uses them.
#include <cstdint>
#include <initializer_list>

namespace fw {

// $00BBGGRR for an RGB colour, $FF0000nn for system colour nn.
using TColor = std::uint32_t;

constexpr TColor clNone = 0x1FFFFFFF;   // "no colour" in the button and grid controls
constexpr TColor clDefault = 0x20000000;

constexpr TColor RGBToColor(int r, int g, int b)
{
    return TColor(r & 0xFF) | (TColor(g & 0xFF) << 8) | (TColor(b & 0xFF) << 16);
}
constexpr int GetRValue(TColor c) { return int(c & 0xFF); }
constexpr int GetGValue(TColor c) { return int((c >> 8) & 0xFF); }
constexpr int GetBValue(TColor c) { return int((c >> 16) & 0xFF); }

// Plain colours.
constexpr TColor clBlack = 0x000000, clMaroon = 0x000080, clGreen = 0x008000, clOlive = 0x008080,
                 clNavy = 0x800000, clPurple = 0x800080, clTeal = 0x808000, clGray = 0x808080,
                 clSilver = 0xC0C0C0, clRed = 0x0000FF, clLime = 0x00FF00, clYellow = 0x00FFFF,
                 clBlue = 0xFF0000, clFuchsia = 0xFF00FF, clAqua = 0xFFFF00, clWhite = 0xFFFFFF,
                 clMoneyGreen = 0xC0DCC0, clSkyBlue = 0xF0CAA6, clCream = 0xF0FBFF, clMedGray = 0xA4A0A0;

// System colours: $FF000000 + the system colour index.
constexpr TColor clSystemColor = 0xFF000000;
constexpr TColor clScrollBar = 0xFF000000, clBackground = 0xFF000001, clActiveCaption = 0xFF000002,
                 clInactiveCaption = 0xFF000003, clMenu = 0xFF000004, clWindow = 0xFF000005,
                 clWindowFrame = 0xFF000006, clMenuText = 0xFF000007, clWindowText = 0xFF000008,
                 clCaptionText = 0xFF000009, clActiveBorder = 0xFF00000A, clInactiveBorder = 0xFF00000B,
                 clAppWorkSpace = 0xFF00000C, clHighlight = 0xFF00000D, clHighlightText = 0xFF00000E,
                 clBtnFace = 0xFF00000F, clBtnShadow = 0xFF000010, clGrayText = 0xFF000011,
                 clBtnText = 0xFF000012, clInactiveCaptionText = 0xFF000013, clBtnHighlight = 0xFF000014,
                 cl3DDkShadow = 0xFF000015, cl3DLight = 0xFF000016, clInfoText = 0xFF000017,
                 clInfoBk = 0xFF000018, clHotLight = 0xFF00001A, clGradientActiveCaption = 0xFF00001B,
                 clGradientInactiveCaption = 0xFF00001C, clMenuHighlight = 0xFF00001D, clMenuBar = 0xFF00001E;

struct TPoint {
    int X = 0;
    int Y = 0;
    constexpr TPoint() = default;
    constexpr TPoint(int x, int y) : X(x), Y(y) {}
    friend constexpr bool operator==(const TPoint&, const TPoint&) = default;
};

// Right and Bottom are exclusive: the rectangle (0,0,10,10) covers 10 x 10 pixels.
struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    constexpr TRect() = default;
    constexpr TRect(int l, int t, int r, int b) : Left(l), Top(t), Right(r), Bottom(b) {}
    constexpr int Width() const { return Right - Left; }
    constexpr int Height() const { return Bottom - Top; }
    constexpr bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    constexpr bool Contains(const TPoint& p) const
    {
        return p.X >= Left && p.X < Right && p.Y >= Top && p.Y < Bottom;
    }
    // Grown by dx on the left and right and dy on the top and bottom
    // (negative values shrink it).
    constexpr TRect Inflated(int dx, int dy) const { return TRect(Left - dx, Top - dy, Right + dx, Bottom + dy); }
    // Moved by dx to the right and dy down.
    constexpr TRect Offset(int dx, int dy) const { return TRect(Left + dx, Top + dy, Right + dx, Bottom + dy); }
    friend constexpr bool operator==(const TRect&, const TRect&) = default;
};

struct TSize {
    int cx = 0;
    int cy = 0;
    constexpr TSize() = default;
    constexpr TSize(int w, int h) : cx(w), cy(h) {}
    friend constexpr bool operator==(const TSize&, const TSize&) = default;
};

// Horizontal alignment of text in controls and cells.
enum TAlignment { taLeftJustify, taRightJustify, taCenter };

// A set over an enumeration, one bit per ordinal, as the controls combine and
// test their style and option sets. Only the first Count ordinals exist.
template <typename E, unsigned Count = 32>
class TSet {
    static_assert(Count >= 1 && Count <= 32, "a set holds 1 to 32 values");

public:
    constexpr TSet() = default;
    constexpr TSet(std::initializer_list<E> values)
    {
        for (E v : values)
            bits_ |= bit(v);
    }
    static constexpr TSet FromBits(std::uint32_t bits)
    {
        TSet s;
        s.bits_ = bits & Mask;
        return s;
    }
    constexpr std::uint32_t Bits() const { return bits_; }
    constexpr bool Contains(E v) const { return (bits_ & bit(v)) != 0; }
    constexpr bool Empty() const { return bits_ == 0; }
    constexpr TSet& Include(E v) { bits_ |= bit(v); return *this; }
    constexpr TSet& Exclude(E v) { bits_ &= ~bit(v); return *this; }
    friend constexpr TSet operator+(TSet a, TSet b) { return FromBits(a.bits_ | b.bits_); }
    friend constexpr TSet operator-(TSet a, TSet b) { return FromBits(a.bits_ & ~b.bits_); }
    friend constexpr TSet operator*(TSet a, TSet b) { return FromBits(a.bits_ & b.bits_); }
    friend constexpr bool operator==(TSet, TSet) = default;

private:
    static constexpr std::uint32_t Mask = Count == 32 ? ~std::uint32_t(0) : (std::uint32_t(1) << Count) - 1;
    static constexpr std::uint32_t bit(E v) { return std::uint32_t(1) << unsigned(v); }
    std::uint32_t bits_ = 0;
};

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = TSet<TFontStyle, 4>;

constexpr TRect Rect(int l, int t, int r, int b) { return TRect(l, t, r, b); }
constexpr TRect Bounds(int l, int t, int w, int h) { return TRect(l, t, l + w, t + h); }
constexpr TPoint Point(int x, int y) { return TPoint(x, y); }

} // namespace fw
