// The program's own small controls: the label sizing itself to its text,
// its frame, its embossed disabled text, handing the focus on when
// clicked; the panel that keeps the arrow keys.
#include <gtest/gtest.h>

#include "platform/controls.h"
#include "platform/forms.h"
#include "platform/recording_canvas.h"
#include "support/platform_fixture.h"

namespace qm {
namespace {

class BtrLabelTest : public testing::PlatformFixture {
 protected:
  void SetUp() override {
    PlatformFixture::SetUp();
    form = std::make_unique<TForm>(nullptr);
    form->SetBounds(0, 0, 400, 200);
  }
  void TearDown() override {
    form.reset();
    PlatformFixture::TearDown();
  }
  TBtrLabel* Label() { return MakeControl<TBtrLabel>(form.get(), form.get(), "", 100, 10, 200, 20); }
  static int WidthOf(const TBtrLabel& label, const std::string& text) {
    TCanvas measure;
    measure.Font.Assign(label.Font);
    return measure.TextWidth(text);
  }
  static int LineHeight(const TBtrLabel& label) {
    TCanvas measure;
    measure.Font.Assign(label.Font);
    return measure.TextHeight("Wg");
  }
  static std::vector<const DrawOp*> Lines(const RecordingCanvas& canvas) {
    std::vector<const DrawOp*> lines;
    for (const DrawOp& op : canvas.Ops())
      if (op.kind == DrawOp::Kind::Line) lines.push_back(&op);
    return lines;
  }
  std::unique_ptr<TForm> form;
};

TEST_F(BtrLabelTest, AutoSizeKeepsTheEdgeItsAlignmentNames) {
  const struct {
    TAlignment alignment;
    int (*left)(int width);
  } cases[] = {
      {TAlignment::taLeftJustify, [](int) { return 100; }},
      {TAlignment::taRightJustify, [](int w) { return 100 + 200 - w; }},
      {TAlignment::taCenter, [](int w) { return 100 + (200 - w) / 2; }},
  };
  for (const auto& c : cases) {
    TBtrLabel* label = Label();
    label->Alignment = c.alignment;
    label->Caption = "Scene";
    const int w = WidthOf(*label, "Scene");
    EXPECT_EQ(label->Width(), w) << int(c.alignment);
    EXPECT_EQ(label->Left(), c.left(w)) << int(c.alignment);
    EXPECT_EQ(label->Height(), LineHeight(*label) + std::abs(label->Font.Height()) / 8)
        << "an eighth of the font height more";
    delete label;
  }
}

TEST_F(BtrLabelTest, AnEmptyCaptionOrALoneAmpersandIsMeasuredAsOneBlank) {
  for (const char* caption : {"&", ""}) {
    TBtrLabel* label = Label();
    label->Caption = "x";
    label->Caption = caption;
    EXPECT_EQ(label->Width(), WidthOf(*label, " ")) << '"' << caption << '"';
    EXPECT_GT(label->Height(), 0) << '"' << caption << '"';
    delete label;
  }
}

TEST_F(BtrLabelTest, ALongCaptionWrapsWithinTheWidthAndTheHeightOnlyVariantWidensFirst) {
  TBtrLabel* label = Label();
  label->AutoSize = false;
  label->Caption = "one two three four five six seven eight nine ten eleven twelve";
  label->AutoSize = true;
  label->AdjustBounds();
  EXPECT_EQ(label->Width(), 200);
  EXPECT_GT(label->Height(), 2 * LineHeight(*label)) << "wrapped onto several lines";
  label->AutoSize = false;
  label->Width = 10;
  label->AutoSize = true;
  label->AdjustHeight();
  EXPECT_EQ(label->Width(), WidthOf(*label, label->Caption()));
  EXPECT_EQ(label->Height(), LineHeight(*label) + std::abs(label->Font.Height()) / 8);
}

TEST_F(BtrLabelTest, TheFrameTakesTheBorderColourAndStyleOrTheLabelsColour) {
  const struct {
    const char* what;
    bool transparent, border;
    bool filled;
    int lines;
    TColor frame;
  } cases[] = {
      {"plain", false, false, true, 4, clBtnFace},
      {"bordered", false, true, true, 4, clRed},
      {"transparent", true, false, false, 0, clNone},
      {"transparent bordered", true, true, false, 4, clRed},
  };
  for (const auto& c : cases) {
    TBtrLabel* label = Label();
    label->AutoSize = false;
    label->Caption = "Name";
    label->Transparent = c.transparent;
    label->Border = c.border;
    label->BorderColor = clRed;
    label->BorderStyle = TPenStyle::psDot;
    RecordingCanvas canvas;
    label->PaintTo(canvas);
    const bool filled = !canvas.Ops().empty() && canvas.Ops()[0].kind == DrawOp::Kind::FillRect;
    EXPECT_EQ(filled, c.filled) << c.what;
    const auto lines = Lines(canvas);
    ASSERT_EQ(static_cast<int>(lines.size()), c.lines) << c.what;
    for (const DrawOp* line : lines) {
      EXPECT_EQ(line->pen.Color, c.frame) << c.what;
      EXPECT_EQ(line->pen.Style, TPenStyle::psDot) << c.what;
    }
    ASSERT_NE(canvas.FindText("Name"), nullptr) << c.what;
    delete label;
  }
}

TEST_F(BtrLabelTest, DisabledTextIsEmbossedAndAlignedAsTheLabelSays) {
  TBtrLabel* label = Label();
  label->AutoSize = false;
  label->Alignment = TAlignment::taRightJustify;
  label->Caption = "&Name";
  label->Enabled = false;
  RecordingCanvas canvas;
  label->PaintTo(canvas);
  const auto texts = canvas.TextOps();
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0]->text, "Name") << "the accelerator mark is not drawn";
  EXPECT_EQ(texts[0]->font.Color, clWhite);
  EXPECT_EQ(texts[1]->font.Color, clBtnShadow);
  EXPECT_EQ(texts[0]->rect.Left, texts[1]->rect.Left + 1);
  EXPECT_EQ(texts[1]->rect.Right, 200) << "right-aligned in the label";
}

TEST_F(BtrLabelTest, AClickGivesTheFocusToItsControlWhenThatCanTakeIt) {
  TBtrLabel* label = Label();
  auto* edit = MakeControl<TEdit>(form.get(), form.get(), "Edit", 10, 50, 100, 20);
  auto* other = MakeControl<TEdit>(form.get(), form.get(), "Other", 10, 80, 100, 20);
  label->FocusControl = edit;
  form->Show();
  other->SetFocus();
  edit->Enabled = false;
  label->Click();
  EXPECT_TRUE(other->Focused()) << "a disabled control is not given the focus";
  edit->Enabled = true;
  label->Click();
  EXPECT_TRUE(edit->Focused());
}

TEST_F(BtrLabelTest, ATitlePageLabelBreaksItsLinesAtCarriageReturnsOnly) {
  auto* label = MakeControl<TTitlePageLabel>(form.get(), form.get(), "", 0, 0, 50, 20);
  const struct {
    const char* caption;
    std::vector<std::string> lines;
  } cases[] = {
      {"", {""}},
      {"TITLE", {"TITLE"}},
      {"TITLE\r\nby\rSomeone", {"TITLE", "by", "Someone"}},
      {"A long line that is not wrapped\r", {"A long line that is not wrapped", ""}},
  };
  for (const auto& c : cases) {
    label->Caption = c.caption;
    EXPECT_EQ(label->Lines(), c.lines) << c.caption;
  }
}

TEST_F(BtrLabelTest, ATitlePageLabelKeepsThePrintedLineProportionAndSizesToItsLines) {
  auto* label = MakeControl<TTitlePageLabel>(form.get(), form.get(), "", 0, 0, 50, 20);
  const int printed = Backend().Metrics().Metrics(label->Font.Desc(), 1200).Height();
  for (const int dpi : {96, 120, 192}) {
    const int h = label->LineHeight(dpi);
    EXPECT_LE(std::abs(h * 1200 - dpi * printed), 600) << dpi << ": the nearest whole height";
  }
  label->Caption = "THE LONG NIGHT\r\nby\r\nA. Writer";
  const int h = label->LineHeight(96);
  EXPECT_EQ(label->Width(), WidthOf(*label, "THE LONG NIGHT"));
  EXPECT_EQ(label->Height(), 3 * h + std::abs(label->Font.Height()) / 8);
  label->SetViewPortValue(50);
  EXPECT_EQ(label->TrueWidth(), label->Width() * 50 / 100);
  EXPECT_EQ(label->TrueHeight(), label->Height() * 50 / 100);
  label->SetViewPortValue(0);
  EXPECT_EQ(label->TrueWidth(), label->Width()) << "no zoom below one percent";
}

TEST_F(BtrLabelTest, ATitlePageLabelDrawsItsLinesZoomed) {
  auto* label = MakeControl<TTitlePageLabel>(form.get(), form.get(), "", 0, 0, 50, 20);
  label->Caption = "ONE\r\nTWO";
  const int h = label->LineHeight(96);
  for (const int zoom : {100, 200}) {
    label->SetViewPortValue(zoom);
    RecordingCanvas canvas;
    label->PaintTo(canvas);
    const auto texts = canvas.TextOps();
    ASSERT_EQ(texts.size(), 2u) << zoom;
    EXPECT_EQ(texts[0]->text, "ONE");
    EXPECT_EQ(texts[1]->rect.Top - texts[0]->rect.Top, h * zoom / 100) << zoom;
    EXPECT_EQ(texts[0]->font.PixelHeight, label->Font.Desc().EmPixels(96) * zoom / 100) << zoom;
  }
}

TEST_F(BtrLabelTest, APanelKeepsTheArrowKeysOnlyWhenItWantsThem) {
  auto* panel = MakeControl<TBetterPanel>(form.get(), form.get(), "Cards", 0, 0, 100, 100);
  EXPECT_EQ(panel->Perform(WM_GETDLGCODE, 0, 0), 0);
  panel->WantAllArrows = true;
  EXPECT_EQ(panel->Perform(WM_GETDLGCODE, 0, 0), DLGC_WANTARROWS);
}

}  // namespace
}  // namespace qm
