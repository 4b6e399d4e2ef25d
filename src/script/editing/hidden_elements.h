// The File menu's Hide commands: whole kinds of elements hidden or shown,
// the non-printing text hidden or shown, and keeping one element together;
// and what hiding means on screen.
#pragma once

#include <cstdint>
#include <functional>

#include "script/model/element_visibility.h"
#include "script/model/script_model.h"

namespace qm {

class TMDIChild;

constexpr std::uint32_t KindBit(Byte kind) { return 1u << kind; }
// The kinds each Hide command takes together.
constexpr std::uint32_t ActionKinds = KindBit(ekAction);
constexpr std::uint32_t SpeechKinds = KindBit(ekCharacterName) | KindBit(ekDialogue) | KindBit(ekParenthetical);
constexpr std::uint32_t SceneHeadingKinds =
    KindBit(ekSceneHeading) | KindBit(ekASceneHeading) | KindBit(ekDashASceneHeading);
constexpr std::uint32_t ScriptNoteKinds = KindBit(ekScriptNote);

// Hides or shows the kinds. False, with nothing changed, when no element
// would be left on screen.
bool SetKindsHidden(TMDIChild& window, std::uint32_t kinds, bool hide);
// Non-printing text (shown hidden text) is hidden, or hidden text is shown
// again with its marker. False, with nothing changed, when no element
// would be left on screen.
bool SetNonPrintingHidden(TMDIChild& window, bool hide);
// Gives every Script Note the state `stateOf` chooses for it and shows
// the screen again; when nothing is left on screen the current element
// is shown after all.
void SetNoteStates(TMDIChild& window, const std::function<Byte(const TScriptElement&)>& stateOf);
// Mark or Unmark as Non-Printing: the current element, or every element
// of the block, shown but left out of print (or printed again); a
// character name takes its speech along, a page break is never marked.
// The block goes and the script is laid out again.
void MarkElementsNonPrinting(TMDIChild& window, bool on);
// Toggles the keep-together state of the current element; its new state.
Byte KeepElementTogether(TMDIChild& window);

}  // namespace qm
