#pragma once
// Undo and redo of cell text changes of one grid, singly or as sequences
// framed by a start and a stop marker.
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <vector>

class TBaseGrid;

// One recorded change, or a sequence marker (column and row -1, no texts).
class TUndoRedoItem {
public:
    int Row() const { return FRow; }
    void SetRow(int value) { FRow = value; }
    int Col() const { return FCol; }
    void SetCol(int value) { FCol = value; }
    QString Value() const { return FValue; }          // written by redo
    void SetValue(const QString& value) { FValue = value; }
    QString OrigValue() const { return FOrigValue; }  // written by undo
    void SetOrigValue(const QString& value) { FOrigValue = value; }
    bool SequenceStart() const { return FSequenceStart; }
    void SetSequenceStart(bool value) { FSequenceStart = value; }
    bool SequenceStop() const { return FSequenceStop; }
    void SetSequenceStop(bool value) { FSequenceStop = value; }
    bool IsMarker() const { return FSequenceStart || FSequenceStop; }

private:
    int FRow = -1;
    int FCol = -1;
    QString FValue;
    QString FOrigValue;
    bool FSequenceStart = false;
    bool FSequenceStop = false;
};

// The recorded entries, oldest first.
class TUndoRedoCollection {
public:
    int Count() const { return int(FItems.size()); }
    const TUndoRedoItem& Items(int index) const { return FItems.at(size_t(index)); }
    TUndoRedoItem& Add();
    void Delete(int index);
    void Clear() { FItems.clear(); }

private:
    std::vector<TUndoRedoItem> FItems;
};

using TFxGridUndoRedoEvent = std::function<void(QObject* sender, TBaseGrid* grid, int col, int row,
                                                const QString& origValue, const QString& newValue)>;

class TFxGridUndoRedo : public QObject {
    Q_OBJECT
public:
    explicit TFxGridUndoRedo(QObject* owner = nullptr);
    ~TFxGridUndoRedo() override;

    const TUndoRedoCollection& Items() const { return FItems; }
    // The grid acted on; forgotten when the grid is destroyed.
    TBaseGrid* Grid() const;
    void SetGrid(TBaseGrid* value);
    // Number of entries applied: undo takes entry Level-1, redo entry Level.
    int Level() const { return FLevel; }
    int MaxLevel() const { return FMaxLevel; }   // 0: no limit
    void SetMaxLevel(int value) { FMaxLevel = value; }

    virtual void RegisterChange(int ACol, int ARow, const QString& OldValue, const QString& NewValue);
    virtual void StartSequence();
    virtual void StopSequence();
    void Undo();
    void Redo();
    bool CanUndo() const { return FLevel > 0; }
    bool CanRedo() const { return FLevel < FItems.Count(); }
    void Reset();

    TFxGridUndoRedoEvent OnUndo;   // before an entry is undone
    TFxGridUndoRedoEvent OnRedo;   // before an entry is redone

private:
    void AddMarker(bool start);
    // Writes the entry's original text (undo) or its new text (redo),
    // after the matching event, and moves the current cell onto it.
    void ApplyEntry(const TUndoRedoItem& e, bool undo);
    void RepaintGrid();

    TUndoRedoCollection FItems;
    QPointer<TBaseGrid> FGrid;
    int FLevel = 0;
    int FMaxLevel = 0;
};
