#include "orientation.h"

#include <chrono>

#include "byte_order.h"
#include "exif_info.h"
#include "orientation_tag_add.h"
#include "photo_file.h"
#include "photo_format.h"
#include "shell_notice.h"
#include "xmp_sidecar.h"

namespace {

// Values outside 1..8 are shown as stored: to the screen they are 1.
std::uint32_t ShownValue(std::uint32_t v) { return v >= 1 && v <= 8 ? v : 1u; }

// Where a value's display puts a stored pixel, as a 2 x 2 matrix on screen
// coordinates (x to the right, y down): {a, b, c, d} maps (x, y) to
// (a x + b y, c x + d y).
struct Transform {
  int a, b, c, d;
  bool operator==(const Transform& o) const { return a == o.a && b == o.b && c == o.c && d == o.d; }
};

Transform Then(const Transform& first, const Transform& second) {
  return {second.a * first.a + second.b * first.c, second.a * first.b + second.b * first.d,
          second.c * first.a + second.d * first.c, second.c * first.b + second.d * first.d};
}

const Transform kNone = {1, 0, 0, 1};
const Transform kClockwise = {0, -1, 1, 0};
const Transform kCounterClockwise = {0, 1, -1, 0};
const Transform kHalf = {-1, 0, 0, -1};
const Transform kMirrorX = {-1, 0, 0, 1};
const Transform kMirrorY = {1, 0, 0, -1};

// The Exif meaning of each value: the turn (and mirror) that makes the
// stored picture upright.
Transform Display(std::uint32_t v) {
  switch (ShownValue(v)) {
    case 2: return kMirrorX;
    case 3: return kHalf;
    case 4: return kMirrorY;
    case 5: return Then(kClockwise, kMirrorX);
    case 6: return kClockwise;
    case 7: return Then(kCounterClockwise, kMirrorX);
    case 8: return kCounterClockwise;
    default: return kNone;
  }
}

}  // namespace

std::uint16_t TurnLeftValue(std::uint32_t v) {
  // Turning left walks 1 -> 8 -> 3 -> 6 -> 1 and 2 -> 5 -> 4 -> 7 -> 2.
  v = ShownValue(v);
  const std::uint32_t n = ((0u - v) & 4u) | ((v - 2u) & 3u);
  return static_cast<std::uint16_t>(n + 1u);
}

std::uint16_t TurnRightValue(std::uint32_t v) {
  // Turning right walks 1 -> 6 -> 3 -> 8 -> 1 and 2 -> 7 -> 4 -> 5 -> 2.
  v = ShownValue(v);
  const std::uint32_t n = ((0u - v) & 4u) | (v & 3u);
  return static_cast<std::uint16_t>(n + 1u);
}

bool TurnShowsAsQuarter(std::uint32_t oldValue, std::uint32_t newValue, bool clockwise) {
  return Display(newValue) == Then(Display(oldValue), clockwise ? kClockwise : kCounterClockwise);
}

namespace {

TurnRaceHook g_raceHook = nullptr;

// How many bytes of the value field hold the Orientation, or 0 when the entry
// is of a shape whose value field may be an offset: writing there would
// damage the file.
unsigned ValueWidth(const ExifEntry& entry) {
  if (entry.count != 1) return 0;
  if (entry.type == kTypeShort) return 2;
  if (entry.type == kTypeLong || entry.type == kTypeSlong) return 4;
  return 0;
}

const unsigned kSharingRetryPauseMs = 20;

// Opens the photo exclusively, trying again for up to kSharingRetryMs while
// someone else has it open.
HRESULT OpenExclusively(ExclusiveFile_CL& file, const std::wstring& path) {
  typedef std::chrono::steady_clock Clock;
  const Clock::time_point giveUp = Clock::now() + std::chrono::milliseconds(kSharingRetryMs);
  for (;;) {
    const HRESULT hr = file.Open(path);
    if (hr != HresultFromWin32(ERROR_SHARING_VIOLATION) || Clock::now() >= giveUp) return hr;
    PauseMilliseconds(kSharingRetryPauseMs);
  }
}

// Beside the photo, so that the replace stays within one folder and one disk.
const wchar_t kAddedEntrySuffix[] = L".snapvane-turn.tmp";

// Whether the file at `path` holds exactly `expected`, which passed the check
// against `original`: what reached the disk is checked again as read back.
HRESULT CheckWrittenFile(const std::wstring& path, const std::vector<unsigned char>& expected,
                         const std::vector<unsigned char>& original, const ExifSegmentSpan& span,
                         std::uint16_t value) {
  std::FILE* stream = OpenSharedForReading(path);
  if (!stream) return E_FAIL;
  std::vector<unsigned char> written(expected.size() + 1);
  const std::size_t got = std::fread(&written[0], 1, written.size(), stream);
  std::fclose(stream);
  written.resize(got);
  return written == expected && CheckAddedOrientation(original, written, span, value) ? S_OK : E_FAIL;
}

// The turn of a photo without an Orientation entry: one holding the turn of
// 1 is added, in a new file that replaces the photo once checked.
HRESULT AddEntryAndTurn(const std::wstring& path, TurnDirection_EN direction,
                        const TurnOptions& options, TurnReport& out) {
  out.tryingToAdd = true;
  if (IsWriteProtected(path)) return E_FAIL;
  if (g_raceHook) g_raceHook(path);

  ExclusiveFile_CL file;
  HRESULT hr = OpenExclusively(file, path);
  if (FAILED(hr)) return hr;
  std::vector<unsigned char> original;
  hr = file.ReadAll(&original);
  if (FAILED(hr)) return hr;
  // A missing entry shows as 1. The bytes held under the lock decide, not
  // those read before: a photo that gained an entry meanwhile is refused.
  out.oldValue = 1;
  out.newValue = direction == kTurnLeft ? TurnLeftValue(1) : TurnRightValue(1);
  std::vector<unsigned char> added;
  ExifSegmentSpan span;
  if (!AddOrientationEntry(original, out.newValue, &added, &span) ||
      !CheckAddedOrientation(original, added, span, out.newValue)) {
    return E_FAIL;
  }
  std::uint64_t stamp = 0;
  if (options.keepTime) {
    hr = file.GetWriteTime(&stamp);
    if (FAILED(hr)) return hr;
  }

  const std::wstring temporary = path + kAddedEntrySuffix;
  hr = WriteFlushedFile(temporary, added, options.keepTime ? &stamp : nullptr);
  if (SUCCEEDED(hr)) hr = CheckWrittenFile(temporary, added, original, span, out.newValue);
  if (SUCCEEDED(hr)) {
    // Windows cannot replace a file held open without sharing, so the lock
    // goes just before the replace. In that short window another program
    // could write the photo, and its change would be lost to the replace.
    file.Close();
    hr = ReplaceWithFile(temporary, path);
  }
  if (FAILED(hr)) {
    RemoveFileIfPresent(temporary);
    return hr;
  }
  out.entryAdded = true;
  NotifyShellOfUpdate(path);
  return S_OK;
}

}  // namespace

void SetTurnRaceHookForTests(TurnRaceHook hook) { g_raceHook = hook; }

namespace {

// What a write puts in place of the value read: a quarter turn of it, or a
// given value that only a file still holding `expected` receives.
struct ValueChange {
  bool turn = true;
  TurnDirection_EN direction = kTurnRight;
  std::uint32_t expected = 0;
  std::uint16_t value = 0;
};

// The photo file itself: its Orientation value, and its own XMP digit. The
// one in-place write of both TurnPhoto and SetOrientationIfHolds.
HRESULT ChangePhotoFile(const std::wstring& path, const ValueChange& change, const TurnOptions& options,
                        TurnReport& out) {
  ExifEntry entry;
  bool bigEndian = false;
  XmpOrientation xmp;
  PhotoFormat_EN format = kPhotoUnknown;
  PngExifChunk chunk;
  bool brokenIfd = false;
  bool missing = false;
  {
    std::FILE* stream = OpenSharedForReading(path);
    if (!stream) return E_FAIL;
    FileSource_CL source(stream, true);
    // A JPEG's reader result does not matter: a file can yield its entries
    // and still fail later in the walk (an XMP segment after the Exif one,
    // say). Other formats are read only as far as IFD0, which must be whole.
    ExifInfo_CL info;
    HRESULT readResult = S_OK;
    format = ReadPhotoExif(source, info, &chunk, &readResult);
    xmp = FindPhotoXmpOrientation(source, format, info);
    out.xmpForm = xmp.form;
    out.xmpOldValue = xmp.value;
    const ExifEntry* found = info.FindEntry(kTagOrientation);
    if (found) {
      entry = *found;
      if (format != kPhotoJpeg && FAILED(readResult)) brokenIfd = true;
      // The order of the block the entry came from, which need not be the
      // order of a later block in the same file.
      bigEndian = found->bigEndian;
    }
    missing = !found;
  }
  // The XMP is left as it is: the screen follows the Exif entry alone.
  // An entry is added to JPEG files only; the other formats keep the rule
  // that a photo without one is not turned.
  if (missing) {
    return change.turn && options.addEntry && format == kPhotoJpeg
               ? AddEntryAndTurn(path, change.direction, options, out)
               : E_FAIL;
  }
  out.hasOrientation = true;
  out.oldValue = entry.value;
  // A file that no longer holds the value expected was changed by someone
  // else since: it is not ours to write.
  if (!change.turn && entry.value != change.expected) return E_FAIL;
  if (change.turn) {
    out.newValue = change.direction == kTurnLeft ? TurnLeftValue(entry.value) : TurnRightValue(entry.value);
  } else {
    out.newValue = change.value;
  }

  const unsigned width = ValueWidth(entry);
  if (width == 0 || brokenIfd) return E_FAIL;
  if (IsWriteProtected(path)) return E_FAIL;
  if (g_raceHook) g_raceHook(path);

  ExclusiveFile_CL file;
  HRESULT hr = OpenExclusively(file, path);
  if (FAILED(hr)) return hr;

  // The file may have changed since it was read: write only into the very
  // entry that was found, holding the very value that was read.
  unsigned char current[12];
  hr = file.ReadAt(entry.position, current, sizeof current);
  if (FAILED(hr)) return hr;
  const std::uint32_t currentValue =
      width == 2 ? Load16(current + 8, bigEndian) : Load32(current + 8, bigEndian);
  if (Load16(current, bigEndian) != kTagOrientation || Load16(current + 2, bigEndian) != entry.type ||
      Load32(current + 4, bigEndian) != entry.count || currentValue != entry.value) {
    return E_FAIL;
  }
  hr = CheckXmpDigits(file, xmp);
  if (FAILED(hr)) return hr;

  std::uint64_t stamp = 0;
  if (options.keepTime) {
    hr = file.GetWriteTime(&stamp);
    if (FAILED(hr)) return hr;
  }

  unsigned char bytes[4];
  if (width == 2) {
    Store16(bytes, out.newValue, bigEndian);
  } else {
    Store32(bytes, out.newValue, bigEndian);
  }
  // A PNG's eXIf chunk carries a CRC over its bytes, written with the value.
  unsigned char crc[4];
  if (format == kPhotoPng) {
    std::uint32_t newCrc = 0;
    hr = PngExifCrcAfterWrite(file, chunk, entry.position + 8, bytes, width, &newCrc);
    if (FAILED(hr)) return hr;
    Store32(crc, newCrc, true);
  }
  hr = file.WriteAt(entry.position + 8, bytes, width);
  if (FAILED(hr)) return hr;
  out.bytesWritten = width;
  if (format == kPhotoPng) {
    hr = file.WriteAt(chunk.position + 8 + chunk.length, crc, sizeof crc);
    if (SUCCEEDED(hr)) out.bytesWritten += sizeof crc;
  }
  if (SUCCEEDED(hr)) hr = WriteXmpDigits(file, xmp, out.newValue, &out.xmpBytesWritten);

  if (SUCCEEDED(hr) && options.keepTime) hr = file.SetWriteTime(stamp);
  file.Close();
  // The file changed whatever failed after the first write.
  NotifyShellOfUpdate(path);
  return hr;
}

// The photo, then its sidecars: they follow whatever became of the rest,
// once the photo itself changed.
HRESULT ChangeOrientation(const std::wstring& path, const ValueChange& change, const TurnOptions& options,
                          TurnReport* report) {
  TurnReport local;
  TurnReport& out = report ? *report : local;
  out = TurnReport();
  const HRESULT hr = ChangePhotoFile(path, change, options, out);
  if (out.bytesWritten == 0 && !out.entryAdded) return hr;
  for (const std::wstring& sidecar : FindXmpSidecars(path, options.stemSidecar)) {
    XmpOrientationForm_EN form = kXmpNoOrientation;
    unsigned written = 0;
    const HRESULT sidecarResult = TurnXmpSidecar(sidecar, out.newValue, &form, &written);
    if (written != 0) {
      ++out.sidecarsWritten;
    } else if (FAILED(sidecarResult) || form == kXmpOtherForm) {
      ++out.sidecarsLeftAlone;
    }
  }
  return hr;
}

}  // namespace

HRESULT TurnPhoto(const std::wstring& path, TurnDirection_EN direction,
                  const TurnOptions& options, TurnReport* report) {
  ValueChange change;
  change.direction = direction;
  return ChangeOrientation(path, change, options, report);
}

HRESULT SetOrientationIfHolds(const std::wstring& path, std::uint32_t expected, std::uint16_t value,
                              const TurnOptions& options, TurnReport* report) {
  ValueChange change;
  change.turn = false;
  change.expected = expected;
  change.value = value;
  return ChangeOrientation(path, change, options, report);
}

HRESULT RotateLeft(const std::wstring& path) {
  return TurnPhoto(path, kTurnLeft, TurnOptions(), nullptr);
}

HRESULT RotateRight(const std::wstring& path) {
  return TurnPhoto(path, kTurnRight, TurnOptions(), nullptr);
}
