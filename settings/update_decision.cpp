#include "update_decision.h"

#include "app_settings.h"
#include "version_file.h"

int noticeShowing = 0;

namespace {

// Clears noticeShowing however the notice ends.
class NoticeShowingScope {
 public:
  NoticeShowingScope() { noticeShowing = 1; }
  ~NoticeShowingScope() { noticeShowing = 0; }
  NoticeShowingScope(const NoticeShowingScope&) = delete;
  NoticeShowingScope& operator=(const NoticeShowingScope&) = delete;
};

}  // namespace

UpdateCheckOutcome RunUpdateCheck(UpdateCheckEnvironment_CL& environment,
                                  const std::wstring& installed) {
  const std::int32_t force = environment.ReadSetting(kKeyForce, 0);
  if (noticeShowing) return UpdateCheckOutcome::kAlreadyShowing;
  if (environment.ReadSetting(kKeyNotify, 0) != 0) return UpdateCheckOutcome::kSwitchedOff;

  const std::int32_t lastDay = environment.ReadSetting(kKeyLastDay, 0);
  const int today = environment.DayOfMonth();
  if (force == 0 && lastDay == today) return UpdateCheckOutcome::kDoneToday;

  std::int32_t contentLength = -1;
  if (!environment.SendRequest(&contentLength)) return UpdateCheckOutcome::kRequestFailed;
  // Without a usable length nothing could lead to a notice, so a missing or
  // oversized body is never read.
  if (!IsUsableContentLength(contentLength)) return UpdateCheckOutcome::kUnusableResponse;
  std::string body;
  if (!environment.ReadBody(contentLength, &body) ||
      body.size() != static_cast<std::size_t>(contentLength)) {
    return UpdateCheckOutcome::kUnusableResponse;
  }
  VersionFileInfo info;
  if (!ParseVersionFile(reinterpret_cast<const unsigned char*>(body.data()), body.size(), &info)) {
    return UpdateCheckOutcome::kUnusableResponse;
  }

  if (force != 1 && !IsInstalledVersionOlder(installed, info.published)) {
    environment.WriteSetting(kKeyLastDay, today);
    return UpdateCheckOutcome::kUpToDate;
  }
  // A notice whose "go to the site" could not go anywhere is not shown; the
  // next start asks again.
  if (!IsOpenableSiteAddress(info.siteAddress)) return UpdateCheckOutcome::kUnusableAddress;

  NoticeResult result;
  {
    NoticeShowingScope showing;
    result = environment.ShowNotice(installed, info.published);
    if (result == NOTICE_GO_TO_SITE) {
      environment.OpenSite(info.siteAddress);
    } else if (result == NOTICE_LATER) {
      environment.WriteSetting(kKeyLastDay, today);
    }
  }
  return UpdateCheckOutcome::kNoticeAnswered;
}
