#include "journal/output_target.h"

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

// Whether the program keeps a file of this name in its folder at `path`:
// looked at where the write goes (a link's target), also for a file not yet
// there, and for a hard link to one of the fixed files.
bool isProgramFolderFile(const QString &programFolder, const QString &path)
{
    if (programFolder.isEmpty())
        return false;
    const QFileInfo given(path);
    const QFileInfo written(given.isSymLink() ? given.symLinkTarget() : given.absoluteFilePath());
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
    if (isProgramFolderFile(state.programFolder, path))
        return programFileMessage(path);
    return {};
}

} // namespace mokpe::journal
