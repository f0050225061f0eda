#include "source_photo.h"

#include <new>

#include "file_bytes.h"
#include "memory_stream.h"
#include "read_orientation.h"

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
  try {
    return LoadBytes(ReadFileBytes(path, kMaxFileSize, false));
  } catch (const std::bad_alloc&) {
    return false;
  }
}

bool SourcePhoto_CL::LoadBytes(std::vector<unsigned char> whole) {
  Reset();
  if (whole.empty()) return false;
  MemoryStream_CL::Data bytes;
  try {
    bytes = std::make_shared<const std::vector<unsigned char>>(std::move(whole));
  } catch (const std::bad_alloc&) {
    return false;
  }
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
