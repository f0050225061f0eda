#include "orientation.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "exif_info.h"
#include "jpeg_builder.h"
#include "photo_file.h"

namespace {

TEST(TurnTables, WalkTheCyclesForEveryValue) {
  const std::uint16_t left[] = {8, 8, 5, 6, 7, 4, 1, 2, 3, 8, 8};   // v = 0..10
  const std::uint16_t right[] = {6, 6, 7, 8, 5, 2, 3, 4, 1, 6, 6};
  for (std::uint32_t v = 0; v <= 10; ++v) {
    EXPECT_EQ(left[v], TurnLeftValue(v)) << v;
    EXPECT_EQ(right[v], TurnRightValue(v)) << v;
  }
  for (std::uint32_t v = 1; v <= 8; ++v) {
    EXPECT_EQ(v, TurnRightValue(TurnLeftValue(v)));
    EXPECT_EQ(v, TurnLeftValue(TurnRightValue(v)));
    std::uint32_t w = v;
    for (int i = 0; i < 4; ++i) w = TurnRightValue(w);
    EXPECT_EQ(v, w);
  }
  // A value outside 1..8 is shown as stored, so it turns as 1 does,
  // whatever its low bits.
  for (std::uint32_t v : {0u, 9u, 10u, 15u, 16u, 0xFFF9u, 36865u}) {
    EXPECT_EQ(6, TurnRightValue(v)) << v;
    EXPECT_EQ(8, TurnLeftValue(v)) << v;
  }
}

TEST(TurnTables, EveryTurnShowsAsAQuarterTurnOfWhatWasShown) {
  for (std::uint32_t v : {0u, 1u, 2u, 3u, 4u, 5u, 6u, 7u, 8u, 9u, 10u, 15u}) {
    EXPECT_TRUE(TurnShowsAsQuarter(v, TurnRightValue(v), true)) << v;
    EXPECT_TRUE(TurnShowsAsQuarter(v, TurnLeftValue(v), false)) << v;
  }
  // What the old table wrote for such values: no turn, or half a turn.
  EXPECT_FALSE(TurnShowsAsQuarter(0, 1, true));
  EXPECT_FALSE(TurnShowsAsQuarter(0, 3, false));
  EXPECT_FALSE(TurnShowsAsQuarter(10, 7, true));
  // The mirrored values keep their mirror.
  EXPECT_FALSE(TurnShowsAsQuarter(2, 6, true));
  EXPECT_FALSE(TurnShowsAsQuarter(1, 6, false));
}

class TurnFile : public ::testing::Test {
 protected:
  std::wstring Write(const Bytes& bytes, const wchar_t* name = L"photo.jpg") {
    const std::wstring path = dir.Join(name);
    EXPECT_TRUE(WriteBytes(path, bytes));
    return path;
  }
  TempDir dir;
};

TEST_F(TurnFile, MinimalFileTurnsRightAndLeft) {
  const Bytes original = MinimalExifJpeg();
  const std::wstring path = Write(original);
  EXPECT_EQ(S_OK, RotateRight(path));
  Bytes after = ReadBytes(path);
  Bytes expected = original;
  expected[30] = 3;
  EXPECT_EQ(expected, after);

  WriteBytes(path, original);
  EXPECT_EQ(S_OK, RotateLeft(path));
  expected[30] = 1;
  EXPECT_EQ(expected, ReadBytes(path));
}

TEST_F(TurnFile, OnlyTheValueFieldChangesInEitherByteOrder) {
  for (bool bigEndian : {false, true}) {
    for (std::uint32_t v = 0; v <= 9; ++v) {
      const Bytes original = OrientationJpeg(bigEndian, v);
      const std::wstring path = Write(original);
      TurnReport report;
      ASSERT_EQ(S_OK, TurnPhoto(path, kTurnRight, TurnOptions(), &report)) << v;
      EXPECT_EQ(2u, report.bytesWritten);
      EXPECT_EQ(v, report.oldValue);
      const Bytes after = ReadBytes(path);
      ASSERT_EQ(original.size(), after.size());
      const std::uint16_t want = TurnRightValue(v);
      for (std::size_t i = 0; i < after.size(); ++i) {
        if (i == kOrientationValueAt) {
          EXPECT_EQ(bigEndian ? 0 : want, after[i]);
        } else if (i == kOrientationValueAt + 1) {
          EXPECT_EQ(bigEndian ? want : 0, after[i]);
        } else {
          EXPECT_EQ(original[i], after[i]) << "byte " << i;
        }
      }
      // One left turn undoes it, byte for byte.
      EXPECT_EQ(S_OK, RotateLeft(path));
      if (v >= 1 && v <= 8) {
        EXPECT_EQ(original, ReadBytes(path)) << v;
      }
    }
  }
}

TEST_F(TurnFile, FourTurnsGiveBackTheFile) {
  const Bytes original = OrientationJpeg(true, 1);
  const std::wstring path = Write(original);
  const std::uint16_t walk[] = {6, 3, 8, 1};
  for (std::uint16_t want : walk) {
    ASSERT_EQ(S_OK, RotateRight(path));
    ExifInfo_CL info;
    info.Read(path);
    EXPECT_EQ(want, info.FindEntry(274)->value);
  }
  EXPECT_EQ(original, ReadBytes(path));
}

TEST_F(TurnFile, LongOrientationIsWrittenWhole) {
  for (bool bigEndian : {false, true}) {
    for (std::uint16_t type : {std::uint16_t(4), std::uint16_t(9)}) {
      const Bytes original = OrientationJpeg(bigEndian, 1, type);
      const std::wstring path = Write(original);
      TurnReport report;
      ASSERT_EQ(S_OK, TurnPhoto(path, kTurnRight, TurnOptions(), &report));
      EXPECT_EQ(4u, report.bytesWritten);
      Bytes expected = original;
      expected[kOrientationValueAt + (bigEndian ? 3 : 0)] = 6;
      EXPECT_EQ(expected, ReadBytes(path));
      ExifInfo_CL info;
      info.Read(path);
      EXPECT_EQ(6u, info.FindEntry(274)->value);
    }
  }
}

TEST_F(TurnFile, ShapesWhoseFieldMayBeAnOffsetAreRefused) {
  const struct {
    std::uint16_t type;
    std::uint32_t count;
  } shapes[] = {{3, 2}, {3, 3}, {4, 2}, {5, 1}, {2, 1}, {1, 1}, {7, 1}, {3, 0}};
  for (const auto& shape : shapes) {
    const Bytes original = OrientationJpeg(false, 1, shape.type, shape.count);
    const std::wstring path = Write(original);
    EXPECT_EQ(E_FAIL, RotateRight(path)) << shape.type << "/" << shape.count;
    EXPECT_EQ(original, ReadBytes(path));
  }
}

TEST_F(TurnFile, PhotosThatCannotBeTurnedStayUntouched) {
  JpegBuilder noOrientation;
  noOrientation.Soi().App1Exif(false, {{271, 2, 3, 0x00414141}}).Sos();
  JpegBuilder xmpFirst;
  xmpFirst.Soi().App1Xmp().App1Exif(false, {{274, 3, 1, 1}}).Sos();
  const Bytes notJpeg = {'G', 'I', 'F', '8', '9', 'a', 0, 0};
  for (const Bytes& bytes : {noOrientation.Data(), xmpFirst.Data(), notJpeg, Bytes()}) {
    const std::wstring path = Write(bytes);
    TurnReport report;
    EXPECT_EQ(E_FAIL, TurnPhoto(path, kTurnLeft, TurnOptions(), &report));
    EXPECT_FALSE(report.hasOrientation);
    EXPECT_EQ(bytes, ReadBytes(path));
  }
  EXPECT_EQ(E_FAIL, RotateRight(dir.Join(L"missing.jpg")));
}

TEST_F(TurnFile, ExifFollowedByXmpIsTurned) {
  JpegBuilder b;
  b.Soi().App0Jfif().App1Exif(true, {{274, 3, 1, 1}}).App1Xmp().Sos();
  const std::wstring path = Write(b.Data());
  EXPECT_EQ(S_OK, RotateRight(path));
  ExifInfo_CL info;
  info.Read(path);
  EXPECT_EQ(6u, info.FindEntry(274)->value);
}

TEST_F(TurnFile, TwoExifBlocksInDifferentByteOrdersTurnLikeAnyOther) {
  // "II" with the Orientation, then "MM" without one.
  for (bool secondHasOrientation : {false, true}) {
    JpegBuilder b;
    std::uint32_t tiffAt = 0;
    std::vector<TestEntry> second = {{271, 2, 4, 0x41424300}};
    if (secondHasOrientation) second.push_back({274, 3, 1, 8});
    b.Soi().App1Exif(false, {{274, 3, 1, 6}}, {}, &tiffAt).App1Exif(true, second).Sos();
    const Bytes original = b.Data();
    const std::wstring path = Write(original);
    EXPECT_EQ(S_OK, RotateRight(path));
    Bytes expected = original;
    const std::uint32_t valueAt = tiffAt + 8 + 2 + 8;  // IFD0's only entry
    expected[valueAt] = 3;
    expected[valueAt + 1] = 0;
    EXPECT_EQ(expected, ReadBytes(path));
  }
}

TEST_F(TurnFile, ReadOnlyPhotoIsRefused) {
  const Bytes original = MinimalExifJpeg();
  const std::wstring path = Write(original);
  ASSERT_TRUE(SetReadOnly(path, true));
  EXPECT_TRUE(IsWriteProtected(path));
  EXPECT_EQ(E_FAIL, RotateRight(path));
  SetReadOnly(path, false);
  EXPECT_EQ(original, ReadBytes(path));
}

// Another program holds the photo open for reading and lets others read it
// too, but not write, as a viewer does.
class OtherHolder {
 public:
  explicit OtherHolder(const std::wstring& path) {
#ifdef _WIN32
    handle_ = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL, NULL);
    held_ = handle_ != INVALID_HANDLE_VALUE;
#else
    held_ = SUCCEEDED(file_.Open(path));
#endif
  }
  ~OtherHolder() { Release(); }
  bool Held() const { return held_; }
  void Release() {
#ifdef _WIN32
    if (held_) CloseHandle(handle_);
#else
    file_.Close();
#endif
    held_ = false;
  }

 private:
  bool held_ = false;
#ifdef _WIN32
  HANDLE handle_;
#else
  ExclusiveFile_CL file_;
#endif
};

TEST_F(TurnFile, AHoldIsWaitedForBrieflyThenASharingViolation) {
  typedef std::chrono::steady_clock Clock;
  const Bytes original = MinimalExifJpeg();
  const std::wstring path = Write(original);
  {
    // Held for good: the turn gives up after the short wait.
    OtherHolder other(path);
    ASSERT_TRUE(other.Held());
    const Clock::time_point start = Clock::now();
    EXPECT_EQ(static_cast<HRESULT>(0x80070020u), RotateRight(path));
    const long long waited =
        std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
    EXPECT_GE(waited, static_cast<long long>(kSharingRetryMs));
    EXPECT_LT(waited, 2000);
  }
  EXPECT_EQ(original, ReadBytes(path));

  // Held for a moment, as a decoder does: the turn waits and succeeds.
  OtherHolder decoder(path);
  ASSERT_TRUE(decoder.Held());
  std::thread release([&decoder] {
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
    decoder.Release();
  });
  EXPECT_EQ(S_OK, RotateRight(path));
  release.join();
  Bytes expected = original;
  expected[30] = 3;
  EXPECT_EQ(expected, ReadBytes(path));
}

TEST_F(TurnFile, KeepTimeLeavesTheWriteTime) {
  const std::wstring path = Write(MinimalExifJpeg());
  std::uint64_t before = 0;
  {
    ExclusiveFile_CL file;
    ASSERT_EQ(S_OK, file.Open(path));
    // An old time that a write would certainly move.
    ASSERT_EQ(S_OK, file.GetWriteTime(&before));
    before -= before % 10000000ull;
    before -= 86400ull * 10000000ull;
    ASSERT_EQ(S_OK, file.SetWriteTime(before));
  }
  TurnOptions keep;
  keep.keepTime = true;
  ASSERT_EQ(S_OK, TurnPhoto(path, kTurnRight, keep, nullptr));
  ExclusiveFile_CL file;
  ASSERT_EQ(S_OK, file.Open(path));
  std::uint64_t after = 0;
  ASSERT_EQ(S_OK, file.GetWriteTime(&after));
  EXPECT_EQ(before, after);
  file.Close();

  ASSERT_EQ(S_OK, RotateRight(path));
  ASSERT_EQ(S_OK, file.Open(path));
  ASSERT_EQ(S_OK, file.GetWriteTime(&after));
  EXPECT_NE(before, after);
}

TEST_F(TurnFile, ShortFilesFailWithoutWriting) {
  ExclusiveFile_CL file;
  const std::wstring path = Write(Bytes(10, 0));
  ASSERT_EQ(S_OK, file.Open(path));
  unsigned char buffer[12];
  EXPECT_TRUE(FAILED(file.ReadAt(4, buffer, sizeof buffer)));
  EXPECT_TRUE(FAILED(file.ReadAt(0xFFFFFFF0u, buffer, 2)));
}

}  // namespace

namespace {

Bytes g_replacement;

void ReplaceFile(const std::wstring& path) { WriteBytes(path, g_replacement); }

TEST_F(TurnFile, AFileChangedBetweenReadAndWriteIsLeftAlone) {
  // Another program rewrote the photo after it was read: a new value, or a
  // different layout that puts other bytes where the entry was.
  JpegBuilder moved;
  moved.Soi().App0Jfif().App1Exif(false, {{274, 3, 1, 1}}).Sos();
  for (const Bytes& replacement : {OrientationJpeg(false, 3), moved.Data()}) {
    const std::wstring path = Write(OrientationJpeg(false, 1));
    g_replacement = replacement;
    SetTurnRaceHookForTests(ReplaceFile);
    EXPECT_EQ(E_FAIL, RotateRight(path));
    SetTurnRaceHookForTests(nullptr);
    EXPECT_EQ(replacement, ReadBytes(path));
  }
}

}  // namespace
