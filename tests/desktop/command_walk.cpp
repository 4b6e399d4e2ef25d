#include "desktop/command_walk.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <iostream>
#include <set>
#include <sstream>
#include <thread>

#include "shell/menu_table.h"

namespace qm::desktop {

namespace {

using R = TMenuRule;

// The letter after a caption's single "&" in capitals; 0 for none.
char MnemonicOf(const std::string& caption) {
  for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (caption[i + 1] == '&') {
      ++i;
      continue;
    }
    return static_cast<char>(std::toupper(static_cast<unsigned char>(caption[i + 1])));
  }
  return 0;
}

std::string KeyName(char letter) {
  if (std::isalnum(static_cast<unsigned char>(letter)))
    return std::string(1, static_cast<char>(std::tolower(static_cast<unsigned char>(letter))));
  if (letter == '/') return "slash";
  return std::string(1, letter);
}

std::string Caption(const TMenuRow& row) {
  std::string text;
  for (const char* c = row.caption; *c; ++c)
    if (*c != '&' || c[1] == '&') text += *c;
  const std::size_t start = text.find_first_not_of(' ');
  return start == std::string::npos ? text : text.substr(start);
}

bool ShownIn(const TMenuRow& row, bool interactive) {
  if (row.hidden || row.rule == R::StoryboardLinks) return false;
  return row.rule != R::Interactive || interactive;
}

// "Ctrl+Alt+B" as xdotool names it: "ctrl+alt+b".
std::string ShortCutKeys(const std::string& shortCut) {
  std::string keys;
  std::size_t start = 0;
  for (std::size_t plus; (plus = shortCut.find('+', start)) != std::string::npos; start = plus + 1) {
    std::string modifier = shortCut.substr(start, plus - start);
    for (char& c : modifier) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    keys += modifier + "+";
  }
  const std::string key = shortCut.substr(start);
  return keys + (key.size() == 1 ? KeyName(key[0]) : key);
}

// The keys that pick `row` among the rows shown beside it in its menu,
// which opens with its first item highlighted. A letter several items carry
// moves the highlight from one to the next; a sub-menu highlighted so opens,
// so an item whose letter a sub-menu shares is reached by its short cut.
std::string PickKeys(const std::vector<const TMenuRow*>& siblings, const TMenuRow* row) {
  const char letter = MnemonicOf(row->caption);
  std::string keys;
  if (!letter) {
    // No letter: from the menu's last item upwards.
    keys = "End";
    for (auto it = std::find(siblings.begin(), siblings.end(), row) + 1; it != siblings.end(); ++it)
      if (!(*it)->IsLine()) keys += " Up";
    return keys + " Return";
  }
  std::vector<const TMenuRow*> clashes;
  for (const TMenuRow* s : siblings)
    if (!s->IsLine() && MnemonicOf(s->caption) == letter) clashes.push_back(s);
  if (clashes.size() == 1) return KeyName(letter);
  const bool subMenuClash =
      std::any_of(clashes.begin(), clashes.end(), [&](const TMenuRow* s) { return s != row && !s->command; });
  if (subMenuClash && *row->shortCut) return "Escape Escape " + ShortCutKeys(row->shortCut);
  const auto first = std::find_if(siblings.begin(), siblings.end(), [](const TMenuRow* s) { return !s->IsLine(); });
  const int target = static_cast<int>(std::find(clashes.begin(), clashes.end(), row) - clashes.begin());
  const int count = static_cast<int>(clashes.size());
  const auto highlighted = std::find(clashes.begin(), clashes.end(), *first);
  const int presses = highlighted == clashes.end()
                          ? target + 1
                          : (target - static_cast<int>(highlighted - clashes.begin()) + count) % count;
  for (int i = 0; i < presses; ++i) keys += KeyName(letter) + " ";
  return keys + "Return";
}

struct Node {
  const TMenuRow* row = nullptr;
  std::vector<Node> children;
};

Node MenuTree(bool interactive) {
  Node root;
  std::vector<Node*> path{&root};
  for (const TMenuRow& row : MainMenuRows()) {
    while (path.size() > row.depth) path.pop_back();
    Node* parent = path.back();
    if (!ShownIn(row, interactive) || (parent != &root && !parent->row)) {
      // A hidden menu hides its items: they go under a placeholder.
      parent->children.push_back(Node{});
      path.push_back(&parent->children.back());
      continue;
    }
    parent->children.push_back(Node{&row, {}});
    path.push_back(&parent->children.back());
  }
  return root;
}

void Collect(const Node& menu, const std::string& path, const std::string& keys, bool onlyInteractive,
             bool underInteractive, std::vector<MenuCommand>& out) {
  std::vector<const TMenuRow*> siblings;
  for (const Node& child : menu.children)
    if (child.row) siblings.push_back(child.row);
  for (const Node& child : menu.children) {
    if (!child.row || child.row->IsLine()) continue;
    const std::string here = path + " > " + Caption(*child.row);
    const std::string pick = keys + " " + PickKeys(siblings, child.row);
    const bool interactiveItem = underInteractive || child.row->rule == R::Interactive;
    if (!child.children.empty()) {
      Collect(child, here, pick, onlyInteractive, interactiveItem, out);
    } else if (child.row->command && (!onlyInteractive || interactiveItem)) {
      out.push_back({child.row->name, here, pick});
    }
  }
}

void SleepMs(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

std::set<std::string> ProgramWindows(DesktopSession& session) {
  std::istringstream in(session.Run(
      {"xdotool", "search", "--onlyvisible", "--pid", std::to_string(session.ProgramPid()), "--name", "."}));
  std::set<std::string> windows;
  for (std::string id; in >> id;) windows.insert(id);
  return windows;
}

std::vector<std::string> NewWindows(DesktopSession& session, const std::set<std::string>& before) {
  std::vector<std::string> found;
  for (const std::string& id : ProgramWindows(session))
    if (!before.contains(id)) found.push_back(id);
  return found;
}

std::vector<std::string> WaitForNewWindows(DesktopSession& session, const std::set<std::string>& before, int ms) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  for (;;) {
    std::vector<std::string> found = NewWindows(session, before);
    if (!found.empty() || std::chrono::steady_clock::now() >= end) return found;
    SleepMs(150);
  }
}

bool WaitForWindowsGone(DesktopSession& session, const std::set<std::string>& before, int ms) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  while (!NewWindows(session, before).empty()) {
    if (std::chrono::steady_clock::now() >= end) return false;
    SleepMs(150);
  }
  return true;
}

std::string Titles(DesktopSession& session, const std::vector<std::string>& windows) {
  std::string titles;
  for (const std::string& id : windows) {
    std::string name = session.Run({"xdotool", "getwindowname", id});
    while (!name.empty() && name.back() == '\n') name.pop_back();
    titles += (titles.empty() ? "\"" : ", \"") + name + "\"";
  }
  return titles;
}

std::string ShotName(const MenuCommand& command) { return "walk_" + command.name; }

// Typed after each window: keys the script's own text never holds (it is
// "INT. HALL - DAY" and "The door opens ").
const std::string kMarkers = "bcfgjkmquvwxz0123456789";

// A text cut at its control's edge, or a control drawn over another, in
// any window the command showed.
void NoteCutTexts(DesktopSession& session, const std::string& path, WalkReport& report) {
  for (const std::string& cut : session.CutTexts()) report.faults.push_back(path + ": in " + cut);
}

}  // namespace

std::vector<MenuCommand> MenuCommandsUnder(const std::vector<std::string>& menus, bool interactive,
                                           bool onlyInteractive) {
  const Node root = MenuTree(interactive);
  std::vector<const TMenuRow*> tops;
  for (const Node& top : root.children)
    if (top.row) tops.push_back(top.row);
  std::vector<MenuCommand> commands;
  for (const Node& top : root.children) {
    if (!top.row || std::find(menus.begin(), menus.end(), top.row->name) == menus.end()) continue;
    const char letter = MnemonicOf(top.row->caption);
    Collect(top, Caption(*top.row), "alt+" + KeyName(letter), onlyInteractive, false, commands);
  }
  return commands;
}

std::string MenuKeysOf(const std::string& item, bool interactive) {
  std::vector<std::string> menus;
  for (const Node& top : MenuTree(interactive).children)
    if (top.row) menus.push_back(top.row->name);
  for (const MenuCommand& command : MenuCommandsUnder(menus, interactive))
    if (command.name == item) return command.keys;
  return {};
}

void WalkCommands(DesktopSession& session, const std::vector<MenuCommand>& commands, WalkReport& report) {
  const auto& table = CommandExpectations();
  NoteCutTexts(session, "before the walk", report);
  for (const MenuCommand& command : commands) {
    const auto known = table.find(command.name);
    if (known != table.end() && known->second.kind != Expectation::Window) continue;
    std::cerr << "walk: " << command.path << " (" << command.keys << ")\n";
    const std::set<std::string> before = ProgramWindows(session);
    session.Keys(command.keys, 300);
    const std::vector<std::string> shown = WaitForNewWindows(session, before, known == table.end() ? 2500 : 8000);
    if (session.ExitCode(0)) {
      report.faults.push_back(command.path + ": the program ended");
      return;
    }
    const std::string titles = Titles(session, shown);
    if (known == table.end()) {
      report.faults.push_back(command.path + " (" + command.name + ") is not in the walk's table; it showed " +
                              (shown.empty() ? "no window" : titles));
      if (shown.empty()) continue;
    } else if (shown.empty()) {
      report.faults.push_back(command.path + ": no window came");
      session.Screenshot(ShotName(command));
      continue;
    } else if (titles.find(known->second.text) == std::string::npos) {
      report.faults.push_back(command.path + ": shows " + titles + ", not \"" + known->second.text + "\"");
    }
    session.Screenshot(ShotName(command));
    NoteCutTexts(session, command.path, report);
    const std::string keys = known == table.end() ? "Escape" : known->second.keys;
    session.Keys(keys, 500);
    // A window may close into the next (a summary, a question on the
    // answer), often the same message window shown again: each closes with
    // Escape in turn, or with Return when it is a message that offers one
    // answer.
    std::vector<std::string> left = NewWindows(session, before);
    for (int round = 0; round < 6 && !left.empty(); ++round) {
      if (WaitForWindowsGone(session, before, 2500)) {
        left.clear();
        break;
      }
      const std::vector<std::string> now = NewWindows(session, before);
      session.Keys(now == left && round % 2 == 1 ? "Return" : "Escape", 500);
      left = now;
    }
    NoteCutTexts(session, command.path, report);
    if (!left.empty() && !WaitForWindowsGone(session, before, 1500)) {
      report.faults.push_back(command.path + ": " + Titles(session, NewWindows(session, before)) + " stays after " +
                              keys);
      session.Screenshot(ShotName(command) + "_stays");
      // Out of the way for the next command.
      for (int tries = 0; tries < 3 && !NewWindows(session, before).empty(); ++tries) session.Keys("alt+F4", 800);
      continue;
    }
    if (session.ExitCode(0)) {
      report.faults.push_back(command.path + ": the program ended as the window closed");
      return;
    }
    const char marker = kMarkers[report.markers.size() % kMarkers.size()];
    session.Type(std::string(1, marker), 150);
    report.markers.emplace_back(marker, command.path);
  }
}

void CheckMarkers(const std::string& scriptText, WalkReport& report) {
  std::map<char, int> inText;
  for (char c : scriptText) ++inText[static_cast<char>(std::tolower(static_cast<unsigned char>(c)))];
  std::map<char, int> typed;
  for (const auto& [letter, path] : report.markers) ++typed[letter];
  for (const auto& [letter, path] : report.markers)
    if (inText[letter] < typed[letter])
      report.faults.push_back(std::string("a key typed after ") + path + " (\"" + letter + "\", typed " +
                              std::to_string(typed[letter]) + " times, found " + std::to_string(inText[letter]) +
                              ") did not reach the script");
}

}  // namespace qm::desktop
