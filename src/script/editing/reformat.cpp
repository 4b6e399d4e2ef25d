#include "script/editing/reformat.h"

#include "script/editing/block_selection.h"
#include "script/editing/continued_cues.h"
#include "script/script_window.h"

namespace qm {

namespace {

bool IsNumberedKind(Byte kind) {
  switch (kind) {
    case ekSceneHeading:
    case ekASceneHeading:
    case ekActInformation:
    case ekSceneInformation:
    case ekActStart:
    case ekPrologueText:
    case ekEndOfActText:
    case ekDashASceneHeading:
    case ekLockedSceneInformation: return true;
    default: return false;
  }
}

constexpr Word CueContinuedBit = 0x8000;

}  // namespace

void ApplyDefaultFormat(TMDIChild& window, const TDefaultFormatParts& parts) {
  TScriptElement* e = window.CurrentElement;
  if (!e) return;
  const int slot = FormatSlotOfKind(e->Kind());
  if (slot < 0) return;
  if (window.BlockOn) ClearBlockSelection(true);
  const TElementFormat& base = window.FormatSet[static_cast<std::size_t>(slot)];
  TElementFormat& f = e->format;
  if (parts.noteOnly) {
    if (e->Kind() == ekScriptNote) f.NumberWord = 0;
  } else {
    if (parts.margins) {
      f.LeftMargin = base.LeftMargin;
      f.RightMargin = base.RightMargin;
    }
    if (parts.spacing) {
      f.LinesBefore = base.LinesBefore;
      f.Spacing = base.Spacing;
    }
    if (parts.fontAndStyle) {
      f.FontAndColor = base.FontAndColor;
      f.FontSize = base.FontSize;
      f.Carried = base.Carried;
      f.Style = base.Style;
    }
    if (parts.clearNumber && IsNumberedKind(e->Kind())) f.NumberWord = 0;
    if (parts.cueContinued && e->Kind() == ekCharacterName) {
      f.NumberWord = static_cast<Word>(f.NumberWord & ~CueContinuedBit);
      RefreshContinuedCues(window, true);
    }
  }
  window.WrapScreenText(e, window.EditBuffer);
}

}  // namespace qm
