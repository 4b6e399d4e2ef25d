// Associations of breakdown items with characters and locations: in every
// scene of a character, or at a location, the scene also needs these
// items. The script file keeps them as a block of packed strings.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "breakdown/breakdown_record.h"
#include "platform/types.h"

namespace qm {

class TScriptDocument;

enum TIntExtChoice : Byte { ieIntOnly = 0, ieExtOnly = 1, ieBoth = 2 };

struct TAssociation {
  std::vector<std::string> Items;
  int Category = 0;  // a category index 0..25
  Byte IntExt = ieIntOnly;
  friend bool operator==(const TAssociation&, const TAssociation&) = default;
};

// One name (upper case) and its chain: at most one association per
// category. For a location the first association's INT/EXT choice holds
// for the whole chain.
struct TAssociationEntry {
  std::string Name;
  std::vector<TAssociation> Chain;
  friend bool operator==(const TAssociationEntry&, const TAssociationEntry&) = default;
};

struct TAssociationLists {
  std::vector<TAssociationEntry> Characters;
  std::vector<TAssociationEntry> Locations;
  bool Empty() const { return Characters.empty() && Locations.empty(); }
  friend bool operator==(const TAssociationLists&, const TAssociationLists&) = default;
};

// The block as the script file keeps it; empty lists give no bytes.
std::vector<Byte> WriteAssociations(const TAssociationLists& lists);
// Reads a block; a damaged one gives what could be read of it.
TAssociationLists ReadAssociations(std::span<const Byte> block);

// The script's associations, and a new set of them (the script is then
// modified).
TAssociationLists ScriptAssociations(const TScriptDocument& script);
void SetScriptAssociations(TScriptDocument& script, const TAssociationLists& lists);

// The entry of a name (letter case ignored); null when none.
const TAssociationEntry* FindAssociations(const std::vector<TAssociationEntry>& list, const std::string& name);

// Where the names that count as a record's characters besides its cast
// come from: a run's name table (a scene's record, whose Extras count too)
// or the whole script's names (the gathering of all tagged items).
enum class TRecordNames { NameTable, WholeScript };

// Adds the items associated with the record's location (when its INT/EXT
// fits) and characters, then cancels the off entries.
void ApplyAssociations(BreakdownRecord& record, const TAssociationLists& lists,
                       const std::vector<std::string>& characterNames, TRecordNames from);

// Every "~X" item goes, and X with it (letter case ignored).
void CancelOffEntries(BreakdownRecord& record);

}  // namespace qm
