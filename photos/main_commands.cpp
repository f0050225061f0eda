#include "main_commands.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cwchar>
#include <map>
#include <set>
#include <utility>

#include "orientation.h"
#include "raw_twins.h"
#include "photo_rule.h"
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
const wchar_t kChangedSinceText[] = L"回転したあとでほかのプログラムが変更しています。";
const wchar_t kChangedSinceLog[] = L"回転したあとで変更されていたため書き換えませんでした: ";

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

namespace {

std::wstring MoreNamesText(std::size_t count) {
  return count > kMostNamesListed ? L"\r\n(ほか" + std::to_wstring(count - kMostNamesListed) + L"件)" : L"";
}

}  // namespace

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
  return text + MoreNamesText(paths.size());
}

// Photos of one reason stand together under it: a folder that cannot be
// written fails every photo the same way, and says so once.
std::wstring FailedPhotosText(const std::wstring& header, const std::vector<FailedPhoto>& failed) {
  std::vector<std::pair<std::wstring, std::vector<std::wstring> > > groups;
  for (std::size_t i = 0; i < failed.size() && i < kMostNamesListed; ++i) {
    std::size_t g = 0;
    while (g < groups.size() && groups[g].first != failed[i].reason) ++g;
    if (g == groups.size()) groups.push_back(std::make_pair(failed[i].reason, std::vector<std::wstring>()));
    groups[g].second.push_back(FileNameOf(failed[i].path));
  }
  std::wstring text = header;
  for (const auto& group : groups) {
    text += L"\r\n\r\n" + group.first;
    for (const std::wstring& name : group.second) text += L"\r\n    " + name;
  }
  return text + MoreNamesText(failed.size());
}

namespace {

// The pictures on screen were made by the old value: turned in memory they
// match the file only when the new value shows as the same quarter turn.
// Every cell of the file follows its first one.
void ShowWritten(CommandHost_CL& host, int index, std::uint32_t oldValue, std::uint32_t newValue,
                 bool clockwise) {
  if (TurnShowsAsQuarter(oldValue, newValue, clockwise)) {
    host.ShowTurned(index, clockwise);
  } else {
    host.ShowChanged(index);
  }
}

// The Exif value decides what the screen shows; the log says where the XMP
// could not follow it.
void LogXmp(CommandHost_CL& host, const std::wstring& path, const TurnReport& report) {
  if (report.xmpForm == kXmpOtherForm && report.bytesWritten != 0) host.Log(kXmpLeftAloneLog + path);
  if (report.xmpForm != kXmpNoOrientation && !report.hasOrientation && !report.entryAdded) host.Log(kXmpOnlyLog + path);
}

// With several photos selected the turn is theirs; otherwise it is the
// photo's shown. A file listed twice is turned once.
std::vector<int> TurnTargets(CommandHost_CL& host) {
  const PhotoList& photos = host.Photos();
  const std::vector<int> selected = host.SelectedPhotos();
  std::vector<int> targets;
  if (selected.size() > 1) {
    std::set<std::wstring> taken;
    for (int index : selected) {
      if (index < 0 || static_cast<std::size_t>(index) >= photos.size()) continue;
      if (taken.insert(photos[static_cast<std::size_t>(index)].path).second) targets.push_back(index);
    }
    return targets;
  }
  const int index = host.CurrentPhoto();
  if (index >= 0 && static_cast<std::size_t>(index) < photos.size()) targets.push_back(index);
  return targets;
}

// Where each file is first listed: the cell its pictures follow.
std::map<std::wstring, int> FirstIndexes(const PhotoList& photos) {
  std::map<std::wstring, int> first;
  for (std::size_t i = 0; i < photos.size(); ++i) first.insert(std::make_pair(photos[i].path, static_cast<int>(i)));
  return first;
}

// Each photo by the rules of one, and with it its raw twins that showed as
// it did: a turn that worked is shown at once and recorded for undo; those
// that failed are told together at the end (a single photo by the message of
// one), leaving their pictures as they were. A file is written once per
// command, whether it was selected, a twin of a selected JPEG, or both.
void Turn(CommandHost_CL& host, TurnDirection_EN direction) {
  const std::vector<int> targets = TurnTargets(host);
  if (targets.empty()) return;
  const bool clockwise = direction == kTurnRight;
  TurnOptions options;
  options.addEntry = host.AddsMissingOrientation();
  const bool withTwins = host.TurnsRawTwins();
  const std::map<std::wstring, int> listed = FirstIndexes(host.Photos());
  TurnStep step;
  std::set<std::wstring> written;
  std::vector<RawTwinTurn> twinsLeft;
  std::vector<FailedPhoto> failed;
  std::wstring onlyFailure;
  host.RunSteps(targets.size(), [&](std::size_t i) {
    const int index = targets[i];
    const std::wstring path = host.Photos()[static_cast<std::size_t>(index)].path;
    if (written.count(path) != 0) return;
    TurnStep twinStep;
    const PhotoTurn turn = TurnPhotoAndTwins(path, direction, options, withTwins, twinStep);
    const TurnReport& report = turn.report;
    LogXmp(host, path, report);
    if (turn.hr != 0) {
      const TurnReason_EN reason = ExplainTurn(turn.hr, report, path);
      failed.push_back(FailedPhoto{path, TurnReasonText(reason, turn.hr)});
      if (failed.size() == 1) onlyFailure = CannotTurnText(path, reason, turn.hr);
      return;
    }
    WrittenTurn photo;
    photo.path = path;
    photo.valueBefore = report.oldValue;
    photo.valueWritten = report.newValue;
    photo.clockwise = clockwise;
    photo.entryAdded = report.entryAdded;
    step.push_back(photo);
    written.insert(path);
    ShowWritten(host, index, report.oldValue, report.newValue, clockwise);
    for (const WrittenTurn& twin : twinStep) {
      step.push_back(twin);
      written.insert(twin.path);
      const auto shown = listed.find(twin.path);
      if (shown != listed.end()) ShowWritten(host, shown->second, twin.valueBefore, twin.valueWritten, clockwise);
    }
    // A twin turned earlier in this command as a photo of its own now
    // differs from its JPEG: that is no twin left alone.
    for (const RawTwinTurn& twin : turn.twins) {
      if (twin.outcome != kTwinTurned && written.count(twin.path) == 0) twinsLeft.push_back(twin);
    }
  });
  if (!step.empty()) {
    host.History().Add(step);
    host.ShowUndoState(host.History().CanUndo(), host.History().CanRedo());
  }
  if (failed.size() == 1) {
    host.ShowCannotTurn(onlyFailure);
  } else if (!failed.empty()) {
    host.ShowCannotTurn(FailedPhotosText(L"次の" + std::to_wstring(failed.size()) + L"枚の写真は回転できませんでした。",
                                         failed));
  }
  const std::wstring twinsText = RawTwinsText(twinsLeft);
  if (!twinsText.empty()) host.ShowNotice(twinsText);
}

void RotateLeftCommand(CommandHost_CL& host) { Turn(host, kTurnLeft); }
void RotateRightCommand(CommandHost_CL& host) { Turn(host, kTurnRight); }

// The value a file held before the turn, as undo gives it back. A photo that
// was given its entry keeps it: the inverse turn is all that can be had.
std::uint32_t ValueBeforeTurn(const WrittenTurn& written) {
  if (written.entryAdded || written.valueBefore > 0xFFFF) {
    return written.clockwise ? TurnLeftValue(written.valueWritten) : TurnRightValue(written.valueWritten);
  }
  return written.valueBefore;
}

// Undo (back) writes each file's value before the turn, last file first;
// redo the value written, in the turn's order. A file is written only where
// it still holds what this program left there; what was written goes to the
// other list, what was left alone is named once at the end.
void Replay(CommandHost_CL& host, bool back) {
  TurnHistory_CL& history = host.History();
  const TurnStep step = back ? history.TakeUndo() : history.TakeRedo();
  if (step.empty()) return;
  TurnOptions options;
  TurnStep done;
  std::vector<FailedPhoto> failed;
  const std::map<std::wstring, int> listed = FirstIndexes(host.Photos());
  host.RunSteps(step.size(), [&](std::size_t i) {
    const WrittenTurn& written = step[back ? step.size() - 1 - i : i];
    const std::uint32_t before = ValueBeforeTurn(written);
    const std::uint32_t expected = back ? written.valueWritten : before;
    const std::uint16_t value = static_cast<std::uint16_t>(back ? before : written.valueWritten);
    TurnReport report;
    const HRESULT result = SetOrientationIfHolds(written.path, expected, value, options, &report);
    LogXmp(host, written.path, report);
    if (result != 0) {
      const TurnReason_EN reason = ExplainTurn(result, report, written.path);
      const bool changed = report.hasOrientation ? report.oldValue != expected : reason == kTurnReasonNoOrientation;
      if (changed) host.Log(kChangedSinceLog + written.path);
      failed.push_back(FailedPhoto{written.path, changed ? kChangedSinceText : TurnReasonText(reason, result)});
      return;
    }
    done.push_back(written);
    const bool clockwise = back ? !written.clockwise : written.clockwise;
    const auto shown = listed.find(written.path);
    if (shown != listed.end()) ShowWritten(host, shown->second, expected, value, clockwise);
  });
  // Kept in the turn's order, whichever way the files were gone through.
  if (back) std::reverse(done.begin(), done.end());
  if (back) {
    history.Undone(done);
  } else {
    history.Redone(done);
  }
  host.ShowUndoState(history.CanUndo(), history.CanRedo());
  if (failed.empty()) return;
  const std::wstring count = std::to_wstring(failed.size());
  host.ShowCannotTurn(FailedPhotosText(
      back ? L"次の" + count + L"枚の写真は元に戻せませんでした。" : L"次の" + count + L"枚の写真はやり直せませんでした。",
      failed));
}

void UndoCommand(CommandHost_CL& host) { Replay(host, true); }
void RedoCommand(CommandHost_CL& host) { Replay(host, false); }

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
    case IDM_UNDO: UndoCommand(host); break;
    case IDM_REDO: RedoCommand(host); break;
    default: break;
  }
}
