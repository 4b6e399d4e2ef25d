// The ruler above the script: a scale in tenths of an inch at the screen
// zoom and two markers at the current element's left and right margins;
// dragging a marker sets that margin.
#pragma once

#include <string>

#include "platform/types.h"

namespace qm {

class TMainForm;
class TPanel;
class TLabel;

// The page width in tenths of an inch, from the printer's page; computed
// once.
extern Word PageWidthTenths;

class TRuler {
 public:
  explicit TRuler(TMainForm& form);

  TPanel* RulerBar = nullptr;
  TPanel* LeftMargin = nullptr;
  TPanel* RightMargin = nullptr;
  TLabel* RulerScale = nullptr;
  // Pixels of a tenth of an inch on the ruler; 0 until laid out (and again
  // after a zoom change).
  Word RulerCharWidth = 0;

  // The scale's font and place and both markers, for the active script.
  void LayoutRuler();
  // The markers at the current element's margins, with their hints.
  void PlaceMarkers();
  void SetRightMarginPos();

  // A marker dragged: pressed, moved with the left button held, released
  // (the margin is set and the element rewrapped). Only in a script that
  // may be changed.
  void MarkerMouseDown(bool right, int x);
  void MarkerMouseMove(bool right, int x);
  void MarkerMouseUp(bool right);

  // The hint of a marker at a ruler position: 1.5" for 15 tenths.
  std::string HintAt(int left) const;

 private:
  int Offset() const;
  int TenthsAt(int left) const;

  TMainForm& form_;
  int grab_ = 0;
  bool dragging_ = false;
};

}  // namespace qm
