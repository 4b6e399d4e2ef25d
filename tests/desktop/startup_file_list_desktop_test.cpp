// A writer who chose "Display Screen-Sized Retrieve List" starts on the
// script folder's scripts: a double click on one opens it, closing it
// brings the list back, and Delete asks before it erases a script.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

#include "desktop/desktop_session.h"
#include "support/native_scripts.h"
#include "support/temp_folder.h"

namespace qm::desktop {
namespace {

// A point of the file list's first column, right of the folder column
// and of the names in it (1400 pixels across: a column is some 270 wide).
constexpr int kIntoFileList = 470;

struct Band {
  int top = -1;
  int height = 0;
};

// The rows of a column of the screen painted in the selection's blue: the
// first band as high as a line of text is the script chosen (the window's
// title bar shows thinner stripes of blue).
Band SelectionBand(DesktopSession& session, const std::string& shot, int x, int fromY, int toY) {
  std::istringstream pixels(
      session.Run({"convert", shot, "-crop",
                   "1x" + std::to_string(toY - fromY) + "+" + std::to_string(x) + "+" + std::to_string(fromY),
                   "+repage", "-depth", "8", "txt:-"}));
  constexpr int kLineHeight = 10;
  Band band;
  for (std::string line; std::getline(pixels, line);) {
    int column = 0, row = 0, r = 0, g = 0, b = 0;
    if (std::sscanf(line.c_str(), "%d,%d: (%d,%d,%d", &column, &row, &r, &g, &b) != 5) continue;
    const bool blue = b > 150 && r < 120 && b - r > 60;
    if (blue && band.height > 0 && fromY + row == band.top + band.height) {
      ++band.height;
    } else if (blue) {
      band = Band{fromY + row, 1};
    } else if (band.height >= kLineHeight) {
      return band;
    }
  }
  return band.height >= kLineHeight ? band : Band{};
}

TEST(StartupFileListDesktopTest, ADoubleClickOpensAScriptAndDeleteAsksFirst) {
  testing::TempFolder home;
  const std::string scripts = home.File("Scripts");
  std::filesystem::create_directories(scripts);
  for (const char* name : {"ALPHA.QMW", "BRAVO.QMW", "CHARLIE.QMW"})
    testing::WriteFileText(scripts + "/" + name, testing::ShortScript());
  std::ofstream(home.File("QUILLPAD.INI")) << "[Program Settings]\nStartup Choice=1\n";
  DesktopSession session({}, home.Path());
  ASSERT_TRUE(session.Ready()) << session.Failure();
  const std::string shot = session.Screenshot("startup_file_list");
  EXPECT_EQ(session.ActiveWindowTitle(), "Quillmaster for Windows") << "no script opened by itself";
  const std::optional<WindowGeometry> main = session.ActiveWindowGeometry();
  ASSERT_TRUE(main.has_value());

  // The first script is chosen: its row shows the selection.
  const int x = main->x + kIntoFileList;
  const Band first = SelectionBand(session, shot, x, main->y, main->y + main->height);
  ASSERT_GE(first.top, 0) << "no chosen script shows in the list";
  // The second row: one row's pitch (the selection and the gap under it) on.
  session.DoubleClick(x, first.top + first.height * 3 / 2 + 2);
  ASSERT_TRUE(session.WaitForWindowTitle("BRAVO.QMW")) << session.ActiveWindowTitle();
  session.Screenshot("startup_file_list_opened");

  // Closing it brings the list back, the keyboard in it, BRAVO chosen.
  session.Keys("ctrl+F4", 1500);
  ASSERT_TRUE(session.WaitForTitleGone("BRAVO.QMW")) << session.ActiveWindowTitle();
  session.Screenshot("startup_file_list_back");
  session.Keys("Delete", 1200);
  session.Screenshot("startup_file_list_delete_question");
  ASSERT_TRUE(session.ActivateWindowTitled("Are you Sure?")) << session.ActiveWindowTitle();
  EXPECT_TRUE(std::filesystem::exists(scripts + "/BRAVO.QMW")) << "erased before the answer";
  session.Type("YES", 250);
  ASSERT_TRUE(session.WaitForTitleGone("Are you Sure?")) << session.ActiveWindowTitle();
  EXPECT_TRUE(session.WaitForFileGone(scripts + "/BRAVO.QMW"));
  session.Screenshot("startup_file_list_deleted");
  EXPECT_TRUE(std::filesystem::exists(scripts + "/ALPHA.QMW"));
  EXPECT_TRUE(std::filesystem::exists(scripts + "/CHARLIE.QMW"));
  EXPECT_FALSE(session.ExitCode(100).has_value()) << "the program ended";
}

}  // namespace
}  // namespace qm::desktop
