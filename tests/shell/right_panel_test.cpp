// The right panel: its bar and page buttons fill the height the element
// buttons leave, an interactive script gets the multimedia buttons, and
// the page buttons go to the next page or scroll by a window.
#include <gtest/gtest.h>

#include "base/document_table.h"
#include "platform/office_button.h"
#include "platform/recording_canvas.h"
#include "script/layout/screen_rebuild.h"
#include "script/script_window.h"
#include "shell/main_form.h"
#include "shell/multimedia_glyphs.h"
#include "shell/right_panel.h"
#include "support/program_fixture.h"
#include "support/script_builder.h"
#include "script/editing/editor_calls.h"

namespace qm {
namespace {

class RightPanelTest : public testing::ProgramFixture {
 protected:
  TRightPanel& P() { return MainForm->RightPanel(); }
  TOfficeButton* Button(const char* name) { return dynamic_cast<TOfficeButton*>(MainForm->FindComponent(name)); }
  void LoadPages() {
    TMDIChild& w = Script();
    w.FreeElements();
    ResetScreenLines(w);
    std::vector<testing::ElementSpec> elements;
    for (int i = 0; i < 150; ++i) elements.push_back({ekAction, "Action " + std::to_string(i) + "."});
    testing::AddElements(w, elements);
    editor::SetCurrentElement(w, w.FirstElement);
    w.CurrentGroup = w.FirstElement->group;
    w.DisAssemble();
    w.RefreshKeepingCursor();
    RebuildScreen(&w);
  }
};

TEST_F(RightPanelTest, TheBarAndPageButtonsFillThePanel) {
  struct Case {
    int height;
    bool laidOut;
  } cases[] = {{500, true}, {P().ElementButtonPanel->Height() + 41, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.height);
    const int barHeight = P().RightScroll->Height;
    P().RightPanel->Align = TAlign::alNone;
    P().RightPanel->Height = c.height;
    P().LayoutRightSpeedBar();
    EXPECT_EQ(P().RightScroll->Top(), P().ElementButtonPanel->Height() + 1);
    if (!c.laidOut) {
      EXPECT_EQ(P().RightScroll->Height(), barHeight) << "a panel too short only moves the bar's top";
      continue;
    }
    const int buttons = P().PageUpBtn->Height + P().PageDownBtn->Height;
    EXPECT_EQ(P().RightScroll->Height(), c.height - (P().RightScroll->Top + buttons + 6));
    EXPECT_EQ(P().PageUpBtn->Top(), c.height - (buttons + 3));
    EXPECT_EQ(P().PageDownBtn->Top(), P().PageUpBtn->Top + P().PageUpBtn->Height - 1) << "the buttons overlap a pixel";
  }
}

TEST_F(RightPanelTest, AnInteractiveScriptGetsTheMultimediaButtons) {
  const int transitionTop = Button("TransitionBtn")->Top;
  const int sceneTop = Button("SceneHeadingBtn")->Top;
  Script().InteractiveScript = 1;
  P().LayoutRightSpeedBar();
  EXPECT_FALSE(Button("TransitionBtn")->Visible());
  EXPECT_EQ(Button("SceneHeadingBtn")->Top(), transitionTop) << "the scene button in the transition's place";
  EXPECT_EQ(Button("SceneHeadingBtn")->Caption, "BT");
  EXPECT_EQ(MainForm->ElementPopDownList->Items[5], "Branch Target");
  Script().InteractiveScript = 0;
  P().LayoutRightSpeedBar();
  EXPECT_TRUE(Button("TransitionBtn")->Visible());
  EXPECT_EQ(Button("SceneHeadingBtn")->Top(), sceneTop);
  EXPECT_EQ(MainForm->ElementPopDownList->Items[5], "Scene Heading");
}

// What painting a button draws besides its face's fill and bevel.
std::vector<DrawOp> FaceOps(TOfficeButton& button) {
  RecordingCanvas canvas;
  button.PaintTo(canvas);
  std::vector<DrawOp> ops;
  for (const DrawOp& op : canvas.Ops())
    if (op.kind != DrawOp::Kind::FillRect) ops.push_back(op);
  return ops;
}

// The strokes of a named picture drawn where the button draws its own.
std::vector<DrawOp> PictureOps(const char* glyph, TOfficeButton& button) {
  RecordingCanvas canvas;
  TCanvas c(&canvas);
  const TRect r = button.ClientRect();
  MultimediaGlyph(glyph)(c, TRect{r.Left + 3, r.Top + 3, r.Right - 3, r.Bottom - 3}, TGlyphLook::Grey);
  return canvas.Ops();
}

bool SameStrokes(const std::vector<DrawOp>& a, const std::vector<DrawOp>& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const bool same = a[i].kind == b[i].kind && a[i].from == b[i].from && a[i].to == b[i].to &&
                      a[i].points == b[i].points && a[i].rect == b[i].rect;
    if (!same) return false;
  }
  return true;
}

// Each button shows one face: a set's caption alone, or its picture alone.
TEST_F(RightPanelTest, EachElementButtonShowsItsCaptionOrItsPictureNeverBoth) {
  struct Face {
    const char* button;
    const char* caption;  // "" for a picture
    const char* glyph;    // the picture's name, null for a caption
    const char* hint;
  };
  const std::vector<Face> normal{
      {"CharNameBtn", "C", nullptr, "Character Name|CHARACTER NAME: Press the <TAB> Key anywhere in the script"},
      {"DialogueBtn", "D", nullptr, "Dialogue|DIALOGUE: Press <ENTER> while in a Character Name/Parenthetical"},
      {"ParentheticalBtn", "P", nullptr, "Parenthetical|PARENTHETICAL: Press the LEFT PARENTHESIS <(> in Dialogue"},
      {"ActionBtn", "A", nullptr, "Action|ACTION: Press <ENTER> or <CTRL+ENTER>"},
      {"SceneHeadingBtn", "Sc", nullptr, "Scene Heading|SCENE HEADING: Press <CTRL+S>"},
      {"ShotBtn", "Sh", nullptr, "Shot|SHOT: Press <CTRL+O>"},
      {"TransitionBtn", "T", nullptr, nullptr},
      {"ScriptNoteBtn", "N", nullptr, nullptr},
  };
  const std::vector<Face> multimedia{
      {"CharNameBtn", "", "PLAY_GLYPH", "Play Script|Plays the Multimedia Script"},
      {"DialogueBtn", "", "GRAPH_GLYPH", "Graph Script|Displays the Branching Linkages Graphically"},
      {"ParentheticalBtn", "", "USER_ACTIVITY", "Activity Wizard|Runs the Activity Wizard to Create a User Activity"},
      {"ActionBtn", "", "LINKS_GLYPH", "Branch Point Menu|Starts/Edits a Branch Point"},
      {"ShotBtn", "UA", nullptr, "User Activity|Starts a New User Activity without the Wizard"},
      {"SceneHeadingBtn", "BT", nullptr, "Branch Target|Starts a New Branch Target"},
  };
  const struct {
    int interactive;
    const std::vector<Face>& faces;
  } sets[] = {{0, normal}, {1, multimedia}, {0, normal}};
  for (const auto& set : sets) {
    Script().InteractiveScript = static_cast<Byte>(set.interactive);
    P().LayoutRightSpeedBar();
    for (const Face& f : set.faces) {
      SCOPED_TRACE(std::string(f.button) + (set.interactive ? " multimedia" : " normal"));
      TOfficeButton& b = *Button(f.button);
      EXPECT_EQ(b.Caption(), f.caption);
      if (f.hint) {
        EXPECT_EQ(b.Hint(), f.hint);
      }
      EXPECT_EQ(static_cast<bool>(b.Glyph), f.glyph != nullptr) << "a caption clears the picture and back";
      const std::vector<DrawOp> ops = FaceOps(b);
      std::vector<std::string> texts;
      for (const DrawOp& op : ops)
        if (op.kind == DrawOp::Kind::Text) texts.push_back(op.text);
      if (!f.glyph) {
        EXPECT_EQ(texts, std::vector<std::string>{f.caption}) << "the caption painted once, nothing else";
        EXPECT_EQ(ops.size(), 1u) << "no picture beside the caption";
        continue;
      }
      EXPECT_TRUE(texts.empty()) << "a picture button paints no text";
      EXPECT_TRUE(SameStrokes(ops, PictureOps(f.glyph, b))) << "the button paints the picture " << f.glyph;
    }
  }
}

TEST(MultimediaGlyphs, TheFourPicturesAreDrawnAndDifferFromEachOther) {
  const char* names[] = {"PLAY_GLYPH", "GRAPH_GLYPH", "USER_ACTIVITY", "LINKS_GLYPH"};
  std::vector<std::vector<DrawOp>> drawn;
  for (const char* name : names) {
    SCOPED_TRACE(name);
    const TGlyphPainter paint = MultimediaGlyph(name);
    ASSERT_TRUE(static_cast<bool>(paint));
    RecordingCanvas canvas;
    TCanvas c(&canvas);
    paint(c, TRect{0, 0, 16, 16}, TGlyphLook::Normal);
    EXPECT_TRUE(canvas.TextOps().empty()) << "a picture, not a word";
    ASSERT_FALSE(canvas.Ops().empty());
    for (const std::vector<DrawOp>& other : drawn) EXPECT_FALSE(SameStrokes(canvas.Ops(), other));
    drawn.push_back(canvas.Ops());
  }
  EXPECT_FALSE(static_cast<bool>(MultimediaGlyph("NO_SUCH_GLYPH")));
}

TEST_F(RightPanelTest, PageButtonsGoToTheNextPageOrScrollAWindow) {
  LoadPages();
  ASSERT_TRUE(MainForm->RightScrollByScreen);
  Button("PageDownBtn")->Click();
  TScriptElement* e = Script().CurrentElement();
  ASSERT_NE(e->prev, nullptr);
  EXPECT_TRUE(IsPageBreakKind(e->prev->Kind())) << "a left click: the top of the next page";
  EXPECT_EQ(e->screenLine, 6);
  EXPECT_EQ(Script().CaretColumn(), 0);

  Button("PageUpBtn")->Click();
  EXPECT_EQ(Script().CurrentElement(), Script().FirstElement) << "back to the top of the first page";

  // A right click scrolls by a window instead.
  Button("PageDownBtn")->MouseDown(TMouseButton::mbRight, {}, 2, 2);
  EXPECT_NE(Script().CurrentElement(), Script().FirstElement);
  EXPECT_FALSE(e->prev && Script().CurrentElement() == e) << "a window is shorter than a page";
}

}  // namespace
}  // namespace qm
