#pragma once
// What the spin edit and the edit-with-button controls share as single-line
// edits with an embedded button at their right end: their own border (single,
// sunken when 3D, or none), a client area inside it, the formatting rectangle
// the text keeps to, the button's place, the select-all on entry and the rule
// that cut and paste need an enabled, writable editor.
#include "framework/Canvas.h"
#include "framework/Types.h"

#include <QLineEdit>

enum TBorderStyle { bsNone, bsSingle };

class TSgEditBase : public QLineEdit {
    Q_OBJECT
public:
    explicit TSgEditBase(QWidget* parent = nullptr);
    ~TSgEditBase() override;

    // Component loading: while loading, value writes only store (see the controls).
    void BeginLoad() { FLoading = true; }
    bool IsLoading() const { return FLoading; }
    virtual void Loaded() { FLoading = false; }

    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle value);
    // A 3D single border is two pixels sunken; a flat one a one-pixel line.
    bool Ctl3D() const { return FCtl3D; }
    void SetCtl3D(bool value);
    bool AutoSelect() const { return FAutoSelect; }
    void SetAutoSelect(bool value) { FAutoSelect = value; }
    bool TabStop() const { return FTabStop; }
    void SetTabStop(bool value);
    fw::TColor Color() const { return FColor; }
    void SetColor(fw::TColor value);
    // Without it the text can only change through the control's own steps and button.
    bool EditorEnabled() const { return FEditorEnabled; }
    virtual void SetEditorEnabled(bool value) { FEditorEnabled = value; }

    // Width of the border on each side, and the area inside it.
    int BorderWidth() const;
    int ClientWidth() const { return width() - 2 * BorderWidth(); }
    int ClientHeight() const { return height() - 2 * BorderWidth(); }
    // The rectangle the text keeps to, in client pixels.
    fw::TRect FormatRect() const { return FFormatRect; }

    void SetBounds(int left, int top, int width, int height) { setGeometry(left, top, width, height); }

protected:
    // Height below which the control is not made; a font change applies it again.
    virtual int MinimumHeight() const = 0;
    // Lays out the embedded button and the formatting rectangle for the current size.
    virtual void LayoutControl() = 0;
    // Whether entering the control selects its whole text (AutoSelect given).
    virtual bool SelectAllOnEnter() const;

    // Places `button` at the right end of the client area.
    void PlaceButton(QWidget* button, int buttonWidth);
    void SetFormatRect(const fw::TRect& r);
    // Moves the caret to `pos` (kept within the text), as value writes that keep it do.
    void RestoreCaret(int pos);
    // The selection start, or the caret when nothing is selected.
    int CaretPos() const;
    bool CanCutOrPaste() const { return FEditorEnabled && !isReadOnly(); }
    // False for a cut or paste key the control must not take; true otherwise.
    bool ClipboardKeyAllowed(QKeyEvent* event) const;
    // The height of the control's font and of the desktop's font.
    int FontHeight() const;
    int SystemFontHeight() const;
    void ApplyMinimumHeight();

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    bool FLoading = false;
    TBorderStyle FBorderStyle = bsSingle;
    bool FCtl3D = true;
    bool FAutoSelect = true;
    bool FTabStop = true;
    bool FEditorEnabled = true;
    fw::TColor FColor = fw::clWindow;
    fw::TRect FFormatRect;
};
