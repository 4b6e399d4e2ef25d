#include "script/layout/element_parentheses.h"

#include <algorithm>
#include <string>
#include <string_view>

#include "script/layout/char_widths.h"
#include "script/layout/screen_lines.h"
#include "script/script_window.h"

namespace qm {

namespace {

// The attribute the element's text starts in: its format's style and colour.
Byte StartAttribute(const TMDIChild& window, const TScriptElement& element) {
  Byte attribute = 0;
  window.SetupFontStyle(attribute, element.format);
  return attribute;
}

int ScreenWidthOf(const TMDIChild& window, Byte attribute, char ch) {
  const int style = WidthStyleOf(attribute & AttrBold, attribute & AttrItalic);
  return window.ScreenWidths[static_cast<std::size_t>(style)][static_cast<Byte>(ch)];
}

void Prepend(TLaidLine& line, char ch, Byte attribute) {
  if (line.text.size() >= static_cast<std::size_t>(ScreenLineColumns)) return;
  std::copy_backward(line.attributes.begin() + 1, line.attributes.begin() + 1 + static_cast<long>(line.text.size()),
                     line.attributes.begin() + 2 + static_cast<long>(line.text.size()));
  line.text.insert(line.text.begin(), ch);
  line.attributes[1] = attribute;
}

void Append(TLaidLine& line, char ch, Byte attribute) {
  if (line.text.size() >= static_cast<std::size_t>(ScreenLineColumns)) return;
  line.text.push_back(ch);
  line.attributes[line.text.size()] = attribute;
}

// A text typed with its own bracket keeps it and gets no second one.
bool OpensItself(std::string_view text) {
  const std::size_t first = text.find_first_not_of(std::string_view("\x02\x03\x0E\x0F\x15\x16\x19\x1A ", 9));
  return first != std::string_view::npos && text[first] == '(';
}

}  // namespace

bool ShownInParentheses(const TScriptDocument& script, Byte kind) {
  switch (kind) {
    case ekParenthetical: return true;
    case ekSceneInformation:
    case ekLockedSceneInformation: return script.SceneInfoParentheses != 0;
    case ekActInformation:
    case ekActStart:
    case ekPrologueText: return script.ActParentheses != 0;
    case ekAction: return script.ActionParentheticals != 0;
    default: return false;
  }
}

TOpening OpeningParenthesis(const TMDIChild& window, const TScriptElement& element) {
  const Byte kind = element.Kind();
  if (!ShownInParentheses(window, kind) || OpensItself(LiveElementText(window, element))) return TOpening::None;
  const bool outdented =
      kind == ekParenthetical ? window.OutdentParentheticals != 0 : kind == ekAction && window.ActionOutdented;
  return outdented ? TOpening::Hanging : TOpening::AtMargin;
}

void AddElementParentheses(TMDIChild& window, const TScriptElement& element, std::vector<TLaidLine>& lines) {
  if (lines.empty() || !ShownInParentheses(window, element.Kind())) return;
  TLaidLine& first = lines.front();
  const Byte opening = StartAttribute(window, element);
  if (first.text.empty() || first.text.front() != '(') {
    Prepend(first, '(', opening);
    if (OpeningParenthesis(window, element) == TOpening::Hanging)
      first.left = static_cast<Word>(std::max(0, first.left - ScreenWidthOf(window, opening, '(')));
  }
  TLaidLine& last = lines.back();
  if (last.text.size() < 2 || last.text.back() != ')')
    Append(last, ')', last.text.empty() ? opening : last.attributes[last.text.size()]);
}

int ScreenTextLeft(const TMDIChild& window, const TScriptElement& element, int lineInElement) {
  const int margin = ScreenLeftOf(window, element.format);
  if (lineInElement != 1 || OpeningParenthesis(window, element) != TOpening::AtMargin) return margin;
  return margin + ScreenWidthOf(window, StartAttribute(window, element), '(');
}

}  // namespace qm
