// The block copied or cut into another script. The clipboard commands
// themselves stand in here as a remembered text, so that what this
// command does with them is seen on its own.
#include <gtest/gtest.h>

#include "base/document_table.h"
#include "base/ini_file.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "script/editing/document_modified.h"
#include "script/fixtures/keys_fixture.h"
#include "shell/main_form.h"
#include "script/model/edit_line_writer.h"

namespace qm {
namespace {

using testing::ElementSpec;

class CutCopyToTest : public testing::KeysFixture {
 protected:
  void SetUp() override {
    KeysFixture::SetUp();
    MainForm->MenuItem("CopyItem")->OnClick = [this](TObject*) {
      ++copies;
      clip = BlockText();
    };
    MainForm->MenuItem("CutItem")->OnClick = [this](TObject*) {
      ++cuts;
      clip = BlockText();
      EditFields(W()).EditBuffer.erase(static_cast<std::size_t>(W().CurrentElement()->blockStart), clip.size());
    };
    MainForm->MenuItem("PasteItem")->OnClick = [this](TObject*) {
      TMDIChild& target = *ActiveScript();
      EditFields(target).EditBuffer.insert(target.CaretColumn(), clip);
      SetDocumentModified(true, true);
    };
  }
  std::string BlockText() {
    const TScriptElement& e = *W().CurrentElement();
    return W().EditBuffer().substr(static_cast<std::size_t>(e.blockStart),
                                   static_cast<std::size_t>(e.blockEnd - e.blockStart));
  }
  void LoadWithBlock(const std::string& title) {
    W().SetScriptCaption(title);
    Load({{ekAction, "Keep this. Move this."}}, 0, 0);
    EditFields(W()).BlockOn = 1;
    W().CurrentElement()->blockStart = 11;
    W().CurrentElement()->blockEnd = 21;
  }
  void Send(const char* item) { MainForm->MenuItem(item)->Click(); }
  std::string TextOf(TMDIChild& script) {
    script.Assemble();
    std::string text;
    for (const ElementSpec& e : testing::ElementsOf(script)) text += e.text;
    return text;
  }
  std::string clip;
  int copies = 0, cuts = 0;
};

TEST_F(CutCopyToTest, TheScrapFileIsNamedAfterTheScriptInItsFolder) {
  EXPECT_EQ(ScrapFileName("/work/scripts/MyFilm.qmw"), "/work/scripts/MYFILM - Scrap.QMW");
  EXPECT_EQ(ScrapFileName("/work/scripts/Two Words  .x.QMW"), "/work/scripts/TWO WORDS  .X - Scrap.QMW");
}

TEST_F(CutCopyToTest, WithoutABlockNothingHappens) {
  Load({{ekAction, "No block."}}, 0, 0);
  for (const char* item : {"CopyToItem", "CopyToScrapItem", "CutToExistingFileItem"}) Send(item);
  EXPECT_EQ(copies + cuts, 0);
  EXPECT_EQ(DocumentCount, 1);
}

TEST_F(CutCopyToTest, CopiesToTheScrapFileAreAppendedToTheOneScrapScript) {
  LoadWithBlock(ScriptDirectory + "/MyFilm.QMW");
  TMDIChild* source = &W();
  Send("CopyToScrapItem");
  ASSERT_EQ(DocumentCount, 2);
  EXPECT_EQ(ActiveScript(), source) << "the writer stays in the script";
  Send("CopyToScrapItem");
  ASSERT_EQ(DocumentCount, 2) << "the open scrap script takes the second block too";
  TMDIChild& scrap = *Documents[2];
  EXPECT_EQ(scrap.ScriptFileName, ScriptDirectory + "/MYFILM - Scrap.QMW");
  EXPECT_EQ(TextOf(scrap), "Move this.Move this.") << ::testing::PrintToString(testing::ElementsOf(scrap));
  EXPECT_EQ(TextOf(*source), "Keep this. Move this.");
}

// Saved or not, the new script is closed; the cut text stays on the
// clipboard (and Undo brings it back into its script).
TEST_F(CutCopyToTest, ACutToANewScriptThatIsNotSavedClosesTheNewScript) {
  LoadWithBlock(ScriptDirectory + "/MyFilm.QMW");
  TMDIChild* source = &W();
  Driver().Expect([](TForm& form) { form.ModalResult = mrCancel; }, "cancel Save As");
  Send("CutToItem");
  EXPECT_EQ(cuts, 1);
  EXPECT_EQ(DocumentCount, 1);
  EXPECT_EQ(ActiveScript(), source);
  EXPECT_EQ(clip, "Move this.");
}

TEST_F(CutCopyToTest, CancellingTheOpenDialogLeavesTheCopyOnTheClipboardOnly) {
  LoadWithBlock(ScriptDirectory + "/MyFilm.QMW");
  Driver().Expect([](TForm& form) { form.ModalResult = mrCancel; }, "cancel Open");
  Send("CopyToExistingFileItem");
  EXPECT_EQ(copies, 1);
  EXPECT_EQ(clip, "Move this.");
  EXPECT_EQ(DocumentCount, 1);
}

}  // namespace
}  // namespace qm
