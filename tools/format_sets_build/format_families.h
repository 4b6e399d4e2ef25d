// The five format families the Format menu loads and saves by name, each
// the formats a writer of that form of script expects (see
// data/FORMAT-FAMILIES.md for where the conventions come from).
#pragma once

#include <vector>

#include "script/model/script_record.h"

namespace qm {

struct TFormatFamily {
  const char* FileName;  // in the program folder
  // Turns a new script's settings into the family's.
  void (*Shape)(TScriptRecord& record);
};

const std::vector<TFormatFamily>& FormatFamilies();

// The settings a new script starts with when no defaults were saved.
void ProgramDefaults(TScriptRecord& record);

}  // namespace qm
