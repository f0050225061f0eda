#include "native_path.h"

static_assert(sizeof(wchar_t) == 4, "wide strings hold whole code points here");

namespace {

const char32_t kEscapeBase = 0xDC00;

bool IsEscapedByte(char32_t c) { return c >= 0xDC80 && c <= 0xDCFF; }

void AppendUtf8(std::string* out, char32_t c) {
  if (c < 0x80) {
    *out += static_cast<char>(c);
  } else if (c < 0x800) {
    *out += static_cast<char>(0xC0 | (c >> 6));
    *out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    *out += static_cast<char>(0xE0 | (c >> 12));
    *out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    *out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    *out += static_cast<char>(0xF0 | (c >> 18));
    *out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    *out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    *out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// Length of the valid UTF-8 sequence at bytes[i], or 0 when it is not one
// (truncated, overlong, a surrogate or beyond U+10FFFF).
std::size_t DecodeOne(const unsigned char* bytes, std::size_t size, std::size_t i,
                      char32_t* code) {
  const unsigned char lead = bytes[i];
  std::size_t length;
  char32_t c;
  char32_t least;
  if (lead < 0x80) {
    *code = lead;
    return 1;
  } else if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, c = lead & 0x1F, least = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, c = lead & 0x0F, least = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, c = lead & 0x07, least = 0x10000;
  } else {
    return 0;
  }
  if (length > size - i) return 0;
  for (std::size_t k = 1; k < length; ++k) {
    const unsigned char next = bytes[i + k];
    if ((next & 0xC0) != 0x80) return 0;
    c = (c << 6) | (next & 0x3F);
  }
  if (c < least || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return 0;
  *code = c;
  return length;
}

}  // namespace

std::string NativePathFromWide(const std::wstring& path) {
  std::string out;
  out.reserve(path.size());
  for (wchar_t w : path) {
    const char32_t c = static_cast<char32_t>(w);
    if (IsEscapedByte(c)) {
      out += static_cast<char>(c - kEscapeBase);
    } else if ((c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) {
      AppendUtf8(&out, 0xFFFD);  // no byte sequence names it
    } else {
      AppendUtf8(&out, c);
    }
  }
  return out;
}

std::wstring WideFromNativePath(const char* bytes, std::size_t size) {
  const unsigned char* data = reinterpret_cast<const unsigned char*>(bytes);
  std::wstring out;
  out.reserve(size);
  for (std::size_t i = 0; i < size;) {
    char32_t code = 0;
    const std::size_t length = DecodeOne(data, size, i, &code);
    if (length == 0) {
      out += static_cast<wchar_t>(kEscapeBase + data[i]);
      ++i;
    } else {
      out += static_cast<wchar_t>(code);
      i += length;
    }
  }
  return out;
}
