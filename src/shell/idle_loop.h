// Background work of the one-thread program: what runs whenever the
// message queue is empty.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "platform/types.h"

namespace qm {

// The clipboard commands are re-enabled at the next idle moment.
extern Byte ClipboardCheckDue;

class TMDIChild;
struct TScriptElement;

// The idle pass sets the format buttons and the Window list again only
// when what they show has changed since it last set them: the caret's
// element, its type and style, the caret column and the edit line for the
// buttons; the open scripts, the active one and the title for the list.
class TIdleRefresh {
 public:
  // Runs `refresh` when what the buttons show for the script (null: no
  // script) changed since they were last set; `always` sets them anyway.
  void RefreshFormatButtons(const TMDIChild* script, bool always, const std::function<void()>& refresh);
  // Runs `refresh` when the open scripts, the active one or the title
  // changed since the list was last set.
  void RefreshWindowList(const std::function<void()>& refresh);
  int FormatButtonRefreshes() const { return formatButtonRefreshes_; }
  int WindowListRefreshes() const { return windowListRefreshes_; }

 private:
  struct TCaretState {
    const TMDIChild* script = nullptr;
    const TScriptElement* element = nullptr;
    Byte kind = 0;
    Byte style = 0;
    Word column = 0;
    bool packed = false;
    std::string editLine;
    bool operator==(const TCaretState&) const = default;
  };
  struct TWindowListState {
    std::vector<std::string> names;
    int active = 0;
    std::string title;
    bool operator==(const TWindowListState&) const = default;
  };
  bool buttonsShown_ = false;
  TCaretState buttons_;
  bool listShown_ = false;
  TWindowListState list_;
  int formatButtonRefreshes_ = 0;
  int windowListRefreshes_ = 0;
};
TIdleRefresh& IdleRefresh();

// Writes the timed backups of every modified script (SAVE<slot>.TMB in
// the script folder, each replacing the previous one in one step).
void WriteTimedBackups();

}  // namespace qm
