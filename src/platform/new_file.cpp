#include "platform/new_file.h"

#include <fcntl.h>
#include <unistd.h>

namespace qm {

bool CreateNewFile(const std::string& path, unsigned mode) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode & 0666);
  if (fd < 0) return false;
  ::close(fd);
  return true;
}

}  // namespace qm
