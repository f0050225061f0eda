#include "site_launch_recorder_win.h"

std::vector<std::wstring>& Opened() {
  static std::vector<std::wstring> opened;
  return opened;
}

HINSTANCE RecordLaunch(const std::wstring& address) {
  Opened().push_back(address);
  return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(42));  // above 32: opened
}
