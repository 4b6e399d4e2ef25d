// What a writer may expect of Undo and Redo, kept beside a run of actions:
// every action that changed the script can be taken back, an Undo gives
// back a state the script had between two actions, at or before the
// newest change still standing (a run of changes the program counts as
// one step may go back together, never part of one action), and Redo
// gives back exactly the state the Undo took away. Neither is refused
// while a change stands or was just undone.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "support/script_shots.h"

namespace qm::testing {

class UndoHistory {
 public:
  // `shoot` takes the script as it stands now; `undo` and `redo` run the
  // commands and answer whether the program refused ("Nothing to ...").
  UndoHistory(std::function<ScriptShot()> shoot, std::function<bool()> undo, std::function<bool()> redo);

  // The script as it stands is where the history starts.
  void Start();
  // Checked after every action, Undo and Redo (a name's mark, say): what
  // is wrong, in words, or empty.
  std::function<std::string()> Check;

  // Runs one action; a change it made is noted. What Check found, or empty.
  std::string Act(const std::string& what, const std::function<void()>& action);
  // The same for an action that seldom changes anything (a caret move):
  // the script is taken only when `mayHaveChanged` says so.
  std::string Act(const std::string& what, const std::function<void()>& action,
                  const std::function<bool()>& mayHaveChanged);
  // The script laid out again, as after a pause: no change of the
  // writer's, so what stands now is the state the next action starts from.
  void Paused();
  // How far one Undo may reach back: to the state before the newest
  // change only, or to the state before any change still standing (a run
  // of changes the program may count as one step).
  enum class Reach { NewestChange, AnyStandingChange };
  // Undo; what went wrong, in words, or empty.
  std::string Undo(Reach reach = Reach::NewestChange);
  // Redo of the Undo just made; what went wrong, or empty.
  std::string Redo();
  // Undo then Redo, both checked.
  std::string UndoThenRedo(Reach reach = Reach::NewestChange);
  // Undo until the script is back at the start: every Undo checked; what
  // went wrong, or empty.
  std::string UndoToStart(Reach reach = Reach::NewestChange);

  // Whether the newest action changed the script.
  bool LastActionChanged() const { return lastChanged_; }
  // The changes standing: an Undo that went back k of them leaves k fewer,
  // its Redo as many as before.
  std::size_t Standing() const { return before_.size(); }
  // The actions so far, in words, for a report (a run of one action told
  // once, with its count).
  std::string Done() const;

 private:
  std::function<ScriptShot()> shoot_;
  std::function<bool()> undo_, redo_;
  // The state before each change still standing, oldest first, with the
  // action that made it.
  std::vector<ScriptShot> before_;
  std::vector<std::string> made_;
  ScriptShot now_;
  // What the last Undo took away, so that Redo gives it back.
  bool redoDue_ = false;
  ScriptShot undone_;
  std::vector<ScriptShot> undoneBefore_;
  std::vector<std::string> undoneMade_;
  bool lastChanged_ = false;
  void Say(const std::string& what);
  std::vector<std::pair<std::string, int>> done_;
};

}  // namespace qm::testing
