#include "maintenance/account_code_check.h"

#include <algorithm>

namespace mokpe::maintenance {

QString listCodeMessage(int row)
{
    return QStringLiteral("「　") + QString::number(row) + QStringLiteral("　」") +
           QStringLiteral("行目：半角数字４桁以内のみ入力して下さい．");
}

bool isListAccountCode(const QString &code)
{
    if (code.size() != 3 && code.size() != 4)
        return false;
    // Only the half-width digits: QChar::isDigit() would also take full-width ones.
    return std::all_of(code.begin(), code.end(),
                       [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); });
}

bool Fm8_KamokuCheck(const AccountEditorContents &contents, platform::MessageService &messages)
{
    for (qsizetype i = 0; i < contents.rows.size(); ++i) {
        if (!isListAccountCode(contents.rows.at(i).code3)) {
            messages.inform(listCodeMessage(static_cast<int>(i) + 1));
            return false;
        }
    }
    const struct {
        const QString &text;
        qsizetype maxLength;
        const QString &message;
    } fixedChecks[] = {
        {contents.unsettled.code3, kFixedCodeMaxLength, kUnsettledCodeMessage},
        {contents.unsettled.name, kAccountNameMaxLength, kUnsettledNameMessage},
        {contents.emoney.code3, kFixedCodeMaxLength, kEmoneyCodeMessage},
        {contents.emoney.name, kAccountNameMaxLength, kEmoneyNameMessage},
    };
    for (const auto &check : fixedChecks) {
        if (check.text.size() > check.maxLength) {
            messages.inform(check.message);
            return false;
        }
    }
    // A comma in a code would move the fields of its line: read back, part of
    // the code would become the account's name. Names may hold commas.
    const QChar comma = QLatin1Char(',');
    for (qsizetype i = 0; i < contents.rows.size(); ++i) {
        if (contents.rows.at(i).code4.contains(comma)) {
            messages.inform(listCodeMessage(static_cast<int>(i) + 1));
            return false;
        }
    }
    const struct {
        const AccountTriple &account;
        const QString &message;
    } fixedAccounts[] = {{contents.unsettled, kUnsettledCodeMessage}, {contents.emoney, kEmoneyCodeMessage}};
    for (const auto &fixed : fixedAccounts) {
        if (fixed.account.code3.contains(comma) || fixed.account.code4.contains(comma)) {
            messages.inform(fixed.message);
            return false;
        }
    }
    return true;
}

} // namespace mokpe::maintenance
