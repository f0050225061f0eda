// The in-memory dialog template every dialog of the program runs from. It is
// only the fixed header: no controls (they are created at run time, in
// pixels), no menu, the default dialog class, an empty title and no font.
// Built by a small byte writer so the layout can be checked without a window.
#pragma once

#include <cstddef>
#include <cstdint>

// Size of the buffer a dialog keeps its template in.
constexpr std::size_t kDialogTemplateBufferSize = 1024;
// Size of the template in dialog units.
constexpr std::int16_t kDialogTemplateWidth = 320;
constexpr std::int16_t kDialogTemplateHeight = 240;

// Writes little-endian values into a caller's buffer, never past its end.
class DialogTemplateWriter_CL {
 public:
  DialogTemplateWriter_CL(std::uint8_t* buffer, std::size_t size)
      : buffer_(buffer), size_(size) {}

  void PutWord(std::uint16_t value);
  void PutDword(std::uint32_t value);
  // Dialog items start on 4-byte boundaries; pads with zero bytes.
  void AlignToDword();

  std::size_t Position() const { return position_; }
  // False once a value did not fit; the buffer then holds what did.
  bool Ok() const { return ok_; }

 private:
  void PutByte(std::uint8_t value);

  std::uint8_t* buffer_;
  std::size_t size_;
  std::size_t position_ = 0;
  bool ok_ = true;
};

// Zero-fills the buffer and writes the DLGTEMPLATE header: the style, extended
// style 0, no items, at (0, 0), 320 x 240 dialog units, followed by the
// zero words for "no menu", "default class" and "no title". False when the
// buffer is too small for that.
bool BuildDialogTemplate(std::uint8_t* buffer, std::size_t size, std::uint32_t style);
