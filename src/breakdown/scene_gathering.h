// Gathering a script scene by scene: one breakdown record per scene
// heading with its INT/EXT, location and time of day, its lines and
// pages, its tagged items and the characters met in it.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "breakdown/breakdown_record.h"

namespace qm {

class TMDIChild;
class TScriptDocument;

struct TSceneBreakdowns {
  // The run's name table: the records' character indexes count from 1 in it.
  std::vector<std::string> Names;
  std::vector<BreakdownRecord> Records;
  bool Stopped = false;  // KeepGoing said no: the records are not complete
};

// The character names of the script (cues and the Char Names list), upper
// case, sorted, without repeats; combined names ("A/B", "A AND B") left out.
std::vector<std::string> BuildNameTable(TMDIChild& script);
// The same from the document as it stands, the element being edited with
// the text it has in the edit line.
std::vector<std::string> ScriptNameTable(const TScriptDocument& script);

// What a breakdown run asks of the gathering; the defaults gather
// everything.
struct TGatherOptions {
  bool CollectItems = true;        // take the tagged items into the records
  bool ActionNames = true;         // names met in Action count too
  bool NamesInSceneOrder = false;  // every name in order of first appearance
  bool SpeakersFirst = false;      // a name met in Action is looked for again in cues
  bool DropCastCharacters = true;  // a cast item that is one of the scene's characters goes
  bool SplitHeadings = true;       // false: the whole heading is the location
  // Asked at every scene heading; false stops the gathering there.
  std::function<bool()> KeepGoing;
};

// Every scene of the script, in order; what stands before the first
// heading counts for the first scene. The element being edited counts with
// its edit text; a window stores its edit line first when that is to be
// tidied as leaving the element tidies it.
TSceneBreakdowns GatherSceneRecords(const TScriptDocument& script, const TGatherOptions& options = {});

// The names of a record's characters.
std::vector<std::string> CharacterNamesOf(const TSceneBreakdowns& run, const BreakdownRecord& record);

}  // namespace qm
