// The built-in thesaurus engine reports its failures as exceptions with
// fixed messages; the thesaurus window shows the message.
#pragma once

#include <stdexcept>
#include <string>

namespace qm::thesaurus {

class EWWError : public std::runtime_error {
 public:
  explicit EWWError(const std::string& message) : std::runtime_error(message) {}
};

// The one message for a database file whose bytes do not hold together.
inline constexpr const char* DamagedDatabaseMessage = "WordWeb index error";

}  // namespace qm::thesaurus
