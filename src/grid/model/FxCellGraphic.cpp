#include "grid/model/FxCellGraphic.h"

#include "framework/Graphics.h"
#include "framework/StringList.h"
#include "framework/SysUtils.h"
#include "grid/foundation/FxObj.h"

#include <algorithm>
#include <type_traits>

namespace {

template <typename T, typename V>
T held(const V& v)
{
    const T* p = std::get_if<T>(&v);
    return p ? *p : T{};
}

} // namespace

bool IsTextBoundCheckBox(TCellType t)
{
    return t == ctDataCheckBox || t == ctVirtCheckBox;
}

bool IsCheckBoxType(TCellType t)
{
    return t == ctCheckBox || t == ctDataCheckBox || t == ctVirtCheckBox || t == ctRowCheckBox ||
           t == ctTriStateCheckBox;
}

bool TCellGraphic::OwnsReference() const
{
    switch (FCellType) {
    case ctBitmap: case ctRadio: case ctPicture: case ctFilePicture: case ctBitButton:
        return FCellCreated;
    case ctImages: case ctBalloon:
        return true;
    case ctCheckBox: case ctDataCheckBox: case ctRadioButton:
        // A balloon attached to the box (CellAngle 1) owns its texts.
        return FCellAngle == 1;
    default:
        return false;
    }
}

TCellGraphic::~TCellGraphic()
{
    if (OwnsReference()) {
        std::visit(
            [](auto p) {
                using P = decltype(p);
                if constexpr (std::is_pointer_v<P> && !std::is_same_v<P, QObject*>)
                    delete p;
            },
            FRef);
    }
    if (FCellType == ctIcon && FCellCreated)
        delete held<fw::TIcon*>(FIcon);
}

void TCellGraphic::Assign(const TCellGraphic& source)
{
    FCellType = source.FCellType;
    FCellVAlign = source.FCellVAlign;
    FCellHAlign = source.FCellHAlign;
    FCellIndex = source.FCellIndex;
    FCellTransparent = source.FCellTransparent;
    FCellValue = source.FCellValue;
    FCellAngle = source.FCellAngle;
    FCellBoolean = source.FCellBoolean;
    FCellErrFrom = source.FCellErrFrom;
    FCellErrLen = source.FCellErrLen;
    FCellText = source.FCellText;
    FCellCreated = source.FCellCreated;
}

fw::TBitmap* TCellGraphic::CellBitmap() const { return held<fw::TBitmap*>(FRef); }
fw::TPicture* TCellGraphic::CellPicture() const { return held<fw::TPicture*>(FRef); }
TFilePicture* TCellGraphic::CellFilePicture() const { return held<TFilePicture*>(FRef); }
TIntList* TCellGraphic::CellImages() const { return held<TIntList*>(FRef); }
fw::TStringList* TCellGraphic::CellStrings() const { return held<fw::TStringList*>(FRef); }
QObject* TCellGraphic::CellInterface() const { return held<QObject*>(FRef); }
fw::TIcon* TCellGraphic::CellIcon() const { return held<fw::TIcon*>(FIcon); }

fw::TColor TCellGraphic::CellColor() const
{
    const fw::TColor* c = std::get_if<fw::TColor>(&FRef);
    return c ? *c : fw::clNone;
}

fw::TColor TCellGraphic::CellIconColor() const
{
    const fw::TColor* c = std::get_if<fw::TColor>(&FIcon);
    return c ? *c : fw::clNone;
}

void TCellGraphic::FreeStrings()
{
    delete CellStrings();
    if (std::holds_alternative<fw::TStringList*>(FRef))
        FRef = std::monostate{};
}

void TCellGraphic::SetBitmap(fw::TBitmap* ABmp, bool Transparent, TCellHAlign hal, TCellVAlign val)
{
    FCellType = ctBitmap;
    FRef = ABmp;
    FCellTransparent = Transparent;
    FCellHAlign = hal;
    FCellVAlign = val;
}

void TCellGraphic::SetIcon(fw::TIcon* aicon, TCellHAlign hal, TCellVAlign val)
{
    FCellType = ctIcon;
    FIcon = aicon;
    FCellHAlign = hal;
    FCellVAlign = val;
}

void TCellGraphic::SetPicture(fw::TPicture* APicture, bool Transparent, TStretchMode StretchMode, int padding,
                              TCellHAlign hal, TCellVAlign val)
{
    FCellType = ctPicture;
    FRef = APicture;
    FCellTransparent = Transparent;
    FCellAngle = int(StretchMode);
    FCellIndex = padding;
    FCellHAlign = hal;
    FCellVAlign = val;
}

void TCellGraphic::SetFilePicture(TFilePicture* APicture, bool Transparent, TStretchMode StretchMode, int padding,
                                  TCellHAlign hal, TCellVAlign val)
{
    FCellType = ctFilePicture;
    FRef = APicture;
    FCellTransparent = Transparent;
    FCellAngle = int(StretchMode);
    FCellIndex = padding;
    FCellHAlign = hal;
    FCellVAlign = val;
}

void TCellGraphic::SetImageIdx(int idx, TCellHAlign hal, TCellVAlign val)
{
    FCellType = ctImageList;
    FCellIndex = idx;
    FCellHAlign = hal;
    FCellVAlign = val;
}

void TCellGraphic::SetDataImage(int idx, TCellHAlign hal, TCellVAlign val)
{
    FCellType = ctDataImage;
    FCellIndex = idx;
    FCellHAlign = hal;
    FCellVAlign = val;
}

void TCellGraphic::SetMultiImage(int Col, int Row, int dir, TCellHAlign hal, TCellVAlign val,
                                 std::function<void(TIntList*, int, int)> Notifier)
{
    FCellType = ctImages;
    FCellHAlign = hal;
    FCellVAlign = val;
    FCellBoolean = dir == 0;
    auto* list = new TIntList(Col, Row);
    list->OnChange = std::move(Notifier);
    FRef = list;
    FCellCreated = true;
}

void TCellGraphic::SetCheckBox(bool Value, bool Data, bool Flat, TCellHAlign hal, TCellVAlign val)
{
    FCellType = Data ? ctDataCheckBox : ctCheckBox;
    FCellAngle = 0;
    FCellBoolean = Value;
    FCellTransparent = Flat;
    FCellHAlign = hal;
    FCellVAlign = val;
}

void TCellGraphic::SetCheckBox(TCheckBoxState Value, bool Flat, TCellHAlign hal, TCellVAlign val)
{
    FCellType = ctTriStateCheckBox;
    FCellCheckBoxState = Value;
    FCellBoolean = false;
    FCellTransparent = Flat;
    FCellHAlign = hal;
    FCellVAlign = val;
}

void TCellGraphic::SetRadioButton(bool Value, bool Flat, TCellHAlign hal, TCellVAlign val)
{
    FCellType = ctRadioButton;
    FCellAngle = 0;
    FCellBoolean = Value;
    FCellTransparent = Flat;
    FCellHAlign = hal;
    FCellVAlign = val;
}

void TCellGraphic::SetButton(int bw, int bh, const QString& caption, TCellHAlign hal, TCellVAlign val)
{
    FCellType = ctButton;
    // Height in the high, width in the low 16 bits.
    FCellIndex = int(unsigned(bh) << 16 | (unsigned(bw) & 0xFFFFu));
    FCellBoolean = false;
    FCellText = caption;
    FCellHAlign = hal;
    FCellVAlign = val;
}

void TCellGraphic::SetBitButton(int bw, int bh, const QString& caption, fw::TBitmap* Glyph, TCellHAlign hal,
                                TCellVAlign val)
{
    SetButton(bw, bh, caption, hal, val);
    FCellType = ctBitButton;
    FRef = Glyph;
}

void TCellGraphic::SetInterfacedCell(QObject* AObject)
{
    FCellType = ctInterface;
    FRef = AObject;
}

void TCellGraphic::SetAngle(int AAngle)
{
    FCellType = ctRotated;
    while (AAngle < 0)
        AAngle += 360;
    while (AAngle > 360)
        AAngle -= 360;
    FCellAngle = AAngle;
}

void TCellGraphic::GetPictureSize(int cw, int rh, bool, fw::TPoint& size) const
{
    int w = 0, h = 0;
    if (FCellType == ctPicture) {
        const fw::TPicture* p = CellPicture();
        w = p ? p->Width() : 0;
        h = p ? p->Height() : 0;
    } else if (FCellType == ctFilePicture) {
        const TFilePicture* p = CellFilePicture();
        w = p ? p->Width() : 0;
        h = p ? p->Height() : 0;
    } else {
        return;
    }
    const int aw = cw - FCellIndex, ah = rh - FCellIndex;
    const auto scaled = [&](bool cut) {
        double fx = w > 0 ? double(aw) / w : 1;
        double fy = h > 0 ? double(ah) / h : 1;
        if (cut) {
            fx = std::min(fx, 1.0);
            fy = std::min(fy, 1.0);
        }
        if (fx >= fy)
            size = fw::TPoint(int(fw::RoundHalfEven(w * fy)), ah);
        else
            size = fw::TPoint(aw, int(fw::RoundHalfEven(h * fx)));
    };
    const bool fits = w <= aw && h <= ah;
    switch (TStretchMode(FCellAngle)) {
    case Stretch: size = fw::TPoint(aw, ah); break;
    case StretchWithAspectRatio: scaled(false); break;
    case Shrink: size = fits ? fw::TPoint(w, h) : fw::TPoint(aw, ah); break;
    case ShrinkWithAspectRatio:
        if (fits)
            size = fw::TPoint(w, h);
        else
            scaled(true);
        break;
    default: size = fw::TPoint(w, h); break;
    }
}
