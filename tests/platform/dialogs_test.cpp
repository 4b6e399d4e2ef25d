#include "platform/dialogs.h"

#include <gtest/gtest.h>

#include "platform/input.h"
#include "support/platform_fixture.h"

namespace qm {
namespace {

using FileDialogTest = testing::PlatformFixture;

// The writer types into the name field the dialog opens on and presses a key.
TEST_F(FileDialogTest, TheNameTypedIntoTheOpeningFieldIsTheChosenFile) {
  const struct {
    const char* what;
    bool saving;
    std::string title, typed;
    Word key;
    bool chosen;
    std::string fileName, caption, okCaption;
  } cases[] = {
      {"open a name without extension", false, "", "scene", VK_RETURN, true, "/scripts/scene.QMW", "Open", "&Open"},
      {"save under a title", true, "Save User Defined Format", "F.DEF", VK_RETURN, true, "/scripts/F.DEF",
       "Save User Defined Format", "&Save"},
      {"a path of its own", true, "", "/elsewhere/b", VK_RETURN, true, "/elsewhere/b.QMW", "Save As", "&Save"},
      {"escape", false, "", "scene", VK_ESCAPE, false, "/old/OLD.QMW", "Open", "&Open"},
      {"no name", false, "", "", VK_RETURN, false, "/old/OLD.QMW", "Open", "&Open"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TFileDialog dialog(nullptr, c.saving);
    dialog.Title = c.title;
    dialog.InitialDir = "/scripts";
    dialog.DefaultExt = "QMW";
    dialog.Filter = "Scripts|*.QMW|All files|*.*";
    dialog.FileName = "/old/OLD.QMW";
    Driver().Expect([&](TForm& form) {
      EXPECT_EQ(form.Caption(), c.caption);
      EXPECT_EQ(dialog.OkBtn->Caption(), c.okCaption);
      EXPECT_EQ(form.FocusedControl(), dialog.FileNameEdit);
      EXPECT_EQ(dialog.FileNameEdit->Text(), "OLD.QMW");
      dialog.FileNameEdit->Clear();
      TypeText(c.typed);
      SendKey(c.key);
    });
    EXPECT_EQ(dialog.Execute(), c.chosen);
    EXPECT_EQ(dialog.FileName, c.fileName);
  }
}

}  // namespace
}  // namespace qm
