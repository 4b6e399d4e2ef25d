#include "script/layout/kept_screen.h"

#include "base/global_state.h"
#include "script/script_window.h"

namespace qm {

namespace {

// One at a time: a page move does not nest.
TKeptScreen* kept = nullptr;
const TMDIChild* keptWindow = nullptr;

const GlobalState reset([] {
  kept = nullptr;
  keptWindow = nullptr;
});

TLaidLine LaidLineOf(const TScreenLine& row) {
  TLaidLine laid;
  laid.text = row.text;
  laid.attributes = row.attributes;
  laid.left = row.left;
  laid.height = row.height;
  laid.lineInElement = row.lineInElement;
  laid.banner = row.banner;
  laid.below = row.below;
  return laid;
}

}  // namespace

TKeptScreen::TKeptScreen(TMDIChild& window) : window_(window), caretElement_(window.CurrentElement()) {
  if (!window.BlockOn()) {
    // An element's lines follow each other, from its first to its last.
    for (int line = 1; line <= ScreenLineCount; ++line) {
      const TScreenLine& row = window.ScreenLines[static_cast<std::size_t>(line)];
      const TScriptElement* e = row.element;
      if (!e || e == caretElement_ || IsPageBreakKind(e->Kind()) || row.stale) continue;
      std::vector<TLaidLine>& lines = lines_[e];
      if (row.lineInElement == lines.size() + 1) lines.push_back(LaidLineOf(row));
    }
    std::erase_if(lines_, [](const auto& entry) {
      return entry.second.empty() || entry.second.size() != entry.first->lineCount;
    });
  }
  kept = this;
  keptWindow = &window;
}

TKeptScreen::~TKeptScreen() {
  if (kept == this) {
    kept = nullptr;
    keptWindow = nullptr;
  }
}

bool TKeptScreen::Lay(TScriptElement& element) {
  if (&element == caretElement_ || &element == window_.CurrentElement()) return false;
  const auto found = lines_.find(&element);
  if (found == lines_.end() || found->second.size() != element.lineCount) return false;
  LayElementLines(window_, element, found->second, element.lineCount, false);
  return true;
}

TKeptScreen* KeptScreenOf(const TMDIChild& window) { return keptWindow == &window ? kept : nullptr; }

}  // namespace qm
