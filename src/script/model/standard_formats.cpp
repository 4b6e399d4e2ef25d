#include "script/model/standard_formats.h"

#include "base/global_state.h"

namespace qm {

TElementFormat AutoPageBreakFormat;
TElementFormat ForcedPageBreakFormat;

namespace {

const GlobalState reset([] {
  AutoPageBreakFormat = {};
  ForcedPageBreakFormat = {};
});

TElementFormat Format(Byte kind, Byte left, Byte right, Byte linesBefore, Byte caps) {
  TElementFormat f;
  f.LeftMargin = left;
  f.RightMargin = right;
  f.LinesBefore = linesBefore;
  f.AllCaps = caps;
  f.Kind = kind;
  f.Spacing = 10;
  f.FontSize = 12;
  return f;
}

}  // namespace

TFormatSet StandardFormatSet() {
  TFormatSet set;
  set[fsAction] = Format(ekAction, 15, 10, 10, 0);
  set[fsSceneHeading] = Format(ekSceneHeading, 15, 10, 20, 1);
  set[fsShot] = Format(ekShot, 15, 10, 10, 1);
  set[fsScriptNote] = Format(ekScriptNote, 15, 10, 10, 0);
  set[fsCenteredTitle] = Format(ekCenteredTitle, 15, 10, 10, 1);
  set[fsDialogue] = Format(ekDialogue, 25, 25, 0, 0);
  set[fsDialogueCopy] = set[fsDialogue];
  set[fsCharacterName] = Format(ekCharacterName, 37, 10, 10, 1);
  set[fsParenthetical] = Format(ekParenthetical, 31, 30, 0, 0);
  set[fsTransition] = Format(ekTransition, 60, 10, 10, 1);
  set[fsActInformation] = Format(ekActInformation, 15, 10, 20, 1);
  set[fsSceneInformation] = Format(ekSceneInformation, 15, 10, 10, 0);
  return set;
}

void SetPageBreakFormats() {
  AutoPageBreakFormat = {};
  AutoPageBreakFormat.Kind = ekAutoPageBreak;
  AutoPageBreakFormat.Spacing = 10;
  AutoPageBreakFormat.FontSize = 12;
  ForcedPageBreakFormat = AutoPageBreakFormat;
  ForcedPageBreakFormat.Kind = ekForcedPageBreak;
}

}  // namespace qm
