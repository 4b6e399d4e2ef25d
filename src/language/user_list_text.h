// The entries of a plain-text list file, as the user-list loader takes
// them: one entry per line that holds anything besides blanks and tabs.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace qm {

// At most `maxEntries` entries, each line losing every tab (and every zero
// byte, which would end the entry early wherever it is used as a text),
// then its leading and trailing blanks; empty lines are skipped. Lines end
// at CR LF, CR or LF.
std::vector<std::string> UserListTextEntries(std::string_view text, std::size_t maxEntries);

}  // namespace qm
