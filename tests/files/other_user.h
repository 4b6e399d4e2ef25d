// A second user for the tests that play one: the tests run as root, and a
// forked child takes another user's rights for good.
#pragma once

#include <grp.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

namespace qm::testing {

// A user other than the one running the tests.
constexpr uid_t kOtherUser = 4711;
// A writer who is not root.
constexpr uid_t kWriter = 4712;

// Takes the rights of `user` for good, a member of `alsoIn` besides its
// own group when given: only in a child.
inline bool BecomeUser(uid_t user, gid_t alsoIn = 0) {
  const gid_t groups[] = {alsoIn};
  return ::setgroups(alsoIn ? 1 : 0, alsoIn ? groups : nullptr) == 0 && ::setresgid(user, user, user) == 0 &&
         ::setresuid(user, user, user) == 0;
}

// The exit code of a child that could not become the user it was to be,
// and of one a failure would have ended.
constexpr int kNotThatUser = 99;
constexpr int kEndedByAFailure = 98;

// Runs `step` in a child that is `user`, after `first` ran there as root;
// what `step` returns is the child's exit code, or one of those above.
// Nothing the child does goes on past it.
template <typename Step, typename First>
int AsUser(uid_t user, Step step, First first) {
  const pid_t child = fork();
  if (child == 0) {
    try {
      first();
      if (!BecomeUser(user)) _exit(kNotThatUser);
      _exit(step());
    } catch (...) {
      _exit(kEndedByAFailure);
    }
  }
  int status = 0;
  if (waitpid(child, &status, 0) != child || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
}

}  // namespace qm::testing
