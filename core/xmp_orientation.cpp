#include "xmp_orientation.h"

#include <cstring>
#include <string>

#include "byte_cursor.h"
#include "photo_file.h"

namespace {

const std::uint16_t kMarkerSoi = 0xFFD8;
const std::uint16_t kMarkerSos = 0xFFDA;
const std::uint16_t kMarkerApp1 = 0xFFE1;

const char kXmpId[] = "http://ns.adobe.com/xap/1.0/";  // followed by a NUL in the file
const std::size_t kXmpIdSize = sizeof kXmpId;          // with the NUL
// A TIFF file's packet is read whole; real ones stay far below this.
const std::uint32_t kMaxPacketLength = 4u << 20;
const char kTiffNamespace[] = "http://ns.adobe.com/tiff/1.0/";

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// XML name characters as far as prefixes and local names go; bytes of
// multi-byte UTF-8 characters count as name characters.
bool IsNameChar(char c) {
  const unsigned char u = static_cast<unsigned char>(c);
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
         c == '-' || c == '.' || u >= 0x80;
}

std::size_t SkipSpace(const std::string& text, std::size_t at) {
  while (at < text.size() && IsSpace(text[at])) ++at;
  return at;
}

// Every prefix the packet binds to the tiff namespace: xmlns:P="...tiff/1.0/".
std::vector<std::string> TiffPrefixes(const std::string& text) {
  std::vector<std::string> prefixes;
  static const char kXmlns[] = "xmlns:";
  for (std::size_t at = text.find(kXmlns); at != std::string::npos; at = text.find(kXmlns, at + 1)) {
    if (at == 0 || !IsSpace(text[at - 1])) continue;
    std::size_t end = at + sizeof kXmlns - 1;
    const std::size_t nameStart = end;
    while (end < text.size() && IsNameChar(text[end])) ++end;
    if (end == nameStart) continue;
    const std::string prefix = text.substr(nameStart, end - nameStart);
    end = SkipSpace(text, end);
    if (end >= text.size() || text[end] != '=') continue;
    end = SkipSpace(text, end + 1);
    if (end >= text.size() || (text[end] != '"' && text[end] != '\'')) continue;
    const char quote = text[end];
    const std::string uri = std::string(kTiffNamespace) + quote;
    if (text.compare(end + 1, uri.size(), uri) != 0) continue;
    bool known = false;
    for (const std::string& p : prefixes) known = known || p == prefix;
    if (!known) prefixes.push_back(prefix);
  }
  return prefixes;
}

struct Hits {
  bool other = false;  // some occurrence is not one rewritable digit
  std::vector<std::size_t> digits;  // offsets in the packet text of the digits found
};

// The one digit of an attribute value starting at `at` (the opening quote).
void ReadAttribute(const std::string& text, std::size_t at, Hits* hits) {
  const char quote = text[at];
  const std::size_t close = text.find(quote, at + 1);
  if (close == at + 2 && text[at + 1] >= '0' && text[at + 1] <= '9') {
    hits->digits.push_back(at + 1);
  } else {
    hits->other = true;
  }
}

// The element's text starting behind its '>': whitespace, one digit,
// whitespace and the element's own end tag, and nothing else.
void ReadElement(const std::string& text, std::size_t at, const std::string& name, Hits* hits) {
  const std::size_t digit = SkipSpace(text, at);
  if (digit >= text.size() || text[digit] < '0' || text[digit] > '9') {
    hits->other = true;
    return;
  }
  const std::string endTag = "</" + name;
  const std::size_t close = SkipSpace(text, digit + 1);
  if (text.compare(close, endTag.size(), endTag) != 0) {
    hits->other = true;
    return;
  }
  const std::size_t gt = SkipSpace(text, close + endTag.size());
  if (gt >= text.size() || text[gt] != '>') {
    hits->other = true;
    return;
  }
  hits->digits.push_back(digit);
}

void FindInPacket(const std::string& text, Hits* hits) {
  for (const std::string& prefix : TiffPrefixes(text)) {
    const std::string name = prefix + ":Orientation";
    for (std::size_t at = text.find(name); at != std::string::npos; at = text.find(name, at + 1)) {
      const std::size_t end = at + name.size();
      // Part of a longer name, or the end tag of an element already read.
      if (at == 0 || (end < text.size() && IsNameChar(text[end]))) continue;
      const char before = text[at - 1];
      if (before == '<') {
        const std::size_t gt = SkipSpace(text, end);
        if (gt < text.size() && text[gt] == '>') {
          ReadElement(text, gt + 1, name, hits);
        } else {
          hits->other = true;  // attributes, an empty element, a nested value
        }
      } else if (IsSpace(before)) {
        std::size_t eq = SkipSpace(text, end);
        if (eq >= text.size() || text[eq] != '=') continue;
        const std::size_t quote = SkipSpace(text, eq + 1);
        if (quote < text.size() && (text[quote] == '"' || text[quote] == '\'')) {
          ReadAttribute(text, quote, hits);
        } else {
          hits->other = true;
        }
      }
    }
  }
}

}  // namespace

namespace {

// The digits of every packet read so far, with their file offsets.
struct Collected {
  Hits hits;
  std::vector<std::uint32_t> positions;
  std::string digits;
};

void AddPacket(const std::string& text, std::uint32_t textStart, Collected* c) {
  const std::size_t before = c->hits.digits.size();
  FindInPacket(text, &c->hits);
  for (std::size_t i = before; i < c->hits.digits.size(); ++i) {
    c->positions.push_back(textStart + static_cast<std::uint32_t>(c->hits.digits[i]));
    c->digits += text[c->hits.digits[i]];
  }
}

XmpOrientation Classify(const Collected& c) {
  XmpOrientation result;
  const std::string& digits = c.digits;
  if (c.hits.other || digits.find_first_not_of(digits.empty() ? '0' : digits[0]) != std::string::npos) {
    result.form = kXmpOtherForm;
  } else if (!digits.empty()) {
    result.form = kXmpDigit;
    result.value = static_cast<std::uint32_t>(digits[0] - '0');
    result.positions = c.positions;
  }
  return result;
}

}  // namespace

XmpOrientation FindXmpOrientation(ByteSource_CL& source) {
  Collected collected;
  ByteCursor_CL markers(source, true);
  std::uint16_t soi = 0;
  if (!markers.Seek(0) || !markers.U16(&soi) || soi != kMarkerSoi) return XmpOrientation();
  for (;;) {
    const std::uint32_t segmentStart = markers.Tell();
    std::uint16_t marker = 0;
    std::uint16_t length = 0;
    if (!markers.U16(&marker) || marker == kMarkerSos || !markers.U16(&length) || length < 2) break;
    const std::uint32_t payloadSize = length - 2u;
    if (marker == kMarkerApp1 && payloadSize >= kXmpIdSize) {
      std::string payload(payloadSize, '\0');
      if (!markers.Bytes(&payload[0], payloadSize)) break;
      if (std::memcmp(payload.data(), kXmpId, kXmpIdSize) == 0) {
        // The packet lies inside the source, whose offsets are 32-bit.
        const std::uint32_t textStart = segmentStart + 4u + static_cast<std::uint32_t>(kXmpIdSize);
        AddPacket(payload.substr(kXmpIdSize), textStart, &collected);
      }
    }
    // The length counts itself but not the marker.
    const std::uint32_t next = segmentStart + 2u;
    if (length > markers.Size() || next > markers.Size() - length || !markers.Seek(next + length)) break;
  }
  return Classify(collected);
}

XmpOrientation FindXmpOrientationAt(ByteSource_CL& source, std::uint32_t at, std::uint32_t length) {
  Collected collected;
  ByteCursor_CL bytes(source, false);
  if (length > bytes.Size() || at > bytes.Size() - length) return XmpOrientation();
  if (length > kMaxPacketLength) {
    // Not read, so not known to be one digit: left alone, and said.
    XmpOrientation unread;
    unread.form = kXmpOtherForm;
    return unread;
  }
  std::string text(length, '\0');
  if (length != 0 && (!bytes.Seek(at) || !bytes.Bytes(&text[0], length))) return XmpOrientation();
  AddPacket(text, at, &collected);
  return Classify(collected);
}

HRESULT CheckXmpDigits(ExclusiveFile_CL& file, const XmpOrientation& xmp) {
  if (xmp.form != kXmpDigit) return S_OK;
  for (std::uint32_t at : xmp.positions) {
    char digit = 0;
    const HRESULT hr = file.ReadAt(at, &digit, 1);
    if (FAILED(hr)) return hr;
    if (digit != static_cast<char>('0' + xmp.value)) return E_FAIL;
  }
  return S_OK;
}

HRESULT WriteXmpDigits(ExclusiveFile_CL& file, const XmpOrientation& xmp, std::uint16_t newValue,
                       unsigned* written) {
  if (xmp.form != kXmpDigit || newValue > 9) return S_OK;
  const char digit = static_cast<char>('0' + newValue);
  for (std::uint32_t at : xmp.positions) {
    const HRESULT hr = file.WriteAt(at, &digit, 1);
    if (FAILED(hr)) return hr;
    ++*written;
  }
  return S_OK;
}
