// The menus follow the active script: what may be used with no script, a
// read-only one, a marked block, a locked or an interactive script.
#include <algorithm>
#include <optional>

#include "files/undo_ring.h"
#include "language/search_replace.h"
#include "script/editing/goto_commands.h"
#include "formats/revision_levels.h"
#include "base/ini_file.h"
#include "platform/clipboard.h"
#include "platform/files.h"
#include "script/editing/document_modified.h"
#include "script/script_window.h"
#include "shell/documents.h"
#include "shell/main_form.h"
#include "shell/right_panel.h"
#include "files/clipboard_paste.h"
#include "shell/startup_setup.h"
#include "shell/tool_bar.h"
#include "platform/office_button.h"

namespace qm {

namespace {

// What the rules are judged on, taken once per refresh.
struct TScriptState {
  bool open = false;
  bool editable = false;
  bool block = false;
  bool pagesLocked = false;
  bool scenesLocked = false;
  bool pagesMultiLocked = false;
  bool scenesMultiLocked = false;
  bool headersLocked = false;
  bool interactive = false;
  // Linked to storyboard frames (entries beside the "no frame" one), and
  // whether the script hides the links' marks.
  bool storyboardLinks = false;
  bool linksHidden = false;
  // A locked revision-mark level that can be taken away.
  bool revisionLevels = false;
  // Search Again has something to repeat.
  bool searched = false;
  // Another program may change the clipboard while nothing in the script
  // changes: judged on every pass, so that Paste never stays refused.
  bool pasteable = false;
  Byte numbering = 0;
  // What the script's own check marks show.
  bool showCodes = false;
  Byte keepElement = 0;
  Byte keepGroup = 0;
  std::uint32_t hiddenKinds = 0;
};

TScriptState StateOfActiveScript() {
  TScriptState state;
  TMDIChild* script = ScriptForCommand();
  if (!script) return state;
  state.open = true;
  state.searched = RepeatSearch.armed || SearchMemory().lastKind != skNone;
  state.editable = script->Editable != 0;
  state.block = script->BlockOn() != 0;
  state.pagesLocked = script->PagesLocked != 0;
  state.scenesLocked = script->ScenesLocked != 0;
  state.pagesMultiLocked = script->PagesMultiLocked != 0;
  state.scenesMultiLocked = script->ScenesMultiLocked != 0;
  state.headersLocked = script->HeaderTextLocked != 0 && state.pagesLocked;
  state.interactive = script->InteractiveScript != 0;
  state.storyboardLinks = script->StoryboardLinks.Count() > 1;
  state.linksHidden = script->HideStoryboardLinks != 0;
  // An empty script's level is not looked for: a script opened into its
  // window finds its own from its text.
  state.revisionLevels = !IsDocumentEmpty(ActiveDocument) && LockingLevel(*script) > 0;
  state.pasteable = ClipboardHasPasteableData();
  state.numbering = script->DialogueNumberingLock ? 2 : (script->DialogueNumbering ? 1 : 0);
  state.showCodes = script->LayoutOptions.ShowCodes != 0;
  state.hiddenKinds = script->HiddenKinds;
  if (const TScriptElement* e = script->CurrentElement()) {
    state.keepElement = e->state;
    state.keepGroup = e->group && e->group->first ? e->group->first->state : Byte{esNormal};
  }
  return state;
}

// Everything the rules and the check marks read.
TMenuSignature Signature(const TScriptState& s) {
  const bool canUndo = s.open && UndoObject && UndoObject->UndoIsAvailable();
  const bool canRedo = s.open && UndoObject && UndoObject->RedoIsAvailable();
  std::uint64_t bits = 0;
  for (bool flag : {s.open, s.editable, s.block, s.pagesLocked, s.scenesLocked, s.headersLocked, s.interactive, canUndo,
                    canRedo, s.showCodes, s.pasteable, s.storyboardLinks, s.linksHidden, s.revisionLevels,
                    s.pagesMultiLocked, s.scenesMultiLocked, s.searched})
    bits = (bits << 1) | (flag ? 1u : 0u);
  const unsigned states = (unsigned{s.keepElement} & 7) << 3 | (unsigned{s.keepGroup} & 7);
  // The flags, 6 bits of states, 2 of numbering, 4 each of the slots.
  const std::uint64_t low =
      (bits << 16) | (states << 10) | (unsigned{s.numbering} << 8) | (unsigned{ActiveDocument} << 4) | DocumentCount;
  return {low, s.hiddenKinds};
}

// The rules that show or hide their items rather than enable them.
std::optional<bool> ShownBy(TMenuRule rule, const TScriptState& s) {
  switch (rule) {
    case TMenuRule::Interactive: return s.interactive;
    case TMenuRule::StoryboardLinks: return s.storyboardLinks;
    default: return std::nullopt;
  }
}

}  // namespace

// Each recent script as "&1 " and its name (at most 53 characters), its
// full path (at most 100) as the hint; shown while its entry is there.
void TMainForm::ShowLastThree() {
  for (int i = 0; i < LastScriptCount; ++i) {
    TMenuItem* item = MenuItem("LastScript" + std::to_string(i + 1) + "Item");
    const TLastScript& entry = LastScriptsBuffer[static_cast<std::size_t>(i)];
    item->Visible = !entry.Empty();
    if (entry.Empty()) {
      item->Caption = "";
      item->Hint = "";
      continue;
    }
    item->Caption = "&" + std::to_string(i + 1) + " " + PathToText(entry.Name).substr(0, 53);
    item->Hint = PathToText(entry.FullName()).substr(0, 100);
  }
}

void TMainForm::ShowStoryboardLinksTicks(bool hidden) {
  for (const char* name : {"HideSBLinksItem", "AltHideSBLinksItem", "HideLinkBracketsItem"})
    MenuItem(name)->Checked = hidden;
}

bool TMainForm::MenuStateChanged() const { return Signature(StateOfActiveScript()) != menuSignature_; }

void TMainForm::UpdateMenusAndButtons() {
  const TScriptState s = StateOfActiveScript();
  menuSignature_ = Signature(s);
  const bool onlyTopMenu = MenuItem("OnlyTopMenuItem")->Checked;
  const auto satisfied = [&](TMenuRule rule, const TMenuItem& item) {
    switch (rule) {
      case TMenuRule::AsMenu:
      case TMenuRule::Always: return true;
      case TMenuRule::Interactive: return s.interactive;
      case TMenuRule::StoryboardLinks: return s.storyboardLinks;
      case TMenuRule::RevisionLevels: return s.open && s.revisionLevels;
      case TMenuRule::Open: return s.open;
      case TMenuRule::Editable: return s.open && s.editable;
      case TMenuRule::Block: return s.block;
      case TMenuRule::NoBlock: return s.open && s.editable && !s.block;
      case TMenuRule::Paste: return s.open && s.pasteable;
      case TMenuRule::Undo: return s.open && item.Visible && UndoObject && UndoObject->UndoIsAvailable();
      case TMenuRule::Redo: return s.open && item.Visible && UndoObject && UndoObject->RedoIsAvailable();
      case TMenuRule::PagesLocked: return s.pagesLocked;
      case TMenuRule::ScenesLocked: return s.scenesLocked;
      case TMenuRule::PagesPausable: return s.pagesLocked || item.Checked;
      case TMenuRule::ScenesPausable: return s.scenesLocked || item.Checked;
      case TMenuRule::LockScript: return s.open && !(s.pagesLocked && s.scenesLocked);
      case TMenuRule::UnlockScript: return s.open && (s.pagesLocked || s.scenesLocked);
      case TMenuRule::NumberingNotLocked: return s.numbering != 2;
      case TMenuRule::NumberingOn: return s.numbering != 0;
      case TMenuRule::HeadersLocked: return s.headersLocked;
      case TMenuRule::TextMode: return s.open && AllowTextMode;
      case TMenuRule::SpeedBars: return !onlyTopMenu;
      case TMenuRule::SearchAgain: return s.open && s.searched;
      case TMenuRule::ElementButtons: return !onlyTopMenu && MenuItem("RightEButtonsItem")->Checked;
    }
    return true;
  };
  // An item is usable when its own rule and every rule above it hold; the
  // top-level menus themselves stay open to look into.
  std::vector<TMenuRule> chain(6, TMenuRule::AsMenu);
  for (const TMenuBinding& binding : menuBindings_) {
    const TMenuRow& row = *binding.row;
    TMenuItem& item = *binding.item;
    chain[row.depth] = row.rule;
    if (const std::optional<bool> shown = ShownBy(row.rule, s)) item.Visible = *shown;
    if (row.depth == 1 || row.IsLine()) continue;
    bool usable = row.waitsFor == Built;
    for (int depth = 1; depth <= row.depth && usable; ++depth) usable = satisfied(chain[depth], item);
    const bool managed = std::any_of(chain.begin() + 1, chain.begin() + row.depth + 1,
                                     [](TMenuRule rule) { return rule != TMenuRule::AsMenu; });
    if (managed || row.waitsFor != Built) item.Enabled = usable;
    // A pause stays ticked only while it can be taken back.
    const bool pause = row.rule == TMenuRule::PagesPausable || row.rule == TMenuRule::ScenesPausable;
    if (pause && !usable) item.Checked = false;
  }
  // An interactive script's scenes are its branch targets.
  MenuItem("ScenePilotItem")->Caption = s.interactive ? "&Branch Targets" : "&Scene";
  // Counting changes nothing, so it needs only an open script, whatever
  // the Spell menu's own rule.
  MenuItem("CountWordsItem")->Enabled = s.open;
  ShowScriptChecks();
  ShowStoryboardLinksTicks(s.linksHidden);
  MenuItem("MultiLockScenesItem")->Checked = s.scenesMultiLocked;
  MenuItem("MultiLockPagesItem")->Checked = s.pagesMultiLocked;
  ShowLastThree();
  MenuItem("LastThreeBar")->Visible = MenuItem("LastScript1Item")->Visible;
  for (int slot = 1; slot <= 9; ++slot) DocItems[slot - 1]->Enabled = s.open;
  toolBar_->UpdateButtons();
  toolBar_->Button("ExitBtn")->Hint =
      s.open ? "Close Script|Quick Key: <CTRL+F4>" : "Exit Quillmaster|Quick Key: <ALT+F4>";
  // The panel and its buttons follow the script: the multimedia set for an
  // interactive one.
  RightPanel().FollowScript(s.open);
  ShowStartupFileChoice();
}

void TMainForm::SetupMenuCaptions() {
  for (const TMenuBinding& binding : menuBindings_) {
    const TMenuRow& row = *binding.row;
    if (row.depth == 1 && !row.hidden) binding.item->Caption = UseAltKeys ? StripHotkey(row.caption) : row.caption;
  }
  for (int i = 0; i < AltKeysMenu->Count(); ++i) AltKeysMenu->Items(i)->Enabled = UseAltKeys;
}

}  // namespace qm
