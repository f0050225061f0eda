#include "dialog_template.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

std::uint32_t Dword(const std::vector<std::uint8_t>& b, std::size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<std::uint32_t>(b[at + 3]) << 24);
}

unsigned Word(const std::vector<std::uint8_t>& b, std::size_t at) { return b[at] | (b[at + 1] << 8); }

}  // namespace

TEST(DialogTemplate, HeaderHoldsStyleSizeAndNothingElse) {
  std::vector<std::uint8_t> buffer(kDialogTemplateBufferSize, 0xCC);
  ASSERT_TRUE(BuildDialogTemplate(buffer.data(), buffer.size(), 0x80CA0080u));
  EXPECT_EQ(0x80CA0080u, Dword(buffer, 0));  // style
  EXPECT_EQ(0u, Dword(buffer, 4));           // extended style
  EXPECT_EQ(0u, Word(buffer, 8));            // no items
  EXPECT_EQ(0u, Word(buffer, 10));           // x
  EXPECT_EQ(0u, Word(buffer, 12));           // y
  EXPECT_EQ(320u, Word(buffer, 14));
  EXPECT_EQ(240u, Word(buffer, 16));
  // Everything after the header is zero: no menu, default class, empty
  // title, and no leftovers from the buffer's earlier content.
  for (std::size_t i = 18; i < buffer.size(); ++i) ASSERT_EQ(0, buffer[i]) << "byte " << i;
}

TEST(DialogTemplate, BufferTooSmallFailsWithoutWritingPastItsEnd) {
  std::vector<std::uint8_t> buffer(32, 0xCC);
  EXPECT_FALSE(BuildDialogTemplate(buffer.data(), 10, 0x80CA0080u));
  for (std::size_t i = 10; i < buffer.size(); ++i) ASSERT_EQ(0xCC, buffer[i]) << "byte " << i;
  EXPECT_TRUE(BuildDialogTemplate(buffer.data(), 24, 0x80CA0080u));
  EXPECT_FALSE(BuildDialogTemplate(nullptr, 1024, 0));
}

