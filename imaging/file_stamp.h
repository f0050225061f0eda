// A photo file's size and last-write time, read from its directory entry
// without opening the file: a cheap sign that the file changed on disk
// (still being copied, edited elsewhere) since a picture was made of it.
#pragma once

#include <cstdint>
#include <string>

struct FileStamp {
  std::uint64_t size = 0;
  std::uint64_t writeTime = 0;
  bool known = false;  // false: the file could not be asked (it is gone)
};

inline bool operator==(const FileStamp& a, const FileStamp& b) {
  return a.known == b.known && a.size == b.size && a.writeTime == b.writeTime;
}
inline bool operator!=(const FileStamp& a, const FileStamp& b) { return !(a == b); }

// The stamp as the file system reports it now; unknown when it cannot.
FileStamp ReadFileStamp(const std::wstring& path);

// What a picture on screen was decoded from, so that a file that changed
// since is decoded again when the picture is shown or repainted, and only
// once per change: a file that stays broken or keeps failing is not decoded
// over and over.
struct PictureOrigin {
  FileStamp stamp;  // read before the file's bytes were
  // False when the decode failed or had to make up for damage or an early
  // end of the data (a file still being written, say).
  bool complete = true;
  // An incomplete decode that was the second one of an unchanged file.
  bool retried = false;

  // Whether a picture from here no longer shows what the file says now.
  // An incomplete one gets one more decode even when the stamp stayed: a
  // writer may finish within the file system's time resolution.
  bool Stale(const FileStamp& now) const { return now != stamp || (!complete && !retried); }
  // The origin of the decode that replaces this one's picture.
  PictureOrigin Next(const FileStamp& newStamp, bool newComplete) const {
    PictureOrigin next;
    next.stamp = newStamp;
    next.complete = newComplete;
    next.retried = !newComplete && !complete && newStamp == stamp;
    return next;
  }
};
