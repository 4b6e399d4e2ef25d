// Once the program has started, every hook a lower folder calls up through
// is set: an empty hook does nothing, so one never wired would go unseen.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "support/hook_tables.h"
#include "support/program_fixture.h"

namespace qm {
namespace {

class HookWiringTest : public testing::ProgramFixture {};

// Members that are empty between uses by design, each with its reason.
const std::map<std::string, std::vector<std::string>> kSetOnlyWhileInUse = {
    // The progress dialog sets them for the job it runs and clears them after.
    {"FileJobHooks", {"Percentage", "CancelPressed", "Done"}},
    // The printing progress dialog sets them for the run it shows.
    {"PrintRunHooks", {"Status", "Ended"}},
};

// Tables handed to a call rather than held in a global.
const std::set<std::string> kPassedAsArguments = {"TGraphPrintHooks"};

template <class Hooks>
std::pair<std::string, std::vector<std::string>> Unset(const char* table, const Hooks& hooks) {
  return {table, testing::UnsetHookMembers(hooks)};
}

std::vector<std::pair<std::string, std::vector<std::string>>> UnsetMembersOfEveryTable() {
  return {
      Unset("MessageBoxHooks", MessageBoxHooks),
      Unset("ScriptWindowHooks", ScriptWindowHooks),
      Unset("TypingAidHooks", TypingAidHooks),
      Unset("BlockSelectionHooks", BlockSelectionHooks),
      Unset("ActivationHooks", ActivationHooks),
      Unset("KeyCommandHooks", KeyCommandHooks),
      Unset("WheelHooks", WheelHooks),
      Unset("ScriptPopupHooks", ScriptPopupHooks),
      Unset("ScriptClickHooks", ScriptClickHooks),
      Unset("UndoHooks", UndoHooks),
      Unset("FileJobHooks", FileJobHooks),
      Unset("PrintMenuHooks", PrintMenuHooks),
      Unset("PrintRunHooks", PrintRunHooks),
      Unset("SetListHooks", SetListHooks),
      Unset("BreakdownDialogHooks", BreakdownDialogHooks),
      Unset("StoryboardHooks", story::StoryboardHooks),
      Unset("SpellDialogHooks", SpellDialogHooks),
      Unset("CharWidthHooks", CharWidthHooks),
  };
}

// Every hook table declared in the sources, by its type's name.
std::set<std::string> DeclaredHookTables() {
  std::set<std::string> tables;
  const std::regex declaration(R"(struct (T\w+Hooks) \{)");
  for (const auto& entry : std::filesystem::recursive_directory_iterator(QM_SOURCE_DIR "/src")) {
    if (entry.path().extension() != ".h") continue;
    std::stringstream text;
    text << std::ifstream(entry.path()).rdbuf();
    const std::string source = text.str();
    for (std::sregex_iterator it(source.begin(), source.end(), declaration), end; it != end; ++it)
      tables.insert((*it)[1]);
  }
  return tables;
}

TEST(HookTablesTest, TheCheckCoversEveryHookTableOfTheSources) {
  std::set<std::string> checked = kPassedAsArguments;
  for (const auto& [table, unset] : UnsetMembersOfEveryTable()) checked.insert("T" + table);
  EXPECT_EQ(checked, DeclaredHookTables());
}

TEST_F(HookWiringTest, EveryHookIsSetOnceTheProgramHasStarted) {
  ASSERT_TRUE(Started());
  for (const auto& [table, unset] : UnsetMembersOfEveryTable()) {
    const auto optional = kSetOnlyWhileInUse.find(table);
    const std::vector<std::string> allowed =
        optional == kSetOnlyWhileInUse.end() ? std::vector<std::string>{} : optional->second;
    std::vector<std::string> missing;
    for (const std::string& member : unset)
      if (std::find(allowed.begin(), allowed.end(), member) == allowed.end()) missing.push_back(table + "." + member);
    EXPECT_EQ(missing, std::vector<std::string>{}) << "left unset after start-up";
  }
}

}  // namespace
}  // namespace qm
