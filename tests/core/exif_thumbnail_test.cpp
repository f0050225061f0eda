#include <gtest/gtest.h>

#include <string>

#include "byte_order.h"
#include "exif_thumbnail.h"
#include "test_files.h"

namespace {

// A TIFF block: IFD0 with one Orientation entry, then IFD1 with the given
// entries, then the thumbnail bytes. Offsets are from the TIFF header.
struct Ifd1Entry {
  std::uint16_t tag;
  std::uint16_t type;
  std::uint32_t count;
  std::uint32_t value;
};

const Bytes kTinyJpeg = {0xFF, 0xD8, 0xFF, 0xDB, 0, 3, 1, 0xFF, 0xD9};

Bytes Tiff(bool bigEndian, const std::vector<Ifd1Entry>& ifd1, bool linkIfd1 = true) {
  Bytes t(8 + 2 + 12 + 4, 0);
  t[0] = t[1] = bigEndian ? 'M' : 'I';
  Store16(&t[2], 42, bigEndian);
  Store32(&t[4], 8, bigEndian);
  Store16(&t[8], 1, bigEndian);
  Store16(&t[10], 274, bigEndian);
  Store16(&t[12], 3, bigEndian);
  Store32(&t[14], 1, bigEndian);
  Store16(&t[18], 6, bigEndian);
  const std::uint32_t ifd1At = static_cast<std::uint32_t>(t.size());
  Store32(&t[22], linkIfd1 ? ifd1At : 0, bigEndian);
  Bytes ifd(2 + 12 * ifd1.size() + 4, 0);
  Store16(&ifd[0], static_cast<std::uint16_t>(ifd1.size()), bigEndian);
  for (std::size_t i = 0; i < ifd1.size(); ++i) {
    unsigned char* e = &ifd[2 + 12 * i];
    Store16(e, ifd1[i].tag, bigEndian);
    Store16(e + 2, ifd1[i].type, bigEndian);
    Store32(e + 4, ifd1[i].count, bigEndian);
    if (ifd1[i].type == 3) {
      Store16(e + 8, static_cast<std::uint16_t>(ifd1[i].value), bigEndian);
    } else {
      Store32(e + 8, ifd1[i].value, bigEndian);
    }
  }
  t.insert(t.end(), ifd.begin(), ifd.end());
  return t;
}

// SOI, APP0, the Exif APP1 around tiff, then the thumbnail bytes at the end of
// the APP1, then a scan.
Bytes Photo(const Bytes& tiff, const Bytes& thumbnail = kTinyJpeg) {
  Bytes payload = {'E', 'x', 'i', 'f', 0, 0};
  payload.insert(payload.end(), tiff.begin(), tiff.end());
  payload.insert(payload.end(), thumbnail.begin(), thumbnail.end());
  Bytes file = {0xFF, 0xD8, 0xFF, 0xE0, 0, 4, 0, 0, 0xFF, 0xE1};
  file.push_back(static_cast<unsigned char>((payload.size() + 2) >> 8));
  file.push_back(static_cast<unsigned char>(payload.size() + 2));
  file.insert(file.end(), payload.begin(), payload.end());
  const Bytes scan = {0xFF, 0xDA, 0, 2, 1, 2, 3, 0xFF, 0xD9};
  file.insert(file.end(), scan.begin(), scan.end());
  return file;
}

const std::uint32_t kTiffAt = 12 + 6;  // SOI, APP0, APP1 marker and length, "Exif\0\0"

// The thumbnail sits right after IFD1 of n entries.
std::uint32_t ThumbnailAt(std::size_t entries) { return 26 + 2 + 12 * static_cast<std::uint32_t>(entries) + 4; }

bool Find(const Bytes& file, EmbeddedThumbnail* found) {
  return FindEmbeddedThumbnail(file.data(), file.size(), found);
}

TEST(EmbeddedThumbnail, FoundInIfd1InEitherByteOrderAsLongOrShort) {
  for (bool bigEndian : {false, true}) {
    for (std::uint16_t type : {std::uint16_t(4), std::uint16_t(3)}) {
      const Bytes file = Photo(Tiff(bigEndian, {{259, 3, 1, 6},
                                                {513, type, 1, ThumbnailAt(3)},
                                                {514, type, 1, static_cast<std::uint32_t>(kTinyJpeg.size())}}));
      EmbeddedThumbnail found;
      ASSERT_TRUE(Find(file, &found)) << bigEndian << " " << type;
      EXPECT_EQ(kTiffAt + ThumbnailAt(3), found.offset);
      EXPECT_EQ(kTinyJpeg.size(), found.length);
      EXPECT_EQ(0xD8, file[found.offset + 1]);
    }
  }
}

TEST(EmbeddedThumbnail, AnythingUnusableIsNoThumbnail) {
  const std::uint32_t at = ThumbnailAt(2);
  const std::uint32_t length = static_cast<std::uint32_t>(kTinyJpeg.size());
  EmbeddedThumbnail found;
  // No IFD1.
  EXPECT_FALSE(Find(Photo(Tiff(false, {{513, 4, 1, at}, {514, 4, 1, length}}, false)), &found));
  // Only one of the two tags, or a zero offset or length.
  EXPECT_FALSE(Find(Photo(Tiff(false, {{513, 4, 1, ThumbnailAt(1)}})), &found));
  EXPECT_FALSE(Find(Photo(Tiff(false, {{514, 4, 1, length}})), &found));
  EXPECT_FALSE(Find(Photo(Tiff(false, {{513, 4, 1, 0}, {514, 4, 1, length}})), &found));
  EXPECT_FALSE(Find(Photo(Tiff(false, {{513, 4, 1, at}, {514, 4, 1, 0}})), &found));
  // Pointing past the end of the file, or reaching past it.
  EXPECT_FALSE(Find(Photo(Tiff(false, {{513, 4, 1, 0xFFFFFFF0u}, {514, 4, 1, length}})), &found));
  EXPECT_FALSE(Find(Photo(Tiff(false, {{513, 4, 1, at}, {514, 4, 1, 0xFFFFFFFFu}})), &found));
  EXPECT_FALSE(Find(Photo(Tiff(false, {{513, 4, 1, at}, {514, 4, 1, 5000}})), &found));
  // Cut short: its end-of-image marker is missing.
  const Bytes cut(kTinyJpeg.begin(), kTinyJpeg.end() - 2);
  EXPECT_FALSE(Find(Photo(Tiff(false, {{513, 4, 1, at}, {514, 4, 1, length - 2}}), cut), &found));
  // Padding after the end marker is fine.
  Bytes padded = kTinyJpeg;
  padded.resize(padded.size() + 16, 0);
  EXPECT_TRUE(Find(Photo(Tiff(false, {{513, 4, 1, at}, {514, 4, 1, length + 16}}), padded), &found));
  // Not a JPEG where it points.
  EXPECT_FALSE(Find(Photo(Tiff(false, {{513, 4, 1, at}, {514, 4, 1, length}}), Bytes(9, 0x42)), &found));
  // A wrong type or count.
  EXPECT_FALSE(Find(Photo(Tiff(false, {{513, 5, 1, at}, {514, 4, 1, length}})), &found));
  EXPECT_FALSE(Find(Photo(Tiff(false, {{513, 4, 2, at}, {514, 4, 1, length}})), &found));
  // IFD1 that is IFD0 again.
  Bytes loop = Photo(Tiff(false, {{513, 4, 1, at}, {514, 4, 1, length}}));
  Store32(&loop[kTiffAt + 22], 8, false);
  EXPECT_FALSE(Find(loop, &found));
  // IFD1 claiming more entries than the segment holds.
  Bytes many = Photo(Tiff(false, {{513, 4, 1, at}, {514, 4, 1, length}}));
  Store16(&many[kTiffAt + 26], 0xFFFF, false);
  EXPECT_FALSE(Find(many, &found));
  // Files cut anywhere never read past their end.
  const Bytes whole = Photo(Tiff(true, {{513, 4, 1, at}, {514, 4, 1, length}}));
  for (std::size_t cut = 0; cut < whole.size(); ++cut) {
    const Bytes part(whole.begin(), whole.begin() + static_cast<long>(cut));
    if (FindEmbeddedThumbnail(part.data(), part.size(), &found)) {
      EXPECT_LE(found.offset + found.length, cut);
    }
  }
  // Not a JPEG at all; no Exif; the scan before any Exif.
  EXPECT_FALSE(Find(Bytes{'G', 'I', 'F', '8', '9', 'a'}, &found));
  EXPECT_FALSE(Find(Bytes{0xFF, 0xD8, 0xFF, 0xDA, 0, 2, 0xFF, 0xD9}, &found));
}

TEST(EmbeddedThumbnail, CameraPhotosOfTheCorpus) {
  struct Known {
    const wchar_t* name;
    std::uint32_t offset;
    std::uint32_t length;
  };
  // Places as an independent Exif tool reports them.
  const Known known[] = {{L"et_flir.jpg", 872, 2314},
                         {L"ex2_exiv2-canon-eos-20d.jpg", 9746, 6260},
                         {L"ex2_exiv2-nikon-d70.jpg", 30474, 8930}};
  for (const Known& k : known) {
#ifdef _WIN32
    const Bytes file = ReadBytes(CorpusDir() + L"\\" + k.name);
#else
    const Bytes file = ReadBytes(CorpusDir() + L"/" + k.name);
#endif
    ASSERT_FALSE(file.empty());
    EmbeddedThumbnail found;
    ASSERT_TRUE(Find(file, &found));
    EXPECT_EQ(k.offset, found.offset);
    EXPECT_EQ(k.length, found.length);
  }
}

}  // namespace
