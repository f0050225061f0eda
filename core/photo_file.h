// The few file operations a turn needs, behind one small seam: Win32 calls on
// Windows, their POSIX counterparts elsewhere.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "hresult.h"

// True when the file must not be written: the read-only attribute on Windows;
// elsewhere a mode without the owner's write bit, or no write access for this
// user. A file whose attributes cannot be read counts as write-protected.
bool IsWriteProtected(const std::wstring& path);

// Opens a file for reading in binary mode, shared with other readers and
// writers. Null when it cannot be opened.
std::FILE* OpenSharedForReading(const std::wstring& path);

// Sleeps the calling thread for about this many milliseconds.
void PauseMilliseconds(unsigned milliseconds);

// A file opened for reading and writing with nobody else holding it.
class ExclusiveFile_CL {
 public:
  ExclusiveFile_CL() {}
  ~ExclusiveFile_CL();
  ExclusiveFile_CL(const ExclusiveFile_CL&) = delete;
  ExclusiveFile_CL& operator=(const ExclusiveFile_CL&) = delete;

  // S_OK, or the platform error as an HRESULT (a file held elsewhere gives
  // 0x80070020, the sharing violation).
  HRESULT Open(const std::wstring& path);
  // Exactly n bytes at offset, or a failure; a short read or write fails.
  HRESULT ReadAt(std::uint32_t offset, void* buffer, std::size_t n);
  HRESULT WriteAt(std::uint32_t offset, const void* buffer, std::size_t n);
  // The whole file (of up to 4 GiB), from its start.
  HRESULT ReadAll(std::vector<unsigned char>* bytes);
  // The last-write time as an opaque stamp, and setting it back.
  HRESULT GetWriteTime(std::uint64_t* stamp);
  HRESULT SetWriteTime(std::uint64_t stamp);
  void Close();
  bool IsOpen() const;

 private:
#ifdef _WIN32
  void* handle_ = reinterpret_cast<void*>(static_cast<std::intptr_t>(-1));
#else
  int fd_ = -1;
#endif
};

// Writes a new file (replacing one of that name), flushed to the disk before
// it returns. With `writeTime` (a stamp from GetWriteTime) its last-write time
// is set to that.
HRESULT WriteFlushedFile(const std::wstring& path, const std::vector<unsigned char>& bytes,
                         const std::uint64_t* writeTime);

// Puts `replacement` in the place of `target` in one step, so that a reader
// sees either the old file or the new one whole. The new file keeps the
// target's attributes. Both lie in the same folder.
HRESULT ReplaceWithFile(const std::wstring& replacement, const std::wstring& target);

// Removes a file; nothing happens when it is not there.
void RemoveFileIfPresent(const std::wstring& path);
