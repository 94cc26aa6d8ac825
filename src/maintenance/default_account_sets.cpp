#include "maintenance/default_account_sets.h"

namespace mokpe::maintenance {

namespace {

struct ListAccount {
    const char16_t *code3;
    const char16_t *wCode4;
    const char16_t *fuurinCode4;
    const char16_t *wName;
    const char16_t *fuurinName;
};

constexpr ListAccount kListAccounts[] = {
    {u"842", u"8471", u"8410", u"旅費交通費", u"旅費交通費"},
    {u"854", u"8641", u"8421", u"運賃", u"運賃"},
    {u"837", u"8451", u"8351", u"福利厚生費", u"福利厚生費"},
    {u"844", u"8491", u"8440", u"交際費", u"交際費"},
    {u"877", u"8521", u"8561", u"会議費", u"会議費"},
    {u"869", u"8991", u"8599", u"雑費", u"雑費"},
    {u"853", u"8621", u"8551", u"消耗品費", u"消耗品費"},
    {u"856", u"8661", u"8550", u"事務用品費", u"事務用品費"},
    {u"843", u"8481", u"8420", u"通信費", u"通信費"},
    {u"861", u"8711", u"8560", u"新聞図書費", u"新聞図書費"},
    {u"879", u"8561", u"8510", u"リース料", u"賃借料"},
    {u"857", u"8671", u"8450", u"広告宣伝費", u"広告宣伝費"},
    {u"849", u"8591", u"8540", u"水道光熱費", u"水道光熱費"},
    {u"111", u"1111", u"1100", u"現金", u"現金"},
    {u"131", u"1311", u"1120", u"普通預金", u"普通預金"},
    {u"121", u"1211", u"1110", u"当座預金", u"当座預金"},
};

QString text(const char16_t *s)
{
    return QString::fromUtf16(s);
}

} // namespace

AccountEditorContents defaultSetContents(DefaultAccountSet set)
{
    const bool w = set == DefaultAccountSet::WCodes;
    AccountEditorContents contents;
    if (w) {
        contents.unsettled = {QStringLiteral("186"), QStringLiteral("1882"), QStringLiteral("電子未決")};
        contents.emoney = {QStringLiteral("113"), QStringLiteral("1131"), QStringLiteral("電子マネー")};
    } else {
        contents.unsettled = {QStringLiteral("186"), QStringLiteral("1800"), QStringLiteral("仕訳未決定")};
        contents.emoney = {QStringLiteral("113"), QStringLiteral("1412"), QStringLiteral("仮払金")};
    }
    for (const ListAccount &a : kListAccounts) {
        contents.rows.append(
            {text(a.code3), text(w ? a.wCode4 : a.fuurinCode4), text(w ? a.wName : a.fuurinName)});
    }
    return contents;
}

int defaultSetFlag(DefaultAccountSet set)
{
    return set == DefaultAccountSet::WCodes ? 1 : 0;
}

AccountEditorContents loadDefaultSet(AppState &state, DefaultAccountSet set)
{
    state.accountEditorDefaultSet = defaultSetFlag(set);
    return defaultSetContents(set);
}

} // namespace mokpe::maintenance
