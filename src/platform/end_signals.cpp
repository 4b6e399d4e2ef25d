#include "platform/end_signals.h"

#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <csignal>

namespace qm {

namespace {

constexpr std::array<int, 2> Caught = {SIGTERM, SIGHUP};

// What the handler writes to; the only state it touches.
volatile int signalPipe = -1;
std::array<struct sigaction, Caught.size()> before;

void Note(int signal) {
  const int saved = errno;
  const unsigned char byte = static_cast<unsigned char>(signal);
  if (signalPipe >= 0) {
    // A full pipe already holds a signal to act on.
    [[maybe_unused]] const ssize_t written = write(signalPipe, &byte, 1);
  }
  errno = saved;
}

bool MakePipe(int& readFd, int& writeFd) {
  int fds[2];
  if (pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0) return false;
  readFd = fds[0];
  writeFd = fds[1];
  return true;
}

}  // namespace

EndSignals::EndSignals() {
  if (signalPipe >= 0 || !MakePipe(readFd_, writeFd_)) return;
  signalPipe = writeFd_;
  struct sigaction action = {};
  action.sa_handler = Note;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (std::size_t i = 0; i < Caught.size(); ++i) sigaction(Caught[i], &action, &before[i]);
  caught_ = true;
}

EndSignals::~EndSignals() {
  if (caught_) {
    for (std::size_t i = 0; i < Caught.size(); ++i) sigaction(Caught[i], &before[i], nullptr);
    signalPipe = -1;
  }
  if (readFd_ >= 0) close(readFd_);
  if (writeFd_ >= 0) close(writeFd_);
}

int EndSignals::Take() {
  if (readFd_ < 0) return 0;
  int first = 0;
  unsigned char bytes[16];
  for (;;) {
    const ssize_t got = read(readFd_, bytes, sizeof bytes);
    if (got <= 0) break;
    if (first == 0) first = bytes[0];
  }
  return first;
}

}  // namespace qm
