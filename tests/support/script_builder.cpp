#include "support/script_builder.h"

#include <algorithm>
#include <ostream>

#include "platform/cp1252.h"
#include "script/packed_text.h"
#include "script/screen_rebuild.h"
#include "shell/documents.h"

namespace qm::testing {

void AddElements(TMDIChild& window, const std::vector<ElementSpec>& elements) {
  for (const auto& spec : elements) {
    auto* element = new TScriptElement;
    const int slot = FormatSlotOfKind(spec.kind);
    if (slot >= 0) element->format = window.FormatSet[static_cast<size_t>(slot)];
    element->format.Kind = spec.kind;
    if (IsPageBreakKind(spec.kind)) element->text = PackText(" ");
    else if (spec.kind == ekCharacterName) {
      const size_t paren = std::min(spec.text.find('('), spec.text.size());
      element->text = AnsiUpperCase(spec.text.substr(0, paren)) + spec.text.substr(paren);
    }
    else element->text = PackText(spec.text);
    auto* group = NewGroupRecord();
    group->first = element;
    group->count = 1;
    group->prev = window.LastGroup;
    if (window.LastGroup) window.LastGroup->next = group;
    window.LastGroup = group;
    element->group = group;
    window.InsertElementAfter(window.LastElement, element);
  }
  if (!window.CurrentElement) {
    window.CurrentElement = window.FirstElement;
    window.CurrentGroup = window.FirstElement ? window.FirstElement->group : nullptr;
  }
}

std::vector<ElementSpec> ElementsOf(const TMDIChild& window) {
  std::vector<ElementSpec> result;
  for (const TScriptElement* e = window.FirstElement; e; e = e->next) {
    result.push_back(ElementSpec{e->Kind(), e->text ? ElementText(*e) : window.EditBuffer});
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

}  // namespace qm::testing
