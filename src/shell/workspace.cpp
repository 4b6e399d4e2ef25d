#include "shell/workspace.h"

#include <string>
#include <vector>

#include "base/document_table.h"
#include "base/global_state.h"
#include "base/ini_file.h"
#include "base/message_boxes.h"
#include "base/program_identity.h"
#include "base/prompt_table.h"
#include "files/disk_utils.h"
#include "platform/cp1252.h"
#include "platform/files.h"
#include "script/layout/screen_rebuild.h"
#include "script/script_window.h"
#include "shell/documents.h"
#include "shell/main_form.h"

namespace qm {

namespace {

constexpr const char* Section = "WorkSpace";

// While an Exit runs: its workspace is still to be written, and the
// script that was in front (compared, never read: it may have closed).
bool exitWorkSpaceDue = false;
const TMDIChild* exitFront = nullptr;

const GlobalState reset([] {
  exitWorkSpaceDue = false;
  exitFront = nullptr;
});

std::string Key(const char* name, int n) { return std::string(name) + " " + std::to_string(n); }

bool Untitled(const TScriptDocument& script) {
  return AnsiUpperCase(script.ScriptFileName).find("NONAME") != std::string::npos;
}

void WriteEntry(TIniFile& ini, int n, TMDIChild& script) {
  ini.WriteString(Section, Key("Script Name", n), script.ScriptFileName);
  ini.WriteString(Section, Key("Long Name", n), ExtractFileName(script.ScriptFileName));
  ini.WriteBool(Section, Key("Maximized", n), script.WindowState == TWindowState::wsMaximized);
  ini.WriteInteger(Section, Key("Left", n), script.Left);
  ini.WriteInteger(Section, Key("Top", n), script.Top);
  ini.WriteInteger(Section, Key("Width", n), script.Width);
  ini.WriteInteger(Section, Key("Height", n), script.Height);
}

// A script on a removable disk asks for its disk first.
bool DiskReady(const std::string& fileName, const std::string& shownName) {
  if (DriveOf(fileName).Kind != DriveKind::Removable) return true;
  return AskOkCancel("Please Insert the Disk into Drive " + AnsiUpperCase(ExtractFilePath(fileName)) + " with \r" +
                         shownName + " on it...",
                     PromptTable(5));
}

// One recorded script and its window's place.
struct TEntry {
  std::string fileName;
  std::string longName;
  bool maximized;
  TRect bounds;
};

TEntry ReadEntry(const TIniFile& ini, int n, std::string fileName) {
  TEntry e{std::move(fileName), {}, ini.ReadBool(Section, Key("Maximized", n), true), {}};
  e.longName = ini.ReadString(Section, Key("Long Name", n), ExtractFileName(e.fileName));
  const auto place = [&](const char* key, int fallback) {
    return ini.ReadIntegerWithin(Section, Key(key, n), fallback, -ScreenMeasureLimit, ScreenMeasureLimit);
  };
  const auto size = [&](const char* key, int fallback) {
    return ini.ReadIntegerWithin(Section, Key(key, n), fallback, 0, ScreenMeasureLimit);
  };
  e.bounds.Left = place("Left", 0);
  e.bounds.Top = place("Top", 0);
  e.bounds.Right = e.bounds.Left + size("Width", MainForm->ClientWidth());
  e.bounds.Bottom = e.bounds.Top + size("Height", MainForm->ClientHeight());
  return e;
}

void PlaceWindow(const TEntry& e, TMDIChild& script) {
  if (e.maximized) {
    script.WindowState = TWindowState::wsMaximized;
    return;
  }
  script.WindowState = TWindowState::wsNormal;
  script.SetBounds(e.bounds.Left, e.bounds.Top, e.bounds.Right - e.bounds.Left, e.bounds.Bottom - e.bounds.Top);
}

}  // namespace

// Entries are numbered without gaps (an untitled script in between would
// otherwise end the restore early), the active script last so that it is
// active again after the restore.
void SaveWorkSpace(const TMDIChild* front) {
  if (NoActiveDocument()) return;
  TIniFile ini(SettingsFileName);
  if (ini.ReadString(Section, Key("Script Name", 1), "Empty") != "Empty") return;
  const int frontSlot = front ? SlotOf(front) : 0;
  const int last = frontSlot != 0 ? frontSlot : ActiveDocument;
  std::vector<TMDIChild*> order;
  for (int slot = 1; slot <= DocumentCount; ++slot)
    if (slot != last && Documents[slot]) order.push_back(Documents[slot]);
  if (Documents[last]) order.push_back(Documents[last]);
  int n = 0;
  for (TMDIChild* script : order)
    if (!Untitled(*script)) WriteEntry(ini, ++n, *script);
}

// The entries are read before any opens: a script that fails to open
// closes its window, and that erases the section.
void RestoreWorkSpace() {
  std::vector<TEntry> entries;
  {
    const TIniFile ini(SettingsFileName);
    for (int n = 1;; ++n) {
      std::string fileName = ini.ReadString(Section, Key("Script Name", n), "");
      if (fileName.empty()) break;
      entries.push_back(ReadEntry(ini, n, std::move(fileName)));
    }
  }
  for (const TEntry& e : entries) {
    const std::string baseName = ExtractFileName(e.fileName);
    std::string shown = "\"" + e.longName + "\"";
    if (AnsiUpperCase(e.longName) != AnsiUpperCase(baseName)) shown += " (" + baseName + ")";
    if (!DiskReady(e.fileName, shown) || !OpenScriptByName(e.fileName)) continue;
    PlaceWindow(e, *ActiveScript());
  }
  FocusActiveScript();
  ClearWorkSpace();
}

TExitWorkSpace::TExitWorkSpace(const TMDIChild* front) {
  exitFront = front;
  exitWorkSpaceDue = DocumentCount > 0;
  // With no script open the workspace left from before stays.
  if (exitWorkSpaceDue) ClearWorkSpace();
}

TExitWorkSpace::~TExitWorkSpace() {
  exitWorkSpaceDue = false;
  exitFront = nullptr;
}

void RecordWorkSpaceAsScriptCloses() {
  if (!exitWorkSpaceDue) return;
  exitWorkSpaceDue = false;
  try {
    TIniFile ini(SettingsFileName);
    ini.EraseSection(Section);
    SaveWorkSpace(exitFront);
    // Untitled scripts only: a later close, of a script named meanwhile
    // at its save, may still have one to record.
    exitWorkSpaceDue = ini.ReadString(Section, Key("Script Name", 1), "Empty") == "Empty";
  } catch (const EIniFileError& e) {
    ShowMessageBox("The workspace could not be kept for the next start.\r\r" + std::string(e.what()) + ".",
                   "Attention");
  }
}

void ClearWorkSpace() {
  try {
    TIniFile(SettingsFileName).EraseSection(Section);
  } catch (const EIniFileError&) {
  }
}

}  // namespace qm
