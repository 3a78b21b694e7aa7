#pragma once
// The framework's graphic control: a control without a focus of its own that
// paints through a canvas and gets the mouse in the desktop's terms. Its
// handlers run guarded: an error goes to the application's exception handler,
// never into Qt's event delivery.
#include "framework/Input.h"

#include <QWidget>

namespace fw {

class TCanvas;

class TGraphicControl : public QWidget {
    Q_OBJECT
public:
    explicit TGraphicControl(QWidget* parent = nullptr);

protected:
    virtual void Paint(TCanvas& canvas);
    // The second press of a double click comes as a MouseDown with ssDouble,
    // then DblClick.
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual void DblClick();
    virtual void MouseEnter();
    virtual void MouseLeave();

    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
};

} // namespace fw
