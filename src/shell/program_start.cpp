#include "shell/program_start.h"

#include <algorithm>
#include <memory>

#include "files/native_file.h"
#include "files/progress_dialog.h"
#include "platform/files.h"
#include "platform/forms.h"
#include "platform/messages.h"
#include "platform/platform.h"
#include "base/document_table.h"
#include "base/global_state.h"
#include "base/ini_file.h"
#include "base/program_options.h"
#include "shell/main_form.h"
#include "base/program_identity.h"
#include "shell/splash_screen.h"
#include "shell/startup_setup.h"
#include "shell/tool_bar.h"

namespace qm {

std::unique_ptr<TFont> ProgramFont;
UINT LoadNameMessage;
UINT PasteStoryDevMessage;
bool StartupFileTaken;
bool StartupFileFailed;
std::string StartupFileHandedOff;
bool HandOffFailed;

namespace {

const GlobalState reset([] {
  ProgramFont.reset();
  LoadNameMessage = 0;
  PasteStoryDevMessage = 0;
  StartupFileTaken = false;
  StartupFileFailed = false;
  StartupFileHandedOff.clear();
  HandOffFailed = false;
});

// A dialog font beyond these would not fit a dialog (the font dialog itself
// offers 6 to 20 points).
constexpr int MinProgramFontSize = 4;
constexpr int MaxProgramFontSize = 72;

// Switches begin with "/" or "\\". On this system an absolute path begins
// with "/" too, so a "/" parameter is a switch only when it is one word
// ("/NM", "/WARDN") and not a file.
bool IsSwitch(const std::string& param) {
  if (param.empty()) return false;
  if (param[0] == '\\') return true;
  return param[0] == '/' && param.find('/', 1) == std::string::npos && !FileExists(param);
}

void CreateProgramFont() {
  TIniFile ini(SettingsFileName);
  ProgramFont = std::make_unique<TFont>();
  ProgramFont->Name = ini.ReadString("Main Font", "Name", "MS Sans Serif");
  ProgramFont->Size = ini.ReadIntegerWithin("Main Font", "Size", 9, MinProgramFontSize, MaxProgramFontSize);
  ProgramFont->Style = ini.ReadBool("Main Font", "Bold", true) ? fsBold : 0u;
}

// A second start restores or raises the running instance and hands it the
// command line.
void DeferToRunningInstance(HWND other) {
  if (!CommandLine.empty() && !HandOffToInstance(other, HandOffText(HandOffParameters(CommandLine))))
    HandOffFailed = true;
  if (IsIconic(other)) ShowWindow(other, SW_RESTORE);
  else BringWindowToTop(other);
}

// The set-up runs while the splash shows its progress; the splash goes
// before the first idle moment.
bool RunSplashScreen() {
  auto splash = std::make_unique<TSplashScreen>(Application);
  splash->InitializeSplashSettings();
  splash->Show();
  splash->UpdateBar(true, 5);
  ConnectProgressDialogToMessageBox();
  if (!SetupApplication()) return false;
  if (ProgramFont) MainForm->ToolBar().TakeProgramFont(*ProgramFont);
  ScaleForWideScreen(MainForm->ToolBar().Configured());
  for (Word percent : {70, 80, 90}) splash->UpdateBar(true, percent);
  MainForm->SetupMenusEtc();
  splash->UpdateBar(true, 97);
  splash->FinishNow();
  return true;
}

}  // namespace

// The running instance has a current folder of its own, so a relative
// name is made absolute here: the switches, then the whole name.
std::vector<std::string> HandOffParameters(const std::vector<std::string>& params) {
  std::vector<std::string> handed;
  for (const std::string& p : params) {
    if (!p.empty() && !IsSwitch(p)) break;
    handed.push_back(p);
  }
  // A bare name not in this folder is the running instance's script
  // folder's; it knows that folder, this start does not.
  if (const std::string name = ScriptNameFromCommandLine(params); !name.empty()) {
    const bool bare = name.find('/') == std::string::npos;
    const std::string here = CommandLineScriptPath(name, true);
    const std::string handedName = bare && !ScriptThereToOpen(here) ? name : ExpandFileName(MapPath(here));
    // A name that would not come back whole (it begins like a switch, or
    // with a blank) follows "--".
    if (ScriptNameFromCommandLine(SplitHandOffText(HandOffText({handedName}))) != handedName) handed.push_back("--");
    handed.push_back(handedName);
  }
  return handed;
}

void ScaleForWideScreen(bool toolBarFits) {
  TToolBar& bar = MainForm->ToolBar();
  const int width = Screen->Width();
  if (width <= 800 || Screen->PixelsPerInch() <= 96) return;
  for (const char* name : {"RightPanel", "StatusPanel"})
    if (auto* panel = dynamic_cast<TWinControl*>(MainForm->FindComponent(name))) panel->ScaleBy(width, 800);
  if (!toolBarFits) bar.ScaleBy(width, 800);
}

std::string HandOffText(const std::vector<std::string>& params) {
  std::string text;
  for (const auto& p : params) text += p + " ";
  return text;
}

bool HandOffToInstance(HWND window, const std::string& text) {
  const ATOM atom = GlobalAddAtom(text);
  if (atom != 0 && PostMessage(window, LoadNameMessage, 0, atom)) return true;
  Application->MessageBox("Unable to Post Message", "Attention", MB_ICONINFORMATION);
  if (atom != 0) GlobalDeleteAtom(atom);
  return false;
}

std::vector<std::string> SplitHandOffText(const std::string& text) {
  std::vector<std::string> params;
  size_t start = 0;
  while (start < text.size()) {
    const size_t end = std::min(text.find(' ', start), text.size());
    params.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return params;
}

std::string ScriptNameFromCommandLine(const std::vector<std::string>& params) {
  size_t first = 0;
  while (first < params.size() && (params[first].empty() || IsSwitch(params[first]))) ++first;
  if (first < params.size() && params[first] == "--") ++first;
  std::string name;
  for (size_t i = first; i < params.size(); ++i) {
    if (i > first) name += ' ';
    name += params[i];
  }
  // Quotes wrapped a name with blanks; a file whose own name holds quotes keeps them.
  if (!FileExists(name)) std::erase(name, '"');
  return name;
}

std::string CommandLineScriptPath(const std::string& name, bool currentFolderFirst) {
  if (name.empty()) return name;
  const std::string ext = ExtractFileExt(name);
  const std::string extended = ext.empty() || ext == "." ? ChangeFileExt(name, "." + ScriptExtension) : name;
  // The name is read as it is given first: the extension is added only
  // when no file has that very name.
  const auto meant = [&](const std::string& folder) {
    const std::string given = JoinPath(folder, name);
    return FileExists(given) || StoppedSaveToOffer(given) ? given : JoinPath(folder, extended);
  };
  if (name.find('/') != std::string::npos) return meant("");
  if (const std::string here = meant(""); currentFolderFirst && ScriptThereToOpen(here)) return ExpandFileName(here);
  return meant(ScriptDirectory);
}

bool ScriptThereToOpen(const std::string& name) {
  return FileExists(name) || DirectoryExists(name) || StoppedSaveToOffer(name).has_value();
}

bool StartProgram() {
  const HWND other = FindWindow(ApplicationWindowClass, ProgramTitle);
  LoadNameMessage = RegisterIncomingMessage("LoadName");
  PasteStoryDevMessage = RegisterIncomingMessage("PasteStoryDev");
  if (other != NullWindow && !TIniFile(SettingsFileName).ReadBool("Program Settings", "Allow Multiple Copies", false)) {
    DeferToRunningInstance(other);
    return false;
  }
  CreateProgramFont();
  Application->Title = ProgramTitle;
  MainForm = new TMainForm(Application);
  Application->MainForm = MainForm;
  if (!RunSplashScreen()) return false;
  bool retrieved = StartupFileTaken;
  MainForm->FirstIdle(Application, retrieved);
  if (!retrieved && MainForm->StartupChoice == 2 && NoActiveDocument()) MainForm->FileOpenItem->Click();
  StartupFileTaken = false;
  return true;
}

void FinishProgram() {
  delete MainForm;
  ProgramFont.reset();
}

int RunProgram(std::unique_ptr<Backend> backend, const std::vector<std::string>& args, bool exitWhenIdle) {
  GlobalState::ResetAll();
  CommandLine = args;
  Platform platform(std::move(backend), PlatformOptions{RuntimeFolder()});
  // A log-out or a kill lets the program keep the writer's text first.
  platform.CatchEndSignals();
  Application->ExitWhenIdle = exitWhenIdle;
  if (StartProgram()) Application->Run();
  FinishProgram();
  return (exitWhenIdle && StartupFileFailed) || HandOffFailed ? 1 : 0;
}

}  // namespace qm
