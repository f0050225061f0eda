#include "back_buffer.h"

#include "bitmap_builders.h"

void BackBuffer_CL::EnsureSize(int width, int height) {
  if (bitmap_ && static_cast<int>(bitmap_->GetWidth()) == width &&
      static_cast<int>(bitmap_->GetHeight()) == height) {
    return;
  }
  // The old buffer goes first: two full-screen buffers at once may not fit.
  bitmap_.reset();
  bitmap_ = CreateBitmap(width, height, pixelFormat_);
}
