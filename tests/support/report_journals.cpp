#include "support/report_journals.h"

#include <algorithm>

namespace mokpe::test {

journal::JournalGrid journalOf(const std::vector<journal::RowTexts> &rows)
{
    journal::JournalGrid grid;
    const int count = static_cast<int>(rows.size());
    grid.setRowTotal(std::max(grid.rowTotal(), count + 1));
    for (int r = 1; r <= count; ++r)
        grid.setRowTexts(r, rows[static_cast<size_t>(r - 1)]);
    grid.setJournalRowCount(count);
    return grid;
}

journal::JournalGrid sampleJournal(int count)
{
    std::vector<journal::RowTexts> rows;
    rows.reserve(static_cast<size_t>(count));
    for (int r = 1; r <= count; ++r) {
        const QString number = QString::number(r);
        const QString date = QStringLiteral("2026/%1/%2")
                                 .arg((r / 28) % 12 + 1, 2, 10, QLatin1Char('0'))
                                 .arg(r % 28 + 1, 2, 10, QLatin1Char('0'));
        const QString amount = QString::number((r * 137) % 20000 + 1);
        if (r % 10 == 0) {
            rows.push_back({number, date, QStringLiteral("電子マネー"), amount, QStringLiteral("現金"),
                            amount, QStringLiteral("No.1: 山田，電子ﾏﾈ ﾁｬｰｼﾞ")});
        } else if (r % 7 == 0) {
            rows.push_back({number, date, QStringLiteral("現金"), amount, QStringLiteral("売上高"), amount,
                            QStringLiteral("No.1: 山田，現金精算")});
        } else {
            rows.push_back({number, date, QStringLiteral("旅費交通費"), amount, QStringLiteral("電子マネー"),
                            amount, QStringLiteral("No.1: 山田，入 渋谷 出 新宿")});
        }
    }
    return journalOf(rows);
}

} // namespace mokpe::test
