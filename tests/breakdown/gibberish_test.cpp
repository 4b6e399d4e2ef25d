#include "breakdown/gibberish.h"

#include <gtest/gtest.h>

#include "base/message_boxes.h"
#include "language/bookmarks.h"
#include "language/language_fixture.h"
#include "shell/main_form.h"
#include "support/message_box_answers.h"
#include "support/program_fixture.h"
#include "support/script_builder.h"
#include "script/model/script_record.h"
#include "script/editing/editor_calls.h"

namespace qm {
namespace {

using testing::ElementSpec;

class GibberishTest : public testing::LanguageFixture {};

TEST_F(GibberishTest, EachElementTakesOneLetterAndKeepsItsShape) {
  Add({{ekSceneHeading, "INT. OLD BARN - DAY 2"},
       {ekAction, "The Big Dog. Caf\xe9 42!"},
       {ekCharacterName, "MARY (V.O.)"},
       {ekDialogue, "Hello, there."},
       {ekSceneHeading, "OMITTED"}});
  PlaceCaret(1);
  std::string drawn = "kqbzm";
  std::size_t next = 0;
  ScrambleScript(Script(), [&] { return drawn[next++ % drawn.size()]; });
  const auto elements = testing::ElementsOf(Script());
  ASSERT_EQ(elements.size(), 5u);
  EXPECT_EQ(elements[0].text, "KKK. KKK KKKK - KKK 2");
  EXPECT_EQ(elements[1].text, "Qqq Qqq Qqq. Qqq\xe9 42!");  // an accented letter stays
  EXPECT_EQ(elements[2].text, "MARY (V.O.)");               // names stay
  EXPECT_EQ(elements[3].text, "Zzzzz, zzzzz.");
  EXPECT_EQ(elements[4].text, "OMITTED");  // so do omitted headings
}

TEST_F(GibberishTest, BookmarksTheTitlePageAndTheUserListsAreScrambledButNotTheNames) {
  Add({{ekAction, "Secret."}, {ekAction, "More."}});
  PlaceCaret(0);
  Bookmarks(Script()).Add("Plot twist", &Element(1));
  SetList(TUserList::SceneText, {"INT.", "EXT."});
  SetList(TUserList::CharNames, {"MARY"});
  const std::string title = "The Big Secret\r\nby Ann";
  std::copy(title.begin(), title.end(), Settings().TitlePageText.begin());
  ScrambleScript(Script(), [] { return 'd'; });
  ASSERT_EQ(Bookmarks(Script()).Count(), 1);
  EXPECT_EQ(Bookmarks(Script())[0].Text, "Dddd ddddd");
  EXPECT_EQ(Bookmarks(Script())[0].Element(), &Element(1));
  EXPECT_EQ(UserListEntry(Lists(), TUserList::SceneText, 2), "DDD.");
  EXPECT_EQ(UserListEntry(Lists(), TUserList::CharNames, 1), "MARY");
  const std::string scrambled(Settings().TitlePageText.begin(), Settings().TitlePageText.begin() + title.size());
  EXPECT_EQ(scrambled, "Ddd Ddd Dddddd\r\ndd Ddd");
  EXPECT_EQ(Settings().TitlePageText[title.size()], 0);
}

TEST_F(GibberishTest, TheCommandRefusesUnsavedWorkAsksAndRenamesIntoTheScriptFolder) {
  Add({{ekAction, "Secret."}});
  PlaceCaret(0);
  Script().ScriptFileName = "/home/me/scripts/heist.qmw";
  Script().DocumentModified = 1;
  ExpectMessage("Please save the Script BEFORE running this function!", "Attention");
  EXPECT_FALSE(ConvertToGibberish());

  Script().DocumentModified = 0;
  ExpectMessage("Continue?", "Attention", mrNo);
  EXPECT_FALSE(ConvertToGibberish());
  EXPECT_EQ(testing::ElementsOf(Script())[0].text, "Secret.");

  ExpectMessage("Continue?", "Attention", mrYes);
  ExpectMessage("The Script is now safe to send to us.", "Attention");
  EXPECT_TRUE(ConvertToGibberish());
  EXPECT_EQ(Script().ScriptFileName, "/home/me/scripts/Gibbrsh.QMW");
  EXPECT_NE(testing::ElementsOf(Script())[0].text, "Secret.");
  EXPECT_EQ(Script().DocumentModified, 1);
}

}  // namespace
}  // namespace qm

namespace qm::testing {
namespace {

// From the menu of the running program: the item goes for the rest of the
// run once a script was scrambled.
class GibberishCommandTest : public ProgramFixture {};

TEST_F(GibberishCommandTest, TheMenuItemHidesAfterAScrambleAndStaysHidden) {
  Script().FreeElements();
  AddElements(Script(), {{ekAction, "Secret plans."}});
  editor::SetCurrentElement(Script(), Script().FirstElement);
  Script().DisAssemble();
  Script().ScriptFileName = Home() + "/heist.qmw";
  Script().DocumentModified = 0;
  TMenuItem* item = MainForm->MenuItem("GibberishItem");
  ASSERT_TRUE(item->Enabled);
  AnswerMessageBox(Driver(),
                   "This function is designed to change a script to gibberish so as to enable you to send it to us "
                   "without compromising the privacy of the material.  Continue?",
                   mrYes);
  AnswerMessageBox(Driver(), "The Script is now safe to send to us.", mrOk);
  item->Click();
  EXPECT_FALSE(item->Visible);
  MainForm->UpdateMenusAndButtons();
  EXPECT_FALSE(item->Visible);
  EXPECT_EQ(Script().ScriptFileName, Home() + "/Gibbrsh.QMW");
}

}  // namespace
}  // namespace qm::testing
