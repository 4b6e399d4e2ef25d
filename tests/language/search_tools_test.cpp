#include "language/search_tools.h"

#include <gtest/gtest.h>

#include "language/character_names.h"
#include "language/language_fixture.h"
#include "language/pick_list.h"
#include "language/search_replace.h"
#include "platform/input.h"
#include "script/editing/revision_marks.h"
#include "support/message_box_answers.h"

namespace qm {
namespace {

using testing::ElementsOf;
using testing::ElementSpec;
using testing::LanguageFixture;

class SearchToolsTest : public LanguageFixture {
 protected:
  void ExpectTypeYes(bool confirm) {
    Driver().Expect([confirm](TForm& box) { testing::AnswerTypeYes(box, confirm); }, "type YES");
  }
  int Current() {
    int i = 0;
    for (TScriptElement* e = Script().FirstElement; e && e != Script().CurrentElement(); e = e->next) ++i;
    return i;
  }
};

TEST_F(SearchToolsTest, NextSpeechFindsTheNameAfterTheCaretAgainAndAgain) {
  Add({{ekCharacterName, "BOB"},
       {ekDialogue, "One."},
       {ekCharacterName, "MARY"},
       {ekDialogue, "Two."},
       {ekCharacterName, "BOB (V.O.)"},
       {ekDialogue, "Three."}});
  PlaceCaret(1);
  BuildCharacterNameTable();
  SearchMemory().speechName = "BOB";
  NextSpeechBy(Script(), true);
  EXPECT_EQ(Current(), 4);
  EXPECT_EQ(SearchMemory().lastKind, skNextSpeech);
  ExpectMessage("No more speeches by BOB");
  ASSERT_TRUE(RepeatLastSearch(Script()));
  EXPECT_EQ(Current(), 4);
}

TEST_F(SearchToolsTest, NextSpeechAsksForTheNameAtTheCaret) {
  Add({{ekCharacterName, "BOB"}, {ekDialogue, "One."}, {ekCharacterName, "MARY"}, {ekDialogue, "Two."}});
  PlaceCaret(1);
  BuildCharacterNameTable();
  Driver().Expect([](TForm& form) {
    auto& menu = dynamic_cast<TListMenu&>(form);
    menu.List->SetItemIndex(menu.List->Items.IndexOf("MARY"));
    SendKey(VK_RETURN);
  });
  NextSpeechBy(Script(), false);
  EXPECT_EQ(Current(), 2);
  EXPECT_EQ(SearchMemory().speechName, "MARY");
}

TEST_F(SearchToolsTest, NextMarkedTextFindsColoursAndStrikeOut) {
  Add({{ekAction, "Plain."},
       {ekAction, "Also plain \xFD (a letter here)."},
       {ekAction, "Struck \x0Eout\x0F."},
       {ekDialogue, "Plain again."},
       {ekAction, "Some \x12"
                  "blue\x13."},
       {ekAction, "Plain."},
       {ekDialogue, "Coloured whole."},
       {ekAction, "Plain."},
       {ekAction, "User \xFD"
                  "colour\xFE."}});
  Element(6).format.SetColorIndex(2);
  PlaceCaret(0);
  for (int expected : {2, 4, 6}) {
    FindNextMarkedText(Script());
    EXPECT_EQ(Current(), expected);
  }
  // The user colours' bytes are codes only while the script uses them.
  ExpectMessage("No more Strikeout/Colored Text found!");
  FindNextMarkedText(Script());
  EXPECT_EQ(Current(), 6);
  Script().UsesUserColours = 1;
  FindNextMarkedText(Script());
  EXPECT_EQ(Current(), 8);
}

TEST_F(SearchToolsTest, RemovingRedTakesItsCodesAndElementColours) {
  Add({{ekAction, "A \x10red\x11 word and \x12"
                  "blue\x13."},
       {ekDialogue, "Whole."},
       {ekAction, "\x11stray close"}});
  Element(1).format.SetColorIndex(static_cast<Byte>(ElementColorIndex(16)));
  PlaceCaret(1);
  ExpectTypeYes(true);
  ExpectMessage("All Red Codes have been removed.");
  RemoveColorCodes(Script(), TMarkColour::Red);
  const std::vector<ElementSpec> expected{{ekAction, "A red word and \x12"
                                                     "blue\x13."},
                                          {ekDialogue, "Whole."},
                                          {ekAction, "stray close"}};
  EXPECT_EQ(ElementsOf(Script()), expected);
  EXPECT_EQ(Element(1).format.ColorIndex(), 0);
  EXPECT_EQ(Current(), 1);
  EXPECT_TRUE(Script().DocumentModified);
}

TEST_F(SearchToolsTest, StrikeOutTextCanGoWithItsCodes) {
  const struct {
    TModalResult answer;
    std::vector<ElementSpec> after;
  } cases[] = {
      {mrNo, {{ekAction, "Keep gone text."}, {ekAction, "all gone"}}},
      {mrYes, {{ekAction, "Keep  text."}}},
  };
  for (const auto& c : cases) {
    Script().FreeElements();
    Add({{ekAction, "Keep \x0Egone\x0F text."},
         {ekAction, "\x0E"
                    "all gone"}});
    PlaceCaret(0);
    ExpectTypeYes(true);
    ExpectMessage("Should I remove the actual Striked-Out Text itself", "", c.answer);
    ExpectMessage("All Strikeout Codes have been removed.");
    RemoveColorCodes(Script(), TMarkColour::Strikeout);
    EXPECT_EQ(ElementsOf(Script()), c.after);
  }
}

// With revision marks on, the lines that lost codes are marked revised,
// and no other.
TEST_F(SearchToolsTest, RemovedCodesMarkTheirLinesRevised) {
  Add({{ekAction, "A \x10red\x11 word."}, {ekAction, "Plain."}, {ekAction, "\x10Red\x11 too."}});
  PlaceCaret(1);
  Script().RevisionMarking = 1;
  ExpectTypeYes(true);
  ExpectMessage("All Red Codes have been removed.");
  RemoveColorCodes(Script(), TMarkColour::Red);
  const bool marked[] = {true, false, true};
  for (int i = 0; i < 3; ++i) EXPECT_EQ(HasRevisedLines(Element(i)), marked[i]) << i;
  EXPECT_EQ(Current(), 1);
  EXPECT_TRUE(Script().DocumentModified);
}

TEST_F(SearchToolsTest, NothingIsRemovedWithoutYes) {
  Add({{ekAction, "A \x10red\x11 word."}});
  PlaceCaret(0);
  ExpectTypeYes(false);
  RemoveColorCodes(Script(), TMarkColour::Red);
  EXPECT_EQ(ElementsOf(Script()).front().text, "A \x10red\x11 word.");
}

TEST_F(SearchToolsTest, RedlineColoursEverySpeechOfTheName) {
  // clang-format off
  Add({{ekCharacterName, "BOB"}, {ekParenthetical, "(softly)"}, {ekDialogue, "One."}, {ekAction, "Then."},
       {ekCharacterName, "MARY"}, {ekDialogue, "Two."}, {ekCharacterName, "BOB (O.S.)"}, {ekDialogue, "Three."}});
  // clang-format on
  PlaceCaret(3);
  BuildCharacterNameTable();
  Driver().Expect([](TForm& form) {
    auto& menu = dynamic_cast<TListMenu&>(form);
    menu.List->SetItemIndex(menu.List->Items.IndexOf("BOB"));
    SendKey(VK_RETURN);
  });
  ExpectMessage("Redline has been applied to all of BOB's speeches!");
  RedlineSpeeches(Script());
  const Byte red = static_cast<Byte>(ElementColorIndex(16));
  const std::vector<Byte> colours{red, red, red, 0, 0, 0, red, red};
  std::vector<Byte> got;
  for (TScriptElement* e = Script().FirstElement; e; e = e->next) got.push_back(e->format.ColorIndex());
  EXPECT_EQ(got, colours);
}

}  // namespace
}  // namespace qm
