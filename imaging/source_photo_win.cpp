#include "source_photo.h"

#include <new>

#include "memory_stream.h"
#include "read_orientation.h"
#include "win_handles.h"

namespace {

// The whole file; the file is closed again before this returns. Null when
// it cannot be read.
MemoryStream_CL::Data ReadWholeFile(const std::wstring& path) {
  UniqueFileHandle file(CreateFileW(path.c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, NULL,
                                    OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, NULL));
  if (!file) return MemoryStream_CL::Data();
  LARGE_INTEGER size;
  if (!GetFileSizeEx(file.Get(), &size)) return MemoryStream_CL::Data();
  if (size.QuadPart <= 0 || static_cast<unsigned long long>(size.QuadPart) > SourcePhoto_CL::kMaxFileSize) {
    return MemoryStream_CL::Data();
  }
  const DWORD total = static_cast<DWORD>(size.QuadPart);
  std::shared_ptr<std::vector<unsigned char>> bytes;
  try {
    bytes = std::make_shared<std::vector<unsigned char>>(total);
  } catch (const std::bad_alloc&) {
    return MemoryStream_CL::Data();
  }
  DWORD done = 0;
  while (done < total) {
    DWORD got = 0;
    if (!ReadFile(file.Get(), bytes->data() + done, total - done, &got, NULL)) return MemoryStream_CL::Data();
    if (got == 0) break;  // the file shrank meanwhile
    done += got;
  }
  bytes->resize(done);
  if (done == 0) return MemoryStream_CL::Data();
  return bytes;
}

}  // namespace

SourcePhoto_CL::~SourcePhoto_CL() { Reset(); }

void SourcePhoto_CL::Reset() {
  image_.reset();
  if (stream_) {
    stream_->Release();
    stream_ = nullptr;
  }
  orientation_ = 0;
}

bool SourcePhoto_CL::Load(const std::wstring& path) {
  Reset();
  const MemoryStream_CL::Data bytes = ReadWholeFile(path);
  if (!bytes) return false;
  orientation_ = ReadOrientation(bytes->data(), bytes->size());
  stream_ = MemoryStream_CL::Create(bytes);
  if (!stream_) {
    Reset();
    return false;
  }
  image_.reset(new Gdiplus::Bitmap(stream_));
  if (!image_ || image_->GetLastStatus() != Gdiplus::Ok) {
    Reset();
    return false;
  }
  return true;
}

int SourcePhoto_CL::Width() const { return image_ ? static_cast<int>(image_->GetWidth()) : 0; }

int SourcePhoto_CL::Height() const { return image_ ? static_cast<int>(image_->GetHeight()) : 0; }
