// The Exif Orientation of a photo, read with the program's own Exif reader:
// the value the turn commands write is the value the pictures are shown by,
// whatever the imaging library reports (Wine's GDI+ reports no Exif at all).
#pragma once

#include <cstddef>
#include <string>

// Of every format the turns write: a JPEG's Exif block, IFD0 of a TIFF or
// raw file (a CR3's CMT1 box), a PNG's eXIf chunk.
// 1 to 8, or 0 when the photo has no usable Orientation: no Exif, no entry,
// or a value outside 1..8 (the picture is then shown as stored).
int ReadOrientation(const std::wstring& path);
// The same for a whole file already read into memory.
int ReadOrientation(const void* bytes, std::size_t size);
