// The project's converter on the search path, as it is installed beside
// the program, before the rest of the search path.
#pragma once

#include <cstdlib>
#include <string>

#include "platform/files.h"

namespace qm::testing {

inline std::string SearchPathWithConverter() {
  const char* path = std::getenv("PATH");
  return ExtractFileDir(QM_CONVERTER_PATH) + ":" + (path ? path : "/usr/bin:/bin");
}

}  // namespace qm::testing
