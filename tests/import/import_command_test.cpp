#include "import/import_command.h"

#include "import/import_messages.h"
#include "settings/program_files.h"
#include "support/file_helpers.h"
#include "support/scripted_services.h"

#include <QDir>

#include <gtest/gtest.h>

namespace mokpe::import {
namespace {

using test::writeBytes;

struct ImportCommandTest : ::testing::Test {
    test::TempFolder folder;
    test::TempFolder cards;
    test::ScriptedServices fakes;
    AppState state;
    int editorShown = 0;
    std::function<void()> showEditor = [this] { ++editorShown; };

    ImportCommandTest()
    {
        state.programFolder = folder.path();
        state.codeSystemState = 1;
        fakes.files.present.insert(settings::accountCodeFilePath(state));
    }
    QString card(const QString &name, const QByteArray &bytes)
    {
        const QString path = cards.file(name);
        writeBytes(path, bytes);
        return path;
    }
    void run() { importCommand(state, {fakes.messages, fakes.dialogs, fakes.files}, showEditor); }
};

TEST_F(ImportCommandTest, ChosenFileIsReadAndTheEditorShown)
{
    const QString path = card(QStringLiteral("2026年11月.csv"), QByteArray("Edy\r\n"));
    fakes.dialogs.chooseNext(path);
    run();
    EXPECT_TRUE(fakes.messages.shown.empty());
    EXPECT_EQ(fakes.dialogs.filters, QStringList{QStringLiteral("CSVファイル (*.csv)")});
    EXPECT_EQ(state.history.sourcePath, path);
    EXPECT_EQ(state.history.sourceName, QStringLiteral("2026年11月.csv"));
    EXPECT_EQ(state.history.cardKind, Edy);
    EXPECT_EQ(editorShown, 1);
}

TEST_F(ImportCommandTest, SourceNameIsTheLastPartOfADeepPath)
{
    QDir(cards.path()).mkpath(QStringLiteral("a/b/c"));
    const QString path = card(QStringLiteral("a/b/c/d.csv"), QByteArray("No.\r\n"));
    fakes.dialogs.chooseNext(path);
    run();
    EXPECT_EQ(state.history.sourcePath, path);
    EXPECT_EQ(state.history.sourceName, QStringLiteral("d.csv"));
    EXPECT_EQ(editorShown, 1);
}

TEST_F(ImportCommandTest, MissingAccountCodeTableOrCodeSystemStopsBeforeTheDialog)
{
    const QString expected = QStringLiteral("科目種類の選択は，\r\n\r\n「メンテナンス」→「科目コード設定」→"
                                            "「初回読込み」欄より\r\n\r\n選択して下さい．");
    // The table is there but no code system is chosen.
    state.codeSystemState = -1;
    run();
    // A code system is chosen but the table is missing.
    state.codeSystemState = 0;
    fakes.files.present.clear();
    run();
    EXPECT_EQ(fakes.messages.texts(), (QStringList{expected, expected}));
    EXPECT_EQ(fakes.messages.texts().first(), kPrerequisiteMessage);
    EXPECT_EQ(fakes.files.asked.last(), settings::accountCodeFilePath(state));
    EXPECT_TRUE(fakes.dialogs.filters.isEmpty());
    EXPECT_EQ(editorShown, 0);
}

TEST_F(ImportCommandTest, BothCodeSystemsMayImport)
{
    for (const qint16 codeSystem : {qint16(0), qint16(1)}) {
        state.codeSystemState = codeSystem;
        fakes.dialogs.chooseNext(card(QStringLiteral("x.csv"), QByteArray("Edy\r\n")));
        run();
    }
    EXPECT_TRUE(fakes.messages.shown.empty());
    EXPECT_EQ(editorShown, 2);
}

TEST_F(ImportCommandTest, CancelledDialogChangesNothing)
{
    state.history.sourcePath = QStringLiteral("old.csv");
    state.history.sourceName = QStringLiteral("old.csv");
    fakes.dialogs.cancelNext();
    run();
    EXPECT_EQ(fakes.messages.texts(), QStringList{QStringLiteral("ファイルを選択して下さい．")});
    ASSERT_EQ(fakes.dialogs.requests.size(), 1u);
    EXPECT_EQ(fakes.dialogs.requests[0].kind, platform::FileKind::History);
    EXPECT_EQ(state.history.sourcePath, QStringLiteral("old.csv"));
    EXPECT_EQ(state.history.sourceName, QStringLiteral("old.csv"));
    EXPECT_EQ(editorShown, 0);
}

TEST_F(ImportCommandTest, RejectedFileTakesThePathButOpensNoEditor)
{
    const QString empty = card(QStringLiteral("empty.csv"), {});
    const QString unknown = card(QStringLiteral("unknown.csv"), QByteArray("a,b\r\n"));
    fakes.dialogs.chooseNext(empty);
    run();
    EXPECT_EQ(state.history.sourceName, QStringLiteral("empty.csv"));
    fakes.dialogs.chooseNext(unknown);
    run();
    EXPECT_EQ(fakes.messages.texts(), (QStringList{kEmptyFileMessage, kUnrecognisedFileMessage}));
    EXPECT_EQ(state.history.sourcePath, unknown);
    EXPECT_EQ(state.history.sourceName, QStringLiteral("unknown.csv"));
    EXPECT_EQ(state.history.lines, (QStringList{QStringLiteral("a,b"), QString()}));
    EXPECT_EQ(editorShown, 0);
}

TEST_F(ImportCommandTest, UnreadableFileKeepsTheWholeHistory)
{
    fakes.dialogs.chooseNext(card(QStringLiteral("good.csv"), QByteArray("Edy\r\n")));
    run();
    ASSERT_EQ(editorShown, 1);
    fakes.dialogs.chooseNext(cards.file(QStringLiteral("gone.csv")));
    run();
    EXPECT_EQ(fakes.messages.shown.size(), 1u);
    EXPECT_EQ(state.history.sourceName, QStringLiteral("good.csv"));
    EXPECT_EQ(state.history.lines, (QStringList{QStringLiteral("Edy"), QString()}));
    EXPECT_EQ(editorShown, 1);
}

TEST_F(ImportCommandTest, NoEditorCallbackIsFine)
{
    fakes.dialogs.chooseNext(card(QStringLiteral("x.csv"), QByteArray("Edy\r\n")));
    importCommand(state, {fakes.messages, fakes.dialogs, fakes.files}, {});
    EXPECT_EQ(state.history.cardKind, Edy);
    EXPECT_TRUE(fakes.messages.shown.empty());
}

} // namespace
} // namespace mokpe::import
