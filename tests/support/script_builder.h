// Builds a script window holding given elements, for tests that need a
// script without typing it: each element gets its kind's format from the
// window's format set, its text packed (a Character Name's plain and upper
// case), and a group of its own.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "script/script_window.h"

namespace qm::testing {

struct ElementSpec {
  Byte kind;
  std::string text;
};

// Appends one element in a group of its own, its text stored as given (a
// Character Name's plain, every other kind's packed); the first element
// appended becomes current.
TScriptElement* AppendElement(TMDIChild& window, Byte kind, const std::string& text);
// Appends the elements, a Character Name in capitals up to its extension.
void AddElements(TMDIChild& window, const std::vector<ElementSpec>& elements);
// The window's script replaced by an interactive one of these elements,
// its scene headings numbered 1, 2, 3... as branch targets; the current
// element is the one at `current` (counted from 0), its text in the edit line.
void LoadInteractiveScript(TMDIChild& window, const std::vector<ElementSpec>& elements, int current = 0);
// The elements' kinds and plain texts, in list order (the current element's
// text from the edit buffer while it is out of the list).
std::vector<ElementSpec> ElementsOf(const TMDIChild& window);

// The screen line an element brought into view on line `asked` stands
// on: that line, or a higher one when the script above it takes fewer
// lines, for the window then shows the script from its first line.
int LandingLine(const TMDIChild& window, const TScriptElement& element, int asked);

// A fresh 800 by 600 script window made the one open, active document,
// its screen lines empty; CloseOnlyDocument takes it out of the table.
std::unique_ptr<TMDIChild> OpenOnlyDocument();
void CloseOnlyDocument(std::unique_ptr<TMDIChild>& window);

inline bool operator==(const ElementSpec& a, const ElementSpec& b) { return a.kind == b.kind && a.text == b.text; }
std::ostream& operator<<(std::ostream& out, const ElementSpec& e);

}  // namespace qm::testing
