// What one scene needs: its heading parts, length, pages, characters and
// the tagged items of the 26 categories, gathered from the script's tags.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "breakdown/categories.h"
#include "platform/types.h"
#include "script/model/text_codes.h"

namespace qm {

class TMDIChild;
class TScriptDocument;

// Record slots, in the order the sheets and reports list them.
enum TRecordSlot {
  rsCastMembers = 0,
  rsExtras,
  rsStunts,
  rsVehicles,
  rsProps,
  rsSpecialFX,
  rsCostumes,
  rsMakeupHair,
  rsLivestock,
  rsAnimalHandler,
  rsMusic,
  rsSound,
  rsSetDressing,
  rsGreenery,
  rsSpecialEquipment,
  rsSecurity,
  rsAdditionalLabor,
  rsOpticalFX,
  rsMechanicalFX,
  rsMisc,
  rsCrew,
  rsNotes,
  rsSceneDescription,
  rsUserDefined1,
  rsUserDefined2,
  rsUserDefined3,
};

struct BreakdownRecord {
  std::string IntExt;
  std::string Location;
  std::string TimeOfDay;
  std::uint16_t LineCount = 0;
  std::string StartPage;         // at most 6 characters
  std::string EndPage;           // at most 6 characters
  std::string SceneNumber;       // at most 6 characters
  std::string CharacterIndexes;  // 1-based indexes into the run's name table, at most 50
  // One list per slot; items in the order added, each once (letter case ignored).
  std::array<std::vector<std::string>, CategoryCount> Items;
};

// An item "~X" cancels the item X of the same category.
constexpr char OffEntryMark = '~';

// Stores one item of a tag code: its codes and "~" (but a leading one)
// removed; cast members upper-cased. A code without a slot adds nothing.
void AddItem(BreakdownRecord& record, Byte code, std::string item, const CharSet& codes);

// Takes every tag out of the text into the record, outer tags before the
// ones nested in them. The text keeps its words; its tag bytes are gone.
void ExtractTaggedItems(BreakdownRecord& record, std::string& text, const CharSet& codes);

// One record with the tagged items of the whole script (Action and Script
// Note text of the elements that are not hidden, the one being edited with
// its edit text).
BreakdownRecord ScriptTaggedItems(const TScriptDocument& script);
// The same from a window, its edit line stored first, with the script's
// associations applied to it.
BreakdownRecord GatherAllSceneBreakdowns(TMDIChild& script);

}  // namespace qm
