#include "maintenance/list_grid.h"

#include "maintenance/account_list.h"
#include "maintenance/list_grid_model.h"
#include "maintenance/user_list.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>

#include <gtest/gtest.h>

namespace mokpe::maintenance {
namespace {

const QStringList kHeadings = {QStringLiteral("No."), QStringLiteral("名前"), QStringLiteral("メモ")};

// A grid of two entry columns holding `names` in column 1 and "m" + name in
// column 2, numbered (as loaded) or not (as typed into a fresh grid).
ListGrid gridOf(const QStringList &names, int maxRowTotal, bool numbered = true)
{
    ListGrid grid(kHeadings, maxRowTotal, static_cast<int>(names.size()) + 1);
    QList<QStringList> rows;
    for (const QString &name : names)
        rows.append({name, name.isEmpty() ? QString() : QLatin1Char('m') + name});
    if (numbered) {
        grid.setRows(rows);
        return grid;
    }
    for (int r = 1; r <= rows.size(); ++r) {
        grid.setText(r, 1, rows.at(r - 1).at(0));
        grid.setText(r, 2, rows.at(r - 1).at(1));
    }
    return grid;
}

QStringList column(const ListGrid &grid, int c)
{
    QStringList texts;
    for (int r = 1; r < grid.rowTotal(); ++r)
        texts.append(grid.text(r, c));
    return texts;
}

QStringList numbers(int count)
{
    QStringList n;
    for (int i = 1; i <= count; ++i)
        n.append(QString::number(i));
    return n;
}

enum class RowOp { Insert, Append, Remove };

// The row buttons' limits and what each does to the rows and their numbers.
TEST(ListGridTest, RowOperationsKeepTheLimitsAndNumberTheRows)
{
    const QString a = QStringLiteral("a"), b = QStringLiteral("b"), c = QStringLiteral("c"), e;
    const struct Case {
        const char *name;
        QStringList before;
        int maxRowTotal;
        bool numbered;
        RowOp op;
        int row;
        int count;
        bool done;
        QStringList after;
    } cases[] = {
        {"insert in the middle", {a, b, c}, 10, true, RowOp::Insert, 2, 1, true, {a, e, b, c}},
        {"insert at the first row", {a, b, c}, 10, true, RowOp::Insert, 1, 1, true, {e, a, b, c}},
        {"insert below the last row", {a, b, c}, 10, true, RowOp::Insert, 4, 1, true, {a, b, c, e}},
        {"insert two", {a, b}, 10, true, RowOp::Insert, 2, 2, true, {a, e, e, b}},
        {"insert into a full grid", {a, b, c}, 4, true, RowOp::Insert, 2, 1, false, {a, b, c}},
        {"insert two into one place", {a, b, c}, 5, true, RowOp::Insert, 2, 2, false, {a, b, c}},
        {"insert at the heading row", {a, b}, 10, true, RowOp::Insert, 0, 1, false, {a, b}},
        {"insert past the end", {a, b}, 10, true, RowOp::Insert, 4, 1, false, {a, b}},
        {"insert nothing", {a, b}, 10, true, RowOp::Insert, 1, 0, false, {a, b}},
        {"append the last place", {a, b}, 4, true, RowOp::Append, 0, 1, true, {a, b, e}},
        {"append to a full grid", {a, b, c}, 4, true, RowOp::Append, 0, 1, false, {a, b, c}},
        {"remove in the middle", {a, b, c}, 10, true, RowOp::Remove, 2, 1, true, {a, c}},
        {"remove the last row", {a, b, c}, 10, true, RowOp::Remove, 3, 1, true, {a, b}},
        {"remove two", {a, b, c}, 10, true, RowOp::Remove, 1, 2, true, {c}},
        {"remove from a grid over its limit", {a, b, c}, 3, true, RowOp::Remove, 1, 1, true, {b, c}},
        {"remove the only row", {a}, 10, true, RowOp::Remove, 1, 1, false, {a}},
        {"remove every row", {a, b}, 10, true, RowOp::Remove, 1, 2, false, {a, b}},
        {"remove the heading row", {a, b}, 10, true, RowOp::Remove, 0, 1, false, {a, b}},
        {"remove past the end", {a, b}, 10, true, RowOp::Remove, 2, 2, false, {a, b}},
        {"insert numbers every row", {a, b}, 10, false, RowOp::Insert, 3, 1, true, {a, b, e}},
        {"remove numbers every row", {a, b, c}, 10, false, RowOp::Remove, 1, 1, true, {b, c}},
        {"a refused row leaves the numbers away", {a, b}, 3, false, RowOp::Append, 0, 1, false, {a, b}},
    };
    for (const Case &t : cases) {
        ListGrid grid = gridOf(t.before, t.maxRowTotal, t.numbered);
        bool done = false;
        switch (t.op) {
        case RowOp::Insert:
            done = grid.insertRows(t.row, t.count);
            break;
        case RowOp::Append:
            done = grid.appendRow();
            break;
        case RowOp::Remove:
            done = grid.removeRows(t.row, t.count);
            break;
        }
        EXPECT_EQ(done, t.done) << t.name;
        EXPECT_EQ(column(grid, 1), t.after) << t.name;
        for (int r = 1; r < grid.rowTotal(); ++r)
            EXPECT_EQ(grid.text(r, 2),
                      t.after.at(r - 1).isEmpty() ? QString() : QLatin1Char('m') + t.after.at(r - 1))
                << t.name << " row " << r;
        const bool numbered = t.numbered || t.done;
        EXPECT_EQ(grid.rowsNumbered(), numbered) << t.name;
        EXPECT_EQ(column(grid, 0), numbered ? numbers(static_cast<int>(t.after.size()))
                                            : QStringList(t.after.size(), QString()))
            << t.name;
    }
}

// The two editors' lists: "1行挿入" and "最終行追加" stop at 2,000 rows with
// the heading (1,999 accounts) and at 20,000 (19,999 users); "1行削除" keeps
// the last row.
TEST(ListGridTest, EachEditorsListStopsAtItsLimitAndKeepsOneRow)
{
    const struct Case {
        const char *list;
        ListGrid (*make)();
        int entries;
        RowOp op;
        bool done;
    } cases[] = {
        {"accounts", makeAccountList, 1998, RowOp::Append, true},
        {"accounts", makeAccountList, 1999, RowOp::Append, false},
        {"accounts", makeAccountList, 1999, RowOp::Insert, false},
        {"accounts", makeAccountList, 1999, RowOp::Remove, true},
        {"accounts", makeAccountList, 1, RowOp::Remove, false},
        {"users", makeUserList, 19998, RowOp::Append, true},
        {"users", makeUserList, 19999, RowOp::Append, false},
        {"users", makeUserList, 19999, RowOp::Insert, false},
        {"users", makeUserList, 19999, RowOp::Remove, true},
        {"users", makeUserList, 1, RowOp::Remove, false},
    };
    for (const Case &t : cases) {
        ListGrid list = t.make();
        list.setRows(QList<QStringList>(t.entries, QStringList{QStringLiteral("1")}));
        const bool done = t.op == RowOp::Insert   ? list.insertRows(1)
                          : t.op == RowOp::Append ? list.appendRow()
                                                  : list.removeRows(1);
        const int change = !done ? 0 : t.op == RowOp::Remove ? -1 : 1;
        EXPECT_EQ(done, t.done) << t.list << " " << t.entries;
        EXPECT_EQ(list.rowTotal() - 1, t.entries + change) << t.list << " " << t.entries;
    }
}

// Only the entry cells are the user's: the headings and the numbers stay.
TEST(ListGridTest, OnlyEntryCellsTakeText)
{
    const struct Case {
        int row;
        int column;
        bool taken;
    } cases[] = {{1, 1, true},  {2, 2, true},  {0, 1, false},  {1, 0, false},
                 {3, 1, false}, {1, 3, false}, {-1, 1, false}, {1, -1, false}};
    for (const Case &t : cases) {
        ListGrid grid = gridOf({QStringLiteral("a"), QStringLiteral("b")}, 10);
        grid.setText(t.row, t.column, QStringLiteral("x"));
        int changed = 0;
        for (int r = 0; r < grid.rowTotal(); ++r) {
            for (int c = 0; c < grid.columnCount(); ++c)
                changed += grid.text(r, c) == QStringLiteral("x");
        }
        EXPECT_EQ(changed, t.taken ? 1 : 0) << t.row << "," << t.column;
        EXPECT_EQ(grid.text(t.row, t.column) == QStringLiteral("x"), t.taken) << t.row << "," << t.column;
    }
}

// Loading: clear keeps the rows without numbers; setRows shows what it is given, numbered.
TEST(ListGridTest, ClearingAndLoadingRows)
{
    const QString a = QStringLiteral("a"), b = QStringLiteral("b"), e;
    const struct Case {
        const char *name;
        bool load; // setRows(rows), else clear(clearTo)
        QList<QStringList> rows;
        int clearTo;
        QStringList column1;
        QStringList column2;
    } cases[] = {
        {"cleared", false, {}, 4, {e, e, e}, {e, e, e}},
        {"cleared to fewer rows", false, {}, 2, {e}, {e}},
        {"cleared to no entry row", false, {}, 1, {e}, {e}},
        {"loaded", true, {{a, QStringLiteral("x")}, {b, e}}, 0, {a, b}, {QStringLiteral("x"), e}},
        {"a short row", true, {{a}, {b, QStringLiteral("y")}}, 0, {a, b}, {e, QStringLiteral("y")}},
        {"nothing loaded", true, {}, 0, {e}, {e}},
    };
    for (const Case &t : cases) {
        ListGrid grid = gridOf({QStringLiteral("p"), QStringLiteral("q"), QStringLiteral("r")}, 10);
        if (t.load)
            grid.setRows(t.rows);
        else
            grid.clear(t.clearTo);
        EXPECT_EQ(column(grid, 1), t.column1) << t.name;
        EXPECT_EQ(column(grid, 2), t.column2) << t.name;
        EXPECT_EQ(grid.rowsNumbered(), t.load) << t.name;
        EXPECT_EQ(column(grid, 0),
                  t.load ? numbers(static_cast<int>(t.column1.size())) : QStringList(t.column1.size(), e))
            << t.name;
    }

    // Loading is not held to the limit; adding is.
    ListGrid grid(kHeadings, 3, 2);
    grid.setRows(QList<QStringList>(5, QStringList{a}));
    EXPECT_EQ(grid.rowTotal(), 6);
    EXPECT_FALSE(grid.appendRow());
    EXPECT_TRUE(grid.removeRows(2));
}

struct ListGridModelTest : ::testing::Test {
    ListGrid grid = gridOf({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}, 6);
    ListGridModel model{grid};
    QAbstractItemModelTester tester{&model, QAbstractItemModelTester::FailureReportingMode::Fatal};
};

TEST_F(ListGridModelTest, HeadingsAreTheHeaderAndOnlyEntryCellsAreEditable)
{
    EXPECT_EQ(model.rowCount(), 3);
    EXPECT_EQ(model.columnCount(), 3);
    EXPECT_EQ(model.headerData(1, Qt::Horizontal).toString(), QStringLiteral("名前"));
    EXPECT_EQ(model.index(1, 0).data().toString(), QStringLiteral("2"));
    EXPECT_EQ(model.index(1, 2).data().toString(), QStringLiteral("mb"));
    EXPECT_EQ(model.index(0, 0).data(Qt::TextAlignmentRole).value<Qt::Alignment>(),
              Qt::AlignRight | Qt::AlignVCenter);
    EXPECT_EQ(model.flags(model.index(0, 0)), Qt::ItemIsEnabled);
    EXPECT_TRUE(model.flags(model.index(0, 1)).testFlag(Qt::ItemIsEditable));

    EXPECT_FALSE(model.setData(model.index(0, 0), QStringLiteral("9")));
    EXPECT_EQ(grid.text(1, 0), QStringLiteral("1"));
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    EXPECT_TRUE(model.setData(model.index(2, 1), QStringLiteral("z")));
    EXPECT_EQ(grid.text(3, 1), QStringLiteral("z"));
    ASSERT_EQ(changed.size(), 1);
    EXPECT_EQ(changed[0][0].toModelIndex(), model.index(2, 1));
}

TEST_F(ListGridModelTest, RowsGoThroughTheGridsLimitsAndEveryChangeIsAnnounced)
{
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    QSignalSpy removed(&model, &QAbstractItemModel::rowsRemoved);
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);

    // The new row and those below it take their numbers after the rows moved.
    ASSERT_TRUE(model.insertRows(1, 1));
    ASSERT_EQ(inserted.size(), 1);
    EXPECT_EQ(inserted[0][1].toInt(), 1);
    EXPECT_EQ(inserted[0][2].toInt(), 1);
    ASSERT_EQ(changed.size(), 1);
    EXPECT_EQ(changed[0][0].toModelIndex(), model.index(1, 0));
    EXPECT_EQ(changed[0][1].toModelIndex(), model.index(3, 0));

    EXPECT_TRUE(model.insertRows(4, 1));
    EXPECT_FALSE(model.insertRows(0, 1));
    EXPECT_EQ(inserted.size(), 2);
    EXPECT_EQ(model.rowCount(), 5);

    ASSERT_TRUE(model.removeRows(0, 4));
    EXPECT_EQ(removed.size(), 1);
    EXPECT_FALSE(model.removeRows(0, 1));
    EXPECT_EQ(model.rowCount(), 1);

    // Loading fewer rows drops them from the end and changes the rest: a cell
    // that is still there stays where the view has it.
    grid.setRows(QList<QStringList>(4, QStringList{QStringLiteral("n")}));
    const QPersistentModelIndex kept = model.index(1, 1);
    grid.setRows({{QStringLiteral("x")}, {QStringLiteral("y")}});
    EXPECT_EQ(kept.row(), 1);
    EXPECT_EQ(kept.data().toString(), QStringLiteral("y"));
    grid.clear(grid.rowTotal());
    EXPECT_EQ(model.rowCount(), 2);
    EXPECT_EQ(reset.size(), 0);
}

} // namespace
} // namespace mokpe::maintenance
