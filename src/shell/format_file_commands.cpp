// The Format menu's user-defined formats and the user lists loaded from
// files: a format file or another script's formats into the active script,
// its formats into a format file of the writer's choosing, and its user
// lists from a script, a text list or a StoryDev file.
#include <optional>
#include <string>

#include "base/ini_file.h"
#include "base/message_boxes.h"
#include "base/prompt_table.h"
#include "files/format_files.h"
#include "files/user_list_loading.h"
#include "language/user_list_dialogs.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "script/editing/document_modified.h"
#include "script/model/string_utils.h"
#include "script/script_window.h"
#include "shell/documents.h"
#include "script/layout/screen_rebuild.h"
#include "shell/main_form.h"
#include "script/editing/undo_steps.h"

namespace qm {

namespace {

const std::string kScriptFilter = std::string("Quillmaster Scripts|") + ScriptFileMask;
constexpr const char* kFormatFilter = "Format Definition|*.DEF|Format Files|*.FMT|All Files (*.*)|*.*";
constexpr const char* kTextListFilter = "ASCII List|*.TXT;*.SET;*.LST|All Files (*.*)|*.*";
constexpr const char* kStoryDevFilter = "StoryDev\xAE Exchange|*.DSW|All Files (*.*)|*.*";

// A file to read, chosen in the script folder; nothing when cancelled.
std::optional<std::string> ChooseFileToRead(const char* title, const std::string& filter) {
  TOpenDialog dialog(nullptr);
  dialog.Title = title;
  dialog.Filter = filter;
  dialog.InitialDir = ScriptDirectory;
  if (!dialog.Execute()) return std::nullopt;
  return dialog.FileName;
}

// The format definition is offered under the script's own name.
void SaveUserFormat() {
  const TMDIChild* script = ActiveScript();
  if (!script) return;
  TSaveDialog dialog(nullptr);
  dialog.Title = "Save User Defined Format";
  dialog.Filter = "Format Definition|*.DEF";
  dialog.DefaultExt = "DEF";
  dialog.InitialDir = ScriptDirectory;
  dialog.FileName = JoinPath(ScriptDirectory, ChangeFileExtension(ExtractFileNameOnly(script->ScriptFileName), ".DEF"));
  if (dialog.Execute()) SaveFormatsFile(ChangeFileExtension(dialog.FileName, ".DEF"));
}

}  // namespace

void TMainForm::LoadFormatsFrom(const std::string& fileName) {
  if (!EditableActiveScript()) return;
  SaveUndoStep(ukWholeScript, true, false, usWithSettings);
  const bool withLists =
      IsDocumentEmpty(ActiveDocument) || AskYesNo("Load User Lists along with formats?", PromptTable(31), true);
  const bool loaded = LoadFormatsFile(fileName, false, withLists, true);
  TMDIChild* script = ActiveScript();
  // Headings the formats made branch targets take their numbers now.
  if (script && script->InteractiveScript) script->RenumberScenes(false);
  // New lines and spacing break the pages anew.
  if (script && loaded) script->StartPaginateTimer(script->LayoutDue | 1);
  RefreshAfterChange();
}

// One handler serves the two format rows and the four list rows; the item
// tells them apart.
void TMainForm::LoadUserDefinedItemClick(TObject* sender) {
  if (!EditableActiveScript()) return;
  const auto from = [this, sender](const char* name) { return sender == MenuItem(name); };
  if (from("ListsFromCollaboratorItem")) {
    ShowMessageBox(CollaboratorListMessage, "Attention");
  } else if (from("LoadUserFormatFileItem")) {
    if (auto file = ChooseFileToRead("Load User Defined Format", kFormatFilter)) LoadFormatsFrom(*file);
  } else if (from("LoadScriptFormatItem")) {
    if (auto file = ChooseFileToRead("Load Formats from a Script", kScriptFilter)) LoadFormatsFrom(*file);
  } else if (from("ListsFromScriptItem")) {
    if (auto file = ChooseFileToRead("Load User Lists from a Script", kScriptFilter)) LoadUserListsFromScript(*file);
  } else if (from("ListsFromAsciiItem")) {
    if (auto file = ChooseFileToRead("Load User List from an ASCII List", kTextListFilter))
      LoadUserListFromTextFile(*file);
  } else if (from("ListsFromStoryDevItem")) {
    if (auto file = ChooseFileToRead("Load User Lists from StoryDev", kStoryDevFilter))
      LoadUserListsFromStoryDev(*file);
  }
  FocusActiveScript();
}

void TMainForm::LoadUserFormatItemClick(TObject*) {
  if (NoActiveDocument()) return;
  SaveUserFormat();
  FocusActiveScript();
}

}  // namespace qm
