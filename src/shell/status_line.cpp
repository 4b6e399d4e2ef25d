#include "shell/status_line.h"

#include <algorithm>

#include "base/document_table.h"
#include "base/program_options.h"
#include "platform/controls.h"
#include "platform/menus.h"
#include "script/editing/keyboard_commands.h"
#include "script/editing/position_texts.h"
#include "script/layout/editor_state.h"
#include "script/layout/screen_rebuild.h"
#include "script/script_window.h"
#include "shell/main_form.h"
#include "shell/right_panel.h"
#include "shell/ruler.h"
#include "shell/tool_bar.h"

namespace qm {

namespace {

constexpr int BarHeight = 22;
constexpr int ElementWidth = 140;
constexpr int LineWidth = 150;
constexpr int InsertWidth = 70;
constexpr int PageWidth = 130;
constexpr int SceneWidth = 130;
constexpr int ActWidth = 170;

TPanel* MakePanel(TMainForm& form, TPanel* bar, const char* name, int left, int width) {
  auto* panel = MakeControl<TPanel>(&form, bar, name, left, 2, width, BarHeight - 4);
  panel->BevelOuter = TPanelBevel::bvLowered;
  panel->Alignment = TAlignment::taLeftJustify;
  return panel;
}

bool Checked(const TMainForm& form, const char* item, bool otherwise) {
  const TMenuItem* i = form.MenuItem(item);
  return i ? i->Checked() : otherwise;
}

}  // namespace

TStatusLine::TStatusLine(TMainForm& form) : form_(form) {
  bar_ = MakeControl<TPanel>(&form, &form, "StatusPanel", 0, form.ClientHeight() - BarHeight, form.ClientWidth(),
                             BarHeight);
  bar_->Align = TAlign::alBottom;
  CurrentElement = MakeControl<TLabel>(&form, bar_, "CurrentElement", 4, 4, ElementWidth, BarHeight - 6);
  CurrentElement->AutoSize = false;
  LinePanel = MakePanel(form, bar_, "LinePanel", ElementWidth + 6, LineWidth);
  MakeInsertPrompt(LinePanel->Left + LineWidth + 2);
  PagePanel = MakePanel(form, bar_, "PagePanel", InsertPrompt->Left + InsertWidth + 2, PageWidth);
  ScenePanel = MakePanel(form, bar_, "ScenePanel", PagePanel->Left + PageWidth + 2, SceneWidth);
  ActPanel = MakePanel(form, bar_, "ActPanel", ScenePanel->Left + SceneWidth + 2, ActWidth);
  ScenePanel->Visible = false;
  ActPanel->Visible = false;
  MakeHintLine();
  // A click on the page, scene or act panel asks for a page to go to.
  for (TPanel* panel : {PagePanel, ScenePanel, ActPanel})
    panel->OnClick = [&form](TObject* sender) { form.PagePanelClick(sender); };
  for (const char* item : {"BottomSpeedItem", "SceneCountItem", "RightSpeedbarItem", "RightEButtonsItem"})
    if (TMenuItem* i = form.MenuItem(item)) i->Checked = true;
}

// Pressed, the panel shows lowered until the button comes up again.
void TStatusLine::MakeInsertPrompt(int left) {
  InsertPrompt = MakePanel(form_, bar_, "InsertPrompt", left, InsertWidth);
  InsertPrompt->Alignment = TAlignment::taCenter;
  InsertPrompt->OnClick = [this](TObject* sender) { form_.InsertPromptClick(sender); };
  InsertPrompt->OnMouseDown = [this](TObject*, TMouseButton button, TShiftState, int, int) {
    if (button != TMouseButton::mbLeft) return;
    InsertPrompt->BevelOuter = TPanelBevel::bvLowered;
    InsertPrompt->Invalidate();
  };
  InsertPrompt->OnMouseUp = [this](TObject*, TMouseButton, TShiftState, int, int) { StyleInsertPrompt(); };
  StyleInsertPrompt();
}

void TStatusLine::ShowInsertMode() {
  const std::string caption = InsertMode ? "Insert" : "TypeOver";
  if (InsertPrompt->Caption() != caption) InsertPrompt->Caption = caption;
}

void TStatusLine::StyleInsertPrompt() {
  const bool allowed = ProgramOptions().AllowTypeover;
  InsertPrompt->Hint = allowed ? "Click Here to Toggle between INSERT and TYPEOVER Modes" : "";
  InsertPrompt->ShowHint = allowed;
  InsertPrompt->BevelOuter = allowed ? TPanelBevel::bvRaised : TPanelBevel::bvLowered;
  InsertPrompt->BorderStyle = allowed ? TBorderStyleKind::bsSingle : TBorderStyleKind::bsNone;
  ShowInsertMode();
  InsertPrompt->Invalidate();
}

void TStatusLine::MakeHintLine() {
  const int left = ActPanel->Left + ActWidth + 2;
  HintLine = MakePanel(form_, bar_, "StatusLine", left, std::max(ActWidth / 2, bar_->Width - left - 2));
  HintTimer = new TTimer(&form_);
  HintTimer->Name = "HintTimer";
  HintTimer->SetEnabled(false);
  HintTimer->SetInterval(125);
  HintTimer->OnTimer = [this](TObject*) { HintTimerTimer(); };
}

void TStatusLine::PlaceOptionalPanels() {
  ScenePanel->Left = PagePanel->Left + PagePanel->Width + 2;
  const TPanel* before = ScenePanel->Visible ? ScenePanel : PagePanel;
  ActPanel->Left = before->Left + before->Width + 2;
  // The hint line takes the rest of the bar.
  if (ActPanel->Visible) before = ActPanel;
  HintLine->Left = before->Left + before->Width + 2;
  HintLine->Width = std::max(ActWidth / 2, bar_->Width - HintLine->Left - 2);
}

// The tool bar's element box shows what the status line shows.
void TStatusLine::ShowElementType(const std::string& caption) {
  CurrentElement->Caption = caption;
  if (TBtrLabel* box = form_.ToolBar().CurrentElement()) box->Caption = caption;
}

void TStatusLine::UpdateStatusLine() {
  if (NoActiveDocument()) {
    PagePanel->Caption = std::string();
    ScenePanel->Visible = false;
    ActPanel->Visible = false;
    ShowElementType(std::string());
    LinePanel->Caption = std::string();
    ShowAppHint();
    lastElement_ = nullptr;
    lastType_ = -1;
    return;
  }
  TMDIChild& script = *ActiveScript();
  TStatusOptions options;
  options.noAutoPagination = form_.NoAutoPagination;
  options.showScenePanel = Checked(form_, "SceneCountItem", true);
  options.showActPanel = Checked(form_, "ActSceneInfoItem", false);
  options.rightPanelShown = form_.RightPanel().RightPanel->Visible;
  TStatusTexts texts;
  if (!ComputeStatusTexts(script, options, texts)) return;

  for (auto [item, on] :
       {std::pair{"KeepElementTogetherItem", texts.keepElement}, std::pair{"KeepGroupTogetherItem", texts.keepGroup},
        std::pair{"KeepWithFollowingItem", texts.keepWithFollowing}})
    if (TMenuItem* i = form_.MenuItem(item); i && i->Checked() != on) i->Checked = on;

  TListBox* list = form_.ElementPopDownList;
  const int kind = script.CurrentElement()->Kind();
  if (list && texts.elementEntry >= 0 &&
      (kind != lastType_ || texts.avColumn != lastAvColumn_ || list->ItemIndex() < 0)) {
    list->SetItemIndex(texts.elementEntry);
    std::string caption = list->Items[texts.elementEntry];
    if (texts.avColumn == 1) caption += " (L)";
    else if (texts.avColumn == 2) caption += " (R)";
    ShowElementType(caption);
    lastType_ = kind;
    lastAvColumn_ = texts.avColumn;
  }

  form_.RightPanel().SetScrollPlace(texts.scrollPosition, texts.scrollMaximum);
  if (form_.Ruler().RulerBar->Visible) form_.Ruler().PlaceMarkers();
  PagePanel->Caption = texts.page;
  ScenePanel->Caption = texts.scene;
  ScenePanel->Visible = !texts.scene.empty() && options.showScenePanel;
  ActPanel->Caption = texts.act;
  ActPanel->Visible = !texts.act.empty();
  PlaceOptionalPanels();
}

void TStatusLine::UpdatePositionDisplay(bool force) {
  if (NoActiveDocument()) return;
  TMDIChild& script = *ActiveScript();
  const bool moved =
      script.CurrentElement() != lastElement_ || script.CaretLine() != lastLine_ || script.CaretColumn() != lastColumn_;
  if (!force && !moved) return;
  LinePanel->Caption = PositionText(script);
}

bool TStatusLine::TypeBoxStale(const TScriptElement* e) const {
  const TListBox* list = form_.ElementPopDownList;
  return e && list && (e->Kind() != lastType_ || e->avColumn != lastAvColumn_ || list->ItemIndex() < 0);
}

void TStatusLine::Refresh(bool force) {
  ShowInsertMode();
  if (NoActiveDocument()) {
    if (lastElement_ || force) UpdateStatusLine();
    return;
  }
  const TMDIChild& script = *ActiveScript();
  const TScriptElement* e = script.CurrentElement();
  // A keystroke that keeps the caret on its line only moves the position;
  // the page, scene and scroll bar need the walk over the script.
  const bool moved = e != lastElement_ || script.CaretLine() != lastLine_ || (e && e->lineCount != lastLineCount_);
  const bool stale = !force && !moved && TypeBoxStale(e);
  if (!force && !moved && !stale && script.CaretColumn() == lastColumn_) return;
  if (force || moved || stale) UpdateStatusLine();
  UpdatePositionDisplay(true);
  lastElement_ = e;
  lastLine_ = script.CaretLine();
  lastColumn_ = script.CaretColumn();
  lastLineCount_ = e ? e->lineCount : -1;
}

}  // namespace qm

namespace qm {

// The Insert key's command, and the panel follows at once.
void TMainForm::InsertPromptClick(TObject*) {
  if (NoActiveDocument()) return;
  Word key = VK_INSERT;
  HandleCommandKey(key, {}, ActiveScript());
  StatusLine().ShowInsertMode();
  FocusActiveScript();
}

void TMainForm::SetEditCommandsEnabled(bool blockExists) {
  MenusDue = 1;
  const std::pair<const char*, const char*> keys[] = {{"UppercaseItem", "F12"}, {"LowercaseItem", "Shift+F12"}};
  for (const auto& [name, key] : keys) {
    TMenuItem* item = MenuItem(name);
    const TShortCut wanted = blockExists ? TextToShortCut(key) : 0;
    if (item && item->ShortCut() != wanted) item->ShortCut = wanted;
  }
}

}  // namespace qm
