// A writer at the keyboard: keys go to whatever window has the keyboard
// when their turn comes, one after another from the event loop, so that a
// key that opens a modal list is followed by keys that reach that list,
// as on a desktop. Checks and other steps take their turn between keys.
#pragma once

#include <QWidget>

#include <deque>
#include <functional>
#include <string>

namespace qm::testing {

class Typist {
 public:
  // A key press and release with its modifiers.
  void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
  // Each character as the key that types it.
  void Type(const std::string& text);
  // A step run in its turn (inside whatever loop runs then).
  void Then(std::function<void()> step);
  // Waits until `ready` answers true (as a writer waits for a window to
  // come up), then runs the step.
  void When(std::function<bool()> ready, std::function<void()> step);
  // Starts the keys; they run while the event loop runs.
  void Start();
  bool Done() const { return steps_.empty() && !running_; }
  // While it answers true the next key waits (the program is busy with
  // keys typed ahead).
  std::function<bool()> Busy;
  // The widget that has the keyboard now (in a pop-up, the pop-up's).
  static QWidget* KeyboardWidget();

 private:
  void Next();
  struct Step {
    std::function<bool()> ready;
    std::function<void()> run;
  };
  std::deque<Step> steps_;
  bool running_ = false;
};

}  // namespace qm::testing
