// Finds the TIFF structure of a Canon CR3 file: an ISO base media file whose
// moov box holds Canon's uuid box, whose CMT1 box holds IFD0.
#pragma once

#include <cstdint>

#include "byte_source.h"

// True when the file starts with an ftyp box of the brand "crx ".
bool HasCr3Signature(ByteSource_CL& source);

// The file range [*start, *end) of the CMT1 box's data; false when the boxes
// on the way are missing or do not fit in their parents.
bool FindCr3TiffBlock(ByteSource_CL& source, std::uint32_t* start, std::uint32_t* end);

// The JPEG pictures a CR3 file carries for display: the preview (PRVW, in a
// top-level uuid box) and the thumbnail (THMB, in Canon's uuid box in moov).
// Each range is the JPEG's bytes as its box declares them, cut to the box.
struct Cr3Picture {
  std::uint32_t start = 0;
  std::uint32_t length = 0;
};
// How many were found (at most 2), written to pictures.
int FindCr3Pictures(ByteSource_CL& source, Cr3Picture pictures[2]);
