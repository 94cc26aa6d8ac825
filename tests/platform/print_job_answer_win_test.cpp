#include "platform/qt/print_job_answer.h"

#include <QStringList>

#include <optional>
#include <vector>

#include <gtest/gtest.h>

namespace mokpe::platform {
namespace {

QStringList forwarded;

void recordForwarded(QtMsgType, const QMessageLogContext &, const QString &message)
{
    forwarded.append(message);
}

// Qt's Windows print engine only warns (qErrnoWarning: a critical message) when the spooler refuses a page or
// the document and then reports the job as printed; the answer takes that warning for the refusal, with the
// system's words from its last parentheses, and passes every other message on to the handler that was there
// before.
TEST(PrintJobAnswer, TheSpoolersRefusalIsCaughtFromQtsWarning)
{
    struct Case {
        const char *name;
        QStringList warnings;
        std::optional<QString> refusal;
        QStringList passedOn;
    };
    const std::vector<Case> cases{
        {"accepted", {}, std::nullopt, {}},
        {"document refused",
         {QStringLiteral("QWin32PrintEngine::end: EndDoc failed (アクセスが拒否されました。)")},
         QStringLiteral("アクセスが拒否されました。"),
         {}},
        {"the first failure says why",
         {QStringLiteral(
              "QWin32PrintEngine::end: EndPage failed (0000001A) (ディスクの空き容量が不足しています。)"),
          QStringLiteral("QWin32PrintEngine::end: EndDoc failed (パラメーターが間違っています。)")},
         QStringLiteral("ディスクの空き容量が不足しています。"),
         {}},
        {"no words from the system",
         {QStringLiteral("QWin32PrintEngine::end: EndDoc failed")},
         QString(),
         {}},
        {"other messages pass on",
         {QStringLiteral("QFont::setPointSizeF: Point size <= 0 (0.000000), must be greater than 0"),
          QStringLiteral("QWin32PrintEngine::begin: StartDoc failed (アクセスが拒否されました。)")},
         std::nullopt,
         {QStringLiteral("QFont::setPointSizeF: Point size <= 0 (0.000000), must be greater than 0"),
          QStringLiteral("QWin32PrintEngine::begin: StartDoc failed (アクセスが拒否されました。)")}},
    };
    const QtMessageHandler before = qInstallMessageHandler(recordForwarded);
    for (const Case &c : cases) {
        forwarded.clear();
        std::optional<QString> refusal;
        {
            const PrintJobAnswer answer;
            for (const QString &warning : c.warnings)
                qCritical("%s", qUtf8Printable(warning));
            refusal = answer.refusal();
        }
        EXPECT_EQ(refusal, c.refusal) << c.name;
        EXPECT_EQ(forwarded, c.passedOn) << c.name;
        // Once the job is over, Qt's warnings are nobody's refusal.
        qCritical("QWin32PrintEngine::end: EndDoc failed (later)");
        EXPECT_EQ(forwarded.size(), c.passedOn.size() + 1) << c.name;
    }
    qInstallMessageHandler(before);
}

} // namespace
} // namespace mokpe::platform
