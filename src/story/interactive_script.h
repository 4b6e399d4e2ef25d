// Interactive (branching) scripts: branch targets are scene headings whose
// number word is the target number, activity lines are shots, branch points
// are transitions reading "GO TO " + a target's label; "(" number ")" inside
// the text of a shot or a transition refers to a target.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/types.h"
#include "script/model/script_model.h"

namespace qm {
class TMDIChild;
class TScriptDocument;
}  // namespace qm

namespace qm::story {

inline bool IsBranchTarget(const TScriptElement& e) { return e.Kind() == ekSceneHeading; }
// A target's number: its number word without the lock bit.
inline Word TargetNumber(const TScriptElement& target) {
  return static_cast<Word>(number_word::Number(target.format.NumberWord));
}
// A reference to this number leads back from a branch at play time; it
// names no target, and renumbering keeps it.
constexpr unsigned long ReturnNumber = 0;
// Kinds whose text may hold references to targets.
inline bool HoldsTargetReferences(Byte kind) { return kind == ekShot || kind == ekTransition; }

// The target's label as pick lists show it and "GO TO " writes it: the
// heading's plain text in upper case, " (", its number, ")".
std::string BranchTargetLabel(std::string_view headingText, Word number);
// The label of a target of the script (its text from the edit line while
// it is the current element).
std::string BranchTargetLabel(const TScriptDocument& script, const TScriptElement& target);

// The first branch target with the number, or null.
TScriptElement* FindBranchTarget(const TScriptDocument& script, int number);

// A new branch target with the text after the script's last element,
// numbered one above the highest target; the caret comes back to where it
// was. Returns the new target.
TScriptElement* AppendBranchTarget(TMDIChild& script, const std::string& text);

// A reference: the offset of its digits and their count.
struct TReference {
  std::size_t start;
  std::size_t length;
  unsigned long number;  // past 16 bits: no target can carry it
};
// Every "(" digits ")" of a text, in order; a parenthesis holding anything
// but digits is ordinary text, not a reference.
std::vector<TReference> FindReferences(std::string_view text);
// The number of the first "(" in the text, when a digit follows it.
std::optional<unsigned long> FirstJumpNumber(std::string_view text);

// One record of the renumbering map.
struct TNumberObject {
  Word oldNumber;
  Word newNumber;
};
// The text with every reference given its new number, or "??" when no
// record holds its old number (and *missing is then set).
std::string RenumberReferences(std::string_view text, const std::vector<TNumberObject>& map, bool* missing);

// The renumbering without questions or reports: targets numbered 1, 2, 3
// in script order and every reference updated. Returns the target count;
// *missing tells whether a reference was turned into "(??)". The stored
// texts only: the elements whose text changed length lose their line
// offsets and are added to `relaid`, to be laid out again.
int RenumberTargets(TScriptDocument& script, bool* missing, std::vector<TScriptElement*>& relaid);
// The same on a window: its edit line stored first, the changed elements
// wrapped again.
int RenumberTargets(TMDIChild& script, bool* missing);

// The renumbering command on the active script: asks first, reports after.
void RenumberAllJumpPositions();
// Goes to the target of the reference in the current element of the active
// script; RETURN (0) and unknown targets are reported.
void FollowJump();

}  // namespace qm::story
