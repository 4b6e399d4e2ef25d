// The rich-text edit: typed text takes the look in front of it, styles
// turn on and off over the selection, and Tab still moves on.
#include "platform/rich_edit.h"

#include <gtest/gtest.h>

#include "platform/forms.h"
#include "support/platform_fixture.h"

namespace qm {
namespace {

class RichEditTest : public testing::PlatformFixture {
 protected:
  void SetUp() override {
    testing::PlatformFixture::SetUp();
    form = std::make_unique<TForm>(nullptr);
    form->SetBounds(0, 0, 300, 200);
    edit = MakeControl<TRichEdit>(form.get(), form.get(), "Edit", 10, 10, 200, 100);
    after = MakeControl<TEdit>(form.get(), form.get(), "After", 10, 120, 100, 20);
    after->TabOrder = 1;
    form->Show();
    edit->SetFocus();
  }
  void TearDown() override {
    form.reset();
    testing::PlatformFixture::TearDown();
  }
  void Type(const std::string& text) {
    for (char c : text) edit->DoKeyPress(c);
  }
  std::string Styles() const {
    std::string s;
    for (const TTextAttributes& a : edit->Attributes()) s += static_cast<char>('0' + a.Style);
    return s;
  }
  std::unique_ptr<TForm> form;
  TRichEdit* edit = nullptr;
  TEdit* after = nullptr;
};

TEST_F(RichEditTest, LineBreaksOfAnyKindBecomeOneCharacter) {
  const struct {
    std::string given, kept;
  } cases[] = {{"a\r\nb", "a\nb"}, {"a\rb", "a\nb"}, {"a\nb", "a\nb"}, {"a\r\n\r\nb", "a\n\nb"}};
  for (const auto& c : cases) {
    edit->SetText(c.given);
    EXPECT_EQ(edit->Text(), c.kept);
    EXPECT_EQ(edit->Attributes().size(), c.kept.size());
  }
}

TEST_F(RichEditTest, StylesToggleOverTheSelectionAndTypingTakesTheLookBefore) {
  int changes = 0;
  edit->OnChange = [&](TObject*) { ++changes; };
  edit->SetText("one two");
  edit->SetSelection(4, 3);
  edit->ToggleSelStyle(fsBold);
  EXPECT_EQ(Styles(), "0000111");
  edit->SetSelection(2, 4);
  edit->ToggleSelStyle(fsBold);
  EXPECT_EQ(Styles(), "0011111") << "not all of it was bold: all of it becomes bold";
  edit->ToggleSelStyle(fsBold);
  EXPECT_EQ(Styles(), "0000001") << "all of it was bold: the style goes";
  edit->SetSelection(7, 0);
  Type("s\r!");
  EXPECT_EQ(edit->Text(), "one twos\n!");
  EXPECT_EQ(Styles(), "0000001111");
  char back = VK_BACK;
  edit->DoKeyPress(back);
  Word del = VK_DELETE;
  edit->SetSelection(0, 0);
  edit->DoKeyDown(del, {});
  EXPECT_EQ(edit->Text(), "ne twos\n");
  edit->SetSelection(0, 2);
  edit->SetSelAttributes({fsItalic, static_cast<TColor>(0x808080)});
  EXPECT_EQ(edit->Attributes()[1], (TTextAttributes{fsItalic, static_cast<TColor>(0x808080)}));
  EXPECT_EQ(edit->Attributes()[2], TTextAttributes{});
  EXPECT_GE(changes, 8);
}

TEST_F(RichEditTest, AReadOnlyEditTakesNoTypingAndTabMovesOn) {
  edit->SetText("fixed");
  edit->SetReadOnly(true);
  edit->SetSelection(5, 0);
  Type("x");
  EXPECT_EQ(edit->Text(), "fixed");
  Word tab = VK_TAB;
  edit->DoKeyDown(tab, {});
  EXPECT_TRUE(after->Focused());
}

}  // namespace
}  // namespace qm
