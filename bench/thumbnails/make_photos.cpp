// Writes COUNT copies of one generated 4000 x 3000 camera-like photo with
// the given Orientation into FOLDER, for bench_thumbnails; with "raw", COUNT
// raw files (.nef) instead: IFD0 with the Orientation, a SubIFD naming a
// 1620 x 1080 JPEG preview, and 24 MB of picture data after it (left as a
// hole in the file: the program never reads it).
//
//   bench_thumbnail_photos FOLDER COUNT ORIENTATION [raw]
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <fstream>
#include <string>

#include "photo_maker.h"

namespace {

void Put(Bytes& b, std::uint32_t v, int size) {
  for (int i = 0; i < size; ++i) b.push_back(static_cast<unsigned char>(v >> (8 * i)));
}

void Entry(Bytes& b, std::uint16_t tag, std::uint16_t type, std::uint32_t value) {
  Put(b, tag, 2);
  Put(b, type, 2);
  Put(b, 1, 4);
  Put(b, value, 4);
}

// Header, IFD0 (Orientation, SubIFDs), the SubIFD (the preview's place), the
// preview.
Bytes RawAround(const Bytes& preview, std::uint16_t orientation) {
  const std::uint32_t subAt = 8 + 2 + 2 * 12 + 4, previewAt = subAt + 2 + 2 * 12 + 4;
  Bytes raw = {'I', 'I', 42, 0, 8, 0, 0, 0};
  Put(raw, 2, 2);
  Entry(raw, 274, 3, orientation);
  Entry(raw, 330, 4, subAt);
  Put(raw, 0, 4);
  Put(raw, 2, 2);
  Entry(raw, 513, 4, previewAt);
  Entry(raw, 514, 4, static_cast<std::uint32_t>(preview.size()));
  Put(raw, 0, 4);
  raw.insert(raw.end(), preview.begin(), preview.end());
  return raw;
}

}  // namespace

int main(int argc, char** argv) {
  const bool raw = argc == 5 && std::string(argv[4]) == "raw";
  if (argc != 4 && !raw) {
    std::fprintf(stderr, "usage: bench_thumbnail_photos FOLDER COUNT ORIENTATION [raw]\n");
    return 2;
  }
  const std::string folder = argv[1];
  const int count = std::atoi(argv[2]);
  const int orientation = std::atoi(argv[3]);
  if (count < 1 || orientation < 1 || orientation > 8) {
    std::fprintf(stderr, "bench_thumbnail_photos: bad count or orientation\n");
    return 2;
  }
  try {
    // The maker's pixels do not depend on a seed, so one photo copied is
    // what many would be; decoding costs the same for each copy.
    const std::uint16_t value = static_cast<std::uint16_t>(orientation);
    // A camera's preview is stored as the sensor saw the scene; its own
    // Exif, if any, says nothing of the raw file's Orientation.
    const Bytes photo = raw ? RawAround(MakePhoto(PhotoSpec{1620, 1080, 1, false}, folder), value)
                            : MakePhoto(PhotoSpec{4000, 3000, value, false}, folder);
    for (int i = 1; i <= count; ++i) {
      char name[32];
      std::snprintf(name, sizeof name, raw ? "/photo-%04d.nef" : "/photo-%04d.jpg", i);
      std::ofstream out(folder + name, std::ios::binary);
      out.write(reinterpret_cast<const char*>(photo.data()), static_cast<std::streamsize>(photo.size()));
      if (raw) {
        out.seekp(24 * 1024 * 1024, std::ios::cur);
        out.put('\0');
      }
      if (!out) throw std::runtime_error("cannot write " + folder + name);
    }
    std::printf("%d photos of %zu bytes in %s\n", count, photo.size(), folder.c_str());
  } catch (const std::exception& e) {
    std::fprintf(stderr, "bench_thumbnail_photos: %s\n", e.what());
    return 1;
  }
  return 0;
}
