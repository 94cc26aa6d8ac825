#pragma once

#include "common/app_state.h"
#include "common/progress.h"
#include "journal/journal_editor.h"
#include "journal/journal_grid.h"
#include "platform/input_modes.h"

#include <QPointer>
#include <QWidget>

#include <functional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace mokpe::journal {

class JournalGridView;
class JournalTableModel;
class UnsettledAmountDialog;

// The journal editor window ("編集：　" + the imported file's path). Every
// command is a JournalEditor function; the window binds the controls to it and
// shows the journal through JournalTableModel, never holding a cell itself.
// While it is open the main window is hidden; "閉じる" brings that back and
// destroys this window. The close box is refused.
class JournalEditorWindow final : public QWidget {
    Q_OBJECT
public:
    // `inputModes` switches the cell editor between hiragana and direct input.
    JournalEditorWindow(AppState &state, JournalGrid &grid, const EditorServices &services,
                        platform::InputModeService &inputModes, QWidget *parent = nullptr);
    ~JournalEditorWindow() override;

    // Hides the main window; run by the start-up once the journal is there.
    void setHideMain(std::function<void()> f) { hideMain_ = std::move(f); }
    // Shows the main window again; run when "閉じる" closes the editor.
    void setReturnToMain(std::function<void()> f) { returnToMain_ = std::move(f); }
    // "ＣＳＶ出力" and "精算印刷" open what lies a layer above the journal (the
    // export dialog, the report); each button is enabled once it has a command.
    void setExportOpener(std::function<void()> f) { bindOuterCommand("Command7", std::move(f)); }
    void setReportPrinter(std::function<void()> f) { bindOuterCommand("Command8", std::move(f)); }

    // The window's start-up on the card history just read: the colours, the
    // journal built or loaded, the main window hidden, the drop-down's list,
    // the window shown with the cell editor over row 1, column 1 (a balance
    // cell there opens the unsettled-amount dialog at once).
    // The construction is told to `progress`; when the user stops it, the
    // main window stays, this window closes and false comes back.
    bool startUp(common::Progress &progress = common::noProgress());

    JournalEditor &editor() { return editor_; }
    JournalGridView *grid() const { return grid_; }
    JournalTableModel *model() const { return model_; }
    // The unsettled-amount dialog while it is open, else null.
    UnsettledAmountDialog *unsettledAmountDialog() const;

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void bindOuterCommand(const char *buttonName, std::function<void()> command);
    void buildControls();
    void connectEditing(const std::function<QPushButton *(const char *)> &button);
    void applyColours();
    // The grid reported a new current cell (by mouse, keyboard or program).
    void onCurrentGridCellChanged(int row, int column);
    void enterCell(int row, int column);
    // The cell editor over the current cell; a balance cell opens the dialog.
    void Fm2_CellEditorShow();
    void openUnsettledAmountDialog();
    void settlePendingCell(const QString &amount);
    void showSettlement();
    void recalculate();
    void save();
    void closeWithButton();

    // Cell editing.
    void onNavigationKey(NavigationKey key);
    // Enter in the cell editor or the cell text box with `text`.
    void enterKey(const QString &text);
    // "変　更".
    void changeCommand();
    // The grid's current cell moved to the editor's, entering it; or, when it
    // stands there already and `committed`, the cell editor and the cell
    // text box show the committed text.
    void followCurrentCell(bool committed);
    void refreshCellControls();
    void onGridMouseDown();
    void onGridMouseUp(int row);
    void onAccountPicked(int index);
    void Fm2_ComboHide();
    void setInputMode(platform::InputMode mode);
    void applyFontSize();

    // Row operations: `operation` runs with the grid's own moves of the current
    // cell unheard; then the view is put back on the editor's current cell.
    enum class CellEditorAfter { Hidden, Emptied, Kept };
    void runRowOperation(const std::function<bool()> &operation, CellEditorAfter after);

    AppState &state_;
    platform::MessageService &messages_;
    platform::InputModeService &inputModes_;
    JournalEditor editor_;
    std::function<void()> hideMain_;
    std::function<void()> returnToMain_;
    // Set by "閉じる" once the editor has agreed to close; every other close
    // request (the close box) is refused.
    bool closing_ = false;
    // The start-up and the row operations place the current cell themselves.
    bool placingCurrentCell_ = false;

    JournalTableModel *model_ = nullptr;
    JournalGridView *grid_ = nullptr;
    QLineEdit *text1_ = nullptr;
    QLabel *label3_ = nullptr;
    QPushButton *recalculateButton_ = nullptr;
    // What the comparison with the previous reads of the card found.
    QLabel *label5_ = nullptr;
    QLabel *statusLine_ = nullptr;
    QPointer<UnsettledAmountDialog> dialog_;
};

} // namespace mokpe::journal
