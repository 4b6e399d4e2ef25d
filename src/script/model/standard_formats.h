// The element formats of a new script when the settings file holds none:
// a screenplay in 12-point Courier on a letter page, margins in tenths of
// an inch from the paper's edges.
#pragma once

#include "script/model/script_model.h"

namespace qm {

TFormatSet StandardFormatSet();

// The formats of automatic and forced page-break elements, set at start-up.
extern TElementFormat AutoPageBreakFormat;
extern TElementFormat ForcedPageBreakFormat;
// Sets both, once the settings are read.
void SetPageBreakFormats();

}  // namespace qm
