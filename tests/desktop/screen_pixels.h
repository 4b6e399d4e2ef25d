// What a screenshot shows, as numbers: its pixels read once, and the
// measures the desktop tests take of them (where ink lies on a face,
// where a page of white begins and ends).
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace qm::desktop {

class DesktopSession;

struct Rgb {
  int r = 0, g = 0, b = 0;
  int Brightness() const { return (r + g + b) / 3; }
  bool operator==(const Rgb&) const = default;
};

struct Box {
  int x = 0, y = 0, width = 0, height = 0;
  int Right() const { return x + width; }
  int Bottom() const { return y + height; }
};

class ScreenPixels {
 public:
  // Reads the PNG `shot` (as DesktopSession::Screenshot writes it).
  ScreenPixels(DesktopSession& session, const std::string& shot);

  bool Loaded() const { return width_ > 0; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  // A pixel; black outside the picture.
  Rgb At(int x, int y) const;

  // The [first, last] runs of consecutive rows of `box` holding a pixel
  // that `ink` picks: the text lines of a caption, one run a line.
  template <class Ink>
  std::vector<std::pair<int, int>> InkRows(const Box& box, Ink ink) const {
    return Runs(box.y, box.Bottom(), [&](int y) {
      for (int x = box.x; x < box.Right(); ++x)
        if (ink(At(x, y))) return true;
      return false;
    });
  }
  // The same for columns: the runs of columns holding ink.
  template <class Ink>
  std::vector<std::pair<int, int>> InkColumns(const Box& box, Ink ink) const {
    return Runs(box.x, box.Right(), [&](int x) {
      for (int y = box.y; y < box.Bottom(); ++y)
        if (ink(At(x, y))) return true;
      return false;
    });
  }
  // The darkest pixel of a box, by brightness (255 for an empty box).
  int Darkest(const Box& box) const;
  // The white face around a point of it (a script's page): its height down
  // the point's column, its width along its bottom row, below the text and
  // the caret.
  Box WhiteAround(int x, int y) const;

 private:
  template <class Has>
  static std::vector<std::pair<int, int>> Runs(int from, int to, Has has) {
    std::vector<std::pair<int, int>> runs;
    for (int i = from; i < to; ++i) {
      if (!has(i)) continue;
      if (!runs.empty() && runs.back().second == i - 1) runs.back().second = i;
      else runs.emplace_back(i, i);
    }
    return runs;
  }

  int width_ = 0, height_ = 0;
  std::string rgb_;
};

// A pixel clearly darker than a grey dialog face: the ink of a caption.
inline bool DarkInk(const Rgb& p) { return p.Brightness() < 150; }

}  // namespace qm::desktop
