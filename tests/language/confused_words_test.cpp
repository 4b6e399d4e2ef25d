#include "language/confused_words.h"

#include <gtest/gtest.h>

#include "base/ini_file.h"
#include "language/language_fixture.h"
#include "script/editing/revision_marks.h"

namespace qm {
namespace {

using testing::ElementsOf;
using testing::ElementSpec;

using Groups = std::vector<std::string>;

TEST(ConfusedWordsTest, TypedGroupsAreJoinedBySpacedColons) {
  struct Case {
    std::string typed;
    std::optional<std::string> group;
  };
  const std::vector<Case> cases = {
      {"its:it's", "its : it's"},
      {" their :there ", "their : there"},
      {"a : b:c", "a : b : c"},
      {"no colon here", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(NormaliseWordGroup(c.typed), c.group) << c.typed;
}

TEST(ConfusedWordsTest, WordsOfTheTableAreFoundInProse) {
  const TConfusedTable table = BuildConfusedTable({"their : they're : there", "it's : its"});
  ASSERT_EQ(table.size(), 5u);
  EXPECT_EQ(table[1], (Groups{"THEY'RE", "THERE", "THEIR"}));
  struct Case {
    std::string text;
    std::size_t start, end;  // start == end: no hit
    Groups alternatives;
  };
  const std::vector<Case> cases = {
      {"OVER THERE'S A DOG", 0, 0, {}}, {"OVER THERE, A DOG", 5, 10, {"THEIR", "THEY'RE"}},
      {"(ITS) TAIL", 1, 4, {"IT'S"}},   {"IT'S LATE", 0, 4, {"ITS"}},
      {"THEIRS IS NOT", 0, 0, {}},      {"\x01THEY'RE\x01 BACK", 1, 8, {"THERE", "THEIR"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const auto hit = FindConfusedWord(c.text, 0, table);
    if (c.start == c.end) {
      EXPECT_FALSE(hit);
      continue;
    }
    ASSERT_TRUE(hit);
    EXPECT_EQ(hit->start, c.start);
    EXPECT_EQ(hit->end, c.end);
    EXPECT_EQ(hit->alternatives, c.alternatives);
  }
}

TEST(ConfusedWordsTest, TheChosenWordTakesTheFoundCapitals) {
  EXPECT_EQ(AlternativeLike("Their", "there"), "There");
  EXPECT_EQ(AlternativeLike("THEIR", "there"), "THERE");
  EXPECT_EQ(AlternativeLike("their", "There"), "there");
  EXPECT_EQ(AlternativeLike("It's", "its"), "Its");
}

class ConfusedWordsSettingsTest : public testing::LanguageFixture {};

TEST_F(ConfusedWordsSettingsTest, GroupsComeFromTheSettingsAndDeletedDefaultsStayDeleted) {
  TIniFile ini = OpenSettingsFile();
  EXPECT_EQ(ReadWordGroups(ini), (Groups{"their : they're : there", "it's : its"}));

  ini.WriteString("Confused Words", "Words 1", "to : too : two");
  ini.WriteString("Confused Words", "Words 3", "lose : loose");
  EXPECT_EQ(ReadWordGroups(ini), (Groups{"to : too : two", "it's : its", "lose : loose"}));

  // Both defaults deleted: none comes back.
  SaveWordGroups(ini, {});
  EXPECT_EQ(ReadWordGroups(ini), Groups{});
  SaveWordGroups(ini, {"lose : loose"});
  EXPECT_EQ(ReadWordGroups(ini), Groups{"lose : loose"});
  SaveWordGroups(ini, {"a : b", "c : d", "e : f"});
  EXPECT_EQ(ReadWordGroups(ini), (Groups{"a : b", "c : d", "e : f"}));
}

TEST_F(ConfusedWordsSettingsTest, TheCheckAsksAtEachWordAndReplacesOnNo) {
  Add({{ekSceneHeading, "INT. THEIR HOUSE - DAY"},
       {ekAction, "Their dog is over there."},
       {ekCharacterName, "THERE"},
       {ekDialogue, "ITS LATE. It's \x02their\x03 fault."}});
  PlaceCaret(0);
  ExpectMessage("Is this the correct word?", "", mrYes);     // Their
  ExpectMessage("Is this the correct word?", "", mrNo);      // there -> chosen their
  ExpectMessage("Is this the correct word?", "", mrNo);      // ITS -> IT'S
  ExpectMessage("Is this the correct word?", "", mrYes);     // It's
  ExpectMessage("Is this the correct word?", "", mrCancel);  // their
  std::vector<Groups> offered;
  CheckConfusedWords(Script(), {"their : they're : there", "it's : its"}, true, [&](const Groups& alternatives) {
    offered.push_back(alternatives);
    return alternatives.back();
  });
  EXPECT_EQ(offered, (std::vector<Groups>{{"THEIR", "THEY'RE"}}));
  const std::vector<ElementSpec> expected = {{ekSceneHeading, "INT. THEIR HOUSE - DAY"},
                                             {ekAction, "Their dog is over they're."},
                                             {ekCharacterName, "THERE"},
                                             {ekDialogue, "IT'S LATE. It's \x02their\x03 fault."}};
  EXPECT_EQ(ElementsOf(Script()), expected);
}

// The chosen word is typed in as the writer would type it: in the chosen
// revision colour, its line marked as revised.
TEST_F(ConfusedWordsSettingsTest, TheChosenWordIsTypedAsARevision) {
  const std::string blueOn(1, '\x12'), blueOff(1, '\x13');
  const struct {
    const char* what;
    Byte colour;
    std::vector<std::string> texts;
  } cases[] = {
      {"marked", 0, {"It's late.", "Nothing.", "Their it's."}},
      {"in blue", 1, {blueOn + "It's" + blueOff + " late.", "Nothing.", "Their " + blueOn + "it's" + blueOff + "."}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Script().FreeElements();
    Add({{ekAction, "Its late."}, {ekAction, "Nothing."}, {ekAction, "Their its."}});
    PlaceCaret(1);
    Script().RevisionMarking = 1;
    Script().AutoRevisionColor = c.colour;
    ExpectMessage("Is this the correct word?", "", mrNo);   // Its
    ExpectMessage("Is this the correct word?", "", mrYes);  // Their
    ExpectMessage("Is this the correct word?", "", mrNo);   // its
    CheckConfusedWords(Script(), {"their : they're : there", "it's : its"}, true, nullptr);
    const auto elements = ElementsOf(Script());
    const bool marked[] = {true, false, true};
    for (std::size_t i = 0; i < c.texts.size(); ++i) {
      EXPECT_EQ(elements[i].text, c.texts[i]) << i;
      EXPECT_EQ(HasRevisedLines(Element(static_cast<int>(i))), marked[i]) << i;
    }
  }
}

}  // namespace
}  // namespace qm
