// A block copied or cut from the script in front into another script,
// with three saved scripts open and the middle one in front: however the
// command ends, the script the block came from is in front again, the
// active one, named by the main window and taking the next keys; the
// other open script is left alone.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "base/document_table.h"
#include "base/ini_file.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/forms.h"
#include "platform/input.h"
#include "platform/menus.h"
#include "script/editing/editor_calls.h"
#include "script/layout/screen_rebuild.h"
#include "shell/app_messages.h"
#include "shell/documents.h"
#include "shell/main_form.h"
#include "support/message_box_answers.h"
#include "support/program_fixture.h"
#include "support/script_builder.h"

namespace qm {
namespace {

using testing::ElementSpec;

const char* const kNames[] = {"ALPHA.QMW", "BRAVO.QMW", "CHARLIE.QMW"};
const std::vector<ElementSpec> kTexts[] = {
    {{ekAction, "Alpha dust settles."}},
    {{ekAction, "Keep this line."}, {ekAction, "Move this line."}},
    {{ekAction, "Charlie counts the jars."}},
};

std::string InScripts(const std::string& name) { return ScriptDirectory + "/" + name; }

class BlockToAnotherScriptTest : public testing::ProgramFixture {
 protected:
  void SetUp() override {
    ProgramFixture::SetUp();
    MainForm->ExpertPrompting = true;
    for (int i = 0; i < 3; ++i) {
      if (i > 0) MainForm->FileNewItem->Click();
      testing::AddElements(Script(), kTexts[i]);
      testing::ChooseFile(Driver(), InScripts(kNames[i]));
      MainForm->FileSaveAsItem->Click();
      scripts[i] = &Script();
    }
    alpha = testing::ElementsOf(*scripts[0]);
    // The writer goes back to the second script and marks its second line.
    MainForm->WindowMenu->Click();
    MainForm->DocItems[1]->Click();
    TMDIChild& source = *scripts[1];
    TScriptElement* line = source.FirstElement->next;
    editor::SetCurrentElement(source, line);
    source.DisAssemble();
    editor::MarkBlock(source, *line, 0, *line, static_cast<int>(std::string("Move this line.").size()));
    MainForm->UpdateMenusAndButtons();
  }
  TMDIChild* Front() const { return dynamic_cast<TMDIChild*>(MainForm->ActiveMDIChild()); }

  // The elements of the script in `file`, opened and closed again.
  std::vector<ElementSpec> ElementsIn(const std::string& file) {
    if (!OpenScriptByName(InScripts(file))) return {};
    std::vector<ElementSpec> elements = testing::ElementsOf(Script());
    CloseActiveScript(true);
    Application->ProcessMessages();
    return elements;
  }

  TMDIChild* scripts[3] = {};
  std::vector<ElementSpec> alpha;
};

TEST_F(BlockToAnotherScriptTest, TheScriptTheBlockCameFromIsInFrontAfterwards) {
  const struct {
    const char* what;
    const char* item;
    std::function<void(ModalDriver&)> answers;
    const char* into;  // the file that takes the block, or null
  } cases[] = {
      {"Cut to a new file, Cancel at Save As", "CutToItem",
       [](ModalDriver& d) { d.Expect([](TForm& f) { f.ModalResult = mrCancel; }, "Save As"); }, nullptr},
      {"Cut to a new file, saved", "CutToItem", [](ModalDriver& d) { testing::ChooseFile(d, InScripts("CUT.QMW")); },
       "CUT.QMW"},
      {"Copy to a new file, Cancel at Save As", "CopyToItem",
       [](ModalDriver& d) { d.Expect([](TForm& f) { f.ModalResult = mrCancel; }, "Save As"); }, nullptr},
      {"Copy to a new file, saved", "CopyToItem", [](ModalDriver& d) { testing::ChooseFile(d, InScripts("COPY.QMW")); },
       "COPY.QMW"},
      // Nothing opens: the block goes nowhere, and the script the failed
      // window left in the highest slot is not taken for the target.
      {"Cut to a file that will not open", "CutToExistingFileItem",
       [](ModalDriver& d) {
         testing::WriteFileText(InScripts("EMPTY.QMW"), "");
         testing::ChooseFile(d, InScripts("EMPTY.QMW"));
         testing::AnswerMessageBox(d, "Unable to open " + InScripts("EMPTY.QMW") + ":\rit is empty.", mrOk,
                                   "Attention");
       },
       nullptr},
      {"Cut to the open third script", "CutToExistingFileItem",
       [](ModalDriver& d) {
         testing::ChooseFile(d, InScripts("CHARLIE.QMW"));
         d.Expect([](TForm& box) { testing::AnswerTypeYes(box, false); }, "open it twice?");
         testing::AnswerMessageBox(d, "Go to the open script " + InScripts("CHARLIE.QMW") + " in Window #3?", mrYes);
       },
       "CHARLIE.QMW"},
      {"Copy to the scrap file", "CopyToScrapItem", [](ModalDriver&) {}, nullptr},
  };
  const std::vector<ElementSpec> charlie = testing::ElementsOf(*scripts[2]);
  const std::string charlieFile = testing::ReadFileText(InScripts("CHARLIE.QMW"));
  const std::string alphaFile = testing::ReadFileText(InScripts("ALPHA.QMW"));
  TMDIChild& source = *scripts[1];
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_EQ(ActiveScript(), &source);
    c.answers(Driver());
    MainForm->MenuItem(c.item)->Click();
    Application->ProcessMessages();
    EXPECT_EQ(Driver().Pending(), 0);
    Driver().Clear();
    EXPECT_EQ(testing::ElementsOf(*scripts[0]), alpha) << "the first script is left alone";
    EXPECT_EQ(scripts[0]->DocumentModified, 0);
    EXPECT_EQ(testing::ReadFileText(InScripts("ALPHA.QMW")), alphaFile);
    ASSERT_NE(SlotOf(&source), 0);
    EXPECT_EQ(Front(), &source) << "in front: " << (Front() ? Front()->ScriptFileName : "none");
    EXPECT_EQ(ActiveScript(), &source) << "active: " << (ActiveScript() ? ActiveScript()->ScriptFileName : "none");
    EXPECT_TRUE(source.Active());
    EXPECT_NE(MainWindowText().find("BRAVO"), std::string::npos) << MainWindowText();
    if (std::string(c.what).find("will not open") != std::string::npos) {
      ASSERT_NE(SlotOf(scripts[2]), 0) << "the third script is still open";
      EXPECT_EQ(testing::ElementsOf(*scripts[2]), charlie);
      EXPECT_EQ(testing::ReadFileText(InScripts("CHARLIE.QMW")), charlieFile);
    }
    const auto zs = std::count(source.EditBuffer().begin(), source.EditBuffer().end(), 'Z');
    TypeText("Z");
    EXPECT_EQ(std::count(source.EditBuffer().begin(), source.EditBuffer().end(), 'Z'), zs + 1)
        << "the next key goes to the script the block came from";
    if (c.into) {
      const std::vector<ElementSpec> into = ElementsIn(c.into);
      // A block within one line goes on at the end of the target's last line.
      EXPECT_NE(std::find_if(into.begin(), into.end(),
                             [](const ElementSpec& e) { return e.text.ends_with("Move this line."); }),
                into.end())
          << c.into << " took the block: " << ::testing::PrintToString(into);
    }
    // The next case starts from the script as it was, its line marked.
    source.FreeElements();
    ResetScreenLines(source);
    testing::AddElements(source, kTexts[1]);
    TScriptElement* line = source.FirstElement->next;
    editor::SetCurrentElement(source, line);
    source.DisAssemble();
    editor::MarkBlock(source, *line, 0, *line, 15);
    source.DocumentModified = 0;
    MainForm->UpdateMenusAndButtons();
    if (ActiveScript() != &source) {
      MainForm->WindowMenu->Click();
      MainForm->DocItems[SlotOf(&source) - 1]->Click();
    }
  }
}

}  // namespace
}  // namespace qm
