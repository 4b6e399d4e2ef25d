// Character lists under the scene headings: one Action paragraph right
// after every heading naming the characters of its scene, found again by
// its marker so that a new generation rewrites it in place, and removed
// all at once on request.
#pragma once

#include <string>
#include <vector>

#include "platform/types.h"

namespace qm {

class TIniFile;
class TMDIChild;
class TScriptDocument;
struct TScriptElement;

// The number word that marks a generated list (high byte 150).
constexpr Word CharacterListMark = 0x9600;

enum TNameSortOrder : int {
  nsAlphabetical = 0,
  nsScriptOrder = 1,
  nsSpeakersFirst = 2,
  nsUserListAlphabetical = 3,
  nsUserListSpeaking = 4,
};

// The [Character Lists] settings and the one choice that is not stored.
struct TCharacterListOptions {
  int SortOrder = nsAlphabetical;
  bool AllCaps = true;
  bool NonSpeaking = true;
  bool AfterFirst = true;  // only while the script uses scene information
  bool Bold = false;
};

TCharacterListOptions ReadCharacterListOptions(const TIniFile& ini, const TScriptDocument& script);
// "After First" is written only when the script could use it.
void WriteCharacterListOptions(TIniFile& ini, const TCharacterListOptions& options, const TScriptDocument& script);

// "Use Scene Information in Script": scenes start at scene information.
bool UsesSceneInformation(const TScriptDocument& script);

// An element right after a heading that a generation made: Action carrying
// the list's number word. Lines before say nothing: the writer's own Action
// may have none.
bool IsGeneratedList(const TScriptElement& e);

// The Scene Body Text entries the atmosphere can be given to, in slot order.
std::vector<std::string> AtmosphereCandidates(const TScriptDocument& script);

// What a generation works from: the script's names (a name is referred to
// by its place in this list) and the locations that get the atmosphere.
struct TCharacterListRun {
  TCharacterListOptions Options;
  std::vector<std::string> Names;
  std::vector<std::string> AtmosphereLocations;
};

// The names of the active script for a generation: user-list names first
// for the user-list orders, joint names left out. Empty when there are none.
std::vector<std::string> PrepareListNames(TMDIChild& script, int sortOrder);

// Writes a list under every scene heading (rewriting the lists there) and
// puts the caret back where it was.
void GenerateAllLists(TMDIChild& script, const TCharacterListRun& run);

// The whole command: undo step, the lists, the settings written back.
void RunCharacterListGeneration(TMDIChild& script, const TCharacterListRun& run);

// The commands. Without the dialog the stored settings are used.
void GenerateCharacterLists(bool showDialog);
void RemoveCharacterLists();
// Takes every generated list out of the script; the number removed.
int RemoveAllLists(TMDIChild& script);

}  // namespace qm
