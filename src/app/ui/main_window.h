#pragma once

#include "common/app_state.h"
#include "journal/journal_grid.h"
#include "platform/services.h"

#include <QPointer>
#include <QWidget>

#include <functional>

class QCheckBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace mokpe::journal {
class JournalEditorWindow;
}

namespace mokpe::output {
class ExportDialog;
}

namespace mokpe::maintenance {
class AccountCodeEditor;
class UserEditor;
class ColourDialog;
} // namespace mokpe::maintenance

namespace mokpe::ui {

class ProgressDialog;

// The main window: loads settings, users and accounts, shows the code system in
// force, lets the user choose whose card history is booked, and opens the rest.
class MainWindow final : public QWidget {
    Q_OBJECT
public:
    MainWindow(AppState &state, const platform::Services &services, QWidget *parent = nullptr);
    ~MainWindow() override;

    // The start-up sequence; run once before the window is first shown.
    void load();
    // What a successful import opens: the journal editor unless set otherwise.
    void setJournalEditorOpener(std::function<void()> opener) { journalEditorOpener_ = std::move(opener); }
    // How long an operation runs before its progress dialog appears, here and
    // in the windows opened from here.
    void setProgressShowDelay(int ms) { progressShowDelayMs_ = ms; }

    void Fm1_UserListSet();
    void KamokuSelect();
    // Background, Label1, Label3 and the frames in the screen colour; Command1 to
    // Command10 in the button colour.
    void applyColours();

    // The maintenance windows while they exist (null after their close box).
    maintenance::AccountCodeEditor *accountCodeEditor() const;
    maintenance::UserEditor *userEditor() const;
    maintenance::ColourDialog *colourDialog() const;
    // The journal editor while it is open (null after "閉じる").
    journal::JournalEditorWindow *journalEditor() const;
    // The export dialog once "ＣＳＶ出力" has opened it; it lives until the program ends.
    output::ExportDialog *exportDialog() const;
    // The journal the editor, the export and the report work on.
    journal::JournalGrid &journal() { return journal_; }

Q_SIGNALS:
    // "終　了": the program ends.
    void endRequested();

protected:
    void closeEvent(QCloseEvent *event) override;
    // One file dropped on the window is imported as "会計CSVファイル読込み" would.
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void buildControls();
    // "-- 選択なし --" and the users read, added to the list.
    void showUserList();
    // The list again after the user editor saved, the user chosen kept when
    // the list still has them in the same place.
    void refreshUserList();
    // The code system in force in Option1 / Option2.
    void showCodeSystem();
    void onUserSelectionChanged();
    void openAccountCodeEditor();
    void openUserEditor();
    void openColourDialog();
    // "会計CSVファイル読込み": the import, then the journal editor, under one
    // progress dialog.
    void importAndOpen();
    // The same for a file dropped on the window.
    void importDroppedAndOpen(const QString &path);
    void openJournalEditor();
    // "ＣＳＶ出力" of the journal editor: the journal checks, then the hand-over.
    void openExportDialog();
    void returnFromChild();
    void showMaintenance();
    void closeMaintenance();
    // "前回の読込みと照合する" is on once a read store exists, until the user
    // chooses otherwise.
    void showMatchChoice();

    AppState &state_;
    platform::Services services_;
    // Kept between editor windows: the export dialog outlives the editor.
    journal::JournalGrid journal_;
    std::function<void()> journalEditorOpener_;
    int progressShowDelayMs_;
    // The import's dialog while it runs: the editor's start-up goes on in it.
    ProgressDialog *importProgress_ = nullptr;

    QLabel *label1_ = nullptr;
    QLabel *label3_ = nullptr;
    QListWidget *list1_ = nullptr;
    QRadioButton *option1_ = nullptr;
    QRadioButton *option2_ = nullptr;
    QCheckBox *check1_ = nullptr;
    bool matchChosenByUser_ = false;
    QGroupBox *userFrame_ = nullptr;
    QGroupBox *codeFrame_ = nullptr;
    QGroupBox *maintenanceFrame_ = nullptr;

    QPointer<maintenance::AccountCodeEditor> accountCodeEditor_;
    QPointer<maintenance::UserEditor> userEditor_;
    QPointer<maintenance::ColourDialog> colourDialog_;
    QPointer<journal::JournalEditorWindow> journalEditor_;
    QPointer<output::ExportDialog> exportDialog_;
};

} // namespace mokpe::ui
