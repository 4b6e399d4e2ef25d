// One thing the user does: a key, a click, a menu command, with all that
// runs inside it (a dialog's own keys and buttons included). When the
// outermost one ends, the program hears it once, to finish what every
// command leaves due.
#pragma once

#include <functional>

namespace qm {

class TUserAction {
 public:
  TUserAction();
  ~TUserAction();
  TUserAction(const TUserAction&) = delete;
  TUserAction& operator=(const TUserAction&) = delete;

  // Whether one is under way.
  static bool Running();
  // Heard when the outermost one begins; set by the program's main window.
  static std::function<void()> OnStart;
  // Heard when the outermost one ends, and at idle while none runs; set by
  // the program's main window.
  static std::function<void()> OnDone;
  // Calls OnDone unless an action is under way.
  static void Settle();
};

// A dialog the program shows on its own while no action runs (a warning
// from a pass at idle): the clicks and keys that answer it belong to the
// work that showed it, so none of them is an action of its own, and
// neither end is heard: the next idle time finishes what is due, once the
// work is over.
class TProgramWork {
 public:
  TProgramWork();
  ~TProgramWork();
  TProgramWork(const TProgramWork&) = delete;
  TProgramWork& operator=(const TProgramWork&) = delete;
};

}  // namespace qm
