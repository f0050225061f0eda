// The strip's geometry as the main window sets it, and what an upright
// thumbnail of the corpus's "F" photos looks like.
#pragma once

#include <windows.h>

#include "views_win_support.h"

class PictureListBase_CL;

const int kCellWidth = 196;
const int kCellHeight = 164;
const int kThumbWidth = 192;
const int kThumbHeight = 144;
// One row of cells plus the horizontal scroll bar.
int StripHeight();

// Layout mode 0, the program's sizes and colours, no vertical bar; the list
// is moved to (x, y) with the given width.
void SetUpStrip(PictureListBase_CL& list, int x, int y, int width, unsigned count);

// The cell's thumbnail shows the letter F upright: the 48 x 80 corpus
// pictures become 86 x 144, centred at x = 53 in the 192 x 144 thumbnail.
// Records a failure naming what and returns false otherwise.
bool ShowsUprightF(const Capture& capture, int cellX, int cellY, const char* what);
