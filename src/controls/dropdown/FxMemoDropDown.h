#pragma once
// TFxMemoDropDown: a one-line edit whose popup is a multi-line memo. The
// whole text lives in MemoText; the edit shows all of it while it types
// (EditorEnabled), else the first line, shortened with an ellipsis or
// followed by "..." when more lines follow. Closing the popup takes the
// memo's text; Escape discards the memo's edits.
#include "controls/dropdown/FxCustomDropDown.h"
#include "framework/ObjStringGrid.h"
#include "framework/StringList.h"

class QMenu;
class QPlainTextEdit;

class TFxMemoDropDown : public TFxCustomDropDown {
    Q_OBJECT
public:
    explicit TFxMemoDropDown(QWidget* parent = nullptr);
    ~TFxMemoDropDown() override;

    fw::TStringList& MemoText() { return FMemoText; }
    void SetMemoText(const fw::TStringList& value);
    // The lines joined with line breaks (no break after the last one).
    QString MemoJoined() const;
    QPlainTextEdit* Memo() const { return FMemo; }
    fw::TScrollStyle MemoScrollBars() const { return FMemoScrollBars; }
    void SetMemoScrollBars(fw::TScrollStyle value) { FMemoScrollBars = value; }
    bool MemoReadOnly() const { return FMemoReadOnly; }
    void SetMemoReadOnly(bool value);
    QMenu* MemoPopup() const { return FMemoPopup; }
    void SetMemoPopup(QMenu* menu) { FMemoPopup = menu; }
    // The popup opens when the edit gets the focus.
    bool AutoDrop() const { return FAutoDrop; }
    void SetAutoDrop(bool value) { FAutoDrop = value; }

    void DoHideDropDown(bool cancel) override;

    TNotifyEvent OnMemoChange;

protected:
    void CreateDropDownForm() override;
    void BeforeDropDown() override;
    void DropDownHidden() override;
    void ControlKeyDown(int& key, fw::TShiftState shift) override;
    void ControlKeyUp(int& key, fw::TShiftState shift) override;
    void ControlKeyPress(QChar& key) override;
    void HandleChange() override;
    void focusInEvent(QFocusEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    void MemoTextChanged();
    void LoadMemo();

    fw::TStringList FMemoText;
    QPlainTextEdit* FMemo = nullptr;
    QMenu* FMemoPopup = nullptr;
    fw::TScrollStyle FMemoScrollBars = fw::ssNone;
    bool FMemoReadOnly = false;
    bool FInternalUpdate = false;
    bool FAutoDrop = false;
    bool FClosing = false;
    std::uint32_t FClosedAt = 0;
};
