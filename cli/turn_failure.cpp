#include "turn_failure.h"

#include <cerrno>
#include <cstdio>

#include "photo_file.h"
#include "turn_reason.h"

namespace {

struct KnownError {
  unsigned code;
  const char* text;
};

// The errors a turn meets in practice, worded the same on every platform.
const KnownError kKnownErrors[] = {
    {0x80004005u, "the Orientation entry cannot be rewritten in place"},
    {0x80070002u, "file not found"},
    {0x80070003u, "path not found"},
    {0x80070005u, "access denied"},
    {0x8007000Eu, "out of memory"},
    {0x80070013u, "the medium is write-protected"},
    {0x8007001Du, "write fault"},
    {0x8007001Eu, "read fault"},
    {0x80070020u, "in use by another program"},
    {0x80070021u, "part of the file is locked by another program"},
    {0x80070057u, "invalid argument"},
    {0x80070070u, "disk full"},
};

}  // namespace

std::string DescribeError(HRESULT hr) {
  char code[32];
  std::snprintf(code, sizeof code, "error 0x%08X", static_cast<unsigned>(hr));
  std::string text;
  for (const KnownError& known : kKnownErrors) {
    if (known.code == static_cast<unsigned>(hr)) text = known.text;
  }
  if (text.empty()) text = SystemErrorText(hr);
  return text.empty() ? std::string(code) : std::string(code) + ": " + text;
}

std::string OpenFailure(const std::wstring& path) {
  errno = 0;
  std::FILE* file = OpenSharedForReading(path);
  if (!file) return LastOpenFailure();
  std::fclose(file);
  return std::string();
}

std::string DescribeTurnFailure(HRESULT hr, const TurnReport& report, const std::wstring& path) {
  switch (ExplainTurn(hr, report, path)) {
    case kTurnReasonNoOrientation:
      return "no Orientation entry";
    case kTurnReasonCannotAddEntry:
      return "no Orientation entry, and none can be added to this file";
    case kTurnReasonNotJpeg:
      return "not a photo the program can turn";
    case kTurnReasonCannotOpen: {
      const std::string failure = OpenFailure(path);
      return failure.empty() ? "cannot open the file" : failure;
    }
    case kTurnReasonWriteProtected:
      return "write-protected";
    case kTurnReasonInUse:
      return "in use by another program";
    default:
      return DescribeError(hr);
  }
}
