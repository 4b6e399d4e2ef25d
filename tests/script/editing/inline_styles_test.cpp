// Bold, underline, italics and strike-out toggled at the caret and over
// blocks, and the Normal command, through the main window's commands.
#include <gtest/gtest.h>

#include "base/document_table.h"
#include "platform/platform.h"
#include "script/editing/block_selection.h"
#include "script/editing/inline_styles.h"
#include "script/fixtures/keys_fixture.h"
#include "script/model/text_codes.h"
#include "shell/main_form.h"
#include "script/model/edit_line_writer.h"

namespace qm {
namespace {

using testing::ElementSpec;

const std::string On(1, static_cast<char>(BoldOn));
const std::string Off(1, static_cast<char>(BoldOff));

class InlineStylesTest : public testing::KeysFixture {
 protected:
  void Style(int tag) { MainForm->MenuItem(TagItems[tag])->Click(); }
  void Bold() { Style(1); }
  // Marks [start, end) of an element as part of the block.
  void Mark(int index, int start, int end) {
    EditFields(W()).BlockOn = 1;
    ElementAt(index)->blockStart = start;
    ElementAt(index)->blockEnd = end;
  }
  std::string Text(int index = 0) { return Elements()[static_cast<std::size_t>(index)].text; }
  static constexpr const char* TagItems[5] = {"", "BoldItem", "UnderlineItem", "ItalicsItem", "StrikeOutItem"};
};

std::string Code(Byte b) { return std::string(1, static_cast<char>(b)); }

TEST_F(InlineStylesTest, EachStyleAtTheCaretOpensItsRunAndAtOnceAgainTakesItBack) {
  const std::string plain = "Rain falls.";
  for (int tag = 1; tag <= 4; ++tag) {
    SCOPED_TRACE(TagItems[tag]);
    const TInlineStyle& style = InlineStyles[tag];
    Load({{ekAction, plain}}, 0, 5);
    Style(tag);
    EXPECT_EQ(Text(), "Rain " + Code(style.open) + "falls.");
    EXPECT_EQ(W().CaretColumn(), 6);
    Style(tag);
    EXPECT_EQ(Text(), plain);
    EXPECT_EQ(W().CaretColumn(), 5);
  }
}

TEST_F(InlineStylesTest, AScriptThatMayNotBeChangedKeepsItsText) {
  const std::string styled = "Rain " + On + "falls" + Off + ".";
  for (int tag = 1; tag <= 4; ++tag) {
    SCOPED_TRACE(TagItems[tag]);
    Load({{ekAction, styled}}, 0, 8);
    W().Editable = false;
    Style(tag);
    EXPECT_EQ(Text(), styled);
    MainForm->NormalBtnClick(MainForm);
    EXPECT_EQ(Text(), styled) << "Normal";
    EXPECT_FALSE(W().DocumentModified);
  }
}

TEST_F(InlineStylesTest, AtTheCaretInsideARunTheCloseCodeEndsIt) {
  Load({{ekAction, "Rain " + On + "falls hard."}}, 0, 11);
  Bold();
  EXPECT_EQ(Text(), "Rain " + On + "falls" + Off + " hard.");
}

TEST_F(InlineStylesTest, AnElementWhoseFormatIsBoldGetsTheCloseCodeAtTheCaret) {
  Load({{ekAction, "Rain falls."}}, 0, 5);
  W().CurrentElement()->format.Style = 1;
  Bold();
  EXPECT_EQ(Text(), "Rain " + Off + "falls.");
}

TEST_F(InlineStylesTest, ABlockInPlainTextIsWrappedInThePairAndTheSameCommandUnwrapsIt) {
  Options().FormatKillsBlock = false;
  Load({{ekAction, "Rain falls hard."}}, 0, 10);
  Mark(0, 5, 10);
  Bold();
  EXPECT_EQ(Text(), "Rain " + On + "falls" + Off + " hard.");
  EXPECT_TRUE(W().BlockOn());
  Mark(0, 5, 12);
  Bold();
  EXPECT_EQ(Text(), "Rain falls hard.");
}

TEST_F(InlineStylesTest, BoldOverTheMiddleOfABoldRunEndsItThereAndStartsItAgainAfter) {
  Options().FormatKillsBlock = false;
  // "a " on, "bb c" (with codes inside) off, " d" on again.
  Load({{ekAction, On + "a bb" + Off + On + " cc d" + Off}}, 0, 0);
  Mark(0, 3, 10);
  Bold();
  EXPECT_EQ(Text(), On + "a " + Off + "bb cc" + On + " d" + Off);
}

TEST_F(InlineStylesTest, BlanksAtTheEdgesOfTheBlockStayOutsideTheRun) {
  Options().FormatKillsBlock = false;
  Load({{ekAction, "Rain  falls hard."}}, 0, 0);
  Mark(0, 4, 12);
  Bold();
  EXPECT_EQ(Text(), "Rain  " + On + "falls" + Off + " hard.");
}

TEST_F(InlineStylesTest, ABlockOverThreeElementsGetsAPairInEachOfThem) {
  Options().FormatKillsBlock = false;
  Load({{ekAction, "One two."}, {ekAction, "Three."}, {ekAction, "Four five."}}, 2, 4);
  Mark(0, 4, 8);
  Mark(1, 0, 6);
  Mark(2, 0, 4);
  Bold();
  EXPECT_EQ(Elements(), (std::vector<ElementSpec>{{ekAction, "One " + On + "two." + Off},
                                                  {ekAction, On + "Three." + Off},
                                                  {ekAction, On + "Four" + Off + " five."}}));
  EXPECT_EQ(W().CurrentElement(), ElementAt(2)) << "the caret comes home";
}

TEST_F(InlineStylesTest, UndoTakesAStyledBlockBack) {
  Options().FormatKillsBlock = false;
  const std::vector<ElementSpec> before{{ekAction, "One two."}, {ekAction, "Three."}};
  Load(before, 1, 6);
  Mark(0, 4, 8);
  Mark(1, 0, 6);
  Bold();
  ASSERT_NE(Elements(), before);
  MainForm->UndoItem->Click();
  EXPECT_EQ(Elements(), before);
}

TEST_F(InlineStylesTest, FormatKillsBlockClearsTheBlockUnlessShiftIsHeld) {
  Options().FormatKillsBlock = true;
  for (const bool shift : {false, true}) {
    SCOPED_TRACE(shift ? "Shift held" : "Shift up");
    Load({{ekAction, "Rain falls hard."}}, 0, 10);
    Mark(0, 5, 10);
    Platform::Current().SetKeyDown(VK_SHIFT, shift);
    BlockSelection(W()).SelectionLevel = slSentence;
    Bold();
    Platform::Current().SetKeyDown(VK_SHIFT, false);
    EXPECT_EQ(Text(), "Rain " + On + "falls" + Off + " hard.");
    EXPECT_EQ(W().BlockOn() != 0, shift);
    EXPECT_EQ(ElementAt(0)->blockStart >= 0, shift);
    EXPECT_EQ(BlockSelection(W()).SelectionLevel == slWord, !shift) << "a new block starts again from a word";
  }
}

TEST_F(InlineStylesTest, NormalAtTheCaretSwitchesOffEveryStyleThatIsOn) {
  const std::string italicOn = Code(ItalicsOn);
  Load({{ekAction, "Rain " + On + italicOn + "falls hard."}}, 0, 12);
  MainForm->NormalBtnClick(MainForm);
  EXPECT_EQ(Text(), "Rain " + On + italicOn + "falls" + Off + Code(ItalicsOff) + " hard.");
  // Nothing is on any more, so Normal again changes nothing.
  MainForm->NormalBtnClick(MainForm);
  EXPECT_EQ(Text(), "Rain " + On + italicOn + "falls" + Off + Code(ItalicsOff) + " hard.");
}

TEST_F(InlineStylesTest, NormalOverABlockTakesEveryStyleOutOfIt) {
  Options().FormatKillsBlock = false;
  const std::string under = Code(UnderlineOn), underOff = Code(UnderlineOff);
  Load({{ekAction, "Rain " + On + "falls" + Off + " " + under + "hard" + underOff + "."}}, 0, 0);
  Mark(0, 0, 19);
  MainForm->NormalBtnClick(MainForm);
  EXPECT_EQ(Text(), "Rain falls hard.");
}

TEST_F(InlineStylesTest, ColoursOffOverAWholeElementAlsoClearItsOwnColour) {
  const std::string blueOn = Code(ColorPairs[0].on), blueOff = Code(ColorPairs[0].off);
  Load({{ekAction, "Rain " + blueOn + "falls" + blueOff + "."}}, 0, 0);
  W().CurrentElement()->format.SetColorIndex(2);
  Mark(0, 0, 13);
  MainForm->NormalBtnClick(nullptr);
  EXPECT_EQ(Text(), "Rain falls.");
  EXPECT_EQ(ElementAt(0)->format.ColorIndex(), 0);
}

TEST_F(InlineStylesTest, NothingHappensWithoutAScript) {
  MainForm->CloseFileItem->Click();
  ASSERT_EQ(DocumentCount, 0);
  EXPECT_NO_FATAL_FAILURE(Bold());
  EXPECT_NO_FATAL_FAILURE(MainForm->NormalBtnClick(MainForm));
}

}  // namespace
}  // namespace qm
