#include "update_check.h"

#include "app_settings.h"
#include "update_fetch.h"
#include "site_open.h"
#include "update_dialog.h"
#include "version_file.h"

// The check's view of the platform: the settings file, the local date,
// WinINet, the notice and the shell.
class UpdateCheckEnvironmentWin : public UpdateCheckEnvironment_CL {
 public:
  UpdateCheckEnvironmentWin(const UpdateCheck_CL& check, const std::wstring& title, HWND owner)
      : check_(check),
        title_(title),
        owner_(owner),
        fetch_(check.host, check.port, check.serverPath) {}

  std::int32_t ReadSetting(const wchar_t* key, std::int32_t defaultValue) override {
    return check_.ini->ReadInt(kSectionVersion, key, defaultValue);
  }

  void WriteSetting(const wchar_t* key, std::int32_t value) override {
    check_.ini->WriteInt(kSectionVersion, key, value);
  }

  int DayOfMonth() override {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return now.wDay;
  }

  bool SendRequest(std::int32_t* contentLength) override {
    return fetch_.SendRequest(contentLength);
  }

  bool ReadBody(std::int32_t length, std::string* body) override {
    return fetch_.ReadBody(length, body);
  }

  NoticeResult ShowNotice(const std::wstring& installed, const std::wstring& latest) override {
    if (owner_) {
      UpdateDialog_CL dialog(title_, installed, latest);
      dialog.SetPublishHwnd(check_.dialogHwndSlot);
      switch (dialog.DoModal(0, 0, owner_)) {
        case NOTICE_GO_TO_SITE:
          return NOTICE_GO_TO_SITE;
        case NOTICE_LATER:
          return NOTICE_LATER;
        default:
          return NOTICE_CLOSED;  // closed, or the dialog never came up
      }
    }
    switch (MessageBoxW(NULL, MakeNoticeText(installed, latest).c_str(), title_.c_str(),
                        MB_YESNOCANCEL)) {
      case IDYES:
        return NOTICE_GO_TO_SITE;
      case IDCANCEL:
      case 0:  // the box could not be shown: the user said nothing
        return NOTICE_CLOSED;
      default:
        return NOTICE_LATER;
    }
  }

  void OpenSite(const std::wstring& address) override { OpenSiteAddress(address); }

 private:
  const UpdateCheck_CL& check_;
  std::wstring title_;
  HWND owner_;
  // The exchange, on a worker the check waits for only until its deadline.
  UpdateFetch_CL fetch_;
};

UpdateCheck_CL::UpdateCheck_CL(const std::wstring& host_, const std::wstring& serverPath_,
                               HWND* dialogHwndSlot_, int port_)
    : ini(&g_inifile),
      host(host_),
      serverPath(serverPath_),
      dialogHwndSlot(dialogHwndSlot_),
      port(port_) {}

UpdateCheck_CL::~UpdateCheck_CL() {}

void UpdateCheck_CL::CheckForUpdate(const std::wstring& title, const std::wstring& installed,
                                    HWND owner) {
  UpdateCheckEnvironmentWin environment(*this, title, owner);
  outcome = RunUpdateCheck(environment, installed);
}
