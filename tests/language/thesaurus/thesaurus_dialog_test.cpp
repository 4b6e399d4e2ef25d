#include "language/thesaurus/thesaurus_dialog.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/prompt_table.h"
#include "language/language_fixture.h"
#include "language/thesaurus/database_writer.h"
#include "language/thesaurus/thes_dic.h"
#include "language/thesaurus/wordnet_files.h"
#include "platform/files.h"
#include "script/editing/revision_marks.h"
#include "script/layout/editor_state.h"
#include "script/model/element_kinds.h"
#include "script/model/text_codes.h"
#include "support/temp_folder.h"
#include "thes_dic_writer.h"
#include "wordnet_source.h"

namespace qm::thesaurus {
namespace {

// A program folder holding the thesaurus files made from the fixture dictionary.
class ThesaurusDialogTest : public testing::LanguageFixture {
 protected:
  void SetUp() override {
    LanguageFixture::SetUp();
    const auto source = thesaurus_build::ReadWordNet(testing::FixtureWordNet());
    const auto dic = thesaurus_build::SaveThesDic(source);
    const auto db = SaveDatabase(source);
    testing::WriteFileText(folder_.File(ThesDicFileName), std::string(dic.begin(), dic.end()));
    testing::WriteFileText(folder_.File(DatabaseFileName), std::string(db.begin(), db.end()));
  }

  // A new element of its own with the caret in it.
  void Type(const std::string& text, Word column) {
    Add({{ekAction, text}});
    PlaceCaret(elements_++, column);
  }
  int elements_ = 0;
  std::string Line() { return Script().EditBuffer(); }

  // Runs the command; `answer` works the list dialog.
  void RunList(const std::function<void(TThesaurusDlg&)>& answer) {
    Driver().Expect(
        [answer](TForm& form) {
          auto* dialog = dynamic_cast<TThesaurusDlg*>(&form);
          ASSERT_NE(dialog, nullptr) << form.Caption();
          answer(*dialog);
        },
        "thesaurus dialog");
    TThesaurusDlg dialog(Application);
    Thesaurus(dialog, false);
  }
  static int LineOf(TThesaurusDlg& d, const std::string& word) { return d.SynonymList->Items.IndexOf(word); }
  // A click on a line of the list.
  static void Click(TThesaurusDlg& d, const std::string& word) {
    d.SynonymList->SetItemIndex(LineOf(d, word));
    d.SynonymListMouseUp();
  }

  testing::TempFolder folder_;
  testing::ScopedEnv programFolder_{"QUILLMASTER_PROGRAM_FOLDER", folder_.Path()};
};

struct ReplaceCase {
  std::string line;
  Word caret;
  std::string chosen;
  std::string expected;
};

TEST_F(ThesaurusDialogTest, TheChosenSynonymReplacesTheWordWithItsInflectionAndCapitals) {
  const std::vector<ReplaceCase> cases = {
      {"She walked home.", 6, "pass", "She passed home."},
      {"Walked in.", 2, "pass", "Passed in."},
      {"WALKED IN.", 6, "pass", "PASSED IN."},  // the caret on the blank after the word
      {"he strides on", 5, "tread", "he treads on"},
      {"We walk here", 4, "pass", "We pass here"},
      {"Slowly now", 0, "tardily", "Tardily now"},
      {"going quickly", 8, "speedily", "going speedily"},
  };
  for (const auto& c : cases) {
    Type(c.line, c.caret);
    RunList([&](TThesaurusDlg& d) {
      ASSERT_GE(LineOf(d, c.chosen), 0) << c.line;
      Click(d, c.chosen);
      EXPECT_EQ(d.HeadWord->Text(), c.chosen);
      Click(d, c.chosen);  // a second click replaces
      EXPECT_EQ(d.ModalResult, mrOk);
    });
    EXPECT_EQ(Line(), c.expected) << c.line;
  }
}

TEST_F(ThesaurusDialogTest, InOverwriteModeTheNewWordStillKeepsTheTextAfterIt) {
  const Byte insertMode = InsertMode;
  InsertMode = 0;
  Type("She walked home.", 5);
  RunList([](TThesaurusDlg& d) {
    d.HeadWord->Text = "pass";
    d.ModalResult = mrOk;
  });
  EXPECT_EQ(Line(), "She passed home.");
  EXPECT_EQ(InsertMode, 0);
  InsertMode = insertMode;
}

TEST_F(ThesaurusDialogTest, WithARevisionColourTheNewWordIsTypedInIt) {
  Settings().AutoRevisionColor = 1;
  Type("She walked home.", 5);
  RunList([](TThesaurusDlg& d) {
    d.HeadWord->Text = "pass";
    d.ModalResult = mrOk;
  });
  std::string plain;
  for (char c : Line())
    if (!CodeCharSet.Contains(static_cast<Byte>(c))) plain.push_back(c);
  EXPECT_EQ(plain, "She passed home.");
  EXPECT_NE(Line(), plain) << "the colour's codes are round the new word";
}

// While the script marks revisions a new word marks its line; Replace
// with the word as it was changes nothing and marks nothing.
TEST_F(ThesaurusDialogTest, OnlyAChangedWordMarksItsLineRevised) {
  const struct {
    const char* what;
    std::string chosen;
    std::string expected;
    bool marked;
  } cases[] = {
      {"a synonym", "pass", "She passed home.", true},
      {"the word itself", "walk", "She walked home.", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Type("She walked home.", 5);
    Script().RevisionMarking = 1;
    Script().DocumentModified = 0;
    RunList([&](TThesaurusDlg& d) {
      d.HeadWord->Text = c.chosen;
      d.ReplaceBtn->Click();
    });
    EXPECT_EQ(Line(), c.expected);
    EXPECT_TRUE(Script().DocumentModified);
    EXPECT_EQ(HasRevisedLines(*Script().CurrentElement()), c.marked);
  }
}

TEST_F(ThesaurusDialogTest, OneLetterIsNoWordAndCancelLeavesTheScript) {
  Type("a b", 0);
  ExpectMessage("No Word was found at Cursor!", PromptTable(26));
  TThesaurusDlg dialog(Application);
  Thesaurus(dialog, false);
  EXPECT_EQ(Line(), "a b");
  EXPECT_EQ(Driver().Pending(), 0);

  Type("walk on", 1);
  RunList([](TThesaurusDlg& d) {
    EXPECT_EQ(d.Caption(), "Get Synonyms: walk");
    EXPECT_EQ(d.HeadWord->Text(), "walk");
    EXPECT_NE(d.SynonymList->Items[d.SynonymList->Items.Count() - 1], SeparatorLine);
    d.ModalResult = mrCancel;
  });
  EXPECT_EQ(Line(), "walk on");
}

TEST_F(ThesaurusDialogTest, KeysSkipSeparatorsAndSynonymsCanBeFollowedAndTakenBack) {
  Type("quick", 0);
  RunList([](TThesaurusDlg& d) {
    const int count = d.SynonymList->Items.Count();
    ASSERT_GT(count, 2);
    for (int i = 0; i < count * 2; ++i) {
      Word down = VK_DOWN;
      d.SynonymListKeyDown(down);
      EXPECT_EQ(down, 0);
      EXPECT_NE(d.SynonymList->Items[d.SynonymList->ItemIndex()], SeparatorLine);
    }
    EXPECT_EQ(d.SynonymList->ItemIndex(), count - 1);
    d.HeadWord->Text = "slow";
    Word enter = VK_RETURN;
    d.HeadWordKeyDown(enter);
    EXPECT_TRUE(d.PrevWordBtn->Enabled());
    EXPECT_GE(LineOf(d, "tardily"), 0);
    EXPECT_EQ(d.History, (std::vector<std::string>{"QUICK", "SLOW"}));
    d.PrevWordBtnClick();
    EXPECT_EQ(d.HeadWord->Text(), "quick");
    EXPECT_FALSE(d.PrevWordBtn->Enabled());
    EXPECT_GE(LineOf(d, "speedy"), 0);
    d.SynonymList->SetItemIndex(LineOf(d, "speedy"));
    Word choose = VK_RETURN;
    d.SynonymListKeyDown(choose);
  });
  EXPECT_EQ(Line(), "speedy");
}

TEST_F(ThesaurusDialogTest, TheWindowBackEndReturnsTheWordChosenInTheThesaurusWindow) {
  Type("Walked on", 3);
  Driver().Expect(
      [](TForm& form) {
        auto* window = dynamic_cast<TWWForm*>(&form);
        ASSERT_NE(window, nullptr) << form.Caption();
        EXPECT_EQ(window->CurrentWord(), "WALKED");
        EXPECT_FALSE(window->Definitions().empty());
        const int line = window->Synonyms->Items.IndexOf("take the air");
        ASSERT_GE(line, 0);
        window->Synonyms->SetItemIndex(line);
        window->SynonymsClick();
        ASSERT_TRUE(window->CopyButton->Enabled());
        window->CopyButton->Click();
      },
      "thesaurus window");
  TThesaurusDlg dialog(Application);
  Thesaurus(dialog, true);
  EXPECT_EQ(Line(), "Take The Air on");
}

TEST_F(ThesaurusDialogTest, WithoutItsFilesTheCommandSaysSoOrEndsQuietly) {
  DeleteFile(folder_.File(DatabaseFileName));
  DeleteFile(folder_.File(ThesDicFileName));
  Type("walk", 0);
  ExpectMessage("Word Web is a freeware brainstorming thesaurus/dictionary", "Attention");
  {
    TThesaurusDlg dialog(Application);
    Thesaurus(dialog, true);
  }
  TThesaurusDlg dialog(Application);
  Thesaurus(dialog, false);  // no list file: nothing happens
  EXPECT_EQ(Line(), "walk");
  testing::WriteFileText(folder_.File(ThesDicFileName), "x");
  ExpectMessage("Error Reading Thesaurus.", PromptTable(26));
  Driver().Expect([](TForm& form) { form.ModalResult = mrCancel; }, "empty list");
  TThesaurusDlg again(Application);
  Thesaurus(again, false);
  EXPECT_EQ(Driver().Pending(), 0);
}

TEST(ThesaurusReplacement, CapitalsAndEndingsFollowTheReplacedWord) {
  EXPECT_EQ(CapitalisedLike("SL", "quick"), "QUICK");
  EXPECT_EQ(CapitalisedLike("Sl", "take the air"), "Take The Air");
  EXPECT_EQ(CapitalisedLike("sl", "quick"), "quick");
  EXPECT_EQ(CapitalisedLike("", "quick"), "quick");
}

}  // namespace
}  // namespace qm::thesaurus
