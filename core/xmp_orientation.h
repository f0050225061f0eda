// Finds the tiff:Orientation of a JPEG's XMP packet, so that a turn can keep
// it in step with the Exif value: programs that read XMP first would
// otherwise show a turned photo at its old angle.
#pragma once

#include <cstdint>
#include <vector>

#include "byte_source.h"
#include "hresult.h"

enum XmpOrientationForm_EN {
  kXmpNoOrientation,  // no XMP packet, or one without tiff:Orientation
  kXmpDigit,          // one digit, rewritable in place
  kXmpOtherForm,      // present, but not one digit that can be swapped for another
};

struct XmpOrientation {
  XmpOrientationForm_EN form = kXmpNoOrientation;
  // With kXmpDigit: the value and the file offset of every place that holds
  // it (an editor may repeat it, always the same digit).
  std::uint32_t value = 0;
  std::vector<std::uint32_t> positions;
};

// Walks the markers up to the start of scan and reads every XMP packet (APP1
// "http://ns.adobe.com/xap/1.0/\0"). Orientation counts in the namespace
// http://ns.adobe.com/tiff/1.0/ under whatever prefix the packet binds it to,
// as an attribute (P:Orientation="6") or as element text
// (<P:Orientation>6</P:Orientation>, whitespace allowed around the digit).
// Two different values, a longer value or any other form is kXmpOtherForm.
XmpOrientation FindXmpOrientation(ByteSource_CL& source);
// The same for one packet of `length` bytes at file offset `at` (a TIFF
// file's XMLPacket entry). A packet too long to read is kXmpOtherForm.
XmpOrientation FindXmpOrientationAt(ByteSource_CL& source, std::uint32_t at, std::uint32_t length);

class ExclusiveFile_CL;

// Under the turn's exclusive handle: S_OK when every digit still reads as it
// was found, E_FAIL when the file changed since (nothing is written then).
HRESULT CheckXmpDigits(ExclusiveFile_CL& file, const XmpOrientation& xmp);
// Writes newValue over every digit (nothing for another form), adding the
// bytes written to *written.
HRESULT WriteXmpDigits(ExclusiveFile_CL& file, const XmpOrientation& xmp, std::uint16_t newValue,
                       unsigned* written);
