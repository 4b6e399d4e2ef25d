#include "story/linkage_graph.h"

#include <algorithm>
#include <cctype>

#include "platform/cp1252.h"
#include "script/model/script_document.h"
#include "script/model/script_model.h"
#include "script/model/string_utils.h"
#include "story/interactive_script.h"

namespace qm::story {

namespace {

// Past this no target can carry the number.
constexpr std::int64_t NoSuchNumber = 0x100000000LL;

// The text between a parenthesis pair as a number, or -1 when it is none.
std::int64_t ReadDecimal(std::string_view digits) {
  if (digits.empty()) return -1;
  std::int64_t n = 0;
  for (char c : digits) {
    if (!std::isdigit(static_cast<unsigned char>(c))) return -1;
    n = std::min(n * 10 + (c - '0'), NoSuchNumber);
  }
  return n;
}

bool IsActivityEnd(const std::string& upper) { return upper == "ENDIF"; }
bool OpensCondition(const std::string& upper) { return upper.starts_with("IF ") && upper.back() != '.'; }

}  // namespace

int TGraphNode::UsedSlots() const {
  const auto end = std::find(links.begin(), links.end(), EmptyLink);
  return static_cast<int>(end - links.begin());
}

void TLinkageGraph::AddJump(TScriptElement* element, const std::string& text, Word number) {
  TGraphNode node;
  node.number = number;
  node.label = AnsiLowerCase(PlainText(text)) + " (" + std::to_string(number) + ")";
  node.element = element;
  Nodes.push_back(node);
  Labels.push_back(node.label);
}

void TLinkageGraph::AddLink(std::int64_t number, bool conditional) {
  if (Nodes.empty() || number < 0 || number >= NoSuchNumber) return;
  TGraphNode& node = Nodes.back();
  for (int i = 0; i < LinkSlots; ++i) {
    if (node.links[i] != EmptyLink && node.links[i] != number) continue;
    node.links[i] = static_cast<std::int32_t>(number);
    // A link once unconditional stays so.
    if (node.kinds[i] != lkUnconditional) node.kinds[i] = conditional ? lkConditional : lkUnconditional;
    return;
  }
}

void TLinkageGraph::ScanReferences(const std::string& text, bool conditional) {
  for (std::size_t open = text.find('('); open != std::string::npos; open = text.find('(', open + 1)) {
    const std::size_t close = text.find(')', open + 1);
    if (close == std::string::npos) return;
    const std::int64_t number = ReadDecimal(std::string_view(text).substr(open + 1, close - open - 1));
    if (number >= 0) AddLink(number, conditional);
  }
}

void TLinkageGraph::SetupAllLinks(const TScriptDocument& script) {
  Nodes.clear();
  Labels.clear();
  bool conditional = false;
  const TScriptElement* e = script.FirstElement;
  while (e && !IsBranchTarget(*e)) e = e->next;
  for (; e; e = e->next) {
    const std::string text = LiveElementText(script, *e);
    if (e->Kind() == ekShot) {
      const std::string upper = AnsiUpperCase(text);
      if (IsActivityEnd(upper)) conditional = false;
      else if (OpensCondition(upper)) conditional = true;
      if (upper.find("<JUMP ") != std::string::npos || upper.find("<JMP ") != std::string::npos)
        ScanReferences(text, conditional);
    } else if (IsBranchTarget(*e)) {
      AddJump(const_cast<TScriptElement*>(e), text, TargetNumber(*e));
    } else if (e->Kind() == ekTransition) {
      ScanReferences(text, conditional);
    }
  }
}

const TGraphNode* TLinkageGraph::Node(std::int64_t number) const {
  for (const auto& node : Nodes)
    if (node.number == number) return &node;
  return nullptr;
}

bool TLinkageGraph::LinksTo(std::int64_t a, std::int64_t b) const {
  const TGraphNode* node = Node(a);
  if (!node) return false;
  const int used = node->UsedSlots();
  return std::find(node->links.begin(), node->links.begin() + used, b) != node->links.begin() + used;
}

void TLinkageGraph::SortJumps(Word stop) {
  std::vector<std::string> sorted;
  std::vector<std::string> left = Labels;
  Word n = 0;
  do {
    const std::string part = "(" + std::to_string(n) + ")";
    const auto found =
        std::find_if(left.begin(), left.end(), [&](const std::string& l) { return l.find(part) != std::string::npos; });
    if (found != left.end()) {
      sorted.push_back(*found);
      left.erase(found);
    }
    ++n;
  } while (!left.empty() && n != stop);
  Labels = std::move(sorted);

  const auto count = static_cast<std::int64_t>(Nodes.size());
  for (auto& node : Nodes) {
    for (int i = 0; i < LinkSlots && node.links[i] != EmptyLink; ++i) {
      if (node.links[i] != 0) continue;
      std::vector<std::int32_t> leading;
      for (std::int64_t d = 1; d <= count; ++d)
        if (LinksTo(d, node.number)) leading.push_back(static_cast<std::int32_t>(d));
      for (std::size_t k = 0; k < leading.size() && i + static_cast<int>(k) < LinkSlots; ++k)
        node.links[i + k] = leading[k];
    }
  }
}

}  // namespace qm::story
