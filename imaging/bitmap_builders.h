// Building bitmaps for the thumbnails and the preview. Every builder returns a
// new bitmap that the caller owns, or null when it could not be made.
#pragma once

#include <string>
#include <vector>

#include "gdiplus_types.h"
#include "pixel_formats.h"

// A width x height bitmap in the format, or null (also for a size that is
// not positive).
BitmapPtr CreateBitmap(int width, int height, int pixelFormat);

// Turns image upright by its Exif Orientation (1 to 8; other values leave it
// as stored). Meant for the full-size picture, before any scaling.
void ApplyOrientation(Gdiplus::Image* image, int orientation);

// A thumbnail of source for a width x height cell: the longer side of the
// picture sets the scale, centred, on black. Null when source is missing or
// has no width or height. source is not changed.
BitmapPtr RenderThumbnail(Gdiplus::Image* source, int width, int height,
                          int pixelFormat = kThumbnailPixelFormat);

// source fitted inside width x height with its aspect kept, at exactly the
// fitted size, in 32-bit ARGB. Consumes source. Null, with the failure logged,
// when the bitmap cannot be allocated; null as well for a source without
// width or height.
BitmapPtr FitBitmap(BitmapPtr source, int width, int height);

// As FitBitmap, but source is only read, so that a picture kept for later
// can be fitted again and again.
BitmapPtr FitCopy(Gdiplus::Image* source, int width, int height);

// A 32-bit ARGB copy of source at its own size, made upright by orientation.
BitmapPtr OrientedCopy(Gdiplus::Image* source, int orientation);

class SourcePhoto_CL;

// A loaded photo made upright and scaled by the thumbnail rule. The picture in
// photo is turned in place. Null when photo is empty or has no size.
BitmapPtr UprightThumbnail(SourcePhoto_CL& photo, int width, int height,
                           int pixelFormat = kThumbnailPixelFormat);

// The decoder's work for one photo file read into memory (bytes are taken):
// decoded by libjpeg-turbo at the scale the cell needs, or by GDI+ where
// libjpeg-turbo does not accept the file as JPEG (never where it refused it
// on a limit), made upright, scaled by the thumbnail rule. Null when neither
// can decode it. complete, when given, says whether the bytes made a whole
// picture (false for damaged or cut-off data).
BitmapPtr ThumbnailFromBytes(std::vector<unsigned char> bytes, int width, int height,
                             int pixelFormat = kThumbnailPixelFormat, bool* complete = nullptr);

struct ShownBytes;

// The bytes a photo is shown from (ReadShownBytes), empty when they cannot
// be read or there is no memory for them.
ShownBytes ReadPhotoBytes(const std::wstring& path);
// As ThumbnailFromBytes for those bytes: a raw file's embedded preview is
// decoded by libjpeg-turbo alone and turned by the raw file's value.
BitmapPtr ThumbnailFromShown(ShownBytes shown, int width, int height,
                             int pixelFormat = kThumbnailPixelFormat, bool* complete = nullptr);

// The decoder's work for one photo file: loaded, made upright, scaled by the
// thumbnail rule. Null when the file cannot be read or decoded.
BitmapPtr LoadThumbnail(const std::wstring& path, int width, int height,
                        int pixelFormat = kThumbnailPixelFormat);

// The preview's work for one photo file: loaded at the scale the fit needs,
// upright, fitted inside width x height. Null when the file cannot be read or
// decoded.
BitmapPtr LoadPreview(const std::wstring& path, int width, int height);

// The photo file's upright 32-bit ARGB picture at full size, with the file
// and the decoded original let go. Null when the file cannot be read or
// decoded.
BitmapPtr LoadUpright(const std::wstring& path);

// The photo file's upright 32-bit ARGB picture for a target of width x height
// device pixels: decoded at the smallest scale whose upright picture still
// covers the target (at full size where no scaled decode is possible), never
// enlarged. Null when the file cannot be read or decoded. complete as for
// ThumbnailFromBytes. On a worker thread.
BitmapPtr LoadUprightFor(const std::wstring& path, int width, int height, bool* complete = nullptr);
