#include "framework/PopupWindow.h"

#include "framework/SysColors.h"

#include <QApplication>
#include <QMouseEvent>

namespace fw {

TPopupWindow::TPopupWindow(QWidget* owner)
    : QWidget(owner, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setAttribute(Qt::WA_DeleteOnClose, false);
    setMouseTracking(true);
}

TPopupWindow::~TPopupWindow() { WatchOutsideClicks(false); }

void TPopupWindow::ShowAt(const TRect& bounds)
{
    setGeometry(ToQRect(bounds));
    show();
    raise();
    activateWindow();
}

void TPopupWindow::SetSizeable(bool value)
{
    FSizeable = value;
    if (!value)
        unsetCursor();
}

void TPopupWindow::SetShadow(bool value)
{
    if (value == FShadow)
        return;
    FShadow = value;
    // A window hint for the compositor; it takes effect with the next show.
    const bool wasVisible = isVisible();
    setWindowFlag(Qt::NoDropShadowWindowHint, !value);
    if (wasVisible)
        show();
}

bool TPopupWindow::Owns(const QWidget* w) const
{
    // Parents are walked across window boundaries.
    for (; w; w = w->parentWidget())
        if (w == this)
            return true;
    return false;
}

bool TPopupWindow::InCorner(const QPoint& p) const
{
    return FSizeable && p.x() > width() - SizeableCorner && p.y() > height() - SizeableCorner;
}

void TPopupWindow::BeginCornerSizing(const QPoint& globalPos)
{
    FSizing = true;
    FSizeStart = globalPos;
    FSizeStartSize = size();
    qApp->installEventFilter(this);
}

void TPopupWindow::mousePressEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton && InCorner(e->position().toPoint())) {
        BeginCornerSizing(e->globalPosition().toPoint());
        e->accept();
        return;
    }
    QWidget::mousePressEvent(e);
}

void TPopupWindow::mouseMoveEvent(QMouseEvent* e)
{
    if (!FSizing) {
        if (InCorner(e->position().toPoint()))
            setCursor(Qt::SizeFDiagCursor);
        else
            unsetCursor();
    }
    QWidget::mouseMoveEvent(e);
}

void TPopupWindow::WatchOutsideClicks(bool on)
{
    if (on == FWatching)
        return;
    FWatching = on;
    if (on)
        qApp->installEventFilter(this);
    else if (!FSizing)
        qApp->removeEventFilter(this);
}

bool TPopupWindow::eventFilter(QObject* watched, QEvent* e)
{
    if (FSizing) {
        if (e->type() == QEvent::MouseMove) {
            const QPoint delta = static_cast<QMouseEvent*>(e)->globalPosition().toPoint() - FSizeStart;
            const QSize wanted = (FSizeStartSize + QSize(delta.x(), delta.y())).expandedTo(minimumSize());
            if (wanted != size()) {
                resize(wanted);
                if (OnSizing)
                    OnSizing();
            }
            return true;
        }
        if (e->type() == QEvent::MouseButtonRelease) {
            FSizing = false;
            if (!FWatching)
                qApp->removeEventFilter(this);
            return true;
        }
        return false;
    }
    if (FWatching && e->type() == QEvent::MouseButtonPress && watched->isWidgetType()) {
        auto* target = static_cast<QWidget*>(watched);
        if (!Owns(target))
            Deactivated(target->window());
    }
    return false;
}

bool TPopupWindow::event(QEvent* e)
{
    switch (e->type()) {
    case QEvent::Show:
        WatchOutsideClicks(true);
        break;
    case QEvent::WindowActivate:
        if (!FBlockActivate && OnActivate)
            OnActivate();
        break;
    case QEvent::WindowDeactivate:
        if (isVisible())
            Deactivated(QApplication::activeWindow());
        break;
    default: break;
    }
    return QWidget::event(e);
}

void TPopupWindow::Deactivated(QWidget* activated)
{
    // Hiding an active window deactivates it once more on the way.
    if (FBlockActivate || FDeactivating || !isVisible())
        return;
    // A window of the popup's own (a list it opened) does not end it.
    if (activated && Owns(activated))
        return;
    FDeactivating = true;
    if (OnDeactivate)
        OnDeactivate(activated);
    else
        hide();
    FDeactivating = false;
}

void TPopupWindow::hideEvent(QHideEvent* e)
{
    QWidget::hideEvent(e);
    WatchOutsideClicks(false);
    if (OnHide)
        OnHide();
}

} // namespace fw
