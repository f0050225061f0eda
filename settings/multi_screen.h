// The monitors of the desktop, and which one's work area (the monitor less
// task bars) holds a point.
#pragma once

#include <windows.h>

#include <vector>

struct MonitorEntry {
  HMONITOR monitor = NULL;
  HDC dc = NULL;  // as the enumeration passed it; null, since it is bound to no DC
  MONITORINFOEXW info = {};
};

class MultiScreen_CL {
 public:
  MultiScreen_CL();
  virtual ~MultiScreen_CL() = default;

  // Lists every monitor in the system's order; returns false if the
  // enumeration failed (the list is then empty or partial).
  bool Enumerate();
  // Appends one monitor and remembers it as the primary one if its flags say so.
  void AddMonitor(const MonitorEntry& entry);

  // Index of the first monitor whose work area holds (x, y), counting the
  // left and top edges in and the right and bottom edges out; -1 if none.
  int FindMonitor(int x, int y) const;

  const std::vector<MonitorEntry>& GetMonitors() const { return monitors; }
  const MonitorEntry& GetPrimary() const { return primary; }

 private:
  void Reset();

  MonitorEntry primary;
  std::vector<MonitorEntry> monitors;
};
