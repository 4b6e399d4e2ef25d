// Tags and associations live in the script file: a script saved and read
// back keeps its tagged text, its tagging flag and its associations.
#include <gtest/gtest.h>

#include "breakdown/associations.h"
#include "breakdown/categories.h"
#include "script/model/text_codes.h"
#include "files/file_test_fixture.h"
#include "files/native_file.h"
#include "files/script_samples.h"
#include "support/script_builder.h"

namespace qm::testing {
namespace {

class BreakdownFileTest : public FileTest {};

TEST_F(BreakdownFileTest, TagsAndAssociationsSurviveSaveAndLoad) {
  const std::string tagged = "A " + std::string(1, static_cast<char>(TagCodeOfCategory(14))) + "gun" +
                             std::string(1, static_cast<char>(TagEnd)) + " and " +
                             std::string(1, static_cast<char>(TagCodeOfCategory(25))) + "x" +
                             std::string(1, static_cast<char>(TagEnd));
  TAssociationLists lists;
  lists.Characters.push_back({"BOB", {{{"red coat", "hat"}, 3, ieIntOnly}}});
  lists.Locations.push_back({"BARN", {{{"hay"}, 17, ieBoth}}});
  {
    const std::string file = Path("TAGGED.QMW");
    {
      ScriptWindow saved;
      saved->TaggingUsed = 1;
      AddElements(*saved, {{ekSceneHeading, "INT. BARN - DAY"}, {ekAction, tagged}});
      saved->Associations = WriteAssociations(lists);
      ASSERT_TRUE(SaveScriptFile(file, false, true));
    }
    ScriptWindow read;
    ASSERT_TRUE(LoadScriptFile(file, false));
    EXPECT_EQ(read->TaggingUsed, 1);
    EXPECT_EQ(ElementsOf(*read)[1].text, tagged);
    EXPECT_EQ(ScriptAssociations(*read), lists);
  }
}

}  // namespace
}  // namespace qm::testing
