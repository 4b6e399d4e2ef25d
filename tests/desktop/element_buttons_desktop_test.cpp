// The element buttons of the right panel on a real display: a writer
// clicks C, D and A between the words and gets a cue, its dialogue and an
// Action.
#include <gtest/gtest.h>

#include <optional>
#include <cstdlib>
#include <string>
#include <vector>

#include "desktop/desktop_session.h"

namespace qm::desktop {
namespace {

// The element buttons stand one under the other at the top of the right
// panel, under the menu bar and the tool bar; the first is C.
constexpr int kButtonFromRight = 13;
constexpr int kFirstButtonY = 40;
constexpr int kButtonStep = 22;

void ClickElementButton(DesktopSession& session, int row) {
  const std::optional<WindowGeometry> main = session.ActiveWindowGeometry();
  ASSERT_TRUE(main.has_value());
  session.Click(main->x + main->width - kButtonFromRight, main->y + kFirstButtonY + row * kButtonStep);
  session.Settle(400);
}

// The left indent (RTF "\\li", in twips) of the paragraph that holds
// `word` in the copied script; -1 when there is none.
int LeftIndentOf(const std::string& rtf, const std::string& word) {
  const std::size_t at = rtf.find(word);
  if (at == std::string::npos) return -1;
  const std::size_t li = rtf.rfind("\\li", at);
  if (li == std::string::npos) return -1;
  return std::atoi(rtf.c_str() + li + 3);
}

TEST(ElementButtonsDesktopTest, ClickedButtonsStartACueItsDialogueAndAnAction) {
  DesktopSession session;
  ASSERT_TRUE(session.Ready()) << session.Failure();
  session.ClickInScript();
  session.Type("He waits.");
  ClickElementButton(session, 0);  // C
  session.Type("bob");
  ClickElementButton(session, 1);  // D
  session.Type("Hi.");
  session.Screenshot("element_buttons_dialogue");
  ClickElementButton(session, 3);  // A
  session.Type("Go.");
  session.Screenshot("element_buttons_action");
  const std::string text = session.ScriptText();
  // A cue takes capitals, a parenthetical its parentheses, a transition
  // capitals: the words come back as a cue, dialogue and an Action give them.
  EXPECT_EQ(TextLines(text), (std::vector<std::string>{"He waits.", "BOB", "Hi.", "Go."})) << text;
  const std::string rtf = session.Run({"xclip", "-o", "-selection", "clipboard", "-t", "text/rtf"});
  EXPECT_GT(LeftIndentOf(rtf, "Hi."), LeftIndentOf(rtf, "Go.")) << "the dialogue is indented, the Action not: " << rtf;
}

}  // namespace
}  // namespace qm::desktop
