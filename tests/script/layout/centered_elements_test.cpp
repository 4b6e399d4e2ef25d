#include "script/layout/centered_elements.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "script/layout/editor_state.h"
#include "script/layout/word_wrap.h"
#include "script/script_window.h"
#include "support/layout_fixture.h"
#include "script/model/edit_line_writer.h"

namespace qm {
namespace {

using testing::LayoutFixture;

// The headless Courier New at 12 points is 30 dots a character at 300 dpi.
class CenteredElementsTest : public LayoutFixture {
 protected:
  const TPageMetrics letter{300, 2550};
};

TEST_F(CenteredElementsTest, CentredKindsMoveRightByHalfTheRoomTheirTextLeaves) {
  const struct {
    const char* what;
    Byte kind;
    bool centreNames;
    std::string text;
    Byte left, right;
  } cases[] = {
      // 1800 dots available, 600 used: (1800 - 600) div 60 = 20 tenths.
      {"a title of 600 dots", ekCenteredTitle, false, std::string(20, 'A'), 35, 10},
      {"codes take no room", ekCenteredTitle, false, "\x02" + std::string(20, 'A') + "\x03", 35, 10},
      {"an odd room rounds down", ekCenteredTitle, false, std::string(21, 'A'), 34, 10},
      {"a text too wide stays", ekCenteredTitle, false, std::string(61, 'A'), 15, 10},
      {"names are not centred unless the script says so", ekCharacterName, false, "JOHN", 37, 10},
      // A name takes the Dialogue margins (25, 25): 1050 dots, 120 used.
      {"a centred name over its dialogue", ekCharacterName, true, "JOHN", 25 + 15, 25},
  };
  for (const auto& c : cases) {
    Window().FreeElements();
    Build({{c.kind, c.text}});
    Window().CenterCharacterNames = c.centreNames;
    TScriptElement& e = *Window().FirstElement;
    e.format.LeftMargin = c.kind == ekCenteredTitle ? 15 : 37;
    e.format.RightMargin = 10;
    if (c.kind == ekCenteredTitle) {
      Window().FormatSet[fsCenteredTitle].LeftMargin = 15;
      Window().FormatSet[fsCenteredTitle].RightMargin = 10;
    }
    const TElementFormat centred = CenteredFormat(Window(), e, c.text, letter);
    EXPECT_EQ(centred.LeftMargin, c.left) << c.what;
    EXPECT_EQ(centred.RightMargin, c.right) << c.what;
  }
}

TEST_F(CenteredElementsTest, WrappingACentredTitleCentresItOnScreenAndOnPaper) {
  Window().FormatSet[fsCenteredTitle].LeftMargin = 15;
  Window().FormatSet[fsCenteredTitle].RightMargin = 10;
  Build({{ekCenteredTitle, std::string(20, 'A')}, {ekAction, "after"}});
  LayOutAll();
  EXPECT_EQ(Window().FirstElement->format.LeftMargin, 35);
  EXPECT_EQ(Window().ScreenLines[1].left, 35 * 10) << "the screen line starts at the centred margin";
  EXPECT_EQ(Window().FirstElement->next->format.LeftMargin, Window().FormatSet[fsAction].LeftMargin)
      << "an Action is left alone";
  // Typing more moves it back by half a character's room per character.
  EditFields(Window()).EditBuffer = std::string(40, 'A');
  WrapCurrent();
  EXPECT_EQ(Window().FirstElement->format.LeftMargin, 15 + 10);
}

TEST_F(CenteredElementsTest, AnElementStoredOtherThanTypedIsCentredOnWhatItKeeps) {
  Window().FormatSet[fsCenteredTitle].LeftMargin = 15;
  Window().FormatSet[fsCenteredTitle].RightMargin = 10;
  Window().CenterCharacterNames = 1;
  const struct {
    const char* what;
    Byte kind;
    std::string typed;
    Byte interactive;
    std::string stored;
    Byte left;
  } cases[] = {
      // Over the Dialogue margins (25, 25): 1050 dots, "JOHN" 120 of them.
      {"a name's trailing blanks go", ekCharacterName, "JOHN  ", 1, "JOHN", 25 + 15},
      {"also while nobody types", ekCharacterName, "JOHN  ", 0, "JOHN", 25 + 15},
      // 1800 dots: an empty title is stored as one blank of 30.
      {"an emptied title keeps a blank", ekCenteredTitle, "", 1, " ", 15 + 29},
  };
  for (const auto& c : cases) {
    Window().FreeElements();
    Build({{c.kind, "X"}, {ekAction, "after"}});
    LayOutAll();
    Edit(Window().FirstElement);
    EditFields(Window()).EditBuffer = c.typed;
    WrapCurrent();
    InteractiveEdit = c.interactive;
    Window().Assemble();
    TScriptElement& e = *Window().FirstElement;
    EXPECT_EQ(LiveElementText(Window(), e), c.stored) << c.what;
    EXPECT_EQ(int{e.format.LeftMargin}, int{c.left}) << c.what;
  }
}

// Centred act information is centred with the act number shown after it:
// "ACT" of act 12 stands where a stored "ACT 12" would.
TEST_F(CenteredElementsTest, ACentredActIsCentredWithItsNumber) {
  Window().CenterActInformation = 1;
  Window().ActStart = 11;
  Build({{ekActStart, "ACT"}, {ekActInformation, "ACT 12"}});
  Window().RebuildElementGroups();
  TScriptElement& numbered = *ElementAt(0);
  TScriptElement& stored = *ElementAt(1);
  stored.group->number = 0;  // no act number: nothing shown after it on paper
  EXPECT_EQ(CenteredFormat(Window(), numbered, "ACT", letter).LeftMargin,
            CenteredFormat(Window(), stored, "ACT 12", letter).LeftMargin);
}

TEST_F(CenteredElementsTest, ASceneContinuesPastABreakUnlessTheNextShownElementOpensOne) {
  // clang-format off
  const struct {
    const char* what;
    std::vector<testing::ElementSpec> after;  // what follows the break
    Byte breakKind;
    bool pagesLocked;
    int hiddenIndex;  // among `after`, -1 none
    bool continues;
  } cases[] = {
      {"an Action", {{ekAction, "x"}}, ekAutoPageBreak, false, -1, true},
      {"a scene heading", {{ekSceneHeading, "INT. X"}}, ekAutoPageBreak, false, -1, false},
      {"a hidden note, then a heading", {{ekScriptNote, "n"}, {ekSceneHeading, "INT. X"}}, ekAutoPageBreak, false,
       0, false},
      {"a note, then an Action", {{ekScriptNote, "n"}, {ekAction, "x"}}, ekAutoPageBreak, false, -1, true},
      {"a hidden Action, then act information", {{ekAction, "x"}, {ekActInformation, "ACT"}}, ekAutoPageBreak,
       false, 0, false},
      {"a forced break never", {{ekAction, "x"}}, ekForcedPageBreak, false, -1, false},
      {"the end of the script", {}, ekAutoPageBreak, false, -1, false},
      {"locked scene information", {{ekLockedSceneInformation, "S"}}, ekAutoPageBreak, false, -1, false},
      {"locked pages: an empty element and a locked break are passed",
       {{ekAction, ""}, {ekLockedPageBreak, ""}, {ekSceneHeading, "INT. X"}}, ekAutoPageBreak, true, -1, false},
      {"unlocked pages: the empty element counts", {{ekAction, ""}, {ekLockedPageBreak, ""}, {ekSceneHeading, "INT. X"}},
       ekAutoPageBreak, false, -1, true},
  };
  // clang-format on
  for (const auto& c : cases) {
    Window().FreeElements();
    std::vector<testing::ElementSpec> elements{{ekSceneHeading, "INT. HOUSE"}, {ekAction, "before"}, {c.breakKind, ""}};
    elements.insert(elements.end(), c.after.begin(), c.after.end());
    Build(elements);
    Window().PagesLocked = c.pagesLocked;
    TScriptElement* pageBreak = Window().FirstElement->next->next;
    if (c.hiddenIndex >= 0) {
      TScriptElement* e = pageBreak;
      for (int i = 0; i <= c.hiddenIndex; ++i) e = e->next;
      e->state = esHidden;
    }
    EXPECT_EQ(SceneContinuesPastBreak(Window(), *pageBreak), c.continues) << c.what;
  }
}

}  // namespace
}  // namespace qm
