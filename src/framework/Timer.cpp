#include "framework/Timer.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEventLoop>
#include <QPointer>
#include <QThread>
#include <QTimer>

#include <chrono>

namespace fw {

struct TTimer::Impl {
    QPointer<QTimer> timer;
    int interval = 1000;
    bool enabled = true;
    std::function<void()> handler;

    void update()
    {
        if (!timer)
            return;
        timer->stop();
        if (enabled && interval > 0 && handler)
            timer->start(interval);
    }
};

TTimer::TTimer(QObject* owner) : d(std::make_unique<Impl>())
{
    d->timer = new QTimer(owner);
    QObject::connect(d->timer, &QTimer::timeout, d->timer, [impl = d.get()] {
        // A copy, so that a handler may replace or clear itself.
        const std::function<void()> h = impl->handler;
        if (h)
            h();
    });
}

TTimer::~TTimer()
{
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
    return d->timer && d->timer->isActive();
}

std::uint64_t GetTickCount64()
{
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
