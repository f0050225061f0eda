#include <gtest/gtest.h>

#include <string>

#include "jpeg_frame_size.h"
#include "test_files.h"

namespace {

Bytes Segment(unsigned char marker, const Bytes& payload) {
  Bytes out = {0xFF, marker};
  const std::size_t length = payload.size() + 2;
  out.push_back(static_cast<unsigned char>(length >> 8));
  out.push_back(static_cast<unsigned char>(length));
  out.insert(out.end(), payload.begin(), payload.end());
  return out;
}

Bytes Join(std::initializer_list<Bytes> parts) {
  Bytes out;
  for (const Bytes& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

const Bytes kSoi = {0xFF, 0xD8};
// 8-bit, 3000 high, 4000 wide, one component.
const Bytes kFrame = {8, 0x0B, 0xB8, 0x0F, 0xA0, 1, 1, 0x11, 0};

std::wstring CorpusFile(const wchar_t* name) {
#ifdef _WIN32
  return CorpusDir() + L"\\" + name;
#else
  return CorpusDir() + L"/" + name;
#endif
}

FrameSize SizeOf(const Bytes& bytes) {
  TempDir dir;
  const std::wstring path = dir.Join(L"p.jpg");
  EXPECT_TRUE(WriteBytes(path, bytes));
  return ReadJpegFrameSize(path);
}

TEST(JpegFrameSize, FindsTheFrameBehindOtherSegments) {
  const Bytes file = Join({kSoi, Segment(0xE0, Bytes(14, 0)), Segment(0xE1, Bytes(300, 7)),
                           Segment(0xDB, Bytes(65, 1)), {0xFF, 0xFF}, Segment(0xC2, kFrame),
                           {0xFF, 0xDA}});
  const FrameSize size = SizeOf(file);
  EXPECT_EQ(4000, size.width);
  EXPECT_EQ(3000, size.height);
}

TEST(JpegFrameSize, NoFrameNoSize) {
  // Not a JPEG at all.
  EXPECT_EQ(0, SizeOf(Bytes{'G', 'I', 'F', '8', '9', 'a'}).width);
  // The scan comes first.
  EXPECT_EQ(0, SizeOf(Join({kSoi, {0xFF, 0xDA, 0, 2}, Segment(0xC0, kFrame)})).width);
  // Cut inside the frame header, or inside a segment's length.
  EXPECT_EQ(0, SizeOf(Join({kSoi, {0xFF, 0xC0, 0, 11, 8, 0x0B}})).width);
  EXPECT_EQ(0, SizeOf(Join({kSoi, {0xFF, 0xE1, 0x40}})).width);
  // A segment longer than the file.
  EXPECT_EQ(0, SizeOf(Join({kSoi, {0xFF, 0xE1, 0xFF, 0xFF, 1, 2}})).width);
  // Garbage where a marker should be.
  EXPECT_EQ(0, SizeOf(Join({kSoi, {0x12, 0x34}, Segment(0xC0, kFrame)})).width);
  // Huffman tables are no frame header.
  EXPECT_EQ(0, SizeOf(Join({kSoi, Segment(0xC4, kFrame)})).width);
  // A missing file.
  EXPECT_EQ(0, ReadJpegFrameSize(std::wstring(L"no such file.jpg")).width);
}

TEST(JpegFrameSize, CorpusPhotosDeclareTheirStoredSize) {
  const FrameSize f6 = ReadJpegFrameSize(CorpusFile(L"exr_orientation_f6t.jpg"));
  EXPECT_EQ(80, f6.width);
  EXPECT_EQ(48, f6.height);
  const FrameSize p1 = ReadJpegFrameSize(CorpusFile(L"exs_orientation_portrait_1.jpg"));
  EXPECT_EQ(450, p1.width);
  EXPECT_EQ(600, p1.height);
}

}  // namespace
