// The nine commands of the main window's menu, toolbar, context menus and
// keys: open photo files, open a photo folder, turn the selected photos left
// or right, undo and redo a turn, the settings sheet, the version sheet and
// the support site.
//
// The commands are told apart and carried out here; what they need from the
// windows (the strip, the dialogs, the sheets) comes through CommandHost_CL,
// which the main window implements.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "photo_item.h"
#include "turn_history.h"
#include "turn_reason.h"

extern const wchar_t kCannotTurnMessage[];   // shown when a turn fails
extern const wchar_t kNoticeCaption[];       // "お知らせ"
extern const wchar_t kNotPhotosMessage[];    // chosen files that are no photos
extern const wchar_t kChoosePhotosTitle[];   // "写真ファイルを選択してください"
extern const wchar_t kChooseFolderTitle[];   // "写真のあるフォルダを選択してください"
extern const wchar_t kRawTwinsLeftMessage[];    // raw twins left alone: another Orientation
extern const wchar_t kRawTwinsFailedMessage[];  // raw twins whose turn failed
// Log lines of a turn about the photo's XMP Orientation, followed by the path.
extern const wchar_t kXmpLeftAloneLog[];  // turned, but the XMP value's form cannot be rewritten
extern const wchar_t kXmpOnlyLog[];       // not turned: only the XMP holds an Orientation

// The message of a failed turn: the fixed text, then the photo's file name
// and the reason in words.
std::wstring CannotTurnText(const std::wstring& path, TurnReason_EN reason, HRESULT hr);
// The reason alone ("ファイルが書き込み禁止..."), hr told for a reason
// without words of its own.
std::wstring TurnReasonText(TurnReason_EN reason, HRESULT hr);

struct RawTwinTurn;
// The one message about a turn's raw twins that did not turn with their
// JPEG: those left alone (another Orientation), then those that failed with
// the reason; empty when every twin turned.
std::wstring RawTwinsText(const std::vector<RawTwinTurn>& twins);

// The message of a command that could not write several photos (or, undoing
// or redoing, any): `header`, then each reason in words followed by the
// names of its photos, at most ten names in all, then how many more.
struct FailedPhoto {
  std::wstring path;
  std::wstring reason;
};
std::wstring FailedPhotosText(const std::wstring& header, const std::vector<FailedPhoto>& failed);
// The reason of an undo or redo that left a photo alone: it no longer holds
// the value this program wrote (or had before, redoing).
extern const wchar_t kChangedSinceText[];
// Log line of such a photo, followed by the path.
extern const wchar_t kChangedSinceLog[];

// The message for chosen files that are no photos: kNotPhotosMessage, then
// their names (at most ten, then how many more).
std::wstring NotPhotosText(const std::vector<std::wstring>& paths);

class CommandHost_CL {
 public:
  virtual ~CommandHost_CL() {}

  // The registered photos.
  virtual const PhotoList& Photos() const = 0;
  // The photo the preview shows (the one last clicked or moved to in the
  // strip), -1 for none.
  virtual int CurrentPhoto() = 0;
  // Every selected photo of the strip, in list order.
  virtual std::vector<int> SelectedPhotos() = 0;
  // Calls step(0) to step(count - 1) in order, on the calling thread. A run
  // that lasts shows its progress and lets the windows answer between steps,
  // taking no command meanwhile.
  virtual void RunSteps(std::size_t count, const std::function<void(std::size_t)>& step) = 0;
  // The turns of this run, for undo and redo.
  virtual TurnHistory_CL& History() = 0;
  // After the history changed: the undo and redo commands greyed or not.
  virtual void ShowUndoState(bool canUndo, bool canRedo) = 0;
  // The message of a failed turn (CannotTurnText), modal.
  virtual void ShowCannotTurn(const std::wstring& text) = 0;
  // Any other message of the commands, modal.
  virtual void ShowNotice(const std::wstring& text) = 0;
  // After photo index was turned a quarter (clockwise or not): shows the
  // turn in its thumbnail and, when it is the photo shown, in the preview,
  // at once and without decoding the photo again.
  virtual void ShowTurned(int index, bool clockwise) = 0;
  // Whether a turn may give a photo without an Orientation entry one (the
  // setting on the settings page).
  virtual bool AddsMissingOrientation() const = 0;
  // Whether a turn of NAME.jpg also turns its raw twins (the setting on the
  // settings page).
  virtual bool TurnsRawTwins() const = 0;
  // One line in the program's log.
  virtual void Log(const std::wstring& message) = 0;
  // After photo index's file changed in a way the pictures on screen cannot
  // follow in memory: every picture of it is dropped and decoded again.
  virtual void ShowChanged(int index) = 0;

  // The file dialog (several files) and the folder browser; false on Cancel.
  virtual bool ChooseFiles(std::vector<std::wstring>& paths) = 0;
  virtual bool ChooseFolder(std::wstring& folder) = 0;
  // Registers the paths under the progress window and adds what was found
  // to the photo list; returns when every path is registered.
  virtual void RegisterWithProgress(const std::vector<std::wstring>& paths) = 0;
  // Gives the strip the new photo count, acts as if photo 0 had been clicked,
  // recalculates the strip's layout and repaints it.
  virtual void ShowRegisteredPhotos() = 0;

  // The settings sheet; returns its result (1: closed with OK).
  virtual int ShowSettingsSheet() = 0;
  // Puts the window above all others or back, by the current setting.
  virtual void ApplyTopMost() = 0;
  virtual void ShowVersionSheet() = 0;
  virtual void OpenSupportSite() = 0;
};

// Carries out the command identifier (resource_ids.h's IDM_*) - IDM_FIRST
// (0 to 24); every other index does nothing.
void OnCommand(CommandHost_CL& host, int index);
