#pragma once
// The feature grid's text editor (every text editor kind: edNormal, the
// number, case, password and valid-character kinds): the framework's
// in-place edit with a character filter per kind, a length limit, lookup
// completion, clipboard events, and validation on Tab, Enter and the arrows.
#include "framework/StringGridEditor.h"

class TFxStringGrid;

class TFxInplaceEdit : public fw::TInplaceEdit {
    Q_OBJECT
public:
    explicit TFxInplaceEdit(TFxStringGrid* grid);

    TFxStringGrid* FxGrid() const { return FGrid; }
    // Display column and row of the cell being edited.
    int EditCol() const { return FColE; }
    int EditRow() const { return FRowE; }
    int LengthLimit() const { return FLengthLimit; }
    // Alt+Backspace is held: losing the focus does not end editing.
    bool AltBack() const { return FAltBack; }

protected:
    void WndProc(fw::TMessage& Message) override;
    void KeyDown(int& Key, fw::TShiftState Shift) override;
    void KeyUp(int& Key, fw::TShiftState Shift) override;
    void KeyPress(QChar& Key) override;
    void Change() override;
    void DblClick() override;
    void UpdateContents() override;
    void BoundsChanged(const fw::TRect& r) override;

private:
    void HandleMessage(fw::TMessage& m);
    bool PreKeyDown(int key, fw::TShiftState shift);
    // False when the character is dropped or refused.
    bool FilterChar(QChar& ch, fw::TShiftState shift);
    void Paste();
    void RefusalRestore();
    void LookupComplete();
    void FocusGained();
    void FocusLost(QWidget* to);
    void LendScrollBars(bool lend);

    TFxStringGrid* FGrid;
    int FSelKeyDown = 0;
    int FOldSelStart = 0;
    int FLengthLimit = 0;
    bool FGotFocus = false;
    bool Workmode = true;
    int FColE = -1;
    int FRowE = -1;
    bool FAltBack = false;
    bool FKeyConsumed = false;
};
