// The region arithmetic at 15 twips per pixel (96 dots per inch) with the zoom window's first
// size, 6405 x 3735 twips; expected values worked out by hand.

#include "Calcul_Zoom.h"

#include <gtest/gtest.h>

namespace kestrane {
namespace {

constexpr double T = 15;
constexpr double W = 6405;
constexpr double H = 3735;

TEST(Calcul_Zoom, RegionIsCentredOnThePointerAtFourTimesTheScale) {
    // 100 and 200 pixels into the drawing: 60 x 100 - 3202.5 and 60 x 200 - 1867.5, halves to even.
    EXPECT_EQ(Region_Depuis_Pointeur(112, 272, 12, 72, T, T, W, H), (Region_Zoom{2798, 10132}));
    EXPECT_EQ(Region_Depuis_Pointeur(113, 273, 12, 72, T, T, W, H), (Region_Zoom{2858, 10192}));
}

TEST(Calcul_Zoom, RegionIsClampedAtTheTopLeftCorner) {
    EXPECT_EQ(Region_Depuis_Pointeur(12, 72, 12, 72, T, T, W, H), (Region_Zoom{0, 0}));
    EXPECT_EQ(Region_Depuis_Pointeur(0, 0, 12, 72, T, T, W, H), (Region_Zoom{0, 0}));
}

TEST(Calcul_Zoom, RegionIsClampedAtTheBottomRightCorner) {
    // 2200 x 15 - 6405 and 3300 x 15 - 3735.
    EXPECT_EQ(Region_Depuis_Pointeur(561, 896, 12, 72, T, T, W, H), (Region_Zoom{26595, 45765}));
}

TEST(Calcul_Zoom, DragMovesTheDrawingWithThePointer) {
    const Region_Zoom depart{6000, 9000};
    // The pointer moves 1500 twips left and 600 up: the region moves right and down as much.
    EXPECT_EQ(Glisse_Region(depart, 1500, 3000, 3000, 3600, T, T, W, H), (Region_Zoom{7500, 9600}));
}

TEST(Calcul_Zoom, DragStopsAtTheEdges) {
    EXPECT_EQ(Glisse_Region({100, 200}, 3000, 3000, 1500, 1500, T, T, W, H), (Region_Zoom{0, 0}));
    EXPECT_EQ(Glisse_Region({26000, 45000}, 0, 0, 3000, 3000, T, T, W, H), (Region_Zoom{26595, 45765}));
}

TEST(Calcul_Zoom, WindowLargerThanTheDrawingShowsItFromZero) {
    // 2300 pixels wide: horizontal position 0 whatever the move; vertical drag as usual.
    EXPECT_EQ(Glisse_Region({0, 9000}, 0, 0, 3000, 3000, T, T, 2300 * T, H), (Region_Zoom{0, 12000}));
    EXPECT_EQ(Glisse_Region({500, 9000}, 0, 0, 0, 0, T, T, W, 3400 * T), (Region_Zoom{500, 0}));
}

}  // namespace
}  // namespace kestrane
