// Writes COUNT copies of one generated 4000 x 3000 camera-like photo with
// the given Orientation into FOLDER, for bench_thumbnails.
//
//   bench_thumbnail_photos FOLDER COUNT ORIENTATION
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <fstream>
#include <string>

#include "photo_maker.h"

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: bench_thumbnail_photos FOLDER COUNT ORIENTATION\n");
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
    const Bytes photo = MakePhoto(PhotoSpec{4000, 3000, static_cast<std::uint16_t>(orientation), false}, folder);
    for (int i = 1; i <= count; ++i) {
      char name[32];
      std::snprintf(name, sizeof name, "/photo-%04d.jpg", i);
      std::ofstream out(folder + name, std::ios::binary);
      out.write(reinterpret_cast<const char*>(photo.data()), static_cast<std::streamsize>(photo.size()));
      if (!out) throw std::runtime_error("cannot write " + folder + name);
    }
    std::printf("%d photos of %zu bytes in %s\n", count, photo.size(), folder.c_str());
  } catch (const std::exception& e) {
    std::fprintf(stderr, "bench_thumbnail_photos: %s\n", e.what());
    return 1;
  }
  return 0;
}
