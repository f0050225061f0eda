// Feeds arbitrary bytes to the Exif reader, to the embedded-thumbnail and
// frame-size readers and to the decoder of upright pixels, then turns a copy of them on disk and checks that the
// turn changed nothing but the Orientation value field, and nothing at all
// when it failed.
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
#include "orientation.h"
#include "utf8.h"

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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  ExifInfo_CL info;
  MemorySource_CL source(data, size);
  info.Read(source);
  const ExifEntry* entry = info.FindEntry(kTagOrientation);

  // The thumbnail strip's readers: whatever they report lies inside the bytes.
  EmbeddedThumbnail thumbnail;
  if (FindEmbeddedThumbnail(data, size, &thumbnail)) {
    if (thumbnail.offset > size || thumbnail.length > size - thumbnail.offset) std::abort();
    if (data[thumbnail.offset] != 0xFF || data[thumbnail.offset + 1] != 0xD8) std::abort();
  }
  const FrameSize frame = ReadJpegFrameSize(data, size);
  if (frame.width < 0 || frame.height < 0) std::abort();

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
  for (std::size_t i = 0; i < size; ++i) {
    if ((i < from || i >= to) && after[i] != data[i]) std::abort();
  }
  if (SUCCEEDED(hr) && (report.newValue < 1 || report.newValue > 8)) std::abort();
  return 0;
}
