#include "support/mouse_input.h"

#include <string>

#include "platform/forms.h"
#include "script/layout/screen_lines.h"

namespace qm::testing {

std::optional<TPoint> ScreenPointOf(TMDIChild& w, const TScriptElement& e, int column) {
  int top = w.TextTopOffset;
  for (int line = 1; line <= ScreenLineCount; ++line) {
    const TScreenLine& row = w.ScreenLines[static_cast<std::size_t>(line)];
    if (row.element == &e && row.lineInElement == 1) {
      const std::string text = &e == w.CurrentElement() ? w.EditBuffer() : ElementText(e);
      int x = w.LeftTextOffset + ScreenLeftOf(w, e.format);
      for (int i = 0; i < column && i < static_cast<int>(text.size()); ++i)
        x += w.ScreenWidths[wsPlain][static_cast<unsigned char>(text[static_cast<std::size_t>(i)])];
      const int width =
          column < static_cast<int>(text.size())
              ? w.ScreenWidths[wsPlain][static_cast<unsigned char>(text[static_cast<std::size_t>(column)])]
              : 0;
      return TPoint{x + width / 2, top + row.height / 2};
    }
    top += row.height;
  }
  return std::nullopt;
}

void SendMouse(TMDIChild& w, UINT message, unsigned keys, TPoint at) {
  const LPARAM point = (static_cast<LPARAM>(at.Y & 0xFFFF) << 16) | (at.X & 0xFFFF);
  Application->DeliverInput(TMsg{w.Handle(), message, keys, point, 0, {}});
  Application->ProcessMessages();
}

}  // namespace qm::testing
