#include "jpeg_decode.h"

#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <new>

#include <jpeglib.h>

#include "orientation_table.h"
#include "thumbnail_rule.h"

namespace {

// Pictures larger than this are refused: no camera comes near it, and a
// 32-bit process could not hold the decoder's buffers for them.
const std::uint64_t kMaxStoredPixels = 1ull << 28;
// What the decoder may allocate for one photo (a progressive photo keeps all
// its coefficients: 2 bytes per pixel and component).
const long kMaxDecoderMemory = 384L * 1024L * 1024L;
// A damaged progressive file can hold endless tiny scans, each of which
// costs a pass over the picture; real ones have about ten.
const int kMaxScans = 256;

struct ErrorManager {
  jpeg_error_mgr pub;  // first, so that the library's pointer is ours
  std::jmp_buf escape;
  bool warned;
};

void OnError(j_common_ptr cinfo) {
  // The library's default ends the process; the decode is abandoned instead.
  ErrorManager* err = reinterpret_cast<ErrorManager*>(cinfo->err);
  std::longjmp(err->escape, 1);
}

void OnMessage(j_common_ptr cinfo, int level) {
  // Warnings (level -1) report corrupt data the decoder made up for; trace
  // messages are not wanted.
  if (level < 0) reinterpret_cast<ErrorManager*>(cinfo->err)->warned = true;
}

void OnOutputMessage(j_common_ptr) {}

void OnProgress(j_common_ptr cinfo) {
  j_decompress_ptr dinfo = reinterpret_cast<j_decompress_ptr>(cinfo);
  if (dinfo->input_scan_number > kMaxScans) {
    (*cinfo->err->error_exit)(cinfo);
  }
}

// Where the stored pixel (x, y) of a w x h picture lands in the upright
// picture: index = origin + x * alongRow + y * alongColumn, in pixels.
struct Placement {
  int width;
  int height;
  std::ptrdiff_t origin;
  std::ptrdiff_t alongRow;
  std::ptrdiff_t alongColumn;
};

Placement PlacementFor(int orientation, int w, int h) {
  const std::ptrdiff_t pw = w, ph = h;
  switch (OrientationToRotateFlip(orientation)) {
    case kRotateNoneFlipX:
      return {w, h, pw - 1, -1, pw};
    case kRotate180FlipNone:
      return {w, h, (ph - 1) * pw + pw - 1, -1, -pw};
    case kRotateNoneFlipY:
      return {w, h, (ph - 1) * pw, 1, -pw};
    case kRotate90FlipNone:  // stored rows become columns, right to left
      return {h, w, ph - 1, ph, -1};
    case kRotate270FlipNone:  // stored rows become columns, left to right, upwards
      return {h, w, (pw - 1) * ph, -ph, 1};
    case kRotate90FlipX:  // transposed
      return {h, w, 0, ph, 1};
    case kRotate270FlipX:  // transposed the other way
      return {h, w, (pw - 1) * ph + ph - 1, -ph, -1};
    case kRotateNoneFlipNone:
    default:
      return {w, h, 0, 1, pw};
  }
}

// One decoded row (already 4 bytes a pixel) placed into the upright picture.
void PlaceRow(const unsigned char* row, int w, int y, const Placement& at, unsigned char* picture) {
  std::uint32_t* dest = reinterpret_cast<std::uint32_t*>(picture);
  std::ptrdiff_t i = at.origin + static_cast<std::ptrdiff_t>(y) * at.alongColumn;
  for (int x = 0; x < w; ++x, i += at.alongRow) std::memcpy(dest + i, row + 4 * x, 4);
}

// CMYK ink to BGRA in place. Adobe's programs store the ink inverted (255
// for no ink), and mark their files with an APP14 segment; files without it
// store it as it is.
void CmykToBgra(unsigned char* row, int w, bool inverted) {
  for (unsigned char* p = row; p < row + 4 * w; p += 4) {
    const unsigned flip = inverted ? 0 : 255;
    // With 255 meaning no ink, the light left is the product.
    const unsigned c = p[0] ^ flip, m = p[1] ^ flip, y = p[2] ^ flip, k = p[3] ^ flip;
    p[0] = static_cast<unsigned char>((y * k + 127) / 255);
    p[1] = static_cast<unsigned char>((m * k + 127) / 255);
    p[2] = static_cast<unsigned char>((c * k + 127) / 255);
    p[3] = 255;
  }
}

struct DecodeState {
  jpeg_decompress_struct cinfo;
  ErrorManager err;
  jpeg_progress_mgr progress;
  const unsigned char* bytes;
  std::size_t size;
  int orientation;
  JpegTarget target;
  UprightPixels* out;
};

// The decode proper. No object with a destructor may live here: an error
// leaves through longjmp. Returns false on error.
bool RunDecode(DecodeState* s) {
  jpeg_decompress_struct* cinfo = &s->cinfo;
  if (setjmp(s->err.escape)) return false;

  jpeg_create_decompress(cinfo);
  cinfo->mem->max_memory_to_use = kMaxDecoderMemory;
  s->progress.progress_monitor = OnProgress;
  cinfo->progress = &s->progress;
  jpeg_mem_src(cinfo, s->bytes, static_cast<unsigned long>(s->size));
  jpeg_read_header(cinfo, TRUE);
  const std::uint64_t stored = static_cast<std::uint64_t>(cinfo->image_width) * cinfo->image_height;
  if (stored == 0 || stored > kMaxStoredPixels) return false;

  const bool cmyk = cinfo->jpeg_color_space == JCS_CMYK || cinfo->jpeg_color_space == JCS_YCCK;
  cinfo->out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGRA;
  const bool turned = OrientationToRotateFlip(s->orientation) == kRotate90FlipNone ||
                      OrientationToRotateFlip(s->orientation) == kRotate270FlipNone ||
                      OrientationToRotateFlip(s->orientation) == kRotate90FlipX ||
                      OrientationToRotateFlip(s->orientation) == kRotate270FlipX;
  const int w0 = static_cast<int>(cinfo->image_width), h0 = static_cast<int>(cinfo->image_height);
  const int eighths = JpegScaleEighths(turned ? h0 : w0, turned ? w0 : h0, s->target);
  cinfo->scale_num = static_cast<unsigned>(eighths);
  cinfo->scale_denom = 8;
  jpeg_start_decompress(cinfo);

  const int w = static_cast<int>(cinfo->output_width), h = static_cast<int>(cinfo->output_height);
  if (w <= 0 || h <= 0 || cinfo->output_components != 4) return false;
  const Placement at = PlacementFor(s->orientation, w, h);
  UprightPixels* out = s->out;
  try {
    out->bgra.assign(static_cast<std::size_t>(w) * static_cast<std::size_t>(h) * 4u, 0);
  } catch (const std::bad_alloc&) {
    return false;
  }
  out->width = at.width;
  out->height = at.height;
  out->storedWidth = w0;
  out->storedHeight = h0;
  out->scaleEighths = eighths;

  // Upright rows that need no moving are decoded in place.
  const bool direct = !cmyk && at.origin == 0 && at.alongRow == 1;
  JSAMPARRAY row = (*cinfo->mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(cinfo), JPOOL_IMAGE,
                                                 static_cast<JDIMENSION>(w) * 4u, 1);
  while (cinfo->output_scanline < cinfo->output_height) {
    const int y = static_cast<int>(cinfo->output_scanline);
    if (direct) {
      JSAMPROW target = out->bgra.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(w) * 4u;
      jpeg_read_scanlines(cinfo, &target, 1);
      continue;
    }
    jpeg_read_scanlines(cinfo, row, 1);
    if (cmyk) CmykToBgra(row[0], w, cinfo->saw_Adobe_marker != 0);
    PlaceRow(row[0], w, y, at, out->bgra.data());
  }
  jpeg_finish_decompress(cinfo);
  return true;
}

}  // namespace

int JpegScaleEighths(int uprightWidth, int uprightHeight, const JpegTarget& target) {
  if (target.rule == kJpegFullSize || uprightWidth <= 0 || uprightHeight <= 0) return 8;
  int wantW = 0, wantH = 0;
  if (target.rule == kJpegThumbnail) {
    DrawRect rect;
    if (!ThumbnailRect(target.width, target.height, uprightWidth, uprightHeight, &rect)) return 8;
    wantW = rect.width;
    wantH = rect.height;
  } else {
    const FitSize fit = FitInside(target.width, target.height, uprightWidth, uprightHeight);
    wantW = fit.width;
    wantH = fit.height;
  }
  for (int m = 1; m < 8; ++m) {
    // The decoder's own rounding: the scaled size is rounded up.
    const long long w = (static_cast<long long>(uprightWidth) * m + 7) / 8;
    const long long h = (static_cast<long long>(uprightHeight) * m + 7) / 8;
    if (w >= wantW && h >= wantH) return m;
  }
  return 8;
}

bool DecodeJpegUpright(const unsigned char* bytes, std::size_t size, int orientation, const JpegTarget& target,
                       UprightPixels* out) {
  *out = UprightPixels();
  // The library takes an unsigned long length, which is 32 bits on Windows.
  if (!bytes || size < 4 || size > 0x7FFFFFFFu) return false;
  DecodeState* s = new (std::nothrow) DecodeState();
  if (!s) return false;
  s->bytes = bytes;
  s->size = size;
  s->orientation = orientation;
  s->target = target;
  s->out = out;
  s->cinfo.err = jpeg_std_error(&s->err.pub);
  s->err.pub.error_exit = OnError;
  s->err.pub.emit_message = OnMessage;
  s->err.pub.output_message = OnOutputMessage;
  s->err.warned = false;
  const bool ok = RunDecode(s);
  // Frees everything the decoder allocated, also after an error.
  jpeg_destroy_decompress(&s->cinfo);
  if (ok) {
    out->complete = !s->err.warned;
  } else {
    *out = UprightPixels();
  }
  delete s;
  return ok;
}
