// The main window's commands for moving through the script: the Goto
// menu's searches, the page and scene lists, the zoom, and the display
// items that show or hide the status line and its panels, the right
// panel, its element buttons and the ruler.
#include "base/document_table.h"
#include "base/ini_file.h"
#include "formats/select_range.h"
#include "language/bookmarks_dialog.h"
#include "language/list_builders.h"
#include "language/spelling/spell_dictionaries.h"
#include "language/spelling/spell_engine.h"
#include "platform/menus.h"
#include "script/editing/document_modified.h"
#include "script/editing/goto_commands.h"
#include "script/editing/goto_page.h"
#include "script/editing/message_pump.h"
#include "script/editing/position_texts.h"
#include "script/layout/char_widths.h"
#include "script/layout/screen_rebuild.h"
#include "script/editing/script_list_data.h"
#include "script/script_window.h"
#include "shell/display_options.h"
#include "shell/goto_page_dialog.h"
#include "shell/main_form.h"
#include "shell/program_settings.h"
#include "shell/zoom_screen_dialog.h"
#include "shell/right_panel.h"
#include "shell/ruler.h"
#include "shell/screen_colors.h"
#include "shell/status_line.h"

namespace qm {

namespace {

std::string NameOf(const TObject* sender) {
  const auto* component = dynamic_cast<const TComponent*>(sender);
  return component ? component->Name : std::string();
}

int TagOf(const TObject* sender) {
  const auto* component = dynamic_cast<const TComponent*>(sender);
  return component ? component->Tag : 0;
}

// The item's check mark turns over; true when it is now checked.
bool ToggleCheck(TObject* sender) {
  auto* item = dynamic_cast<TMenuItem*>(sender);
  if (!item) return false;
  item->Checked = !item->Checked();
  return item->Checked();
}

// The item's check mark and the control's visibility switch together.
void ToggleShown(TObject* sender, TControl* control) {
  if (!dynamic_cast<TMenuItem*>(sender)) return;
  control->Visible = ToggleCheck(sender);
  if (TWinControl* parent = control->Parent()) parent->AlignControls();
}

}  // namespace

void TMainForm::AfterGoto() {
  if (RepeatSearch.armed) {
    if (TMenuItem* again = MenuItem("SearchAgainItem")) {
      again->Caption = RepeatSearch.caption;
      again->Enabled = true;
    }
  }
  FocusActiveScript();
  StatusLine().Refresh(true);
}

void TMainForm::GoNextClick(TObject* sender) {
  if (NoActiveDocument()) return;
  TMDIChild& script = *ActiveScript();
  const int tag = TagOf(sender);
  if (script.BlockOn() && (tag == ExtendToPreviousSceneTag || tag == ExtendToNextSceneTag)) {
    SaveUndoStep(ukNavigation, false, false, 0);
    SaveLastPosition(script, false);
    ExtendBlockSelection(script, tag == ExtendToNextSceneTag, tag == ExtendToPreviousSceneTag);
    AfterGoto();
    return;
  }
  const std::string name = NameOf(sender);
  const TGotoTarget target = name == "PreviousSceneItem" || name == "AltPreviousSceneItem" ? TGotoTarget::PreviousScene
                             : name == "NextNoteItem"                                      ? TGotoTarget::ScriptNote
                             : name == "NextHiddenItem"                                    ? TGotoTarget::HiddenText
                                                                                           : TGotoTarget::NextScene;
  SearchNextMarked(script, target);
  AfterGoto();
}

void TMainForm::NextAPageitemClick(TObject* sender) {
  if (NoActiveDocument()) return;
  const bool aPage = NameOf(sender) == "NextAPageitem";
  SearchNextBreak(*ActiveScript(), aPage ? TGotoTarget::APage : TGotoTarget::ForcedBreak);
  AfterGoto();
}

void TMainForm::PagePanelClick(TObject*) {
  if (NoActiveDocument()) return;
  TMDIChild& script = *ActiveScript();
  RightPanel().MakePagesFirst(script);
  TGotoPgDlg dialog(this, script);
  TStatusTexts texts;
  if (ComputeStatusTexts(script, {}, texts)) dialog.PageEdit->Text = texts.caretPageText;
  const TModalResult result = dialog.ShowModal();
  if (result == mrOk) GotoPage(script, dialog.Page());
  else if (result == mrSceneList) GotoSceneFromList(false);
  FocusActiveScript();
  StatusLine().Refresh(true);
}

void TMainForm::GotoSceneItemClick(TObject*) {
  if (NoActiveDocument()) return;
  GotoSceneFromList(false);
  FocusActiveScript();
  StatusLine().Refresh(true);
}

void TMainForm::ZoomBtnClick(TObject* sender) {
  if (NoActiveDocument()) return;
  TMDIChild& script = *ActiveScript();
  if (sender) {
    TZoomScreenDlg dialog(this, script.ScriptFontName, script.ScriptFontSize, ZoomSize);
    const TModalResult result = dialog.ShowModal();
    ProcessMessagesGuarded();
    if (result != mrOk) {
      FocusActiveScript();
      return;
    }
    ZoomSize = static_cast<Word>(dialog.Zoom());
  }
  SaveProgramSettings();
  SetupScreenFont(script);
  MeasureScreenFont(script, script.CurrentElement());
  Ruler().RulerCharWidth = 0;
  Ruler().LayoutRuler();
  RefreshAfterChange();
}

void TMainForm::BottomSpeedItemClick(TObject* sender) { ToggleShown(sender, StatusLine().Bar()); }

void TMainForm::SceneCountItemClick(TObject* sender) {
  ToggleCheck(sender);
  StatusLine().Refresh(true);
}

void TMainForm::ActSceneInfoItemClick(TObject* sender) {
  ToggleCheck(sender);
  StatusLine().Refresh(true);
}

void TMainForm::ShowRulerItemClick(TObject* sender) {
  ToggleShown(sender, Ruler().RulerBar);
  if (!NoActiveDocument()) ActiveScript()->RulerShown = Ruler().RulerBar->Visible ? 1 : 0;
  TIniFile ini = OpenSettingsFile();
  WriteRulerShown(ini);
  Ruler().RulerCharWidth = 0;
  Ruler().LayoutRuler();
}

void TMainForm::RightSpeedbarItemClick(TObject* sender) {
  if (!dynamic_cast<TMenuItem*>(sender)) return;
  ToggleCheck(sender);
  RightPanel().FollowScript(!NoActiveDocument());
  StatusLine().Refresh(true);
}

void TMainForm::RightEButtonsItemClick(TObject* sender) {
  ToggleShown(sender, RightPanel().ElementButtonPanel);
  RightPanel().LayoutRightSpeedBar();
  MenusDue = 1;
}

}  // namespace qm

namespace qm {

void TMainForm::FollowActivatedScript() {
  MenusDue = 1;
  RightPanel().LayoutRightSpeedBar();
  // Each script keeps its own horizontal offset; a new one takes the bar's.
  if (!NoActiveDocument()) {
    TMDIChild& script = *ActiveScript();
    TScrollBar* bar = RightPanel().HorizScrollBar;
    if (script.LeftTextOffset != 0) bar->Position = script.LeftTextOffset;
    else script.LeftTextOffset = bar->Position;
    FollowScriptOptions(script);
    if (script.UsesUserColours) ApplyUserColorCode(script.TypingColorCode);
    // The words learnt go to this script's own dictionary.
    if (SpellEngineLoaded()) OpenSpellEngineForScript(RecordOf(script).SpellLanguage);
    if (TBookmarkDlg* bookmarks = BookmarkDialog()) bookmarks->UpdateData();
    UserListsChanged(script);
  }
  if (Ruler().RulerBar->Visible) {
    Ruler().RulerCharWidth = 0;
    Ruler().LayoutRuler();
  }
  StatusLine().Refresh(true);
  StatusLine().ShowAppHint();
}

void TMainForm::FollowScriptOptions(const TScriptDocument& script) {
  // A check follows the script only while its item may be used.
  const auto follow = [](TMenuItem* item, bool on) {
    if (item && item->Enabled() && item->Checked() != on) item->Checked = on;
  };
  follow(MenuItem("AutoRevMarksItem"), script.RevisionMarking != 0);
  if (TMenuItem* colours = MenuItem("AutoRevColorsItem"); colours && colours->Enabled())
    ShowRevisionColorChecks(script.AutoRevisionColor);
  follow(MenuItem("PrintNumberingItem"), script.DialogueNumbering != 0);
}

}  // namespace qm
