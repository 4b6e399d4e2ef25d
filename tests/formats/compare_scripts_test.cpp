#include "formats/compare_scripts.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/document_table.h"
#include "base/ini_file.h"
#include "base/program_identity.h"
#include "breakdown/tagging.h"
#include "script/script_window.h"
#include "shell/main_form.h"
#include "support/message_box_answers.h"
#include "support/program_fixture.h"
#include "support/script_builder.h"

namespace qm {
namespace {

using testing::ElementSpec;

std::string Added(const std::string& s) { return "\x10" + s + "\x11"; }
std::string Removed(const std::string& s) { return "\x0E" + s + "\x0F"; }

std::vector<TCompareItem> Items(const std::vector<ElementSpec>& specs, int page = 1) {
  std::vector<TCompareItem> items;
  for (const ElementSpec& e : specs) items.push_back({e.kind, e.text, page});
  return items;
}

TEST(CompareScriptsTest, ChangedWordsAreMarkedWordByWord) {
  const struct {
    std::string original, revised, result;
  } cases[] = {
      {"John sits.", "John stands.", "John " + Removed("sits.") + " " + Added("stands.")},
      {"a b c", "a c", "a " + Removed("b") + " c"},
      {"a c", "a b c", "a " + Added("b") + " c"},
      {"one two three", "one two three four", "one two three " + Added("four")},
      {"old words here", "new text", Removed("old words here") + " " + Added("new text")},
      {"same", "same", "same"},
  };
  for (const auto& c : cases) EXPECT_EQ(CompareWords(c.original, c.revised), c.result) << c.original;
}

TEST(CompareScriptsTest, AddedRemovedAndChangedElementsOfASmallPair) {
  const auto original = Items({{ekSceneHeading, "INT. HOUSE - DAY"},
                               {ekAction, "John sits."},
                               {ekAction, "He waits."},
                               {ekCharacterName, "JOHN"},
                               {ekDialogue, "Hello."}});
  auto revised = Items({{ekSceneHeading, "INT. HOUSE - DAY"},
                        {ekAction, "John stands."},
                        {ekCharacterName, "JOHN"},
                        {ekDialogue, "Hello."},
                        {ekAction, "The end."}});
  revised.back().page = 2;
  const TComparison result = CompareScriptItems(original, revised);
  const std::vector<TComparedElement> expected{
      {ekSceneHeading, "INT. HOUSE - DAY", TChange::Same},
      {ekScriptNote, "Original page 1, revised page 1", TChange::PageNote},
      {ekAction, "John " + Removed("sits.") + " " + Added("stands."), TChange::Changed},
      {ekAction, Removed("He waits."), TChange::Removed},
      {ekCharacterName, "JOHN", TChange::Same},
      {ekDialogue, "Hello.", TChange::Same},
      {ekScriptNote, "Original page 1, revised page 2", TChange::PageNote},
      {ekAction, Added("The end."), TChange::Added},
  };
  EXPECT_EQ(result.elements, expected);
  EXPECT_EQ(result.added, 1);
  EXPECT_EQ(result.removed, 1);
  EXPECT_EQ(result.changed, 1);
  EXPECT_TRUE(result.complete);
}

TEST(CompareScriptsTest, NamesAndElementsOfAnotherKindAreNotComparedWordByWord) {
  const TComparison result = CompareScriptItems(Items({{ekCharacterName, "JOHN"}, {ekAction, "Rain."}}),
                                                Items({{ekCharacterName, "MARY"}, {ekSceneHeading, "EXT. YARD"}}));
  const std::vector<TComparedElement> expected{
      {ekScriptNote, "Original page 1, revised page 1", TChange::PageNote},
      {ekCharacterName, "JOHN", TChange::Removed},
      {ekCharacterName, "MARY", TChange::Added},
      {ekAction, Removed("Rain."), TChange::Removed},
      {ekSceneHeading, Added("EXT. YARD"), TChange::Added},
  };
  EXPECT_EQ(result.elements, expected);
  EXPECT_EQ(result.added, 2);
  EXPECT_EQ(result.removed, 2);
  EXPECT_EQ(result.changed, 0);
}

TEST(CompareScriptsTest, IdenticalAndEmptyDraftsCompareQuietly) {
  const auto one = Items({{ekAction, "A."}, {ekAction, "B."}});
  const TComparison same = CompareScriptItems(one, one);
  EXPECT_EQ(same.elements.size(), 2u);
  EXPECT_EQ(same.added + same.removed + same.changed, 0);
  const TComparison fromNothing = CompareScriptItems({}, one);
  EXPECT_EQ(fromNothing.added, 2);
  EXPECT_EQ(fromNothing.elements.front().change, TChange::PageNote);
  EXPECT_TRUE(CompareScriptItems({}, {}).elements.empty());
}

TEST(CompareScriptsTest, DraftsTooDifferentForTheTableAreStillShownWhole) {
  std::vector<TCompareItem> a, b;
  for (int i = 0; i < 3000; ++i) {
    a.push_back({ekAction, "a" + std::to_string(i), 1});
    b.push_back({ekAction, "b" + std::to_string(i), 1});
  }
  const TComparison result = CompareScriptItems(a, b);
  EXPECT_FALSE(result.complete);
  EXPECT_EQ(result.changed, 3000) << "each pair of the differing middle compared word by word";
  EXPECT_NE(ComparisonSummary(result).find("differ too much"), std::string::npos);
}

class CompareCommandTest : public testing::ProgramFixture {};

TEST_F(CompareCommandTest, TheTwoOpenScriptsAreComparedIntoANewScript) {
  testing::AddElements(Script(), {{ekAction, "John sits."}, {ekCharacterName, "JOHN"}, {ekDialogue, "Hi."}});
  MainForm->FileNewItemClick(MainForm);
  ASSERT_EQ(DocumentCount, 2);
  testing::AddElements(Script(), {{ekAction, "John stands."}, {ekCharacterName, "MARY"}, {ekDialogue, "Hi."}});
  MainForm->UpdateMenusAndButtons();
  TMenuItem* item = MainForm->MenuItem("ComparedScriptsItem");
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(item->Caption(), "C&ompare Two Scripts");
  EXPECT_TRUE(item->Enabled());
  testing::AnswerMessageBox(Driver(), "The comparison is done: 1 element(s) added, 1 removed and 1 changed.", mrOk,
                            "Compare Two Scripts");
  item->Click();
  ASSERT_EQ(DocumentCount, 3);
  TMDIChild& result = Script();
  EXPECT_EQ(ActiveScript(), &result);
  EXPECT_EQ(result.DocumentModified, 1);
  std::vector<ElementSpec> shown;
  std::vector<TScriptElement*> names;
  for (TScriptElement* e = result.FirstElement; e; e = e->next) {
    if (IsPageBreakKind(e->Kind())) continue;
    shown.push_back({e->Kind(), LiveElementText(result, *e)});
    if (e->Kind() == ekCharacterName) names.push_back(e);
  }
  // Both scripts start with the empty element a new script has.
  ASSERT_GE(shown.size(), 5u);
  EXPECT_EQ(shown.back(), (ElementSpec{ekDialogue, "Hi."}));
  ASSERT_EQ(names.size(), 2u);
  EXPECT_EQ(LiveElementText(result, *names[0]), "JOHN");
  EXPECT_TRUE(names[0]->format.Style & stStrikeOut) << "the removed name is struck out";
  EXPECT_EQ(LiveElementText(result, *names[1]), "MARY");
  EXPECT_EQ(names[1]->format.ColorIndex(), 1) << "the added name is red";
  bool changed = false;
  for (const ElementSpec& e : shown)
    if (e.text == "John " + Removed("sits.") + " " + Added("stands.")) changed = true;
  EXPECT_TRUE(changed);
}

// The comparison's result is a script of its own: closing it changes
// nothing else, so the tagging mode of the draft being tagged stays on.
TEST_F(CompareCommandTest, ClosingTheResultLeavesTaggingModeOn) {
  TIniFile(SettingsFileName).WriteBool("Breakdowns", "Checked Code Usage", true);
  testing::AddElements(Script(), {{ekAction, "John sits."}});
  MainForm->FileNewItemClick(MainForm);
  testing::AddElements(Script(), {{ekAction, "John stands."}});
  TMenuItem* tagging = MainForm->MenuItem("TaggingModeItem");
  tagging->Click();
  ASSERT_TRUE(TaggingModeOn());
  testing::AnswerMessageBox(Driver(), "The comparison is done: 0 element(s) added, 0 removed and 1 changed.", mrOk,
                            "Compare Two Scripts");
  MainForm->MenuItem("ComparedScriptsItem")->Click();
  ASSERT_EQ(DocumentCount, 3);
  Script().DocumentModified = 0;  // read and put away unsaved
  MainForm->CloseFileItem->Click();
  Application->ProcessMessages();
  ASSERT_EQ(DocumentCount, 2);
  EXPECT_TRUE(TaggingModeOn());
  EXPECT_TRUE(tagging->Checked());
  EXPECT_EQ(MainForm->Caption(), "Breakdown Tagging Mode");
}

TEST_F(CompareCommandTest, ComparingNeedsExactlyTwoOpenScripts) {
  testing::AnswerMessageBox(Driver(), "Open the two drafts to compare, and no other script, before comparing them.",
                            mrOk, "Attention");
  MainForm->ComparedScriptsItemClick(MainForm);
  EXPECT_EQ(DocumentCount, 1);
}

}  // namespace
}  // namespace qm
