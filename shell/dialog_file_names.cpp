#include "dialog_file_names.h"

std::vector<std::wstring> SplitDialogFileNames(const wchar_t* buffer, std::size_t capacity) {
  std::vector<std::wstring> paths;
  std::wstring folder;
  std::size_t at = 0;
  while (buffer && at < capacity && buffer[at] != L'\0') {
    std::size_t end = at;
    while (end < capacity && buffer[end] != L'\0') ++end;
    const std::wstring name(buffer + at, end - at);
    if (folder.empty()) {
      // The folder, or the one file's full path; joined with a single "\"
      // even at the root of a drive, whose folder already ends in one.
      folder = name + L"\\";
    } else {
      paths.push_back(folder + name);
    }
    at = end + 1;
  }
  if (paths.empty() && !folder.empty()) paths.push_back(folder.substr(0, folder.size() - 1));
  return paths;
}
