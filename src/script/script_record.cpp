#include "script/script_record.h"

#include "script/standard_formats.h"

namespace qm {

TScriptRecord::TScriptRecord() : FormatSet(StandardFormatSet()) {
  RevisionColours.AddObject("WHITE", nullptr);
  ExtraLocations.SetSorted(true);
  StoryboardLinks.Add("0");
}

}  // namespace qm
