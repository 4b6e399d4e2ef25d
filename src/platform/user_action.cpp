#include "platform/user_action.h"

#include <exception>

namespace qm {

namespace {
int depth = 0;
}  // namespace

std::function<void()> TUserAction::OnStart;
std::function<void()> TUserAction::OnDone;

TUserAction::TUserAction() {
  if (depth++ == 0 && OnStart) OnStart();
}

// A failure on its way out is not met with more work.
TUserAction::~TUserAction() {
  if (--depth == 0 && std::uncaught_exceptions() == 0) Settle();
}

bool TUserAction::Running() { return depth > 0; }

TProgramWork::TProgramWork() { ++depth; }
TProgramWork::~TProgramWork() { --depth; }

void TUserAction::Settle() {
  if (depth == 0 && OnDone) OnDone();
}

}  // namespace qm
