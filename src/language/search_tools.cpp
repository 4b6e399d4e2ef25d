#include "language/search_tools.h"

#include <algorithm>
#include <array>

#include "base/document_table.h"
#include "base/message_boxes.h"
#include "language/character_names.h"
#include "language/pick_list.h"
#include "language/search_replace.h"
#include "platform/cp1252.h"
#include "platform/stringlist.h"
#include "script/editing/goto_commands.h"
#include "script/editing/document_modified.h"
#include "script/editing/editor_calls.h"
#include "script/layout/char_widths.h"
#include "script/model/character_name_table.h"
#include "script/model/element_cursors.h"
#include "script/model/text_codes.h"
#include "script/script_window.h"

namespace qm {

namespace {

constexpr Byte RedOn = 16, RedOff = 17, BlueOn = 18, BlueOff = 19, GreenOn = 20, GreenOff = 13;
// clang-format off
constexpr std::array<ColorPair, 7> UserColourPairs{{
    {253, 254}, {221, 222}, {238, 248}, {245, 216}, {208, 177}, {159, 164}, {131, 132},
}};
// clang-format on

bool TakesElementColour(Byte kind) {
  return kind == ekAction || kind == ekCharacterName || kind == ekDialogue || kind == ekParenthetical;
}

bool IsCueOf(const TScriptDocument& script, const TScriptElement& e, const std::string& name) {
  return e.Kind() == ekCharacterName && AnsiUpperCase(CueName(LiveElementText(script, e))) == name;
}

// The element becomes current with its first line at `screenLine` (1 for
// the script's first element).
void ShowElement(TMDIChild& script, TScriptElement& e, std::int16_t screenLine) {
  editor::SaveUndoStep(script, ukNavigation);
  editor::Assemble(script);
  e.screenLine = &e == script.FirstElement ? std::int16_t{1} : screenLine;
  editor::MoveCaretTo(script, e);
  editor::RedisplayScreen(script);
}

// The script's names in the pick list; false (after saying so) when none.
bool FillNames(TListMenu& menu) {
  menu.ClearList();
  return CollectCharacterNames(0, true, false, menu.List->Items, false);
}

bool HasMark(const TScriptDocument& script, const TScriptElement& e) {
  if (TakesElementColour(e.Kind()) && e.format.ColorIndex() != 0) return true;
  if (e.format.Style & stStrikeOut) return true;
  const CharSet codes = CodeSetOf(script);
  for (char ch : LiveElementText(script, e)) {
    const auto b = static_cast<Byte>(ch);
    if (b == RedOn || b == BlueOn || b == GreenOn || b == StrikeOutOn) return true;
    for (const ColorPair& pair : UserColourPairs)
      if (b == pair.on && codes.Contains(b)) return true;
  }
  return false;
}

struct TCodesToRemove {
  std::string name;
  ColorPair pair;
  Byte elementColour;  // 0 for none
};

TCodesToRemove CodesOf(TMarkColour colour, int userColour) {
  switch (colour) {
    case TMarkColour::Red: return {"Red", {RedOn, RedOff}, static_cast<Byte>(ElementColorIndex(RedOn))};
    case TMarkColour::Blue: return {"Blue", {BlueOn, BlueOff}, static_cast<Byte>(ElementColorIndex(BlueOn))};
    case TMarkColour::Green: return {"Green", {GreenOn, GreenOff}, static_cast<Byte>(ElementColorIndex(GreenOn))};
    case TMarkColour::Strikeout: return {"Strikeout", {StrikeOutOn, StrikeOutOff}, 0};
    case TMarkColour::User: break;
  }
  return {"Selected User Color Codes", UserColourPairs[static_cast<std::size_t>(userColour - 1)], 0};
}

// The text without the pair's codes (and, with `withText`, without what
// stands from an open code to the next close code or the end).
std::string WithoutCodes(const std::string& text, const ColorPair& pair, bool withText) {
  std::string result;
  bool inside = false;
  for (char ch : text) {
    const auto b = static_cast<Byte>(ch);
    if (b == pair.on) {
      inside = withText;
      continue;
    }
    if (b == pair.off) {
      inside = false;
      continue;
    }
    if (!inside) result += ch;
  }
  return result;
}

}  // namespace

TScriptElement* NextSpeechOf(const TScriptDocument& script, const TScriptElement* after, const std::string& name) {
  for (TScriptElement* e = after ? after->next : nullptr; e; e = e->next)
    if (IsCueOf(script, *e, name)) return e;
  return nullptr;
}

TScriptElement* NextMarkedElement(const TScriptDocument& script, const TScriptElement* after) {
  for (TScriptElement* e = after ? after->next : nullptr; e; e = e->next)
    if (!IsPageBreakKind(e->Kind()) && HasMark(script, *e)) return e;
  return nullptr;
}

void RedlineSpeechesOf(TScriptDocument& script, const std::string& name) {
  const auto red = static_cast<Byte>(ElementColorIndex(RedOn));
  for (TScriptElement* e = script.FirstElement; e; e = e->next) {
    if (!IsCueOf(script, *e, name)) continue;
    e->format.SetColorIndex(red);
    for (TScriptElement* s = e->next; s && (s->Kind() == ekDialogue || s->Kind() == ekParenthetical); s = s->next)
      s->format.SetColorIndex(red);
  }
}

bool NextSpeechBy(TMDIChild& script, bool again) {
  TListMenu& menu = ListMenuInstance();
  if (!FillNames(menu)) return false;
  TSearchMemory& memory = SearchMemory();
  if (!again || memory.speechName.empty()) {
    menu.List->SetItemIndex(std::max(0, menu.List->Items.IndexOf(memory.speechName)));
    if (menu.ShowAtCaret(true) != mrOk) return false;
    const int picked = menu.List->ItemIndex();
    if (picked < 0 || picked >= menu.List->Items.Count()) return false;
    memory.speechName = menu.List->Items[picked];
  }
  memory.lastKind = skNextSpeech;
  RepeatSearch.armed = false;
  if (TScriptElement* cue = NextSpeechOf(script, script.CurrentElement(), memory.speechName)) {
    ShowElement(script, *cue, 6);
    return true;
  }
  ShowMessageBox("No more speeches by " + memory.speechName, "Search");
  return true;
}

void FindNextMarkedText(TMDIChild& script) {
  if (TScriptElement* marked = NextMarkedElement(script, script.CurrentElement())) {
    ShowElement(script, *marked, 5);
    return;
  }
  ShowMessageBox("No more Strikeout/Colored Text found!", "Search");
}

bool ConfirmUserColourRemoval() { return AskTypeYes("Remove all of a User Defined Color?", "Attention"); }

void RemoveColorCodes(TMDIChild& script, TMarkColour colour, int userColour) {
  if (colour == TMarkColour::User && (userColour < 1 || userColour > static_cast<int>(UserColourPairs.size()))) return;
  const TCodesToRemove codes = CodesOf(colour, userColour);
  if (colour != TMarkColour::User && !AskTypeYes("Remove all " + codes.name + " Codes?", "Attention")) return;
  bool withText = false;
  if (colour == TMarkColour::Strikeout) {
    const TModalResult answer = AskYesNoCancel(
        "Should I remove the actual Striked-Out Text itself or merely the strikeout Codes?\r\rSelect YES to remove "
        "the text, NO to just remove the codes.",
        "Strikeout", true);
    if (answer == mrCancel) return;
    withText = answer == mrYes;
  }
  ShowPleaseWait("Scanning Script for Codes", false, false);
  editor::SaveUndoStep(script, ukWholeScript);
  // Where the caret was, moved on should its element go.
  TScriptElement* home = script.CurrentElement();
  RegisterElementCursor(&home);
  for (TScriptElement* e = script.FirstElement; e;) {
    TScriptElement* next = e->next;
    if (codes.elementColour != 0 && TakesElementColour(e->Kind()) && e->format.ColorIndex() == codes.elementColour)
      e->format.SetColorIndex(0);
    const std::string text = LiveElementText(script, *e);
    const std::string cleaned = WithoutCodes(text, codes.pair, withText);
    if (cleaned != text) {
      editor::TakeElement(script, *e);
      const bool emptied = withText && cleaned.find_first_not_of(' ') == std::string::npos;
      if (emptied && (e->prev || e->next)) {
        editor::DeleteCurrentElement(script);
      } else {
        editor::SetEditText(script, cleaned);
        // The line where the first code went is the one marked revised.
        const auto first = std::mismatch(text.begin(), text.end(), cleaned.begin(), cleaned.end()).second;
        editor::SetCaretColumn(script, first - cleaned.begin());
        editor::RewrapCurrent(script);
        editor::MarkCaretLineRevised(script);
      }
    }
    e = next;
  }
  UnregisterElementCursor(&home);
  TScriptElement* back = withText || !home ? script.FirstElement : home;
  if (back == script.FirstElement) back->screenLine = 1;
  editor::MoveCaretTo(script, *back);
  editor::RedisplayScreen(script);
  // The changed lines are marked already: the caret's is no other.
  SetDocumentModified(true, false);
  ClosePleaseWait();
  ShowMessageBox("All " + codes.name + " Codes have been removed.", "Attention");
}

void RedlineSpeeches(TMDIChild& script) {
  TListMenu& menu = ListMenuInstance();
  if (!FillNames(menu)) return;
  const int picked = menu.ShowPicker("Select Name to Redline - Double Click Here when Done", true, false);
  if (picked <= 0 || picked > menu.List->Items.Count()) return;
  const std::string name = menu.List->Items[picked - 1];
  editor::SaveUndoStep(script, ukWholeScript);
  RedlineSpeechesOf(script, name);
  editor::RedisplayScreen(script);
  editor::SetActiveScriptModifiedUnrevised();
  ShowMessageBox("Redline has been applied to all of " + name + "'" + "s speeches!", "Attention");
}

}  // namespace qm
