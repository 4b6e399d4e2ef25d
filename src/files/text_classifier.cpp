#include "files/text_classifier.h"

#include <algorithm>

#include "base/message_boxes.h"
#include "base/program_options.h"
#include "files/style_names.h"
#include "files/style_picker.h"
#include "files/text_encoding.h"
#include "files/text_files.h"
#include "platform/cp1252.h"
#include "script/model/packed_text.h"
#include "script/editing/script_list_data.h"
#include "script/model/string_utils.h"
#include "script/model/text_codes.h"
#include "script/model/user_list_entries.h"

namespace qm {

namespace {

constexpr char CR = '\r';
constexpr char FormFeed = '\x0C';
constexpr std::size_t MaxShotChars = 30;
// An Action line longer than this wraps, and a wrapped line is no
// transition.
constexpr std::size_t OneActionLine = 61;

constexpr CharSet SentenceEndSet{'!', '"', '\'', ')', '.', ':', '?', 0x91, 0x92};
constexpr CharSet CueEndExcluded{'!', '"', '\'', '+', ',', '-', '.', '?', '|', 0x91, 0x92};
constexpr CharSet ClosingQuotes{'"', '\'', 0x91, 0x92, 0x94, 0xBB};

bool IsCode(char c) { return CodeCharSet.Contains(c); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsAsciiLower(char c) { return c >= 'a' && c <= 'z'; }
bool HasAsciiLower(std::string_view s) { return std::any_of(s.begin(), s.end(), IsAsciiLower); }
bool IsCapital(char c) { return IsAnsiUpper(static_cast<Byte>(c)); }

int CountBlanks(std::string_view s, int stopAt) {
  int n = 0;
  for (char c : s)
    if (c == ' ' && ++n >= stopAt) break;
  return n;
}

std::string_view TrimBoth(std::string_view s, const CharSet& leading, const CharSet& trailing) {
  while (!s.empty() && (leading.Contains(s.front()) || IsCode(s.front()))) s.remove_prefix(1);
  while (!s.empty() && (trailing.Contains(s.back()) || IsCode(s.back()))) s.remove_suffix(1);
  return s;
}

// An entry's text as the lines are compared with it: upper case, without
// its shortcut marks and style codes.
std::string EntryText(const std::string& entry) { return AnsiUpperCase(DisplayText(entry)); }

bool BeginsWithWord(std::string_view line, std::string_view word) {
  if (word.empty() || !line.starts_with(word)) return false;
  if (line.size() == word.size()) return true;
  const char after = line[word.size()];
  const char last = word.back();
  return after == ' ' || !(IsAnsiAlpha(static_cast<Byte>(last)) || IsDigit(last));
}

// The page-number and form-feed lines of a page break.
bool IsPageBreakLine(std::string_view line) {
  if (line.empty()) return false;
  const char first = line.front();
  if (!(first == FormFeed || first == ' ' || first == '|' || (first >= '1' && first <= '9') || IsCode(first)))
    return false;
  return std::all_of(line.begin(), line.end(), [](char c) {
    return c == FormFeed || c == ' ' || c == '.' || c == '|' || IsDigit(c) || IsCode(c);
  });
}

// Codes at the end carry no text: a bold sentence still ends in its stop.
bool EndsSentence(std::string_view line) {
  while (!line.empty() && IsCode(line.back())) line.remove_suffix(1);
  if (line.empty()) return false;
  const char last = line.back();
  if (last == '!' || last == '.' || last == '?' || line.ends_with("--")) return true;
  if (line.size() < 2 || !ClosingQuotes.Contains(last)) return false;
  const char before = line[line.size() - 2];
  return before == '!' || before == '-' || before == '.' || before == '?';
}

struct TExtensionCut {
  std::size_t at = std::string::npos;
  Byte kind = 0;
};

// The end of the line in capitals is the text.
bool EndsWithUpper(std::string_view line, std::string_view text) {
  if (line.size() < text.size()) return false;
  const std::string_view tail = line.substr(line.size() - text.size());
  return std::equal(tail.begin(), tail.end(), text.begin(),
                    [](char a, char b) { return static_cast<char>(AnsiUpper(static_cast<Byte>(a))) == b; });
}

// A cue's extension at the end of the line, bare or in parentheses.
TExtensionCut FindExtension(std::string_view line) {
  static constexpr std::array<std::string_view, 21> kExtensions{
      "V.O.", "V.O",  "V.0.", "V.0", "VO",  "V0", "O.S.", "0.S.",  "O.S",  "0.S",    "OS",
      "0S",   "O.C.", "0.C.", "O.C", "0.C", "OC", "0C",   "CONT.", "CONT", "CONT'D."};
  if (CountBlanks(line, 4) > 3) return {};
  for (std::string_view ext : kExtensions) {
    const Byte kind = ext[0] == 'V' ? 2 : ext[0] == 'C' ? 0 : 1;
    // " EXT" or " (EXT)".
    if (EndsWithUpper(line, ext) && line.size() > ext.size() && line[line.size() - ext.size() - 1] == ' ')
      return {line.size() - ext.size(), kind};
    const std::size_t wrapped = ext.size() + 3;
    if (line.size() >= wrapped && line.back() == ')' && EndsWithUpper(line.substr(0, line.size() - 1), ext) &&
        line[line.size() - wrapped] == ' ' && line[line.size() - wrapped + 1] == '(')
      return {line.size() - wrapped + 1, kind};
  }
  return {};
}

void CutCue(std::string& text) {
  CutAtParenthesis(text);
  TrimTrailingBlanks(text);
}

}  // namespace

// One line of text on its way to becoming an element.
struct TTextClassifier::TLine {
  std::string text;
  bool indented = false;
  int style = 0;
  int endsAfter = 0;
};

TClassifierContext ClassifierContextOf(TMDIChild& script) {
  TClassifierContext context;
  const TScriptRecord& record = RecordOf(script);
  context.Lists = record.UserLists;
  const TCharacterNameTable& names = ListData(script).NameTable;
  for (int code = TCharacterNameTable::FirstCode; code < 256; ++code)
    for (const std::string& name : names.Chain(static_cast<Byte>(code)))
      context.CharacterNames.insert(AnsiUpperCase(name));
  for (const std::string& name : LeadingEntries(record.UserLists, TUserList::CharNames))
    context.CharacterNames.insert(EntryText(name));
  context.CharacterContinuedText = record.CharacterContinuedText;
  context.TopSceneContinuedText = record.TopSceneContinuedText;
  context.BottomSceneContinuedText = record.BottomSceneContinuedText;
  context.SceneOmitText = record.SceneOmitText;
  context.SentenceSpacing = ProgramOptions().SentenceSpacing;
  context.DialogueLinesBefore = record.FormatSet[fsDialogue].LinesBefore;
  return context;
}

TTextClassifier::TTextClassifier(const TClassifierContext& context, const TPasteChoices& choices)
    : context_(context), choices_(choices), words_(PrepareWords(context)) {}

void TTextClassifier::SetStyleNames(std::vector<std::string> names) {
  styleNames_ = std::move(names);
  styleAsked_.assign(styleNames_.size(), false);
}

// ---- Questions -----------------------------------------------------------

bool TTextClassifier::AskMarkup(const char* question) {
  if (markupAnswer_ == 0) {
    const bool yes = context_.Ask ? context_.Ask(question) : AskYesNo(question, "", true);
    markupAnswer_ = yes ? 1 : 2;
  }
  return markupAnswer_ == 1;
}

// ---- The shape tests -------------------------------------------------------

TTextClassifier::TWords TTextClassifier::PrepareWords(const TClassifierContext& context) {
  TWords words;
  auto texts = [&context](TUserList list, int slots) {
    std::vector<std::string> result;
    for (int slot = 1; slot <= slots; ++slot) {
      const std::string& entry = UserListEntry(context.Lists, list, slot);
      if (entry.empty()) break;
      result.push_back(EntryText(entry));
    }
    return result;
  };
  words.sceneTexts = texts(TUserList::SceneText, 10);
  words.shotTexts = texts(TUserList::ShotText, 6);
  words.transitions = texts(TUserList::Transition, 8);
  words.prologues = texts(TUserList::PrologueText, 5);
  for (std::string& tag : texts(TUserList::TagText, 1)) words.prologues.push_back(std::move(tag));
  const std::vector<std::string> open = texts(TUserList::ScriptOpenText, 1);
  words.scriptOpen = open.empty() ? std::string() : open.front();
  for (const std::string& entry : LeadingEntries(context.Lists, TUserList::TimeofDay))
    words.timesOfDay.push_back(DisplayText(entry));
  std::vector<std::string> extensions{context.CharacterContinuedText};
  for (const std::string& entry : LeadingEntries(context.Lists, TUserList::Extension)) extensions.push_back(entry);
  for (const std::string& extension : extensions) {
    if (extension.empty()) continue;
    std::string pattern = " (" + AnsiUpperCase(extension) + ")";
    std::erase_if(pattern, [](char ch) { return ch == '&' || ch == '~'; });
    words.extensionPatterns.push_back(std::move(pattern));
  }
  words.sceneOmit = AnsiUpperCase(context.SceneOmitText);
  words.topContinued = AnsiUpperCase(context.TopSceneContinuedText);
  words.bottomContinued = AnsiUpperCase(context.BottomSceneContinuedText);
  words.characterContinued = AnsiUpperCase(context.CharacterContinuedText);
  return words;
}

bool TTextClassifier::IsCharacterName(const std::string& plainUpper) const {
  if (context_.CharacterNames.empty()) return false;
  std::string name = plainUpper;
  CutCue(name);
  return !name.empty() && context_.CharacterNames.contains(name);
}

bool TTextClassifier::CarriesScriptExtension(const std::string& plainUpper) const {
  return std::any_of(
      words_.extensionPatterns.begin(), words_.extensionPatterns.end(),
      [&plainUpper](const std::string& pattern) { return plainUpper.find(pattern) != std::string::npos; });
}

bool TTextClassifier::IsScriptOpenText(const std::string& plainUpper) const {
  return !words_.scriptOpen.empty() && plainUpper == words_.scriptOpen;
}

bool TTextClassifier::BeginsWithAny(const std::vector<std::string>& texts, const std::string& plainUpper) {
  return std::any_of(texts.begin(), texts.end(),
                     [&plainUpper](const std::string& text) { return BeginsWithWord(plainUpper, text); });
}

bool TTextClassifier::IsSceneHeading(std::string_view line, const std::string& upper) {
  std::size_t i = 0;
  while (i < upper.size() && (upper[i] == ' ' || IsDigit(upper[i]) || upper[i] == '_' || upper[i] == '|')) ++i;
  const char remembered = i < upper.size() ? upper[i] : '\0';
  i = 0;
  while (i < upper.size()) {
    const char c = upper[i];
    const bool numberLetter = IsCapital(c) && i + 1 < upper.size() && (upper[i + 1] == ' ' || IsDigit(upper[i + 1]));
    if (!(c == ' ' || c == '+' || c == '-' || c == '.' || IsDigit(c) || c == '_' || c == '|' || numberLetter)) break;
    ++i;
  }
  const std::string_view rest = std::string_view(upper).substr(i);
  const bool marked = remembered == '+' || remembered == '-';
  if (remembered == '+' && markupAnswer_ == 0) AskMarkup(MarkupQuestion);
  if (rest.starts_with("INT") || rest.starts_with("EXT")) {
    if (marked) return true;
    if (rest.size() > 3 && CharSet{' ', '-', '.', '/', ':', '\\', 0x97}.Contains(rest[3])) return true;
  }
  if (marked && markupAnswer_ == 1) return true;
  if (!words_.sceneOmit.empty() && rest.starts_with(words_.sceneOmit)) return true;
  const std::size_t dash = line.rfind('-');
  if (dash == std::string_view::npos) return false;
  std::string_view time = line.substr(dash + 1);
  while (!time.empty() && time.front() == ' ') time.remove_prefix(1);
  return std::find(words_.timesOfDay.begin(), words_.timesOfDay.end(), time) != words_.timesOfDay.end();
}

bool TTextClassifier::IsShot(std::string_view line, const std::string& upper) {
  if (line.starts_with("-")) return AskMarkup(MarkupQuestion);
  if (BeginsWithAny(words_.shotTexts, upper)) return true;
  if (upper.find("POV") != std::string::npos || upper.find("P.O.V.") != std::string::npos ||
      upper.find("P O V") != std::string::npos)
    return true;
  return IsScriptOpenText(upper);
}

bool TTextClassifier::IsParenthetical(std::string_view line, bool indented) const {
  if (indented || choices_.ActionInParentheticals) return false;
  const std::string_view s = TrimBoth(line, CharSet{'\n', '\r', ' ', '|'}, CharSet{'\0', '\n', '\r', ' ', '|'});
  return !s.empty() && (s.back() == ')' || s.back() == ']') && (s.front() == '(' || s.front() == '[');
}

bool TTextClassifier::IsContinuedLine(const std::string& upper) const {
  static constexpr CharSet edge = CharSet{'\t', '\n', '\r', ' ', '(', ')', ':', '|'}.IncludeRange('0', '9');
  const std::string_view s = TrimBoth(upper, edge, edge + CharSet{'.'});
  if (s.empty()) return false;
  for (std::string_view form : {"CONT", "CONT'D",
                                "CONT\x91"
                                "D",
                                "CONT\x92"
                                "D",
                                "CONTINUED", "<A>", "<F", ">"})
    if (s == form) return true;
  return s == words_.topContinued || s == words_.bottomContinued;
}

bool TTextClassifier::IsSceneContinuedText(const std::string& upper) const {
  return upper == words_.bottomContinued || upper == words_.topContinued || IsContinuedLine(upper);
}

bool TTextClassifier::IsTransition(std::string_view line, const std::string& upper) const {
  if (line.size() > 3 && line.size() <= OneActionLine && AnsiUpperCase(line.substr(line.size() - 4)) == " TO:")
    return true;
  return BeginsWithAny(words_.transitions, upper);
}

bool TTextClassifier::IsPrologue(const std::string& plainUpper) const {
  return std::find(words_.prologues.begin(), words_.prologues.end(), plainUpper) != words_.prologues.end();
}

bool TTextClassifier::LooksLikeCue(std::string_view line, const std::string& upper, bool indented, bool asItself,
                                   int endsAfter) const {
  if (indented || line.empty()) return false;
  if (asItself) {
    if (endsAfter < 2) return false;
  } else {
    if (upper.starts_with("ON ") || upper.starts_with("CU ") || upper == "ANGLE" || upper == "MONTAGE") return false;
    for (const char* word : {" MONTAGE", "MONTAGE ", " ANGLE", "ANGLE "})
      if (upper.find(word) != std::string::npos) return false;
  }
  if (CountBlanks(line, 3) > 2) return false;
  std::size_t last = line.size();
  while (last > 0 &&
         (IsCode(line[last - 1]) || line[last - 1] == ' ' || line[last - 1] == ':' || line[last - 1] == '|'))
    --last;
  if (last == 0) return false;
  const char end = line[last - 1];
  const bool letterCase = choices_.NoCapitals ? IsAnsiAlpha(static_cast<Byte>(end)) : IsCapital(end);
  if (!(end == ')' || IsDigit(end) || letterCase)) return false;
  if (!choices_.NoCapitals) {
    const std::string_view head = line.substr(0, std::min(line.find('('), line.size()));
    if (std::any_of(head.begin(), head.end(), [](char c) { return IsAsciiLower(c) && c != 'c'; })) return false;
  }
  return !CueEndExcluded.Contains(end);
}

bool TTextClassifier::StandsAlone(std::string_view line, bool indented, bool asItself, int endsAfter) {
  const std::string upper = PlainUpperText(line);
  return IsCharacterName(upper) || CarriesScriptExtension(upper) || IsPageBreakLine(line) ||
         IsParenthetical(line, indented) || LooksLikeCue(line, upper, indented, asItself, endsAfter) ||
         IsSceneHeading(line, upper) || IsContinuedLine(upper) || IsScriptOpenText(upper) ||
         BeginsWithAny(words_.sceneTexts, upper) || IsShot(line, upper) || upper.ends_with("TO:") ||
         BeginsWithAny(words_.transitions, upper);
}

// ---- Lines ---------------------------------------------------------------

TTextClassifier::TRawLine TTextClassifier::RawLineAt(std::string_view text, std::size_t pos) const {
  TRawLine raw{pos, pos, pos, 0};
  const std::size_t limit = std::min(text.size(), pos + MaxElementChars);
  const std::size_t cr = text.substr(0, limit).find(CR, pos);
  if (cr == std::string_view::npos) {
    raw.end = raw.next = limit;
    return raw;
  }
  raw.end = cr;
  std::size_t i = cr;
  while (i < text.size() && (text[i] == CR || text[i] == '\n' || text[i] == ' ')) raw.endsAfter += text[i++] == CR;
  raw.next = i;
  return raw;
}

std::size_t TTextClassifier::SkipLineStart(std::string_view text, std::size_t pos, bool& indented, int& style) const {
  while (pos < text.size() && (text[pos] == '\t' || text[pos] == '\n' || text[pos] == CR || text[pos] == ' ')) ++pos;
  indented = pos < text.size() && !choices_.IgnoreMargins && (text[pos] == '+' || text[pos] == '-' || text[pos] == '|');
  while (pos < text.size() && (text[pos] == '|' || text[pos] == ' ' || text[pos] == '\t')) ++pos;
  style = 0;
  if (choices_.UseStyleSheets && !styleNames_.empty() && text.substr(pos).starts_with("\\s")) {
    std::size_t i = pos + 2;
    int number = 0;
    while (i < text.size() && IsDigit(text[i]) && number < 100000) number = number * 10 + (text[i++] - '0');
    if (i > pos + 2) {
      style = number;
      pos = i;
      while (pos < text.size() && text[pos] == ' ') ++pos;
    }
  }
  return pos;
}

bool TTextClassifier::JoinsNext(const std::string& line, Byte lastChar, bool indented, int endsAfter,
                                std::string_view next, bool nextIndented) {
  if (next.empty()) return false;
  const char first = next.front();
  const bool candidate =
      choices_.Aggressive ? first != '(' && first != ')' && (IsAsciiLower(first) || !SentenceEndSet.Contains(lastChar))
                          : endsAfter == 1 && first != '(';
  if (!candidate) return false;
  if (choices_.UseStyleSheets && next.size() > 2 && next.starts_with("\\s") && IsDigit(next[2])) return false;
  if (indented != nextIndented) return false;
  if (HasAsciiLower(line) != HasAsciiLower(next)) return false;
  if (StandsAlone(next, nextIndented, false, 0)) return false;
  return !StandsAlone(line, indented, !choices_.Aggressive, endsAfter);
}

void TTextClassifier::Classify(std::string_view text) {
  std::size_t pos = 0;
  while (true) {
    TLine line;
    pos = SkipLineStart(text, pos, line.indented, line.style);
    const std::string_view rest = text.substr(pos);
    if (rest.empty() || rest == ".") break;
    TRawLine raw = RawLineAt(text, pos);
    line.text.assign(text.substr(raw.start, raw.end - raw.start));
    while (true) {
      TrimTrailingBlanks(line.text);
      const Byte lastChar = line.text.empty() ? Byte{'.'} : static_cast<Byte>(line.text.back());
      if (raw.endsAfter == 0 || raw.next >= text.size()) break;
      bool nextIndented = false;
      int nextStyle = 0;
      const std::size_t nextStart = SkipLineStart(text, raw.next, nextIndented, nextStyle);
      if (nextStyle != 0) break;
      const TRawLine after = RawLineAt(text, nextStart);
      std::string_view next = text.substr(nextStart, after.end - nextStart);
      while (!next.empty() && next.back() == ' ') next.remove_suffix(1);
      if (line.text.size() + next.size() + context_.SentenceSpacing.size() > MaxElementChars) break;
      if (!JoinsNext(line.text, lastChar, line.indented, raw.endsAfter, next, nextIndented)) break;
      if (lastChar == '!' || lastChar == '.' || lastChar == '?') line.text += context_.SentenceSpacing;
      else if (lastChar != '-') line.text += ' ';
      line.text.append(next);
      raw = after;
    }
    line.endsAfter = raw.endsAfter;
    ClassifyLine(line);
    lineEndsBefore_ = choices_.Aggressive ? 1 : raw.endsAfter;
    pos = raw.next;
  }
}

// ---- Classification --------------------------------------------------------

void TTextClassifier::ClassifyLine(TLine& line) {
  if (line.text.empty()) return;
  current_.text.clear();
  if (choices_.ActionOnly) {
    current_.text = line.text;
    Tidy(line, 1);
    return;
  }
  const TVerdict verdict = Decide(line);
  if (verdict.outcome == TOutcome::PageBreak) MakePageBreak();
  if (verdict.outcome != TOutcome::Keep) return;
  Tidy(line, verdict.tidyFrom);
}

TTextClassifier::TVerdict TTextClassifier::Decide(TLine& line) {
  // Blanks after leading codes or "|" go; a line of nothing else is dropped.
  std::string& text = line.text;
  std::size_t lead = 0;
  while (lead < text.size() && (IsCode(text[lead]) || text[lead] == '|')) ++lead;
  if (lead > 0) {
    std::size_t blanks = lead;
    while (blanks < text.size() && text[blanks] == ' ') ++blanks;
    text.erase(lead, blanks - lead);
  }
  if (std::all_of(text.begin(), text.end(), [](char c) { return IsCode(c) || c == '|' || c == ' '; }))
    return {TOutcome::Drop};
  if (IsPageBreakLine(text)) return {choices_.MatchPageBreaks ? TOutcome::PageBreak : TOutcome::Drop};
  if (line.style >= 1 && line.style <= static_cast<int>(styleNames_.size())) {
    const TVerdict styled = DecideByStyle(line);
    if (styled.tidyFrom != 0) return styled;
  }
  current_.text = text;
  return DecideByShape(line);
}

TTextClassifier::TVerdict TTextClassifier::DecideByStyle(TLine& line) {
  const std::size_t index = static_cast<std::size_t>(line.style - 1);
  std::string& name = styleNames_[index];
  if (!StyledKindOf(name) && name != "@" && !styleAsked_[index]) {
    styleAsked_[index] = true;
    name = context_.IdentifyStyle ? context_.IdentifyStyle(name) : IdentifyStyle(name);
  }
  const std::optional<TStyledKind> styled = StyledKindOf(name);
  if (!styled) return {TOutcome::Keep, 0};
  current_.kind = styled->kind;
  current_.text = line.text;
  if (styled->treatment == TStyleTreatment::Cue) {
    const TExtensionCut cut = FindExtension(current_.text);
    if (cut.at != std::string::npos) {
      current_.text.erase(cut.at);
      current_.extensionKind = cut.kind;
    }
    CutCue(current_.text);
  } else if (styled->treatment == TStyleTreatment::Parenthetical) {
    if (current_.text.starts_with("(")) current_.text.erase(0, 1);
    if (current_.text.ends_with(")")) current_.text.pop_back();
  }
  return {TOutcome::Keep, 3};
}

TTextClassifier::TVerdict TTextClassifier::DecideByShape(TLine& line) {
  const std::string& text = line.text;
  const TImportedElement* before = Before();
  const bool afterCue = before && (before->kind == ekCharacterName || before->kind == ekParenthetical);
  const bool closeToCue = choices_.Aggressive || lineEndsBefore_ <= 1;
  if (EndsSentence(text)) {
    if (afterCue && closeToCue) {
      current_.kind = ekDialogue;
      return {};
    }
    const TExtensionCut cut = FindExtension(text);
    if (cut.at != std::string::npos && !line.indented) {
      current_.kind = ekCharacterName;
      current_.text.erase(cut.at);
      current_.extensionKind = cut.kind;
      CutCue(current_.text);
      return {};
    }
    // "Stays Action": a reused element keeps its type (a speech going on).
    return {};
  }
  return DecideCueLike(line);
}

TTextClassifier::TVerdict TTextClassifier::DecideCueLike(TLine& line) {
  const std::string& text = line.text;
  const std::string upper = PlainUpperText(text);
  const TImportedElement* before = Before();
  if (!line.indented) {
    const TExtensionCut cut = FindExtension(text);
    if (IsCharacterName(upper) || CarriesScriptExtension(upper) || cut.at != std::string::npos) {
      if (cut.at != std::string::npos) {
        current_.text.erase(cut.at);
        current_.extensionKind = cut.kind;
      }
      CutCue(current_.text);
      if (speechContinues_) {
        // The cue repeated after a page break: the speech goes on.
        current_.kind = ekDialogue;
        current_.text.clear();
        current_.extensionKind = 0;
        return {TOutcome::Drop};
      }
      current_.kind = ekCharacterName;
      return {};
    }
  }
  if (IsSceneHeading(text, upper)) {
    current_.kind = ekSceneHeading;
    return {};
  }
  if (IsShot(text, upper)) {
    current_.kind = ekShot;
    if (IsScriptOpenText(upper)) OpenTheScript();
    return {};
  }
  if (IsTransition(text, upper)) {
    current_.kind = ekTransition;
    return {};
  }
  if (IsPrologue(upper)) {
    current_.kind = ekPrologueText;
    return {};
  }
  const bool inSpeech =
      before && (before->kind == ekCharacterName || before->kind == ekDialogue || before->kind == ekParenthetical);
  if (inSpeech && IsParenthetical(text, line.indented)) {
    if (IsSceneContinuedText(upper)) return ContinuedOrPageBreak(line);
    std::string inner = current_.text;
    if (const std::size_t close = inner.rfind(')'); close != std::string::npos) inner.erase(close, 1);
    else if (const std::size_t bracket = inner.rfind(']'); bracket != std::string::npos) inner.erase(bracket, 1);
    if (const std::size_t open = inner.find_first_of("(["); open != std::string::npos) inner.erase(open, 1);
    const std::string innerUpper = PlainUpperText(inner);
    if (innerUpper == words_.characterContinued || innerUpper == "MORE") {
      speechContinues_ = true;
      return {TOutcome::Drop};
    }
    current_.kind = ekParenthetical;
    current_.text = inner;
    return {};
  }
  if (IsSceneContinuedText(upper)) return ContinuedOrPageBreak(line);
  const int blanks = CountBlanks(text, 3);
  if (choices_.ActionInParentheticals) {
    std::string_view core = TrimBoth(text, CharSet{}, CharSet{});
    if (core.size() >= 2 && core.front() == '(' && core.back() == ')') {
      const std::size_t open = current_.text.find('(');
      current_.text.erase(current_.text.rfind(')'), 1);
      current_.text.erase(open, 1);
      return {TOutcome::Keep, 6};
    }
  }
  if (text.find("TO:") != std::string::npos) return {};
  if (blanks <= 2 && (!before || before->kind != ekCharacterName)) {
    if (IsScriptOpenText(upper)) OpenTheScript();
    else current_.kind = line.indented ? ekShot : ekCharacterName;
    return {};
  }
  const bool afterCue = before && (before->kind == ekCharacterName || before->kind == ekParenthetical);
  if (before && (speechContinues_ || ((choices_.Aggressive || lineEndsBefore_ <= 1) && afterCue))) {
    current_.kind = ekDialogue;
    return {};
  }
  if (text.size() <= MaxShotChars) current_.kind = ekShot;
  return {};
}

// The opening text is an Action in capitals kept with what follows.
void TTextClassifier::OpenTheScript() {
  current_.kind = ekAction;
  current_.state = esKeepFollowing;
  current_.allCaps = true;
}

TTextClassifier::TVerdict TTextClassifier::ContinuedOrPageBreak(const TLine& line) {
  if (line.text.starts_with(FormFeed) && choices_.MatchPageBreaks) return {TOutcome::PageBreak};
  return {TOutcome::Drop};
}

void TTextClassifier::MakePageBreak() {
  current_.text.clear();
  const TImportedElement* before = Before();
  if (!before || before->kind == ekLockedPageBreak) return;
  TImportedElement pageBreak;
  pageBreak.kind = ekLockedPageBreak;
  pageBreak.text = " ";
  if (speechContinues_) {
    pageBreak.split = spSecondPiece;
    pageBreak.linesBefore = context_.DialogueLinesBefore;
    pendingSecondPiece_ = true;
  }
  out_.push_back(std::move(pageBreak));
  current_ = TImportedElement{};
}

// ---- Tidying ---------------------------------------------------------------

void TTextClassifier::TidyHeadingNumbers() {
  std::string& text = current_.text;
  while (text.size() > 1) {
    const char last = text.back();
    const char before = text[text.size() - 2];
    const bool numberEnd =
        last == ' ' || IsDigit(last) || ((last == '.' || IsCapital(last)) && (before == ' ' || IsDigit(before)));
    if (!numberEnd) break;
    text.pop_back();
  }
  while (!text.empty()) {
    const char c = text.front();
    const bool numberLetter = IsCapital(c) && text.size() > 1 && (text[1] == ' ' || IsDigit(text[1]));
    if (!(c == ' ' || c == '+' || c == '-' || c == '.' || IsDigit(c) || numberLetter)) break;
    if (c == '-' && markupAnswer_ == 1) current_.kind = ekShot;
    text.erase(0, 1);
  }
}

void TTextClassifier::TidyUnderlines() {
  std::string& text = current_.text;
  if (markupAnswer_ == 2 || text.find('_') == std::string::npos) return;
  if (!AskMarkup(UnderlineQuestion)) return;
  bool on = true;
  for (char& c : text)
    if (c == '_') {
      c = static_cast<char>(on ? UnderlineOn : UnderlineOff);
      on = !on;
    }
}

void TTextClassifier::Tidy(TLine& line, int from) {
  TImportedElement* before = out_.empty() ? nullptr : &out_.back();
  if (from <= 1 && current_.kind == ekCharacterName && current_.text.starts_with("\"")) current_.kind = ekCenteredTitle;
  if (from <= 2 && current_.kind == ekAction && line.endsAfter == 1 && before && before->kind == ekDialogue &&
      !before->text.empty() && (before->text.back() == ',' || IsAnsiAlpha(static_cast<Byte>(before->text.back())))) {
    current_.kind = ekDialogue;
    speechContinues_ = true;
  }
  if (from <= 3 && current_.text.starts_with("|")) {
    current_.text.erase(0, 1);
    if (current_.kind == ekCharacterName) current_.kind = ekShot;
  }
  if (from <= 4 && (current_.text.starts_with("+") || current_.text.starts_with("-")) &&
      !current_.text.starts_with("--") && AskMarkup(MarkupQuestion))
    current_.kind = ekSceneHeading;
  if (from <= 5 && (current_.kind == ekSceneHeading || current_.kind == ekShot)) TidyHeadingNumbers();
  TidyUnderlines();
  if (current_.kind == ekDialogue && before && before->kind == ekDialogue) {
    // A speech that would outgrow an element goes on in a dialogue of its own.
    if (speechContinues_ && before->text.size() + 1 + current_.text.size() <= MaxElementChars) {
      if (!before->text.empty() && before->text.back() != ' ') before->text += ' ';
      before->text += current_.text;
      current_ = TImportedElement{};
      speechContinues_ = false;
      return;
    }
    current_.linesBefore = 10;
  }
  speechContinues_ = false;
  if (before && before->kind == ekCharacterName && current_.kind != ekDialogue && current_.kind != ekParenthetical)
    before->kind = ekShot;
  Push();
}

void TTextClassifier::Push() {
  if (pendingSecondPiece_) {
    current_.split = spSecondPiece;
    pendingSecondPiece_ = false;
  }
  out_.push_back(std::move(current_));
  current_ = TImportedElement{};
}

TImportedElements TTextClassifier::Finish() {
  if (!out_.empty() && out_.back().kind == ekCharacterName) out_.back().kind = ekAction;
  return std::move(out_);
}

// ---- Plain text ------------------------------------------------------------

std::string PreparePlainText(std::string_view text, bool matchPageBreaks) {
  std::string out;
  out.reserve(text.size() + text.size() / 16);
  static constexpr CharSet special{0, 0xFF, '\r', '\n', '\t', 0x0C};
  for (std::size_t i = 0; i < text.size(); ++i) {
    const std::size_t run = i;
    while (i < text.size() && !special.Contains(text[i])) ++i;
    out.append(text.substr(run, i - run));
    if (i == text.size()) break;
    const char c = text[i];
    switch (c) {
      case '\0':
      case '\xFF': break;
      case '\r':
        out += CR;
        if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
        break;
      case '\n': out += CR; break;
      case '\t':
        // Two tabs in a row make one line end.
        out += CR;
        if (i + 1 < text.size() && text[i + 1] == '\t') ++i;
        break;
      case FormFeed:
        if (matchPageBreaks) out += "\r\x0C\r";
        else out += CR;
        break;
      default: out += c;
    }
  }
  return out;
}

TImportedElements ClassifyPlainText(std::string_view ansiText, const TClassifierContext& context,
                                    const TPasteChoices& choices) {
  TTextClassifier classifier(context, choices);
  classifier.Classify(PreparePlainText(ansiText, choices.MatchPageBreaks));
  return classifier.Finish();
}

TImportedElements ImportPlainText(std::string_view bytes, const TClassifierContext& context,
                                  const TPasteChoices& choices, TPlainTextSource source) {
  const TIncomingText incoming = IncomingTextToAnsi(bytes, source.ownCharacterSet);
  if (incoming.lossy) ShowMessageBox(LossyTextNotice, "Attention");
  return ClassifyPlainText(source.stripCodes ? StrippedText(incoming.text) : incoming.text, context, choices);
}

}  // namespace qm
