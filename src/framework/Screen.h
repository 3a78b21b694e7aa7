#pragma once
// The monitors a popup places itself on and the few system metrics the
// controls size themselves with. Tests replace the monitors with fixed ones
// so that placement near a screen edge can be checked on any machine.
#include "framework/Types.h"

#include <vector>

namespace fw {

struct TMonitorInfo {
    TRect Bounds;     // the whole monitor, in virtual-screen coordinates
    TRect WorkArea;   // without task bars and docks
    friend bool operator==(const TMonitorInfo&, const TMonitorInfo&) = default;
};

// The monitors, the primary one first.
std::vector<TMonitorInfo> Monitors();
// Work area of the monitor that holds `p`, else of the monitor nearest to it.
TRect WorkAreaNear(const TPoint& p);

// Indices of GetSystemMetrics, numbered as on the desktop.
constexpr int SM_CXSCREEN = 0, SM_CYSCREEN = 1, SM_CXVSCROLL = 2, SM_CYHSCROLL = 3, SM_CXBORDER = 5,
              SM_CYBORDER = 6, SM_CXEDGE = 45, SM_CYEDGE = 46;
// Screen sizes are the primary monitor's; scroll bar extents the widget
// style's; 0 for an index not listed above.
int GetSystemMetrics(int index);

// Replaces the monitors for the guard's lifetime (the first one is primary).
class TScopedMonitors {
public:
    explicit TScopedMonitors(std::vector<TMonitorInfo> monitors);
    ~TScopedMonitors();
    TScopedMonitors(const TScopedMonitors&) = delete;
    TScopedMonitors& operator=(const TScopedMonitors&) = delete;

private:
    std::vector<TMonitorInfo> FPrevious;
};

} // namespace fw
