#pragma once
// The editors of a fixed cell (a header or a row label): a plain edit or a
// combo over the cell, opened by the grid's fixed-cell editing. The text is
// validated when the editor is left; a refused text keeps the editor open
// over its cell.
#include "grid/foundation/SgCombo.h"

#include <QLineEdit>

class TFxStringGrid;

class TGridTransEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TGridTransEdit(TFxStringGrid* grid);
    TFxStringGrid* Grid() const { return FGrid; }
    // The fixed cell being edited (display column).
    int Col() const { return FCol; }
    int Row() const { return FRow; }
    void SetCell(int ACol, int ARow) { FCol = ACol; FRow = ARow; }
    // Validates and stores the text; false (the editor stays) when refused.
    bool StopEdit();

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    int FRow = -1;
    int FCol = -1;
    TFxStringGrid* FGrid;
};

class TGridTransCombo : public TSgComboBox {
    Q_OBJECT
public:
    explicit TGridTransCombo(TFxStringGrid* grid);
    TFxStringGrid* Grid() const { return FGrid; }
    int Col() const { return FCol; }
    int Row() const { return FRow; }
    void SetCell(int ACol, int ARow) { FCol = ACol; FRow = ARow; }
    bool StopEdit();

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    int FRow = -1;
    int FCol = -1;
    TFxStringGrid* FGrid;
};

namespace FxFixedCellEdit {
// The press or double click on a fixed cell opens its editor when the
// grid's fixed-cell editing asks for that kind of click; true when it did.
bool OnPress(TFxStringGrid& grid, int x, int y, bool right, bool dblClick);
// A press on the grid while a fixed-cell editor is still shown: the editor
// is stopped first; true when it refused, and the press must change nothing.
bool HoldsThePress(TFxStringGrid& grid);
} // namespace FxFixedCellEdit
