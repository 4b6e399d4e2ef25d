// The linkage graph drawn: the selected target in an ellipse, one target
// leading to it above, the targets it leads to in rows below, arrows
// between them coloured by the kind of branch. The same drawing serves
// the window and the printed page.
#pragma once

#include <optional>
#include <vector>

#include "platform/graphics.h"
#include "story/linkage_graph.h"

namespace qm::story {

// One box as drawn, for the mouse.
struct TDrawnBox {
  int x = 0;
  int y = 0;
  Word width = 0;
  Word number = 0;
  bool selected = false;
};

// Where the graph goes on its device.
struct TGraphPlacement {
  int centre = 0;      // the x the rows centre on
  int clipRight = 0;   // rows break half an inch before this
  int clipBottom = 0;  // the screen's background fill reaches this
  int pageOffset = 0;  // every y shifted by this on a printed page
  bool screen = true;  // screen: background filled, always in colour
  bool colour = true;  // printer: more than one bit per pixel
};

class TLinkageDrawing {
 public:
  TLinkageDrawing(const TLinkageGraph& graph, TCanvas& canvas) : graph_(graph), canvas_(canvas) {}

  // Lays out and draws the graph of the target with this number.
  void Draw(Word selected, const TGraphPlacement& place);
  // The number of the first box drawn under the point; the selected
  // target's own box counts only for the right button.
  std::optional<Word> OverBox(int x, int y, bool rightButton) const;

  const std::vector<TDrawnBox>& Boxes() const { return boxes_; }
  int BoxHeight() const { return boxHeight_; }

 private:
  struct TPlaced {
    bool drawn = false;
    int x = 0;
    int y = 0;
    Word width = 0;
  };

  void SetupWorkValues(const TGraphPlacement& place);
  void PrepareCanvas(const TGraphPlacement& place);
  int NodeIndex(std::int64_t number) const;
  bool WasDrawn(std::int64_t number) const;
  Word GetBoxWidth(std::int64_t number) const;
  int SetupCenteredXPos(Word total) const;
  void DrawBox(int& x, int y, std::int64_t number);
  void DrawSelected(Word number, int y);
  void DrawTargetsRow(const TGraphNode& node, int& y);
  void DrawLinks();
  void DrawConnection(const TPlaced& from, const TPlaced& to);
  void DrawArrow(int x1, int y1, int x2, int y2);
  void SetupPenColor(bool conditional);

  const TLinkageGraph& graph_;
  TCanvas& canvas_;
  std::vector<TPlaced> placed_;
  std::vector<TDrawnBox> boxes_;
  int hppi_ = 96, vppi_ = 96;
  bool colour_ = true;
  int gap_ = 0, topMargin_ = 0, rowGap_ = 0, arrowSize_ = 0, penWidth_ = 1;
  int twoBlanks_ = 0, oneBlank_ = 0, boxHeight_ = 0;
  int centre_ = 0, rightLimit_ = 0;
};

}  // namespace qm::story
