#include "shell/right_panel.h"

#include <algorithm>
#include <array>
#include <string>

#include "base/document_table.h"
#include "platform/controls.h"
#include "platform/menus.h"
#include "platform/messages.h"
#include "platform/office_button.h"
#include "script/editing/block_selection.h"
#include "script/editing/document_modified.h"
#include "script/editing/element_transitions.h"
#include "script/editing/keyboard_commands.h"
#include "script/editing/scrolling.h"
#include "script/layout/screen_rebuild.h"
#include "script/script_window.h"
#include "language/act_scene_commands.h"
#include "shell/documents.h"
#include "shell/main_form.h"
#include "shell/multimedia_glyphs.h"
#include "shell/ruler.h"
#include "shell/script_popups.h"
#include "shell/status_line.h"
#include "script/editing/editor_calls.h"

namespace qm {

// How an element button starts its element at the caret of the script.
using TElementStart = void (*)(TMainForm& form, TMDIChild& script, TObject* sender);
// The command a button runs in an interactive script's multimedia set.
using TMultimediaCommand = void (TMainForm::*)(TObject* sender);

struct TElementButtonRow {
  const char* name;
  const char* caption;
  const char* hint;
  // The letter the element box takes for the button's type, in the normal
  // and in the multimedia set (0: the button changes no block).
  char letter;
  char multimediaLetter;
  TElementStart start;
  TMultimediaCommand multimedia;
};

namespace {

constexpr int PanelWidth = 26;
constexpr int ButtonSize = 22;
constexpr int PageButtonHeight = 20;
// How far the text may be shifted either way, in pixels.
constexpr int HorizRange = 400;

void StartSlot(TMDIChild& script, int slot) { StartElementOfSlot(script, slot); }

// The normal set, top to bottom; the scene pilot's button is not an
// element's.
const std::array<TElementButtonRow, 9> ElementButtons{{
    {"CharNameBtn", "C", "Character Name|CHARACTER NAME: Press the <TAB> Key anywhere in the script", 'C', 0,
     [](TMainForm&, TMDIChild&, TObject*) { StartCharacterName(VK_RETURN); },
     &TMainForm::PlayMultimediaScriptItemClick},
    {"DialogueBtn", "D", "Dialogue|DIALOGUE: Press <ENTER> while in a Character Name/Parenthetical", 'D', 0,
     [](TMainForm&, TMDIChild& s, TObject*) { StartSlot(s, fsDialogue); }, &TMainForm::DialogueBtnClick},
    {"ParentheticalBtn", "P", "Parenthetical|PARENTHETICAL: Press the LEFT PARENTHESIS <(> in Dialogue", 'P', 0,
     [](TMainForm&, TMDIChild& s, TObject*) { StartSlot(s, fsParenthetical); }, &TMainForm::InteractiveWizardItemClick},
    {"ActionBtn", "A", "Action|ACTION: Press <ENTER> or <CTRL+ENTER>", 'A', 0,
     [](TMainForm&, TMDIChild& s, TObject*) { StartSlot(s, fsAction); }, &TMainForm::BranchPointBtnClick},
    {"TransitionBtn", "T", "Transition|TRANSITION", 'T', 'T',
     [](TMainForm& f, TMDIChild&, TObject* b) { f.ScriptPopups().ShowTransitionPopup(b); }, nullptr},
    {"SceneHeadingBtn", "Sc", "Scene Heading|SCENE HEADING: Press <CTRL+S>", 'S', 'B',
     [](TMainForm&, TMDIChild&, TObject* b) { InsertSceneHeading(b); }, nullptr},
    {"ShotBtn", "Sh", "Shot|SHOT: Press <CTRL+O>", 'H', 'U',
     [](TMainForm& f, TMDIChild&, TObject* b) { f.ScriptPopups().ShowShotPopup(b); }, nullptr},
    {"ScriptNoteBtn", "N", "Script Note|SCRIPT NOTE", 'N', 'N',
     [](TMainForm&, TMDIChild& s, TObject*) { StartScriptNote(s); }, nullptr},
    {"SceneGuideBtn", "SP", "Scene Pilot", 0, 0, nullptr, nullptr},
}};

bool MultimediaSet() { return !NoActiveDocument() && ActiveScript()->InteractiveScript; }

// A page button's picture: a double arrow up or down.
TGlyphPainter PageArrowGlyph(bool up) {
  return [up](TCanvas& c, const TRect& a, TGlyphLook look) {
    const TColor ink = look == TGlyphLook::Normal ? clBlack : clBtnShadow;
    c.Brush.Color = ink;
    c.Pen.Color = ink;
    const int mid = (a.Left + a.Right) / 2;
    const int top = (a.Top + a.Bottom) / 2 - 4;
    for (int i = 0; i < 2; ++i) {
      const int y = top + i * 4;
      if (up) c.Polygon({{mid - 4, y + 4}, {mid + 4, y + 4}, {mid, y}});
      else c.Polygon({{mid - 4, y}, {mid + 4, y}, {mid, y + 4}});
    }
  };
}

TOfficeButton* MakeButton(TMainForm& form, TPanel* parent, const char* name, const std::string& caption,
                          const char* hint, int top, int height) {
  auto* b = MakeControl<TOfficeButton>(&form, parent, name, 2, top, ButtonSize, height);
  b->Caption = caption;
  b->Hint = hint;
  b->ShowHint = true;
  return b;
}

bool TakesCaret(const TScreenLine& line) { return line.element && !IsPageBreakKind(line.element->Kind()); }

void CaretToScreenLine(TMDIChild& script, const TScreenLine& line) {
  MakeElementCurrent(script, line.element);
  const Word caretLine = std::max<Word>(1, line.lineInElement);
  editor::SetCaret(script, caretLine <= 1 ? 0 : script.LineOffsets()[caretLine - 1], caretLine);
}

}  // namespace

TRightPanel::TRightPanel(TMainForm& form) : form_(form) {
  RightPanel = MakeControl<TPanel>(&form, &form, "RightPanel", form.ClientWidth() - PanelWidth, 0, PanelWidth,
                                   form.ClientHeight());
  RightPanel->Align = TAlign::alRight;
  RightPanel->ShowHint = true;
  ElementButtonPanel = MakeControl<TPanel>(&form, RightPanel, "ElementButtonPanel", 0, 0, PanelWidth,
                                           static_cast<int>(ElementButtons.size()) * ButtonSize + 4);
  ElementButtonPanel->BevelOuter = TPanelBevel::bvNone;
  MakeElementButtons();
  if (TMenuItem* item = form.MenuItem("SceneGuideItem")) item->Checked = true;
  RightScroll = MakeControl<TScrollBar>(&form, RightPanel, "RightScroll", 3, 2, PanelWidth - 6, 100);
  RightScroll->Kind = TScrollBarKind::sbVertical;
  ShowScrollHint(false);
  RightScroll->SetParams(0, 0, 1);
  RightScroll->LargeChange = 40;
  RightScroll->OnScroll = [this](TObject*, TScrollCode code, int& pos) { RightScrollScroll(code, pos); };
  PageUpBtn = MakeButton(form, RightPanel, "PageUpBtn", "PgUp", "Page Up|Moves to the top of the previous page", 0,
                         PageButtonHeight);
  PageDownBtn = MakeButton(form, RightPanel, "PageDownBtn", "PgDn", "Page Down|Moves to the top of the next page", 0,
                           PageButtonHeight);
  for (auto [button, up] : {std::pair{PageUpBtn, true}, std::pair{PageDownBtn, false}}) {
    button->Caption = std::string();
    button->Glyph = PageArrowGlyph(up);
  }
  PageUpBtn->OnClick = [this](TObject*) { PageCommand(false, TMouseButton::mbLeft, {}); };
  PageDownBtn->OnClick = [this](TObject*) { PageCommand(true, TMouseButton::mbLeft, {}); };
  // The button reports a left press only as a click; these serve the right.
  PageUpBtn->OnMouseDown = [this](TObject*, TMouseButton b, TShiftState s, int, int) {
    if (b == TMouseButton::mbRight) PageCommand(false, b, s);
  };
  PageDownBtn->OnMouseDown = [this](TObject*, TMouseButton b, TShiftState s, int, int) {
    if (b == TMouseButton::mbRight) PageCommand(true, b, s);
  };
  RightPanel->OnResize = [this](TObject*) { LayoutRightSpeedBar(); };
  LayoutRightSpeedBar();
  HorizScrollBar =
      MakeControl<TScrollBar>(&form, &form, "HorizScrollBar", 0, form.ClientHeight() - 16, form.ClientWidth(), 16);
  HorizScrollBar->Kind = TScrollBarKind::sbHorizontal;
  HorizScrollBar->Align = TAlign::alBottom;
  HorizScrollBar->SetParams(0, -HorizRange, HorizRange);
  HorizScrollBar->SmallChange = 5;
  HorizScrollBar->LargeChange = 50;
  HorizScrollBar->OnScroll = [this](TObject*, TScrollCode, int& pos) { HorizScrollBarScrolling(pos); };
  // The wheel moves the bar as its arrows and its trough do.
  WheelHooks.LineStep = [this](bool up) { RightScroll->Scroll(up ? TScrollCode::scLineUp : TScrollCode::scLineDown); };
  WheelHooks.PageStep = [this](bool up) { RightScroll->Scroll(up ? TScrollCode::scPageUp : TScrollCode::scPageDown); };
}

TRightPanel::~TRightPanel() { WheelHooks = {}; }

void TRightPanel::MakeElementButtons() {
  int top = 2;
  for (const TElementButtonRow& row : ElementButtons) {
    TOfficeButton* b = MakeButton(form_, ElementButtonPanel, row.name, row.caption, row.hint, top, ButtonSize);
    if (row.start) {
      b->OnClick = [this, &row](TObject* sender) { ElementButtonClick(row, sender); };
    } else {
      // Resting the mouse on it opens the pilot beside it.
      b->OnMouseEnter = [this](TObject* sender) { form_.SceneGuideBtnEnter(sender); };
      b->OnMouseLeave = [this](TObject* sender) { form_.SceneGuideBtnExit(sender); };
      b->OnClick = [this](TObject* sender) { form_.SceneGuideBtnEnter(sender); };
    }
    top += ButtonSize;
  }
}

void TRightPanel::ElementButtonClick(const TElementButtonRow& row, TObject* sender) {
  const bool multimedia = MultimediaSet();
  if (multimedia && row.multimedia) {
    (form_.*row.multimedia)(sender);
    return;
  }
  if (form_.ApplyElementLetterToBlock(multimedia ? row.multimediaLetter : row.letter)) return;
  TMDIChild* script = EditableActiveScript();
  if (!script) return;
  row.start(form_, *script, sender);
  FocusActiveScript();
}

void TRightPanel::LayoutRightSpeedBar() {
  const int height = RightPanel->Height;
  const int top = ElementButtonPanel->Visible ? ElementButtonPanel->Height + 1 : 2;
  if (top + 40 >= height) {
    RightScroll->Top = top;
    return;
  }
  RightScroll->Top = top;
  RightScroll->Height = height - (top + PageUpBtn->Height + PageDownBtn->Height + 6);
  PageUpBtn->Top = height - (PageUpBtn->Height + PageDownBtn->Height + 3);
  PageDownBtn->Top = PageUpBtn->Top + PageUpBtn->Height - 1;
  LayoutElementButtons();
}

void TRightPanel::ShowScrollHint(bool saved) {
  if (form_.RightScrollByScreen)
    RightScroll->Hint = saved ? "|Press <CTRL> when clicking for Random Access Scrolling"
                              : "|Press <CTRL> when clicking for Random Access scrolling";
  else
    RightScroll->Hint = saved ? "|Press <CTRL> when clicking to scroll up/down by Screen"
                              : "|Press <CTRL> when clicking to scroll up/down by a Screen";
}

void TRightPanel::FollowScript(bool open) {
  const auto ticked = [this](const char* name) {
    const TMenuItem* item = form_.MenuItem(name);
    return item && item->Checked();
  };
  const bool shown = open && ticked("RightSpeedbarItem") && !ticked("OnlyTopMenuItem");
  if (RightPanel->Visible != shown) {
    RightPanel->Visible = shown;
    if (TWinControl* parent = RightPanel->Parent()) parent->AlignControls();
    // The bar was left alone while hidden.
    if (shown) form_.StatusLineDue = 1;
  }
  LayoutRightSpeedBar();
}

// The element buttons the two sets place and caption, found by name.
struct TElementButtonSet {
  TOfficeButton *charName, *dialogue, *parenthetical, *action, *transition, *scene, *shot, *note;
};

TElementButtonSet TRightPanel::FindElementButtons() const {
  const auto button = [this](const char* name) { return dynamic_cast<TOfficeButton*>(form_.FindComponent(name)); };
  return {button("CharNameBtn"),   button("DialogueBtn"),     button("ParentheticalBtn"), button("ActionBtn"),
          button("TransitionBtn"), button("SceneHeadingBtn"), button("ShotBtn"),          button("ScriptNoteBtn")};
}

void TRightPanel::LayoutElementButtons() {
  const auto [charName, dialogue, parenthetical, action, transition, scene, shot, note] = FindElementButtons();
  const int d = dialogue->Top - charName->Top;
  const bool multimedia = MultimediaSet();
  const int set = multimedia ? 2 : (form_.ControlSIsSave ? 1 : 0);
  if (set != shownSet_) ShowButtonSet(multimedia);
  shownSet_ = set;
  scene->Top = (multimedia ? action->Top : transition->Top) + d;
  shot->Top = scene->Top + d;
  note->Top = shot->Top + d;
}

void TRightPanel::ShowButtonSet(bool multimedia) {
  const auto [charName, dialogue, parenthetical, action, transition, scene, shot, note] = FindElementButtons();
  const auto set = [](TOfficeButton* b, const std::string& caption, const char* hint) {
    b->Caption = caption;
    b->Hint = hint;
  };
  // A button shows its caption or its picture, never both.
  const auto picture = [&set](TOfficeButton* b, const char* glyph, const char* hint) {
    set(b, std::string(), hint);
    b->Glyph = MultimediaGlyph(glyph);
  };
  for (TOfficeButton* b : {charName, dialogue, parenthetical, action}) b->Glyph = nullptr;
  std::array<const char*, 3> entries{};
  if (multimedia) {
    picture(charName, "PLAY_GLYPH", "Play Script|Plays the Multimedia Script");
    picture(dialogue, "GRAPH_GLYPH", "Graph Script|Displays the Branching Linkages Graphically");
    picture(parenthetical, "USER_ACTIVITY", "Activity Wizard|Runs the Activity Wizard to Create a User Activity");
    picture(action, "LINKS_GLYPH", "Branch Point Menu|Starts/Edits a Branch Point");
    set(shot, "UA", "User Activity|Starts a New User Activity without the Wizard");
    set(scene, "BT", "Branch Target|Starts a New Branch Target");
    transition->Visible = false;
    entries = {"&Branch Target", "&User Activity", "B&ranch Point"};
  } else {
    set(charName, "C", "Character Name|CHARACTER NAME: Press the <TAB> Key anywhere in the script");
    set(dialogue, "D", "Dialogue|DIALOGUE: Press <ENTER> while in a Character Name/Parenthetical");
    set(parenthetical, "P", "Parenthetical|PARENTHETICAL: Press the LEFT PARENTHESIS <(> in Dialogue");
    set(action, "A", "Action|ACTION: Press <ENTER> or <CTRL+ENTER>");
    set(scene, "Sc", form_.ControlSIsSave ? "Scene Heading" : "Scene Heading|SCENE HEADING: Press <CTRL+S>");
    set(shot, "Sh", "Shot|SHOT: Press <CTRL+O>");
    transition->Visible = true;
    entries = {"&Scene Heading", "S&hot", "&Transition"};
  }
  // The element-type list names the three kinds the same way; with no
  // entry chosen, the type box shows the caret's type by its new name.
  if (TListBox* list = form_.ElementPopDownList) {
    const int indexes[3] = {5, 8, 10};
    for (int i = 0; i < 3; ++i)
      if (indexes[i] < list->Items.Count())
        list->Items.SetString(indexes[i], StripHotkey(entries[static_cast<std::size_t>(i)]));
    list->SetItemIndex(-1);
  }
}

void TRightPanel::SetScrollPlace(int position, int maximum) {
  if (!RightPanel->Visible) return;
  maximum = std::max(1, maximum);
  if (RightScroll->Position != position || RightScroll->Max != maximum)
    RightScroll->SetParams(std::clamp(position, 0, maximum), 0, maximum);
}

void TRightPanel::LineUpFromTop() {
  TMDIChild& script = *ActiveScript();
  RebuildScreen(&script);
  for (int row = 1; row < ScreenLineCount; ++row) {
    const TScreenLine& line = script.ScreenLines[static_cast<std::size_t>(row)];
    if (!TakesCaret(line)) continue;
    CaretToScreenLine(script, line);
    break;
  }
  Word key = VK_UP;
  HandleCommandKey(key, {}, &script);
}

void TRightPanel::LineDownFromBottom() {
  TMDIChild& script = *ActiveScript();
  RebuildScreen(&script);
  // The caret first goes to the last line wholly in the window, unless it
  // stands below it already.
  int last = 0;
  for (int row = 1; row < ScreenLineCount; ++row) {
    const TScreenLine& line = script.ScreenLines[static_cast<std::size_t>(row)];
    if (line.y + script.ScreenDescent > script.ClientHeight()) break;
    if (TakesCaret(line)) last = row;
  }
  const int caretRow = script.CurrentElement()->screenLine + script.CaretLine() - 1;
  if (last > 0 && caretRow < last) CaretToScreenLine(script, script.ScreenLines[static_cast<std::size_t>(last)]);
  Word key = VK_DOWN;
  HandleCommandKey(key, {}, &script);
}

void TRightPanel::RightScrollScroll(TScrollCode code, int& scrollPos) {
  if (NoActiveDocument()) return;
  TMDIChild& script = *ActiveScript();
  SaveUndoStep(ukNavigation, false, false, 0);
  const bool ctrl = GetKeyState(VK_CONTROL) < 0;
  switch (code) {
    case TScrollCode::scLineUp:
      LineUpFromTop();
      scrollPos = RightScroll->Position;
      break;
    case TScrollCode::scLineDown:
      LineDownFromBottom();
      scrollPos = RightScroll->Position;
      break;
    case TScrollCode::scPageUp:
    case TScrollCode::scPageDown:
      if (ctrl != form_.RightScrollByScreen) {
        if (code == TScrollCode::scPageUp) ScrollPageUp(script, ShiftKeysHeld());
        else ScrollPageDown(script, ShiftKeysHeld());
      } else {
        ScrollToScriptLine(script, scrollPos);
        RightScroll->Position = scrollPos;
      }
      break;
    case TScrollCode::scTrack:
      ScrollToScriptLine(script, scrollPos);
      RightScroll->Position = scrollPos;
      break;
    default: break;
  }
  form_.StatusLineDue = 1;
}

void TRightPanel::HorizScrollBarScrolling(int& scrollPos) {
  if (NoActiveDocument() || horizScrollBusy_) return;
  horizScrollBusy_ = true;
  TMDIChild& script = *ActiveScript();
  scrollPos = FollowHorizontalScroll(script, scrollPos, HorizScrollBar->Min, HorizScrollBar->Max);
  script.LeftTextOffset = scrollPos;
  if (form_.Ruler().RulerBar->Visible) form_.Ruler().LayoutRuler();
  RebuildScreen(&script);
  script.RedisplayScreen(true);
  UpdateCaret();
  horizScrollBusy_ = false;
}

void TRightPanel::MakePagesFirst(TMDIChild& script) const {
  const bool unpaged =
      form_.NoAutoPagination && form_.StatusLine().PagePanel->Caption().find("--") != std::string::npos;
  if (script.LayoutDue || unpaged) script.RefreshLayout();
}

void TRightPanel::PageCommand(bool down, TMouseButton button, TShiftState shift) {
  if (NoActiveDocument()) return;
  TMDIChild& script = *ActiveScript();
  if (down ? !script.CurrentElement()->next : !script.CurrentElement()->prev) return;
  const bool byPage = (button == TMouseButton::mbLeft) == form_.RightScrollByScreen;
  // A click tells no keys: Shift held down then counts as well.
  const bool extend = shift.Contains(ssShift) || GetKeyState(VK_SHIFT) < 0;
  if (extend) editor::AnchorBlockAtCaret(script);
  else if (script.BlockOn()) ClearBlockSelection(false);
  MakePagesFirst(script);
  if (!byPage) {
    Word key = down ? VK_NEXT : VK_PRIOR;
    HandleCommandKey(key, extend ? TShiftState(ssShift) : TShiftState(), &script);
  } else {
    GotoNeighbourPage(script, down);
  }
  form_.StatusLineDue = 1;
  FocusActiveScript();
}

}  // namespace qm
