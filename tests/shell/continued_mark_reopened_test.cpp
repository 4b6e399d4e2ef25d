// A name saved while the writer was still typing it is written as it
// stood, without its CONT'D; opened again, the mark comes as soon as the
// caret goes through its speech, whichever way it goes, and shows on
// screen and follows the name onto paper.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "base/document_table.h"
#include "base/ini_file.h"
#include "files/disk_utils.h"
#include "platform/input.h"
#include "platform/menus.h"
#include "script/fixtures/keys_fixture.h"
#include "script/layout/cue_extension.h"
#include "script/model/cue_codes.h"
#include "script/script_window.h"
#include "shell/documents.h"
#include "shell/main_form.h"
#include "support/message_box_answers.h"

namespace qm {
namespace {

using testing::ElementSpec;

class ContinuedMarkReopenedTest : public testing::KeysFixture {
 protected:
  void SetUp() override {
    KeysFixture::SetUp();
    Options().DisplayCharNameList = false;
    Driver().OnProblem = [](const std::string&) {};
  }

 public:
  using KeysFixture::Driver;
  using KeysFixture::Press;
  using KeysFixture::W;
  std::string Path() const { return ScriptDirectory + "/" + FileName(); }
  std::string FileName() const { return "SPEAKER" + std::to_string(trial_) + ".QMW"; }
  int trial_ = 0;
  // The second JOHN, or null.
  TScriptElement* SecondName() {
    int seen = 0;
    for (TScriptElement* e = W().FirstElement; e; e = e->next)
      if (e->Kind() == ekCharacterName && ++seen == 2) return e;
    return nullptr;
  }
};

TEST_F(ContinuedMarkReopenedTest, ANameSavedWhileTypedIsMarkedWhenTheCaretGoesThroughIt) {
  struct Save {
    const char* what;
    std::function<void(ContinuedMarkReopenedTest&)> save;  // the caret still in the name
  };
  const std::vector<Save> saves = {
      {"File > Save",
       [](ContinuedMarkReopenedTest& t) {
         MainForm->FileSaveItem->Click();
         t.W().DocumentModified = 0;
         MainForm->CloseFileItem->Click();
       }},
      {"the save question of Close",
       [](ContinuedMarkReopenedTest& t) {
         testing::AnswerMessageBox(t.Driver(), "Save " + ShownFileName(t.Path(), 30) + "?", mrYes);
         MainForm->CloseFileItem->Click();
       }},
  };
  struct Move {
    const char* what;
    std::function<void(ContinuedMarkReopenedTest&)> move;
  };
  const std::vector<Move> moves = {
      {"Down through the script",
       [](ContinuedMarkReopenedTest& t) {
         for (int i = 0; i < 8; ++i) t.Press(VK_DOWN);
       }},
      {"a letter typed in its Dialogue",
       [](ContinuedMarkReopenedTest& t) {
         for (int i = 0; i < 5; ++i) t.Press(VK_DOWN, TShiftState(ssCtrl));
         ASSERT_EQ(t.W().CurrentElement()->Kind(), ekDialogue);
         TypeText("x");
       }},
      {"Up from the end",
       [](ContinuedMarkReopenedTest& t) {
         for (int i = 0; i < 8; ++i) t.Press(VK_DOWN, TShiftState(ssCtrl));
         for (int i = 0; i < 3; ++i) t.Press(VK_UP);
       }},
  };
  for (const Save& save : saves)
    for (const Move& move : moves) {
      SCOPED_TRACE(std::string(save.what) + ", " + move.what);
      ++trial_;
      if (DocumentCount == 0) MainForm->FileNewItem->Click();
      Load({{ekSceneHeading, "INT. ROOM - DAY"},
            {ekCharacterName, "JOHN"},
            {ekDialogue, "Hi."},
            {ekAction, "He waits."},
            {ekCharacterName, ""},
            {ekDialogue, "Bye."}},
           4, 0);
      testing::ChooseFile(Driver(), Path());
      MainForm->FileSaveAsItem->Click();
      TypeText("john");
      ASSERT_EQ(W().CurrentElement(), SecondName()) << "the caret still in the name";
      save.save(*this);
      ASSERT_TRUE(OpenScriptByName(Path()));
      ASSERT_NE(SecondName(), nullptr);
      move.move(*this);
      TScriptElement* name = SecondName();
      EXPECT_EQ(CueContinuedState(name->split), 1);
      EXPECT_EQ(ShownLines(name), std::vector<std::string>{"JOHN (CONT'D)"});
      EXPECT_EQ(CharacterExtensionText(W(), *name), " (CONT'D)") << "what the page and the exports print";
      W().DocumentModified = 0;
      MainForm->CloseFileItem->Click();
    }
}

}  // namespace
}  // namespace qm
