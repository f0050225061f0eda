// Temporary folders and whole-file reads and writes for tests, on Windows and
// natively alike.
#pragma once

#include <string>
#include <vector>

typedef std::vector<unsigned char> Bytes;

// A fresh folder under the system's temporary folder, removed with everything
// in it when the object goes.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::wstring& Path() const { return path_; }
  // Path() + separator + name.
  std::wstring Join(const std::wstring& name) const;

 private:
  std::wstring path_;
};

bool WriteBytes(const std::wstring& path, const Bytes& bytes);
Bytes ReadBytes(const std::wstring& path);
bool MakeFolder(const std::wstring& path);
// Sets or clears the read-only attribute (natively: the owner's write bit).
bool SetReadOnly(const std::wstring& path, bool readOnly);
// The sample photo folder beside the repository, as a wide path.
std::wstring CorpusDir();
// The real camera files (t/images of the Perl metadata library's Debian
// source package) that tools/bootstrap fetches into build/third_party.
std::wstring CameraSamplesDir();
