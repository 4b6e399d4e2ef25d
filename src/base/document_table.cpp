#include "base/document_table.h"

#include "base/global_state.h"
#include "platform/forms.h"

namespace qm {

Word DocumentCount;
std::array<TMDIChild*, MaxDocuments + 1> Documents;
Byte ActiveDocument;
TForm* DocumentFrame;

namespace {
const GlobalState reset([] {
  DocumentCount = 0;
  Documents.fill(nullptr);
  ActiveDocument = 1;
  DocumentFrame = nullptr;
});
}

TMDIChild* ActiveScript() {
  if (ActiveDocument < 1 || ActiveDocument > MaxDocuments) return nullptr;
  return Documents[ActiveDocument];
}

bool NoActiveDocument() {
  if (DocumentCount == 0 || ActiveScript() == nullptr) return true;
  return DocumentFrame == nullptr || DocumentFrame->ActiveMDIChild() == nullptr;
}

TMDIChild* ScriptForCommand() { return NoActiveDocument() ? nullptr : ActiveScript(); }

int SlotOf(const TMDIChild* window) {
  for (int slot = 1; slot <= DocumentCount && slot <= MaxDocuments; ++slot)
    if (Documents[slot] == window) return slot;
  return 0;
}

void SetActiveSlotOf(const TMDIChild* window) {
  if (ActiveScript() == window) return;
  if (const int slot = SlotOf(window)) ActiveDocument = static_cast<Byte>(slot);
}

// The window's own slot is emptied, whichever slot is active; the slots
// above it move down.
void RemoveDocument(const TMDIChild* window) {
  const int slot = SlotOf(window);
  if (slot == 0) return;
  for (int i = slot; i < DocumentCount; ++i) Documents[i] = Documents[i + 1];
  Documents[DocumentCount] = nullptr;
  --DocumentCount;
  if (DocumentCount > 0 && ActiveDocument > DocumentCount) ActiveDocument = static_cast<Byte>(DocumentCount);
}

}  // namespace qm
