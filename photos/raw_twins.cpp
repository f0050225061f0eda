#include "raw_twins.h"

#include <algorithm>

#include "exif_info.h"
#include "find_picture.h"
#include "photo_file.h"
#include "photo_format.h"
#include "photo_rule.h"

namespace {

std::size_t NameStart(const std::wstring& path) {
#ifdef _WIN32
  const std::size_t slash = path.find_last_of(L"\\/");
#else
  const std::size_t slash = path.rfind(L'/');
#endif
  return slash == std::wstring::npos ? 0 : slash + 1;
}

std::wstring Stem(const std::wstring& name) {
  const std::size_t dot = name.rfind(L'.');
  return dot == std::wstring::npos ? name : name.substr(0, dot);
}

bool ReadOrientationEntry(const std::wstring& path, std::uint32_t* value) {
  std::FILE* stream = OpenSharedForReading(path);
  if (!stream) return false;
  FileSource_CL source(stream, true);
  ExifInfo_CL info;
  ReadPhotoExif(source, info, nullptr, nullptr);
  const ExifEntry* entry = info.FindEntry(kTagOrientation);
  if (!entry) return false;
  *value = entry->value;
  return true;
}

}  // namespace

std::vector<std::wstring> FindRawTwins(const std::wstring& jpegPath) {
  std::vector<std::wstring> twins;
  const std::size_t nameAt = NameStart(jpegPath);
  const std::wstring name = jpegPath.substr(nameAt);
  if (!IsJpegFileName(name)) return twins;
  const std::wstring stem = Stem(name);
  PhotoList found;
  FindPicture_CL walker(&found, IsRawFileName);
#ifdef _WIN32
  // Windows matches the pattern in any case.
  walker.Search(jpegPath.substr(0, nameAt) + stem + L".*", 0);
#else
  walker.Search(jpegPath.substr(0, nameAt) + L"*.*", 0);
#endif
  for (const PhotoItem& item : found) {
    if (SameNameIgnoringAsciiCase(Stem(item.path.substr(NameStart(item.path))), stem)) twins.push_back(item.path);
  }
  std::sort(twins.begin(), twins.end(),
            [](const std::wstring& a, const std::wstring& b) { return CompareNames(a, b) < 0; });
  return twins;
}

std::vector<RawTwinTurn> TurnRawTwins(const std::wstring& jpegPath, std::uint32_t valueBefore,
                                      TurnDirection_EN direction, const TurnOptions& options, TurnStep& step) {
  std::vector<RawTwinTurn> turns;
  TurnOptions twinOptions = options;
  twinOptions.addEntry = false;
  for (const std::wstring& path : FindRawTwins(jpegPath)) {
    RawTwinTurn turn;
    turn.path = path;
    turn.hasValue = ReadOrientationEntry(path, &turn.value);
    if (!turn.hasValue || turn.value != valueBefore) {
      turn.outcome = kTwinOtherValue;
      turns.push_back(turn);
      continue;
    }
    turn.hr = TurnPhoto(path, direction, twinOptions, &turn.report);
    turn.outcome = SUCCEEDED(turn.hr) ? kTwinTurned : kTwinFailed;
    if (turn.report.bytesWritten != 0) {
      WrittenTurn written;
      written.path = path;
      written.valueBefore = turn.report.oldValue;
      written.valueWritten = turn.report.newValue;
      written.clockwise = direction == kTurnRight;
      step.push_back(written);
    }
    turns.push_back(turn);
  }
  return turns;
}

PhotoTurn TurnPhotoAndTwins(const std::wstring& path, TurnDirection_EN direction, const TurnOptions& options,
                            bool withTwins, TurnStep& step) {
  PhotoTurn turn;
  TurnOptions photoOptions = options;
  photoOptions.stemSidecar = FindRawTwins(path).empty();
  turn.hr = TurnPhoto(path, direction, photoOptions, &turn.report);
  if (withTwins && SUCCEEDED(turn.hr)) turn.twins = TurnRawTwins(path, turn.report.oldValue, direction, options, step);
  return turn;
}
