#include "shell/display_options.h"

#include "base/ini_file.h"
#include "platform/office_button.h"
#include "shell/main_form.h"
#include "shell/tool_bar.h"

namespace qm {

namespace {

constexpr const char* Section = "Program Settings";
constexpr const char* MiscSection = "Misc. Options";

// The status line's and the right panel's parts, kept by their menu checks.
struct TPanelKey {
  const char* item;
  const char* key;
  bool byDefault;
};
constexpr TPanelKey PanelKeys[] = {
    {"BottomSpeedItem", "Bottom Bar", true},        {"SceneCountItem", "Bottom Bar Scene", true},
    {"ActSceneInfoItem", "Bottom Bar Act", false},  {"ScrollHints", "Scroll Hints", true},
    {"RightSpeedbarItem", "Right Panel", true},     {"RightEButtonsItem", "Right Buttons", true},
    {"SceneGuideItem", "Scene Guide Button", true},
};

bool Checked(const char* item) { return MainForm->MenuItem(item)->Checked; }

// The tool bar shows while it is wanted and the menus are not alone.
void ShowToolBar() {
  MainForm->ToolBar().Panel()->Visible = Checked("DisplaySpeedbarItem") && !Checked("OnlyTopMenuItem");
}

void SetBoxes(bool always) {
  for (TOfficeButton* b : MainForm->ToolBar().Buttons()) {
    b->AlwaysBeveled = always;
    if (always) b->MouseEntered();
    else b->MouseLeft();
  }
}

}  // namespace

void TMainForm::DisplaySpeedbarItemClick(TObject*) {
  TMenuItem* item = MenuItem("DisplaySpeedbarItem");
  item->Checked = !item->Checked;
  ShowToolBar();
}

void TMainForm::OnlyTopMenuItemClick(TObject*) {
  TMenuItem* item = MenuItem("OnlyTopMenuItem");
  item->Checked = !item->Checked;
  ShowToolBar();
  MenusDue = 1;
}

void TMainForm::ShowHintsItemClick(TObject*) {
  TMenuItem* item = MenuItem("ShowHintsItem");
  item->Checked = !item->Checked;
  ToolBar().Panel()->ShowHint = item->Checked;
  for (TOfficeButton* b : ToolBar().Buttons()) b->ShowHint = item->Checked;
}

void TMainForm::AlwaysShowBoxesItemClick(TObject*) {
  TMenuItem* item = MenuItem("AlwaysShowBoxesItem");
  item->Checked = !item->Checked;
  SetBoxes(item->Checked);
}

void ReadDisplayOptions(const TIniFile& ini) {
  if (!MainForm || !MainForm->MenuItem("DisplaySpeedbarItem")) return;
  const auto set = [&](const char* item, const char* key, bool byDefault) {
    if (MainForm->MenuItem(item)->Checked != ini.ReadBool(Section, key, byDefault)) MainForm->MenuItem(item)->Click();
  };
  set("DisplaySpeedbarItem", "Speed Panel", true);
  set("ShowHintsItem", "Show Hints", true);
  set("OnlyTopMenuItem", "Only Top Menu Visible", false);
  set("AlwaysShowBoxesItem", "Always Show Boxes", false);
  for (const TPanelKey& panel : PanelKeys) set(panel.item, panel.key, panel.byDefault);
  if (MainForm->MenuItem("ShowRulerItem")->Checked != ini.ReadBool(MiscSection, "Ruler Bar", false))
    MainForm->MenuItem("ShowRulerItem")->Click();
}

void WriteDisplayOptions(TIniFile& ini) {
  if (!MainForm || !MainForm->MenuItem("DisplaySpeedbarItem")) return;
  ini.WriteBool(Section, "Speed Panel", Checked("DisplaySpeedbarItem"));
  ini.WriteBool(Section, "Show Hints", Checked("ShowHintsItem"));
  ini.WriteBool(Section, "Only Top Menu Visible", Checked("OnlyTopMenuItem"));
  ini.WriteBool(Section, "Always Show Boxes", Checked("AlwaysShowBoxesItem"));
  for (const TPanelKey& panel : PanelKeys) ini.WriteBool(Section, panel.key, Checked(panel.item));
  WriteRulerShown(ini);
}

void WriteRulerShown(TIniFile& ini) { ini.WriteBool(MiscSection, "Ruler Bar", Checked("ShowRulerItem")); }

}  // namespace qm
