// The picture of a cell rectangle in a half-transparent window (the drag
// image of cell drags), the base sizes of proportional column resizing, the
// repaint of a cell rectangle and the column dragged out of a column list.
#include "grid/model/FxGrid.h"
#include "grid/paint/FxGridPaint_p.h"

#include "framework/Canvas.h"
#include "framework/NoActiveForm.h"

#include <QPainter>

#include <algorithm>

fw::TNoActiveForm* TFxStringGrid::SelectionToForm(const fw::TGridRect& ARect)
{
    // 1. the grid as it paints itself
    QImage whole(viewport()->size(), QImage::Format_RGB32);
    whole.fill(Qt::white);
    viewport()->render(&whole);

    // 2. the corner cells, ordered
    const fw::TRect a = UnclippedCellRect(ARect.Left, ARect.Top);
    const fw::TRect b = UnclippedCellRect(ARect.Right, ARect.Bottom);
    const int left = std::min(a.Left, b.Left), top = std::min(a.Top, b.Top);
    const int right = std::max(a.Right, b.Right), bottom = std::max(a.Bottom, b.Bottom);

    // 3. the area from (left + 1, top + 1) to (right + 2, bottom + 2)
    QImage picture(std::max(1, right - left + 1), std::max(1, bottom - top + 1), QImage::Format_RGB32);
    picture.fill(Qt::white);
    {
        QPainter p(&picture);
        p.drawImage(QPoint(0, 0), whole, QRect(left + 1, top + 1, right - left + 1, bottom - top + 1));
    }

    // 4. the fixed lines of a rectangle that starts at the grid's edge
    fw::TBitmap bmp;
    bmp.SetImage(picture);
    fw::TCanvas& c = bmp.Canvas();
    c.Pen().Color = GridFixedLineColor();
    c.Pen().Width = 1;
    const int startCol = std::min(ARect.Left, ARect.Right);
    const int startRow = std::min(ARect.Top, ARect.Bottom);
    if (startCol == 0 && FixedCols() > 0 && (Options() & fw::goFixedHorzLine)) {
        c.MoveTo(0, 0);
        c.LineTo(0, bmp.Height());
    }
    if (startRow == 0 && FixedRows() > 0 && (Options() & fw::goFixedVertLine)) {
        c.MoveTo(0, 0);
        c.LineTo(bmp.Width(), 0);
    }
    c.Release();

    // 5. a borderless, half-transparent window that never takes the focus
    auto* form = new fw::TNoActiveForm(this);
    form->SetPicture(bmp.ToImage());
    form->SetAlphaBlend(true);
    form->SetAlphaBlendValue(192);
    return form;
}

void TFxStringGrid::InitOrigColSizes()
{
    TFxGridPaintState& ps = PaintState();
    ps.OrigColSizes.Clear();
    for (int c = 0; c < ColCount(); ++c)
        ps.OrigColSizes.Insert(ps.OrigColSizes.Count(), ColWidths(c));
    ps.OldGridWidth = width();
}

const TIntList& TFxStringGrid::OrigColSizes() const
{
    return PaintState().OrigColSizes;
}

int TFxStringGrid::OldGridWidth() const
{
    return PaintState().OldGridWidth;
}

void TFxStringGrid::InvalidateGridRect(const fw::TGridRect& R)
{
    const fw::TRect a = CellRect(R.Left, R.Top);
    const fw::TRect b = CellRect(R.Right, R.Bottom);
    const QRect area = QRect(a.Left, a.Top, a.Width(), a.Height()).united(QRect(b.Left, b.Top, b.Width(), b.Height()));
    viewport()->update(area);
}

void TFxStringGrid::OleColumnDragStart(int ACol, int AIndex, QObject* AList)
{
    TFxGridPaintState& ps = PaintState();
    ps.OleColumnDragCol = ACol;
    ps.OleColumnDragIndex = AIndex;
    ps.OleColumnDragList = AList;
}
