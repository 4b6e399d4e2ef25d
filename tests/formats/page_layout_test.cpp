// The "Setup Page Layout" dialog driven with scripted answers.
#include <gtest/gtest.h>

#include "formats/drafts_fixture.h"
#include "formats/page_layout.h"
#include "formats/page_layout_dialog.h"

namespace qm::testing {
namespace {

class PageLayoutTest : public DraftsFixture {
 protected:
  void SetUp() override {
    DraftsFixture::SetUp();
    Start({{ekSceneHeading, "INT. ONE - DAY"}, ActionLines(45), ActionLines(45)});
  }
  void Answer(std::function<void(TPageLayoutDlg&)> change, TModalResult result = mrOk) {
    Driver().Expect([change, result](TForm& form) {
      change(dynamic_cast<TPageLayoutDlg&>(form));
      form.ModalResult = result;
    });
  }
  bool Run(bool* defaults = nullptr) {
    bool saveAsDefaults = false;
    const bool ok = PageLayout(Window(), saveAsDefaults);
    if (defaults) *defaults = saveAsDefaults;
    return ok;
  }
};

TEST_F(PageLayoutTest, ShowsAndStoresTheLayout) {
  const std::size_t pages = Pages().size();
  Answer([](TPageLayoutDlg& d) {
    EXPECT_EQ(d.Caption(), "Setup Page Layout");
    EXPECT_EQ(d.TopEdit->Text(), "1.0");
    EXPECT_EQ(d.TextSpacingEdit->Text(), "100");
    d.TopEdit->Text = std::string("2.5");
    d.BottomEdit->Text = std::string("2");
    d.BindingEdit->Text = std::string("0.5");
    d.TextSpacingEdit->Text = std::string("110");
    d.BlankSpacingEdit->Text = std::string("90");
    d.FontPercentEdit->Text = std::string("95");
    d.StretchBox->SetChecked(true);
    d.StretchMinEdit->Text = std::string("40");
    d.StretchMaxEdit->Text = std::string("55");
    d.SaveDefaultsBox->SetChecked(true);
  });
  bool defaults = false;
  ASSERT_TRUE(Run(&defaults));
  const TMDIChild& s = Window();
  EXPECT_EQ(s.TopMargin, 25);
  EXPECT_EQ(s.BottomMargin, 20);
  EXPECT_EQ(s.BindingMargin, 5);
  EXPECT_EQ(s.TextSpacing, 110);
  EXPECT_EQ(s.BlankSpacing, 90);
  EXPECT_EQ(s.FontPercent, 95);
  EXPECT_EQ(s.StretchShortPages, 1);
  EXPECT_EQ(s.StretchMinLines, 40);
  EXPECT_EQ(s.StretchMaxLines, 55);
  EXPECT_TRUE(defaults);
  EXPECT_GT(Pages().size(), pages) << "bigger margins and wider lines leave less room";
}

TEST_F(PageLayoutTest, ValuesOutsideTheirLimitsAreRefused) {
  struct Case {
    TEdit* TPageLayoutDlg::*edit;
    const char* typed;
    const char* message;
  } const cases[] = {
      {&TPageLayoutDlg::TopEdit, "4", "The top margin must be a number from 0 to 3."},
      {&TPageLayoutDlg::BottomEdit, "-1", "The bottom margin must be a number from 0 to 3."},
      {&TPageLayoutDlg::TextSpacingEdit, "300", "The text line spacing must be a number from 50 to 200."},
      {&TPageLayoutDlg::FontPercentEdit, "9x", "The script font size must be a number from 50 to 200."},
      {&TPageLayoutDlg::StretchMaxEdit, "10", "The minimum lines on a page must not be more than the maximum."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    const TScriptSettings before = Window();
    Answer([&c](TPageLayoutDlg& d) {
      d.StretchBox->SetChecked(true);
      d.StretchMinEdit->Text = std::string("20");
      (d.*c.edit)->Text = std::string(c.typed);
    });
    std::string message;
    Press(mrOk, &message);
    Answer([](TPageLayoutDlg&) {}, mrCancel);
    EXPECT_FALSE(Run());
    EXPECT_EQ(message, c.message);
    EXPECT_TRUE(static_cast<const TScriptSettings&>(Window()) == before);
    EXPECT_EQ(Driver().Pending(), 0);
  }
}

}  // namespace
}  // namespace qm::testing
