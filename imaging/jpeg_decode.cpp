#include "jpeg_decode.h"

#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <new>
#include <utility>

#include <jpeglib.h>
#include <jerror.h>

#include "orientation_table.h"
#include "fit_rect.h"
#include "thumbnail_rule.h"

namespace {

// What libjpeg-turbo holds besides the coefficients: its tables, and row
// buffers of at most this many rows of the picture at the chosen scale
// (context rows of each component, the upsampler's rows).
const std::uint64_t kDecoderTables = 2u * 1024u * 1024u;
const std::uint64_t kDecoderRows = 128;

struct ErrorManager {
  jpeg_error_mgr pub;  // first, so that the library's pointer is ours
  std::jmp_buf escape;
  bool warned;
  // Set where the decode is ended on one of the limits.
  JpegOutcome_EN refusal;
};

struct ProgressMonitor {
  jpeg_progress_mgr pub;  // first, so that the library's pointer is ours
  int maxScans;
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
  if (dinfo->input_scan_number > reinterpret_cast<ProgressMonitor*>(cinfo->progress)->maxScans) {
    reinterpret_cast<ErrorManager*>(cinfo->err)->refusal = JpegOutcome_EN::kTooManyScans;
    (*cinfo->err->error_exit)(cinfo);
  }
}

// Why the library ended a decode with an error.
JpegOutcome_EN OutcomeOfError(const ErrorManager& err) {
  if (err.refusal != JpegOutcome_EN::kDecoded) return err.refusal;
  // The coefficients did not fit in what the decode was allowed: the
  // library would have to spill them to a file, which it cannot.
  if (err.pub.msg_code == JERR_NO_BACKING_STORE) return JpegOutcome_EN::kTooMuchMemory;
  if (err.pub.msg_code == JERR_OUT_OF_MEMORY) return JpegOutcome_EN::kOutOfMemory;
  return JpegOutcome_EN::kNotAccepted;
}

// What the library keeps of the coefficients: all of them for a photo in
// several scans (progressive), none for one decoded as it is read.
std::uint64_t CoefficientBytes(const jpeg_decompress_struct& cinfo) {
  if (!jpeg_has_multiple_scans(const_cast<j_decompress_ptr>(&cinfo))) return 0;
  std::uint64_t bytes = 0;
  for (int c = 0; c < cinfo.num_components; ++c) {
    const jpeg_component_info& comp = cinfo.comp_info[c];
    const std::uint64_t h = static_cast<std::uint64_t>(comp.h_samp_factor);
    const std::uint64_t v = static_cast<std::uint64_t>(comp.v_samp_factor);
    const std::uint64_t across = (comp.width_in_blocks + h - 1) / h * h;
    const std::uint64_t down = (comp.height_in_blocks + v - 1) / v * v;
    bytes += across * down * sizeof(JBLOCK);
  }
  return bytes;
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
  ProgressMonitor progress;
  const unsigned char* bytes;
  std::size_t size;
  int orientation;
  JpegTarget target;
  JpegLimits limits;
  UprightPixels* out;
  // What the decode holds of the budget: the bytes' and the library's part
  // go back when the decode ends, the picture's part with the pixels.
  DecodeBudget_CL::Reservation reservation;
};

// The decode proper. No object with a destructor may live here: an error
// leaves through longjmp.
JpegOutcome_EN RunDecode(DecodeState* s) {
  jpeg_decompress_struct* cinfo = &s->cinfo;
  if (setjmp(s->err.escape)) return OutcomeOfError(s->err);

  jpeg_create_decompress(cinfo);
  s->progress.pub.progress_monitor = OnProgress;
  s->progress.maxScans = s->limits.maxScans;
  cinfo->progress = &s->progress.pub;
  jpeg_mem_src(cinfo, s->bytes, static_cast<unsigned long>(s->size));
  jpeg_read_header(cinfo, TRUE);
  if (cinfo->image_width == 0 || cinfo->image_height == 0) return JpegOutcome_EN::kNotAccepted;

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

  // The limits apply to the picture at the chosen scale: a panorama far too
  // large to show at full size still gets its thumbnail.
  jpeg_calc_output_dimensions(cinfo);
  const std::uint64_t pixels = static_cast<std::uint64_t>(cinfo->output_width) * cinfo->output_height;
  if (pixels > s->limits.maxPixels) return JpegOutcome_EN::kTooManyPixels;
  const std::uint64_t pictureBytes = pixels * 4u;
  const std::uint64_t libraryBytes =
      CoefficientBytes(*cinfo) + kDecoderTables + kDecoderRows * cinfo->output_width * 4u;
  if (pictureBytes + libraryBytes > s->limits.maxMemory) return JpegOutcome_EN::kTooMuchMemory;
  // The file's bytes are held while it is decoded, and count too.
  DecodeBudget_CL& budget = s->limits.budget ? *s->limits.budget : SharedDecodeBudget();
  const std::uint64_t held = pictureBytes + libraryBytes + s->size;
  if (held > budget.Total()) return JpegOutcome_EN::kOutOfMemory;
  s->reservation = budget.Reserve(static_cast<std::size_t>(held), s->limits.budgetWaitMilliseconds);
  if (!s->reservation) return JpegOutcome_EN::kOutOfMemory;
  cinfo->mem->max_memory_to_use = static_cast<long>(libraryBytes);
  jpeg_start_decompress(cinfo);

  const int w = static_cast<int>(cinfo->output_width), h = static_cast<int>(cinfo->output_height);
  if (w <= 0 || h <= 0 || cinfo->output_components != 4) return JpegOutcome_EN::kNotAccepted;
  const Placement at = PlacementFor(s->orientation, w, h);
  UprightPixels* out = s->out;
  try {
    out->bgra.assign(static_cast<std::size_t>(pictureBytes), 0);
  } catch (const std::bad_alloc&) {
    return JpegOutcome_EN::kOutOfMemory;
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
  return JpegOutcome_EN::kDecoded;
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

JpegOutcome_EN DecodeJpegUpright(const unsigned char* bytes, std::size_t size, int orientation,
                                 const JpegTarget& target, UprightPixels* out, const JpegLimits& limits) {
  *out = UprightPixels();
  // The library takes an unsigned long length, which is 32 bits on Windows.
  if (!bytes || size < 4 || size > 0x7FFFFFFFu) return JpegOutcome_EN::kNotAccepted;
  DecodeState* s = new (std::nothrow) DecodeState();
  if (!s) return JpegOutcome_EN::kOutOfMemory;
  s->bytes = bytes;
  s->size = size;
  s->orientation = orientation;
  s->target = target;
  s->limits = limits;
  s->out = out;
  s->cinfo.err = jpeg_std_error(&s->err.pub);
  s->err.pub.error_exit = OnError;
  s->err.pub.emit_message = OnMessage;
  s->err.pub.output_message = OnOutputMessage;
  s->err.warned = false;
  s->err.refusal = JpegOutcome_EN::kDecoded;
  const JpegOutcome_EN outcome = RunDecode(s);
  // Frees everything the decoder allocated, also after an error.
  jpeg_destroy_decompress(&s->cinfo);
  if (outcome == JpegOutcome_EN::kDecoded) {
    out->complete = !s->err.warned;
    s->reservation.ShrinkTo(out->bgra.size());
    out->reservation = std::move(s->reservation);
  } else {
    *out = UprightPixels();
  }
  delete s;
  return outcome;
}
