#include "common/atomic_file.h"

#include "common/durable_write.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>

#include <algorithm>

namespace mokpe::common {

namespace {

const QString kTemporaryMark = QStringLiteral(".mokpe-");
const QString kTemporaryEnd = QStringLiteral(".tmp");
constexpr qsizetype kRandomLength = 6;
// What follows the file's name in its temporary's.
const qsizetype kTemporaryTail = kTemporaryMark.size() + kRandomLength + kTemporaryEnd.size();
// As many as the system follows in a path.
constexpr int kMaxLinks = 40;
// Names taken by chance, one after another: far more than ever happens.
constexpr int kMaxNameTries = 100;

bool isNameCharacter(QChar c)
{
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) ||
           (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) ||
           (c >= QLatin1Char('a') && c <= QLatin1Char('z'));
}

QString temporaryName(const QString &fileName)
{
    static const QLatin1String characters("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    QString name = fileName + kTemporaryMark;
    for (qsizetype i = 0; i < kRandomLength; ++i)
        name += characters.at(QRandomGenerator::global()->bounded(static_cast<int>(characters.size())));
    return name + kTemporaryEnd;
}

bool nameTaken(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

} // namespace

AtomicFile::AtomicFile(QString path) : path_(std::move(path))
{}

AtomicFile::~AtomicFile()
{
    discard();
}

bool AtomicFile::begin(QString &reason)
{
    written_ = writtenFilePath(path_);
    if (written_.isEmpty()) {
        reason = QStringLiteral("シンボリックリンクが循環しています．");
        return false;
    }
    const QFileInfo target(written_);
    const QString folder = target.absolutePath();
    for (int tries = 0; tries < kMaxNameTries; ++tries) {
        setFileName(QDir(folder).filePath(temporaryName(target.fileName())));
        if (!createTemporary(*this, target.exists())) {
            if (nameTaken(fileName()))
                continue;
            reason = errorString();
            return false;
        }
        if (!holdTemporary(*this, fileName())) {
            close();
            continue;
        }
        open_ = true;
        if (target.exists())
            setPermissions(target.permissions());
        removeLeftoverTemporaries(folder, target.fileName());
        return true;
    }
    reason = errorString();
    return false;
}

bool AtomicFile::replaceTarget(QString &reason)
{
    if (!replaceByTemporary(*this, written_, reason)) {
        discard();
        return false;
    }
    open_ = false;
    return true;
}

void AtomicFile::cancelWriting()
{
    failed_ = true;
}

qint64 AtomicFile::writeData(const char *data, qint64 len)
{
    if (failed_)
        return -1;
    const qint64 written = QFile::writeData(data, len);
    if (written < 0 || error() != NoError)
        failed_ = true;
    return written;
}

void AtomicFile::discard()
{
    failed_ = true;
    if (!open_)
        return;
    open_ = false;
    close();
    remove();
}

QString writtenFilePath(const QString &path)
{
    QFileInfo file(QFileInfo(path).absoluteFilePath());
    if (QString canonical = file.canonicalFilePath(); !canonical.isEmpty())
        return canonical;
    for (int links = 0; file.isSymLink(); ++links) {
        if (links == kMaxLinks)
            return {};
        file.setFile(file.symLinkTarget());
    }
    const QString folder = QFileInfo(file.absolutePath()).canonicalFilePath();
    return folder.isEmpty() ? file.absoluteFilePath() : QDir(folder).filePath(file.fileName());
}

bool isTemporaryName(const QString &name, const QString &fileName)
{
    const qsizetype base = name.size() - kTemporaryTail;
    if (base < 1 || !name.endsWith(kTemporaryEnd) ||
        QStringView(name).mid(base, kTemporaryMark.size()) != kTemporaryMark)
        return false;
    const QStringView random = QStringView(name).mid(base + kTemporaryMark.size(), kRandomLength);
    if (!std::all_of(random.begin(), random.end(), isNameCharacter))
        return false;
    return fileName.isEmpty() || QStringView(name).left(base) == fileName;
}

void removeLeftoverTemporaries(const QString &folder, const QString &fileName)
{
    if (folder.isEmpty())
        return;
    const QDir dir(folder);
    const QStringList names =
        dir.entryList({QLatin1Char('*') + kTemporaryMark + QLatin1Char('*') + kTemporaryEnd},
                      QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString &name : names) {
        if (isTemporaryName(name, fileName))
            removeAbandonedTemporary(dir.filePath(name));
    }
}

} // namespace mokpe::common
