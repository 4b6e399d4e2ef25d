// The Save As dialog: a file name and one of the save formats, then the
// save through the progress dialog.
#pragma once

#include <string>

namespace qm {

// True when the script was written under the chosen name.
bool ShowSaveAsDialog(const std::string& fileName);

}  // namespace qm
