#pragma once
// TFxTrackBarDropDown: an integer edit whose popup is a horizontal track
// bar. The edit shows the position; Up and Down step it by Frequency while
// the edit does not type, and dragging the mouse across the edit moves it by
// one per PageSize pixels. Closing the popup with Escape gives back the
// value the edit showed when it opened.
#include "controls/dropdown/FxCustomDropDown.h"

class QSlider;

class TFxTrackBarDropDown : public TFxCustomDropDown {
    Q_OBJECT
public:
    explicit TFxTrackBarDropDown(QWidget* parent = nullptr);
    ~TFxTrackBarDropDown() override;

    // Once the track bar exists, its range rules decide what is kept.
    int Min() const { return FMin; }
    void SetMin(int value);
    int Max() const { return FMax; }
    void SetMax(int value);
    int Position() const { return FPosition; }
    void SetPosition(int value);
    // Tick spacing and the Up/Down step.
    int Frequency() const { return FFrequency; }
    void SetFrequency(int value);
    // The track bar's page step and the drag divisor (0 counts as 1).
    int PageSize() const { return FPageSize; }
    void SetPageSize(int value);
    QSlider* TrackBar() const { return FTrackBar; }
    void DoHideDropDown(bool cancel) override;

    TNotifyEvent OnTrackChange;

protected:
    void CreateDropDownForm() override;
    void BeforeDropDown() override;
    void HandleChange() override;
    void KeyDown(int& key, fw::TShiftState shift) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    void TrackChange(int value);

    QSlider* FTrackBar = nullptr;
    int FMin = 0;
    int FFrequency = 1;
    int FPageSize = 2;
    int FMax = 10;
    int FPosition = 0;
    bool FMouseDraging = false;
    int FMouseX = 0;
    // What the edit showed and the position when the popup opened.
    QString FDropText;
    int FDropPosition = 0;
};
