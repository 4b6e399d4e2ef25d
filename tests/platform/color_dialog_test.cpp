// The colour dialog's own form: it opens on the colour, the parts typed
// make the colour chosen, and Cancel or a bad part keep the colour.
#include "platform/color_dialog.h"

#include <gtest/gtest.h>

#include "platform/headless/headless_backend.h"
#include "support/platform_fixture.h"

namespace qm {
namespace {

using ColorDialogTest = testing::PlatformFixture;

TEST_F(ColorDialogTest, ThePartsTypedBecomeTheColourAndCancelKeepsIt) {
  const struct {
    const char* what;
    std::string red, green, blue;
    bool ok;
    bool chosen;
    TColor color;
  } cases[] = {
      {"OK with new parts", "10", "200", "30", true, true, RGB(10, 200, 30)},
      {"OK with the parts shown", "", "", "", true, true, RGB(1, 2, 3)},
      {"Cancel after typing", "255", "255", "255", false, false, RGB(1, 2, 3)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TColorDialog dialog(nullptr);
    dialog.Color = RGB(1, 2, 3);
    Driver().Expect([&](TForm& form) {
      ASSERT_EQ(&form, &dialog);
      EXPECT_EQ(dialog.RedEdit->Text(), "1");
      EXPECT_EQ(dialog.GreenEdit->Text(), "2");
      EXPECT_EQ(dialog.BlueEdit->Text(), "3");
      if (!c.red.empty()) {
        dialog.RedEdit->Text = c.red;
        dialog.GreenEdit->Text = c.green;
        dialog.BlueEdit->Text = c.blue;
      }
      (c.ok ? dialog.OKBtn : dialog.CancelBtn)->Click();
    });
    EXPECT_EQ(dialog.Execute(), c.chosen);
    EXPECT_EQ(dialog.Color, c.color);
    EXPECT_EQ(Driver().Pending(), 0);
  }
}

TEST_F(ColorDialogTest, APartThatIsNoByteIsRefusedAndTheDialogStaysOpen) {
  for (const char* bad : {"256", "-1", "", "12x"}) {
    SCOPED_TRACE(bad);
    TColorDialog dialog(nullptr);
    dialog.Color = RGB(5, 6, 7);
    Driver().Expect([&](TForm&) {
      dialog.GreenEdit->Text = std::string(bad);
      std::string refusal;
      Driver().Expect([&refusal](TForm& box) {
        refusal = FormMessage(box);
        box.ModalResult = mrOk;
      });
      dialog.OKBtn->Click();
      EXPECT_NE(refusal.find("A colour part must be a number from 0 to 255."), std::string::npos);
      EXPECT_EQ(dialog.ModalResult, mrNone) << "the dialog stays open";
      dialog.CancelBtn->Click();
    });
    EXPECT_FALSE(dialog.Execute());
    EXPECT_EQ(dialog.Color, RGB(5, 6, 7));
  }
}

}  // namespace
}  // namespace qm
