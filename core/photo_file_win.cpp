// The Win32 file calls a turn makes.
#include "photo_file.h"

#include <windows.h>

#include "owned_handle_win.h"

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

HRESULT SetStamp(HANDLE file, std::uint64_t stamp) {
  FILETIME written;
  written.dwLowDateTime = static_cast<DWORD>(stamp & 0xFFFFFFFFu);
  written.dwHighDateTime = static_cast<DWORD>(stamp >> 32);
  return SetFileTime(file, NULL, NULL, &written) ? S_OK : LastError();
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

HRESULT ExclusiveFile_CL::ReadAll(std::vector<unsigned char>* bytes) {
  if (!IsOpen()) return E_FAIL;
  DWORD high = 0;
  const DWORD low = GetFileSize(AsHandle(handle_), &high);
  if (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) return LastError();
  if (high != 0) return E_FAIL;
  bytes->assign(low, 0);
  return bytes->empty() ? S_OK : ReadAt(0, &(*bytes)[0], bytes->size());
}

HRESULT ExclusiveFile_CL::GetWriteTime(std::uint64_t* stamp) {
  FILETIME written;
  if (!IsOpen() || !GetFileTime(AsHandle(handle_), NULL, NULL, &written)) return E_FAIL;
  *stamp = (static_cast<std::uint64_t>(written.dwHighDateTime) << 32) | written.dwLowDateTime;
  return S_OK;
}

HRESULT ExclusiveFile_CL::SetWriteTime(std::uint64_t stamp) {
  if (!IsOpen()) return E_FAIL;
  return SetStamp(AsHandle(handle_), stamp);
}

void ExclusiveFile_CL::Close() {
  if (IsOpen()) {
    CloseHandle(AsHandle(handle_));
    handle_ = INVALID_HANDLE_VALUE;
  }
}

HRESULT WriteFlushedFile(const std::wstring& path, const std::vector<unsigned char>& bytes,
                         const std::uint64_t* writeTime) {
  UniqueFileHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, NULL));
  if (!file.IsValid()) return LastError();
  DWORD put = 0;
  if (!bytes.empty() &&
      !WriteFile(file.Get(), &bytes[0], static_cast<DWORD>(bytes.size()), &put, NULL)) {
    return LastError();
  }
  if (put != bytes.size()) return HresultFromWin32(ERROR_WRITE_FAULT);
  if (writeTime) {
    const HRESULT hr = SetStamp(file.Get(), *writeTime);
    if (FAILED(hr)) return hr;
  }
  return FlushFileBuffers(file.Get()) ? S_OK : LastError();
}

HRESULT ReplaceWithFile(const std::wstring& replacement, const std::wstring& target) {
  // ReplaceFileW carries the target's attributes, creation time and security
  // over to the new file.
  if (ReplaceFileW(target.c_str(), replacement.c_str(), NULL, REPLACEFILE_WRITE_THROUGH, NULL, NULL)) {
    return S_OK;
  }
  // Some file systems cannot replace; a plain move that carries the
  // attributes over by hand still swaps the files in one step.
  const DWORD attributes = GetFileAttributesW(target.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES) SetFileAttributesW(replacement.c_str(), attributes);
  if (MoveFileExW(replacement.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return S_OK;
  }
  return LastError();
}

void RemoveFileIfPresent(const std::wstring& path) { DeleteFileW(path.c_str()); }
