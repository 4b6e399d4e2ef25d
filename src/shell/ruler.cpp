#include "shell/ruler.h"

#include <algorithm>
#include <cmath>

#include "base/document_table.h"
#include "base/global_state.h"
#include "platform/controls.h"
#include "script/editing/document_modified.h"
#include "script/layout/screen_rebuild.h"
#include "script/pagination/repagination.h"
#include "script/script_window.h"
#include "shell/main_form.h"

namespace qm {

Word PageWidthTenths = 0;

namespace {

const GlobalState reset([] { PageWidthTenths = 0; });

constexpr int RulerHeight = 22;
constexpr int MarkerWidth = 9;
constexpr int MarkerHeight = 8;
// A marker's left edge stands this far left of its margin.
constexpr int MarkerLead = 4;
// Left margins keep half an inch from the page edge and an inch from the
// right margin; right margins stay an inch right of the left margin and
// within eight inches.
constexpr int MinLeftTenths = 5;
constexpr int MarkerGapTenths = 10;
constexpr int MaxRightTenths = 80;

TPanel* MakeMarker(TMainForm& form, TPanel* bar, const char* name) {
  auto* marker = MakeControl<TPanel>(&form, bar, name, 0, RulerHeight - MarkerHeight - 2, MarkerWidth, MarkerHeight);
  marker->Color = clNavy;
  marker->ShowHint = true;
  return marker;
}

// Tick marks every tenth, a digit every inch.
std::string ScaleText() {
  std::string text;
  for (int inch = 0; inch < 9; ++inch) text += (inch == 0 ? std::string(".") : std::to_string(inch)) + ".........";
  return text;
}

}  // namespace

TRuler::TRuler(TMainForm& form) : form_(form) {
  RulerBar = MakeControl<TPanel>(&form, &form, "RulerBar", 0, 0, form.ClientWidth(), RulerHeight);
  RulerBar->Align = TAlign::alTop;
  RulerBar->Visible = false;
  RulerScale = MakeControl<TLabel>(&form, RulerBar, "RulerScale", 0, 1, 10, 12, ScaleText());
  LeftMargin = MakeMarker(form, RulerBar, "LeftMargin");
  RightMargin = MakeMarker(form, RulerBar, "RightMargin");
  for (const bool right : {false, true}) {
    TPanel* marker = right ? RightMargin : LeftMargin;
    marker->OnMouseDown = [this, right](TObject*, TMouseButton b, TShiftState, int x, int) {
      if (b == TMouseButton::mbLeft) MarkerMouseDown(right, x);
    };
    marker->OnMouseMove = [this, right, marker](TObject*, TShiftState s, int x, int) {
      if (s.Contains(ssLeft)) MarkerMouseMove(right, marker->Left + x);
    };
    marker->OnMouseUp = [this, right](TObject*, TMouseButton b, TShiftState, int, int) {
      if (b == TMouseButton::mbLeft) MarkerMouseUp(right);
    };
  }
}

int TRuler::Offset() const {
  const TMDIChild* script = ScriptForCommand();
  return script ? script->LeftTextOffset : 0;
}

int TRuler::TenthsAt(int left) const { return (left - Offset() + 8) / std::max<int>(1, RulerCharWidth); }

std::string TRuler::HintAt(int left) const {
  const int t = TenthsAt(left);
  return std::to_string(t / 10) + "." + std::to_string(t % 10) + "\"|";
}

void TRuler::LayoutRuler() {
  if (NoActiveDocument()) return;
  TMDIChild& script = *ActiveScript();
  if (RulerCharWidth != 0 && !RulerBar->Visible) return;
  if (script.ScriptFontSize == 0) return;
  TFont& font = RulerScale->Font;
  font.Name = "Courier New";
  font.Size = 12;
  font.SetHeight(font.Height() * std::max<int>(1, form_.ZoomSize) / 100);
  RulerScale->ParentFont = false;
  RulerBar->Canvas.Font.Name = "Courier New";
  RulerBar->Canvas.Font.SetHeight(font.Height());
  RulerCharWidth = static_cast<Word>(std::max(1, RulerBar->Canvas.TextWidth(".")));
  const int o = Offset();
  RulerScale->Left = o + (RulerCharWidth == 6 ? 2 : RulerCharWidth == 7 ? 3 : 4);
  RulerScale->Top = LeftMargin->Top + 5 + LeftMargin->Height - RulerScale->Height;
  PlaceMarkers();
}

void TRuler::SetRightMarginPos() {
  if (NoActiveDocument() || !ActiveScript()->CurrentElement()) return;
  if (PageWidthTenths == 0)
    PageWidthTenths = static_cast<Word>(
        std::lround(static_cast<double>(PrinterMetrics.PageWidth) * 10.0 / std::max(1, PrinterMetrics.DpiX)));
  const TElementFormat& f = ActiveScript()->CurrentElement()->format;
  RightMargin->Left = (PageWidthTenths - f.RightMargin) * RulerCharWidth - MarkerLead + Offset();
  RightMargin->Hint = HintAt(RightMargin->Left);
}

void TRuler::PlaceMarkers() {
  if (NoActiveDocument() || !ActiveScript()->CurrentElement() || dragging_) return;
  if (RulerCharWidth == 0) LayoutRuler();
  const TElementFormat& f = ActiveScript()->CurrentElement()->format;
  LeftMargin->Left = f.LeftMargin * RulerCharWidth - MarkerLead + Offset();
  LeftMargin->Hint = HintAt(LeftMargin->Left);
  SetRightMarginPos();
}

void TRuler::MarkerMouseDown(bool right, int x) {
  if (NoActiveDocument() || !ActiveScript()->Editable) return;
  dragging_ = true;
  TPanel* marker = right ? RightMargin : LeftMargin;
  grab_ = x + marker->Width / 2;
  marker->Hint = HintAt(marker->Left);
}

void TRuler::MarkerMouseMove(bool right, int x) {
  if (!dragging_) return;
  // The pointer is held to the marker's range.
  const int w = RulerCharWidth;
  const int o = Offset();
  int from = MinLeftTenths * w + o;
  int to = RightMargin->Left - MarkerGapTenths * w + o;
  if (right) {
    from = (ActiveScript()->CurrentElement()->format.LeftMargin + MarkerGapTenths) * w + o;
    to = MaxRightTenths * w + o;
  }
  TPanel* marker = right ? RightMargin : LeftMargin;
  marker->Left = std::clamp(x, from, std::max(from, to)) - grab_;
  marker->Hint = HintAt(marker->Left);
}

void TRuler::MarkerMouseUp(bool right) {
  if (!dragging_) return;
  dragging_ = false;
  if (NoActiveDocument()) return;
  TMDIChild& script = *ActiveScript();
  TScriptElement* e = script.CurrentElement();
  if (!e || !script.Editable) return;
  SaveUndoStep(ukInsert, false, true, 0);
  const int tenths = std::clamp(TenthsAt((right ? RightMargin : LeftMargin)->Left), 0, 255);
  if (right) e->format.RightMargin = static_cast<Byte>(std::clamp(PageWidthTenths - tenths, 0, 255));
  else e->format.LeftMargin = static_cast<Byte>(tenths);
  PlaceMarkers();
  script.WrapScreenText(e, script.EditBuffer());
  RebuildScreen(&script);
  script.RedisplayScreen(true);
  UpdateCaret();
  SetDocumentModified(true, true);
  script.StartPaginateTimer(script.LayoutDue | 1);
}

}  // namespace qm
