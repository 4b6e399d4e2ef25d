// A text file named when the program starts is read through the progress
// window, which the questions about the file stand in front of: whenever
// that window shows, it lies wholly on the screen, in its middle as the
// other dialogs do; put aside for a question, it is not seen at all.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "desktop/desktop_session.h"
#include "support/temp_folder.h"

namespace qm::desktop {
namespace {

const std::string kUnknownFormat = "What should I do, Master?";
const std::string kQuestion = "How should I Interpret This Text?";
// The progress window has no caption: the desktop names it after the program.
const std::string kProgressName = "quillmaster";

struct ScreenSize {
  int width = 0, height = 0;
};

ScreenSize SizeOfScreen(DesktopSession& session) {
  ScreenSize size;
  std::istringstream(session.Run({"xdotool", "getdisplaygeometry"})) >> size.width >> size.height;
  return size;
}

// Watches the progress window for a while and notes every sighting that is
// not wholly on the screen or not in its middle.
class ProgressWatch {
 public:
  explicit ProgressWatch(DesktopSession& session) : session_(session), screen_(SizeOfScreen(session)) {}

  void For(const std::string& phase, int ms) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (std::chrono::steady_clock::now() < end) {
      Look(phase);
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
  }

  int Sightings() const { return sightings_; }
  const std::vector<std::string>& Faults() const { return faults_; }
  bool ScreenKnown() const { return screen_.width > 0 && screen_.height > 0; }

 private:
  void Look(const std::string& phase) {
    std::istringstream found(session_.Run({"xdotool", "search", "--onlyvisible", "--pid",
                                           std::to_string(session_.ProgramPid()), "--name", kProgressName}));
    for (std::string window; found >> window;) {
      if (!IsProgressWindow(window)) continue;
      const auto g = session_.GeometryOf(window);
      if (!g) continue;
      ++sightings_;
      const bool onScreen =
          g->x >= 0 && g->y >= 0 && g->x + g->width <= screen_.width && g->y + g->height <= screen_.height;
      // Centred across the screen but for its frame, down it but for its
      // title bar.
      const int across = g->x + g->width / 2 - screen_.width / 2;
      const int down = g->y + g->height / 2 - screen_.height / 2;
      if (onScreen && std::abs(across) <= 10 && std::abs(down) <= 30) continue;
      const std::string where = std::to_string(g->x) + "," + std::to_string(g->y) + " " + std::to_string(g->width) +
                                "x" + std::to_string(g->height);
      if (faults_.empty()) session_.Screenshot("startup_import_progress_misplaced");
      faults_.push_back(phase + ": " + where);
    }
  }

  // The search matches without regard to case, and the program's class
  // too: the window's own name tells.
  bool IsProgressWindow(const std::string& window) {
    return session_.Run({"xdotool", "getwindowname", window}) == kProgressName + "\n";
  }

  DesktopSession& session_;
  ScreenSize screen_;
  int sightings_ = 0;
  std::vector<std::string> faults_;
};

TEST(StartupImportProgressDesktopTest, TheProgressWindowShowsOnlyWhollyOnTheScreen) {
  testing::TempFolder home;
  const std::string notes = home.File("notes.txt");
  // Long enough that the reading keeps the window up for the watch to see
  // it on a loaded machine.
  std::ofstream file(notes);
  file << "INT. BARN - NIGHT\n\nRain falls.\n";
  for (int line = 0; line < 4000; ++line) file << "\nThe wind turns the vane.\n";
  file.close();
  DesktopSession session({notes}, home.Path());
  ASSERT_TRUE(session.Ready()) << session.Failure();
  ProgressWatch watch(session);
  ASSERT_TRUE(watch.ScreenKnown());

  watch.For("while the file's format is asked", 1500);
  session.Screenshot("startup_import_progress_format_question");
  ASSERT_TRUE(session.ActivateWindowTitled(kUnknownFormat));
  session.Keys("alt+y", 600);
  ASSERT_TRUE(session.WaitForWindowTitle(kQuestion)) << session.ActiveWindowTitle();
  watch.For("while the text's reading is asked", 1500);
  session.Screenshot("startup_import_progress_text_question");
  ASSERT_TRUE(session.ActivateWindowTitled(kQuestion));
  session.Keys("Return", 0);
  watch.For("while the text is read", 2000);
  ASSERT_TRUE(session.WaitForTitleGone(kQuestion)) << "the text was not read";

  EXPECT_GT(watch.Sightings(), 0) << "the progress window never showed";
  EXPECT_EQ(watch.Faults(), std::vector<std::string>{}) << "the progress window showed partly off the screen";
  const std::string text = session.ScriptText();
  EXPECT_NE(text.find("Rain falls."), std::string::npos) << text;
}

}  // namespace
}  // namespace qm::desktop
