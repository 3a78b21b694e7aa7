#pragma once
// The millisecond clock that timing rules read ("reopen only 250 ms after the
// last close", "forget the typed search after 500 ms") and the timers that
// fire on it. The process runs on the system tick; a test installs a manual
// source and moves time forward itself, so nothing waits for real time.
#include <QObject>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace fw {

class TTickTimer;

class TTickSource {
public:
    virtual ~TTickSource();
    // Milliseconds since an arbitrary start, wrapping at 2^32 like the desktop tick.
    virtual std::uint32_t Now() const = 0;

protected:
    friend class TTickTimer;
    // Starts `timer` firing every `interval` ms from now; replaces an earlier schedule.
    virtual void Schedule(TTickTimer& timer, int interval) = 0;
    virtual void Cancel(TTickTimer& timer) = 0;
};

// The source in use (the system tick unless a test installed another).
TTickSource& CurrentTickSource();
// CurrentTickSource().Now().
std::uint32_t TickCount();
// Milliseconds from `since` to `now`, right across a wrap of the counter.
constexpr std::uint32_t TicksBetween(std::uint32_t since, std::uint32_t now) { return now - since; }

// Time that moves only through Advance, which fires the timers that fall due
// in order of their due time. Timers still scheduled when the source goes
// are stopped.
class TManualTickSource : public TTickSource {
public:
    explicit TManualTickSource(std::uint32_t start = 1000);
    ~TManualTickSource() override;
    std::uint32_t Now() const override { return FNow; }
    void Advance(std::uint32_t ms);
    // Timers waiting on this source.
    int ScheduledCount() const { return int(FEntries.size()); }

protected:
    void Schedule(TTickTimer& timer, int interval) override;
    void Cancel(TTickTimer& timer) override;

private:
    struct TEntry {
        TTickTimer* Timer;
        std::uint64_t Due;
        int Interval;
    };
    std::uint64_t FClock;   // unwrapped time, for due times beyond a wrap
    std::uint32_t FNow;
    std::vector<TEntry> FEntries;
};

// Makes `source` current for the guard's lifetime.
class TScopedTickSource {
public:
    explicit TScopedTickSource(TTickSource& source);
    ~TScopedTickSource();
    TScopedTickSource(const TScopedTickSource&) = delete;
    TScopedTickSource& operator=(const TScopedTickSource&) = delete;

private:
    TTickSource* FPrevious;
};

// A timer on the tick source that is current when it is enabled: OnTimer
// every Interval ms while Enabled, Interval > 0 and OnTimer is set. Enabling
// a running timer does not restart it; changing Interval does.
class TTickTimer {
public:
    TTickTimer();
    ~TTickTimer();
    TTickTimer(const TTickTimer&) = delete;
    TTickTimer& operator=(const TTickTimer&) = delete;

    int Interval() const { return FInterval; }
    void SetInterval(int ms);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool enabled);
    void SetOnTimer(std::function<void()> handler);
    bool IsRunning() const { return FSource != nullptr; }

private:
    friend class TManualTickSource;
    friend class TSystemTickSource;
    void Restart();
    void Stop();
    void Fire();

    int FInterval = 1000;
    bool FEnabled = false;
    std::function<void()> FOnTimer;
    TTickSource* FSource = nullptr;
    std::unique_ptr<QObject> FSystemTimer;   // the Qt timer while on the system tick
};

} // namespace fw
