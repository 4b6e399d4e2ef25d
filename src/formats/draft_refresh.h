// After a draft command changed the script: it is marked changed (without
// a revision mark of its own), regrouped, paginated and renumbered, and
// shown again with the caret on an element the writer can type in.
#pragma once

namespace qm {

class TMDIChild;

void RefreshAfterDraftChange(TMDIChild& script);

}  // namespace qm
