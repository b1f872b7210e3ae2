#include <gtest/gtest.h>

#include <cmath>

#include "effects/CircleTable.h"

TEST(CircleTable, SixtyFourPointsOnTheCircleWithinTwoHundredThousandths) {
  for (int i = 0; i < kCirclePointCount; ++i) {
    const double theta = (i + 1) * 2.0 * M_PI / 64.0;
    EXPECT_NEAR(kCirclePoints[i][0], -0.13345 + 7.23064 * std::cos(theta), 0.00002) << i;
    EXPECT_EQ(kCirclePoints[i][1], 0.0f) << i;
    EXPECT_NEAR(kCirclePoints[i][2], 0.07336 + 7.23064 * std::sin(theta), 0.00002) << i;
  }
}

TEST(CircleTable, AnchorPoints) {
  const struct {
    int i;
    float x, z;
  } anchors[] = {{0, 7.06237f, 0.78208f},
                 {15, -0.13345f, 7.304f},
                 {31, -7.36409f, 0.07336f},
                 {47, -0.13345f, -7.15727f},
                 {63, 7.09718f, 0.07336f}};
  for (const auto& a : anchors) {
    EXPECT_EQ(kCirclePoints[a.i][0], a.x) << a.i;
    EXPECT_EQ(kCirclePoints[a.i][2], a.z) << a.i;
  }
}
