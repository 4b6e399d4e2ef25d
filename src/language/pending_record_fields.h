// Fields of the script record that the list tools use and the record does
// not carry yet. They have the names and types the record gives them, so
// that code reads them through RecordOf (script_list_data.h) the same way
// before and after the record takes them over; this header then goes.
#pragma once

#include <array>
#include <string>

#include "platform/stringlist.h"
#include "platform/types.h"

namespace qm {

// The script's lists of short texts offered while typing, each a fixed
// number of slots; an entry is "alias\text" or the text alone, with "&"
// before a shortcut letter; an empty slot is "". A new table holds the
// built-in entries.
struct TUserListTables {
  TUserListTables();
  std::array<std::string, 10> Extension;
  std::array<std::string, 12> TimeofDay;
  std::array<std::string, 8> Transition;
  std::array<std::string, 10> SceneText;
  std::array<std::string, 6> ShotText;
  std::array<std::string, 3> ActText;
  std::array<std::string, 5> PrologueText;
  std::array<std::string, 1> TagText;
  std::array<std::string, 1> EndofActText;
  std::array<std::string, 1> ScriptOpenText;
  std::array<std::string, 10> SceneBodyText;     // at most 45 characters
  std::array<std::string, 15> CharNames;
  std::array<std::string, 15> SubstitutionText;  // at most 45 characters
  friend bool operator==(const TUserListTables&, const TUserListTables&) = default;
};

struct TPendingRecordFields {
  Byte TimeOfDayDashes = 1;  // "-" between a heading's location and its time of day
  Byte TimeOfDaySpaces = 1;  // blanks on each side of them
  Byte ScenesWithinActs = 0;
  Byte ActDisplayStyle = 1;        // 1 numbers, 2 letters, 3 words, 4 WORDS, 5 Roman numerals
  Byte SceneInfoDisplayStyle = 1;  // as ActDisplayStyle, for scene information
  Byte InteractiveScript = 0;
  Byte ActSceneInfoText = 0;  // a new Scene Information element takes the third ActText entry
  Byte ActTagSetting = 0;     // the last act of a show may be its tag
  Word LastActNumber = 0;
  Byte TypingColorCode = 253;  // open code of the current user colour
  Byte CurrentColor = 0;
  std::string CharacterContinuedText = "CONT'D";
  std::string SceneOmitText = "OMITTED";
  // Hidden character names: each followed by ",", a "," inside a name
  // stored as "|"; the first string fills first.
  std::array<std::string, 2> HiddenNames;
  TUserListTables UserLists;
  TStringList HiddenLocations;
};

}  // namespace qm
