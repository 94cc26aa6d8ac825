// Long operations of the windows under their progress dialog: it appears over
// the window that started them, the windows are served while they run, and a
// stop leaves no editor and the history as it was.
#include "app/ui/main_window.h"
#include "common/ui/progress_dialog.h"
#include "journal/ui/journal_editor_window.h"
#include "support/file_helpers.h"
#include "support/scripted_services.h"

#include <QApplication>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

namespace mokpe::ui {
namespace {

using test::cp932;
using test::writeBytes;

// Looks at the progress dialog whenever events are served during an
// operation; stops the operation once the dialog shows `stopAt`.
class DialogWatcher {
public:
    explicit DialogWatcher(QString stopAt = {}) : stopAt_(std::move(stopAt))
    {
        timer_.setInterval(0);
        QObject::connect(&timer_, &QTimer::timeout, [this] { look(); });
        timer_.start();
    }
    QStringList labelsSeen;
    bool modalToItsWindow = true;
    bool cancelButtonShown = false;

private:
    void look()
    {
        for (QWidget *w : QApplication::topLevelWidgets()) {
            auto *dialog = qobject_cast<QProgressDialog *>(w);
            if (!dialog || dialog->objectName() != ProgressDialog::kObjectName || !dialog->isVisible())
                continue;
            if (!labelsSeen.contains(dialog->labelText()))
                labelsSeen.append(dialog->labelText());
            modalToItsWindow = modalToItsWindow && dialog->windowModality() == Qt::WindowModal &&
                               dialog->parentWidget() && dialog->parentWidget()->isVisible();
            cancelButtonShown = dialog->findChild<QPushButton *>() != nullptr;
            if (!stopAt_.isEmpty() && dialog->labelText() == stopAt_)
                dialog->cancel();
        }
    }
    QString stopAt_;
    QTimer timer_;
};

struct LongOperationTest : ::testing::Test {
    test::TempFolder folder;
    AppState state;
    test::ScriptedServices fakes;
    std::unique_ptr<MainWindow> main;
    QString card;

    LongOperationTest()
    {
        state.programFolder = folder.path();
        writeBytes(folder.file(QStringLiteral("inifile.ini")),
                   "1\r\n\r\n\r\n\r\n\r\n&H8000000F\r\n&H8000000F\r\n1\r\n0\r\n186\r\n1882\r\n" +
                       cp932(QStringLiteral("電子未決\r\n113\r\n1131\r\n電子マネー\r\n")));
        writeBytes(
            folder.file(QStringLiteral("kamoku_code.csv")),
            cp932(QStringLiteral("186,1882,電子未決\r\n113,1131,電子マネー\r\n842,8471,旅費交通費\r\n")));
        writeBytes(folder.file(QStringLiteral("person.csv")), "A\r\n");
        main = std::make_unique<MainWindow>(state, fakes.services());
        // Every operation counts as long: its dialog appears at its first step.
        main->setProgressShowDelay(0);
        main->load();
        main->show();
        // Long enough for a few steps in each stage.
        QString text = QStringLiteral("利用年月日,種別,事業者,駅,種別,事業者,駅,残額,備考\r\n");
        for (int i = 0; i < 10000; ++i)
            text += QStringLiteral("2008/07/21,入場,JR東,新宿,出場,JR東,渋谷,%1,\r\n").arg(100000 - i * 7);
        card = folder.file(QStringLiteral("card.csv"));
        writeBytes(card, cp932(text));
    }
    ~LongOperationTest() override { main.reset(); }

    void import()
    {
        fakes.dialogs.chooseNext(card);
        main->findChild<QPushButton *>(QStringLiteral("Command1"))->click();
    }
};

TEST_F(LongOperationTest, TheImportShowsItsStagesAndAStopAtEitherOpensNoEditor)
{
    const struct {
        QString stopAt;
        bool editorOpens;
    } cases[] = {
        {kReadingLabel, false},
        // A stopped build keeps no read of the card: the next import books every line again.
        {kBuildingLabel, false},
        {QString(), true},
    };
    for (const auto &c : cases) {
        const std::string what = c.stopAt.isEmpty() ? "not stopped" : c.stopAt.toStdString();
        fakes.messages.shown.clear();
        state.history.sourcePath = QStringLiteral("前の履歴.csv");
        {
            DialogWatcher watcher(c.stopAt);
            import();
            EXPECT_EQ(watcher.labelsSeen.first(), kReadingLabel) << what;
            EXPECT_EQ(watcher.labelsSeen.contains(kBuildingLabel), c.stopAt != kReadingLabel) << what;
            EXPECT_TRUE(watcher.modalToItsWindow) << what;
            EXPECT_TRUE(watcher.cancelButtonShown) << what;
        }
        // No progress dialog outlives its operation.
        for (QWidget *w : QApplication::topLevelWidgets())
            EXPECT_FALSE(w->objectName() == ProgressDialog::kObjectName && w->isVisible()) << what;
        EXPECT_TRUE(fakes.messages.shown.empty()) << fakes.messages.texts().join('|').toStdString();
        journal::JournalEditorWindow *editor = main->journalEditor();
        EXPECT_EQ(editor && editor->isVisible(), c.editorOpens) << what;
        EXPECT_EQ(main->isVisible(), !c.editorOpens) << what;
        if (c.stopAt == kReadingLabel) {
            EXPECT_EQ(state.history.sourcePath, QStringLiteral("前の履歴.csv"));
        }
        if (!c.editorOpens) {
            EXPECT_EQ(main->journal().journalRowCount(), 0) << what;
            continue;
        }
        EXPECT_EQ(main->journal().journalRowCount(), 10000);
        if (auto *dialog = editor->findChild<QWidget *>(QStringLiteral("Form4")))
            dialog->close();
        editor->findChild<QPushButton *>(QStringLiteral("Command1"))->click();
        QApplication::processEvents();
    }
}

} // namespace
} // namespace mokpe::ui
