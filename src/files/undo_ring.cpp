#include "files/undo_ring.h"

#include <algorithm>
#include <string>

#include "files/native_file.h"
#include "files/script_header.h"
#include "formats/page_headers.h"
#include "platform/menus.h"
#include "script/editing/document_modified.h"
#include "script/layout/editor_state.h"
#include "script/editing/revision_marks.h"
#include "script/editing/script_list_data.h"
#include "script/model/element_cursors.h"
#include "script/model/packed_text.h"
#include "script/layout/screen_rebuild.h"
#include "script/editing/script_hooks.h"
#include "script/script_window.h"
#include "script/layout/word_wrap.h"
#include "base/document_table.h"
#include "base/global_state.h"
#include "base/ini_file.h"
#include "base/message_boxes.h"
#include "base/program_options.h"
#include "script/editing/editor_calls.h"

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

void FreeChain(TScriptElement* first) {
  while (first) {
    TScriptElement* next = first->next;
    delete first;
    first = next;
  }
}

bool IsAutoBreak(const TScriptElement* e) { return e && e->Kind() == ekAutoPageBreak; }

// Split bytes of a break whose page ends inside an element or a speech:
// what follows the break is the rest of it.
bool BreakSplitsElement(Byte split) { return split >= 1 && split <= 32 && split % 3 != 0; }

// A cue that repagination repeated after a page break.
bool IsRepeatedCue(const TScriptElement* e) {
  return e->Kind() == ekCharacterName && e->split <= 32 && e->split % 3 == 2;
}

bool IsCueAfterAutoBreak(const TScriptElement* e) { return e && e->Kind() == ekCharacterName && IsAutoBreak(e->prev); }

// Non-pagination elements after `from` up to and including `to`.
std::int32_t CountedElements(const TScriptElement* from, const TScriptElement* to) {
  std::int32_t count = 0;
  for (const TScriptElement* e = from; e != to;) {
    e = e->next;
    if (!IsPaginationElement(e)) ++count;
  }
  return count;
}

// Elements that go with the automatic break before them; a run never
// starts on one, so that it is found again whatever repagination did.
bool LeansOnBreakBefore(const TScriptElement* e) {
  if (IsPaginationElement(e)) return true;
  const Byte kind = e->Kind();
  if ((kind == ekAction || kind == ekCharacterName) && IsAutoBreak(e->prev)) return true;
  return kind == ekDialogue && IsCueAfterAutoBreak(e->prev);
}

bool InBlock(const TMDIChild& w, const TScriptElement* e) { return w.BlockOn() && e && e->InBlock(); }

// The block, two elements more, and back over what leans on a page break.
TScriptElement* RunStart(const TMDIChild& w, bool wholeScript) {
  if (wholeScript) return w.FirstElement;
  TScriptElement* e = w.CurrentElement();
  while (InBlock(w, e) && e->prev) e = e->prev;
  for (int i = 0; i < 2 && e->prev; ++i) e = e->prev;
  while (e->prev && LeansOnBreakBefore(e)) e = e->prev;
  return e;
}

bool EndsRun(const TMDIChild& w, const TScriptElement* e) {
  if (InBlock(w, e) || InBlock(w, e->next) || IsAutoBreak(e)) return false;
  return !IsAutoBreak(e->prev) && !IsCueAfterAutoBreak(e->prev);
}

TScriptElement* RunEnd(const TMDIChild& w, bool wholeScript) {
  if (wholeScript) return w.LastElement;
  TScriptElement* e = w.CurrentElement();
  for (int i = 0; i < 2 && e->next; ++i) e = e->next;
  while (e->next && !EndsRun(w, e)) e = e->next;
  return e;
}

// A copy with its own text and line offsets, outside any block and group.
// The element being edited has its text in the edit buffer.
TScriptElement* CopyOf(const TMDIChild& w, const TScriptElement& e) {
  auto* copy = new TScriptElement(e);
  copy->next = copy->prev = nullptr;
  copy->group = nullptr;
  copy->blockStart = copy->blockEnd = -1;
  if (!e.text) {
    copy->text = HoldsPackedText(e.Kind()) ? PackText(w.EditBuffer()) : w.EditBuffer();
    WriteLineOffsetBlock(w.LineOffsets(), e.lineCount, copy->lineOffsets);
  }
  return copy;
}

TScriptElement* CopyRun(const TMDIChild& w, const TScriptElement* first, const TScriptElement* last,
                        TScriptElement*& currentCopy) {
  TScriptElement* head = nullptr;
  TScriptElement* tail = nullptr;
  for (const TScriptElement* e = first;; e = e->next) {
    TScriptElement* copy = CopyOf(w, *e);
    copy->prev = tail;
    if (tail) tail->next = copy;
    else head = copy;
    tail = copy;
    if (e == w.CurrentElement()) currentCopy = copy;
    if (e == last) break;
  }
  return head;
}

// Counts elements in from both ends as the save counted them. The run's
// end keeps any pagination elements before the first element after it,
// since they may be the rest of its last element.
bool FindRun(const TScriptDocument& w, const TUndoSlot& slot, TScriptElement*& start, TScriptElement*& end) {
  start = w.FirstElement;
  if (!start) return false;
  for (std::int32_t n = slot.ElementsBefore - 1; n > 0;) {
    start = start->next;
    if (!start) return false;
    if (!IsPaginationElement(start)) --n;
  }
  end = w.LastElement;
  for (std::int32_t n = slot.ElementsAfter - 1; n > 0;) {
    if (end == start) return false;
    if (!IsPaginationElement(end)) --n;
    end = end->prev;
  }
  return true;
}

bool RunHolds(const TScriptElement* start, const TScriptElement* end, const TScriptElement* e) {
  for (const TScriptElement* r = start;; r = r->next) {
    if (r == e) return true;
    if (r == end) return false;
  }
}

// Nothing of the window keeps pointing into a run taken out of the script.
void ForgetRun(TMDIChild& w, TScriptElement* start, const TScriptElement* end, TScriptElement* replacement) {
  for (TScriptElement* e = start;; e = e->next) {
    MoveElementCursors(e, replacement);
    if (w.LastPositionElement == e) w.LastPositionElement = nullptr;
    e->group = nullptr;
    e->blockStart = e->blockEnd = -1;
    if (e == end) break;
  }
}

void ShowNothingTo(const char* what) { ShowMessageBox(std::string("Nothing to ") + what, "Attention"); }

// The active script's settings into a slot, with the list entries beyond
// the header's room.
void TakeHeaderImage(TUndoSlot& slot) {
  slot.HeaderImage.assign(ScriptHeaderSize, 0);
  slot.HeaderSpill.clear();
  WriteScriptImage(slot.HeaderImage, 0, 0, true, &slot.HeaderSpill);
}

void GiveSettingsBack(TMDIChild& w, const TUndoSlot& slot) {
  if (!ReadScriptHeader(slot.HeaderImage, &slot.HeaderSpill)) return;
  // Fonts, user colours and lists may be other than they were.
  w.WidthsStale = true;
  UserListsChanged(w);
}

}  // namespace

bool IsPaginationElement(const TScriptElement* e) {
  if (IsAutoBreak(e)) return true;
  const TScriptElement* p = e->prev;
  if (IsAutoBreak(p) && BreakSplitsElement(p->split)) return true;
  return p && IsRepeatedCue(p) && IsAutoBreak(p->prev) && BreakSplitsElement(p->prev->split);
}

void TUndoSlot::Free() {
  HeaderImage.clear();
  HeaderSpill.clear();
  FreeChain(SavedRun);
  SavedRun = SavedCurrent = nullptr;
  ElementsBefore = ElementsAfter = 0;
  SavedCaretColumn = SavedCaretLine = 0;
}

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
}

TUndoObject::~TUndoObject() {
  FreeAll();
  if (UndoObject == this) UndoObject = nullptr;
  ScriptWindowHooks.UndoRecording = nullptr;
  ScriptWindowHooks.SaveUndoData = nullptr;
  ScriptWindowHooks.ClearUndoData = nullptr;
}

void TUndoObject::ShowMenuItems() {
  if (UndoHooks.ShowUndoCommands) UndoHooks.ShowUndoCommands(undoLevels_ > 0);
}

void TUndoObject::FreeAll() {
  for (TUndoSlot& slot : slots_) slot.Free();
  redo_.Free();
  currentSlot_ = 1;
}

void TUndoObject::ClearUndoData() {
  if (!UndoSuspended) FreeAll();
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

void TUndoObject::AdvanceCurrentSlot() { currentSlot_ = currentSlot_ >= undoLevels_ ? 1 : currentSlot_ + 1; }

int TUndoObject::NewestFilledSlot() const {
  int slot = currentSlot_;
  for (int i = 0; i < undoLevels_; ++i) {
    slot = slot <= 1 ? undoLevels_ : slot - 1;
    if (slots_[static_cast<std::size_t>(slot)].Filled()) return slot;
  }
  return 0;
}

bool TUndoObject::UndoIsAvailable() const { return !NoActiveDocument() && NewestFilledSlot() != 0; }

void TUndoObject::SaveData(bool wholeScript, bool withHeader) {
  TMDIChild* w = ActiveScript();
  if (!w || !w->CurrentElement() || undoLevels_ == 0 || UndoSuspended) return;
  redo_.Free();
  TUndoSlot& slot = slots_[currentSlot_];
  slot.Free();
  if (withHeader) TakeHeaderImage(slot);
  slot.SavedCaretColumn = w->CaretColumn();
  slot.SavedCaretLine = w->CaretLine();
  const TScriptElement* first = RunStart(*w, wholeScript);
  const TScriptElement* last = RunEnd(*w, wholeScript);
  slot.ElementsBefore = 1 + CountedElements(w->FirstElement, first);
  slot.ElementsAfter = 1 + CountedElements(last, w->LastElement);
  slot.SavedRun = CopyRun(*w, first, last, slot.SavedCurrent);
  AdvanceCurrentSlot();
  MenusDue();
}

void TUndoObject::Undo() {
  if (NoActiveDocument()) return;
  const int slot = NewestFilledSlot();
  if (slot == 0) {
    ShowNothingTo("Undo");
    return;
  }
  RestoreUndoSlot(slots_[static_cast<std::size_t>(slot)], redo_);
}

void TUndoObject::Redo() {
  if (NoActiveDocument()) return;
  if (!redo_.Filled()) {
    ShowNothingTo("Redo");
    return;
  }
  if (RestoreUndoSlot(redo_, slots_[currentSlot_])) AdvanceCurrentSlot();
}

bool TUndoObject::RestoreUndoSlot(TUndoSlot& source, TUndoSlot& target) {
  TMDIChild* w = ActiveScript();
  TScriptElement* start = nullptr;
  TScriptElement* end = nullptr;
  if (!w || !source.Filled() || !FindRun(*w, source, start, end)) {
    ShowNothingTo("Undo");
    return false;
  }
  MenusDue();
  w->Assemble();
  target.Free();

  // What stands in the script now becomes the other side of the swap. Its
  // caret stays inside it, so that swapping back never points at an
  // element repagination may since have joined away.
  const bool currentInRun = RunHolds(start, end, w->CurrentElement());
  target.SavedCurrent = currentInRun ? w->CurrentElement() : start;
  target.SavedCaretColumn = currentInRun ? w->CaretColumn() : Word{0};
  target.SavedCaretLine = currentInRun ? w->CaretLine() : Word{1};
  target.ElementsBefore = source.ElementsBefore;
  target.ElementsAfter = source.ElementsAfter;
  const bool withSettings = !source.HeaderImage.empty();
  if (withSettings) {
    TakeHeaderImage(target);
    GiveSettingsBack(*w, source);
  }

  TScriptElement* before = start->prev;
  TScriptElement* after = end->next;
  TElementGroup* group = start->group;
  TScriptElement* first = source.SavedRun;
  ForgetRun(*w, start, end, first);
  start->prev = end->next = nullptr;
  target.SavedRun = start;

  TScriptElement* last = first;
  for (; last->next; last = last->next) last->group = group;
  last->group = group;
  first->prev = before;
  if (before) before->next = first;
  else w->FirstElement = first;
  last->next = after;
  if (after) after->prev = last;
  else w->LastElement = last;

  editor::SetCurrentElement(*w, source.SavedCurrent);
  w->CurrentGroup = group;
  editor::SetCaret(*w, source.SavedCaretColumn, source.SavedCaretLine);
  source.SavedRun = source.SavedCurrent = nullptr;
  w->DisAssemble();
  // The run's names carry the marks of the script they were saved from,
  // the names next to it those of the script it left.
  editor::UpdateContinuedCuesOfRun(*w, *first, *last);
  w->RebuildElementGroups();
  ResetScreenLines(*w);
  RebuildScreen(w);
  w->StartPaginateTimer(1);
  // The script now differs from what was saved, whichever way it went.
  SetDocumentModified(true, false);
  // The next change opens a step of its own, so the redo slot never
  // outlives a change it does not know about.
  LastUndoKind = ukWholeScript;
  // Settings given back hold the page's revised flag as it was; worked out
  // again from the caret's page it could differ.
  if (!withSettings) UpdatePageRevisedState(*w);
  return true;
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

void MarkEditRevised(TScriptElement* element) {
  TMDIChild* w = ActiveScript();
  if (!w || !w->RevisionMarking) return;
  MarkRevisedLine(*w, true);
  MarkPageChanged(element);
}

}  // namespace qm
