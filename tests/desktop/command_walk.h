// The walk through every command of the main window's menus on a real
// display: the commands come from the program's own menu table, each is
// opened through its menu with the keyboard as a writer would, and the
// window it shows is closed again.
#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "desktop/desktop_session.h"

namespace qm::desktop {

// One command as the walk reaches it: its item's name, its place in the
// menus ("Format > Cheat > Script") and the keys that run it from the
// script (Alt and the menu's letter, then each item's letter; a letter
// several items carry is pressed until the item is highlighted, then
// Return).
struct MenuCommand {
  std::string name;
  std::string path;
  std::string keys;
};

// The commands under the top-level menus named (e.g. "FileMenu"), as they
// show in a normal script or in an interactive one: items of the multimedia
// set only in an interactive script, and only they when `onlyInteractive`.
std::vector<MenuCommand> MenuCommandsUnder(const std::vector<std::string>& menus, bool interactive,
                                           bool onlyInteractive = false);

// The keys that run the command of the menu item named, from the script
// ("" when no menu shows it).
std::string MenuKeysOf(const std::string& item, bool interactive);

// What a command does on the screen, as the walk expects it.
struct Expectation {
  enum Kind {
    Window,    // shows a window whose title holds `text`; `keys` close it
    NoWindow,  // changes the script or a setting, or moves the caret: not walked
    NotWalked  // ends the session, or needs what the walk does not set up (`text` says why)
  } kind;
  std::string text;
  std::string keys = "Escape";
};

// The walk's knowledge of every command of the menu table, by item name.
const std::map<std::string, Expectation>& CommandExpectations();

// Outcome of walking a list of commands in one session.
struct WalkReport {
  std::vector<std::string> faults;  // one line each
  // The letter typed after each window closed, with the command it followed.
  std::vector<std::pair<char, std::string>> markers;
};

// Runs each command, checks that the window it shows comes up while the
// program keeps running, draws no text wider than its control and no
// control over another, and goes
// again with its keys, then types one letter that must reach the script. A command the table does not know is run too
// and reported, with what it showed, so that the table follows the menus.
void WalkCommands(DesktopSession& session, const std::vector<MenuCommand>& commands, WalkReport& report);

// Each typed letter must be in the script's text, in order (any case): a
// letter lost is reported with the command whose window took it.
void CheckMarkers(const std::string& scriptText, WalkReport& report);

}  // namespace qm::desktop
