#pragma once

#include "common/app_state.h"

#include <QHash>
#include <QString>

#include <array>

// Account name to account code for the export: the first account of exactly
// that name gives the code; without one, the first line of the account code
// table that contains the name anywhere (codes included). Containment alone
// gave cash the code of petty cash ("小口現金") when that came first.
namespace mokpe::output {

// Which of a line's two codes a format writes.
enum class CodeDigits {
    None,  // no format selected: every code is empty
    Three, // the text before the first comma (会計, 楓林 ３桁)
    Four,  // the text between the first and second comma (出納帳, 楓林 ４桁)
};

CodeDigits codeDigitsOf(int format);

// Empty for an empty name, for a name no line contains, or with no format.
QString Fm3_KamokuCodeGet(const AccountCodeTable &accounts, const QString &name, CodeDigits digits);

// The same lookup, remembering each name's code: a journal names few accounts
// many times. The code returned stays valid until the next call; its
// characters stay where they are as long as the cache lives.
class AccountCodeCache {
public:
    AccountCodeCache(const AccountCodeTable &accounts, CodeDigits digits)
        : accounts_(accounts), digits_(digits)
    {}
    const QString &code(const QString &name);

private:
    const AccountCodeTable &accounts_;
    CodeDigits digits_;
    QHash<QString, QString> codes_;
    // The last names asked for and their codes. A built journal's rows share
    // one string per account, told from another by the address of its
    // characters without reading them (a literal's too, which isSharedWith
    // does not tell).
    struct Recent {
        QString name;
        QString code;
    };
    std::array<Recent, 2> recent_;
    size_t nextRecent_ = 0;
};

} // namespace mokpe::output
