#include "breakdown/sheet_form_run.h"

#include <algorithm>
#include <ctime>

#include "base/ini_file.h"
#include "base/message_boxes.h"
#include "breakdown/associations.h"
#include "breakdown/breakdowns_run.h"
#include "breakdown/scene_gathering.h"
#include "breakdown/sheet_form.h"
#include "printing/print_run.h"
#include "script/editing/editor_calls.h"
#include "script/model/number_texts.h"
#include "script/script_window.h"

namespace qm {

namespace {

TSheetHeader HeaderOf(const TScriptDocument& script, const BreakdownRecord& record, int linesPerEighth) {
  TSheetHeader header;
  header.Company = script.ProductionCompany;
  header.Title = script.ProductionTitle;
  header.SceneNumber = record.SceneNumber;
  header.SceneName = record.Location;
  header.IntExt = record.IntExt;
  header.TimeOfDay = record.TimeOfDay;
  header.StartPage = record.StartPage;
  header.EndPage = record.EndPage;
  const TPageLength length = SceneLength(record.LineCount, linesPerEighth);
  header.WholePages = length.Pages;
  header.Eighths = length.Eighths;
  header.Date = FormatScriptDate(std::time(nullptr), true, false);
  return header;
}

// The scene's characters head its cast, as the sheet lists them.
void PutCharactersInCast(const TSceneBreakdowns& run, BreakdownRecord& record) {
  auto& cast = record.Items[rsCastMembers];
  const std::vector<std::string> names = CharacterNamesOf(run, record);
  cast.insert(cast.begin(), names.begin(), names.end());
}

TSheetRun NewSheetRun() {
  TSheetRun run;
  run.Categories = CategoryMenus();
  run.Titles = ReadSheetTitles(OpenSettingsFile());
  return run;
}

}  // namespace

bool PrintSheetsOfScenes(TMDIChild& script, const std::vector<int>& chosen) {
  TSceneBreakdowns gathered = editor::WithEditLineStored(script, [&] { return GatherSceneRecords(script); });
  if (gathered.Records.size() == 1 && gathered.Records[0].Location.empty()) {
    ShowMessageBox("NO Scenes Found!", "Attention");
    return false;
  }
  // Lengths in eighths as the breakdowns measure them.
  TBreakdownOptions options;
  ReadBreakdownOptions(OpenSettingsFile(), options);
  if (!StartPrintJob(false, "Breakdown Sheets")) return false;
  TSheetRun run = NewSheetRun();
  const TAssociationLists associations = ScriptAssociations(script);
  for (int scene = 0; scene < static_cast<int>(gathered.Records.size()) && !PrintRun.Cancelled; ++scene) {
    BreakdownRecord& record = gathered.Records[static_cast<std::size_t>(scene)];
    if (!chosen.empty() && std::find(chosen.begin(), chosen.end(), scene) == chosen.end()) {
      ++run.SceneCounter;
      continue;
    }
    ApplyAssociations(record, associations, CharacterNamesOf(gathered, record), TRecordNames::NameTable);
    PutCharactersInCast(gathered, record);
    PrintBreakdownSheets(HeaderOf(script, record, options.LinesPerEighth), record, run);
  }
  return FinishPrintJob();
}

bool PrintSheetForScene(TMDIChild& script, int scene) { return PrintSheetsOfScenes(script, {scene}); }

bool PrintSheetsOfRun(const TScriptDocument& script, const TBreakdownRun& run, int linesPerEighth) {
  if (!StartPrintJob(false, "Breakdown Sheets")) return false;
  TSheetRun sheets = NewSheetRun();
  for (const TRunScene& scene : run.Scenes) {
    if (PrintRun.Cancelled) break;
    if (!scene.Wanted) {
      ++sheets.SceneCounter;
      continue;
    }
    BreakdownRecord record = scene.Record;
    PrintBreakdownSheets(HeaderOf(script, record, linesPerEighth), record, sheets);
  }
  return FinishPrintJob();
}

}  // namespace qm
