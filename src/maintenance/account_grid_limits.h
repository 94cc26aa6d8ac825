#pragma once

// The account list of the editor: a grid of at most 2,000 rows, its heading row
// included, that always keeps at least one account row.
namespace mokpe::maintenance {

inline constexpr int kMaxAccountGridRows = 2000;
inline constexpr int kMinAccountRowsKept = 1;

// "1行挿入" and "最終行追加" add a row only while the grid has room.
constexpr bool canAddAccountRow(int gridRows)
{
    return gridRows < kMaxAccountGridRows;
}

// "1行削除" removes a row only while more than the kept rows remain.
constexpr bool canDeleteAccountRow(int gridRows)
{
    return gridRows - 1 > kMinAccountRowsKept;
}

} // namespace mokpe::maintenance
