// The one rounding every scaled size takes, as Windows' MulDiv rounds: to the
// nearest, halves away from zero. Where each control lands at each DPI is the
// end-to-end DPI layout test's.

#include <gtest/gtest.h>

#include "forms/scaling.h"

namespace quellbrook {
namespace {

TEST(ScaleRounded, RoundsToTheNearestAndHalvesAwayFromZero) {
  struct Row {
    int value, numerator, denominator, scaled;
  };
  const Row rows[] = {{1, 1, 2, 1},   {-1, 1, 2, -1}, {1, 1, 3, 0},   {2, 1, 3, 1},
                      {-2, 1, 3, -1}, {7, 96, 1440, 0}, {8, 96, 1440, 1}, {1 << 30, 4, 4, 1 << 30}};
  for (const Row& row : rows) {
    EXPECT_EQ(ScaleRounded(row.value, row.numerator, row.denominator), row.scaled)
        << row.value << " * " << row.numerator << " / " << row.denominator;
  }
}

}  // namespace
}  // namespace quellbrook
