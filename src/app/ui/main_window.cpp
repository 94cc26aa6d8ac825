#include "app/ui/main_window.h"

#include "app/data_erase.h"
#include "app/launcher_registration.h"
#include "app/program_start.h"
#include "app/shortcut_create.h"
#include "app/user_selection.h"
#include "common/ui/progress_dialog.h"
#include "common/ui/window_colours.h"
#include "import/import_command.h"
#include "import/reader_launch.h"
#include "journal/read_store.h"
#include "journal/ui/journal_editor_window.h"
#include "maintenance/account_file_check.h"
#include "maintenance/code_system_select.h"
#include "maintenance/ui/account_code_editor.h"
#include "maintenance/ui/colour_dialog.h"
#include "maintenance/ui/user_editor.h"
#include "maintenance/user_table.h"
#include "output/export_hand_over.h"
#include "output/ui/export_dialog.h"
#include "output/ui/settlement_print_preview.h"
#include "settings/program_files.h"
#include "settings/settings_file.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

namespace mokpe::ui {

namespace {

const QString kNoUserEntry = QStringLiteral("-- 選択なし --");

QPushButton *makeButton(QWidget *parent, const char *name, const QString &caption)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setMinimumHeight(34);
    return button;
}

} // namespace

MainWindow::MainWindow(AppState &state, const platform::Services &services, QWidget *parent)
    : QWidget(parent), state_(state), services_(services), progressShowDelayMs_(kProgressShowDelayMs)
{
    setObjectName(QStringLiteral("Form1"));
    setAcceptDrops(true);
    journalEditorOpener_ = [this] { openJournalEditor(); };
    buildControls();
}

MainWindow::~MainWindow()
{
    delete accountCodeEditor_.data();
    delete userEditor_.data();
    delete colourDialog_.data();
    delete journalEditor_.data();
    delete exportDialog_.data();
}

maintenance::AccountCodeEditor *MainWindow::accountCodeEditor() const
{
    return accountCodeEditor_.data();
}

maintenance::UserEditor *MainWindow::userEditor() const
{
    return userEditor_.data();
}

maintenance::ColourDialog *MainWindow::colourDialog() const
{
    return colourDialog_.data();
}

journal::JournalEditorWindow *MainWindow::journalEditor() const
{
    return journalEditor_.data();
}

output::ExportDialog *MainWindow::exportDialog() const
{
    return exportDialog_.data();
}

void MainWindow::buildControls()
{
    setWindowTitle(kProgramCaption);

    label1_ = new QLabel(this);
    label1_->setObjectName(QStringLiteral("Label1"));
    QFont titleFont = label1_->font();
    titleFont.setPointSize(titleFont.pointSize() + 5);
    titleFont.setBold(true);
    label1_->setFont(titleFont);

    userFrame_ = new QGroupBox(QStringLiteral("使用者"), this);
    userFrame_->setObjectName(QStringLiteral("Frame1"));
    list1_ = new QListWidget(userFrame_);
    list1_->setObjectName(QStringLiteral("List1"));
    list1_->setSelectionMode(QAbstractItemView::SingleSelection);
    auto *userLayout = new QVBoxLayout(userFrame_);
    userLayout->addWidget(list1_);

    auto *command1 = makeButton(this, "Command1", QStringLiteral("会計CSVファイル読込み"));
    auto *command10 = makeButton(this, "Command10", QStringLiteral("電子マネー読込み"));
    check1_ = new QCheckBox(QStringLiteral("前回の読込みと照合する"), this);
    check1_->setObjectName(QStringLiteral("Check1"));
    auto *command6 = makeButton(this, "Command6", QStringLiteral("メンテナンス"));
    auto *command2 = makeButton(this, "Command2", QStringLiteral("終　了"));

    codeFrame_ = new QGroupBox(QStringLiteral("現在選択科目"), this);
    codeFrame_->setObjectName(QStringLiteral("Frame2"));
    option1_ = new QRadioButton(QStringLiteral("Ｗコード"), codeFrame_);
    option1_->setObjectName(QStringLiteral("Option1"));
    option2_ = new QRadioButton(QStringLiteral("楓林コード"), codeFrame_);
    option2_->setObjectName(QStringLiteral("Option2"));
    // A display of the code system in force: the user cannot change it here.
    for (QRadioButton *option : {option1_, option2_}) {
        option->setAutoExclusive(false);
        option->setAttribute(Qt::WA_TransparentForMouseEvents);
        option->setFocusPolicy(Qt::NoFocus);
    }
    auto *codeLayout = new QHBoxLayout(codeFrame_);
    codeLayout->addWidget(option1_);
    codeLayout->addWidget(option2_);

    label3_ = new QLabel(
        QStringLiteral("※最初に使用者と科目選択（メンテナンスで選択可能）を選択して下さい．"), this);
    label3_->setObjectName(QStringLiteral("Label3"));
    // One line: a wrapped note would take the height of the controls above it
    // at the window's smallest, which the layout cannot see coming.

    maintenanceFrame_ = new QGroupBox(QStringLiteral("メンテナンス"), this);
    maintenanceFrame_->setObjectName(QStringLiteral("Frame3"));
    auto *command5 = makeButton(maintenanceFrame_, "Command5", QStringLiteral("科目コード設定"));
    auto *command9 = makeButton(maintenanceFrame_, "Command9", QStringLiteral("使用者設定"));
    auto *command4 = makeButton(maintenanceFrame_, "Command4", QStringLiteral("画面色設定"));
    auto *command8 = makeButton(maintenanceFrame_, "Command8", QStringLiteral("ショートカットの作成"));
    auto *command3 = makeButton(maintenanceFrame_, "Command3", QStringLiteral("精算印刷（未使用）"));
    auto *command7 = makeButton(maintenanceFrame_, "Command7", QStringLiteral("戻　る"));
    auto *maintenanceLayout = new QGridLayout(maintenanceFrame_);
    maintenanceLayout->addWidget(command5, 0, 0);
    maintenanceLayout->addWidget(command9, 0, 1);
    maintenanceLayout->addWidget(command4, 0, 2);
    maintenanceLayout->addWidget(command8, 1, 0);
    maintenanceLayout->addWidget(command3, 1, 1);
    maintenanceLayout->addWidget(command7, 1, 2);
    maintenanceFrame_->hide();

    auto *commands = new QVBoxLayout;
    commands->addWidget(command1);
    // Under the import it decides about.
    commands->addWidget(check1_);
    commands->addWidget(command10);
    commands->addWidget(codeFrame_);
    commands->addStretch();
    commands->addWidget(command6);
    commands->addWidget(command2);

    auto *middle = new QHBoxLayout;
    middle->addWidget(userFrame_, 3);
    middle->addLayout(commands, 2);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 12, 16, 12);
    layout->addWidget(label1_);
    layout->addLayout(middle, 1);
    layout->addWidget(label3_);
    layout->addWidget(maintenanceFrame_);
    layout->setSizeConstraint(QLayout::SetMinimumSize);
    resize(560, 400);

    connect(list1_, &QListWidget::itemSelectionChanged, this, &MainWindow::onUserSelectionChanged);
    connect(command1, &QPushButton::clicked, this, &MainWindow::importAndOpen);
    connect(command10, &QPushButton::clicked, this, [this] {
        import::readerLaunchCommand(services_.messages, services_.files, services_.processes);
    });
    connect(check1_, &QCheckBox::toggled, this, [this](bool on) { state_.matchPreviousRead = on; });
    connect(check1_, &QCheckBox::clicked, this, [this] { matchChosenByUser_ = true; });
    connect(command6, &QPushButton::clicked, this, &MainWindow::showMaintenance);
    connect(command7, &QPushButton::clicked, this, &MainWindow::closeMaintenance);
    connect(command2, &QPushButton::clicked, this, [this] {
        app::Fm1_DataErase(journal_);
        Q_EMIT endRequested();
    });
    connect(command5, &QPushButton::clicked, this, &MainWindow::openAccountCodeEditor);
    connect(command9, &QPushButton::clicked, this, &MainWindow::openUserEditor);
    connect(command4, &QPushButton::clicked, this, &MainWindow::openColourDialog);
    connect(command8, &QPushButton::clicked, this, [this] {
        app::ShortcutCreate(state_, {services_.messages, services_.processes, services_.shortcuts},
                            windowTitle());
    });
    // "精算印刷（未使用）" is kept for its place in the frame and does nothing.
}

void MainWindow::load()
{
    app::RegEntrySet(services_.launcher, settings::programExecutablePath(state_));
    setWindowTitle(kProgramCaption);
    // The window is not shown yet: what the start-up reads, it shows afterwards.
    // It goes on whatever the start-up met; each failure has been told.
    app::programStart(state_, services_.messages, services_.system);
    applyColours();
    label1_->setText(kProgramCaption + QStringLiteral("\nバージョン：") + kVersionText);
    showUserList();
    showCodeSystem();
    showMatchChoice();
}

void MainWindow::applyColours()
{
    applyWindowColours(this, state_.settings.screenColour, state_.settings.buttonColour);
}

void MainWindow::Fm1_UserListSet()
{
    QCoreApplication::processEvents();
    app::readUserList(state_, services_.messages);
    showUserList();
}

void MainWindow::showUserList()
{
    {
        // Selecting the first entry is not a user's choice.
        const QSignalBlocker blocker(list1_);
        list1_->addItem(kNoUserEntry);
        list1_->setCurrentRow(0);
    }
    setWindowTitle(kProgramCaption);
    list1_->addItems(maintenance::listedUsers(state_.users));
    // Never narrower than its widest entry, with room for the scroll bar.
    list1_->setMinimumWidth(list1_->sizeHintForColumn(0) + 2 * list1_->frameWidth() +
                            list1_->verticalScrollBar()->sizeHint().width());
}

void MainWindow::refreshUserList()
{
    // The user chosen stays chosen while the list still has them in their place.
    const int chosen = list1_->currentRow();
    const QString chosenText = chosen > 0 ? list1_->item(chosen)->text() : QString();
    {
        const QSignalBlocker blocker(list1_);
        list1_->clear();
        showUserList();
    }
    if (chosen > 0 && chosen < list1_->count() && list1_->item(chosen)->text() == chosenText) {
        list1_->setCurrentRow(chosen);
        return;
    }
    state_.summaryPrefix.clear();
    state_.userEntry.clear();
    setWindowTitle(kProgramCaption);
}

void MainWindow::onUserSelectionChanged()
{
    const QList<QListWidgetItem *> selected = list1_->selectedItems();
    for (int row = 0; row < list1_->count(); ++row) {
        QListWidgetItem *item = list1_->item(row);
        if (selected.contains(item)) {
            state_.summaryPrefix = app::summaryPrefixFor(row, item->text());
            state_.userEntry = row == 0 ? QString() : item->text();
        }
    }
    setWindowTitle(app::userCaption(state_.summaryPrefix));
}

void MainWindow::KamokuSelect()
{
    maintenance::selectCodeSystem(state_);
    showCodeSystem();
}

void MainWindow::showCodeSystem()
{
    for (QRadioButton *option : {option1_, option2_}) {
        option->setChecked(false);
        option->setEnabled(false);
        applyScreenColour(option, state_.settings.screenColour);
    }
    const qint16 codeSystem = state_.codeSystemState;
    QRadioButton *inForce = codeSystem == 1 ? option1_ : codeSystem == 0 ? option2_ : nullptr;
    if (inForce) {
        inForce->setEnabled(true);
        inForce->setChecked(true);
    }
}

void MainWindow::showMaintenance()
{
    if (!maintenanceFrame_->isVisible())
        maintenanceFrame_->show();
}

void MainWindow::closeMaintenance()
{
    list1_->clear();
    Fm1_UserListSet();
    KamokuSelect();
    if (maintenanceFrame_->isVisible())
        maintenanceFrame_->hide();
    adjustSize();
}

void MainWindow::showMatchChoice()
{
    if (!matchChosenByUser_)
        check1_->setChecked(settings::anyReadStoreExists(state_.programFolder));
    state_.matchPreviousRead = check1_->isChecked();
}

void MainWindow::returnFromChild()
{
    // The journal editor may have made the first read store.
    showMatchChoice();
    show();
    raise();
    activateWindow();
}

void MainWindow::openAccountCodeEditor()
{
    hide();
    if (!accountCodeEditor_) {
        accountCodeEditor_ = new maintenance::AccountCodeEditor(state_, services_.messages);
        // A saved table, or one read again on closing, may follow another
        // code system.
        accountCodeEditor_->setSaved([this] { KamokuSelect(); });
        accountCodeEditor_->setReturnToMain([this] {
            KamokuSelect();
            returnFromChild();
        });
    }
    accountCodeEditor_->show();
    accountCodeEditor_->raise();
}

void MainWindow::openUserEditor()
{
    hide();
    if (!userEditor_) {
        userEditor_ = new maintenance::UserEditor(state_, services_.messages);
        userEditor_->setSaved([this] { refreshUserList(); });
        // Closing reads the file again.
        userEditor_->setReturnToMain([this] {
            refreshUserList();
            returnFromChild();
        });
    } else {
        // A kept editor takes the colours chosen since it was last shown.
        userEditor_->applyColours();
    }
    userEditor_->show();
    userEditor_->raise();
}

void MainWindow::openColourDialog()
{
    hide();
    if (!colourDialog_) {
        colourDialog_ = new maintenance::ColourDialog(state_, services_.messages);
        colourDialog_->setApplyToMain([this] {
            applyColours();
            KamokuSelect();
        });
        colourDialog_->setReturnToMain([this] { returnFromChild(); });
    }
    colourDialog_->show();
    colourDialog_->raise();
}

void MainWindow::importAndOpen()
{
    ProgressDialog progress(this, kReadingLabel, ProgressDialog::Cancel::Allowed, progressShowDelayMs_);
    const QScopedValueRollback<ProgressDialog *> during(importProgress_, &progress);
    import::importCommand(state_, {services_.messages, services_.dialogs, services_.files},
                          journalEditorOpener_, progress);
}

void MainWindow::importDroppedAndOpen(const QString &path)
{
    ProgressDialog progress(this, kReadingLabel, ProgressDialog::Cancel::Allowed, progressShowDelayMs_);
    const QScopedValueRollback<ProgressDialog *> during(importProgress_, &progress);
    import::importDroppedFile(state_, services_.messages, services_.files, path, journalEditorOpener_,
                              progress);
}

namespace {

// The one local file a drag carries, else empty.
QString droppedFile(const QMimeData *data)
{
    if (!data || !data->hasUrls() || data->urls().size() != 1 || !data->urls().constFirst().isLocalFile())
        return {};
    return data->urls().constFirst().toLocalFile();
}

} // namespace

void MainWindow::dragEnterEvent(QDragEnterEvent *event)
{
    if (!droppedFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent *event)
{
    const QString path = droppedFile(event->mimeData());
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    // The drag's source waits for the drop to end; the import, with its
    // messages and the editor, runs after it.
    QTimer::singleShot(0, this, [this, path] { importDroppedAndOpen(path); });
}

void MainWindow::openJournalEditor()
{
    // An editor closed by "閉じる" may still wait for its deferred deletion.
    delete journalEditor_.data();
    journalEditor_ = new journal::JournalEditorWindow(
        state_, journal_, {services_.messages, services_.dialogs}, services_.inputModes);
    journalEditor_->setHideMain([this] { hide(); });
    journalEditor_->setReturnToMain([this] { returnFromChild(); });
    journalEditor_->setExportOpener([this] { openExportDialog(); });
    journalEditor_->setReportPrinter([this] {
        if (journalEditor_)
            output::ui::runSettlementPrint(journalEditor_, state_, journal_,
                                           journalEditor_->editor().settlementLabel(), services_.messages,
                                           services_.printers, services_.dialogs, progressShowDelayMs_);
    });
    if (importProgress_) {
        importProgress_->setLabel(kBuildingLabel);
        journalEditor_->startUp(*importProgress_);
    } else {
        journalEditor_->startUp();
    }
}

void MainWindow::openExportDialog()
{
    if (!journalEditor_ || !output::handOverChecks(journalEditor_->editor()))
        return;
    if (!exportDialog_) {
        exportDialog_ = new output::ExportDialog(state_, journal_,
                                                 {services_.messages, services_.dialogs, services_.clock});
        exportDialog_->setProgressShowDelay(progressShowDelayMs_);
        exportDialog_->setHideEditor([this] {
            if (journalEditor_)
                journalEditor_->hide();
        });
        exportDialog_->setShowEditor([this] {
            if (journalEditor_)
                journalEditor_->show();
        });
        // The journal is kept in the export: so are the transactions it holds.
        exportDialog_->setExported([this] {
            if (journalEditor_)
                journalEditor_->editor().bookRead();
        });
    }
    exportDialog_->handOver();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    app::Fm1_DataErase(journal_);
    event->accept();
}

} // namespace mokpe::ui
