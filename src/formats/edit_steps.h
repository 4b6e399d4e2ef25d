// The steps that turn one sequence into another while keeping the longest
// run of items the two have in common: what two drafts share, and which
// characters of a text a writer left as they were.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace qm {

// The most cells the table of common runs may take (two bytes each); past
// it the differing middle parts count as removed and added whole.
constexpr std::size_t MaxEditStepCells = 8'000'000;

enum class TStep { Same, Removed, Added };

struct TDiffStep {
  TStep step;
  std::size_t original;  // index in the original (Same, Removed)
  std::size_t revised;   // index in the revised (Same, Added)
};

// The steps that turn one sequence into the other, keeping the longest
// run of equal items in common. Equal ends are matched first, so that the
// table covers only the middle where the drafts differ.
template <typename T, typename Equal>
inline std::vector<TDiffStep> EditSteps(const std::vector<T>& a, const std::vector<T>& b, Equal equal, bool& complete) {
  std::size_t head = 0;
  while (head < a.size() && head < b.size() && equal(a[head], b[head])) ++head;
  std::size_t tail = 0;
  while (tail < a.size() - head && tail < b.size() - head && equal(a[a.size() - 1 - tail], b[b.size() - 1 - tail]))
    ++tail;
  const std::size_t n = a.size() - head - tail;
  const std::size_t m = b.size() - head - tail;
  std::vector<TDiffStep> steps;
  for (std::size_t i = 0; i < head; ++i) steps.push_back({TStep::Same, i, i});
  const std::size_t cells = (n + 1) * (m + 1);
  if (n > 0 && m > 0 && cells <= MaxEditStepCells && n < 0xFFFF && m < 0xFFFF) {
    // common[i][j]: the longest common run of a[head + i..] and b[head + j..].
    std::vector<std::uint16_t> common(cells, 0);
    const auto at = [&](std::size_t i, std::size_t j) -> std::uint16_t& { return common[i * (m + 1) + j]; };
    for (std::size_t i = n; i-- > 0;)
      for (std::size_t j = m; j-- > 0;)
        at(i, j) = equal(a[head + i], b[head + j]) ? static_cast<std::uint16_t>(at(i + 1, j + 1) + 1)
                                                   : std::max(at(i + 1, j), at(i, j + 1));
    std::size_t i = 0, j = 0;
    while (i < n || j < m) {
      if (i < n && j < m && equal(a[head + i], b[head + j])) {
        steps.push_back({TStep::Same, head + i++, head + j++});
      } else if (j == m || (i < n && at(i + 1, j) >= at(i, j + 1))) {
        steps.push_back({TStep::Removed, head + i++, 0});
      } else {
        steps.push_back({TStep::Added, 0, head + j++});
      }
    }
  } else {
    if (n > 0 && m > 0) complete = false;
    for (std::size_t i = 0; i < n; ++i) steps.push_back({TStep::Removed, head + i, 0});
    for (std::size_t j = 0; j < m; ++j) steps.push_back({TStep::Added, 0, head + j});
  }
  for (std::size_t k = 0; k < tail; ++k) steps.push_back({TStep::Same, a.size() - tail + k, b.size() - tail + k});
  return steps;
}

}  // namespace qm
