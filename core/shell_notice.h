// Tells the Windows shell that a photo file changed, so that open Explorer
// windows draw its thumbnail again instead of keeping the old one.
#pragma once

#include <string>

#ifdef _WIN32
// SHChangeNotify(SHCNE_UPDATEITEM, SHCNF_PATHW, path). shell32 is loaded on
// first use, from the system folder only: snapvane-cli must not link it.
void NotifyShellOfUpdate(const std::wstring& path);
#else
inline void NotifyShellOfUpdate(const std::wstring&) {}
#endif
