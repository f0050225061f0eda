#include "cli_runner.h"

#include "cli_options.h"
#include "exif_info.h"
#include "find_picture.h"
#include "orientation.h"
#include "photo_item.h"
#include "photo_file.h"
#include "photo_format.h"
#include "photo_lines.h"
#include "photo_rule.h"
#include "progress_meter.h"
#include "raw_twins.h"
#include "turn_failure.h"
#include "utf8.h"

namespace {

void Complain(CliConsole_CL& console, const std::string& utf8) {
  console.Err("snapvane-cli: " + utf8 + "\n");
}

// Folders stand for the photos in them and all their subfolders, found as the
// window program finds them; anything else is taken as the user typed it, so
// info works on any file and a mistyped name is reported, not skipped.
PhotoList CollectPhotos(const std::vector<std::wstring>& paths, CliConsole_CL& console) {
  PhotoList photos;
  for (const std::wstring& path : paths) {
    if (PathIsFolder(path)) {
      const std::size_t before = photos.size();
      AddPath(photos, path, IsPhotoFileName);
      if (photos.size() == before) Complain(console, "no photos in " + WideToUtf8(path));
    } else {
      PhotoItem item;
      item.path = path;
      photos.push_back(item);
    }
  }
  return photos;
}

bool ShowInfo(const std::wstring& path, bool json, CliConsole_CL& console) {
  InfoLine line;
  line.path = path;
  const std::string failure = OpenFailure(path);
  const bool readable = failure.empty();
  if (readable) {
    std::FILE* stream = OpenSharedForReading(path);
    FileSource_CL source(stream, true);
    ExifInfo_CL info;
    HRESULT hr = E_FAIL;
    PngExifChunk chunk;
    if (stream) {
      const PhotoFormat_EN format = ReadPhotoExif(source, info, &chunk, &hr);
      const XmpOrientation xmp = FindPhotoXmpOrientation(source, format, info);
      line.xmpForm = xmp.form;
      line.xmpOrientation = xmp.value;
    }
    // Entries exist only behind a valid TIFF header; a walk that ended well
    // after one also passed it, even if it held no entries.
    if (!info.entries.empty() || (hr == S_OK && info.sawTiffHeader)) {
      line.byteOrder = info.bigEndian ? "MM" : "II";
    }
    if (const ExifEntry* entry = info.FindEntry(kTagOrientation)) {
      line.hasOrientation = true;
      line.orientation = entry->value;
      line.byteOrder = entry->bigEndian ? "MM" : "II";
      line.offset = static_cast<std::uint64_t>(entry->position) + 8;
    }
  }
  console.Out(FormatInfoLine(line, json));
  if (!readable) Complain(console, WideToUtf8(path) + ": " + failure);
  return readable;
}

TurnLine LineOfTurn(const std::wstring& path, HRESULT hr, const TurnReport& report) {
  TurnLine line;
  line.path = path;
  line.ok = SUCCEEDED(hr);
  line.hasOld = report.hasOrientation;
  line.oldValue = report.oldValue;
  line.hasNew = line.ok || report.bytesWritten != 0;
  line.newValue = report.newValue;
  line.xmpForm = report.xmpForm;
  line.xmpWritten = report.xmpBytesWritten != 0;
  if (!line.ok) {
    if (report.bytesWritten != 0) {
      // Only restoring the time failed: the photo did turn, and must not be
      // turned again by someone retrying.
      line.error = DescribeError(hr) + "; the photo was turned, but its last-write time changed";
    } else {
      line.error = DescribeTurnFailure(hr, report, path);
      if (!report.hasOrientation && report.xmpForm == kXmpDigit) {
        line.error += " (its XMP holds Orientation " + std::to_string(report.xmpOldValue) + ")";
      }
    }
  }
  return line;
}

// The twins' lines follow their JPEG's; one left alone is no failure.
bool ShowTwins(const std::wstring& jpeg, const PhotoTurn& turn, bool json, CliConsole_CL& console) {
  const TurnReport& report = turn.report;
  bool good = true;
  for (const RawTwinTurn& twin : turn.twins) {
    TurnLine line = LineOfTurn(twin.path, twin.hr, twin.report);
    if (twin.outcome == kTwinOtherValue) {
      line = TurnLine();
      line.path = twin.path;
      line.leftAlone = true;
      line.hasOld = twin.hasValue;
      line.oldValue = twin.value;
      const std::string jpegName = WideToUtf8(jpeg.substr(jpeg.find_last_of(L"/\\") + 1));
      line.error = twin.hasValue ? "its Orientation " + std::to_string(twin.value) + " differs from " + jpegName +
                                       "'s " + std::to_string(report.oldValue)
                                 : "it has no Orientation entry";
    }
    good = good && (line.ok || line.leftAlone);
    console.Out(FormatTurnLine(line, json));
  }
  return good;
}

bool TurnOne(const std::wstring& path, TurnDirection_EN direction, const TurnOptions& options, bool withRaw,
             bool json, CliConsole_CL& console) {
  TurnStep step;
  const PhotoTurn turn = TurnPhotoAndTwins(path, direction, options, withRaw, step);
  const TurnLine line = LineOfTurn(path, turn.hr, turn.report);
  console.Out(FormatTurnLine(line, json));
  return ShowTwins(path, turn, json, console) && line.ok;
}

// With --with-raw a JPEG's twins follow it: those collected from a folder
// beside their JPEG are not turned on their own as well.
PhotoList WithoutTwinsOfListedJpegs(const PhotoList& photos) {
  bool anyRaw = false;
  for (const PhotoItem& photo : photos) anyRaw = anyRaw || IsRawFileName(photo.path);
  if (!anyRaw) return photos;
  std::vector<std::wstring> twins;
  for (const PhotoItem& photo : photos) {
    const std::size_t nameAt = photo.path.find_last_of(L"/\\") + 1;
    if (!IsJpegFileName(photo.path.substr(nameAt))) continue;
    const std::vector<std::wstring> found = FindRawTwins(photo.path);
    twins.insert(twins.end(), found.begin(), found.end());
  }
  PhotoList rest;
  for (const PhotoItem& photo : photos) {
    bool twin = false;
    for (const std::wstring& path : twins) twin = twin || path == photo.path;
    if (!twin) rest.push_back(photo);
  }
  return rest;
}

}  // namespace

int RunCli(const std::vector<std::wstring>& args, CliConsole_CL& console) {
  CliOptions options;
  std::wstring error;
  switch (ParseCliOptions(args, &options, &error)) {
    case kParseHelp:
      console.Out(kCliUsage);
      return kExitOk;
    case kParseUsageError:
      Complain(console, WideToUtf8(error));
      console.Err("Try 'snapvane-cli --help' for more information.\n");
      return kExitUsage;
    case kParseRun:
      break;
  }

  PhotoList photos = CollectPhotos(options.paths, console);
  if (options.withRaw) photos = WithoutTwinsOfListedJpegs(photos);
  const bool info = options.command == kCommandInfo;
  ProgressMeter_CL progress(console, photos.size(), info ? "read" : "turned");
  TurnOptions turnOptions;
  turnOptions.keepTime = options.keepTime;
  turnOptions.addEntry = options.addTag;
  const TurnDirection_EN direction = options.command == kCommandLeft ? kTurnLeft : kTurnRight;

  bool allGood = true;
  for (std::size_t i = 0; i < photos.size(); ++i) {
    const bool good = info ? ShowInfo(photos[i].path, options.json, console)
                           : TurnOne(photos[i].path, direction, turnOptions, options.withRaw, options.json, console);
    allGood = allGood && good;
    progress.Done(i + 1);
  }
  return allGood ? kExitOk : kExitFailed;
}
