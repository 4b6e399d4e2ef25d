// The pictures of an interactive script's element buttons. The program
// carries no image files, so each picture is a few strokes on a 16 by 16
// grid that the canvas draws in the button's look.
#pragma once

#include <string_view>

#include "platform/office_button.h"

namespace qm {

// The picture named "PLAY_GLYPH", "GRAPH_GLYPH", "USER_ACTIVITY" or
// "LINKS_GLYPH"; an empty painter for any other name.
TGlyphPainter MultimediaGlyph(std::string_view name);

}  // namespace qm
