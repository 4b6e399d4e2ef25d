// A file made under a name nobody else can have prepared: where other
// users may write (a shared folder), a link or file put there beforehand is
// never written through or over.
#pragma once

#include <string>

namespace qm {

// Makes a new empty file, never through a link and never over a file that
// is there already, with at most these permissions; false when the name is
// taken or cannot be made.
bool CreateNewFile(const std::string& path, unsigned mode = 0666);

}  // namespace qm
