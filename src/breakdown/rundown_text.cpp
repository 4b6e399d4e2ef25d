#include "breakdown/rundown_text.h"

#include <algorithm>

#include "platform/graphics.h"
#include "printing/print_run.h"
#include "script/model/script_document.h"
#include "script/model/user_list_entries.h"

namespace qm {

std::string ActListText(const TScriptDocument& script, int slot) {
  return DisplayText(UserListEntry(script.UserLists, TUserList::ActText, slot));
}

int WrappedText(int x, int y, int w, const std::string& text, bool centred, bool draw) {
  TCanvas& canvas = *CurrentPrintCanvas;
  const int h = canvas.TextWidth(" ") / 2;
  const int room = w - 3 * h;
  std::string rest = text;
  while (!rest.empty()) {
    std::string line = rest;
    while (line.size() > 1 && canvas.TextWidth(line) > room) {
      const std::size_t blank = line.rfind(' ');
      if (blank != std::string::npos && blank > 0) line.erase(blank);
      else line.pop_back();
    }
    if (draw) PrintTextAt(centred ? x + h + (room - canvas.TextWidth(line)) / 2 : x + h, y, line);
    y += canvas.TextHeight(line);
    rest.erase(0, line.size());
    rest.erase(0, std::min(rest.size(), rest.find_first_not_of(' ')));
  }
  return y;
}

}  // namespace qm
