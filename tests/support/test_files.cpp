#include "test_files.h"

#include <cstdio>

#include "utf8.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <cstdlib>
#include <ftw.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#ifdef _WIN32
namespace {

void RemoveTree(const std::wstring& folder) {
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &data);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = data.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring full = folder + L"\\" + name;
      if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(full);
      } else {
        SetFileAttributesW(full.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(full.c_str());
      }
    } while (FindNextFileW(find, &data));
    FindClose(find);
  }
  RemoveDirectoryW(folder.c_str());
}

}  // namespace

TempDir::TempDir() {
  wchar_t base[MAX_PATH];
  GetTempPathW(MAX_PATH, base);
  static unsigned counter = 0;
  for (;;) {
    wchar_t name[64];
    swprintf(name, 64, L"snapvane-test-%lu-%u", GetCurrentProcessId(), counter++);
    path_ = std::wstring(base) + name;
    if (CreateDirectoryW(path_.c_str(), NULL)) break;
  }
}

TempDir::~TempDir() { RemoveTree(path_); }

std::wstring TempDir::Join(const std::wstring& name) const { return path_ + L"\\" + name; }

bool MakeFolder(const std::wstring& path) { return CreateDirectoryW(path.c_str(), NULL) != 0; }

bool SetReadOnly(const std::wstring& path, bool readOnly) {
  return SetFileAttributesW(path.c_str(), readOnly ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL) != 0;
}

static std::FILE* OpenFile(const std::wstring& path, const wchar_t* mode) {
  return _wfopen(path.c_str(), mode);
}

#else

namespace {

int RemoveEntry(const char* path, const struct stat*, int, struct FTW*) { return ::remove(path); }

}  // namespace

TempDir::TempDir() {
  const char* base = std::getenv("TMPDIR");
  std::string pattern = std::string(base && *base ? base : "/tmp") + "/snapvane-test-XXXXXX";
  if (!mkdtemp(&pattern[0])) std::abort();
  path_ = Utf8ToWide(pattern);
}

TempDir::~TempDir() {
  nftw(WideToUtf8(path_).c_str(), RemoveEntry, 16, FTW_DEPTH | FTW_PHYS);
}

std::wstring TempDir::Join(const std::wstring& name) const { return path_ + L"/" + name; }

bool MakeFolder(const std::wstring& path) { return mkdir(WideToUtf8(path).c_str(), 0755) == 0; }

bool SetReadOnly(const std::wstring& path, bool readOnly) {
  return chmod(WideToUtf8(path).c_str(), readOnly ? 0444 : 0644) == 0;
}

static std::FILE* OpenFile(const std::wstring& path, const wchar_t* mode) {
  return std::fopen(WideToUtf8(path).c_str(), WideToUtf8(mode).c_str());
}

#endif

bool WriteBytes(const std::wstring& path, const Bytes& bytes) {
  std::FILE* file = OpenFile(path, L"wb");
  if (!file) return false;
  const bool ok = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && ok;
}

Bytes ReadBytes(const std::wstring& path) {
  Bytes bytes;
  std::FILE* file = OpenFile(path, L"rb");
  if (!file) return bytes;
  unsigned char buffer[65536];
  std::size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.insert(bytes.end(), buffer, buffer + got);
  std::fclose(file);
  return bytes;
}

std::wstring CorpusDir() { return Utf8ToWide(SNAPVANE_CORPUS_DIR); }

std::wstring CameraSamplesDir() { return Utf8ToWide(SNAPVANE_CAMERA_SAMPLES_DIR); }
