// What the script window's mouse asks of the story tools above it: a
// double click on a branch marker follows the branch at its release, and
// the storyboard link marks in the left margin show their hint and open
// their frame. Empty members do nothing and claim no point.
#pragma once

#include <functional>

namespace qm {

class TMDIChild;

struct TScriptClickHooks {
  // The released double click of a branch marker: the jump is followed.
  std::function<void(TMDIChild& script)> FollowBranch;
  // A double click at a client point: true when it was on a link mark and
  // the linked frame was asked for.
  std::function<bool(TMDIChild& script, int x, int y)> OpenLinkAt;
  // The mouse over a client point: true when a link mark claims it (its
  // hint and cursor are shown).
  std::function<bool(TMDIChild& script, int x, int y)> LinkHintAt;
};
extern TScriptClickHooks ScriptClickHooks;

}  // namespace qm
