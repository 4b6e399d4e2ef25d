#include "desktop/screen_pixels.h"

#include <algorithm>
#include <cctype>
#include <cstddef>

#include "desktop/desktop_session.h"

namespace qm::desktop {

namespace {

// The next number of a binary PPM header, after blanks and comments.
int HeaderNumber(const std::string& ppm, std::size_t& at) {
  while (at < ppm.size()) {
    if (ppm[at] == '#') {
      at = ppm.find('\n', at);
      if (at == std::string::npos) return -1;
    } else if (!std::isspace(static_cast<unsigned char>(ppm[at]))) {
      break;
    }
    ++at;
  }
  int value = 0;
  bool any = false;
  for (; at < ppm.size() && std::isdigit(static_cast<unsigned char>(ppm[at])); ++at, any = true)
    value = value * 10 + (ppm[at] - '0');
  return any ? value : -1;
}

}  // namespace

ScreenPixels::ScreenPixels(DesktopSession& session, const std::string& shot) {
  const std::string ppm = session.Run({"convert", shot, "-depth", "8", "ppm:-"});
  if (ppm.size() < 2 || ppm.compare(0, 2, "P6") != 0) return;
  std::size_t at = 2;
  const int width = HeaderNumber(ppm, at);
  const int height = HeaderNumber(ppm, at);
  const int maximum = HeaderNumber(ppm, at);
  if (width <= 0 || height <= 0 || maximum != 255) return;
  ++at;  // the one blank after the header
  const std::size_t bytes = static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3;
  if (ppm.size() < at + bytes) return;
  rgb_ = ppm.substr(at, bytes);
  width_ = width;
  height_ = height;
}

Rgb ScreenPixels::At(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return {};
  const std::size_t at =
      (static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x)) * 3;
  const auto byte = [&](std::size_t i) { return static_cast<int>(static_cast<unsigned char>(rgb_[at + i])); };
  return {byte(0), byte(1), byte(2)};
}

int ScreenPixels::Darkest(const Box& box) const {
  int darkest = 255;
  for (int y = box.y; y < box.Bottom(); ++y)
    for (int x = box.x; x < box.Right(); ++x) darkest = std::min(darkest, At(x, y).Brightness());
  return darkest;
}

Box ScreenPixels::WhiteAround(int x, int y) const {
  const Rgb white{255, 255, 255};
  int top = y, bottom = y;
  while (top > 0 && At(x, top - 1) == white) --top;
  while (bottom + 1 < height_ && At(x, bottom + 1) == white) ++bottom;
  int left = x, right = x;
  while (left > 0 && At(left - 1, bottom) == white) --left;
  while (right + 1 < width_ && At(right + 1, bottom) == white) ++right;
  return {left, top, right - left + 1, bottom - top + 1};
}

}  // namespace qm::desktop
