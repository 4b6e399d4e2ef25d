#include "breakdown/script_analysis.h"

#include <algorithm>

#include "base/message_boxes.h"
#include "language/character_names.h"
#include "language/duplicate_names.h"
#include "language/list_builders.h"
#include "platform/cp1252.h"
#include "platform/graphics.h"
#include "platform/stringlist.h"
#include "printing/print_run.h"
#include "printing/report_page.h"
#include "script/editing/editor_calls.h"
#include "script/editing/position_texts.h"
#include "script/layout/char_widths.h"
#include "script/model/character_name_table.h"
#include "script/model/element_kinds.h"
#include "script/model/script_record.h"
#include "script/model/string_utils.h"
#include "script/script_window.h"
#include "platform/text_trim.h"

namespace qm {

namespace {

constexpr const char* VoiceMark = "'S VOICE";

// Codes, user colours and control bytes a cue may carry.
bool IsCueNoise(Byte b) {
  return b == 1 || b == 2 || b == 3 || (b >= 6 && b <= 30 && b != 4 && b != 5) || b == 127 || IsUserColorCode(b);
}

// The people a cue names: split at " AND ", "/" and "\", in that order.
std::vector<std::string> Speakers(std::string cue) {
  std::vector<std::string> speakers;
  for (;;) {
    std::size_t at = std::string::npos;
    std::size_t width = 0;
    for (const char* separator : {" AND ", "/", "\\"}) {
      at = cue.find(separator);
      if (at != std::string::npos) {
        width = std::string_view(separator).size();
        break;
      }
    }
    if (at == std::string::npos) break;
    speakers.push_back(cue.substr(0, at));
    cue.erase(0, at + width);
    cue.erase(0, std::min(cue.size(), cue.find_first_not_of(' ')));
  }
  speakers.push_back(cue);
  return speakers;
}

std::string ClassLines(const TLengthClasses& c) {
  std::string out;
  if (c.Short) out += "\r" + std::to_string(c.Short) + " were 1 or 2 lines long";
  if (c.Medium) out += "\r" + std::to_string(c.Medium) + " were 3 or 4 lines long";
  if (c.Long) out += "\r" + std::to_string(c.Long) + " were 5 or more lines long";
  return out;
}

class TAnalyzer {
 public:
  explicit TAnalyzer(TMDIChild& script) : script_(script) {}

  TScriptAnalysis Run() {
    ShowPleaseWait("Gathering Data", false, false);
    // The names table reads stored cues only.
    editor::Assemble(script_);
    CountLocations();
    CollectNames();
    // The lists put the edit line back: stored again, every cue of the walk
    // has its text, the one at the caret too.
    editor::Assemble(script_);
    page_ = std::to_string(script_.PageStart);
    for (TScriptElement* e = script_.FirstElement; e; e = e->next) {
      Take(*e);
      TickPleaseWait();
    }
    a_.Pages = ScriptPageCount(script_);
    Classify();
    WriteLabels();
    std::stable_sort(a_.Names.begin(), a_.Names.end(), [](const TAnalysisEntry& x, const TAnalysisEntry& y) {
      if (x.Data.Speeches != y.Data.Speeches) return x.Data.Speeches > y.Data.Speeches;
      return x.Data.SpeechLines > y.Data.SpeechLines;
    });
    ClosePleaseWait();
    editor::DisAssemble(script_);
    return std::move(a_);
  }

 private:
  void CountLocations() {
    TStringList locations;
    BuildPopupList(plLocations, locations);
    int unique = 0;
    for (int i = 0; i < locations.Count(); ++i) {
      std::string location = locations[i];
      SubstituteLocationName(location, 255);
      if (location == AnsiUpperCase(locations[i])) ++unique;
    }
    a_.UniqueLocations = unique;
  }

  // The names less joint cues, "'S VOICE" names of a listed name and
  // aliases; each name once, upper case.
  void CollectNames() {
    TStringList list;
    CollectCharacterNames(0, false, false, list, false);
    std::vector<std::string> names;
    for (int i = 0; i < list.Count(); ++i) names.push_back(AnsiUpperCase(list[i]));
    std::sort(names.begin(), names.end());
    names.erase(std::unique(names.begin(), names.end()), names.end());
    const TStringList& aliases = script_.CharacterAliasList;
    auto listed = [&](const std::string& name) { return std::binary_search(names.begin(), names.end(), name); };
    std::vector<std::string> kept;
    for (const std::string& name : names) {
      if (name.find_first_of("/\\") != std::string::npos || name.find(" AND ") != std::string::npos) continue;
      if (const std::size_t voice = name.find(VoiceMark); voice != std::string::npos && listed(name.substr(0, voice)))
        continue;
      if (aliases.IndexOf(name) >= 0) continue;
      kept.push_back(name);
    }
    for (std::string& name : kept) a_.Names.push_back({std::move(name), {}});
    a_.Characters = static_cast<int>(a_.Names.size());
  }

  void Take(TScriptElement& e) {
    const Byte kind = e.Kind();
    if (kind == ekAction) {
      a_.Action.Add(e.lineCount, page_);
    } else if (IsListedHeading(e)) {
      ++a_.Scenes;
      scene_ = SceneNumberText(script_, e);
    } else if (IsPageBreakKind(kind)) {
      page_ = TrimBlanks(PageNumberText(script_, &e));
    } else if (kind == ekCharacterName) {
      TakeCue(e);
    } else if (kind == ekParenthetical && !IsContinuedMark(ElementText(e))) {
      ++a_.Parentheticals;
    }
  }

  bool IsContinuedMark(std::string text) const {
    text = TrimBlanks(AnsiUpperCase(PlainText(text)));
    if (text.size() >= 2 && text.front() == '(' && text.back() == ')')
      text = TrimBlanks(text.substr(1, text.size() - 2));
    return text == AnsiUpperCase(script_.CharacterContinuedText);
  }

  // The speech's lines: the elements of the cue's speech but its
  // parentheticals, less the cue's own line.
  static int SpeechLength(const TScriptElement& cue) {
    int lines = cue.lineCount;
    for (const TScriptElement* e = cue.next; e; e = e->next) {
      const Byte kind = e->Kind();
      if (kind == ekAutoPageBreak) continue;
      if (kind != ekDialogue && kind != ekParenthetical) break;
      if (kind == ekDialogue) lines += e->lineCount;
    }
    return lines - 1;
  }

  void TakeCue(const TScriptElement& e) {
    std::string cue = AnsiUpperCase(ElementText(e));
    std::erase_if(cue, [](char ch) { return IsCueNoise(static_cast<Byte>(ch)); });
    if (const std::size_t voice = cue.find(VoiceMark); voice != std::string::npos) cue.erase(voice);
    const int length = SpeechLength(e);
    for (const std::string& named : Speakers(cue)) {
      // "ZELDA (V.O.)" speaks as ZELDA.
      std::string speaker = SpeakerName(named);
      SubstituteCharacterName(speaker, 255);
      TAnalysisEntry* entry = Find(speaker);
      if (length > a_.Speech.Longest || a_.Speech.Count == 0) a_.LongestSpeaker = speaker;
      a_.Speech.Add(length, page_);
      if (entry) Credit(entry->Data, length);
    }
  }

  void Credit(TWorkData& d, int length) {
    if (d.FirstPage.empty()) d.FirstPage = page_;
    d.LastPage = page_;
    if (length > d.Longest || d.Speeches == 0) {
      d.Longest = std::max(d.Longest, length);
      d.LongestPage = page_;
    }
    if (d.FirstScene.empty()) d.FirstScene = scene_;
    if (scene_ != d.LastScene || d.Scenes == 0) {
      ++d.Scenes;
      d.LastScene = scene_;
    }
    if (length == 1 || length == 2) ++d.ShortSpeeches;
    else if (length == 3 || length == 4) ++d.MediumSpeeches;
    else ++d.LongSpeeches;
    d.SpeechLines += length;
    ++d.Speeches;
  }

  TAnalysisEntry* Find(const std::string& name) {
    for (TAnalysisEntry& entry : a_.Names)
      if (entry.Name == name) return &entry;
    return nullptr;
  }

  void Classify() {
    for (const TAnalysisEntry& entry : a_.Names) {
      const int n = entry.Data.Speeches;
      if (n >= 11) ++a_.SpokeOften;
      else if (n >= 5) ++a_.SpokeSome;
      else if (n >= 1) ++a_.SpokeLittle;
    }
  }

  void WriteLabels() {
    auto& l = a_.Labels;
    l[0] = std::to_string(a_.Characters) + " characters, of whom " + std::to_string(a_.SpokeOften) +
           " spoke 11 or more times\r" + std::to_string(a_.SpokeSome) + " spoke 5-10 times, and " +
           std::to_string(a_.SpokeLittle) + " spoke 1-4 times";
    if (a_.Scenes > 0)
      l[1] = std::to_string(a_.Scenes) + " Scenes with " + std::to_string(a_.UniqueLocations) + " unique locations";
    l[2] = std::to_string(a_.Action.Count) + " Action Elements" + ClassLines(a_.Action) +
           "\rThe longest Action line was " + std::to_string(a_.Action.Longest) + " lines on Page " +
           a_.Action.LongestPage;
    l[3] = std::to_string(a_.Speech.Count) + " Speeches" + ClassLines(a_.Speech) + "\rThe longest Speech was " +
           std::to_string(a_.Speech.Longest) + " lines on Page " + a_.Speech.LongestPage + " by " + a_.LongestSpeaker;
    if (a_.Parentheticals == 0 || a_.Pages == 0) {
      l[4] = "There are NO Parentheticals in the script... I'm impressed with your extraordinary self-control";
    } else {
      l[4] = std::to_string(a_.Parentheticals) + " Parentheticals in the script which roughly averages out to " +
             HundredthsText(a_.Parentheticals * 100 / a_.Pages) + " per page or approximately 1 every " +
             std::to_string(a_.Speech.Count / a_.Parentheticals) + " speeches";
    }
  }

  TMDIChild& script_;
  TScriptAnalysis a_;
  std::string page_;
  std::string scene_;
};

}  // namespace

void TLengthClasses::Add(int lines, const std::string& page) {
  if (lines > Longest || Count == 0) {
    Longest = std::max(Longest, lines);
    LongestPage = page;
  }
  ++Count;
  Lines += lines;
  if (lines == 1 || lines == 2) ++Short;
  else if (lines == 3 || lines == 4) ++Medium;
  else ++Long;
}

int ScriptPageCount(const TScriptDocument& script) {
  int pages = 1;
  for (const TScriptElement* e = script.FirstElement; e; e = e->next)
    if (IsPageBreakKind(e->Kind())) ++pages;
  return pages;
}

TScriptAnalysis AnalyzeScript(TMDIChild& script) { return TAnalyzer(script).Run(); }

std::array<std::string, 8> DetailLines(const TWorkData& d) {
  return {"Spoke in a total of " + std::to_string(d.Scenes) + " Scenes",
          "First spoke in Scene " + d.FirstScene + ", Page " + d.FirstPage,
          "Last spoke in Scene " + d.LastScene + ", Page " + d.LastPage,
          "Longest speech was " + std::to_string(d.Longest) + " Lines on Pg " + d.LongestPage,
          "Had " + std::to_string(d.Speeches) + " speeches for a total of " + std::to_string(d.SpeechLines) + " lines",
          "Had " + std::to_string(d.ShortSpeeches) + " speeches of only 1 or 2 lines",
          "Had " + std::to_string(d.MediumSpeeches) + " speeches of 3 or 4 lines",
          "Had " + std::to_string(d.LongSpeeches) + " speeches of 5 or more lines"};
}

std::string HundredthsText(int hundredths) {
  const int cents = hundredths % 100;
  return std::to_string(hundredths / 100) + "." + (cents < 10 ? "0" : "") + std::to_string(cents);
}

}  // namespace qm

// ---- Printing ----------------------------------------------------------------

namespace qm {

namespace {

void SetPrintFont(const char* name, int size, bool bold, bool underline) {
  TCanvas& canvas = *CurrentPrintCanvas;
  canvas.Font.Name = name;
  canvas.Font.Size = size;
  canvas.Font.Color = clBlack;
  canvas.Font.Style = (bold ? unsigned{fsBold} : 0u) | (underline ? unsigned{fsUnderline} : 0u);
}

int ApHeight() { return CurrentPrintCanvas->TextHeight("Ap"); }

// The page as the analysis fills it: the left edge one inch in, the
// current line, and the page number its continuation headings count.
class TAnalysisPage {
 public:
  TAnalysisPage() : x_(PrintRun.DpiX), page_(*CurrentPrintCanvas, PrintRun.PageWidth, PrintRun.PageHeight) {
    page_.Top = PrintRun.DpiY / 2;
    // The next entry's eight lines end above the half-inch margin.
    page_.Bottom = PrintRun.PageHeight - PrintRun.DpiY / 2 - 1;
    page_.OnHeader([this](TReportPage& page) {
      SetPrintFont("Times New Roman", 18, true, true);
      PrintTextAt(x_, page.Y, "Character Detail Analysis Continued - Page " + std::to_string(page.Number()));
      page.Advance(ApHeight());
      BodyFont();
    });
  }

  void Heading(const std::string& text, bool detail) {
    page_.Y = detail ? PrintRun.DpiY / 2 : PrintRun.DpiY;
    SetPrintFont("Times New Roman", 16, true, true);
    PrintTextAt(x_, page_.Y, text);
    if (detail) {
      page_.Advance(ApHeight());
      SetPrintFont("Times New Roman", 11, true, false);
      PrintTextAt(x_, page_.Y, "(Listed in order of Total Number of Speeches - Highest to Lowest)");
    }
    page_.Advance(ApHeight());
    BodyFont();
    page_.Advance(lineHeight_);
  }

  // Each piece of the text up to the next mark on a line of its own; the
  // mark's first character is dropped.
  void Paragraph(std::string text, const std::string& mark, bool pageCheck) {
    for (;;) {
      const std::size_t at = text.find(mark);
      page_.Advance(lineHeight_);
      PrintTextAt(x_, page_.Y, text.substr(0, at));
      if (at == std::string::npos) break;
      text.erase(0, at + 1);
    }
    page_.Advance(lineHeight_);
    if (!pageCheck) return;
    page_.Advance(lineHeight_);
    page_.KeepTogether(8 * lineHeight_);
  }

  void BackOneLine() { page_.Advance(-lineHeight_); }

 private:
  void BodyFont() {
    SetPrintFont("Arial", 11, false, false);
    lineHeight_ = ApHeight();
  }

  int x_;
  TReportPage page_;
  int lineHeight_ = 0;
};

std::string Quoted(const std::string& fileName) { return "\x93" + AnalysisTitleName(fileName) + "\x94"; }

}  // namespace

std::string AnalysisTitleName(const std::string& fileName) {
  std::string name = ExtractFileNameOnly(fileName);
  StripExtension(name);
  name = AnsiLowerCase(name);
  for (std::size_t i = 0; i < name.size(); ++i)
    if (i == 0 || name[i - 1] == ' ') name[i] = static_cast<char>(AnsiUpper(static_cast<Byte>(name[i])));
  return name;
}

bool PrintGeneralAnalysis(const TScriptAnalysis& analysis, const std::string& fileName) {
  if (!StartPrintJob(false, "Script Analysis")) return false;
  TAnalysisPage page;
  page.Heading("General Script Analysis of " + Quoted(fileName), false);
  for (std::size_t i = 0; i < analysis.Labels.size(); ++i)
    page.Paragraph(analysis.Labels[i], i < 4 ? "\r" : " or approx", true);
  return FinishPrintJob();
}

bool PrintCharacterDetail(const TScriptAnalysis& analysis, const std::vector<int>& chosen,
                          const std::string& fileName) {
  if (chosen.empty() || !StartPrintJob(false, "Script Analysis")) return false;
  ShowPleaseWait("Printing Character Detail", false, false);
  TAnalysisPage page;
  page.Heading("Character Detail Analysis of " + Quoted(fileName), true);
  for (std::size_t n = 0; n < chosen.size(); ++n) {
    const TAnalysisEntry& entry = analysis.Names.at(static_cast<std::size_t>(chosen[n]));
    auto lines = DetailLines(entry.Data);
    lines[0][0] = 's';
    page.Paragraph(entry.Name + " " + lines[0] + "\r" + lines[1] + "\r" + lines[2] + "\r" + lines[3] + "\r" + lines[4],
                   "\r", false);
    page.BackOneLine();
    page.Paragraph(lines[5] + "\r" + lines[6] + "\r" + lines[7], "\r", n + 1 < chosen.size());
    TickPleaseWait();
  }
  ClosePleaseWait();
  return FinishPrintJob();
}

}  // namespace qm
