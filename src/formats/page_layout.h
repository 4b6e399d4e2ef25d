// "Page &Layout...": the script's page margins, spacing percentages and
// short-page stretching edited in the "Setup Page Layout" dialog.
#pragma once

namespace qm {

class TMDIChild;

// True when the dialog closed with OK and the script took the values and
// was laid out again; `saveAsDefaults` tells whether the writer asked to
// keep them for new scripts.
bool PageLayout(TMDIChild& script, bool& saveAsDefaults);

}  // namespace qm
