#pragma once
// Keeps a top-level window from holding the activation: the window flags ask
// the window system not to activate it, and where one does so anyway (on
// showing it, or on a click) the window that was active before gets the
// activation back, so the user's window keeps its keys and its focus.
#include <QObject>
#include <QPointer>
#include <QWidget>

namespace fw {

class TNoActivate : public QObject {
public:
    // Watches `window` and lives as its child.
    explicit TNoActivate(QWidget* window);

    // `window` is one that never keeps the activation: a control losing its
    // focus to it has not lost it for good (the activation comes back).
    static bool Watches(const QWidget* window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* FWindow;
    QPointer<QWidget> FActiveBefore;
};

} // namespace fw
