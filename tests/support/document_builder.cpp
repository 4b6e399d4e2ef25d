#include "support/document_builder.h"

#include <algorithm>
#include <stdexcept>

#include "platform/cp1252.h"
#include "script/model/packed_text.h"
#include "script/model/standard_formats.h"
#include "script/script_window.h"

namespace qm::testing {

namespace {

bool IsHiddenState(const TScriptElement& e) { return e.state == esShownHidden || e.state == esHidden; }

TScriptElement* NewElementOf(const TScriptDocument& document, const DocumentRow& row) {
  TScriptElement* e = NewElementRecord(document);
  const int slot = FormatSlotOfKind(row.kind);
  if (slot >= 0) e->format = document.FormatSet[static_cast<std::size_t>(slot)];
  e->format.Kind = row.kind;
  e->state = row.state;
  if (IsPageBreakKind(row.kind)) {
    e->text = PackText(" ");
  } else if (row.kind == ekCharacterName) {
    // A name is held plain, in capitals up to its extension.
    const std::size_t paren = std::min(row.text.find('('), row.text.size());
    e->text = AnsiUpperCase(row.text.substr(0, paren)) + row.text.substr(paren);
  } else {
    e->text = PackText(row.text);
  }
  return e;
}

// The walk moves on to each element that joins the group; a visible Action
// ends a heading's group.
template <typename Joins>
TScriptElement* Absorb(TElementGroup* g, TScriptElement* e, Joins joins) {
  while (e->next && (joins(*e->next) || IsHiddenState(*e->next))) {
    e = e->next;
    e->group = g;
    ++g->count;
    if (e->Kind() == ekAction && !IsHiddenState(*e)) break;
  }
  return e;
}

void GroupElements(TScriptDocument& document) {
  Word page = 1;
  Word speech = 1;
  Word scene = 0;
  for (TScriptElement* e = document.FirstElement; e; e = e->next) {
    TElementGroup* g = AppendGroup(document, e);
    switch (e->Kind()) {
      case ekSceneHeading:
        if (!IsHiddenState(*e)) {
          g->number = ++scene;
          g->letter = '=';
        }
        e = Absorb(g, e, [](const TScriptElement& n) { return n.Kind() == ekAction; });
        break;
      case ekShot:
      case ekASceneHeading:
      case ekDashASceneHeading: e = Absorb(g, e, [](const TScriptElement& n) { return n.Kind() == ekAction; }); break;
      case ekCharacterName:
        g->number = speech++;
        e = Absorb(g, e, [](const TScriptElement& n) { return n.Kind() == ekDialogue || n.Kind() == ekParenthetical; });
        break;
      case ekAutoPageBreak:
      case ekForcedPageBreak:
      case ekLockedPageBreak:
        g->number = ++page;
        g->letter = ' ';
        break;
      default: break;
    }
  }
  document.CurrentGroup = document.FirstElement ? document.FirstElement->group : nullptr;
}

}  // namespace

TElementGroup* AppendGroup(TScriptDocument& document, TScriptElement* first) {
  TElementGroup* g = NewGroupRecord();
  g->first = first;
  g->count = 1;
  g->prev = document.LastGroup;
  if (document.LastGroup) document.LastGroup->next = g;
  document.LastGroup = g;
  first->group = g;
  return g;
}

TBuiltDocument::~TBuiltDocument() { TScriptDocument::FreeElements(); }

TScriptElement& TBuiltDocument::Element(int index) const {
  TScriptElement* e = FirstElement;
  for (int i = 0; e && i < index; ++i) e = e->next;
  if (!e) throw std::out_of_range("no element at that index");
  return *e;
}

std::unique_ptr<TBuiltDocument> BuildDocument(const std::vector<DocumentRow>& rows) {
  auto document = std::make_unique<TBuiltDocument>();
  document->FormatSet = StandardFormatSet();
  for (const DocumentRow& row : rows) document->InsertElementAfter(document->LastElement, NewElementOf(*document, row));
  GroupElements(*document);
  return document;
}

int IndexOf(const TScriptDocument& document, const TScriptElement* element) {
  if (!element) return -1;
  int index = 0;
  for (const TScriptElement* e = document.FirstElement; e; e = e->next, ++index)
    if (e == element) return index;
  return -2;
}

}  // namespace qm::testing
