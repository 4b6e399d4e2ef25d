#include "breakdown/breakdowns_run.h"

#include <algorithm>

#include "base/ini_file.h"
#include "base/message_boxes.h"
#include "base/option_keys.h"
#include "breakdown/associations.h"
#include "breakdown/breakdown_graph.h"
#include "breakdown/breakdown_report.h"
#include "breakdown/breakdown_report_page.h"
#include "breakdown/categories.h"
#include "breakdown/scene_gathering.h"
#include "breakdown/schedule_export.h"
#include "breakdown/sheet_form_run.h"
#include "language/list_builders.h"
#include "printing/print_run.h"
#include "platform/cp1252.h"
#include "platform/files.h"
#include "platform/printer.h"
#include "platform/stringlist.h"
#include "script/editing/editor_calls.h"
#include "script/editing/script_list_data.h"
#include "script/model/script_record.h"
#include "script/model/string_utils.h"
#include "script/model/user_list_entries.h"
#include "script/script_window.h"
#include "platform/text_trim.h"

namespace qm {

namespace {

const char* const Section = "Breakdowns";

std::string PaddedNumber(int n, bool wide) { return std::string(wide ? 1 : 2, ' ') + std::to_string(n); }

// The names of the new order, each old index mapped onto its new place
// (0 for a name that left the list).
void Reindex(TBreakdownRun& run, const std::vector<std::string>& names) {
  std::vector<char> map(run.Names.size() + 1, 0);
  for (std::size_t old = 0; old < run.Names.size(); ++old) {
    const auto it = std::find(names.begin(), names.end(), run.Names[old]);
    const std::size_t index = it == names.end() ? 0 : static_cast<std::size_t>(it - names.begin()) + 1;
    map[old + 1] = index <= 255 ? static_cast<char>(index) : 0;
  }
  for (TRunScene& scene : run.Scenes) {
    std::string kept;
    for (char byte : scene.Record.CharacterIndexes)
      if (const char now = map[static_cast<Byte>(byte)]; now != 0) kept += now;
    scene.Record.CharacterIndexes = kept;
  }
  run.Names = names;
}

// The character user list's names lead, in the list's order.
void PutUserListNamesFirst(const TScriptDocument& script, TBreakdownRun& run) {
  std::vector<std::string> names = run.Names;
  for (int slot = 15; slot >= 1; --slot) {
    const std::string entry =
        AnsiUpperCase(DisplayText(UserListEntry(RecordOf(script).UserLists, TUserList::CharNames, slot)));
    const auto it = std::find(names.begin(), names.end(), entry);
    if (entry.empty() || it == names.end()) continue;
    std::rotate(names.begin(), it, it + 1);
  }
  Reindex(run, names);
}

bool IsPicked(const TBreakdownOptions& options, const std::string& name) {
  return std::find(options.PickedNames.begin(), options.PickedNames.end(), name) != options.PickedNames.end();
}

bool ChooseNames(const TBreakdownOptions& options, TBreakdownRun& run) {
  if (options.SomeNames && !options.ListAllNamesOfPickedScenes) {
    std::vector<std::string> picked;
    for (const std::string& name : run.Names)
      if (IsPicked(options, name)) picked.push_back(name);
    Reindex(run, picked);
  }
  run.NameTakesPart.assign(run.Names.size(), !options.SomeNames);
  bool any = !options.SomeNames;
  for (std::size_t n = 0; n < run.Names.size() && n < 1024; ++n)
    if (options.SomeNames && IsPicked(options, run.Names[n])) any = run.NameTakesPart[n] = true;
  if (!any) ShowMessageBox("You haven't Selected Any Names", "Breakdown Canceled.");
  return any;
}

bool HasPickedName(const TBreakdownRun& run, const BreakdownRecord& record) {
  for (char byte : record.CharacterIndexes)
    if (run.NameTakesPart[static_cast<Byte>(byte) - 1u]) return true;
  return false;
}

std::string TimeEntry(const TScriptDocument& script, int slot) {
  return AnsiUpperCase(WithoutAccelerator(
      ListItemText(UserListEntry(RecordOf(script).UserLists, TUserList::TimeofDay, slot), false, false)));
}

bool KnownTime(const TScriptDocument& script, const std::string& time) {
  for (int slot = 1; slot <= 12; ++slot)
    if (!TimeEntry(script, slot).empty() && TimeEntry(script, slot) == time) return true;
  return false;
}

// Doubtful times of day, asked about in script order; false on Cancel.
bool CheckTimesOfDay(const TScriptDocument& script, TBreakdownRun& run) {
  for (std::size_t i = 0; i < run.Scenes.size(); ++i) {
    BreakdownRecord& r = run.Scenes[i].Record;
    if (KnownTime(script, r.TimeOfDay)) continue;
    if (i == 0) {
      if (AskYesNo("Your VERY FIRST Scene has a time of day of " + r.TimeOfDay +
                       "\r\n\r\nShould I report it as DAY instead?",
                   "Time of Day", true))
        r.TimeOfDay = "DAY";
      continue;
    }
    const std::string number = WithoutTrailingBlanks(r.SceneNumber);
    const std::string& previous = run.Scenes[i - 1].Record.TimeOfDay;
    const TModalResult answer =
        AskYesNoCancel("Scene " + number + "'s Time-of-Day is \"" + r.TimeOfDay +
                           "\" and I've identified the PREVIOUS Scene's Time-of-Day as \"" + previous +
                           "\"...\r\n\r\nShould I use this previous Scene's Time-of-Day for Scene " + number + "?",
                       "Time of Day", true);
    if (answer == mrCancel) return false;
    if (answer == mrYes) r.TimeOfDay = previous;
  }
  return true;
}

const std::string& SecondaryKey(const TRunScene& scene, TSecondaryOrder order) {
  static const std::string none;
  switch (order) {
    case TSecondaryOrder::IntExt: return scene.Record.IntExt;
    case TSecondaryOrder::Location: return scene.Record.Location;
    case TSecondaryOrder::TimeOfDay: return scene.Record.TimeOfDay;
    case TSecondaryOrder::ScriptOrder: break;
  }
  return none;
}

// A stable sort by the primary key, then the secondary one among equals,
// as the passes of a bubble sort leave them. Bytes compare unsigned.
void SortScenes(const TBreakdownOptions& options, TBreakdownRun& run) {
  const bool byPrimary = options.Output == TBreakdownOutput::Report || options.Output == TBreakdownOutput::Graph;
  const TPrimaryOrder primary = byPrimary ? options.Primary : TPrimaryOrder::ScriptOrder;
  std::stable_sort(run.Scenes.begin(), run.Scenes.end(), [&](const TRunScene& a, const TRunScene& b) {
    if (primary != TPrimaryOrder::Characters) {
      const int first = PrimaryKey(a, primary).compare(PrimaryKey(b, primary));
      if (first != 0) return first < 0;
    }
    return SecondaryKey(a, options.Secondary) < SecondaryKey(b, options.Secondary);
  });
}

// Each scene's characters in the order of the name list.
void SortSceneNames(TBreakdownRun& run) {
  for (TRunScene& scene : run.Scenes) {
    std::string& indexes = scene.Record.CharacterIndexes;
    std::sort(indexes.begin(), indexes.end(),
              [](char a, char b) { return static_cast<Byte>(a) < static_cast<Byte>(b); });
  }
}

TGatherOptions GatherOptionsOf(const TBreakdownOptions& options) {
  TGatherOptions gather;
  gather.CollectItems = options.PrintTagged;
  gather.ActionNames = options.NonSpeaking;
  gather.NamesInSceneOrder = options.NameOrder == TNameOrder::ScriptOrder;
  gather.SpeakersFirst = options.NameOrder == TNameOrder::SpeakingFirst;
  // Only a report that lists the characters may leave them out of its cast.
  gather.DropCastCharacters =
      options.Output == TBreakdownOutput::Report && options.ListCharacters && options.PrintTagged;
  gather.SplitHeadings = !(options.Primary == TPrimaryOrder::ScriptOrder &&
                           (options.Output == TBreakdownOutput::Report || options.Output == TBreakdownOutput::Graph));
  return gather;
}

// Sheets list the characters among the cast members.
void CharactersIntoCast(TBreakdownRun& run) {
  for (TRunScene& scene : run.Scenes) {
    std::vector<std::string>& cast = scene.Record.Items[rsCastMembers];
    for (const std::string& name : SceneCharacters(run, scene.Record))
      if (std::find(cast.begin(), cast.end(), name) == cast.end()) cast.push_back(name);
    scene.Record.CharacterIndexes.clear();
  }
}

bool TakeNames(const TScriptDocument& script, const TBreakdownOptions& options, TBreakdownRun& run) {
  const bool byCharacters = options.Primary == TPrimaryOrder::Characters;
  if (!options.ListCharacters && !byCharacters) {
    run.Names.clear();
    for (TRunScene& scene : run.Scenes) scene.Record.CharacterIndexes.clear();
    return true;
  }
  if (run.Names.empty()) {
    if (byCharacters) {
      ShowMessageBox("Breakdown Canceled.", "No Character Names Found!");
      return false;
    }
    return AskYesNo("No Character Names Found!\r\n\r\nContinue Anyway?", "Breakdowns", true);
  }
  if (options.NameOrder == TNameOrder::UserList) PutUserListNamesFirst(script, run);
  if (byCharacters && !ChooseNames(options, run)) return false;
  if (!byCharacters) run.NameTakesPart.assign(run.Names.size(), true);
  return true;
}

}  // namespace

namespace {

using BreakdownKey = OptionKey<TBreakdownOptions>;

const BreakdownKey FlagKeys[] = {
    BreakdownKey::Flag(Section, "True Totals", &TBreakdownOptions::TrueTotals, true),
    BreakdownKey::Flag(Section, "List Char Names", &TBreakdownOptions::ListCharacters, true),
    BreakdownKey::Flag(Section, "Non-Speaking", &TBreakdownOptions::NonSpeaking, true),
    BreakdownKey::Flag(Section, "Each Group On Page", &TBreakdownOptions::EachGroupOnPage, false),
};

constexpr const char* AdjustedLinesKey = "Adjusted Lines";

// One flag per name order; the last one set wins, none set is alphabetical.
struct NameOrderKey {
  const char* key;
  TNameOrder order;
  bool read;
};
constexpr NameOrderKey NameOrderKeys[] = {
    {"Sort Char Names", TNameOrder::Alphabetical, false},
    {"Names in Script Order", TNameOrder::ScriptOrder, true},
    {"Speaking Names First", TNameOrder::SpeakingFirst, true},
    {"User List Order", TNameOrder::UserList, true},
};

}  // namespace

void ReadBreakdownOptions(const TIniFile& ini, TBreakdownOptions& options) {
  ReadOptionKeys(ini, options, FlagKeys);
  options.LinesPerEighth = ini.ReadBool(Section, AdjustedLinesKey, true) ? 7 : 6;
  options.NameOrder = TNameOrder::Alphabetical;
  for (const NameOrderKey& k : NameOrderKeys)
    if (k.read && ini.ReadBool(Section, k.key, false)) options.NameOrder = k.order;
}

void SaveBreakdownOptions(TIniFile& ini, const TBreakdownOptions& options) {
  WriteOptionKeys(ini, options, FlagKeys);
  ini.WriteBool(Section, AdjustedLinesKey, options.LinesPerEighth == 7);
  for (const NameOrderKey& k : NameOrderKeys) ini.WriteBool(Section, k.key, options.NameOrder == k.order);
}

TPageLength SceneLength(int lines, int linesPerEighth) {
  const int perPage = 8 * linesPerEighth;
  TPageLength length{lines / perPage, 0};
  const int rest = lines % perPage;
  if (rest == 0) return length;
  length.Eighths = rest / linesPerEighth + (rest % linesPerEighth >= 2 ? 1 : 0);
  if (length.Eighths == 8) length = {length.Pages + 1, 0};
  if (length.Pages == 0 && length.Eighths == 0) length.Eighths = 1;
  return length;
}

TPageLength RoundedTotal(int pages, int eighths) { return {pages + eighths / 8, eighths % 8}; }

TPageLength TrueTotal(int lines, int linesPerEighth) {
  TPageLength total = SceneLength(lines, linesPerEighth);
  if (total.Pages == 0 && total.Eighths == 0) total.Eighths = 1;
  return total;
}

std::string LengthColumnText(const TPageLength& length) {
  if (length.Pages == 0) return "    " + std::to_string(length.Eighths) + "/8";
  return PaddedNumber(length.Pages, length.Pages >= 10) + " " + std::to_string(length.Eighths) + "/8";
}

std::string TotalText(const TPageLength& length) {
  const std::string pages = length.Pages == 0 ? "" : std::to_string(length.Pages) + " ";
  return pages + std::to_string(length.Eighths) + "/8";
}

std::string SceneNumberShown(const BreakdownRecord& record) {
  const std::size_t first = record.SceneNumber.find_first_not_of(' ');
  return first == std::string::npos ? std::string() : record.SceneNumber.substr(first);
}

std::vector<std::string> SceneCharacters(const TBreakdownRun& run, const BreakdownRecord& record) {
  std::vector<std::string> names;
  for (char byte : record.CharacterIndexes) {
    const std::size_t n = static_cast<Byte>(byte);
    if (n >= 1 && n <= run.Names.size()) names.push_back(run.Names[n - 1]);
  }
  return names;
}

void TGroupTotals::Add(const TRunScene& scene) {
  Pages += scene.Length.Pages;
  Eighths += scene.Length.Eighths;
  Lines += scene.Record.LineCount;
}

TPageLength TGroupTotals::Total(const TBreakdownOptions& options) const {
  return options.TrueTotals ? TrueTotal(Lines, options.LinesPerEighth) : RoundedTotal(Pages, Eighths);
}

const std::string& PrimaryKey(const TRunScene& scene, TPrimaryOrder order) {
  static const std::string none;
  switch (order) {
    case TPrimaryOrder::IntExt: return scene.Record.IntExt;
    case TPrimaryOrder::Location: return scene.Record.Location;
    case TPrimaryOrder::TimeOfDay: return scene.Record.TimeOfDay;
    case TPrimaryOrder::ScriptOrder:
    case TPrimaryOrder::Characters: break;
  }
  return none;
}

bool GatherBreakdownRun(const TScriptDocument& script, const TBreakdownOptions& options, TBreakdownRun& run,
                        const std::function<bool()>& keepGoing) {
  const TScriptRecord& settings = RecordOf(script);
  run = {};
  run.FileName = ExtractFileName(script.ScriptFileName);
  run.MultiLockedScenes = settings.ScenesMultiLocked != 0;
  run.OmitText = settings.SceneOmitText;
  const std::string blanks(static_cast<std::size_t>(GetTimeOfDaySpaces(script)), ' ');
  run.Separator = blanks + std::string(static_cast<std::size_t>(GetTimeOfDayDashes(script)), '-') + blanks;
  TGatherOptions gatherOptions = GatherOptionsOf(options);
  gatherOptions.KeepGoing = keepGoing;
  TSceneBreakdowns gathered = GatherSceneRecords(script, gatherOptions);
  if (gathered.Stopped) return false;
  run.Names = std::move(gathered.Names);
  for (BreakdownRecord& record : gathered.Records) {
    if (record.Location.empty()) continue;
    TRunScene scene;
    scene.Position = static_cast<int>(run.Scenes.size()) + 1;
    scene.Record = std::move(record);
    run.Scenes.push_back(std::move(scene));
  }
  if (run.Scenes.empty()) {
    ShowMessageBox("NO Scenes Found!", "Breakdowns");
    return false;
  }
  // Without the split the heading has no time of day to doubt.
  const TGatherOptions gather = GatherOptionsOf(options);
  if (options.AskAboutTimes && gather.SplitHeadings && !CheckTimesOfDay(script, run)) return false;
  if (!TakeNames(script, options, run)) return false;
  const TAssociationLists associations = ScriptAssociations(script);
  for (TRunScene& scene : run.Scenes) {
    scene.Wanted =
        options.Scenes == TSceneChoice::All || (static_cast<std::size_t>(scene.Position) <= options.Selected.size() &&
                                                options.Selected[static_cast<std::size_t>(scene.Position) - 1]);
    if (options.SomeNames && !run.NameTakesPart.empty() && !HasPickedName(run, scene.Record)) {
      if (options.Output == TBreakdownOutput::Graph) scene.Wanted = false;
    }
    scene.Length = SceneLength(scene.Record.LineCount, options.LinesPerEighth);
    // Off entries cancel their items with or without associations.
    if (options.PrintTagged)
      ApplyAssociations(scene.Record, associations, SceneCharacters(run, scene.Record), TRecordNames::NameTable);
  }
  if (options.Output == TBreakdownOutput::Sheets && options.ListCharacters && options.PrintTagged)
    CharactersIntoCast(run);
  // A run with a progress box says it sorts, and may be cancelled there.
  if (keepGoing) {
    ShowPleaseWait("Sorting Scenes", true, true);
    if (!keepGoing()) return false;
  }
  SortScenes(options, run);
  if (options.NameOrder == TNameOrder::Alphabetical) SortSceneNames(run);
  return true;
}

std::vector<std::string> SceneListEntries() {
  TStringList items;
  BuildPopupList(plScenes, items);
  std::vector<std::string> entries;
  for (int i = 0; i < items.Count(); ++i) entries.push_back(items[i]);
  return entries;
}

std::vector<bool> SelectAllExceptOmitted(const std::vector<std::string>& entries, const std::string& omitText) {
  std::vector<bool> selected;
  for (const std::string& entry : entries)
    selected.push_back(omitText.empty() || entry.find(" " + omitText) == std::string::npos);
  return selected;
}

namespace {

bool HoldsNames(const TBreakdownRun& run, const BreakdownRecord& record, const std::vector<std::string>& names,
                bool everyName) {
  for (const std::string& name : names) {
    const auto it = std::find(run.Names.begin(), run.Names.end(), name);
    const auto index = static_cast<std::size_t>(it - run.Names.begin()) + 1;
    const bool in = it != run.Names.end() && index <= 255 &&
                    record.CharacterIndexes.find(static_cast<char>(index)) != std::string::npos;
    if (in != everyName) return in;
  }
  return everyName;
}

bool PrintReport(const TBreakdownRun& run, const TBreakdownOptions& options) {
  if (!StartPrintJob(false, "Breakdowns")) return false;
  TReportPage page(*CurrentPrintCanvas, Printer()->PageWidth(), Printer()->PageHeight());
  PrintBreakdownReport(run, options, page);
  return FinishPrintJob();
}

}  // namespace

std::string ScenesOfCharacters(const TScriptDocument& script, const std::vector<std::string>& names, bool everyName) {
  TBreakdownOptions options;
  options.Primary = TPrimaryOrder::Characters;
  options.SomeNames = true;
  options.PickedNames = names;
  options.NonSpeaking = true;
  options.NameOrder = TNameOrder::ScriptOrder;
  TBreakdownRun run;
  ShowPleaseWait("Gathering Data", true, true);
  const bool gathered = GatherBreakdownRun(script, options, run, [] {
    TickPleaseWait();
    return GetMsgBoxResult() != mrCancel;
  });
  ClosePleaseWait();
  std::string list;
  if (!gathered || names.empty()) return list;
  for (const TRunScene& scene : run.Scenes) {
    if (scene.Record.CharacterIndexes.empty() || !HoldsNames(run, scene.Record, names, everyName)) continue;
    TrimTrailingBlanks(list);
    list += SceneNumberShown(scene.Record) + ",";
  }
  while (!list.empty() && (list.back() == ' ' || list.back() == ',')) list.pop_back();
  return list;
}

bool RunBreakdown(TMDIChild& script, const TBreakdownOptions& options) {
  if (!CurrentPrintCanvas && Printer()) CurrentPrintCanvas = &Printer()->Canvas();
  ShowPleaseWait("Gathering Data", true, true);
  TBreakdownRun run;
  // Cancel in the progress box stops the gathering at the next scene.
  bool done = editor::WithEditLineStored(script, [&] {
    return GatherBreakdownRun(script, options, run, [] {
      TickPleaseWait();
      return GetMsgBoxResult() != mrCancel;
    });
  });
  ShowPleaseWait("Please Wait", true, true);
  if (done) {
    switch (options.Output) {
      case TBreakdownOutput::Export: done = ExportScheduleFile(script.ScriptFileName, run, options); break;
      case TBreakdownOutput::Sheets: done = PrintSheetsOfRun(script, run, options.LinesPerEighth); break;
      case TBreakdownOutput::Graph: done = PrintBreakdownGraph(run, options); break;
      case TBreakdownOutput::Report: done = PrintReport(run, options); break;
    }
  }
  ClosePleaseWait();
  return done;
}

}  // namespace qm
