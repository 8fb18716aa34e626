#pragma once

class PictureViewer;
class QWidget;

// A picture of about 50 MB dropped on a tab: the time until `viewer` shows it and, for
// comparison, until the same bytes are merely decoded; the resident memory of the
// process before, while the viewer shows it and after the viewer has closed. Prints
// "result picture.<figure> <value>" lines: milliseconds, MiB, and the picture's size
// in pixels and in MiB of PNG.
void measureDroppedPicture(PictureViewer *viewer, QWidget *mainWindow);
