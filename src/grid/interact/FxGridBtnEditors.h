#pragma once
// The in-place editors with a button: the edit with an embedded button
// (edEditBtn, edNumericEditBtn, edFloatEditBtn, edMaskEditBtn), the edit
// with a unit (edUnitEditBtn, edNumericUnitEditBtn, edFloatUnitEditBtn) and
// the push button over a cell (edButton). Their buttons ask the grid's
// OnEllipsClick for the text; their keys end, validate and move on as every
// in-place editor does.
#include "framework/Input.h"
#include "grid/foundation/SgEdit.h"

#include <QPushButton>

class TFxStringGrid;

class TGridEditBtn : public TSgEditBtn {
    Q_OBJECT
public:
    explicit TGridEditBtn(TFxStringGrid* grid);
    TFxStringGrid* Grid() const { return FGrid; }

    // The button click ends the edit after writing the event's text.
    bool StopEditAfterClick() const { return FStopEditAfterClick; }
    void SetStopEditAfterClick(bool value) { FStopEditAfterClick = value; }

    // The key handling of one key-down, as the edit runs it; false when the
    // key was taken here and goes no further (`key` as it is left).
    bool KeyDown(int& key, fw::TShiftState shift);
    // The character rules of the editor kind: false drops the character.
    bool FilterChar(QChar& ch);

protected:
    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;

private:
    void EllipsClick();
    void KeyUp(int& key, fw::TShiftState shift);
    void Paste();
    void LookupComplete();

    TFxStringGrid* FGrid;
    bool WorkMode = true;
    int FSelKeyDown = 0;
    bool FStopEditAfterClick = false;
};

class TGridUnitEditBtn : public TSgUnitEditBtn {
    Q_OBJECT
public:
    explicit TGridUnitEditBtn(TFxStringGrid* grid);
    TFxStringGrid* Grid() const { return FGrid; }

    bool KeyDown(int& key, fw::TShiftState shift);
    bool FilterChar(QChar& ch);

protected:
    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    TFxStringGrid* FGrid;
};

class TGridButton : public QPushButton {
    Q_OBJECT
public:
    explicit TGridButton(TFxStringGrid* grid);
    TFxStringGrid* Grid() const { return FGrid; }

protected:
    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    // The caption from OnEllipsClick becomes the cell's text.
    void TakeEllipsText();
    // Hidden, disabled, the edit over and the focus back to the grid.
    void HideButton();

    TFxStringGrid* FGrid;
};
