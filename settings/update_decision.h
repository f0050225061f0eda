// The decision of the update check, apart from the network, the settings file,
// the clock and the windows it uses, which the caller supplies.
//
// Once per start: nothing when the user switched notices off ("notify"), or
// when a check already finished on this day of the month (unless "force" is
// set); otherwise the version file is fetched and, when it names a newer
// version (or "force" is exactly 1), the notice offers the download page.
// "last_day" records a check that found nothing newer and a "later" answer.
#pragma once

#include <cstdint>
#include <string>

enum NoticeResult {
  NOTICE_CLOSED = 0,
  NOTICE_GO_TO_SITE = 1,
  NOTICE_LATER = 2,
};

// How a check ended.
enum class UpdateCheckOutcome {
  kAlreadyShowing,     // a notice is on screen already
  kSwitchedOff,        // "notify" is nonzero: no request
  kDoneToday,          // "last_day" is today and nothing forces a check: no request
  kRequestFailed,      // a step of the request failed (the step logs it)
  kUnusableResponse,   // no, a hostile or a short Content-Length, or a short body
  kUnusableAddress,    // a newer version, but an address nothing may open
  kUpToDate,           // nothing newer: "last_day" written
  kNoticeAnswered,     // the notice was shown and answered
};

// Set while a notice is on screen, so that a check cannot start another.
extern int noticeShowing;

class UpdateCheckEnvironment_CL {
 public:
  virtual ~UpdateCheckEnvironment_CL() {}

  // Keys of the "VERSION" section.
  virtual std::int32_t ReadSetting(const wchar_t* key, std::int32_t defaultValue) = 0;
  virtual void WriteSetting(const wchar_t* key, std::int32_t value) = 0;
  // Today's day of the month, 1 to 31, local time.
  virtual int DayOfMonth() = 0;
  // Sends the GET for the version file. False when a step failed. On success
  // `contentLength` is the announced length, -1 when the header is missing.
  virtual bool SendRequest(std::int32_t* contentLength) = 0;
  // Reads the body of the sent request: true only when exactly `length`
  // bytes arrived.
  virtual bool ReadBody(std::int32_t length, std::string* body) = 0;
  virtual NoticeResult ShowNotice(const std::wstring& installed, const std::wstring& latest) = 0;
  virtual void OpenSite(const std::wstring& address) = 0;
};

UpdateCheckOutcome RunUpdateCheck(UpdateCheckEnvironment_CL& environment,
                                  const std::wstring& installed);
