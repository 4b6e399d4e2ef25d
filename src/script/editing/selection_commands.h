// The Select commands: a unit of the script around the caret becomes the
// block (a word, a sentence, the element, its group, the scene, the page,
// the whole script). Each records the next larger unit, so that repeated
// double clicks grow the selection.
#pragma once

#include "platform/types.h"

namespace qm {

// Each works on the active script and does nothing without one.
void SelectWord();
void SelectSentence();
void SelectElement();
void SelectGroup();
void SelectScene();
void SelectPage();
void SelectAll();

// The Select command of a selection level (the grow action).
void SelectUnit(Byte level);

}  // namespace qm
