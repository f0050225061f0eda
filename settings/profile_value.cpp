#include "profile_value.h"

namespace {

const wchar_t kHexDigits[] = L"0123456789ABCDEF";

int HexValue(wchar_t c) {
  if (c >= L'0' && c <= L'9') return c - L'0';
  if (c >= L'A' && c <= L'F') return c - L'A' + 10;
  if (c >= L'a' && c <= L'f') return c - L'a' + 10;
  return -1;
}

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

}  // namespace

std::wstring FormatProfileInt(std::int32_t value) {
  // Built by hand: the platforms disagree on what swprintf needs, and the
  // most negative value has no positive counterpart to negate into.
  const bool negative = value < 0;
  std::uint32_t magnitude = static_cast<std::uint32_t>(value);
  if (negative) magnitude = 0u - magnitude;
  wchar_t digits[16];
  std::size_t n = 0;
  do {
    digits[n++] = static_cast<wchar_t>(L'0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  std::wstring text;
  if (negative) text += L'-';
  while (n > 0) text += digits[--n];
  return text;
}

bool ParseProfileInt(const std::wstring& text, std::int32_t& value) {
  if (text.empty()) return false;
  std::size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && text[i] == L'-') {
    negative = true;
    ++i;
  }
  std::uint32_t magnitude = 0;  // wraps like the platform's reader
  for (; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i) {
    magnitude = magnitude * 10u + static_cast<std::uint32_t>(text[i] - L'0');
  }
  if (negative) magnitude = 0u - magnitude;
  value = static_cast<std::int32_t>(magnitude);
  return true;
}

std::uint8_t StructChecksum(const void* data, std::size_t size) {
  const unsigned char* bytes = static_cast<const unsigned char*>(data);
  unsigned sum = 0;
  for (std::size_t i = 0; i < size; ++i) sum += bytes[i];
  return static_cast<std::uint8_t>(sum & 0xFFu);
}

std::wstring EncodeStructValue(const void* data, std::size_t size) {
  const unsigned char* bytes = static_cast<const unsigned char*>(data);
  std::wstring text;
  text.reserve(2 * size + 2);
  for (std::size_t i = 0; i < size; ++i) {
    text += kHexDigits[bytes[i] >> 4];
    text += kHexDigits[bytes[i] & 0x0F];
  }
  const std::uint8_t checksum = StructChecksum(data, size);
  text += kHexDigits[checksum >> 4];
  text += kHexDigits[checksum & 0x0F];
  return text;
}

bool DecodeStructValue(const std::wstring& text, void* buffer, std::size_t size) {
  // size <= (max - 2) / 2 keeps 2 * size + 2 from wrapping on 32-bit builds.
  if (size > (text.max_size() - 2) / 2 || text.size() != 2 * size + 2) return false;
  std::wstring::size_type pos = 0;
  unsigned sum = 0;
  unsigned char* out = static_cast<unsigned char*>(buffer);
  // Checked in full before the caller's buffer is touched.
  for (std::size_t i = 0; i <= size; ++i, pos += 2) {
    const int high = HexValue(text[pos]);
    const int low = HexValue(text[pos + 1]);
    if (high < 0 || low < 0) return false;
    if (i < size) sum += static_cast<unsigned>(high * 16 + low);
    else if ((sum & 0xFFu) != static_cast<unsigned>(high * 16 + low)) return false;
  }
  for (std::size_t i = 0; i < size; ++i) {
    out[i] = static_cast<unsigned char>(HexValue(text[2 * i]) * 16 + HexValue(text[2 * i + 1]));
  }
  return true;
}
