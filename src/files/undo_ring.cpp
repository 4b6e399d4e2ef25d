#include "files/undo_ring.h"

#include <algorithm>
#include <optional>
#include <string>

#include "files/native_file.h"
#include "files/script_header.h"
#include "formats/page_headers.h"
#include "platform/menus.h"
#include "script/editing/document_modified.h"
#include "script/layout/editor_state.h"
#include "script/editing/revision_marks.h"
#include "script/editing/script_list_data.h"
#include "script/model/cue_codes.h"
#include "script/pagination/element_groups.h"
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

// The name an automatic break repeated: it goes with the break.
bool IsRepeatedCue(const TScriptElement* e) { return e && IsAutoBreak(e->prev) && IsRepeatedByBreak(*e); }

// The rest of an element a break cut: after the break (and the name it
// repeats), of the kind of the piece before the break.
bool IsSecondPiece(const TScriptElement* e) {
  const TScriptElement* b = IsRepeatedCue(e->prev) ? e->prev->prev : e->prev;
  return IsAutoBreak(b) && b->split == spFirstPiece && !IsRepeatedCue(e) && b->prev && b->prev->Kind() == e->Kind();
}

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

// Elements that go with the automatic break before them; a run never
// starts on one, so that it is found again whatever repagination did.
bool LeansOnBreakBefore(const TScriptElement* e) {
  if (IsPaginationElement(e)) return true;
  const Byte kind = e->Kind();
  if ((kind == ekAction || kind == ekCharacterName) && IsAutoBreak(e->prev)) return true;
  return kind == ekDialogue && IsCueAfterAutoBreak(e->prev);
}

// What Undo checks of the script outside a run, as the writer made it:
// each element's kind, its text (the pieces of one a break cut as one) and
// a name's extension. Pagination and the marks of names do not count.
class TScriptHash {
 public:
  void Add(const TScriptDocument& w, const TScriptElement& first) {
    Mix(first.Kind());
    if (first.Kind() == ekCharacterName) Mix(NormalCueCode(first.split) / 3);
    Mix(LiveElementText(w, first));
    for (const TScriptElement* e = first.next; e && IsPaginationElement(e); e = e->next)
      if (IsSecondPiece(e)) Mix(LiveElementText(w, *e));
    Mix(0x100);
  }
  std::uint64_t Value() const { return h_; }

 private:
  void Mix(std::uint64_t v) { h_ = (h_ ^ v) * 1099511628211ull; }
  void Mix(const std::string& text) {
    for (char c : text) Mix(static_cast<Byte>(c));
  }
  std::uint64_t h_ = 1469598103934665603ull;
};

// The elements before `start`, and those after `end`.
std::uint64_t HashBefore(const TScriptDocument& w, const TScriptElement* start) {
  TScriptHash hash;
  for (const TScriptElement* e = w.FirstElement; e && e != start; e = e->next)
    if (!IsPaginationElement(e)) hash.Add(w, *e);
  return hash.Value();
}
std::uint64_t HashAfter(const TScriptDocument& w, const TScriptElement* end) {
  TScriptHash hash;
  for (const TScriptElement* e = end->next; e; e = e->next)
    if (!IsPaginationElement(e)) hash.Add(w, *e);
  return hash.Value();
}

bool InBlock(const TMDIChild& w, const TScriptElement* e) { return w.BlockOn() && e && e->InBlock(); }

// The block, two elements more, and back over what leans on a page break.
// The first and last elements a step must hold: the current element and,
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

TScriptElement* RunStart(const TMDIChild& w, bool wholeScript) {
  if (wholeScript) return w.FirstElement;
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

TScriptElement* RunEnd(const TMDIChild& w, bool wholeScript) {
  if (wholeScript) return w.LastElement;
  TScriptElement* e = AnchorsOf(w).last;
  for (int i = 0; i < 2 && e->next; ++i) e = e->next;
  while (e->next && !EndsRun(w, e)) e = e->next;
  return e;
}

// The edit line's text and line offsets as the element's own, untouched:
// what a step keeps is what the writer had, trailing blanks and all.
void TakeEditLine(const TMDIChild& w, TScriptElement& e) {
  // An empty line is kept as a blank, as every stored element is.
  const std::string& line = w.EditBuffer().empty() ? std::string(" ") : w.EditBuffer();
  e.text = HoldsPackedText(e.Kind()) ? PackText(line) : line;
  WriteLineOffsetBlock(w.LineOffsets(), e.lineCount, e.lineOffsets);
}

// A copy with its own text and line offsets, outside any block and group.
// The element being edited has its text in the edit buffer.
TScriptElement* CopyOf(const TMDIChild& w, const TScriptElement& e) {
  auto* copy = new TScriptElement(e);
  copy->next = copy->prev = nullptr;
  copy->group = nullptr;
  copy->blockStart = copy->blockEnd = -1;
  if (!e.text) TakeEditLine(w, *copy);
  return copy;
}

// A heading that opens a page has the lines before the break gave it.
// Where a step parts it from that break (a run that starts with it, or
// the run before it taken out with the break), it keeps its own, as
// rejoining the break would give it back.
void Unbreak(const TMDIChild& w, TScriptElement& first, const TScriptElement* before) {
  if (IsAutoBreak(before) && IsHeadingOrShot(first.Kind()))
    first.format.LinesBefore = w.FormatSet[static_cast<std::size_t>(FormatSlotOfKind(first.Kind()))].LinesBefore;
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

// Counts the writer's elements in from both ends as the save counted them:
// the run is every record of those elements, whatever breaks repagination
// has put in or taken out since.
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

// Found where the save left it, with everything around it as it was.
bool FindRunExactly(const TScriptDocument& w, const TUndoSlot& slot, TScriptElement*& start, TScriptElement*& end) {
  return FindRun(w, slot, start, end) && HashBefore(w, start) == slot.Before && HashAfter(w, end) == slot.After;
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

bool IsPaginationElement(const TScriptElement* e) { return IsAutoBreak(e) || IsRepeatedCue(e) || IsSecondPiece(e); }

void TUndoSlot::Free() {
  HeaderImage.clear();
  HeaderSpill.clear();
  FreeChain(SavedRun);
  SavedRun = SavedCurrent = nullptr;
  ElementsBefore = ElementsAfter = 0;
  Owner = Before = After = 0;
  SavedCaretColumn = SavedCaretLine = 0;
  SavedFirstPageRevised = 0;
  SavedNameTyped = false;
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
  ScriptWindowHooks.ForgetUndoSteps = [this](const TMDIChild& w) { ForgetStepsOf(w.Identity); };
  ScriptWindowHooks.UndoStepCoversCaret = [this] { return StepCoversCaret(); };
  ScriptWindowHooks.CoverInUndoStep = [this](TMDIChild& w, TScriptElement& e) { Cover(w, e); };
}

TUndoObject::~TUndoObject() {
  FreeAll();
  if (UndoObject == this) UndoObject = nullptr;
  ScriptWindowHooks.UndoRecording = nullptr;
  ScriptWindowHooks.SaveUndoData = nullptr;
  ScriptWindowHooks.ClearUndoData = nullptr;
  ScriptWindowHooks.ForgetUndoSteps = nullptr;
  ScriptWindowHooks.UndoStepCoversCaret = nullptr;
  ScriptWindowHooks.CoverInUndoStep = nullptr;
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

// Also while suspended: a script that goes leaves no step behind.
void TUndoObject::ForgetStepsOf(std::uint64_t owner) {
  for (TUndoSlot& slot : slots_)
    if (slot.Owner == owner) slot.Free();
  if (redo_.Owner == owner) redo_.Free();
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

int TUndoObject::NewestFilledSlot(std::optional<std::uint64_t> owner) const {
  int slot = currentSlot_;
  for (int i = 0; i < undoLevels_; ++i) {
    slot = slot <= 1 ? undoLevels_ : slot - 1;
    const TUndoSlot& s = slots_[static_cast<std::size_t>(slot)];
    if (s.Filled() && (!owner || s.Owner == *owner)) return slot;
  }
  return 0;
}

bool TUndoObject::UndoIsAvailable() const {
  return !NoActiveDocument() && NewestFilledSlot(ActiveScript()->Identity) != 0;
}

bool TUndoObject::RedoIsAvailable() const {
  return !NoActiveDocument() && redo_.Filled() && redo_.Owner == ActiveScript()->Identity;
}

void TUndoObject::SaveData(bool wholeScript, bool withHeader) {
  TMDIChild* w = ActiveScript();
  if (!w || !w->CurrentElement() || undoLevels_ == 0 || UndoSuspended) return;
  redo_.Free();
  TUndoSlot& slot = slots_[currentSlot_];
  slot.Free();
  if (withHeader) TakeHeaderImage(slot);
  slot.SavedCaretColumn = w->CaretColumn();
  slot.SavedCaretLine = w->CaretLine();
  slot.SavedFirstPageRevised = w->FirstPageRevised;
  slot.SavedNameTyped = editor::NameBeingTyped(*w);
  const TScriptElement* first = RunStart(*w, wholeScript);
  const TScriptElement* last = RunEnd(*w, wholeScript);
  slot.Owner = w->Identity;
  slot.ElementsBefore = 1 + CountedElements(w->FirstElement, first);
  slot.ElementsAfter = 1 + CountedElements(last, w->LastElement);
  slot.Before = HashBefore(*w, first);
  slot.After = HashAfter(*w, last);
  slot.SavedRun = CopyRun(*w, first, last, slot.SavedCurrent);
  Unbreak(*w, *slot.SavedRun, first->prev);
  AdvanceCurrentSlot();
  MenusDue();
}

bool TUndoObject::StepCoversCaret() const {
  const TMDIChild* w = ActiveScript();
  const int newest = NewestFilledSlot(std::nullopt);
  if (!w || !w->CurrentElement() || newest == 0) return false;
  const TUndoSlot& slot = slots_[static_cast<std::size_t>(newest)];
  TScriptElement* start = nullptr;
  TScriptElement* end = nullptr;
  if (slot.Owner != w->Identity || !FindRun(*w, slot, start, end)) return false;
  const TRunAnchors anchors = AnchorsOf(*w);
  return RunHolds(start, end, anchors.first) && RunHolds(start, end, anchors.last);
}

void TUndoObject::Cover(TMDIChild& w, TScriptElement& element) {
  const int newest = NewestFilledSlot(w.Identity);
  if (newest == 0) return;
  TUndoSlot& slot = slots_[static_cast<std::size_t>(newest)];
  TScriptElement* start = nullptr;
  TScriptElement* end = nullptr;
  if (!FindRun(w, slot, start, end) || RunHolds(start, end, &element)) return;
  TScriptElement* unused = nullptr;
  if (RunHolds(w.FirstElement, start, &element)) {
    TScriptElement* from = FirstPieceOf(&element);
    TScriptElement* copies = CopyRun(w, from, start->prev, unused);
    Unbreak(w, *copies, from->prev);
    TScriptElement* tail = copies;
    while (tail->next) tail = tail->next;
    tail->next = slot.SavedRun;
    slot.SavedRun->prev = tail;
    slot.SavedRun = copies;
    slot.ElementsBefore = 1 + CountedElements(w.FirstElement, from);
    slot.Before = HashBefore(w, from);
    return;
  }
  TScriptElement* to = LastPieceOf(&element);
  TScriptElement* copies = CopyRun(w, end->next, to, unused);
  TScriptElement* tail = slot.SavedRun;
  while (tail->next) tail = tail->next;
  tail->next = copies;
  copies->prev = tail;
  slot.ElementsAfter = 1 + CountedElements(to, w.LastElement);
  slot.After = HashAfter(w, to);
}

void TUndoObject::Undo() {
  if (NoActiveDocument()) return;
  const int slot = NewestFilledSlot(ActiveScript()->Identity);
  if (slot == 0) {
    ShowNothingTo("Undo");
    return;
  }
  RestoreUndoSlot(slots_[static_cast<std::size_t>(slot)], redo_);
}

void TUndoObject::Redo() {
  if (NoActiveDocument()) return;
  if (!RedoIsAvailable()) {
    ShowNothingTo("Redo");
    return;
  }
  if (RestoreUndoSlot(redo_, slots_[currentSlot_])) AdvanceCurrentSlot();
}

bool TUndoObject::RestoreUndoSlot(TUndoSlot& source, TUndoSlot& target) {
  TMDIChild* w = ActiveScript();
  TScriptElement* start = nullptr;
  TScriptElement* end = nullptr;
  // A run not found exactly as the save left it is never swapped in
  // approximately: the slot keeps it.
  if (!w || !source.Filled() || source.Owner != w->Identity || !FindRunExactly(*w, source, start, end)) {
    ShowNothingTo("Undo");
    return false;
  }
  MenusDue();
  const bool typing = editor::NameBeingTyped(*w);
  if (TScriptElement* edited = w->CurrentElement(); edited && !edited->text) TakeEditLine(*w, *edited);
  target.Free();

  // What stands in the script now becomes the other side of the swap. Its
  // caret stays inside it, so that swapping back never points at an
  // element repagination may since have joined away.
  const bool currentInRun = RunHolds(start, end, w->CurrentElement());
  target.SavedCurrent = currentInRun ? w->CurrentElement() : start;
  target.SavedCaretColumn = currentInRun ? w->CaretColumn() : Word{0};
  target.SavedCaretLine = currentInRun ? w->CaretLine() : Word{1};
  target.SavedFirstPageRevised = w->FirstPageRevised;
  target.SavedNameTyped = typing;
  target.Owner = source.Owner;
  target.ElementsBefore = source.ElementsBefore;
  target.ElementsAfter = source.ElementsAfter;
  target.Before = source.Before;
  target.After = source.After;
  const bool withSettings = !source.HeaderImage.empty();
  if (withSettings) {
    TakeHeaderImage(target);
    GiveSettingsBack(*w, source);
  }

  TScriptElement* before = start->prev;
  TScriptElement* after = end->next;
  Unbreak(*w, *start, before);
  if (after) Unbreak(*w, *after, end);
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

  // Laid out again as the script now stands, as a fresh layout would.
  TWrapPass pass(*w);
  for (TScriptElement* e = first;; e = e->next) {
    if (!IsPageBreakKind(e->Kind())) pass.Wrap(*e, ElementText(*e));
    if (e == last) break;
  }
  editor::SetCurrentElement(*w, source.SavedCurrent);
  w->CurrentGroup = group;
  editor::SetCaret(*w, source.SavedCaretColumn, source.SavedCaretLine);
  w->FirstPageRevised = source.SavedFirstPageRevised;
  source.SavedRun = source.SavedCurrent = nullptr;
  w->DisAssemble();
  // The marks come back as they were: nothing the step did not change is
  // marked again.
  editor::SettleContinuedCues(*w, source.SavedNameTyped);
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
