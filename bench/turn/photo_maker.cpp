#include "photo_maker.h"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <vector>

#include "process_runner.h"

namespace {

// A photo-like picture: broad colour gradients with fine texture, so that the
// encoder produces a file of a camera's size rather than a flat one.
void WritePixels(const std::string& path, std::uint32_t width, std::uint32_t height,
                 std::uint32_t fullWidth) {
  std::ofstream out(path, std::ios::binary);
  out << "P6\n" << width << " " << height << "\n255\n";
  std::vector<unsigned char> row(3 * static_cast<std::size_t>(width));
  const double scale = static_cast<double>(fullWidth) / width;  // same scene at any size
  std::uint32_t seed = 12345;
  for (std::uint32_t y = 0; y < height; ++y) {
    for (std::uint32_t x = 0; x < width; ++x) {
      const double fx = x * scale, fy = y * scale;
      seed = seed * 1664525u + 1013904223u;
      const int grain = static_cast<int>((seed >> 24) & 15) - 8;
      const double base = 110 + 70 * std::sin(fx * 0.0021 + std::cos(fy * 0.0017) * 2.0) +
                          30 * std::sin(fx * 0.031) * std::cos(fy * 0.027);
      const int r = static_cast<int>(base + 25 * std::sin(fy * 0.004)) + grain;
      const int g = static_cast<int>(base * 0.9 + 20 * std::cos(fx * 0.003)) + grain;
      const int b = static_cast<int>(base * 0.7 + 40) + grain;
      unsigned char* p = &row[3 * static_cast<std::size_t>(x)];
      p[0] = static_cast<unsigned char>(r < 0 ? 0 : r > 255 ? 255 : r);
      p[1] = static_cast<unsigned char>(g < 0 ? 0 : g > 255 ? 255 : g);
      p[2] = static_cast<unsigned char>(b < 0 ? 0 : b > 255 ? 255 : b);
    }
    out.write(reinterpret_cast<const char*>(row.data()), static_cast<std::streamsize>(row.size()));
  }
  if (!out) throw std::runtime_error("cannot write " + path);
}

Bytes Encode(const std::string& ppm, const std::string& jpeg, int quality) {
  // cjpeg's defaults are baseline Huffman coding with 2x2 luma sampling
  // (4:2:0); both are spelled out so that a changed default cannot slip in.
  static const std::string cjpeg = FindProgram("cjpeg");
  if (cjpeg.empty()) throw std::runtime_error("cjpeg is missing (Debian package libjpeg-turbo-progs)");
  const std::vector<std::string> argv = {cjpeg,   "-quality", std::to_string(quality),
                                         "-sample", "2x2,1x1,1x1", "-baseline",
                                         "-outfile", jpeg, ppm};
  if (RunQuietly(argv) != 0) throw std::runtime_error("cjpeg failed on " + ppm);
  std::ifstream in(jpeg, std::ios::binary);
  Bytes bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::remove(jpeg.c_str());
  std::remove(ppm.c_str());
  return bytes;
}

// The encoder's output without SOI and its JFIF APP0: what follows the Exif
// segment in a camera file.
Bytes AfterHeader(const Bytes& jpeg) {
  std::size_t at = 2;
  if (jpeg.size() < 4 || jpeg[0] != 0xFF || jpeg[1] != 0xD8) throw std::runtime_error("not a JPEG");
  while (at + 4 <= jpeg.size() && jpeg[at] == 0xFF && jpeg[at + 1] >= 0xE0 && jpeg[at + 1] <= 0xEF) {
    at += 2 + (static_cast<std::size_t>(jpeg[at + 2]) << 8 | jpeg[at + 3]);
  }
  return Bytes(jpeg.begin() + static_cast<std::ptrdiff_t>(at), jpeg.end());
}

}  // namespace

Bytes MakePhoto(const PhotoSpec& spec, const std::string& scratch) {
  const std::string ppm = scratch + "/pixels.ppm", jpeg = scratch + "/pixels.jpg";
  WritePixels(ppm, spec.width, spec.height, spec.width);
  const Bytes picture = Encode(ppm, jpeg, 92);

  // A thumbnail of 160 pixels on the long side, as cameras store.
  const std::uint32_t thumbWidth = 160;
  const std::uint32_t thumbHeight = spec.height * thumbWidth / spec.width;
  WritePixels(ppm, thumbWidth, thumbHeight, spec.width);
  const Bytes thumbnail = Encode(ppm, jpeg, 75);

  Bytes photo = {0xFF, 0xD8};
  const Bytes app1 = BuildExifApp1(spec.bigEndian, spec.orientation, spec.width, spec.height, thumbnail);
  photo.insert(photo.end(), app1.begin(), app1.end());
  const Bytes rest = AfterHeader(picture);
  photo.insert(photo.end(), rest.begin(), rest.end());
  return photo;
}
