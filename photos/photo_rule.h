// Which files are photos: names ending in ".jpg" or ".jpeg", ASCII letters in
// any case. The extension runs from the last dot to the end.
#pragma once

#include <string>

// The extension of a file name, dot included; empty when the name has no dot.
std::wstring FileNameExtension(const std::wstring& name);

bool IsPhotoFileName(const std::wstring& name);
