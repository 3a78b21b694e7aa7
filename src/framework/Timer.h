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

private:
    struct Impl;
    std::unique_ptr<Impl> d;
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
