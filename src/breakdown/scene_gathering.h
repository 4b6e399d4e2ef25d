// Gathering a script scene by scene: one breakdown record per scene
// heading with its INT/EXT, location and time of day, its lines and
// pages, its tagged items and the characters met in it.
#pragma once

#include <string>
#include <vector>

#include "breakdown/breakdown_record.h"

namespace qm {

class TMDIChild;

struct TSceneBreakdowns {
  // The run's name table: the records' character indexes count from 1 in it.
  std::vector<std::string> Names;
  std::vector<BreakdownRecord> Records;
};

// The character names of the script (cues and the Char Names list), upper
// case, sorted, without repeats; combined names ("A/B", "A AND B") left out.
std::vector<std::string> BuildNameTable(TMDIChild& script);

// Every scene of the script, in order; what stands before the first
// heading counts for the first scene.
TSceneBreakdowns GatherSceneRecords(TMDIChild& script);

// The names of a record's characters.
std::vector<std::string> CharacterNamesOf(const TSceneBreakdowns& run, const BreakdownRecord& record);

}  // namespace qm
