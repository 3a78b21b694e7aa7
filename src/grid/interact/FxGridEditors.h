#pragma once
// The in-place editors that wrap controls: the check box editor
// (edCheckBox), the spin editor (edSpinEdit, edFloatSpinEdit,
// edTimeSpinEdit, edDateSpinEdit) and the combo editor (edComboEdit,
// edComboList). Each is
// created once by the grid, placed and filled when an edit starts and
// written back when it ends; these classes tie their keys, focus and
// changes to the grid.
#include "framework/Input.h"
#include "grid/foundation/SgCombo.h"
#include "grid/foundation/SgSpin.h"

#include <QCheckBox>

#include <functional>

class TFxStringGrid;

class TGridCheckBox : public QCheckBox {
    Q_OBJECT
public:
    explicit TGridCheckBox(TFxStringGrid* grid);
    TFxStringGrid* Grid() const { return FGrid; }

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    TFxStringGrid* FGrid;
};

class TGridSpin : public TSgSpinEdit {
    Q_OBJECT
public:
    explicit TGridSpin(TFxStringGrid* grid);
    TFxStringGrid* Grid() const { return FGrid; }

    // The key handling of one key-down, as the editor runs it; false when
    // the key was taken here and goes no further.
    bool KeyDown(int& key, fw::TShiftState shift);

    void UpButtonClick(QObject* sender) override;
    void DownButtonClick(QObject* sender) override;

protected:
    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    // The grid hears of a step by a spin button, by spin type.
    void SpinClicked(bool up);

    TFxStringGrid* FGrid;
};

// The integer a spin cell's text opens with: leading blanks, a sign, decimal
// digits or hexadecimal ones after "$", "x" or "0x"; reading stops at the
// first character that does not belong, an empty text is 0.
int FxSpinCellInt(const QString& text);

class TGridCombo : public TSgComboBox {
    Q_OBJECT
public:
    explicit TGridCombo(TFxStringGrid* grid);
    TFxStringGrid* Grid() const { return FGrid; }

    // The choice list, mirrored into the combo's items.
    void SetItems(const QStringList& items);
    QStringList Items() const;
    int ItemIndex() const { return currentIndex(); }
    void SetItemIndex(int index);
    QString Text() const { return currentText(); }
    void SetText(const QString& text);
    // Sizes the drop-down list to the widest item.
    void SizeDropDownWidth();
    // Opens the list; opened by a press, it stays open after the release.
    void DropDown();

    // Fired by Enter.
    std::function<void(QObject* Sender)> OnReturnKey;
    bool WorkMode = true;

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    // False when the key was handled here and goes no further.
    bool HandleKeyDown(int& key, fw::TShiftState shift);
    void FireComboChange();
    void Complete();

    TFxStringGrid* FGrid;
    bool Forced = false;
    bool EnterDone = false;   // the key-down ended the edit with an accepted Enter
    int ItemIdx = -1;
    bool ItemChange = false;
};
