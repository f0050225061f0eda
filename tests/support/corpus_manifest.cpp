#include "corpus_manifest.h"

#include <fstream>

#include "test_files.h"
#include "utf8.h"

namespace {

std::vector<std::string> SplitCsvLine(const std::string& line) {
  std::vector<std::string> fields(1);
  bool quoted = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (quoted) {
      if (c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
        fields.back() += '"';
        ++i;
      } else if (c == '"') {
        quoted = false;
      } else {
        fields.back() += c;
      }
    } else if (c == '"') {
      quoted = true;
    } else if (c == ',') {
      fields.emplace_back();
    } else if (c != '\r') {
      fields.back() += c;
    }
  }
  return fields;
}

}  // namespace

std::vector<ManifestRow> LoadManifest() {
  std::vector<ManifestRow> rows;
  std::ifstream in(WideToUtf8(CorpusDir()) + "/manifest.csv");
#ifdef _WIN32
  if (!in) in.open(std::string(SNAPVANE_CORPUS_DIR) + "\\manifest.csv");
#endif
  std::string line;
  if (!std::getline(in, line)) return rows;
  const std::vector<std::string> header = SplitCsvLine(line);
  while (std::getline(in, line)) {
    const std::vector<std::string> fields = SplitCsvLine(line);
    ManifestRow row;
    for (std::size_t i = 0; i < header.size() && i < fields.size(); ++i) row[header[i]] = fields[i];
    rows.push_back(row);
  }
  return rows;
}

std::wstring CorpusFile(const std::string& name) {
#ifdef _WIN32
  return CorpusDir() + L"\\" + Utf8ToWide(name);
#else
  return CorpusDir() + L"/" + Utf8ToWide(name);
#endif
}
