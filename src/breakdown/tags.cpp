#include "breakdown/tags.h"

#include <algorithm>

namespace qm {

namespace {

bool Skipped(char ch, const CharSet& codes) { return ch == ' ' || codes.Contains(ch); }

}  // namespace

std::optional<TTagSpan> TrimTagSelection(const std::string& text, int blockStart, int blockEnd, const CharSet& codes) {
  if (blockStart < 0 || blockEnd < 0) return std::nullopt;
  const std::size_t size = text.size();
  std::size_t start = std::min<std::size_t>(static_cast<std::size_t>(std::min(blockStart, blockEnd)), size);
  std::size_t end = std::min<std::size_t>(static_cast<std::size_t>(std::max(blockStart, blockEnd)), size);
  while (end > start && Skipped(text[end - 1], codes)) --end;
  while (start < end && Skipped(text[start], codes)) ++start;
  if (end <= start) return std::nullopt;
  return TTagSpan{start, end};
}

int InsertTag(std::string& text, const TTagSpan& span, Byte code, int caret) {
  text.insert(span.end, 1, static_cast<char>(TagEnd));
  text.insert(span.start, 1, static_cast<char>(code));
  return caret + (caret < static_cast<int>(span.end) ? 1 : 2);
}

std::size_t OpeningCodeOf(const std::string& text, std::size_t end) {
  int depth = 0;
  for (std::size_t i = end; i-- > 0;) {
    const Byte b = static_cast<Byte>(text[i]);
    if (depth < 1 && IsBreakdownTagCode(b)) return i;
    if (b == TagEnd) ++depth;
    else if (TagCodeSet.Contains(b)) --depth;
  }
  return std::string::npos;
}

bool RemoveTags(std::string& text) {
  bool changed = false;
  for (std::size_t end = text.rfind(static_cast<char>(TagEnd)); end != std::string::npos;
       end = text.rfind(static_cast<char>(TagEnd))) {
    const std::size_t open = OpeningCodeOf(text, end);
    text.erase(end, 1);
    if (open != std::string::npos) text.erase(open, 1);
    changed = true;
  }
  return changed;
}

}  // namespace qm
