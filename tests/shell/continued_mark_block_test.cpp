// With the continueds written in the parenthetical, a block made by any
// road ends behind the automatic "CONT'D; " as the caret stands behind it;
// typing over such a block or deleting it leaves the mark, on screen and
// on the printed page.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/input.h"
#include "platform/printer.h"
#include "platform/recording_canvas.h"
#include "script/editing/editor_calls.h"
#include "script/fixtures/block_fixture.h"
#include "script/model/cue_codes.h"
#include "script/script_window.h"
#include "shell/main_form.h"
#include "support/continued_rule.h"

namespace qm {
namespace {

using testing::ElementSpec;

constexpr int kName = 4;
constexpr int kParenthetical = 5;
constexpr int kMarkEnd = 9;  // "(CONT'D; "

const std::vector<ElementSpec> kScript = {
    {ekSceneHeading, "INT. ROOM - DAY"},
    {ekCharacterName, "JOHN"},
    {ekDialogue, "Hi."},
    {ekAction, "He waits."},
    {ekCharacterName, "JOHN"},
    {ekParenthetical, "(beat, then a long look round the room, at the door, the window and the floor)"},
    {ekDialogue, "Go."},
};

class ContinuedMarkBlockTest : public testing::BlockFixture {
 protected:
  void SetUp() override {
    BlockFixture::SetUp();
    Options().DisplayCharNameList = false;
  }

 public:
  using BlockFixture::PointOf;
  using BlockFixture::Press;
  using BlockFixture::Release;
  using KeysFixture::CaretAt;
  using KeysFixture::ElementAt;
  using KeysFixture::ShownLines;
  using KeysFixture::W;

  // JOHN speaks again: his parenthetical opens with the mark; the caret in
  // it at `column` (its end when negative).
  void Start(int element, int column) {
    W().ContinuedPosition = 1;
    LoadGrouped(kScript, element, 0);
    testing::MarkNamesByRule(W());
    editor::UpdateContinuedCues(W());
    ASSERT_EQ(Text(kParenthetical).rfind("(CONT'D; beat", 0), 0u) << "the mark is written";
    CaretAt(ElementAt(element), column < 0 ? static_cast<int>(Text(element).size()) : column);
  }
  std::string Text(int element) { return LiveElementText(W(), *ElementAt(element)); }
  // Where the parenthetical's second line begins.
  int SecondLine() { return W().LineOffsets()[1]; }
  void ShiftClick(TPoint at) {
    Press(at, testing::MouseLeft | testing::MouseShift);
    Release(at, testing::MouseShift);
  }
  // Everything File > Print puts on paper, one text run a line.
  std::string Printed() {
    Driver().Expect([](TForm& form) { form.ModalResult = mrOk; });
    MainForm->MenuItem("PrintItem")->Click();
    std::string all;
    for (const auto& page : Backend().PrinterList()[0]->Pages()) all += page->Transcript();
    return all;
  }
};

struct Road {
  const char* what;
  int element, column;  // where the caret starts
  std::function<void(ContinuedMarkBlockTest&)> mark;
};

TEST_F(ContinuedMarkBlockTest, EveryRoadEndsTheBlockBehindTheMark) {
  using T = ContinuedMarkBlockTest;
  // clang-format off
  const std::vector<Road> roads = {
      {"Shift+Home", kParenthetical, 13, [](T& t) { t.Press(VK_HOME, TShiftState(ssShift)); }},
      {"Shift+Up from the second line", kParenthetical, -1,
       [](T& t) {
         t.CaretAt(t.ElementAt(kParenthetical), t.SecondLine() + 1);
         t.Press(VK_UP, TShiftState(ssShift));
       }},
      {"Shift+click in the mark", kParenthetical, 13, [](T& t) { t.ShiftClick(t.PointOf(kParenthetical, 3)); }},
      {"Shift+Ctrl+Left", kParenthetical, 13, [](T& t) { t.Press(VK_LEFT, TShiftState(ssShift | ssCtrl)); }},
      {"Shift+Left", kParenthetical, 11,
       [](T& t) {
         for (int i = 0; i < 2; ++i) t.Press(VK_LEFT, TShiftState(ssShift));
       }},
      {"Ctrl+Down with a block", kName, -1,
       [](T& t) {
         t.Press(VK_END, TShiftState(ssShift));
         t.Press(VK_DOWN, TShiftState(ssCtrl));
       }},
      {"Alt+Down with a block", kName, -1,
       [](T& t) {
         t.Press(VK_END, TShiftState(ssShift));
         t.Press(VK_DOWN, TShiftState(ssAlt));
       }},
  };
  // clang-format on
  const struct {
    const char* what;
    std::function<void(T&)> then;
  } ends[] = {
      {"Delete", [](T& t) { t.Press(VK_DELETE); }},
      {"a letter typed over it", [](T&) { TypeText("x"); }},
  };
  for (const Road& road : roads)
    for (const auto& end : ends) {
      SCOPED_TRACE(std::string(road.what) + ", then " + end.what);
      Start(road.element, road.column);
      road.mark(*this);
      if (W().CurrentElement() != ElementAt(kParenthetical)) {
        ADD_FAILURE() << "the caret left the parenthetical";
        continue;
      }
      EXPECT_GE(W().CaretColumn(), kMarkEnd);
      const TScriptElement& p = *ElementAt(kParenthetical);
      if (p.InBlock()) {
        EXPECT_GE(p.blockEnd, kMarkEnd) << "the block ends behind the mark";
      }
      end.then(*this);
      EXPECT_EQ(CueContinuedState(ElementAt(kName)->split), 1);
      const std::string text = Text(kParenthetical);
      EXPECT_LE(text.find("CONT'D; "), 1u) << "after the parenthesis, typed or shown for it: " << text;
      const std::vector<std::string> shown = ShownLines(ElementAt(kParenthetical));
      ASSERT_FALSE(shown.empty());
      EXPECT_EQ(shown.front().rfind("(CONT'D; ", 0), 0u) << shown.front();
      EXPECT_NE(Printed().find("(CONT'D; "), std::string::npos) << "on paper" << Printed();
    }
}

}  // namespace
}  // namespace qm
