// Showing a photo of the shared list in the preview pane.
#pragma once

class SaveData_CL;

// Shows photo index of data.photos in data.previewControl, upright and fitted
// to the pane; an index outside the list leaves the pane black. The photo is
// decoded on the preview's worker and shown when it arrives (a photo that
// cannot be read leaves the pane black); meanwhile its thumbnail from
// data.listControl is shown enlarged. The preview keeps the photo's upright
// picture, so showing the same photo again (at a new pane size) fits it again
// without decoding.
void ShowInPreview(SaveData_CL& data, int index);
