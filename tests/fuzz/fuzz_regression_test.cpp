// Every input kept under tests/fuzz/ goes through its fuzzing entry again:
// the seeds (small real files) and each input that once broke a rule or
// crashed. No rule may break.
#include "fuzz_entries.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace mokpe::fuzz {
namespace {

struct KeptInputs {
    const Target *target;
    // "seeds" or "regressions" (kept inputs that once broke a rule).
    const char *kind;
};

std::vector<KeptInputs> allKeptInputs()
{
    std::vector<KeptInputs> all;
    for (const Target &target : targets()) {
        all.push_back({&target, "seeds"});
        all.push_back({&target, "regressions"});
    }
    return all;
}

// A lean target reads the same inputs as its whole road: it replays that
// road's kept inputs too.
QStringList foldersOf(const KeptInputs &inputs)
{
    const QDir fuzz(QStringLiteral(MOKPE_FUZZ_DIR));
    const QString name = QLatin1String(inputs.target->name);
    const QString seeds = QLatin1String(inputs.target->seeds);
    if (std::string_view(inputs.kind) == "seeds")
        return {fuzz.filePath(seeds)};
    QStringList folders{fuzz.filePath(QStringLiteral("regressions/") + name)};
    if (seeds != name)
        folders.append(fuzz.filePath(QStringLiteral("regressions/") + seeds));
    return folders;
}

class KeptFuzzInputs : public testing::TestWithParam<KeptInputs> {};

TEST_P(KeptFuzzInputs, BreakNoRule)
{
    for (const QString &path : foldersOf(GetParam())) {
        const QDir folder(path);
        const QStringList names = folder.entryList(QDir::Files, QDir::Name);
        if (std::string_view(GetParam().kind) == "seeds") {
            ASSERT_FALSE(names.isEmpty()) << "no seeds in " << folder.path().toStdString();
        }
        for (const QString &name : names) {
            QFile file(folder.filePath(name));
            ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
            const QByteArray bytes = file.readAll();
            const Findings findings = GetParam().target->entry(bytes);
            EXPECT_TRUE(findings.isEmpty()) << folder.filePath(name).toStdString() << "\n"
                                            << findings.join(QLatin1Char('\n')).toStdString();
        }
    }
}

std::string caseName(const testing::TestParamInfo<KeptInputs> &info)
{
    return std::string(info.param.target->name) + "_" + info.param.kind;
}

INSTANTIATE_TEST_SUITE_P(Fuzz, KeptFuzzInputs, testing::ValuesIn(allKeptInputs()), caseName);

} // namespace
} // namespace mokpe::fuzz
