#include "framework/Screen.h"

#include "framework/SysColors.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QStyle>

#include <algorithm>
#include <climits>

namespace fw {

namespace {

std::vector<TMonitorInfo>& overrideMonitors()
{
    static std::vector<TMonitorInfo> monitors;
    return monitors;
}

// Squared distance from p to the nearest point of r (0 inside).
long long distanceSquared(const TPoint& p, const TRect& r)
{
    const long long dx = p.X < r.Left ? r.Left - p.X : p.X >= r.Right ? p.X - r.Right + 1 : 0;
    const long long dy = p.Y < r.Top ? r.Top - p.Y : p.Y >= r.Bottom ? p.Y - r.Bottom + 1 : 0;
    return dx * dx + dy * dy;
}

} // namespace

std::vector<TMonitorInfo> Monitors()
{
    if (!overrideMonitors().empty())
        return overrideMonitors();
    std::vector<TMonitorInfo> result;
    QScreen* primary = QGuiApplication::primaryScreen();
    if (primary)
        result.push_back({FromQRect(primary->geometry()), FromQRect(primary->availableGeometry())});
    for (QScreen* s : QGuiApplication::screens())
        if (s != primary)
            result.push_back({FromQRect(s->geometry()), FromQRect(s->availableGeometry())});
    return result;
}

TRect WorkAreaNear(const TPoint& p)
{
    const std::vector<TMonitorInfo> monitors = Monitors();
    if (monitors.empty())
        return TRect(0, 0, 1024, 768);
    const TMonitorInfo* best = &monitors.front();
    long long bestDistance = LLONG_MAX;
    for (const TMonitorInfo& m : monitors) {
        const long long d = distanceSquared(p, m.Bounds);
        if (d < bestDistance) {
            bestDistance = d;
            best = &m;
        }
    }
    return best->WorkArea;
}

int GetSystemMetrics(int index)
{
    const std::vector<TMonitorInfo> monitors = Monitors();
    const TRect primary = monitors.empty() ? TRect(0, 0, 1024, 768) : monitors.front().Bounds;
    QStyle* style = QApplication::style();
    switch (index) {
    case SM_CXSCREEN: return primary.Width();
    case SM_CYSCREEN: return primary.Height();
    case SM_CXVSCROLL:
    case SM_CYHSCROLL: return style ? style->pixelMetric(QStyle::PM_ScrollBarExtent) : 16;
    case SM_CXBORDER:
    case SM_CYBORDER: return 1;
    case SM_CXEDGE:
    case SM_CYEDGE: return 2;
    default: return 0;
    }
}

TScopedMonitors::TScopedMonitors(std::vector<TMonitorInfo> monitors) : FPrevious(overrideMonitors())
{
    overrideMonitors() = std::move(monitors);
}

TScopedMonitors::~TScopedMonitors() { overrideMonitors() = std::move(FPrevious); }

} // namespace fw
