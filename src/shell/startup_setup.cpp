#include "shell/startup_setup.h"

#include "platform/clipboard.h"
#include "platform/forms.h"
#include "platform/printer.h"
#include "shell/app_messages.h"
#include "base/document_table.h"
#include "base/global_state.h"
#include "base/ini_file.h"
#include "shell/main_form.h"
#include "shell/program_settings.h"
#include "shell/program_start.h"
#include "shell/tool_bar.h"
#include "base/program_identity.h"
#include "base/program_busy.h"

namespace qm {

UINT NativeClipboardFormat;
UINT RtfClipboardFormat;
UINT StoryDevClipboardFormat;
bool AdministratorLock;

namespace {

const GlobalState reset([] {
  NativeClipboardFormat = 0;
  RtfClipboardFormat = 0;
  StoryDevClipboardFormat = 0;
  AdministratorLock = false;
});

// Registering finds a number another program of the session already gave
// the name, as looking it up among the clipboard's formats would.
void RegisterClipboardFormats() {
  NativeClipboardFormat = RegisterClipboardFormat("Quillmaster Text");
  RtfClipboardFormat = RegisterClipboardFormat("Rich Text Format");
  StoryDevClipboardFormat = RegisterClipboardFormat("StoryDev Exchange");
}

void SelectStoredPrinter(TIniFile& ini) {
  if (!ini.ReadBool("Printer", "Keep Default", false)) return;
  const int index = ini.ReadInteger("Printer", "Index", 0);
  const std::string name = ini.ReadString("Printer", "Name", "");
  const TStringList& printers = Printer()->Printers();
  if (!name.empty() && index >= 0 && index < printers.Count() && printers[index] == name) Printer()->SetPrinterIndex(index);
}

void PlaceMainWindow(TIniFile& ini) {
  const int height = ini.ReadInteger("Screen Size", "Height", 0);
  if (!ini.ReadBool("Screen Size", "Maximized", true) && height != 0) {
    MainForm->SetBounds(ini.ReadInteger("Screen Size", "Left", 0), ini.ReadInteger("Screen Size", "Top", 0),
                        ini.ReadInteger("Screen Size", "Width", 0), height);
    MainForm->WindowState = TWindowState::wsNormal;
  } else {
    MainForm->WindowState = TWindowState::wsMaximized;
  }
}

}  // namespace

bool SetupApplication() {
  ProgramBusyScope busy;
  StartupFileTaken = true;
  DocumentCount = 0;
  RegisterStoryboardMessages();
  if (!LoadProgramSettings(false)) {
    TIniFile(SettingsFileName).WriteString("Screen Size", "Maximized", "1");
    Application->Terminate();
    return false;
  }
  Documents.fill(nullptr);
  RegisterClipboardFormats();
  TIniFile ini(SettingsFileName);
  SelectStoredPrinter(ini);
  AdministratorLock = ini.ReadBool("Program", "Lock Options", false) || ini.ReadBool("Override", "Freeze INI", false);
  PlaceMainWindow(ini);
  MainForm->ToolBar().SetupToolBars(true);
  return true;
}

void FinishStartup() {
  MainForm->Show();
  MainForm->Enabled = true;
}

}  // namespace qm
