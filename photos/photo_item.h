// One registered photo. Its index in the photo list is its identity everywhere
// (thumbnail, preview selection, thumbnail-cache key).
#pragma once

#include <string>
#include <vector>

struct PhotoItem {
  std::wstring path;  // folder + separator + file name
};

typedef std::vector<PhotoItem> PhotoList;
