// Saving as a Word file on the real desktop: the script goes to the
// converter on the desktop's clipboard, and LibreOffice writes the file.
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <iterator>
#include <thread>

#include "desktop/desktop_session.h"

namespace qm::desktop {
namespace {

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(WordExportDesktopTest, AHeadingSavedAsWordReachesTheFile) {
  if (FindProgram("soffice").empty()) GTEST_SKIP() << "LibreOffice is not installed";
  DesktopSession session;
  ASSERT_TRUE(session.Ready()) << session.Failure();
  session.ClickInScript();
  session.Type("INT. HALL - DAY", 250);
  session.Keys("F10");
  ASSERT_TRUE(session.WaitForWindowTitle("Save")) << session.ActiveWindowTitle();
  const std::string target = session.Home() + "/HALL.DOC";
  session.Type(target, 40);
  // The file type list follows the name: "MS Word for Windows" is third from its end.
  session.Keys("Tab End Up Up");
  session.Screenshot("word_export_dialog");
  session.Keys("Return");
  std::string bytes;
  for (int i = 0; i < 120 && bytes.size() < 512; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    bytes = ReadAll(target);
  }
  session.Screenshot("word_export_done");
  ASSERT_TRUE(bytes.starts_with(std::string("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8))) << "a Word file at " << target;
  // Word 97 keeps its text in single bytes or in UTF-16.
  std::string wide;
  for (char c : std::string("INT. HALL - DAY")) wide += std::string{c, '\0'};
  EXPECT_TRUE(bytes.find("INT. HALL - DAY") != std::string::npos || bytes.find(wide) != std::string::npos);
}

}  // namespace
}  // namespace qm::desktop
