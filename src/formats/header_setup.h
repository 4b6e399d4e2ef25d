// "&Header Setup...": the script's page header settings edited in the
// "Header Setup" dialog.
#pragma once

namespace qm {

class TMDIChild;

// True when the dialog closed with OK and the script took the settings
// (marked changed and laid out again for the header's height).
bool HeaderSetup(TMDIChild& script);

}  // namespace qm
