#include "script/editing/goto_page.h"

#include <algorithm>
#include <cctype>

#include "script/editing/document_modified.h"
#include "script/editing/position_texts.h"
#include "script/editing/scrolling.h"
#include "script/layout/screen_rebuild.h"
#include "script/script_window.h"
#include "script/model/edit_line_writer.h"

namespace qm {

namespace {

// The page lands this many lines below the top of the window, as the
// other gotos do.
constexpr int LandingLine = 6;

bool TakesNoCaret(const TMDIChild& window, const TScriptElement* e) {
  return IsPageBreakKind(e->Kind()) || window.IsHiddenElement(e);
}

// The break that starts the page, or null for the script's first page.
TScriptElement* PageStartBreak(TMDIChild& window, const TPageRequest& page) {
  if (page.number <= FirstPageNumber(window) && page.letter == 0) return nullptr;
  const std::string wanted = PageRequestText(page);
  TScriptElement* past = nullptr;
  for (TScriptElement* e = window.FirstElement; e; e = e->next) {
    if (!IsPageBreakKind(e->Kind()) || !e->group) continue;
    if (PageNumberText(window, e) == wanted) return e;
    const int number = window.DisplayNumber(e->group);
    const bool beyond = page.letter ? number > page.number : number >= page.number;
    if (beyond && !past) past = e;
  }
  return past;
}

}  // namespace

TPageRequest ParsePageRequest(const std::string& text) {
  TPageRequest page;
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
    page.valid = true;
    page.number = std::min(page.number * 10 + (text[i] - '0'), 99999);
  }
  if (page.valid && i < text.size() && std::isalpha(static_cast<unsigned char>(text[i])))
    page.letter = static_cast<char>(std::toupper(static_cast<unsigned char>(text[i])));
  return page;
}

std::string PageRequestText(const TPageRequest& page) {
  std::string text = std::to_string(page.number);
  if (page.letter) text += page.letter;
  return text;
}

int FirstPageNumber(const TScriptDocument& script) { return script.PageStart; }

int LastPageNumber(const TScriptDocument& script) {
  int breaks = 0;
  for (const TScriptElement* e = script.FirstElement; e; e = e->next)
    if (IsPageBreakKind(e->Kind())) ++breaks;
  return script.PageStart + breaks;
}

void GotoPage(TMDIChild& window, TPageRequest page) {
  if (!window.FirstElement) return;
  page.number = std::clamp(page.number, FirstPageNumber(window), LastPageNumber(window));
  SaveUndoStep(ukNavigation, false, false, 0);
  SaveLastPosition(window, false);
  TScriptElement* start = PageStartBreak(window, page);
  TScriptElement* target = start ? start->next : window.FirstElement;
  if (!target) target = start;
  while (target->next && TakesNoCaret(window, target)) target = target->next;
  while (target->prev && TakesNoCaret(window, target)) target = target->prev;
  MakeElementCurrent(window, target);
  EditFields(window).CaretColumn = 0;
  EditFields(window).CaretLine = 1;
  ShowOnLine(window, *target, target->prev ? LandingLine : 1);
  window.RedisplayScreen(true);
}

}  // namespace qm
