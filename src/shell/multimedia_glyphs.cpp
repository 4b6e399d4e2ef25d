#include "shell/multimedia_glyphs.h"

#include <array>
#include <vector>

namespace qm {

namespace {

constexpr int GridSide = 16;

// One stroke of a picture, in grid units: a line from a to b, a filled
// triangle a-b-c, or the outline of the box or the ring from a to b.
struct TStroke {
  enum class Kind { Line, Triangle, Box, Ring };
  Kind kind;
  TPoint a, b, c;
};

struct TPicture {
  std::string_view name;
  std::vector<TStroke> strokes;
};

using K = TStroke::Kind;

// A play triangle; a graph of three boxes linked from the top one; a
// figure with open arms; a branch point's fork with an arrow on each
// branch.
const std::array<TPicture, 4>& Pictures() {
  static const std::array<TPicture, 4> pictures{{
      {"PLAY_GLYPH", {{K::Triangle, {4, 2}, {12, 8}, {4, 14}}}},
      {"GRAPH_GLYPH",
       {{K::Box, {5, 0}, {11, 5}, {}},
        {K::Box, {0, 10}, {6, 15}, {}},
        {K::Box, {10, 10}, {16, 15}, {}},
        {K::Line, {7, 5}, {3, 10}, {}},
        {K::Line, {9, 5}, {13, 10}, {}}}},
      {"USER_ACTIVITY",
       {{K::Ring, {6, 0}, {11, 5}, {}},
        {K::Line, {8, 5}, {8, 11}, {}},
        {K::Line, {3, 7}, {14, 7}, {}},
        {K::Line, {8, 10}, {4, 15}, {}},
        {K::Line, {8, 10}, {12, 15}, {}}}},
      {"LINKS_GLYPH",
       {{K::Line, {0, 8}, {6, 8}, {}},
        {K::Line, {6, 8}, {12, 3}, {}},
        {K::Line, {6, 8}, {12, 13}, {}},
        {K::Triangle, {10, 1}, {15, 1}, {13, 6}},
        {K::Triangle, {10, 15}, {15, 15}, {13, 10}}}},
  }};
  return pictures;
}

void PaintStroke(TCanvas& c, const TStroke& s, TPoint origin) {
  const auto at = [origin](TPoint p) { return TPoint{origin.X + p.X, origin.Y + p.Y}; };
  const TPoint a = at(s.a), b = at(s.b);
  switch (s.kind) {
    case K::Line:
      c.MoveTo(a.X, a.Y);
      c.LineTo(b.X, b.Y);
      break;
    case K::Triangle:
      c.Brush.Style = TBrushStyle::bsSolid;
      c.Polygon({a, b, at(s.c)});
      break;
    case K::Box:
      c.Brush.Style = TBrushStyle::bsClear;
      c.Rectangle(a.X, a.Y, b.X, b.Y);
      break;
    case K::Ring:
      c.Brush.Style = TBrushStyle::bsClear;
      c.Ellipse(a.X, a.Y, b.X, b.Y);
      break;
  }
}

void PaintPicture(TCanvas& c, const TPicture& picture, TPoint origin, TColor ink) {
  c.Pen.Color = ink;
  c.Brush.Color = ink;
  for (const TStroke& s : picture.strokes) PaintStroke(c, s, origin);
}

}  // namespace

TGlyphPainter MultimediaGlyph(std::string_view name) {
  for (const TPicture& picture : Pictures()) {
    if (picture.name != name) continue;
    return [&picture](TCanvas& c, const TRect& area, TGlyphLook look) {
      const TPoint origin{area.Left + (area.Width() - GridSide) / 2, area.Top + (area.Height() - GridSide) / 2};
      // A disabled picture is embossed: the highlight one pixel down and
      // right, then the shadow in place.
      if (look == TGlyphLook::Embossed) PaintPicture(c, picture, TPoint{origin.X + 1, origin.Y + 1}, clBtnHighlight);
      PaintPicture(c, picture, origin, look == TGlyphLook::Normal ? clBlack : clBtnShadow);
    };
  }
  return {};
}

}  // namespace qm
