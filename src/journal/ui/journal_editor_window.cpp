#include "journal/ui/journal_editor_window.h"

#include "common/colour_value.h"
#include "common/ui/window_colours.h"
#include "journal/journal_table_model.h"
#include "journal/ui/journal_grid_view.h"
#include "journal/ui/unsettled_amount_dialog.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QVBoxLayout>

namespace mokpe::journal {

namespace {

// Every button of the editor is drawn in this face.
const QString kButtonFace = QStringLiteral("ＭＳ Ｐゴシック");

const QString kLegendMark = QStringLiteral("※■");
const QString kLegendText = QStringLiteral("の枠は，使用金額ではなく残金です．手入力にて修正を行って下さい．"
                                           "また，入力後は，必ず「　再計算　」ボタンを押して下さい．");

struct ButtonSpec {
    const char *name;
    const char *caption;
    // Commands whose behaviour comes with the export and the report stay
    // visible but cannot be pressed yet.
    bool enabled;
};

const ButtonSpec kButtons[] = {
    {"Command1", "閉じる", true},      {"Command2", "変　更", true},
    {"Command3", "文字⇒大", true},     {"Command4", "文字⇒小", true},
    {"Command5", "再計算", true},      {"Command6", "保　存", true},
    {"Command7", "ＣＳＶ出力", false}, {"Command8", "精算印刷", false},
    {"Command9", "元に戻す", true},    {"Command10", "１行挿入", true},
    {"Command11", "１行削除", true},   {"Command12", "最終行追加", true},
    {"Command13", "最終行削除", true}, {"Command14", "金額ゼロ行削除", true},
    {"Command15", "物販行削除", true},
};

QPushButton *makeButton(const ButtonSpec &spec, QWidget *parent)
{
    auto *button = new QPushButton(QString::fromUtf8(spec.caption), parent);
    button->setObjectName(QLatin1String(spec.name));
    button->setAutoDefault(false);
    button->setEnabled(spec.enabled);
    QFont face = button->font();
    face.setFamily(kButtonFace);
    button->setFont(face);
    button->setMinimumHeight(30);
    return button;
}

} // namespace

JournalEditorWindow::JournalEditorWindow(AppState &state, JournalGrid &grid, const EditorServices &services,
                                         platform::InputModeService &inputModes, QWidget *parent)
    : QWidget(parent, Qt::Window), state_(state), messages_(services.messages), inputModes_(inputModes),
      editor_(state, grid, services)
{
    setObjectName(QStringLiteral("Form2"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("編集"));
    buildControls();
}

JournalEditorWindow::~JournalEditorWindow() = default;

UnsettledAmountDialog *JournalEditorWindow::unsettledAmountDialog() const
{
    return dialog_.data();
}

void JournalEditorWindow::buildControls()
{
    model_ = new JournalTableModel(editor_.grid(), this);
    grid_ = new JournalGridView(this);
    grid_->setObjectName(QStringLiteral("MSFlexGrid1"));
    grid_->setGridFontSize(editor_.fontSize());
    grid_->setJournalModel(model_);
    grid_->setColumnWidthsTwips(editor_.columnWidthsTwips().data(), kColumnCount);
    grid_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    int gridWidth = 2 * grid_->frameWidth() + grid_->verticalScrollBar()->sizeHint().width();
    for (int c = 0; c < kColumnCount; ++c)
        gridWidth += grid_->columnWidth(c);
    // As wide as its columns: no empty strip beside the summaries.
    grid_->setMinimumWidth(gridWidth);
    grid_->setMaximumWidth(gridWidth);
    grid_->setMinimumHeight(360);

    QHash<QString, QPushButton *> buttons;
    for (const ButtonSpec &spec : kButtons)
        buttons.insert(QLatin1String(spec.name), makeButton(spec, this));
    recalculateButton_ = buttons.value(QStringLiteral("Command5"));

    text1_ = new QLineEdit(this);
    text1_->setObjectName(QStringLiteral("Text1"));

    auto *label1 = new QLabel(kLegendMark, this);
    label1->setObjectName(QStringLiteral("Label1"));
    QPalette red = label1->palette();
    red.setColor(QPalette::WindowText, QColor(255, 0, 0));
    label1->setPalette(red);
    auto *label2 = new QLabel(kLegendText, this);
    label2->setObjectName(QStringLiteral("Label2"));
    label2->setWordWrap(true);

    label3_ = new QLabel(this);
    label3_->setObjectName(QStringLiteral("Label3"));
    QFont settlementFont = label3_->font();
    settlementFont.setPointSize(settlementFont.pointSize() + 3);
    settlementFont.setBold(true);
    label3_->setFont(settlementFont);

    label5_ = new QLabel(this);
    label5_->setObjectName(QStringLiteral("Label5"));
    label5_->setWordWrap(true);
    label5_->hide();

    // What the last save wrote where.
    statusLine_ = new QLabel(this);
    statusLine_->setObjectName(QStringLiteral("StatusLine"));
    statusLine_->setWordWrap(true);
    statusLine_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    // Two controls that the window carries without any part in what it does.
    auto *text2 = new QLineEdit(this);
    text2->setObjectName(QStringLiteral("Text2"));
    text2->hide();
    auto *label4 = new QLabel(this);
    label4->setObjectName(QStringLiteral("Label4"));
    label4->hide();

    const auto button = [&buttons](const char *name) { return buttons.value(QLatin1String(name)); };

    auto *commands = new QVBoxLayout;
    for (const char *name : {"Command1", "Command6", "Command7", "Command8"})
        commands->addWidget(button(name));
    commands->addSpacing(14);
    for (const char *name :
         {"Command9", "Command10", "Command11", "Command12", "Command13", "Command14", "Command15"})
        commands->addWidget(button(name));
    commands->addStretch(1);
    commands->addWidget(button("Command3"));
    commands->addWidget(button("Command4"));

    auto *cellRow = new QHBoxLayout;
    cellRow->addWidget(text1_, 1);
    cellRow->addWidget(button("Command2"));

    auto *legend = new QHBoxLayout;
    legend->addWidget(label1, 0, Qt::AlignTop);
    legend->addWidget(label2, 1);

    auto *settlement = new QHBoxLayout;
    settlement->addWidget(label3_, 1);
    settlement->addWidget(button("Command5"));

    auto *left = new QVBoxLayout;
    left->addWidget(grid_, 1);
    left->addLayout(cellRow);
    left->addLayout(legend);
    left->addLayout(settlement);
    left->addWidget(label5_);
    left->addWidget(statusLine_);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(10, 10, 10, 10);
    layout->addLayout(left, 1);
    layout->addSpacing(6);
    layout->addLayout(commands);
    resize(gridWidth + 200, 700);

    connect(grid_, &JournalGridView::currentGridCellChanged, this,
            &JournalEditorWindow::onCurrentGridCellChanged);
    connect(button("Command1"), &QPushButton::clicked, this, &JournalEditorWindow::closeWithButton);
    connect(button("Command5"), &QPushButton::clicked, this, &JournalEditorWindow::recalculate);
    connect(button("Command6"), &QPushButton::clicked, this, &JournalEditorWindow::save);
    connectEditing(button);
}

void JournalEditorWindow::connectEditing(const std::function<QPushButton *(const char *)> &button)
{
    connect(button("Command2"), &QPushButton::clicked, this, &JournalEditorWindow::changeCommand);
    connect(button("Command3"), &QPushButton::clicked, this, [this] {
        if (editor_.enlargeFontCommand())
            applyFontSize();
    });
    connect(button("Command4"), &QPushButton::clicked, this, [this] {
        if (editor_.reduceFontCommand())
            applyFontSize();
    });

    const auto rowButton = [this, &button](const char *name, CellEditorAfter after, std::function<bool()> f) {
        connect(button(name), &QPushButton::clicked, this,
                [this, after, f = std::move(f)] { runRowOperation(f, after); });
    };
    rowButton("Command9", CellEditorAfter::Kept, [this] {
        editor_.undoCommand();
        return true;
    });
    rowButton("Command10", CellEditorAfter::Hidden, [this] { return editor_.insertRowCommand(); });
    rowButton("Command11", CellEditorAfter::Hidden, [this] { return editor_.deleteRowCommand(); });
    rowButton("Command12", CellEditorAfter::Emptied, [this] {
        editor_.appendRowCommand();
        return true;
    });
    rowButton("Command13", CellEditorAfter::Hidden, [this] { return editor_.deleteLastRowCommand(); });
    rowButton("Command14", CellEditorAfter::Hidden,
              [this] { return editor_.Fm2_BulkRowDelete(BulkDelete::ZeroAmountRows) > 0; });
    rowButton("Command15", CellEditorAfter::Hidden,
              [this] { return editor_.Fm2_BulkRowDelete(BulkDelete::GoodsRows) > 0; });

    connect(grid_, &JournalGridView::navigationKey, this, &JournalEditorWindow::onNavigationKey);
    connect(grid_, &JournalGridView::cellEditorEnter, this,
            [this] { enterKey(grid_->cellEditor()->text()); });
    connect(grid_, &JournalGridView::gridMouseDown, this, &JournalEditorWindow::onGridMouseDown);
    connect(grid_, &JournalGridView::gridMouseUp, this, &JournalEditorWindow::onGridMouseUp);
    connect(grid_->accountDropDown(), &QComboBox::activated, this, &JournalEditorWindow::onAccountPicked);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *old, QWidget *now) {
        if (grid_->isPartOfDropDown(old) && !grid_->isPartOfDropDown(now))
            Fm2_ComboHide();
    });
    text1_->installEventFilter(this);
}

void JournalEditorWindow::applyColours()
{
    const SettingsRecord &s = state_.settings;
    ui::applyWindowColours(this, s.screenColour, s.buttonColour);
    const QColor screen = common::colourFromText(s.screenColour, QApplication::palette());
    model_->setFixedColour(screen);
    grid_->setHeadingColour(screen);
}

bool JournalEditorWindow::startUp(common::Progress &progress)
{
    applyColours();
    grid_->accountDropDown()->clearEditText();
    // The main window stays up under the progress until there is a journal to show.
    if (!editor_.startUp(progress)) {
        closing_ = true;
        if (returnToMain_)
            returnToMain_();
        close();
        return false;
    }
    if (hideMain_)
        hideMain_();
    showSettlement();
    const QString notice = previousReadNotice(editor_.previousRead());
    label5_->setText(notice);
    label5_->setVisible(!notice.isEmpty());
    // Transactions that may be missing, or a read that could not be compared,
    // are a warning, in the balance cells' red.
    const PreviousRead &read = editor_.previousRead();
    const bool warning = read.match.gap || read.comparison == PreviousRead::Comparison::NoUser;
    QPalette noticeColours = label5_->palette();
    noticeColours.setColor(QPalette::WindowText,
                           warning ? QColor(255, 0, 0) : palette().color(QPalette::WindowText));
    label5_->setPalette(noticeColours);
    recalculateButton_->setVisible(editor_.recalculateVisible());
    text1_->clear();
    setWindowTitle(editor_.caption());
    QComboBox *dropDown = grid_->accountDropDown();
    dropDown->clear();
    dropDown->addItems(editor_.accountList());
    // Filling the list picks no entry: the drop-down's text stays empty.
    dropDown->setCurrentIndex(-1);

    // The window is on screen before the cell editor is laid over its cell, so
    // that a dialog opened for a balance cell stands in front of it.
    show();
    raise();
    activateWindow();
    const CellPosition current = editor_.grid().current();
    {
        const QScopedValueRollback<bool> placing(placingCurrentCell_, true);
        grid_->setCurrentGridCell(current.row, current.column);
    }
    enterCell(current.row, current.column);
    return true;
}

void JournalEditorWindow::onCurrentGridCellChanged(int row, int column)
{
    if (placingCurrentCell_)
        return;
    enterCell(row, column);
}

void JournalEditorWindow::enterCell(int row, int column)
{
    editor_.setCurrentCell(row, column);
    text1_->setText(editor_.grid().text(row, column));
    Fm2_CellEditorShow();
}

void JournalEditorWindow::Fm2_CellEditorShow()
{
    const bool balanceCell = editor_.enterBalanceCell();
    const CellPosition current = editor_.grid().current();
    grid_->showCellEditor(editor_.grid().text(current.row, current.column));
    if (!balanceCell)
        return;
    // The editor has recomputed the settlement amount for the balance cell.
    openUnsettledAmountDialog();
    showSettlement();
}

void JournalEditorWindow::openUnsettledAmountDialog()
{
    const QString value = editor_.pendingCell().value;
    const CellPosition cell = editor_.grid().current();
    const QString caption = pendingCellCaption(cell.row, kHeadings[static_cast<size_t>(cell.column)], value);
    if (!dialog_) {
        const SettingsRecord &s = state_.settings;
        dialog_ = new UnsettledAmountDialog(value, caption, s.screenColour, s.buttonColour, messages_, this);
        connect(dialog_, &UnsettledAmountDialog::confirmed, this, &JournalEditorWindow::settlePendingCell);
        // A closed dialog is gone for the editor at once, although Qt deletes it
        // a little later: the next balance cell opens a new one.
        connect(dialog_, &QDialog::finished, this, [this] { dialog_.clear(); });
        // After a gap between the reads, the previous balance is the one stored.
        if (const QString offer = previousBalanceOffer(editor_.previousRead()); !offer.isEmpty())
            dialog_->offerPreviousBalance(offer);
    } else {
        dialog_->retarget(value, caption);
    }
    dialog_->show();
    dialog_->raise();
    dialog_->activateWindow();
}

void JournalEditorWindow::settlePendingCell(const QString &amount)
{
    editor_.settlePendingCell(amount);
    grid_->cellEditor()->setText(amount);
}

void JournalEditorWindow::showSettlement()
{
    label3_->setText(editor_.settlementLabel());
}

void JournalEditorWindow::recalculate()
{
    editor_.Fm2_TotalShow();
    showSettlement();
}

void JournalEditorWindow::save()
{
    editor_.saveCommand();
    statusLine_->setText(editor_.savedNotice());
}

void JournalEditorWindow::closeWithButton()
{
    if (editor_.closeCommand() != JournalEditor::CloseOutcome::Closed) {
        statusLine_->setText(editor_.savedNotice());
        return;
    }
    if (dialog_)
        dialog_->close();
    closing_ = true;
    // The main window is back before this one goes, so that the program never
    // finds itself without a window.
    if (returnToMain_)
        returnToMain_();
    close();
}

bool JournalEditorWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != text1_ || event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent *>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        // The key itself makes no character and no beep.
        enterKey(text1_->text());
        return true;
    }
    // The label follows every key typed here.
    recalculate();
    return false;
}

void JournalEditorWindow::onNavigationKey(NavigationKey key)
{
    const CellPosition next = editor_.cellAfterKey(key, grid_->rowsInView());
    if (next != editor_.grid().current())
        grid_->setCurrentGridCell(next.row, next.column);
}

void JournalEditorWindow::enterKey(const QString &text)
{
    grid_->cellEditor()->setText(text);
    followCurrentCell(editor_.enterKeyCommand(text));
    showSettlement();
}

void JournalEditorWindow::changeCommand()
{
    const QString text = text1_->text();
    grid_->cellEditor()->setText(text);
    if (editor_.Fm2_CellCommit(text))
        refreshCellControls();
}

void JournalEditorWindow::followCurrentCell(bool committed)
{
    const CellPosition current = editor_.grid().current();
    if (grid_->currentGridRow() != current.row || grid_->currentGridColumn() != current.column) {
        grid_->setCurrentGridCell(current.row, current.column);
        return;
    }
    if (committed)
        refreshCellControls();
}

void JournalEditorWindow::refreshCellControls()
{
    const CellPosition current = editor_.grid().current();
    const QString text = editor_.grid().text(current.row, current.column);
    text1_->setText(text);
    if (grid_->cellEditor()->isVisible())
        grid_->showCellEditor(text);
}

void JournalEditorWindow::onGridMouseDown()
{
    editor_.gridMouseDown();
}

void JournalEditorWindow::onGridMouseUp(int row)
{
    const JournalEditor::GridMouseUp up = editor_.gridMouseUp(row);
    Fm2_ComboHide();
    if (up.dropDown)
        grid_->showAccountDropDown();
    QLineEdit *text3 = grid_->cellEditor();
    if (!text3->isVisible())
        return;
    setInputMode(up.inputMode);
    if (up.hideEditor) {
        text3->hide();
        text1_->clear();
    } else if (up.inputMode == platform::InputMode::Hiragana) {
        Fm2_CellEditorShow();
    }
}

void JournalEditorWindow::onAccountPicked(int index)
{
    const std::optional<QString> shown = editor_.KamokuPaste(grid_->accountDropDown()->itemText(index));
    if (shown)
        grid_->cellEditor()->setText(*shown);
    Fm2_ComboHide();
}

void JournalEditorWindow::Fm2_ComboHide()
{
    grid_->accountDropDown()->hide();
}

void JournalEditorWindow::setInputMode(platform::InputMode mode)
{
    inputModes_.setInputMode(*grid_->cellEditor(), mode);
}

void JournalEditorWindow::applyFontSize()
{
    QLineEdit *text3 = grid_->cellEditor();
    const bool editorShown = text3->isVisible();
    const QString text = text3->text();
    grid_->setGridFontSize(editor_.fontSize());
    grid_->setColumnWidthsTwips(editor_.columnWidthsTwips().data(), kColumnCount);
    // The grown rows may push the current cell out of view; the editor stays
    // over its cell, which has grown or shrunk.
    grid_->ensureCurrentCellInView();
    if (editorShown)
        grid_->showCellEditor(text);
}

void JournalEditorWindow::runRowOperation(const std::function<bool()> &operation, CellEditorAfter after)
{
    QLineEdit *text3 = grid_->cellEditor();
    const bool editorShown = text3->isVisible();
    bool changed = false;
    {
        // Rows that move under the view's current cell must not enter a cell
        // (nor open the unsettled-amount dialog).
        const QScopedValueRollback<bool> placing(placingCurrentCell_, true);
        changed = operation();
        const CellPosition current = editor_.grid().current();
        grid_->setCurrentGridCell(current.row, current.column);
    }
    Fm2_ComboHide();
    if (changed) {
        const CellPosition current = editor_.grid().current();
        const QString text = editor_.grid().text(current.row, current.column);
        switch (after) {
        case CellEditorAfter::Hidden:
            text3->clear();
            text3->hide();
            break;
        case CellEditorAfter::Emptied:
            text3->clear();
            break;
        case CellEditorAfter::Kept:
            if (editorShown)
                grid_->showCellEditor(text);
            break;
        }
        text1_->setText(text);
    }
    showSettlement();
}

void JournalEditorWindow::closeEvent(QCloseEvent *event)
{
    if (closing_)
        event->accept();
    else
        event->ignore();
}

void JournalEditorWindow::bindOuterCommand(const char *buttonName, std::function<void()> command)
{
    auto *button = findChild<QPushButton *>(QLatin1String(buttonName));
    disconnect(button, &QPushButton::clicked, this, nullptr);
    button->setEnabled(static_cast<bool>(command));
    if (command)
        connect(button, &QPushButton::clicked, this, std::move(command));
}

} // namespace mokpe::journal
