// The program's one undo ring: before a change, the script as it stood
// goes into the next of up to 20 slots. Undo gives the newest back and
// keeps what it replaced in one redo slot; Redo gives that back.
//
// A step holds the whole script (elements, caret, settings), as the user
// action that made the change found it: one key, one click or one menu
// command with everything it runs records at most one step, and an action
// that changed nothing the writer made (a caret move) takes no place in
// the ring. Successive steps share the copies of the elements that did
// not change between them (script_snapshot.h).
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "base/option_keys.h"
#include "base/program_options.h"
#include "files/script_snapshot.h"
#include "platform/controls.h"
#include "platform/types.h"
#include "script/model/script_model.h"

namespace qm {

class TMDIChild;

constexpr int UndoSlotCount = 20;

// One saved step.
struct TUndoSlot {
  void Free() { *this = TUndoSlot{}; }
  bool Filled() const { return !State.Empty(); }
  std::uint64_t Owner() const { return State.Owner; }

  TScriptSnapshot State;
  // The kind of change it was taken for (TUndoKind).
  Byte Kind = 0;
  // Whether its action renamed the script (Convert to Gibberish): Undo
  // and Redo give the name back with the text.
  bool Renamed = false;
  // Where the elements round the caret stood when the change was made,
  // counted from the script's first (1 = the first) and from its last,
  // pagination left out: a change of the same kind continues the step only
  // while the caret is among them.
  std::int32_t ElementsBefore = 0;
  std::int32_t ElementsAfter = 0;
};

// Lives as long as the main window, which owns it.
class TUndoObject : public TComponent {
 public:
  // Reads "Disable Undo" and "Max Undo Levels" and shows the main window's
  // Undo and Redo items only when there are levels.
  explicit TUndoObject(TComponent* owner);
  ~TUndoObject() override;

  // Saves one step of the active script (only SaveUndoStep calls this).
  void SaveData(bool wholeScript, bool withHeader);
  // The main window's Undo and Redo commands.
  void Undo();
  void Redo();
  bool UndoIsAvailable() const;
  bool RedoIsAvailable() const;
  // Empties every slot and the redo slot (nothing while suspended).
  void ClearUndoData();
  // Empties the slots of one script, as its window goes.
  void ForgetStepsOf(std::uint64_t owner);
  // A different number of levels (0 to 20) clears all steps.
  void SetMaxUndoLevels(Byte levels);
  Byte UndoLevels() const { return undoLevels_; }

  // A user action begins and ends (the outermost one: a key, a click, a
  // menu command with its dialogs). The script in front is taken as the
  // action finds it; at the end the action's step is kept only when the
  // script changed, and an action that changed it without asking for a
  // step is given one.
  void ActionStarts();
  void ActionEnds();

 private:
  void ShowMenuItems();
  void FreeAll();
  void MenusDue();
  // The newest filled slot of a script walking back from the current one
  // round the ring, the current one last; 0 when none.
  int NewestFilledSlot(std::optional<std::uint64_t> owner) const;
  // Whether the newest step is the active script's, of the kind of change
  // asked for, and the elements round its change hold the caret and the
  // block, so that a change there may continue it.
  bool StepCoversCaret() const;
  // A step of the script as it stands now (taken into the running state).
  TUndoSlot StepOfNow(TMDIChild& w);
  // A new step into the ring; the redo slot goes.
  void Commit(TUndoSlot step);
  // Gives a step back to its script; the script as it stood goes to
  // `replaced`.
  void GiveBack(TMDIChild& w, TUndoSlot& step, TUndoSlot& replaced);
  void AdvanceCurrentSlot();

  std::array<TUndoSlot, UndoSlotCount + 1> UndoSlots{};  // 1 to 20; 0 unused
  TUndoSlot RedoSlot;
  Byte CurrentSlot = 1;
  Byte undoLevels_ = 0;
  // The slot the last Undo emptied, where Redo puts back what it replaces.
  Byte undoneSlot_ = 1;
  // The script in front as the running action found it, kept up to date
  // from one action to the next.
  TScriptSnapshot running_;
  // The steps the running action asked for (one a script), kept only if
  // it changes the script.
  std::vector<TUndoSlot> pending_;
  bool inAction_ = false;
  // Whether the running action asked for a step, or gave one back.
  bool asked_ = false;
  bool restored_ = false;
};

// The one undo ring; null before the main window exists and after it went.
// The undo ring's number of levels: 0 while undo is switched off, else
// [Program Settings] "Max Undo Levels" kept within the ring's slots.
constexpr int MaxUndoLevels = 20;
Byte ReadUndoLevels();
// The options dialog writes it.
extern const OptionKey<TProgramOptions> MaxUndoLevelsKey;

extern TUndoObject* UndoObject;
// While set, saving and clearing do nothing (a command working across two
// scripts sets it).
extern Byte UndoSuspended;

// Routines of the main window that the ring calls; an empty member does
// nothing.
struct TUndoHooks {
  // Shows or hides the Undo and Redo commands, and asks for the menus to be
  // brought up to date after a step.
  std::function<void(bool shown)> ShowUndoCommands;
  std::function<void()> MenusDue;
};
extern TUndoHooks UndoHooks;

// In a script with locked page headers, refreshes the header of the page
// an element lies on; returns the page's first element (the element
// itself when headers are not locked).
TScriptElement* MarkPageChanged(TScriptElement* element);

}  // namespace qm
