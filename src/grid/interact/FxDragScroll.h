#pragma once
// Scrolling while a drag hovers near the grid's edges: whether it is on,
// how long the pointer rests in a margin before the first step and between
// the further ones, and how wide each margin is (pixels from the edge of
// the cell area). The objects only store; the grid reads them.
#include <QObject>

#include <memory>

class TDragScrollDelays : public QObject {
public:
    int InitialDelay() const { return FInitialDelay; }
    void SetInitialDelay(int value) { FInitialDelay = value; }
    int RepeatDelay() const { return FRepeatDelay; }
    void SetRepeatDelay(int value) { FRepeatDelay = value; }
    // Copies both delays from another TDragScrollDelays; anything else is ignored.
    void Assign(const QObject* source);

private:
    int FInitialDelay = 1000;
    int FRepeatDelay = 250;
};

class TDragScrollMargins : public QObject {
public:
    int TopMargin() const { return FTopMargin; }
    void SetTopMargin(int value) { FTopMargin = value; }
    int BottomMargin() const { return FBottomMargin; }
    void SetBottomMargin(int value) { FBottomMargin = value; }
    int LeftMargin() const { return FLeftMargin; }
    void SetLeftMargin(int value) { FLeftMargin = value; }
    int RightMargin() const { return FRightMargin; }
    void SetRightMargin(int value) { FRightMargin = value; }
    // Copies the four margins from another TDragScrollMargins.
    void Assign(const QObject* source);

private:
    int FTopMargin = 50;
    int FBottomMargin = 50;
    int FLeftMargin = 50;
    int FRightMargin = 50;
};

class TDragScrollOptions : public QObject {
public:
    TDragScrollOptions();
    ~TDragScrollOptions() override;

    bool Active() const { return FActive; }
    void SetActive(bool value) { FActive = value; }
    TDragScrollDelays& Delays() const { return *FDelays; }
    void SetDelays(const TDragScrollDelays& value) { FDelays->Assign(&value); }
    TDragScrollMargins& Margins() const { return *FMargins; }
    void SetMargins(const TDragScrollMargins& value) { FMargins->Assign(&value); }
    // Copies Active, the delays and the margins from another TDragScrollOptions.
    void Assign(const QObject* source);

private:
    bool FActive = false;
    std::unique_ptr<TDragScrollDelays> FDelays;
    std::unique_ptr<TDragScrollMargins> FMargins;
};
