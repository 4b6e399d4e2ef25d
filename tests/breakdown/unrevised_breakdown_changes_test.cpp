// The production commands change what stands beside the text (lists
// under the headings, tags, associations, the production details): they
// mark the script modified and no line revised, even while the script
// marks revisions.
#include <gtest/gtest.h>

#include <functional>

#include "breakdown/associations.h"
#include "breakdown/breakdown_sheet_editor.h"
#include "breakdown/character_lists.h"
#include "breakdown/character_lists_dialog.h"
#include "breakdown/rundown_sheets.h"
#include "breakdown/sitcom_script.h"
#include "breakdown/tagging.h"
#include "platform/dialog_builder.h"
#include "script/editing/revision_marks.h"
#include "support/message_box_answers.h"

namespace qm {
namespace {

class UnrevisedBreakdownChangesTest : public testing::SitcomFixture {
 protected:
  bool AnyLineRevised() {
    for (const TScriptElement* e = Script().FirstElement; e; e = e->next)
      if (HasRevisedLines(*e)) return true;
    return false;
  }
  void PrintRundown(bool justSetList) {
    ExpectMessage("Regenerate Character Lists first?", "", mrNo);
    Driver().Expect([](TForm& form) { dynamic_cast<TCharNameListDlg&>(form).OKBtn->Click(); });
    GenerateRundownSheets(justSetList);
  }
  void GenerateLists() {
    TCharacterListRun run;
    run.Names = PrepareListNames(Script(), run.Options.SortOrder);
    RunCharacterListGeneration(Script(), run);
  }
};

TEST_F(UnrevisedBreakdownChangesTest, ProductionCommandsMarkNoLineRevised) {
  const struct {
    const char* what;
    std::function<void()> change;
  } cases[] = {
      {"printing the set list", [this] { PrintRundown(true); }},
      {"printing the rundown sheets", [this] { PrintRundown(false); }},
      {"removing every tagging code",
       [this] {
         ExpectMessage("Do you REALLY want to remove all breakdown tagging codes?", "", mrYes);
         ExpectMessage("All Tagging Codes Removed");
         RemoveAllTaggingCodes(Script());
       }},
      {"generating the character lists", [this] { GenerateLists(); }},
      {"removing the character lists",
       [this] {
         Driver().Expect([](TForm& box) { testing::AnswerTypeYes(box, true); }, "type YES");
         ExpectMessage("Removal of Character Lists is complete.");
         RemoveCharacterLists();
       }},
      {"storing the associations", [this] { SetScriptAssociations(Script(), ScriptAssociations(Script())); }},
      {"adding an item on the breakdown sheet",
       [this] {
         TBreakdownSheetEditor editor(nullptr, Script(), 0);
         editor.AddTaggedItem("", "fog", 10);
       }},
      {"naming the company before a sheet prints",
       [this] {
         TBreakdownSheetEditor editor(nullptr, Script(), 0);
         Driver().Expect([](TForm& form) {
           DialogControl<TComboBox>(form, "ItemCombo")->Text = "Acme Films";
           form.ModalResult = mrOk;
         });
         editor.PrintBtn->Click();
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Script().FreeElements();
    BuildSitcom();
    Settings().TaggingUsed = 1;
    Settings().ProductionCompany.clear();
    Script().RevisionMarking = 1;
    Script().DocumentModified = 0;
    c.change();
    EXPECT_EQ(Driver().Pending(), 0);
    EXPECT_TRUE(Script().DocumentModified);
    EXPECT_FALSE(AnyLineRevised());
  }
}

}  // namespace
}  // namespace qm
