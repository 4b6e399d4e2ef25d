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
#include "shell/settings_keys.h"
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
  const TStoredPrinter stored = ReadStoredPrinter(ini, "");
  if (!stored.KeepDefault) return;
  const TStringList& printers = Printer()->Printers();
  const int index = stored.Index;
  if (!stored.Name.empty() && index >= 0 && index < printers.Count() && printers[index] == stored.Name)
    Printer()->SetPrinterIndex(index);
}

void PlaceMainWindow(TIniFile& ini) {
  TScreenPlace place;
  ReadOptionKey(ini, place, ScreenMaximizedKey);
  ReadOptionKeys(ini, place, ScreenBoundsKeys);
  if (!place.Maximized && place.Height != 0) {
    MainForm->SetBounds(place.Left, place.Top, place.Width, place.Height);
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
    TIniFile ini(SettingsFileName);
    WriteOptionValue(ini, ScreenMaximizedKey, true);
    Application->Terminate();
    return false;
  }
  MainForm->PrepareStartupFileList(MainForm->StartupChoice == 1);
  Documents.fill(nullptr);
  RegisterClipboardFormats();
  TIniFile ini(SettingsFileName);
  SelectStoredPrinter(ini);
  AdministratorLock = ReadOptionValue<bool>(ini, LockOptionsKey) || ini.Frozen();
  PlaceMainWindow(ini);
  MainForm->ToolBar().SetupToolBars(true);
  return true;
}

void FinishStartup() {
  MainForm->Show();
  MainForm->Enabled = true;
}

}  // namespace qm
