// Tagging in the running program: a tag and an untagging are each taken
// back by one undo.
#include <gtest/gtest.h>

#include "breakdown/categories.h"
#include "breakdown/tagging.h"
#include "files/undo_ring.h"
#include "script/model/text_codes.h"
#include "script/script_window.h"
#include "support/message_box_answers.h"
#include "support/program_fixture.h"
#include "support/script_builder.h"
#include "script/editing/editor_calls.h"

namespace qm::testing {
namespace {

class TaggingUndoTest : public ProgramFixture {
 protected:
  void Load(const std::vector<ElementSpec>& elements) {
    Script().FreeElements();
    AddElements(Script(), elements);
    editor::SetCurrentElement(Script(), Script().FirstElement->next);
    Script().CurrentGroup = Script().CurrentElement()->group;
    Script().DisAssemble();
    editor::SetCaretColumn(Script(), 0);
    Script().TaggingUsed = 1;
  }
};

TEST_F(TaggingUndoTest, OneUndoTakesBackATagAndAnUntagging) {
  Load({{ekSceneHeading, "INT. BARN - DAY"}, {ekAction, "He lifts a gun."}});
  const std::vector<ElementSpec> plain = ElementsOf(Script());
  Script().CurrentElement()->blockStart = 11;
  Script().CurrentElement()->blockEnd = 14;
  TagSelectionWithCategory(Script(), 14);
  const std::string tagged = "He lifts a " + std::string(1, static_cast<char>(TagCodeOfCategory(14))) + "gun" +
                             std::string(1, static_cast<char>(TagEnd)) + ".";
  ASSERT_EQ(Script().EditBuffer(), tagged);
  const std::vector<ElementSpec> withTag = ElementsOf(Script());

  AnswerMessageBox(Driver(), "Do you REALLY want to remove all breakdown tagging codes?", mrYes);
  AnswerMessageBox(Driver(), "All Tagging Codes Removed", mrOk);
  ASSERT_TRUE(RemoveAllTaggingCodes(Script()));
  EXPECT_EQ(ElementsOf(Script()), plain);

  ASSERT_TRUE(UndoObject->UndoIsAvailable());
  UndoObject->Undo();
  EXPECT_EQ(ElementsOf(Script()), withTag);
  UndoObject->Undo();
  EXPECT_EQ(ElementsOf(Script()), plain);
}

}  // namespace
}  // namespace qm::testing
