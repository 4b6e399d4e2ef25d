#include "printing/print_menu.h"

#include <algorithm>
#include <map>

#include "base/message_boxes.h"
#include "base/program_options.h"
#include "platform/cp1252.h"
#include "platform/files.h"
#include "printing/page_header.h"
#include "printing/print_run.h"
#include "printing/printing_dialog.h"
#include "script/model/string_utils.h"
#include "platform/text_trim.h"
#include "script/script_window.h"

namespace qm {

namespace {

// The pages each element stands on.
std::map<const TScriptElement*, std::size_t> PageOfElements(const std::vector<TScriptPage>& pages) {
  std::map<const TScriptElement*, std::size_t> pageOf;
  for (std::size_t i = 0; i < pages.size(); ++i)
    for (const TScriptElement* e = pages[i].first; e && e != pages[i].endBreak; e = e->next) pageOf[e] = i;
  return pageOf;
}

std::vector<TScriptPage> Slice(const std::vector<TScriptPage>& pages, std::size_t first, std::size_t last) {
  if (first > last || last >= pages.size()) return {};
  return {pages.begin() + static_cast<std::ptrdiff_t>(first), pages.begin() + static_cast<std::ptrdiff_t>(last) + 1};
}

std::vector<TScriptPage> PagesWhere(const std::vector<TScriptPage>& pages,
                                    bool (*wanted)(const TScriptElement&, const std::string&),
                                    const std::string& what) {
  std::vector<TScriptPage> chosen;
  for (const TScriptPage& page : pages)
    for (const TScriptElement* e = page.first; e && e != page.endBreak; e = e->next)
      if (wanted(*e, what)) {
        chosen.push_back(page);
        break;
      }
  return chosen;
}

std::string SpeakerName(const TScriptElement& cue) {
  std::string name = AnsiUpperCase(ElementText(cue));
  CutAtParenthesis(name);
  TrimTrailingBlanks(name);
  return name;
}

bool IsRevised(const TScriptElement& e, const std::string&) { return e.revisedLines && !e.revisedLines->empty(); }

bool IsCueOf(const TScriptElement& e, const std::string& name) {
  return e.Kind() == ekCharacterName && e.text && SpeakerName(e) == name;
}

std::vector<TScriptPage> PageRange(const TScriptDocument& script, const std::vector<TScriptPage>& pages,
                                   const TPrintChoice& c) {
  const auto find = [&](const std::string& label) {
    for (std::size_t i = 0; i < pages.size(); ++i)
      if (SameText(PageLabel(script, pages[i]), TrimBlanks(label))) return i;
    return pages.size();
  };
  const std::size_t first = find(c.From);
  const std::size_t last = TrimBlanks(c.To).empty() ? pages.size() - 1 : find(c.To);
  return Slice(pages, first, last);
}

// The element that ends the scene a heading opens: the last before the
// next heading that is no page break.
const TScriptElement* SceneEnd(const TScriptElement* heading) {
  const TScriptElement* end = heading;
  while (end->next && !IsSceneHeading(end->next->Kind())) end = end->next;
  while (end != heading && IsPageBreakKind(end->Kind())) end = end->prev;
  return end;
}

// The pages of the scenes a list names ("3,7,12A"), each page once.
std::vector<TScriptPage> ListedScenes(const TScriptDocument& script, const std::vector<TScriptPage>& pages,
                                      const std::string& list) {
  std::vector<std::string> numbers;
  for (std::size_t start = 0; start <= list.size();) {
    const std::size_t comma = std::min(list.find(',', start), list.size());
    if (std::string number = TrimBlanks(list.substr(start, comma - start)); !number.empty()) numbers.push_back(number);
    start = comma + 1;
  }
  const auto pageOf = PageOfElements(pages);
  std::vector<bool> wanted(pages.size(), false);
  for (const TScriptElement* e = script.FirstElement; e; e = e->next) {
    if (!IsSceneHeading(e->Kind())) continue;
    const std::string number = TrimBlanks(script.SceneNumberText(*e));
    if (std::none_of(numbers.begin(), numbers.end(), [&](const std::string& n) { return SameText(n, number); }))
      continue;
    const auto first = pageOf.find(e), last = pageOf.find(SceneEnd(e));
    if (first == pageOf.end() || last == pageOf.end()) continue;
    for (std::size_t i = first->second; i <= last->second; ++i) wanted[i] = true;
  }
  std::vector<TScriptPage> chosen;
  for (std::size_t i = 0; i < pages.size(); ++i)
    if (wanted[i]) chosen.push_back(pages[i]);
  return chosen;
}

std::vector<TScriptPage> SceneRange(const TScriptDocument& script, const std::vector<TScriptPage>& pages,
                                    const TPrintChoice& c) {
  const TScriptElement* from = nullptr;
  const TScriptElement* to = nullptr;
  const std::string last = TrimBlanks(c.To).empty() ? TrimBlanks(c.From) : TrimBlanks(c.To);
  for (const TScriptElement* e = script.FirstElement; e; e = e->next) {
    if (!IsSceneHeading(e->Kind())) continue;
    const std::string number = script.SceneNumberText(*e);
    if (!from && SameText(number, TrimBlanks(c.From))) from = e;
    if (from && SameText(number, last)) to = e;
  }
  if (!from || !to) return {};
  const auto pageOf = PageOfElements(pages);
  return Slice(pages, pageOf.at(from), pageOf.at(SceneEnd(to)));
}

}  // namespace

std::vector<TScriptPage> SelectPages(const TScriptDocument& script, const TPrintChoice& choice) {
  std::vector<TScriptPage> pages = ScriptPages(script);
  // Omitted pages combined into the page before them print no page of their own.
  if (ProgramOptions().CombineOmittedPages) std::erase_if(pages, IsOmittedPage);
  switch (choice.Range) {
    case TPrintRange::AllPages: return pages;
    case TPrintRange::PageRange: return PageRange(script, pages, choice);
    case TPrintRange::Scenes: return SceneRange(script, pages, choice);
    case TPrintRange::RevisedPages: return PagesWhere(pages, IsRevised, {});
    case TPrintRange::CharacterDialogue:
      if (choice.CharacterPages != TCharacterPages::Speaks) return ListedScenes(script, pages, choice.SceneList);
      return PagesWhere(pages, IsCueOf, AnsiUpperCase(TrimBlanks(choice.Character)));
  }
  return {};
}

std::vector<std::string> DraftWatermarkLines(const TDraftInformation& info) {
  std::vector<std::string> lines;
  const auto add = [&lines](const std::string& label, const std::string& value) {
    const std::string text = TrimBlanks(value);
    if (!text.empty()) lines.push_back(label + text);
  };
  add("", info.Date);
  add("Requested by: ", info.RequestedBy);
  add("Approved by: ", info.ApprovedBy);
  add("", info.FurtherInformation);
  return lines;
}

std::vector<std::string> SpeakingCharacters(const TScriptDocument& script) {
  std::vector<std::string> names;
  for (const TScriptElement* e = script.FirstElement; e; e = e->next)
    if (e->Kind() == ekCharacterName && e->text) {
      std::string name = SpeakerName(*e);
      if (!name.empty()) names.push_back(std::move(name));
    }
  std::sort(names.begin(), names.end());
  names.erase(std::unique(names.begin(), names.end()), names.end());
  return names;
}

bool PrintScript(TMDIChild& script, const TPrintChoice& choice) {
  BuildPageList(script);
  const std::vector<TScriptPage> pages = SelectPages(script, choice);
  if (pages.empty()) {
    ShowMessageBox("There are no pages to print in what you chose.", "Attention");
    return false;
  }
  std::string title = ExtractFileName(script.ScriptFileName);
  if (const std::size_t dot = title.rfind('.'); dot != std::string::npos && dot > 0) title.erase(dot);
  if (title.empty()) title = "Untitled";
  if (!choice.PrintFile.empty()) SetPrintFile(choice.PrintFile);
  TPageOutputOptions options;
  options.colored = ProgramOptions().PrintColoredText;
  const int copies = std::max(1, choice.Copies);
  const auto watermark = [&](int copy) {
    PrintingVariables().Watermark =
        choice.NumberCopies ? TrimBlanks(choice.WatermarkText + " " + std::to_string(copy)) : "";
  };
  watermark(1);
  PrintingVariables().DraftWatermark = choice.DraftLines;
  TPrintingDlg& progress = PrintingDlg();
  progress.Begin("Printing " + title);
  const bool started = StartPrintJob(false, title);
  for (int copy = 1; started && copy <= copies && !PrintRun.Cancelled; ++copy) {
    watermark(copy);
    for (std::size_t i = 0; i < pages.size() && !PrintRun.Cancelled; ++i) {
      if (copy > 1 || i > 0) EjectPage();
      progress.ShowPage(static_cast<int>(i + 1), static_cast<int>(pages.size()), copy, copies);
      PrintScriptPage(script, pages[i], options);
    }
  }
  PrintingVariables().Watermark.clear();
  PrintingVariables().DraftWatermark.clear();
  if (!started) {
    progress.End();
    return false;
  }
  // A print file the disk could not take ends as a failed write, which
  // says why; only a Cancel is said to be one.
  if (PrintRun.Cancelled && !PrintFileFailed()) {
    AbortPrintJob();
    progress.End();
    ShowMessageBox("The print job was cancelled; nothing was printed.", "Attention");
    return false;
  }
  const bool finished = FinishPrintJob();
  progress.End();
  return finished;
}

}  // namespace qm
