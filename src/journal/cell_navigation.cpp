#include "journal/cell_navigation.h"

#include <algorithm>

namespace mokpe::journal {

namespace {

constexpr int kFirstMovableColumn = DateColumn;

} // namespace

CellPosition cellAfterKey(CellPosition current, NavigationKey key, int journalRowCount, int pageRows)
{
    pageRows = std::max(pageRows, 1);
    CellPosition next = current;
    switch (key) {
    case NavigationKey::Left:
        if (current.column > kFirstMovableColumn)
            --next.column;
        break;
    case NavigationKey::Right:
        if (current.column < SummaryColumn)
            ++next.column;
        break;
    case NavigationKey::Up:
        if (current.row > 1)
            --next.row;
        break;
    case NavigationKey::Down:
        next.row = rowAfterEnter(current.row, journalRowCount);
        break;
    case NavigationKey::PageUp:
        next.row = std::max(current.row - pageRows, 1);
        break;
    case NavigationKey::PageDown:
        if (current.row < journalRowCount)
            next.row = std::min(current.row + pageRows, journalRowCount);
        break;
    }
    return next;
}

int rowAfterEnter(int row, int journalRowCount)
{
    return row < journalRowCount ? row + 1 : row;
}

} // namespace mokpe::journal
