// The Save As dialog: a file name and one of the save formats, then the
// save through the progress dialog.
#pragma once

#include <string>
#include <vector>

#include "platform/types.h"

namespace qm {

// One type of the dialog: its text, the extension of its files and the
// save format it writes (the progress dialog's FileFormatCode).
struct TSaveAsType {
  std::string description;
  std::string extension;
  Byte code;
};
// In the dialog's order.
std::vector<TSaveAsType> SaveAsTypes();

// True when the script was written under the chosen name.
bool ShowSaveAsDialog(const std::string& fileName);

}  // namespace qm
