// The program's one undo ring: before a change, a copy of the run of
// elements around the edit point (or of the whole script, optionally with
// the script's header settings) goes into the next of up to 20 slots. Undo
// swaps the newest copy back into the script and keeps what it took out in
// one redo slot; Redo swaps that back.
//
// A run is found again by counting elements from both ends of the script,
// leaving out what repagination adds around an automatic page break (the
// break, the piece of a split element after it, a repeated cue), so that
// breaks added or removed between the save and the undo do not move it.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "base/option_keys.h"
#include "base/program_options.h"
#include "files/script_header.h"
#include "platform/controls.h"
#include "platform/types.h"
#include "script/model/script_model.h"

namespace qm {

class TMDIChild;

constexpr int UndoSlotCount = 20;

// One saved step: a private chain of element copies and where it belongs.
class TUndoSlot {
 public:
  TUndoSlot() = default;
  ~TUndoSlot() { Free(); }
  TUndoSlot(const TUndoSlot&) = delete;
  TUndoSlot& operator=(const TUndoSlot&) = delete;

  // Frees the chain and the header image; every field back to empty.
  void Free();
  // Only a slot with a chain and the copy of its current element counts.
  bool Filled() const { return SavedRun && SavedCurrent; }

  // First element of the chain; the slot owns every element of it.
  TScriptElement* SavedRun = nullptr;
  // Position of the run's first element from the script's first (1 = the
  // first) and of its last from the script's last (1 = the last).
  std::int32_t ElementsBefore = 0;
  std::int32_t ElementsAfter = 0;
  // The script the step was taken in (its identity).
  std::uint64_t Owner = 0;
  // The script outside the run as the step found it, checked before the
  // run is swapped back.
  std::uint64_t Before = 0;
  std::uint64_t After = 0;
  // The chain's copy of the element that was current.
  TScriptElement* SavedCurrent = nullptr;
  Word SavedCaretColumn = 0;
  Word SavedCaretLine = 0;
  // Whether the first page was revised, which no element holds.
  Byte SavedFirstPageRevised = 0;
  // Whether the current element was a name the writer was typing.
  bool SavedNameTyped = false;
  // The script's header record as the native file stores it, and the list
  // entries beyond its room; empty when the step did not take it.
  std::vector<Byte> HeaderImage;
  TListOverflow HeaderSpill;
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

 private:
  void ShowMenuItems();
  void FreeAll();
  void MenusDue();
  // The newest filled slot of a script walking back from the current one
  // round the ring, the current one last; 0 when none.
  int NewestFilledSlot(std::optional<std::uint64_t> owner) const;
  // Whether the newest step is the active script's and its run holds the
  // caret and the block, so that a change there may continue it.
  bool StepCoversCaret() const;
  // Widens the script's newest step over an element outside its run,
  // before something changes the element as part of that step.
  void Cover(TMDIChild& w, TScriptElement& element);
  // Swaps source's chain into the script in place of the run standing
  // there, which goes to target. False (with the message) when source is
  // empty or its run is not found.
  bool RestoreUndoSlot(TUndoSlot& source, TUndoSlot& target);
  void AdvanceCurrentSlot();

  std::array<TUndoSlot, UndoSlotCount + 1> slots_{};  // 1 to 20; 0 unused
  TUndoSlot redo_;
  Byte currentSlot_ = 1;
  Byte undoLevels_ = 0;
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

// Whether repagination added the element around an automatic page break:
// the break itself, the element after a break that split something, and
// the element after a cue repeated there.
bool IsPaginationElement(const TScriptElement* element);

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
// After a cut or paste in a script that marks revisions: the caret's line
// is marked revised and its page header refreshed.
void MarkEditRevised(TScriptElement* element);

}  // namespace qm
