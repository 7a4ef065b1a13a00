// The region arithmetic at 15 twips per pixel (96 dots per inch) with the zoom window's first
// size, 6405 x 3735 twips; expected values worked out by hand.

#include "Calcul_Zoom.h"

#include <gtest/gtest.h>

namespace kestrane {
namespace {

constexpr double T = 15;
constexpr double W = 6405;
constexpr double H = 3735;

// clang-format off
TEST(Calcul_Zoom, RegionIsCentredOnThePointerAtFourTimesTheScaleWithinTheDrawing) {
    const struct { int x, y; Region_Zoom region; } cas[] = {
        {112, 272, {2798, 10132}},  // 60 x 100 - 3202.5 and 60 x 200 - 1867.5, halves to even
        {113, 273, {2858, 10192}},
        {12, 72, {0, 0}},           // clamped at the top left corner
        {0, 0, {0, 0}},
        {561, 896, {26595, 45765}},  // at the bottom right: 2200 x 15 - 6405 and 3300 x 15 - 3735
    };
    for (const auto& c : cas) EXPECT_EQ(Region_Depuis_Pointeur(c.x, c.y, 12, 72, T, T, W, H), c.region) << c.x;
}

// The drawing moves with the pointer (1500 twips left and 600 up: the region right and down as
// much), stops at the edges, and a window larger than the drawing shows it from zero.
TEST(Calcul_Zoom, DragMovesTheDrawingWithThePointerWithinItsEdges) {
    const struct { Region_Zoom depart; double x, y, x0, y0, w, h; Region_Zoom region; } cas[] = {
        {{6000, 9000}, 1500, 3000, 3000, 3600, W, H, {7500, 9600}},
        {{100, 200}, 3000, 3000, 1500, 1500, W, H, {0, 0}},
        {{26000, 45000}, 0, 0, 3000, 3000, W, H, {26595, 45765}},
        {{0, 9000}, 0, 0, 3000, 3000, 2300 * T, H, {0, 12000}},
        {{500, 9000}, 0, 0, 0, 0, W, 3400 * T, {500, 0}},
    };
    for (const auto& c : cas)
        EXPECT_EQ(Glisse_Region(c.depart, c.x, c.y, c.x0, c.y0, T, T, c.w, c.h), c.region) << c.depart.Zoom_X << "," << c.depart.Zoom_Y;
}
// clang-format on

}  // namespace
}  // namespace kestrane
