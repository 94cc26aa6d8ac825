#include "maintenance/ui/account_code_editor.h"

#include "common/colour_value.h"
#include "common/ui/floating_cell_grid.h"
#include "common/ui/text_fit.h"
#include "common/ui/window_colours.h"
#include "maintenance/account_code_file.h"
#include "maintenance/account_code_save.h"
#include "maintenance/account_list.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QValidator>

namespace mokpe::maintenance {

namespace {

const QList<int> kColumnWidthsTwips = {650, 800, 800, 3300};
constexpr int kHeadingHeightTwips = 900;
constexpr int kRowHeightTwips = 330;

// Limits what is typed, not what the program puts in: QLineEdit::maxLength
// would also cut text set from the settings record, which the save must see whole.
class TypingLimit final : public QValidator {
public:
    TypingLimit(int length, QObject *parent) : QValidator(parent), length_(length) {}
    State validate(QString &input, int &) const override
    {
        return input.size() > length_ ? Invalid : Acceptable;
    }

private:
    int length_;
};

// A code box is as wide as five digits in its font; a name box takes the
// frame's width.
QLineEdit *makeBox(const char *name, int typingLimit, bool codeBox, QWidget *parent)
{
    auto *box = new QLineEdit(parent);
    box->setObjectName(QString::fromLatin1(name));
    if (typingLimit > 0)
        box->setValidator(new TypingLimit(typingLimit, box));
    if (codeBox)
        box->setFixedWidth(ui::lineEditWidthFor(*box, QStringLiteral("00000")));
    return box;
}

QPushButton *makeButton(const char *name, const QString &caption, QWidget *parent)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    return button;
}

QLabel *makeLabel(const char *name, const QString &caption, QWidget *parent)
{
    auto *label = new QLabel(caption, parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

} // namespace

AccountCodeEditor::AccountCodeEditor(AppState &state, platform::MessageService &messages, QWidget *parent)
    : QWidget(parent, Qt::Window), state_(state), messages_(messages), list_(makeAccountList()),
      listModel_(list_)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("科目コード設定"));
    buildControls();
    resize(760, 620);
    Fm8_FormInit();
}

void AccountCodeEditor::buildControls()
{
    // The fixed accounts. Names take Japanese input; the unsettled account's
    // codes are typed directly (the e-money account's codes leave the input as it is).
    auto *unsettledFrame = new QGroupBox(QStringLiteral("電子マネー未決済勘定"), this);
    unsettledFrame->setObjectName(QStringLiteral("Frame1"));
    unsettledCode3_ = makeBox("Text1", 3, true, unsettledFrame);
    unsettledCode4_ = makeBox("Text2", 4, true, unsettledFrame);
    unsettledName_ = makeBox("Text3", 0, false, unsettledFrame);
    unsettledCode3_->setInputMethodHints(Qt::ImhPreferLatin);
    unsettledCode4_->setInputMethodHints(Qt::ImhPreferLatin);
    unsettledName_->setInputMethodHints(Qt::ImhNone);

    auto *emoneyFrame = new QGroupBox(QStringLiteral("電子マネー勘定"), this);
    emoneyFrame->setObjectName(QStringLiteral("Frame2"));
    emoneyCode3_ = makeBox("Text4", 3, true, emoneyFrame);
    emoneyCode4_ = makeBox("Text5", 4, true, emoneyFrame);
    emoneyName_ = makeBox("Text6", 0, false, emoneyFrame);
    emoneyName_->setInputMethodHints(Qt::ImhNone);

    const char *labelNames[] = {"Label1", "Label2", "Label3", "Label4", "Label5", "Label6"};
    const QString labelTexts[] = {QStringLiteral("コード（半角数字３桁）"),
                                  QStringLiteral("コード（半角数字４桁）"),
                                  QStringLiteral("勘定科目（全角３２文字）")};
    QGroupBox *frames[] = {unsettledFrame, emoneyFrame};
    QLineEdit *boxes[] = {unsettledCode3_, unsettledCode4_, unsettledName_,
                          emoneyCode3_,    emoneyCode4_,    emoneyName_};
    for (int f = 0; f < 2; ++f) {
        auto *form = new QFormLayout(frames[f]);
        form->setLabelAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        for (int i = 0; i < 3; ++i)
            form->addRow(makeLabel(labelNames[f * 3 + i], labelTexts[i], frames[f]), boxes[f * 3 + i]);
    }

    // The list of accounts.
    auto *listFrame =
        new QGroupBox(QStringLiteral("その他のコードおよび勘定科目(※エンターキーで確定)"), this);
    listFrame->setObjectName(QStringLiteral("Frame3"));
    grid_ = new ui::FloatingCellGrid(listFrame);
    grid_->setObjectName(QStringLiteral("MSFlexGrid1"));
    grid_->setModel(&listModel_);
    grid_->horizontalHeader()->setHighlightSections(false);
    grid_->setRowHeightTwips(kRowHeightTwips);
    auto *insertButton = makeButton("Command3", QStringLiteral("1行挿入"), listFrame);
    auto *deleteButton = makeButton("Command4", QStringLiteral("1行削除"), listFrame);
    auto *appendButton = makeButton("Command5", QStringLiteral("最終行追加"), listFrame);
    auto *rowButtons = new QHBoxLayout;
    rowButtons->addWidget(insertButton);
    rowButtons->addWidget(deleteButton);
    rowButtons->addWidget(appendButton);
    rowButtons->addStretch();
    auto *listLayout = new QVBoxLayout(listFrame);
    listLayout->addWidget(grid_, 1);
    listLayout->addLayout(rowButtons);

    // The default sets.
    auto *setFrame = new QGroupBox(QStringLiteral("初回読込み"), this);
    setFrame->setObjectName(QStringLiteral("Frame4"));
    auto *wButton = makeButton("Command6", QStringLiteral("Ｗコード"), setFrame);
    auto *fuurinButton = makeButton("Command7", QStringLiteral("　楓林　コード"), setFrame);
    auto *setLayout = new QHBoxLayout(setFrame);
    setLayout->addWidget(wButton);
    setLayout->addWidget(fuurinButton);

    auto *note1 = makeLabel(
        "Label7", QStringLiteral("※初めて使う場合は「初回読込み」のボタンを押して保存して下さい．"), this);
    auto *note2 = makeLabel(
        "Label8", QStringLiteral("※誤って初回読込みボタンを押した場合は保存しないで閉じて下さい．"), this);
    note1->setWordWrap(true);
    note2->setWordWrap(true);

    auto *saveButton = makeButton("Command1", QStringLiteral("保　存"), this);
    auto *closeButton = makeButton("Command2", QStringLiteral("閉じる"), this);
    auto *commandButtons = new QHBoxLayout;
    commandButtons->addStretch();
    commandButtons->addWidget(saveButton);
    commandButtons->addWidget(closeButton);
    for (QPushButton *b : {saveButton, closeButton, wButton, fuurinButton})
        b->setMinimumHeight(32);

    versionLabel_ = makeLabel("Label9", QString(), this);
    versionLabel_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    auto *right = new QVBoxLayout;
    right->addWidget(unsettledFrame);
    right->addWidget(emoneyFrame);
    right->addWidget(setFrame);
    right->addSpacing(8);
    right->addWidget(note1);
    right->addWidget(note2);
    right->addStretch(1);
    right->addLayout(commandButtons);
    right->addWidget(versionLabel_);

    auto *columns = new QHBoxLayout(this);
    columns->addWidget(listFrame, 1);
    columns->addLayout(right);
    // The right-hand column is as wide as a name of sixteen full-width
    // characters beside its label needs; the notes wrap within it.
    const int nameWidth = ui::lineEditWidthFor(*unsettledName_, QString(16, QChar(0x3042)));
    unsettledName_->setMinimumWidth(nameWidth);
    emoneyName_->setMinimumWidth(nameWidth);
    const int rightWidth = unsettledFrame->sizeHint().width();
    // The notes keep the height their wrapped lines need, also at the
    // window's smallest.
    for (QLabel *note : {note1, note2}) {
        note->setFixedWidth(rightWidth);
        note->setMinimumHeight(note->heightForWidth(rightWidth));
    }

    connect(saveButton, &QPushButton::clicked, this, &AccountCodeEditor::save);
    connect(closeButton, &QPushButton::clicked, this, &AccountCodeEditor::closeByButton);
    connect(insertButton, &QPushButton::clicked, grid_, &ui::FloatingCellGrid::insertRowAtCurrent);
    connect(deleteButton, &QPushButton::clicked, grid_, &ui::FloatingCellGrid::removeCurrentRow);
    connect(appendButton, &QPushButton::clicked, grid_, &ui::FloatingCellGrid::appendRow);
    connect(wButton, &QPushButton::clicked, this, [this] { loadSet(DefaultAccountSet::WCodes); });
    connect(fuurinButton, &QPushButton::clicked, this, [this] { loadSet(DefaultAccountSet::FuurinCodes); });
    connect(grid_, &QAbstractItemView::clicked, this, &AccountCodeEditor::onCellClicked);
}

void AccountCodeEditor::Fm8_FormInit()
{
    versionLabel_->setText(kProgramCaption + QStringLiteral("バージョン：") + kVersionText);
    const SettingsRecord &settings = state_.settings;
    ui::applyWindowColours(this, settings.screenColour, settings.buttonColour);
    grid_->setFixedCellColour(common::colourFromText(settings.screenColour, QApplication::palette()));

    for (QLineEdit *box : {unsettledCode3_, unsettledCode4_, emoneyCode3_, emoneyCode4_})
        box->clear();
    Fm8_GridInit();

    const AccountEditorContents contents = editorContentsFromTable(state_);
    showAccounts(list_, contents.rows);
    showFixedAccounts(contents.unsettled, contents.emoney);
    savedContents_ = this->contents();
    grid_->setCurrentGridCell(1, Code3Column);
}

void AccountCodeEditor::Fm8_GridInit()
{
    grid_->cellEditor()->clear();
    list_.clear(list_.rowTotal());
    // The heading row and the columns are never smaller than their headings need.
    grid_->setHeadingHeightTwips(kHeadingHeightTwips);
    grid_->setColumnWidthsTwips(kColumnWidthsTwips);
}

AccountEditorContents AccountCodeEditor::contents() const
{
    AccountEditorContents c;
    c.unsettled = {unsettledCode3_->text(), unsettledCode4_->text(), unsettledName_->text()};
    c.emoney = {emoneyCode3_->text(), emoneyCode4_->text(), emoneyName_->text()};
    c.rows = listedAccounts(list_);
    return c;
}

void AccountCodeEditor::showFixedAccounts(const AccountTriple &unsettled, const AccountTriple &emoney)
{
    unsettledCode3_->setText(unsettled.code3);
    unsettledCode4_->setText(unsettled.code4);
    unsettledName_->setText(unsettled.name);
    emoneyCode3_->setText(emoney.code3);
    emoneyCode4_->setText(emoney.code4);
    emoneyName_->setText(emoney.name);
}

void AccountCodeEditor::loadSet(DefaultAccountSet set)
{
    const AccountEditorContents contents = loadDefaultSet(state_, set);
    showFixedAccounts(contents.unsettled, contents.emoney);
    showAccounts(list_, contents.rows);
}

void AccountCodeEditor::save()
{
    if (saveAccountCodeEditor(state_, contents(), messages_) == EditorSave::Saved)
        afterSave();
}

bool AccountCodeEditor::write()
{
    if (!Fm8_KamokuSave(state_, contents(), messages_))
        return false;
    afterSave();
    return true;
}

void AccountCodeEditor::afterSave()
{
    savedContents_ = contents();
    if (saved_)
        saved_();
}

bool AccountCodeEditor::mayClose()
{
    return closeQuestion(!sameAccounts(contents(), savedContents_), messages_, [this] { return write(); }) ==
           EditorClose::Close;
}

void AccountCodeEditor::closeByButton()
{
    if (!mayClose())
        return;
    // Unsaved edits are dropped: the table is read again and the code system detected anew.
    KamokuFileRead(state_, messages_);
    Fm8_FormInit();
    hide();
    if (returnToMain_)
        returnToMain_();
}

void AccountCodeEditor::closeEvent(QCloseEvent *event)
{
    if (!isHidden() && !mayClose()) {
        event->ignore();
        return;
    }
    // The close box keeps the table in memory as it is; the window goes away.
    hide();
    event->accept();
    if (returnToMain_)
        returnToMain_();
}

void AccountCodeEditor::onCellClicked(const QModelIndex &index)
{
    // Names are typed in Japanese, codes directly.
    QLineEdit *editor = grid_->cellEditor();
    editor->setInputMethodHints(index.column() == NameColumn ? Qt::ImhNone : Qt::ImhPreferLatin);
    editor->setFont(grid_->font());
    if (editor->isHidden())
        grid_->openEditorOnCurrentCell();
}

} // namespace mokpe::maintenance
