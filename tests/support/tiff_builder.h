// Builds the TIFF structure that Exif blocks, TIFF and raw files share, and
// small TIFF-structured and PNG files around it.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <vector>

#include "jpeg_builder.h"

// Numbers and 12-byte IFD entries appended in the given byte order.
void Put16(Bytes& b, std::uint16_t v, bool bigEndian);
void Put32(Bytes& b, std::uint32_t v, bool bigEndian);
void PutEntry(Bytes& b, const TestEntry& e, bool bigEndian);

// An IFD entry with its value as bytes in the file's byte order: up to four
// sit in the entry, longer ones behind the IFD, at an even offset.
struct TestField {
  std::uint16_t tag;
  std::uint16_t type;
  std::uint32_t count;
  Bytes data;
};
// The size of PutIfd's output for these fields.
std::uint32_t IfdSize(const std::vector<TestField>& fields);
// Appends an IFD that starts at TIFF offset `at`, linking to `next`, and the
// values that lie behind it.
void PutIfd(Bytes& b, std::uint32_t at, const std::vector<TestField>& fields, std::uint32_t next,
            bool bigEndian);

// A TIFF header with this magic, IFD0 at offset 8 holding ifd0's entries
// and, when exifIfd is not empty, a pointer entry (34665) to a sub-IFD right
// after it holding those.
Bytes TiffStructure(bool bigEndian, const std::vector<TestEntry>& ifd0,
                    const std::vector<TestEntry>& exifIfd = {}, std::uint16_t magic = 42);
// Offset of the value field of IFD0's first entry in TiffStructure's output.
const std::uint32_t kFirstValueAt = 8 + 2 + 8;

// A file that is that structure followed by a few bytes of "image data", as
// a TIFF or raw file.
Bytes TiffFile(bool bigEndian, const std::vector<TestEntry>& ifd0,
               const std::vector<TestEntry>& exifIfd = {}, std::uint16_t magic = 42);

// A PNG: signature, IHDR, an eXIf chunk holding `exif` when it is not null,
// IDAT and IEND, every chunk with its CRC. *exifDataAt receives the file
// offset of the eXIf chunk's data.
Bytes PngFile(const Bytes* exif, std::uint32_t* exifDataAt = nullptr);

// CRC-32 bit by bit, independent of the program's table-driven one.
std::uint32_t ReferenceCrc32(const unsigned char* data, std::size_t n);

// An ISO box (CR3): 32-bit size, type, contents; and parts joined.
Bytes Box(const char* type, const Bytes& contents);
Bytes Joined(std::initializer_list<Bytes> parts);
