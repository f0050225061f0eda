#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "update_decision.h"

namespace {

const char kNewer[] = "1.0.3.0\r\nhttp://www.snapvane.example/Snapvane/\r\n";
const char kOlder[] = "0.9.9.9\r\nhttp://www.snapvane.example/Snapvane/\r\n";
const char kSame[] = "1.0.2.0\r\nhttp://www.snapvane.example/Snapvane/\r\n";  // 1.0.2 + ".0"

// The settings file, the clock, the server and the user, all scripted.
class FakeEnvironment : public UpdateCheckEnvironment_CL {
 public:
  std::int32_t ReadSetting(const wchar_t* key, std::int32_t defaultValue) override {
    const auto found = settings.find(key);
    return found == settings.end() ? defaultValue : found->second;
  }
  void WriteSetting(const wchar_t* key, std::int32_t value) override {
    settings[key] = value;
    ++writes;
  }
  int DayOfMonth() override { return today; }
  bool SendRequest(std::int32_t* length) override {
    ++requests;
    if (!serverUp) return false;
    *length = contentLength;
    return true;
  }
  bool ReadBody(std::int32_t length, std::string* out) override {
    ++bodyReads;
    EXPECT_EQ(contentLength, length);
    *out = body;
    return static_cast<std::int32_t>(body.size()) == length;
  }
  NoticeResult ShowNotice(const std::wstring& installed, const std::wstring& latest) override {
    EXPECT_EQ(1, noticeShowing);
    // A second check while the notice is up (re-entry on this thread) must not
    // start another exchange.
    if (reenter) {
      const int before = requests;
      EXPECT_EQ(UpdateCheckOutcome::kAlreadyShowing, RunUpdateCheck(*this, installed));
      EXPECT_EQ(before, requests);
    }
    notices.push_back(latest);
    return answer;
  }
  void OpenSite(const std::wstring& address) override { opened.push_back(address); }

  // Serves `text` with a matching Content-Length.
  void Serve(const std::string& text) {
    body = text;
    contentLength = static_cast<std::int32_t>(text.size());
  }
  int LastDay() { return ReadSetting(L"last_day", 0); }

  std::map<std::wstring, std::int32_t> settings;
  int today = 17;
  bool serverUp = true;
  std::int32_t contentLength = -1;
  std::string body;
  NoticeResult answer = NOTICE_CLOSED;
  bool reenter = false;

  int requests = 0;
  int bodyReads = 0;
  int writes = 0;
  std::vector<std::wstring> notices;
  std::vector<std::wstring> opened;
};

UpdateCheckOutcome Check(FakeEnvironment& env) { return RunUpdateCheck(env, L"1.0.2"); }

}  // namespace

TEST(UpdateDecision, NotifySwitchedOffMakesNoRequestWhateverForceSays) {
  for (int force : {0, 1, 2}) {
    FakeEnvironment env;
    env.Serve(kNewer);
    env.settings[L"notify"] = 1;
    env.settings[L"force"] = force;
    EXPECT_EQ(UpdateCheckOutcome::kSwitchedOff, Check(env));
    EXPECT_EQ(0, env.requests);
    EXPECT_EQ(0, env.writes);
  }
}

TEST(UpdateDecision, OncePerDayOfTheMonthUnlessForced) {
  FakeEnvironment env;
  env.Serve(kOlder);
  EXPECT_EQ(UpdateCheckOutcome::kUpToDate, Check(env));
  EXPECT_EQ(17, env.LastDay());
  EXPECT_EQ(UpdateCheckOutcome::kDoneToday, Check(env));
  EXPECT_EQ(1, env.requests);

  // Only the day number counts: the 17th of next month is "done" as well,
  // the 18th is not.
  env.today = 18;
  EXPECT_EQ(UpdateCheckOutcome::kUpToDate, Check(env));
  EXPECT_EQ(2, env.requests);
  EXPECT_EQ(18, env.LastDay());
}

TEST(UpdateDecision, ForceTwoRequestsAtEveryStartButFollowsTheComparison) {
  FakeEnvironment env;
  env.settings[L"force"] = 2;
  env.Serve(kOlder);
  EXPECT_EQ(UpdateCheckOutcome::kUpToDate, Check(env));
  EXPECT_EQ(UpdateCheckOutcome::kUpToDate, Check(env));
  EXPECT_EQ(2, env.requests);
  EXPECT_TRUE(env.notices.empty());

  env.Serve(kSame);  // "1.0.2.0" is longer than "1.0.2", so newer
  env.answer = NOTICE_LATER;
  EXPECT_EQ(UpdateCheckOutcome::kNoticeAnswered, Check(env));
  EXPECT_EQ(3, env.requests);
  ASSERT_EQ(1u, env.notices.size());
}

TEST(UpdateDecision, ForceOneShowsTheNoticeForAnEqualOrOlderVersion) {
  const std::string equal("1.0.2\0\0\r\nhttp://a.example/\r\n", 28);  // NULs end the version
  for (const std::string& body : {equal, std::string(kOlder)}) {
    FakeEnvironment env;
    env.settings[L"force"] = 1;
    env.settings[L"last_day"] = 17;  // already done today: force ignores it
    env.Serve(body);
    EXPECT_EQ(UpdateCheckOutcome::kNoticeAnswered, Check(env));
    ASSERT_EQ(1u, env.notices.size());
    EXPECT_EQ(0, env.writes);  // closed: nothing written
  }
}

TEST(UpdateDecision, NewerVersionShowsTheNoticeAndEachAnswerDoesItsPart) {
  {
    FakeEnvironment env;
    env.Serve(kNewer);
    env.answer = NOTICE_GO_TO_SITE;
    EXPECT_EQ(UpdateCheckOutcome::kNoticeAnswered, Check(env));
    ASSERT_EQ(1u, env.notices.size());
    EXPECT_EQ(L"1.0.3.0", env.notices[0]);
    ASSERT_EQ(1u, env.opened.size());
    EXPECT_EQ(L"http://www.snapvane.example/Snapvane/", env.opened[0]);
    EXPECT_EQ(0, env.writes);  // the next start asks again
  }
  {
    FakeEnvironment env;
    env.Serve(kNewer);
    env.answer = NOTICE_CLOSED;
    Check(env);
    EXPECT_TRUE(env.opened.empty());
    EXPECT_EQ(0, env.writes);
  }
  {
    FakeEnvironment env;
    env.Serve(kNewer);
    env.answer = NOTICE_LATER;
    Check(env);
    EXPECT_TRUE(env.opened.empty());
    EXPECT_EQ(17, env.LastDay());
    // The next start that day makes no request.
    EXPECT_EQ(UpdateCheckOutcome::kDoneToday, Check(env));
    EXPECT_EQ(1, env.requests);
  }
  EXPECT_EQ(0, noticeShowing);
}

TEST(UpdateDecision, ResponsesThatCannotBeTheVersionFileEndTheCheckQuietly) {
  struct Case {
    const char* name;
    std::int32_t contentLength;
    std::string body;
    bool read;  // is the body worth reading at all
  };
  const Case cases[] = {
      {"no Content-Length", -1, kNewer, false},
      {"huge Content-Length", 2147483647, kNewer, false},
      {"just over 64 KiB", 65537, std::string(65537, 'x'), false},
      {"negative Content-Length", -2, kNewer, false},
      {"five bytes", 5, "1.0.3", false},
      {"body shorter than announced", 60, kNewer, true},
  };
  for (const Case& c : cases) {
    FakeEnvironment env;
    env.answer = NOTICE_GO_TO_SITE;
    env.body = c.body;
    env.contentLength = c.contentLength;
    EXPECT_EQ(UpdateCheckOutcome::kUnusableResponse, Check(env)) << c.name;
    EXPECT_EQ(c.read ? 1 : 0, env.bodyReads) << c.name;
    EXPECT_TRUE(env.notices.empty()) << c.name;
    EXPECT_TRUE(env.opened.empty()) << c.name;
    EXPECT_EQ(0, env.writes) << c.name;  // the next start tries again
  }
}

TEST(UpdateDecision, AnAddressThatIsNotAWebAddressOpensNothing) {
  for (const char* body : {"1.0.3.0\r\nfile:///C:/Windows/system32/calc.exe\r\n",
                           "1.0.3.0\r\nC:\\Windows\\system32\\calc.exe\r\n",
                           "1.0.3.0\r\nhttp://a.example/\x01x\r\n",
                           "1.0.3.0\r\n\r\n"}) {
    FakeEnvironment env;
    env.answer = NOTICE_GO_TO_SITE;
    env.Serve(body);
    EXPECT_EQ(UpdateCheckOutcome::kUnusableAddress, Check(env)) << body;
    EXPECT_TRUE(env.notices.empty());
    EXPECT_TRUE(env.opened.empty());
    EXPECT_EQ(0, env.writes);
  }
}

TEST(UpdateDecision, FailedRequestWritesNothing) {
  FakeEnvironment env;
  env.serverUp = false;
  EXPECT_EQ(UpdateCheckOutcome::kRequestFailed, Check(env));
  EXPECT_EQ(0, env.writes);
  EXPECT_EQ(UpdateCheckOutcome::kRequestFailed, Check(env));
  EXPECT_EQ(2, env.requests);
}

TEST(UpdateDecision, NoSecondCheckStartsWhileANoticeIsShowing) {
  FakeEnvironment env;
  env.Serve(kNewer);
  env.reenter = true;
  env.answer = NOTICE_LATER;
  EXPECT_EQ(UpdateCheckOutcome::kNoticeAnswered, Check(env));
  EXPECT_EQ(1u, env.notices.size());
  EXPECT_EQ(0, noticeShowing);
}
