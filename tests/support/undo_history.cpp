#include "support/undo_history.h"

#include <utility>

namespace qm::testing {

UndoHistory::UndoHistory(std::function<ScriptShot()> shoot, std::function<bool()> undo, std::function<bool()> redo)
    : shoot_(std::move(shoot)), undo_(std::move(undo)), redo_(std::move(redo)) {}

void UndoHistory::Start() {
  before_.clear();
  made_.clear();
  redoDue_ = false;
  lastChanged_ = false;
  done_.clear();
  now_ = shoot_();
}

void UndoHistory::Say(const std::string& what) {
  if (!done_.empty() && done_.back().first == what) ++done_.back().second;
  else done_.emplace_back(what, 1);
}

std::string UndoHistory::Done() const {
  std::string said;
  for (const auto& [what, times] : done_) said += what + (times > 1 ? " x" + std::to_string(times) : "") + ", ";
  return said;
}

std::string UndoHistory::Act(const std::string& what, const std::function<void()>& action) {
  Say(what);
  action();
  ScriptShot after = shoot_();
  lastChanged_ = !Differences(now_, after).empty();
  if (lastChanged_) {
    before_.push_back(std::move(now_));
    made_.push_back(what);
    redoDue_ = false;
  }
  now_ = std::move(after);
  return Check ? Check() : std::string();
}

std::string UndoHistory::Act(const std::string& what, const std::function<void()>& action,
                             const std::function<bool()>& mayHaveChanged) {
  action();
  if (mayHaveChanged()) return Act(what, [] {});
  Say(what);
  lastChanged_ = false;
  return {};
}

void UndoHistory::Paused() { now_ = shoot_(); }

std::string UndoHistory::Undo(Reach reach) {
  const std::string at = "after " + Done();
  Say("Undo");
  if (before_.empty()) return at + "Undo with no change standing (a fault of the test)";
  if (undo_())
    return at + "Undo refused while \"" + made_.back() + "\" stands (it made:" + Differences(before_.back(), now_) +
           ")";
  ScriptShot shot = shoot_();
  std::size_t found = before_.size();
  for (std::size_t k = before_.size(); k-- > 0;) {
    if (Differences(before_[k], shot).empty()) {
      found = k;
      break;
    }
    if (reach == Reach::NewestChange) break;
  }
  if (found == before_.size()) {
    if (Differences(now_, shot).empty())
      return at + "Undo left \"" + made_.back() + "\" standing (it made:" + Differences(before_.back(), now_) + ")";
    return at + "Undo of \"" + made_.back() +
           "\" gave back a state the script never had:" + Differences(before_.back(), shot);
  }
  undone_ = std::move(now_);
  undoneBefore_.assign(before_.begin() + static_cast<long>(found), before_.end());
  undoneMade_.assign(made_.begin() + static_cast<long>(found), made_.end());
  before_.resize(found);
  made_.resize(found);
  now_ = std::move(shot);
  redoDue_ = true;
  if (Check)
    if (const std::string wrong = Check(); !wrong.empty()) return at + "Undo:" + wrong;
  return {};
}

std::string UndoHistory::Redo() {
  const std::string at = "after " + Done();
  Say("Redo");
  if (!redoDue_) return at + "Redo with nothing undone (a fault of the test)";
  if (redo_()) return at + "Redo refused after the Undo of \"" + undoneMade_.back() + "\"";
  ScriptShot shot = shoot_();
  if (const std::string missed = Differences(undone_, shot); !missed.empty())
    return at + "Redo of \"" + undoneMade_.back() + "\" did not give back what it made:" + missed;
  before_.insert(before_.end(), undoneBefore_.begin(), undoneBefore_.end());
  made_.insert(made_.end(), undoneMade_.begin(), undoneMade_.end());
  now_ = std::move(shot);
  redoDue_ = false;
  if (Check)
    if (const std::string wrong = Check(); !wrong.empty()) return at + "Redo:" + wrong;
  return {};
}

std::string UndoHistory::UndoThenRedo(Reach reach) {
  if (std::string fault = Undo(reach); !fault.empty()) return fault;
  return Redo();
}

std::string UndoHistory::UndoToStart(Reach reach) {
  while (!before_.empty())
    if (std::string fault = Undo(reach); !fault.empty()) return fault;
  return {};
}

}  // namespace qm::testing
