// Write access to the edit line, for the script folder's own routines:
// the layer check refuses this header anywhere else, so other subsystems
// change the caret and the edited text only through qm::editor.
#pragma once

#include "script/model/edit_line.h"

namespace qm {

class TEditLineWriter {
 public:
  static TEditLineFields& Fields(TEditLine& line) { return line.fields_; }
};

inline TEditLineFields& EditFields(TEditLine& line) { return TEditLineWriter::Fields(line); }

}  // namespace qm
