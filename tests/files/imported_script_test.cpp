#include "files/imported_script.h"

#include <gtest/gtest.h>

#include "script/model/packed_text.h"
#include "support/program_fixture.h"
#include "support/script_builder.h"

namespace qm {
namespace {

using testing::ElementSpec;

class ImportedScriptTest : public testing::ProgramFixture {};

TEST_F(ImportedScriptTest, ElementsTakeTheirFormatsAndMarks) {
  TMDIChild& script = Script();
  TImportedElements elements(5);
  elements[0].text = "FADE IN:";
  elements[0].allCaps = true;
  elements[0].state = esKeepFollowing;
  elements[1].kind = ekCharacterName;
  elements[1].text = "anna (V.O.)";
  elements[2].kind = ekDialogue;
  elements[2].text = "One.";
  elements[2].linesBefore = 10;
  elements[3].kind = ekLockedPageBreak;
  elements[3].text = " ";
  elements[3].split = spSecondPiece;
  elements[4].kind = ekPrologueText;
  elements[4].text = "TEASER";
  ReplaceScriptElements(script, elements);
  EXPECT_EQ(testing::ElementsOf(script), (std::vector<ElementSpec>{{ekAction, "FADE IN:"},
                                                                   {ekCharacterName, "ANNA (V.O.)"},
                                                                   {ekDialogue, "One."},
                                                                   {ekLockedPageBreak, " "},
                                                                   {ekPrologueText, "TEASER"}}));
  const TScriptElement* e = script.FirstElement;
  EXPECT_EQ(e->format.AllCaps, 1);
  EXPECT_EQ(e->state, esKeepFollowing);
  e = e->next->next;
  EXPECT_EQ(e->format.LinesBefore, 10);
  EXPECT_EQ(e->next->split, spSecondPiece);
  EXPECT_EQ(e->next->next->format.LeftMargin, script.FormatSet[fsActInformation].LeftMargin);
  EXPECT_EQ(script.CurrentElement(), script.FirstElement);
  EXPECT_EQ(script.CaretColumn(), 0);
  int groups = 0;
  for (const TScriptElement* x = script.FirstElement; x; x = x->next) groups += x->group != nullptr;
  EXPECT_EQ(groups, 5);
}

TEST_F(ImportedScriptTest, NothingReadLeavesTheScript) {
  const auto before = testing::ElementsOf(Script());
  ReplaceScriptElements(Script(), {});
  EXPECT_EQ(testing::ElementsOf(Script()), before);
}

}  // namespace
}  // namespace qm
