// The Spell menu offers the outside dictionary program only where it is
// installed: named by the desktop settings, or beside the program.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/files.h"
#include "platform/menus.h"
#include "platform/profile.h"
#include "shell/main_form.h"
#include "support/program_fixture.h"
#include "support/temp_folder.h"

namespace qm {
namespace {

enum class Installed { Nowhere, BesideTheProgram, WhereTheSettingsSay, SettingsNameAnEmptyFolder };

struct DictionaryCase {
  const char* name;
  Installed where;
  bool offered;
};

// The program's folder: its data, and what a test adds beside it.
std::string ProgramFolderCopy(const testing::TempFolder& folder) {
  namespace fs = std::filesystem;
  for (const auto& entry : fs::directory_iterator(std::string(QM_BINARY_DIR) + "/data"))
    fs::create_symlink(entry.path(), fs::path(folder.Path()) / entry.path().filename());
  return folder.Path() + "/";
}

class OutsideDictionaryTest : public testing::ProgramFixture, public ::testing::WithParamInterface<DictionaryCase> {
 protected:
  void BeforeStart() override {
    switch (GetParam().where) {
      case Installed::Nowhere: break;
      case Installed::BesideTheProgram: testing::WriteFileText(programFolder_.File("MEGALEX.EXE"), "MZ"); break;
      case Installed::WhereTheSettingsSay:
        testing::WriteFileText(elsewhere_.File("MegaLex.EXE"), "MZ");
        ProfileWriteString("WIN.INI", "MegaLex Concise", "ProgDir", elsewhere_.Path());
        break;
      case Installed::SettingsNameAnEmptyFolder:
        testing::WriteFileText(programFolder_.File("MegaLex.EXE"), "MZ");
        ProfileWriteString("WIN.INI", "MegaLex Concise", "ProgDir", elsewhere_.Path());
        break;
    }
  }
  testing::TempFolder programFolder_;
  testing::ScopedEnv program_{"QUILLMASTER_PROGRAM_FOLDER", ProgramFolderCopy(programFolder_)};
  testing::TempFolder elsewhere_;
};

TEST_P(OutsideDictionaryTest, TheSpellMenuOffersTheDictionaryOnlyWhereItIsInstalled) {
  EXPECT_EQ(MainForm->MenuItem("MacquarieConciseItem")->Visible(), GetParam().offered);
}

INSTANTIATE_TEST_SUITE_P(Places, OutsideDictionaryTest,
                         ::testing::Values(DictionaryCase{"Nowhere", Installed::Nowhere, false},
                                           DictionaryCase{"BesideTheProgram", Installed::BesideTheProgram, true},
                                           DictionaryCase{"WhereTheSettingsSay", Installed::WhereTheSettingsSay, true},
                                           // The settings' folder is the one looked in.
                                           DictionaryCase{"SettingsNameAnEmptyFolder",
                                                          Installed::SettingsNameAnEmptyFolder, false}),
                         [](const ::testing::TestParamInfo<DictionaryCase>& info) { return info.param.name; });

}  // namespace
}  // namespace qm
