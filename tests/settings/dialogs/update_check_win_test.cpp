// The update check against a real HTTP server on 127.0.0.1 (update_test_server.py,
// started beside this program by with_update_server.sh).
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app_settings.h"
#include "control_factory.h"
#include "inet_http.h"
#include "inifile.h"
#include "log_file.h"
#include "notice_answerer_win.h"
#include "site_launch_recorder_win.h"
#include "site_open.h"
#include "test_files.h"
#include "update_check.h"
#include "update_fetch.h"
#include "update_server.h"
#include "update_test_server_win.h"
#include "version_file.h"

namespace {

const char kSite[] = "http://www.snapvane.example/Snapvane/download.html";
const int kGo = kGoToSiteButtonId;
const int kLater = kRemindLaterButtonId;
const int kClose = 0;

int Today() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  return now.wDay;
}

// A port on which nothing listens.
int ClosedPort() {
  WSADATA data;
  WSAStartup(MAKEWORD(2, 2), &data);
  SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  sockaddr_in address = {};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address);
  int size = sizeof address;
  getsockname(s, reinterpret_cast<sockaddr*>(&address), &size);
  closesocket(s);
  WSACleanup();
  return ntohs(address.sin_port);
}

class UpdateCheckTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!server.Port()) GTEST_SKIP() << "no update test server runs beside this program";
    g_inifile.SetPath(dir.Join(L"Snapvane.ini"));
    g_logFile.SetPath(dir.Join(L"log.txt"));
    marker = dir.Join(L"MyHome.txt");
    Opened().clear();
    SetSiteLauncherForTest(&RecordLaunch, marker.c_str());
    // Hidden: under X without a window manager, hiding a shown window waits
    // two seconds for the withdrawal.
    owner = CreateWindowExW(0, L"Static", L"owner", WS_POPUP, 100, 100, 500, 400, NULL,
                            NULL, GetModuleHandleW(NULL), NULL);
  }

  void TearDown() override {
    SetSiteLauncherForTest(NULL, NULL);
    g_inifile.SetPath(L"");
    g_logFile.SetPath(L"");
    if (owner) DestroyWindow(owner);
  }

  // One start of the program: the check, with the "user" pressing `button`.
  UpdateCheckOutcome Start(int button, bool withOwner = true, int port = 0) {
    HWND slot = NULL;
    UpdateCheck_CL check(L"127.0.0.1", kVersionFileObject, &slot, port ? port : server.Port());
    NoticeAnswerer answerer(&slot, kUpdateNoticeTitle, button);
    check.CheckForUpdate(kUpdateNoticeTitle, kAppVersion, withOwner ? owner : NULL);
    notices += answerer.noticesSeen;
    noticeText = answerer.text;
    sawMessageBox = answerer.sawMessageBox;
    return check.Outcome();
  }

  int Setting(const wchar_t* key) { return g_inifile.ReadInt(kSectionVersion, key, -99); }
  void Set(const wchar_t* key, int value) { g_inifile.WriteInt(kSectionVersion, key, value); }

  std::wstring LogText() {
    const Bytes bytes = ReadBytes(dir.Join(L"log.txt"));
    std::wstring text;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
      text += static_cast<wchar_t>(bytes[i] | (bytes[i + 1] << 8));
    }
    return text;
  }

  UpdateTestServer server;
  TempDir dir;
  std::wstring marker;
  HWND owner = NULL;
  int notices = 0;
  std::wstring noticeText;
  bool sawMessageBox = false;
};

}  // namespace

TEST_F(UpdateCheckTest, NotifyOffMakesNoRequestWhateverForceSays) {
  ASSERT_TRUE(server.Serve(VersionFile("1.0.3.0", kSite)));
  Set(kKeyNotify, 1);
  for (int force : {0, 1, 2}) {
    Set(kKeyForce, force);
    EXPECT_EQ(UpdateCheckOutcome::kSwitchedOff, Start(kGo));
  }
  EXPECT_TRUE(server.Requests().empty());
  EXPECT_EQ(0, notices);
  EXPECT_EQ(-99, Setting(kKeyLastDay));
}

TEST_F(UpdateCheckTest, ForceTwoAsksAtEveryStartButFollowsTheComparison) {
  Set(kKeyForce, 2);
  ASSERT_TRUE(server.Serve(VersionFile("0.9.9.9", kSite)));
  EXPECT_EQ(UpdateCheckOutcome::kUpToDate, Start(kGo));
  EXPECT_EQ(UpdateCheckOutcome::kUpToDate, Start(kGo));
  EXPECT_EQ(2u, server.Requests().size());
  EXPECT_EQ(0, notices);
  EXPECT_EQ(Today(), Setting(kKeyLastDay));
}

TEST_F(UpdateCheckTest, ForceOneShowsTheNoticeForAnEqualVersion) {
  Set(kKeyForce, 1);
  // Seven bytes of version: "1.0.2" padded with NUL bytes reads as "1.0.2".
  ASSERT_TRUE(server.Serve(std::string("1.0.2\0\0\r\n", 9) + kSite + "\r\n"));
  EXPECT_EQ(UpdateCheckOutcome::kNoticeAnswered, Start(kClose));
  EXPECT_EQ(1, notices);
  EXPECT_EQ(MakeNoticeText(L"1.0.2", L"1.0.2"), noticeText);
  EXPECT_EQ(-99, Setting(kKeyLastDay));
}

TEST_F(UpdateCheckTest, NewerVersionShowsTheNoticeAndLaterEndsTheDay) {
  ASSERT_TRUE(server.Serve(VersionFile("1.0.3.0", kSite)));
  EXPECT_EQ(UpdateCheckOutcome::kNoticeAnswered, Start(kLater));
  EXPECT_EQ(1, notices);
  EXPECT_FALSE(sawMessageBox);
  EXPECT_EQ(MakeNoticeText(L"1.0.2", L"1.0.3.0"), noticeText);
  EXPECT_TRUE(Opened().empty());
  EXPECT_EQ(Today(), Setting(kKeyLastDay));

  // The next start that day asks nothing.
  EXPECT_EQ(UpdateCheckOutcome::kDoneToday, Start(kLater));
  EXPECT_EQ(1u, server.Requests().size());
  EXPECT_EQ(1, notices);
}

TEST_F(UpdateCheckTest, GoingToTheSiteOrClosingRecordsNothing) {
  ASSERT_TRUE(server.Serve(VersionFile("1.0.3.0", kSite)));
  EXPECT_EQ(UpdateCheckOutcome::kNoticeAnswered, Start(kGo));
  ASSERT_EQ(1u, Opened().size());
  EXPECT_EQ(L"http://www.snapvane.example/Snapvane/download.html", Opened()[0]);
  EXPECT_EQ(-99, Setting(kKeyLastDay));

  EXPECT_EQ(UpdateCheckOutcome::kNoticeAnswered, Start(kClose));
  EXPECT_EQ(1u, Opened().size());
  EXPECT_EQ(-99, Setting(kKeyLastDay));
  EXPECT_EQ(2u, server.Requests().size());  // each start asked again
  EXPECT_EQ(0, noticeShowing);
}

TEST_F(UpdateCheckTest, WithTheHomeMarkerGoingToTheSiteOpensNothing) {
  ASSERT_TRUE(WriteBytes(marker, Bytes()));
  ASSERT_TRUE(server.Serve(VersionFile("1.0.3.0", kSite)));
  EXPECT_EQ(UpdateCheckOutcome::kNoticeAnswered, Start(kGo));
  EXPECT_EQ(1, notices);
  EXPECT_TRUE(Opened().empty());
}

TEST_F(UpdateCheckTest, OlderVersionFinishesTheDayWithoutANotice) {
  ASSERT_TRUE(server.Serve(VersionFile("0.9.9.9", kSite)));
  EXPECT_EQ(UpdateCheckOutcome::kUpToDate, Start(kGo));
  EXPECT_EQ(0, notices);
  EXPECT_EQ(Today(), Setting(kKeyLastDay));
}

TEST_F(UpdateCheckTest, TheSameVersionPaddedWithALineBreakOrBlanksIsNotNewer) {
  Set(kKeyForce, 2);  // ask at every start, decide by the comparison
  for (const char* padded : {"1.0.2\r\n\r\n", "1.0.2  \r\n"}) {
    ASSERT_TRUE(server.Serve(std::string(padded) + kSite + "\r\n"));
    EXPECT_EQ(UpdateCheckOutcome::kUpToDate, Start(kClose)) << padded;
  }
  EXPECT_EQ(0, notices);
  EXPECT_EQ(Today(), Setting(kKeyLastDay));
}

TEST_F(UpdateCheckTest, NoContentLengthNeverLeadsToANotice) {
  ASSERT_TRUE(server.Serve(VersionFile("1.0.3.0", kSite), false));
  EXPECT_EQ(UpdateCheckOutcome::kUnusableResponse, Start(kGo));
  EXPECT_EQ(1u, server.Requests().size());
  EXPECT_EQ(0, notices);
  EXPECT_EQ(-99, Setting(kKeyLastDay));
}

TEST_F(UpdateCheckTest, AnHtmlPageCountsAsVersionZero) {
  ASSERT_TRUE(server.Serve("<html><body><h1>503 Service Unavailable</h1></body></html>\r\n"));
  EXPECT_EQ(UpdateCheckOutcome::kUpToDate, Start(kGo));
  EXPECT_EQ(0, notices);
  EXPECT_EQ(Today(), Setting(kKeyLastDay));
}

TEST_F(UpdateCheckTest, TheRequestCarriesTheAgentAndAsksForNoCachedCopy) {
  ASSERT_TRUE(server.Serve(VersionFile("0.9.9.9", kSite)));
  Start(kGo);
  const std::vector<std::string> requests = server.Requests();
  ASSERT_EQ(1u, requests.size());
  const std::string& request = requests[0];
  EXPECT_EQ(0u, request.find("GET /Snapvane/Version.txt HTTP/1.1\r\n")) << request;
  // Headers go out in the system's code page, full-width space included.
  char agent[128] = "";
  WideCharToMultiByte(CP_ACP, 0, kInetAgent, -1, agent, sizeof agent, NULL, NULL);
  EXPECT_NE(std::string::npos, request.find(std::string("\r\nUser-Agent: ") + agent + "\r\n"))
      << request;
  EXPECT_EQ(std::wstring(L"Microsoft Internet\x3000" L"Explorer"), kInetAgent);
  EXPECT_NE(std::string::npos, request.find("\r\nPragma: no-cache\r\n")) << request;
  EXPECT_EQ(std::string::npos, request.find("If-Modified-Since")) << request;
  EXPECT_EQ(std::string::npos, request.find("If-None-Match")) << request;
  EXPECT_NE(std::string::npos,
            request.find("\r\nHost: 127.0.0.1:" + std::to_string(server.Port()) + "\r\n"));
}

TEST_F(UpdateCheckTest, HostileResponsesOpenNothingAndDoNotCrash) {
  struct Case {
    const char* name;
    std::string response;  // raw
  };
  const std::string head = "HTTP/1.1 200 OK\r\nContent-Length: ";
  const std::string fileAddress = VersionFile("1.0.3.0", "file:///C:/Windows/system32/calc.exe");
  const std::string pathAddress = VersionFile("1.0.3.0", "C:\\Windows\\system32\\calc.exe");
  const std::string quoted = VersionFile("1.0.3.0", "http://a.example/\" --x \"file:///c:/");
  const Case cases[] = {
      {"file: address", head + std::to_string(fileAddress.size()) + "\r\n\r\n" + fileAddress},
      {"plain path", head + std::to_string(pathAddress.size()) + "\r\n\r\n" + pathAddress},
      {"quote in the address", head + std::to_string(quoted.size()) + "\r\n\r\n" + quoted},
      {"five bytes", head + "5\r\n\r\n1.0.3"},
      {"Content-Length beyond 32 bits", head + "99999999999999999999\r\n\r\n1.0.3.0\r\n"},
      {"negative Content-Length", head + "-20\r\n\r\n1.0.3.0\r\n"},
      {"empty response", ""},
      {"garbage", "\x01\x02 not http at all\r\n\r\n"},
  };
  for (int force : {0, 1}) {
    Set(kKeyForce, force);
    for (const Case& c : cases) {
      ASSERT_TRUE(server.ServeRaw(c.response)) << c.name;
      Start(kGo);
      EXPECT_TRUE(Opened().empty()) << c.name;
      EXPECT_EQ(0, notices) << c.name;
      EXPECT_EQ(-99, Setting(kKeyLastDay)) << c.name;
    }
  }
}

TEST_F(UpdateCheckTest, AHugeContentLengthEndsTheCheckWithoutReading) {
  // The connection stays open: reading would wait for the time-out.
  ASSERT_TRUE(server.ServeRaw("HTTP/1.1 200 OK\r\nContent-Length: 1000000000\r\n\r\n" +
                                  VersionFile("1.0.3.0", kSite),
                              true));
  const DWORD start = GetTickCount();
  EXPECT_EQ(UpdateCheckOutcome::kUnusableResponse, Start(kGo));
  EXPECT_LT(GetTickCount() - start, kInetTimeoutMs / 2);
  EXPECT_EQ(0, notices);
}

TEST_F(UpdateCheckTest, AShortBodyEndsTheCheckSilently) {
  const std::string body = VersionFile("1.0.3.0", kSite);
  ASSERT_TRUE(server.ServeRaw("HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(body.size() + 10) +
                              "\r\n\r\n" + body));
  EXPECT_EQ(UpdateCheckOutcome::kUnusableResponse, Start(kGo));
  EXPECT_EQ(0, notices);
  EXPECT_EQ(std::wstring::npos, LogText().find(L"エラー"));
}

TEST_F(UpdateCheckTest, ASilentServerHoldsTheStartOnlyForTheTimeOut) {
  ASSERT_TRUE(server.Hang());
  const DWORD start = GetTickCount();
  EXPECT_EQ(UpdateCheckOutcome::kRequestFailed, Start(kGo));
  const DWORD elapsed = GetTickCount() - start;
  EXPECT_LT(elapsed, kInetTimeoutMs + 2000);
  EXPECT_EQ(1u, server.Requests().size());
  EXPECT_EQ(-99, Setting(kKeyLastDay));  // the next start tries again
  EXPECT_NE(std::wstring::npos, LogText().find(L" : HttpSendRequest()エラー = 0x8007")) << LogText();
}

TEST_F(UpdateCheckTest, NoServerHoldsTheStartPastTheDeadline) {
  // A server that sends its answer one byte a second never lets WinINet's
  // own time-outs expire, in the headers or in the body; a name lookup is
  // not covered by them at all. Each costs the start at most the deadline.
  const std::string body = VersionFile("1.0.3.0", kSite);
  const std::string head =
      "HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(body.size()) + "\r\n\r\n";
  struct Case {
    const char* name;
    std::size_t atOnce;  // bytes sent before the trickle
    UpdateCheckOutcome outcome;
  };
  const Case cases[] = {
      {"headers trickle", 0, UpdateCheckOutcome::kRequestFailed},
      {"body trickles", head.size() + 3, UpdateCheckOutcome::kUnusableResponse},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(server.Trickle(head + body, c.atOnce)) << c.name;
    const DWORD start = GetTickCount();
    EXPECT_EQ(c.outcome, Start(kGo)) << c.name;
    const DWORD elapsed = GetTickCount() - start;
    std::printf("%s: the check returned after %lu ms\n", c.name, static_cast<unsigned long>(elapsed));
    EXPECT_GE(elapsed, kUpdateFetchDeadlineMs - 100) << c.name;
    EXPECT_LT(elapsed, kUpdateFetchDeadlineMs + 1000) << c.name;
    EXPECT_EQ(0, notices) << c.name;
    EXPECT_EQ(-99, Setting(kKeyLastDay)) << c.name;  // the next start tries again
  }
  // The headers' trickle is the send step's failure, as a time-out.
  EXPECT_NE(std::wstring::npos, LogText().find(L" : HttpSendRequest()エラー = 0x80072ee2 : ")) << LogText();

  const DWORD start = GetTickCount();
  HWND slot = NULL;
  UpdateCheck_CL unknown(L"no-such-host.invalid", kVersionFileObject, &slot, server.Port());
  unknown.CheckForUpdate(kUpdateNoticeTitle, kAppVersion, owner);
  const DWORD elapsed = GetTickCount() - start;
  std::printf("unknown name: the check returned after %lu ms\n", static_cast<unsigned long>(elapsed));
  EXPECT_EQ(UpdateCheckOutcome::kRequestFailed, unknown.Outcome());
  EXPECT_LT(elapsed, kUpdateFetchDeadlineMs + 1000);
}

TEST_F(UpdateCheckTest, ARefusedConnectionIsLoggedAndTriedAgainNextStart) {
  EXPECT_EQ(UpdateCheckOutcome::kRequestFailed, Start(kGo, true, ClosedPort()));
  EXPECT_EQ(-99, Setting(kKeyLastDay));
  EXPECT_NE(std::wstring::npos, LogText().find(L" : HttpSendRequest()エラー = 0x8007")) << LogText();
}

TEST_F(UpdateCheckTest, WithoutAnOwnerTheNoticeIsAYesNoCancelBox) {
  ASSERT_TRUE(server.Serve(VersionFile("1.0.3.0", kSite)));

  EXPECT_EQ(UpdateCheckOutcome::kNoticeAnswered, Start(IDYES, false));
  EXPECT_TRUE(sawMessageBox);
  EXPECT_EQ(MakeNoticeText(L"1.0.2", L"1.0.3.0"), noticeText);
  ASSERT_EQ(1u, Opened().size());
  EXPECT_EQ(-99, Setting(kKeyLastDay));

  EXPECT_EQ(UpdateCheckOutcome::kNoticeAnswered, Start(IDCANCEL, false));
  EXPECT_EQ(1u, Opened().size());
  EXPECT_EQ(-99, Setting(kKeyLastDay));

  EXPECT_EQ(UpdateCheckOutcome::kNoticeAnswered, Start(IDNO, false));  // "later"
  EXPECT_EQ(1u, Opened().size());
  EXPECT_EQ(Today(), Setting(kKeyLastDay));
  EXPECT_EQ(3, notices);
}
