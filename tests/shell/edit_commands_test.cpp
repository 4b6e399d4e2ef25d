// The Edit menu's block and clipboard commands on the running program:
// their captions and keys, enabled only while they can act, and what each
// does to the script and the clipboard.
#include <gtest/gtest.h>

#include "base/document_table.h"
#include "files/clipboard_paste.h"
#include "files/native_clipboard.h"
#include "platform/clipboard.h"
#include "platform/input.h"
#include "script/script_window.h"
#include "shell/main_form.h"
#include "support/message_box_answers.h"
#include "support/program_fixture.h"
#include "support/script_builder.h"
#include "script/model/edit_line_writer.h"

namespace qm {
namespace {

using testing::ElementSpec;

class EditCommandsTest : public testing::ProgramFixture {
 protected:
  // Types the text and selects all of it.
  void TypeAndSelect(const std::string& text) {
    Script().SetFocus();
    TypeText(text);
    Script().CurrentElement()->blockStart = 0;
    Script().CurrentElement()->blockEnd = static_cast<int>(Script().EditBuffer().size());
    EditFields(Script()).BlockOn = 1;
    MainForm->UpdateMenusAndButtons();
  }
};

TEST_F(EditCommandsTest, CommandsHaveTheirCaptionsAndKeys) {
  struct Case {
    TMenuItem* item;
    const char* caption;
    TShortCut key;
  } cases[] = {
      {MainForm->MenuItem("CutItem"), "Cu&t", ShortCut(VK_DELETE, ssShift)},
      {MainForm->MenuItem("CopyItem"), "&Copy", ShortCut(VK_INSERT, ssCtrl)},
      {MainForm->MenuItem("DeleteItem"), "&Delete", 0},
      {MainForm->MenuItem("PasteItem"), "&Paste", ShortCut(VK_INSERT, ssShift)},
  };
  for (const auto& c : cases) {
    ASSERT_NE(c.item, nullptr);
    EXPECT_EQ(c.item->Caption(), c.caption);
    EXPECT_EQ(c.item->ShortCut(), c.key);
    EXPECT_EQ(c.item->Parent(), MainForm->EditMenu);
  }
}

TEST_F(EditCommandsTest, CommandsAreEnabledOnlyWhileTheyCanAct) {
  Clipboard()->Open();
  Clipboard()->Clear();
  Clipboard()->Close();
  MainForm->UpdateMenusAndButtons();
  for (TMenuItem* item : {MainForm->MenuItem("CutItem"), MainForm->MenuItem("CopyItem"),
                          MainForm->MenuItem("DeleteItem"), MainForm->MenuItem("PasteItem")})
    EXPECT_FALSE(item->Enabled()) << item->Caption();
  TypeAndSelect("Words");
  EXPECT_TRUE(MainForm->MenuItem("CutItem")->Enabled());
  EXPECT_TRUE(MainForm->MenuItem("CopyItem")->Enabled());
  EXPECT_TRUE(MainForm->MenuItem("DeleteItem")->Enabled());
  EXPECT_FALSE(MainForm->MenuItem("PasteItem")->Enabled()) << "the clipboard is empty";
  MainForm->MenuItem("CopyItem")->Click();
  MainForm->UpdateMenusAndButtons();  // as the idle pass after the command does
  EXPECT_TRUE(MainForm->MenuItem("PasteItem")->Enabled());
  EXPECT_FALSE(MainForm->MenuItem("CopyItem")->Enabled()) << "the copy ended the block";
}

TEST_F(EditCommandsTest, CutDeleteAndPasteChangeTheScriptAndTheClipboard) {
  TypeAndSelect("Cut me");
  MainForm->MenuItem("CutItem")->Click();
  EXPECT_EQ(Clipboard()->AsText(), "Cut me\r\n");
  EXPECT_TRUE(Script().DocumentModified);
  EXPECT_EQ(testing::ElementsOf(Script()), (std::vector<ElementSpec>{{ekAction, ""}}))
      << "an emptied element leaves an empty edit line";

  TypeAndSelect("Delete me");
  MainForm->MenuItem("DeleteItem")->Click();
  EXPECT_EQ(Clipboard()->AsText(), "Cut me\r\n") << "Delete leaves the clipboard alone";

  MainForm->MenuItem("PasteItem")->Click();
  Script().Assemble();
  EXPECT_EQ(testing::ElementsOf(Script()), (std::vector<ElementSpec>{{ekAction, "Cut me"}}));
}

// The clipboard's plain text is the script's own characters: text copied
// from the program and pasted back as plain text (another program kept
// only the text) comes back as it was, even where its bytes also read as
// UTF-8.
TEST_F(EditCommandsTest, OwnPlainTextPastesBackUnchanged) {
  const std::string cases[] = {
      "The Caf\xC3\xA9 sign",
      "The Caf\xC3\xA9 sign swings over the door of the harbour inn in the wind.",
  };
  for (const std::string& text : cases) {
    SCOPED_TRACE(text);
    MainForm->FileNewItem->Click();
    TypeAndSelect(text);
    MainForm->MenuItem("CopyItem")->Click();
    const std::string plain = Clipboard()->AsText();
    ASSERT_EQ(plain, text + "\r\n");
    Clipboard()->SetAsText(plain);
    MainForm->FileNewItem->Click();
    Script().SetFocus();
    MainForm->UpdateMenusAndButtons();
    if (plain.size() > TypedPasteLimit) testing::AcceptPasteAs(Driver());
    MainForm->MenuItem("PasteItem")->Click();
    Script().Assemble();
    const std::vector<ElementSpec> elements = testing::ElementsOf(Script());
    ASSERT_FALSE(elements.empty());
    EXPECT_EQ(elements.back().text, text);
  }
}

}  // namespace
}  // namespace qm
