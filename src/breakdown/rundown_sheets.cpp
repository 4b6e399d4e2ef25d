#include "breakdown/rundown_sheets.h"

#include <algorithm>

#include "base/document_table.h"
#include "base/ini_file.h"
#include "base/message_boxes.h"
#include "base/option_keys.h"
#include "base/prompt_table.h"
#include "breakdown/character_lists.h"
#include "breakdown/character_lists_dialog.h"
#include "breakdown/set_lists.h"
#include "platform/printer.h"
#include "printing/print_run.h"
#include "script/layout/screen_rebuild.h"
#include "language/list_builders.h"
#include "platform/cp1252.h"
#include "script/editing/editor_calls.h"
#include "script/editing/position_texts.h"
#include "script/model/element_kinds.h"
#include "script/model/number_texts.h"
#include "script/model/script_record.h"
#include "script/model/string_utils.h"
#include "script/model/user_list_entries.h"
#include "script/script_window.h"
#include "platform/text_trim.h"

namespace qm {

namespace {

constexpr const char* Section = "Rundown";
constexpr Byte SceneDescriptionCode = 168;
constexpr Byte TagEndByte = 1;
constexpr Byte LettersStyle = 2;

bool IsActKind(Byte kind) { return kind == ekActInformation || kind == ekActStart; }
bool IsSceneInfoKind(Byte kind) { return kind == ekSceneInformation || kind == ekLockedSceneInformation; }

class TRowGatherer {
 public:
  explicit TRowGatherer(const TScriptDocument& script)
      : script_(script), sceneInformation_(UsesSceneInformation(script)) {}

  TRundownRows Run() {
    page_ = std::to_string(script_.PageStart);
    row_.Page = page_;
    for (const TScriptElement* e = script_.FirstElement; e; e = e->next) Take(*e);
    Store();
    return std::move(rows_);
  }

 private:
  void Take(const TScriptElement& e) {
    const Byte kind = e.Kind();
    if (IsActKind(kind)) {
      NewRow(false);
      row_.Kind = ekActInformation;
      row_.Act = NumberingText(script_.DisplayNumber(e.group), script_.ActDisplayStyle, e.format.AllCaps);
    } else if (IsSceneInfoKind(kind)) {
      NewRow(false);
      row_.Scene = NumberingText(script_.DisplayNumber(e.group), script_.SceneInfoDisplayStyle, e.format.AllCaps);
    } else if (kind == ekPrologueText) {
      NewRow(false);
      row_.Kind = ekPrologueText;
      const std::string text = PlainText(LiveElementText(script_, e));
      row_.Act = e.format.AllCaps ? AnsiUpperCase(text) : text;
      if (!e.next || !OpensSection(e.next->Kind(), sceneInformation_)) row_.Scene = " ";
    } else if (IsPageBreakKind(kind)) {
      page_ = TrimBlanks(PageNumberText(script_, &e));
    } else if (IsListedHeading(e)) {
      TakeHeading(e);
    } else if (kind == ekScriptNote) {
      TakeDescription(LiveElementText(script_, e));
    }
  }

  void TakeHeading(const TScriptElement& e) {
    std::string heading = AnsiUpperCase(PlainText(LiveElementText(script_, e)));
    if (sceneInformation_) {
      if (!row_.Heading.empty()) NewRow(true);
    } else {
      if (!row_.Act.empty() && !row_.Scene.empty()) NewRow(false);
      row_.Scene = SceneNumberText(script_, e);
      if (heading.starts_with("[")) {
        const std::size_t blank = heading.find(' ');
        row_.Scene = heading.substr(0, blank);
        heading = blank == std::string::npos ? std::string() : heading.substr(blank + 1);
      }
    }
    std::size_t open = heading.find("(DAY ");
    if (open == std::string::npos) open = heading.find("(NIGHT ");
    if (open != std::string::npos) {
      std::string dayNight = heading.substr(open + 1);
      while (!dayNight.empty() && (dayNight.back() == ' ' || dayNight.back() == ')')) dayNight.pop_back();
      row_.DayNight = dayNight;
      heading.erase(open == 0 ? 0 : open - 1);
    }
    row_.Heading = heading;
    if (e.next && e.next->Kind() == ekAction && (e.next->format.NumberWord >> 8) == 150)
      row_.Characters = PlainText(LiveElementText(script_, *e.next));
  }

  void TakeDescription(const std::string& note) {
    const std::size_t code = note.find(static_cast<char>(SceneDescriptionCode));
    if (code == std::string::npos) return;
    const std::size_t end = note.find(static_cast<char>(TagEndByte), code + 1);
    row_.Description = PlainText(note.substr(code + 1, end == std::string::npos ? std::string::npos : end - code - 1));
  }

  // Stores the row when it is complete and begins the next, which keeps
  // the act (and for a second heading of one scene its scene label).
  void NewRow(bool sameScene) {
    if (row_.Act.empty() || row_.Scene.empty()) return;
    Store();
    TRundownRow next;
    next.Act = row_.Act;
    next.Kind = row_.Kind;
    if (sameScene) next.Scene = row_.Scene;
    next.Page = page_;
    row_ = std::move(next);
  }

  void Store() {
    if (row_.Act.empty() || row_.Scene.empty()) return;
    const std::string actKey = row_.Kind == ekPrologueText ? row_.Act : ActListText(script_, 1) + " " + row_.Act;
    std::string key = actKey;
    if (row_.Scene != " ") {
      key += ", ";
      if (script_.ScenesWithinActs && sceneInformation_) key += ActListText(script_, 3) + " ";
      key += row_.Scene;
    }
    rows_.push_back({key, actKey, row_});
  }

  const TScriptDocument& script_;
  bool sceneInformation_;
  std::string page_;
  TRundownRow row_;
  TRundownRows rows_;
};

std::string UpperLocation(const std::string& separator, const std::string& heading) {
  return AnsiUpperCase(SplitLocationTimeOfDay(separator, heading));
}

}  // namespace

namespace {

using RundownKey = OptionKey<TRundownOptions>;
using O = TRundownOptions;

// A missing key keeps the record's own default.
const RundownKey SetListKeys[] = {
    RundownKey::Number(Section, "font size", &O::FontSize, {}, 8, 15),
    RundownKey::Text(Section, "font", &O::Font),
    RundownKey::Flag(Section, "UndAct", &O::UndAct),
    RundownKey::Flag(Section, "Und Scene Head", &O::UndSceneHead),
    RundownKey::Flag(Section, "BoldAct", &O::BoldAct),
    RundownKey::Flag(Section, "Bold Scene Head", &O::BoldSceneHead),
    RundownKey::Flag(Section, "PrintSetList", &O::PrintSetList),
    RundownKey::Flag(Section, "PrintPgNumbsInSetList", &O::PrintPageNumbers),
    RundownKey::Flag(Section, "Start And Ending Pg #", &O::StartAndEndingPage),
    RundownKey::Flag(Section, "List Chars In Set List", &O::ListChars),
    RundownKey::Flag(Section, "Print Locations Bold", &O::LocationsBold),
    RundownKey::Flag(Section, "Chars All Caps", &O::CharsAllCaps),
    RundownKey::Text(Section, "Set List Page Text", &O::PageText),
    RundownKey::Text(Section, "Set List Final Text", &O::FinalText),
    RundownKey::Flag(Section, "Put in Clipboard", &O::PutInClipboard),
    RundownKey::Flag(Section, "Print Total Boxes", &O::PrintTotalBoxes),
};

const RundownKey TableKeys[] = {
    RundownKey::Flag(Section, "ActSceneColumn", &O::ActSceneColumn),
    RundownKey::Flag(Section, "DayNightColumn", &O::DayNightColumn),
    RundownKey::Flag(Section, "PageNumColumn", &O::PageNumColumn),
    RundownKey::Text(Section, "Min Box Height", &O::MinBoxHeight),
    RundownKey::Text(Section, "BoxWidth", &O::BoxWidth),
    RundownKey::Flag(Section, "2 Timing Boxes", &O::TwoTimingBoxes),
};

}  // namespace

TRundownOptions ReadRundownOptions(const TIniFile& ini) {
  TRundownOptions o;
  ReadOptionKeys(ini, o, SetListKeys);
  ReadOptionKeys(ini, o, TableKeys);
  return o;
}

void WriteRundownOptions(TIniFile& ini, const TRundownOptions& o, bool justSetList) {
  WriteOptionKeys(ini, o, SetListKeys);
  if (!justSetList) WriteOptionKeys(ini, o, TableKeys);
}

bool HasActInformation(const TScriptDocument& script) {
  for (const TScriptElement* e = script.FirstElement; e; e = e->next)
    if (IsActKind(e->Kind()) || e->Kind() == ekPrologueText) return true;
  return false;
}

std::string NumberingText(int number, Byte displayStyle, bool capitals) {
  switch (displayStyle & 0x7F) {
    case LettersStyle: return NumberAsLetters(number);
    case 3: return NumberToWords(number, capitals);
    case 4: return NumberToWords(number, true);
    case 5: return " " + RomanNumeral(static_cast<Word>(number));
    default: return std::to_string(number);
  }
}

TRundownRows GatherRundownRows(const TScriptDocument& script) { return TRowGatherer(script).Run(); }

void MergeTwinRows(TRundownRows& rows, const TScriptDocument& script) {
  if (!UsesSceneInformation(script) || rows.size() < 2) return;
  auto runStart = [&](std::size_t i) {
    while (i > 0 && rows[i - 1].Key == rows[i].Key) --i;
    return i;
  };
  for (std::size_t i = rows.size() - 1; i >= 1; --i) {
    TRundownRow& row = rows[i].Row;
    if (!row.Characters.empty() || rows[i - 1].Key != rows[i].Key) continue;
    TRundownRow& first = rows[runStart(i)].Row;
    row.Characters = std::move(first.Characters);
    first.Characters.clear();
    if (!first.Description.empty()) {
      row.Description = std::move(first.Description);
      first.Description.clear();
    }
  }
  const std::string separator = BuildTimeOfDaySeparator();
  for (std::size_t i = rows.size() - 1; i >= 1; --i) {
    const std::string location = UpperLocation(separator, rows[i].Row.Heading);
    for (std::size_t j = i; j-- > runStart(i);) {
      if (UpperLocation(separator, rows[j].Row.Heading) != location) continue;
      TRundownRow& into = rows[j].Row;
      if (!rows[i].Row.Characters.empty()) into.Characters = rows[i].Row.Characters;
      if (!rows[i].Row.Description.empty()) into.Description = rows[i].Row.Description;
      rows.erase(rows.begin() + static_cast<std::ptrdiff_t>(i));
      break;
    }
  }
}

int BoxTenths(std::string text, int unreadable) {
  text = TrimBlanks(text);
  const std::size_t point = text.find('.');
  if (point != std::string::npos) text = text.substr(0, point) + text.substr(point + 1, 1);
  if (text.empty() || text.size() > 6 ||
      !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
    return unreadable;
  return std::stoi(text);
}

std::string DayNightColumnText(const std::string& dayNight) {
  std::string text = dayNight;
  const std::size_t blank = text.find(' ');
  if (text.size() > 1 && blank != std::string::npos) text.erase(1, blank);
  text = AnsiUpperCase(text);
  static const char* const Words[] = {"ONE", "TWO", "THREE", "FOUR", "FIVE", "SIX", "SEVEN", "EIGHT", "NINE", "TEN"};
  for (int n = 0; n < 10; ++n)
    if (text.size() > 1 && text.substr(1) == Words[n]) return text.substr(0, 1) + std::to_string(n + 1);
  return text;
}

int BoxWidthTenths(std::string text) {
  // A whole inch typed as one digit.
  if (text.size() == 1) text += "0";
  const int tenths = BoxTenths(text, 15);
  if (tenths <= 15) return tenths;
  ShowMessageBox("You've specified a minimum Box Width which leaves an insufficent space for Text!\r\rI'm Adjusting "
                 "it accordingly...",
                 "Attention");
  return 15;
}

int MinHeightTenths(const std::string& text) { return std::max(BoxTenths(text, 7), 7); }

namespace {

constexpr const char* NoRowsMessage =
    "No Act/Scene Information Found!\r\rThe generate Rundown Sheets function is designed for Television formats "
    "and this script is either not a sitcom or the Act && Scene information has not been entered correctly.";
constexpr const char* NoActsMessage =
    "No Act Information Found!\r\rThe generate Rundown Sheets function is designed for Television formats and "
    "this script is either not a sitcom or the Act information has not been entered correctly.";
constexpr const char* ClipboardMessage =
    "Set List Text is in Clipboard!\r\rYou can now go to any general purpose Word Processor such as Microsoft "
    "Word\xae or Novell WordPerfect\xae, start a new document and click PASTE...";

// The set list into the clipboard: measured on the printer's canvas, as
// no print run is open.
void CopySetList(const TRundownRows& rows, const TRundownOptions& o, const TProductionDetails& d,
                 const TScriptDocument& script) {
  TCanvas* kept = CurrentPrintCanvas;
  if (!CurrentPrintCanvas) CurrentPrintCanvas = &Printer()->Canvas();
  TRichText text;
  WriteSetList(rows, o, d, script, LastPageText(script), &text);
  CurrentPrintCanvas = kept;
  CopySetListToClipboard(text);
  ShowMessageBox(ClipboardMessage, "Attention");
}

}  // namespace

bool ProduceRundown(TMDIChild& script, const TRundownOptions& o, const TProductionDetails& d, bool justSetList) {
  const int widthTenths = justSetList ? 8 : BoxWidthTenths(o.BoxWidth);
  const int minTenths = justSetList ? 7 : MinHeightTenths(o.MinBoxHeight);
  // The clipboard takes the set list only: the table still prints.
  const bool printFirst = !justSetList || !o.PutInClipboard;
  if (printFirst && !StartPrintJob(false, "Rundown")) return false;
  TRundownRows rows = editor::WithEditLineStored(script, [&] { return GatherRundownRows(script); });
  if (rows.empty()) {
    FocusActiveScript();
    ShowMessageBox(NoRowsMessage, PromptTable(32));
    ShowPleaseWait("Aborting Rundown Generation", false, false);
    if (PrintJobOpen()) AbortPrintJob();
    ClosePleaseWait();
    return false;
  }
  MergeTwinRows(rows, script);
  if (!justSetList) {
    ShowPleaseWait("Printing Rundown", false, false);
    PrintRundownTable(rows, o, d, widthTenths, PrintRun.DpiY * minTenths / 10);
    ClosePleaseWait();
    if (!o.PrintSetList) return FinishPrintJob();
    FinishPrintJob();
    if (!o.PutInClipboard && !StartPrintJob(false, "Set List")) return false;
  }
  if (o.PutInClipboard) {
    CopySetList(rows, o, d, script);
    return true;
  }
  WriteSetList(rows, o, d, script, LastPageText(script), nullptr);
  return FinishPrintJob();
}

void GenerateRundownSheets(bool justSetList) {
  TMDIChild* script = ActiveScript();
  if (!script) return;
  if (!HasActInformation(*script)) {
    ShowMessageBox(NoActsMessage, PromptTable(32));
    FocusActiveScript();
    return;
  }
  if (AskYesNo("Regenerate Character Lists first?", PromptTable(4), true)) GenerateCharacterLists(false);
  TIniFile ini = OpenSettingsFile();
  TCharNameListDlg dialog(Application, *script);
  dialog.StartRundown(ReadRundownOptions(ini), justSetList);
  if (dialog.ShowModal() != mrOk) return;
  const TRundownOptions options = dialog.RundownOptions();
  WriteRundownOptions(ini, options, justSetList);
  const TProductionDetails details = dialog.Production();
  script->ProductionTitle = details.Title;
  script->ProductionCompany = details.Company;
  script->EpisodeNumber = details.Episode;
  script->Draft = details.Draft;
  script->Director = details.Director;
  editor::SetActiveScriptModifiedUnrevised();
  ProduceRundown(*script, options, details, justSetList);
  editor::RedisplayScreen(*script);
}

}  // namespace qm
