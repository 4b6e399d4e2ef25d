// SmartCheck finds each kind of slip in a script made to have them, asks
// about each, and sums up.
#include "printing/smartcheck.h"

#include <gtest/gtest.h>

#include "base/document_table.h"
#include "script/fixtures/keys_fixture.h"
#include "shell/main_form.h"

namespace qm::testing {
namespace {

class SmartCheckTest : public KeysFixture {
 protected:
  void LoadSlips() {
    Load({{ekSceneHeading, "INT. KITCHEN - DAY"},
          {ekAction, "   "},      // 1 blank element
          {ekCharacterName, ""},  // 2 blank name
          {ekDialogue, "Who said that?"},
          {ekCharacterName, "MARY"},  // 4
          {ekDialogue, "I did."},
          {ekCharacterName, "MARY"},  // 6 the same speaker again
          {ekDialogue, "And I meant it."},
          {ekCharacterName, "JOHN (angrily)"},  // 8 a direction in the name
          {ekDialogue, "Stop."},
          {ekCharacterName, "PETE"},       // 10 no dialogue after it
          {ekAction, " He leaves."},       // 11 a leading blank
          {ekSceneHeading, "12 OMITTED"},  // 12 alone at the page's end
          {ekForcedPageBreak, " "},
          {ekSceneHeading, "INT. HALL - NIGHT"},
          {ekAction, "Quiet."}},
         0, 0);
  }
  std::vector<std::pair<TFindingKind, int>> Found() {
    std::vector<std::pair<TFindingKind, int>> found;
    for (const TFinding& f : SmartCheckFindings(W())) {
      int index = 0;
      for (const TScriptElement* e = W().FirstElement; e != f.element; e = e->next) ++index;
      found.emplace_back(f.kind, index);
    }
    return found;
  }
};

TEST_F(SmartCheckTest, EachKindOfSlipIsFoundWhereItIs) {
  LoadSlips();
  using K = TFindingKind;
  EXPECT_EQ(Found(), (std::vector<std::pair<TFindingKind, int>>{{K::BlankElement, 1},
                                                                {K::BlankName, 2},
                                                                {K::SameSpeakerTwice, 6},
                                                                {K::ExtensionInName, 8},
                                                                {K::NameWithoutDialogue, 10},
                                                                {K::LeadingBlank, 11},
                                                                {K::WidowedOmitted, 12}}));
  // A clean script has nothing to say.
  Load(
      {{ekSceneHeading, "INT. HALL - NIGHT"}, {ekCharacterName, "MARY"}, {ekDialogue, "Hello."}, {ekAction, "Quiet."}});
  EXPECT_TRUE(SmartCheckFindings(W()).empty());
}

TEST_F(SmartCheckTest, TheCommandAsksAboutEachAndSumsUp) {
  LoadSlips();
  for (int i = 0; i < 7; ++i) Driver().Expect([](TForm& box) { box.ModalResult = mrNo; });
  ExpectBox("SmartCheck found 7 things to look at.", mrOk);
  MainForm->MenuItem("RunSmartCheck1")->Click();
}

TEST_F(SmartCheckTest, YesTakesTheCaretToTheFindingAndEndsTheCheck) {
  LoadSlips();
  Driver().Expect([](TForm& box) { box.ModalResult = mrNo; });
  ExpectBox("This Character Name is blank: the speech after it has no speaker.\r\rShall I take you there to fix it?",
            mrYes);
  MainForm->MenuItem("RunSmartCheck1")->Click();
  EXPECT_EQ(CurrentIndex(), 2);
}

TEST_F(SmartCheckTest, BeforePrintingTheWriterMayStillPrint) {
  LoadSlips();
  for (int i = 0; i < 7; ++i) Driver().Expect([](TForm& box) { box.ModalResult = mrNo; });
  ExpectBox("SmartCheck found 7 things to look at.\r\rPrint the script as it is?", mrNo);
  EXPECT_FALSE(SmartCheckScript(false));
}

}  // namespace
}  // namespace qm::testing
