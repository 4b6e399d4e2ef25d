#include "formats/select_range.h"

#include <cstdlib>
#include <vector>

#include "base/message_boxes.h"
#include "base/prompt_table.h"
#include "formats/select_range_dialog.h"
#include "script/editing/block_selection.h"
#include "script/editing/editor_calls.h"
#include "script/model/string_utils.h"
#include "script/script_window.h"

namespace qm {

namespace {

std::vector<TScriptElement*> SceneHeadings(const TScriptDocument& script) {
  std::vector<TScriptElement*> headings;
  for (TScriptElement* e = script.FirstElement; e; e = e->next)
    if (IsSceneHeading(e->Kind())) headings.push_back(e);
  return headings;
}

std::string HeadingEntry(const TScriptDocument& script, const TScriptElement& heading) {
  const std::string number = script.SceneNumberText(heading);
  const std::string text = PlainText(LiveElementText(script, heading));
  return number.empty() ? text : number + "  " + text;
}

// The last element before the first one after `from` that `stops` at,
// stepping back over page breaks but never before `from`; the script's
// last element when nothing stops.
template <class Stop>
TScriptElement* EndBefore(TScriptElement* from, Stop stops) {
  TScriptElement* end = from;
  for (TScriptElement* e = from->next; e && !stops(*e); e = e->next) end = e;
  while (end != from && IsPageBreakKind(end->Kind())) end = end->prev;
  return end;
}

void MarkTo(TMDIChild& script, TScriptElement& from, int column, TScriptElement& to) {
  script.Assemble();
  editor::MarkBlock(script, from, column, to, BlockTextLength(script, to));
  script.DisAssemble();
  editor::RedisplayScreen(script);
}

// The end of the page with this shown number, or nothing.
TScriptElement* EndOfPage(const TScriptDocument& script, int page) {
  if (page < 1) return nullptr;
  int pages = script.PageStart;  // the first page's number
  TScriptElement* first = script.FirstElement;
  for (TScriptElement* e = script.FirstElement; e; e = e->next) {
    if (!IsPageBreakKind(e->Kind()) || !e->group) continue;
    const int number = script.DisplayNumber(e->group);
    if (number > page) return EndBefore(first, [e](const TScriptElement& x) { return &x == e; });
    pages = number;
    first = e;
  }
  return page <= pages ? EndBefore(first, [](const TScriptElement&) { return false; }) : nullptr;
}

bool Reaches(const TScriptElement& from, const TScriptElement& end) {
  for (const TScriptElement* e = &from; e; e = e->next)
    if (e == &end) return true;
  return false;
}

TScriptElement* ChosenEnd(TMDIChild& script, TScriptElement& from, const TSelectRangeDlg& dialog) {
  switch (dialog.ExtendGroup->ItemIndex()) {
    case ecEndOfPage: return EndBefore(&from, [](const TScriptElement& e) { return IsPageBreakKind(e.Kind()); });
    case ecEndOfScene: return EndBefore(&from, [](const TScriptElement& e) { return IsSceneHeading(e.Kind()); });
    case ecActOrSceneBreak:
      return EndBefore(&from, [](const TScriptElement& e) {
        return e.Kind() == ekForcedPageBreak || e.Kind() == ekActStart || e.Kind() == ekActInformation;
      });
    case ecEndOfScript: return EndBefore(&from, [](const TScriptElement&) { return false; });
    case ecToPage: {
      const std::string typed = dialog.PageEdit->Text();
      const int page = std::atoi(typed.c_str());
      TScriptElement* end = std::to_string(page) == typed ? EndOfPage(script, page) : nullptr;
      if (!end) {
        ShowMessageBox("There is no Page " + typed + " in this Script.", "");
        return nullptr;
      }
      if (!Reaches(from, *end)) {
        ShowMessageBox("Page " + typed + " ends before the Cursor.", "");
        return nullptr;
      }
      return end;
    }
    default: return nullptr;
  }
}

// The nearest shown scene heading past the caret's element, or nothing.
TScriptElement* NeighbourScene(const TScriptDocument& script, TScriptElement& from, bool below) {
  TScriptElement* e = below ? from.next : from.prev;
  while (e && !(IsSceneHeading(e->Kind()) && !script.IsHiddenElement(e))) e = below ? e->next : e->prev;
  return e;
}

bool ExtendToScene(TMDIChild& script, TScriptElement& from, bool below) {
  TScriptElement* heading = NeighbourScene(script, from, below);
  if (!heading) {
    ShowMessageBox("No more Scenes Found", PromptTable(16));
    return false;
  }
  // Called without a block, one starts at the caret.
  if (!script.BlockOn()) ExtendBlockTo(script, from, script.CaretColumn());
  MarkBlockFromElement(heading, below);
  return true;
}

}  // namespace

bool SelectSceneRange(TMDIChild& script) {
  const std::vector<TScriptElement*> headings = SceneHeadings(script);
  if (headings.empty()) {
    ShowMessageBox("This Script has no Scene Headings.", "");
    return false;
  }
  TSelectRangeDlg dialog(nullptr, TRangeQuestion::Scenes);
  for (const TScriptElement* heading : headings) {
    dialog.FromBox->Items.Add(HeadingEntry(script, *heading));
    dialog.ToBox->Items.Add(HeadingEntry(script, *heading));
  }
  dialog.FromBox->SetItemIndex(0);
  dialog.ToBox->SetItemIndex(static_cast<int>(headings.size()) - 1);
  if (dialog.ShowModal() != mrOk) return false;
  int first = dialog.FromBox->ItemIndex();
  int last = dialog.ToBox->ItemIndex();
  if (first < 0 || last < 0) return false;
  if (first > last) std::swap(first, last);
  TScriptElement* from = headings[static_cast<std::size_t>(first)];
  TScriptElement* to = EndBefore(headings[static_cast<std::size_t>(last)],
                                 [](const TScriptElement& e) { return IsSceneHeading(e.Kind()); });
  MarkTo(script, *from, 0, *to);
  return true;
}

bool ExtendBlockSelection(TMDIChild& script, bool toNextScene, bool toPreviousScene) {
  TScriptElement* from = script.CurrentElement();
  if (!from) return false;
  if (toNextScene || toPreviousScene) return ExtendToScene(script, *from, toNextScene);
  TSelectRangeDlg dialog(nullptr, TRangeQuestion::ExtendBlock);
  dialog.ExtendGroup->SetItemIndex(ecEndOfScene);
  const int column = script.CaretColumn();
  for (;;) {
    if (dialog.ShowModal() != mrOk) return false;
    if (TScriptElement* end = ChosenEnd(script, *from, dialog)) {
      MarkTo(script, *from, column, *end);
      return true;
    }
  }
}

}  // namespace qm
