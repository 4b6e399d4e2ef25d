// The headless backend's character widths: fixed-pitch families measure
// every character alike, others by their proportional table, whichever
// family was measured before.
#include <gtest/gtest.h>

#include "platform/graphics.h"
#include "platform/headless/headless_backend.h"

namespace qm {
namespace {

TEST(HeadlessMetricsTest, EachFamilyIsMeasuredAsItselfWhateverCameBefore) {
  HeadlessMetrics metrics;
  TFontDesc courier;
  courier.Name = "Courier New";
  courier.Size = 12;
  TFontDesc arial = courier;
  arial.Name = "Arial";
  const int fixedI = metrics.CharWidth(courier, 96, 'i');
  EXPECT_EQ(metrics.CharWidth(courier, 96, 'W'), fixedI);
  for (int round = 0; round < 2; ++round) {
    SCOPED_TRACE(round);
    EXPECT_LT(metrics.CharWidth(arial, 96, 'i'), metrics.CharWidth(arial, 96, 'W'));
    EXPECT_EQ(metrics.CharWidth(courier, 96, 'i'), fixedI);
    EXPECT_TRUE(HeadlessMetrics::IsFixedPitch("Lucida Console"));
    EXPECT_FALSE(HeadlessMetrics::IsFixedPitch("Times New Roman"));
    EXPECT_TRUE(HeadlessMetrics::IsFixedPitch("DejaVu Sans Mono"));
  }
}

}  // namespace
}  // namespace qm
