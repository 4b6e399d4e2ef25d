// The main window's whole menu tree as one table: captions, short cuts,
// names, handlers, and when each item may be used. The menus are built
// from it and their state follows it at every refresh.
#pragma once

#include <span>

#include "platform/types.h"

namespace qm {

class TMainForm;
class TObject;

using TMainCommand = void (TMainForm::*)(TObject*);

// When an item may be used, judged on the active script.
enum class TMenuRule : Byte {
  AsMenu,  // as its top-level menu says
  Always,
  Open,      // a script is open
  Editable,  // ... and not read and print only
  Block,     // the menu's own rule and a block is marked
  NoBlock,   // editable and no block is marked
  Paste,     // the menu's own rule and the clipboard holds something to paste
  Undo,      // the undo ring can undo
  Redo,      // the undo ring can redo
  PagesLocked,
  ScenesLocked,
  PagesPausable,   // pages locked, or their locking paused (the item ticked)
  ScenesPausable,  // scenes likewise
  LockScript,      // open and not both pages and scenes locked
  UnlockScript,    // open and pages or scenes locked
  NumberingNotLocked,
  NumberingOn,
  HeadersLocked,    // header text and pages locked
  TextMode,         // open and text mode allowed
  SpeedBars,        // only while the menus are not the top menu alone
  ElementButtons,   // ... and the element buttons are shown
  SearchAgain,      // a search was made that Search Again can repeat
  Interactive,      // shown only for an interactive script
  StoryboardLinks,  // shown only while the script is linked to storyboard frames
  RevisionLevels,   // the script has a locked revision-mark level to take away
};

// Why a command is shown disabled: the issue whose routine it waits for,
// or a reason of this system.
// The reason a command stays disabled for good: a key of the hidden menu
// whose routine nothing describes.
enum : int { Built = 0, NoRoutine = -2 };

struct TMenuRow {
  Byte depth;            // 1 a top-level menu, 2 its items, 3 and 4 sub-menus
  const char* caption;   // "-" is a separator
  const char* shortCut;  // as the desktop writes it ("Ctrl+F4"), or ""
  const char* name;
  const char* handler;   // the handler's name, also while it is not built
  TMainCommand command;  // null while its routine is not built
  int waitsFor;          // Built, an issue number, or a reason above
  TMenuRule rule;
  int tag;
  bool hidden;

  constexpr TMenuRow When(TMenuRule r) const {
    TMenuRow row = *this;
    row.rule = r;
    return row;
  }
  constexpr TMenuRow Tag(int t) const {
    TMenuRow row = *this;
    row.tag = t;
    return row;
  }
  constexpr TMenuRow Hidden() const {
    TMenuRow row = *this;
    row.hidden = true;
    return row;
  }
  bool IsLine() const { return caption[0] == '-' && caption[1] == 0; }
};

std::span<const TMenuRow> MainMenuRows();

}  // namespace qm
