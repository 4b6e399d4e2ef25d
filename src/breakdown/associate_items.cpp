#include "breakdown/associate_items.h"

#include <algorithm>

#include "base/document_table.h"
#include "breakdown/associate_items_dialog.h"
#include "language/character_names.h"
#include "language/duplicate_names.h"
#include "language/list_builders.h"
#include "platform/stringlist.h"
#include "script/editing/undo_steps.h"
#include "script/script_window.h"

namespace qm {

namespace {

// The names as the reports count them: aliases under their reported name.
std::vector<std::string> NamesFor(const TScriptDocument& script, bool locations) {
  TStringList found;
  if (locations) BuildPopupList(plLocationsAndUserList, found);
  else CollectCharacterNames(0, false, false, found, false);
  const TStringList& aliases = locations ? script.LocationAliasList : script.CharacterAliasList;
  std::vector<std::string> names;
  for (int i = 0; i < found.Count(); ++i) {
    const std::string name = SubstitutedName(aliases, found[i], 255);
    if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
  }
  return names;
}

}  // namespace

void ShowAssociateItems(bool locations) {
  TMDIChild* script = ActiveScript();
  if (!script) return;
  TAssociateItemsDlg dialog(nullptr, locations);
  dialog.Gathered = GatherAllSceneBreakdowns(*script);
  TAssociationLists lists = ScriptAssociations(*script);
  dialog.Start(NamesFor(*script, locations), locations ? lists.Locations : lists.Characters);
  if (dialog.ShowModal() != mrOk) return;
  editor::SaveSettingsUndoStep(*script);
  (locations ? lists.Locations : lists.Characters) = dialog.Result();
  SetScriptAssociations(*script, lists);
}

}  // namespace qm
