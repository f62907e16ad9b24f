// A window at a fixed position moves only as far as it must to stay inside
// the work area.

#include <gtest/gtest.h>

#include "forms/work_area_fit.h"

namespace quellbrook {
namespace {

struct FitRow {
  const char* name;
  PixelRect window;
  PixelRect fitted;
};

// A 1920 × 1080 screen whose taskbar takes the bottom 80 pixels.
constexpr PixelRect kWorkArea{0, 0, 1920, 1000};

class WorkAreaFit : public ::testing::TestWithParam<FitRow> {};

TEST_P(WorkAreaFit, MovesTheWindowByTheSmallestDistanceThatKeepsItInside) {
  EXPECT_EQ(FitIntoWorkArea(GetParam().window, kWorkArea), GetParam().fitted);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, WorkAreaFit,
    ::testing::Values(FitRow{"touching_every_edge", {0, 0, 1920, 1000}, {0, 0, 1920, 1000}},
                      FitRow{"under_the_taskbar", {496, 348, 1720, 1090}, {496, 258, 1720, 1000}},
                      FitRow{"past_the_right", {1800, 10, 2000, 100}, {1720, 10, 1920, 100}},
                      FitRow{"above_and_left", {-30, -5, 170, 95}, {0, 0, 200, 100}},
                      FitRow{"larger_than_the_area", {300, 200, 2300, 1300}, {0, 0, 2000, 1100}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quellbrook
