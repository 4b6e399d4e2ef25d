// The element buttons of the right panel on a real display: a writer
// clicks C, D and A between the words and gets a cue, its dialogue and an
// Action.
#include <gtest/gtest.h>

#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "desktop/desktop_session.h"

namespace qm::desktop {
namespace {

// The element buttons stand one under the other at the top of the right
// panel, the first (C) below the panel's top edge.
constexpr int kButtonFromRight = 13;
constexpr int kFirstButtonY = 13;
constexpr int kButtonStep = 22;

void ClickElementButton(DesktopSession& session, int row) {
  const std::optional<WindowGeometry> main = session.MainWindowGeometry();
  ASSERT_TRUE(main.has_value());
  session.Click(main->x + main->width - kButtonFromRight, main->y + kFirstButtonY + row * kButtonStep);
  session.Settle(400);
}

struct Line {
  std::size_t indent;
  std::string text;
};

// The copied text's lines with their indent, the blank ones left out.
std::vector<Line> IndentedLines(const std::string& text) {
  std::vector<Line> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    const std::size_t start = line.find_first_not_of(' ');
    if (start != std::string::npos) lines.push_back({start, line.substr(start)});
  }
  return lines;
}

TEST(ElementButtonsDesktopTest, ClickedButtonsStartACueItsDialogueAndAnAction) {
  DesktopSession session;
  ASSERT_TRUE(session.Ready()) << session.Failure();
  session.ClickInScript();
  session.Type("He waits.");
  ClickElementButton(session, 0);  // C
  session.Type("BOB");
  ClickElementButton(session, 1);  // D
  session.Type("Hi.");
  session.Screenshot("element_buttons_dialogue");
  ClickElementButton(session, 3);  // A
  session.Type("Go.");
  session.Screenshot("element_buttons_action");
  const std::string text = session.ScriptText();
  const std::vector<Line> lines = IndentedLines(text);
  ASSERT_EQ(lines.size(), 4u) << text;
  EXPECT_EQ(lines[0].text, "He waits.");
  EXPECT_EQ(lines[1].text, "BOB");
  EXPECT_EQ(lines[2].text, "Hi.");
  EXPECT_EQ(lines[3].text, "Go.");
  EXPECT_GT(lines[1].indent, lines[2].indent) << "the cue stands right of its dialogue: " << text;
  EXPECT_GT(lines[2].indent, lines[0].indent) << "the dialogue is indented: " << text;
  EXPECT_EQ(lines[3].indent, lines[0].indent) << "the last one is an Action: " << text;
}

}  // namespace
}  // namespace qm::desktop
