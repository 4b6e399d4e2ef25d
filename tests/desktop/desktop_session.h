// The real program on a real X display: a virtual X server, a window
// manager and `quillmaster` in a home of its own, driven with the keyboard
// and the mouse through xdotool at a writer's pace. What the in-process and
// offscreen tests cannot see (keys lost to a dialog, a blank doubled while
// the writer pauses, a window laid out for its old size) shows here.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "support/child_process.h"
#include "support/temp_folder.h"

namespace qm::desktop {

struct WindowGeometry {
  int x = 0, y = 0, width = 0, height = 0;
};

// The element buttons stand one under the other at the top of the main
// window's right panel, under the menu bar and the tool bar; the first is C.
constexpr int kElementButtonFromRight = 13;
constexpr int kFirstElementButtonY = 40;
constexpr int kElementButtonStep = 22;

class DesktopSession {
 public:
  // Starts the display, the window manager and the program with `args`
  // (file names, switches); QUILLMASTER_HOME is a fresh folder unless
  // `home` names one (a test that prepares settings or scripts first).
  explicit DesktopSession(const std::vector<std::string>& args = {}, const std::string& home = {});
  ~DesktopSession();
  DesktopSession(const DesktopSession&) = delete;
  DesktopSession& operator=(const DesktopSession&) = delete;

  // False when the display or the program did not come up (the reason is in Failure()).
  bool Ready() const { return failure_.empty(); }
  const std::string& Failure() const { return failure_; }
  const std::string& Home() const { return home_; }
  const std::string& Display() const { return display_; }

  // Types UTF-8 text, one key every `msPerKey` milliseconds, then lets the program settle.
  void Type(const std::string& text, int msPerKey = 280);
  // xdotool key names separated by blanks ("ctrl+s", "alt+f x", "Return"), `pauseMs` apart.
  void Keys(const std::string& keys, int pauseMs = 400);
  void Click(int x, int y, int button = 1);
  void DoubleClick(int x, int y);
  // Presses at one point and releases at another, moving in steps.
  void Drag(int fromX, int fromY, int toX, int toY);
  // A click in the middle of the active script's page, which gives it the keyboard.
  void ClickInScript();
  // A click on the right panel's element button of a row (0 is C), the
  // main window active; false when no window is.
  bool ClickElementButton(int row);
  void Settle(int ms = 800);

  // The active window's title and geometry, and waiting for a title that contains `part`.
  std::string ActiveWindowTitle();
  std::optional<WindowGeometry> ActiveWindowGeometry();
  std::optional<WindowGeometry> MainWindowGeometry();
  // Any window's geometry by its id (as xdotool search prints it).
  std::optional<WindowGeometry> GeometryOf(const std::string& window);
  // A window's client area on the screen, exactly: the window manager's
  // frame left out, as xdotool's geometry does not (the mouse is put at
  // the area's corner to read it, then back where it was).
  std::optional<WindowGeometry> ClientArea(const std::string& window);
  std::optional<WindowGeometry> ActiveClientArea();
  bool WaitForWindowTitle(const std::string& part, int seconds = 10);
  bool WaitForTitleGone(const std::string& part, int seconds = 10);
  // A loaded machine may still be writing it.
  bool WaitForFile(const std::string& path);
  bool WaitForFileGone(const std::string& path);
  // Answers the box whose title holds `title` with `keys` once it shows, and
  // waits until the box has taken them: it loses the keyboard (it closes,
  // or it hides to come back with the next question). False when the box
  // did not come or kept the keyboard. The next box is then a new one, so
  // no key races the box it is meant for on a loaded machine.
  bool AnswerBox(const std::string& title, const std::string& keys);
  // Brings forward a window whose title holds `title`, as a writer's click
  // would (the window manager does not always give a new dialog the
  // keyboard); false when none shows.
  bool ActivateWindowTitled(const std::string& title);
  // The id of a shown window whose name matches the pattern, once one shows;
  // empty when none did within `seconds`.
  std::string WaitForVisibleWindow(const std::string& name, int seconds = 10);

  // The active script's whole text as its plain-text copy (select all, copy),
  // lines joined by "\n" (Ctrl+A, then Ctrl+Ins, the copy key). The selection
  // is left in place.
  std::string ScriptText();
  std::string Clipboard();
  // Prints the new script NONAME1 to its PDF through Ctrl+P, the Print to
  // PDF file dialog and the message saying where, and gives the PDF's text
  // as laid out on the page ("" when a step did not come).
  std::string PrintedText();
  // Puts UTF-8 text on the desktop's clipboard (another program copying it).
  void SetClipboard(const std::string& text);
  // Saves the active script as `name` in the scripts folder (F10, Save
  // As); false when the window's title does not show the new name.
  bool SaveScriptAs(const std::string& name);

  // A PNG of the whole screen in the build's desktop-shots folder; returns its path.
  std::string Screenshot(const std::string& name);

  // The texts the program's windows drew wider than their control's room,
  // and their controls drawn over another control beside them, since the
  // last call, one line each (the window's title, the control's kind and
  // text, and the widths or the other control).
  std::vector<std::string> CutTexts();

  // The program's exit code once it ends, or nullopt when it is still running.
  std::optional<int> ExitCode(int waitMs);
  std::uint32_t ProgramPid() const;

  // Runs an X tool on this display and returns what it printed.
  std::string Run(const std::vector<std::string>& argv, int timeoutMs = 15000);

 private:
  bool StartDisplay();
  bool StartProgram(const std::vector<std::string>& args);

  std::unique_ptr<testing::TempFolder> ownHome_;
  // The program writes its cut texts here; `cutTextsRead_` of it are read.
  testing::TempFolder logs_;
  std::size_t cutTextsRead_ = 0;
  std::string home_;
  std::string display_;
  std::string failure_;
  std::unique_ptr<testing::ChildProcess> server_;
  std::unique_ptr<testing::ChildProcess> windowManager_;
  std::unique_ptr<testing::ChildProcess> program_;
  std::string mainWindow_;
  std::string oldDisplay_;
  bool hadDisplay_ = false;
};

// A script's copied text as its lines without their indent, the blank
// lines between elements left out.
std::vector<std::string> TextLines(const std::string& text);

// The path of a program on PATH ("" when there is none).
std::string FindProgram(const std::string& name);

// Settings in `home` that back each script up to `drive` when it closes,
// the questions asked without the beginner's extra prompting.
void WriteBackupDriveSettings(const std::string& home, const std::string& drive);

}  // namespace qm::desktop
