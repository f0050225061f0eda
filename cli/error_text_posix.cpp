#include <cerrno>

#include "turn_failure.h"

// The core maps the POSIX errors a turn can meet onto the codes described by
// DescribeError; there is no further wording to offer.
std::string SystemErrorText(HRESULT) { return std::string(); }

std::string LastOpenFailure() {
  switch (errno) {
    case ENOENT:
    case ENOTDIR:
      return "file not found";
    case EACCES:
    case EPERM:
      return "access denied";
    default:
      return "cannot open the file";
  }
}
