#include "script/pagination/repagination.h"

#include <algorithm>
#include <array>
#include <unordered_map>

#include "platform/cp1252.h"
#include "platform/platform.h"
#include "platform/printer.h"
#include "script/pagination/element_groups.h"
#include "script/pagination/page_breaking.h"
#include "script/model/cue_codes.h"
#include "script/model/element_cursors.h"
#include "script/model/packed_text.h"
#include "script/layout/screen_rebuild.h"
#include "script/script_window.h"
#include "script/model/string_utils.h"
#include "script/model/text_codes.h"
#include "base/global_state.h"
#include "base/program_options.h"
#include "script/model/edit_line_writer.h"

namespace qm {

TPrinterMetrics PrinterMetrics;

const char* const SingleSpeechWarningText =
    "You have a Single Speech that would extend over two page breaks!\r\r"
    "Quillmaster for Windows is unable to break This element, and you should break it up into smaller elements so "
    "that the pagination can function correctly...";

namespace {

const GlobalState reset([] { PrinterMetrics = TPrinterMetrics{}; });

}  // namespace

namespace {

bool IsTerminator(char c) { return c == '.' || c == '!' || c == '?'; }

bool IsClosingQuote(char c) {
  const auto b = static_cast<Byte>(c);
  return c == '"' || c == '\'' || b == 0x92 || b == 0x94 || b == 0xBB;
}

bool IsCode(char c) { return CodeCharSet.Contains(c); }

// What may stand between a sentence end and the next sentence.
bool IsSentenceGap(char c) { return c == ' ' || IsClosingQuote(c); }

// Walking back from before a period over the word it ends: its letters in
// upper case, at most six.
std::string WordBeforePeriod(std::string_view text, size_t period) {
  std::string letters;
  for (size_t i = period; i > 0 && letters.size() < 6;) {
    const char c = text[--i];
    if (c == ' ' || IsClosingQuote(c)) break;
    if (IsAnsiAlpha(static_cast<Byte>(c)))
      letters.insert(letters.begin(), static_cast<char>(AnsiUpper(static_cast<Byte>(c))));
  }
  return letters;
}

bool IsAbbreviation(std::string_view word) {
  static constexpr std::array<std::string_view, 25> table{
      "MR", "ST",  "MT", "MS", "DR", "LT",  "VS",   "M",    "MRS",  "DRS",  "MLLE", "MME",  "SR",
      "JR", "PHD", "PL", "LN", "RN", "CPL", "CAPT", "CPRL", "CPTN", "BLVD", "AVE",  "LIEUT"};
  return std::find(table.begin(), table.end(), word) != table.end();
}

// The end position a terminator at t gives, or npos when it ends no
// sentence.
size_t SentenceEndAt(std::string_view text, size_t t, bool twoBlanks, bool ellipsis) {
  const size_t n = text.size();
  size_t q = t + 1;
  while (q < n && IsCode(text[q])) ++q;
  if (q >= n) return std::string_view::npos;
  const char c = text[q];
  if (c == '?' || c == '!') {
    while (q < n && IsTerminator(text[q])) ++q;
    return q - 1;
  }
  if (c == '.') {
    while (q < n && text[q] == '.') ++q;
    if (q < n && (text[q] == '!' || text[q] == '?')) {
      while (q < n && IsTerminator(text[q])) ++q;
      return q - 1;
    }
    return ellipsis ? q - 1 : std::string_view::npos;
  }
  if (static_cast<Byte>(c) == HardReturn) return t;
  if (!IsSentenceGap(c)) return std::string_view::npos;
  if (text[t] != '.') return t;
  if (twoBlanks && c == ' ' && q + 1 < n && text[q + 1] != ' ') return std::string_view::npos;
  if (t == 0) return std::string_view::npos;
  const std::string word = WordBeforePeriod(text, t);
  if (word.size() <= 5 && IsAbbreviation(word)) return std::string_view::npos;
  return t;
}

// An end moves past the closing quotes, codes and hard returns that follow
// it, and past further terminators followed by such characters.
size_t AdvanceEnd(std::string_view text, size_t end, bool ellipsis) {
  const size_t n = text.size();
  const auto trails = [&](size_t i) {
    return i < n && (IsClosingQuote(text[i]) || IsCode(text[i]) || static_cast<Byte>(text[i]) == HardReturn);
  };
  for (;;) {
    if (trails(end + 1)) ++end;
    else if (end + 1 < n && IsTerminator(text[end + 1]) && trails(end + 2)) end += 2;
    else break;
  }
  if (ellipsis && end > 0 && text[end - 1] == '.' && end + 1 < n && text[end + 1] != ' ') --end;
  return end;
}

// The plain text of a stored element.
std::string ElementText(const TScriptElement* e) {
  if (!e->text) return std::string();
  if (IsPageBreakKind(e->Kind())) return " ";
  if (e->Kind() == ekCharacterName) return *e->text;
  return UnpackText(*e->text);
}

std::string StoredText(Byte kind, const std::string& text) { return kind == ekCharacterName ? text : PackText(text); }

// Takes a group out of the chain and frees it.
void FreeGroup(TMDIChild& w, TElementGroup* g) {
  if (g->prev) g->prev->next = g->next;
  if (g->next) g->next->prev = g->prev;
  if (w.LastGroup == g) w.LastGroup = g->prev;
  if (w.CurrentGroup == g) w.CurrentGroup = g->prev;
  delete g;
}

// The elements of `from` join `into`; `from` leaves the chain.
void MergeGroupInto(TMDIChild& w, TElementGroup* from, TElementGroup* into) {
  if (!from || from == into) return;
  for (TScriptElement* e = from->first; e && e->group == from; e = e->next) e->group = into;
  into->count = GroupRunLength(into);
  into->stale = 1;
  FreeGroup(w, from);
}

// Block marks of a split element go with the piece that holds them; the
// second piece's columns start at `cut`.
void DivideBlock(TScriptElement& w, TScriptElement& n, int cut) {
  const int start = w.blockStart, end = w.blockEnd;
  if (end >= cut) {
    n.blockStart = std::max(start, cut) - cut;
    n.blockEnd = end - cut;
  }
  if (start < cut) w.blockEnd = std::min(end, cut - 1);
  else w.blockStart = w.blockEnd = -1;
}

// Revised-line marks beyond the first piece's lines go to the second,
// numbered from its first line.
void SplitRevisedLines(TScriptElement& w, TScriptElement& n) {
  if (!w.revisedLines) return;
  std::string keep, moved;
  for (char c : *w.revisedLines) {
    const int line = static_cast<Byte>(c);
    if (line > w.lineCount) moved.push_back(static_cast<char>(line - w.lineCount));
    else keep.push_back(c);
  }
  if (keep.empty()) w.revisedLines.reset();
  else w.revisedLines = keep;
  if (!moved.empty()) n.revisedLines = moved;
}

// ... and come back when the pieces are joined.
void JoinRevisedLines(TScriptElement& p, const TScriptElement& s) {
  if (!s.revisedLines) return;
  std::string lines = p.revisedLines.value_or(std::string());
  for (char c : *s.revisedLines) {
    const int line = static_cast<Byte>(c) + p.lineCount;
    if (line <= 255 && lines.find(static_cast<char>(line)) == std::string::npos && lines.size() < 255)
      lines.push_back(static_cast<char>(line));
  }
  p.revisedLines = lines;
}

// A Dialogue or Parenthetical that starts a page under a repeated name
// loses lines before it took from elsewhere; true when its spacing is
// single enough for the break to count as a speech split.
bool ClearSpeechLinesBefore(TMDIChild& w, TScriptElement* e) {
  if (!IsDialogueOrParenthetical(e->Kind()) || e->format.LinesBefore == 0 || e->format.Spacing >= 20) return false;
  const int slot = FormatSlotOfKind(e->Kind());
  if (slot >= 0 && e->format.LinesBefore != w.FormatSet[static_cast<size_t>(slot)].LinesBefore) {
    e->linesBeforeTaken = e->format.LinesBefore;
    e->format.LinesBefore = 0;
  }
  return true;
}

}  // namespace

std::string JoinedText(const std::string& first, const std::string& second, size_t& gap) {
  std::string sep;
  if (!first.empty() && !second.empty()) {
    const auto last = static_cast<Byte>(first.back());
    const bool separated =
        last == ' ' || last == HardReturn || last == '-' || last == SoftHyphen || last == HardSpace || last == HardDash;
    if (!separated) {
      size_t end = first.size();
      while (end > 0 && (IsClosingQuote(first[end - 1]) || IsCode(first[end - 1]))) --end;
      sep = end > 0 && IsTerminator(first[end - 1]) ? ProgramOptions().SentenceSpacing : std::string(" ");
    }
  }
  gap = sep.size();
  return first + sep + second;
}

namespace {

// The style bits a second piece starts with, from the codes still open at
// the end of the first.
void CarryStyles(TElementFormat& second, const TElementFormat& whole, std::string_view first, std::string_view rest,
                 bool extendedColors) {
  struct StylePair {
    Byte on, off, bit;
  };
  static constexpr std::array<StylePair, 4> pairs{{{BoldOn, BoldOff, stBold},
                                                   {UnderlineOn, UnderlineOff, stUnderline},
                                                   {ItalicsOn, ItalicsOff, stItalic},
                                                   {StrikeOutOn, StrikeOutOff, stStrikeOut}}};
  for (const StylePair& p : pairs) {
    if (!rest.empty() && static_cast<Byte>(rest.front()) == p.on) continue;
    const bool open = IsInsideCodePair(first, first.size(), p.on, (whole.Style & p.bit) != 0, p.off);
    second.Style = static_cast<Byte>(open ? second.Style | p.bit : second.Style & ~p.bit);
  }
  int color = whole.ColorIndex() >= 1 && whole.ColorIndex() <= 10
                  ? ColorIndexOfOnCode(ElementColorCodes[static_cast<size_t>(whole.ColorIndex() - 1)])
                  : 0;
  for (char c : first) color = NextColorIndex(color, static_cast<Byte>(c), extendedColors);
  second.SetColorIndex(static_cast<Byte>(color ? ElementColorIndex(ColorPairs[static_cast<size_t>(color - 1)].on) : 0));
}

// The wrapped line starts of a saved line-offset block: entry k for line
// k (entry 1 is 0), entry count + 1 the text length + 1.
int LineStartsFromBlock(const std::vector<Byte>& block, std::array<Word, MaxLineCount + 2>& starts) {
  const int count = std::min<int>((static_cast<int>(block.size()) - 1) / 2, MaxLineCount);
  starts.fill(0);
  for (int line = 1; line <= count; ++line)
    starts[static_cast<size_t>(line + 1)] =
        static_cast<Word>(block[static_cast<size_t>(2 * line - 1)] | (block[static_cast<size_t>(2 * line)] << 8));
  return count;
}

// Where the last wrapped line of a stored element begins (0 for one line).
size_t LastLineStart(const TScriptElement& e) {
  if (e.lineCount < 2 || !e.LineOffsetsValid()) return 0;
  const size_t at = static_cast<size_t>(2 * (e.lineCount - 1));
  return static_cast<size_t>(e.lineOffsets[at - 1] | (e.lineOffsets[at] << 8));
}

// What changes where lines wrap, besides an element's own text and format.
std::uint64_t LayoutFingerprint(const TMDIChild& w) {
  std::uint64_t h = 1469598103934665603ull;
  const auto mix = [&h](std::uint64_t v) { h = (h ^ v) * 1099511628211ull; };
  const auto mixText = [&](const std::string& s) {
    for (char c : s) mix(static_cast<Byte>(c));
    mix(0x100);
  };
  mix(static_cast<std::uint64_t>(PrinterMetrics.PageWidth));
  mix(static_cast<std::uint64_t>(PrinterMetrics.DpiX));
  mixText(w.ScriptFontName);
  for (const std::string& name : w.FontNameTable) mixText(name);
  for (const TWidthTable& table : w.LayoutWidths)
    for (std::int32_t width : table) mix(static_cast<std::uint32_t>(width));
  mix(w.FlexMargin);
  mix(w.InteractiveScript);
  mix(w.TransitionsFlushRight);
  mix(w.UsesUserColours);
  mix(w.LayoutOptions.DialogueParenthesis);
  mix(w.ScriptFontSize);
  // Sentence ends depend on these.
  mix(ProgramOptions().AutoSentenceSpacing && ProgramOptions().SentenceSpacing.size() > 1);
  mix(AllowPageBreakAtElipses);
  return h;
}

}  // namespace

// A split remembered with what it was made from, so that taking a break
// out and putting it back in at the same place costs no packing or
// wrapping. The memo lasts from pass to pass as a component of the window.
struct TSplitMemo : TComponent {
  explicit TSplitMemo(TMDIChild& window) : TComponent(&window) { Name = ComponentName; }
  static constexpr const char* ComponentName = "SplitMemo";
  struct Entry {
    std::string whole;
    TElementFormat format;
    std::vector<Byte> wholeOffsets;
    Byte wholeLines = 1;
    std::vector<Word> sentenceEnds;
    int position = -1;
    size_t firstLength = 0;
    std::string first, second;
    std::vector<Byte> firstOffsets, secondOffsets;
    Byte firstLines = 1, secondLines = 1;
    TElementFormat secondFormat;
    unsigned usedInPass = 0;
  };
  std::unordered_map<const TScriptElement*, Entry> entries;
  // The names the last pass repeated after its breaks, with the text each
  // was given; whatever the layout, until the breaks are taken out.
  std::unordered_map<const TScriptElement*, std::string> repeatedNames;
  std::uint64_t layout = 0;
  unsigned pass = 0;

  // Drops everything when the layout changed since the last pass, and what
  // the last pass did not use.
  void StartPass(std::uint64_t fingerprint) {
    if (fingerprint != layout) entries.clear();
    layout = fingerprint;
    std::erase_if(entries, [this](const auto& item) { return item.second.usedInPass + 1 < pass; });
    ++pass;
  }
  Entry* Find(const TScriptElement* e) {
    const auto it = entries.find(e);
    return it == entries.end() ? nullptr : &it->second;
  }
};

namespace {

TSplitMemo& SplitMemoOf(TMDIChild& window) {
  if (auto* memo = dynamic_cast<TSplitMemo*>(window.FindComponent(TSplitMemo::ComponentName))) return *memo;
  return *new TSplitMemo(window);
}

}  // namespace

struct TPaginationMemory::TData {
  std::vector<std::pair<std::size_t, TSplitMemo::Entry>> splits;
  std::vector<std::pair<std::size_t, std::string>> repeatedNames;
};

TPaginationMemory TakePaginationMemory(TMDIChild& window) {
  const TSplitMemo& memo = SplitMemoOf(window);
  if (memo.entries.empty() && memo.repeatedNames.empty()) return {};
  auto data = std::make_shared<TPaginationMemory::TData>();
  std::size_t index = 0;
  for (const TScriptElement* e = window.FirstElement; e; e = e->next, ++index) {
    if (const auto it = memo.entries.find(e); it != memo.entries.end()) data->splits.emplace_back(index, it->second);
    if (const auto it = memo.repeatedNames.find(e); it != memo.repeatedNames.end())
      data->repeatedNames.emplace_back(index, it->second);
  }
  return TPaginationMemory(std::move(data));
}

void GivePaginationMemory(TMDIChild& window, const TPaginationMemory& memory) {
  TSplitMemo& memo = SplitMemoOf(window);
  memo.entries.clear();
  memo.repeatedNames.clear();
  const TPaginationMemory::TData* data = memory.Data();
  if (!data) return;
  std::size_t index = 0, split = 0, name = 0;
  for (const TScriptElement* e = window.FirstElement; e; e = e->next, ++index) {
    for (; split < data->splits.size() && data->splits[split].first == index; ++split) {
      TSplitMemo::Entry& entry = memo.entries[e] = data->splits[split].second;
      entry.usedInPass = memo.pass;
    }
    for (; name < data->repeatedNames.size() && data->repeatedNames[name].first == index; ++name)
      memo.repeatedNames[e] = data->repeatedNames[name].second;
  }
}

namespace {

// A script never begins with an automatic break.
void RemoveLeadingBreak(TMDIChild& w) {
  TScriptElement* b = w.FirstElement;
  if (!b->next) {
    b->format = w.FormatSet[fsAction];
    b->text = PackText(" ");
    b->lineOffsets.clear();
    b->lineCount = 1;
    return;
  }
  if (w.CurrentElement() == b) EditFields(w).CurrentElement = b->next;
  ForgetScreenLinesOf(w, b);
  // What pointed at the break goes on at the page it opened.
  MoveElementCursors(b, b->next);
  w.FirstElement = b->next;
  b->next->prev = nullptr;
  if (TElementGroup* g = b->group) {
    if (g->first == b) g->first = b->next->group == g ? b->next : nullptr;
    if (!g->first) FreeGroup(w, g);
    else g->count = GroupRunLength(g);
  }
  delete b;
}

// Joins the second piece of a split element onto the first.
void JoinPieces(TMDIChild& w, TScriptElement* p, TScriptElement* s, TLayoutPass* pass) {
  if (!p->text || !s->text) return;
  TSplitMemo& memos = SplitMemoOf(w);
  TSplitMemo::Entry* memo = memos.Find(p);
  const bool marked = w.BlockOn() && (p->InBlock() || s->InBlock());
  // Unchanged pieces give back the very text they were cut from, also
  // where the cut went through a word that the blank of a join would break.
  const bool remembered = memo && !marked && p->text == memo->first && p->format == memo->format &&
                          p->lineOffsets == memo->firstOffsets && p->lineCount == memo->firstLines &&
                          s->text == memo->second && s->format == memo->secondFormat &&
                          s->lineOffsets == memo->secondOffsets && s->lineCount == memo->secondLines;
  std::string joined;
  size_t firstLength = 0, gap = 0;
  if (remembered) {
    firstLength = memo->firstLength;
  } else {
    const std::string first = ElementText(p);
    joined = JoinedText(first, ElementText(s), gap);
    // A text the edit line could not hold stays in two pieces.
    if (joined.size() > MaxElementChars) return;
    firstLength = first.size();
  }
  const size_t offset = firstLength + gap;
  if (s == w.CurrentElement()) {
    EditFields(w).CurrentElement = p;
    EditFields(w).CaretColumn = static_cast<Word>(w.CaretColumn() + offset);
  }
  if (p == w.CurrentElement() && pass) pass->savedEditText.reset();
  if (s->InBlock()) {
    if (!p->InBlock()) p->blockStart = static_cast<std::int32_t>(s->blockStart + offset);
    p->blockEnd = static_cast<std::int32_t>(s->blockEnd + offset);
  }
  JoinRevisedLines(*p, *s);
  TElementGroup* sg = s->group;
  w.DeleteNextElement(p, pass);
  if (sg && sg != p->group) {
    if (sg->first) MergeGroupInto(w, sg, p->group);
    else FreeGroup(w, sg);
  }
  if (remembered) {
    p->text = memo->whole;
    p->lineOffsets = memo->wholeOffsets;
    p->lineCount = memo->wholeLines;
    memo->usedInPass = memos.pass;
  } else {
    p->text = StoredText(p->Kind(), joined);
    p->lineOffsets.clear();
    w.WordWrapText(p, joined, false, false);
  }
  if (p->group) {
    p->group->count = GroupRunLength(p->group);
    p->group->stale = 1;
  }
}

// A Dialogue or Parenthetical that opened a page under a repeated name
// gave up the lines before it had of its own; back under the speech
// before it, it takes them again, or every pass after the first would lay
// the speech out tighter than the one before. Lines it never had are not
// given: a second Dialogue made without a line before stays without one.
void GiveBackLinesBefore(TScriptElement& e) {
  const Byte own = OwnFormat(e).LinesBefore;
  e.linesBeforeTaken = 0;
  if (own == e.format.LinesBefore) return;
  e.format.LinesBefore = own;
  if (e.group) e.group->stale = 1;
}

// The character name of the speech an element belongs to (the first of
// its group, which holds what came between the speech's parts), or none.
const TScriptElement* SpeechNameOf(const TScriptElement* e) {
  if (e && e->group && e->group->first && e->group->first->Kind() == ekCharacterName) return e->group->first;
  while (e && IsDialogueOrParenthetical(e->Kind())) e = e->prev;
  return e && e->Kind() == ekCharacterName ? e : nullptr;
}

// Whether the name after a break inside a speech goes with the break: the
// speech's own name, or the name the break repeated while nobody typed
// over it (the speech's own name may have been retyped since). A name
// typed over the repeated one is the writer's and stays.
bool DropsRepeatedName(TMDIChild& w, const TScriptElement* p, const TScriptElement& name) {
  const std::string text = LiveElementText(w, name);
  const TScriptElement* speech = SpeechNameOf(p);
  if (speech && LiveElementText(w, *speech) == text) return true;
  const auto& given = SplitMemoOf(w).repeatedNames;
  const auto it = given.find(&name);
  return it != given.end() && it->second == text;
}

// Every element of the group after its first becomes a group of its own.
void SplitIntoSingleElements(TMDIChild& w, TElementGroup* g) {
  TElementGroup* const current = w.CurrentGroup;
  w.CurrentGroup = g;
  for (TScriptElement* e = g->first->next; e && e->group == w.CurrentGroup; e = e->next) w.SplitGroupAt(e);
  g->count = GroupRunLength(g);
  g->stale = 1;
  w.CurrentGroup = current;
}

// Takes out the automatic break b and what the pagination did there: the
// repeated character name, the cut through an element. Returns where the
// walk goes on.
TScriptElement* RejoinAt(TMDIChild& w, TScriptElement* b, TLayoutPass* pass) {
  TScriptElement* p = b->prev;
  TScriptElement* n = b->next;
  const Byte how = b->split;
  if (n && IsHeadingOrShot(n->Kind())) {
    n->format.LinesBefore = w.FormatSet[static_cast<size_t>(FormatSlotOfKind(n->Kind()))].LinesBefore;
    if (n->group) n->group->stale = 1;
  }
  TElementGroup* bg = b->group;
  w.DeleteNextElement(p, pass);
  if (bg && !bg->first) FreeGroup(w, bg);
  if (how == spWhole || !n) return p->next;
  TScriptElement* second = n;
  const bool repeatedName = n->Kind() == ekCharacterName && CueContinuedState(n->split) == 2;
  if (repeatedName && !DropsRepeatedName(w, p, *n)) {
    // A name of the writer's own now: the break no longer continues it.
    SetCueContinued(false, *n);
    if (n->next) n->next->linesBeforeTaken = 0;
  } else if (repeatedName) {
    TElementGroup* cg = n->group;
    w.DeleteNextElement(p, pass);
    second = p->next;
    // The rest goes back into the speech before the break; where the speech
    // ended before it (a note came in after the name), each element stands
    // as a group of its own, as a fresh grouping makes them.
    const bool speechGoesOn = p->group && p->group->first && p->group->first->Kind() == ekCharacterName;
    if (cg && cg->first && speechGoesOn) {
      MergeGroupInto(w, cg, p->group);
    } else if (cg && cg->first) {
      SplitIntoSingleElements(w, cg);
    } else if (cg) {
      FreeGroup(w, cg);
    }
  }
  if (how == spFirstPiece && second && second->Kind() == p->Kind() && !IsPageBreakKind(second->Kind()) &&
      !w.IsUnprintedElement(p) && !w.IsUnprintedElement(second))
    JoinPieces(w, p, second, pass);
  else if (second && second->prev == p && how != spFirstPiece) GiveBackLinesBefore(*second);
  else if (second) second->linesBeforeTaken = 0;
  return p->next;
}

}  // namespace

bool IsNameTheBreakRepeated(TMDIChild& window, const TScriptElement& name) {
  // A locked page keeps the name its break repeated: no layout gives it
  // again, so it is never taken for the writer's.
  return IsRepeatedByBreak(name) &&
         (name.prev->Kind() != ekAutoPageBreak || DropsRepeatedName(window, name.prev->prev, name));
}

TElementFormat OwnFormat(const TScriptElement& e) {
  TElementFormat own = e.format;
  if (e.linesBeforeTaken && IsDialogueOrParenthetical(e.Kind()) && own.LinesBefore == 0)
    own.LinesBefore = e.linesBeforeTaken;
  return own;
}

void TakeLinesBeforeUnderRepeatedNames(TMDIChild& w) {
  for (TScriptElement* e = w.FirstElement; e; e = e->next)
    if (e->prev && IsRepeatedByBreak(*e->prev)) ClearSpeechLinesBefore(w, e);
}

// ---- Printer metrics and heights ----

void ReadPrinterMetrics(TMDIChild* script) {
  TPrinterMetrics m;
  TPrinter* printer = Platform::Exists() ? Printer() : nullptr;
  if (printer && printer->HasPrinter()) {
    const int dpiX = printer->GetDeviceCaps(LOGPIXELSX);
    const int dpiY = printer->GetDeviceCaps(LOGPIXELSY);
    const int width = printer->GetDeviceCaps(PHYSICALWIDTH);
    const int height = printer->GetDeviceCaps(PHYSICALHEIGHT);
    if (dpiX > 0 && dpiY > 0 && width > 0 && height > 0) {
      m.DpiX = dpiX;
      m.DpiY = dpiY;
      m.PageWidth = width;
      m.PageHeight = height;
      m.OffsetX = std::max(0, printer->GetDeviceCaps(PHYSICALOFFSETX));
      m.OffsetY = std::max(0, printer->GetDeviceCaps(PHYSICALOFFSETY));
    }
  }
  // Tenths of an inch, rounded half up.
  m.MinLeftMargin = (m.OffsetX * 20 + m.DpiX) / (2 * m.DpiX);
  m.MinTopMargin = (m.OffsetY * 20 + m.DpiY) / (2 * m.DpiY);
  PrinterMetrics = m;
  if (script && script->TopMargin < m.MinTopMargin) script->TopMargin = static_cast<Byte>(m.MinTopMargin);
}

int TextLineHeight(const TScriptDocument& script, const TElementFormat& format) {
  return format.FontSize * PrinterMetrics.DpiY / 72 * TextPercent(script) / 100;
}

int BlankLineHeight(const TScriptDocument& script, const TElementFormat& format) {
  return format.FontSize * PrinterMetrics.DpiY / 72 * script.BlankSpacing / 100;
}

Byte PageBreakLineCount(const TScriptDocument& script, const TScriptElement* pageBreak) {
  if (!ProgramOptions().DisplayHeaders) return 2;
  bool secondHeader = !script.HeaderLine2.empty();
  // A locked header text carried by the break counts as a second line.
  if (!secondHeader && script.HeaderTextLocked && pageBreak && pageBreak->text &&
      pageBreak->Kind() != ekAutoPageBreak) {
    const std::string header = UnpackText(*pageBreak->text);
    secondHeader = header.size() >= 2 && static_cast<Byte>(header.back()) != 0x8D;
  }
  const int lines = 1 + !script.HeaderLine1.empty() + secondHeader + script.HeaderBlankLines +
                    2 * (script.TopSceneContinued != 0) + 2 * (script.BottomSceneContinued != 0);
  return static_cast<Byte>(std::min(lines, 255));
}

std::vector<Word> FindSentenceEnds(std::string_view text, bool twoBlanks, bool ellipsis) {
  std::vector<Word> ends;
  const size_t n = text.size();
  size_t p = 0;
  while (ends.size() < MaxSentenceEnds) {
    while (p < n && IsTerminator(text[p])) ++p;
    while (p < n && !IsTerminator(text[p])) ++p;
    if (p + 2 >= n) break;
    const size_t end = SentenceEndAt(text, p, twoBlanks, ellipsis);
    if (end == std::string_view::npos) {
      ++p;
      continue;
    }
    const size_t at = AdvanceEnd(text, end, ellipsis);
    ends.push_back(static_cast<Word>(at));
    p = at + 1;
  }
  return ends;
}

bool EndsSentenceBefore(std::string_view text, std::size_t column, bool ellipsis) {
  column = std::min(column, text.size());
  std::size_t t = column;
  while (t > 0 && IsClosingQuote(text[t - 1])) --t;
  if (t == 0 || !IsTerminator(text[t - 1])) return false;
  while (t > 1 && IsTerminator(text[t - 2])) --t;
  std::string probe(text.substr(0, column));
  probe += " X";
  return SentenceEndAt(probe, t - 1, false, ellipsis) != std::string_view::npos;
}

// ---- The script window's side ----

bool TMDIChild::ScreenUpdatesSuspended() {
  return Platform::Exists() && HandleAllocated() && Platform::Current().LockedWindow == Handle();
}

void TMDIChild::SetPrinterLineHeight() {
  ReadPrinterMetrics(this);
  PrinterLineHeight = ScriptFontSize * PrinterMetrics.DpiY / 72;
}

void TMDIChild::ComputePageHeight() {
  const std::string& fontName = FontNameTable[FormatSet[fsAction].FontIndex()];
  if (!fontName.empty()) ScriptFontName = fontName.substr(0, FontNameLength);
  SetupScreenFont(*this);
  ComputeUsablePageHeight();
}

std::int32_t TMDIChild::ComputeUsablePageHeight() {
  SetPrinterLineHeight();  // raises the top margin to the printer's smallest
  if (TopMargin + BottomMargin == 0) BottomMargin = 8;
  const int lh = PrinterLineHeight;
  const int text = lh * TextSpacing / 100;
  const int blank = lh * BlankSpacing / 100;
  int usable = PrinterMetrics.PageHeight - PrinterMetrics.DpiY / 10 * (TopMargin + BottomMargin - 1) - text;
  if (!HeaderLine2.empty()) usable -= text;
  if (TopSceneContinued) usable -= blank + text;
  usable -= HeaderBlankLines * blank;
  UsablePageHeight = usable;
  return usable;
}

void TMDIChild::RefreshLayout(TLayoutRun run) {
  if (!CurrentElement()) return;
  TLayoutPass pass;
  RebuildElementGroups(&pass);
  if (run == TLayoutRun::Explicit || !ProgramOptions().NoAutoPagination) {
    pass.autoBreaksListed = !IsPageBreakKind(FirstElement->Kind());
    pass.regroupAfterRejoin = true;
    RepaginateScript(&pass);
  }
  if (RenumberDue) RenumberScenes(true);
  RenumberDue = 0;
  LayoutDue = 0;
  NoteScriptShapeChange();
}

void TMDIChild::RepaginateScript(TLayoutPass* given) {
  if (!CurrentElement()) return;
  TLayoutPass own;
  TLayoutPass& pass = given ? *given : own;
  const bool caretAtStart = CaretColumn() == 0;
  const bool edited = !CurrentElement()->text.has_value();
  bool endAfterBlank = false;
  if (edited && !EditBuffer().empty() && !IsPageBreakKind(CurrentElement()->Kind())) {
    pass.savedEditText = EditBuffer();
    endAfterBlank = CaretColumn() >= EditBuffer().size() && EditBuffer().back() == ' ';
  }
  for (int i = 1; i <= ScreenLineCount; ++i)
    if (const TScriptElement* shown = ScreenLines[static_cast<size_t>(i)].element) pass.shownElements.push_back(shown);
  std::sort(pass.shownElements.begin(), pass.shownElements.end());
  pass.shownElementsListed = true;
  RejoinSplitElements(&pass);
  if (pass.regroupAfterRejoin) RebuildElementGroups();
  PaginateScript(&pass);
  pass.shownElementsListed = false;
  LayoutDue = 0;
  NoteScriptShapeChange();
  const bool editing = !CurrentElement()->text;
  if (editing) RestoreEditLine(pass.savedEditText, endAfterBlank);
  if (caretAtStart) EditFields(*this).CaretColumn = 0;
}

// The edit line comes back as the writer left it when the pass did not
// change the element (storing trims blanks the writer has just typed); a
// blank typed at the end stays there.
void TMDIChild::RestoreEditLine(const std::optional<std::string>& kept, bool endAfterBlank) {
  bool rewrap = false;
  if (kept && *kept != EditBuffer()) {
    EditFields(*this).EditBuffer = kept->substr(0, MaxElementChars);
    rewrap = true;
  }
  if (CaretColumn() > EditBuffer().size()) EditFields(*this).CaretColumn = static_cast<Word>(EditBuffer().size());
  if (endAfterBlank && CaretColumn() == EditBuffer().size() && (EditBuffer().empty() || EditBuffer().back() != ' ') &&
      EditBuffer().size() < MaxElementChars) {
    EditFields(*this).EditBuffer.push_back(' ');
    ++EditFields(*this).CaretColumn;
    rewrap = true;
  }
  if (rewrap) WordWrapText(CurrentElement(), EditBuffer(), false, false);
}

void TMDIChild::RefreshKeepingCursor(TLayoutRun run) {
  if (!CurrentElement()) return;
  RefreshLayout(run);
  RenumberScenes(true);
  // The edit line goes to an element the writer can type in: not an
  // automatic break, not a name the pagination repeated.
  const auto usable = [](const TScriptElement* e) {
    return e->Kind() != ekAutoPageBreak && !(e->Kind() == ekCharacterName && CueContinuedState(e->split) == 2 &&
                                             e->prev && e->prev->Kind() == ekAutoPageBreak);
  };
  if (!usable(CurrentElement())) {
    Assemble();
    TScriptElement* e = CurrentElement();
    while (e && !usable(e)) e = e->next;
    if (!e)
      for (e = CurrentElement(); e && !usable(e);) e = e->prev;
    if (e) {
      EditFields(*this).CurrentElement = e;
      EditFields(*this).CaretColumn = 0;
      EditFields(*this).CaretLine = 1;
    }
  }
  DisAssemble();
  RebuildScreen(this);
  RedisplayScreen(false);
}

void TMDIChild::LayOutWhenDue() {
  if (CurrentElement() && LayoutDue) RefreshKeepingCursor(TLayoutRun::Background);
}

TSplitMemo& TPageBreaker::Memo() {
  if (!memo_) memo_ = &SplitMemoOf(w_);
  return *memo_;
}

void TPageBreaker::MarkSentenceEnds(TScriptElement* element) {
  TSplitMemo& splitMemo = Memo();
  lineStartCount_ = 0;
  sentenceEnds_.clear();
  lineStarts_.fill(0);
  if (!element || !element->text) return;
  TSplitMemo::Entry* memo = splitMemo.Find(element);
  const bool remembered = memo && memo->whole == *element->text && memo->format == element->format &&
                          memo->wholeOffsets == element->lineOffsets && memo->wholeLines == element->lineCount;
  if (remembered) {
    sentenceEnds_ = memo->sentenceEnds;
  } else {
    const std::string text = ElementText(element);
    const bool twoBlanks = ProgramOptions().AutoSentenceSpacing && ProgramOptions().SentenceSpacing.size() > 1;
    sentenceEnds_ = FindSentenceEnds(text, twoBlanks, AllowPageBreakAtElipses);
    if (!(element->LineOffsetsValid() && element->lineCount >= 2)) {
      element->lineOffsets.clear();
      w_.WordWrapText(element, text, false, false);
    }
    memo = &(splitMemo.entries[element] = TSplitMemo::Entry{});
    memo->whole = *element->text;
    memo->format = element->format;
    memo->wholeOffsets = element->lineOffsets;
    memo->wholeLines = element->lineCount;
    memo->sentenceEnds = sentenceEnds_;
  }
  memo->usedInPass = splitMemo.pass;
  lineStartCount_ = LineStartsFromBlock(element->lineOffsets, lineStarts_);
  if (lineStartCount_ == 0) {
    lineStartCount_ = 1;
    lineStarts_[2] = static_cast<Word>(ElementText(element).size() + 1);
  }
}

bool TPageBreaker::SplitElementAt(TScriptElement* w, int position) {
  TSplitMemo& splitMemo = Memo();
  if (!w || position < 0 || position >= EditBufferSize || !w->text || IsPageBreakKind(w->Kind())) return false;
  TSplitMemo::Entry* memo = splitMemo.Find(w);
  const bool inBlock = w_.BlockOn() && w->InBlock();
  const bool remembered = memo && !inBlock && memo->position == position && memo->whole == *w->text &&
                          memo->format == w->format && memo->wholeOffsets == w->lineOffsets &&
                          memo->wholeLines == w->lineCount;
  std::string text;
  size_t secondStart = 0;
  if (remembered) {
    secondStart = memo->firstLength;
  } else {
    text = ElementText(w);
    secondStart = static_cast<size_t>(position) + 1;
    while (secondStart < text.size() && text[secondStart] == ' ') ++secondStart;
    if (secondStart >= text.size()) return false;
  }
  splitMade_ = true;
  speechSplit_ = false;
  if (w == w_.CurrentElement() && pass_) pass_->savedEditText.reset();

  TScriptElement* n = NewElementRecord(w_);
  n->format = w->format;
  n->storyboardLink = w->storyboardLink;
  n->avColumn = w->avColumn;
  w_.InsertElementAfter(w, n);
  if (ClearSpeechLinesBefore(w_, n)) speechSplit_ = true;
  TElementGroup* whole = w->group;
  w_.CurrentGroup = whole;
  w_.InsertGroupAfter(n);
  // The rest of the group (of a speech) goes on with the second piece.
  for (TScriptElement* e = n->next; whole && e && e->group == whole; e = e->next) e->group = n->group;
  if (whole) {
    whole->count = GroupRunLength(whole);
    whole->stale = 1;
  }
  n->group->count = GroupRunLength(n->group);

  if (remembered) {
    w->text = memo->first;
    w->lineOffsets = memo->firstOffsets;
    w->lineCount = memo->firstLines;
    n->text = memo->second;
    n->lineOffsets = memo->secondOffsets;
    n->lineCount = memo->secondLines;
    n->format = memo->secondFormat;
  } else {
    TSplitMemo::Entry fresh;
    fresh.whole = *w->text;
    fresh.format = w->format;
    fresh.wholeOffsets = w->lineOffsets;
    fresh.wholeLines = w->lineCount;
    fresh.sentenceEnds = sentenceEnds_;
    fresh.position = position;
    // The blanks between the pieces stay at the end of the first, where
    // they print nothing, so that joining the pieces gives the text back;
    // a blank that passed the margin and opened a line of its own in the
    // whole text opens the second piece instead.
    std::string first = text.substr(0, secondStart);
    w->text = StoredText(w->Kind(), first);
    w->lineOffsets.clear();
    w_.WordWrapText(w, first, false, false);
    const size_t lastLine = LastLineStart(*w);
    if (lastLine > 0 && first.find_first_not_of(' ', lastLine) == std::string::npos) {
      secondStart = lastLine;
      first.resize(lastLine);
      w->text = StoredText(w->Kind(), first);
      w_.WordWrapText(w, first, false, false);
    }
    const std::string second = text.substr(secondStart);
    fresh.firstLength = secondStart;
    if (inBlock) DivideBlock(*w, *n, static_cast<int>(secondStart));
    CarryStyles(n->format, w->format, first, second, w_.UsesUserColours != 0);
    n->text = StoredText(n->Kind(), second);
    w_.WordWrapText(n, second, false, false);
    memo = nullptr;
    if (!inBlock) {
      fresh.first = *w->text;
      fresh.second = *n->text;
      fresh.firstOffsets = w->lineOffsets;
      fresh.secondOffsets = n->lineOffsets;
      fresh.firstLines = w->lineCount;
      fresh.secondLines = n->lineCount;
      fresh.secondFormat = n->format;
      memo = &(splitMemo.entries[w] = std::move(fresh));
    }
  }
  if (memo) memo->usedInPass = splitMemo.pass;
  SplitRevisedLines(*w, *n);
  n->group->stale = 1;
  if (w == w_.CurrentElement() && w_.CaretColumn() > secondStart) {
    EditFields(w_).CurrentElement = n;
    EditFields(w_).CaretColumn = static_cast<Word>(w_.CaretColumn() - secondStart);
  }
  w_.CurrentGroup = n->group;
  InsertContinuedCue(n, true);
  return true;
}

void TPageBreaker::InsertContinuedCue(TScriptElement* x, bool elementSplit) {
  splitMade_ = true;
  if (elementSplit) speechSplit_ = false;
  if (!savedCue_.saved || !x || !x->prev || !IsDialogueOrParenthetical(x->Kind()) || !x->group) return;
  TScriptElement* r = NewElementRecord(w_);
  r->format = savedCue_.format;
  r->text = savedCue_.text;
  r->split = RepeatedCueCode(savedCue_.code);
  w_.InsertElementAfter(x->prev, r);
  // As many lines as the speech's own name: a later wrap finds it so.
  w_.WordWrapText(r, ElementText(r), false, false);
  Memo().repeatedNames[r] = savedCue_.text;
  ClearSpeechLinesBefore(w_, x);
  if (!elementSplit) speechSplit_ = true;
  TElementGroup* g = x->group;
  TElementGroup* before = g->prev;
  r->group = g;
  g->first = r;
  for (TScriptElement* e = r->next; e && (e->group == g || (before && e->group == before)); e = e->next) e->group = g;
  g->count = GroupRunLength(g);
  g->stale = 1;
  if (before) {
    before->count = before->first ? GroupRunLength(before) : 0;
    before->stale = 1;
  }
  w_.CurrentGroup = g;
  if (w_.DialogueNumbering && w_.Editable) w_.RenumberDue = 1;
}

void TMDIChild::RejoinSplitElements(TLayoutPass* pass) {
  if (!CurrentElement() || ScreenUpdatesSuspended()) return;
  ForgetScreenLinesOf(*this, nullptr);
  LayoutDue = 0;
  NoteScriptShapeChange();
  Assemble();
  SplitMemoOf(*this).StartPass(LayoutFingerprint(*this));
  if (CurrentElement()->Kind() == ekAutoPageBreak) {
    TScriptElement* e = CurrentElement();
    while (e && IsPageBreakKind(e->Kind())) e = e->prev;
    if (!e)
      for (e = CurrentElement(); e && IsPageBreakKind(e->Kind());) e = e->next;
    if (e) {
      EditFields(*this).CurrentElement = e;
      EditFields(*this).CaretColumn = 0;
    }
  }
  // The breaks the rebuild just listed are all there is to visit; taking
  // one out never removes another.
  if (pass && pass->autoBreaksListed) {
    pass->autoBreaksListed = false;
    for (TScriptElement* b : pass->autoBreaks) RejoinAt(*this, b, pass);
    pass->autoBreaks.clear();
  } else {
    if (FirstElement->Kind() == ekAutoPageBreak) RemoveLeadingBreak(*this);
    for (TScriptElement* e = FirstElement; e;) {
      if (e->Kind() == ekAutoPageBreak && e->prev) e = RejoinAt(*this, e, pass);
      else e = e->next;
    }
  }
  // The breaks are out: no name is repeated any more.
  SplitMemoOf(*this).repeatedNames.clear();
}

}  // namespace qm
