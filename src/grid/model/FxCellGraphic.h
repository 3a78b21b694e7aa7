#pragma once
// The one graphic a feature-grid cell may carry in its properties: what the
// cell shows besides its text (bitmap, picture, check box, radio group,
// button, progress bar, comment ...) and the values of that kind.
#include "framework/Types.h"
#include "grid/foundation/BaseGrid.h"
#include "grid/foundation/FxTypes.h"

#include <QString>
#include <QVariant>

#include <functional>

#include <variant>

namespace fw {
class TBitmap;
class TIcon;
class TPicture;
class TStringList;
}
class TFilePicture;
class TIntList;

// Never reorder: ordinals are part of stored files.
enum TCellType {
    ctBitmap, ctIcon, ctNone, ctImageList, ctCheckBox, ctDataCheckBox, ctRotated, ctDataImage, ctNode, ctRadio,
    ctEmpty, ctImages, ctPicture, ctFilePicture, ctValue, ctProgress, ctComment, ctButton, ctBitButton,
    ctVirtCheckBox, ctRowCheckBox, ctProgressPie, ctSummary, ctRangeIndicator, ctXPProgress, ctInterface,
    ctScrollbar, ctRadioButton, ctBalloon, ctShape, ctRating, ctTriStateCheckBox, ctExpand
};
enum TCellVAlign { vaTop, vaBottom, vaCenter, vaUnderText, vaAboveText, vaFull };
enum TCellHAlign { haLeft, haRight, haCenter, haBeforeText, haAfterText, haFull };
enum TStretchMode { noStretch, Stretch, StretchWithAspectRatio, Shrink, ShrinkWithAspectRatio };

// The check-box kinds whose state lives in the cell text or row selection.
bool IsTextBoundCheckBox(TCellType t);   // ctDataCheckBox, ctVirtCheckBox
bool IsCheckBoxType(TCellType t);        // every check-box kind

class TCellGraphic : public TCellGraphicObject {
public:
    TCellGraphic() = default;
    ~TCellGraphic() override;   // frees what the graphic owns, by kind
    TCellGraphic(const TCellGraphic&) = delete;
    TCellGraphic& operator=(const TCellGraphic&) = delete;
    QString ClassName() const override { return QStringLiteral("TCellGraphic"); }

    // Copies the kind and the plain values, not the references, the variant
    // or the three-state check state.
    void Assign(const TCellGraphic& source);

    TCellType CellType() const { return FCellType; }
    void SetCellType(TCellType value) { FCellType = value; }
    TCellVAlign CellVAlign() const { return FCellVAlign; }
    void SetCellVAlign(TCellVAlign value) { FCellVAlign = value; }
    TCellHAlign CellHAlign() const { return FCellHAlign; }
    void SetCellHAlign(TCellHAlign value) { FCellHAlign = value; }
    int CellIndex() const { return FCellIndex; }
    void SetCellIndex(int value) { FCellIndex = value; }
    bool CellTransparent() const { return FCellTransparent; }
    void SetCellTransparent(bool value) { FCellTransparent = value; }
    // The graphic owns the object it references and frees it.
    bool CellCreated() const { return FCellCreated; }
    void SetCellCreated(bool value) { FCellCreated = value; }
    bool CellBoolean() const { return FCellBoolean; }
    void SetCellBoolean(bool value) { FCellBoolean = value; }
    int CellAngle() const { return FCellAngle; }
    void SetCellAngle(int value) { FCellAngle = value; }
    double CellValue() const { return FCellValue; }
    void SetCellValue(double value) { FCellValue = value; }
    int CellErrFrom() const { return FCellErrFrom; }
    void SetCellErrFrom(int value) { FCellErrFrom = value; }
    int CellErrLen() const { return FCellErrLen; }
    void SetCellErrLen(int value) { FCellErrLen = value; }
    QString CellText() const { return FCellText; }
    void SetCellText(const QString& value) { FCellText = value; }
    QVariant CellVar() const { return FCellVar; }
    void SetCellVar(const QVariant& value) { FCellVar = value; }
    TCheckBoxState CellCheckBoxState() const { return FCellCheckBoxState; }
    void SetCellCheckBoxState(TCheckBoxState value) { FCellCheckBoxState = value; }

    // The reference field, which by kind holds a bitmap (bitmaps, bit
    // buttons' glyphs), a picture, a file picture, the image-index list, the
    // item list (radio groups, balloon texts), an interfaced object, or a
    // colour kept in its place (progress, ranges, shapes, ratings). Each
    // reader answers null (or clNone) when the field holds something else.
    fw::TBitmap* CellBitmap() const;
    void SetCellBitmap(fw::TBitmap* value) { FRef = value; }
    fw::TPicture* CellPicture() const;
    void SetCellPicture(fw::TPicture* value) { FRef = value; }
    TFilePicture* CellFilePicture() const;
    void SetCellFilePicture(TFilePicture* value) { FRef = value; }
    TIntList* CellImages() const;
    void SetCellImages(TIntList* value) { FRef = value; }
    fw::TStringList* CellStrings() const;
    void SetCellStrings(fw::TStringList* value) { FRef = value; }
    QObject* CellInterface() const;
    void SetCellInterface(QObject* value) { FRef = value; }
    fw::TColor CellColor() const;
    void SetCellColor(fw::TColor value) { FRef = value; }
    bool HasReference() const { return FRef.index() != 0; }
    // Frees an item list kept in the reference field (a balloon's texts on a
    // check box) and empties the field.
    void FreeStrings();

    // The icon field: an icon, or a second colour.
    fw::TIcon* CellIcon() const;
    void SetCellIcon(fw::TIcon* value) { FIcon = value; }
    fw::TColor CellIconColor() const;
    void SetCellIconColor(fw::TColor value) { FIcon = value; }

    // Setters of a kind: each sets CellType and the values named, leaving
    // every other value (CellCreated among them) as it is.
    void SetBitmap(fw::TBitmap* ABmp, bool Transparent, TCellHAlign hal, TCellVAlign val);
    void SetIcon(fw::TIcon* aicon, TCellHAlign hal, TCellVAlign val);
    void SetPicture(fw::TPicture* APicture, bool Transparent, TStretchMode StretchMode, int padding,
                    TCellHAlign hal, TCellVAlign val);
    void SetFilePicture(TFilePicture* APicture, bool Transparent, TStretchMode StretchMode, int padding,
                        TCellHAlign hal, TCellVAlign val);
    void SetImageIdx(int idx, TCellHAlign hal, TCellVAlign val);
    void SetDataImage(int idx, TCellHAlign hal, TCellVAlign val);
    // The new list is bound to (Col, Row), owned, and reports changes to notifier.
    void SetMultiImage(int Col, int Row, int dir, TCellHAlign hal, TCellVAlign val,
                       std::function<void(TIntList*, int, int)> Notifier);
    void SetCheckBox(bool Value, bool Data, bool Flat, TCellHAlign hal, TCellVAlign val);
    void SetCheckBox(TCheckBoxState Value, bool Flat, TCellHAlign hal, TCellVAlign val);
    void SetRadioButton(bool Value, bool Flat, TCellHAlign hal, TCellVAlign val);
    void SetButton(int bw, int bh, const QString& caption, TCellHAlign hal, TCellVAlign val);
    void SetBitButton(int bw, int bh, const QString& caption, fw::TBitmap* Glyph, TCellHAlign hal, TCellVAlign val);
    void SetInterfacedCell(QObject* AObject);
    // Rotation brought into 0 .. 360 (360 stays 360).
    void SetAngle(int AAngle);

    // Size of a picture or file picture drawn into a cell of cw x rh by the
    // stretch mode in CellAngle and the padding in CellIndex (halves round
    // to even); `size` is left as it is for the other kinds.
    void GetPictureSize(int cw, int rh, bool hastext, fw::TPoint& size) const;

private:
    bool OwnsReference() const;

    TCellType FCellType = ctNone;
    std::variant<std::monostate, fw::TBitmap*, fw::TPicture*, TFilePicture*, TIntList*, fw::TStringList*, QObject*,
                 fw::TColor>
        FRef;
    std::variant<std::monostate, fw::TIcon*, fw::TColor> FIcon;
    TCellVAlign FCellVAlign = vaTop;
    TCellHAlign FCellHAlign = haLeft;
    int FCellIndex = 0;
    bool FCellTransparent = false;
    bool FCellCreated = false;
    bool FCellBoolean = false;
    int FCellAngle = 0;
    double FCellValue = 0;
    int FCellErrFrom = 0;
    int FCellErrLen = 0;
    QString FCellText;
    QVariant FCellVar;
    TCheckBoxState FCellCheckBoxState = cbUnchecked;
};
