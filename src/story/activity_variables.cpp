#include "story/activity_variables.h"

#include <algorithm>
#include <array>

#include "script/model/script_model.h"
#include "script/script_window.h"

namespace qm::story {

namespace {

constexpr std::array<std::string_view, 5> NegationWords = {"NOT ", "ISN'T ", "DON'T ", "HAVEN'T ", "AREN'T "};

std::string CollapseBlanks(std::string s) {
  for (std::size_t at = s.find("  "); at != std::string::npos; at = s.find("  ", at)) s.erase(at, 1);
  return s;
}

}  // namespace

std::vector<std::string> VariablesOfLine(std::string_view line) {
  std::vector<std::string> names;
  for (std::size_t open = line.find('<'); open != std::string_view::npos; open = line.find('<', open + 1)) {
    const std::size_t close = line.find('>', open + 1);
    if (close == std::string_view::npos) break;
    std::string_view group = line.substr(open + 1, close - open - 1);
    for (std::string_view word : NegationWords)
      if (group.starts_with(word)) group.remove_prefix(word.size());
    open = close;
    if (group.starts_with("JMP ") || group.starts_with("JUMP ")) continue;
    names.push_back(CollapseBlanks(std::string(group)));
  }
  return names;
}

std::vector<std::string> ScriptVariables(const TMDIChild& script) {
  std::vector<std::string> all;
  for (const TScriptElement* e = script.FirstElement; e; e = e->next) {
    if (e->Kind() != ekShot) continue;
    const std::string text = e == script.CurrentElement() && !e->text ? script.EditBuffer() : ElementText(*e);
    for (std::string& name : VariablesOfLine(text))
      if (std::find(all.begin(), all.end(), name) == all.end()) all.push_back(std::move(name));
  }
  return all;
}

}  // namespace qm::story
