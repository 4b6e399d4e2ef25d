// The linkages of a branching script: one node per branch target with the
// targets it leads to, each link conditional (inside an IF block) or not,
// and the targets' labels in order of their numbers.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/types.h"

namespace qm {
class TScriptDocument;
struct TScriptElement;
}  // namespace qm

namespace qm::story {

constexpr int LinkSlots = 25;
constexpr std::int32_t EmptyLink = -1;
enum TLinkKind : Byte { lkConditional = 0, lkUnconditional = 1, lkUnset = 2 };

struct TGraphNode {
  Word number = 0;
  std::string label;
  std::array<std::int32_t, LinkSlots> links;
  std::array<Byte, LinkSlots> kinds;
  TScriptElement* element = nullptr;
  TGraphNode() {
    links.fill(EmptyLink);
    kinds.fill(lkUnset);
  }
  // The slots in use: those before the first empty one.
  int UsedSlots() const;
};

class TLinkageGraph {
 public:
  // Every target with its links, and the labels (SortJumps not yet run).
  void SetupAllLinks(const TScriptDocument& script);
  // The labels in ascending order of number (up to `stop` when not 0), and
  // links to target 0 (a return) expanded to the targets leading here.
  void SortJumps(Word stop);

  void AddJump(TScriptElement* element, const std::string& text, Word number);
  void AddLink(std::int64_t number, bool conditional);
  // The first node with the number, or null.
  const TGraphNode* Node(std::int64_t number) const;
  // Whether target a leads to target b.
  bool LinksTo(std::int64_t a, std::int64_t b) const;

  std::vector<TGraphNode> Nodes;
  std::vector<std::string> Labels;  // what the target box lists

 private:
  void ScanReferences(const std::string& text, bool conditional);
};

}  // namespace qm::story
