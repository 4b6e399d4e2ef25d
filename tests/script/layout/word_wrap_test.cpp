#include "base/program_options.h"
#include "shell/program_settings.h"
#include "script/layout/word_wrap.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "platform/forms.h"
#include "platform/printer.h"
#include "script/layout/char_widths.h"
#include "script/model/packed_text.h"
#include "support/message_box_answers.h"
#include "support/layout_fixture.h"
#include "support/script_generator.h"
#include "script/model/edit_line_writer.h"

namespace qm {
namespace {

using testing::LayoutFixture;

std::string A(int n) { return std::string(static_cast<std::size_t>(n), 'a'); }

// The standard formats on a letter page at 300 dpi in 12-point Courier
// (30 dots a character): Action and Scene Heading lines hold 60
// characters, Dialogue 35, Transition 15.
class WordWrapTest : public LayoutFixture {
 protected:
  std::vector<std::string> Wrap(Byte kind, const std::string& text, Word caretColumn = 0) {
    Window().FreeElements();
    TScriptElement* element = Build({{kind, "x"}});
    EditFields(Window()).EditBuffer = text;
    EditFields(Window()).CaretColumn = caretColumn;
    Window().WordWrapText(element, text, false, false);
    return CurrentLines();
  }
  // The only printer: a page of the width given at a resolution; none for 0 dpi.
  void UsePrinter(int dpi, int width) {
    Backend().PrinterList().clear();
    if (dpi)
      Backend().PrinterList().push_back(
          std::make_unique<RecordingPrinter>("P", dpi, TPoint{width, 3300}, TPoint{75, 75}));
    Printer()->Refresh();
  }
};

TEST_F(WordWrapTest, BreaksLinesWhereTheRulesSay) {
  // clang-format off
  const struct {
    const char* what;
    Byte kind;
    std::string text;
    bool flex;
    std::vector<std::string> lines;
  } cases[] = {
      {"an empty element", ekAction, "", true, {""}},
      {"a short text", ekAction, "Short text.", true, {"Short text."}},
      {"a line one character short of the margins", ekAction, A(59), false, {A(59)}},
      {"a run that reaches the margin breaks at the character that reached it", ekAction, A(61), false,
       {A(59), "aa"}},
      {"a run that ends the text on the margin ends the line with it", ekAction, A(60), false, {A(60)}},
      {"break after the last blank", ekAction, A(55) + " bbbbbbbbbb", true, {A(55) + " ", "bbbbbbbbbb"}},
      {"a blank that reaches the margin stays on its line", ekAction, A(59) + " bb", false, {A(59) + " ", "bb"}},
      {"a word whose last letter reaches the margin moves", ekAction, A(54) + " bbbbb c", false,
       {A(54) + " ", "bbbbb c"}},
      {"the text's last word ending on the margin stays", ekAction, A(54) + " bbbbb", false, {A(54) + " bbbbb"}},
      {"so does a styled one, its closing code after it", ekAction, A(54) + " \x02" "bbbbb\x03", false,
       {A(54) + " \x02" "bbbbb\x03"}},
      {"a hard return ends a short line", ekAction, "Short\xA7line", true, {"Short\xA7", "line"}},
      {"a hard return at the end opens an empty line", ekAction, "End\xA7", true, {"End\xA7", ""}},
      {"hard spaces are never broken", ekAction, A(55) + " bbb\x04" "ccc\x04" "ddd", true,
       {A(55) + " ", "bbb\x04" "ccc\x04" "ddd"}},
      {"a plain dash is a break", ekAction, A(55) + " bb-cc-dd", true, {A(55) + " bb-", "cc-dd"}},
      {"a hard dash is never broken", ekAction, A(55) + " bb\x05" "cc\x05" "dd", true,
       {A(55) + " ", "bb\x05" "cc\x05" "dd"}},
      {"a soft hyphen is a break", ekAction, A(55) + " bb~cccc", true, {A(55) + " bb~", "cccc"}},
      {"codes take no width", ekAction, A(57) + "\x02\x03\x15\x16\x12\x13" "bb", true,
       {A(57) + "\x02\x03\x15\x16\x12\x13" "bb"}},
      // Flex Margin: a word of five or more letters on the line may pass
      // the margin when it ends with the letter after the one that reached
      // it or the one after that.
      {"flex: a 7-letter word whose last letter passes stays", ekAction, A(53) + " abcdefg", true,
       {A(53) + " abcdefg"}},
      {"flex: a 4-letter word in that place moves", ekAction, A(56) + " abcd", true, {A(56) + " ", "abcd"}},
      {"flex: never in a scene heading", ekSceneHeading, A(53) + " abcdefg", true, {A(53) + " ", "abcdefg"}},
      {"flex off: the 7-letter word moves", ekAction, A(53) + " abcdefg", false, {A(53) + " ", "abcdefg"}},
      {"flex: two letters past the margin stay", ekAction, A(53) + " abcdefgh", true, {A(53) + " abcdefgh"}},
      {"flex: three letters past the margin move", ekAction, A(53) + " abcdefghi", true,
       {A(53) + " ", "abcdefghi"}},
      {"flex: the blank after the word stays with it", ekAction, A(53) + " abcdefg next", true,
       {A(53) + " abcdefg ", "next"}},
      // Codes before a word that must move go with it.
      {"a bold code travels with a parenthesis", ekAction, A(59) + "\x02(bold)", false, {A(59), "\x02(bold)"}},
      {"a bold code travels with a letter", ekAction, A(59) + "\x19word", false, {A(59), "\x19word"}},
      {"a code before digits stays", ekAction, A(59) + "\x02" "123", false, {A(59) + "\x02", "123"}},
      {"codes after a blank begin the next line", ekAction, A(56) + " \x02(bold)", true,
       {A(56) + " ", "\x02(bold)"}},
      {"a word longer than a line breaks at the margin", ekAction, A(70), true, {A(59), A(11)}},
      {"a Dialogue's leading hard returns end no line", ekDialogue, "\xA7\xA7Hello there", true,
       {"\xA7\xA7Hello there"}},
      {"an Action's leading hard returns do", ekAction, "\xA7\xA7Hello", true, {"\xA7", "\xA7", "Hello"}},
      {"Dialogue holds 35 characters", ekDialogue, A(30) + " bbbbbbbbbb", true, {A(30) + " ", "bbbbbbbbbb"}},
  };
  // clang-format on
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Window().FlexMargin = c.flex;
    EXPECT_EQ(Wrap(c.kind, c.text), c.lines);
  }
}

// A breakdown tag (its code byte, the item, byte 1) takes no room on the
// line while the script is tagged; untagged, the same bytes are letters.
TEST_F(WordWrapTest, TagBytesTakeNoRoomWhileTheScriptIsTagged) {
  const std::string tagged = A(51) +
                             " \x8E"
                             "bbbbbbb\x01 " +
                             A(10);
  Window().FlexMargin = 0;
  Window().TaggingUsed = 1;
  EXPECT_EQ(Wrap(ekAction, tagged), (std::vector<std::string>{A(51) + " \x8E"
                                                                      "bbbbbbb\x01 ",
                                                              A(10)}));
  Window().TaggingUsed = 0;
  EXPECT_EQ(Wrap(ekAction, tagged), (std::vector<std::string>{A(51) + " ", "\x8E"
                                                                           "bbbbbbb\x01 " +
                                                                               A(10)}));
}

TEST_F(WordWrapTest, LineOffsetsHoldWhereEachLineEnds) {
  const struct {
    std::string text;
    std::vector<Word> offsets;  // entries 0.. up to and with the 0 after the last line
  } cases[] = {
      {"", {0, 1, 0}},
      {"One line.", {0, 10, 0}},
      {A(59) + " " + A(59) + " end", {0, 60, 120, 124, 0}},
      {"ab\xA7"
       "cd",
       {0, 3, 6, 0}},
  };
  for (const auto& c : cases) {
    Wrap(ekAction, c.text);
    for (std::size_t i = 0; i < c.offsets.size(); ++i)
      EXPECT_EQ(Window().LineOffsets()[i], c.offsets[i]) << "entry " << i << " of \"" << c.text << "\"";
    EXPECT_EQ(Window().CurrentElement()->lineCount, c.offsets.size() - 2);
  }
}

TEST_F(WordWrapTest, AnElementNeverHasMoreThan75Lines) {
  std::string text;
  for (int i = 0; i < 100; ++i) text += "x\xA7";
  const std::vector<std::string> lines = Wrap(ekAction, text);
  ASSERT_EQ(Window().CurrentElement()->lineCount, MaxLineCount);
  EXPECT_EQ(Window().LineOffsets()[74], 148);
  // The last line takes the rest, and the entry after it stays inside the table.
  EXPECT_EQ(Window().LineOffsets()[75], text.size() + 1);
  EXPECT_EQ(Window().LineOffsets()[76], 0);
  EXPECT_EQ(lines.back(), text.substr(148));
}

TEST_F(WordWrapTest, TheCaretLineFollowsTheColumn) {
  const struct {
    std::string text;
    Word column;
    Word line;
  } cases[] = {
      {A(55) + " " + A(55), 10, 1},
      {A(55) + " " + A(55), 56, 1},  // at a soft break the caret ends the earlier line
      {A(55) + " " + A(55), 57, 2},
      {A(55) + " " + A(55), 111, 2},
      {"ab\xA7"
       "cd",
       2, 1},
      {"ab\xA7"
       "cd",
       3, 2},  // right after a hard return the caret begins the next line
      {"End\xA7", 4, 2},
  };
  for (const auto& c : cases) {
    Wrap(ekAction, c.text, c.column);
    EXPECT_EQ(Window().CaretLine(), c.line) << "column " << c.column << " of \"" << c.text << "\"";
  }
}

TEST_F(WordWrapTest, ZoomAndDisplayFontNeverMoveABreak) {
  const std::string text = "He looks at the \x02"
                           "clock\x03 on the wall, then back at her: a long, tired look "
                           "that says\x04what he cannot. She turns to the window and waits for the rain.";
  Wrap(ekAction, text);
  const TLineOffsets reference = Window().LineOffsets();
  const int referenceWidth = Window().ScreenWidths[wsPlain]['a'];
  const struct {
    Word zoom;
    const char* displayFont;
  } cases[] = {{50, "Courier New"}, {75, "Courier New"}, {150, "Courier New"}, {100, "Arial"}, {150, "Arial"}};
  for (const auto& c : cases) {
    ProgramOptions().ZoomSize = c.zoom;
    ProgramOptions().DisplayFont = c.displayFont;
    Window().WordWrapText(Window().CurrentElement(), text, false, true);
    EXPECT_EQ(Window().LineOffsets(), reference) << c.zoom << "% " << c.displayFont;
    if (c.zoom != 100) {
      EXPECT_NE(Window().ScreenWidths[wsPlain]['a'], referenceWidth) << "the screen tables followed";
    }
  }
}

TEST_F(WordWrapTest, TheAvailableWidthComesFromThePrinterPage) {
  const TElementFormat action = Window().FormatSet[fsAction];
  const struct {
    const char* what;
    int dpi;
    int width;  // 0: no printer at all
    Word available;
    std::size_t firstLine;  // of a run without a break: short of the character that reaches the width
  } cases[] = {
      {"letter at 300 dpi", 300, 2550, 1800, 59},
      {"no printer: a letter page at 300 dpi", 0, 0, 1800, 59},
      {"A4 at 300 dpi", 300, 2480, 1730, 57},
      {"letter at 600 dpi", 600, 5100, 1800, 59},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    UsePrinter(c.dpi, c.width);
    EXPECT_EQ(FormatMarginToDots(action), c.available);
    EXPECT_EQ(Wrap(ekAction, A(70)).front().size(), c.firstLine);
    EXPECT_EQ(Window().AvailableWidth, c.available);
  }
}

TEST_F(WordWrapTest, RightAlignedTransitionsEndAtTheRightMargin) {
  // The right margin lies 75 tenths from the paper's left edge.
  const struct {
    std::string text;
    bool rightAligned;
    Byte leftMargin;
  } cases[] = {
      // Ending the text exactly on the margin, on one line.
      {"CUT TO:", true, 68},
      {"FADE OUT.", true, 66},
      {"DISSOLVE TO THE NEXT MORNING:", true, 60},  // never left of the Transition margin
      {"CUT TO:", false, 60},
  };
  for (const auto& c : cases) {
    Window().TransitionsFlushRight = c.rightAligned;
    Wrap(ekTransition, c.text);
    EXPECT_EQ(Window().CurrentElement()->format.LeftMargin, c.leftMargin) << c.text;
    EXPECT_EQ(Window().CurrentElement()->lineCount, c.text.size() > 15 ? 2 : 1) << c.text;
  }
}

TEST_F(WordWrapTest, AFailedWrapLeavesTheElementAsItWas) {
  TScriptElement* element = Build({{ekAction, A(55) + " bbbbbbbb"}, {ekAction, "next"}});
  LayOutAll();
  const TLineOffsets offsets = Window().LineOffsets();
  const std::string secondLine = Window().ScreenLines[2].text;
  std::string shown;
  Driver().Expect(
      [&](TForm& box) {
        EXPECT_EQ(box.Caption(), "Attention");
        shown = testing::MessageBoxText(box);
        box.ModalResult = mrOk;
      },
      "the word wrap error");
  // Longer than any element may be: the wrap gives up.
  Window().WordWrapText(element, std::string(3000, 'z'), false, true);
  EXPECT_EQ(shown, WordWrapErrorText);
  EXPECT_EQ(element->lineCount, 2);
  EXPECT_EQ(Window().LineOffsets(), offsets);
  EXPECT_EQ(Window().ScreenLines[2].text, secondLine);
  EXPECT_EQ(element->next->screenLine, 3);
}

TEST_F(WordWrapTest, AStoredElementKeepsItsSavedOffsetsCurrent) {
  Build({{ekAction, "current"}, {ekAction, A(59) + " " + A(59) + " end"}});
  TScriptElement* stored = Window().CurrentElement()->next;
  const std::string text = UnpackText(*stored->text);
  Window().LayoutDue = 0;
  Window().WordWrapText(stored, text, false, false);
  EXPECT_EQ(stored->lineCount, 3);
  EXPECT_TRUE(stored->LineOffsetsValid());
  EXPECT_EQ(stored->lineOffsets[1] | stored->lineOffsets[2] << 8, 60);
  EXPECT_EQ(Window().LayoutDue, 1) << "the line count changed";
  // The current element's table is not touched by another element's wrap.
  EXPECT_EQ(Window().LineOffsets()[1], 8);
}

TEST_F(WordWrapTest, AStoredElementIsNotWrappedFromAnEmptyText) {
  Build({{ekAction, "current"}, {ekAction, A(55) + " " + A(55)}});
  TScriptElement* stored = Window().CurrentElement()->next;
  stored->lineCount = 7;
  Window().WordWrapText(stored, "", false, false);
  EXPECT_EQ(stored->lineCount, 7);
}

TEST_F(WordWrapTest, CharWidthAtMeasuresTheScreenAndTheLayout) {
  Build({{ekAction, "ab\x02"
                    "c"}});
  EXPECT_EQ(CharWidthAt(Window(), 0), 10);
  EXPECT_EQ(LayoutCharWidthAt(Window(), 0), 30);
  EXPECT_EQ(CharWidthAt(Window(), 2), 0) << "a code has no width";
  Window().LayoutOptions.ShowCodes = 1;
  EXPECT_GT(CharWidthAt(Window(), 2), 0) << "shown as a mark it has";
}

// Over generated screenplays: the lines cover the text in order, each
// breaks only where a break is allowed, and none passes the margin by more
// than the two letters Flex Margin allows.
TEST_F(WordWrapTest, GeneratedScriptsWrapWithinTheirMargins) {
  Build(testing::GenerateScreenplay(11, 6));
  for (TScriptElement* e = Window().FirstElement; e; e = e->next) {
    Edit(e);
    const std::string& text = Window().EditBuffer();
    const int available = Window().AvailableWidth;
    const std::vector<std::string> lines = CurrentLines();
    std::string joined;
    for (std::size_t i = 0; i < lines.size(); ++i) {
      joined += lines[i];
      std::string content = lines[i];
      while (!content.empty() && content.back() == ' ') content.pop_back();
      EXPECT_LE(static_cast<int>(content.size()) * 30, available + 60) << "\"" << lines[i] << "\"";
      if (i + 1 < lines.size()) {
        const char last = lines[i].back();
        EXPECT_TRUE(last == ' ' || last == '-' || last == '~') << "a break inside a word: \"" << lines[i] << "\"";
      }
    }
    EXPECT_EQ(joined, text);
    EXPECT_EQ(Window().LineOffsets()[e->lineCount], text.size() + 1);
  }
}

// A pass over many elements measures again only when the font changes, so
// it must break every line where wrapping each element alone does: here
// with sizes that change from one element to the next and back, texts of
// every kind, and a page narrower than a letter page.
TEST_F(WordWrapTest, AWrapPassBreaksAsWrappingEachElementAlone) {
  const struct {
    const char* what;
    std::vector<int> sizes;  // element font sizes in turn; 0: the script's
    bool narrowPage;
  } cases[] = {
      {"one font", {0}, false},
      {"sizes changing at every element", {0, 10, 14, 12}, false},
      {"runs of one size", {10, 10, 10, 0, 0, 18}, false},
      {"a narrower page", {0, 10}, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Window().FreeElements();
    Build(testing::GenerateScreenplay(23, 4));
    if (c.narrowPage) UsePrinter(300, 2100);
    std::vector<std::string> texts;
    std::size_t index = 0;
    for (TScriptElement* e = Window().FirstElement; e; e = e->next, ++index) {
      e->format.FontSize = static_cast<Byte>(c.sizes[index % c.sizes.size()]);
      texts.push_back(e->text ? ElementText(*e) : Window().EditBuffer());
    }
    std::vector<std::vector<Byte>> alone;
    std::vector<int> aloneCounts;
    index = 0;
    for (TScriptElement* e = Window().FirstElement; e; e = e->next, ++index) {
      Window().WordWrapText(e, texts[index], false, false);
      alone.push_back(e->lineOffsets);
      aloneCounts.push_back(e->lineCount);
      e->lineOffsets.clear();
      e->lineCount = 1;
    }
    TWrapPass pass(Window());
    index = 0;
    for (TScriptElement* e = Window().FirstElement; e; e = e->next, ++index) pass.Wrap(*e, texts[index]);
    index = 0;
    for (const TScriptElement* e = Window().FirstElement; e; e = e->next, ++index) {
      EXPECT_EQ(e->lineCount, aloneCounts[index]) << texts[index];
      EXPECT_EQ(e->lineOffsets, alone[index]) << texts[index];
    }
  }
}

// In a fixed-pitch font runs of plain characters are measured by their
// length; the breaks must be those of adding every width. A table that
// differs in one character no text holds takes the character-by-character
// road with the same widths for every character that is there.
TEST_F(WordWrapTest, FixedPitchRunsBreakAsMeasuringEveryCharacter) {
  const std::vector<std::string> pieces = {"word", "a",    "longerword", " ",         " ",    " ",    "-",    "~",
                                           "\x02", "\x03", "\x19",       "\x1A",      "\xA7", "\x04", "\x05", "(",
                                           ")",    "<",    ">",          "\xE9t\xE9", "\x12", "\x13"};
  const Byte kinds[] = {ekAction, ekDialogue, ekSceneHeading, ekCharacterName, ekTransition};
  std::mt19937 random(5);
  // Besides random texts: a style switched between a break and the word
  // that passes the margin, so the next line starts in the style of the break.
  std::vector<std::pair<Byte, std::string>> texts = {
      {ekAction, "\x02"
                 "aaaa bbbb \x19" +
                     A(60) + " " + A(50)},
      {ekAction, "\x19"
                 "aaaa bbbb >" +
                     A(60) + " " + A(50)},
  };
  for (int n = 0; n < 300; ++n) {
    std::string text;
    const int count = static_cast<int>(random() % 80);
    for (int k = 0; k < count; ++k) text += pieces[random() % pieces.size()];
    texts.emplace_back(kinds[n % std::size(kinds)], text);
  }
  const auto wrapAll = [&](bool flex) {
    std::vector<std::vector<std::string>> all;
    Window().FlexMargin = flex;
    for (const auto& [kind, text] : texts) all.push_back(Wrap(kind, text));
    return all;
  };
  const struct {
    const char* what;
    bool flex;
    bool interactive;        // "<" and ">" switch bold
    std::int32_t boldPitch;  // bold and bold italic; italic is as much narrower
  } cases[] = {
      {"one pitch for every style", false, false, 30},
      {"one pitch, flex margin", true, false, 30},
      {"bold wider and italic narrower", false, false, 36},
      {"bold wider and italic narrower, flex margin", true, false, 36},
      {"interactive, bold wider and italic narrower", false, true, 36},
  };
  // A Dialogue's parentheses switch to the Parenthetical's style.
  Window().FormatSet[fsParenthetical].Style = stItalic;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const bool flex = c.flex;
    Window().InteractiveScript = c.interactive;
    const std::int32_t italicPitch = 60 - c.boldPitch;
    for (auto* set : {&Window().LayoutWidths, &Window().LayoutCapsWidths})
      for (std::size_t style = 0; style < set->size(); ++style)
        for (int ch = ' '; ch < 127; ++ch)
          (*set)[style][static_cast<std::size_t>(ch)] = style & wsBold ? c.boldPitch : style ? italicPitch : 30;
    const auto fixedPitch = wrapAll(flex);
    for (auto* set : {&Window().LayoutWidths, &Window().LayoutCapsWidths})
      for (auto& table : *set) table['`'] += 1;
    const auto everyCharacter = wrapAll(flex);
    for (auto* set : {&Window().LayoutWidths, &Window().LayoutCapsWidths})
      for (auto& table : *set) table['`'] -= 1;
    for (std::size_t n = 0; n < texts.size(); ++n) EXPECT_EQ(fixedPitch[n], everyCharacter[n]) << texts[n].second;
  }
}

}  // namespace
}  // namespace qm
