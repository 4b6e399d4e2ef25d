// The flat tool buttons, windowed and window-less alike: their groups,
// their bevel as the mouse comes and goes, their hint from the caption,
// how each state is painted, and the grey look of their picture.
#include <gtest/gtest.h>

#include <optional>

#include "platform/forms.h"
#include "platform/menus.h"
#include "platform/office_button.h"
#include "platform/recording_canvas.h"
#include "support/platform_fixture.h"

namespace qm {
namespace {

template <class Button>
class FlatButtonTest : public testing::PlatformFixture {
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
  Button* Make(int group, int left) {
    auto* b = MakeControl<Button>(form.get(), form.get(), "", left, 0, 24, 24);
    b->GroupIndex = group;
    b->OnClick = [this](TObject*) { ++clicks; };
    return b;
  }
  static void ClickWithMouse(Button* b) {
    b->MouseDown(TMouseButton::mbLeft, {}, 5, 5);
    b->MouseUp(TMouseButton::mbLeft, {}, 5, 5);
  }
  std::unique_ptr<TForm> form;
  int clicks = 0;
};

using ButtonKinds = ::testing::Types<TOfficeButton, TExplorerButton>;
TYPED_TEST_SUITE(FlatButtonTest, ButtonKinds);

TYPED_TEST(FlatButtonTest, AnUngroupedButtonNeverStaysDown) {
  auto* b = this->Make(0, 0);
  b->SetDown(true);
  EXPECT_FALSE(b->Down());
  this->ClickWithMouse(b);
  EXPECT_FALSE(b->Down());
  EXPECT_EQ(this->clicks, 1);
}

TYPED_TEST(FlatButtonTest, AGroupBehavesAsRadioButtonsAndTheDownOneStaysDownUnlessAllMayBeUp) {
  auto* a = this->Make(1, 0);
  auto* b = this->Make(1, 30);
  auto* other = this->Make(2, 60);
  other->SetDown(true);
  this->ClickWithMouse(a);
  EXPECT_TRUE(a->Down());
  this->ClickWithMouse(b);
  EXPECT_TRUE(b->Down());
  EXPECT_FALSE(a->Down()) << "one of a group is down";
  EXPECT_TRUE(other->Down()) << "another group is left alone";
  this->ClickWithMouse(b);
  EXPECT_TRUE(b->Down()) << "without AllowAllUp the down one stays down";
  EXPECT_EQ(this->clicks, 3) << "and still fires its click";
  b->AllowAllUp = true;
  this->ClickWithMouse(b);
  EXPECT_FALSE(b->Down());
}

TYPED_TEST(FlatButtonTest, TheTwoKindsShareOneGroup) {
  auto* mine = this->Make(4, 0);
  auto* office = MakeControl<TOfficeButton>(this->form.get(), this->form.get(), "", 30, 0, 24, 24);
  auto* explorer = MakeControl<TExplorerButton>(this->form.get(), this->form.get(), "", 60, 0, 24, 24);
  office->GroupIndex = explorer->GroupIndex = 4;
  office->SetDown(true);
  mine->SetDown(true);
  EXPECT_FALSE(office->Down());
  explorer->SetDown(true);
  EXPECT_FALSE(mine->Down());
}

TYPED_TEST(FlatButtonTest, AReleaseOutsideTheButtonIsNoClick) {
  auto* a = this->Make(1, 0);
  a->MouseDown(TMouseButton::mbLeft, {}, 5, 5);
  a->MouseUp(TMouseButton::mbLeft, {}, 50, 5);
  EXPECT_FALSE(a->Down());
  EXPECT_EQ(this->clicks, 0);
}

TYPED_TEST(FlatButtonTest, TheBevelFollowsTheMouseAndDisablingResetsIt) {
  auto* b = this->Make(0, 0);
  int entered = 0, left = 0;
  b->OnMouseEnter = [&](TObject*) { ++entered; };
  b->OnMouseLeave = [&](TObject*) { ++left; };
  b->MouseMove({}, 5, 5);
  EXPECT_TRUE(b->BevelShown());
  b->MouseMove({}, 40, 5);
  EXPECT_FALSE(b->BevelShown());
  b->MouseMove({}, 5, 5);
  b->Perform(WM_MOUSELEAVE, 0, 0);
  EXPECT_FALSE(b->BevelShown()) << "the pointer leaving the control ends the hover";
  EXPECT_EQ(entered, 2);
  EXPECT_EQ(left, 2);
  b->MouseDown(TMouseButton::mbLeft, {}, 5, 5);
  b->SetEnabled(false);
  EXPECT_FALSE(b->Pressed());
  EXPECT_FALSE(b->BevelShown());
  b->AlwaysBeveled = true;
  b->SetEnabled(true);
  EXPECT_TRUE(b->BevelShown());
}

TYPED_TEST(FlatButtonTest, APressBringsItsWindowForward) {
  auto* b = this->Make(0, 0);
  this->form->Show();
  TForm other(nullptr);
  other.Show();
  other.SetFocus();
  ASSERT_FALSE(this->form->Active());
  b->MouseDown(TMouseButton::mbLeft, {}, 5, 5);
  EXPECT_TRUE(this->form->Active());
  EXPECT_TRUE(b->Pressed());
}

TYPED_TEST(FlatButtonTest, IconOnlyShowsTheCaptionAsTheHint) {
  auto* b = this->Make(0, 0);
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

TYPED_TEST(FlatButtonTest, ADropDownButtonOpensItsMenuInsteadOfClicking) {
  auto* b = this->Make(0, 0);
  TPopupMenu menu(this->form.get());
  int popups = 0;
  menu.OnPopup = [&](TObject*) { ++popups; };
  b->DropDownMenu = &menu;
  this->Driver().ExpectPopup([](TPopupMenu&) -> TMenuItem* { return nullptr; }, "the drop-down menu");
  this->ClickWithMouse(b);
  EXPECT_EQ(popups, 1);
  EXPECT_EQ(this->clicks, 0);
  EXPECT_FALSE(b->Pressed()) << "the press ends with the menu";
}

// How a state is painted: which bevel, which look of the picture, which
// fill.
enum class Bevel { None, Raised, Sunken };

struct PaintCase {
  const char* state;
  void (*arrange)(TFlatButton& b, TControl& c);
  Bevel bevel;
  TGlyphLook look;
  TColor fill;
};

template <class Button>
void CheckPainting(Button& b, const PaintCase& c) {
  std::optional<TGlyphLook> look;
  b.Glyph = [&](TCanvas&, const TRect&, TGlyphLook l) { look = l; };
  c.arrange(b, b);
  RecordingCanvas canvas;
  b.PaintTo(canvas);
  ASSERT_FALSE(canvas.Ops().empty()) << c.state;
  EXPECT_EQ(canvas.Ops()[0].kind, DrawOp::Kind::FillRect) << c.state;
  EXPECT_EQ(canvas.Ops()[0].brush.Color, c.fill) << c.state;
  const DrawOp* firstLine = nullptr;
  for (const DrawOp& op : canvas.Ops())
    if (op.kind == DrawOp::Kind::Line && !firstLine) firstLine = &op;
  Bevel bevel = Bevel::None;
  if (firstLine) bevel = firstLine->pen.Color == clBtnHighlight ? Bevel::Raised : Bevel::Sunken;
  EXPECT_EQ(bevel, c.bevel) << c.state;
  ASSERT_TRUE(look.has_value()) << c.state;
  EXPECT_EQ(*look, c.look) << c.state;
}

const PaintCase kPaintCases[] = {
    {"mouse away", [](TFlatButton&, TControl&) {}, Bevel::None, TGlyphLook::Grey, clBtnFace},
    {"mouse away, colour picture", [](TFlatButton& b, TControl&) { b.SetOptions(b.Options() & ~boMonoDisplay); },
     Bevel::None, TGlyphLook::Normal, clBtnFace},
    {"hovered", [](TFlatButton&, TControl& c) { c.MouseMove({}, 5, 5); }, Bevel::Raised, TGlyphLook::Normal, clBtnFace},
    {"hovered, no bevels",
     [](TFlatButton& b, TControl& c) {
       b.SetOptions(b.Options() & ~boShowBevel);
       c.MouseMove({}, 5, 5);
     },
     Bevel::None, TGlyphLook::Normal, clBtnFace},
    {"lowered style hovered",
     [](TFlatButton& b, TControl& c) {
       b.BevelStyle = TButtonBevelStyle::bsLowered;
       c.MouseMove({}, 5, 5);
     },
     Bevel::Sunken, TGlyphLook::Normal, clBtnFace},
    {"pressed", [](TFlatButton&, TControl& c) { c.MouseDown(TMouseButton::mbLeft, {}, 5, 5); }, Bevel::Sunken,
     TGlyphLook::Normal, clBtnFace},
    {"down",
     [](TFlatButton& b, TControl&) {
       b.GroupIndex = 1;
       b.SetDown(true);
     },
     Bevel::Sunken, TGlyphLook::Normal, RGB(224, 224, 224)},
    {"down without the pattern",
     [](TFlatButton& b, TControl&) {
       b.GroupIndex = 1;
       b.ShowDownPattern = false;
       b.SetDown(true);
     },
     Bevel::Sunken, TGlyphLook::Normal, clBtnFace},
    {"disabled", [](TFlatButton& b, TControl&) { b.SetEnabled(false); }, Bevel::None, TGlyphLook::Embossed, clBtnFace},
    {"disabled while hovered",
     [](TFlatButton& b, TControl& c) {
       c.MouseMove({}, 5, 5);
       b.SetEnabled(false);
     },
     Bevel::None, TGlyphLook::Embossed, clBtnFace},
    {"disabled and down",
     [](TFlatButton& b, TControl&) {
       b.GroupIndex = 1;
       b.SetDown(true);
       b.SetEnabled(false);
     },
     Bevel::Sunken, TGlyphLook::Embossed, RGB(224, 224, 224)},
    {"always beveled",
     [](TFlatButton& b, TControl&) {
       b.AlwaysBeveled = true;
       b.MouseLeft();
     },
     Bevel::Raised, TGlyphLook::Normal, clBtnFace},
};

TYPED_TEST(FlatButtonTest, EachStateHasItsBevelPictureAndFill) {
  for (const PaintCase& c : kPaintCases) {
    auto* b = this->Make(0, 0);
    CheckPainting(*b, c);
    delete b;
  }
}

TYPED_TEST(FlatButtonTest, AnAlwaysBeveledFrameIsInsetAndADisabledCaptionEmbossed) {
  auto* b = this->Make(0, 0);
  b->Caption = "&Go";
  b->AlwaysBeveled = true;
  b->MouseLeft();
  b->SetEnabled(false);
  b->SetEnabled(true);
  RecordingCanvas canvas;
  b->PaintTo(canvas);
  const DrawOp* line = nullptr;
  for (const DrawOp& op : canvas.Ops())
    if (op.kind == DrawOp::Kind::Line && !line) line = &op;
  ASSERT_NE(line, nullptr);
  EXPECT_EQ(line->from.X, 1) << "inset by one pixel";
  b->SetEnabled(false);
  canvas.Clear();
  b->PaintTo(canvas);
  const auto texts = canvas.TextOps();
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0]->text, "Go");
  EXPECT_EQ(texts[0]->font.Color, clBtnHighlight);
  EXPECT_EQ(texts[1]->font.Color, clBtnShadow);
  EXPECT_EQ(texts[0]->rect.Left, texts[1]->rect.Left + 1) << "the highlight one pixel right";
}

TYPED_TEST(FlatButtonTest, ThePopupMarkIsATriangleOfSevenFiveThreeAndOnePixels) {
  auto* b = this->Make(0, 0);
  TPopupMenu menu(this->form.get());
  b->DropDownMenu = &menu;
  b->SetOptions(b->Options() & ~boShowBevel);
  RecordingCanvas canvas;
  b->PaintTo(canvas);
  std::vector<int> widths;
  for (const DrawOp& op : canvas.Ops())
    if (op.kind == DrawOp::Kind::Line) widths.push_back(op.to.X - op.from.X);
  EXPECT_EQ(widths, (std::vector<int>{7, 5, 3, 1}));
}

TYPED_TEST(FlatButtonTest, TheLayoutPlacesThePictureAgainstTheCaption) {
  using L = TExplorerButtonLayout;
  const struct {
    L layout;
    bool (*placed)(const TRect& glyph, const TRect& text);
  } cases[] = {
      {L::blBitmapTop, [](const TRect& g, const TRect& t) { return g.Bottom <= t.Top; }},
      {L::blBitmapBottom, [](const TRect& g, const TRect& t) { return t.Bottom <= g.Top; }},
      {L::blBitmapLeft, [](const TRect& g, const TRect& t) { return g.Right <= t.Left; }},
      {L::blBitmapRight, [](const TRect& g, const TRect& t) { return t.Right <= g.Left; }},
  };
  for (const auto& c : cases) {
    auto* b = this->Make(0, 0);
    b->SetBounds(0, 0, 80, 60);
    b->Caption = "Go";
    b->Layout = c.layout;
    TRect glyph;
    b->Glyph = [&](TCanvas&, const TRect& a, TGlyphLook) { glyph = a; };
    RecordingCanvas canvas;
    b->PaintTo(canvas);
    const DrawOp* text = canvas.FindText("Go");
    ASSERT_NE(text, nullptr);
    EXPECT_TRUE(c.placed(glyph, text->rect)) << int(c.layout);
    delete b;
  }
}

TYPED_TEST(FlatButtonTest, ACaptionWithoutAPictureStandsInTheMiddle) {
  for (const int height : {22, 40, 60}) {
    SCOPED_TRACE(height);
    auto* b = this->Make(0, 0);
    b->SetBounds(0, 0, 22, height);
    b->Caption = "C";
    RecordingCanvas canvas;
    b->PaintTo(canvas);
    const DrawOp* text = canvas.FindText("C");
    ASSERT_NE(text, nullptr);
    EXPECT_NEAR(text->rect.Top + text->rect.Bottom, height, 2) << "centred top to bottom";
    delete b;
  }
}

// A caption that may wrap reads from the top of the face, its first line
// first, however few lines it has (a scene pilot's number and heading).
TYPED_TEST(FlatButtonTest, AWrappedCaptionReadsFromTheTopOfItsFace) {
  for (const char* caption : {"12", "12 INT. HALL - DAY He waits by the door for a long time."}) {
    SCOPED_TRACE(caption);
    auto* b = this->Make(0, 0);
    b->SetBounds(0, 0, 120, 60);
    b->WordWrap = true;
    b->Alignment = TAlignment::taLeftJustify;
    b->Caption = caption;
    RecordingCanvas canvas;
    b->PaintTo(canvas);
    const DrawOp* first = canvas.FindText("12");
    ASSERT_NE(first, nullptr) << canvas.Transcript();
    EXPECT_LE(first->rect.Top, 4) << "the first line stands at the top of the face";
    delete b;
  }
}

class FitCaptionTest : public testing::PlatformFixture {};

TEST_F(FitCaptionTest, AWrappedCaptionDropsTrailingWordsUntilItFits) {
  TCanvas canvas;
  const int line = canvas.TextHeight("Wg");
  const int width = canvas.TextWidth("three four");
  const struct {
    const char* caption;
    int lines;
    const char* fitted;
  } cases[] = {
      {"one two", 1, "one two"},
      {"one two three four five six", 2, "one two three four"},
      {"one two three four five six", 1, "one two"},
      {"one\r\ntwo three four five six", 1, "one "},
      {"averyveryverylongsingleword more", 0, ""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(FitCaption(canvas, c.caption, width, line * c.lines), c.fitted) << c.caption << " in " << c.lines;
}

TEST(GreyPicture, TheGreyPictureFollowsTheShading) {
  using S = TExplorerButtonShadingType;
  const struct {
    Byte level;
    S shading;
    TColor grey;
  } cases[] = {
      {128, S::stLight, clWhite},       {128, S::stMedium, clBtnHighlight}, {128, S::stDark, clWhite},
      {64, S::stLight, clBtnHighlight}, {64, S::stMedium, clBtnShadow},     {64, S::stDark, clBtnShadow},
      {255, S::stLight, clWhite},       {255, S::stMedium, clWhite},        {255, S::stDark, clWhite},
      {0, S::stMedium, clBlack},
  };
  for (const auto& c : cases)
    EXPECT_EQ(GreyPixel(c.level, c.level, c.level, c.shading), c.grey) << int(c.level) << " " << int(c.shading);
}

}  // namespace
}  // namespace qm
