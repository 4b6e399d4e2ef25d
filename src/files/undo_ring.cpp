#include "files/undo_ring.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "base/document_table.h"
#include "base/global_state.h"
#include "base/ini_file.h"
#include "base/message_boxes.h"
#include "base/program_options.h"
#include "formats/page_headers.h"
#include "language/bookmarks_dialog.h"
#include "script/editing/document_modified.h"
#include "script/editing/script_hooks.h"
#include "script/layout/editor_state.h"
#include "script/script_window.h"

namespace qm {

TUndoObject* UndoObject;
Byte UndoSuspended;
TUndoHooks UndoHooks;

namespace {

const GlobalState reset([] {
  UndoObject = nullptr;
  UndoSuspended = 0;
  UndoHooks = TUndoHooks{};
});

bool IsAutoBreak(const TScriptElement* e) { return e && e->Kind() == ekAutoPageBreak; }

bool IsCueAfterAutoBreak(const TScriptElement* e) { return e && e->Kind() == ekCharacterName && IsAutoBreak(e->prev); }

// Elements after `from` up to and including `to` that are not pagination
// elements: the elements as the writer made them.
std::int32_t CountedElements(const TScriptElement* from, const TScriptElement* to) {
  std::int32_t count = 0;
  for (const TScriptElement* e = from; e != to;) {
    e = e->next;
    if (!IsPaginationElement(e)) ++count;
  }
  return count;
}

// The first and last records of the element a record belongs to.
TScriptElement* FirstPieceOf(TScriptElement* e) {
  while (e->prev && IsPaginationElement(e)) e = e->prev;
  return e;
}
TScriptElement* LastPieceOf(TScriptElement* e) {
  while (e->next && IsPaginationElement(e->next)) e = e->next;
  return e;
}

// Elements that go with the automatic break before them; the elements
// round a change never start on one.
bool LeansOnBreakBefore(const TScriptElement* e) {
  if (IsPaginationElement(e)) return true;
  const Byte kind = e->Kind();
  if ((kind == ekAction || kind == ekCharacterName) && IsAutoBreak(e->prev)) return true;
  return kind == ekDialogue && IsCueAfterAutoBreak(e->prev);
}

bool InBlock(const TMDIChild& w, const TScriptElement* e) { return w.BlockOn() && e && e->InBlock(); }

// The first and last elements round a change: the current element and,
// wherever it lies, the whole block (the caret need not be inside it).
struct TRunAnchors {
  TScriptElement* first;
  TScriptElement* last;
};

TRunAnchors AnchorsOf(const TMDIChild& w) {
  TRunAnchors anchors{w.CurrentElement(), w.CurrentElement()};
  if (!w.BlockOn()) return anchors;
  bool currentSeen = false;
  for (TScriptElement* e = w.FirstElement; e; e = e->next) {
    if (e == w.CurrentElement()) currentSeen = true;
    if (!e->InBlock()) continue;
    if (!currentSeen && anchors.first == w.CurrentElement()) anchors.first = e;
    if (currentSeen) anchors.last = e;
  }
  return anchors;
}

// The block, two elements more on each side, and out over what leans on
// a page break.
TScriptElement* RunStart(const TMDIChild& w) {
  TScriptElement* e = AnchorsOf(w).first;
  for (int i = 0; i < 2 && e->prev; ++i) e = e->prev;
  while (e->prev && LeansOnBreakBefore(e)) e = e->prev;
  return e;
}

bool EndsRun(const TMDIChild& w, const TScriptElement* e) {
  if (InBlock(w, e) || InBlock(w, e->next) || IsAutoBreak(e)) return false;
  if (e->next && IsPaginationElement(e->next)) return false;
  return !IsAutoBreak(e->prev) && !IsCueAfterAutoBreak(e->prev);
}

TScriptElement* RunEnd(const TMDIChild& w) {
  TScriptElement* e = AnchorsOf(w).last;
  for (int i = 0; i < 2 && e->next; ++i) e = e->next;
  while (e->next && !EndsRun(w, e)) e = e->next;
  return e;
}

// The elements round a change counted in from both ends as they were
// counted when it was made, whatever breaks repagination has put in or
// taken out since.
bool FindRun(const TScriptDocument& w, const TUndoSlot& slot, TScriptElement*& start, TScriptElement*& end) {
  start = w.FirstElement;
  if (!start || slot.ElementsBefore < 1 || slot.ElementsAfter < 1) return false;
  for (std::int32_t n = slot.ElementsBefore - 1; n > 0;) {
    start = start->next;
    if (!start) return false;
    if (!IsPaginationElement(start)) --n;
  }
  end = w.LastElement;
  for (std::int32_t n = slot.ElementsAfter - 1; n > 0; --n) {
    end = FirstPieceOf(end);
    if (end == start || !end->prev) return false;
    end = end->prev;
  }
  end = LastPieceOf(end);
  const TScriptElement* e = start;
  while (e && e != end) e = e->next;
  return e != nullptr;
}

bool RunHolds(const TScriptElement* start, const TScriptElement* end, const TScriptElement* e) {
  for (const TScriptElement* r = start;; r = r->next) {
    if (r == e) return true;
    if (r == end) return false;
  }
}

TMDIChild* ScriptOf(std::uint64_t owner) {
  for (int slot = 1; slot <= DocumentCount; ++slot)
    if (Documents[slot] && Documents[slot]->Identity == owner) return Documents[slot];
  return nullptr;
}

void ShowNothingTo(const char* what) { ShowMessageBox(std::string("Nothing to ") + what, "Attention"); }

}  // namespace

const OptionKey<TProgramOptions> MaxUndoLevelsKey = OptionKey<TProgramOptions>::Number(
    "Program Settings", "Max Undo Levels", ShownPlace, MaxUndoLevels, 0, MaxUndoLevels);

Byte ReadUndoLevels() {
  const TIniFile ini = OpenSettingsFile();
  if (ini.ReadBool("Program Settings", "Disable Undo", false)) return 0;
  return static_cast<Byte>(ReadOptionValue<int>(ini, MaxUndoLevelsKey));
}

TUndoObject::TUndoObject(TComponent* owner) : TComponent(owner) {
  Name = "UndoObject";
  SetMaxUndoLevels(ReadUndoLevels());
  ShowMenuItems();
  ScriptWindowHooks.UndoRecording = [this] { return undoLevels_ > 0 && !UndoSuspended; };
  ScriptWindowHooks.SaveUndoData = [this](bool wholeScript, bool withHeader) { SaveData(wholeScript, withHeader); };
  ScriptWindowHooks.ClearUndoData = [this] { ClearUndoData(); };
  ScriptWindowHooks.ForgetUndoSteps = [this](const TMDIChild& w) { ForgetStepsOf(w.Identity); };
  ScriptWindowHooks.UndoStepCoversCaret = [this] { return StepCoversCaret(); };
  ScriptWindowHooks.UndoStepAsked = [this] { asked_ = true; };
  ScriptWindowHooks.PageChanged = [](TScriptElement& e) { MarkPageChanged(&e); };
}

TUndoObject::~TUndoObject() {
  FreeAll();
  if (UndoObject == this) UndoObject = nullptr;
  ScriptWindowHooks.UndoRecording = nullptr;
  ScriptWindowHooks.SaveUndoData = nullptr;
  ScriptWindowHooks.ClearUndoData = nullptr;
  ScriptWindowHooks.ForgetUndoSteps = nullptr;
  ScriptWindowHooks.UndoStepCoversCaret = nullptr;
  ScriptWindowHooks.UndoStepAsked = nullptr;
  ScriptWindowHooks.PageChanged = nullptr;
}

void TUndoObject::ShowMenuItems() {
  if (UndoHooks.ShowUndoCommands) UndoHooks.ShowUndoCommands(undoLevels_ > 0);
}

void TUndoObject::FreeAll() {
  for (TUndoSlot& slot : UndoSlots) slot.Free();
  RedoSlot.Free();
  pending_.clear();
  running_ = TScriptSnapshot{};
  CurrentSlot = 1;
}

void TUndoObject::ClearUndoData() {
  if (!UndoSuspended) FreeAll();
}

// Also while suspended: a script that goes leaves no step behind.
void TUndoObject::ForgetStepsOf(std::uint64_t owner) {
  for (TUndoSlot& slot : UndoSlots)
    if (slot.Owner() == owner) slot.Free();
  if (RedoSlot.Owner() == owner) RedoSlot.Free();
  std::erase_if(pending_, [owner](const TUndoSlot& step) { return step.Owner() == owner; });
  if (running_.Owner == owner) running_ = TScriptSnapshot{};
}

// Slots beyond a smaller ring must not keep steps, suspended or not.
void TUndoObject::SetMaxUndoLevels(Byte levels) {
  levels = std::min<Byte>(levels, UndoSlotCount);
  if (levels == undoLevels_) return;
  FreeAll();
  undoLevels_ = levels;
}

void TUndoObject::MenusDue() {
  if (UndoHooks.MenusDue) UndoHooks.MenusDue();
}

void TUndoObject::AdvanceCurrentSlot() { CurrentSlot = CurrentSlot >= undoLevels_ ? 1 : CurrentSlot + 1; }

int TUndoObject::NewestFilledSlot(std::optional<std::uint64_t> owner) const {
  int slot = CurrentSlot;
  for (int i = 0; i < undoLevels_; ++i) {
    slot = slot <= 1 ? undoLevels_ : slot - 1;
    const TUndoSlot& s = UndoSlots[static_cast<std::size_t>(slot)];
    if (s.Filled() && (!owner || s.Owner() == *owner)) return slot;
  }
  return 0;
}

bool TUndoObject::UndoIsAvailable() const {
  return !NoActiveDocument() && NewestFilledSlot(ActiveScript()->Identity) != 0;
}

bool TUndoObject::RedoIsAvailable() const {
  return !NoActiveDocument() && RedoSlot.Filled() && RedoSlot.Owner() == ActiveScript()->Identity;
}

TUndoSlot TUndoObject::StepOfNow(TMDIChild& w) {
  TakeState(w, running_);
  TUndoSlot step;
  step.State = running_;
  step.Kind = LastUndoKind;
  step.ElementsBefore = 1 + CountedElements(w.FirstElement, RunStart(w));
  step.ElementsAfter = 1 + CountedElements(RunEnd(w), w.LastElement);
  return step;
}

void TUndoObject::Commit(TUndoSlot step) {
  RedoSlot.Free();
  UndoSlots[CurrentSlot] = std::move(step);
  AdvanceCurrentSlot();
  MenusDue();
}

void TUndoObject::SaveData(bool, bool) {
  TMDIChild* w = ActiveScript();
  if (!w || !w->CurrentElement() || undoLevels_ == 0 || UndoSuspended) return;
  if (!inAction_) {
    Commit(StepOfNow(*w));
    return;
  }
  // One step an action: the script as the action found it, whatever the
  // action changed before it asked.
  // The step is of the kind the action asked for last: the kind a change
  // after it must be of to continue it.
  for (TUndoSlot& step : pending_)
    if (step.Owner() == w->Identity) {
      step.Kind = LastUndoKind;
      return;
    }
  TUndoSlot step = running_.Owner == w->Identity ? TUndoSlot{running_} : StepOfNow(*w);
  step.Kind = LastUndoKind;
  step.ElementsBefore = 1 + CountedElements(w->FirstElement, RunStart(*w));
  step.ElementsAfter = 1 + CountedElements(RunEnd(*w), w->LastElement);
  pending_.push_back(std::move(step));
}

void TUndoObject::ActionStarts() {
  inAction_ = undoLevels_ > 0 && !UndoSuspended;
  asked_ = restored_ = false;
  pending_.clear();
  if (!inAction_) return;
  if (TMDIChild* w = ActiveScript(); w && w->CurrentElement()) TakeState(*w, running_);
}

void TUndoObject::ActionEnds() {
  if (!inAction_) return;
  inAction_ = false;
  std::vector<TUndoSlot> steps = std::move(pending_);
  pending_.clear();
  for (TUndoSlot& step : steps) {
    TMDIChild* w = ScriptOf(step.Owner());
    if (!w || !ChangedForWriter(*w, step.State)) continue;
    step.Renamed = w->ScriptFileName != step.State.FileName;
    Commit(std::move(step));
  }
  if (asked_ || restored_ || UndoSuspended) return;
  // A change made without asking for its step still gets one, so that
  // nothing is undone with the step before it.
  TMDIChild* w = ScriptOf(running_.Owner);
  if (!w || !w->CurrentElement() || !ChangedForWriter(*w, running_)) return;
  TUndoSlot step{running_, ukWholeScript};
  step.ElementsBefore = step.ElementsAfter = 1;
  Commit(std::move(step));
  LastUndoKind = ukWholeScript;
}

bool TUndoObject::StepCoversCaret() const {
  const TMDIChild* w = ActiveScript();
  const int newest = NewestFilledSlot(std::nullopt);
  if (!w || !w->CurrentElement() || newest == 0) return false;
  const TUndoSlot& slot = UndoSlots[static_cast<std::size_t>(newest)];
  TScriptElement* start = nullptr;
  TScriptElement* end = nullptr;
  if (slot.Owner() != w->Identity || slot.Kind != LastUndoKind || !FindRun(*w, slot, start, end)) return false;
  const TRunAnchors anchors = AnchorsOf(*w);
  return RunHolds(start, end, anchors.first) && RunHolds(start, end, anchors.last);
}

void TUndoObject::GiveBack(TMDIChild& w, TUndoSlot& step, TUndoSlot& replaced) {
  replaced = StepOfNow(w);
  replaced.Renamed = step.Renamed;
  GiveStateBack(w, step.State);
  if (step.Renamed) w.SetScriptCaption(step.State.FileName);
  if (TBookmarkDlg* bookmarks = BookmarkDialog()) bookmarks->UpdateData();
  step.Free();
  restored_ = true;
  MenusDue();
  // The script now differs from what was saved, whichever way it went.
  SetDocumentModified(true, false);
  // The next change opens a step of its own, so the redo slot never
  // outlives a change it does not know about.
  LastUndoKind = ukWholeScript;
}

void TUndoObject::Undo() {
  if (NoActiveDocument()) return;
  TMDIChild& w = *ActiveScript();
  const int slot = NewestFilledSlot(w.Identity);
  if (slot == 0) {
    ShowNothingTo("Undo");
    return;
  }
  TUndoSlot replaced;
  GiveBack(w, UndoSlots[static_cast<std::size_t>(slot)], replaced);
  RedoSlot = std::move(replaced);
  undoneSlot_ = static_cast<Byte>(slot);
}

void TUndoObject::Redo() {
  if (NoActiveDocument()) return;
  if (!RedoIsAvailable()) {
    ShowNothingTo("Redo");
    return;
  }
  TUndoSlot replaced;
  GiveBack(*ActiveScript(), RedoSlot, replaced);
  // Back into the slot its Undo emptied, so that Undo and Redo leave the
  // ring holding as many steps as before.
  UndoSlots[undoneSlot_] = std::move(replaced);
}

TScriptElement* MarkPageChanged(TScriptElement* element) {
  TMDIChild* w = ActiveScript();
  if (!w || !element || !w->HeadersLocked) return element;
  TScriptElement* e = element;
  while (!IsPageBreakKind(e->Kind()) && e->prev) e = e->prev;
  const bool firstPage = !IsPageBreakKind(e->Kind());
  if (firstPage || e->Kind() != ekAutoPageBreak) UpdatePageHeader(*w, firstPage ? nullptr : e);
  return e;
}

}  // namespace qm
