#include "caption_text.h"

const wchar_t kCaptionEllipsis[] = L"\u2026";

std::wstring CaptionText(const std::wstring& path) {
  const std::wstring::size_type slash = path.rfind(L'\\');
  if (slash == std::wstring::npos) return path;
  return path.substr(slash + 1);
}

namespace {

bool IsHighSurrogate(wchar_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(wchar_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// The start and end of text keeping `kept` characters in all, the end taking
// the smaller half.
std::wstring Shortened(const std::wstring& text, std::size_t kept) {
  std::size_t head = kept - kept / 2;
  std::size_t tail = kept / 2;
  if (head > 0 && IsHighSurrogate(text[head - 1])) --head;
  if (tail > 0 && IsLowSurrogate(text[text.size() - tail])) --tail;
  return text.substr(0, head) + kCaptionEllipsis + text.substr(text.size() - tail);
}

}  // namespace

std::wstring ShortenInMiddle(const std::wstring& text, double maxWidth,
                             const std::function<double(const std::wstring&)>& width) {
  if (text.empty() || width(text) <= maxWidth) return text;
  // The widest candidate that fits, by halving: a longer start and end never
  // makes the text narrower.
  std::size_t low = 0;
  std::size_t high = text.size() - 1;
  while (low < high) {
    const std::size_t mid = low + (high - low + 1) / 2;
    if (width(Shortened(text, mid)) <= maxWidth) {
      low = mid;
    } else {
      high = mid - 1;
    }
  }
  return Shortened(text, low);
}
