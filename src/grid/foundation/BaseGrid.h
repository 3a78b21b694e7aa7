#pragma once
// The base grid: per-cell property objects kept in the cells' object slots,
// the Cells text path that resolves merged blocks to their base cell and
// passes read text through the display-text events, merged cells, the
// sixteen virtual operations the feature grid overrides, and the undo
// component that records cell text changes.
#include "framework/Graphics.h"
#include "framework/ObjStringGrid.h"
#include "framework/Types.h"
#include "grid/foundation/FxTypes.h"

#include <QPointer>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

class TBaseGrid;
class TFxGridUndoRedo;

// Base of the objects a cell may carry in its graphic slot. The feature
// grid's cell graphic answers ClassName() "TCellGraphic"; such a graphic is
// owned by the cell properties that hold it and freed with them. Any other
// graphic object belongs to whoever placed it.
class TCellGraphicObject {
public:
    virtual ~TCellGraphicObject();
    virtual QString ClassName() const;
    bool OwnedByCell() const { return ClassName() == QLatin1String("TCellGraphic"); }
};

// The look, editor, merge state and references of one cell. The grid owns
// every properties object it creates or is handed; see TBaseGrid.
class TCellProperties {
public:
    TCellProperties(TBaseGrid* owner, int col, int row);
    virtual ~TCellProperties();   // frees an owned cell graphic
    TCellProperties(const TCellProperties&) = delete;
    TCellProperties& operator=(const TCellProperties&) = delete;

    // Copies the look, editor, merge data, owner coordinates, object
    // reference and control; not BrushColorTo, GradientDirection, CalcType,
    // CalcObject or the graphic object. No repaint.
    void Assign(const TCellProperties& source);

    // Merge base of (c, r) as these properties describe it.
    fw::TPoint GetBaseCell(int c, int r) const;

    // The cell's own font settings laid over `font`: each one set here (a
    // colour, a style, a size other than 0, a name) wins, the rest stay.
    void OverrideFont(fw::TFont& font) const;

    TBaseGrid* OwnerGrid() const { return FOwnerGrid; }
    int OwnerCol() const { return FOwnerCol; }
    void SetOwnerCol(int value) { FOwnerCol = value; }
    int OwnerRow() const { return FOwnerRow; }
    void SetOwnerRow(int value) { FOwnerRow = value; }

    void* CellObject() const { return FObject; }
    void SetCellObject(void* value) { FObject = value; }
    TCellGraphicObject* GraphicObject() const { return FGraphicObject; }
    // Stores a graphic; an owned cell graphic held before (and not the same
    // object) is freed.
    void SetGraphicObject(TCellGraphicObject* value);
    // Hands the graphic to the caller without freeing it; the slot is emptied.
    TCellGraphicObject* TakeGraphicObject();

    fw::TBrushStyle BrushStyle() const { return FBrushStyle; }
    void SetBrushStyle(fw::TBrushStyle value) { FBrushStyle = value; }
    fw::TColor BrushColor() const { return FBrushColor; }
    void SetBrushColor(fw::TColor value);      // repaints the owner cell
    fw::TColor BrushColorTo() const { return FBrushColorTo; }
    void SetBrushColorTo(fw::TColor value);    // repaints the owner cell
    int FontSize() const { return FFontSize; }
    void SetFontSize(int value) { FFontSize = value; }
    fw::TColor FontColor() const { return FFontColor; }
    void SetFontColor(fw::TColor value) { FFontColor = value; }
    fw::TFontStyles FontStyle() const { return FFontStyle; }
    void SetFontStyle(fw::TFontStyles value) { FFontStyle = value; }
    int CellSpanY() const { return FCellSpanY; }
    void SetCellSpanY(int value) { FCellSpanY = value; }
    int CellSpanX() const { return FCellSpanX; }
    void SetCellSpanX(int value) { FCellSpanX = value; }
    int BorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(int value) { FBorderWidth = value; }
    fw::TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(fw::TColor value) { FBorderColor = value; }
    fw::TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(fw::TAlignment value) { FAlignment = value; }   // no repaint
    TVAlignment VAlignment() const { return FVAlignment; }
    void SetVAlignment(TVAlignment value);     // repaints the owner cell
    int PaintID() const { return FPaintID; }
    void SetPaintID(int value) { FPaintID = value; }
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool value);              // repaints the owner cell
    bool IsBaseCell() const { return FIsBaseCell; }
    void SetIsBaseCell(bool value) { FIsBaseCell = value; }
    TColumnCalcType CalcType() const { return FCalcType; }
    void SetCalcType(TColumnCalcType value) { FCalcType = value; }
    void* CalcObject() const { return FCalcObject; }
    void SetCalcObject(void* value) { FCalcObject = value; }
    int NodeLevel() const { return FNodeLevel; }
    void SetNodeLevel(int value) { FNodeLevel = value; }
    TEditorType Editor() const { return FEditor; }
    void SetEditor(TEditorType value) { FEditor = value; }
    QString FontName() const { return FFontName; }
    void SetFontName(const QString& value) { FFontName = value; }
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool value) { FReadOnly = value; }
    TCellGradientDirection GradientDirection() const { return FGradientDirection; }
    void SetGradientDirection(TCellGradientDirection value) { FGradientDirection = value; }
    QWidget* Control() const { return FControl; }
    void SetControl(QWidget* value) { FControl = value; }

private:
    friend class TBaseGrid;   // seeds a new object without repainting
    void RepaintOwner();

    TBaseGrid* FOwnerGrid;
    int FOwnerCol;
    int FOwnerRow;
    void* FObject = nullptr;
    TCellGraphicObject* FGraphicObject = nullptr;
    fw::TBrushStyle FBrushStyle = fw::bsSolid;
    fw::TColor FBrushColor = fw::clNone;
    fw::TColor FBrushColorTo = fw::clNone;
    int FFontSize = 0;
    fw::TColor FFontColor = fw::clNone;
    fw::TFontStyles FFontStyle;
    int FCellSpanY = -1;
    int FCellSpanX = -1;
    int FBorderWidth = 0;
    fw::TColor FBorderColor = 0;
    fw::TAlignment FAlignment = fw::taLeftJustify;
    TVAlignment FVAlignment = vtaTop;
    int FPaintID = 0;
    bool FWordWrap = true;
    bool FIsBaseCell = true;
    TColumnCalcType FCalcType = acNONE;
    void* FCalcObject = nullptr;
    int FNodeLevel = 0;
    TEditorType FEditor = edNormal;
    QString FFontName;
    bool FReadOnly = false;
    TCellGradientDirection FGradientDirection = GradientVertical;
    QWidget* FControl = nullptr;
};

// The look of one cell: what it is filled with (brush, gradient colours and
// direction), what its text is written with (font, alignment) and whether
// the text wraps.
struct TCellLook {
    fw::TBrush Brush;
    fw::TColor ColorTo = fw::clNone, MirrorColor = fw::clNone, MirrorColorTo = fw::clNone;
    fw::TFont Font;
    fw::TAlignment HA = fw::taLeftJustify;
    TVAlignment VA = vtaTop;
    bool WW = false;
    TCellGradientDirection GD = GradientVertical;
};

// What a cell's look is asked for.
struct TLookQuery {
    bool Print = false;    // on paper: the print fonts and colours, no selection
    bool Select = false;   // the selection shows in the look
    bool Remap = false;    // the column is a display column, not a real one
};

using TGetDisplTextEvent = std::function<void(QObject* sender, int ACol, int ARow, QString& Value)>;

class TBaseGrid : public TObjStringGrid {
    Q_OBJECT
public:
    explicit TBaseGrid(QWidget* parent = nullptr);
    ~TBaseGrid() override;

    // ---------------------------------------------------------------- cells
    // Text as the grid presents it: a cell of a merged block reads and
    // writes its base cell; rows below the normal row count pass through the
    // display-text events.
    QString Cells(int c, int r) const { return GetCellEx(c, r); }
    void SetCells(int c, int r, const QString& value) { SetCellEx(c, r, value); }
    QString GetCellEx(int c, int r) const;
    void SetCellEx(int c, int r, const QString& value);
    // The string grid's own text: no merge handling, no events.
    QString GridCells(int c, int r) const { return GetGridCell(c, r); }
    void SetGridCells(int c, int r, const QString& value) { SetGridCell(c, r, value); }
    QString GetGridCell(int c, int r) const;
    void SetGridCell(int c, int r, const QString& value);

    // Object reference of a cell (not owned), kept in its properties.
    void* Objects(int c, int r) const { return GetObjectEx(c, r); }
    void SetObjects(int c, int r, void* value) { SetObjectEx(c, r, value); }
    void* GetObjectEx(int c, int r) const;
    void SetObjectEx(int c, int r, void* value);
    TCellGraphicObject* GraphicObjects(int c, int r) const { return GetGraphicObjectEx(c, r); }
    void SetGraphicObjects(int c, int r, TCellGraphicObject* value) { SetGraphicObjectEx(c, r, value); }
    TCellGraphicObject* GetGraphicObjectEx(int c, int r) const;
    void SetGraphicObjectEx(int c, int r, TCellGraphicObject* value);

    // Never null: created and seeded from the cell's present look on first use.
    TCellProperties* CellProperties(int c, int r) { return GetCellProperties(c, r); }
    TCellProperties* GetCellProperties(int c, int r);
    // Frees the properties in the slot (unless it is `value` itself) and
    // stores `value`, which the grid owns from then on.
    void SetCellProperties(int c, int r, TCellProperties* value);
    // The raw object slot. Emptying it does not free the properties: callers
    // that move cells hand them to another slot; the grid still frees them.
    TCellProperties* GridObjects(int c, int r) const { return GetGridObject(c, r); }
    void SetGridObjects(int c, int r, TCellProperties* value) { SetGridObject(c, r, value); }
    TCellProperties* GetGridObject(int c, int r) const;
    void SetGridObject(int c, int r, TCellProperties* value);

    bool CellPropertiesAssigned(int c, int r) const;
    TCellGraphicObject* GraphicOfCellProps(const TCellProperties* p) const;
    void ClearColumnCells(int c);
    void ClearRowCells(int r);
    void ClearCellData(int c, int r);
    void FreeCellPropsInRange(int ACol1, int ARow1, int ACol2, int ARow2);
    void FreeCellProps(int c, int r);
    void RepaintCell(int c, int r);

    // ---------------------------------------------------------------- merged cells
    virtual void MergeCells(int c, int r, int spanx, int spany);
    virtual void SplitCells(int c, int r);
    fw::TPoint BaseCell(int ACol, int ARow) const;
    bool LocateBaseCell(int ACol, int ARow, int& BaseCol, int& BaseRow) const;
    bool IsBaseCell(int ACol, int ARow) const;
    bool IsMergedCell(int ACol, int ARow) const;
    bool IsMergedNonBaseCell(int ACol, int ARow) const;
    bool IsXMergedCell(int ACol, int ARow) const;
    bool IsYMergedCell(int ACol, int ARow) const;
    fw::TPoint CellSpan(int ACol, int ARow) const;
    fw::TPoint CellExt(int ACol, int ARow) const;
    fw::TGridRect FullCell(int c, int r) const;
    // Pixel rectangle of the cell, or of its whole merged block.
    fw::TRect CellRect(int c, int r) const override;
    fw::TPoint CellSize(int c, int r) const;
    fw::TRect UnclippedCellRect(int c, int r) const;
    // Pixel width of columns [from, to) and height of rows [from, to).
    int SumColWidths(int from, int to) const;
    int SumRowHeights(int from, int to) const;
    int MinRowSpan(int ARow) const;
    int MaxRowSpan(int ARow) const;
    bool RowSpanIdentical(int ARow1, int ARow2) const;
    bool ColSpanIdentical(int ACol1, int ACol2) const;

    // ---------------------------------------------------------------- virtual operations
    virtual bool IsFixed(int ACol, int ARow);
    virtual int NodeIndent(int ARow);
    virtual bool HasNodes();
    virtual void DrawCellContent(fw::TCanvas& Canvas, int ACol, int ARow, fw::TRect Rect, fw::TGridDrawState State);
    virtual void LastRowChanged();
    virtual void GetDisplayText(int ACol, int ARow, QString& Value) const;
    virtual void GetDisplayWideText(int ACol, int ARow, QString& Value) const;
    // The look a new properties object of the cell starts from.
    virtual void GetDefaultVisualProps(int ACol, int ARow, TCellLook& Look);
    virtual void AfterCellTextSet(int ACol, int ARow);
    virtual bool HasCellBorderEvent();
    virtual bool UsesAppStyles();
    // The look query of the drawing core: fills Look (and marks AState) as
    // the cell shows; the caller prepares the brush style, word wrap and
    // gradient direction the resolution starts from. The base leaves the
    // prepared look.
    virtual void GetVisualProperties(int ACol, int ARow, fw::TGridDrawState& AState, TLookQuery Query,
                                     TCellLook& Look);
    virtual int DisplColIndex(int ACol) const;
    virtual int TotalColCount() const;

    // ---------------------------------------------------------------- settings
    bool ActiveRowShow() const;
    void SetActiveRowShow(bool value);
    fw::TColor ActiveRowColor() const;
    void SetActiveRowColor(fw::TColor value);
    fw::TColor ActiveRowColorTo() const;
    void SetActiveRowColorTo(fw::TColor value);
    fw::TColor ActiveRowMirrorColor() const;
    void SetActiveRowMirrorColor(fw::TColor value);
    fw::TColor ActiveRowMirrorColorTo() const;
    void SetActiveRowMirrorColorTo(fw::TColor value);
    // The string grid's own default drawing stays off.
    bool DefaultDrawing() const;
    void SetDefaultDrawing(bool value);
    // The string grid's own line width stays 0; the grid draws its lines.
    int GridLineWidth() const;
    void SetGridLineWidth(int value);
    fw::TColor GridLineColor() const;
    void SetGridLineColor(fw::TColor value);
    fw::TColor GridFixedLineColor() const;
    void SetGridFixedLineColor(fw::TColor value);
    bool HoverRow() const;
    void SetHoverRow(bool value);
    fw::TColor HoverRowColor() const;
    void SetHoverRowColor(fw::TColor value);
    fw::TColor HoverRowColorTo() const;
    void SetHoverRowColorTo(fw::TColor value);
    THoverRowCells HoverRowCells() const;
    void SetHoverRowCells(THoverRowCells value);
    TGridSelectionStyle SelectionStyle() const;
    void SetSelectionStyle(TGridSelectionStyle value);
    bool WordWrap() const;
    void SetWordWrap(bool value);
    TFxGridUndoRedo* UndoRedo() const;
    // Stores the component and points its Grid at this grid; either side
    // forgets the other when it is destroyed.
    void SetUndoRedo(TFxGridUndoRedo* value);
    int PaintID() const;
    bool HasCellProps() const;
    int MergeCount() const;

    TGetDisplTextEvent OnGetDisplText;
    // The wide text arrives unpacked and is returned packed ("|\" form).
    TGetDisplTextEvent OnGetDisplWideText;

    // Moves the current cell onto the base cell of its merged block.
    void SnapToBaseCell();

    // The drawing core with content (the whole block's rectangle), and
    // without: background, selection and lines only in the given rectangle.
    void PaintCell(fw::TCanvas& ACanvas, int ACol, int ARow, const fw::TRect& ARect, fw::TGridDrawState AState);
    void PaintCellExt(fw::TCanvas& ACanvas, int ACol, int ARow, const fw::TRect& ARect, fw::TGridDrawState AState);

protected:
    // The string grid's per-cell hook runs the drawing core.
    void DrawCell(int ACol, int ARow, const fw::TRect& ARect, fw::TGridDrawState AState) override;
    // Repaints the old and the new current cell (whole blocks) around the
    // string grid's decision.
    bool SelectCell(int ACol, int ARow) override;
    // Keys: the adjustments that let arrows step over merged blocks run
    // before the string grid's own movement.
    void KeyDown(int& Key, fw::TShiftState Shift) override;
    bool DoMouseWheelDown(fw::TShiftState Shift, fw::TPoint MousePos) override;
    bool DoMouseWheelUp(fw::TShiftState Shift, fw::TPoint MousePos) override;
    void TopLeftChanged() override;
    void Paint() override;

    // Switches of the feature grid, stored without a repaint (the caller
    // repaints what it changed). HideLastRow: the last row is its hidden
    // footer row. NormalRowCount: rows with a smaller index pass read text
    // through the display-text events.
    // HoverRowIdx: the row under the mouse for the hover look, -1 none.
    // ShowSel: selected cells show as selected.
    bool HideLastRow() const;
    void SetHideLastRow(bool value);
    int NormalRowCount() const;
    void SetNormalRowCount(int value);
    int HoverRowIdx() const;
    void SetHoverRowIdx(int value);
    bool ShowSel() const;
    void SetShowSel(bool value);

private:
    friend class TCellProperties;
    void RegisterProps(TCellProperties* p);
    void DeleteProps(TCellProperties* p);
    TCellProperties* SlotProps(int c, int r) const;
    TCellProperties* AssignedProps(int c, int r) const;

    struct Impl;
    std::unique_ptr<Impl> d;
};
