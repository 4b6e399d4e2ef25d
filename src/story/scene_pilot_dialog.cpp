// The scene pilot's form: six scene buttons between the two scroll buttons.
#include "platform/dialog_builder.h"
#include "story/scene_pilot.h"

namespace qm {

namespace {

using enum TDialogItemKind;

constexpr int PilotWidth = 320;
constexpr int ScrollHeight = 22;
constexpr int SceneHeight = 58;

TDialogTable PilotTable() {
  TDialogTable table = {{Button, "ExplorerButton1", "Up", {0, 0, PilotWidth, ScrollHeight}}};
  for (int i = 1; i <= PilotSlots; ++i)
    table.push_back(
        {Button, "Scn" + std::to_string(i), "", {0, ScrollHeight + (i - 1) * SceneHeight, PilotWidth, SceneHeight}});
  table.push_back(
      {Button, "ScrollDownBtn", "Down", {0, ScrollHeight + PilotSlots * SceneHeight, PilotWidth, ScrollHeight}});
  return table;
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
  for (int i = 0; i < PilotSlots; ++i) {
    Scn[static_cast<std::size_t>(i)] = DialogControl<TButton>(*this, "Scn" + std::to_string(i + 1));
    Scn[static_cast<std::size_t>(i)]->Tag = i + 1;
  }
  ScrollTimer = new TTimer(this);
  ScrollTimer->SetEnabled(false);
  ScrollTimer->SetInterval(PilotScrollInterval);
}

}  // namespace qm
