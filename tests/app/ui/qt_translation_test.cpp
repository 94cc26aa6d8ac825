#include "app/ui/qt_translation.h"

#include "support/file_helpers.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QTranslator>

#include <gtest/gtest.h>

namespace mokpe::ui {
namespace {

// Takes Qt's texts back to English for the tests that follow.
struct TranslationsRemoved {
    ~TranslationsRemoved()
    {
        for (QTranslator *t : QCoreApplication::instance()->findChildren<QTranslator *>()) {
            QCoreApplication::removeTranslator(t);
            delete t;
        }
    }
};

QString buttonText(QMessageBox &box, QMessageBox::StandardButton which)
{
    return box.button(which)->text().remove(QLatin1Char('&'));
}

TEST(QtTranslation, LookedForBesideTheProgramFirstThenInQtsOwnFolder)
{
    EXPECT_EQ(
        qtTranslationFolders(),
        (QStringList{QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("translations")),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)}));
}

// The Windows build's copy beside the program wins over Qt's own; a folder
// without the file is passed over; with none, Qt's texts stay as they are.
TEST(QtTranslation, AQuestionsButtonsReadJapanese)
{
    const TranslationsRemoved removed;
    // Qt's own on Linux; beside the program in a Windows build.
    QString qtOwn;
    for (const QString &folder : qtTranslationFolders()) {
        if (QFile::exists(QDir(folder).filePath(QStringLiteral("qtbase_ja.qm"))))
            qtOwn = QDir(folder).filePath(QStringLiteral("qtbase_ja.qm"));
    }
    ASSERT_FALSE(qtOwn.isEmpty()) << "qt6-translations-l10n is not installed";
    test::TempFolder none;
    test::TempFolder beside;
    ASSERT_TRUE(QFile::copy(qtOwn, beside.file(QStringLiteral("qtbase_ja.qm"))));

    EXPECT_EQ(installQtTranslation({none.path()}), QString());
    EXPECT_EQ(installQtTranslation({none.path(), beside.path(), QFileInfo(qtOwn).path()}),
              beside.file(QStringLiteral("qtbase_ja.qm")));

    QMessageBox question(QMessageBox::Question, QStringLiteral("ファイルの上書き"),
                         QStringLiteral("同じファイル名があります．上書きしますか？"),
                         QMessageBox::Yes | QMessageBox::No);
    // As Japanese Windows shows them, with their access keys.
    EXPECT_EQ(buttonText(question, QMessageBox::Yes), QStringLiteral("はい(Y)"));
    EXPECT_EQ(buttonText(question, QMessageBox::No), QStringLiteral("いいえ(N)"));
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", "File &name:"), QStringLiteral("ファイル名(&N):"));
    EXPECT_EQ(QCoreApplication::translate("QPrintPreviewDialog", "Print"), QStringLiteral("印刷"));
}

} // namespace
} // namespace mokpe::ui
