// The "Header Setup" dialog driven with scripted answers.
#include <gtest/gtest.h>

#include "formats/drafts_fixture.h"
#include "platform/dialog_builder.h"
#include "formats/header_codes.h"
#include "formats/header_setup.h"
#include "formats/header_setup_dialog.h"
#include "script/model/text_codes.h"

namespace qm::testing {
namespace {

class HeaderSetupTest : public DraftsFixture {
 protected:
  void SetUp() override {
    DraftsFixture::SetUp();
    Start({{ekSceneHeading, "INT. ONE - DAY"}, ActionLines(45), ActionLines(45)});
  }
  void Answer(std::function<void(THeaderSetupDlg&)> change, TModalResult result = mrOk) {
    Driver().Expect([change, result](TForm& form) {
      change(dynamic_cast<THeaderSetupDlg&>(form));
      form.ModalResult = result;
    });
  }
  static void Click(THeaderSetupDlg& d, const char* button) { DialogControl<TControl>(d, button)->Click(); }
};

TEST_F(HeaderSetupTest, ShowsAndStoresTheHeaderSettings) {
  Window().HeaderLine1 = "BLUE";
  Window().ActDisplayStyle = 3;
  Window().HeaderDateForm = 2;
  Answer([](THeaderSetupDlg& d) {
    EXPECT_EQ(d.Caption(), "Header Setup");
    EXPECT_EQ(d.Line1Edit->Text(), "BLUE");
    EXPECT_EQ(d.BlankLinesEdit->Text(), "1");
    EXPECT_EQ(d.ActStyleGroup->ItemIndex(), 2);
    EXPECT_EQ(d.ActStyleGroup->Items[4], "&5. Roman Numerals");
    EXPECT_EQ(d.SceneStyleGroup->Items[0], "&6. Numbers");
    EXPECT_EQ(d.SceneStyleGroup->Items[4], "1&0. Roman Numerals");
    EXPECT_EQ(d.DateFormGroup->ItemIndex(), 2);
    EXPECT_EQ(d.HeaderPagesGroup->ItemIndex(), 0);
    d.Line2Edit->Text = std::string("Sc. ");
    d.BlankLinesEdit->Text = std::string("3");
    d.ActStyleGroup->SetItemIndex(4);
    d.SceneStyleGroup->SetItemIndex(1);
    d.DateFormGroup->SetItemIndex(1);
    d.HeaderPagesGroup->SetItemIndex(2);
  });
  ASSERT_TRUE(HeaderSetup(Window()));
  EXPECT_EQ(Window().HeaderLine1, "BLUE");
  EXPECT_EQ(Window().HeaderLine2, "Sc. ");
  EXPECT_EQ(Window().HeaderBlankLines, 3);
  EXPECT_EQ(Window().ActDisplayStyle, 5);
  EXPECT_EQ(Window().SceneInfoDisplayStyle, 2);
  EXPECT_EQ(Window().HeaderDateForm, 1);
  EXPECT_EQ(Window().HeaderPages, 2);
}

TEST_F(HeaderSetupTest, CodeButtonsWriteIntoTheLineLastFocused) {
  Answer([](THeaderSetupDlg& d) {
    d.Line2Edit->SetFocus();
    d.Line2Edit->Text = std::string("Page ");
    d.Line2Edit->SelStart = 5;
    Click(d, "PageNumberBtn");
    Click(d, "FlushRightBtn");
    Click(d, "RevColorBtn");
    d.Line1Edit->SetFocus();
    d.Line1Edit->Text = std::string("DRAFT");
    d.Line1Edit->SelStart = 0;
    d.Line1Edit->SelLength = 5;
    Click(d, "BoldBtn");
  });
  ASSERT_TRUE(HeaderSetup(Window()));
  EXPECT_EQ(Window().HeaderLine2, std::string("Page ") + char(header_code::PageNumber) + char(header_code::FlushRight) +
                                      char(header_code::RevisionColor));
  EXPECT_EQ(Window().HeaderLine1, std::string(1, char(BoldOn)) + "DRAFT" + char(BoldOff));
}

TEST_F(HeaderSetupTest, BadBlankLinesAreRefusedAndCancelKeepsAll) {
  const TScriptSettings before = Window();
  Answer([](THeaderSetupDlg& d) {
    d.Line1Edit->Text = std::string("CHANGED");
    d.BlankLinesEdit->Text = std::string("12");
  });
  std::string message;
  Press(mrOk, &message);
  Answer([](THeaderSetupDlg&) {}, mrCancel);
  EXPECT_FALSE(HeaderSetup(Window()));
  EXPECT_EQ(message, "The Blank Lines Following Header must be a number from 0 to 9.");
  EXPECT_TRUE(static_cast<const TScriptSettings&>(Window()) == before);
  EXPECT_EQ(Driver().Pending(), 0);
}

TEST_F(HeaderSetupTest, MoreHeaderLinesLeaveLessRoomOnEachPage) {
  const std::size_t pages = Pages().size();
  Answer([](THeaderSetupDlg& d) {
    d.Line1Edit->Text = std::string("ONE");
    d.Line2Edit->Text = std::string("TWO");
    d.BlankLinesEdit->Text = std::string("9");
  });
  ASSERT_TRUE(HeaderSetup(Window()));
  EXPECT_GT(Pages().size(), pages);
}

}  // namespace
}  // namespace qm::testing
