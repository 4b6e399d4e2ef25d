#include "support/script_builder.h"

#include <algorithm>
#include <ostream>

#include "platform/cp1252.h"
#include "script/model/element_visibility.h"
#include "script/model/packed_text.h"
#include "script/layout/screen_rebuild.h"
#include "base/document_table.h"
#include "support/document_builder.h"
#include "script/editing/editor_calls.h"

namespace qm::testing {

TScriptElement* AppendElement(TMDIChild& window, Byte kind, const std::string& text) {
  auto* element = new TScriptElement;
  const int slot = FormatSlotOfKind(kind);
  if (slot >= 0) element->format = window.FormatSet[static_cast<size_t>(slot)];
  element->format.Kind = kind;
  if (IsPageBreakKind(kind)) element->text = PackText(" ");
  else element->text = kind == ekCharacterName ? text : PackText(text);
  TElementGroup* group = AppendGroup(window, element);
  window.InsertElementAfter(window.LastElement, element);
  if (!window.CurrentElement()) {
    editor::SetCurrentElement(window, element);
    window.CurrentGroup = group;
  }
  return element;
}

void AddElements(TMDIChild& window, const std::vector<ElementSpec>& elements) {
  for (const auto& spec : elements) {
    std::string text = spec.text;
    if (spec.kind == ekCharacterName) {
      const size_t paren = std::min(text.find('('), text.size());
      text = AnsiUpperCase(text.substr(0, paren)) + text.substr(paren);
    }
    AppendElement(window, spec.kind, text);
  }
}

std::vector<ElementSpec> ElementsOf(const TMDIChild& window) {
  std::vector<ElementSpec> result;
  for (const TScriptElement* e = window.FirstElement; e; e = e->next) {
    result.push_back(ElementSpec{e->Kind(), e->text ? ElementText(*e) : window.EditBuffer()});
  }
  return result;
}

std::unique_ptr<TMDIChild> OpenOnlyDocument() {
  auto window = std::make_unique<TMDIChild>(nullptr);
  window->SetBounds(0, 0, 800, 600);
  Documents[1] = window.get();
  DocumentCount = 1;
  ActiveDocument = 1;
  ResetScreenLines(*window);
  return window;
}

void CloseOnlyDocument(std::unique_ptr<TMDIChild>& window) {
  Documents[1] = nullptr;
  DocumentCount = 0;
  window.reset();
}

std::ostream& operator<<(std::ostream& out, const ElementSpec& e) {
  return out << "{" << static_cast<int>(e.kind) << ", \"" << e.text << "\"}";
}

void LoadInteractiveScript(TMDIChild& window, const std::vector<ElementSpec>& elements, int current) {
  window.FreeElements();
  window.InteractiveScript = 1;
  AddElements(window, elements);
  Word number = 0;
  for (TScriptElement* e = window.FirstElement; e; e = e->next)
    if (e->Kind() == ekSceneHeading) e->format.NumberWord = ++number;
  TScriptElement* e = window.FirstElement;
  for (int i = 0; i < current && e && e->next; ++i) e = e->next;
  editor::SetCurrentElement(window, e);
  window.CurrentGroup = e ? e->group : nullptr;
  window.DisAssemble();
}

int LandingLine(const TMDIChild& window, const TScriptElement& element, int asked) {
  int below = 1;
  for (const TScriptElement* e = element.prev; e; e = e->prev) below += ScreenLinesOf(window, *e);
  return std::min(asked, below);
}

}  // namespace qm::testing
