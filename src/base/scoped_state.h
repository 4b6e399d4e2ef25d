// What a command sets for its duration (a busy or exit flag, an option, the
// idle handler) is put back however the command ends: its own end, a
// Cancel, or a failure that only the event loop catches.
#pragma once

#include <utility>

namespace qm {

template <class T>
class ScopedState {
 public:
  ScopedState(T& target, T during) : target_(target), saved_(std::move(target)) { target_ = std::move(during); }
  ~ScopedState() {
    if (!kept_) target_ = std::move(saved_);
  }
  ScopedState(const ScopedState&) = delete;
  ScopedState& operator=(const ScopedState&) = delete;

  // The value set for the command stays: the command reached the end that
  // keeps it (an Exit that closes the program).
  void Keep() { kept_ = true; }

 private:
  T& target_;
  T saved_;
  bool kept_ = false;
};

}  // namespace qm
