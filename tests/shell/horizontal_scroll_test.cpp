// The horizontal bar shifts the script's text; a caret it would push out
// of the window moves along its line to stay in sight.
#include <gtest/gtest.h>

#include "platform/input.h"
#include "script/layout/char_widths.h"
#include "script/layout/screen_lines.h"
#include "script/script_window.h"
#include "shell/main_form.h"
#include "shell/right_panel.h"
#include "support/program_fixture.h"
#include "script/model/edit_line_writer.h"
#include "script/editing/editor_calls.h"

namespace qm {
namespace {

class HorizontalScrollTest : public testing::ProgramFixture {
 protected:
  int CaretDrawnX() {
    TMDIChild& w = Script();
    const int start = w.CaretLine() <= 1 ? 0 : w.LineOffsets()[w.CaretLine() - 1];
    return w.LeftTextOffset + ScreenLeftOf(w, w.CurrentElement()->format) +
           MeasureTextWidth(w, start, w.CaretColumn() - 1);
  }
};

TEST_F(HorizontalScrollTest, TheCaretStaysInSight) {
  Script().SetFocus();
  TypeText("A line of action that runs well across the page.");
  TScrollBar* bar = MainForm->RightPanel().HorizScrollBar;
  struct Case {
    const char* what;
    int column;  // -1: the end of the text
    int to;
  } cases[] = {
      {"shifted left past the caret at the line's start", 0, -300},
      {"shifted right past the caret at the line's end", -1, 400},
      {"back to where it began", 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    editor::SetCaretColumn(Script(), c.column < 0 ? Script().EditBuffer().size() : c.column);
    EditFields(Script()).CaretLine = 1;
    bar->Scroll(TScrollCode::scTrack, c.to);
    EXPECT_EQ(Script().LeftTextOffset, bar->Position());
    EXPECT_GE(CaretDrawnX(), 0);
    EXPECT_LE(CaretDrawnX(), Script().ClientWidth());
  }
  EXPECT_EQ(Script().LeftTextOffset, 0);
}

}  // namespace
}  // namespace qm
