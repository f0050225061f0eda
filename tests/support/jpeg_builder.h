// Builds small JPEG files byte by byte: markers, an Exif APP1 with IFD0 and
// optional sub-IFDs, and the start of scan. Enough for the reader and the
// turn, which never look at pixels.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "test_files.h"

struct TestEntry {
  std::uint16_t tag;
  std::uint16_t type;
  std::uint32_t count;
  std::uint32_t value;  // stored in the value field in the file's byte order
  // For SHORT with count 1 the value takes the field's first two bytes.
};

class JpegBuilder {
 public:
  JpegBuilder& Soi();
  // A segment with its marker, length and payload.
  JpegBuilder& Segment(std::uint16_t marker, const Bytes& payload);
  JpegBuilder& App0Jfif();
  // An XMP APP1 holding this packet text.
  JpegBuilder& App1Xmp(const std::string& packet = "<x:xmpmeta xmlns:x='adobe:ns:meta/'/>");
  // An Exif APP1 holding a TIFF header and IFD0 with these entries; when
  // exifIfd is not empty, IFD0 gets a pointer entry (34665) to a sub-IFD
  // holding them. Returns the file offset of the TIFF header through
  // tiffAt if given.
  JpegBuilder& App1Exif(bool bigEndian, const std::vector<TestEntry>& ifd0,
                        const std::vector<TestEntry>& exifIfd = {},
                        std::uint32_t* tiffAt = nullptr);
  // An Exif APP1 whose IFD0 holds these entries and links to an IFD1 that
  // names thumbnail (tags 513 and 514), stored right after IFD1.
  JpegBuilder& App1ExifThumbnail(bool bigEndian, const std::vector<TestEntry>& ifd0, const Bytes& thumbnail);
  JpegBuilder& Raw(const Bytes& bytes);
  JpegBuilder& Sos();  // the scan marker and a few bytes of "image data"
  const Bytes& Data() const { return data_; }
  std::size_t Size() const { return data_.size(); }

 private:
  Bytes data_;
};

// The smallest file: SOI, an Exif APP1 ("II") whose IFD0 holds Orientation 6,
// and SOS; the Orientation value lies at offsets 30 and 31.
Bytes MinimalExifJpeg();
// The same with the given byte order and Orientation entry shape.
Bytes OrientationJpeg(bool bigEndian, std::uint32_t value, std::uint16_t type = 3,
                      std::uint32_t count = 1);
// Offset of the Orientation value field in OrientationJpeg's output.
const std::uint32_t kOrientationValueAt = 30;

// An encoded JPEG whose application segments are replaced by an Exif APP1
// holding only the Orientation (no Exif block at all when 0). Empty when jpeg
// has no scan.
Bytes WithExifOrientation(const Bytes& jpeg, std::uint16_t orientation, bool bigEndian = false);
// The same with an embedded thumbnail (another
// encoded JPEG, or any bytes). Empty when jpeg has no scan.
Bytes WithExifThumbnail(const Bytes& jpeg, std::uint16_t orientation, const Bytes& thumbnail);
