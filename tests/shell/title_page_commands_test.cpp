// "Title Page P&ublisher..." and the TP button open the publisher on the
// active script.
#include <gtest/gtest.h>

#include "formats/title_page.h"
#include "formats/title_page_dialog.h"
#include "platform/menus.h"
#include "platform/office_button.h"
#include "script/fixtures/keys_fixture.h"
#include "script/script_window.h"
#include "shell/main_form.h"
#include "shell/tool_bar.h"

namespace qm {
namespace {

class TitlePageCommandsTest : public testing::KeysFixture {};

TEST_F(TitlePageCommandsTest, TheItemAndTheButtonOpenThePublisher) {
  Load({{ekAction, "Rain."}});
  const struct {
    const char* how;
    std::function<void()> open;
    const char* title;
  } cases[] = {
      {"menu item", [] { MainForm->MenuItem("TitlePagePublishItem")->Click(); }, "FROM THE MENU"},
      {"tool button", [] { MainForm->ToolBar().Button("TitlePubBtn")->Click(); }, "FROM THE BUTTON"},
  };
  ASSERT_TRUE(MainForm->MenuItem("TitlePagePublishItem")->Enabled);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.how);
    const std::string title = c.title;
    Driver().Expect([title](TForm& form) {
      auto& dialog = dynamic_cast<TTitlePageDlg&>(form);
      dialog.TextMemo->Lines.SetText(title);
      form.ModalResult = mrOk;
    });
    c.open();
    EXPECT_EQ(TitlePageOf(W())[0].Text, title);
    EXPECT_EQ(Driver().Pending(), 0);
  }
}

}  // namespace
}  // namespace qm
