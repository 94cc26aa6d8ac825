// Where keys and drags take the current cell on a five-row journal: every
// journal row is reached, the last one included, and no row below it.
#include "journal/cell_navigation.h"

#include <gtest/gtest.h>

namespace mokpe::journal {
namespace {

constexpr int kRows = 5;

struct KeyCase {
    NavigationKey key;
    CellPosition from;
    CellPosition to;
};

TEST(CellNavigation, KeysStayWithinTheJournal)
{
    using K = NavigationKey;
    const KeyCase cases[] = {
        {K::Down, {4, 3}, {5, 3}},     {K::Down, {5, 3}, {5, 3}},     {K::Down, {7, 3}, {7, 3}},
        {K::Up, {2, 3}, {1, 3}},       {K::Up, {1, 3}, {1, 3}},       {K::Up, {7, 3}, {6, 3}},
        {K::Left, {2, 2}, {2, 1}},     {K::Left, {2, 1}, {2, 1}},     {K::Right, {2, 5}, {2, 6}},
        {K::Right, {2, 6}, {2, 6}},    {K::PageDown, {1, 2}, {5, 2}}, {K::PageDown, {4, 2}, {5, 2}},
        {K::PageDown, {5, 2}, {5, 2}}, {K::PageDown, {9, 2}, {9, 2}}, {K::PageUp, {9, 2}, {4, 2}},
        {K::PageUp, {6, 2}, {1, 2}},   {K::PageUp, {1, 2}, {1, 2}},
    };
    for (const KeyCase &c : cases) {
        const CellPosition to = cellAfterKey(c.from, c.key, kRows, 5);
        EXPECT_EQ(to, c.to) << static_cast<int>(c.key) << " from " << c.from.row << ":" << c.from.column
                            << " -> " << to.row << ":" << to.column;
    }
    // A long journal pages by the rows in view, one at least.
    EXPECT_EQ(cellAfterKey({1, 2}, NavigationKey::PageDown, 100, 5), (CellPosition{6, 2}));
    EXPECT_EQ(cellAfterKey({1, 2}, NavigationKey::PageDown, 100, 23), (CellPosition{24, 2}));
    EXPECT_EQ(cellAfterKey({30, 2}, NavigationKey::PageUp, 100, 23), (CellPosition{7, 2}));
    EXPECT_EQ(cellAfterKey({30, 2}, NavigationKey::PageUp, 100, 0), (CellPosition{29, 2}));
    // With no journal rows the keyboard stays on the first row.
    EXPECT_EQ(cellAfterKey({1, 1}, NavigationKey::Down, 0, 5), (CellPosition{1, 1}));
    EXPECT_EQ(cellAfterKey({1, 1}, NavigationKey::PageDown, 0, 5), (CellPosition{1, 1}));
}

} // namespace
} // namespace mokpe::journal
