#include "framework/Timer.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEventLoop>
#include <QPointer>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <stdexcept>
#include <vector>

namespace fw {

namespace {
TManualClock* activeClock = nullptr;
}

struct TTimer::Impl {
    QPointer<QTimer> timer;
    int interval = 1000;
    bool enabled = true;
    std::function<void()> handler;
    // Under a manual clock: whether the timer counts, and when it falls due.
    bool counting = false;
    std::uint64_t dueAt = 0;

    bool wantsToRun() const { return enabled && interval > 0 && handler; }

    void update()
    {
        counting = false;
        // A timer whose owner has gone runs no more, on either clock.
        if (!timer)
            return;
        timer->stop();
        if (!wantsToRun())
            return;
        if (activeClock) {
            counting = true;
            dueAt = activeClock->Now() + std::uint64_t(interval);
        } else {
            timer->start(interval);
        }
    }

    void fire()
    {
        // A copy, so that a handler may replace or clear itself.
        const std::function<void()> h = handler;
        if (h)
            h();
    }
};

namespace {

// Every timer alive, so that a manual clock can take them over and give them back.
std::vector<TTimer::Impl*>& liveTimers()
{
    static std::vector<TTimer::Impl*> timers;
    return timers;
}

void restartAll()
{
    for (TTimer::Impl* t : liveTimers())
        t->update();
}

} // namespace

TManualClock::TManualClock(std::uint64_t startMs) : FNow(startMs)
{
    if (activeClock)
        throw std::logic_error("only one manual clock may exist at a time");
    activeClock = this;
    restartAll();
}

TManualClock::~TManualClock()
{
    activeClock = nullptr;
    restartAll();
}

void TManualClock::Advance(int ms)
{
    const std::uint64_t target = FNow + std::uint64_t(std::max(ms, 0));
    for (;;) {
        // The earliest due timer; handlers may create, change or destroy timers,
        // so the list is searched afresh after every firing.
        TTimer::Impl* next = nullptr;
        for (TTimer::Impl* t : liveTimers())
            if (t->counting && t->dueAt <= target && (!next || t->dueAt < next->dueAt))
                next = t;
        if (!next)
            break;
        FNow = next->dueAt;
        next->dueAt += std::uint64_t(next->interval);
        next->fire();
    }
    FNow = target;
}

TTimer::TTimer(QObject* owner) : d(std::make_unique<Impl>())
{
    liveTimers().push_back(d.get());
    d->timer = new QTimer(owner);
    QObject::connect(d->timer, &QTimer::timeout, d->timer, [impl = d.get()] { impl->fire(); });
}

TTimer::~TTimer()
{
    auto& timers = liveTimers();
    timers.erase(std::find(timers.begin(), timers.end(), d.get()));
    delete d->timer.data();
}

int TTimer::Interval() const
{
    return d->interval;
}

void TTimer::SetInterval(int ms)
{
    if (ms == d->interval)
        return;
    d->interval = ms;
    d->update();
}

bool TTimer::Enabled() const
{
    return d->enabled;
}

void TTimer::SetEnabled(bool enabled)
{
    if (enabled == d->enabled)
        return;
    d->enabled = enabled;
    d->update();
}

void TTimer::SetOnTimer(std::function<void()> handler)
{
    d->handler = std::move(handler);
    d->update();
}

bool TTimer::IsRunning() const
{
    if (activeClock)
        return d->counting;
    return d->timer && d->timer->isActive();
}

std::uint64_t GetTickCount64()
{
    if (activeClock)
        return activeClock->Now();
    using namespace std::chrono;
    return std::uint64_t(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

std::uint32_t GetTickCount()
{
    return std::uint32_t(GetTickCount64());
}

void Beep()
{
    QApplication::beep();
}

void Sleep(int ms)
{
    if (ms > 0)
        QThread::msleep(static_cast<unsigned long>(ms));
}

void ProcessMessages()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void PauseProcessingEvents(int ms)
{
    if (!QCoreApplication::instance()) {
        Sleep(ms);
        return;
    }
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace fw
