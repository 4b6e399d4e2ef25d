#include "shell/tool_bar.h"

#include <algorithm>
#include <map>

#include "base/document_table.h"
#include "base/ini_file.h"
#include "base/program_identity.h"
#include "platform/controls.h"
#include "platform/forms.h"
#include "platform/office_button.h"
#include "platform/cp1252.h"
#include "shell/program_start.h"
#include "script/editing/editor_calls.h"
#include "script/editing/inline_styles.h"
#include "script/model/string_utils.h"
#include "script/script_window.h"
#include "shell/main_form.h"

namespace qm {

namespace {

// How a button's picture is drawn: a few shapes, else a short text.
enum class TShape { Text, Page, Folder, Disk, Printer, ArrowDown, ArrowUp, Swatch };

struct TToolButtonRow {
  const char* name;
  const char* hint;
  const char* command;  // the menu item it follows and clicks; "" for its own handler
  TShape shape;
  const char* text;
  TColor color;
  int gapBefore;  // pixels between it and the button before it
};

constexpr TColor Ink = clBlack;

// The designed bar, left to right.
const TToolButtonRow kButtons[] = {
    {"FileNewBtn", "New Script", "FileNewItem", TShape::Page, "", Ink, 0},
    {"OpenBtn", "Open|Quick Key: <SHIFT+F10>", "FileOpenItem", TShape::Folder, "", Ink, 0},
    {"SaveBtn", "Save|Quick Key:<F7>", "FileSaveItem", TShape::Disk, "", Ink, 0},
    {"SaveAsBtn", "Save As|Quick Key: <F10>", "FileSaveAsItem", TShape::Disk, "A", Ink, 0},
    {"PrintBtn", "Print|Quick Key: <CTRL+P>", "PrintItem", TShape::Printer, "", Ink, 6},
    {"PreviewBtn", "Print Preview", "PrintPreviewItem", TShape::Text, "Pv", Ink, 0},
    {"PageLayoutBtn", "Page Layout", "PageLayoutItem", TShape::Text, "PL", Ink, 0},
    {"TitlePubBtn", "Title Page Publisher", "TitlePagePublishItem", TShape::Text, "TP", Ink, 0},
    {"CutBtn", "Cut|Quick Key: <SHIFT+DEL>", "CutItem", TShape::Text, "X", Ink, 6},
    {"CopyBtn", "Copy|Quick Key: <CTRL+INS>", "CopyItem", TShape::Text, "C", Ink, 0},
    {"PasteBtn", "Paste|Quick Key: <SHIFT+INS>", "PasteItem", TShape::Text, "P", Ink, 0},
    {"DeleteBtn", "Delete", "DeleteItem", TShape::Text, "D", clMaroon, 0},
    {"UndoBtn", "Undo|Quick Key: <ALT+BKSP>", "UndoItem", TShape::Text, "<-", Ink, 0},
    {"NormalBtn", "Normal", "", TShape::Text, "N", Ink, 6},
    {"BoldBtn", "Bold|Quick Key: <F6>", "", TShape::Text, "B", Ink, 0},
    {"UnderlineBtn", "Underline|Quick Key: <F8>", "", TShape::Text, "U", Ink, 0},
    {"ItalicsBtn", "Italics|Quick Key: <F9>", "", TShape::Text, "I", Ink, 0},
    {"StrikeOutBtn", "StrikeOut|Quick Key: <F11>", "", TShape::Text, "S", Ink, 0},
    {"BlackBtn", "Black Text", "BlackTextItem", TShape::Text, "A", clBlack, 6},
    {"BlueBtn", "Blue Text", "BlueTextItem", TShape::Text, "A", clBlue, 0},
    {"RedBtn", "Red Text", "RedTextItem", TShape::Text, "A", clRed, 0},
    {"GreenBtn", "Green Text", "GreenTextItem", TShape::Text, "A", clGreen, 0},
    {"UserColorBtn", "User Defined Color", "UserTextColorItem", TShape::Text, "A", clPurple, 0},
    {"UppercaseBtn", "Uppercase", "UppercaseItem", TShape::Text, "UC", Ink, 6},
    {"LowercaseBtn", "Lowercase Word", "LowercaseWordItem", TShape::Text, "LC", Ink, 0},
    {"InitialCapsBtn", "Initial Capitals", "InitialCapsItem", TShape::Text, "IC", Ink, 0},
    {"CapBtn", "Capitalize Word", "CapitalizeWordItem", TShape::Text, "AA", Ink, 0},
    {"CapAndBoldBtn", "Cap & Bold Word", "CapBoldWordItem", TShape::Text, "BB", Ink, 0},
    {"LeftColumnBtn", "Left Column", "LeftColumnItem", TShape::Text, "[|", Ink, 6},
    {"NormalColumnBtn", "Normal (Full Width)", "FullWidthItem", TShape::Text, "[]", Ink, 0},
    {"RightColumnBtn", "Right Column", "RightColumnItem", TShape::Text, "|]", Ink, 0},
    {"SearchBtn", "Search|Quick Key: <F2>", "SearchItem", TShape::Text, "?", Ink, 6},
    {"SearchReplaceBtn", "Search & Replace|Quick Key: <ALT+F2>", "SearchandReplaceItem", TShape::Text, "?R", Ink, 0},
    {"SearchAgainBtn", "Search Again|Quick Key: <SHIFT+F2>", "SearchAgainItem", TShape::Text, "?+", Ink, 0},
    {"BookmarkBtn", "Bookmark", "BookmarkItem", TShape::Text, "Bm", Ink, 0},
    {"SpellCheckBtn", "Spell Check", "SpellForwardsItem", TShape::Text, "abc", Ink, 6},
    {"PauseSpellBtn", "Pause Auto-Correction|Pauses the Real-Time Spell Checking and Auto-Typo Correction",
     "PauseAutocorrectionItem", TShape::Text, "||", Ink, 0},
    {"ThesaurusBtn", "Thesaurus|Calls up a list of Synonyms for the Current Word", "ThesaurusItem", TShape::Text, "Th",
     Ink, 0},
    {"WordWebBtn", "WordWeb|Quick Key: <F5>", "WordWebItem", TShape::Text, "W", Ink, 0},
    {"ZoomBtn", "Zoom Screen Text", "ZoomItem", TShape::Text, "Z", Ink, 6},
    {"ShowRulerBtn", "Show Ruler", "ShowRulerItem", TShape::Text, "R", Ink, 0},
    {"IndexCardBtn", "Index Card View|Quick Key: <CTRL+V>", "IndexCardItem", TShape::Text, "IC", clNavy, 0},
    {"CheatBtn", "Cheat Element|Quick Key: <F3>", "ThisElement1", TShape::Text, "Ch", Ink, 0},
    {"AltScriptNoteBtn", "Script Note", "", TShape::Text, "Nt", clOlive, 0},
    {"HelpIndexBtn", "Help|Quick Key: <F1>", "Contents1", TShape::Text, "?", clNavy, 6},
    {"ExitBtn", "Exit Quillmaster|Quick Key: <ALT+F4>", "", TShape::Text, "Ex", clMaroon, 0},
    {"ExitQMWBtn", "Exit Quillmaster", "ExitQuillmasterItem", TShape::Text, "Q", clMaroon, 0},
    {"TwoRowsBtn", "One or Two Rows", "", TShape::Text, "v", Ink, 6},
};

// The small buttons of the four-colour panel, top left, top right, bottom
// left, bottom right, and the colour command each runs.
struct TSmallColorRow {
  const char* name;
  const char* hint;
  const char* command;
  TColor color;
};

const TSmallColorRow kSmallColors[] = {
    {"SmallBlackBtn", "Black Text", "BlackTextItem", clBlack},
    {"SmallBlueBtn", "Blue Text", "BlueTextItem", clBlue},
    {"SmallRedBtn", "Red Text", "RedTextItem", clRed},
    {"SmallGreenBtn", "Green Text", "GreenTextItem", clGreen},
};

// Buttons the designed bar leaves out to fit a screen; the set-up
// program can show each of them.
bool HiddenByDesign(const std::string& name) {
  static const char* const hidden[] = {"BlackBtn",       "BlueBtn",       "RedBtn",        "GreenBtn",
                                       "ExitQMWBtn",     "UppercaseBtn",  "LowercaseBtn",  "InitialCapsBtn",
                                       "CapBtn",         "CapAndBoldBtn", "LeftColumnBtn", "NormalColumnBtn",
                                       "RightColumnBtn", "WordWebBtn",    "PauseSpellBtn"};
  for (const char* h : hidden)
    if (name == h) return true;
  return false;
}

constexpr int DesignedSide = 24;
constexpr int DesignedBoxWidth = 110;
constexpr int DesignedBoxHeight = 20;
constexpr int ElementButtonWidth = 16;

// Buttons usable with no script open.
bool UsableWithoutScript(const std::string& name) { return name == "ExitBtn" || name == "TwoRowsBtn"; }

TColor LookColor(TGlyphLook look, TColor color) { return look == TGlyphLook::Grey ? clBtnShadow : color; }

void PaintShape(TCanvas& c, const TRect& a, TShape shape, TColor color) {
  const int cx = (a.Left + a.Right) / 2, cy = (a.Top + a.Bottom) / 2;
  c.Pen.Color = color;
  c.Brush.Style = TBrushStyle::bsClear;
  switch (shape) {
    case TShape::Page:
      c.Polyline(
          {{cx - 5, cy - 7}, {cx + 2, cy - 7}, {cx + 5, cy - 4}, {cx + 5, cy + 7}, {cx - 5, cy + 7}, {cx - 5, cy - 7}});
      break;
    case TShape::Folder:
      // clang-format off
      c.Polyline({{cx - 7, cy + 5}, {cx - 7, cy - 5}, {cx - 2, cy - 5}, {cx, cy - 3}, {cx + 7, cy - 3},
                  {cx + 7, cy + 5}, {cx - 7, cy + 5}});
      // clang-format on
      break;
    case TShape::Disk:
      c.Rectangle(cx - 6, cy - 6, cx + 7, cy + 7);
      c.Rectangle(cx - 3, cy - 6, cx + 4, cy - 1);
      break;
    case TShape::Printer:
      c.Rectangle(cx - 7, cy - 2, cx + 8, cy + 5);
      c.Rectangle(cx - 4, cy - 7, cx + 5, cy - 2);
      break;
    case TShape::ArrowDown:
    case TShape::ArrowUp: {
      // A filled triangle of rows 7, 5, 3 and 1 pixels.
      const bool down = shape == TShape::ArrowDown;
      for (int row = 0; row < 4; ++row) {
        const int y = down ? cy - 2 + row : cy + 1 - row;
        c.MoveTo(cx - 3 + row, y);
        c.LineTo(cx + 4 - row, y);
      }
      break;
    }
    case TShape::Swatch:
      c.Brush.Style = TBrushStyle::bsSolid;
      c.Brush.Color = color;
      c.FillRect(TRect{a.Left + 1, a.Top + 1, a.Right - 1, a.Bottom - 1});
      break;
    case TShape::Text: break;
  }
}

void PaintText(TCanvas& c, const TRect& a, const std::string& text, TColor color, const std::string& name) {
  if (text.empty()) return;
  c.Brush.Style = TBrushStyle::bsClear;
  c.Font.Name = "Arial";
  c.Font.Size = text.size() > 2 ? 7 : 9;
  c.Font.Style = fsBold;
  if (name == "ItalicsBtn") c.Font.Style = fsItalic | fsBold;
  if (name == "UnderlineBtn") c.Font.Style = fsUnderline | fsBold;
  if (name == "StrikeOutBtn") c.Font.Style = fsStrikeOut | fsBold;
  c.Font.Color = color;
  const TextMetrics m = c.FontMetricsNow();
  c.TextOut((a.Left + a.Right - c.TextWidth(text)) / 2, (a.Top + a.Bottom - m.Height()) / 2, text);
}

TGlyphPainter GlyphOf(const TToolButtonRow& row) {
  return [row](TCanvas& c, const TRect& a, TGlyphLook look) {
    const std::string name = row.name;
    if (look == TGlyphLook::Embossed) {
      const TRect shifted{a.Left + 1, a.Top + 1, a.Right + 1, a.Bottom + 1};
      PaintShape(c, shifted, row.shape, clBtnHighlight);
      PaintText(c, shifted, row.text, clBtnHighlight, name);
      PaintShape(c, a, row.shape, clBtnShadow);
      PaintText(c, a, row.text, clBtnShadow, name);
      return;
    }
    PaintShape(c, a, row.shape, LookColor(look, row.color));
    PaintText(c, a, row.text, LookColor(look, row.color), name);
  };
}

const TToolButtonRow* RowOf(const std::string& name) {
  for (const TToolButtonRow& row : kButtons)
    if (name == row.name) return &row;
  return nullptr;
}

const TSmallColorRow* SmallRowOf(const std::string& name) {
  for (const TSmallColorRow& row : kSmallColors)
    if (name == row.name) return &row;
  return nullptr;
}

// Icon widths by the set-up program's icon size.
// A hand-edited icon width or column beyond these would size the buttons
// past the screen, or past int.
constexpr int MinIconWidth = 8;
constexpr int MaxIconWidth = 64;
constexpr int MaxIconCount = 256;

int DefaultIconWidth(int size) { return size >= 1 && size <= 3 ? 23 + size : 27; }

std::string Padded(int value) {
  std::string text = std::to_string(std::max(value, 0));
  return std::string(text.size() < 4 ? 4 - text.size() : 0, '0') + text;
}

}  // namespace

TToolBar::TToolBar(TMainForm& form) : form_(form) {
  panel_ = MakeControl<TPanel>(&form, &form, "TopSpeedPanel", 0, 0, form.ClientWidth(), 30);
  panel_->Align = TAlign::alTop;
  topBevel_ = MakeControl<TBevel>(&form, panel_, "TopBevel", 0, 0, form.ClientWidth(), 2);
  topBevel_->Shape = TBevelShape::bsTopLine;
  topBevel_->Visible = false;
  MakeButtons();
  MakeElementBox();
  MakeFourColorPanel();
  horizScrollBar_ = MakeControl<TScrollBar>(&form, panel_, "HorizScrollBar", 0, 7, 100, 16);
  DesignedLayout();
  ApplyRows(false);
}

TOfficeButton* TToolBar::Button(const std::string& name) const {
  for (TOfficeButton* b : buttons_)
    if (b->Name == name) return b;
  return nullptr;
}

TOfficeButton* TToolBar::SmallButton(const std::string& name) const {
  for (TOfficeButton* b : smallButtons_)
    if (b->Name == name) return b;
  return nullptr;
}

void TToolBar::MakeButtons() {
  for (const TToolButtonRow& row : kButtons) {
    auto* b = MakeControl<TOfficeButton>(&form_, panel_, row.name, 0, 3, DesignedSide, DesignedSide);
    b->Hint = row.hint;
    b->ShowHint = true;
    b->Glyph = GlyphOf(row);
    const std::string command = row.command;
    if (!command.empty()) {
      b->OnClick = [this, command](TObject* sender) {
        if (command == "UndoItem") form_.UndoItemClick(sender);
        else if (TMenuItem* item = form_.MenuItem(command)) item->Click();
      };
    }
    buttons_.push_back(b);
  }
  const char* styles[] = {"BoldBtn", "UnderlineBtn", "ItalicsBtn", "StrikeOutBtn"};
  for (int i = 0; i < 4; ++i) {
    TOfficeButton* b = Button(styles[i]);
    b->Tag = i + 1;
    b->GroupIndex = 10 + i;
    b->AllowAllUp = true;
    b->OnClick = [this](TObject* sender) { form_.BoldBtnClick(sender); };
  }
  Button("NormalBtn")->GroupIndex = 20;
  Button("NormalBtn")->OnClick = [this](TObject* sender) { form_.NormalBtnClick(sender); };
  Button("ExitBtn")->OnClick = [this](TObject* sender) { form_.ExitBtnClick(sender); };
  // Down while the bar shows two rows.
  Button("TwoRowsBtn")->GroupIndex = 30;
  Button("TwoRowsBtn")->AllowAllUp = true;
  Button("TwoRowsBtn")->OnClick = [this](TObject*) { SetToolBarRows(!TwoRows()); };
  // Down while the corrections rest.
  Button("PauseSpellBtn")->GroupIndex = 31;
  Button("PauseSpellBtn")->AllowAllUp = true;
  Button("AltScriptNoteBtn")->Enabled = false;
  userColor_ = RowOf("UserColorBtn")->color;
  // The colour being typed in shows at rest too, not only its grey.
  Button("UserColorBtn")->Glyph = [this](TCanvas& c, const TRect& a, TGlyphLook look) {
    TToolButtonRow shown = *RowOf("UserColorBtn");
    shown.color = userColor_;
    GlyphOf(shown)(c, a, look == TGlyphLook::Grey ? TGlyphLook::Normal : look);
  };
}

void TToolBar::ShowUserColor(TColor color) {
  if (color == userColor_) return;
  userColor_ = color;
  Button("UserColorBtn")->Invalidate();
}

// The box shows the type of the element at the caret; a click on it or
// on its button drops the list of types.
void TToolBar::MakeElementBox() {
  currentElement_ = MakeControl<TBtrLabel>(&form_, panel_, "CurrentElement", 0, 5, DesignedBoxWidth, DesignedBoxHeight);
  currentElement_->AutoSize = false;
  currentElement_->Border = true;
  currentElement_->BorderColor = clBtnShadow;
  currentElement_->Color = clWindow;
  currentElement_->Hint = "Element Type|Quick Key: <F4>";
  currentElement_->ShowHint = true;
  currentElement_->OnClick = [this](TObject*) { ToggleElementList(); };
  elementBoxBtn_ =
      MakeControl<TOfficeButton>(&form_, panel_, "ElementBoxBtn", 0, 5, ElementButtonWidth, DesignedBoxHeight);
  elementBoxBtn_->Glyph = GlyphOf(TToolButtonRow{"ElementBoxBtn", "", "", TShape::ArrowDown, "", Ink, 0});
  elementBoxBtn_->AlwaysBeveled = true;
  elementBoxBtn_->MouseLeft();
  elementBoxBtn_->OnClick = [this](TObject*) { ToggleElementList(); };
}

void TToolBar::MakeFourColorPanel() {
  fourColor_ = MakeControl<TPanel>(&form_, panel_, "FourColorBtn", 0, 3, DesignedSide, DesignedSide);
  fourColor_->BevelOuter = TPanelBevel::bvNone;
  for (const TSmallColorRow& row : kSmallColors) {
    auto* b = MakeControl<TOfficeButton>(&form_, fourColor_, row.name, 0, 0, DesignedSide / 2, DesignedSide / 2);
    b->Hint = row.hint;
    b->ShowHint = true;
    b->Glyph = GlyphOf(TToolButtonRow{row.name, "", row.command, TShape::Swatch, "", row.color, 0});
    const std::string command = row.command;
    b->OnClick = [this, command](TObject*) {
      if (TMenuItem* item = form_.MenuItem(command)) item->Click();
    };
    smallButtons_.push_back(b);
  }
  // The four share the panel in quarters, whatever its size.
  fourColor_->OnResize = [this](TObject*) {
    const int half = fourColor_->Width / 2;
    for (std::size_t i = 0; i < smallButtons_.size(); ++i)
      smallButtons_[i]->SetBounds(static_cast<int>(i % 2) * half, static_cast<int>(i / 2) * half, half, half);
  };
  fourColor_->OnResize(fourColor_);
}

// The designed bar: one row, the element box before the style buttons and
// the four-colour panel before the user colour.
void TToolBar::DesignedLayout() {
  int left = 3;
  for (TOfficeButton* b : buttons_) {
    const TToolButtonRow* row = RowOf(b->Name);
    b->Visible = !HiddenByDesign(b->Name);
    if (!b->Visible) continue;
    left += row->gapBefore;
    if (b->Name == std::string("NormalBtn")) {
      currentElement_->SetBounds(left, 3 + (DesignedSide - DesignedBoxHeight) / 2, DesignedBoxWidth, DesignedBoxHeight);
      currentElement_->Visible = true;
      left += DesignedBoxWidth + ElementButtonWidth + 6;
    }
    if (b->Name == std::string("UserColorBtn")) {
      fourColor_->SetBounds(left, 3, DesignedSide, DesignedSide);
      fourColor_->Visible = true;
      left += DesignedSide + 2;
    }
    b->SetBounds(left, 3, DesignedSide, DesignedSide);
    left += DesignedSide - 1;  // neighbours share one pixel of border
  }
  elementBoxBtn_->Width = ElementButtonWidth;
  PlaceElementBoxButton(0, currentElement_->Height);
  elementBoxBtn_->Visible = currentElement_->Visible;
  horizScrollBar_->SetBounds(left + 6, 3 + (DesignedSide - 16) / 2, 100, 16);
  // Its scrolling comes with the script's horizontal offset.
  horizScrollBar_->Visible = false;
}

// The button butts against the box's right edge, sharing its last pixel.
void TToolBar::PlaceElementBoxButton(int below, int height) {
  elementBoxBtn_->SetBounds(currentElement_->Left + currentElement_->Width - 1, currentElement_->Top + below,
                            elementBoxBtn_->Width, height);
}

bool TToolBar::TwoRows() const { return panel_->ClientHeight() == Button("FileNewBtn")->Height * 2 + 9; }

void TToolBar::SetToolBarRows(bool twoRows) {
  ApplyRows(twoRows);
  panel_->Repaint();
  form_.Repaint();
  // The script's window changed height with the bar.
  if (!NoActiveDocument()) ActiveScript()->RedisplayScreen(true);
}

void TToolBar::ApplyRows(bool twoRows) {
  const int side = Button("FileNewBtn")->Height;
  panel_->SetClientHeight(twoRows ? side * 2 + 9 : side + 6);
  topBevel_->Visible = twoRows;
  topBevel_->SetBounds(0, panel_->ClientHeight() / 2, panel_->ClientWidth(), 2);
  Button("TwoRowsBtn")->Glyph =
      GlyphOf(TToolButtonRow{"TwoRowsBtn", "", "", twoRows ? TShape::ArrowUp : TShape::ArrowDown, "", Ink, 0});
}

void TToolBar::FitElementBoxFont() {
  const bool narrow = Screen->Width() == 640;
  if (!narrow && ProgramFont && AnsiUpperCase(ProgramFont->Name()) == "MS SANS SERIF") return;
  for (TControl* c : {static_cast<TControl*>(currentElement_), static_cast<TControl*>(form_.ElementPopDownList)}) {
    if (!c) continue;
    c->Font.Name = "Arial";
    c->Font.Size = 9;
  }
  PlaceElementBoxButton(0, elementBoxBtn_->Height);
}

void TToolBar::TakeProgramFont(const TFont& font) {
  panel_->Font = font;
  if (AnsiUpperCase(font.Name()) != "ARIAL") return;
  currentElement_->Font.Name = font.Name();
  if (form_.ElementPopDownList) form_.ElementPopDownList->Font.Name = font.Name();
}

void TToolBar::ToggleElementList() { form_.ChangeElementToItemClick(currentElement_); }

void TToolBar::PlaceElementList(TMDIChild& script) {
  TListBox* list = form_.ElementPopDownList;
  if (!list) return;
  const int width = currentElement_->Width + 1;
  const int height = (list->Items.Count() + 1) * list->ItemHeight;
  const TPoint at = currentElement_->Showing() ? currentElement_->ClientToScreen(TPoint{0, currentElement_->Height})
                                               : editor::CaretScreenPoint(script);
  TPoint top = form_.ScreenToClient(at);
  top.X = std::clamp(top.X, 0, std::max(0, form_.ClientWidth() - width));
  top.Y = std::clamp(top.Y, 0, std::max(0, form_.ClientHeight() - height));
  list->SetBounds(top.X, top.Y, width, height);
  list->BringToFront();
}

std::vector<std::pair<TControl*, bool>> TToolBar::OrderButtons() const {
  // The key: the top and the left, four digits each.
  std::map<std::string, TControl*> sorted;
  for (TOfficeButton* b : buttons_)
    if (b->Visible) sorted[Padded(b->Top) + Padded(b->Left)] = b;
  if (fourColor_->Visible) sorted[Padded(fourColor_->Top) + Padded(fourColor_->Left)] = fourColor_;
  std::vector<std::pair<TControl*, bool>> order;
  TControl* previous = nullptr;
  std::string previousRow;
  for (auto& [key, b] : sorted) {
    const std::string row = key.substr(0, 4);
    const bool touching = previous && row == previousRow && previous->Left + previous->Width - 1 >= b->Left;
    order.emplace_back(b, touching);
    // Later buttons paint over the shared border.
    b->BringToFront();
    previous = b;
    previousRow = row;
  }
  return order;
}

void TToolBar::JoinGroups(const std::vector<std::pair<TControl*, bool>>& order, bool configured) const {
  const TIniFile ini(SettingsFileName);
  // How far the designed row has moved so far: the scaled buttons of a
  // group, butted one pixel apart, end a little away from where scaling
  // put them.
  int moved = 0;
  for (std::size_t i = 1; i < order.size(); ++i) {
    auto [b, touching] = order[i];
    const bool joined = configured ? ini.ReadBool(b->Name, "Part of Group", false) : touching;
    const TControl* before = order[i - 1].first;
    if (before->Top() != b->Top()) moved = 0;
    const int left = b->Left;
    if (joined) b->Left = before->Left + before->Width - 1;
    else if (!configured) b->Left = left + moved;
    if (!configured) moved = b->Left - left;
  }
}

bool TToolBar::SetupToolBars(bool initial) {
  const TIniFile ini(SettingsFileName);
  const bool configured = ini.ReadInteger("Menu Bar", "Icon Size", 0) != 0;
  const bool narrow = Screen->Width() == 640;
  if (configured) {
    const int size = ini.ReadInteger("Menu Bar", "Icon Size", 3);
    const int w = ini.ReadIntegerWithin("MenuBar", "Icon Width", DefaultIconWidth(size), MinIconWidth, MaxIconWidth) -
                  (narrow ? 3 : 0);
    const auto place = [&](const std::string& section, const char* key, int fallback) {
      return ini.ReadIntegerWithin(section, key, fallback, -ScreenMeasureLimit, ScreenMeasureLimit);
    };
    const auto adjust = [&](const std::string& section) {
      const int a = place(section, "Left Adjust", 0);
      return narrow ? a * 8 / 10 : a;
    };
    const auto left = [&](const std::string& section) {
      return w * ini.ReadIntegerWithin(section, "Icon Count", 0, 0, MaxIconCount) + adjust(section);
    };
    const auto top = [&](const std::string& section, int current) {
      return place(section, "Y Pos", current) > w ? w + 6 : 3;
    };
    for (TOfficeButton* b : buttons_) {
      b->SetBounds(left(b->Name), top(b->Name, b->Top), w, w);
      b->Visible = ini.ReadBool(b->Name, "Visible", false);
    }
    currentElement_->Visible = ini.ReadBool("CurrentElement", "Visible", true);
    currentElement_->SetBounds(left("CurrentElement"), place("CurrentElement", "Y Pos", currentElement_->Top),
                               currentElement_->Width, currentElement_->Height);
    if (initial) {
      currentElement_->SetBounds(currentElement_->Left, currentElement_->Top, DesignedBoxWidth * 4 / 5,
                                 DesignedBoxHeight * 4 / 5);
      elementBoxBtn_->SetBounds(elementBoxBtn_->Left, elementBoxBtn_->Top, ElementButtonWidth * 4 / 5,
                                DesignedBoxHeight * 4 / 5);
    }
    PlaceElementBoxButton(1, currentElement_->Height);
    elementBoxBtn_->Visible = currentElement_->Visible;
    FitElementBoxFont();
    horizScrollBar_->Visible = ini.ReadBool("HorizScrollBar", "Visible", false);
    horizScrollBar_->SetBounds(left("HorizScrollBar"),
                               top("HorizScrollBar", horizScrollBar_->Top) + (w - horizScrollBar_->Height) / 2,
                               ini.ReadIntegerWithin("HorizScrollBar", "Width", Screen->Width(), 0, ScreenMeasureLimit),
                               horizScrollBar_->Height);
    fourColor_->SetBounds(left("FourColorBtn"), top("FourColorBtn", fourColor_->Top), w, w);
    fourColor_->Visible = ini.ReadBool("FourColorBtn", "Visible", false);
  } else if (initial) {
    DesignedLayout();
  }
  const auto order = OrderButtons();
  if (!configured && initial) panel_->ScaleBy(9, 10);
  JoinGroups(order, configured);
  SetToolBarRows(configured && ini.ReadBool("Menu Bar", "Two Rows", false));
  elementBoxBtn_->Height = currentElement_->Height;
  configured_ = configured;
  return configured;
}

void TToolBar::ScaleBy(int multiplier, int divider) {
  const bool twoRows = TwoRows();
  panel_->ScaleBy(multiplier, divider);
  SetToolBarRows(twoRows);
}

void TToolBar::UpdateButtons() {
  const bool open = !NoActiveDocument();
  for (TOfficeButton* b : buttons_) {
    const TToolButtonRow* row = RowOf(b->Name);
    bool enabled = open || UsableWithoutScript(b->Name);
    if (row->command[0]) {
      const TMenuItem* item = form_.MenuItem(row->command);
      enabled = item && item->EnabledInChain();
    } else if (b->Name == "AltScriptNoteBtn") {
      enabled = false;
    }
    b->SetEnabled(enabled);
  }
  // The small colour buttons also wait for their colour command.
  for (TOfficeButton* b : smallButtons_) {
    const TMenuItem* item = form_.MenuItem(SmallRowOf(b->Name)->command);
    b->SetEnabled(open && fourColor_->Visible && item && item->EnabledInChain());
  }
  TOfficeButton* twoRows = Button("TwoRowsBtn");
  twoRows->SetDown(open && twoRows->Visible && panel_->Height > 2 * twoRows->Height);
  horizScrollBar_->Enabled = open;
  currentElement_->Enabled = open;
  elementBoxBtn_->SetEnabled(open);
  UpdateFormatButtons();
}

// A style button is down while the caret is inside its run; Normal while
// none is.
void TToolBar::UpdateFormatButtons() {
  TMDIChild* script = ScriptForCommand();
  bool anyDown = false;
  for (int tag = 1; tag <= 4; ++tag) {
    TOfficeButton* b = nullptr;
    for (TOfficeButton* candidate : buttons_)
      if (candidate->Tag == tag && candidate->GroupIndex >= 10 && candidate->GroupIndex < 20) b = candidate;
    bool down = false;
    if (script && script->CurrentElement() && !script->CurrentElement()->text) {
      const TInlineStyle& style = InlineStyles[tag];
      down = IsInsideCodePair(script->EditBuffer(), script->CaretColumn(), style.open,
                              (script->CurrentElement()->format.Style >> style.styleBit) & 1, style.close);
    }
    b->SetDown(down);
    anyDown = anyDown || down;
  }
  Button("NormalBtn")->SetDown(!anyDown && script != nullptr);
}

}  // namespace qm
