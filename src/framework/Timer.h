#pragma once
// Timer component and small process helpers of the platform layer. Timers
// fire on the thread that created them (the user-interface thread).
#include <QObject>

#include <cstdint>
#include <functional>
#include <memory>

namespace fw {

// Fires OnTimer every Interval milliseconds while Enabled, Interval > 0 and
// OnTimer is set. Setting Enabled to the value it already has changes nothing
// (a running timer keeps its phase); changing Interval or OnTimer restarts
// the count.
class TTimer {
public:
    explicit TTimer(QObject* owner = nullptr);
    ~TTimer();
    TTimer(const TTimer&) = delete;
    TTimer& operator=(const TTimer&) = delete;

    int Interval() const;            // 1000 by default
    void SetInterval(int ms);
    bool Enabled() const;            // true by default
    void SetEnabled(bool enabled);
    void SetOnTimer(std::function<void()> handler);
    bool IsRunning() const;          // the underlying timer is active

    struct Impl;   // opaque; named here only for the manual clock in the source

private:
    std::unique_ptr<Impl> d;
};

// A clock driven by hand, for tests of timed behaviour without waiting. While
// one exists, GetTickCount reads its time and no TTimer runs by itself: Advance
// moves the time on and fires every timer that falls due, in time order, as
// often as its interval fits. Timers keep their settings across the switch and
// run on real time again once the clock is gone. At most one clock exists at a
// time, on the user-interface thread.
class TManualClock {
public:
    explicit TManualClock(std::uint64_t startMs = 0);
    ~TManualClock();
    TManualClock(const TManualClock&) = delete;
    TManualClock& operator=(const TManualClock&) = delete;

    std::uint64_t Now() const { return FNow; }
    void Advance(int ms);

private:
    std::uint64_t FNow;
};

// Milliseconds since an arbitrary start, wrapping at 2^32 like the desktop's tick.
std::uint32_t GetTickCount();
std::uint64_t GetTickCount64();

void Beep();
void Sleep(int ms);
// Handles pending events of the calling thread, then returns.
void ProcessMessages();
// Waits ms milliseconds while the windows keep handling input and paint;
// without an application object it simply sleeps.
void PauseProcessingEvents(int ms);

} // namespace fw
