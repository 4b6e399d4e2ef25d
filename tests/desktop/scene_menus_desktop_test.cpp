// The script window's quick-choice menus and Ctrl keys on a real display.
#include <gtest/gtest.h>

#include <string>

#include "desktop/desktop_session.h"

namespace qm::desktop {
namespace {

std::string FirstLine(const std::string& text) { return text.substr(0, text.find('\n')); }

TEST(SceneMenusDesktopTest, EnterAfterALocationOffersTheTimeOfDay) {
  DesktopSession session;
  ASSERT_TRUE(session.Ready()) << session.Failure();
  session.ClickInScript();
  session.Type("INT. KITCHEN");
  session.Keys("Return");
  session.Screenshot("time_of_day_menu");
  session.Keys("n");  // NIGHT, by its letter
  session.Type("He waits.");
  session.Screenshot("time_of_day_chosen");
  const std::string text = session.ScriptText();
  EXPECT_EQ(FirstLine(text), "INT. KITCHEN - NIGHT") << text;
  EXPECT_NE(text.find("He waits."), std::string::npos) << "the Action after the heading: " << text;
}

TEST(SceneMenusDesktopTest, CtrlBMakesTheMarkedWordBold) {
  DesktopSession session;
  ASSERT_TRUE(session.Ready()) << session.Failure();
  session.ClickInScript();
  session.Type("One two");
  session.Keys("ctrl+shift+Left ctrl+b End");
  session.Type(" three");
  session.Screenshot("ctrl_b_bold");
  EXPECT_EQ(FirstLine(session.ScriptText()), "One two three");
  const std::string rtf = session.Run({"xclip", "-o", "-selection", "clipboard", "-t", "text/rtf"});
  const std::size_t one = rtf.find("One");
  const std::size_t bold = rtf.find("\\b", one == std::string::npos ? 0 : one);
  const std::size_t two = rtf.find("two");
  ASSERT_NE(two, std::string::npos) << rtf;
  EXPECT_TRUE(bold != std::string::npos && bold < two) << "bold switched on before \"two\": " << rtf;
}

}  // namespace
}  // namespace qm::desktop
