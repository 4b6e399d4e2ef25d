// The scene pilot's form: six scene buttons between the two scroll buttons.
#include "platform/dialog_builder.h"
#include "story/scene_pilot.h"

namespace qm {

namespace {

using enum TDialogItemKind;

constexpr int PilotWidth = 320;
constexpr int ScrollHeight = 22;
constexpr int SceneHeight = 58;
// The scene button's place inside its bevel.
constexpr int BevelInset = 2;

// The scroll buttons above and below the scenes.
TDialogTable PilotTable() {
  return {{Button, "ExplorerButton1", "Up", {0, 0, PilotWidth, ScrollHeight}},
          {Button, "ScrollDownBtn", "Down", {0, ScrollHeight + PilotSlots * SceneHeight, PilotWidth, ScrollHeight}}};
}

// A scene's button, flat inside its bevel: its caption (number, heading
// and the start of the scene's text) wraps from the button's top, so the
// number and the heading read first and the text fills what is left.
TExplorerButton* MakeSceneButton(TScenePilot& pilot, int slot) {
  const int top = ScrollHeight + (slot - 1) * SceneHeight;
  auto* bevel = new TBevel(&pilot);
  bevel->Name = "Bevel" + std::to_string(slot);
  bevel->SetParent(&pilot);
  bevel->Shape = TBevelShape::bsFrame;
  bevel->SetBounds(0, top, PilotWidth, SceneHeight);
  auto* button = new TExplorerButton(&pilot);
  button->Name = "Scn" + std::to_string(slot);
  button->SetParent(&pilot);
  button->SetBounds(BevelInset, top + BevelInset, PilotWidth - 2 * BevelInset, SceneHeight - 2 * BevelInset);
  button->WordWrap = true;
  button->Alignment = TAlignment::taLeftJustify;
  button->Tag = slot;
  return button;
}

}  // namespace

TScenePilot::TScenePilot(TComponent* owner, TMDIChild& script) : TForm(owner), script_(script) {
  Name = "ScenePilot";
  Caption = "Scene Pilot";
  BorderStyle = TFormBorderStyle::bsToolWindow;
  FormStyle = TFormStyle::fsStayOnTop;
  SetBounds(0, 0, PilotWidth, 2 * ScrollHeight + PilotSlots * SceneHeight);
  SetClientHeight(2 * ScrollHeight + PilotSlots * SceneHeight);
  SetClientWidth(PilotWidth);
  BuildDialog(*this, PilotTable());
  ExplorerButton1 = DialogControl<TButton>(*this, "ExplorerButton1");
  ExplorerButton1->Hint = "Click to Move UP by 6 Scenes";
  ScrollDownBtn = DialogControl<TButton>(*this, "ScrollDownBtn");
  ScrollDownBtn->Hint = "Click to Move DOWN by 6 Scenes";
  for (int slot = 1; slot <= PilotSlots; ++slot) Scn[static_cast<std::size_t>(slot - 1)] = MakeSceneButton(*this, slot);
  ScrollTimer = new TTimer(this);
  ScrollTimer->SetEnabled(false);
  ScrollTimer->SetInterval(PilotScrollInterval);
}

}  // namespace qm
