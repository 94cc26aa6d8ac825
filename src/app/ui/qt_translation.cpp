#include "app/ui/qt_translation.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QTranslator>

namespace mokpe::ui {

namespace {
const QString kQtBaseJapanese = QStringLiteral("qtbase_ja.qm");
} // namespace

QStringList qtTranslationFolders()
{
    return {QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("translations")),
            QLibraryInfo::path(QLibraryInfo::TranslationsPath)};
}

QString installQtTranslation(const QStringList &folders)
{
    for (const QString &folder : folders) {
        QString file = QDir(folder).filePath(kQtBaseJapanese);
        auto *translator = new QTranslator(QCoreApplication::instance());
        if (translator->load(file) && QCoreApplication::installTranslator(translator))
            return file;
        delete translator;
    }
    return {};
}

} // namespace mokpe::ui
