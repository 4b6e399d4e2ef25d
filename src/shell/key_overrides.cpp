#include "shell/key_overrides.h"

#include <string>

#include "base/document_table.h"
#include "base/program_options.h"
#include "platform/menus.h"
#include "script/script_window.h"
#include "shell/main_form.h"

namespace qm {

namespace {

constexpr const char* Separator = " * * * * * * * * * * * * *";

bool IsUserKey(const TMenuItem& item) { return item.Tag == AltUserKeyTag || item.Tag == CtrlUserKeyTag; }

// The slot of the key override table an item stands for, or -1.
int SlotOf(const TMenuItem& item) {
  const std::string& caption = item.Caption();
  if (!IsUserKey(item) || caption.empty() || caption[0] < 'A' || caption[0] > 'Z') return -1;
  return caption[0] - 'A' + (item.Tag == CtrlUserKeyTag ? 26 : 0);
}

void ApplyBelow(TMenuItem& parent, const TProgramOptions& options) {
  for (int i = 0; i < parent.Count(); ++i) {
    TMenuItem& item = *parent.Items(i);
    ApplyBelow(item, options);
    const int slot = SlotOf(item);
    if (slot < 0) continue;
    const Word chosen = options.KeyOverrideTable[static_cast<std::size_t>(slot)];
    const auto& actions = KeyOverrideActions();
    const TKeyOverrideAction* action = std::size_t{chosen} < actions.size() ? &actions[chosen] : nullptr;
    if (!action || (action->Key == 0 && !action->Component)) {
      item.ShortCut = TShortCut{0};
      item.HelpContext = 0;
      item.Hint.clear();
      continue;
    }
    item.ShortCut = ShortCut(static_cast<Word>(item.Caption()[0]), slot < 26 ? ssAlt : ssCtrl);
    item.HelpContext = action->Key;
    item.Hint = action->Component ? action->Component : action->Modifier;
  }
}

// A usable menu item with this short cut other than the user keys, which
// would only send the key round again.
TMenuItem* CommandWithShortCut(TMenuItem& parent, TShortCut shortCut) {
  for (int i = 0; i < parent.Count(); ++i) {
    TMenuItem& item = *parent.Items(i);
    if (IsUserKey(item)) continue;
    if (item.ShortCut() == shortCut && item.EnabledInChain()) return &item;
    if (TMenuItem* deeper = CommandWithShortCut(item, shortCut)) return deeper;
  }
  return nullptr;
}

// The key as if typed: a menu command that has it, else the script.
bool SendOverrideKey(Word key, const std::string& modifier) {
  const TShiftState shift = modifier == "C"   ? TShiftState(ssCtrl)
                            : modifier == "S" ? TShiftState(ssShift)
                                              : TShiftState();
  if (TMenuItem* command = CommandWithShortCut(*MainForm->MainMenu->Items(), ShortCut(key, shift))) {
    command->Click();
    return true;
  }
  TMDIChild* script = ActiveScript();
  if (!script) return false;
  script->FormKeyDown(script, key, shift);
  return true;
}

bool ClickComponent(const std::string& name) {
  if (TMenuItem* item = MainForm->MenuItem(name)) {
    if (!item->EnabledInChain()) return false;
    item->Click();
    return true;
  }
  auto* control = dynamic_cast<TControl*>(MainForm->FindDescendant(name));
  if (!control || !control->Enabled()) return false;
  control->Click();
  return true;
}

}  // namespace

const std::vector<TKeyOverrideAction>& KeyOverrideActions() {
  static const std::vector<TKeyOverrideAction> actions{
      {"<No Override>", 0, "", nullptr},
      {"Action", VK_RETURN, "C", nullptr},
      {"Character Name", VK_TAB, "", nullptr},
      {"Dialogue", 0, "", "DialogueBtn"},
      {"Parenthetical", 0, "", "ParentheticalBtn"},
      {"Scene Heading", 'S', "C", nullptr},
      {"Script Note", VK_F1, "C", nullptr},
      {"Shot", 'H', "C", nullptr},
      {"Title (Centered)", VK_F6, "S", nullptr},
      {"Transition", 'T', "C", nullptr},
      {Separator, 0, "", nullptr},
      {"Forced Page Break", VK_RETURN, "S", nullptr},
      {Separator, 0, "", nullptr},
      {"Bold", 'B', "C", nullptr},
      {"Italics", 'Y', "C", nullptr},
      {"Strikeout", 0, "", "StrikeOutBtn"},
      {"Underline", 'U', "C", nullptr},
      {Separator, 0, "", nullptr},
      {"Cut Block", 0, "", "CutBtn"},
      {"Copy Block", 0, "", "CopyBtn"},
      {"Delete Block", 0, "", "DeleteBtn"},
      {"Paste Block", 0, "", "PasteBtn"},
      {Separator, 0, "", nullptr},
      {"Delete ", VK_DELETE, "", nullptr},
      {"Backspace", VK_BACK, "", nullptr},
      {"Delete Right Word", 0, "", "DeleteWordItem"},
      {"Delete Left Word", 0, "", "DeleteLeftWordItem"},
      {"Delete To End of Line", 0, "", "DeleteToEolItem"},
      {"Cut to End of Line", 0, "", "CutToEolItem"},
      {Separator, 0, "", nullptr},
      {"Left", VK_LEFT, "", nullptr},
      {"Right", VK_RIGHT, "", nullptr},
      {"Up", VK_UP, "", nullptr},
      {"Down", VK_DOWN, "", nullptr},
      {Separator, 0, "", nullptr},
      {"Word Left", VK_LEFT, "C", nullptr},
      {"Word Right", VK_RIGHT, "C", nullptr},
      {"Start of Line", VK_HOME, "", nullptr},
      {"End of Line", VK_END, "", nullptr},
      {Separator, 0, "", nullptr},
      {"Screen Up", VK_PRIOR, "", nullptr},
      {"Screen Down", VK_NEXT, "", nullptr},
      {"Page Up", VK_PRIOR, "C", nullptr},
      {"Page Down", VK_NEXT, "C", nullptr},
  };
  return actions;
}

void ApplyKeyOverrides() {
  if (MainForm == nullptr || MainForm->MainMenu == nullptr) return;
  ApplyBelow(*MainForm->MainMenu->Items(), ProgramOptions());
}

bool RunUserDefinedKey(const TMenuItem& item) {
  if (MainForm == nullptr || MainForm->MainMenu == nullptr) return false;
  if (item.HelpContext != 0) return SendOverrideKey(static_cast<Word>(item.HelpContext), item.Hint);
  return !item.Hint.empty() && ClickComponent(item.Hint);
}

void TMainForm::UserDefKeyClick(TObject* sender) {
  if (const auto* item = dynamic_cast<const TMenuItem*>(sender)) RunUserDefinedKey(*item);
}

}  // namespace qm
