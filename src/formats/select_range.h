// Making the block from a range of scenes, and extending it from the
// caret to the end of a page, scene, act or the script.
#pragma once

namespace qm {

class TMDIChild;

// "Scene &Range": the chosen scenes, whole, become the block. False when
// cancelled or the script has no scene heading (with a message).
bool SelectSceneRange(TMDIChild& script);
// "E&xtend Selection..." (both flags false): the block runs from the
// caret to the end chosen in the dialog. False when cancelled or the end
// does not exist (with a message). The Goto menu's block-extending scene
// items pass a flag instead and no dialog shows: the block reaches the
// next scene heading below the caret (toNextScene) or the one above it
// (toPreviousScene); false, with the Goto message, when there is none.
bool ExtendBlockSelection(TMDIChild& script, bool toNextScene, bool toPreviousScene);

}  // namespace qm
