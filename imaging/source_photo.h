// A photo loaded for display: its file is read into memory and closed before
// anything is decoded, so that a turn, which opens the photo exclusively,
// never finds it held by a picture on screen or in the decoder. The Exif
// Orientation is read from the same bytes.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "gdiplus_types.h"

class SourcePhoto_CL {
 public:
  // Files larger than this are not loaded: no JPEG a camera writes comes
  // near it, and a 32-bit process could not hold its pixels anyway.
  static const std::size_t kMaxFileSize = 256u * 1024u * 1024u;

  SourcePhoto_CL() {}
  ~SourcePhoto_CL();
  SourcePhoto_CL(const SourcePhoto_CL&) = delete;
  SourcePhoto_CL& operator=(const SourcePhoto_CL&) = delete;

  // False when the file cannot be read or GDI+ cannot make a picture of it;
  // the object is then empty.
  bool Load(const std::wstring& path);
  // The same for a whole file already read into memory; takes the bytes.
  bool LoadBytes(std::vector<unsigned char> bytes);
  void Reset();

  // Null while empty. The picture is as stored, not yet made upright.
  Gdiplus::Bitmap* Image() const { return image_.get(); }
  // 0 while empty or when GDI+ reports no size.
  int Width() const;
  int Height() const;
  // 1 to 8, or 0 when the photo carries no usable Orientation.
  int Orientation() const { return orientation_; }

 private:
  // The stream the picture decodes from; GDI+ may read it until the picture
  // is deleted, so it goes last.
  IStream* stream_ = nullptr;
  BitmapPtr image_;
  int orientation_ = 0;
};
