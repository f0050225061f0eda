#include "photo_format.h"

#include "byte_cursor.h"
#include "byte_order.h"
#include "cr3_boxes.h"

PhotoFormat_EN DetectPhotoFormat(ByteSource_CL& source) {
  unsigned char start[4];
  if (!source.Seek(0) || !source.Read(start, sizeof start)) return kPhotoUnknown;
  if (start[0] == 0xFF && start[1] == 0xD8) return kPhotoJpeg;
  bool bigEndian = false;
  if (ReadByteOrderMark(start, &bigEndian) && ExifInfo_CL::IsTiffMagic(Load16(start + 2, bigEndian), true)) {
    return kPhotoTiff;
  }
  if (HasPngSignature(source)) return kPhotoPng;
  if (HasCr3Signature(source)) return kPhotoCr3;
  return kPhotoUnknown;
}

PhotoFormat_EN ReadPhotoExif(ByteSource_CL& source, ExifInfo_CL& info, PngExifChunk* chunk, HRESULT* hr) {
  const PhotoFormat_EN format = DetectPhotoFormat(source);
  HRESULT result = E_FAIL;
  switch (format) {
    case kPhotoJpeg:
      result = info.Read(source);
      break;
    case kPhotoTiff:
      result = info.ReadTiff(source, 0, source.Size());
      break;
    case kPhotoPng: {
      PngExifChunk local;
      PngExifChunk& found = chunk ? *chunk : local;
      if (FindPngExifChunk(source, &found)) {
        result = info.ReadTiff(source, found.position + 8, found.position + 8 + found.length);
      }
      break;
    }
    case kPhotoCr3: {
      std::uint32_t start = 0, end = 0;
      if (FindCr3TiffBlock(source, &start, &end)) result = info.ReadTiff(source, start, end);
      break;
    }
    case kPhotoUnknown:
      break;
  }
  if (hr) *hr = result;
  return format;
}

XmpOrientation FindPhotoXmpOrientation(ByteSource_CL& source, PhotoFormat_EN format, const ExifInfo_CL& info) {
  if (format == kPhotoJpeg) return FindXmpOrientation(source);
  const ExifEntry* packet = format == kPhotoTiff ? info.FindEntry(kTagXmp) : nullptr;
  if (!packet || (packet->type != kTypeByte && packet->type != kTypeUndefined)) return XmpOrientation();
  // Up to four bytes sit in the value field itself, more at an offset.
  std::uint32_t at = packet->position + 8;
  if (packet->count > 4) {
    ByteCursor_CL tiff(source, packet->bigEndian);
    std::uint32_t offset = 0;
    if (!tiff.U32At(at, &offset) || offset > 0xFFFFFFFFu - info.tiffHeaderPosition) return XmpOrientation();
    at = info.tiffHeaderPosition + offset;
  }
  return FindXmpOrientationAt(source, at, packet->count);
}
