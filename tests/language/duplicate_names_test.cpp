#include "language/duplicate_names.h"

#include <gtest/gtest.h>

#include "language/language_fixture.h"
#include "platform/stringlist.h"
#include "script/model/script_record.h"

namespace qm {
namespace {

using Entries = std::vector<std::string>;

TEST(DuplicateNamesTest, CombiningThenApplyingMakesAliasesOfTheReportedName) {
  Entries entries = {"BOB", "BOBBY", "ROBERT", "SAM"};
  CombineEntries(entries, 0, {0, 1, 2});
  EXPECT_EQ(entries, (Entries{"BOB : ROBERT : BOBBY", "SAM"}));
  TStringList aliases;
  ApplyAliasEntries(entries, aliases);
  struct Case {
    std::string name;
    std::size_t max;
    std::string reported;
  };
  for (const Case& c : std::vector<Case>{
           {"ROBERT", 45, "BOB"}, {"bobby", 45, "BOB"}, {"BOB", 45, "BOB"}, {"sam", 45, "SAM"}, {"ROBERTO", 6, "BOB"}})
    EXPECT_EQ(SubstitutedName(aliases, c.name, c.max), c.reported) << c.name;

  // A reported name longer than the caller takes is cut to it.
  TStringList longer;
  ApplyAliasEntries({"ROBERT : BOB"}, longer);
  EXPECT_EQ(SubstitutedName(longer, "bob", 3), "ROB");

  BreakApartEntry(entries, 0);
  EXPECT_EQ(entries, (Entries{"BOB", "BOBBY", "ROBERT", "SAM"}));
  ApplyAliasEntries(entries, aliases);
  EXPECT_EQ(aliases.Count(), 0);
}

TEST(DuplicateNamesTest, ReopeningShowsTheCombinedEntryAndKeepsAliasesOfVanishedNames) {
  TStringList aliases;
  ApplyAliasEntries({"BOB : ROBERT : BOBBY", "JANE : JANIE"}, aliases);
  std::vector<std::string> vanished;
  // JANE was renamed away in the script: JANIE still reports as JANE.
  const Entries merged = MergeAliases({"BOB", "BOBBY", "ROBERT", "SAM"}, aliases, &vanished);
  EXPECT_EQ(merged, (Entries{"BOB : ROBERT : BOBBY", "JANE : JANIE", "SAM"}));
  EXPECT_EQ(vanished, Entries{"JANE"});
  ApplyAliasEntries(merged, aliases);
  EXPECT_EQ(SubstitutedName(aliases, "JANIE", 45), "JANE");
}

class SubstituteTest : public testing::LanguageFixture {};

TEST_F(SubstituteTest, TheActiveScriptsListsAreUsed) {
  ApplyAliasEntries({"BOB : ROBERT"}, Settings().CharacterAliasList);
  ApplyAliasEntries({"BARN : OLD BARN"}, Settings().LocationAliasList);
  std::string name = "robert";
  SubstituteCharacterName(name, 45);
  EXPECT_EQ(name, "BOB");
  std::string place = "old barn";
  SubstituteLocationName(place, 45);
  EXPECT_EQ(place, "BARN");
}

}  // namespace
}  // namespace qm
