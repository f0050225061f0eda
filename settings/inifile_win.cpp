#include <windows.h>

#include <vector>

#include "inifile.h"
#include "profile_value.h"
#include "win_handles.h"

Inifile_CL g_inifile;

Inifile_CL::Inifile_CL() = default;

Inifile_CL::~Inifile_CL() = default;

void Inifile_CL::SetPath(const std::wstring& newPath) {
  path = newPath;
  if (path.empty() || GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) return;
  // The profile functions keep writing UTF-16 only to a file that starts with
  // the byte order mark; CREATE_NEW never clobbers a file made meanwhile.
  UniqueFileHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    NULL, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, NULL));
  if (!file) return;
  static const unsigned char kBom[2] = {0xFF, 0xFE};
  DWORD written = 0;
  WriteFile(file.Get(), kBom, sizeof kBom, &written, NULL);
}

std::wstring Inifile_CL::ReadRaw(const wchar_t* section, const wchar_t* key,
                                 const wchar_t* defaultValue, std::size_t bufferChars) const {
  if (defaultValue == NULL) defaultValue = L"";
  // An unset path would make the platform look for a file in the Windows folder.
  if (path.empty()) return std::wstring(defaultValue).substr(0, bufferChars - 1);
  std::vector<wchar_t> buffer(bufferChars, L'\0');
  // The platform cuts a longer value to the buffer and terminates it.
  const DWORD n = GetPrivateProfileStringW(section, key, defaultValue, buffer.data(),
                                           static_cast<DWORD>(bufferChars), path.c_str());
  return std::wstring(buffer.data(), n < bufferChars ? n : bufferChars - 1);
}

std::int32_t Inifile_CL::ReadInt(const wchar_t* section, const wchar_t* key,
                                 std::int32_t defaultValue) const {
  std::int32_t value = defaultValue;
  // Parsed here rather than by GetPrivateProfileIntW, whose handling of
  // negative numbers differs between Windows versions.
  ParseProfileInt(ReadRaw(section, key, L"", kReadBufferChars), value);
  return value;
}

std::wstring Inifile_CL::ReadString(const wchar_t* section, const wchar_t* key,
                                    const wchar_t* defaultValue) const {
  return ReadRaw(section, key, defaultValue, kReadBufferChars);
}

bool Inifile_CL::ReadStruct(const wchar_t* section, const wchar_t* key, void* buffer,
                            std::size_t size) const {
  if (buffer == NULL || size > 0x10000) return false;
  // Room for two characters more than a good value needs, so that a longer
  // value is seen as too long instead of being cut to the right length.
  const std::wstring text = ReadRaw(section, key, L"", 2 * size + 5);
  return DecodeStructValue(text, buffer, size);
}

bool Inifile_CL::WriteInt(const wchar_t* section, const wchar_t* key, std::int32_t value) const {
  return WriteString(section, key, FormatProfileInt(value));
}

bool Inifile_CL::WriteString(const wchar_t* section, const wchar_t* key,
                             const std::wstring& value) const {
  if (path.empty()) return false;
  return WritePrivateProfileStringW(section, key, value.c_str(), path.c_str()) != FALSE;
}

bool Inifile_CL::WriteStruct(const wchar_t* section, const wchar_t* key, const void* data,
                             std::size_t size) const {
  if (data == NULL && size != 0) return false;
  return WriteString(section, key, EncodeStructValue(data, size));
}
