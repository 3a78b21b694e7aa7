#pragma once
// The editors of the form controls of an HTML cell (the EDIT, PASSWORD and
// MASK controls in a masked edit, COMBO in a combo box). Enter ends the
// edit; Tab ends it and opens the next form control of the cell, or moves
// on to the next cell with the grid's automatic advance.
#include "framework/MaskEdit.h"
#include "grid/foundation/SgCombo.h"

class TFxStringGrid;

class TControlEdit : public fw::TMaskEdit {
    Q_OBJECT
public:
    explicit TControlEdit(TFxStringGrid* grid);

protected:
    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    TFxStringGrid* FGrid;
};

class TControlCombo : public TSgComboBox {
    Q_OBJECT
public:
    explicit TControlCombo(TFxStringGrid* grid);

protected:
    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    TFxStringGrid* FGrid;
};

namespace FxControlEdit {
// Enter or Tab in a form-control editor: the edit ends, and Tab goes on.
void EditorKey(TFxStringGrid& grid, int key);
} // namespace FxControlEdit
