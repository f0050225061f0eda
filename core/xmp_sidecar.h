// XMP sidecars: NAME.xmp or NAME.ext.xmp beside a photo, where editors keep
// what they know of it, tiff:Orientation included. A turn keeps a one-digit
// value there in step with the photo, so an editor that reads the sidecar
// first shows the photo as turned.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "hresult.h"
#include "xmp_orientation.h"

// The sidecars of the photo at path that exist: NAME.xmp (unless withStem
// is false) and NAME.ext.xmp (also with ".XMP" where names differ by case).
std::vector<std::wstring> FindXmpSidecars(const std::wstring& photoPath, bool withStem);

// Writes newValue over the sidecar's tiff:Orientation digits (only those
// bytes), checked again under an exclusive handle. *form says what was found;
// S_OK also when there was nothing to write (no digit, another form, the
// value already newValue); *written counts the bytes written.
HRESULT TurnXmpSidecar(const std::wstring& path, std::uint16_t newValue, XmpOrientationForm_EN* form,
                       unsigned* written);
