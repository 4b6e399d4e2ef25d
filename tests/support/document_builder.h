// Builds a script as a bare document, with no window and no form, for
// tests of the walks that read a script: each row becomes an element with
// its kind's standard format and its text stored as the program stores it,
// and the elements are grouped as a rebuild groups them: a heading or shot
// with the hidden elements and the Action after it, a character name with
// its speech, every other element alone. Speech, page and scene numbers are
// on the groups as for an unlocked script (no A-pages, no A-scenes).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "script/model/script_document.h"

namespace qm::testing {

struct DocumentRow {
  Byte kind;
  std::string text;
  Byte state = esNormal;
};

// Owns its elements and groups.
class TBuiltDocument : public TScriptDocument {
 public:
  ~TBuiltDocument() override;
  // The element at `index` (counted from 0) in list order.
  TScriptElement& Element(int index) const;
};

// A group of one element at the end of the chain.
TElementGroup* AppendGroup(TScriptDocument& document, TScriptElement* first);

// A script must not open with a page break (a rebuild would put an Action
// in front of it).
std::unique_ptr<TBuiltDocument> BuildDocument(const std::vector<DocumentRow>& rows);

// An element's place in list order, from 0: -1 for none, -2 for one that is
// not in the list.
int IndexOf(const TScriptDocument& document, const TScriptElement* element);

}  // namespace qm::testing
