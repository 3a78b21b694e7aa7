#pragma once
// The search panel's check box: a windowed check box that draws a themed (or
// classic) box left or right of its caption, an optional see-through
// background and an embossed caption when disabled, and raises its click
// itself on a mouse release or Space.
#include "framework/Canvas.h"
#include "framework/Graphics.h"
#include "framework/Types.h"
#include "grid/foundation/FxTypes.h"

#include <QString>
#include <QWidget>

#include <functional>

enum TTextLayout { tlTop, tlCenter, tlBottom };

class TFxCheckBox : public QWidget {
    Q_OBJECT
public:
    explicit TFxCheckBox(QWidget* parent = nullptr);
    ~TFxCheckBox() override;

    // taLeftJustify puts the box left of the caption, taRightJustify right of it.
    fw::TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(fw::TAlignment value);
    TTextLayout ButtonVertAlign() const { return FBtnVAlign; }
    void SetButtonVertAlign(TTextLayout value);
    QString Caption() const { return FCaption; }
    void SetCaption(const QString& value);
    bool Checked() const { return FState == cbChecked; }
    void SetChecked(bool value);
    TCheckBoxState State() const { return FState; }
    void SetState(TCheckBoxState value);
    fw::TColor Color() const { return FColor; }
    // Setting a colour ends ParentColor.
    void SetColor(fw::TColor value);
    // With ParentColor the parent's background shows behind the box.
    bool ParentColor() const { return FParentColor; }
    void SetParentColor(bool value);
    bool Ellipsis() const { return FEllipsis; }
    void SetEllipsis(bool value);
    const fw::TFont& Font() const { return FFont; }
    void SetFont(const fw::TFont& value);
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool value) { FReadOnly = value; }
    // Enter moves on to the next control as Tab does.
    bool ReturnIsTab() const { return FReturnIsTab; }
    void SetReturnIsTab(bool value) { FReturnIsTab = value; }
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool value);
    // The see-through background is the parent's own painting below; the
    // caching switch is kept for callers that set it.
    bool TransparentChaching() const { return FTransparentCaching; }
    void SetTransparentChaching(bool value) { FTransparentCaching = value; }
    bool TabStop() const { return FTabStop; }
    void SetTabStop(bool value);

    // The box is drawn pressed.
    bool Down() const { return FDown; }
    void SetDown(bool value);
    bool Hot() const { return FHot; }
    bool Focused() const { return FFocused; }

    // Flips Checked unless ReadOnly.
    virtual void Toggle();
    // Fires OnClick.
    virtual void Click();

    std::function<void(QObject* sender)> OnClick;

    // Where the box and the caption are drawn (client pixels).
    fw::TRect BoxRect() const;
    fw::TRect CaptionRect() const;

protected:
    virtual void Paint(fw::TCanvas& canvas);

    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void InvalidateBox(int size);

    bool FDown = false;
    TCheckBoxState FState = cbUnchecked;
    bool FFocused = false;
    bool FReturnIsTab = false;
    TTextLayout FBtnVAlign = tlTop;
    fw::TAlignment FAlignment = fw::taLeftJustify;
    bool FEllipsis = false;
    QString FCaption = QStringLiteral("TFxCheckBox");
    bool FHot = false;
    bool FReadOnly = false;
    bool FMouseDown = false;
    bool FTransparentCaching = false;
    bool FTransparent = false;
    bool FTabStop = false;
    fw::TColor FColor = fw::clWindow;
    bool FParentColor = true;
    fw::TFont FFont;
    int FShortcutId = 0;
};
