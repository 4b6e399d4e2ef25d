#include "story/card_tags.h"

#include <algorithm>
#include <tuple>

#include "formats/edit_steps.h"
#include "platform/cp1252.h"
#include "script/model/text_codes.h"

namespace qm {

namespace {

constexpr std::size_t None = static_cast<std::size_t>(-1);
// Stands between two elements' words, so that no run of words reaches
// across elements.
constexpr char ElementBreak = '\n';

// The words of a card's texts as one run of characters (the codes left
// out), with the element and the place in its text of each.
struct TWords {
  std::vector<char> chars;
  std::vector<std::size_t> element, at;
  void Add(char c, std::size_t e, std::size_t i) {
    chars.push_back(c);
    element.push_back(e);
    at.push_back(i);
  }
};

struct TTag {
  char code;
  std::size_t first = 0, last = 0;  // word characters, inclusive
};

TWords WordsOf(const std::vector<std::string>& texts, std::vector<TTag>* tags) {
  const CharSet codes = InlineCodes(true);
  TWords words;
  for (std::size_t e = 0; e < texts.size(); ++e) {
    std::vector<std::size_t> open;  // indexes into tags
    for (std::size_t i = 0; i < texts[e].size(); ++i) {
      const char c = texts[e][i];
      const std::size_t count = words.chars.size();
      if (tags && IsBreakdownTagCode(static_cast<Byte>(c))) {
        open.push_back(tags->size());
        tags->push_back({c, count, None});
      } else if (tags && c == static_cast<char>(TagEnd) && !open.empty()) {
        TTag& tag = (*tags)[open.back()];
        open.pop_back();
        if (count > tag.first) tag.last = count - 1;
      } else if (!codes.Contains(c)) {
        words.Add(c, e, i);
      }
    }
    words.Add(ElementBreak, e, texts[e].size());
    if (tags)  // a tag never closed in its element is no tag
      for (std::size_t k : open) (*tags)[k].last = None;
  }
  return words;
}

// Where each word character of the old texts stands in the new ones (None
// where the writer changed it).
std::vector<std::size_t> MapUnchanged(const TWords& before, const TWords& after) {
  bool complete = true;
  const auto same = [](char a, char b) { return AnsiUpper(static_cast<Byte>(a)) == AnsiUpper(static_cast<Byte>(b)); };
  std::vector<std::size_t> map(before.chars.size(), None);
  for (const TDiffStep& step : EditSteps(before.chars, after.chars, same, complete))
    if (step.step == TStep::Same) map[step.original] = step.revised;
  return map;
}

struct TInsert {
  std::size_t at;
  bool open;
  std::size_t order1, order2;  // nesting: outer opens first, inner closes first
  char code;
  auto Key() const { return std::tie(at, open, order1, order2); }
};

}  // namespace

std::vector<std::string> KeepCardTags(const std::vector<std::string>& oldTexts, std::vector<std::string> newTexts) {
  for (std::string& text : newTexts)
    std::erase_if(text, [](char c) { return TagCodeSet.Contains(static_cast<Byte>(c)); });
  std::vector<TTag> tags;
  const TWords before = WordsOf(oldTexts, &tags);
  const TWords after = WordsOf(newTexts, nullptr);
  const std::vector<std::size_t> map = MapUnchanged(before, after);
  std::vector<std::vector<TInsert>> inserts(newTexts.size());
  for (std::size_t k = 0; k < tags.size(); ++k) {
    const TTag& tag = tags[k];
    if (tag.last == None) continue;
    const std::size_t first = map[tag.first];
    bool kept = first != None;
    for (std::size_t i = tag.first; kept && i <= tag.last; ++i) kept = map[i] == first + (i - tag.first);
    if (!kept) continue;
    const std::size_t last = first + (tag.last - tag.first);
    auto& list = inserts[after.element[first]];
    // Sort keys: at one place closes come before opens; the outer of two
    // tags opens first (the larger end) and closes last (the earlier start).
    list.push_back({after.at[first], true, None - last, k, tag.code});
    list.push_back({after.at[last] + 1, false, None - tag.first, None - k, static_cast<char>(TagEnd)});
  }
  for (std::size_t e = 0; e < newTexts.size(); ++e) {
    auto& list = inserts[e];
    std::sort(list.begin(), list.end(), [](const TInsert& a, const TInsert& b) { return a.Key() < b.Key(); });
    for (auto it = list.rbegin(); it != list.rend(); ++it)
      newTexts[e].insert(newTexts[e].begin() + static_cast<std::ptrdiff_t>(it->at), it->code);
  }
  return newTexts;
}

}  // namespace qm
