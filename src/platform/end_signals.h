// The signals that end the program from outside: a log-out's SIGHUP, a
// kill's or a session manager's SIGTERM. Caught into a pipe, so that the
// event loop hears of them and the program keeps the writer's text
// before it ends; the handler itself only writes one byte.
#pragma once

namespace qm {

class EndSignals {
 public:
  // Catches SIGTERM and SIGHUP until destroyed, when the handling they
  // had before is put back. One at a time.
  EndSignals();
  ~EndSignals();
  EndSignals(const EndSignals&) = delete;
  EndSignals& operator=(const EndSignals&) = delete;

  // The pipe's end the event loop watches; -1 when the signals could not
  // be caught (they then end the program as before).
  int Fd() const { return readFd_; }
  // The first signal caught since the last call, 0 when none; never waits.
  int Take();

 private:
  int readFd_ = -1;
  int writeFd_ = -1;
  bool caught_ = false;
};

}  // namespace qm
