#include "grid/foundation/BaseGridUndo.h"

#include "grid/foundation/BaseGrid.h"

// ---------------------------------------------------------------- TUndoRedoCollection

TUndoRedoItem& TUndoRedoCollection::Add()
{
    FItems.emplace_back();
    return FItems.back();
}

void TUndoRedoCollection::Delete(int index)
{
    FItems.erase(FItems.begin() + index);
}

// ---------------------------------------------------------------- TFxGridUndoRedo

TFxGridUndoRedo::TFxGridUndoRedo(QObject* owner) : QObject(owner) {}

TFxGridUndoRedo::~TFxGridUndoRedo() = default;

TBaseGrid* TFxGridUndoRedo::Grid() const
{
    return FGrid.data();
}

void TFxGridUndoRedo::SetGrid(TBaseGrid* value)
{
    FGrid = value;
}

void TFxGridUndoRedo::RegisterChange(int ACol, int ARow, const QString& OldValue, const QString& NewValue)
{
    if (FMaxLevel > 0 && FItems.Count() >= FMaxLevel)
        FItems.Delete(0);
    TUndoRedoItem& e = FItems.Add();
    e.SetCol(ACol);
    e.SetRow(ARow);
    e.SetValue(NewValue);
    e.SetOrigValue(OldValue);
    FLevel = FItems.Count();
}

void TFxGridUndoRedo::AddMarker(bool start)
{
    TUndoRedoItem& e = FItems.Add();
    e.SetSequenceStart(start);
    e.SetSequenceStop(!start);
    FLevel = FItems.Count();
}

void TFxGridUndoRedo::StartSequence()
{
    AddMarker(true);
}

void TFxGridUndoRedo::StopSequence()
{
    AddMarker(false);
}

void TFxGridUndoRedo::ApplyEntry(const TUndoRedoItem& e, bool undo)
{
    // A marker met on its own (an unbalanced sequence) changes no cell.
    if (e.IsMarker())
        return;
    TBaseGrid* grid = FGrid.data();
    const QString text = undo ? e.OrigValue() : e.Value();
    if (const TFxGridUndoRedoEvent& event = undo ? OnUndo : OnRedo)
        event(this, grid, e.Col(), e.Row(), grid->Cells(e.Col(), e.Row()), text);
    grid->SetCells(e.Col(), e.Row(), text);
    grid->SetCol(grid->DisplColIndex(e.Col()));
    grid->SetRow(e.Row());
}

void TFxGridUndoRedo::RepaintGrid()
{
    if (FGrid)
        FGrid->Invalidate();
}

void TFxGridUndoRedo::Undo()
{
    if (!FGrid || FLevel <= 0 || FLevel > FItems.Count())
        return;
    const TUndoRedoItem e = FItems.Items(FLevel - 1);
    if (e.SequenceStop()) {
        --FLevel;
        while (FLevel > 0 && !FItems.Items(FLevel - 1).SequenceStart()) {
            ApplyEntry(FItems.Items(FLevel - 1), true);
            --FLevel;
        }
        if (FLevel > 0) // step over the start marker
            --FLevel;
        RepaintGrid();
        return;
    }
    if (e.SequenceStart()) {
        --FLevel;
        return;
    }
    ApplyEntry(e, true);
    FGrid->RepaintCell(FGrid->Col(), e.Row());
    --FLevel;
}

void TFxGridUndoRedo::Redo()
{
    if (!FGrid || FLevel < 0 || FLevel >= FItems.Count())
        return;
    const TUndoRedoItem e = FItems.Items(FLevel);
    ++FLevel;
    if (e.SequenceStart()) {
        // Up to and including the stop marker; a sequence never stopped runs
        // to its last change.
        while (FLevel < FItems.Count()) {
            const TUndoRedoItem next = FItems.Items(FLevel);
            ++FLevel;
            if (next.SequenceStop())
                break;
            ApplyEntry(next, false);
        }
        RepaintGrid();
        return;
    }
    ApplyEntry(e, false);
}

void TFxGridUndoRedo::Reset()
{
    FItems.Clear();
    FLevel = 0;
}
