// A deterministic generator of realistic screenplays for tests and
// benchmarks: scenes open with a heading, carry action paragraphs of one
// to eight printed lines and speeches (a cue, sometimes a parenthetical,
// dialogue), and now and then end in a transition. The same seed and page
// count always give the same script, on every platform.
#pragma once

#include <cstdint>
#include <vector>

#include "support/script_builder.h"

namespace qm::testing {

// About this many elements make a printed page.
constexpr int GeneratedElementsPerPage = 19;

std::vector<ElementSpec> GenerateScreenplay(std::uint64_t seed, int pages);

}  // namespace qm::testing
