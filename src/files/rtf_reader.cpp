#include "files/rtf_reader.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <climits>

#include "platform/cp1252.h"
#include "script/model/text_codes.h"

namespace qm {

namespace {

constexpr char CR = '\r';
constexpr std::size_t MaxControlWord = 32;
// More styles than any document has; a bound on the reading of a damaged one.
constexpr int MaxStyles = 1000;

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int HexValue(char c) {
  if (IsDigit(c)) return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Groups whose whole content is dropped, by the control word that opens them.
constexpr std::array<std::string_view, 24> kDroppedGroups{
    "header", "headerl", "headerr",   "headerf",  "footer",     "footerl",    "footerr",           "footerf",
    "pict",   "info",    "fonttbl",   "colortbl", "stylesheet", "listtable",  "listoverridetable", "rsidtbl",
    "revtbl", "filetbl", "generator", "xmlnstbl", "object",     "nonshppict", "footnote",          "shp"};

bool IsDroppedGroup(std::string_view word) {
  return std::find(kDroppedGroups.begin(), kDroppedGroups.end(), word) != kDroppedGroups.end();
}

// The style codes in the order a group end closes them.
enum TRtfStyle { rsBold, rsItalic, rsUnderline, rsStrike, rsStyleCount };
constexpr std::array<Byte, rsStyleCount> kOnCodes{BoldOn, ItalicsOn, UnderlineOn, StrikeOutOn};
constexpr std::array<Byte, rsStyleCount> kOffCodes{BoldOff, ItalicsOff, UnderlineOff, StrikeOutOff};

struct TGroupState {
  std::array<bool, rsStyleCount> styles{};
  bool caps = false;
  bool dropped = false;
  int unicodeSkip = 1;
};

struct TControlWord {
  std::string_view name;
  bool hasParam = false;
  int param = 0;
};

class TRtfCleaner {
 public:
  TRtfCleaner(std::string_view rtf, const TRtfCleaning& options, int minimumIndent)
      : rtf_(rtf), options_(options), minimumIndent_(minimumIndent), ignoreMargins_(options.ignoreMargins) {
    out_.text.reserve(rtf.size() / 2);
    out_.minimumIndent = minimumIndent;
    blockEnd_ = RtfBlockEnd(rtf_, 0);
  }

  TRtfCleaned Run() {
    stack_.push_back(TGroupState{});
    while (pos_ < rtf_.size()) {
      if (pos_ >= blockEnd_) EndBlock();
      Step();
    }
    EndParagraph(false);
    return std::move(out_);
  }

 private:
  TGroupState& State() { return stack_.back(); }

  // One indent throughout a block says nothing the text does not: the
  // indent is ignored from the next block on.
  void EndBlock() {
    if (!ignoreMargins_ && !blockIndentVaries_) {
      ignoreMargins_ = true;
      out_.marginsIgnoredFrom = out_.text.size();
    }
    blockIndentVaries_ = false;
    blockEnd_ = RtfBlockEnd(rtf_, blockEnd_);
  }

  void Step() {
    const char c = rtf_[pos_];
    if (c == '{') {
      ++pos_;
      stack_.push_back(State());
      if (rtf_.substr(pos_).starts_with("\\*")) State().dropped = true;
    } else if (c == '}') {
      ++pos_;
      if (stack_.size() > 1) stack_.pop_back();
      fallbackLeft_ = 0;
    } else if (c == '\\') {
      Control();
    } else if (c == '\r' || c == '\n') {
      // Line ends in RTF carry no meaning.
      ++pos_;
    } else if (fallbackLeft_ > 0 || State().dropped) {
      ++pos_;
      Text(c);
    } else {
      TextRun();
    }
  }

  // Plain text up to the next brace, control or line end, in one piece.
  void TextRun() {
    const std::size_t start = pos_;
    while (pos_ < rtf_.size()) {
      const char c = rtf_[pos_];
      if (c == '{' || c == '}' || c == '\\' || static_cast<Byte>(c) < 32) break;
      ++pos_;
    }
    if (pos_ == start) {
      ++pos_;  // a control byte, which text does not keep
      return;
    }
    StartParagraphText();
    SyncStyles();
    const std::string_view run = rtf_.substr(start, pos_ - start);
    if (!State().caps) {
      out_.text.append(run);
      return;
    }
    for (char c : run) out_.text += static_cast<char>(AnsiUpper(static_cast<Byte>(c)));
  }

  void Control() {
    ++pos_;
    if (pos_ >= rtf_.size()) return;
    const char c = rtf_[pos_];
    if (IsLetter(c)) {
      Word(ReadWord());
      return;
    }
    ++pos_;
    switch (c) {
      case '\'': Hex(); break;
      case '-': Text('~', true); break;
      case '_': Text(static_cast<char>(HardDash), true); break;
      case '~': Text(static_cast<char>(HardSpace), true); break;
      case ':': Text(':', true); break;
      case '\\':
      case '{':
      case '}': Text(c); break;
      case '\r':
      case '\n': EndParagraph(true); break;
      default: break;
    }
  }

  TControlWord ReadWord() {
    const std::size_t start = pos_;
    while (pos_ < rtf_.size() && IsLetter(rtf_[pos_]) && pos_ - start < MaxControlWord) ++pos_;
    TControlWord word{rtf_.substr(start, pos_ - start)};
    std::size_t digits = pos_;
    if (digits < rtf_.size() && rtf_[digits] == '-') ++digits;
    const std::size_t numberStart = digits;
    while (digits < rtf_.size() && IsDigit(rtf_[digits]) && digits - numberStart < 10) ++digits;
    if (digits > numberStart) {
      long long value = 0;
      std::from_chars(rtf_.data() + pos_, rtf_.data() + digits, value);
      word.hasParam = true;
      word.param = static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
      pos_ = digits;
    }
    if (pos_ < rtf_.size() && rtf_[pos_] == ' ') ++pos_;
    return word;
  }

  void Word(const TControlWord& w) {
    if (w.name == "bin") {
      pos_ += static_cast<std::size_t>(std::clamp(w.param, 0, static_cast<int>(rtf_.size() - pos_)));
      return;
    }
    if (State().dropped) return;
    if (IsDroppedGroup(w.name)) {
      State().dropped = true;
      return;
    }
    const bool on = !w.hasParam || w.param != 0;
    if (w.name == "par") EndParagraph(true);
    else if (w.name == "pard") NewParagraphProperties();
    else if (w.name == "plain") State().styles.fill(false), State().caps = false;
    else if (w.name == "tab") LineEnd();
    else if (w.name == "page") PageBreak();
    else if (w.name == "line") Text(' ');
    else if (w.name == "b") State().styles[rsBold] = on;
    else if (w.name == "i") State().styles[rsItalic] = on;
    else if (w.name == "ul" || w.name == "uld" || w.name == "uldb" || w.name == "ulw" || w.name == "uldash")
      State().styles[rsUnderline] = on;
    else if (w.name == "ulnone") State().styles[rsUnderline] = false;
    else if (w.name == "strike" || w.name == "striked") State().styles[rsStrike] = on;
    else if (w.name == "caps" || w.name == "scaps") State().caps = on;
    else if (w.name == "emdash") Text('\x97', true);
    else if (w.name == "endash") Text('\x96', true);
    else if (w.name == "lquote") Text('\x91', true);
    else if (w.name == "rquote") Text('\x92', true);
    else if (w.name == "ldblquote") Text('\x93', true);
    else if (w.name == "rdblquote") Text('\x94', true);
    else if (w.name == "bullet") Text('\x95', true);
    else if (w.name == "uc") State().unicodeSkip = std::clamp(w.param, 0, 8);
    else if (w.name == "u") Unicode(w.param);
    else if (w.name == "s" && w.hasParam) paragraphStyle_ = w.param;
    else if (w.name == "li" && w.hasParam) paragraphIndent_ = w.param;
  }

  void Hex() {
    if (pos_ + 1 >= rtf_.size() || HexValue(rtf_[pos_]) < 0 || HexValue(rtf_[pos_ + 1]) < 0) return;
    const int value = HexValue(rtf_[pos_]) * 16 + HexValue(rtf_[pos_ + 1]);
    pos_ += 2;
    if (fallbackLeft_ > 0) {
      --fallbackLeft_;
      return;
    }
    if (value == 0x92) Text('\'', true);
    else if (value == 0x93 || value == 0x94) Text('"', true);
    else if (value >= 32) Text(static_cast<char>(value), true);
  }

  void Unicode(int value) {
    const char32_t ch = static_cast<char32_t>(value < 0 ? value + 65536 : value);
    const int byte = UnicodeToAnsi(ch);
    if (byte < 32) return;  // the fallback that follows stands for it
    Text(static_cast<char>(byte), true);
    fallbackLeft_ = State().unicodeSkip;
  }

  void Text(char c, bool escaped = false) {
    if (State().dropped) return;
    if (!escaped && fallbackLeft_ > 0) {
      --fallbackLeft_;
      return;
    }
    if (!escaped && static_cast<Byte>(c) < 32) return;
    StartParagraphText();
    SyncStyles();
    out_.text += State().caps ? static_cast<char>(AnsiUpper(static_cast<Byte>(c))) : c;
  }

  // The paragraph's marks go before its first text.
  void StartParagraphText() {
    if (paragraphStarted_) return;
    paragraphStarted_ = true;
    if (!ignoreMargins_ && !options_.useStyleSheets && paragraphIndent_ != 0) {
      if (paragraphIndent_ == minimumIndent_) out_.text += '|';
      else out_.indentVaries = blockIndentVaries_ = true;
    }
    if (options_.useStyleSheets && paragraphStyle_ >= 1 && paragraphStyle_ <= options_.styleCount)
      out_.text += "\\s" + std::to_string(paragraphStyle_) + " ";
  }

  // What was switched off closes before what was switched on opens.
  void SyncStyles() {
    for (const bool opening : {false, true})
      for (std::size_t s = 0; s < rsStyleCount; ++s) {
        const bool wanted = State().styles[s];
        if (wanted != opening || wanted == open_[s]) continue;
        out_.text += static_cast<char>(wanted ? kOnCodes[s] : kOffCodes[s]);
        open_[s] = wanted;
      }
  }

  // Each element closes the styles it opened.
  void CloseStyles() {
    for (int s = 0; s < rsStyleCount; ++s) {
      bool& open = open_[static_cast<std::size_t>(s)];
      if (open) out_.text += static_cast<char>(kOffCodes[static_cast<std::size_t>(s)]);
      open = false;
    }
  }

  void LineEnd() {
    if (State().dropped) return;
    CloseStyles();
    out_.text += CR;
  }

  void EndParagraph(bool lineEnd) {
    if (State().dropped) return;
    CloseStyles();
    if (lineEnd) out_.text += CR;
    paragraphStarted_ = false;
  }

  void PageBreak() {
    if (State().dropped) return;
    CloseStyles();
    out_.text += '\x0C';
  }

  void NewParagraphProperties() {
    paragraphStyle_ = 0;
    paragraphIndent_ = 0;
  }

  std::string_view rtf_;
  TRtfCleaning options_;
  int minimumIndent_;
  bool ignoreMargins_;
  bool blockIndentVaries_ = false;
  std::size_t blockEnd_ = 0;
  std::size_t pos_ = 0;
  std::vector<TGroupState> stack_;
  std::array<bool, rsStyleCount> open_{};
  int fallbackLeft_ = 0;
  int paragraphStyle_ = 0;
  int paragraphIndent_ = 0;
  bool paragraphStarted_ = false;
  TRtfCleaned out_;
};

// A "}" follows the paragraph end that ends at `at`, line ends apart.
bool GroupClosesAt(std::string_view block, std::size_t at) {
  while (at < block.size() && (block[at] == '\r' || block[at] == '\n')) ++at;
  return at < block.size() && block[at] == '}';
}

// The last `mark` of the block that a "}" follows; npos when none.
std::size_t LastClosedMark(std::string_view block, std::string_view mark) {
  for (std::size_t at = block.rfind(mark); at != std::string_view::npos && at > 0; at = block.rfind(mark, at - 1))
    if (GroupClosesAt(block, at + mark.size())) return at;
  return std::string_view::npos;
}

// Where a block is best cut: after a sentence's paragraph end that closes
// a group, then any paragraph end, then the style sheet's start. A place
// at the block's very start does not count.
std::size_t SafeCutPlace(std::string_view block) {
  for (std::string_view mark : {".\\par", ". \\par"})
    if (const std::size_t at = LastClosedMark(block, mark); at != std::string_view::npos) return at;
  for (std::string_view mark : {"\\par ", "\\par}", "\\par", "{\\stylesheet"})
    if (const std::size_t at = block.rfind(mark); at != std::string_view::npos && at > 0) return at;
  return std::string_view::npos;
}

// The smallest left indent other than 0 of the document.
int MinimumIndentOf(std::string_view rtf) {
  int minimum = 0;
  for (std::size_t at = rtf.find("\\li"); at != std::string_view::npos; at = rtf.find("\\li", at + 3)) {
    std::size_t i = at + 3;
    int value = 0;
    while (i < rtf.size() && IsDigit(rtf[i]) && value < 100000) value = value * 10 + (rtf[i++] - '0');
    if (i == at + 3 || (i < rtf.size() && IsLetter(rtf[i]))) continue;
    if (value > 0 && (minimum == 0 || value < minimum)) minimum = value;
  }
  return minimum;
}

// Where the group that opens at `open` ends (just after its "}").
std::size_t GroupEnd(std::string_view rtf, std::size_t open) {
  int depth = 0;
  for (std::size_t i = open; i < rtf.size(); ++i) {
    if (rtf[i] == '\\') ++i;
    else if (rtf[i] == '{') ++depth;
    else if (rtf[i] == '}' && --depth == 0) return i + 1;
  }
  return rtf.size();
}

// The name of one style definition: the words after its last control word.
bool StyleNameAt(std::string_view definition, std::string& name) {
  const std::size_t end = definition.find(";}");
  if (end == std::string_view::npos) return false;
  const std::size_t slash = definition.substr(0, end).rfind('\\');
  if (slash == std::string_view::npos) return false;
  const std::size_t blank = definition.find(' ', slash);
  if (blank == std::string_view::npos || blank > end) return false;
  name.clear();
  for (char c : definition.substr(blank, end - blank))
    if (c != ' ') name += static_cast<char>(AnsiUpper(static_cast<Byte>(c)));
  return true;
}

// The start of the first whole line at or after `at` (the text's end when none).
std::size_t LineStartFrom(std::string_view text, std::size_t at) {
  if (at >= text.size()) return text.size();
  if (at == 0 || text[at - 1] == CR) return at;
  const std::size_t end = text.find(CR, at);
  return end == std::string_view::npos ? text.size() : end + 1;
}

}  // namespace

std::vector<std::string> ReadRtfStyleSheet(std::string_view rtf) {
  std::vector<std::string> names;
  const std::size_t open = rtf.find("{\\stylesheet");
  if (open == std::string_view::npos) return names;
  const std::string_view sheet = rtf.substr(open, GroupEnd(rtf, open) - open);
  for (int number = 1; number <= MaxStyles; ++number) {
    const std::string mark = "{\\s" + std::to_string(number);
    std::size_t at = sheet.find(mark);
    while (at != std::string_view::npos && at + mark.size() < sheet.size() && IsDigit(sheet[at + mark.size()]))
      at = sheet.find(mark, at + 1);
    if (at == std::string_view::npos) break;
    std::string name;
    const std::string_view definition = sheet.substr(at + mark.size());
    if (!StyleNameAt(definition.substr(0, GroupEnd(sheet, at) - at), name)) break;
    names.push_back(std::move(name));
  }
  return names;
}

std::size_t RtfBlockEnd(std::string_view rtf, std::size_t from) {
  if (from >= rtf.size() || rtf.size() - from <= RtfBlockBytes) return rtf.size();
  const std::string_view block = rtf.substr(from, RtfBlockBytes);
  const std::size_t at = SafeCutPlace(block);
  if (at == std::string_view::npos) return from + block.size();
  const std::size_t close = block.find('}', at);
  return from + (close == std::string_view::npos ? at : close + 1);
}

TRtfCleaned CleanRtfCodes(std::string_view rtf, const TRtfCleaning& options) {
  // The indent is measured in the first block: a later one reads it only
  // while the first had two.
  const int minimumIndent = options.ignoreMargins ? 0 : MinimumIndentOf(rtf.substr(0, RtfBlockEnd(rtf, 0)));
  return TRtfCleaner(rtf, options, minimumIndent).Run();
}

TImportedElements ImportRtf(std::string_view bytes, const TClassifierContext& context, const TPasteChoices& choices) {
  if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
  std::vector<std::string> styles;
  if (choices.UseStyleSheets) styles = ReadRtfStyleSheet(bytes);
  TRtfCleaning cleaning;
  cleaning.styleCount = static_cast<int>(styles.size());
  cleaning.useStyleSheets = choices.UseStyleSheets;
  cleaning.ignoreMargins = choices.IgnoreMargins;
  const TRtfCleaned cleaned = CleanRtfCodes(bytes, cleaning);
  TTextClassifier classifier(context, choices);
  classifier.SetStyleNames(std::move(styles));
  // The lines after the indent stopped counting are read without it.
  const std::size_t cut = LineStartFrom(cleaned.text, cleaned.marginsIgnoredFrom);
  const std::string_view text = cleaned.text;
  classifier.Classify(PreparePlainText(text.substr(0, cut), choices.MatchPageBreaks));
  if (cut < text.size()) {
    classifier.IgnoreMargins();
    classifier.Classify(PreparePlainText(text.substr(cut), choices.MatchPageBreaks));
  }
  return classifier.Finish();
}

}  // namespace qm
