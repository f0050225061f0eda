#include "png_exif.h"

#include <cstring>

#include "byte_cursor.h"
#include "photo_file.h"

namespace {

const unsigned char kPngSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
// The format caps a chunk's length at 2^31 - 1.
const std::uint32_t kMaxChunkLength = 0x7FFFFFFFu;

std::uint32_t ChunkType(const char* name) {
  return Load32(reinterpret_cast<const unsigned char*>(name), true);
}

struct CrcTable {
  std::uint32_t entries[256];
  CrcTable() {
    for (std::uint32_t i = 0; i < 256; ++i) {
      std::uint32_t c = i;
      for (int k = 0; k < 8; ++k) c = (c & 1u) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      entries[i] = c;
    }
  }
};

}  // namespace

bool HasPngSignature(ByteSource_CL& source) {
  unsigned char start[8];
  return source.Seek(0) && source.Read(start, sizeof start) && std::memcmp(start, kPngSignature, 8) == 0;
}

bool FindPngExifChunk(ByteSource_CL& source, PngExifChunk* chunk) {
  if (!HasPngSignature(source)) return false;
  ByteCursor_CL png(source, true);
  std::uint32_t at = sizeof kPngSignature;
  for (;;) {
    std::uint32_t length = 0;
    std::uint32_t type = 0;
    if (!png.U32At(at, &length) || !png.U32(&type) || length > kMaxChunkLength) return false;
    // Data and CRC must fit: a chunk cut short is no chunk to write into.
    const std::uint32_t room = png.Size() - png.Tell();
    if (room < 4 || length > room - 4) return false;
    if (type == ChunkType("eXIf")) {
      chunk->position = at;
      chunk->length = length;
      return true;
    }
    if (type == ChunkType("IEND")) return false;
    at = png.Tell() + length + 4;
  }
}

std::uint32_t PngCrc32(std::uint32_t crc, const void* data, std::size_t n) {
  // Built once, on first use from whichever thread turns first.
  static const CrcTable table;
  const unsigned char* p = static_cast<const unsigned char*>(data);
  crc = ~crc;
  for (std::size_t i = 0; i < n; ++i) crc = table.entries[(crc ^ p[i]) & 0xFFu] ^ (crc >> 8);
  return ~crc;
}

HRESULT PngExifCrcAfterWrite(ExclusiveFile_CL& file, const PngExifChunk& chunk, std::uint32_t at,
                             const unsigned char* bytes, unsigned width, std::uint32_t* crc) {
  const std::uint32_t dataStart = chunk.position + 8;
  if (at < dataStart || width > chunk.length || at - dataStart > chunk.length - width) return E_FAIL;
  unsigned char head[8];
  HRESULT hr = file.ReadAt(chunk.position, head, sizeof head);
  if (FAILED(hr)) return hr;
  if (Load32(head, true) != chunk.length || Load32(head + 4, true) != ChunkType("eXIf")) return E_FAIL;

  // The CRC covers the type and the data; old and new differ only in the
  // value's bytes.
  std::uint32_t oldCrc = PngCrc32(0, head + 4, 4);
  std::uint32_t newCrc = oldCrc;
  unsigned char block[4096];
  for (std::uint32_t done = 0; done < chunk.length;) {
    const std::uint32_t left = chunk.length - done;
    const std::uint32_t n = left < sizeof block ? left : static_cast<std::uint32_t>(sizeof block);
    hr = file.ReadAt(dataStart + done, block, n);
    if (FAILED(hr)) return hr;
    oldCrc = PngCrc32(oldCrc, block, n);
    for (unsigned i = 0; i < width; ++i) {
      const std::uint32_t offset = at + i - dataStart;
      if (offset >= done && offset - done < n) block[offset - done] = bytes[i];
    }
    newCrc = PngCrc32(newCrc, block, n);
    done += n;
  }
  unsigned char stored[4];
  hr = file.ReadAt(dataStart + chunk.length, stored, sizeof stored);
  if (FAILED(hr)) return hr;
  // A chunk whose CRC is already wrong was not written as it was read:
  // giving it a fresh CRC would hide that.
  if (Load32(stored, true) != oldCrc) return E_FAIL;
  *crc = newCrc;
  return S_OK;
}
