#include <windows.h>

#include <cstdarg>
#include <cwchar>

#include "log_file.h"
#include "win_handles.h"

LogFile g_logFile;

namespace {

HANDLE OpenShared(const std::wstring& path, DWORD disposition) {
  // Sharing lets the user read the log while the program runs.
  return CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                     disposition, FILE_ATTRIBUTE_NORMAL, NULL);
}

bool WriteAll(HANDLE file, const void* data, std::size_t size) {
  DWORD written = 0;
  return WriteFile(file, data, static_cast<DWORD>(size), &written, NULL) && written == size;
}

LogTime LocalLogTime() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  LogTime time;
  time.year = now.wYear;
  time.month = now.wMonth;
  time.day = now.wDay;
  time.hour = now.wHour;
  time.minute = now.wMinute;
  time.second = now.wSecond;
  time.milliseconds = now.wMilliseconds;
  return time;
}

}  // namespace

void LogFile::Write(const wchar_t* format, ...) {
  if (format == NULL || path.empty()) return;
  // One character more than a message may hold, for the terminator.
  wchar_t message[kLogMessageMaxChars + 1];
  va_list args;
  va_start(args, format);
  // The C runtime's own formatter, in which "%s" takes a wide string. A longer
  // text is cut to the buffer.
#ifdef _MSC_VER
  _vsnwprintf_s(message, kLogMessageMaxChars + 1, _TRUNCATE, format, args);
#else
  _vsnwprintf(message, kLogMessageMaxChars, format, args);
#endif
  va_end(args);
  message[kLogMessageMaxChars] = L'\0';
  WriteMessage(message);
}

void LogFile::WriteMessage(const std::wstring& message) {
  if (path.empty()) return;
  WriteMessageAt(LocalLogTime(), message);
}

void LogFile::WriteMessageAt(const LogTime& time, const std::wstring& message) {
  // Before start-up names the file there is nowhere to write to.
  if (path.empty()) return;
  const std::string bytes = EncodeLogLine(MakeLogLine(time, message));

  UniqueFileHandle file(OpenShared(path, OPEN_ALWAYS));
  if (!file) return;
  LARGE_INTEGER size;
  size.QuadPart = 0;
  LARGE_INTEGER zero;
  zero.QuadPart = 0;
  if (!SetFilePointerEx(file.Get(), zero, &size, FILE_END)) return;
  if (size.QuadPart > kMaxSize) {
    file.Reset();  // closed before it is opened again, emptied
    file.Reset(OpenShared(path, CREATE_ALWAYS));
    if (!file) return;
    size.QuadPart = 0;
  }
  if (size.QuadPart == 0) {
    static const unsigned char kBom[2] = {0xFF, 0xFE};
    if (!WriteAll(file.Get(), kBom, sizeof kBom)) return;
  }
  WriteAll(file.Get(), bytes.data(), bytes.size());
}

std::wstring FormatErrorMessage(std::uint32_t code) {
  wchar_t* text = NULL;
  // No arguments are passed, so inserts such as "%1" stay as they are.
  const DWORD flags = FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                      FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_MAX_WIDTH_MASK;
  const DWORD n = FormatMessageW(flags, NULL, code, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
                                 reinterpret_cast<wchar_t*>(&text), 0, NULL);
  std::wstring result;
  if (n != 0 && text != NULL) result.assign(text, n);
  if (text != NULL) LocalFree(text);
  return result;
}
