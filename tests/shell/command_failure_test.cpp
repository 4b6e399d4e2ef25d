// A failure that escapes a command is caught where the event loop handed
// the command its message: it is said in a box captioned with the
// program's title, and the program goes on with every script as it was.
#include <gtest/gtest.h>

#include "base/document_table.h"
#include "base/prompt_table.h"
#include "platform/files.h"
#include "platform/forms.h"
#include "platform/input.h"
#include "shell/main_form.h"
#include "support/message_box_answers.h"
#include "support/program_fixture.h"
#include "support/script_builder.h"

namespace qm {
namespace {

constexpr UINT CommandMessage = WM_USER + 67;

using CommandFailureTest = testing::ProgramFixture;

// The command: the formats made every new script's, into a settings file
// the system will not let the program replace.
TEST_F(CommandFailureTest, AFailureThatEscapesACommandIsSaidAndEndsNothing) {
  TMDIChild& w = Script();
  w.SetFocus();
  TypeText("Words not saved yet.");
  const std::vector<testing::ElementSpec> before = testing::ElementsOf(w);
  const int documents = DocumentCount;
  ASSERT_NE(w.DocumentModified, 0);
  ASSERT_TRUE(SetReadOnly(SettingsFilePath(), true));
  TMenuItem* command = MainForm->MenuItem("AllNewScriptsItem");
  ASSERT_NE(command, nullptr);
  Application->OnMessage = [command](TMsg& msg, bool& handled) {
    if (msg.message != CommandMessage) return;
    handled = true;
    command->Click();
  };
  testing::AnswerMessageBox(Driver(), "Overwrite previously saved default Script formats?", mrYes, PromptTable(6));
  std::string said;
  std::string caption;
  Driver().Expect(
      [&](TForm& box) {
        said = testing::MessageBoxText(box);
        caption = box.Caption();
        box.ModalResult = mrOk;
      },
      "the failure, said");
  Application->Post(TMsg{NullWindow, CommandMessage, 0, 0, 0, {}});
  for (int i = 0; i < 10 && Driver().Pending() > 0; ++i) Application->HandleMessage();
  Application->OnMessage = nullptr;
  SetReadOnly(SettingsFilePath(), false);

  EXPECT_EQ(Driver().Pending(), 0);
  EXPECT_EQ(said.rfind("Unable to write to ", 0), 0u) << said;
  EXPECT_NE(said.find("QUILLPAD.INI"), std::string::npos) << said;
  EXPECT_EQ(caption, Application->Title());
  EXPECT_FALSE(Application->Terminated());
  EXPECT_EQ(DocumentCount, documents);
  EXPECT_EQ(testing::ElementsOf(w), before);
  EXPECT_NE(w.DocumentModified, 0) << "the script keeps its changes";
  TypeText(" More.");
  EXPECT_NE(w.EditBuffer().find("More."), std::string::npos) << "the script takes keys again";
}

}  // namespace
}  // namespace qm
