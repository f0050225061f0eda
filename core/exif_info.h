// Reads a JPEG file's Exif metadata far enough to find the entries of the
// primary image (IFD0 and its Exif and GPS sub-IFDs), recording where each
// 12-byte entry sits in the file so that a turn can rewrite it in place.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "byte_source.h"
#include "hresult.h"

struct ExifEntry {
  std::uint32_t position = 0;  // file offset of the entry's tag field
  std::uint16_t tag = 0;
  std::uint16_t type = 0;
  std::uint32_t count = 0;
  std::uint32_t value = 0;  // read as the entry's type says; 0 for other types
  std::string text;         // ASCII entries only: the text up to its first NUL
  // The byte order of the Exif block the entry was read from: a file may
  // carry more than one block, each with its own order.
  bool bigEndian = false;
};

enum : std::uint16_t {
  kTagOrientation = 274,
  kTagXmp = 700,
  kTagExifIfd = 34665,
  kTagGpsIfd = 34853,
};

enum : std::uint16_t {
  kTypeByte = 1,
  kTypeAscii = 2,
  kTypeShort = 3,
  kTypeLong = 4,
  kTypeRational = 5,
  kTypeUndefined = 7,
  kTypeSlong = 9,
};

class ByteCursor_CL;

class ExifInfo_CL {
 public:
  ExifInfo_CL() {}
  virtual ~ExifInfo_CL() {}

  // Walks the file's markers up to the start of scan. S_OK when the scan was
  // reached; E_FAIL on any structural fault. Entries collected before a fault
  // stay in `entries`.
  HRESULT Read(std::wstring path);
  HRESULT Read(ByteSource_CL& source);
  // A TIFF structure on its own (a TIFF or raw file: header at 0; a PNG's
  // eXIf chunk) at headerPosition, every byte of it before `end`. Only IFD0
  // is read: the Orientation of the picture itself is there, and a sub-IFD's
  // belongs to another picture (a raw file's full-size image, a preview).
  HRESULT ReadTiff(ByteSource_CL& source, std::uint32_t headerPosition, std::uint32_t end);

  // The first entry with this tag, or null.
  const ExifEntry* FindEntry(std::uint16_t tag) const;

  std::vector<ExifEntry> entries;
  bool bigEndian = false;  // the order of the last Exif block read
  std::uint32_t tiffHeaderPosition = 0;
  bool sawTiffHeader = false;  // a valid TIFF header was read

  // The magic numbers of TIFF-structured files: 42, and with rawMagics also
  // those of the raw formats that chose their own (Olympus "RO" and "RS",
  // Panasonic 0x55).
  static bool IsTiffMagic(std::uint16_t magic, bool rawMagics);

 private:
  // Reads the header at tiffHeaderPosition; false unless it is one.
  bool ReadHeader(ByteCursor_CL& tiff, bool rawMagics, std::uint32_t* ifd0);
  bool ReadIfd(ByteCursor_CL& tiff, std::uint32_t offset);
  // The first entry with this tag among those from index `from` on.
  const ExifEntry* FindEntryFrom(std::size_t from, std::uint16_t tag) const;
  bool ReadEntry(ByteCursor_CL& tiff);
};
