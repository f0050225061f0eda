// The Win32 file calls a turn makes.
#include "photo_file.h"

#include <windows.h>

namespace {

HANDLE AsHandle(void* handle) { return static_cast<HANDLE>(handle); }

HRESULT LastError() { return HresultFromWin32(GetLastError()); }

HRESULT MoveTo(HANDLE file, std::uint32_t offset) {
  // The high part lets offsets of 2 GiB and more through as unsigned.
  LONG high = 0;
  const DWORD low = SetFilePointer(file, static_cast<LONG>(offset), &high, FILE_BEGIN);
  if (low == INVALID_SET_FILE_POINTER && GetLastError() != NO_ERROR) return LastError();
  return S_OK;
}

}  // namespace

bool IsWriteProtected(const std::wstring& path) {
  // A failing call returns all bits set, and so counts as protected too.
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

std::FILE* OpenSharedForReading(const std::wstring& path) {
  // The C runtime opens without denying other readers or writers.
  return _wfopen(path.c_str(), L"rb");
}

void PauseMilliseconds(unsigned milliseconds) { Sleep(milliseconds); }

ExclusiveFile_CL::~ExclusiveFile_CL() { Close(); }

bool ExclusiveFile_CL::IsOpen() const { return AsHandle(handle_) != INVALID_HANDLE_VALUE; }

HRESULT ExclusiveFile_CL::Open(const std::wstring& path) {
  Close();
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, NULL, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, NULL);
  if (file == INVALID_HANDLE_VALUE) return LastError();
  handle_ = file;
  return S_OK;
}

HRESULT ExclusiveFile_CL::ReadAt(std::uint32_t offset, void* buffer, std::size_t n) {
  if (!IsOpen()) return E_FAIL;
  HRESULT hr = MoveTo(AsHandle(handle_), offset);
  if (FAILED(hr)) return hr;
  DWORD got = 0;
  if (!ReadFile(AsHandle(handle_), buffer, static_cast<DWORD>(n), &got, NULL)) return LastError();
  return got == n ? S_OK : HresultFromWin32(ERROR_READ_FAULT);
}

HRESULT ExclusiveFile_CL::WriteAt(std::uint32_t offset, const void* buffer, std::size_t n) {
  if (!IsOpen()) return E_FAIL;
  HRESULT hr = MoveTo(AsHandle(handle_), offset);
  if (FAILED(hr)) return hr;
  DWORD put = 0;
  if (!WriteFile(AsHandle(handle_), buffer, static_cast<DWORD>(n), &put, NULL)) return LastError();
  return put == n ? S_OK : HresultFromWin32(ERROR_WRITE_FAULT);
}

HRESULT ExclusiveFile_CL::GetWriteTime(std::uint64_t* stamp) {
  FILETIME written;
  if (!IsOpen() || !GetFileTime(AsHandle(handle_), NULL, NULL, &written)) return E_FAIL;
  *stamp = (static_cast<std::uint64_t>(written.dwHighDateTime) << 32) | written.dwLowDateTime;
  return S_OK;
}

HRESULT ExclusiveFile_CL::SetWriteTime(std::uint64_t stamp) {
  if (!IsOpen()) return E_FAIL;
  FILETIME written;
  written.dwLowDateTime = static_cast<DWORD>(stamp & 0xFFFFFFFFu);
  written.dwHighDateTime = static_cast<DWORD>(stamp >> 32);
  return SetFileTime(AsHandle(handle_), NULL, NULL, &written) ? S_OK : LastError();
}

void ExclusiveFile_CL::Close() {
  if (IsOpen()) {
    CloseHandle(AsHandle(handle_));
    handle_ = INVALID_HANDLE_VALUE;
  }
}
