// The page buttons and Goto Page under "Not Real-Time" pagination: the
// pages are made first, as the option's own question promises, and the
// caret lands on the page asked for, not at the script's end or start.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/controls.h"
#include "platform/input.h"
#include "platform/office_button.h"
#include "script/fixtures/keys_fixture.h"
#include "script/layout/screen_rebuild.h"
#include "script/model/element_kinds.h"
#include "script/script_window.h"
#include "shell/goto_page_dialog.h"
#include "shell/main_form.h"
#include "shell/right_panel.h"
#include "shell/status_line.h"

namespace qm {
namespace {

class PageButtonsUnpaginatedTest : public testing::KeysFixture {
 protected:
  // 150 one-line Actions typed under "Not Real-Time": no page made yet.
  void LoadUnpaginated(int current) {
    Options().NoAutoPagination = true;
    std::vector<testing::ElementSpec> elements;
    for (int i = 0; i < 150; ++i) elements.push_back({ekAction, "Action " + std::to_string(i) + "."});
    Load(elements, current, 0);
    W().RefreshLayout(TMDIChild::TLayoutRun::Background);
    RebuildScreen(&W());
    W().SetFocus();
    MainForm->StatusLine().UpdateStatusLine();
  }
  int Breaks() {
    int n = 0;
    for (const TScriptElement* e = W().FirstElement; e; e = e->next) n += IsPageBreakKind(e->Kind()) ? 1 : 0;
    return n;
  }
  // Which page the caret's element begins: 1 for the first.
  int CaretPage() {
    int page = 1;
    for (const TScriptElement* e = W().FirstElement; e && e != W().CurrentElement(); e = e->next)
      page += IsPageBreakKind(e->Kind()) ? 1 : 0;
    return page;
  }
  bool AtPageTop() {
    const TScriptElement* e = W().CurrentElement();
    return !e->prev || IsPageBreakKind(e->prev->Kind());
  }
  void ClickPage(bool down) {
    TRightPanel& panel = MainForm->RightPanel();
    ClickAt(*(down ? panel.PageDownBtn : panel.PageUpBtn), 3, 3);
  }
};

TEST_F(PageButtonsUnpaginatedTest, PageDownMakesThePagesAndGoesToTheNextOne) {
  LoadUnpaginated(0);
  ASSERT_EQ(Breaks(), 0) << "no page made yet";
  ASSERT_NE(MainForm->StatusLine().PagePanel->Caption().find("--"), std::string::npos);
  ASSERT_TRUE(MainForm->RightScrollByScreen);
  ClickPage(true);
  EXPECT_GT(Breaks(), 1) << "the pages were made";
  EXPECT_EQ(CaretPage(), 2);
  EXPECT_TRUE(AtPageTop());
  EXPECT_NE(W().CurrentElement()->next, nullptr) << "not the script's end";
  EXPECT_TRUE(Options().NoAutoPagination) << "the option stays as the writer set it";

  ClickPage(true);
  EXPECT_EQ(CaretPage(), 3);
  ClickPage(false);
  EXPECT_EQ(CaretPage(), 2);
  EXPECT_TRUE(AtPageTop());
}

TEST_F(PageButtonsUnpaginatedTest, PageUpFromTheEndMakesThePagesAndGoesToTheTopOfTheLastOne) {
  LoadUnpaginated(149);
  ASSERT_EQ(Breaks(), 0);
  ClickPage(false);
  ASSERT_GT(Breaks(), 1);
  int pages = 1;
  for (const TScriptElement* e = W().FirstElement; e; e = e->next) pages += IsPageBreakKind(e->Kind()) ? 1 : 0;
  EXPECT_EQ(CaretPage(), pages) << "the top of the caret's page, not the first page";
  EXPECT_TRUE(AtPageTop());
  ClickPage(false);
  EXPECT_EQ(CaretPage(), pages - 1);
}

TEST_F(PageButtonsUnpaginatedTest, GotoPageMakesThePagesAndGoesToThePageAsked) {
  const struct {
    const char* how;
    int from;
  } cases[] = {{"Ctrl+G", 0}, {"the page panel", 149}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.how);
    LoadUnpaginated(c.from);
    ASSERT_EQ(Breaks(), 0);
    int lastShown = 0;
    Driver().Expect(
        [this, &lastShown](TForm& form) {
          auto& dialog = dynamic_cast<TGotoPgDlg&>(form);
          lastShown = LastPageNumber(W());
          dialog.PageEdit->Text = "3";
          dialog.OKBtn->Click();
        },
        "go to page");
    if (c.from == 0) SendKey('G', TShiftState(ssCtrl));
    else MainForm->PagePanelClick(nullptr);
    EXPECT_GT(Breaks(), 2) << "the pages were made";
    EXPECT_EQ(lastShown, LastPageNumber(W())) << "the dialog knows every page";
    EXPECT_EQ(CaretPage(), 3);
    EXPECT_TRUE(AtPageTop());
    EXPECT_TRUE(Options().NoAutoPagination) << "the option stays as the writer set it";
  }
}

}  // namespace
}  // namespace qm
