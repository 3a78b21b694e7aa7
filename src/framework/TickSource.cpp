#include "framework/TickSource.h"

#include "framework/Timer.h"

#include <QTimer>

#include <algorithm>

namespace fw {

TTickSource::~TTickSource() = default;

class TSystemTickSource : public TTickSource {
public:
    std::uint32_t Now() const override { return GetTickCount(); }

protected:
    void Schedule(TTickTimer& timer, int interval) override
    {
        auto* qt = new QTimer;
        QObject::connect(qt, &QTimer::timeout, qt, [&timer] { timer.Fire(); });
        qt->start(interval);
        timer.FSystemTimer.reset(qt);
    }
    void Cancel(TTickTimer& timer) override { timer.FSystemTimer.reset(); }
};

namespace {

TSystemTickSource& systemSource()
{
    static TSystemTickSource source;
    return source;
}

TTickSource*& currentSource()
{
    static TTickSource* current = &systemSource();
    return current;
}

} // namespace

TTickSource& CurrentTickSource() { return *currentSource(); }

std::uint32_t TickCount() { return CurrentTickSource().Now(); }

// ---- manual source ---------------------------------------------------------------------

TManualTickSource::TManualTickSource(std::uint32_t start) : FClock(start), FNow(start) {}

TManualTickSource::~TManualTickSource()
{
    for (const TEntry& e : FEntries) {
        e.Timer->FSource = nullptr;
    }
}

void TManualTickSource::Schedule(TTickTimer& timer, int interval)
{
    Cancel(timer);
    FEntries.push_back({&timer, FClock + std::uint64_t(interval), interval});
}

void TManualTickSource::Cancel(TTickTimer& timer)
{
    std::erase_if(FEntries, [&](const TEntry& e) { return e.Timer == &timer; });
}

void TManualTickSource::Advance(std::uint32_t ms)
{
    const std::uint64_t target = FClock + ms;
    for (;;) {
        auto next = std::min_element(FEntries.begin(), FEntries.end(),
                                     [](const TEntry& a, const TEntry& b) { return a.Due < b.Due; });
        if (next == FEntries.end() || next->Due > target)
            break;
        FClock = next->Due;
        FNow = std::uint32_t(FClock);
        TTickTimer* timer = next->Timer;
        next->Due += std::uint64_t(std::max(next->Interval, 1));
        // The handler may stop, restart or destroy the timer.
        timer->Fire();
    }
    FClock = target;
    FNow = std::uint32_t(FClock);
}

// ---- scope -----------------------------------------------------------------------------

TScopedTickSource::TScopedTickSource(TTickSource& source) : FPrevious(currentSource())
{
    currentSource() = &source;
}

TScopedTickSource::~TScopedTickSource() { currentSource() = FPrevious; }

// ---- timer -----------------------------------------------------------------------------

TTickTimer::TTickTimer() = default;

TTickTimer::~TTickTimer() { Stop(); }

void TTickTimer::SetInterval(int ms)
{
    if (ms == FInterval)
        return;
    FInterval = ms;
    Restart();
}

void TTickTimer::SetEnabled(bool enabled)
{
    if (enabled == FEnabled)
        return;
    FEnabled = enabled;
    Restart();
}

void TTickTimer::SetOnTimer(std::function<void()> handler)
{
    FOnTimer = std::move(handler);
    Restart();
}

void TTickTimer::Stop()
{
    if (FSource)
        FSource->Cancel(*this);
    FSource = nullptr;
}

void TTickTimer::Restart()
{
    Stop();
    if (!FEnabled || FInterval <= 0 || !FOnTimer)
        return;
    FSource = &CurrentTickSource();
    FSource->Schedule(*this, FInterval);
}

void TTickTimer::Fire()
{
    // A copy, so that a handler may replace or clear itself.
    const std::function<void()> handler = FOnTimer;
    if (handler)
        handler();
}

} // namespace fw
