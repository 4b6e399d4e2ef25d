// The root of every object the platform layer hands around by pointer
// (string-list objects, event senders).
#pragma once

namespace qm {

class TObject {
 public:
  virtual ~TObject() = default;
};

}  // namespace qm
