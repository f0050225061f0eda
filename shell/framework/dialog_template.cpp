#include "dialog_template.h"

#include <cstring>

void DialogTemplateWriter_CL::PutByte(std::uint8_t value) {
  if (!ok_ || position_ >= size_) {
    ok_ = false;
    return;
  }
  buffer_[position_++] = value;
}

void DialogTemplateWriter_CL::PutWord(std::uint16_t value) {
  PutByte(static_cast<std::uint8_t>(value & 0xFFu));
  PutByte(static_cast<std::uint8_t>(value >> 8));
}

void DialogTemplateWriter_CL::PutDword(std::uint32_t value) {
  PutWord(static_cast<std::uint16_t>(value & 0xFFFFu));
  PutWord(static_cast<std::uint16_t>(value >> 16));
}

void DialogTemplateWriter_CL::AlignToDword() {
  while (ok_ && position_ % 4 != 0) PutByte(0);
}

bool BuildDialogTemplate(std::uint8_t* buffer, std::size_t size, std::uint32_t style) {
  if (!buffer) return false;
  std::memset(buffer, 0, size);
  DialogTemplateWriter_CL writer(buffer, size);
  writer.PutDword(style);
  writer.PutDword(0);  // extended style
  writer.PutWord(0);   // item count
  writer.PutWord(0);   // x
  writer.PutWord(0);   // y
  writer.PutWord(static_cast<std::uint16_t>(kDialogTemplateWidth));
  writer.PutWord(static_cast<std::uint16_t>(kDialogTemplateHeight));
  writer.PutWord(0);  // no menu
  writer.PutWord(0);  // the predefined dialog class
  writer.PutWord(0);  // empty title
  return writer.Ok();
}
