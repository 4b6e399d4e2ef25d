// A started program whose active script holds given elements, for the
// index-card tests: elements by position, the caret on one of them.
#pragma once

#include <string>
#include <vector>

#include "support/program_fixture.h"
#include "support/script_builder.h"

namespace qm::testing {

class CardsFixture : public ProgramFixture {
 protected:
  // Replaces the script with the elements, the caret at the start of
  // element `current`, groups and numbers built.
  void Load(const std::vector<ElementSpec>& elements, int current = 0);
  // A script of `scenes` scenes: "INT. ROOM n" and the Action "Body n.".
  void LoadRooms(int scenes);
  TScriptElement* Nth(int index);
  // Position of an element in the list; -1 for none.
  int IndexOf(const TScriptElement* element);
  // Every element's format bytes, state and text, in list order.
  std::string Dump();
};

}  // namespace qm::testing
