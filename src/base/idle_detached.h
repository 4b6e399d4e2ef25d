// The application's idle and hint handlers detached while a command runs
// (no timed backup or repagination starts inside it), and attached again
// however the command ends.
#pragma once

#include "base/scoped_state.h"
#include "platform/forms.h"

namespace qm {

class IdleAndHintDetached {
 public:
  IdleAndHintDetached() : idle_(Application->OnIdle, nullptr), hint_(Application->OnHint, nullptr) {}

  // They stay detached: the program is ending.
  void Keep() {
    idle_.Keep();
    hint_.Keep();
  }

 private:
  ScopedState<TIdleEvent> idle_;
  ScopedState<TNotifyEvent> hint_;
};

}  // namespace qm
