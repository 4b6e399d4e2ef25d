// Format > Character Set opens the desktop's character map on the font of
// the element being typed, or says that none is installed and which
// package gives one.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include "platform/files.h"
#include "platform/menus.h"
#include "script/layout/char_widths.h"
#include "script/script_window.h"
#include "shell/main_form.h"
#include "support/message_box_answers.h"
#include "support/program_fixture.h"
#include "support/temp_folder.h"

namespace qm {
namespace {

class CharacterMapTest : public testing::ProgramFixture {
 protected:
  // A stand-in for a character map program that notes how it was started.
  void InstallMap(const char* program) {
    const std::string path = tools_.File(program);
    testing::WriteFileText(path, "#!/bin/sh\necho \"$0 $*\" >> " + Called() + "\n");
    chmod(path.c_str(), 0755);
  }
  std::string Called() const { return tools_.File("called.txt"); }
  // What the started programs noted, once they have.
  std::string WaitForCalls(std::size_t lines) {
    for (int i = 0; i < 500; ++i) {
      const std::string text = testing::ReadFileText(Called());
      if (static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) >= lines) return text;
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return testing::ReadFileText(Called());
  }
  void Choose() { MainForm->MenuItem("CharacterSetInformation1")->Click(); }
  testing::TempFolder tools_;
};

TEST_F(CharacterMapTest, TheMapOpensOnTheElementsFont) {
  InstallMap("gucharmap");
  InstallMap("kcharselect");
  testing::ScopedEnv programFolder("QUILLMASTER_PROGRAM_FOLDER", tools_.Path());
  testing::ScopedEnv path("PATH", tools_.Path());
  Script().SetFocus();
  const std::string font = ElementFontName(Script(), Script().CurrentElement());
  const int size = Script().CurrentElement()->format.FontSize;
  const std::string once = tools_.File("gucharmap") + " --font=" + font + " " + std::to_string(size) + "\n";
  Choose();
  EXPECT_EQ(WaitForCalls(1), once) << "the first map found, on the element's font";
  Choose();
  EXPECT_EQ(WaitForCalls(2), once + once) << "asked again, the running map is asked to come forward";
}

TEST_F(CharacterMapTest, KcharselectServesWhenItIsTheOnlyMap) {
  InstallMap("kcharselect");
  testing::ScopedEnv programFolder("QUILLMASTER_PROGRAM_FOLDER", tools_.Path());
  testing::ScopedEnv path("PATH", tools_.Path());
  Choose();
  EXPECT_EQ(WaitForCalls(1), tools_.File("kcharselect") + " \n");
}

TEST_F(CharacterMapTest, WithoutAMapTheWriterIsToldWhichPackageGivesOne) {
  testing::ScopedEnv programFolder("QUILLMASTER_PROGRAM_FOLDER", tools_.Path());
  testing::ScopedEnv path("PATH", tools_.Path());
  std::string shown;
  Driver().Expect(
      [&shown](TForm& box) {
        shown = testing::MessageBoxText(box);
        box.ModalResult = mrOk;
      },
      "the no-map notice");
  Choose();
  EXPECT_EQ(Driver().Pending(), 0) << "the writer is told, never nothing";
  EXPECT_NE(shown.find("No character map is installed"), std::string::npos) << shown;
  EXPECT_NE(shown.find("gucharmap"), std::string::npos) << "names the package";
}

}  // namespace
}  // namespace qm
