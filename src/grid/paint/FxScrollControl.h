#pragma once
// TScrollControl: the thin scroll bar a grid draws itself in the ssMetro
// scroll style. Only its thumb is drawn, over the grid's own pixels; a press
// beside the thumb pages, a drag moves the grid's top row (left column).
#include "framework/Types.h"
#include "grid/paint/FxGridPaintTypes.h"

#include <QWidget>

class TFxStringGrid;
class TScrollDock;

class TScrollControl : public QWidget {
public:
    explicit TScrollControl(QWidget* owner = nullptr);

    fw::TColor Color() const { return FColor; }
    void SetColor(fw::TColor value);   // repaints when changed
    // Thickness of the thumb in pixels.
    int ScrollWidth() const { return FScrollWidth; }
    void SetScrollWidth(int value) { FScrollWidth = value; }
    TScrollDirection Direction() const { return FDirection; }
    void SetDirection(TScrollDirection value);   // docks at the grid's right or bottom edge

    // The thumb along the control: start and length in pixels; length 0
    // when every row (column) fits and no thumb shows.
    struct TThumb {
        int Start = 0;
        int Length = 0;
    };
    TThumb Thumb() const;
    bool DownOnScroller() const { return FDownOnScroller; }

    // The mouse in control coordinates (also reached through the Qt events).
    void MouseDown(int X, int Y);
    void MouseMove(int X, int Y);
    void MouseUp();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    TFxStringGrid* Grid() const;
    bool AllFit() const;

    fw::TColor FColor = 0xC0C0C0;
    int FScrollWidth = 4;
    TScrollDirection FDirection = sdVertical;
    TScrollDock* FDock = nullptr;
    bool FDownOnScroller = false;
    int FDownPos = 0;
    int FDownRow = 0;
};
