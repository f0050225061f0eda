// The settings file: one UTF-16 INI file in the user's data folder. Every
// operation opens, updates and closes the file itself, so nothing is cached and
// a value written is seen by the next read at once.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

class Inifile_CL {
 public:
  // Values are read into a buffer of this many characters, so at most one
  // less is returned; a longer value is cut.
  static constexpr std::size_t kReadBufferChars = 4096;

  Inifile_CL();
  virtual ~Inifile_CL();
  Inifile_CL(const Inifile_CL&) = delete;
  Inifile_CL& operator=(const Inifile_CL&) = delete;

  // Remembers the path and, if nothing exists under it yet, creates the file
  // holding only the UTF-16 byte order mark FF FE, so that the profile
  // functions go on writing UTF-16. An existing file is left untouched.
  void SetPath(const std::wstring& path);
  const std::wstring& GetPath() const { return path; }

  // Reads fall back to their default when the path is not set, or the file,
  // section or key is missing, or the value is empty.
  std::int32_t ReadInt(const wchar_t* section, const wchar_t* key,
                       std::int32_t defaultValue) const;
  std::wstring ReadString(const wchar_t* section, const wchar_t* key,
                          const wchar_t* defaultValue) const;
  // True only if the value holds exactly `size` bytes with a matching
  // checksum; otherwise `buffer` is left as it was.
  bool ReadStruct(const wchar_t* section, const wchar_t* key, void* buffer,
                  std::size_t size) const;

  // Writes return whether the platform took the value; callers may ignore it
  // (a lost write leaves the default in force next time).
  bool WriteInt(const wchar_t* section, const wchar_t* key, std::int32_t value) const;
  bool WriteString(const wchar_t* section, const wchar_t* key,
                   const std::wstring& value) const;
  bool WriteStruct(const wchar_t* section, const wchar_t* key, const void* data,
                   std::size_t size) const;

 private:
  std::wstring ReadRaw(const wchar_t* section, const wchar_t* key,
                       const wchar_t* defaultValue, std::size_t bufferChars) const;

  std::wstring path;  // empty until SetPath
};

// The one settings object of the process (Windows builds only).
extern Inifile_CL g_inifile;
