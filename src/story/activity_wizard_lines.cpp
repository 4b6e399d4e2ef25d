#include "story/activity_wizard_lines.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "platform/text_trim.h"

namespace qm::story {

namespace {

constexpr std::array<std::string_view, 5> NegationWords = {"NOT ", "ISN'T ", "DON'T ", "HAVEN'T ", "AREN'T "};
constexpr std::array<std::string_view, 8> FillerWords = {"USER ", "PLAYER ", "YOU ", "THE ",
                                                         "HAVE ", "AND ",    "ARE ", "IS "};

std::string Upper(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

std::string CollapseBlanks(std::string s) {
  for (std::size_t at = s.find("  "); at != std::string::npos; at = s.find("  ", at)) s.erase(at, 1);
  return s;
}

bool Contains(const std::vector<std::string>& list, const std::string& s) {
  return std::find(list.begin(), list.end(), s) != list.end();
}

// "DON'T <X>" and "NOT <X>" become "<NOT X>": the negation at the start of
// its group.
std::string MoveNegations(std::string line) {
  for (std::size_t at = line.find(" <"); at != std::string::npos; at = line.find(" <", at + 1)) {
    std::size_t start = line.rfind(' ', at - 1 < line.size() ? at - 1 : 0);
    start = start == std::string::npos ? 0 : start + 1;
    const std::string word = line.substr(start, at - start);
    if (word != "NOT" && !word.ends_with("N'T")) continue;
    line.erase(start, at + 1 - start);
    line.insert(start + 1, "NOT ");
    at = start;
  }
  return line;
}

// The groups of a text, and the text left outside them.
struct TGroups {
  std::vector<std::string> groups;
  std::string rest;
};
TGroups SplitGroups(const std::string& text) {
  TGroups out;
  std::size_t from = 0;
  for (std::size_t open = text.find('<'); open != std::string::npos; open = text.find('<', from)) {
    const std::size_t close = text.find('>', open + 1);
    if (close == std::string::npos) break;
    out.rest += text.substr(from, open - from);
    out.groups.push_back(text.substr(open + 1, close - open - 1));
    from = close + 1;
  }
  out.rest += text.substr(std::min(from, text.size()));
  return out;
}

// A leading negation word taken off; whether there was one.
bool TakeNegation(std::string& group) {
  for (std::string_view word : NegationWords)
    if (group.starts_with(word)) {
      group.erase(0, word.size());
      return true;
    }
  return false;
}

// Filler words out, whole words only: "AND " inside "HAND " is kept.
std::string RemoveFillers(std::string text) {
  for (std::string_view word : FillerWords)
    for (std::size_t at = text.find(word); at != std::string::npos; at = text.find(word, at))
      if (at == 0 || text[at - 1] == ' ') text.erase(at, word.size());
      else at += word.size();
  text = CollapseBlanks(text);
  const auto first = text.find_first_not_of(' ');
  return first == std::string::npos ? "" : text.substr(first);
}

void AppendConditions(const TActivityAnswers& a, std::string& line) {
  std::vector<std::string> items;
  for (const std::string& v : a.trueVariables) items.push_back("<" + v + "> ");
  for (const std::string& v : a.falseVariables) items.push_back("DON'T <" + v + "> ");
  for (std::size_t i = 0; i < items.size(); ++i) {
    line += items[i];
    if (i + 1 < items.size() || a.mode == TActivityMode::ConditionalChoice) line += "and ";
  }
}

}  // namespace

std::string ActivityLine(const TActivityAnswers& a) {
  if (a.mode == TActivityMode::SettingVariable)
    return "SET <" + a.setValue + "> TO " + (a.setValueFalse ? "FALSE." : "TRUE.");
  const bool setVariable = a.setVariable && !a.variable.empty();
  std::string line = "IF ";
  if (a.mode != TActivityMode::UserChoice) {
    line += "YOU ";
    AppendConditions(a, line);
  }
  if (a.mode != TActivityMode::JustChecking) line += "YOU " + a.action + " ";
  line += "then";
  if (setVariable) {
    line += std::string(" you") + (a.setToFalse ? " NOT <" : " <") + a.variable + "> ";
    if (a.affectsOthers) {
      for (const std::string& v : a.othersTrue) line += "and <" + v + "> ";
      for (const std::string& v : a.othersFalse) line += "and DON'T <" + v + "> ";
    }
  }
  if (a.outcome == TActivityOutcome::JumpToNew || a.outcome == TActivityOutcome::ContinuesNormally) {
    if (a.outcome == TActivityOutcome::JumpToNew && !line.ends_with(' ')) line += " ";
    if (setVariable) line += "AND";
  } else if (setVariable) {
    line += "and";
  }
  return line;
}

int ParseActivityLine(std::string_view text, const std::vector<std::string>& variables,
                      const std::vector<std::string>& jumps, TActivityAnswers& a) {
  a = TActivityAnswers{};
  const std::string line = Upper(text);
  if (line.empty()) return alEmpty;
  if (line == "ELSE" || line == "OTHERWISE") return alElse;
  if (line == "ENDIF" || line == "END IF") return alEndIf;
  if (line.starts_with("SET ")) {
    const auto open = line.find('<');
    const auto close = open == std::string::npos ? open : line.find('>', open + 1);
    if (close == std::string::npos) return alBrokenSet;
    a.mode = TActivityMode::SettingVariable;
    a.setValue = CollapseBlanks(line.substr(open + 1, close - open - 1));
    a.setValueFalse = line.find("FALSE", close) != std::string::npos;
    return alSetOrContinues;
  }
  if (!line.starts_with("IF ")) return alNotActivity;
  const std::string moved = MoveNegations(line);
  const auto then = moved.find(" THEN");
  if (then == std::string::npos) return alIfWithoutThen;

  int result = alIfLine;
  TGroups condition = SplitGroups(moved.substr(3, then - 3));
  if (!condition.groups.empty()) a.mode = TActivityMode::JustChecking;
  for (std::string group : condition.groups) {
    const bool negated = TakeNegation(group);
    group = CollapseBlanks(group);
    if (!Contains(variables, group)) result = alUnknownVariable;
    (negated ? a.falseVariables : a.trueVariables).push_back(group);
  }
  const std::string action = TrimBlanks(RemoveFillers(condition.rest));
  if (!action.empty()) {
    if (a.mode == TActivityMode::JustChecking) a.mode = TActivityMode::ConditionalChoice;
    a.action = action;
  }

  TGroups effect = SplitGroups(moved.substr(then + 5));
  if (TrimBlanks(effect.rest).empty() && effect.groups.empty()) return result;
  bool jumped = false;
  for (std::string group : effect.groups) {
    if (group.starts_with("JMP ") || group.starts_with("JUMP ")) {
      std::string target = group.substr(group.find(' ') + 1);
      for (; !target.empty(); target.erase(0, 1))
        if (Contains(jumps, target)) {
          a.jumpLabel = target;
          a.outcome = TActivityOutcome::JumpToNew;
          jumped = true;
          break;
        }
      continue;
    }
    const bool negated = TakeNegation(group);
    group = CollapseBlanks(group);
    if (!a.setVariable) {
      a.setVariable = true;
      a.variable = group;
      a.setToFalse = negated;
    } else {
      a.affectsOthers = true;
      (negated ? a.othersFalse : a.othersTrue).push_back(group);
    }
  }
  if (result == alIfLine && TrimBlanks(RemoveFillers(effect.rest)) == ".") {
    if (jumped) return alJumpOnly;
    a.outcome = TActivityOutcome::ContinuesNormally;
    return alSetOrContinues;
  }
  return result;
}

}  // namespace qm::story
