#pragma once
// The borderless window a drop-down opens: a frameless, stay-on-top tool
// window of its own (not a Qt::Popup, which would grab the keyboard and
// close by itself) that takes the focus when shown and reports when it is
// activated and when another window takes over. A press of a mouse button
// anywhere else in the program counts as another window being activated, so
// the popup also closes where no window manager moves the activation. The
// user sizes it from its bottom-right corner: from its own corner when
// Sizeable, or from a grip a child control offers through BeginCornerSizing.
#include "framework/Types.h"

#include <QPoint>
#include <QSize>
#include <QWidget>

#include <functional>

namespace fw {

class TPopupWindow : public QWidget {
    Q_OBJECT
public:
    // `owner`: the widget the popup belongs to; the popup stays above its
    // window and is destroyed with it.
    explicit TPopupWindow(QWidget* owner);
    ~TPopupWindow() override;

    // Places the popup at `bounds` (screen coordinates), shows it on top and
    // activates it, in one step so no intermediate frame shows.
    void ShowAt(const TRect& bounds);

    // The corner zone of SizeableCorner answers as a sizing corner.
    bool Sizeable() const { return FSizeable; }
    void SetSizeable(bool value);
    static constexpr int SizeableCorner = 10;
    // Starts sizing from the bottom-right corner with the mouse at
    // `globalPos`; the size follows the mouse until its button is released,
    // never below minimumSize().
    void BeginCornerSizing(const QPoint& globalPos);
    bool IsSizing() const { return FSizing; }

    // While set, activation changes are not reported.
    bool BlockActivate() const { return FBlockActivate; }
    void SetBlockActivate(bool value) { FBlockActivate = value; }

    bool Shadow() const { return FShadow; }
    void SetShadow(bool value);

    std::function<void()> OnActivate;
    // `activated`: the window taking over (null when none of this program's).
    std::function<void(QWidget* activated)> OnDeactivate;
    std::function<void()> OnHide;
    // While the user sizes the popup.
    std::function<void()> OnSizing;

protected:
    bool event(QEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;
    void hideEvent(QHideEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;

private:
    void Deactivated(QWidget* activated);
    void WatchOutsideClicks(bool on);
    bool InCorner(const QPoint& p) const;
    // `w` is the popup or lies inside it, also in a window it opened.
    bool Owns(const QWidget* w) const;

    bool FSizeable = false;
    bool FSizing = false;
    bool FBlockActivate = false;
    bool FShadow = true;
    bool FWatching = false;
    bool FDeactivating = false;
    QPoint FSizeStart;
    QSize FSizeStartSize;
};

} // namespace fw
