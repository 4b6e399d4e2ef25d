// The lines of the screen kept across a second layout in a row. A page
// move lays the screen out, picks the line to show at the top, and lays
// it out again; between the two nothing changes but which element holds
// the caret, so every element the first layout showed whole can take its
// lines back instead of being wrapped again. Only what comes into view is
// wrapped.
#pragma once

#include <unordered_map>
#include <vector>

#include "script/layout/screen_lines.h"

namespace qm {

class TMDIChild;
struct TScriptElement;

class TKeptScreen {
 public:
  // Keeps what the window's table shows now; nothing while a block is
  // marked (its marks move with the caret).
  explicit TKeptScreen(TMDIChild& window);
  ~TKeptScreen();
  TKeptScreen(const TKeptScreen&) = delete;
  TKeptScreen& operator=(const TKeptScreen&) = delete;

  // Lays the element's kept lines at its screen line; false when they
  // were not kept (an element not shown whole, a page break, the element
  // with the caret then or now), and the element must be wrapped.
  bool Lay(TScriptElement& element);

 private:
  TMDIChild& window_;
  const TScriptElement* caretElement_;
  std::unordered_map<const TScriptElement*, std::vector<TLaidLine>> lines_;
};

// The window's kept screen while one is in force, or null.
TKeptScreen* KeptScreenOf(const TMDIChild& window);

}  // namespace qm
