#include "base/message_boxes.h"
#include "base/program_options.h"
#include "base/program_options.h"
#include "script/model/element_visibility.h"
#include "script/layout/centered_elements.h"
#include "script/layout/word_wrap.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <stdexcept>
#include <vector>

#include "platform/cp1252.h"
#include "platform/forms.h"
#include "platform/printer.h"
#include "script/layout/char_widths.h"
#include "script/model/act_labels.h"
#include "script/layout/cue_extension.h"
#include "script/layout/element_parentheses.h"
#include "script/layout/fixed_pitch.h"
#include "script/model/packed_text.h"
#include "script/layout/screen_lines.h"
#include "script/script_window.h"
#include "script/model/string_utils.h"
#include "script/model/edit_line_writer.h"

namespace qm {

namespace {

// How the line breaker treats each byte.
enum : Byte {
  kText,        // measured, part of a word
  kBlank,       // measured; a line may break after it
  kCode,        // no width; nothing the breaker needs
  kStyleCode,   // no width; switches bold or italic
  kDash,        // "-": measured; a line may break after it
  kSoftHyphen,  // no width; a line may break after it
  kHardReturn,  // ends the line
  kSwitch,      // measured; switches the style: "(" ")" of Dialogue, "<" ">" of interactive scripts
};

using TClassTable = std::array<Byte, 256>;

enum ClassVariant : unsigned { cvUserColors = 1, cvDialogueParens = 2, cvInteractive = 4, cvTagging = 8, cvCount = 16 };

TClassTable BuildClasses(unsigned variant) {
  TClassTable table{};
  CharSet zeroWidth = ZeroWidthBytes((variant & cvTagging) != 0);
  for (int c = 0; c < 256; ++c)
    if ((variant & cvUserColors) && IsUserColorCode(static_cast<Byte>(c))) zeroWidth.Include(static_cast<Byte>(c));
  for (int c = 0; c < 256; ++c) {
    const Byte b = static_cast<Byte>(c);
    Byte cls = kText;
    if (zeroWidth.Contains(b)) cls = kCode;
    if (b == BoldOn || b == BoldOff || b == ItalicsOn || b == ItalicsOff) cls = kStyleCode;
    if (b == ' ') cls = kBlank;
    if (b == '-') cls = kDash;
    if (b == SoftHyphen) cls = kSoftHyphen;
    if (b == HardReturn) cls = kHardReturn;
    if ((variant & cvDialogueParens) && (b == '(' || b == ')')) cls = kSwitch;
    if ((variant & cvInteractive) && (b == '<' || b == '>')) cls = kSwitch;
    table[static_cast<std::size_t>(c)] = cls;
  }
  return table;
}

const TClassTable& ClassesFor(unsigned variant) {
  static const std::array<TClassTable, cvCount> tables = [] {
    std::array<TClassTable, cvCount> all{};
    for (unsigned v = 0; v < cvCount; ++v) all[v] = BuildClasses(v);
    return all;
  }();
  return tables[variant];
}

// The characters a fixed-pitch run may hold: those the breaker only
// measures and, for a blank, remembers as a break.
const TPlainCharacters& PlainFor(unsigned variant) {
  static const std::array<TPlainCharacters, cvCount> sets = [] {
    std::array<TPlainCharacters, cvCount> all{};
    for (unsigned v = 0; v < cvCount; ++v)
      all[v] = TPlainCharacters([&classes = ClassesFor(v)](Byte ch) { return classes[ch] > kBlank; });
    return all;
  }();
  return sets[variant];
}

// The running style of the text: the attribute bits, the colour, and
// whether a Dialogue parenthesis shows the Parenthetical capitals.
struct TRunState {
  Byte bits = 0;
  Byte color = 0;
  bool parenCaps = false;
};

// Everything the wrap of one element reads.
struct TWrapSetup {
  std::string_view text;
  const TScriptElement* element = nullptr;
  const TClassTable* classes = nullptr;
  const TPlainCharacters* plain = nullptr;
  TPitchCache* pitches = nullptr;
  const std::array<TWidthTable, 4>* widths = nullptr;
  const std::array<TWidthTable, 4>* capsWidths = nullptr;  // by upper-case character
  bool caps = false;
  bool extendedColors = false;
  bool flexMargin = false;
  bool dialogueParens = false;
  bool interactive = false;
  Byte dialogueStyle = 0;
  Byte parenStyle = 0;
  bool parenCaps = false;
  int available = 0;
  int firstBreakable = 0;  // a Dialogue's leading hard returns end no line
  TRunState start;
};

void ApplyCode(TRunState& state, Byte ch, bool extendedColors) {
  switch (ch) {
    case BoldOn: state.bits |= AttrBold; break;
    case BoldOff: state.bits &= static_cast<Byte>(~AttrBold); break;
    case ItalicsOn: state.bits |= AttrItalic; break;
    case ItalicsOff: state.bits &= static_cast<Byte>(~AttrItalic); break;
    case UnderlineOn: state.bits |= AttrUnderline; break;
    case UnderlineOff: state.bits &= static_cast<Byte>(~AttrUnderline); break;
    case StrikeOutOn: state.bits |= AttrStrikeOut; break;
    case StrikeOutOff: state.bits &= static_cast<Byte>(~AttrStrikeOut); break;
    default: state.color = static_cast<Byte>(NextColorIndex(state.color, ch, extendedColors));
  }
}

// A style switch before its own character is measured ("(" and ">")...
void ApplySwitchBefore(const TWrapSetup& setup, TRunState& state, Byte ch) {
  if (ch == '(' && setup.dialogueParens) {
    state.bits = static_cast<Byte>((state.bits & ~0x0F) | setup.parenStyle);
    state.parenCaps = setup.parenCaps;
  } else if (ch == '>' && setup.interactive) {
    state.bits &= static_cast<Byte>(~AttrBold);
  }
}

// ... and after it (")" and "<").
void ApplySwitchAfter(const TWrapSetup& setup, TRunState& state, Byte ch) {
  if (ch == ')' && setup.dialogueParens) {
    state.bits = static_cast<Byte>((state.bits & ~0x0F) | setup.dialogueStyle);
    state.parenCaps = false;
  } else if (ch == '<' && setup.interactive) {
    state.bits |= AttrBold;
  }
}

// The layout widths of the running style (in capitals where they show).
const std::int32_t* WidthsFor(const TWrapSetup& setup, const TRunState& state) {
  const auto& set = (setup.caps || state.parenCaps) ? *setup.capsWidths : *setup.widths;
  return set[static_cast<std::size_t>(state.bits & (AttrBold | AttrItalic))].data();
}

int MeasuredWidth(const TWrapSetup& setup, const TRunState& state, Byte ch) { return WidthsFor(setup, state)[ch]; }

// The width of every plain character in a table, 0 when they differ.
std::int32_t PitchOf(const TWrapSetup& setup, const std::int32_t* widths) {
  return setup.plain->Usable() ? setup.pitches->PitchOf(widths) : 0;
}

// Finds where lines end; only what decides the breaks is computed here,
// so that wrapping a whole script stays a pass of table look-ups.
class LineBreaker {
 public:
  explicit LineBreaker(const TWrapSetup& setup) : s_(setup), n_(static_cast<int>(setup.text.size())) {}

  // Fills offsets[1..count] with the end of each line; returns the count.
  int Run(TLineOffsets& offsets) {
    TRunState state = s_.start;
    int count = 0;
    int pos = 0;
    for (;;) {
      ++count;
      bool endedByReturn = false;
      const int end = count == MaxLineCount ? n_ : LineEnd(pos, state, endedByReturn);
      offsets[static_cast<std::size_t>(count)] = static_cast<Word>(end);
      pos = end;
      if (count == MaxLineCount || (pos >= n_ && !endedByReturn)) return count;
    }
  }

 private:
  Byte Ch(int i) const { return static_cast<Byte>(s_.text[static_cast<std::size_t>(i)]); }
  Byte Class(int i) const { return (*s_.classes)[Ch(i)]; }
  int SkipCodes(int i) const {
    while (i < n_ && IsCodeAt(i)) ++i;
    return i;
  }
  bool EndsWord(int i) const {
    if (i >= n_) return true;
    const Byte cls = Class(i);
    return cls == kBlank || cls == kSoftHyphen || (cls == kHardReturn && i >= s_.firstBreakable);
  }
  // Whether the word whose character i reached the margin ends with the
  // next character or the one after it (codes between do not count), so
  // that it passes the margin by one or two characters. A word that ended
  // with i passes nothing.
  bool WordEndsPastMargin(int i) const {
    int j = SkipCodes(i + 1);
    if (EndsWord(j)) return false;
    for (int extra = 0;; ++extra) {
      if (Class(j) == kDash) return true;
      const int after = SkipCodes(j + 1);
      if (EndsWord(after)) return true;
      if (extra == 1) return false;
      j = after;
    }
  }
  // A letter, a double quote or "(" begins a word that codes before it
  // travel with.
  bool BeginsWord(int i) const {
    const Byte ch = Ch(i);
    return IsAnsiAlpha(ch) || ch == '"' || ch == '(';
  }
  void Advance(int i, TRunState& state) const {
    const Byte cls = Class(i);
    if (cls == kStyleCode) ApplyCode(state, Ch(i), s_.extendedColors);
    if (cls == kSwitch) {
      ApplySwitchBefore(s_, state, Ch(i));
      ApplySwitchAfter(s_, state, Ch(i));
    }
  }
  // Takes the rest of a word that may pass the margin, the codes after it
  // and one blank, soft hyphen or hard return that ends it.
  int ExtendWord(int i, TRunState& state, bool& endedByReturn) const {
    int j = i + 1;
    while (j < n_ && !EndsWord(j)) {
      const bool dash = Class(j) == kDash;
      Advance(j++, state);
      if (dash) return j;
    }
    if (j < n_ && EndsWord(j)) {
      endedByReturn = Class(j) == kHardReturn;
      ++j;
    }
    return j;
  }

  // What a line's end is decided from when a character reaches the margin.
  struct TLineScan {
    int start = 0;
    int lastBreak = -1;
    int stateSince = 0;    // the running state holds from this position on
    TRunState breakState;  // the state at lastBreak when that lies before stateSince
    int codeRun = -1;      // start of the latest run of codes
    TRunState codeRunState;
    TRunState BreakState(const TRunState& current) const { return lastBreak >= stateSince ? current : breakState; }
    // The running state is about to change at position i.
    void KeepBreakState(int currentBreak, const TRunState& state, int i) {
      if (currentBreak >= stateSince) breakState = state;
      stateSince = i + 1;
    }
  };

  bool IsCodeAt(int i) const {
    const Byte cls = Class(i);
    return cls == kCode || cls == kStyleCode || (cls == kHardReturn && i < s_.firstBreakable);
  }

  // The characters of the word in hand up to position i, counted up to five.
  int WordCharsTo(const TLineScan& scan, int i) const {
    int count = 0;
    for (int j = i; j >= std::max(scan.lastBreak, scan.start) && count < 5; --j)
      if (!IsCodeAt(j)) ++count;
    return count;
  }

  // Character i brought the line to the margin: where the line ends. A
  // blank or a dash ends it after itself; a word of five characters or
  // more on the line may pass the margin with Flex Margin.
  int Overflow(const TLineScan& scan, int i, Byte cls, const TRunState& before, TRunState& state,
               bool& endedByReturn) const {
    if (cls == kBlank || cls == kDash) return scan.lastBreak;
    if (s_.flexMargin && WordCharsTo(scan, i) >= 5 && WordEndsPastMargin(i)) return ExtendWord(i, state, endedByReturn);
    if (scan.lastBreak > scan.start) {
      state = scan.BreakState(state);
      return scan.lastBreak;
    }
    if (i == scan.start) return i + 1;
    if (IsCodeAt(i - 1) && scan.codeRun > scan.start && BeginsWord(i)) {
      state = scan.codeRunState;
      return scan.codeRun;
    }
    state = before;
    return i;
  }

  // The plain runs a line skipped hold blanks whose place matters only
  // when the line overflows or the style changes: they are searched then.
  struct TSkippedRuns {
    int from = -1;
    int to = -1;
  };
  static void SettleBreak(const Byte* text, TSkippedRuns& runs, int& lastBreak) {
    if (runs.from < 0) return;
    const int blank = LastBlank(text, std::max(runs.from, lastBreak), runs.to);
    if (blank >= 0) lastBreak = blank + 1;
    runs.from = -1;
  }

  // Whether the line ends at character i, which brought it to the margin:
  // it does unless i is the text's last character (codes after it are no
  // text) and ends exactly on the margin, where the line ends with the text.
  bool EndsLineAt(int width, int i) const {
    if (width > s_.available) return true;
    for (int j = i + 1; j < n_; ++j)
      if (!IsCodeAt(j)) return true;
    return false;
  }

  // In a fixed-pitch font: takes the plain characters from i that leave
  // the line short of the margin and returns the position after them.
  int SkipPlainRun(const Byte* text, int i, std::int32_t pitch, int& width, TSkippedRuns& runs) const {
    const int room = (s_.available - width - 1) / pitch;
    const int end = s_.plain->RunEnd(text, i, std::min(n_, i + room), n_);
    if (runs.from < 0) runs.from = i;
    runs.to = end;
    width += (end - i) * pitch;
    return end;
  }

  // The words of a script are mostly letters and blanks: in a fixed-pitch
  // font whole runs of them are measured at once; otherwise they take the
  // first branch, which decides nothing by a jump but the margin, so that
  // word lengths cost no mispredicted branches. What only a line's end
  // needs is worked out when the line ends.
  int LineEnd(int lineStart, TRunState& state, bool& endedByReturn) const {
    const Byte* text = reinterpret_cast<const Byte*>(s_.text.data());
    const Byte* classes = s_.classes->data();
    const std::int32_t* widths = WidthsFor(s_, state);
    std::int32_t pitch = PitchOf(s_, widths);
    const int available = s_.available;
    int width = 0;
    int lastBreak = -1;
    TSkippedRuns skipped;
    TLineScan scan;
    scan.start = scan.stateSince = lineStart;
    for (int i = lineStart; i < n_; ++i) {
      if (pitch) {
        i = SkipPlainRun(text, i, pitch, width, skipped);
        if (i >= n_) break;
      }
      const Byte ch = text[i];
      const Byte cls = classes[ch];
      if (cls <= kBlank) [[likely]] {
        width += widths[ch];
        lastBreak = cls == kBlank ? i + 1 : lastBreak;
        if (width >= available && EndsLineAt(width, i)) [[unlikely]] {
          SettleBreak(text, skipped, lastBreak);
          scan.lastBreak = lastBreak;
          return Overflow(scan, i, cls, state, state, endedByReturn);
        }
        continue;
      }
      if (IsCodeAt(i)) {
        if (i == lineStart || !IsCodeAt(i - 1)) {
          scan.codeRun = i;
          scan.codeRunState = state;
        }
        if (cls == kStyleCode) {
          SettleBreak(text, skipped, lastBreak);
          scan.KeepBreakState(lastBreak, state, i);
          ApplyCode(state, ch, s_.extendedColors);
          widths = WidthsFor(s_, state);
          pitch = PitchOf(s_, widths);
        }
        continue;
      }
      if (cls == kHardReturn) {
        endedByReturn = true;
        return i + 1;
      }
      if (cls == kSoftHyphen) {
        lastBreak = i + 1;
        continue;
      }
      const TRunState before = state;
      if (cls == kSwitch) {
        SettleBreak(text, skipped, lastBreak);
        scan.KeepBreakState(lastBreak, state, i);
        ApplySwitchBefore(s_, state, ch);
        width += MeasuredWidth(s_, state, ch);
        ApplySwitchAfter(s_, state, ch);
        widths = WidthsFor(s_, state);
        pitch = PitchOf(s_, widths);
      } else {
        width += widths[ch];
      }
      if (cls == kDash) lastBreak = i + 1;
      if (width >= available && EndsLineAt(width, i)) {
        SettleBreak(text, skipped, lastBreak);
        scan.lastBreak = lastBreak;
        return Overflow(scan, i, cls, before, state, endedByReturn);
      }
    }
    return n_;
  }

  const TWrapSetup& s_;
  int n_;
};

// The shown text and attributes of the wrapped lines.
class ScreenTextBuilder {
 public:
  // For paper there is no block to colour and no code to label.
  ScreenTextBuilder(TMDIChild& window, const TWrapSetup& setup, bool forPrint = false) : w_(window), s_(setup) {
    codes_ = CodeSetOf(window);
    if (forPrint) return;
    const TScriptElement& e = *setup.element;
    if (window.BlockOn() && e.InBlock()) {
      selStart_ = std::min(e.blockStart, e.blockEnd);
      selEnd_ = std::max(e.blockStart, e.blockEnd);
    }
    showCodes_ = window.LayoutOptions.ShowCodes;
    labelTags_ = LayoutProgramOptions.FillOutBreakdowns || (showCodes_ && window.TaggingUsed);
  }

  void Build(const TLineOffsets& offsets, int count, std::vector<TLaidLine>& lines) {
    TRunState state = s_.start;
    lines.resize(static_cast<std::size_t>(count));
    int start = 0;
    for (int line = 1; line <= count; ++line) {
      const int end = std::min<int>(offsets[static_cast<std::size_t>(line)], static_cast<int>(s_.text.size()));
      BuildLine(start, end, state, lines[static_cast<std::size_t>(line - 1)]);
      start = end;
    }
  }

 private:
  bool IsHiddenCode(Byte ch) const {
    if (codes_.Contains(ch) || ch == 24 || ch == TagEnd) return true;
    if (ch < 32) return ch != HardSpace && ch != HardDash;
    return labelTags_ && IsBreakdownTagCode(ch);
  }

  void Put(TLaidLine& line, char ch, Byte attribute, int column) const {
    if (line.text.size() >= static_cast<std::size_t>(ScreenLineColumns)) return;
    line.text.push_back(ch);
    if (column >= selStart_ && column < selEnd_) attribute = WithColor(attribute, SelectedColorIndex);
    line.attributes[line.text.size()] = attribute;
  }

  void BuildLine(int start, int end, TRunState& state, TLaidLine& line) const {
    line.text.clear();
    line.attributes.fill(0);
    Word columnShift = 0;
    for (int i = start; i < end; ++i) {
      const Byte ch = static_cast<Byte>(s_.text[static_cast<std::size_t>(i)]);
      if (IsHiddenCode(ch)) {
        ApplyCode(state, ch, s_.extendedColors);
        if (showCodes_ || labelTags_)
          AppendCodeLabel(w_, ch, line.text, ScreenLineColumns, line.attributes.data(), columnShift);
        continue;
      }
      const Byte attribute = WithColor(state.bits, state.color);
      switch (ch) {
        case HardSpace: Put(line, showCodes_ ? static_cast<char>(ch) : ' ', attribute, i); continue;
        case HardDash: Put(line, showCodes_ ? static_cast<char>(ch) : '-', attribute, i); continue;
        case HardReturn:
          if (showCodes_) Put(line, static_cast<char>(ch), attribute, i);
          continue;
        case SoftHyphen:
          if (showCodes_) Put(line, '~', attribute, i);
          else if (i == end - 1 && i > 0 && s_.text[static_cast<std::size_t>(i - 1)] != ' ')
            Put(line, '-', attribute, i);
          continue;
        default: break;
      }
      const bool isSwitch = (*s_.classes)[ch] == kSwitch;
      if (isSwitch) ApplySwitchBefore(s_, state, ch);
      const bool caps = s_.caps || state.parenCaps;
      Put(line, static_cast<char>(caps ? AnsiUpper(ch) : ch), WithColor(state.bits, state.color), i);
      if (isSwitch) ApplySwitchAfter(s_, state, ch);
    }
    while (!line.text.empty() && line.text.back() == ' ') {
      line.attributes[line.text.size()] = 0;
      line.text.pop_back();
    }
  }

  TMDIChild& w_;
  const TWrapSetup& s_;
  int selStart_ = -1;
  int selEnd_ = -1;
  CharSet codes_;
  bool showCodes_ = false;
  bool labelTags_ = false;
};

// The left margin that makes a right-aligned Transition end at its right
// margin, never left of the Transition format's own margin. The text is
// measured with the layout tables, the same widths the breaks come from,
// so the aligned text always fits on its line.
Byte RightAlignedLeftMargin(TMDIChild& window, const TScriptElement& element, const TWrapSetup& setup,
                            const TPageMetrics& page) {
  int width = 0;
  TRunState state = setup.start;
  for (char c : setup.text) {
    const Byte ch = static_cast<Byte>(c);
    const Byte cls = (*setup.classes)[ch];
    if (cls == kStyleCode) ApplyCode(state, ch, setup.extendedColors);
    if (cls != kCode && cls != kStyleCode && cls != kSoftHyphen && cls != kHardReturn)
      width += MeasuredWidth(setup, state, ch);
  }
  const double textTenths = std::ceil(width * 10.0 / LayoutDpi);
  const double rightEdge = (page.physicalWidth - element.format.RightMargin * page.dpi / 10.0) * 10.0 / page.dpi;
  const int left = static_cast<int>(std::floor(rightEdge - textTenths));
  return static_cast<Byte>(std::clamp<int>(left, window.FormatSet[fsTransition].LeftMargin, 255));
}

TWrapSetup PrepareWrap(TMDIChild& window, const TScriptElement& element, std::string_view text, TPitchCache& pitches) {
  TWrapSetup setup;
  setup.pitches = &pitches;
  setup.text = text;
  setup.element = &element;
  const TElementFormat& format = element.format;
  const auto& options = window.LayoutOptions;
  setup.caps = format.AllCaps && format.Kind != ekCharacterName;
  setup.extendedColors = window.UsesUserColours;
  setup.flexMargin = window.FlexMargin && !IsSceneHeading(format.Kind);
  setup.dialogueParens = format.Kind == ekDialogue && !options.DialogueParenthesis;
  setup.interactive = window.InteractiveScript;
  setup.dialogueStyle = format.Style & 0x0F;
  setup.parenStyle = window.FormatSet[fsParenthetical].Style & 0x0F;
  setup.parenCaps = window.FormatSet[fsParenthetical].AllCaps;
  unsigned variant = 0;
  if (setup.extendedColors) variant |= cvUserColors;
  if (setup.dialogueParens) variant |= cvDialogueParens;
  if (setup.interactive) variant |= cvInteractive;
  if (window.TaggingUsed) variant |= cvTagging;
  setup.classes = &ClassesFor(variant);
  setup.plain = &PlainFor(variant);
  setup.widths = &window.LayoutWidths;
  setup.capsWidths = &window.LayoutCapsWidths;
  Byte attribute = 0;
  window.SetupFontStyle(attribute, format);
  setup.start.bits = attribute & 0x0F;
  setup.start.color = ColorOfAttribute(attribute);
  if (format.Kind == ekDialogue)
    while (setup.firstBreakable < static_cast<int>(text.size()) &&
           static_cast<Byte>(text[static_cast<std::size_t>(setup.firstBreakable)]) == HardReturn)
      ++setup.firstBreakable;
  return setup;
}

// A wrap computed aside; nothing of the window changes until it is
// committed whole. Only the offsets of its lines are filled: wrapping a
// whole script clears no table it does not read.
struct TWrapOutcome {
  TWrapOutcome() { offsets[0] = 0; }
  TLineOffsets offsets;
  int lineCount = 1;
  Word available = 0;
  Byte leftMargin = 0;
  Byte rightMargin = 0;
  std::vector<TLaidLine> lines;
};

// What the screen shows after an act element's text: its act label, in
// the capitals the element shows, after a blank (shown lines lose theirs).
std::string ActLabelShown(TMDIChild& window, TScriptElement& element, const TLaidLine& last, bool forPrint) {
  std::string label = ActLabelText(window, element, !forPrint);
  if (label.empty() || label == MissingActNumberText) return label;
  label.erase(0, label.find_first_not_of(' '));
  if (element.format.AllCaps) label = AnsiUpperCase(label);
  return last.text.empty() ? label : " " + label;
}

// The window's width tables must be measured for the element's font.
// What the screen shows after a wrapped line that the element does not
// store: a character name's generated extension and continued marks, an
// act element's act label; in the attribute of the line's last character.
void FixScreenText(TMDIChild& window, TScriptElement& element, TLaidLine& last, bool forPrint) {
  const std::string added = CharacterExtensionText(window, element) + ActLabelShown(window, element, last, forPrint);
  const Byte attribute = last.text.empty() ? Byte{0} : last.attributes[last.text.size()];
  for (char ch : added) {
    if (last.text.size() >= static_cast<std::size_t>(ScreenLineColumns)) break;
    last.text.push_back(ch);
    last.attributes[last.text.size()] = attribute;
  }
}

TWrapOutcome ComputeWrap(TMDIChild& window, TScriptElement& element, std::string_view text, bool screenOutput,
                         const TPageMetrics& page, TPitchCache& pitches, bool forPrint = false) {
  if (text.size() > MaxElementChars) throw std::length_error("element text longer than an element holds");
  TWrapSetup setup = PrepareWrap(window, element, text, pitches);
  TWrapOutcome outcome;
  TElementFormat format = CenteredFormat(window, element, text, page);
  if (format.Kind == ekTransition && window.TransitionsFlushRight)
    format.LeftMargin = RightAlignedLeftMargin(window, element, setup, page);
  outcome.leftMargin = format.LeftMargin;
  outcome.rightMargin = format.RightMargin;
  outcome.available = FormatMarginToDots(format, page);
  setup.available = outcome.available;
  outcome.lineCount = LineBreaker(setup).Run(outcome.offsets);
  outcome.offsets[static_cast<std::size_t>(outcome.lineCount)] = static_cast<Word>(text.size() + 1);
  if (screenOutput) {
    ScreenTextBuilder(window, setup, forPrint).Build(outcome.offsets, outcome.lineCount, outcome.lines);
    for (int i = 0; i < outcome.lineCount; ++i) {
      TLaidLine& line = outcome.lines[static_cast<std::size_t>(i)];
      line.left = ScreenLeftOf(window, format);
      const TLineRoom room = ScreenLineRoomOf(window, element, format, text, i + 1);
      line.height = room.height;
      line.below = room.below;
      line.lineInElement = static_cast<Word>(i + 1);
    }
    if (!outcome.lines.empty()) FixScreenText(window, element, outcome.lines.back(), forPrint);
    AddElementParentheses(window, element, outcome.lines);
  }
  return outcome;
}

void CommitWrap(TMDIChild& window, TScriptElement& element, std::string_view text, TWrapOutcome& outcome,
                bool screenOutput, bool moveFollowing) {
  const int oldCount = element.lineCount;
  element.format.LeftMargin = outcome.leftMargin;
  element.format.RightMargin = outcome.rightMargin;
  if (&element == window.CurrentElement()) {
    const auto used = outcome.offsets.begin() + outcome.lineCount + 1;
    std::copy(outcome.offsets.begin(), used, EditFields(window).LineOffsets.begin());
    std::fill(EditFields(window).LineOffsets.begin() + outcome.lineCount + 1, EditFields(window).LineOffsets.end(),
              Word{0});
    window.AvailableWidth = outcome.available;
    EditFields(window).CaretLine =
        static_cast<Word>(CaretLineOfColumn(outcome.offsets, outcome.lineCount, window.CaretColumn(), text));
  }
  if (element.text) WriteLineOffsetBlock(outcome.offsets, outcome.lineCount, element.lineOffsets);
  if (outcome.lineCount != oldCount) {
    window.LayoutDue = 1;
    NoteScriptShapeChange();
  }
  element.lineCount = static_cast<Byte>(outcome.lineCount);
  if (screenOutput) LayElementLines(window, element, outcome.lines, oldCount, moveFollowing);
}

void ShowWordWrapError() { ShowMessageBox(WordWrapErrorText, "Attention"); }

// Wraps an element whose width tables `measure` makes current (and tells
// pitches when it measures again); a page break lays its banner instead.
// False when the wrap failed and its message was shown: the element keeps
// its lines.
template <typename Measure>
bool WrapElement(TMDIChild& window, TScriptElement& element, std::string_view text, bool screenOutput,
                 bool moveFollowing, const TPageMetrics& page, TPitchCache& pitches, Measure measure) {
  if (element.text && text.empty()) return true;
  if (TakesNoScreenRoom(window, element)) screenOutput = moveFollowing = false;
  try {
    if (IsPageBreakKind(element.Kind())) {
      if (screenOutput) LayPageBreak(window, element, moveFollowing);
      return true;
    }
    measure();
    TWrapOutcome outcome = ComputeWrap(window, element, text, screenOutput, page, pitches);
    CommitWrap(window, element, text, outcome, screenOutput, moveFollowing);
    return true;
  } catch (const std::exception&) {
    ShowWordWrapError();
    return false;
  }
}

void Wrap(TMDIChild& window, TScriptElement* element, std::string_view text, bool screenOutput, bool moveFollowing) {
  if (!element) return;
  TPitchCache pitches;
  WrapElement(window, *element, text, screenOutput, moveFollowing, CurrentPageMetrics(), pitches,
              [&] { MeasureScreenFont(window, element); });
}

}  // namespace

TPageMetrics CurrentPageMetrics() {
  TPageMetrics page;
  TPrinter* printer = Printer();
  PrinterDevice* device = printer ? printer->Device() : nullptr;
  if (!device) return page;
  const int dpi = device->DpiX();
  const int width = device->PhysicalSize().X;
  if (dpi > 0 && width > 0) {
    page.dpi = dpi;
    page.physicalWidth = width;
  }
  return page;
}

Word FormatMarginToDots(const TElementFormat& format) { return FormatMarginToDots(format, CurrentPageMetrics()); }

Word FormatMarginToDots(const TElementFormat& format, const TPageMetrics& page) {
  const int margins = format.LeftMargin + format.RightMargin;
  long width;
  if (page.dpi == LayoutDpi) {
    width = page.physicalWidth - margins * (LayoutDpi / 10);  // exact: no rounding needed
  } else {
    const double dots = page.physicalWidth - margins * page.dpi / 10.0;
    width = std::lround(dots * LayoutDpi / page.dpi);
  }
  return static_cast<Word>(std::clamp<long>(width, 0, 0xFFFF));
}

void WriteLineOffsetBlock(const TLineOffsets& offsets, int lineCount, std::vector<Byte>& block) {
  block.resize(static_cast<std::size_t>(2 * lineCount + 1));
  block[0] = static_cast<Byte>(2 * lineCount + 1);
  for (int line = 1; line <= lineCount; ++line) {
    const Word entry = offsets[static_cast<std::size_t>(line)];
    block[static_cast<std::size_t>(2 * line - 1)] = static_cast<Byte>(entry & 0xFF);
    block[static_cast<std::size_t>(2 * line)] = static_cast<Byte>(entry >> 8);
  }
}

bool ReadLineOffsetBlock(const TScriptElement& element, TLineOffsets& offsets) {
  offsets.fill(0);
  if (!element.LineOffsetsValid() || element.lineCount > MaxLineCount) return false;
  for (int line = 1; line <= element.lineCount; ++line)
    offsets[static_cast<std::size_t>(line)] =
        static_cast<Word>(element.lineOffsets[static_cast<std::size_t>(2 * line - 1)] |
                          element.lineOffsets[static_cast<std::size_t>(2 * line)] << 8);
  return true;
}

int CaretLineOfColumn(const TLineOffsets& offsets, int lineCount, int column, std::string_view text) {
  lineCount = std::clamp(lineCount, 1, MaxLineCount);
  for (int line = 1; line < lineCount; ++line) {
    const int end = offsets[static_cast<std::size_t>(line)];
    if (column < end) return line;
    if (column == end) {
      const bool afterReturn = column > 0 && static_cast<std::size_t>(column) <= text.size() &&
                               static_cast<Byte>(text[static_cast<std::size_t>(column - 1)]) == HardReturn;
      return afterReturn ? line + 1 : line;
    }
  }
  return lineCount;
}

int CharWidthAt(TMDIChild& window, int column) { return MeasureTextWidth(window, column, column); }

int LayoutCharWidthAt(TMDIChild& window, int column) { return MeasureLayoutTextWidth(window, column, column); }

TWrapPass::TWrapPass(TMDIChild& window) : window_(window), page_(CurrentPageMetrics()) {}

void TWrapPass::Wrap(TScriptElement& element, std::string_view text) {
  const auto measure = [&] {
    const TMeasuredFontKey font{&ElementFontName(window_, &element),
                                element.format.FontSize ? element.format.FontSize : window_.ScriptFontSize};
    if (measured_ && font == font_) return;
    MeasureScreenFont(window_, &element);
    pitches_.Forget();
    font_ = font;
    measured_ = true;
  };
  // The failure's message box may have let anything run.
  if (!WrapElement(window_, element, text, false, false, page_, pitches_, measure)) measured_ = false;
}

void WrapForgottenLines(TMDIChild& window) {
  std::optional<TWrapPass> pass;
  for (TScriptElement* e = window.FirstElement; e; e = e->next) {
    if (!e->text || IsPageBreakKind(e->Kind()) || e->LineOffsetsValid()) continue;
    if (!pass) pass.emplace(window);
    pass->Wrap(*e, LiveElementText(window, *e));
  }
}

TPrintedElement PrintedElementLines(TMDIChild& window, TScriptElement& element, const TPageMetrics& page) {
  TPrintedElement printed;
  if (IsPageBreakKind(element.Kind())) return printed;
  const std::string text = LiveElementText(window, element);
  MeasureScreenFont(window, &element);
  TPitchCache pitches;
  TWrapOutcome outcome = ComputeWrap(window, element, text, true, page, pitches, true);
  printed.lines = std::move(outcome.lines);
  printed.leftMargin = outcome.leftMargin;
  return printed;
}

void WrapForScreen(TMDIChild& window, TScriptElement& element, std::string_view text, bool moveFollowing) {
  Wrap(window, &element, text, true, moveFollowing);
}

void TMDIChild::WordWrapText(TScriptElement* element, std::string_view text, bool updateView, bool screenOutput) {
  Wrap(*this, element, text, screenOutput, true);
}

void TMDIChild::WrapScreenText(TScriptElement* element, std::string_view text) {
  Wrap(*this, element, text, true, true);
}

}  // namespace qm
