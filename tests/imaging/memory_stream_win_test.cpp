#include <gtest/gtest.h>

#include "memory_stream.h"

TEST(MemoryStream, ReadsPastTheEndGiveNothing) {
  IStream* stream = MemoryStream_CL::Create(
      std::make_shared<const std::vector<unsigned char>>(std::vector<unsigned char>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
  ASSERT_NE(nullptr, stream);
  unsigned char buffer[16] = {};
  ULONG got = 99;
  LARGE_INTEGER move;
  move.QuadPart = 8;
  ASSERT_EQ(S_OK, stream->Seek(move, STREAM_SEEK_SET, NULL));
  ASSERT_EQ(S_OK, stream->Read(buffer, 16, &got));
  EXPECT_EQ(2u, got);
  EXPECT_EQ(9, buffer[1]);
  // A decoder skipping a segment longer than the file lands beyond it.
  move.QuadPart = 5000;
  ULARGE_INTEGER at;
  ASSERT_EQ(S_OK, stream->Seek(move, STREAM_SEEK_CUR, &at));
  EXPECT_EQ(5010u, at.QuadPart);
  ASSERT_EQ(S_OK, stream->Read(buffer, 16, &got));
  EXPECT_EQ(0u, got);
  move.QuadPart = -1;
  EXPECT_NE(S_OK, stream->Seek(move, STREAM_SEEK_SET, NULL));
  STATSTG stat;
  ASSERT_EQ(S_OK, stream->Stat(&stat, STATFLAG_NONAME));
  EXPECT_EQ(10u, stat.cbSize.QuadPart);
  EXPECT_EQ(0u, stream->Release());
}
