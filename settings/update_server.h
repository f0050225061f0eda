// Where the program asks for news of a newer version of itself, and where its
// web page lies. The host is chosen when the program is built
// (SNAPVANE_UPDATE_HOST); the version file and the support page both live on it.
#pragma once

#include <string>

extern const wchar_t kAppVersion[];          // the version of this build, from project()
extern const wchar_t kUpdateNoticeTitle[];   // "Snapvaneのアップデート。"
extern const wchar_t kVersionFileObject[];   // "Snapvane/Version.txt", no leading slash
extern const wchar_t kSupportSitePath[];     // "/Snapvane/"

constexpr int kUpdateServerPort = 80;

std::wstring UpdateServerHost();
int UpdateServerPort();
// "http://" + host + "/Snapvane/"; the port is named only when it is not 80.
std::wstring SupportSiteAddress();

// Points the whole program at another server (a test's own on 127.0.0.1).
// An empty host goes back to the one the program was built with.
void SetUpdateServerForTest(const std::wstring& host, int port);
