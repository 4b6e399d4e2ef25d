// A walk of the caret: every key of the keyboard table that moves the
// caret, and clicks, from the start, the middle and the end of every line
// of a script that has lines of every shape (soft-wrapped, ended by a hard
// return, empty, with style codes, a parenthetical holding the automatic
// CONT'D). After each move a letter is typed; it must land where the caret
// is said to stand, and that place must be the one the keys' and the
// mouse's rules give.
#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "platform/input.h"
#include "script/editing/continued_cues.h"
#include "script/editing/editor_calls.h"
#include "script/editing/typing_aids.h"
#include "script/fixtures/block_fixture.h"
#include "script/layout/element_parentheses.h"
#include "script/layout/screen_lines.h"
#include "script/layout/screen_rebuild.h"
#include "script/layout/word_wrap.h"
#include "script/model/cue_codes.h"
#include "script/model/text_codes.h"
#include "script/script_window.h"
#include "support/continued_rule.h"

namespace qm::testing {
namespace {

const std::vector<ElementSpec> kScript = {
    {ekSceneHeading, "INT. HOUSE - NIGHT"},
    {ekCharacterName, "JOHN"},
    {ekDialogue, "Hi."},
    {ekAction,
     "The door opens slowly and she looks at him before turning away from the window where the light falls across "
     "the table."},
    {ekAction, "First line\xA7second line is long\xA7\xA7"
               "after an empty line"},
    {ekAction, ""},
    {ekAction, "Some \x02"
               "bold words\x03 and \x19"
               "italic ones\x1A that run on past the margin of the page to a second "
               "line."},
    {ekCharacterName, "JOHN"},
    {ekParenthetical, "(beat)"},
    {ekDialogue, "Long enough to wrap over two lines of the dialogue margin, and then some more."},
    {ekTransition, "CUT TO:"},
};
constexpr int kMarkedParenthetical = 8;
// Every element's text when the walk's step began.
std::vector<std::string> startTexts;

// What the caret steps over as if it were not there.
bool Skipped(char c) {
  const Byte b = static_cast<Byte>(c);
  return CodeCharSet.Contains(b) || b == 24 || b == '~' || b == HardReturn;
}

// Characters the caret passes, from..to.
int Shown(const std::string& text, int from, int to) {
  int n = 0;
  for (int i = std::max(from, 0); i < to && i < static_cast<int>(text.size()); ++i)
    n += !Skipped(text[static_cast<std::size_t>(i)]);
  return n;
}

// Where the caret stands: the element (by index), its column, and of the
// element the text and its wrapped lines then.
struct Place {
  int element = -1;
  int column = 0;
  int line = 1;
  std::string text;
  std::vector<int> starts;  // starts[k] where line k + 1 begins; back() the text length + 1
  int Line() const { return line; }
  int LineStart(int l) const { return starts[static_cast<std::size_t>(l - 1)]; }
  int LineCount() const { return static_cast<int>(starts.size()) - 1; }
  // The furthest the caret goes on a line: before the character that
  // ends a line another one follows, the text's end on the last.
  int LastColumn(int l) const {
    return l >= LineCount() ? static_cast<int>(text.size()) : starts[static_cast<std::size_t>(l)] - 1;
  }
};

class CaretWalkTest : public BlockFixture {
 protected:
  void SetUp() override {
    BlockFixture::SetUp();
    Options().DisplayCharNameList = false;
  }

 public:
  void Start(int element, int column) {
    // The names list a letter typed in a name opened goes with the script.
    aids::CloseList();
    W().ContinuedPosition = 1;
    Load(kScript, element, column);
    W().RebuildElementGroups();
    MarkNamesByRule(W());
    UpdateContinuedCues(W(), true);
    ASSERT_EQ(Elements()[kMarkedParenthetical].text, "(CONT'D; beat)") << "the mark is written";
    startTexts.clear();
    for (const ElementSpec& e : Elements()) startTexts.push_back(e.text);
    if (column >= 0) editor::SetCaretColumn(W(), static_cast<std::size_t>(column));
    RebuildScreen(&W());
    UpdateCaret();
  }

  Place Here() {
    Place p;
    p.element = CurrentIndex();
    p.column = W().CaretColumn();
    p.text = W().EditBuffer();
    const int count = W().CurrentElement()->lineCount;
    p.starts.push_back(0);
    for (int l = 1; l <= count; ++l) p.starts.push_back(W().LineOffsets()[static_cast<std::size_t>(l)]);
    p.line = CaretLineOfColumn(W().LineOffsets(), count, p.column, p.text);
    return p;
  }

  // The text of an element before anything was typed.
  static const std::string& TextOf(int element) { return startTexts[static_cast<std::size_t>(element)]; }
  // Where the automatic mark ends in an element's text (0: none).
  static int MarkEnd(int element) { return element == kMarkedParenthetical ? 9 : 0; }
  static int KeptBehindMark(int element, int column) { return std::max(column, MarkEnd(element)); }
};

// The place the keys' rules give, from the place before; null where the
// rule only bounds the place (checked separately).
using Rule = std::function<std::string(const Place& before, const Place& after)>;

std::string Expect(bool ok, const std::string& said) { return ok ? std::string() : said; }
std::string At(const Place& after, int element, int column) {
  return Expect(after.element == element && after.column == column,
                "expected element " + std::to_string(element) + " column " + std::to_string(column));
}
bool IsWordStart(const std::string& t, int i) {
  return i < static_cast<int>(t.size()) && t[static_cast<std::size_t>(i)] != ' ' &&
         (i == 0 || t[static_cast<std::size_t>(i - 1)] == ' ');
}
// The text elements before and after one (all of the script is text).
int Previous(int element) { return element - 1; }
int Next(int element) { return element + 1; }
int LastElement() { return static_cast<int>(kScript.size()) - 1; }

std::string LeftRule(const Place& b, const Place& a) {
  const bool behindParenthesis = !b.text.empty() && b.text[0] == '(' && b.column <= 1;
  if (b.column == 0 || behindParenthesis || b.column <= CaretWalkTest::MarkEnd(b.element)) {
    if (b.element == 0) return At(a, 0, CaretWalkTest::KeptBehindMark(0, 0));
    return At(a, Previous(b.element), static_cast<int>(CaretWalkTest::TextOf(Previous(b.element)).size()));
  }
  if (a.element != b.element) return "Left left the element";
  return Expect(Shown(b.text, 0, a.column) == std::max(Shown(b.text, 0, b.column) - 1, 0) && a.column < b.column,
                "Left passes exactly one character");
}

std::string RightRule(const Place& b, const Place& a) {
  if (b.column >= static_cast<int>(b.text.size())) {
    if (b.element == LastElement()) return At(a, b.element, b.column);
    return At(a, Next(b.element), CaretWalkTest::KeptBehindMark(Next(b.element), 0));
  }
  if (a.element != b.element) return "Right left the element";
  const bool one = Shown(b.text, 0, a.column) == Shown(b.text, 0, b.column) + 1;
  return Expect(a.column > b.column && (one || a.column == static_cast<int>(b.text.size())),
                "Right passes exactly one character");
}

std::string CtrlLeftRule(const Place& b, const Place& a) {
  if (b.column == 0 || b.column <= CaretWalkTest::MarkEnd(b.element)) return LeftRule(b, a);
  int start = 0;
  for (int i = 0; i < b.column; ++i)
    if (IsWordStart(b.text, i)) start = i;
  return At(a, b.element, CaretWalkTest::KeptBehindMark(b.element, start));
}

std::string CtrlRightRule(const Place& b, const Place& a) {
  if (b.column >= static_cast<int>(b.text.size())) return RightRule(b, a);
  int next = static_cast<int>(b.text.size());
  for (int i = static_cast<int>(b.text.size()) - 1; i > b.column; --i)
    if (IsWordStart(b.text, i)) next = i;
  return At(a, b.element, next);
}

std::string HomeRule(const Place& b, const Place& a) {
  int column = b.LineStart(b.Line());
  const std::string openers = std::string("\x02\x0E\x15\x19\x10\x12\x14") + static_cast<char>(HardReturn);
  while (column < static_cast<int>(b.text.size()) &&
         openers.find(b.text[static_cast<std::size_t>(column)]) != std::string::npos)
    ++column;
  return At(a, b.element, CaretWalkTest::KeptBehindMark(b.element, column));
}

std::string EndRule(const Place& b, const Place& a) {
  const int line = b.Line();
  const int size = static_cast<int>(b.text.size());
  int column;
  if (line >= b.LineCount()) {
    column = size > 0 && b.text.back() == ' ' ? size - 1 : size;
  } else {
    // Before the blank the line broke at or the mark that ended it,
    // after a last character of any other kind.
    const int last = b.LineStart(line + 1) - 1;
    const char c = b.text[static_cast<std::size_t>(last)];
    column = c == ' ' || static_cast<Byte>(c) == HardReturn ? last : last + 1;
  }
  return At(a, b.element, CaretWalkTest::KeptBehindMark(b.element, column));
}

// Up and Down: the line above (below), in the element before (after)
// from its first (last) line; never past that line's last column.
std::string LineRule(const Place& b, const Place& a, bool down) {
  int element = b.element, line = b.Line() + (down ? 1 : -1);
  if (line < 1) {
    if (b.element == 0) return Expect(a.element == 0 && a.Line() == 1, "Up stays on the first line");
    element = Previous(b.element);
    line = -1;
  } else if (line > b.LineCount()) {
    if (b.element == LastElement()) return Expect(a.element == b.element && a.Line() == b.Line(), "Down stays");
    element = Next(b.element);
    line = 1;
  }
  if (a.element != element) return "the caret went to element " + std::to_string(a.element);
  if (line < 0) line = a.LineCount();
  // The start of a soft-wrapped line is also the end of the one before;
  // the letter typed there begins the line.
  return Expect(a.column >= a.LineStart(line) && a.column <= a.LastColumn(line),
                "the caret is not on line " + std::to_string(line));
}

std::string ElementRule(const Place& b, const Place& a, bool down) {
  if (down) {
    if (b.element == LastElement()) return At(a, b.element, static_cast<int>(b.text.size()));
    return At(a, Next(b.element), CaretWalkTest::KeptBehindMark(Next(b.element), 0));
  }
  if (b.element == 0) return At(a, 0, 0);
  const std::string& text = CaretWalkTest::TextOf(Previous(b.element));
  return At(a, Previous(b.element), text == " " ? 0 : static_cast<int>(text.size()));
}

// A page key leaves the caret at the start of one of an element's lines,
// on the side it goes to.
std::string PageRule(const Place& b, const Place& a, bool down) {
  if (down ? a.element < b.element : a.element > b.element) return "the page key went the wrong way";
  // At the end it goes to, a page key does nothing.
  if (a.element == b.element && a.column == b.column && b.element == (down ? LastElement() : 0)) return {};
  for (int l = 1; l <= a.LineCount(); ++l)
    if (a.column == CaretWalkTest::KeptBehindMark(a.element, a.LineStart(l))) return {};
  return "not at the start of a line";
}

struct WalkKey {
  const char* name;
  Word key;
  unsigned shift;
  Rule rule;
};

const std::vector<WalkKey>& Keys() {
  static const std::vector<WalkKey> keys = {
      {"Left", VK_LEFT, 0, LeftRule},
      {"Right", VK_RIGHT, 0, RightRule},
      {"Ctrl+Left", VK_LEFT, ssCtrl, CtrlLeftRule},
      {"Ctrl+Right", VK_RIGHT, ssCtrl, CtrlRightRule},
      {"Home", VK_HOME, 0, HomeRule},
      {"End", VK_END, 0, EndRule},
      {"Up", VK_UP, 0, [](const Place& b, const Place& a) { return LineRule(b, a, false); }},
      {"Down", VK_DOWN, 0, [](const Place& b, const Place& a) { return LineRule(b, a, true); }},
      {"Ctrl+Up", VK_UP, ssCtrl, [](const Place& b, const Place& a) { return ElementRule(b, a, false); }},
      {"Ctrl+Down", VK_DOWN, ssCtrl, [](const Place& b, const Place& a) { return ElementRule(b, a, true); }},
      {"Alt+Up", VK_UP, ssAlt, [](const Place& b, const Place& a) { return ElementRule(b, a, false); }},
      {"Alt+Down", VK_DOWN, ssAlt, [](const Place& b, const Place& a) { return ElementRule(b, a, true); }},
      {"PgUp", VK_PRIOR, 0, [](const Place& b, const Place& a) { return PageRule(b, a, false); }},
      {"PgDn", VK_NEXT, 0, [](const Place& b, const Place& a) { return PageRule(b, a, true); }},
      {"Ctrl+PgUp", VK_PRIOR, ssCtrl, [](const Place& b, const Place& a) { return PageRule(b, a, false); }},
      {"Ctrl+PgDn", VK_NEXT, ssCtrl, [](const Place& b, const Place& a) { return PageRule(b, a, true); }},
      // With Shift the caret moves as without; the letter would replace the block.
      {"Shift+Left", VK_LEFT, ssShift, LeftRule},
      {"Shift+Right", VK_RIGHT, ssShift, RightRule},
      {"Shift+Ctrl+Left", VK_LEFT, ssShift | ssCtrl, CtrlLeftRule},
      {"Shift+Ctrl+Right", VK_RIGHT, ssShift | ssCtrl, CtrlRightRule},
      {"Shift+Home", VK_HOME, ssShift, HomeRule},
      {"Shift+End", VK_END, ssShift, EndRule},
      {"Shift+Up", VK_UP, ssShift, [](const Place& b, const Place& a) { return LineRule(b, a, false); }},
      {"Shift+Down", VK_DOWN, ssShift, [](const Place& b, const Place& a) { return LineRule(b, a, true); }},
      {"Shift+PgUp", VK_PRIOR, ssShift, [](const Place& b, const Place& a) { return PageRule(b, a, false); }},
      {"Shift+PgDn", VK_NEXT, ssShift, [](const Place& b, const Place& a) { return PageRule(b, a, true); }},
  };
  return keys;
}

// The places the walk starts from: the start, a middle and the end of
// every line of every element.
std::vector<std::pair<int, int>> StartingPlaces(CaretWalkTest& t) {
  std::vector<std::pair<int, int>> places;
  for (int element = 0; element <= LastElement(); ++element) {
    t.Start(element, 0);
    const Place p = t.Here();
    for (int l = 1; l <= p.LineCount(); ++l) {
      const int start = CaretWalkTest::KeptBehindMark(element, p.LineStart(l));
      const int last = p.LastColumn(l);
      for (int column : {start, (start + last) / 2, last})
        if (column >= start && column <= last && (places.empty() || places.back() != std::make_pair(element, column)))
          places.emplace_back(element, column);
    }
  }
  return places;
}

// Whether the letter landed at the caret: the element's text with it
// inserted at the caret column.
std::string Landed(const Place& moved, const std::vector<ElementSpec>& after) {
  std::string expected = moved.text;
  expected.insert(static_cast<std::size_t>(moved.column), "Z");
  const std::string& got = after[static_cast<std::size_t>(moved.element)].text;
  return got == expected ? std::string() : "the letter landed elsewhere: \"" + got + "\"";
}

// The mark of the continued name is never typed into.
std::string MarkIntact(const std::vector<ElementSpec>& after) {
  const std::string& text = after[kMarkedParenthetical].text;
  return text.rfind("(CONT'D; ", 0) == 0 ? std::string() : "the mark was typed into: \"" + text + "\"";
}

TEST_F(CaretWalkTest, EveryCaretKeyLeavesTheCaretWhereItsRuleSays) {
  std::vector<std::string> faults;
  int walked = 0;
  for (const auto& [element, column] : StartingPlaces(*this)) {
    for (const WalkKey& key : Keys()) {
      Start(element, column);
      const Place before = Here();
      Press(key.key, TShiftState(key.shift));
      const Place moved = Here();
      std::string fault = key.rule(before, moved);
      if (fault.empty() && !(key.shift & ssShift)) {
        TypeText("Z");
        const std::vector<ElementSpec> after = Elements();
        fault = Landed(moved, after);
        if (fault.empty()) fault = MarkIntact(after);
      }
      ++walked;
      if (!fault.empty()) {
        std::ostringstream said;
        said << key.name << " from element " << element << " column " << column << " (line " << before.Line()
             << "): at element " << moved.element << " column " << moved.column << " line " << moved.Line() << ": "
             << fault;
        faults.push_back(said.str());
      }
    }
  }
  EXPECT_GT(walked, 500);
  std::string all;
  for (std::size_t i = 0; i < faults.size() && i < 60; ++i) all += faults[i] + "\n";
  EXPECT_TRUE(faults.empty()) << faults.size() << " of " << walked << " moves:\n" << all;
}

// A click on a line puts the caret on that line of its element: at the
// character under the pointer (past a character's middle, after it), and
// right of the text at the line's last column, never on the next line.
TEST_F(CaretWalkTest, AClickLeavesTheCaretOnTheLineClicked) {
  std::vector<std::string> faults;
  int clicked = 0;
  Start(0, 0);
  struct Row {
    int element, line, top, height;
  };
  std::vector<Row> rows;
  int top = W().TextTopOffset;
  for (int i = 1; i <= ScreenLineCount; ++i) {
    const TScreenLine& row = W().ScreenLines[static_cast<std::size_t>(i)];
    if (row.element && !IsPageBreakKind(row.element->Kind())) {
      int index = 0;
      for (const TScriptElement* e = W().FirstElement; e != row.element; e = e->next) ++index;
      rows.push_back({index, row.lineInElement, top, row.height});
    }
    top += row.height;
  }
  ASSERT_GE(rows.size(), kScript.size());
  const int width = W().ScreenWidths[wsPlain]['a'];
  for (const Row& row : rows) {
    for (int characters : {0, 1, 4, 200}) {
      Start(row.element == 0 ? 1 : 0, 0);
      MakeElementCurrent(W(), ElementAt(row.element));
      const Place shape = Here();
      const int left = W().LeftTextOffset + ScreenTextLeft(W(), *ElementAt(row.element), row.line);
      const TPoint at{left + characters * width + width / 4, row.top + row.height / 2};
      Start(row.element == 0 ? 1 : 0, 0);
      Press(at);
      Release(at);
      const Place moved = Here();
      std::string fault;
      const int start = shape.LineStart(row.line), last = shape.LastColumn(row.line);
      if (moved.element != row.element) {
        fault = "the caret went to element " + std::to_string(moved.element);
      } else if (moved.column < start || moved.column > last) {
        fault = "the caret is not on the line clicked";
      } else {
        const int wanted = std::min(Shown(shape.text, start, last), characters);
        if (Shown(shape.text, start, moved.column) != wanted && moved.column != KeptBehindMark(row.element, start))
          fault = "not under the pointer";
      }
      if (fault.empty()) {
        TypeText("Z");
        const std::vector<ElementSpec> after = Elements();
        fault = Landed(moved, after);
        if (fault.empty()) fault = MarkIntact(after);
      }
      ++clicked;
      if (!fault.empty())
        faults.push_back("a click " + std::to_string(characters) + " characters into line " + std::to_string(row.line) +
                         " of element " + std::to_string(row.element) + ": column " + std::to_string(moved.column) +
                         ": " + fault);
    }
  }
  EXPECT_GT(clicked, 40);
  std::string all;
  for (std::size_t i = 0; i < faults.size() && i < 60; ++i) all += faults[i] + "\n";
  EXPECT_TRUE(faults.empty()) << faults.size() << " of " << clicked << " clicks:\n" << all;
}

}  // namespace
}  // namespace qm::testing
