// The coloured paper on screen: in a script whose pages are locked, each
// screen line's background takes the colour of the revision its page
// belongs to, so the writer sees the pages as they will be printed. Also
// the count of colours the screen shows, which the colour dialogs use to
// warn on a poor screen.
#pragma once

#include "platform/types.h"

namespace qm {

class TMDIChild;
struct TScriptElement;

// Decides whether the window shows page colours (the program shows them
// and the pages are locked) and brings its colour state up to date; when
// they are off the window gets its plain background back.
void SetupRevisionColorDisplay(TMDIChild& window);
// The same for the active script, when there is one.
void SetupRevisionColorDisplay();

// The background of one screen line (1..150; 0 or beyond when painting
// outside the table) showing element (null for an empty line). Lines are
// asked for from the top down: an empty line and the continued line at a
// page's foot take the colour of the line above.
TColor LineBackgroundColor(TMDIChild& window, const TScriptElement* element, int screenLine);

// base multiplied exponent times (1 below exponent 1), wrapping at 32 bits.
std::int32_t IntPower(std::int32_t base, int exponent);
// The colours a screen of that depth shows: 2 to the bits per pixel, to
// the planes; a count past what 32 bits hold is given as the largest that
// does, so a deep screen never counts as a poor one.
std::int32_t ScreenColorCount(int bitsPerPixel, int planes);
// For the screen the program runs on.
std::int32_t ScreenColorCount();

}  // namespace qm
