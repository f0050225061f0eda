#include "file_bytes.h"

#include <windows.h>

#include <new>

#include "win_handles.h"

std::vector<unsigned char> ReadFileBytes(const std::wstring& path, std::size_t limit, bool cutAtLimit) {
  std::vector<unsigned char> bytes;
  UniqueFileHandle file(CreateFileW(path.c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, NULL,
                                    OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, NULL));
  if (!file) return bytes;
  LARGE_INTEGER size;
  if (!GetFileSizeEx(file.Get(), &size) || size.QuadPart <= 0) return bytes;
  const unsigned long long fileSize = static_cast<unsigned long long>(size.QuadPart);
  if (fileSize > limit && !cutAtLimit) return bytes;
  const DWORD total = static_cast<DWORD>(fileSize < limit ? fileSize : limit);
  try {
    bytes.resize(total);
  } catch (const std::bad_alloc&) {
    return std::vector<unsigned char>();
  }
  DWORD done = 0;
  while (done < total) {
    DWORD got = 0;
    if (!ReadFile(file.Get(), bytes.data() + done, total - done, &got, NULL)) return std::vector<unsigned char>();
    if (got == 0) break;  // the file shrank meanwhile
    done += got;
  }
  bytes.resize(done);
  return bytes;
}
