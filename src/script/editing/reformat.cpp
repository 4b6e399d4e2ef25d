#include "script/editing/reformat.h"

#include "base/message_boxes.h"
#include "platform/forms.h"
#include "script/editing/block_selection.h"
#include "script/editing/continued_cues.h"
#include "script/layout/screen_rebuild.h"
#include "script/layout/word_wrap.h"
#include "script/model/cue_codes.h"
#include "script/script_window.h"

namespace qm {

namespace {

// An Action carrying this in either byte of its number word takes back
// only its margins.
constexpr Byte MarginsOnlyMark = 150;

bool MarginsOnly(const TScriptElement& e) {
  return e.Kind() == ekAction &&
         ((e.format.NumberWord & 0xFF) == MarginsOnlyMark || (e.format.NumberWord >> 8) == MarginsOnlyMark);
}

// The element takes the whole slot of its kind, but for what belongs to
// the element rather than the format.
void TakeKindFormat(TMDIChild& window, TScriptElement& e) {
  const int slot = FormatSlotOfKind(e.Kind());
  if (slot < 0 || e.avColumn != 0) return;
  if (e.Kind() == ekParenthetical && !window.ParentheticalsSeparate) return;
  const TElementFormat& base = window.FormatSet[static_cast<std::size_t>(slot)];
  TElementFormat& f = e.format;
  if (MarginsOnly(e)) {
    f.LeftMargin = base.LeftMargin;
    f.RightMargin = base.RightMargin;
    return;
  }
  const bool keepLinesBefore = e.Kind() == ekDialogue && e.prev && e.prev->Kind() == ekDialogue;
  TElementFormat taken = base;
  taken.Kind = f.Kind;
  taken.NumberWord = f.NumberWord;
  if (keepLinesBefore) taken.LinesBefore = f.LinesBefore;
  f = taken;
}

// Visits every element behind the "Please Wait" box with the hourglass,
// then lays the screen out again; the caret keeps its element and column.
template <typename Visit>
void ReformatEach(TMDIChild& window, const std::string& notice, Visit visit) {
  if (!window.FirstElement) return;
  if (window.BlockOn()) ClearBlockSelection(true);
  const int cursor = Screen->Cursor();
  Screen->SetCursor(crHourGlass);
  ShowPleaseWait(notice, false, false);
  TWrapPass pass(window);
  for (TScriptElement* e = window.FirstElement; e; e = e->next) {
    visit(*e);
    pass.Wrap(*e, LiveElementText(window, *e));
    TickPleaseWait();
  }
  ClosePleaseWait();
  Screen->SetCursor(cursor);
  RebuildScreen(&window);
  window.Invalidate();
}

}  // namespace

void ApplyDefaultFormat(TMDIChild& window, const TDefaultFormatParts& parts) {
  TScriptElement* e = window.CurrentElement();
  if (!e) return;
  const int slot = FormatSlotOfKind(e->Kind());
  if (slot < 0) return;
  if (window.BlockOn()) ClearBlockSelection(true);
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
    if (parts.cueContinued && e->Kind() == ekCharacterName)
      f.NumberWord = static_cast<Word>(f.NumberWord & ~RefusesContinuedBit);
  }
  window.WrapScreenText(e, window.EditBuffer());
}

void ReformatScript(TMDIChild& window) {
  ReformatEach(window, "Reformatting Script", [&](TScriptElement& e) { TakeKindFormat(window, e); });
}

void ReformatToPrinterResolution(TMDIChild& window) {
  ReformatEach(window, "Reformatting Script to current\rPrinter Resolution", [](TScriptElement&) {});
}

}  // namespace qm
