#include "story/card_text.h"

#include <algorithm>

#include "base/message_boxes.h"
#include "base/prompt_table.h"
#include "platform/messages.h"
#include "script/editing/document_modified.h"
#include "script/editing/editor_calls.h"
#include "script/editing/element_splice.h"
#include "script/model/text_codes.h"
#include "script/script_window.h"
#include "story/card_tags.h"
#include "story/card_view_undo.h"
#include "platform/text_trim.h"

namespace qm {

namespace {

struct TFrame {
  const char* open;
  char close;
  Byte kind;
};
constexpr TFrame Frames[] = {{"<<", '>', ekScriptNote},
                             {"^^", '^', ekTransition},
                             {"==", '=', ekCenteredTitle},
                             {"[[", ']', ekShot},
                             {"##", '#', ekForcedPageBreak}};

std::vector<TCardElement> Speech(const std::string& name, std::string rest) {
  std::vector<TCardElement> out{{ekCharacterName, name}};
  while (!rest.empty()) {
    if (rest[0] == '(') {
      const std::size_t close = rest.find(')');
      out.push_back({ekParenthetical, rest.substr(1, close == std::string::npos ? std::string::npos : close - 1)});
      if (close == std::string::npos) break;
      rest.erase(0, close + 1);
      rest = TrimBlanks(rest);
      continue;
    }
    const std::size_t open = rest.find('(');
    std::string part = rest.substr(0, open);
    part = TrimBlanks(part);
    if (!part.empty()) out.push_back({ekDialogue, part});
    if (open == std::string::npos) break;
    rest.erase(0, open);
  }
  return out;
}

bool IsBodyKind(Byte kind) {
  return kind == ekAction || (kind >= ekShot && kind <= ekAutoPageBreak) || kind == ekForcedPageBreak ||
         kind == ekLockedPageBreak || kind == ekMultiLockedPageBreak || kind == ekScriptNote ||
         kind == ekFixedAPageBreak;
}

struct TStyleCode {
  unsigned style;
  char on, off;
};
constexpr TStyleCode StyleCodes[] = {{fsBold, static_cast<char>(BoldOn), static_cast<char>(BoldOff)},
                                     {fsItalic, static_cast<char>(ItalicsOn), static_cast<char>(ItalicsOff)},
                                     {fsUnderline, static_cast<char>(UnderlineOn), static_cast<char>(UnderlineOff)},
                                     {fsStrikeOut, static_cast<char>(StrikeOutOn), static_cast<char>(StrikeOutOff)}};

bool IsHiddenLook(const TTextAttributes& look) { return look.Color == HiddenTextColor; }

// Writes the codes of one paragraph, keeping the pairs nested: a style
// that ends inside another closes the later ones and opens them again.
class TCodeWriter {
 public:
  explicit TCodeWriter(std::string& out) : out_(out) {}
  void Look(const TTextAttributes& look) {
    const bool hidden = IsHiddenLook(look);
    if (hidden != hidden_) {
      CloseFrom(0);
      if (hidden_) out_ += std::string{HiddenMark, HiddenClose1, ' '};
      else out_ += std::string{HiddenOpen0, HiddenMark};
      hidden_ = hidden;
    }
    for (std::size_t i = 0; i < open_.size(); ++i)
      if (!(look.Style & open_[i]->style)) {
        CloseFrom(i);
        break;
      }
    for (const TStyleCode& code : StyleCodes)
      if ((look.Style & code.style) && !IsOpen(code)) {
        out_ += code.on;
        open_.push_back(&code);
      }
  }
  void EndParagraph() { Look({}); }

 private:
  bool IsOpen(const TStyleCode& code) const { return std::find(open_.begin(), open_.end(), &code) != open_.end(); }
  void CloseFrom(std::size_t i) {
    while (open_.size() > i) {
      out_ += open_.back()->off;
      open_.pop_back();
    }
  }
  std::string& out_;
  std::vector<const TStyleCode*> open_;
  bool hidden_ = false;
};

}  // namespace

std::string CardBodyFromLooks(const std::string& text, const std::vector<TTextAttributes>& looks) {
  std::string out;
  out.reserve(text.size() + text.size() / 8);
  TCodeWriter writer(out);
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n') {
      writer.EndParagraph();
      out += "\r\n";
      continue;
    }
    writer.Look(i < looks.size() ? looks[i] : TTextAttributes{});
    out += text[i];
  }
  writer.EndParagraph();
  return out;
}

void CardLooksFromRuns(const std::string& body, const std::vector<TStyleRun>& runs, std::string& text,
                       std::vector<TTextAttributes>& looks) {
  std::vector<TTextAttributes> all(body.size());
  for (const TStyleRun& run : runs) {
    const std::size_t end = std::min(run.start + run.length, body.size());
    for (std::size_t i = std::min(run.start, end); i < end; ++i) {
      // Hidden text is only grey: a style here would come back as codes.
      if (run.style == csHidden) all[i].Color = HiddenTextColor;
      else all[i].Style |= run.style;
    }
  }
  text.clear();
  looks.clear();
  for (std::size_t i = 0; i < body.size(); ++i) {
    if (body[i] == '\r' && i + 1 < body.size() && body[i + 1] == '\n') continue;
    text += body[i] == '\r' ? '\n' : body[i];
    looks.push_back(body[i] == '\r' || body[i] == '\n' ? TTextAttributes{} : all[i]);
  }
}

std::vector<TCardElement> CardParagraphToElements(std::string_view paragraph) {
  std::string p(paragraph);
  for (const TFrame& f : Frames) {
    if (p.size() < 2 || p.compare(0, 2, f.open) != 0 || p.back() != f.close) continue;
    if (f.kind == ekForcedPageBreak) return {{ekForcedPageBreak, " "}};
    std::size_t from = 0;
    while (from < p.size() && std::string_view("<=[^").find(p[from]) != std::string_view::npos) ++from;
    std::size_t to = p.size();
    while (to > from + 1 && std::string_view("=>]^").find(p[to - 1]) != std::string_view::npos) --to;
    return {{f.kind, p.substr(from, to - from)}};
  }
  const std::size_t colon = p.find(":  ");
  if (colon != std::string::npos && colon > 0) {
    std::string speech = p.substr(colon + 3);
    speech = TrimBlanks(speech);
    if (!speech.empty()) return Speech(p.substr(0, colon), speech);
  }
  return {{ekAction, p}};
}

std::vector<TCardElement> CardTextToElements(std::string_view body) {
  const std::string open{HiddenOpen0, HiddenMark};
  const std::string close{HiddenMark, HiddenClose1};
  std::vector<TCardElement> out;
  bool hidden = false;
  std::size_t at = 0;
  while (at < body.size()) {
    const std::size_t end = std::min(body.find_first_of("\r\n", at), body.size());
    std::string p(body.substr(at, end - at));
    at = std::min(body.find_first_not_of("\r\n", end), body.size());
    bool paragraphHidden = hidden;
    // Every marker goes, in the order written: a paragraph may hold
    // several grey runs, and the last marker says whether the next
    // paragraph is still inside one.
    for (std::size_t m = 0; m < p.size();) {
      if (p.compare(m, open.size(), open) == 0) {
        p.erase(m, open.size());
        paragraphHidden = hidden = true;
      } else if (p.compare(m, close.size(), close) == 0) {
        p.erase(m, close.size() + (m + close.size() < p.size() && p[m + close.size()] == ' ' ? 1 : 0));
        hidden = false;
      } else {
        ++m;
      }
    }
    if (p.empty()) continue;
    for (TCardElement& e : CardParagraphToElements(p)) {
      e.hidden = paragraphHidden;
      out.push_back(std::move(e));
    }
  }
  return out;
}

namespace {

// The texts a card's write-back replaces: its heading's and its body's.
std::vector<std::string> CardTexts(const TMDIChild& script, const TScriptElement& heading, const TScriptElement* stop) {
  std::vector<std::string> texts{LiveElementText(script, heading)};
  for (const TScriptElement* e = heading.next; e && e != stop; e = e->next)
    if (IsBodyKind(e->Kind())) texts.push_back(LiveElementText(script, *e));
  return texts;
}

// The card shows a tagged scene's words without their tags; the words the
// writer left as they were are tagged again.
void KeepTags(const std::vector<std::string>& oldTexts, std::string& title, std::vector<TCardElement>& made) {
  std::vector<std::string> texts{title};
  for (const TCardElement& e : made) texts.push_back(e.text);
  texts = KeepCardTags(oldTexts, std::move(texts));
  title = texts[0];
  for (std::size_t i = 0; i < made.size(); ++i) made[i].text = texts[i + 1];
}

}  // namespace

bool WriteBackCard(TMDIChild& script, TCardTable& table, int n, const std::string& title, std::string_view body) {
  if (n < 1 || n > MaxCards) return false;
  const auto cardHeading = [&table](int k) {
    TScriptElement* heading = table[k].first;
    while (heading && heading != table[k].last->next && heading->Kind() != ekSceneHeading) heading = heading->next;
    return heading == table[k].last->next ? nullptr : heading;
  };
  // A blank card written on is a new scene after the last one; it takes
  // the next entry so that the table keeps no gaps.
  const bool blank = !table[n].first;
  if (blank) n = table.Count() + 1;
  if (n > MaxCards || !script.LastElement || (!blank && !cardHeading(n))) return false;
  editor::Assemble(script);
  SaveCardUndoStep(script);
  if (blank) {
    TScriptElement* made = NewElementRecord(script);
    made->format = script.FormatSet[fsSceneHeading];
    made->format.Kind = ekSceneHeading;
    editor::InsertElements(script, script.LastElement, made, made);
    editor::StoreText(script, *made, "");
    table[n] = {made, made};
  }
  TScriptElement* heading = cardHeading(n);
  // Park the caret on the heading so that the removed elements are never current.
  editor::MakeCurrent(script, *heading, 0);
  editor::Assemble(script);
  TScriptElement* stop = table[n].last->next;
  std::string headingText = title;
  std::vector<TCardElement> elements = CardTextToElements(body);
  if (script.TaggingUsed) KeepTags(CardTexts(script, *heading, stop), headingText, elements);
  editor::StoreText(script, *heading, headingText);
  for (TScriptElement* e = heading->next; e && e != stop;) {
    TScriptElement* next = e->next;
    if (IsBodyKind(e->Kind())) editor::RemoveElement(script, e);
    e = next;
  }
  TScriptElement* after = heading;
  for (const TCardElement& made : elements) {
    TScriptElement* e = NewElementRecord(script);
    e->format = script.FormatSet[static_cast<std::size_t>(std::max(0, FormatSlotOfKind(made.kind)))];
    e->format.Kind = made.kind;
    e->state = made.hidden ? esShownHidden : esNormal;
    editor::InsertElements(script, after, e, e);
    editor::StoreText(script, *e, made.text);
    after = e;
  }
  table[n].last = stop ? stop->prev : script.LastElement;
  editor::MakeCurrent(script, *heading, 0);
  script.RefreshKeepingCursor();
  editor::SetActiveScriptModified();
  return true;
}

bool RemoveEmptyElements(TMDIChild& script) {
  const auto empty = [&script](const TScriptElement* e) {
    if (IsPageBreakKind(e->Kind())) return false;
    std::string text = LiveElementText(script, *e);
    text = TrimBlanks(text);
    return text.empty();
  };
  editor::Assemble(script);
  bool any = false;
  for (const TScriptElement* e = script.LastElement; e && e != script.FirstElement && !any; e = e->prev) any = empty(e);
  if (!any) return false;
  SaveCardUndoStep(script);
  TScriptElement* current = script.CurrentElement();
  // The caret waits on the first element, which never goes.
  editor::MakeCurrent(script, *script.FirstElement, 0);
  for (TScriptElement* e = script.LastElement; e && e != script.FirstElement;) {
    TScriptElement* before = e->prev;
    if (empty(e)) {
      if (e == current) current = before;
      editor::RemoveElement(script, e);
    }
    e = before;
  }
  editor::MakeCurrent(script, current ? *current : *script.FirstElement, 0);
  script.RefreshKeepingCursor();
  editor::SetActiveScriptModifiedUnrevised();
  return true;
}

bool AddCard(TMDIChild& script, TCardTable& table, int k) {
  if (table[MaxCards].first) {
    ShowMessageBox("Sorry, but you can ONLY have a maximum of 400 cards!", PromptTable(21));
    return false;
  }
  const int count = table.Count();
  if (count == 0) {
    MessageBeep(0);
    return false;
  }
  k = std::clamp(k, 0, count);
  editor::Assemble(script);
  SaveCardUndoStep(script);
  TScriptElement* heading = NewElementRecord(script);
  heading->format = script.FormatSet[fsSceneHeading];
  heading->format.Kind = ekSceneHeading;
  TScriptElement* action = NewElementRecord(script);
  action->format = script.FormatSet[fsAction];
  action->format.Kind = ekAction;
  heading->next = action;
  action->prev = heading;
  editor::InsertElements(script, k == 0 ? table[1].first->prev : table[k].last, heading, action);
  editor::StoreText(script, *heading, "");
  editor::StoreText(script, *action, "");
  auto& e = table.entries;
  std::move_backward(e.begin() + k + 1, e.end() - 1, e.end());
  table[k + 1] = {heading, action};
  editor::MakeCurrent(script, *heading, 0);
  script.RefreshKeepingCursor();
  editor::SetActiveScriptModified();
  return true;
}

}  // namespace qm
