// The flat tool button: its groups, its bevel as the mouse comes and goes,
// its hint from the caption, and the grey look of its picture.
#include <gtest/gtest.h>

#include "platform/forms.h"
#include "platform/office_button.h"
#include "support/platform_fixture.h"

namespace qm {
namespace {

class OfficeButtonTest : public testing::PlatformFixture {
 protected:
  void SetUp() override {
    PlatformFixture::SetUp();
    form = std::make_unique<TForm>(nullptr);
    form->SetBounds(0, 0, 300, 100);
  }
  void TearDown() override {
    form.reset();
    PlatformFixture::TearDown();
  }
  TOfficeButton* Button(int group, int left) {
    auto* b = MakeControl<TOfficeButton>(form.get(), form.get(), "", left, 0, 24, 24);
    b->GroupIndex = group;
    b->OnClick = [this](TObject*) { ++clicks; };
    return b;
  }
  static void ClickWithMouse(TOfficeButton* b) {
    b->MouseDown(TMouseButton::mbLeft, {}, 5, 5);
    b->MouseUp(TMouseButton::mbLeft, {}, 5, 5);
  }
  std::unique_ptr<TForm> form;
  int clicks = 0;
};

TEST_F(OfficeButtonTest, AnUngroupedButtonNeverStaysDown) {
  TOfficeButton* b = Button(0, 0);
  b->SetDown(true);
  EXPECT_FALSE(b->Down());
  ClickWithMouse(b);
  EXPECT_FALSE(b->Down());
  EXPECT_EQ(clicks, 1);
}

TEST_F(OfficeButtonTest, AGroupBehavesAsRadioButtonsAndTheDownOneStaysDownUnlessAllMayBeUp) {
  TOfficeButton* a = Button(1, 0);
  TOfficeButton* b = Button(1, 30);
  TOfficeButton* other = Button(2, 60);
  other->SetDown(true);
  ClickWithMouse(a);
  EXPECT_TRUE(a->Down());
  ClickWithMouse(b);
  EXPECT_TRUE(b->Down());
  EXPECT_FALSE(a->Down()) << "one of a group is down";
  EXPECT_TRUE(other->Down()) << "another group is left alone";
  ClickWithMouse(b);
  EXPECT_TRUE(b->Down()) << "without AllowAllUp the down one stays down";
  EXPECT_EQ(clicks, 3) << "and still fires its click";
  b->AllowAllUp = true;
  ClickWithMouse(b);
  EXPECT_FALSE(b->Down());
}

TEST_F(OfficeButtonTest, AReleaseOutsideTheButtonIsNoClick) {
  TOfficeButton* a = Button(1, 0);
  a->MouseDown(TMouseButton::mbLeft, {}, 5, 5);
  a->MouseUp(TMouseButton::mbLeft, {}, 50, 5);
  EXPECT_FALSE(a->Down());
  EXPECT_EQ(clicks, 0);
}

TEST_F(OfficeButtonTest, TheBevelFollowsTheMouseAndDisablingResetsIt) {
  TOfficeButton* b = Button(0, 0);
  int entered = 0, left = 0;
  b->OnMouseEnter = [&](TObject*) { ++entered; };
  b->OnMouseLeave = [&](TObject*) { ++left; };
  b->MouseMove({}, 5, 5);
  EXPECT_TRUE(b->BevelShown());
  b->MouseMove({}, 40, 5);
  EXPECT_FALSE(b->BevelShown());
  EXPECT_EQ(entered, 1);
  EXPECT_EQ(left, 1);
  b->MouseDown(TMouseButton::mbLeft, {}, 5, 5);
  b->SetEnabled(false);
  EXPECT_FALSE(b->Pressed());
  EXPECT_FALSE(b->BevelShown());
  b->AlwaysBeveled = true;
  b->SetEnabled(true);
  EXPECT_TRUE(b->BevelShown());
}

TEST_F(OfficeButtonTest, IconOnlyShowsTheCaptionAsTheHint) {
  TOfficeButton* b = Button(0, 0);
  b->Caption = "&Save";
  b->SetOptions(b->Options() | boIconOnly);
  EXPECT_EQ(b->Hint(), "Save");
  EXPECT_TRUE(b->ShowHint);
  b->SetOptions(b->Options() & ~boIconOnly);
  EXPECT_EQ(b->Hint(), "");
  b->Hint = "Kept";
  b->SetOptions(b->Options() | boIconOnly);
  EXPECT_EQ(b->Hint(), "Kept") << "a hint of its own stays";
}

TEST_F(OfficeButtonTest, TheGreyPictureFollowsTheShading) {
  using S = TExplorerButtonShadingType;
  const struct {
    Byte level;
    S shading;
    TColor grey;
  } cases[] = {
      {128, S::stLight, clWhite},         {128, S::stMedium, clBtnHighlight}, {128, S::stDark, clWhite},
      {64, S::stLight, clBtnHighlight},   {64, S::stMedium, clBtnShadow},     {64, S::stDark, clBtnShadow},
      {255, S::stLight, clWhite},         {255, S::stMedium, clWhite},        {255, S::stDark, clWhite},
      {0, S::stMedium, clBlack},
  };
  for (const auto& c : cases)
    EXPECT_EQ(GreyPixel(c.level, c.level, c.level, c.shading), c.grey) << int(c.level) << " " << int(c.shading);
}

}  // namespace
}  // namespace qm
