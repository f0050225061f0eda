#include "main_commands.h"

#include <cstddef>

#include "orientation.h"

const wchar_t kCannotTurnMessage[] =
    L"この写真は回転できません。ファイルが書き込み禁止になっているか、"
    L"Exif情報(Orientation)が存在しません。";
const wchar_t kNoticeCaption[] = L"お知らせ";
const wchar_t kChoosePhotosTitle[] = L"写真ファイルを選択してください";
const wchar_t kChooseFolderTitle[] = L"写真のあるフォルダを選択してください";

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
    host.ShowCannotTurn();
    return;
  }
  const bool clockwise = direction == kTurnRight;
  // The pictures on screen were made by the old value: turned in memory they
  // match the file only when the new value shows as the same quarter turn.
  if (TurnShowsAsQuarter(report.oldValue, report.newValue, clockwise)) {
    host.ShowTurned(index, clockwise);
  } else {
    host.ShowChanged(index);
  }
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
