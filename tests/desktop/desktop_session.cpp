#include "desktop/desktop_session.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <thread>
#include <utility>

namespace qm::desktop {

namespace {

void SleepMs(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

std::vector<std::string> Words(const std::string& text) {
  std::istringstream in(text);
  std::vector<std::string> words;
  for (std::string w; in >> w;) words.push_back(w);
  return words;
}

std::string StripTrailingNewline(std::string text) {
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
  return text;
}

std::string ShotFolder() {
  const std::string folder = std::string(QM_BINARY_DIR) + "/desktop-shots";
  mkdir(folder.c_str(), 0755);
  return folder;
}

std::string ShellQuoted(const std::string& word) {
  std::string quoted = "'";
  for (char c : word) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

}  // namespace

void WriteBackupDriveSettings(const std::string& home, const std::string& drive) {
  testing::WriteFileText(
      home + "/QUILLPAD.INI",
      "[Program Settings]\nExpert Prompting=1\n[Save/Retrieve]\nFloppy Backup=1\nBackup Drive=" + drive + "\n");
}

std::string FindProgram(const std::string& name) {
  const char* path = std::getenv("PATH");
  std::istringstream dirs(path ? path : "/usr/bin:/bin");
  for (std::string dir; std::getline(dirs, dir, ':');) {
    const std::string candidate = dir + "/" + name;
    if (access(candidate.c_str(), X_OK) == 0) return candidate;
  }
  return {};
}

DesktopSession::DesktopSession(const std::vector<std::string>& args, const std::string& home) {
  if (home.empty()) {
    ownHome_ = std::make_unique<testing::TempFolder>();
    home_ = ownHome_->Path();
  } else {
    home_ = home;
  }
  const char* old = std::getenv("DISPLAY");
  hadDisplay_ = old != nullptr;
  if (old) oldDisplay_ = old;
  if (StartDisplay()) StartProgram(args);
}

DesktopSession::~DesktopSession() {
  program_.reset();
  windowManager_.reset();
  if (server_) server_->Kill();
  server_.reset();
  if (hadDisplay_) {
    setenv("DISPLAY", oldDisplay_.c_str(), 1);
  } else {
    unsetenv("DISPLAY");
  }
}

bool DesktopSession::StartDisplay() {
  const std::string xvfb = FindProgram("Xvfb");
  const std::string openbox = FindProgram("openbox");
  if (xvfb.empty() || openbox.empty() || FindProgram("xdotool").empty() || FindProgram("xclip").empty()) {
    failure_ = "Xvfb, openbox, xdotool and xclip are needed (scripts/common.sh installs them)";
    return false;
  }
  // The server picks a free display and tells its number on standard output.
  server_ = std::make_unique<testing::ChildProcess>(
      xvfb, std::vector<std::string>{"-displayfd", "1", "-screen", "0", "1400x900x24", "-nolisten", "tcp", "-noreset"});
  const std::optional<std::string> number = server_->ReadLine(20000);
  if (!number || number->empty()) {
    failure_ = "the virtual display did not start";
    return false;
  }
  display_ = ":" + *number;
  setenv("DISPLAY", display_.c_str(), 1);
  windowManager_ = std::make_unique<testing::ChildProcess>(openbox, std::vector<std::string>{},
                                                           std::vector<std::string>{"DISPLAY=" + display_});
  SleepMs(800);
  return true;
}

bool DesktopSession::StartProgram(const std::vector<std::string>& args) {
  program_ = std::make_unique<testing::ChildProcess>(
      QM_PROGRAM_PATH, args,
      std::vector<std::string>{"DISPLAY=" + display_, "QUILLMASTER_HOME=" + home_, "QT_QPA_PLATFORM=xcb",
                               "QUILLMASTER_CUT_TEXT_LOG=" + logs_.File("cut-texts.log")});
  if (!program_->Started()) {
    failure_ = "the program did not start";
    return false;
  }
  // The main window is up once its title shows; the splash screen comes first.
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  while (std::chrono::steady_clock::now() < end) {
    const std::string found =
        Run({"xdotool", "search", "--onlyvisible", "--pid", std::to_string(ProgramPid()), "--name", "Quillmaster"});
    if (!found.empty()) {
      mainWindow_ = Words(found).front();
      break;
    }
    if (ExitCode(0)) break;
    SleepMs(250);
  }
  if (mainWindow_.empty()) {
    failure_ = "the program's main window did not show";
    return false;
  }
  Run({"xdotool", "windowactivate", "--sync", mainWindow_});
  Settle(1500);
  return true;
}

std::vector<std::string> DesktopSession::CutTexts() {
  const std::string log = testing::ReadFileText(logs_.File("cut-texts.log"));
  // Whole lines only: the program may be writing the next.
  const std::size_t end = log.rfind('\n') == std::string::npos ? 0 : log.rfind('\n') + 1;
  std::vector<std::string> lines;
  std::istringstream in(end > cutTextsRead_ ? log.substr(cutTextsRead_, end - cutTextsRead_) : std::string());
  for (std::string line; std::getline(in, line);)
    if (!line.empty()) lines.push_back(line);
  cutTextsRead_ = std::max(cutTextsRead_, end);
  return lines;
}

std::string DesktopSession::Run(const std::vector<std::string>& argv, int timeoutMs) {
  if (argv.empty() || FindProgram(argv.front()).empty()) return {};
  std::string command = "DISPLAY=" + ShellQuoted(display_) + " timeout " + std::to_string((timeoutMs + 999) / 1000);
  for (const std::string& word : argv) command += " " + ShellQuoted(word);
  return testing::CommandOutput(command + " 2>/dev/null");
}

void DesktopSession::Type(const std::string& text, int msPerKey) {
  Run({"xdotool", "type", "--delay", std::to_string(msPerKey), "--", text},
      static_cast<int>(text.size()) * (msPerKey + 200) + 10000);
  Settle();
}

void DesktopSession::Keys(const std::string& keys, int pauseMs) {
  for (const std::string& key : Words(keys)) {
    Run({"xdotool", "key", "--clearmodifiers", key});
    SleepMs(pauseMs);
  }
}

void DesktopSession::Click(int x, int y, int button) {
  Run({"xdotool", "mousemove", "--sync", std::to_string(x), std::to_string(y)});
  SleepMs(150);
  Run({"xdotool", "click", std::to_string(button)});
  SleepMs(400);
}

void DesktopSession::DoubleClick(int x, int y) {
  Run({"xdotool", "mousemove", "--sync", std::to_string(x), std::to_string(y)});
  SleepMs(150);
  Run({"xdotool", "click", "--repeat", "2", "--delay", "80", "1"});
  SleepMs(400);
}

void DesktopSession::Drag(int fromX, int fromY, int toX, int toY) {
  Run({"xdotool", "mousemove", "--sync", std::to_string(fromX), std::to_string(fromY)});
  SleepMs(150);
  Run({"xdotool", "mousedown", "1"});
  constexpr int kSteps = 8;
  for (int step = 1; step <= kSteps; ++step) {
    SleepMs(60);
    Run({"xdotool", "mousemove", std::to_string(fromX + (toX - fromX) * step / kSteps),
         std::to_string(fromY + (toY - fromY) * step / kSteps)});
  }
  SleepMs(150);
  Run({"xdotool", "mouseup", "1"});
  SleepMs(400);
}

void DesktopSession::ClickInScript() {
  const std::optional<WindowGeometry> main = MainWindowGeometry();
  if (!main) return;
  Click(main->x + main->width / 3, main->y + main->height / 2);
}

bool DesktopSession::ClickElementButton(int row) {
  const std::optional<WindowGeometry> main = ActiveWindowGeometry();
  if (!main) return false;
  Click(main->x + main->width - kElementButtonFromRight, main->y + kFirstElementButtonY + row * kElementButtonStep);
  Settle(400);
  return true;
}

void DesktopSession::Settle(int ms) { SleepMs(ms); }

std::string DesktopSession::ActiveWindowTitle() {
  return StripTrailingNewline(Run({"xdotool", "getactivewindow", "getwindowname"}));
}

namespace {

std::optional<WindowGeometry> ParseGeometry(const std::string& shell) {
  WindowGeometry g;
  int found = 0;
  std::istringstream in(shell);
  for (std::string line; std::getline(in, line);) {
    const std::size_t eq = line.find('=');
    if (eq == std::string::npos) continue;
    const std::string name = line.substr(0, eq);
    const int value = std::atoi(line.c_str() + eq + 1);
    if (name == "X") g.x = value, ++found;
    if (name == "Y") g.y = value, ++found;
    if (name == "WIDTH") g.width = value, ++found;
    if (name == "HEIGHT") g.height = value, ++found;
  }
  if (found != 4) return std::nullopt;
  return g;
}

}  // namespace

std::optional<WindowGeometry> DesktopSession::ActiveWindowGeometry() {
  return ParseGeometry(Run({"xdotool", "getactivewindow", "getwindowgeometry", "--shell"}));
}

std::optional<WindowGeometry> DesktopSession::MainWindowGeometry() {
  if (mainWindow_.empty()) return std::nullopt;
  return GeometryOf(mainWindow_);
}

std::optional<WindowGeometry> DesktopSession::GeometryOf(const std::string& window) {
  return ParseGeometry(Run({"xdotool", "getwindowgeometry", "--shell", window}));
}

namespace {

// "x:10 y:20 screen:0 window:123" as xdotool getmouselocation prints it.
std::optional<std::pair<int, int>> ParseMouseLocation(const std::string& text) {
  const std::size_t x = text.find("x:");
  const std::size_t y = text.find(" y:");
  if (x == std::string::npos || y == std::string::npos) return std::nullopt;
  return std::make_pair(std::atoi(text.c_str() + x + 2), std::atoi(text.c_str() + y + 3));
}

}  // namespace

std::optional<WindowGeometry> DesktopSession::ActiveClientArea() {
  return ClientArea(StripTrailingNewline(Run({"xdotool", "getactivewindow"})));
}

std::optional<WindowGeometry> DesktopSession::ClientArea(const std::string& window) {
  std::optional<WindowGeometry> area = window.empty() ? std::nullopt : GeometryOf(window);
  const auto pointer = ParseMouseLocation(Run({"xdotool", "getmouselocation"}));
  if (!area || !pointer) return std::nullopt;
  Run({"xdotool", "mousemove", "--window", window, "0", "0"});
  const auto corner = ParseMouseLocation(Run({"xdotool", "getmouselocation"}));
  Run({"xdotool", "mousemove", std::to_string(pointer->first), std::to_string(pointer->second)});
  if (!corner) return std::nullopt;
  area->x = corner->first;
  area->y = corner->second;
  return area;
}

bool DesktopSession::WaitForWindowTitle(const std::string& part, int seconds) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
  while (std::chrono::steady_clock::now() < end) {
    if (ActiveWindowTitle().find(part) != std::string::npos) return true;
    SleepMs(200);
  }
  return false;
}

bool DesktopSession::WaitForTitleGone(const std::string& part, int seconds) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
  while (std::chrono::steady_clock::now() < end) {
    if (ActiveWindowTitle().find(part) == std::string::npos) return true;
    SleepMs(200);
  }
  return false;
}

bool DesktopSession::AnswerBox(const std::string& title, const std::string& keys) {
  if (!WaitForWindowTitle(title)) return false;
  const std::string box = StripTrailingNewline(Run({"xdotool", "getactivewindow"}));
  if (box.empty()) return false;
  // xdotool reports when the box loses the keyboard, however briefly.
  testing::ChildProcess watcher(FindProgram("xdotool"), {"behave", box, "blur", "exec", "echo", "blur"},
                                {"DISPLAY=" + display_});
  if (!watcher.Started()) return false;
  SleepMs(600);  // it watches once it has started
  Keys(keys);
  if (watcher.ReadLine(20000)) return true;
  // Lost only if the watcher came too late; then the box is gone.
  return ActiveWindowTitle().find(title) == std::string::npos;
}

std::string DesktopSession::WaitForVisibleWindow(const std::string& name, int seconds) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
  while (std::chrono::steady_clock::now() < end) {
    const std::string found = Run({"xdotool", "search", "--onlyvisible", "--name", name});
    if (!found.empty()) return found.substr(0, found.find('\n'));
    SleepMs(200);
  }
  return {};
}

bool DesktopSession::ActivateWindowTitled(const std::string& title) {
  const std::string window = WaitForVisibleWindow(title);
  if (window.empty()) return false;
  Run({"xdotool", "windowactivate", "--sync", window});
  return WaitForWindowTitle(title, 5);
}

std::string DesktopSession::ScriptText() {
  Keys("ctrl+a ctrl+Insert", 700);
  std::string text = Clipboard();
  std::erase(text, '\r');
  return text;
}

bool DesktopSession::WaitForFile(const std::string& path) {
  std::error_code error;
  for (int tries = 0; tries < 40; ++tries) {
    if (std::filesystem::file_size(path, error) > 0 && !error) return true;
    Settle(500);
  }
  return false;
}

bool DesktopSession::WaitForFileGone(const std::string& path) {
  for (int tries = 0; tries < 40; ++tries) {
    if (!std::filesystem::exists(path)) return true;
    Settle(250);
  }
  return false;
}

std::string DesktopSession::PrintedText() {
  Keys("ctrl+p");
  if (!WaitForWindowTitle("Print...")) return {};
  Keys("Return");
  if (!ActivateWindowTitled("Print to PDF")) return {};
  Keys("Return", 1500);
  if (!ActivateWindowTitled("Print to PDF")) return {};
  Keys("Return");
  const std::string pdf = home_ + "/Scripts/NONAME1.pdf";
  WaitForFile(pdf);
  Settle(500);
  return testing::CommandOutput("pdftotext -layout '" + pdf + "' -");
}

bool DesktopSession::SaveScriptAs(const std::string& name) {
  Keys("F10");
  if (!WaitForWindowTitle("Save As")) return false;
  Type(name, 120);
  Keys("Return");
  return WaitForWindowTitle(name + ".QMW");
}

std::string DesktopSession::Clipboard() { return Run({"xclip", "-o", "-selection", "clipboard"}); }

void DesktopSession::SetClipboard(const std::string& text) {
  const std::string file = home_ + "/.desktop-clipboard.txt";
  testing::WriteFileText(file, text);
  // xclip stays to serve the selection until another program takes it.
  const std::string command =
      "DISPLAY=" + ShellQuoted(display_) + " xclip -selection clipboard -i " + ShellQuoted(file) + " >/dev/null 2>&1 &";
  if (std::system(command.c_str()) != 0) return;
  SleepMs(500);
}

std::string DesktopSession::Screenshot(const std::string& name) {
  const std::string path = ShotFolder() + "/" + name + ".png";
  Run({"import", "-display", display_, "-window", "root", path});
  return path;
}

std::optional<int> DesktopSession::ExitCode(int waitMs) {
  if (!program_) return std::nullopt;
  return program_->ExitCode(waitMs);
}

std::uint32_t DesktopSession::ProgramPid() const { return program_ ? program_->Pid() : 0; }

std::vector<std::string> TextLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    const std::size_t start = line.find_first_not_of(' ');
    if (start != std::string::npos) lines.push_back(line.substr(start));
  }
  return lines;
}

}  // namespace qm::desktop
