// The view's share of a drag: the pointer's position turned into a grid row.
#include "journal/ui/journal_grid_view.h"

#include <gtest/gtest.h>

namespace mokpe::journal {
namespace {

TEST(JournalGridView, DragEndsOnTheRowUnderThePointer)
{
    // Start row 2, its cell's top at 40, cells 20 high.
    const struct {
        int releaseY;
        int row;
    } cases[] = {
        {41, 2},
        {59, 2},
        {60, 3},
        {99, 4},
        {100, 5},
        // Below the journal: the row there, which the editor cuts to its last.
        {120, 6},
        {5000, 250},
        // Above the start row, rounded down.
        {39, 1},
        {20, 1},
        {19, 0},
        {-30, -2},
    };
    for (const auto &c : cases)
        EXPECT_EQ(rowUnderPointer(2, 40, c.releaseY, 20), c.row) << c.releaseY;
    // A row without height stays on the start row.
    EXPECT_EQ(rowUnderPointer(2, 40, 100, 0), 2);
}

} // namespace
} // namespace mokpe::journal
