#pragma once
// The two lists of the filter drop-down: a plain list (one value) and a
// check list (several values). The grid makes both hidden and the mouse
// handling shows one under a column's filter glyph.
#include <QListWidget>

#include <functional>

class TFxStringGrid;

class TDropList : public QListWidget {
public:
    explicit TDropList(TFxStringGrid* grid);
    // Enter or a released mouse button hides the list, then the choice.
    std::function<void(int ItemIndex)> OnSelect;

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    TFxStringGrid* FGrid;
};

class TDropCheckList : public QListWidget {
public:
    explicit TDropCheckList(TFxStringGrid* grid);
    // A toggled check box: OnSelect(-1).
    std::function<void(int ItemIndex)> OnSelect;
    bool Checked(int Index) const;
    void SetChecked(int Index, bool Value);   // no OnSelect

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    TFxStringGrid* FGrid;
    bool FFilling = false;
};
