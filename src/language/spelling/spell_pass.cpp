#include "language/spelling/spell_pass.h"

#include <algorithm>
#include <cctype>
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "base/document_table.h"
#include "base/global_state.h"
#include "base/message_boxes.h"
#include "base/program_options.h"
#include "base/prompt_table.h"
#include "language/character_names.h"
#include "language/found_text.h"
#include "language/spelling/spell_aliases.h"
#include "language/spelling/spell_check_dialog.h"
#include "language/spelling/spell_dictionaries.h"
#include "language/spelling/spell_engine.h"
#include "language/spelling/spell_sentences.h"
#include "language/spelling/spell_words.h"
#include "platform/cp1252.h"
#include "platform/files.h"
#include "platform/messages.h"
#include "script/editing/editor_calls.h"
#include "script/layout/editor_state.h"
#include "script/editing/message_pump.h"
#include "script/editing/typing_aids.h"
#include "script/model/packed_text.h"
#include "script/editing/script_list_data.h"
#include "script/script_window.h"

namespace qm {
namespace {

using namespace spell_chars;

constexpr int ProgressEvery = 10;

bool Paused = false;
bool RealTimeGaveUp = false;
const GlobalState reset([] {
  Paused = false;
  RealTimeGaveUp = false;
});

// Stepped back over from the caret to the word just typed.
inline constexpr CharSet BackUpDelimiters = CharSet{0,  32, 33, 34, 36,  38,  39,  40,  41,  44,  45,  46,  47, 58,
                                                    59, 63, 91, 93, 123, 125, 145, 146, 147, 148, 151, 171, 187};

void PlaySpellSound() {
  if (!ProgramOptions().BeepOnUnknown) return;
  if (!PlaySoundNamed("Default Beep")) PlaySoundNamed("DING.WAV");
}

bool IsEnglish(SpellLanguage language) { return language == 1 || language == 2; }
bool IsUpperAZ(char c) { return c >= 'A' && c <= 'Z'; }
bool IsLowerAZ(char c) { return c >= 'a' && c <= 'z'; }
char ToUpperAZ(char c) { return IsLowerAZ(c) ? static_cast<char>(c - 32) : c; }
char ToLowerAZ(char c) { return IsUpperAZ(c) ? static_cast<char>(c + 32) : c; }

bool IsTitle(const std::string& upper) {
  static constexpr std::array<std::string_view, 8> Titles{"MR", "MRS", "MS", "MLLE", "MME", "M", "DR", "DRS"};
  return std::find(Titles.begin(), Titles.end(), upper) != Titles.end();
}

// Where one word lies in the edit line, and what it is.
struct TFoundWord {
  std::size_t start = 0;  // first byte (codes before the letters included)
  std::size_t end = 0;    // one past the last byte
  std::string raw;        // its characters without the codes
  Byte apostrophe = '\'';
};

class TSpellPass {
 public:
  TSpellPass(TMDIChild& script, char mode)
      : script_(script), mode_(mode), options_(ProgramOptions()), language_(RecordOf(script).SpellLanguage) {}

  void Run();
  // The real-time check: false when the word was left unknown.
  bool RunAsTyped();

 private:
  const std::string& Text() const { return script_.EditBuffer(); }
  void SetAt(std::size_t at, char ch) {
    editor::ChangeEditText(script_, [&](std::string& text) { text[at] = ch; });
  }
  bool Manual() const { return mode_ != smAsTyped; }
  bool Counting() const { return mode_ == smCount; }
  bool ElementAllCaps() const { return script_.CurrentElement() && script_.CurrentElement()->format.AllCaps != 0; }
  bool WalksElements() const { return mode_ == smForwards || mode_ == smScript || mode_ == smCount || mode_ == smPage; }

  void WalkElement(std::size_t at);
  void CountWordsOfUncheckedElement(std::size_t at);
  bool NextElement();
  std::size_t StartOfWordAtCaret();
  TFoundWord TakeWord(std::size_t start);
  bool CountWord();
  // Each returns where the walk goes on, or npos when the pass ends.
  std::size_t CheckWord(TFoundWord found);
  void StartSentence(TFoundWord& found);
  std::size_t AskAboutWord(const TFoundWord& found, const TShapedWord& shape);
  std::size_t Ask(const TFoundWord& found, const TShapedWord& shape, const std::vector<std::string>& suggestions);
  std::size_t CorrectTypo(const TFoundWord& found, const TShapedWord& shape);
  std::size_t LeaveUnknown(const TFoundWord& found);
  // An alias of the script's lists typed as the word becomes its text.
  std::optional<std::size_t> ExpandAlias(const TFoundWord& found, const TShapedWord& shape);
  std::size_t Replace(const TFoundWord& found, const TShapedWord& shape, std::string replacement);
  bool AskDoubleCapital(const TFoundWord& found);
  void WriteNameCapitals(const TFoundWord& found, const std::string& name);
  std::size_t DeleteDuplicate(const TFoundWord& found);
  // The word asked about shows framed by the found-text markers, the view
  // scrolled to it; the frame goes once the writer has answered.
  void ShowWord(const TFoundWord& found);
  void HideFrame();
  void BeforeChange();
  void Finish();

  TMDIChild& script_;
  const char mode_;
  const TProgramOptions& options_;
  const SpellLanguage language_;
  int count_ = 0;
  std::string lastWord_;
  std::string previous_;  // the word before, in capitals; empty after any separator but blanks
  bool ended_ = false;
  bool changed_ = false;
  bool elementChanged_ = false;
  bool unknown_ = false;
};

// ---- Walking ----

void TSpellPass::Run() {
  SetMsgBoxResult(mrOk);
  if (script_.BlockOn()) editor::ClearBlock(script_, true);
  std::size_t at = script_.CaretColumn();
  if (mode_ == smWord) at = StartOfWordAtCaret();
  for (;;) {
    WalkElement(at);
    if (ended_ || !WalksElements() || !NextElement()) break;
    at = 0;
  }
  Finish();
}

bool TSpellPass::RunAsTyped() {
  WordPendingSpell = 0;
  if (!options_.RealTimeSpellCheck || Paused || script_.CurrentElement() == nullptr) return true;
  const std::string& text = Text();
  const std::size_t caret = std::min<std::size_t>(script_.CaretColumn(), text.size());
  std::size_t end = caret;
  while (end > 0 && BackUpDelimiters.Contains(text[end - 1])) --end;
  if (end == 0) return true;
  std::size_t start = end;
  while (start > 0 && !WordSeparators.Contains(text[start - 1])) --start;
  while (start < end && CodeCharSet.Contains(text[start])) ++start;
  const std::size_t before = text.size();
  const TFoundWord found = TakeWord(start);
  if (!found.raw.empty()) CheckWord(found);
  const long moved = static_cast<long>(Text().size()) - static_cast<long>(before);
  editor::SetCaretColumn(script_, static_cast<std::size_t>(std::clamp<long>(static_cast<long>(caret) + moved, 0,
                                                                            static_cast<long>(Text().size()))));
  if (changed_) {
    if (ActiveScript() == &script_) editor::SetActiveScriptModified();
    editor::RedisplayCurrent(script_);
  }
  return !unknown_;
}

void TSpellPass::WalkElement(std::size_t at) {
  TScriptElement* element = script_.CurrentElement();
  if (element == nullptr) return;
  if (element->Kind() == ekCharacterName || IsPageBreakKind(element->Kind())) {
    CountWordsOfUncheckedElement(at);
    return;
  }
  previous_.clear();
  while (!ended_) {
    while (at < Text().size() && WordSeparators.Contains(Text()[at])) {
      if (Text()[at] != ' ') previous_.clear();
      ++at;
    }
    if (at >= Text().size()) return;
    const TFoundWord found = TakeWord(at);
    at = found.raw.empty() ? found.end : CheckWord(found);
    if (at == std::string::npos) ended_ = true;
    if (mode_ == smWord) return;
  }
}

// Cues and page breaks are not checked, only counted: each run of
// characters between blanks is a word, the last one too.
void TSpellPass::CountWordsOfUncheckedElement(std::size_t at) {
  if (!Manual()) return;
  const std::string& text = Text();
  for (std::size_t i = at; i < text.size(); ++i)
    if (text[i] != ' ' && (i + 1 == text.size() || text[i + 1] == ' ')) ++count_;
}

bool TSpellPass::NextElement() {
  TScriptElement* next = script_.CurrentElement() ? script_.CurrentElement()->next : nullptr;
  if (next == nullptr) return false;
  if (mode_ == smPage && IsPageBreakKind(next->Kind())) return false;
  // A changed element is wrapped again before it is stored.
  if (elementChanged_) editor::RedisplayCurrent(script_);
  elementChanged_ = false;
  editor::TakeElement(script_, *next);
  return true;
}

// The word at the caret, or the one before it when the caret is on or
// after blanks.
std::size_t TSpellPass::StartOfWordAtCaret() {
  const std::string& text = Text();
  std::size_t at = std::min<std::size_t>(script_.CaretColumn(), text.size());
  while (at > 0 && (at == text.size() || text[at] == ' ') && text[at - 1] == ' ') --at;
  if (at > 0 && (at == text.size() || WordSeparators.Contains(text[at]))) --at;
  while (at > 0 && !WordSeparators.Contains(text[at - 1])) --at;
  while (at < text.size() && CodeCharSet.Contains(text[at])) ++at;
  return at;
}

TFoundWord TSpellPass::TakeWord(std::size_t start) {
  const std::string& text = Text();
  TFoundWord found;
  found.start = start;
  std::size_t end = start;
  while (end < text.size()) {
    const auto c = static_cast<Byte>(text[end]);
    if (WordEnders.Contains(c)) break;
    if (c == '-' && (end + 1 >= text.size() || WordSeparators.Contains(text[end + 1]))) break;
    if (!WordCodes.Contains(c)) found.raw += static_cast<char>(c);
    if (IsApostrophe(c)) found.apostrophe = c;
    ++end;
  }
  found.end = std::max(end, start + 1);
  return found;
}

// Counts the word; every tenth shows the count and lets the user stop.
bool TSpellPass::CountWord() {
  if (!Manual()) return true;
  ++count_;
  if (count_ % ProgressEvery != 0) return true;
  ShowPleaseWait((Counting() ? "Counting Word: " : "Spell Checking Word: ") + std::to_string(count_), false, true);
  ProcessMessagesGuarded();
  if (GetMsgBoxResult() != mrCancel) return true;
  SetMsgBoxResult(mrOk);
  return !AskYesNo("Should I abort the Spell Check?", PromptTable(0), true);
}

// ---- One word ----

std::size_t TSpellPass::CheckWord(TFoundWord found) {
  if (!CountWord()) return std::string::npos;
  lastWord_ = found.raw;
  // Counting words changes nothing and asks nothing.
  if (Counting()) return found.end;
  // A word the writer marked with "~" while typing is left as typed.
  const bool corrections = mode_ == smAsTyped ? Text()[found.start] != '~' : options_.NonRealTimeCorrection;
  if (corrections) StartSentence(found);
  const std::string& raw = found.raw;
  if (corrections && options_.CorrectMistakes && !ElementAllCaps() && raw.size() > 2 && IsUpperAZ(raw[0]) &&
      IsUpperAZ(raw[1]) && !IsUpperAZ(raw[2]) && !IsApostrophe(static_cast<Byte>(raw[2])) && !AskDoubleCapital(found))
    return std::string::npos;
  const TShapedWord shape = ShapeWord(TakeWord(found.start).raw);
  if (shape.word.size() <= 1) {
    if (corrections && IsEnglish(language_) && options_.SentenceCapitalization && shape.word == "i")
      return Replace(found, shape, "I");
    // While typing, a letter that is no word by itself may be an alias.
    const char letter = ToUpperAZ(shape.word.empty() ? ' ' : shape.word[0]);
    if (corrections && mode_ == smAsTyped && IsUpperAZ(letter) && letter != 'A' && letter != 'I' && letter != 'O')
      return ExpandAlias(found, shape).value_or(found.end);
    return found.end;
  }
  const std::string upper = AnsiUpperCase(shape.word);
  if (mode_ != smAsTyped && mode_ != smWord) {
    const bool duplicate = upper == previous_;
    previous_ = upper;
    if (duplicate) return DeleteDuplicate(found);
  }
  if (IsCharacterNameWord(script_, upper, true)) {
    if (corrections && mode_ == smAsTyped && options_.NameCapitalization)
      WriteNameCapitals(found, WithoutPossessive(upper));
    return found.end;
  }
  if (corrections && options_.SentenceCapitalization && IsTitle(upper) && IsLowerAZ(Text()[found.start])) {
    BeforeChange();
    SetAt(found.start, ToUpperAZ(Text()[found.start]));
    return found.end;
  }
  if (corrections && mode_ == smAsTyped)
    if (const auto expanded = ExpandAlias(found, shape)) return *expanded;
  const int known = CheckWordKnown(shape.word, false, shape.cuts, options_.IgnoreCaps);
  if (known == 1) return found.end;
  if (known == 2) {
    const std::string replacement = corrections ? GetAutoCorrection(shape.word) : std::string();
    return replacement.empty() ? found.end : Replace(found, shape, replacement);
  }
  if (mode_ == smAsTyped) return corrections ? CorrectTypo(found, shape) : found.end;
  return AskAboutWord(found, shape);
}

std::optional<std::size_t> TSpellPass::ExpandAlias(const TFoundWord& found, const TShapedWord& shape) {
  const auto text = ExpandSpellingAlias(RecordOf(script_).UserLists, shape.word);
  if (!text) return std::nullopt;
  return Replace(found, shape, *text);
}

std::size_t TSpellPass::LeaveUnknown(const TFoundWord& found) {
  unknown_ = true;
  PlaySpellSound();
  return found.end;
}

// While typing: a missing blank after a short word, or two letters typed
// the wrong way round, is mended when the mended word is known.
std::size_t TSpellPass::CorrectTypo(const TFoundWord& found, const TShapedWord& shape) {
  const std::string& word = shape.word;
  if (!options_.RealTimeAutocorrect) return LeaveUnknown(found);
  const auto known = [this](const std::string& w) { return CheckWordKnown(w, false, {}, options_.IgnoreCaps) == 1; };
  const std::string upper = AnsiUpperCase(word);
  const std::size_t n = word.size();
  if (n >= 4 && upper.ends_with("THE") && known(word.substr(0, n - 3)))
    return Replace(found, shape, word.substr(0, n - 3) + " " + word.substr(n - 3));
  if (n > 4 && upper.starts_with("WITH") && known(word.substr(4)))
    return Replace(found, shape, word.substr(0, 4) + " " + word.substr(4));
  if (n > 3 && upper.starts_with("AND") && known(word.substr(3)))
    return Replace(found, shape, word.substr(0, 3) + " " + word.substr(3));
  if (static_cast<int>(n) > options_.AutocorrectMaxLength) return LeaveUnknown(found);
  // A swap moves letters, never the word's capitals; and the mended word
  // must be known written so, not merely in other capitals.
  const auto knownAsWritten = [](const std::string& w) {
    const wrs::Result r = IsWordUnknown(w);
    return r == wrs::Ok || r == wrs::Abbreviation || r == wrs::HasReplacement;
  };
  const auto shaped = [&shape](std::string w) {
    if (shape.allCaps) return AnsiUpperCase(w);
    if (shape.initialCap) w[0] = static_cast<char>(AnsiUpper(static_cast<Byte>(w[0])));
    return w;
  };
  const std::string lower = AnsiLowerCase(word);
  std::vector<std::string> candidates;
  for (std::size_t i = n - 1; i-- > 0;) {
    std::string swapped = lower;
    std::swap(swapped[i], swapped[i + 1]);
    if (swapped == lower || std::isdigit(static_cast<unsigned char>(swapped[i]))) continue;
    swapped = shaped(swapped);
    if (!knownAsWritten(swapped) && !IsCharacterNameWord(script_, AnsiUpperCase(swapped), true)) continue;
    if (std::find(candidates.begin(), candidates.end(), swapped) == candidates.end()) candidates.push_back(swapped);
    if (!options_.PromptOnMultiples) break;
  }
  if (candidates.size() == 1) return Replace(found, shape, candidates.front());
  if (candidates.empty()) return LeaveUnknown(found);
  for (auto& c : candidates) {
    c = AnsiLowerCase(c);
    if (shape.initialCap) c[0] = static_cast<char>(AnsiUpper(static_cast<Byte>(c[0])));
  }
  PlaySpellSound();
  return Ask(found, shape, candidates);
}

// A sentence's first word gets its capital and the blanks before it.
void TSpellPass::StartSentence(TFoundWord& found) {
  const TScriptElement& element = *script_.CurrentElement();
  const Byte kind = element.Kind();
  if (kind != ekAction && kind != ekDialogue && kind != ekCenteredTitle && kind != ekScriptNote) return;
  std::size_t letter = found.start;
  while (letter < found.end && (WordCodes.Contains(Text()[letter]) || IsApostrophe(static_cast<Byte>(Text()[letter]))))
    ++letter;
  if (letter >= found.end) return;
  const char first = Text()[letter];
  const bool wantsCapital = options_.SentenceCapitalization && !IsUpperAZ(first);
  const bool wantsSpacing = options_.AutoSentenceSpacing && IsAnsiAlpha(static_cast<Byte>(first));
  if (!wantsCapital && !wantsSpacing) return;
  const TSentenceStart start = SentenceStartAt(Text(), found.start, element, options_.RightParenthsIsSentenceEnd);
  if (!start.starts) return;
  if (options_.AutoSentenceSpacing && !start.atLineStart) {
    std::string spaced = Text();
    const long moved = SetSentenceSpacing(spaced, found.start, options_.SentenceSpacing);
    if (moved != 0 && spaced.size() <= MaxElementChars) {
      BeforeChange();
      editor::SetEditText(script_, spaced);
      found.start = static_cast<std::size_t>(static_cast<long>(found.start) + moved);
      found.end = static_cast<std::size_t>(static_cast<long>(found.end) + moved);
      letter = static_cast<std::size_t>(static_cast<long>(letter) + moved);
    }
  }
  if (!wantsCapital || !IsLowerAZ(first) ||
      (start.atElementStart && KeepsSmallLetterAtElementStart(script_, element, options_.CapitalizeAfterShots)))
    return;
  BeforeChange();
  SetAt(letter, ToUpperAZ(first));
  found.raw = TakeWord(found.start).raw;
}

// A name typed in small letters takes the name's capitals: its first
// letter and each after a blank, apostrophe or hyphen, and in Action with
// "All Cap Names" every letter. Codes in the word stay where they are.
void TSpellPass::WriteNameCapitals(const TFoundWord& found, const std::string& name) {
  std::size_t at = found.start;
  while (at < found.end && AnsiUpper(static_cast<Byte>(Text()[at])) != static_cast<Byte>(name[0])) ++at;
  const bool everyLetter = AllCapNames && script_.CurrentElement()->Kind() == ekAction;
  for (std::size_t n = 0; at < found.end && n < name.size(); ++at) {
    if (WordCodes.Contains(Text()[at])) continue;
    const auto before = n == 0 ? Byte{' '} : static_cast<Byte>(name[n - 1]);
    const bool wordStart = before == ' ' || before == '-' || IsApostrophe(before);
    if ((wordStart || everyLetter) && IsAnsiAlpha(static_cast<Byte>(name[n])) && Text()[at] != name[n]) {
      BeforeChange();
      SetAt(at, name[n]);
    }
    ++n;
  }
}

bool TSpellPass::AskDoubleCapital(const TFoundWord& found) {
  std::size_t second = found.start;
  while (WordCodes.Contains(Text()[second])) ++second;
  ++second;
  while (second < found.end && WordCodes.Contains(Text()[second])) ++second;
  if (mode_ != smAsTyped) {
    ShowWord(found);
    const TModalResult answer = AskYesNoCancel("Should I make the second letter lowercase?", PromptTable(0), true);
    HideFrame();
    if (answer == mrCancel) return false;
    if (answer != mrYes) return true;
  }
  BeforeChange();
  SetAt(second, ToLowerAZ(Text()[second]));
  return true;
}

std::size_t TSpellPass::DeleteDuplicate(const TFoundWord& found) {
  ShowWord(found);
  const TModalResult answer = AskYesNoCancel("I found a duplicate word!\r\rShould I delete One?", PromptTable(0), true);
  HideFrame();
  if (answer == mrCancel) return std::string::npos;
  if (answer != mrYes) return found.end;
  BeforeChange();
  std::size_t end = found.end;
  while (end < Text().size() && Text()[end] == ' ') ++end;
  // The blank before goes when no blank follows (the text's end, a stop or
  // a comma), so that none is left before it.
  std::size_t start = found.start;
  if (end == found.end || end == Text().size())
    while (start > 0 && Text()[start - 1] == ' ') --start;
  editor::ChangeEditText(script_, [&](std::string& text) { text.erase(start, end - start); });
  return start;
}

std::size_t TSpellPass::AskAboutWord(const TFoundWord& found, const TShapedWord& shape) {
  std::vector<std::string> suggestions;
  CheckWordSuggest(shape.word, suggestions, shape.allCaps || ElementAllCaps(), shape.initialCap);
  return Ask(found, shape, suggestions);
}

std::size_t TSpellPass::Ask(const TFoundWord& found, const TShapedWord& shape,
                            const std::vector<std::string>& suggestions) {
  const bool allCaps = shape.allCaps || ElementAllCaps();
  const auto suggest = [allCaps, initial = shape.initialCap](const std::string& w) {
    std::vector<std::string> list;
    CheckWordSuggest(w, list, allCaps, initial);
    return list;
  };
  const Word caret = script_.CaretColumn();
  ShowWord(found);
  if (!Manual()) editor::SetCaretColumn(script_, caret);
  TSpellCheckingDlg& dialog = SpellCheckingDlg();
  const std::string shown = allCaps ? AnsiUpperCase(shape.word) : shape.word;
  const TSpellAnswer answer = dialog.Ask(script_, shown, suggestions, suggest);
  HideFrame();
  switch (answer) {
    case saReplace: {
      std::string text = dialog.BadWord->Text();
      if (shape.initialCap && !text.empty()) text[0] = static_cast<char>(AnsiUpper(static_cast<Byte>(text[0])));
      return Replace(found, shape, text);
    }
    case saAutoCorrect: {
      const std::string text = dialog.BadWord->Text();
      AddWordToUserDictionary(AnsiLowerCase(shape.word), text, UserDictionaryName(language_, true), language_);
      return Replace(found, shape, text);
    }
    case saIgnore: AddToIgnoreList(shape.word); return found.end;
    case saLearn:
      AddWordToUserDictionary(dialog.BadWord->Text(), "", dialog.LearnDictionary(language_), language_);
      return found.end;
    case saSkip: return found.end;
    case saCancel: break;
  }
  return std::string::npos;
}

void TSpellPass::ShowWord(const TFoundWord& found) {
  TScriptElement& element = *script_.CurrentElement();
  ShowFoundElement(element);
  editor::RedisplayCurrent(script_);
  MarkFoundText(script_, element, static_cast<int>(found.start), static_cast<int>(found.end));
  editor::SetCaretColumn(script_, found.start);
  editor::RedisplayScreen(script_);
}

void TSpellPass::HideFrame() {
  const Word caret = script_.CaretColumn();
  ClearFoundText(script_);
  editor::SetCaretColumn(script_, caret);
}

// The word and its codes give way to the replacement; a cut possessive or
// trailing apostrophe comes back after it.
std::size_t TSpellPass::Replace(const TFoundWord& found, const TShapedWord& shape, std::string replacement) {
  for (char& c : replacement)
    if (c == '\'') c = static_cast<char>(found.apostrophe);
  if (shape.cuts.possessive)
    replacement += std::string(1, static_cast<char>(found.apostrophe)) + (shape.allCaps ? "S" : "s");
  else if (shape.cuts.trailingApostrophe) replacement += static_cast<char>(found.apostrophe);
  const std::size_t length = Text().size() - (found.end - found.start) + replacement.size();
  if (length > MaxElementChars) {
    MessageBeep(0);
    return found.end;
  }
  BeforeChange();
  editor::ChangeEditText(script_,
                         [&](std::string& text) { text.replace(found.start, found.end - found.start, replacement); });
  return found.start + replacement.size();
}

void TSpellPass::BeforeChange() {
  if (!changed_ && ActiveScript() == &script_) editor::SaveUndoStep(script_, 0);
  changed_ = true;
  elementChanged_ = true;
}

void TSpellPass::Finish() {
  ClosePleaseWait();
  if (changed_ && ActiveScript() == &script_) editor::SetActiveScriptModified();
  editor::SetCaretColumn(script_, std::min<std::size_t>(script_.CaretColumn(), Text().size()));
  editor::RedisplayCurrent(script_);
  editor::RedisplayScreen(script_);
  if (Manual()) {
    std::string message;
    if (Counting()) message = "Counted " + std::to_string(count_) + " words";
    else if (count_ == 1) message = "Checked \"" + lastWord_ + "\"";
    else message = "Checked " + std::to_string(count_) + " words";
    ShowMessageBox(message, PromptTable(0));
  }
  if (!options_.RealTimeSpellCheck) UnloadSpellEngine();
}

}  // namespace

bool SpellCheckScript(char mode) {
  TMDIChild* script = ActiveScript();
  if (script == nullptr) return false;
  const bool wasOpen = SpellEngineOpen();
  if (!wasOpen) {
    // Typing goes on undisturbed without an engine: a missing library, or
    // one that failed once, is reported by the Spell menu's commands only.
    if (mode == smAsTyped && (RealTimeGaveUp || !FileExists(SpellLibraryPath()))) return true;
    if (!OpenSpellEngineForScript(RecordOf(*script).SpellLanguage)) {
      RealTimeGaveUp = true;
      return false;
    }
    RealTimeGaveUp = false;
  }
  if (mode != smAsTyped || !wasOpen) BuildCharacterNameTable();
  TSpellPass pass(*script, mode);
  if (mode == smAsTyped) return pass.RunAsTyped();
  pass.Run();
  return true;
}

bool AutoCorrectionPaused() { return Paused; }
void SetAutoCorrectionPaused(bool paused) { Paused = paused; }

void InstallSpellingAids() {
  TypingAidHooks.SpellWordBeforeCaret = [] { return SpellCheckScript(smAsTyped); };
  TypingAidHooks.ScriptActivated = [](TMDIChild& script) {
    if (!SpellEngineLoaded()) return;
    const SpellLanguage language = RecordOf(script).SpellLanguage;
    std::string name = CleanDictionaryName(RecordOf(script).UserDictionaryName);
    if (name.empty()) name = UserDictionaryName(language, false);
    OpenSpellEngine(language, name + UserDictionaryExtension(language));
  };
}

void RunSpellCommand(char mode) {
  TMDIChild* script = ActiveScript();
  if (script == nullptr) return;
  editor::Assemble(*script);
  TScriptElement* start = script->CurrentElement();
  if (mode == smScript || mode == smCount) start = script->FirstElement;
  if (mode == smPage)
    while (start && start->prev && !IsPageBreakKind(start->prev->Kind())) start = start->prev;
  if (start == nullptr) return;
  TScriptElement* const caretElement = script->CurrentElement();
  const Word column = script->CaretColumn();
  editor::TakeElement(*script, *start);
  if (mode == smWord || mode == smForwards) editor::SetCaretColumn(*script, column);
  if (SpellCheckScript(mode)) return;
  // No engine: nothing was checked, and the caret goes back where it was.
  editor::TakeElement(*script, *caretElement);
  editor::SetCaretColumn(*script, column);
  editor::RedisplayScreen(*script);
}

}  // namespace qm
