#include "script/model/script_record.h"

#include "script/model/standard_formats.h"

namespace qm {

namespace {
constexpr std::uint32_t Bit(Byte kind) { return std::uint32_t{1} << kind; }
}  // namespace

std::uint32_t CenteredKinds(const TScriptSettings& s) {
  std::uint32_t kinds = Bit(ekCenteredTitle);
  if (s.CenterCharacterNames) kinds |= Bit(ekCharacterName);
  if (s.CenterSceneInformation) kinds |= Bit(ekSceneInformation) | Bit(ekLockedSceneInformation);
  if (s.CenterActInformation)
    kinds |= Bit(ekActInformation) | Bit(ekActStart) | Bit(ekPrologueText) | Bit(ekEndOfActText);
  return kinds;
}

std::string CutToCapacity(std::string_view s, std::size_t capacity) { return std::string(s.substr(0, capacity)); }

TUserListTables::TUserListTables() {
  Extension[0] = "O.S.";
  Extension[1] = "V.O.";
  TimeofDay = {"MORNING", "DAY", "AFTERNOON", "EVENING", "NIGHT", "LATER", "CONTINUOUS", "M&OMENTS LATER"};
  Transition = {"CUT TO:", "DISSOLVE TO:", "FADE OUT:"};
  SceneText = {"INT.", "EXT.", "P.O.V.", "FULL &SHOT"};
  ShotText = {"BACK TO SCENE", "ANGLE ON"};
  ActText = {"NEWACT\\ACT", "SAMEACT\\ACT", "NEWSCENE\\SCENE"};
  PrologueText = {"TEASER", "PROLOGUE", "COLD OPENING"};
  TagText = {"TAG"};
  EndofActText = {"END OF"};
  ScriptOpenText = {"FADE IN:"};
}

TScriptSettings::TScriptSettings() : FormatSet(StandardFormatSet()) {}

TScriptRecord::TScriptRecord() {
  RevisionColours.OwnsObjects = true;
  ResetRevisionColours();
  ExtraLocations.SetSorted(true);
  CharacterAliasList.OwnsObjects = true;
  LocationAliasList.OwnsObjects = true;
  StoryboardLinks.Add("0");
}

void TScriptRecord::ResetRevisionColours() {
  RevisionColours.Clear();
  AddRevisionColour("WHITE", clWhite);
}

void TScriptRecord::AddRevisionColour(const std::string& name, TColor colour) {
  RevisionColours.AddObject(name, colour == clNone ? nullptr : new TColourObject(colour));
}

TColor TScriptRecord::RevisionColourOf(int index) const {
  const auto* object = dynamic_cast<const TColourObject*>(RevisionColours.Objects(index));
  return object ? object->Colour : clNone;
}

void TScriptRecord::AddAlias(TStringList& list, const std::string& alias, const std::string& reported) {
  list.AddObject(alias, new TSubstituteName(reported));
}

std::string TScriptRecord::ReportedNameOf(const TStringList& list, int index) {
  const auto* object = dynamic_cast<const TSubstituteName*>(list.Objects(index));
  return object ? object->ReportedName : std::string();
}

}  // namespace qm
