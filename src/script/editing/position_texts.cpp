#include "script/editing/position_texts.h"

#include <algorithm>
#include <cstdint>

#include "script/editing/hidden_elements.h"
#include "script/layout/char_widths.h"
#include "script/model/number_texts.h"
#include "script/model/text_codes.h"
#include "script/pagination/numbering.h"
#include "script/script_window.h"
#include "platform/text_trim.h"

namespace qm {

namespace {

constexpr int MaxPageText = 10;
constexpr int MaxPanelPageText = 15;
// The act and scene-information display style that letters the numbers.
constexpr Byte LettersStyle = 2;
constexpr char HardSpaceByte = 0x04;

// A letter byte as it joins a number: nothing for a blank or none.
std::string LetterText(Byte letter) { return letter > ' ' ? std::string(1, static_cast<char>(letter)) : ""; }

bool IsActElement(Byte kind) { return kind == ekActInformation || kind == ekActStart || kind == ekPrologueText; }
bool IsSceneInformation(Byte kind) { return kind == ekSceneInformation || kind == ekLockedSceneInformation; }
bool IsBaseBreak(Byte kind) {
  return kind == ekForcedPageBreak || kind == ekLockedPageBreak || kind == ekFixedAPageBreak;
}
// A page letter that stands for no letter of its own.
bool IsPlainPageLetter(Byte letter) { return letter == HardSpaceByte || letter == ' ' || letter == 0; }
bool IsNoLetter(Byte letter) { return IsPlainPageLetter(letter) || letter == '-' || letter == 0x40; }

// The list's display part of a user-list entry: after the first
// backslash, without its shortcut marks.
std::string EntryDisplayText(const std::string& entry) {
  const std::size_t slash = entry.find('\\');
  std::string text = slash == std::string::npos ? entry : entry.substr(slash + 1);
  std::erase(text, '&');
  return text;
}

// The screen lines an element takes, with its blank lines before: none
// while it is hidden.
int WholeLinesOf(const TMDIChild& window, const TScriptElement& e) {
  return TakesNoScreenRoom(window, e) ? 0 : WholeLinesBefore(e.format) + e.lineCount;
}

}  // namespace

char NthUnskippedLetter(const TScriptDocument& script, int n) {
  int letter = 'A';
  for (int found = 0; letter < 126; ++letter) {
    if (script.IsSkipLetter(letter)) continue;
    if (++found >= n) break;
  }
  return static_cast<char>(std::min(letter, 126));
}

std::string SceneNumberText(const TScriptDocument& script, const TScriptElement& element) {
  if (script.InteractiveScript) return std::to_string(number_word::Number(element.format.NumberWord));
  std::string text = std::to_string(script.SceneStart);
  if (!IsSceneHeading(element.Kind())) return text;
  if (element.format.NumberWord == UnnumberedHeadingWord) return {};
  const bool placement = script.SceneLetterPlacement != 0;
  const Byte letter = script.DisplayNumberLetter(element.group);
  const std::string number = std::to_string(script.DisplayNumber(element.group));
  const bool dashed = letter == '-';
  if (script.SceneDashScheme == 2 && dashed) text = number;
  else if (ElementHasLock(&element) == placement) text = number + LetterText(letter);
  else text = LetterText(letter) + number;
  if (element.Kind() != ekDashASceneHeading) return text;

  int k = 1;
  const TScriptElement* base = element.prev;
  for (; base && base->Kind() != ekSceneHeading && base->Kind() != ekASceneHeading; base = base->prev)
    if (base->Kind() == ekDashASceneHeading) ++k;
  const bool baseOrder = (base && ElementHasLock(base)) == placement;
  if (script.SceneDashScheme == 1 && dashed) {
    text = base ? std::to_string(script.DisplayNumber(base->group)) : text;
    const std::string suffix(1, NthUnskippedLetter(script, k));
    return placement ? text + suffix : suffix + text;
  }
  const bool dashTwo = script.SceneDashScheme == 2 && dashed;
  const std::string suffix =
      (script.SceneSuffixStyle != 0) == dashTwo ? std::to_string(k) : std::string(1, NthUnskippedLetter(script, k));
  if (dashTwo) return baseOrder ? text + "A" + suffix : suffix + "A" + text;
  return baseOrder ? text + suffix : suffix + text;
}

std::string PageNumberText(const TScriptDocument& script, const TScriptElement* element) {
  const std::string start = std::to_string(script.PageStart);
  if (!element || !element->group || !IsPageBreakKind(element->Kind())) return start;
  const Byte kind = element->Kind();
  const std::string n = WithoutTrailingBlanks(std::to_string(script.DisplayNumber(element->group)));
  const bool locked = script.PagesLocked || script.PagesMultiLocked;
  if (kind == ekForcedPageBreak || kind == ekLockedPageBreak || (kind == ekAutoPageBreak && !locked)) return n;
  if (kind == ekAutoPageBreak && (!script.PagesMultiLocked || !script.NextLockedBreakIsAPage(element->group)))
    return WithoutTrailingBlanks(n + LetterText(script.DisplayNumberLetter(element->group)));

  int k = 1;
  const TScriptElement* base = element->prev;
  for (; base && !IsBaseBreak(base->Kind()); base = base->prev)
    if (base->Kind() == ekAutoPageBreak || base->Kind() == ekMultiLockedPageBreak) ++k;
  const Byte baseLetter = base && base->group && base->group->first && IsPageBreakKind(base->group->first->Kind())
                              ? script.DisplayNumberLetter(base->group)
                              : Byte{' '};
  const bool countSuffix = IsPlainPageLetter(baseLetter) == (script.PageBlankLetterRule != 0) &&
                           (script.PageSuffixStyle != 1 || !IsNoLetter(baseLetter));
  const std::string suffix = countSuffix ? std::to_string(k) : std::string(1, NthUnskippedLetter(script, k));
  if (!IsNoLetter(baseLetter)) return n + static_cast<char>(baseLetter) + suffix;
  switch (script.PageSuffixStyle) {
    case 0: return n + "-" + suffix;
    case 1: return suffix + n;
    default: return n + "A" + suffix;
  }
}

int ElementListEntry(Byte kind) {
  switch (kind) {
    case ekAction: return 1;
    case ekSceneHeading:
    case ekASceneHeading:
    case ekDashASceneHeading: return 5;
    case ekShot: return 8;
    case ekCharacterName: return 2;
    case ekDialogue: return 3;
    case ekParenthetical: return 4;
    case ekTransition: return 10;
    case ekCenteredTitle: return 9;
    case ekActInformation:
    case ekActStart:
    case ekPrologueText:
    case ekEndOfActText: return 0;
    case ekSceneInformation:
    case ekLockedSceneInformation: return 6;
    case ekScriptNote: return 7;
    default: return -1;
  }
}

namespace {

std::string ActPanelText(const TMDIChild& window, const TScriptElement* act, const TScriptElement* info) {
  std::string text;
  if (act) {
    const Word number = window.DisplayNumber(act->group);
    if (number == 0 || act->Kind() == ekPrologueText) {
      text = LiveElementText(window, *act);
    } else {
      const std::string name = EntryDisplayText(window.UserLists.ActText[0]);
      text = (name.empty() ? std::string("Act ") : name + " ") +
             (window.ActDisplayStyle == LettersStyle ? NumberAsLetters(number) : std::to_string(number));
    }
  }
  if (info) {
    const Word number = window.DisplayNumber(info->group);
    const std::string shown =
        window.SceneInfoDisplayStyle == LettersStyle ? NumberAsLetters(number) : std::to_string(number);
    text += (act ? ", Scn " : "Scn: ") + shown;
  }
  return text;
}

}  // namespace

namespace {

// What lies above an element: the height before it, the page breaks
// before it (the last of them kept), and the last scene heading, act and
// scene information up to and including it.
struct TAbove {
  const TScriptElement* at = nullptr;
  int height = 0;
  int breaks = 0;
  const TScriptElement* lastBreak = nullptr;
  const TScriptElement* heading = nullptr;
  const TScriptElement* act = nullptr;
  const TScriptElement* info = nullptr;
};

// The whole script's share: its height, page breaks and the heading the
// scene panel counts to: the last plain one, or in an interactive script,
// whose targets keep their numbers in any order, the highest-numbered.
struct TWhole {
  int height = 0;
  int breaks = 0;
  const TScriptElement* lastPlainHeading = nullptr;
};

bool CountsTo(const TMDIChild& window, const TScriptElement& heading, const TScriptElement* before) {
  // A locked target's lock bit is no part of its number.
  return !window.InteractiveScript || !before ||
         number_word::Number(heading.format.NumberWord) >= number_word::Number(before->format.NumberWord);
}

void NoteMarker(TAbove& above, const TScriptElement* e) {
  const Byte kind = e->Kind();
  if (IsSceneHeading(kind)) above.heading = e;
  if (IsActElement(kind)) {
    above.act = e;
    above.info = nullptr;
  } else if (IsSceneInformation(kind)) {
    above.info = e;
  }
}

// One walk over the whole script.
void WalkWhole(const TMDIChild& window, const TScriptElement* current, TAbove& above, TWhole& whole) {
  above = TAbove{current};
  whole = TWhole{};
  bool beforeCaret = true;
  for (const TScriptElement* e = window.FirstElement; e; e = e->next) {
    if (e == current) {
      above.height = whole.height;
      above.breaks = whole.breaks;
      beforeCaret = false;
    }
    const Byte kind = e->Kind();
    whole.height += WholeLinesOf(window, *e);
    if (IsPageBreakKind(kind)) {
      ++whole.breaks;
      if (beforeCaret) above.lastBreak = e;
    }
    if (kind == ekSceneHeading && CountsTo(window, *e, whole.lastPlainHeading)) whole.lastPlainHeading = e;
    if (beforeCaret || e == current) NoteMarker(above, e);
  }
  if (beforeCaret) {
    above.height = whole.height;
    above.breaks = whole.breaks;
  }
}

// The caret moved down from `above.at` to `to`: what lies between is added.
void StepDown(const TMDIChild& window, TAbove& above, const TScriptElement* to) {
  for (const TScriptElement* e = above.at; e != to; e = e->next) {
    above.height += WholeLinesOf(window, *e);
    if (IsPageBreakKind(e->Kind())) {
      ++above.breaks;
      above.lastBreak = e;
    }
    NoteMarker(above, e->next);
  }
  above.at = to;
}

// The last scene heading up to an element, walking up from it.
const TScriptElement* HeadingUpTo(const TScriptElement* e) {
  for (; e; e = e->prev)
    if (IsSceneHeading(e->Kind())) return e;
  return nullptr;
}

// The last act and the scene information after it, up to an element.
void ActUpTo(const TScriptElement* e, TAbove& above) {
  above.act = above.info = nullptr;
  for (; e; e = e->prev) {
    const Byte kind = e->Kind();
    if (IsActElement(kind)) {
      above.act = e;
      return;
    }
    if (IsSceneInformation(kind) && !above.info) above.info = e;
  }
}

// The caret moved up to `to`: what lies between is taken off, and a marker
// that lay between is looked for again above.
void StepUp(const TMDIChild& window, TAbove& above, const TScriptElement* to) {
  bool breakBetween = false, headingBetween = false, actBetween = false;
  for (const TScriptElement* e = to; e != above.at; e = e->next) {
    above.height -= WholeLinesOf(window, *e);
    if (IsPageBreakKind(e->Kind())) {
      --above.breaks;
      breakBetween = true;
    }
    const TScriptElement* after = e->next;
    if (after == above.heading) headingBetween = true;
    if (after == above.act || after == above.info) actBetween = true;
  }
  above.at = to;
  if (breakBetween) {
    above.lastBreak = nullptr;
    for (const TScriptElement* e = to->prev; e && !above.lastBreak; e = e->prev)
      if (IsPageBreakKind(e->Kind())) above.lastBreak = e;
  }
  if (headingBetween) above.heading = HeadingUpTo(to);
  if (actBetween) ActUpTo(to, above);
}

// How far a walk from the last caret looks for the new one before the
// whole script is walked instead.
constexpr int MaxStep = 4000;

// Which way the caret went from `from` to `to`: 1 down, -1 up, 0 not near.
int DirectionOf(const TScriptElement* from, const TScriptElement* to) {
  const TScriptElement* down = from;
  const TScriptElement* up = from;
  for (int i = 0; i < MaxStep && (down || up); ++i) {
    if (down == to) return 1;
    if (up == to) return -1;
    if (down) down = down->next;
    if (up) up = up->prev;
  }
  return 0;
}

constexpr const char* StatusWalkName = "StatusWalk";

// The last walk of a script, kept with its window while the script's
// shape stands still.
class TStatusWalk : public TComponent {
 public:
  explicit TStatusWalk(TMDIChild& window) : TComponent(&window) { Name = StatusWalkName; }
  std::uint64_t shape = 0;
  bool valid = false;
  // The kind of the element the walk stopped at: an element retyped in
  // place (an empty Action made a heading) is walked again.
  Byte atKind = 0;
  TAbove above;
  TWhole whole;
  // The page-number text of the caret's page as the walk last found it:
  // Enter reads it (a page "0" starts elements of its own).
  std::string caretPageText;
};

TStatusWalk& StatusWalkOf(TMDIChild& window) {
  if (auto* walk = dynamic_cast<TStatusWalk*>(window.FindComponent(StatusWalkName))) return *walk;
  return *new TStatusWalk(window);
}

// What lies above the caret and in the whole script: from the last walk
// when the script kept its shape and the caret is near, else a new walk.
void Walk(TMDIChild& window, TAbove& above, TWhole& whole) {
  const TScriptElement* current = window.CurrentElement();
  TStatusWalk& kept = StatusWalkOf(window);
  const bool trusted = kept.valid && kept.shape == ScriptShapeChanges && kept.above.at->Kind() == kept.atKind;
  const int direction = trusted ? DirectionOf(kept.above.at, current) : 0;
  if (direction > 0) StepDown(window, kept.above, current);
  else if (direction < 0) StepUp(window, kept.above, current);
  else WalkWhole(window, current, kept.above, kept.whole);
  kept.shape = ScriptShapeChanges;
  kept.valid = true;
  kept.atKind = current->Kind();
  above = kept.above;
  whole = kept.whole;
}

// The page-number text of the page the walk stopped on, kept with the walk.
std::string PageTextAbove(TMDIChild& window, const TAbove& above) {
  std::string pageText = above.lastBreak ? PageNumberText(window, above.lastBreak) : std::to_string(window.PageStart);
  if (pageText.size() > MaxPageText) pageText.resize(MaxPageText);
  pageText = WithoutTrailingBlanks(pageText);
  StatusWalkOf(window).caretPageText = pageText;
  return pageText;
}

}  // namespace

void ForgetStatusWalk(TMDIChild& window) { StatusWalkOf(window).valid = false; }

std::string CaretPageText(TMDIChild& window) {
  if (!window.CurrentElement()) return {};
  const TStatusWalk& kept = StatusWalkOf(window);
  if (kept.valid && kept.shape == ScriptShapeChanges && kept.above.at == window.CurrentElement() &&
      kept.atKind == window.CurrentElement()->Kind())
    return kept.caretPageText;
  TAbove above;
  TWhole whole;
  Walk(window, above, whole);
  return PageTextAbove(window, above);
}

bool ComputeStatusTexts(TMDIChild& window, const TStatusOptions& options, TStatusTexts& texts) {
  const TScriptElement* current = window.CurrentElement();
  if (!current || IsPageBreakKind(current->Kind()) || current->format.LeftMargin == 0) return false;

  const TScriptElement* groupFirst = current->group && current->group->first ? current->group->first : current;
  texts.keepElement = current->state == esKeepGroup || current->state == esKeepFollowing;
  texts.keepGroup = groupFirst->state == esKeepGroup || groupFirst->state == esKeepFollowing;
  texts.keepWithFollowing = current->state == esKeepFollowing || groupFirst->state == esKeepFollowing;
  texts.elementEntry = ElementListEntry(current->Kind());
  texts.avColumn = current->avColumn;

  TAbove above;
  TWhole whole;
  Walk(window, above, whole);
  texts.scrollPosition = above.height;
  texts.scrollMaximum = whole.height;
  const int pages = whole.breaks + 1;

  const std::string pageText = PageTextAbove(window, above);
  texts.caretPageText = pageText;
  if (options.noAutoPagination && !above.lastBreak) {
    texts.page = " Pg: -- of --";
  } else {
    texts.page = " Pg: " + pageText.substr(0, MaxPanelPageText) + " of " + std::to_string(pages + window.PageStart - 1);
  }

  texts.scene.clear();
  if (above.heading) {
    texts.scene = "Scn: " + SceneNumberText(window, *above.heading) + " of " +
                  (whole.lastPlainHeading ? SceneNumberText(window, *whole.lastPlainHeading) : std::string("??"));
  }
  texts.act.clear();
  if (options.showActPanel && (above.act || above.info)) texts.act = ActPanelText(window, above.act, above.info);
  return true;
}

std::string PositionText(TMDIChild& window) {
  const TScriptElement* current = window.CurrentElement();
  if (!current) return {};
  const int size = std::max<int>(1, window.ScriptFontSize);
  const bool notesCount = window.PrintScriptNotes != 0;
  auto counts = [&](const TScriptElement& e) {
    return !window.IsUnprintedElement(&e) && (notesCount || e.Kind() != ekScriptNote);
  };
  auto linePoints = [](const TScriptElement& e) { return e.format.Spacing * e.format.FontSize / 10; };

  // Points from the top of the page to the caret line's foot.
  int points = (window.CaretLine() - 1) * linePoints(*current) + current->format.FontSize;
  const TScriptElement* e = current->prev;
  for (; e && !IsPageBreakKind(e->Kind()); e = e->prev) {
    if (!counts(*e)) continue;
    points +=
        e->format.LinesBefore * e->format.FontSize / 10 + (e->lineCount - 1) * linePoints(*e) + e->format.FontSize;
  }
  int lines = points / size;
  if (!e || e->Kind() == ekForcedPageBreak) lines += window.FirstPageLine;
  const int remainder = points % size;
  std::string line = counts(*current) ? std::to_string(lines) : "---";
  if (counts(*current) && remainder != 0) line += "." + std::to_string(remainder);

  // Tenths of an inch from the page's left edge to the caret.
  const int lineStart =
      window.CaretLine() <= 1 ? 0 : window.LineOffsets()[static_cast<std::size_t>(window.CaretLine() - 1)];
  const int dots =
      window.CaretColumn() > lineStart ? MeasureLayoutTextWidth(window, lineStart, window.CaretColumn() - 1) : 0;
  const int tenths = (current->format.LeftMargin * 30 + dots) / 30;
  std::string across = std::to_string(tenths / 10);
  if (tenths % 10 != 0) across += "." + std::to_string(tenths % 10);

  std::string text = " Ln: " + line;
  if (text.size() < 11) text.resize(11, ' ');
  return text + "Pos: " + across;
}

}  // namespace qm
