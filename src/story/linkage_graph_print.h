// The linkage graphs of a range of targets printed, four to a page, each
// page headed with the script's name and the targets it holds.
#pragma once

#include <functional>
#include <string>

#include "story/linkage_graph.h"

namespace qm::story {

struct TGraphPrintHooks {
  std::function<void(const std::string&)> Progress;  // the panel: which target prints
  std::function<void(const std::string&)> Status;    // the status line: the page heading
};

// Prints the graphs of the targets whose labels stand from `from` to `to`
// in the graph's label list (either order); false when the job failed.
bool PrintLinkageGraphs(const TLinkageGraph& graph, std::size_t from, std::size_t to, const std::string& scriptPath,
                        const TGraphPrintHooks& hooks);

// The number inside a label's first parentheses, or -1.
std::int64_t TrueJumpNumber(const std::string& label);

}  // namespace qm::story
