// Finds the eXIf chunk of a PNG file, whose data is a TIFF structure, and
// works out the chunk's CRC-32 after a turn: a PNG reader rejects a chunk
// whose CRC does not match its bytes.
#pragma once

#include <cstddef>
#include <cstdint>

#include "byte_source.h"
#include "hresult.h"

struct PngExifChunk {
  std::uint32_t position = 0;  // file offset of the chunk's length field
  std::uint32_t length = 0;    // bytes of data, which start at position + 8
};

// True when the source starts with the PNG signature.
bool HasPngSignature(ByteSource_CL& source);

// Walks the chunks from the signature up to IEND, seeking past each chunk's
// data. True with the first eXIf chunk that lies wholly inside the file.
bool FindPngExifChunk(ByteSource_CL& source, PngExifChunk* chunk);

// The CRC-32 of PNG (and zip), continued from crc over n more bytes; start
// with 0.
std::uint32_t PngCrc32(std::uint32_t crc, const void* data, std::size_t n);

class ExclusiveFile_CL;

// Under the turn's exclusive handle: S_OK when the chunk still is the eXIf
// chunk that was found and its stored CRC matches its bytes, with *crc the
// CRC it will need once `width` bytes at file offset `at` (inside its data)
// hold `bytes`. Reads the chunk in small blocks; writes nothing.
HRESULT PngExifCrcAfterWrite(ExclusiveFile_CL& file, const PngExifChunk& chunk, std::uint32_t at,
                             const unsigned char* bytes, unsigned width, std::uint32_t* crc);
