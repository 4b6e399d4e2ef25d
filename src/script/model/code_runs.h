// Which style and colour runs are open at a point of an element's text:
// what a split closes at the end of the first piece and opens again at
// the start of the second.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/types.h"

namespace qm {

struct OpenRun {
  Byte on;
  Byte off;
  // Opened by a code in the text, not by the element's own style bits.
  bool byCode;
};

// Bold, italics, underline and strike-out (a style bit of the element
// opens its run from the start), then the colour pairs (4 to 10 only with
// extended colours).
std::vector<OpenRun> OpenRunsAt(std::string_view text, std::size_t pos, Byte styleBits, bool extendedColors);

}  // namespace qm
