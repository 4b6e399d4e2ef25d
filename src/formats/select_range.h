// Making the block from a range of scenes, and extending it from the
// caret to the end of a page, scene, act or the script.
#pragma once

namespace qm {

class TMDIChild;

// "Scene &Range": the chosen scenes, whole, become the block. False when
// cancelled or the script has no scene heading (with a message).
bool SelectSceneRange(TMDIChild& script);
// "E&xtend Selection...": the block runs from the caret to the chosen
// end. False when cancelled or the end does not exist (with a message).
bool ExtendBlockSelection(TMDIChild& script);

}  // namespace qm
