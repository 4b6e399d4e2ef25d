#include "language/thesaurus/thesaurus_window.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "language/thesaurus/database_writer.h"
#include "language/thesaurus/word_web.h"
#include "support/platform_fixture.h"

namespace qm::thesaurus {
namespace {

// A handful of senses made for the window's cases.
TDatabaseSource SmallSource() {
  TDatabaseSource source;
  source.synsets = {
      {0, {"zebu"}, "an ox of Asia", {{relTypeOf, 1, 0, 0}}},
      {0, {"ox", "bovine"}, "cattle", {{relTypes, 0, 0, 0}}},
      {1, {"zap", "blast"}, "destroy", {}},
      {0, {"zap", "pep"}, "", {}},
      {2, {"lone"}, "alone", {}},
      {0, {"Zap"}, "a name", {}},
  };
  source.index = {{"zebu", {0}}, {"ox", {1}}, {"bovine", {1}}, {"zap", {2, 3, 5}}, {"lone", {4}}, {"pep", {3}}};
  return source;
}

class ThesaurusWindowTest : public testing::PlatformFixture {
 protected:
  void SetUp() override {
    PlatformFixture::SetUp();
    const auto bytes = SaveDatabase(SmallSource());
    path_ = HomeFile(DatabaseFileName);
    testing::WriteFileText(path_, std::string(bytes.begin(), bytes.end()));
    database_.SetFileName(path_);
    window_ = new TWWForm(Application, database_);
  }
  void TearDown() override {
    delete window_;
    PlatformFixture::TearDown();
  }
  void Search(const std::string& word) {
    window_->KeyWord->Text = word;
    window_->Search();
  }
  std::vector<std::string> Items(const TStringList& list) {
    std::vector<std::string> items;
    for (int i = 0; i < list.Count(); ++i) items.push_back(list[i]);
    return items;
  }
  std::vector<std::string> Tabs() {
    std::vector<std::string> tabs;
    for (int i = 0; i < window_->ViewTabs->PageCount(); ++i) tabs.push_back(window_->ViewTabs->Pages(i)->Caption());
    return tabs;
  }
  // The captions of the labels in the definitions area, in order.
  std::vector<std::string> Labels() {
    std::vector<std::string> labels;
    for (int i = 0; i < window_->Defs->ControlCount(); ++i)
      if (auto* label = dynamic_cast<TLabel*>(window_->Defs->Controls(i))) labels.push_back(label->Caption());
    return labels;
  }

  std::string path_;
  TWWDatabase database_;
  TWWForm* window_ = nullptr;
};

TEST_F(ThesaurusWindowTest, SensesShowUnderHeadingsNumberedFromOneWithTheirSynonyms) {
  Search("zap");
  EXPECT_EQ(Labels(), (std::vector<std::string>{"Noun: zap", "1.", "Noun: Zap", "1.", "Verb: zap", "1."}));
  EXPECT_EQ(window_->Definitions().size(), 3u);
  EXPECT_EQ(window_->Definitions()[0]->Lines[0], "Zap, pep");  // no gloss: the words
  EXPECT_EQ(Items(window_->Synonyms->Items), (std::vector<std::string>{"blast", "pep"}));
  EXPECT_EQ(Tabs(), (std::vector<std::string>{"Synonyms"}));
  EXPECT_TRUE(window_->NounButton->Enabled());
  EXPECT_TRUE(window_->VerbButton->Enabled());
  EXPECT_FALSE(window_->AdjButton->Enabled());
  // Only the verbs, then all again.
  window_->VerbButton->Click();
  EXPECT_EQ(Items(window_->Synonyms->Items), (std::vector<std::string>{"blast"}));
  window_->VerbButton->Click();
  EXPECT_EQ(Items(window_->Synonyms->Items), (std::vector<std::string>{"blast", "pep"}));
  // A sense's number selects it and takes the highlight; a second click lets go.
  TSenseNumberLabel* verb = window_->Definitions()[2]->Label;
  window_->SenseLabelClick(*verb);
  EXPECT_EQ(Items(window_->Synonyms->Items), (std::vector<std::string>{"blast"}));
  EXPECT_EQ(verb->Font.Color(), window_->HighlightColour());
  window_->SenseLabelClick(*verb);
  EXPECT_EQ(window_->SelectedLabel(), nullptr);
  EXPECT_EQ(Items(window_->Synonyms->Items), (std::vector<std::string>{"blast", "pep"}));
}

TEST_F(ThesaurusWindowTest, AWordWithNoOtherWordsOpensOnItsTypeOrShowsAnEmptyList) {
  Search("zebu");
  EXPECT_EQ(window_->Relation(), relTypeOf);
  EXPECT_EQ(Items(window_->Synonyms->Items), (std::vector<std::string>{"bovine", "ox"}));
  EXPECT_EQ(Tabs(), (std::vector<std::string>{"Type of"}));
  Search("lone");
  EXPECT_EQ(window_->Relation(), relSynonyms);
  EXPECT_TRUE(window_->Synonyms->Items.Count() == 0);
  Search("ox");
  EXPECT_EQ(Tabs(), (std::vector<std::string>{"Synonyms", "Types"}));
  window_->ViewTabs->SetActivePageIndex(1);
  window_->ViewTabsChange();
  EXPECT_EQ(Items(window_->Synonyms->Items), (std::vector<std::string>{"zebu"}));
}

TEST_F(ThesaurusWindowTest, AnAsteriskLineIsLookedUpWithoutItAndAMissingWordShowsItsNeighbours) {
  window_->Synonyms->Items.Add("ox*");
  window_->Synonyms->SetItemIndex(0);
  window_->SynonymsDblClick();
  EXPECT_EQ(window_->CurrentWord(), "ox");
  EXPECT_EQ(Items(window_->Synonyms->Items), (std::vector<std::string>{"bovine"}));
  Search("oxen");
  EXPECT_EQ(window_->Synonyms->Items.Count(), 6);  // all six index words
  EXPECT_GE(window_->Synonyms->ItemIndex(), 0);
  const auto labels = Labels();
  EXPECT_NE(std::find(labels.begin(), labels.end(), "Word not found: oxen"), labels.end());
}

TEST_F(ThesaurusWindowTest, PreviousGoesBackThroughTheHistoryWithoutGrowingIt) {
  Search("zebu");
  Search("ox");
  Search("zap");
  EXPECT_EQ(window_->KeyWord->Items.Count(), 3);
  EXPECT_TRUE(window_->PreviousBut->Enabled());
  window_->PreviousButClick();
  EXPECT_EQ(window_->CurrentWord(), "ox");
  window_->PreviousButClick();
  EXPECT_EQ(window_->CurrentWord(), "zebu");
  EXPECT_FALSE(window_->PreviousBut->Enabled());
  EXPECT_EQ(Items(window_->KeyWord->Items), (std::vector<std::string>{"zebu", "ox", "zap"}));
}

TEST_F(ThesaurusWindowTest, TheDefinitionsShareIsClampedAndCanTakeTheWholeWindow) {
  window_->SetDefinitionsHeightPercent(150);
  EXPECT_EQ(window_->DefinitionsHeightPercent(), 100);
  EXPECT_FALSE(window_->ViewTabs->Visible());
  window_->SetDefinitionsHeightPercent(0);
  EXPECT_FALSE(window_->Defs->Visible());
  EXPECT_EQ(window_->ViewTabs->Top(), window_->Defs->Top());
}

TEST(ThesaurusHighlight, TheHighlightColourStaysVisibleAgainstTheWindow) {
  EXPECT_EQ(ChooseHighlightColour(0x800000, 0xFFFFFF, 0, 0xFFFFFF), 0x800000);
  EXPECT_EQ(ChooseHighlightColour(0xFFFFFF, 0xFFFFFF, 0, 0x00FF00), 0x00FF00);
  EXPECT_EQ(ChooseHighlightColour(0xFFFFFF, 0xFFFFFF, 0, 0xFFFFFF), 0);
  EXPECT_EQ(ChooseHighlightColour(0, 0xFFFFFF, 0, 0xFFFFFF), clYellow);
  EXPECT_EQ(ChooseHighlightColour(0, 0xFFFFFF, 0, 0x00FF00), 0x00FF00);
}

class WordWebTest : public ThesaurusWindowTest {};

TEST_F(WordWebTest, TheComponentRunsTheWindowAndReturnsTheChosenWord) {
  TWordWeb web(nullptr);
  web.SetDatabaseFile(path_);
  web.LookupWord = "zap";
  web.SetWinLeft(100);
  EXPECT_FALSE(web.ScreenCentered);
  web.DefinitionsHeightPercent = 150;
  Driver().Expect([](TForm& form) {
    auto& window = dynamic_cast<TWWForm&>(form);
    EXPECT_EQ(window.Left(), 100);
    EXPECT_EQ(window.Top(), 40);
    EXPECT_EQ(window.DefinitionsHeightPercent(), 100);
    EXPECT_EQ(window.CurrentWord(), "zap");
    window.Synonyms->Items.Add("pep");
    window.Synonyms->SetItemIndex(0);
    window.SynonymsClick();
    window.CopyButton->Click();
  });
  EXPECT_TRUE(web.Execute());
  EXPECT_EQ(web.ResultText(), "pep");
  EXPECT_EQ(web.Window(), nullptr);  // freed on close
  web.FreeOnClose = false;
  web.CopyClickAction = TCopyButtonPressAction::cbpNoAction;
  Driver().Expect([](TForm& form) {
    auto& window = dynamic_cast<TWWForm&>(form);
    window.Synonyms->SetItemIndex(0);
    window.CopyButton->Click();
    EXPECT_EQ(window.ModalResult, mrNone);
    window.ModalResult = mrCancel;
  });
  EXPECT_FALSE(web.Execute());
  EXPECT_NE(web.Window(), nullptr);
}

}  // namespace
}  // namespace qm::thesaurus
