#include "update_server.h"

#ifndef SNAPVANE_UPDATE_HOST
#define SNAPVANE_UPDATE_HOST "www.snapvane.example"
#endif
#ifndef SNAPVANE_VERSION
#error "SNAPVANE_VERSION comes from the build (project() in CMakeLists.txt)"
#endif
#define SNAPVANE_WIDEN_(text) L##text
#define SNAPVANE_WIDEN(text) SNAPVANE_WIDEN_(text)

const wchar_t kAppVersion[] = SNAPVANE_WIDEN(SNAPVANE_VERSION);
const wchar_t kUpdateNoticeTitle[] = L"Snapvaneのアップデート。";
const wchar_t kVersionFileObject[] = L"Snapvane/Version.txt";
const wchar_t kSupportSitePath[] = L"/Snapvane/";

namespace {

const wchar_t kBuiltInHost[] = SNAPVANE_WIDEN(SNAPVANE_UPDATE_HOST);

std::wstring& TestHost() {
  static std::wstring host;
  return host;
}

int& TestPort() {
  static int port = kUpdateServerPort;
  return port;
}

}  // namespace

std::wstring UpdateServerHost() {
  return TestHost().empty() ? std::wstring(kBuiltInHost) : TestHost();
}

int UpdateServerPort() { return TestHost().empty() ? kUpdateServerPort : TestPort(); }

std::wstring SupportSiteAddress() {
  std::wstring address = L"http://" + UpdateServerHost();
  if (UpdateServerPort() != kUpdateServerPort) address += L":" + std::to_wstring(UpdateServerPort());
  return address + kSupportSitePath;
}

void SetUpdateServerForTest(const std::wstring& host, int port) {
  TestHost() = host;
  TestPort() = port;
}
