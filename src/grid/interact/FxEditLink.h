#pragma once
// The base of an application's own cell editor (edCustom): a descendant
// makes its control in CreateEditor, moves values between the cell and the
// control, and the grid drives it through the virtual operations below in a
// fixed order. The control shows inside the cell (esInplace) or on a
// borderless stay-on-top window of the link's own named "gridform"
// (esPopup). While it shows, the grid watches the control's keys: the keys
// the link does not want end the edit (EditKeyDown).
#include "framework/Graphics.h"
#include "framework/Input.h"
#include "framework/Types.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

class TFxStringGrid;

enum TEditStyle { esInplace, esPopup };

class TEditLink : public QObject {
    Q_OBJECT
public:
    explicit TEditLink(QObject* owner = nullptr);
    ~TEditLink() override;

    // The grid that last showed the link, and the cell it edits (display column, row).
    TFxStringGrid* Grid() const { return FGrid; }
    fw::TPoint EditCell() const { return FEditCell; }

    TEditStyle EditStyle() const { return FEditStyle; }
    void SetEditStyle(TEditStyle value) { FEditStyle = value; }
    // -1: the popup opens at the cell.
    int PopupLeft() const { return FPopupLeft; }
    void SetPopupLeft(int value) { FPopupLeft = value; }
    int PopupTop() const { return FPopupTop; }
    void SetPopupTop(int value) { FPopupTop = value; }
    int PopupWidth() const { return FPopupWidth; }
    void SetPopupWidth(int value) { FPopupWidth = value; }
    int PopupHeight() const { return FPopupHeight; }
    void SetPopupHeight(int value) { FPopupHeight = value; }
    // The popup takes the cell's width.
    bool AutoPopupWidth() const { return FAutoPopupWidth; }
    void SetAutoPopupWidth(bool value) { FAutoPopupWidth = value; }

    // Keys the control keeps instead of ending the edit.
    bool WantKeyLeftRight = false;
    bool WantKeyUpDown = false;
    bool WantKeyHomeEnd = false;
    bool WantKeyPriorNext = false;
    bool WantKeyReturn = false;
    bool WantKeyEscape = false;
    bool WantTabs = false;
    bool WantReturns = false;
    int Tag = 0;

    // The popup window (null before the first popup show).
    QWidget* PopupForm() const { return FPopupForm; }
    // Set while the grid itself takes the focus from the control.
    bool ForcedExit() const { return FForcedExit; }

    // ---- what a descendant overrides, in the order the grid calls them
    // The grid's key handling of the control's keys; a descendant that
    // hooks its control's key-down may call it too (once per key).
    virtual void EditKeyDown(QObject* Sender, int& Key, fw::TShiftState Shift);
    virtual QWidget* GetEditControl();
    virtual void CreateEditor(QWidget* AParent);
    virtual void DestroyEditor();
    virtual void SetFocus(bool Value);
    // Moves the control to R, less the grid lines.
    virtual void SetRect(fw::TRect R);
    virtual void SetVisible(bool Value);
    virtual void SetProperties();
    virtual void SetCellProps(fw::TColor AColor, const fw::TFont& AFont);
    virtual QString GetEditorValue();
    virtual void SetEditorValue(const QString& Value);

    // ---- the base's own operations
    // The edit ends: the value is written, the editor hidden; a popup link's
    // control is destroyed and its window hidden.
    void EditExit(QObject* Sender);
    // The popup window lost the activation.
    void FormExit(QObject* Sender);
    QString GetCellValue();
    void SetCellValue(const QString& S);
    QWidget* GetParent();
    // The grid stops watching the control, whose window hides (in place).
    void RestoreWinProc();
    void HideEditor();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    friend struct FxEditLinkAccess;
    // The grid takes the focus from the control with ForcedExit set.
    void GridTakesFocus();

    QPointer<TFxStringGrid> FGrid;
    fw::TPoint FEditCell{-1, -1};
    TEditStyle FEditStyle = esInplace;
    int FPopupLeft = -1;
    int FPopupTop = -1;
    int FPopupWidth = 0;
    int FPopupHeight = 0;
    bool FAutoPopupWidth = false;
    QPointer<QWidget> FPopupForm;
    bool FForcedExit = false;
    bool FSubClassed = false;
    QPointer<QWidget> FWatched;
    QPointer<QWidget> FWatchedParent;
};

namespace FxEditLinkDriver {
// The grid's show of edCustom over the cell; the link's control, or null.
QWidget* Show(TFxStringGrid& grid, int acol, int arow, const fw::TRect& cell, fw::TColor color,
              const fw::TFont& font, const QString& value, QChar startChar);
// The grid's write-back and hide of edCustom (real column `col`).
void Hide(TFxStringGrid& grid, int col, int row);
} // namespace FxEditLinkDriver
