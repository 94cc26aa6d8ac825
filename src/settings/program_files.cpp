#include "settings/program_files.h"

#include <QCryptographicHash>
#include <QDir>

namespace mokpe::settings {

namespace {

// Longer IDs are named by their hash, so that no name outgrows the file system.
constexpr qsizetype kLongestNamePart = 64;
const QString kStoreNamePrefix = QStringLiteral("card_reads_");
const QString kUserStoreNamePrefix = QStringLiteral("user_reads_");

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
    if (!cardId.isEmpty())
        return programFilePath(state, readStoreFileName(cardId));
    if (!state.userEntry.isEmpty())
        return programFilePath(state, userReadStoreFileName(state.userEntry));
    return {};
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

namespace {

// Letters, digits and "-" as they are, any other character as "_" and four
// hex digits; a name too long for a file system by its hash after a "~",
// which nothing written out can give.
QString fileNamePart(const QString &key)
{
    QString part;
    for (const QChar c : key) {
        if (isPlainNameCharacter(c))
            part += c;
        else
            part += QStringLiteral("_%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
    }
    if (part.size() > kLongestNamePart) {
        part = QLatin1Char('~') +
               QString::fromLatin1(QCryptographicHash::hash(key.toUtf8(), QCryptographicHash::Sha1).toHex());
    }
    return part;
}

} // namespace

QString readStoreFileName(const QString &cardId)
{
    if (cardId.isEmpty())
        return kReadStoreFileName;
    return kStoreNamePrefix + fileNamePart(cardId) + QStringLiteral(".csv");
}

QString userReadStoreFileName(const QString &userEntry)
{
    return kUserStoreNamePrefix + fileNamePart(userEntry) + QStringLiteral(".csv");
}

bool isReadStoreFileName(const QString &name, Qt::CaseSensitivity cs)
{
    QStringView store(name);
    if (store.endsWith(kLockSuffix, cs))
        store.chop(kLockSuffix.size());
    if (store.compare(kReadStoreFileName, cs) == 0)
        return true;
    return (store.startsWith(kStoreNamePrefix, cs) || store.startsWith(kUserStoreNamePrefix, cs)) &&
           store.endsWith(QLatin1String(".csv"), cs);
}

bool anyReadStoreExists(const QString &programFolder)
{
    if (programFolder.isEmpty())
        return false;
    return !QDir(programFolder)
                .entryList({kReadStoreFileName, kStoreNamePrefix + QStringLiteral("*.csv"),
                            kUserStoreNamePrefix + QStringLiteral("*.csv")},
                           QDir::Files)
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
