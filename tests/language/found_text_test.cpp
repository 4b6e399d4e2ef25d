// A found text framed for the writer: the block over it and the markers at
// its ends, drawn at a full repaint; the frame goes with its block, so a
// block the writer marks afterwards shows no markers.
#include "language/found_text.h"

#include <gtest/gtest.h>

#include "language/language_fixture.h"
#include "platform/recording_canvas.h"
#include "script/editing/editor_calls.h"

namespace qm {
namespace {

using FoundTextTest = testing::LanguageFixture;

// The upright strokes of the markers drawn at the last full repaint.
int MarkerStrokes(TMDIChild& script) {
  RecordingCanvas& painted = *script.Recording();
  painted.Clear();
  script.RedisplayScreen(true);
  int strokes = 0;
  for (const DrawOp& op : painted.Ops())
    if (op.kind == DrawOp::Kind::Line && op.pen.Color == clRed && op.from.X == op.to.X) ++strokes;
  return strokes;
}

TEST_F(FoundTextTest, TheFrameGoesWithItsBlock) {
  Add({{ekAction, "A needle in the hay."}});
  PlaceCaret(0);
  MarkFoundText(Script(), Element(0), 2, 8);
  EXPECT_TRUE(Script().BlockOn());
  EXPECT_EQ(MarkerStrokes(Script()), 2) << "one marker at each end";

  editor::ClearBlock(Script(), true);
  EXPECT_FALSE(Script().FoundMarkerLeft || Script().FoundMarkerRight);
  editor::MarkBlock(Script(), Element(0), 9, Element(0), 15);
  EXPECT_EQ(MarkerStrokes(Script()), 0) << "a block of the writer's own is no found text";
}

}  // namespace
}  // namespace qm
