// One libFuzzer target: MOKPE_FUZZ_TARGET names the entry it feeds.
#include "fuzz_entries.h"

#include "support/test_environment.h"

#include <QGuiApplication>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

const mokpe::fuzz::Target *target = nullptr;

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    // The same environment as the tests: pinned locale and time zone, a
    // private home, offscreen windows (the report measures text with fonts).
    mokpe::test::pinTestEnvironment();
    static QGuiApplication app(*argc, *argv);
    target = mokpe::fuzz::findTarget(QStringLiteral(MOKPE_FUZZ_TARGET));
    if (!target) {
        std::fprintf(stderr, "no fuzzing entry named %s\n", MOKPE_FUZZ_TARGET);
        std::abort();
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const mokpe::fuzz::Findings findings =
        target->entry(QByteArrayView(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size)));
    if (findings.isEmpty())
        return 0;
    for (const QString &finding : findings)
        std::fprintf(stderr, "broken rule: %s\n", finding.toUtf8().constData());
    std::abort();
}
