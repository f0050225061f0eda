#include "encode_jpeg.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

#include <jpeglib.h>

const Colour kCorners[4] = {{230, 20, 20}, {20, 200, 20}, {20, 20, 230}, {240, 240, 240}};

Bytes EncodeQuadrants(int w, int h, Encoding encoding) {
  jpeg_compress_struct c;
  jpeg_error_mgr err;
  c.err = jpeg_std_error(&err);
  jpeg_create_compress(&c);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&c, &buffer, &size);
  c.image_width = static_cast<JDIMENSION>(w);
  c.image_height = static_cast<JDIMENSION>(h);
  const bool cmyk = encoding == kAdobeCmyk || encoding == kPlainCmyk || encoding == kYcck;
  c.input_components = encoding == kGray ? 1 : cmyk ? 4 : 3;
  c.in_color_space = encoding == kGray ? JCS_GRAYSCALE : cmyk ? JCS_CMYK : JCS_RGB;
  jpeg_set_defaults(&c);
  jpeg_set_quality(&c, 95, TRUE);
  if (encoding == kYcck) jpeg_set_colorspace(&c, JCS_YCCK);
  if (encoding == kPlainCmyk) c.write_Adobe_marker = FALSE;
  if (encoding == kProgressive) jpeg_simple_progression(&c);
  if (encoding == kRestarts) c.restart_in_rows = 1;
  jpeg_start_compress(&c, TRUE);
  std::vector<unsigned char> row(static_cast<std::size_t>(w) * 4);
  while (c.next_scanline < c.image_height) {
    const int y = static_cast<int>(c.next_scanline);
    for (int x = 0; x < w; ++x) {
      const Colour& k = kCorners[(y >= h / 2 ? 2 : 0) + (x >= w / 2 ? 1 : 0)];
      unsigned char* p = &row[static_cast<std::size_t>(x) * static_cast<std::size_t>(c.input_components)];
      if (encoding == kGray) {
        p[0] = static_cast<unsigned char>((k.r + k.g + k.b) / 3);
      } else if (encoding == kPlainCmyk) {
        // Ink as it is: 255 is full ink.
        p[0] = static_cast<unsigned char>(255 - k.r);
        p[1] = static_cast<unsigned char>(255 - k.g);
        p[2] = static_cast<unsigned char>(255 - k.b);
        p[3] = 0;
      } else if (cmyk) {
        // Adobe's inverted ink: 255 is no ink.
        p[0] = static_cast<unsigned char>(k.r);
        p[1] = static_cast<unsigned char>(k.g);
        p[2] = static_cast<unsigned char>(k.b);
        p[3] = 255;
      } else {
        p[0] = static_cast<unsigned char>(k.r);
        p[1] = static_cast<unsigned char>(k.g);
        p[2] = static_cast<unsigned char>(k.b);
      }
    }
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&c, rows, 1);
  }
  jpeg_finish_compress(&c);
  jpeg_destroy_compress(&c);
  Bytes bytes(buffer, buffer + size);
  std::free(buffer);
  return bytes;
}

Bytes WithStoredSize(const Bytes& jpeg, int w, int h) {
  Bytes out = jpeg;
  // Segment by segment from the start-of-image marker to the frame header.
  for (std::size_t at = 2; at + 9 < out.size();) {
    if (out[at] != 0xFF) break;
    const unsigned char marker = out[at + 1];
    if (marker >= 0xC0 && marker <= 0xC2) {
      out[at + 5] = static_cast<unsigned char>(h >> 8);
      out[at + 6] = static_cast<unsigned char>(h);
      out[at + 7] = static_cast<unsigned char>(w >> 8);
      out[at + 8] = static_cast<unsigned char>(w);
      return out;
    }
    at += 2 + (static_cast<std::size_t>(out[at + 2]) << 8 | out[at + 3]);
  }
  return Bytes();
}

Bytes WithLastScanRepeated(const Bytes& jpeg, int times) {
  std::size_t scan = jpeg.size() - 2;
  while (scan > 0 && !(jpeg[scan] == 0xFF && jpeg[scan + 1] == 0xDA)) --scan;
  // From the scan's header to the end-of-image marker.
  const Bytes last(jpeg.begin() + static_cast<std::ptrdiff_t>(scan), jpeg.end() - 2);
  Bytes out(jpeg.begin(), jpeg.end() - 2);
  for (int i = 0; i < times; ++i) out.insert(out.end(), last.begin(), last.end());
  out.push_back(0xFF);
  out.push_back(0xD9);
  return out;
}
