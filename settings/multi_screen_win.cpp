#include "multi_screen.h"

#include "exception_guard.h"

namespace {

BOOL CALLBACK AddOneMonitor(HMONITOR monitor, HDC dc, LPRECT, LPARAM data) {
  MonitorEntry entry;
  entry.monitor = monitor;
  entry.dc = dc;
  entry.info.cbSize = sizeof entry.info;
  GetMonitorInfoW(monitor, &entry.info);
  // Out of memory: the enumeration stops with the monitors it has.
  return CallGuarded<BOOL>(FALSE, [&] {
    reinterpret_cast<MultiScreen_CL*>(data)->AddMonitor(entry);
    return TRUE;
  });
}

}  // namespace

MultiScreen_CL::MultiScreen_CL() { Reset(); }

void MultiScreen_CL::Reset() {
  monitors.clear();
  primary = MonitorEntry();
  primary.info.cbSize = sizeof primary.info;
}

bool MultiScreen_CL::Enumerate() {
  Reset();
  return EnumDisplayMonitors(NULL, NULL, AddOneMonitor, reinterpret_cast<LPARAM>(this)) != FALSE;
}

void MultiScreen_CL::AddMonitor(const MonitorEntry& entry) {
  monitors.push_back(entry);
  if (entry.info.dwFlags == MONITORINFOF_PRIMARY) primary = entry;
}

int MultiScreen_CL::FindMonitor(int x, int y) const {
  for (std::size_t i = 0; i < monitors.size(); ++i) {
    const RECT& work = monitors[i].info.rcWork;
    if (work.left <= x && x < work.right && work.top <= y && y < work.bottom) {
      return static_cast<int>(i);
    }
  }
  return -1;
}
