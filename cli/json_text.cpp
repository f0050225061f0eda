#include "json_text.h"

#include "utf8.h"

namespace {

const char kHex[] = "0123456789abcdef";

void AppendUnicodeEscape(std::string& out, unsigned unit) {
  out += "\\u";
  out += kHex[(unit >> 12) & 0xF];
  out += kHex[(unit >> 8) & 0xF];
  out += kHex[(unit >> 4) & 0xF];
  out += kHex[unit & 0xF];
}

// Escapes one ASCII character if JSON requires it; false for any other.
bool AppendAscii(std::string& out, unsigned c) {
  if (c >= 0x80) return false;
  switch (c) {
    case '"': out += "\\\""; break;
    case '\\': out += "\\\\"; break;
    case '\b': out += "\\b"; break;
    case '\f': out += "\\f"; break;
    case '\n': out += "\\n"; break;
    case '\r': out += "\\r"; break;
    case '\t': out += "\\t"; break;
    default:
      if (c < 0x20 || c == 0x7F) {
        AppendUnicodeEscape(out, c);
      } else {
        out += static_cast<char>(c);
      }
  }
  return true;
}

bool IsHighSurrogate(unsigned u) { return u >= 0xD800 && u <= 0xDBFF; }
bool IsLowSurrogate(unsigned u) { return u >= 0xDC00 && u <= 0xDFFF; }

}  // namespace

std::string JsonQuote(const std::wstring& text) {
  std::string out;
  out.reserve(text.size() + 2);
  out += '"';
  std::size_t i = 0;
  while (i < text.size()) {
    const unsigned c = static_cast<unsigned>(text[i]);
    if (AppendAscii(out, c)) {
      ++i;
      continue;
    }
    // A run of other characters goes through the UTF-8 encoder at once; it
    // ends before an ASCII character or a surrogate that has no partner.
    std::size_t end = i;
    while (end < text.size()) {
      const unsigned u = static_cast<unsigned>(text[end]);
      if (u < 0x80) break;
      if (sizeof(wchar_t) == 2 && (IsHighSurrogate(u) || IsLowSurrogate(u))) {
        const bool paired = IsHighSurrogate(u) && end + 1 < text.size() &&
                            IsLowSurrogate(static_cast<unsigned>(text[end + 1]));
        if (!paired) break;
        end += 2;
        continue;
      }
      ++end;
    }
    if (end == i) {
      AppendUnicodeEscape(out, c & 0xFFFF);
      ++i;
      continue;
    }
    out += WideToUtf8(text.substr(i, end - i));
    i = end;
  }
  out += '"';
  return out;
}

std::string JsonQuote(const std::string& utf8) { return JsonQuote(Utf8ToWide(utf8)); }
