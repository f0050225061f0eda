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
