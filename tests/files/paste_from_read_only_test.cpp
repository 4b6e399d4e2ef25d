// A script marked read and print only takes nothing in: Paste From is
// refused as Paste is, before any file is asked for.
#include <gtest/gtest.h>

#include "base/ini_file.h"
#include "platform/files.h"
#include "platform/input.h"
#include "script/editing/document_modified.h"
#include "script/script_window.h"
#include "shell/main_form.h"
#include "support/message_box_answers.h"
#include "support/program_fixture.h"
#include "support/script_builder.h"

namespace qm::testing {
namespace {

class PasteFromReadOnlyTest : public ProgramFixture {};

TEST_F(PasteFromReadOnlyTest, AReadOnlyScriptTakesNothingFromAFile) {
  TMDIChild& yard = Script();
  yard.FreeElements();
  AddElements(yard, {{ekSceneHeading, "EXT. YARD - DAY"}, {ekAction, "Birds sing."}});
  yard.DisAssemble();
  SetDocumentModified(true, true);
  const std::string file = ScriptDirectory + "/YARD.QMW";
  ChooseFile(Driver(), "YARD");
  MainForm->FileSaveAsItem->Click();
  ASSERT_TRUE(FileExists(file));

  MainForm->FileNewItem->Click();
  TMDIChild& w = Script();
  w.SetFocus();
  TypeText("First.");
  w.Editable = 0;
  const std::vector<ElementSpec> before = ElementsOf(w);
  ChooseFile(Driver(), file);
  MainForm->PastefromItem->Click();
  EXPECT_EQ(ElementsOf(w), before);
  EXPECT_EQ(Driver().Pending(), 1) << "no file is asked for";
  Driver().Clear();
}

}  // namespace
}  // namespace qm::testing
