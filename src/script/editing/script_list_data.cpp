#include "script/editing/script_list_data.h"

#include <algorithm>

#include "script/script_window.h"
#include "base/document_table.h"

namespace qm {

namespace {
constexpr const char* ComponentName = "ScriptListData";
}

TScriptListData::TScriptListData(TMDIChild& script) : TComponent(&script) {
  Name = ComponentName;
  ListMeasure = MeasureUserLists(script.UserLists);
}

TScriptListData& ListData(TMDIChild& script) {
  if (auto* data = dynamic_cast<TScriptListData*>(script.FindComponent(ComponentName))) return *data;
  return *new TScriptListData(script);
}

TUserListTables* ActiveUserLists() {
  TMDIChild* script = ActiveScript();
  return script ? &RecordOf(*script).UserLists : nullptr;
}

void AddCharacterName(TMDIChild& script, std::string_view cueText) { ListData(script).NameTable.Add(CueName(cueText)); }

void UserListsChanged(TMDIChild& script) {
  ListData(script).ListMeasure = MeasureUserLists(RecordOf(script).UserLists);
}

int GetTimeOfDaySpaces(const TScriptDocument& script) { return std::max<int>(1, RecordOf(script).TimeOfDaySpaces); }

int GetTimeOfDayDashes(const TScriptDocument& script) { return RecordOf(script).TimeOfDayDashes; }

}  // namespace qm
