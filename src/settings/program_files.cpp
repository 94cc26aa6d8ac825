#include "settings/program_files.h"

#include <QCryptographicHash>
#include <QDir>

namespace mokpe::settings {

namespace {

// Longer IDs are named by their hash, so that no name outgrows the file system.
constexpr qsizetype kLongestNamePart = 64;
const QString kStoreNamePrefix = QStringLiteral("card_reads_");

bool isPlainNameCharacter(QChar c)
{
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) ||
           (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) ||
           (c >= QLatin1Char('a') && c <= QLatin1Char('z')) || c == QLatin1Char('-');
}

} // namespace

QString programFilePath(const AppState &state, const QString &fileName)
{
    return QDir(state.programFolder).filePath(fileName);
}

QString settingsFilePath(const AppState &state)
{
    return programFilePath(state, kSettingsFileName);
}

QString accountCodeFilePath(const AppState &state)
{
    return programFilePath(state, kAccountCodeFileName);
}

QString personFilePath(const AppState &state)
{
    return programFilePath(state, kPersonFileName);
}

QString readStoreFilePath(const AppState &state, const QString &cardId)
{
    return programFilePath(state, readStoreFileName(cardId));
}

QString programExecutablePath(const AppState &state)
{
#ifdef Q_OS_WIN
    const QString fileName = QStringLiteral("MokpeCnv.exe");
#else
    const QString fileName = QStringLiteral("MokpeCnv");
#endif
    return QDir::toNativeSeparators(programFilePath(state, fileName));
}

QString readStoreFileName(const QString &cardId)
{
    if (cardId.isEmpty())
        return kReadStoreFileName;
    QString part;
    for (const QChar c : cardId) {
        if (isPlainNameCharacter(c))
            part += c;
        else
            part += QStringLiteral("_%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
    }
    if (part.size() > kLongestNamePart) {
        part =
            QLatin1Char('~') +
            QString::fromLatin1(QCryptographicHash::hash(cardId.toUtf8(), QCryptographicHash::Sha1).toHex());
    }
    return kStoreNamePrefix + part + QStringLiteral(".csv");
}

bool isReadStoreFileName(const QString &name, Qt::CaseSensitivity cs)
{
    QStringView store(name);
    if (store.endsWith(kLockSuffix, cs))
        store.chop(kLockSuffix.size());
    return store.compare(kReadStoreFileName, cs) == 0 ||
           (store.startsWith(kStoreNamePrefix, cs) && store.endsWith(QLatin1String(".csv"), cs));
}

bool anyReadStoreExists(const QString &programFolder)
{
    if (programFolder.isEmpty())
        return false;
    return !QDir(programFolder)
                .entryList({kReadStoreFileName, kStoreNamePrefix + QStringLiteral("*.csv")}, QDir::Files)
                .isEmpty();
}

QStringList fixedProgramFileNames()
{
    return {kSettingsFileName, kAccountCodeFileName, kPersonFileName};
}

bool isProgramFileName(const QString &name, Qt::CaseSensitivity cs)
{
    for (const QString &own : fixedProgramFileNames()) {
        if (name.compare(own, cs) == 0)
            return true;
    }
    return isReadStoreFileName(name, cs);
}

} // namespace mokpe::settings
