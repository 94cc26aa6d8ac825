#include "journal/output_target.h"

#include "common/atomic_file.h"
#include "common/regular_file.h"
#include "common/text_file.h"
#include "settings/program_files.h"

#include <QDir>
#include <QFileInfo>

namespace mokpe::journal {

namespace {

#ifdef Q_OS_WIN
constexpr Qt::CaseSensitivity kNameCase = Qt::CaseInsensitive;
#else
constexpr Qt::CaseSensitivity kNameCase = Qt::CaseSensitive;
#endif

QString inputMessage(const QString &path)
{
    return QStringLiteral("ファイル「%1」は読み込んだファイルのため，出力先にできません．\r\n"
                          "別のファイル名を指定して下さい．")
        .arg(QDir::toNativeSeparators(path));
}

QString programFileMessage(const QString &path)
{
    return QStringLiteral("ファイル「%1」はモコペ！が使うファイルのため，出力先にできません．\r\n"
                          "別のファイル名を指定して下さい．")
        .arg(QDir::toNativeSeparators(path));
}

QString programFolderMessage(const QString &path)
{
    return QStringLiteral("ファイル「%1」はモコペ！のフォルダーにあるため，出力先にできません．\r\n"
                          "別のフォルダーを指定して下さい．")
        .arg(QDir::toNativeSeparators(path));
}

// Whether the program keeps a file of this name where the write lands
// (`written`: its links followed), also one not yet there, or `path` is a hard
// link to one of the fixed files.
bool isProgramFile(const QString &programFolder, const QString &path, const QFileInfo &written)
{
    if (common::isSameFile(written.absolutePath(), programFolder) &&
        settings::isProgramFileName(written.fileName(), kNameCase))
        return true;
    const QDir folder(programFolder);
    for (const QString &own : settings::fixedProgramFileNames()) {
        if (common::isSameFile(path, folder.filePath(own)))
            return true;
    }
    return false;
}

} // namespace

QString outputTargetCheck(const AppState &state, const QString &path, OutputKind kind)
{
    if (const QString reason = common::replaceRefusalReason(path); !reason.isEmpty())
        return common::writeFailureMessage(path, reason);
    const CardHistory &input = state.history;
    if (!input.sourcePath.isEmpty() && common::isSameFile(path, input.sourcePath) &&
        !(kind == OutputKind::JournalFile && input.cardKind == JournalFile))
        return inputMessage(path);
    // Where the write lands, as the write itself finds it (atomic_file.h);
    // links that go round in a circle lead nowhere, and the write says so.
    const QString writtenPath = common::writtenFilePath(path);
    if (state.programFolder.isEmpty() || writtenPath.isEmpty())
        return {};
    const QFileInfo written(writtenPath);
    if (isProgramFile(state.programFolder, path, written))
        return programFileMessage(path);
    // Nothing else there is the user's either: the program itself, a store set
    // aside, whatever the program may keep there.
    if (common::isSameFile(written.absolutePath(), state.programFolder))
        return programFolderMessage(path);
    return {};
}

} // namespace mokpe::journal
