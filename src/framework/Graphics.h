#pragma once
// Drawing tools (font, pen, brush) and the graphic classes (bitmap, PNG, icon,
// picture, image list) the controls paint with. Pixels live in QImage; the
// tools are plain values that a TCanvas applies when it draws.
#include "framework/Types.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <memory>

class QFont;
class QImage;

namespace fw {

class TCanvas;

// ---------------------------------------------------------------- font

enum TFontPitch { fpDefault, fpVariable, fpFixed };

// Desktop font names map to fonts that exist here, so layouts do not depend on
// what happens to be installed. The two faces the windows are laid out for
// map to faces with the same character widths: "Tahoma" to the
// Tahoma-compatible face of Debian's fonts-wine, "Verdana" to DejaVu Sans
// (drawn after Verdana's widths; Debian has no closer face); a real Tahoma or
// Verdana, when installed, is taken as it is. Other desktop names map to the
// DejaVu families ("Arial", "Segoe UI" -> DejaVu Sans).
QString MapFontFamily(const QString& name);

// Registers the stand-in faces with the program and makes a widget font that
// names a desktop face ("Verdana", "Tahoma") draw with its stand-in. Needs the
// application object; runs once (the application's constructor calls it, and
// so does the first mapping of a font name). Where the fonts-wine face is
// missing, "Tahoma" falls back to DejaVu Sans.
void InstallFontFaces();

// Logical resolution of every canvas: sizes in points convert at 96 dpi.
constexpr int ScreenPixelsPerInch = 96;

struct TFont {
    QString Name = QStringLiteral("Tahoma");
    int Size = 8;                 // points; see Height()
    TFontStyles Style;
    TColor Color = clWindowText;
    int Escapement = 0;           // tenths of a degree, counter-clockwise
    int Orientation = 0;
    TFontPitch Pitch = fpDefault;
    int Charset = 1;              // kept for stored settings; drawing ignores it

    // Height in pixels: negative = character height, as the desktop reports it.
    int Height() const;
    // A negative height sets the character height; a positive one the cell height.
    void SetHeight(int height);

    void Assign(const TFont& other) { *this = other; }

    // Qt font for drawing: mapped family, pixel size, no antialiasing.
    QFont ToQFont() const;

    friend bool operator==(const TFont&, const TFont&) = default;
};

// ---------------------------------------------------------------- pen and brush

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
enum TPenMode {
    pmBlack, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmMergePenNot, pmMaskPenNot,
    pmMergeNotPen, pmMaskNotPen, pmMerge, pmNotMerge, pmMask, pmNotMask, pmXor, pmNotXor
};

struct TPen {
    TColor Color = clBlack;
    int Width = 1;
    TPenStyle Style = psSolid;
    TPenMode Mode = pmCopy;
    void Assign(const TPen& other) { *this = other; }
    friend bool operator==(const TPen&, const TPen&) = default;
};

enum TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };

struct TBrush {
    TColor Color = clWhite;
    TBrushStyle Style = bsSolid;
    void Assign(const TBrush& other) { *this = other; }
    friend bool operator==(const TBrush&, const TBrush&) = default;
};

// ---------------------------------------------------------------- graphics

// Base of everything a canvas can Draw/StretchDraw and a picture can hold.
// Loading never throws: a broken or unknown file gives false and leaves the
// graphic empty.
class TGraphic {
public:
    virtual ~TGraphic();

    virtual int Width() const = 0;
    virtual int Height() const = 0;
    virtual bool Empty() const { return Width() <= 0 || Height() <= 0; }
    virtual bool Transparent() const { return transparent_; }
    virtual void SetTransparent(bool value) { transparent_ = value; }

    // Draws the graphic scaled into `dest` (nearest-neighbour, no smoothing).
    virtual void Draw(TCanvas& canvas, const TRect& dest) const = 0;

    virtual bool LoadFromStream(const QByteArray& bytes) = 0;
    // False when the graphic cannot be written in its own format.
    virtual bool SaveToStream(QByteArray& bytes) const;
    bool LoadFromFile(const QString& path);
    bool SaveToFile(const QString& path) const;

    // Pixels of the graphic (ARGB32 premultiplied); null image when empty.
    virtual QImage ToImage() const = 0;
    virtual std::unique_ptr<TGraphic> Clone() const = 0;

protected:
    TGraphic() = default;
    TGraphic(const TGraphic&) = default;
    TGraphic& operator=(const TGraphic&) = default;

private:
    bool transparent_ = false;
};

enum TTransparentMode { tmAuto, tmFixed };

// How a bitmap stores its pixels: pfDevice as the screen does (what every
// bitmap starts with), pf24bit as blue, green, red bytes, pf32bit as blue,
// green, red, alpha bytes with the colours premultiplied by alpha.
enum TPixelFormat { pfDevice, pf24bit, pf32bit };

// An off-screen picture with a canvas. Transparent drawing leaves out the pixels
// of TransparentColor; in tmAuto mode that colour is the lower-left pixel.
class TBitmap : public TGraphic {
public:
    TBitmap();
    TBitmap(int width, int height);
    ~TBitmap() override;
    TBitmap(const TBitmap&) = delete;
    TBitmap& operator=(const TBitmap&) = delete;

    int Width() const override;
    int Height() const override;
    void SetWidth(int width);
    void SetHeight(int height);
    // Keeps the pixels of the overlapping area; new pixels are white.
    void SetSize(int width, int height);

    // Canvas over the bitmap's pixels; stays valid for the bitmap's life.
    TCanvas& Canvas();

    TPixelFormat PixelFormat() const;
    // Converts the pixels; a 32-bit bitmap made from another format is opaque.
    void SetPixelFormat(TPixelFormat format);
    // Bytes of row y (0 .. Height - 1) in the pixel format's layout, for
    // routines that work on raw pixels; drawing through Canvas may go on after.
    std::uint8_t* ScanLine(int y);
    const std::uint8_t* ScanLine(int y) const;

    TColor TransparentColor() const;
    void SetTransparentColor(TColor color);   // switches to tmFixed
    TTransparentMode TransparentMode() const;
    void SetTransparentMode(TTransparentMode mode);

    void Assign(const TBitmap& other);
    void Assign(const TGraphic& other);
    void SetImage(const QImage& image);
    void Clear();   // empty bitmap (0 x 0)

    void Draw(TCanvas& canvas, const TRect& dest) const override;
    bool LoadFromStream(const QByteArray& bytes) override;
    bool SaveToStream(QByteArray& bytes) const override;   // BMP
    QImage ToImage() const override;
    std::unique_ptr<TGraphic> Clone() const override;

    // Pixels with the transparent colour made see-through, as drawn when Transparent.
    QImage MaskedImage() const;

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

// Picture formats with alpha that are loaded and drawn as they are.
class TImageGraphic : public TGraphic {
public:
    ~TImageGraphic() override;
    int Width() const override;
    int Height() const override;
    void Draw(TCanvas& canvas, const TRect& dest) const override;
    bool LoadFromStream(const QByteArray& bytes) override;
    bool SaveToStream(QByteArray& bytes) const override;
    QImage ToImage() const override;
    void SetImage(const QImage& image);

protected:
    explicit TImageGraphic(const char* format);
    TImageGraphic(const TImageGraphic& other);

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

class TPngImage : public TImageGraphic {
public:
    TPngImage();
    std::unique_ptr<TGraphic> Clone() const override;
};

class TIcon : public TImageGraphic {
public:
    TIcon();
    std::unique_ptr<TGraphic> Clone() const override;
};

// Holds one graphic of whatever kind a file or memory block contains
// (PNG, BMP, ICO, JPEG), recognised by its content.
class TPicture {
public:
    TPicture();
    ~TPicture();
    TPicture(const TPicture&) = delete;
    TPicture& operator=(const TPicture&) = delete;

    bool LoadFromFile(const QString& path);
    bool LoadFromStream(const QByteArray& bytes);
    bool SaveToFile(const QString& path) const;

    TGraphic* Graphic() const;
    void SetGraphic(std::unique_ptr<TGraphic> graphic);
    void Assign(const TPicture& other);
    void Clear();

    int Width() const;
    int Height() const;
    bool Empty() const;

private:
    std::unique_ptr<TGraphic> graphic_;
};

// A row of equally sized images, drawn by index.
class TImageList {
public:
    TImageList(int width = 16, int height = 16);
    ~TImageList();
    TImageList(const TImageList&) = delete;
    TImageList& operator=(const TImageList&) = delete;

    int Width() const;
    int Height() const;
    // Changing the size removes every image.
    void SetSize(int width, int height);
    int Count() const;

    // Adds an image (cut or padded to the list's size); gives its index.
    int Add(const TBitmap& image);
    // Cuts a strip into Width-wide images; pixels of maskColor become
    // transparent. Gives the index of the first added image, -1 if none.
    int AddMasked(const TBitmap& strip, TColor maskColor);
    void Delete(int index);
    void Clear();

    // Out-of-range indices draw nothing. Disabled images are drawn greyed.
    void Draw(TCanvas& canvas, int x, int y, int index, bool enabled = true) const;
    bool GetBitmap(int index, TBitmap& target) const;

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

// Creates the graphic for the content of `bytes` (by its signature); null when
// the content is no known picture format.
std::unique_ptr<TGraphic> CreateGraphicFor(const QByteArray& bytes);

} // namespace fw
