#include "script/pagination/element_groups.h"

#include <algorithm>

#include "script/pagination/numbering.h"
#include "script/model/packed_text.h"
#include "script/pagination/repagination.h"
#include "script/model/element_cursors.h"
#include "script/model/element_kinds.h"
#include "script/script_window.h"
#include "script/model/edit_line_writer.h"

namespace qm {

namespace {

// Moves the elements from `start` on that belong to `from` into `to`.
void MoveRun(TElementGroup* from, TElementGroup* to, TScriptElement* start) {
  for (TScriptElement* e = start; e && (e->group == from || e == start); e = e->next) e->group = to;
  from->count = GroupRunLength(from);
  to->count = GroupRunLength(to);
  from->stale = to->stale = 1;
}

}  // namespace

bool IsHeadingOrShot(Byte kind) { return IsSceneHeading(kind) || kind == ekShot; }

// Counts are recomputed from the run rather than trusted.
Word GroupRunLength(const TElementGroup* group) {
  Word count = 0;
  for (const TScriptElement* e = group->first; e && e->group == group; e = e->next) ++count;
  return count;
}

void ForgetScreenLinesOf(TMDIChild& window, const TScriptElement* element) {
  bool inRun = false;
  for (int i = 1; i <= ScreenLineCount; ++i) {
    TScreenLine& line = window.ScreenLines[static_cast<size_t>(i)];
    const bool shows =
        element ? line.element == element : line.element != nullptr && line.element->Kind() == ekAutoPageBreak;
    if (!shows) {
      if (inRun && element) return;
      continue;
    }
    inRun = true;
    line.element = nullptr;
    line.repaint = 1;
    line.stale = 1;
  }
}

namespace {

// Printed heights of groups, with the script's percentages and the
// printer's resolution taken once.
class GroupHeights {
 public:
  explicit GroupHeights(const TMDIChild& window)
      : w_(window),
        dpi_(PrinterMetrics.DpiY),
        text_(TextPercent(window)),
        blank_(window.BlankSpacing),
        notes_(window.PrintScriptNotes != 0) {}

  std::int32_t Of(const TElementGroup* g) const {
    std::int32_t sum = 0;
    const TScriptElement* e = g->first;
    for (Word i = 0; e && i < g->count; ++i, e = e->next) {
      if ((e->Kind() == ekScriptNote && !notes_) || w_.IsUnprintedElement(e)) continue;
      const int unit = e->format.FontSize * dpi_ / 72;
      sum += unit * blank_ / 100 * e->format.LinesBefore / 10;
      if (e->Kind() == ekCharacterName && w_.IsSuppressedCue(e)) continue;
      const int line = unit * text_ / 100;
      sum += line + e->format.Spacing * line * (e->lineCount - 1) / 10;
    }
    return sum;
  }

 private:
  const TMDIChild& w_;
  int dpi_, text_, blank_;
  bool notes_;
};

}  // namespace

void TMDIChild::RebuildElementGroups(TLayoutPass* pass) {
  if (!CurrentElement() || !FirstElement) return;
  Word pageCounter = 1;
  Word speechCounter = 1;
  Byte letterCounter = 0;
  const auto nextLetter = [&] { letterCounter = letterCounter == 0 ? 'A' : static_cast<Byte>(letterCounter + 1); };

  if (IsPageBreakKind(FirstElement->Kind())) {
    TScriptElement* lead = NewElementRecord(*this);
    lead->format = FormatSet[fsAction];
    lead->text = PackText(" ");
    InsertElementAfter(nullptr, lead);
  }
  // The chain is reused from its head; a script without one gets its first
  // group now.
  TElementGroup* g = FirstElement->group ? FirstElement->group : LastGroup;
  while (g && g->prev) g = g->prev;
  if (!g) g = NewGroupRecord();

  // Each group is measured and numbered as soon as it is complete, while
  // its elements are at hand.
  ReadPrinterMetrics(nullptr);
  const GroupHeights heights(*this);
  const bool numbering = !InteractiveScript && !ScreenUpdatesSuspended();
  TSceneNumbering numbers(*this);
  if (pass) pass->autoBreaks.clear();

  TScriptElement* e = FirstElement;
  for (;;) {
    TScriptElement* const first = e;
    Word count = 1;
    Word number = 0;
    Byte letter = 0;
    // Elements and groups are written only where they change, so that a
    // rebuild of an unchanged script reads the list without dirtying it.
    SetIfChanged(e->group, g);
    SetIfChanged(g->first, first);
    const auto absorb = [&](auto joins) {
      while (e->next && joins(e->next)) {
        e = e->next;
        SetIfChanged(e->group, g);
        ++count;
        if (e->Kind() == ekAction && !IsHiddenFromLists(*e)) break;
      }
    };
    switch (e->Kind()) {
      case ekSceneHeading:
      case ekShot:
      case ekASceneHeading:
      case ekDashASceneHeading:
        absorb([](const TScriptElement* n) { return n->Kind() == ekAction || IsHiddenFromLists(*n); });
        break;
      case ekCharacterName:
        number = speechCounter++;
        absorb([](const TScriptElement* n) { return IsDialogueOrParenthetical(n->Kind()) || IsHiddenFromLists(*n); });
        break;
      case ekAutoPageBreak:
        if (pass) pass->autoBreaks.push_back(e);
        if (PagesMultiLocked && NextLockedBreakIsAPage(g)) {
          number = pageCounter;
          letter = StoredLetter(letterCounter);
        } else if (PagesLocked || PagesMultiLocked) {
          nextLetter();
          number = pageCounter;
          letter = letterCounter;
        } else {
          number = ++pageCounter;
          letter = ' ';
          letterCounter = 0;
        }
        break;
      case ekForcedPageBreak:
      case ekLockedPageBreak:
        number = ++pageCounter;
        letter = ' ';
        letterCounter = 0;
        break;
      case ekMultiLockedPageBreak:
      case ekFixedAPageBreak:
        nextLetter();
        number = pageCounter;
        letter = letterCounter;
        break;
      default: break;
    }
    SetIfChanged(g->count, count);
    SetIfChanged(g->number, number);
    SetIfChanged(g->letter, letter);
    SetIfChanged(g->height, heights.Of(g));
    SetIfChanged(g->stale, Byte{0});
    if (numbering) numbers.Visit(g);
    if (!e->next) break;
    e = e->next;
    if (!g->next) {
      TElementGroup* added = NewGroupRecord();
      added->prev = g;
      g->next = added;
    }
    g = g->next;
  }
  if (e->state == esHidden) e->state = e->Kind() == ekScriptNote ? esNormal : esShownHidden;

  // Records beyond the last group in use are freed.
  for (TElementGroup* s = g->next; s;) {
    TElementGroup* after = s->next;
    delete s;
    s = after;
  }
  g->next = nullptr;
  LastGroup = g;
  CurrentGroup = CurrentElement()->group;
  if (!numbering) {
    RenumberScenes(RenumberDue != 0);
    return;
  }
  const bool repaint = RenumberDue != 0;
  RenumberDue = 0;
  if (repaint) MarkSceneHeadingsForRepaint(*this);
}

std::int32_t TMDIChild::MeasureLineRun(TElementGroup* group) {
  if (!group) return 0;
  if (group->height > 0 && !group->stale && !(group->first && IsSuppressedCue(group->first))) return group->height;
  group->stale = 0;
  group->height = GroupHeights(*this).Of(group);
  return group->height;
}

void TMDIChild::LinkNewGroup(TScriptElement* first, TElementGroup* successor) {
  TElementGroup* g = NewGroupRecord();
  g->prev = CurrentGroup;
  g->next = successor;
  if (CurrentGroup) {
    CurrentGroup->next = g;
    g->number = CurrentGroup->number;
    g->letter = CurrentGroup->letter;
  }
  if (successor) successor->prev = g;
  else LastGroup = g;
  g->first = first;
  if (first) first->group = g;
  g->count = 1;
  g->stale = 1;
  CurrentGroup = g;
}

void TMDIChild::InsertGroupBefore(TScriptElement* first) {
  TElementGroup* successor = CurrentGroup;
  CurrentGroup = CurrentGroup ? CurrentGroup->prev : nullptr;
  LinkNewGroup(first, successor);
}

void TMDIChild::InsertGroupAfter(TScriptElement* first) {
  LinkNewGroup(first, CurrentGroup ? CurrentGroup->next : nullptr);
}

void TMDIChild::DeleteNextGroup() {
  if (!CurrentGroup || !CurrentGroup->next) return;
  TElementGroup* gone = CurrentGroup->next;
  CurrentGroup->next = gone->next;
  if (gone->next) gone->next->prev = CurrentGroup;
  else LastGroup = CurrentGroup;
  delete gone;
}

void TMDIChild::DeleteNextElement(TScriptElement* at, TLayoutPass* pass) {
  if (!at || !at->next) return;
  TScriptElement* gone = at->next;
  if (gone == CurrentElement()) {
    EditFields(*this).CurrentElement = at;
    if (pass) pass->savedEditText.reset();
  }
  if (!pass || pass->MayBeShown(gone)) ForgetScreenLinesOf(*this, gone);
  // A piece joined back, or a page break taken out: what pointed at it
  // goes on at the element it joined.
  MoveElementCursors(gone, at);
  at->next = gone->next;
  if (gone->next) gone->next->prev = at;
  else LastElement = at;
  // Its group never keeps pointing at it.
  if (TElementGroup* g = gone->group) {
    if (g->first == gone) g->first = gone->next && gone->next->group == g ? gone->next : nullptr;
    g->count = g->first ? GroupRunLength(g) : 0;
    g->stale = 1;
  }
  delete gone;
}

void TMDIChild::SplitGroupAt(TScriptElement* at) {
  TElementGroup* from = CurrentGroup;
  InsertGroupAfter(at);
  if (from) MoveRun(from, CurrentGroup, at);
}

void TMDIChild::RegroupAfterNewElement() {
  TScriptElement* added = CurrentElement();
  if (!added) return;
  TScriptElement* before = added->prev;
  TElementGroup* g = before ? before->group : nullptr;
  added->group = nullptr;
  if (g && IsDialogueOrParenthetical(added->Kind())) {
    added->group = g;
    g->count = GroupRunLength(g);
    g->stale = 1;
    CurrentGroup = g;
    return;
  }
  CurrentGroup = g;
  if (g) InsertGroupAfter(added);
  else LinkNewGroup(added, added->next ? added->next->group : (FirstElement == added ? nullptr : LastGroup));
  TElementGroup* own = CurrentGroup;
  if (g) {
    g->count = GroupRunLength(g);
    g->stale = 1;
    // The elements of the old group after the new one become a group of
    // their own until the next rebuild sorts them.
    if (added->next && added->next->group == g) {
      SplitGroupAt(added->next);
      LayoutDue |= 1;
    }
  }
  if (IsSceneHeading(added->Kind())) RenumberScenes(false);
  CurrentGroup = own;
}

}  // namespace qm
