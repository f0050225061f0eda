#include "main_commands.h"

#include <cstddef>
#include <cstdio>

#include "orientation.h"
#include "turn_reason.h"

const wchar_t kCannotTurnMessage[] =
    L"この写真は回転できません。ファイルが書き込み禁止になっているか、"
    L"Exif情報(Orientation)が存在しません。";
const wchar_t kNoticeCaption[] = L"お知らせ";
const wchar_t kChoosePhotosTitle[] = L"写真ファイルを選択してください";
const wchar_t kChooseFolderTitle[] = L"写真のあるフォルダを選択してください";

std::wstring TurnReasonText(TurnReason_EN reason, HRESULT hr) {
  switch (reason) {
    case kTurnReasonNone:
      return std::wstring();
    case kTurnReasonNoOrientation:
      return L"Exif情報にOrientation(向き)の項目がありません。";
    case kTurnReasonNotJpeg:
      return L"このプログラムで読めるJPEGファイルではありません。";
    case kTurnReasonWriteProtected:
      return L"ファイルが書き込み禁止(読み取り専用)になっています。";
    case kTurnReasonInUse:
      return L"ほかのプログラムがこのファイルを使っています。";
    case kTurnReasonCannotOpen:
      return L"ファイルが見つからないか、開けません。";
    case kTurnReasonAccessDenied:
      return L"ファイルへの書き込みが許可されていません。";
    case kTurnReasonOther:
      break;
  }
  wchar_t code[64];
  std::swprintf(code, sizeof code / sizeof code[0], L"ファイルを書き換えられませんでした(エラー 0x%08X)。",
                static_cast<unsigned>(hr));
  return code;
}

std::wstring CannotTurnText(const std::wstring& path, TurnReason_EN reason, HRESULT hr) {
  std::wstring::size_type slash = path.find_last_of(L"\\/");
  const std::wstring name = slash == std::wstring::npos ? path : path.substr(slash + 1);
  return std::wstring(kCannotTurnMessage) + L"\r\n\r\n" + name + L"\r\n" + TurnReasonText(reason, hr);
}

namespace {

typedef void (*CommandFunction)(CommandHost_CL& host);

// Only the current photo turns, whatever else is selected. A turn that
// worked is shown at once; one that failed says so and leaves the pictures
// as they were.
void Turn(CommandHost_CL& host, TurnDirection_EN direction) {
  const int index = host.CurrentPhoto();
  if (index < 0) return;
  const PhotoList& photos = host.Photos();
  if (static_cast<std::size_t>(index) >= photos.size()) return;
  const std::wstring path = photos[static_cast<std::size_t>(index)].path;
  TurnReport report;
  const HRESULT result = TurnPhoto(path, direction, TurnOptions(), &report);
  if (result != 0) {
    host.ShowCannotTurn(CannotTurnText(path, ExplainTurn(result, report, path), result));
    return;
  }
  host.ShowTurned(index, direction == kTurnRight);
}

void RotateLeftCommand(CommandHost_CL& host) { Turn(host, kTurnLeft); }
void RotateRightCommand(CommandHost_CL& host) { Turn(host, kTurnRight); }

// Both open commands add to the list; photos registered again are listed
// again.
void Register(CommandHost_CL& host, const std::vector<std::wstring>& paths) {
  host.RegisterWithProgress(paths);
  host.ShowRegisteredPhotos();
}

void OpenFilesCommand(CommandHost_CL& host) {
  std::vector<std::wstring> paths;
  if (!host.ChooseFiles(paths)) return;
  Register(host, paths);
}

void OpenFolderCommand(CommandHost_CL& host) {
  std::wstring folder;
  if (!host.ChooseFolder(folder)) return;
  Register(host, std::vector<std::wstring>(1, folder));
}

void AppSettingCommand(CommandHost_CL& host) {
  if (host.ShowSettingsSheet() == 1) host.ApplyTopMost();
}

void VersionInfoCommand(CommandHost_CL& host) { host.ShowVersionSheet(); }

void SupportSiteCommand(CommandHost_CL& host) { host.OpenSupportSite(); }

// Indexed by identifier - kCommandFirst.
const CommandFunction kCommands[kCommandLast - kCommandFirst + 1] = {
    AppSettingCommand,   // 170
    nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
    SupportSiteCommand,  // 180
    VersionInfoCommand,  // 181
    OpenFilesCommand,    // 182
    OpenFolderCommand,   // 183
    nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
    RotateLeftCommand,   // 191
    RotateRightCommand,  // 192
};

}  // namespace

void OnCommand(CommandHost_CL& host, int index) {
  if (index < 0 || index > kCommandLast - kCommandFirst) return;
  const CommandFunction command = kCommands[index];
  if (command) command(host);
}
