#pragma once

class QWidget;

namespace quorvex {

// How much larger than the forms were drawn for the desktop's font is: the pixel height of a line
// of the application's font against that of the font the forms were laid out for, Qt's default
// desktop font of 9 pt at 96 dots per inch. A larger font, or more dots per inch, gives a larger
// scale; never below 1: a smaller font fits the form as it is.
double formScale();

// Grows a window made from a form by `scale`, as a form measured in twips grows with the screen's
// dots per inch: the places and sizes of its controls and its own size, and the point sizes of
// the fonts its style sheets name, so that places and proportions stay and every caption fits.
// Nothing changes at a scale of 1. Call it once the controls hold their texts.
void growForm(QWidget &window, double scale);

} // namespace quorvex
