// Which files are photos: names ending in ".jpg" or ".jpeg", ASCII letters in
// any case (for snapvane-cli also the other formats it turns). The extension runs from the last dot to the end.
#pragma once

#include <string>

// The extension of a file name, dot included; empty when the name has no dot.
std::wstring FileNameExtension(const std::wstring& name);

bool IsPhotoFileName(const std::wstring& name);

// The files snapvane-cli turns: photos, and TIFF, DNG, the raw formats built
// on TIFF and PNG, which the window program does not show yet.
bool IsTurnableFileName(const std::wstring& name);
