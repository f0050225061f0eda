#include "picture_scaler.h"

#include <cstdint>
#include <vector>

#include "bitmap_builders.h"
#include "pixel_formats.h"

namespace {

// Where destination pixel i of n samples a source of m pixels: the left
// neighbour and the weight of the right one, in 1/256.
struct Tap {
  int index;
  int weight;
};

std::vector<Tap> Taps(int n, int m) {
  std::vector<Tap> taps(static_cast<std::size_t>(n));
  for (int i = 0; i < n; ++i) {
    // Pixel centres line up: (i + 0.5) * m / n - 0.5, in 1/256.
    std::int64_t at = ((2 * static_cast<std::int64_t>(i) + 1) * m * 256) / (2 * static_cast<std::int64_t>(n)) - 128;
    if (at < 0) at = 0;
    int index = static_cast<int>(at >> 8);
    int weight = static_cast<int>(at & 255);
    if (index >= m - 1) {
      index = m - 1;
      weight = 0;
    }
    taps[static_cast<std::size_t>(i)] = Tap{index, weight};
  }
  return taps;
}

std::uint32_t Mix(std::uint32_t a, std::uint32_t b, int weight) {
  // Two channels at a time: 0x00FF00FF and 0xFF00FF00 halves.
  const std::uint32_t rb = ((a & 0x00FF00FFu) * static_cast<std::uint32_t>(256 - weight) +
                            (b & 0x00FF00FFu) * static_cast<std::uint32_t>(weight)) >> 8;
  const std::uint32_t ag = (((a >> 8) & 0x00FF00FFu) * static_cast<std::uint32_t>(256 - weight) +
                            ((b >> 8) & 0x00FF00FFu) * static_cast<std::uint32_t>(weight)) >> 8;
  return (rb & 0x00FF00FFu) | ((ag & 0x00FF00FFu) << 8);
}

}  // namespace

BitmapPtr ScaleBilinear(Gdiplus::Bitmap* source, int width, int height) {
  if (!source || width <= 0 || height <= 0) return BitmapPtr();
  const int w = static_cast<int>(source->GetWidth());
  const int h = static_cast<int>(source->GetHeight());
  if (w <= 0 || h <= 0) return BitmapPtr();
  BitmapPtr target = CreateBitmap(width, height, kPreviewPixelFormat);
  if (!target) return target;
  Gdiplus::Rect from(0, 0, w, h);
  Gdiplus::BitmapData in;
  if (source->LockBits(&from, Gdiplus::ImageLockModeRead, PixelFormat32bppARGB, &in) != Gdiplus::Ok) {
    return BitmapPtr();
  }
  Gdiplus::Rect to(0, 0, width, height);
  Gdiplus::BitmapData out;
  if (target->LockBits(&to, Gdiplus::ImageLockModeWrite, PixelFormat32bppARGB, &out) != Gdiplus::Ok) {
    source->UnlockBits(&in);
    return BitmapPtr();
  }
  const std::vector<Tap> columns = Taps(width, w);
  const std::vector<Tap> rows = Taps(height, h);
  const std::uint8_t* base = static_cast<const std::uint8_t*>(in.Scan0);
  for (int y = 0; y < height; ++y) {
    const Tap row = rows[static_cast<std::size_t>(y)];
    const std::uint32_t* upper = reinterpret_cast<const std::uint32_t*>(base + row.index * in.Stride);
    const std::uint32_t* lower =
        reinterpret_cast<const std::uint32_t*>(base + (row.index + (row.weight ? 1 : 0)) * in.Stride);
    std::uint32_t* line = reinterpret_cast<std::uint32_t*>(static_cast<std::uint8_t*>(out.Scan0) + y * out.Stride);
    for (int x = 0; x < width; ++x) {
      const Tap column = columns[static_cast<std::size_t>(x)];
      const int right = column.index + (column.weight ? 1 : 0);
      const std::uint32_t top = Mix(upper[column.index], upper[right], column.weight);
      const std::uint32_t bottom = Mix(lower[column.index], lower[right], column.weight);
      line[x] = Mix(top, bottom, row.weight);
    }
  }
  target->UnlockBits(&out);
  source->UnlockBits(&in);
  return target;
}
