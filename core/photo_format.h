// The file formats whose Orientation the program turns in place, told apart
// by their first bytes, never by the file's name.
#pragma once

#include "byte_source.h"
#include "exif_info.h"
#include "hresult.h"
#include "png_exif.h"
#include "xmp_orientation.h"

enum PhotoFormat_EN {
  kPhotoUnknown,
  kPhotoJpeg,
  kPhotoTiff,  // TIFF, DNG and the raw formats built on TIFF
  kPhotoPng,
  kPhotoCr3,   // Canon's CR3, whose TIFF structure sits in a box
};

PhotoFormat_EN DetectPhotoFormat(ByteSource_CL& source);

// Reads the Exif entries the turn and `info` look at: a JPEG's Exif blocks,
// IFD0 of a TIFF-structured file or of a CR3's CMT1 box, IFD0 of a PNG's eXIf chunk (then in
// *chunk when chunk is not null). The result of the read goes to *hr when hr is not null; entries found before a fault
// stay in `info`.
PhotoFormat_EN ReadPhotoExif(ByteSource_CL& source, ExifInfo_CL& info, PngExifChunk* chunk, HRESULT* hr);

// The XMP Orientation kept in step with the Exif value: a JPEG's XMP
// segments, the packet of a TIFF-structured file's IFD0 (read by
// ReadPhotoExif into info); none for a PNG, whose XMP is left alone.
XmpOrientation FindPhotoXmpOrientation(ByteSource_CL& source, PhotoFormat_EN format, const ExifInfo_CL& info);
