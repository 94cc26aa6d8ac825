#include "support/text_compare.h"

#include "common/cp932.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace mokpe::test {

namespace {

QStringList linesOf(const QByteArray &bytes)
{
    const common::Cp932Decoded decoded = common::decodeCp932(bytes);
    if (!decoded.ok)
        return {QStringLiteral("<not CP932 at byte %1>").arg(decoded.errorOffset)};
    return decoded.text.split(QStringLiteral("\r\n"));
}

} // namespace

void expectSameCp932Bytes(const QByteArray &actual, const QByteArray &expected)
{
    if (actual == expected)
        return;
    const QStringList a = linesOf(actual);
    const QStringList e = linesOf(expected);
    for (qsizetype i = 0; i < std::max(a.size(), e.size()); ++i) {
        const QString got = i < a.size() ? a.at(i) : QStringLiteral("<none>");
        const QString want = i < e.size() ? e.at(i) : QStringLiteral("<none>");
        if (got != want) {
            ADD_FAILURE() << "line " << i + 1
                          << " differs (lines split at CR LF)\n  written:  " << got.toStdString()
                          << "\n  expected: " << want.toStdString();
            return;
        }
    }
    ADD_FAILURE() << "the bytes differ, but not the CP932 lines split at CR LF (" << actual.size()
                  << " against " << expected.size() << " bytes)";
}

} // namespace mokpe::test
