// Every command of the menus on a real display, in a script with text: the
// window each shows comes up while the program keeps running, shows each
// label's, button's and message's text whole, closes with Escape (or its
// own answer), and the key typed next reaches the script.
// The commands come from the program's menu table; each menu walks in a
// test of its own so that they run side by side.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "desktop/command_walk.h"
#include "support/temp_folder.h"

namespace qm::desktop {
namespace {

struct WalkCase {
  const char* name;
  std::vector<std::string> menus;
  bool interactive;
  int part = 0;  // of `parts`: a long menu walks in several sessions
  int parts = 1;
};

std::vector<MenuCommand> PartOf(const std::vector<MenuCommand>& all, int part, int parts) {
  const std::size_t from = all.size() * static_cast<std::size_t>(part) / static_cast<std::size_t>(parts);
  const std::size_t to = all.size() * static_cast<std::size_t>(part + 1) / static_cast<std::size_t>(parts);
  return {all.begin() + static_cast<std::ptrdiff_t>(from), all.begin() + static_cast<std::ptrdiff_t>(to)};
}

void PrintFaults(const WalkReport& report) {
  std::string all;
  for (const std::string& fault : report.faults) all += "\n  " + fault;
  ADD_FAILURE() << report.faults.size() << " faults:" << all;
}

class CommandWalkDesktopTest : public ::testing::TestWithParam<WalkCase> {};

TEST_P(CommandWalkDesktopTest, EveryWindowOpensAndClosesAndTheNextKeyReachesTheScript) {
  const WalkCase& c = GetParam();
  const testing::TempFolder home;
  if (c.interactive) std::ofstream(home.File("QUILLPAD.INI")) << "[Format Options]\nInteractive Script=1\n";
  DesktopSession session({}, home.Path());
  ASSERT_TRUE(session.Ready()) << session.Failure();
  const std::vector<MenuCommand> commands =
      PartOf(MenuCommandsUnder(c.menus, c.interactive, c.interactive), c.part, c.parts);
  ASSERT_FALSE(commands.empty());
  session.ClickInScript();
  // An interactive script's Return asks for the next element's type.
  if (!c.interactive) {
    session.Type("INT. HALL - DAY");
    session.Keys("Return");
  }
  session.Type("The door opens ");
  WalkReport report;
  WalkCommands(session, commands, report);
  if (!session.ExitCode(0)) CheckMarkers(session.ScriptText(), report);
  session.Screenshot(std::string("walk_end_") + c.name);
  if (!report.faults.empty()) PrintFaults(report);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Menus, CommandWalkDesktopTest,
    ::testing::Values(WalkCase{"File", {"FileMenu"}, false},
                      WalkCase{"Edit", {"EditMenu"}, false},
                      WalkCase{"Format1", {"FormatMenu"}, false, 0, 2},
                      WalkCase{"Format2", {"FormatMenu"}, false, 1, 2},
                      WalkCase{"SearchGoto", {"SearchMenu", "GotoMenu"}, false},
                      WalkCase{"SpellWindow", {"SpellMenu", "WindowMenu"}, false},
                      WalkCase{"Help", {"HelpMenu"}, false},
                      WalkCase{"Production1", {"ProductionMenu"}, false, 0, 3},
                      WalkCase{"Production2", {"ProductionMenu"}, false, 1, 3},
                      WalkCase{"Production3", {"ProductionMenu"}, false, 2, 3},
                      WalkCase{"Interactive", {"FileMenu", "FormatMenu"}, true}),
    [](const ::testing::TestParamInfo<WalkCase>& info) { return std::string(info.param.name); });
// clang-format on

}  // namespace
}  // namespace qm::desktop
