#pragma once
// The string grid's in-place text editor. Like the grid, it takes its input
// through a virtual window procedure and hands navigation keys and typed
// characters to the grid first, so grid descendants see them in the order
// they expect.
#include "framework/Input.h"
#include "framework/Types.h"

#include <QLineEdit>
#include <QString>

namespace fw {

class TStringGrid;

class TInplaceEdit : public QLineEdit {
    Q_OBJECT
public:
    // The editor is a child of `grid` and stays hidden until the grid shows it.
    explicit TInplaceEdit(TStringGrid* grid);
    ~TInplaceEdit() override;

    TStringGrid* Grid() const { return grid_; }
    QString Text() const { return text(); }
    void SetText(const QString& value);
    QString EditMask() const { return mask_; }
    void SetEditMask(const QString& value);
    // Limits what typing and pasting may add; text set on the editor (the
    // cell's text) is never shortened.
    int MaxLength() const { return limit_; }
    void SetMaxLength(int value);          // 0 = no limit
    bool Modified() const { return isModified(); }
    void Deselect();
    void SelectAll();

    std::intptr_t Perform(unsigned Msg, std::intptr_t WParam = 0, std::intptr_t LParam = 0);
    void PostMessage(unsigned Msg, std::intptr_t WParam = 0, std::intptr_t LParam = 0);

protected:
    friend class TStringGrid;

    // Window procedure: the default passes the message to Dispatch.
    virtual void WndProc(TMessage& Message);
    void Dispatch(TMessage& Message);

    // Up, Down, PgUp, PgDn and Escape go to the grid's KeyDown; Tab too
    // (without Alt); Left/Home and Right/End at the ends of the text go there
    // with goAlwaysShowEditor; F2 toggles between caret and selection. A key
    // left non-zero fires the grid's OnKeyDown and reaches the edit.
    virtual void KeyDown(int& Key, TShiftState Shift);
    virtual void KeyUp(int& Key, TShiftState Shift);
    // The grid's KeyPress sees the character first; Enter and Escape never
    // reach the text; Escape restores the text loaded from the cell and ends editing.
    virtual void KeyPress(QChar& Key);
    // After every change of the text (user or program).
    virtual void Change();
    virtual void DblClick();
    // Loads the text, mask and length limit of the grid's current cell.
    virtual void UpdateContents();
    // Places the editor over `r` (client coordinates of the grid's viewport).
    virtual void BoundsChanged(const TRect& r);

    // Access to the grid's hooks for descendants of the editor.
    void GridKeyDown(int& Key, TShiftState Shift);
    void GridKeyPress(QChar& Key);
    void GridKeyUp(int& Key, TShiftState Shift);

    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;

private:
    void DefaultKeyDown(int key, TShiftState shift);
    void DefaultChar(QChar ch);

    TStringGrid* grid_;
    QString original_;
    QString mask_;
    bool inQtKey_ = false;
    int limit_ = 0;
    QString accepted_;      // the text before the edit being validated
    bool loading_ = false;  // text set by the program, not typed
};

} // namespace fw
