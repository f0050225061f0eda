// POSIX counterparts of the Win32 file calls a turn makes. The owner's write
// bit plays the read-only attribute; an exclusive lock plays the share mode.
#include "photo_file.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include "native_path.h"

namespace {

HRESULT FromErrno(int error) {
  switch (error) {
    case ENOENT:
    case ENOTDIR:
      return HresultFromWin32(ERROR_FILE_NOT_FOUND);
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
      return HresultFromWin32(ERROR_ACCESS_DENIED);
    case EWOULDBLOCK:
      return HresultFromWin32(ERROR_SHARING_VIOLATION);
    default:
      return E_FAIL;
  }
}

timespec FromStamp(std::uint64_t stamp) {
  timespec t;
  t.tv_sec = static_cast<time_t>(stamp / 1000000000ull);
  t.tv_nsec = static_cast<long>(stamp % 1000000000ull);
  return t;
}

}  // namespace

bool IsWriteProtected(const std::wstring& path) {
  const std::string name = NativePathFromWide(path);
  struct stat info;
  if (stat(name.c_str(), &info) != 0) return true;
  if ((info.st_mode & S_IWUSR) == 0) return true;
  return access(name.c_str(), W_OK) != 0;
}

std::FILE* OpenSharedForReading(const std::wstring& path) {
  return std::fopen(NativePathFromWide(path).c_str(), "rb");
}

void PauseMilliseconds(unsigned milliseconds) {
  struct timespec pause;
  pause.tv_sec = static_cast<time_t>(milliseconds / 1000u);
  pause.tv_nsec = static_cast<long>(milliseconds % 1000u) * 1000000L;
  while (nanosleep(&pause, &pause) != 0 && errno == EINTR) {
  }
}

ExclusiveFile_CL::~ExclusiveFile_CL() { Close(); }

bool ExclusiveFile_CL::IsOpen() const { return fd_ >= 0; }

HRESULT ExclusiveFile_CL::Open(const std::wstring& path) {
  Close();
  const int fd = ::open(NativePathFromWide(path).c_str(), O_RDWR | O_CLOEXEC);
  if (fd < 0) return FromErrno(errno);
  if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const int error = errno;
    ::close(fd);
    return FromErrno(error == EWOULDBLOCK ? EWOULDBLOCK : error);
  }
  fd_ = fd;
  return S_OK;
}

HRESULT ExclusiveFile_CL::ReadAt(std::uint32_t offset, void* buffer, std::size_t n) {
  if (fd_ < 0) return E_FAIL;
  const ssize_t got = ::pread(fd_, buffer, n, static_cast<off_t>(offset));
  if (got < 0) return FromErrno(errno);
  return static_cast<std::size_t>(got) == n ? S_OK : HresultFromWin32(ERROR_READ_FAULT);
}

HRESULT ExclusiveFile_CL::WriteAt(std::uint32_t offset, const void* buffer, std::size_t n) {
  if (fd_ < 0) return E_FAIL;
  const ssize_t put = ::pwrite(fd_, buffer, n, static_cast<off_t>(offset));
  if (put < 0) return FromErrno(errno);
  return static_cast<std::size_t>(put) == n ? S_OK : HresultFromWin32(ERROR_WRITE_FAULT);
}

HRESULT ExclusiveFile_CL::ReadAll(std::vector<unsigned char>* bytes) {
  struct stat info;
  if (fd_ < 0 || fstat(fd_, &info) != 0) return E_FAIL;
  if (info.st_size < 0 || static_cast<std::uint64_t>(info.st_size) > 0xFFFFFFFFull) return E_FAIL;
  bytes->assign(static_cast<std::size_t>(info.st_size), 0);
  return bytes->empty() ? S_OK : ReadAt(0, &(*bytes)[0], bytes->size());
}

HRESULT ExclusiveFile_CL::GetWriteTime(std::uint64_t* stamp) {
  struct stat info;
  if (fd_ < 0 || fstat(fd_, &info) != 0) return E_FAIL;
  *stamp = static_cast<std::uint64_t>(info.st_mtim.tv_sec) * 1000000000ull +
           static_cast<std::uint64_t>(info.st_mtim.tv_nsec);
  return S_OK;
}

HRESULT ExclusiveFile_CL::SetWriteTime(std::uint64_t stamp) {
  if (fd_ < 0) return E_FAIL;
  struct timespec times[2];
  times[0].tv_sec = 0;
  times[0].tv_nsec = UTIME_OMIT;
  times[1] = FromStamp(stamp);
  return futimens(fd_, times) == 0 ? S_OK : FromErrno(errno);
}

void ExclusiveFile_CL::Close() {
  if (fd_ >= 0) {
    ::close(fd_);  // also releases the lock
    fd_ = -1;
  }
}

HRESULT WriteFlushedFile(const std::wstring& path, const std::vector<unsigned char>& bytes,
                         const std::uint64_t* writeTime) {
  const int fd = ::open(NativePathFromWide(path).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  if (fd < 0) return FromErrno(errno);
  HRESULT hr = S_OK;
  std::size_t done = 0;
  while (SUCCEEDED(hr) && done < bytes.size()) {
    const ssize_t put = ::write(fd, &bytes[done], bytes.size() - done);
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) {
      hr = put < 0 ? FromErrno(errno) : HresultFromWin32(ERROR_WRITE_FAULT);
    } else {
      done += static_cast<std::size_t>(put);
    }
  }
  if (SUCCEEDED(hr) && writeTime) {
    timespec times[2];
    times[0].tv_sec = 0;
    times[0].tv_nsec = UTIME_OMIT;
    times[1] = FromStamp(*writeTime);
    if (futimens(fd, times) != 0) hr = FromErrno(errno);
  }
  if (SUCCEEDED(hr) && fsync(fd) != 0) hr = FromErrno(errno);
  if (::close(fd) != 0 && SUCCEEDED(hr)) hr = FromErrno(errno);
  return hr;
}

HRESULT ReplaceWithFile(const std::wstring& replacement, const std::wstring& target) {
  const std::string from = NativePathFromWide(replacement);
  const std::string to = NativePathFromWide(target);
  struct stat info;
  if (stat(to.c_str(), &info) != 0) return FromErrno(errno);
  if (chmod(from.c_str(), info.st_mode & 07777) != 0) return FromErrno(errno);
  if (rename(from.c_str(), to.c_str()) != 0) return FromErrno(errno);
  // The rename itself lives in the folder: flush that too.
  const std::string::size_type slash = to.find_last_of('/');
  const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : to.substr(0, slash);
  const int dir = ::open(folder.c_str(), O_RDONLY | O_CLOEXEC);
  if (dir >= 0) {
    fsync(dir);
    ::close(dir);
  }
  return S_OK;
}

void RemoveFileIfPresent(const std::wstring& path) { unlink(NativePathFromWide(path).c_str()); }
