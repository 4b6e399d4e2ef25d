// Storyboard links of a script: runs of elements tied to frames of the
// script's storyboard. Each element keeps an index into the script's
// frame list (entry 0 "0": no frame); entries are only ever appended, so
// that stored indexes stay valid.
#pragma once

#include <string>

#include "platform/types.h"

namespace qm {
class TMDIChild;
class TScriptDocument;
struct TScriptElement;
}  // namespace qm

namespace qm::story {

// Frame id 0x0FFFFFFF asks for the last linked element.
constexpr DWord LastLinkedFrame = 0x0FFFFFFF;
// Link marks sit left of this x in the script window.
constexpr int LinkMarkMargin = 9;

// The index of the frame in the script's list, or -1.
int FrameIndex(const TScriptDocument& script, DWord frameId);
// The frame an index names, 0 for 0 or an index past the list.
DWord FrameOfIndex(const TScriptDocument& script, Word index);
// The frame's index, appended to the list when it is not there.
Word AddFrame(TScriptDocument& script, DWord frameId);
// The link's first element for the frame (see LastLinkedFrame); with move
// it becomes current. False when the frame is not linked.
bool GoToStoryboardLink(DWord frameId, bool move);
// The script's storyboard file (the script is then modified).
void SetStoryboardFileName(TScriptDocument& script, const std::string& name);
// Whether an open script has the file name (no folder, the script
// extension); with activate it becomes the active one.
bool FindScriptByName(const std::string& name, bool activate);

// Every element linked to the frame loses its link; with ask the user
// agrees first and may also have the frame deleted from the storyboard.
void DeleteFrameLinks(DWord frameId, bool ask);
// Clear Links to Frame(s): the current element and the block lose their links.
void DeleteStoryboardLinksInBlock();
// StoryBoard Links: the link marks shown or hidden.
void ToggleStoryboardLinkMarks();
// A new element made by splitting takes the link its neighbours share.
void InheritStoryboardLink(TMDIChild& script, TScriptElement& element);
// The hint over a link mark; true when the point is on one.
bool ShowStoryboardLinkHint(TMDIChild& script, int x, int y);
// The element under a client y, or null.
TScriptElement* ElementAtY(TMDIChild& script, int y);
// Assign Text to Existing Frame: the block linked to the frame the user
// selects in the storyboard program.
void AssignStoryboardFrame();
// A double click on a linked element: the storyboard shows its frame.
void OpenStoryboardLink();

}  // namespace qm::story
