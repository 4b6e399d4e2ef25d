// A text file named when the program starts is imported once the program
// runs: the first question about it (the file is no format the program
// knows) shows above everything, with the splash screen gone, and the
// answers bring the text in.
#include <gtest/gtest.h>

#include <cctype>
#include <chrono>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include "desktop/desktop_session.h"
#include "support/temp_folder.h"

namespace qm::desktop {
namespace {

const std::string kUnknownFormat = "What should I do, Master?";
const std::string kQuestion = "How should I Interpret This Text?";

std::string FirstWord(const std::string& text) { return text.substr(0, text.find_first_of("\n ")); }

std::string VisibleWindow(DesktopSession& session, const std::string& pattern) {
  return FirstWord(session.Run({"xdotool", "search", "--onlyvisible", "--name", pattern}));
}

// The window manager's stacking list, bottom to top; the last is topmost.
std::string TopmostWindow(DesktopSession& session) {
  const std::string list = session.Run({"xprop", "-root", "_NET_CLIENT_LIST_STACKING"});
  const std::size_t last = list.find_last_of("x");
  if (last == std::string::npos || last == 0) return {};
  std::size_t end = last + 1;
  while (end < list.size() && std::isxdigit(static_cast<unsigned char>(list[end]))) ++end;
  return std::to_string(std::stoul(list.substr(last - 1, end - last + 1), nullptr, 16));
}

// The splash screen: a small window with the program's title (the main
// window holds the same title until a script opens, but fills the screen).
bool SplashShows(DesktopSession& session) {
  std::istringstream found(session.Run({"xdotool", "search", "--onlyvisible", "--name", "^Quillmaster for Windows$"}));
  for (std::string window; found >> window;)
    if (const auto g = session.GeometryOf(window); g && g->width < 700) return true;
  return false;
}

TEST(StartupTextFileDesktopTest, TheQuestionShowsAboveAllWithTheSplashGoneAndTheTextArrives) {
  testing::TempFolder home;
  const std::string notes = home.File("notes.txt");
  std::ofstream(notes) << "INT. BARN - NIGHT\n\nRain falls.\n";
  DesktopSession session({notes}, home.Path());
  ASSERT_TRUE(session.Ready()) << session.Failure();
  std::string question;
  for (int i = 0; i < 50 && question.empty(); ++i) {
    question = VisibleWindow(session, kUnknownFormat);
    if (question.empty()) std::this_thread::sleep_for(std::chrono::milliseconds(200));
  }
  session.Settle(1000);
  session.Screenshot("startup_text_file_question");
  ASSERT_FALSE(question.empty()) << "the question did not show";
  EXPECT_FALSE(SplashShows(session)) << "the splash screen still shows";
  EXPECT_EQ(TopmostWindow(session), question) << "the question is not the topmost window";
  ASSERT_TRUE(session.ActivateWindowTitled(kUnknownFormat));
  session.Keys("alt+y", 1000);
  ASSERT_TRUE(session.WaitForWindowTitle(kQuestion)) << session.ActiveWindowTitle();
  ASSERT_TRUE(session.ActivateWindowTitled(kQuestion));
  session.Keys("Return", 1000);
  ASSERT_TRUE(session.WaitForTitleGone(kQuestion)) << "the text was not read";
  session.Settle(1000);
  const std::string text = session.ScriptText();
  EXPECT_NE(text.find("INT. BARN - NIGHT"), std::string::npos) << text;
  EXPECT_NE(text.find("Rain falls."), std::string::npos) << text;
}

}  // namespace
}  // namespace qm::desktop
