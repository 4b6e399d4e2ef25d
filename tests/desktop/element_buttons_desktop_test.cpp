// The element buttons of the right panel on a real display: a writer
// clicks C, D and A between the words and gets a cue, its dialogue and an
// Action.
#include <gtest/gtest.h>

#include <optional>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "desktop/desktop_session.h"

namespace qm::desktop {
namespace {

// How many pixel rows of an element button, read from a screenshot, hold
// ink (a pixel clearly darker than the button's face). Its bevel rows and
// columns are left out, so a button under the mouse counts the same.
int InkRowsOfButton(DesktopSession& session, const std::string& shot, int row) {
  const std::optional<WindowGeometry> main = session.ActiveWindowGeometry();
  if (!main) return -1;
  const int x = main->x + main->width - kElementButtonFromRight - 8;
  const int y = main->y + kFirstElementButtonY + row * kElementButtonStep - 9;
  const std::string pixels =
      session.Run({"convert", shot, "-crop", "17x19+" + std::to_string(x) + "+" + std::to_string(y), "+repage",
                   "-depth", "8", "txt:-"});
  std::vector<bool> inked(19, false);
  std::istringstream in(pixels);
  for (std::string line; std::getline(in, line);) {
    const std::size_t hash = line.find('#');
    const std::size_t comma = line.find(',');
    if (line.empty() || line[0] == '#' || hash == std::string::npos || comma == std::string::npos) continue;
    const int py = std::atoi(line.c_str() + comma + 1);
    const long rgb = std::strtol(line.substr(hash + 1, 6).c_str(), nullptr, 16);
    const long brightness = ((rgb >> 16) + ((rgb >> 8) & 0xff) + (rgb & 0xff)) / 3;
    if (py >= 0 && py < 19 && brightness < 160) inked[static_cast<std::size_t>(py)] = true;
  }
  int rows = 0;
  for (bool r : inked) rows += r ? 1 : 0;
  return rows;
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
  ASSERT_TRUE(session.ClickElementButton(0));  // C
  session.Type("bob");
  ASSERT_TRUE(session.ClickElementButton(1));  // D
  session.Type("Hi.");
  session.Screenshot("element_buttons_dialogue");
  ASSERT_TRUE(session.ClickElementButton(3));  // A
  session.Type("Go.");
  const std::string shot = session.Screenshot("element_buttons_action");
  // One face a button: a letter about eight rows tall, not a picture of it
  // with the caption again under it (twice that).
  for (int row : {0, 1, 2}) {
    const int ink = InkRowsOfButton(session, shot, row);
    EXPECT_GT(ink, 4) << "button " << row << " shows its caption";
    EXPECT_LE(ink, 11) << "button " << row << " shows one face, not two";
  }
  const std::string text = session.ScriptText();
  // A cue takes capitals, a parenthetical its parentheses, a transition
  // capitals: the words come back as a cue, dialogue and an Action give them.
  EXPECT_EQ(TextLines(text), (std::vector<std::string>{"He waits.", "BOB", "Hi.", "Go."})) << text;
  const std::string rtf = session.Run({"xclip", "-o", "-selection", "clipboard", "-t", "text/rtf"});
  EXPECT_GT(LeftIndentOf(rtf, "Hi."), LeftIndentOf(rtf, "Go.")) << "the dialogue is indented, the Action not: " << rtf;
}

}  // namespace
}  // namespace qm::desktop
