// The main window: the MDI frame that holds the script windows, the menus
// and tool bars, and the program options as its fields.
#pragma once

#include "platform/forms.h"
#include "platform/menus.h"
#include "shell/program_options.h"

namespace qm {

// The tag of the menu items that undo.
constexpr int UndoItemTag = 233;

class TMainForm : public TForm, public TProgramOptions {
 public:
  explicit TMainForm(TComponent* owner);
  ~TMainForm() override;

  // Set while the Exit command closes the program; read by the close query.
  Byte ExitConfirmed = 0;
  // Set while the idle pass runs.
  Byte InIdle = 0;
  // Refreshes wanted at the next idle moment.
  Byte MenusDue = 0;
  Byte StatusLineDue = 0;
  // A "PasteStoryDev" arrived with its data on the clipboard.
  Byte StoryDevPastePending = 0;

  // The idle handlers and the message hook.
  void FirstIdle(TObject* sender, bool& done);
  void AppIdle(TObject* sender, bool& done);
  void HandleAppMessage(TMsg& msg, bool& handled);
  void WndProc(TMessage& message) override;

  TMainMenu* MainMenu = nullptr;
  TMenuItem* FileMenu = nullptr;
  TMenuItem* FileNewItem = nullptr;
  TMenuItem* FileOpenItem = nullptr;
  TMenuItem* CloseFileItem = nullptr;
  TMenuItem* FileSaveItem = nullptr;
  TMenuItem* FileSaveAsItem = nullptr;
  TMenuItem* PastefromItem = nullptr;
  TMenuItem* ExitQuillmasterItem = nullptr;
  TMenuItem* EditMenu = nullptr;
  TMenuItem* UndoItem = nullptr;
  TMenuItem* RedoItem = nullptr;
  TMenuItem* UndoBar = nullptr;
  TMenuItem* AlternateUndoItem = nullptr;
  TMenuItem* GotoMenu = nullptr;
  TMenuItem* GotoTopItem = nullptr;
  TMenuItem* GotoBottomItem = nullptr;
  TMenuItem* WindowMenu = nullptr;
  TMenuItem* WindowCascadeItem = nullptr;
  TMenuItem* WindowTileItem = nullptr;
  TMenuItem* WindowArrangeItem = nullptr;
  TMenuItem* WindowMinimizeItem = nullptr;
  TMenuItem* MaximizeWindowItem = nullptr;
  TMenuItem* WindowListBar = nullptr;
  TMenuItem* DocItems[9] = {};
  // Never shown: Alt+A to Alt+Z type the speech heading of the letter while
  // "Use AltKeys" is on.
  TMenuItem* AltKeysMenu = nullptr;

  // The start-up script (after the settings were loaded).
  void SetupMenusEtc();

  // Shut-down.
  void FormCloseQuery(TObject* sender, bool& canClose);
  void ExitQuillmasterItemClick(TObject* sender);
  void FormClose(TObject* sender, TCloseAction& action);
  void FormDestroy(TObject* sender);

  // File and Window menu commands of the open-document table.
  void FileNewItemClick(TObject* sender);
  void FileOpenItemClick(TObject* sender);
  void FileSaveItemClick(TObject* sender);
  void FileSaveAsItemClick(TObject* sender);
  void PastefromItemClick(TObject* sender);
  void CloseFileItemClick(TObject* sender);
  void WindowTileItemClick(TObject* sender);
  void WindowArrangeItemClick(TObject* sender);
  void WindowMinimizeItemClick(TObject* sender);
  void MaximizeWindowItemClick(TObject* sender);
  void SwitchDocumentItem(TObject* sender);
  // The Window menu lists the open scripts by slot, the active one
  // checked; the main window's title names the active script.
  void UpdateWindowList();

  // Edit menu: Undo for the Undo items (tag UndoItemTag) and the Undo tool
  // button, Redo for any other sender.
  void UndoItemClick(TObject* sender);
  // Goto menu: the start or the end of the script.
  void GotoTopOrBottomClick(TObject* sender);
  // The short cuts of the Goto Top and Goto Bottom items, as [KeyBoard
  // Layout] "Goto Top" and "Goto Bottom" choose them.
  void ApplyGotoKeys();
  void AltKeyPressed(TObject* sender);

 private:
  void OpenStartupFile(std::string name);
  void OpenMostRecentScript();
  // Opens a script file the start-up found (a native script at once,
  // anything else through the hand-off to our own window).
  // False when a native script could not be opened.
  bool OpenScriptFile(const std::string& name);
  void BuildMenus();
  void DetachIdleAndHint();
  void AttachIdleAndHint();
};

extern TMainForm* MainForm;

}  // namespace qm
