#include "byte_source.h"

#include <cstring>

#ifdef _WIN32
#define SNAPVANE_FSEEK _fseeki64
#define SNAPVANE_FTELL _ftelli64
#else
#define SNAPVANE_FSEEK fseeko
#define SNAPVANE_FTELL ftello
#endif

MemorySource_CL::MemorySource_CL(const void* data, std::size_t size)
    : data_(static_cast<const unsigned char*>(data)),
      size_(size > 0xFFFFFFFFu ? 0xFFFFFFFFu : static_cast<std::uint32_t>(size)) {}

bool MemorySource_CL::Read(void* buffer, std::size_t n) {
  if (n > size_ || offset_ > size_ - n) return false;
  if (n) std::memcpy(buffer, data_ + offset_, n);
  offset_ += static_cast<std::uint32_t>(n);
  return true;
}

bool MemorySource_CL::Seek(std::uint32_t offset) {
  if (offset > size_) return false;
  offset_ = offset;
  return true;
}

FileSource_CL::FileSource_CL(std::FILE* file, bool owned) : file_(file), owned_(owned) {
  if (file_ && SNAPVANE_FSEEK(file_, 0, SEEK_END) == 0) {
    const long long end = SNAPVANE_FTELL(file_);
    if (end > 0) size_ = end > 0xFFFFFFFFll ? 0xFFFFFFFFu : static_cast<std::uint32_t>(end);
    SNAPVANE_FSEEK(file_, 0, SEEK_SET);
  }
}

FileSource_CL::~FileSource_CL() {
  if (file_ && owned_) std::fclose(file_);
}

bool FileSource_CL::Read(void* buffer, std::size_t n) {
  if (!file_ || n > size_ || offset_ > size_ - n) return false;
  if (std::fread(buffer, 1, n, file_) != n) return false;
  offset_ += static_cast<std::uint32_t>(n);
  return true;
}

bool FileSource_CL::Seek(std::uint32_t offset) {
  if (!file_ || offset > size_) return false;
  if (offset == offset_) return true;
  if (SNAPVANE_FSEEK(file_, static_cast<long long>(offset), SEEK_SET) != 0) return false;
  offset_ = offset;
  return true;
}
