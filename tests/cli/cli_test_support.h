// Helpers for running the real snapvane-cli on files in a private folder.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "tiny_jpeg.h"

namespace fs = std::filesystem;

// A fresh folder under the temporary directory, removed with everything in
// it (write-protected files included) when the test ends.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const fs::path& Path() const { return path_; }

 private:
  fs::path path_;
};

// The path as the tool's arguments and output spell it.
std::wstring WidePath(const fs::path& path);
// A path from UTF-8 text, also on Windows.
fs::path Utf8Path(const std::string& utf8);

void WriteFileBytes(const fs::path& path, const Bytes& bytes);
Bytes ReadFileBytes(const fs::path& path);
void SetWriteProtected(const fs::path& path, bool on);

struct ToolRun {
  int status = -1;
  std::string out;  // UTF-8, "\r\n" turned into "\n"
  std::string err;
};

// Runs the built snapvane-cli with these arguments and waits for it.
ToolRun RunTool(const std::vector<std::wstring>& args);

// The output split into lines, without their line ends.
std::vector<std::string> Lines(const std::string& text);
