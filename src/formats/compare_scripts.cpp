#include "formats/compare_scripts.h"

#include <algorithm>
#include <cstdint>

#include "formats/edit_steps.h"
#include "script/model/script_document.h"
#include "script/model/text_codes.h"

namespace qm {

namespace {

// Words with the blanks that follow them.
std::vector<std::string> WordsOf(const std::string& text) {
  std::vector<std::string> words;
  std::size_t at = 0;
  while (at < text.size()) {
    std::size_t end = text.find(' ', at);
    end = end == std::string::npos ? text.size() : text.find_first_not_of(' ', end);
    if (end == std::string::npos) end = text.size();
    words.push_back(text.substr(at, end - at));
    at = end;
  }
  return words;
}

std::string WordOnly(const std::string& word) {
  const std::size_t end = word.find_last_not_of(' ');
  return end == std::string::npos ? std::string() : word.substr(0, end + 1);
}

std::string Marked(Byte on, const std::string& text, Byte off) {
  return static_cast<char>(on) + text + static_cast<char>(off);
}

TComparedElement WholeElement(const TCompareItem& item, TChange change) {
  TComparedElement e{item.kind, item.text, change};
  if (item.kind == ekCharacterName || change == TChange::Same) return e;
  e.text = change == TChange::Added ? Marked(AddedOn, item.text, AddedOff) : Marked(RemovedOn, item.text, RemovedOff);
  return e;
}

// Words can be compared inside elements of one kind that hold text codes.
bool ComparableByWords(const TCompareItem& a, const TCompareItem& b) {
  return a.kind == b.kind && a.kind != ekCharacterName;
}

std::string PageNoteText(int originalPage, int revisedPage) {
  return "Original page " + std::to_string(originalPage) + ", revised page " + std::to_string(revisedPage);
}

// One run of differences: paired elements of a kind compared word by
// word, the rest struck out or added.
void AddDifferences(const std::vector<TCompareItem>& removed, const std::vector<TCompareItem>& added,
                    TComparison& result) {
  const std::size_t pairs = std::min(removed.size(), added.size());
  for (std::size_t k = 0; k < pairs; ++k) {
    if (ComparableByWords(removed[k], added[k])) {
      result.elements.push_back({added[k].kind, CompareWords(removed[k].text, added[k].text), TChange::Changed});
      ++result.changed;
      continue;
    }
    result.elements.push_back(WholeElement(removed[k], TChange::Removed));
    result.elements.push_back(WholeElement(added[k], TChange::Added));
    ++result.removed;
    ++result.added;
  }
  for (std::size_t k = pairs; k < removed.size(); ++k) {
    result.elements.push_back(WholeElement(removed[k], TChange::Removed));
    ++result.removed;
  }
  for (std::size_t k = pairs; k < added.size(); ++k) {
    result.elements.push_back(WholeElement(added[k], TChange::Added));
    ++result.added;
  }
}

int PageAt(const std::vector<TCompareItem>& items, std::size_t index) {
  if (items.empty()) return 1;
  return items[std::min(index, items.size() - 1)].page;
}

}  // namespace

std::vector<TCompareItem> CompareItemsOf(const TScriptDocument& script) {
  std::vector<TCompareItem> items;
  int page = 1;
  for (const TScriptElement* e = script.FirstElement; e; e = e->next) {
    if (IsPageBreakKind(e->Kind())) {
      ++page;
      continue;
    }
    items.push_back({e->Kind(), LiveElementText(script, *e), page});
  }
  return items;
}

TComparison CompareScriptItems(const std::vector<TCompareItem>& original, const std::vector<TCompareItem>& revised) {
  TComparison result;
  const auto same = [](const TCompareItem& a, const TCompareItem& b) { return a.kind == b.kind && a.text == b.text; };
  const std::vector<TDiffStep> steps = EditSteps(original, revised, same, result.complete);
  std::vector<TCompareItem> removed, added;
  std::size_t runOriginal = 0, runRevised = 0;
  const auto flush = [&] {
    if (removed.empty() && added.empty()) return;
    result.elements.push_back(
        {ekScriptNote, PageNoteText(PageAt(original, runOriginal), PageAt(revised, runRevised)), TChange::PageNote});
    AddDifferences(removed, added, result);
    removed.clear();
    added.clear();
  };
  std::size_t nextOriginal = 0, nextRevised = 0;
  for (const TDiffStep& step : steps) {
    if (step.step == TStep::Same) {
      flush();
      result.elements.push_back(WholeElement(revised[step.revised], TChange::Same));
      nextOriginal = step.original + 1;
      nextRevised = step.revised + 1;
      continue;
    }
    if (removed.empty() && added.empty()) {
      runOriginal = nextOriginal;
      runRevised = nextRevised;
    }
    if (step.step == TStep::Removed) removed.push_back(original[step.original]);
    else added.push_back(revised[step.revised]);
  }
  flush();
  return result;
}

std::string CompareWords(const std::string& original, const std::string& revised) {
  const std::vector<std::string> a = WordsOf(original);
  const std::vector<std::string> b = WordsOf(revised);
  bool complete = true;
  const auto same = [](const std::string& x, const std::string& y) { return WordOnly(x) == WordOnly(y); };
  std::string text;
  std::string run;
  TStep runStep = TStep::Same;
  const auto flush = [&] {
    if (run.empty()) return;
    // The blanks after the last word of a run stay outside its codes.
    const std::string word = runStep == TStep::Same ? run : WordOnly(run);
    const std::string blanks = run.substr(word.size());
    if (runStep == TStep::Same) text += run;
    else
      text +=
          Marked(runStep == TStep::Added ? AddedOn : RemovedOn, word, runStep == TStep::Added ? AddedOff : RemovedOff) +
          blanks;
    run.clear();
  };
  for (const TDiffStep& step : EditSteps(a, b, same, complete)) {
    if (step.step != runStep) flush();
    runStep = step.step;
    if (step.step == TStep::Removed) {
      std::string word = a[step.original];
      if (word.back() != ' ') word += ' ';
      run += word;
    } else {
      run += b[step.revised];
    }
  }
  flush();
  return text;
}

void MarkComparedNames(TScriptDocument& result, const TComparison& comparison) {
  TScriptElement* e = result.FirstElement;
  for (const TComparedElement& compared : comparison.elements) {
    if (!e) return;
    if (e->Kind() == ekCharacterName && compared.change == TChange::Removed) e->format.Style |= stStrikeOut;
    if (e->Kind() == ekCharacterName && compared.change == TChange::Added) e->format.SetColorIndex(1);
    e = e->next;
  }
}

std::string ComparisonSummary(const TComparison& comparison) {
  std::string summary = "The comparison is done: " + std::to_string(comparison.added) + " element(s) added, " +
                        std::to_string(comparison.removed) + " removed and " + std::to_string(comparison.changed) +
                        " changed.";
  if (!comparison.complete)
    summary += "\r\rThe drafts differ too much to be matched element by element everywhere: where they do, "
               "the original's elements are shown struck out before the revised draft's.";
  return summary;
}

}  // namespace qm
