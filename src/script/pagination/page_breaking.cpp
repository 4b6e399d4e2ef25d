#include "base/program_options.h"
#include "script/pagination/page_breaking.h"

#include <algorithm>

#include "script/layout/screen_lines.h"
#include "script/pagination/element_groups.h"
#include "script/model/packed_text.h"
#include "script/pagination/repagination.h"
#include "script/script_window.h"
#include "base/message_boxes.h"
#include "base/program_options.h"
#include "script/model/standard_formats.h"

namespace qm {

namespace {

// What a page end is pulled back over: headings and information that
// belong with what follows them.
bool HoldsOnToNext(Byte kind) {
  switch (kind) {
    case ekSceneHeading:
    case ekShot:
    case ekASceneHeading:
    case ekActInformation:
    case ekSceneInformation:
    case ekActStart:
    case ekDashASceneHeading:
    case ekLockedSceneInformation: return true;
    default: return false;
  }
}

bool IsInformation(Byte kind) {
  return kind == ekActInformation || kind == ekSceneInformation || kind == ekActStart || kind == ekPrologueText ||
         kind == ekLockedSceneInformation;
}

bool KeepsWithNext(const TScriptElement* e) {
  return e->state == esKeepFollowing || (e->group && e->group->first && e->group->first->state == esKeepFollowing);
}

}  // namespace

int TPageBreaker::Height(TElementGroup* g) { return w_.MeasureLineRun(g); }

int TPageBreaker::Lt(const TScriptElement* e) const { return std::max(1, TextLineHeight(w_, e->format)); }

void TPageBreaker::Run() {
  TMDIChild& w = w_;
  w.Assemble();
  usable_ = w.ComputeUsablePageHeight();
  pageCounter_ = 1;
  letterCounter_ = 0;
  savedCue_ = {};
  splitMade_ = speechSplit_ = false;
  TElementGroup* g = w.FirstElement ? w.FirstElement->group : nullptr;
  while (g && g->next && g->first && g->first->Kind() <= ekFixedAPageBreak) {
    while (g && g->first && SkippedAtPageStart(g)) {
      if (IsPageBreakKind(g->first->Kind())) NumberFoundBreak(g);
      g = g->next;
    }
    if (!g || !g->first) break;
    g = FillPage(g);
  }
  // A break takes the lines its banner shows on screen, whether the screen
  // lays it now or later: a pass leaves what laying the screen would.
  CountPageBreakLines(w);
  w.CurrentGroup = w.CurrentElement() ? w.CurrentElement()->group : nullptr;
  w.DisAssemble();
  w.LayoutDue = 0;
  NoteScriptShapeChange();
}

bool TPageBreaker::TakesNoRoom(const TElementGroup* g) const {
  const TScriptElement* e = g->first;
  return (e->Kind() == ekScriptNote && !w_.PrintScriptNotes) || w_.IsUnprintedElement(e);
}

bool TPageBreaker::SkippedAtPageStart(const TElementGroup* g) const {
  return IsPageBreakKind(g->first->Kind()) || TakesNoRoom(g);
}

bool TPageBreaker::OpensThisPage(const TElementGroup* breakGroup) const {
  if (breakGroup == pageStart_) return true;
  for (const TElementGroup* g = breakGroup ? breakGroup->next : nullptr; g; g = g->next) {
    if (g == pageStart_) return true;
    if (!g->first || !SkippedAtPageStart(g)) return false;
  }
  return false;
}

int TPageBreaker::StartUsed(const TElementGroup* g) const {
  const TElementGroup* before = g->prev;
  while (before && before->first && TakesNoRoom(before)) before = before->prev;
  const bool afterForced = before && before->first && before->first->Kind() == ekForcedPageBreak;
  const int lh = std::max(1, w_.PrinterLineHeight);
  int used = !before || afterForced ? w_.FirstPageLine * lh : 0;
  // The room kept for the top CONTINUED line is given back where nothing
  // continues onto the page.
  if (w_.TopSceneContinued &&
      ((w_.ScenesOnTopContinuedLine && StartsScene(g->first->Kind())) || (w_.FirstPageLine == 0 && afterForced)))
    used -= 2 * lh;
  return used;
}

int TPageBreaker::MeasureBreakGroup(TElementGroup* g, int used, bool firstOfPage) {
  TScriptElement* e = g->first;
  int height = 0;
  const bool levelled = firstOfPage && e &&
                        (e->format.LinesBefore < 10 || (e->format.LinesBefore > 10 && g->prev && g->prev->first &&
                                                        g->prev->first->Kind() != ekForcedPageBreak));
  if (levelled) {
    // One line before whatever opens a page.
    const Byte own = e->format.LinesBefore;
    e->format.LinesBefore = 10;
    g->stale = 1;
    height = Height(g);
    e->format.LinesBefore = own;
    g->stale = 1;
  } else {
    height = Height(g);
  }
  const auto column = [](const TElementGroup* x) { return x && x->first ? x->first->avColumn : Byte{0}; };
  if (column(g) == 1) {
    // A column-1 run and the column-2 run beside it take the room of the
    // taller one, counted at the head of the run.
    if (column(g->prev) == 1) return used;
    int left = height, right = 0;
    TElementGroup* x = g->next;
    for (; column(x) == 1; x = x->next) left += Height(x);
    for (; column(x) == 2; x = x->next) right += Height(x);
    return used + std::max(left, right);
  }
  if (column(g) == 2) {
    const TElementGroup* x = g->prev;
    while (column(x) == 2) x = x->prev;
    if (column(x) == 1) return used;
  }
  return used + height;
}

NextPage TPageBreaker::FillPage(TElementGroup* g) {
  pageStart_ = g;
  int used = StartUsed(g);
  int total = MeasureBreakGroup(g, used, true);
  for (;;) {
    TScriptElement* e = g->first;
    if (!e || e->Kind() > ekFixedAPageBreak) return nullptr;
    if (total > usable_ && !TakesNoRoom(g)) return DoesNotFit(g, used);
    if (w_.InteractiveScript && ProgramOptions().EachJumpPositionOnNewPage && g != pageStart_ &&
        e->Kind() == ekSceneHeading && e->prev && !IsPageBreakKind(e->prev->Kind()))
      return EndPageBefore(e);
    if (!TakesNoRoom(g)) used = total;
    if (!g->next) return nullptr;
    g = g->next;
    if (g->first && IsPageBreakKind(g->first->Kind())) {
      NumberFoundBreak(g);
      return g->next;
    }
    total = MeasureBreakGroup(g, used, false);
  }
}

NextPage TPageBreaker::DoesNotFit(TElementGroup* g, int used) {
  TScriptElement* e = g->first;
  if (e->avColumn == 1 || e->avColumn == 2) return EndPageBefore(e);
  if (e->Kind() == ekTransition) {
    const TElementGroup* next = g->next;
    const auto opensScene = [](const TElementGroup* x) { return x && x->first && StartsScene(x->first->Kind()); };
    if (w_.BottomSceneContinued && w_.TransitionOnContinuedLine && next &&
        (opensScene(next) || (next->first && IsHardPageBreakKind(next->first->Kind()) && opensScene(next->next))))
      return EndPageBefore(next->first);
    if (!w_.TransitionOnFirstLine && g != pageStart_ && g->prev && g->prev->first) {
      used = used + Height(g) - Height(g->prev);
      g = g->prev;
      e = g->first;
    }
  }
  if (e->Kind() > ekScriptNote) return nullptr;
  const int lt = Lt(e);
  const int need = used + e->format.LinesBefore * lt / 10;
  const Byte k = e->Kind();
  const bool action = k == ekAction || IsHeadingOrShot(k);
  const bool splittable =
      need < usable_ && e->state == esNormal &&
      ((k == ekCharacterName && w_.DialogueBreakMode != bmNever) || (action && w_.ActionBreakMode != bmNever));
  if (!splittable) return EndPageBefore(e);
  int room = usable_ - need;
  if (k == ekCharacterName) {
    // Room for the (MORE) line under the first part of the speech.
    if (e->next && e->next->group == g && IsDialogueOrParenthetical(e->next->Kind()) && !w_.MoreText.empty() &&
        w_.CountMoreLine)
      room -= e->next->format.Spacing * lt / 10;
    return BreakSpeech(g, room, lt);
  }
  return BreakAction(g, room, lt);
}

int TPageBreaker::LineStart(int line) const {
  if (line <= 1) return 0;
  line = std::min(line, lineStartCount_ + 1);
  return lineStarts_[static_cast<size_t>(line)];
}

template <typename Accept>
int TPageBreaker::LastSentenceEnd(int lo, int hi, Accept accept) const {
  const auto& ends = sentenceEnds_;
  for (auto it = ends.rbegin(); it != ends.rend(); ++it) {
    const int e = *it;
    if (e > hi) continue;
    if (e < lo) break;
    if (accept(e)) return e;
  }
  return -1;
}

NextPage TPageBreaker::BreakAction(TElementGroup* g, int room, int lt) {
  TScriptElement* first = g->first;
  TScriptElement* action = first;
  if (first->Kind() != ekAction) {
    // A heading splits only through the Action it holds on to, and only
    // when the heading itself fits above it.
    action = first;
    while (action->next && action->next->group == g) action = action->next;
    if (action == first || action->Kind() != ekAction || w_.IsUnprintedElement(action)) return EndPageBefore(first);
    const int heading = lt + (first->lineCount >= 2 ? first->format.Spacing * (first->lineCount - 1) * lt / 10 : 0) +
                        action->format.LinesBefore * lt / 10;
    if (heading >= room) return EndPageBefore(first);
    room -= heading;
  }
  MarkSentenceEnds(action);
  const int lines = lineStartCount_;
  const int fit = room / lt;
  const int minLines = w_.MinActionLines;
  if (lines <= minLines || action->state == esKeepGroup || action->state == esKeepFollowing)
    return EndPageBefore(first);
  const int width = action->format.RightMargin - action->format.LeftMargin;
  const auto after = [&](int e) { return TextLength() - e - 1; };
  const auto byLines = [&]() -> int {
    if (lines < 2 * minLines) return -1;
    return AfterLine(fit + minLines <= lines ? fit : lines - minLines);
  };
  int position = -1;
  switch (w_.ActionBreakMode) {
    case bmSentenceEndsOnly: {
      const int e = LastSentenceEnd(0, LineStart(fit + 1), [](int) { return true; });
      if (e >= 0 && ((e > LineStart(minLines) + 1 && after(e) > width) || w_.BreakAfterSingleSentence)) position = e;
      break;
    }
    case bmSentenceEndsPreferred: {
      if (lines < minLines + 1 || fit < minLines) break;
      const int lo = fit + minLines > lines ? LineStart(minLines)
                     : fit < 2              ? LineStart(fit)
                     : fit == 2             ? LineStart(fit - 1)
                                            : LineStart(fit - 2);
      position = LastSentenceEnd(lo, LineStart(fit + 1) - 1, [&](int e) {
        return e > LineStart(minLines) + 1 && (w_.BreakAfterSingleSentence || width + 1 < after(e) - 3);
      });
      if (position < 0) position = byLines();
      break;
    }
    case bmMaximumLines:
      if (fit >= minLines) position = byLines();
      break;
    default: break;
  }
  if (position <= 0) return EndPageBefore(first);
  return SplitAndEnd(action, position, first);
}

int TPageBreaker::AdjustRemainingForSpacing(int room, int height, const TScriptElement* e, int lt) const {
  int left = room - height;
  int spacing = e->format.Spacing;
  if (spacing == 0) spacing = 7;
  if (spacing != 10) {
    const bool odd = (left / lt) % 2 == 1;
    left = left * 10 / spacing;
    if (odd) left += lt;
  }
  return left / lt;
}

NextPage TPageBreaker::BreakSpeech(TElementGroup* g, int room, int lt) {
  TScriptElement* name = g->first;
  const bool dialogueNext = name->next && name->next->group == g && name->next->Kind() == ekDialogue;
  const int minLines = w_.MinDialogueLines;
  if (!(minLines + 1 <= room / lt || dialogueNext)) return EndPageBefore(name);
  savedCue_ = {true, name->text.value_or(std::string()), name->format, name->split};

  // The speech is laid down element by element until one does not fit.
  int height = 0;
  int index = 0, overIndex = 0, lastShownIndex = 1;
  TScriptElement* over = nullptr;
  TScriptElement* lastShown = name;
  for (TScriptElement* e = name; e && e->group == g; e = e->next) {
    ++index;
    if (w_.IsUnprintedElement(e)) continue;
    TScriptElement* next = e->next && e->next->group == g ? e->next : nullptr;
    const int ltNext = Lt(next ? next : e);
    const int cost = ltNext + e->format.Spacing * (e->lineCount - 1) * ltNext / 10 +
                     (next ? next->format.LinesBefore * ltNext / 10 : 0);
    lastShown = e;
    lastShownIndex = index;
    if (!over && height + cost > room) {
      over = e;
      overIndex = index;
    }
    if (!over) height += cost;
  }
  if (!over) {
    over = lastShown;
    overIndex = lastShownIndex;
  }
  if (!g->next || over == w_.LastElement || over == name) return EndPageBefore(name);
  const bool lastOfSpeech = !over->next || over->next->group != g;
  const bool afterParenthetical = over->prev && over->prev->Kind() == ekParenthetical;

  if (over->Kind() == ekParenthetical) {
    if (lastOfSpeech || over->prev == name || (over->prev->lineCount < 2 && !w_.BreakAfterSingleSentence))
      return EndPageBefore(name);
    return BreakSpeechBefore(g, over);
  }
  MarkSentenceEnds(over);
  const int lines = lineStartCount_;
  if (over->state == esKeepGroup || over->state == esKeepFollowing) {
    for (TScriptElement* d = over->prev; d && d != name; d = d->prev)
      if (d->Kind() == ekDialogue) return BreakSpeechBefore(g, d->next);
    return EndPageBefore(name);
  }
  // Between elements, unless that would leave the name alone.
  const auto breakBefore = [&]() -> NextPage {
    if (overIndex > 2 || (overIndex == 2 && !afterParenthetical)) return BreakSpeechBefore(g, over);
    return EndPageBefore(name);
  };
  const auto byLines = [&](int fit) -> int {
    const int line = fit + minLines <= lines ? fit : lines - minLines;
    return line >= std::max(1, minLines) ? AfterLine(line) : -1;
  };
  const Byte mode = w_.DialogueBreakMode;
  switch (mode) {
    case bmSentenceEndsOnly:
    case bmSentenceEndsPreferred: {
      if (!(minLines + 1 <= height / lt + lines && minLines <= room / lt)) return EndPageBefore(name);
      if (height >= room) return BreakSpeechBefore(g, over);
      const int fit = AdjustRemainingForSpacing(room, height, over, lt);
      int lo = 0, hi = 0;
      if (lines < fit) {
        hi = LineStart(minLines) - 1;
      } else {
        lo = mode == bmSentenceEndsOnly || fit < 2 ? 0 : fit == 2 ? LineStart(fit - 1) : LineStart(fit - 2);
        hi = LineStart(fit + 1) - 1;
      }
      const int e = LastSentenceEnd(lo, hi, [&](int end) {
        return (end >= LineStart(2) || w_.BreakAfterSingleSentence || afterParenthetical) &&
               (lines > 2 || afterParenthetical || w_.BreakTwoOneLiners);
      });
      if (e > 0) return SplitAndEnd(over, e, name);
      if (mode == bmSentenceEndsOnly || lines < 2 * minLines || hi < LineStart(minLines) - 1) return breakBefore();
      const int position = byLines(fit);
      return position > 0 ? SplitAndEnd(over, position, name) : breakBefore();
    }
    case bmMaximumLines: {
      const int fit = AdjustRemainingForSpacing(room, height, over, lt);
      if (lines < 2 * minLines || fit < minLines) return BreakSpeechBefore(g, over);
      const int position = byLines(fit);
      return position > 0 ? SplitAndEnd(over, position, name) : BreakSpeechBefore(g, over);
    }
    default: return EndPageBefore(name);
  }
}

NextPage TPageBreaker::BreakSpeechBefore(TElementGroup* g, TScriptElement* e) {
  TScriptElement* name = g->first;
  if (e->prev && e->prev->Kind() == ekParenthetical) e = e->prev;
  if (e->prev == name || e == name) return EndPageBefore(name);
  TScriptElement* before = e->prev;
  w_.CurrentGroup = g;
  w_.SplitGroupAt(e);
  InsertContinuedCue(e, false);
  return EndPageBefore(e->prev != before ? e->prev : e);
}

NextPage TPageBreaker::SplitAndEnd(TScriptElement* e, int position, TScriptElement* otherwise) {
  w_.CurrentGroup = e->group;
  if (!SplitElementAt(e, position)) return EndPageBefore(otherwise);
  return EndPageBefore(e->next);
}

TScriptElement* TPageBreaker::BackedBreak(TScriptElement* start) const {
  TScriptElement* at = start;
  while (at->prev && (at->prev->Kind() == ekScriptNote || w_.IsUnprintedElement(at->prev))) at = at->prev;
  TScriptElement* kept = at;
  const bool interactive = w_.InteractiveScript != 0;
  const auto pulls = [&](const TScriptElement* p) { return p && !(p->Kind() == ekShot && interactive); };
  TScriptElement* p = at->prev;
  if (pulls(p) && (KeepsWithNext(p) || HoldsOnToNext(p->Kind()))) {
    at = p->group && p->group->first ? p->group->first : p;
    p = at->prev;
    if (pulls(p) && IsHeadingOrShot(p->Kind())) at = p->group && p->group->first ? p->group->first : p;
    while (at->prev && (IsInformation(at->prev->Kind()) || KeepsWithNext(at->prev)))
      at = at->prev->group && at->prev->group->first ? at->prev->group->first : at->prev;
  }
  if (at != kept && (!at->prev || IsPageBreakKind(at->prev->Kind()))) at = kept;
  return at;
}

NextPage TPageBreaker::EndPageBefore(TScriptElement* start) {
  savedCue_ = {};
  if (!start) return nullptr;
  TScriptElement* at = BackedBreak(start);
  if (!at->prev || IsPageBreakKind(at->prev->Kind())) {
    ShowMessageBox(SingleSpeechWarningText, "* WARNING *");
    return nullptr;
  }
  if (IsPageBreakKind(at->Kind())) {
    // Backing up to the break that opened this page would fill it again
    // for ever: what cannot move stays, as for a single speech.
    if (OpensThisPage(at->group)) {
      ShowMessageBox(SingleSpeechWarningText, "* WARNING *");
      return nullptr;
    }
    NumberFoundBreak(at->group);
    return at->group->next;
  }
  TScriptElement* b = CreateBreak(at);
  return b->group->next;
}

TScriptElement* TPageBreaker::CreateBreak(TScriptElement* at) {
  TMDIChild& w = w_;
  ++pageCounter_;
  TScriptElement* b = NewElementRecord(w);
  b->format = AutoPageBreakFormat;
  b->format.Kind = ekAutoPageBreak;  // whether or not the settings were read
  b->text = PackText(" ");
  w.InsertElementAfter(at->prev, b);
  if (IsHeadingOrShot(at->Kind()) && at->format.LinesBefore != 10) {
    at->format.LinesBefore = 10;
    if (at->group) at->group->stale = 1;
    w.LayoutDue = 1;
  }
  b->lineCount = PageBreakLineCount(w, b);
  if (!splitMade_) {
    b->split = spWhole;
    const bool repeatedCue = at->Kind() == ekCharacterName && at->split <= 29 && at->split % 3 == 2;
    if (at->split == spSecondPiece || repeatedCue) at->split = static_cast<Byte>(at->split - 2);
  } else {
    b->split = speechSplit_ ? spSecondPiece : spFirstPiece;
  }
  splitMade_ = speechSplit_ = false;
  // The break gets a group of its own in front of the one the page now
  // starts with.
  if (at->group && at->group->first != at) {
    w.CurrentGroup = at->group;
    w.SplitGroupAt(at);
  }
  w.CurrentGroup = at->group;
  w.InsertGroupBefore(b);
  b->group->letter = 0;
  NumberNewBreak(b->group);
  UpdateFixedAPageRevisions(b);
  return b;
}

void TPageBreaker::NumberNewBreak(TElementGroup* g) {
  if (!w_.PagesLocked) {
    g->number = pageCounter_;
    w_.StoreGroupLetter(g, ' ');
    letterCounter_ = 0;
    return;
  }
  NumberAPage(g, true);
}

// A page that is an A-page of the page before it: the same number and the
// next letter (a multi-locked script keeps the letter before its own
// A-pages).
void TPageBreaker::NumberAPage(TElementGroup* g, bool created) {
  if (created) --pageCounter_;
  g->number = pageCounter_;
  const bool keep = w_.PagesMultiLocked && w_.NextLockedBreakIsAPage(g);
  const Byte counter = letterCounter_;
  const Byte letter =
      keep ? (counter ? counter : Byte{' '}) : (counter == 0 ? Byte{'A'} : static_cast<Byte>(counter + 1));
  w_.StoreGroupLetter(g, letter);
  if (!keep) letterCounter_ = g->letter == '=' ? 0 : g->letter == '>' ? Byte{'-'} : g->letter;
}

void TPageBreaker::NumberFoundBreak(TElementGroup* g) {
  TScriptElement* b = g->first;
  b->lineCount = PageBreakLineCount(w_, b);
  g->stale = 1;
  if (b->Kind() == ekMultiLockedPageBreak || b->Kind() == ekFixedAPageBreak) {
    NumberAPage(g, false);
    return;
  }
  g->number = ++pageCounter_;
  g->letter = ' ';
  letterCounter_ = 0;
}

// Fixed A-pages that follow a new break in a locked script belong to the
// revision being made now (kept in the low byte of the number word, where
// the page colours read it) and take the current header.
void TPageBreaker::UpdateFixedAPageRevisions(const TScriptElement* b) {
  if (!w_.PagesLocked || w_.PagesMultiLocked || !ProgramOptions().AutoUpdateHeaders) return;
  for (TScriptElement* e = b->next; e; e = e->next) {
    if (!IsPageBreakKind(e->Kind())) continue;
    if (e->Kind() != ekFixedAPageBreak) break;
    e->format.NumberWord = static_cast<Word>((e->format.NumberWord & 0xFF00) | w_.CurrentRevision);
    e->text = PackText(" ");
  }
}

void TMDIChild::PaginateScript(TLayoutPass* pass) {
  if (!CurrentElement() || !FirstElement || ScreenUpdatesSuspended()) return;
  TPageBreaker(*this, pass).Run();
}

}  // namespace qm
