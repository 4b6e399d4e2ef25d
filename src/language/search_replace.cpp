#include "language/search_replace.h"

#include <algorithm>
#include <array>

#include "base/document_table.h"
#include "base/global_state.h"
#include "base/message_boxes.h"
#include "language/found_text.h"
#include "language/search_tools.h"
#include "platform/cp1252.h"
#include "script/editing/goto_commands.h"
#include "script/editing/document_modified.h"
#include "script/editing/editor_calls.h"
#include "script/layout/char_widths.h"
#include "script/model/element_cursors.h"
#include "script/model/packed_text.h"
#include "script/script_window.h"

namespace qm {

namespace {

struct TFormatWord {
  const char* word;
  Byte code;
};
// clang-format off
constexpr std::array<TFormatWord, 11> FormatWords{{
    {"{U+}", UnderlineOn}, {"{U-}", UnderlineOff}, {"{B+}", BoldOn}, {"{B-}", BoldOff},
    {"{I+}", ItalicsOn}, {"{I-}", ItalicsOff}, {"{S+}", StrikeOutOn}, {"{S-}", StrikeOutOff},
    {"{HS}", HardSpace}, {"{HD}", HardDash}, {"{HR}", HardReturn},
}};
// clang-format on

// Whole words: what may stand before a word and after it, and the last
// characters of a search text that need no word end after them.
constexpr CharSet MayPrecede{4, 32, 34, 39, 40, 91, 145, 146};
constexpr CharSet NoWordEnd = CharSet{32, 33, 34, 36,  38,  39,  40,  41,  44,  45,  46,  58, 59,
                                      63, 91, 93, 123, 125, 145, 146, 147, 148, 151, 171, 187};
constexpr CharSet MayFollow = NoWordEnd + CharSet{0, 47};

Byte At(std::string_view text, std::size_t i) { return static_cast<Byte>(text[i]); }

// The end of a match that starts at `start`, stepping over skipped
// characters of the text; none when the text differs.
std::optional<std::size_t> MatchEnd(std::string_view text, const TSearchPattern& p, std::size_t start) {
  std::size_t i = start;
  for (std::size_t k = 0; k < p.text.size();) {
    if (i >= text.size()) return std::nullopt;
    if (p.Fold(text[i]) == p.text[k]) {
      ++i;
      ++k;
    } else if (k > 0 && p.skipped.Contains(text[i])) {
      ++i;
    } else {
      return std::nullopt;
    }
  }
  return i;
}

bool WholeWordAt(std::string_view text, const TSearchPattern& p, std::size_t start, std::size_t end) {
  if (!MayPrecede.Contains(p.text.front())) {
    std::size_t i = start;
    while (i > 0 && p.skipped.Contains(text[i - 1])) --i;
    if (i > 0 && !MayPrecede.Contains(text[i - 1])) return false;
  }
  if (!NoWordEnd.Contains(p.text.back())) {
    std::size_t i = end;
    while (i < text.size() && p.skipped.Contains(text[i])) ++i;
    const Byte after = i < text.size() ? At(text, i) : Byte{0};
    if (!MayFollow.Contains(after)) return false;
  }
  return true;
}

std::optional<TTextMatch> MatchAt(std::string_view text, const TSearchPattern& p, std::size_t start) {
  if (p.Fold(text[start]) != p.text.front()) return std::nullopt;
  const auto end = MatchEnd(text, p, start);
  if (!end || (p.wholeWords && !WholeWordAt(text, p, start, *end))) return std::nullopt;
  return TTextMatch{start, *end};
}

bool IsSmallLetter(Byte c) { return c >= 'a' && c <= 'z'; }
bool IsWordGap(Byte c) { return c == ' ' || c == HardSpace; }

}  // namespace

std::string TranslateFormatCodes(std::string text) {
  for (const TFormatWord& w : FormatWords) {
    const std::string_view word = w.word;
    for (std::size_t at = text.find(word); at != std::string::npos; at = text.find(word, at + 1))
      text.replace(at, word.size(), 1, static_cast<char>(w.code));
  }
  return text;
}

std::string ComparableText(std::string_view text, const TSearchPattern& pattern) {
  std::string result(text);
  for (char& c : result) c = pattern.Fold(c);
  return result;
}

TSearchPattern MakeSearchPattern(std::string_view typed, bool exactCase, bool wholeWords, const CharSet& codes) {
  TSearchPattern p;
  p.exactCase = exactCase;
  p.wholeWords = wholeWords;
  p.codes = codes;
  for (int b = 0; b < 256; ++b) {
    const auto byte = static_cast<Byte>(b);
    p.fold[byte] = static_cast<char>(exactCase || codes.Contains(byte) ? byte : AnsiUpper(byte));
  }
  p.text = ComparableText(TranslateFormatCodes(std::string(typed)), p);
  p.skipped = codes + CharSet{SoftHyphen};
  if (!p.text.empty()) {
    // The first character is matched as itself, never stepped over.
    CharSet without;
    for (int b = 0; b < 256; ++b)
      if (p.skipped.Contains(static_cast<Byte>(b)) && b != At(p.text, 0)) without.Include(static_cast<Byte>(b));
    p.skipped = without;
  }
  return p;
}

std::optional<TTextMatch> FindInText(std::string_view text, const TSearchPattern& p, std::size_t from, bool backwards) {
  if (p.text.empty() || text.empty()) return std::nullopt;
  if (!backwards) {
    for (std::size_t s = from; s < text.size(); ++s)
      if (auto m = MatchAt(text, p, s)) return m;
    return std::nullopt;
  }
  for (std::size_t s = std::min(from, text.size()); s-- > 0;)
    if (auto m = MatchAt(text, p, s); m && m->end <= from) return m;
  return std::nullopt;
}

std::string CapitalsLike(std::string_view found, std::string_view replacement, bool inCue, const CharSet& codes) {
  bool allCaps = true, firstCap = false, wordCaps = true, atWordStart = true, first = true;
  for (char ch : found) {
    const Byte c = static_cast<Byte>(ch);
    if (codes.Contains(c)) continue;
    if (IsSmallLetter(c)) allCaps = false;
    if (first) firstCap = IsAnsiUpper(c);
    if (atWordStart && !IsWordGap(c) && !IsAnsiUpper(c)) wordCaps = false;
    atWordStart = IsWordGap(c);
    first = false;
  }
  std::string result(replacement);
  bool cueName = inCue;
  bool wordStart = true;
  bool firstLetter = true;
  for (char& ch : result) {
    const Byte c = static_cast<Byte>(ch);
    if (c == '(') cueName = false;
    if (codes.Contains(c)) continue;
    bool upper = allCaps || cueName;
    if (!upper) upper = (firstLetter && firstCap) || (wordStart && wordCaps && !firstLetter);
    ch = static_cast<char>(upper ? AnsiUpper(c) : AnsiLower(c));
    wordStart = IsWordGap(c);
    firstLetter = false;
  }
  return result;
}

// ---- The search of a script ----

namespace {

TSearchMemory Memory;
// Where the running search began; moved on when its element goes.
TScriptElement* SearchStart = nullptr;
Word SearchStartColumn = 0;
struct TStartCursor {
  TStartCursor() { RegisterElementCursor(&SearchStart); }
} StartCursor;

const GlobalState reset([] {
  Memory = TSearchMemory{};
  SearchStart = nullptr;
  SearchStartColumn = 0;
});

constexpr int CaptionTextLength = 20;

// What each byte of a packed text stands for.
const std::array<std::string, 256>& PackedExpansions() {
  static const std::array<std::string, 256> expansions = [] {
    std::array<std::string, 256> all;
    for (int b = 1; b < 256; ++b) all[static_cast<std::size_t>(b)] = UnpackText(std::string(1, static_cast<char>(b)));
    return all;
  }();
  return expansions;
}

// The packed bytes that may stand for one of the pattern's characters (its
// rarest, by the number of such bytes): an element whose packed text has
// none of them cannot hold a match and is not unpacked.
CharSet PackedBytesFor(const TSearchPattern& p) {
  constexpr CharSet Escapes{122, 127, 128};
  CharSet best;
  int bestCount = 257;
  for (char wanted : p.text) {
    CharSet bytes = Escapes;
    int count = 0;
    for (int b = 1; b < 256; ++b) {
      const std::string& expansion = PackedExpansions()[static_cast<std::size_t>(b)];
      if (std::ranges::any_of(expansion, [&](char c) { return p.Fold(c) == wanted; })) {
        bytes.Include(static_cast<Byte>(b));
        ++count;
      }
    }
    if (count < bestCount) {
      best = bytes;
      bestCount = count;
    }
  }
  return best;
}

// A match in the script.
struct TScriptMatch {
  TScriptElement* element;
  TTextMatch at;
};

// How a search walks the script: its pattern, direction and kinds.
class TScriptSearch {
 public:
  TScriptSearch(const TScriptDocument& script, const std::string& text, const TSearchOptions& options, bool counting)
      : script_(script),
        pattern_(MakeSearchPattern(text, options.exactCase, options.wholeWords, CodeSetOf(script))),
        options_(options),
        packedBytes_(PackedBytesFor(pattern_)),
        counting_(counting) {}

  const TSearchPattern& Pattern() const { return pattern_; }
  bool Cancelled() const { return cancelled_; }

  // The next match from a column of an element on; none at the end of
  // the script or after a Cancel.
  std::optional<TScriptMatch> Next(TScriptElement* start, std::size_t column) {
    if (pattern_.text.empty()) return std::nullopt;
    TScriptElement* e = start;
    std::size_t from = column;
    while (e) {
      if (Searchable(*e) && MayHold(*e)) {
        const std::string text = TextOf(*e);
        if (e != start) from = options_.backwards ? text.size() : 0;
        if (auto m = FindInText(text, pattern_, from, options_.backwards)) return TScriptMatch{e, *m};
      }
      e = options_.backwards ? e->prev : e->next;
      if (e && IsPageBreakKind(e->Kind()) && PassPageBreak(*e)) return std::nullopt;
    }
    return std::nullopt;
  }

  std::string BoxText(const TScriptElement* e) const {
    std::string text = "Searching Page " + PageLabelAt(script_, e);
    if (counting_)
      text += "\r\r" + std::string(options_.tagging ? "Tagged: " : "Replaced: ") + std::to_string(Memory.replaced);
    return text;
  }

 private:
  bool Searchable(const TScriptElement& e) const {
    const Byte kind = e.Kind();
    if (IsPageBreakKind(kind) || kind >= 32 || !((options_.kinds >> kind) & 1)) return false;
    return !((script_.HiddenKinds >> kind) & 1);
  }

  bool MayHold(const TScriptElement& e) const {
    if (!e.text || e.text->empty() || !HoldsPackedText(e.Kind())) return true;
    return std::ranges::any_of(*e.text, [this](char b) { return packedBytes_.Contains(b); });
  }

  std::string TextOf(const TScriptElement& e) const {
    std::string text = LiveElementText(script_, e);
    return text.empty() ? std::string(" ") : text;
  }

  // A page break shows how far the search has come and lets a Cancel in.
  bool PassPageBreak(const TScriptElement& e) {
    if (MyNewMsgBox && MyNewMsgBox->Visible && !MyNewMsgBox->Modal()) {
      MyNewMsgBox->PleaseWaitText = BoxText(&e);
      TickPleaseWait();
    }
    cancelled_ = GetMsgBoxResult() == mrCancel;
    return cancelled_;
  }

  const TScriptDocument& script_;
  TSearchPattern pattern_;
  TSearchOptions options_;
  CharSet packedBytes_;
  bool counting_;
  bool cancelled_ = false;
};

std::string QuotedForCaption(const std::string& text) {
  std::string shown = text.size() > CaptionTextLength ? text.substr(0, CaptionTextLength) + "..." : text;
  return "I Found \"" + shown + "\"";
}

// What a found colour or strike-out is called in the question after it.
std::string FoundCaption(const std::string& text, const TSearchOptions& options) {
  const std::string codes = TranslateFormatCodes(text);
  const Byte first = codes.empty() ? Byte{0} : static_cast<Byte>(codes.front());
  switch (first) {
    case 18: return "I Found the Next Blue Text";
    case 16: return "I Found the Next Red Text";
    case 20: return "I Found the Next Green Text";
    case StrikeOutOn: return "I Found the Next StrikedOut Text";
    default: break;
  }
  constexpr std::array<Byte, 7> UserColourOpenCodes{253, 221, 238, 245, 208, 159, 131};
  for (std::size_t i = 0; options.colourCodes && i < UserColourOpenCodes.size(); ++i)
    if (first == UserColourOpenCodes[i]) return "I Found the Next User Color " + std::to_string(i + 1) + " Text";
  return QuotedForCaption(text);
}

// The element with the match becomes current, its text in the edit line.
void PlaceAtMatch(TMDIChild& script, const TScriptMatch& m) {
  if (script.CurrentElement() != m.element) editor::MoveCaretTo(script, *m.element);
  else editor::DisAssemble(script);
  editor::SetCaretColumn(script, std::min(m.at.start, script.EditBuffer().size()));
}

void FrameMatch(TMDIChild& script, const TScriptMatch& m, bool backwards) {
  PlaceAtMatch(script, m);
  MarkFoundText(script, *m.element, static_cast<int>(m.at.start), static_cast<int>(m.at.end));
  editor::SetCaretColumn(script, backwards ? m.at.start : m.at.end);
}

void ClearFrame(TMDIChild& script) { ClearFoundText(script); }

void ReturnToStart(TMDIChild& script) {
  if (!SearchStart) return;
  editor::MoveCaretTo(script, *SearchStart);
  editor::SetCaretColumn(script, std::min<std::size_t>(SearchStartColumn, script.EditBuffer().size()));
  editor::RedisplayCurrent(script);
}

void EndSearch() {
  ClosePleaseWait();
  SearchStart = nullptr;
}

}  // namespace

TSearchMemory& SearchMemory() { return Memory; }

void RememberInHistory(std::vector<std::string>& history, const std::string& text) {
  const std::string upper = AnsiUpperCase(text);
  std::erase_if(history, [&](const std::string& h) { return AnsiUpperCase(h) == upper; });
  history.push_back(text);
}

void InitSearchPosition(TMDIChild& script) {
  SearchStart = script.CurrentElement();
  SearchStartColumn = script.CaretColumn();
}

std::string PageLabelAt(const TScriptDocument& script, const TScriptElement* element) {
  for (const TScriptElement* e = element; e; e = e->prev) {
    if (!IsPageBreakKind(e->Kind())) continue;
    std::string label = std::to_string(script.DisplayNumber(e->group));
    if (const Byte letter = script.DisplayNumberLetter(e->group); letter > ' ') label += static_cast<char>(letter);
    return label.substr(0, 25);
  }
  return "1";
}

bool SearchScript(TMDIChild& script, const std::string& text, const TSearchOptions& options) {
  TScriptSearch search(script, text, options, false);
  if (search.Pattern().text.empty()) return false;
  ShowPleaseWait(search.BoxText(script.CurrentElement()), false, true);
  if (!SearchStart) InitSearchPosition(script);
  while (auto m = search.Next(script.CurrentElement(), script.CaretColumn())) {
    ClosePleaseWait();
    FrameMatch(script, *m, options.backwards);
    if (!AskYesNo("Search Again?", FoundCaption(text, options), true)) {
      EndSearch();
      return true;
    }
    ShowPleaseWait(search.BoxText(m->element), false, true);
    if (GetMsgBoxResult() == mrCancel) break;
    InitSearchPosition(script);
  }
  ClosePleaseWait();
  if (!search.Cancelled()) ShowMessageBox("No More Found!", "Search");
  ClearFrame(script);
  ReturnToStart(script);
  EndSearch();
  return false;
}

namespace {

// The matched text as it stands in the element, and the codes inside it
// that were stepped over (kept where they are; a soft hyphen goes).
struct TFoundText {
  std::string matched;
  std::string keptCodes;
};

TFoundText SplitFound(std::string_view text, const TSearchPattern& p, const TTextMatch& at) {
  TFoundText found;
  const std::string comparable = ComparableText(text, p);
  std::size_t k = 0;
  for (std::size_t i = at.start; i < at.end; ++i) {
    if (k < p.text.size() && comparable[i] == p.text[k]) {
      found.matched += text[i];
      ++k;
    } else if (text[i] != static_cast<char>(SoftHyphen)) {
      found.keptCodes += text[i];
    }
  }
  return found;
}

// Replaces the framed match in the edit line; false when the element
// would grow past what it may hold.
bool ReplaceMatch(TMDIChild& script, const TScriptSearch& search, const TScriptMatch& m, const std::string& replacement,
                  const TReplaceOptions& options, bool quiet) {
  const TFoundText found = SplitFound(script.EditBuffer(), search.Pattern(), m.at);
  const bool inCue = m.element->Kind() == ekCharacterName;
  const std::string typed =
      options.matchCaps ? CapitalsLike(found.matched, replacement, inCue, search.Pattern().codes) : replacement;
  if (!editor::RoomToType(script, m.at.end - m.at.start - found.keptCodes.size(), typed)) return false;
  editor::ChangeEditText(script,
                         [&](std::string& line) { line.replace(m.at.start, m.at.end - m.at.start, found.keptCodes); });
  editor::SetCaretColumn(script, m.at.start + found.keptCodes.size());
  const Word typedAt = editor::TypeAtCaret(script, typed);
  ShowFoundElement(*m.element);
  if (options.backwards) editor::SetCaretColumn(script, typedAt);
  if (quiet) editor::RewrapCurrent(script);
  else editor::RedisplayCurrent(script);
  if (!options.tagging) editor::MarkCaretLineRevised(script);
  return true;
}

// The caret past a match the user skipped.
void SkipMatch(TMDIChild& script, const TScriptMatch& m, bool backwards) {
  editor::SetCaretColumn(script, backwards ? m.at.start : m.at.end);
}

}  // namespace

namespace {

// The replace loop: each match counted, asked about while `prompt`, and
// replaced. True when the user cancelled.
bool ReplaceMatches(TMDIChild& script, TScriptSearch& search, const std::string& text, const std::string& translated,
                    const TReplaceOptions& options, bool prompt) {
  bool quietRun = false;
  while (const auto m = search.Next(script.CurrentElement(), script.CaretColumn())) {
    // Unasked, the screen is laid out once at the end.
    quietRun |= !prompt;
    if (prompt) PlaceAtMatch(script, *m);
    else editor::TakeElement(script, *m->element);
    // Tagging: a match right after the tag's code is tagged already.
    if (options.tagging && !translated.empty() && m->at.start > 0 &&
        script.EditBuffer()[m->at.start - 1] == translated[0]) {
      SkipMatch(script, *m, options.backwards);
      continue;
    }
    ++Memory.found;
    if (prompt) {
      ClosePleaseWait();
      FrameMatch(script, *m, options.backwards);
      const TModalResult answer = AskOkSkipCancelAll(options.tagging ? "Should I tag it?" : "Should I replace it?",
                                                     QuotedForCaption(text), true);
      ClearFrame(script);
      PlaceAtMatch(script, *m);
      if (answer == mrCancel) return true;
      ShowPleaseWait(search.BoxText(m->element), false, true);
      if (answer == mrNo) {
        SkipMatch(script, *m, options.backwards);
        continue;
      }
      if (answer == mrAll) prompt = false;
    }
    if (ReplaceMatch(script, search, *m, translated, options, !prompt)) ++Memory.replaced;
    else SkipMatch(script, *m, options.backwards);
  }
  if (quietRun) editor::RedisplayScreen(script);
  return search.Cancelled();
}

}  // namespace

std::optional<TFoundPlace> FindNextInScript(TMDIChild& script, const std::string& text, const TSearchOptions& options) {
  return FindNextInDocument(script, script.CurrentElement(), script.CaretColumn(), text, options);
}

std::optional<TFoundPlace> FindNextInDocument(const TScriptDocument& script, TScriptElement* start, std::size_t column,
                                              const std::string& text, const TSearchOptions& options) {
  TScriptSearch search(script, text, options, false);
  const auto m = search.Next(start, column);
  if (!m) return std::nullopt;
  return TFoundPlace{m->element, m->at};
}

int ReplaceEveryMatch(TMDIChild& script, const std::string& text, const std::string& replacement,
                      const TReplaceOptions& options) {
  Memory.found = Memory.replaced = 0;
  TScriptSearch search(script, text, options, true);
  ReplaceMatches(script, search, text, TranslateFormatCodes(replacement), options, false);
  return Memory.replaced;
}

void SearchReplaceOrTag(TMDIChild& script, const std::string& text, const std::string& replacement,
                        const TReplaceOptions& options) {
  if (options.restart || !SearchStart) InitSearchPosition(script);
  Memory.found = Memory.replaced = 0;
  editor::SaveUndoStep(script, ukWholeScript);
  TScriptSearch search(script, text, options, true);
  ShowPleaseWait(search.BoxText(script.CurrentElement()), false, true);
  const bool cancelled =
      ReplaceMatches(script, search, text, TranslateFormatCodes(replacement), options, options.prompt);
  ClosePleaseWait();
  // Each replacement marked its own line; the caret's may hold a match
  // skipped or left by Cancel, and a tag revises no text.
  if (Memory.replaced > 0) SetDocumentModified(true, false);
  if (options.tagging)
    ShowMessageBox("Found: " + std::to_string(Memory.found) + "\rTagged: " + std::to_string(Memory.replaced),
                   "Item Tagging is done");
  else
    ShowMessageBox("Found: " + std::to_string(Memory.found) + "\rReplaced: " + std::to_string(Memory.replaced),
                   "Search/Replace is done");
  if (AskYesNo("Return to Starting Position of Search?", cancelled ? "Search Canceled" : "Search/Replace Completed",
               true))
    ReturnToStart(script);
  EndSearch();
}

namespace {

// The Goto menu's searches leave their own kind: a script note (4), an
// A-page (6) or a forced break (7).
bool RepeatGotoSearch(TMDIChild& script) {
  switch (RepeatSearch.kind) {
    case 4: SearchNextMarked(script, TGotoTarget::ScriptNote); return true;
    case 6: SearchNextBreak(script, TGotoTarget::APage); return true;
    case 7: SearchNextBreak(script, TGotoTarget::ForcedBreak); return true;
    default: return false;
  }
}

}  // namespace

bool RepeatLastSearch(TMDIChild& script) {
  if (RepeatSearch.armed) return RepeatGotoSearch(script);
  switch (Memory.lastKind) {
    case skSearch: SearchScript(script, Memory.lastSearch, Memory.options); return true;
    case skReplace: {
      TReplaceOptions options = Memory.options;
      options.restart = true;
      SearchReplaceOrTag(script, Memory.lastSearch, Memory.lastReplace, options);
      return true;
    }
    case skNextSpeech: NextSpeechBy(script, true); return true;
    default: return false;
  }
}

}  // namespace qm
