// Drag scrolling: its settings, and the grid scrolling one row or column
// per timer step while a drag rests in a margin of the cell area.
#include "grid/interact/FxDragScroll.h"

#include "grid/interact/FxGridInteract_p.h"
#include "grid/model/FxGrid.h"

#include "framework/Timer.h"

#include <QTimer>

void TDragScrollDelays::Assign(const QObject* source)
{
    if (const auto* s = dynamic_cast<const TDragScrollDelays*>(source)) {
        FInitialDelay = s->FInitialDelay;
        FRepeatDelay = s->FRepeatDelay;
    }
}

void TDragScrollMargins::Assign(const QObject* source)
{
    if (const auto* s = dynamic_cast<const TDragScrollMargins*>(source)) {
        FTopMargin = s->FTopMargin;
        FBottomMargin = s->FBottomMargin;
        FLeftMargin = s->FLeftMargin;
        FRightMargin = s->FRightMargin;
    }
}

TDragScrollOptions::TDragScrollOptions()
    : FDelays(std::make_unique<TDragScrollDelays>()), FMargins(std::make_unique<TDragScrollMargins>())
{
}

TDragScrollOptions::~TDragScrollOptions() = default;

void TDragScrollOptions::Assign(const QObject* source)
{
    if (const auto* s = dynamic_cast<const TDragScrollOptions*>(source)) {
        FActive = s->FActive;
        FDelays->Assign(s->FDelays.get());
        FMargins->Assign(s->FMargins.get());
    }
}

// ---------------------------------------------------------------- the grid

TDragScrollOptions& TFxStringGrid::DragScrollOptions() const
{
    return *InteractState().DragScroll;
}

void TFxStringGrid::SetDragScrollOptions(const TDragScrollOptions& value)
{
    InteractState().DragScroll->Assign(&value);
}

TDragScrollDirection TFxStringGrid::DragScrollDirection() const
{
    return InteractState().DragScrollDirection;
}

void TFxStringGrid::DragOver(QObject* Source, int X, int Y, fw::TDragState State, bool& Accept)
{
    TFxGridInteractState& s = InteractState();
    const TDragScrollOptions& o = *s.DragScroll;
    if (!o.Active() || State == fw::dsDragLeave) {
        s.DragTimer.reset();
        s.DragScrollDirection = {};
    } else {
        // The margins are measured from the edges of the cell area.
        const TDragScrollMargins& m = o.Margins();
        TDragScrollDirection dir;
        if (Y < m.TopMargin())
            dir.Include(dsdUp);
        else if (Y > ClientHeight() - m.BottomMargin())
            dir.Include(dsdDown);
        if (X < m.LeftMargin())
            dir.Include(dsdLeft);
        else if (X > ClientWidth() - m.RightMargin())
            dir.Include(dsdRight);
        const TDragScrollDirection previous = s.DragScrollDirection;
        s.DragScrollDirection = dir;
        if (dir.Empty()) {
            s.DragTimer.reset();
        } else if (!s.DragTimer) {
            s.DragTimer = std::make_unique<fw::TTimer>(this);
            s.DragTimer->SetInterval(o.Delays().InitialDelay());
            s.DragTimer->SetOnTimer([this] { UpdateDragScroll(); });
            s.DragTimer->SetEnabled(true);
        } else if (!previous.Empty()) {
            // A move in the margin waits the first delay again once the
            // steps have begun.
            s.DragTimer->SetInterval(o.Delays().InitialDelay());
        }
    }
    TBaseGrid::DragOver(Source, X, Y, State, Accept);
}

void TFxStringGrid::UpdateDragScroll()
{
    TFxGridInteractState& s = InteractState();
    if (!s.DragTimer)
        return;
    if (!s.DragScroll->Active()) {
        s.DragTimer->SetEnabled(false);
        // This runs inside the timer's own tick: it is freed once that returned.
        QTimer::singleShot(0, this, [t = std::shared_ptr<fw::TTimer>(std::move(s.DragTimer))]() mutable { t.reset(); });
        s.DragScrollDirection = {};
        return;
    }
    s.DragTimer->SetInterval(s.DragScroll->Delays().RepeatDelay());
    bool canScroll = true;
    if (const auto& e = Events().OnDragScroll)
        e(this, TopRow(), LeftCol(), s.DragScrollDirection, canScroll);
    if (!canScroll)
        return;
    const TDragScrollDirection dir = s.DragScrollDirection;
    if (dir.Contains(dsdUp) && TopRow() > FixedRows())
        SetTopRow(TopRow() - 1);
    if (dir.Contains(dsdDown) && TopRow() + VisibleRowCount() < RowCount())
        SetTopRow(TopRow() + 1);
    if (dir.Contains(dsdLeft) && LeftCol() > FixedCols())
        SetLeftCol(LeftCol() - 1);
    if (dir.Contains(dsdRight) && LeftCol() + VisibleColCount() < ColCount())
        SetLeftCol(LeftCol() + 1);
}
