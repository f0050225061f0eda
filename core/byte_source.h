// Random access to the bytes a reader walks: a file, or bytes in memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

class ByteSource_CL {
 public:
  virtual ~ByteSource_CL() {}
  // Reads exactly n bytes at the current offset and advances; false when the
  // source holds fewer (the offset is then unspecified).
  virtual bool Read(void* buffer, std::size_t n) = 0;
  virtual bool Seek(std::uint32_t offset) = 0;  // absolute; false past the end
  virtual std::uint32_t Tell() const = 0;
  virtual std::uint32_t Size() const = 0;
};

// A ByteSource_CL over bytes in memory (not owned).
class MemorySource_CL : public ByteSource_CL {
 public:
  MemorySource_CL(const void* data, std::size_t size);
  bool Read(void* buffer, std::size_t n) override;
  bool Seek(std::uint32_t offset) override;
  std::uint32_t Tell() const override { return offset_; }
  std::uint32_t Size() const override { return size_; }

 private:
  const unsigned char* data_;
  std::uint32_t size_;
  std::uint32_t offset_ = 0;
};

// A ByteSource_CL over a file read through the C runtime's buffered stream,
// from its start. Offsets are 32-bit: of a larger file only the first 4 GiB
// are seen, which is where the metadata lives.
class FileSource_CL : public ByteSource_CL {
 public:
  // With `owned` the file is closed when the source goes.
  FileSource_CL(std::FILE* file, bool owned);
  ~FileSource_CL() override;
  FileSource_CL(const FileSource_CL&) = delete;
  FileSource_CL& operator=(const FileSource_CL&) = delete;

  bool Read(void* buffer, std::size_t n) override;
  bool Seek(std::uint32_t offset) override;
  std::uint32_t Tell() const override { return offset_; }
  std::uint32_t Size() const override { return size_; }

 private:
  std::FILE* file_;
  bool owned_;
  std::uint32_t size_ = 0;
  std::uint32_t offset_ = 0;
};
