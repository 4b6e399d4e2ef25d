// Middle-button automatic scrolling: a middle click starts it, the
// pointer's distance from the origin sets its speed, a key or another
// button stops it (and is swallowed), a wheel roll stops it, and a handler
// that was never there is never called.
#include <gtest/gtest.h>

#include <functional>

#include "platform/forms.h"
#include "platform/headless/headless_backend.h"
#include "platform/input.h"
#include "platform/recording_canvas.h"
#include "script/layout/screen_rebuild.h"
#include "script/script_window.h"
#include "shell/auto_scroll.h"
#include "shell/main_form.h"
#include "support/program_fixture.h"
#include "support/script_builder.h"
#include "script/editing/editor_calls.h"

namespace qm {
namespace {

LPARAM Point(int x, int y) {
  return static_cast<LPARAM>((static_cast<std::uint32_t>(static_cast<std::uint16_t>(y)) << 16) |
                             static_cast<std::uint16_t>(x));
}

class AutoScrollTest : public testing::ProgramFixture {
 protected:
  TAutoScroll& A() { return MainForm->AutoScroll(); }
  bool Send(UINT message, int x = 100, int y = 100, WPARAM wParam = 0) {
    return Application->DeliverInput(TMsg{Script().Handle(), message, wParam, Point(x, y), 0, {}});
  }
  void LoadLongScene() {
    TMDIChild& w = Script();
    w.FreeElements();
    ResetScreenLines(w);
    std::vector<testing::ElementSpec> elements{{ekSceneHeading, "INT. HALL - DAY"}};
    for (int i = 0; i < 60; ++i) elements.push_back({ekAction, "Action " + std::to_string(i) + "."});
    testing::AddElements(w, elements);
    editor::SetCurrentElement(w, w.FirstElement);
    w.CurrentGroup = w.FirstElement->group;
    w.DisAssemble();
    RebuildScreen(&w);
  }
  const TScriptElement* Top() { return Script().ScreenLines[1].element; }
};

TEST_F(AutoScrollTest, AMiddleClickStartsItAndTheDistanceSetsTheSpeed) {
  LoadLongScene();
  Script().SetFocus();
  EXPECT_TRUE(Send(WM_MBUTTONUP, 100, 100));
  ASSERT_TRUE(A().Running());
  const int originY = A().OriginY;
  struct Case {
    int below;
    int interval;
  } cases[] = {{30, 615}, {0, 765}, {-300, 15}, {10, 720}};
  for (const Case& c : cases) {
    Send(WM_MOUSEMOVE, 100, 100 + c.below);
    EXPECT_EQ(A().Interval(), c.interval) << c.below << " pixels below the origin";
  }
  EXPECT_EQ(A().OriginY, originY);

  // Below the origin the script scrolls down a line a step.
  Send(WM_MOUSEMOVE, 100, 100 + 60);
  const TScriptElement* top = Top();
  AdvanceClock(static_cast<std::uint64_t>(A().Interval()) * 4 + 1);
  EXPECT_NE(Top(), top) << "the view moved down";

  // A second middle click stops it.
  Send(WM_MBUTTONUP, 100, 160);
  EXPECT_FALSE(A().Running());
  EXPECT_EQ(A().OriginY, TAutoScroll::NoOrigin);
}

TEST_F(AutoScrollTest, AKeyStopsItAndIsSwallowed) {
  Script().SetFocus();
  TypeText("Words");
  Send(WM_MBUTTONUP);
  ASSERT_TRUE(A().Running());
  SendKey('X', {}, 'x');
  EXPECT_FALSE(A().Running());
  EXPECT_EQ(Script().EditBuffer(), "Words") << "the key only stopped the scrolling";
  // The first middle click after a key only clears the origin.
  Send(WM_MBUTTONUP);
  EXPECT_FALSE(A().Running());
  Send(WM_MBUTTONUP);
  EXPECT_TRUE(A().Running());
  // A wheel roll stops it too.
  Send(WM_MOUSEWHEEL, 100, 100, static_cast<WPARAM>(static_cast<std::uint16_t>(-120)) << 16);
  EXPECT_FALSE(A().Running());
}

// The origin mark: a small window of its own, 28 by 19, centred across
// the click and reaching 14 pixels above it, shown without taking the
// keyboard from the script while the scrolling runs, and gone once it
// stops, however it stops.
TEST_F(AutoScrollTest, TheOriginMarkShowsAtTheClickWhileItRuns) {
  LoadLongScene();
  const auto mark = []() -> TForm* {
    for (int i = 0; i < Screen->FormCount(); ++i)
      if (Screen->Forms(i)->Name == "Intellimouse") return Screen->Forms(i);
    return nullptr;
  };
  const struct {
    const char* stop;
    std::function<void()> act;
  } stops[] = {
      {"a second middle click", [this] { Send(WM_MBUTTONUP, 40, 60); }},
      {"a key", [] { SendKey(VK_DOWN); }},
      {"a wheel roll",
       [this] { Send(WM_MOUSEWHEEL, 40, 60, static_cast<WPARAM>(static_cast<std::uint16_t>(-120)) << 16); }},
  };
  for (const auto& s : stops) {
    SCOPED_TRACE(s.stop);
    Script().SetFocus();
    A().OriginY = TAutoScroll::NoOrigin;
    Send(WM_MBUTTONUP, 40, 60);
    ASSERT_TRUE(A().Running());
    TForm* form = mark();
    ASSERT_NE(form, nullptr);
    const TPoint click = Script().ClientToScreen(TPoint{40, 60});
    EXPECT_TRUE(form->Visible());
    EXPECT_EQ(form->ClientWidth(), 28);
    EXPECT_EQ(form->ClientHeight(), 19);
    EXPECT_EQ(form->Left(), click.X - 14);
    EXPECT_EQ(form->Top(), click.Y - 14);
    EXPECT_TRUE(Script().Active()) << "the script keeps the keyboard";
    RecordingCanvas canvas;
    form->PaintTo(canvas);
    EXPECT_GT(canvas.Ops().size(), 1u) << "the mark is drawn";
    s.act();
    EXPECT_FALSE(A().Running());
    EXPECT_FALSE(form->Visible());
  }
}

// The pointer rests over the page while it scrolls: the script's hint
// ("Modified") does not pop up there, and comes back with the next move
// once the scrolling has stopped.
TEST_F(AutoScrollTest, NoHintShowsOverThePageWhileItScrolls) {
  LoadLongScene();
  Script().SetFocus();
  TypeText("Words");
  Send(WM_MOUSEMOVE, 100, 100);
  ASSERT_EQ(Script().Hint(), "Modified");
  Send(WM_MBUTTONUP, 100, 100);
  ASSERT_TRUE(A().Running());
  EXPECT_EQ(Script().Hint(), "");
  Send(WM_MOUSEMOVE, 100, 160);
  AdvanceClock(static_cast<std::uint64_t>(A().Interval()) * 3 + 1);
  EXPECT_EQ(Script().Hint(), "") << "nor while the page scrolls under the pointer";
  Send(WM_MBUTTONUP, 100, 160);
  ASSERT_FALSE(A().Running());
  Send(WM_MOUSEMOVE, 100, 170);
  EXPECT_EQ(Script().Hint(), "Modified");
}

TEST_F(AutoScrollTest, WithNoHandlerBeforeItMessagesEndWithIt) {
  TAutoScroll alone;
  const TMessageEvent before = Application->OnMessage;
  Application->OnMessage = nullptr;
  alone.HookMessages();
  TMsg msg{Script().Handle(), WM_KEYDOWN, 'A', 0, 0, {}};
  bool handled = false;
  alone.HandleMessage(msg, handled);
  EXPECT_FALSE(handled);
  alone.UnhookMessages();
  EXPECT_FALSE(Application->OnMessage);
  Application->OnMessage = before;
}

}  // namespace
}  // namespace qm
