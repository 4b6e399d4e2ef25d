#include "language/pending_record_fields.h"

namespace qm {

TUserListTables::TUserListTables() {
  Extension[0] = "O.S.";
  Extension[1] = "V.O.";
  TimeofDay = {"MORNING", "DAY", "AFTERNOON", "EVENING", "NIGHT", "LATER", "CONTINUOUS", "M&OMENTS LATER"};
  Transition = {"CUT TO:", "DISSOLVE TO:", "FADE OUT:"};
  SceneText = {"INT.", "EXT.", "P.O.V.", "FULL &SHOT"};
  ShotText = {"BACK TO SCENE", "ANGLE ON"};
  ActText = {"NEWACT\\ACT", "SAMEACT\\ACT", "NEWSCENE\\SCENE"};
  PrologueText = {"TEASER", "PROLOGUE", "COLD OPENING"};
  TagText = {"TAG"};
  EndofActText = {"END OF"};
  ScriptOpenText = {"FADE IN:"};
}

}  // namespace qm
