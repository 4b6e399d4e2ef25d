// Splicing clipboard records into a script at the caret: the first one may
// go into the element at the caret, dialogue without its speaker gets a
// cue, each record brings its format, state, layout, revision marks and
// font by name, and the text the paste split off joins the last record
// again.
#pragma once

#include <vector>

#include "files/native_clipboard.h"

namespace qm {

class TMDIChild;

// The records into the script at its caret; true when any was placed. The
// caret goes back to where the paste began; the script is laid out again.
bool SpliceRecords(TMDIChild& script, std::vector<TClipRecord>& records);

}  // namespace qm
