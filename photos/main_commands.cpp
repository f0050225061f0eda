#include "main_commands.h"

#include <cstddef>
#include <cwchar>

#include "orientation.h"
#include "photo_rule.h"
#include "raw_twins.h"
#include "resource_ids.h"
#include "turn_reason.h"

const wchar_t kCannotTurnMessage[] =
    L"この写真は回転できません。ファイルが書き込み禁止になっているか、"
    L"Exif情報(Orientation)が存在しません。";
const wchar_t kNoticeCaption[] = L"お知らせ";
const wchar_t kNotPhotosMessage[] = L"次のファイルはJPEG写真(.jpg、.jpeg)ではないため、開きませんでした。";
const wchar_t kChoosePhotosTitle[] = L"写真ファイルを選択してください";
const wchar_t kChooseFolderTitle[] = L"写真のあるフォルダを選択してください";
const wchar_t kRawTwinsLeftMessage[] =
    L"次のRAWファイルは写真と向き(Orientation)が違うため、一緒には回転しませんでした。";
const wchar_t kRawTwinsFailedMessage[] = L"次のRAWファイルは回転できませんでした。";
const wchar_t kXmpLeftAloneLog[] = L"XMPのOrientationは1桁の値ではないため書き換えませんでした: ";
const wchar_t kXmpOnlyLog[] = L"Exif情報(Orientation)がなくXMPにだけOrientationがあるため回転できません: ";

std::wstring TurnReasonText(TurnReason_EN reason, HRESULT hr) {
  switch (reason) {
    case kTurnReasonNone:
      return std::wstring();
    case kTurnReasonNoOrientation:
      return L"Exif情報にOrientation(向き)の項目がありません。"
             L"設定の「Orientationがない写真にも追加して回転する」をオンにすると回転できます。";
    case kTurnReasonCannotAddEntry:
      return L"Exif情報にOrientation(向き)の項目がなく、このファイルには追加できません。";
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

namespace {

std::wstring FileNameOf(const std::wstring& path) {
  const std::wstring::size_type slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

// More names than this make a message taller than a small screen.
const std::size_t kMostNamesListed = 10;

}  // namespace

std::wstring CannotTurnText(const std::wstring& path, TurnReason_EN reason, HRESULT hr) {
  return std::wstring(kCannotTurnMessage) + L"\r\n\r\n" + FileNameOf(path) + L"\r\n" + TurnReasonText(reason, hr);
}

std::wstring RawTwinsText(const std::vector<RawTwinTurn>& twins) {
  std::wstring left, failed;
  for (const RawTwinTurn& twin : twins) {
    if (twin.outcome == kTwinOtherValue) left += L"\r\n" + FileNameOf(twin.path);
    if (twin.outcome == kTwinFailed) {
      failed += L"\r\n" + FileNameOf(twin.path) + L"\r\n" +
                TurnReasonText(ExplainTurn(twin.hr, twin.report, twin.path), twin.hr);
    }
  }
  std::wstring text;
  if (!left.empty()) text = kRawTwinsLeftMessage + (L"\r\n" + left);
  if (!failed.empty()) text += (text.empty() ? L"" : L"\r\n\r\n") + (kRawTwinsFailedMessage + (L"\r\n" + failed));
  return text;
}

std::wstring NotPhotosText(const std::vector<std::wstring>& paths) {
  std::wstring text = kNotPhotosMessage;
  text += L"\r\n";
  for (std::size_t i = 0; i < paths.size() && i < kMostNamesListed; ++i) text += L"\r\n" + FileNameOf(paths[i]);
  if (paths.size() > kMostNamesListed) {
    text += L"\r\n(ほか" + std::to_wstring(paths.size() - kMostNamesListed) + L"件)";
  }
  return text;
}

namespace {

// The pictures on screen were made by the old value: turned in memory they
// match the file only when the new value shows as the same quarter turn.
void ShowTurnOf(CommandHost_CL& host, int index, const TurnReport& report, bool clockwise) {
  if (TurnShowsAsQuarter(report.oldValue, report.newValue, clockwise)) {
    host.ShowTurned(index, clockwise);
  } else {
    host.ShowChanged(index);
  }
}

// Only the current photo turns, whatever else is selected. A turn that
// worked is shown at once; one that failed says so and leaves the pictures
// as they were.
void Turn(CommandHost_CL& host, TurnDirection_EN direction) {
  const int index = host.CurrentPhoto();
  if (index < 0) return;
  const PhotoList& photos = host.Photos();
  if (static_cast<std::size_t>(index) >= photos.size()) return;
  const std::wstring path = photos[static_cast<std::size_t>(index)].path;
  TurnOptions options;
  options.addEntry = host.AddsMissingOrientation();
  // The twins that showed as the JPEG did turn with it; the record of what
  // was written is for taking the command back.
  TurnStep step;
  const PhotoTurn turn = TurnPhotoAndTwins(path, direction, options, host.TurnsRawTwins(), step);
  const HRESULT result = turn.hr;
  const TurnReport& report = turn.report;
  // The Exif value decides what the screen shows; the log says where the
  // XMP could not follow it.
  if (report.xmpForm == kXmpOtherForm && report.bytesWritten != 0) host.Log(kXmpLeftAloneLog + path);
  if (report.xmpForm != kXmpNoOrientation && !report.hasOrientation && !report.entryAdded) host.Log(kXmpOnlyLog + path);
  if (result != 0) {
    host.ShowCannotTurn(CannotTurnText(path, ExplainTurn(result, report, path), result));
    return;
  }
  const bool clockwise = direction == kTurnRight;
  ShowTurnOf(host, index, report, clockwise);
  for (const RawTwinTurn& twin : turn.twins) {
    if (twin.report.bytesWritten == 0) continue;
    for (std::size_t i = 0; i < photos.size(); ++i) {
      if (photos[i].path == twin.path) ShowTurnOf(host, static_cast<int>(i), twin.report, clockwise);
    }
  }
  const std::wstring twinsText = RawTwinsText(turn.twins);
  if (!twinsText.empty()) host.ShowNotice(twinsText);
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
  std::vector<std::wstring> chosen;
  if (!host.ChooseFiles(chosen)) return;
  // Files of any type can be chosen ("すべてのファイル"); those that are no
  // photos are named rather than dropped without a word.
  std::vector<std::wstring> photos, others;
  for (const std::wstring& path : chosen) (IsPhotoFileName(FileNameOf(path)) ? photos : others).push_back(path);
  if (!others.empty()) host.ShowNotice(NotPhotosText(others));
  if (!photos.empty()) Register(host, photos);
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

}  // namespace

void OnCommand(CommandHost_CL& host, int index) {
  if (index < 0 || index > IDM_LAST - IDM_FIRST) return;
  switch (IDM_FIRST + index) {
    case IDM_APP_SETTINGS: AppSettingCommand(host); break;
    case IDM_SUPPORT_SITE: SupportSiteCommand(host); break;
    case IDM_VERSION_INFO: VersionInfoCommand(host); break;
    case IDM_OPEN_FILES: OpenFilesCommand(host); break;
    case IDM_OPEN_FOLDER: OpenFolderCommand(host); break;
    case IDM_ROTATE_LEFT: RotateLeftCommand(host); break;
    case IDM_ROTATE_RIGHT: RotateRightCommand(host); break;
    default: break;
  }
}
