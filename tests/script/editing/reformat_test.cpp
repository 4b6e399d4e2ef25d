// Giving an element its kind's format again: each part comes back alone,
// other kinds keep theirs, and a cheated margin is undone by Reset Cheated.
#include <gtest/gtest.h>

#include "script/editing/reformat.h"
#include "script/fixtures/keys_fixture.h"
#include "script/script_window.h"
#include "shell/main_form.h"

namespace qm {
namespace {

TDefaultFormatParts Parts(bool margins, bool spacing, bool font, bool number, bool noteOnly = false) {
  TDefaultFormatParts parts;
  parts.margins = margins;
  parts.spacing = spacing;
  parts.fontAndStyle = font;
  parts.clearNumber = number;
  parts.noteOnly = noteOnly;
  return parts;
}

class ReformatTest : public testing::KeysFixture {
 protected:
  // A scene heading with every part of its format changed by hand.
  TElementFormat Cheat() {
    Load({{ekSceneHeading, "INT. HALL - DAY"}, {ekAction, "One."}}, 0);
    TElementFormat& f = W().CurrentElement->format;
    f.LeftMargin = 30;
    f.RightMargin = 20;
    f.LinesBefore = 5;
    f.Spacing = 15;
    f.FontSize = 9;
    f.Style = 2;
    f.NumberWord = 0x0205;
    return W().FormatSet[fsSceneHeading];
  }
};

TEST_F(ReformatTest, EachPartComesBackAlone) {
  struct Case {
    const char* what;
    TDefaultFormatParts parts;
    bool margins, spacing, font, number;
  };
  const Case cases[] = {
      {"margins", Parts(true, false, false, false), true, false, false, false},
      {"spacing", Parts(false, true, false, false), false, true, false, false},
      {"font and style", Parts(false, false, true, false), false, false, true, false},
      {"the scene number", Parts(false, false, false, true), false, false, false, true},
      {"a note's colour only, on a heading", Parts(true, false, false, false, true), false, false, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const TElementFormat base = Cheat();
    ApplyDefaultFormat(W(), c.parts);
    const TElementFormat& f = W().CurrentElement->format;
    EXPECT_EQ(f.LeftMargin == base.LeftMargin && f.RightMargin == base.RightMargin, c.margins);
    EXPECT_EQ(f.LinesBefore == base.LinesBefore && f.Spacing == base.Spacing, c.spacing);
    EXPECT_EQ(f.FontSize == base.FontSize && f.Style == base.Style, c.font);
    EXPECT_EQ(f.NumberWord == 0, c.number);
    EXPECT_EQ(f.Kind, ekSceneHeading) << "the kind stays";
  }
}

TEST_F(ReformatTest, ResetCheatedElementUndoesAHandSetMargin) {
  const TElementFormat base = Cheat();
  MainForm->MenuItem("ResetElementItem")->Click();
  const TElementFormat& f = W().CurrentElement->format;
  EXPECT_EQ(f.LeftMargin, base.LeftMargin);
  EXPECT_EQ(f.Spacing, base.Spacing);
  EXPECT_EQ(f.FontSize, base.FontSize);
  EXPECT_EQ(f.NumberWord, 0x0205) << "the locked scene number is not a cheat";
}

}  // namespace
}  // namespace qm
