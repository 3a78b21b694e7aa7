#pragma once
// The grid's rich edit in its two roles: the hidden editor rich cells are
// measured with (the grid's RichEdit) and the in-place editor of edRichEdit
// (InplaceRichEdit). In place it takes Tab when the grid tabs through its
// cells, hands Up and Down to the grid unless cells wrap their text, gives
// the edited text back on Escape, and grows the row to the text typed when
// the grid sizes rows while typing.
#include "framework/RichEdit.h"

class TFxStringGrid;

class TFxRichEdit : public fw::TRichEdit {
    Q_OBJECT
public:
    explicit TFxRichEdit(TFxStringGrid* grid);
    TFxStringGrid* Grid() const { return FGrid; }

    // The size the text asked for in its last resize request.
    int ReqWidth() const { return FReqWidth; }
    int ReqHeight() const { return FReqHeight; }
    // While locked, the in-place editor's size requests are ignored.
    void Lock() { FLocked = true; }
    void Unlock() { FLocked = false; }
    bool Locked() const { return FLocked; }

protected:
    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    void ResizeRequest(const fw::TRect& requested);
    bool IsInplace() const;

    TFxStringGrid* FGrid;
    int FReqHeight = 0;
    int FReqWidth = 0;
    bool FLocked = false;
};
