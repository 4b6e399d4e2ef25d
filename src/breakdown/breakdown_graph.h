// The breakdown graph: characters down the left, the scenes of a run
// across landscape pages, a bar wherever a scene holds a name, and a
// legend of the page's scenes below. Names that do not fit one page go on
// lettered pages of the same scenes.
#pragma once

#include <string>

#include "breakdown/breakdowns_run.h"

namespace qm {

// The length as the legend shows it: "    3/8", "  2 3/8", " 12 0/8".
std::string GraphEighthsText(const TPageLength& length);

// True when the scene has one before it in the run and differs from it in
// the primary order's key (any scene after the first for the other orders).
bool GraphGroupChanged(const TBreakdownRun& run, const TBreakdownOptions& options, std::size_t scene);

// Prints the graph as a print job of its own. False when it did not start
// or finish.
bool PrintBreakdownGraph(const TBreakdownRun& run, const TBreakdownOptions& options);

}  // namespace qm
