#include <gtest/gtest.h>

#include <functional>

#include "script/fixtures/keys_fixture.h"
#include "language/character_names.h"
#include "language/pick_list.h"
#include "language/search_dialog.h"
#include "language/search_replace.h"
#include "platform/input.h"
#include "platform/menus.h"
#include "script/editing/goto_commands.h"
#include "script/script_window.h"
#include "shell/main_form.h"

namespace qm {
namespace {

using testing::ElementSpec;

class SearchCommandsTest : public testing::KeysFixture {
 protected:
  // The next Search dialog gets these texts and is closed with OK.
  void ExpectSearchDialog(const std::string& text, const std::string& replacement, bool prompt) {
    Driver().Expect(
        [text, replacement, prompt](TForm& form) {
          auto& dialog = dynamic_cast<TSearchingDlg&>(form);
          dialog.SearchText->Text = text;
          dialog.ReplaceText->Text = replacement;
          dialog.ReplaceTextChange(nullptr);
          dialog.PromptBox->SetChecked(prompt);
          dialog.OKBtn->Click();
        },
        "the Search dialog");
  }
};

TEST_F(SearchCommandsTest, ReplaceAllIsUndoneInOneStep) {
  Load({{ekAction, "A cat sat."}, {ekDialogue, "The cat and the cat."}, {ekAction, "No cats."}});
  const std::vector<ElementSpec> before = Elements();
  ExpectSearchDialog("cat", "dog", false);
  ExpectBox("Found: 3\rReplaced: 3", mrOk);
  ExpectBox("Return to Starting Position of Search?", mrYes);
  MainForm->MenuItem("SearchandReplaceItem")->Click();
  const std::vector<ElementSpec> after{
      {ekAction, "A dog sat."}, {ekDialogue, "The dog and the dog."}, {ekAction, "No cats."}};
  EXPECT_EQ(Elements(), after);
  EXPECT_TRUE(W().DocumentModified);
  EXPECT_EQ(MainForm->MenuItem("SearchAgainItem")->Caption(), "Search && Replace &Again");
  MainForm->UndoItem->Click();
  EXPECT_EQ(Elements(), before);
}

TEST_F(SearchCommandsTest, SearchAgainRepeatsTheLastSearchFromTheCaret) {
  Load({{ekAction, "One needle."}, {ekAction, "Two needles, one needle."}});
  ExpectSearchDialog("needle", DontReplaceText, false);
  ExpectBox("Search Again?", mrNo);
  Press(VK_F2);
  EXPECT_EQ(CurrentIndex(), 0);
  EXPECT_EQ(W().CaretColumn(), 10);
  EXPECT_EQ(MainForm->MenuItem("SearchAgainItem")->Caption(), "Search &Again");
  ExpectBox("Search Again?", mrNo);
  Press(VK_F2, ssShift);
  EXPECT_EQ(CurrentIndex(), 1);
  EXPECT_EQ(W().CaretColumn(), 23);
  EXPECT_EQ(SearchMemory().searchHistory, std::vector<std::string>{"needle"});
}

// Search Again names the speaker it will look for next, and finds the
// next speech by that speaker.
TEST_F(SearchCommandsTest, AfterNextSpeechBySearchAgainNamesTheSpeaker) {
  Load({{ekCharacterName, "BOB"},
        {ekDialogue, "One."},
        {ekCharacterName, "MARY"},
        {ekDialogue, "Two."},
        {ekCharacterName, "BOB"},
        {ekDialogue, "Three."}});
  BuildCharacterNameTable();
  Driver().Expect(
      [](TForm& form) {
        auto& menu = dynamic_cast<TListMenu&>(form);
        menu.List->SetItemIndex(menu.List->Items.IndexOf("BOB"));
        SendKey(VK_RETURN);
      },
      "the list of names");
  MainForm->MenuItem("NextSpeechItem")->Click();
  EXPECT_EQ(CurrentIndex(), 4);
  EXPECT_EQ(MainForm->MenuItem("SearchAgainItem")->Caption(), "Next Speech by BOB");
  ExpectBox("No more speeches by BOB", mrOk);
  Press(VK_F2, ssShift);
  EXPECT_EQ(Driver().Pending(), 0);
  EXPECT_EQ(MainForm->MenuItem("SearchAgainItem")->Caption(), "Next Speech by BOB");
}

// Search Again is offered once a search was made, by the Search dialog or
// by a Goto search; before that it is off, and its key does nothing.
TEST_F(SearchCommandsTest, SearchAgainIsOfferedOnlyAfterASearch) {
  const struct {
    const char* way;
    std::function<void()> search;
  } ways[] = {
      {"the Search dialog",
       [this] {
         ExpectSearchDialog("needle", DontReplaceText, false);
         ExpectBox("Search Again?", mrNo);
         Press(VK_F2);
       }},
      {"Next Script Note", [] { MainForm->MenuItem("NextNoteItem")->Click(); }},
  };
  TMenuItem* again = MainForm->MenuItem("SearchAgainItem");
  for (const auto& w : ways) {
    SCOPED_TRACE(w.way);
    SearchMemory() = {};
    RepeatSearch = {};
    Load({{ekAction, "One needle."}, {ekScriptNote, "Check."}, {ekAction, "Two."}});
    bool done = false;
    MainForm->AppIdle(nullptr, done);
    EXPECT_FALSE(again->Enabled()) << "nothing searched yet";
    Press(VK_F2, ssShift);
    EXPECT_EQ(CurrentIndex(), 0) << "the key does nothing";
    w.search();
    EXPECT_TRUE(again->Enabled()) << "at once";
    MainForm->AppIdle(nullptr, done);
    EXPECT_TRUE(again->Enabled()) << "and after the menus are refreshed";
  }
}

TEST_F(SearchCommandsTest, AnEmptySearchTextAsksToReturn) {
  Load({{ekAction, "Text."}});
  ExpectSearchDialog("", DontReplaceText, false);
  ExpectBox("You have not specified ANY text for me\rto search for...\r\rShould I simply return to your script?",
            mrYes);
  Press(VK_F2);
  EXPECT_EQ(Elements(), (std::vector<ElementSpec>{{ekAction, "Text."}}));
  EXPECT_EQ(SearchMemory().lastKind, skNone);
}

TEST_F(SearchCommandsTest, TheRemoveItemsTakeTheirOwnColoursCodes) {
  const struct {
    const char* item;
    const char* message;
    const char* after;
  } cases[] = {
      {"RemoveRedItem", "All Red Codes have been removed.",
       "A red and \x12"
       "blue\x13 and \x14green\x0D."},
      {"RemoveBlueItem", "All Blue Codes have been removed.", "A \x10red\x11 and blue and \x14green\x0D."},
      {"RemoveGreenItem", "All Green Codes have been removed.",
       "A \x10red\x11 and \x12"
       "blue\x13 and green."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.item);
    Load({{ekAction, "A \x10red\x11 and \x12"
                     "blue\x13 and \x14green\x0D."}});
    ASSERT_TRUE(MainForm->MenuItem(c.item)->Enabled());
    Driver().Expect([](TForm& box) { testing::AnswerTypeYes(box, true); }, "type YES");
    ExpectBox(c.message, mrOk);
    MainForm->MenuItem(c.item)->Click();
    EXPECT_EQ(Elements().front().text, c.after);
  }
}

}  // namespace
}  // namespace qm

namespace qm {
namespace {

class SearchAgainAfterGotoTest : public testing::KeysFixture {};

// A Goto search names itself on "Search Again", which then repeats it
// rather than asking for a text to search.
TEST_F(SearchAgainAfterGotoTest, SearchAgainRepeatsTheGotoSearch) {
  const ElementSpec pageBreak{ekForcedPageBreak, " "};
  const ElementSpec note{ekScriptNote, "Check."};
  // clang-format off
  const struct {
    const char* item;
    const char* caption;
    std::vector<ElementSpec> script;
    int first, again;
    const char* noneLeft;
  } cases[] = {
      {"NextForcedPageItem", "Se&arch for Act/Scene Break",
       {{ekAction, "A."}, {ekAction, "B."}, pageBreak, {ekAction, "C."}, {ekAction, "D."}, pageBreak, {ekAction, "E."}},
       1, 4, "No More Act Breaks Found!"},
      {"NextNoteItem", "Se&arch for Note",
       {{ekAction, "A."}, note, {ekAction, "B."}, note, {ekAction, "C."}}, 1, 3, "No more Script Notes Found"},
  };
  // clang-format on
  for (const auto& c : cases) {
    SCOPED_TRACE(c.item);
    Load(c.script, 0);
    MainForm->MenuItem(c.item)->Click();
    EXPECT_EQ(CurrentIndex(), c.first);
    EXPECT_EQ(MainForm->MenuItem("SearchAgainItem")->Caption(), c.caption);
    Press(VK_F2, ssShift);
    EXPECT_EQ(Driver().Pending(), 0);
    EXPECT_EQ(CurrentIndex(), c.again) << "the same search once more, no Search dialog";
    ExpectBox(c.noneLeft, mrOk);
    Press(VK_F2, ssShift);
    EXPECT_EQ(CurrentIndex(), c.again);
  }
}

}  // namespace
}  // namespace qm
