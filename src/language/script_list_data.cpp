#include "language/script_list_data.h"

#include <algorithm>

#include "script/script_window.h"
#include "shell/documents.h"

namespace qm {

namespace {
constexpr const char* ComponentName = "ScriptListData";
}

TScriptListData::TScriptListData(TMDIChild& script) : TComponent(&script) {
  Name = ComponentName;
  UserLists.SetBuiltInDefaults();
  ListMeasure = MeasureUserLists(UserLists);
}

TScriptListData& ListData(TMDIChild& script) {
  if (auto* data = dynamic_cast<TScriptListData*>(script.FindComponent(ComponentName))) return *data;
  return *new TScriptListData(script);
}

TUserListTables* ActiveUserLists() {
  TMDIChild* script = ActiveScript();
  return script ? &ListData(*script).UserLists : nullptr;
}

void UserListsChanged(TMDIChild& script) {
  TScriptListData& data = ListData(script);
  data.ListMeasure = MeasureUserLists(data.UserLists);
}

int GetTimeOfDaySpaces(TMDIChild& script) { return std::max<int>(1, ListSettings(script).TimeOfDaySpaces); }

int GetTimeOfDayDashes(TMDIChild& script) { return ListSettings(script).TimeOfDayDashes; }

}  // namespace qm
