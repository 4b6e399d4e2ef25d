// Stored scripts for tests that open one the way a writer does.
#pragma once

#include <string>

namespace qm::testing {

// A stored script with its password taken out, so that it opens at once.
std::string ScriptThatOpensAtOnce();
// A short stored script of every element kind, in the older stored form:
// it opens, and lays out on its pages, without a question.
std::string ShortScript();

}  // namespace qm::testing
