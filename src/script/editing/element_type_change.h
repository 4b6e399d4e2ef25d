// Changing the type of the element at the caret, or of the part of it a
// block marks, to a type chosen in the main window's element box: the
// script's format for the type, the text tidied for it, and the speeches
// around it kept sound.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace qm {

class TMDIChild;

// The element box's entries, in the order it lists them.
enum TElementBoxEntry : int {
  ebActInformation,
  ebAction,
  ebCharacterName,
  ebDialogue,
  ebParenthetical,
  ebSceneHeading,
  ebSceneInformation,
  ebScriptNote,
  ebShot,
  ebCenteredTitle,
  ebTransition,
};
constexpr int ElementBoxEntryCount = 11;

// The scene-type pop-up at the caret with the items' captions: the item
// chosen (1 to 3), or 0 when it was dismissed.
using TTypePopup = std::function<int(const std::vector<std::string>& captions)>;

// False, with nothing changed, when the change was refused or dismissed.
bool ChangeElementType(TMDIChild& window, int entry, const TTypePopup& popup);

}  // namespace qm
