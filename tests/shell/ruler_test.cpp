// The ruler: its markers stand at the current element's margins at every
// zoom, and dragging one sets the margin, never closer than an inch to
// the other marker.
#include <gtest/gtest.h>

#include <set>

#include "platform/input.h"
#include "platform/menus.h"
#include "script/script_window.h"
#include "shell/main_form.h"
#include "shell/ruler.h"
#include "support/program_fixture.h"

namespace qm {
namespace {

class RulerTest : public testing::ProgramFixture {
 protected:
  TRuler& R() { return MainForm->Ruler(); }
  void ShowAtZoom(int zoom) {
    MainForm->ZoomSize = static_cast<Word>(zoom);
    if (!R().RulerBar->Visible()) MainForm->MenuItem("ShowRulerItem")->Click();
    R().RulerCharWidth = 0;
    R().LayoutRuler();
  }
  // The marker pressed, dragged to a ruler x and let go.
  void Drag(TPanel* marker, int rulerX) {
    marker->MouseDown(TMouseButton::mbLeft, {}, 2, 2);
    marker->MouseMove(TShiftState(ssLeft), rulerX - marker->Left, 2);
    marker->MouseUp(TMouseButton::mbLeft, {}, rulerX - marker->Left, 2);
  }
  TElementFormat& Format() { return Script().CurrentElement()->format; }
};

TEST_F(RulerTest, MarkersStandAtTheMarginsAtEveryZoom) {
  Script().SetFocus();
  TypeText("A line of action.");
  int widths[2] = {};
  const int zooms[2] = {90, 150};
  for (int i = 0; i < 2; ++i) {
    SCOPED_TRACE(zooms[i]);
    ShowAtZoom(zooms[i]);
    const int w = R().RulerCharWidth;
    widths[i] = w;
    EXPECT_EQ(R().LeftMargin->Left(), Format().LeftMargin * w - 4);
    EXPECT_EQ(R().RightMargin->Left(), (PageWidthTenths - Format().RightMargin) * w - 4);
    EXPECT_EQ(R().LeftMargin->Hint(),
              std::to_string(Format().LeftMargin / 10) + "." + std::to_string(Format().LeftMargin % 10) + "\"|");
  }
  EXPECT_EQ(PageWidthTenths, 85) << "a page of 2,550 dots at 300 dots per inch";
  EXPECT_GT(widths[1], widths[0]) << "the scale grows with the zoom";
}

// The scale stands 2 pixels in from the ruler's start when a character is
// 6 pixels wide, 3 when 7, and 4 at any other width.
TEST_F(RulerTest, TheScaleIsInsetByTheCharacterWidth) {
  Script().SetFocus();
  TypeText("A line of action.");
  std::set<int> widths;
  for (int zoom = 30; zoom <= 200; zoom += 5) {
    SCOPED_TRACE(zoom);
    ShowAtZoom(zoom);
    const int w = R().RulerCharWidth;
    widths.insert(w);
    const int o = R().LeftMargin->Left() - (Format().LeftMargin * w - 4);
    EXPECT_EQ(R().RulerScale->Left() - o, w == 6 ? 2 : w == 7 ? 3 : 4) << "width " << w;
  }
  EXPECT_TRUE(widths.contains(6) && widths.contains(7) && widths.size() > 2) << "every inset was seen";
}

TEST_F(RulerTest, DraggingAMarkerSetsItsMargin) {
  Script().SetFocus();
  TypeText("A line of action that is long enough to wrap when its margins come closer together.");
  ShowAtZoom(90);
  const int w = R().RulerCharWidth;
  const int linesBefore = Script().CurrentElement()->lineCount;

  Drag(R().LeftMargin, 25 * w);
  EXPECT_EQ(Format().LeftMargin, 25);
  EXPECT_EQ(R().LeftMargin->Left(), 25 * w - 4) << "the marker snaps to the margin";

  Drag(R().RightMargin, 60 * w);
  EXPECT_EQ(Format().RightMargin, PageWidthTenths - 60);
  EXPECT_GT(Script().CurrentElement()->lineCount, linesBefore) << "the narrower element wraps into more lines";

  // Dragged far right, the left marker stops an inch short of the right.
  Drag(R().LeftMargin, 80 * w);
  EXPECT_LE(Format().LeftMargin, 60 - 10);
  EXPECT_GE(Format().LeftMargin, 49);
  // The right marker stays an inch right of the left margin.
  Drag(R().RightMargin, 0);
  EXPECT_GE(PageWidthTenths - Format().RightMargin, Format().LeftMargin + 10);
}

}  // namespace
}  // namespace qm
