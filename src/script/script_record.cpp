#include "script/script_record.h"

namespace qm {

TScriptRecord::TScriptRecord() {
  RevisionColours.AddObject("WHITE", nullptr);
  ExtraLocations.SetSorted(true);
  StoryboardLinks.Add("0");
}

}  // namespace qm
