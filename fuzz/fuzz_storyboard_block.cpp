// The storyboard-link block comes from a script file: whatever it holds
// reads without harm into a script of a few elements, and what a save
// writes of the links read back gives the same links again.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "files/storyboard_block.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using qm::fuzz::Check;
  std::vector<qm::TScriptElement> elements(24);
  for (std::size_t i = 0; i + 1 < elements.size(); ++i) {
    elements[i].next = &elements[i + 1];
    elements[i + 1].prev = &elements[i];
  }
  qm::TStringList frames;
  qm::RestoreStoryboardLinks(std::span<const qm::Byte>(data, size), frames, &elements.front());
  Check(frames.Count() >= 1 && frames[0] == "0");

  std::vector<qm::Word> links;
  for (const auto& e : elements) links.push_back(e.storyboardLink);
  bool failed = false;
  const auto block = qm::BuildStoryboardLinkBlock(frames, &elements.front(), &failed);
  if (!block) return 0;
  Check(!failed);
  for (auto& e : elements) e.storyboardLink = 0;
  qm::TStringList again;
  Check(qm::RestoreStoryboardLinks(*block, again, &elements.front()));
  Check(again.Count() == frames.Count());
  for (int i = 0; i < frames.Count(); ++i) Check(again[i] == frames[i]);
  for (std::size_t i = 0; i < elements.size(); ++i) Check(elements[i].storyboardLink == links[i]);
  return 0;
}
