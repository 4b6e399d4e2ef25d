// Breakdown tagging mode and the tagging commands: tagging the selection
// with a category, tagging an item all over the script, and taking every
// tag out again.
#pragma once

#include <string>

namespace qm {

class TMDIChild;
class TScriptDocument;

// Tagging mode is on from entering it until it is left again.
bool TaggingModeOn();
// Enters tagging mode for the script. The first time for a script that
// holds no tags yet the user is asked once whether the tag code letters
// are free; a No leaves the mode off (false) and asks again next time.
bool EnterTaggingMode(TScriptDocument* script);
void LeaveTaggingMode();
// Whether tagging mode is on and was entered for this script.
bool TaggingModeEnteredFor(const TScriptDocument& script);

// Wraps the block of the current element into a tag of the category
// (index 0..25); a selection of only blanks and codes tags nothing.
void TagSelectionWithCategory(TMDIChild& script, int category);
// The current element's block trimmed for tagging ("" when none).
std::string SelectedItemText(TMDIChild& script);
// Tags every untagged whole-word occurrence of the item in the Action,
// Shot and Script Note text of the script.
void TagItemGlobally(TMDIChild& script, const std::string& item, int category, bool prompt);
// Asks first; then no tag byte is left in the script. False on No.
bool RemoveAllTaggingCodes(TMDIChild& script);

extern const char* const TagCodesQuestion;
// The tag code letters the user is asked about, blank-separated.
std::string TagCodeLetters();

}  // namespace qm

namespace qm {
// "Tag Item Globally": the item (the selection, when there is one) and its
// category asked for, then tagged all over the script.
void TagItemGloballyDialog(TMDIChild& script, const std::string& selected);
}  // namespace qm
