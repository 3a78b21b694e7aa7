#include "framework/NoActivate.h"

#include <QApplication>
#include <QEvent>

namespace fw {

namespace {
const char* const kWatched = "fwNoActivate";
}

TNoActivate::TNoActivate(QWidget* window) : QObject(window), FWindow(window)
{
    window->installEventFilter(this);
    window->setProperty(kWatched, true);
}

bool TNoActivate::Watches(const QWidget* window)
{
    return window && window->property(kWatched).toBool();
}

bool TNoActivate::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != FWindow)
        return false;
    if (event->type() == QEvent::Show) {
        // The show event comes before the window system sees the window.
        QWidget* active = QApplication::activeWindow();
        if (active != FWindow)
            FActiveBefore = active ? active : (FWindow->parentWidget() ? FWindow->parentWidget()->window() : nullptr);
    } else if (event->type() == QEvent::WindowActivate && FActiveBefore && FActiveBefore != FWindow &&
               FActiveBefore->isVisible()) {
        FActiveBefore->activateWindow();
    }
    return false;
}

} // namespace fw
