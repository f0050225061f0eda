// The sample photo folder's manifest.csv, one map of column to value per
// photo, and the path of a photo in the folder.
#pragma once

#include <map>
#include <string>
#include <vector>

typedef std::map<std::string, std::string> ManifestRow;

// Empty when the manifest cannot be read.
std::vector<ManifestRow> LoadManifest();
std::wstring CorpusFile(const std::string& name);
