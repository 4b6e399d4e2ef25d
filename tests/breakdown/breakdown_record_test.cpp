#include "breakdown/breakdown_record.h"

#include <gtest/gtest.h>

#include "breakdown/tag_notation.h"

#include "language/language_fixture.h"
#include "script/model/script_record.h"

namespace qm {
namespace {

using testing::T;

using Items = std::vector<std::string>;
const CharSet Codes = InlineCodes(true);

TEST(BreakdownRecordTest, TagsOfEachKindLandInTheirSlots) {
  struct Case {
    std::string text;
    TRecordSlot slot;
    Items items;
    std::string left;  // the text after the scan
  };
  const std::vector<Case> cases = {
      {"a [ogun] b", rsProps, {"gun"}, "a gun b"},
      {"[cbob] and [cBob]", rsCastMembers, {"BOB"}, "bob and Bob"},    // one upper-case entry
      {"[o~gun]", rsProps, {"~gun"}, "~gun"},                          // an off entry
      {"[og~u~n]", rsProps, {"gun"}, "g~u~n"},                         // "~" inside goes
      {"[o  gun  ]", rsProps, {"gun"}, "  gun  "},                     // blanks trimmed
      {"[cbob's [ohat]]", rsCastMembers, {"BOB'S HAT"}, "bob's hat"},  // outer without inner codes
      {"[cbob's [ohat]]", rsProps, {"hat"}, "bob's hat"},              // inner alone
      {"[ojeep] [wjeep] x", rsVehicles, {"jeep"}, "jeep jeep x"},
      {"no code] here", rsProps, {}, "no code here"},  // end byte alone: no item
      {"[o[fcrowd] gun]", rsExtras, {"crowd"}, std::string("\x07") + "crowd gun"},
      {"[o[fcrowd] gun]", rsProps, {"crowd gun"}, std::string("\x07") + "crowd gun"},
      {"[pmusic][hlamb][zown]", rsUserDefined3, {"own"}, "musiclambown"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    BreakdownRecord record;
    std::string text = T(c.text);
    ExtractTaggedItems(record, text, Codes);
    EXPECT_EQ(record.Items[c.slot], c.items);
    EXPECT_EQ(text, c.left);
  }
}

TEST(BreakdownRecordTest, AnExtrasTagInsideAnotherKeepsItsCodeInTheText) {
  // The Extras code is left in the text (the name search passes over
  // names after it), also when an outer tag was read first; the outer
  // tag's code is gone.
  struct Case {
    std::string text;
    Items props;
  };
  for (const Case& c :
       std::vector<Case>{{"[fbob]", {}}, {"[o[fbob]]", {"bob"}}, {"[o[fbob] [ohat]]", {"bob hat", "hat"}}}) {
    SCOPED_TRACE(c.text);
    BreakdownRecord record;
    std::string text = T(c.text);
    ExtractTaggedItems(record, text, Codes);
    EXPECT_EQ(text.substr(0, 4), std::string("\x07") + "bob");
    EXPECT_EQ(record.Items[rsExtras], Items{"bob"});
    EXPECT_EQ(record.Items[rsProps], c.props);
  }
}

TEST(BreakdownRecordTest, LongItemsAreCutTo255) {
  BreakdownRecord record;
  std::string text = T("[o" + std::string(300, 'x') + "]");
  ExtractTaggedItems(record, text, Codes);
  ASSERT_EQ(record.Items[rsProps].size(), 1u);
  EXPECT_EQ(record.Items[rsProps][0].size(), 255u);
}

class GatherAllTest : public testing::LanguageFixture {};

TEST_F(GatherAllTest, TheWholeScriptsTagsGoIntoOneRecordHiddenOnesLeftOut) {
  Settings().TaggingUsed = 1;
  Add({{ekSceneHeading, "INT. HOUSE - DAY"},
       {ekAction, T("BOB lifts a [ogun].")},
       {ekScriptNote, T("[ccarol], [wtruck]")},
       {ekDialogue, T("a [open] in dialogue")},
       {ekAction, T("The [wtruck] and [obook].")},
       {ekAction, T("[ohidden prop]")}});
  Element(5).state = esHidden;
  PlaceCaret(1);
  const BreakdownRecord record = GatherAllSceneBreakdowns(Script());
  EXPECT_EQ(record.Items[rsProps], (Items{"gun", "book"}));
  EXPECT_EQ(record.Items[rsCastMembers], Items{"CAROL"});
  EXPECT_EQ(record.Items[rsVehicles], Items{"truck"});
  // The script keeps its tags.
  EXPECT_EQ(Script().EditBuffer(), T("BOB lifts a [ogun]."));
}

TEST_F(GatherAllTest, OffEntriesCancelTheirItemsWithoutAnyAssociations) {
  Settings().TaggingUsed = 1;
  Add({{ekSceneHeading, "INT. HOUSE - DAY"},
       {ekScriptNote, T("[o~gun]")},
       {ekAction, T("BOB lifts a [ogun] and a [orope].")}});
  PlaceCaret(1);
  const BreakdownRecord record = GatherAllSceneBreakdowns(Script());
  EXPECT_EQ(record.Items[rsProps], Items{"rope"});
}

}  // namespace
}  // namespace qm
