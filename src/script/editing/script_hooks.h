// What the script window and its editing routines call in the subsystems
// above them: the undo ring, the format files and the main window's
// commands. Each of those sets its members when it comes into being; an
// empty member does nothing, so a window made alone (as tests make one)
// edits without them.
#pragma once

#include <functional>
#include <string>

#include "platform/types.h"
#include "script/editing/block_deletion.h"

namespace qm {

class TMDIChild;
struct TScriptElement;

struct TScriptWindowHooks {
  // The main window's Close command for this script, for every way the
  // window itself is closed (its close box, its system menu's Close, the
  // close box of its icon): the script's questions come first.
  std::function<void(TMDIChild& script)> CloseScript;
  // A script window is closing: the main window's tools that served it
  // (the element list, the power panel, word-processor mode) go.
  std::function<void()> ScriptClosing;
  // The undo ring: true while it records steps; records one (the whole
  // script, or the current element and those about it); forgets every
  // step, as a window comes or goes.
  std::function<bool()> UndoRecording;
  std::function<void(bool wholeScript, bool withHeader)> SaveUndoData;
  std::function<void()> ClearUndoData;
  // Forgets the steps of a script whose window goes.
  std::function<void(const TMDIChild& script)> ForgetUndoSteps;
  // Whether the step running holds the caret's element (a change of the
  // same kind elsewhere opens a step of its own).
  std::function<bool()> UndoStepCoversCaret;
  // A change asked for its step, recorded or not: an action that asked
  // none is given one when it turns out to have changed the script.
  std::function<void()> UndoStepAsked;
  // The format files: the script's formats and options from the settings
  // file, then from a format file when there is one (true when it was read).
  std::function<void()> ReadFormatDefaults;
  std::function<bool(const std::string& fileName)> LoadDefaultFormats;
  // A new element was made between two others (Enter, or a new element
  // for another subsystem): the storyboard links let it join their run.
  std::function<void(TMDIChild& script, TScriptElement& element)> ElementMade;
  // The Add Forced Page Break command at the script's caret (Enter after
  // the end of an act).
  std::function<void(TMDIChild& script)> AddForcedPageBreak;
  // An edit changed the page an element lies on: in a script whose page
  // headers are locked the page takes the current header and revision.
  std::function<void(TScriptElement& element)> PageChanged;
  // Drag and drop: the block cut and pasted at a point outside it, as Cut
  // then Paste there would; true when it moved.
  std::function<bool(TMDIChild& script, TTextPoint drop)> DropBlock;
};
extern TScriptWindowHooks ScriptWindowHooks;

}  // namespace qm
