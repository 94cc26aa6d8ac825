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
    // Commands whose behaviour comes with row operations, cell editing, the
    // export and the report stay visible but cannot be pressed yet.
    bool enabled;
};

const ButtonSpec kButtons[] = {
    {"Command1", "閉じる", true},       {"Command2", "変　更", false},
    {"Command3", "文字⇒大", false},     {"Command4", "文字⇒小", false},
    {"Command5", "再計算", true},       {"Command6", "保　存", true},
    {"Command7", "ＣＳＶ出力", false},  {"Command8", "精算印刷", false},
    {"Command9", "元に戻す", false},    {"Command10", "１行挿入", false},
    {"Command11", "１行削除", false},   {"Command12", "最終行追加", false},
    {"Command13", "最終行削除", false}, {"Command14", "金額ゼロ行削除", false},
    {"Command15", "物販行削除", false},
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

JournalEditorWindow::JournalEditorWindow(AppState &state, const platform::Services &services, QWidget *parent)
    : QWidget(parent, Qt::Window), state_(state), services_(services), editor_(state, services)
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
    model_ = new JournalTableModel(state_.journal, this);
    grid_ = new JournalGridView(this);
    grid_->setObjectName(QStringLiteral("MSFlexGrid1"));
    grid_->setGridFontSize(editor_.fontSize());
    grid_->setJournalModel(model_);
    grid_->setColumnWidthsTwips(kColumnWidthsTwips.data(), kColumnCount);
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
}

void JournalEditorWindow::applyColours()
{
    const SettingsRecord &s = state_.settings;
    ui::applyWindowColours(this, s.screenColour, s.buttonColour);
    const QColor screen = common::colourFromText(s.screenColour, QApplication::palette());
    model_->setFixedColour(screen);
    grid_->setHeadingColour(screen);
}

void JournalEditorWindow::startUp()
{
    if (hideMain_)
        hideMain_();
    applyColours();
    grid_->accountDropDown()->clearEditText();
    editor_.startUp();
    editor_.keepPreviousRead();
    showSettlement();
    const QString notice = previousReadNotice(editor_.previousRead());
    label5_->setText(notice);
    label5_->setVisible(!notice.isEmpty());
    // Transactions that may be missing are a warning, in the balance cells' red.
    QPalette noticeColours = label5_->palette();
    noticeColours.setColor(QPalette::WindowText, editor_.previousRead().match.gap
                                                     ? QColor(255, 0, 0)
                                                     : palette().color(QPalette::WindowText));
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
    const bool balanceCell = editor_.Fm2_CellEditorShow();
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
    if (!dialog_) {
        const SettingsRecord &s = state_.settings;
        dialog_ = new UnsettledAmountDialog(value, s.screenColour, s.buttonColour, *services_.messages, this);
        connect(dialog_, &UnsettledAmountDialog::confirmed, this, &JournalEditorWindow::settlePendingCell);
        // A closed dialog is gone for the editor at once, although Qt deletes it
        // a little later: the next balance cell opens a new one.
        connect(dialog_, &QDialog::finished, this, [this] { dialog_.clear(); });
        // After a gap between the reads, the previous balance is the one stored.
        if (const QString offer = previousBalanceOffer(editor_.previousRead()); !offer.isEmpty())
            dialog_->offerPreviousBalance(offer);
    } else {
        dialog_->retarget(value);
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
}

void JournalEditorWindow::closeWithButton()
{
    if (editor_.closeCommand() != JournalEditor::CloseOutcome::Closed)
        return;
    if (dialog_)
        dialog_->close();
    closing_ = true;
    // The main window is back before this one goes, so that the program never
    // finds itself without a window.
    if (returnToMain_)
        returnToMain_();
    close();
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
