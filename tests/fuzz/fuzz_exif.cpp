// Feeds arbitrary bytes to the Exif reader (of JPEG, TIFF-structured and
// PNG files), to the XMP Orientation finder,
// to the embedded-thumbnail and frame-size readers and to the decoder of
// upright pixels, then turns a copy of them on disk and checks that the turn
// changed nothing but the Orientation value field, a PNG's eXIf CRC and the
// XMP digits, and nothing at all when it failed. Where a JPEG has no entry,
// one is added, in memory and then on disk, changing nothing outside the
// Exif segment.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

#include "exif_info.h"
#include "exif_thumbnail.h"
#include "jpeg_decode.h"
#include "jpeg_frame_size.h"
#include "raw_preview.h"
#include "orientation.h"
#include "orientation_tag_add.h"
#include "photo_format.h"
#include "png_exif.h"
#include "utf8.h"
#include "xmp_orientation.h"

namespace {

std::string TempPath() {
  const char* base = std::getenv("TMPDIR");
  return std::string(base && *base ? base : "/tmp") + "/snapvane-fuzz-" + std::to_string(getpid()) + ".jpg";
}

bool WriteAll(const std::string& path, const std::uint8_t* data, std::size_t size) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  const bool ok = size == 0 || std::fwrite(data, 1, size, f) == size;
  return std::fclose(f) == 0 && ok;
}

std::vector<std::uint8_t> ReadAll(const std::string& path) {
  std::vector<std::uint8_t> bytes;
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return bytes;
  int c;
  while ((c = std::fgetc(f)) != EOF) bytes.push_back(static_cast<std::uint8_t>(c));
  std::fclose(f);
  return bytes;
}

// Every byte outside the span is the original's.
void ExpectOutsideSpanSame(const std::vector<std::uint8_t>& before, const std::vector<std::uint8_t>& after,
                           const ExifSegmentSpan& span) {
  if (span.start > span.oldEnd || span.oldEnd > before.size() || span.newEnd > after.size() ||
      before.size() - span.oldEnd != after.size() - span.newEnd) {
    std::abort();
  }
  for (std::size_t i = 0; i < span.start; ++i) {
    if (before[i] != after[i]) std::abort();
  }
  for (std::size_t i = span.oldEnd; i < before.size(); ++i) {
    if (before[i] != after[i - span.oldEnd + span.newEnd]) std::abort();
  }
}

std::uint32_t ReadOrientation(const std::vector<std::uint8_t>& bytes) {
  ExifInfo_CL info;
  MemorySource_CL source(bytes.empty() ? nullptr : &bytes[0], bytes.size());
  info.Read(source);
  const ExifEntry* entry = info.FindEntry(kTagOrientation);
  return entry ? entry->value : 0;
}

// Adding an entry to bytes that have none: in memory the new bytes differ
// from the old only inside the Exif segment and read back; on disk the turn
// either gives such bytes holding 6 or leaves the file as it was.
void CheckAddedEntry(const std::string& path, const std::uint8_t* data, std::size_t size) {
  const std::vector<std::uint8_t> original(data, data + size);
  std::vector<std::uint8_t> added;
  ExifSegmentSpan span;
  if (AddOrientationEntry(original, 6, &added, &span)) {
    ExpectOutsideSpanSame(original, added, span);
    if (CheckAddedOrientation(original, added, span, 6) && ReadOrientation(added) != 6) std::abort();
  }

  if (!WriteAll(path, data, size)) return;
  TurnOptions options;
  options.addEntry = true;
  TurnReport report;
  const HRESULT hr = TurnPhoto(Utf8ToWide(path), kTurnRight, options, &report);
  const std::vector<std::uint8_t> after = ReadAll(path);
  if (FAILED(hr)) {
    if (after != original) std::abort();
    return;
  }
  if (!report.entryAdded || after != added || ReadOrientation(after) != 6) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  ExifInfo_CL info;
  MemorySource_CL source(data, size);
  PngExifChunk chunk;
  const PhotoFormat_EN format = ReadPhotoExif(source, info, &chunk, nullptr);
  const ExifEntry* entry = info.FindEntry(kTagOrientation);
  if (format == kPhotoPng && entry) {
    // What the turn writes lies inside the chunk, whose CRC follows it.
    const std::size_t dataAt = chunk.position + 8u;
    if (chunk.length > size || dataAt > size - chunk.length || size - dataAt - chunk.length < 4) std::abort();
    if (entry->position < dataAt || entry->position + 12u > dataAt + chunk.length) std::abort();
  }

  // Every XMP digit found lies inside the bytes and is one.
  const XmpOrientation xmp = FindPhotoXmpOrientation(source, format, info);
  if ((xmp.form == kXmpDigit) == xmp.positions.empty() || xmp.value > 9) std::abort();
  for (std::uint32_t at : xmp.positions) {
    if (at >= size || data[at] != '0' + xmp.value) std::abort();
  }

  // The thumbnail strip's readers: whatever they report lies inside the bytes.
  EmbeddedThumbnail thumbnail;
  if (FindEmbeddedThumbnail(data, size, &thumbnail)) {
    if (thumbnail.offset > size || thumbnail.length > size - thumbnail.offset) std::abort();
    if (data[thumbnail.offset] != 0xFF || data[thumbnail.offset + 1] != 0xD8) std::abort();
  }
  const FrameSize frame = ReadJpegFrameSize(data, size);
  if (frame.width < 0 || frame.height < 0) std::abort();
  // A raw file's preview: inside the bytes, a JPEG libjpeg-turbo decodes.
  const ShownPicture shown = FindShownPicture(source);
  if (shown.from == kShownEmbeddedJpeg) {
    if (shown.jpeg.offset > size || shown.jpeg.length > size - shown.jpeg.offset) std::abort();
    if (data[shown.jpeg.offset] != 0xFF || data[shown.jpeg.offset + 1] != 0xD8) std::abort();
    if (shown.jpeg.width <= 0 || shown.jpeg.height <= 0 || shown.orientation < 0 || shown.orientation > 8) std::abort();
  }

  // The decoder: a picture, when there is one, has the size it claims,
  // turned as the Orientation asks.
  JpegTarget cell;
  cell.rule = kJpegThumbnail;
  cell.width = 64;
  cell.height = 48;
  // Every Orientation, valid or not, over the inputs.
  const int orientation = static_cast<int>(size % 10);
  UprightPixels pixels;
  if (DecodeJpegUpright(data, size, orientation, cell, &pixels) == JpegOutcome_EN::kDecoded) {
    if (pixels.width <= 0 || pixels.height <= 0) std::abort();
    if (pixels.bgra.size() != static_cast<std::size_t>(pixels.width) * static_cast<std::size_t>(pixels.height) * 4u) {
      std::abort();
    }
    const bool turned = orientation >= 5 && orientation <= 8;
    const int w = (pixels.storedWidth * pixels.scaleEighths + 7) / 8;
    const int h = (pixels.storedHeight * pixels.scaleEighths + 7) / 8;
    if (pixels.width != (turned ? h : w) || pixels.height != (turned ? w : h)) std::abort();
  } else if (!pixels.bgra.empty()) {
    std::abort();
  }

  static const std::string path = TempPath();
  if (!WriteAll(path, data, size)) return 0;
  TurnReport report;
  const HRESULT hr = TurnPhoto(Utf8ToWide(path), kTurnRight, TurnOptions(), &report);
  const std::vector<std::uint8_t> after = ReadAll(path);
  if (after.size() != size) std::abort();

  std::size_t from = size, to = size;
  if (SUCCEEDED(hr)) {
    // The reader over memory and over the file must agree on the entry.
    if (!entry || report.bytesWritten == 0) std::abort();
    from = entry->position + 8u;
    to = from + report.bytesWritten;
  }
  std::vector<bool> mayChange(size, false);
  if (SUCCEEDED(hr) && format == kPhotoPng) {
    // The value and the chunk's CRC, which must match the chunk's new bytes.
    if (report.bytesWritten != 6 && report.bytesWritten != 8) std::abort();
    to = from + report.bytesWritten - 4;
    const std::size_t crcAt = chunk.position + 8u + chunk.length;
    const std::uint32_t crc = PngCrc32(0, &after[chunk.position + 4u], chunk.length + 4u);
    const std::uint32_t stored = (std::uint32_t(after[crcAt]) << 24) | (std::uint32_t(after[crcAt + 1]) << 16) |
                                 (std::uint32_t(after[crcAt + 2]) << 8) | after[crcAt + 3];
    if (crc != stored) std::abort();
    for (std::size_t i = crcAt; i < crcAt + 4; ++i) mayChange[i] = true;
  }
  if (SUCCEEDED(hr)) {
    if (report.xmpForm != xmp.form || report.xmpBytesWritten != xmp.positions.size()) std::abort();
    for (std::uint32_t at : xmp.positions) {
      if (after[at] != '0' + report.newValue) std::abort();
      mayChange[at] = true;
    }
  }
  for (std::size_t i = 0; i < size; ++i) {
    if ((i < from || i >= to) && !mayChange[i] && after[i] != data[i]) std::abort();
  }
  if (SUCCEEDED(hr) && (report.newValue < 1 || report.newValue > 8)) std::abort();
  if (!entry) CheckAddedEntry(path, data, size);
  return 0;
}
