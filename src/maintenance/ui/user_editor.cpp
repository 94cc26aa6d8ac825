#include "maintenance/ui/user_editor.h"

#include "common/colour_value.h"
#include "common/ui/floating_cell_grid.h"
#include "common/ui/window_colours.h"
#include "maintenance/user_list.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace mokpe::maintenance {

namespace {

QPushButton *makeButton(const char *name, const QString &caption, QWidget *parent)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false);
    button->setMinimumHeight(32);
    return button;
}

} // namespace

UserEditor::UserEditor(AppState &state, platform::MessageService &messages, QWidget *parent)
    : QWidget(parent, Qt::Window), state_(state), messages_(messages), list_(makeUserList()),
      listModel_(list_)
{
    setWindowTitle(QStringLiteral("使用者登録"));
    setAttribute(Qt::WA_DeleteOnClose);

    grid_ = new ui::FloatingCellGrid(this);
    grid_->setObjectName(QStringLiteral("MSFlexGrid1"));
    grid_->setModel(&listModel_);

    QLineEdit *editor = grid_->cellEditor();
    editor->setObjectName(QStringLiteral("Text2"));
    // User names are typed in Japanese: nothing here asks for Latin-only input,
    // so the input method stays available in whatever mode the user left it.
    editor->setAttribute(Qt::WA_InputMethodEnabled);
    editor->setInputMethodHints(Qt::ImhNone);

    // What was loaded when the window was made. It is kept out of sight: the
    // grid is where the user works, and a second list beside it would only
    // confuse once the grid has been edited.
    loadedText_ = new QPlainTextEdit(this);
    loadedText_->setObjectName(QStringLiteral("Text1"));
    loadedText_->setReadOnly(true);
    loadedText_->setFocusPolicy(Qt::NoFocus);
    loadedText_->hide();

    saveButton_ = makeButton("Command1", QStringLiteral("保　存"), this);
    closeButton_ = makeButton("Command2", QStringLiteral("閉じる"), this);
    insertButton_ = makeButton("Command5", QStringLiteral("1行挿入"), this);
    deleteButton_ = makeButton("Command6", QStringLiteral("1行削除"), this);
    appendButton_ = makeButton("Command7", QStringLiteral("最終行追加"), this);

    note_ = new QLabel(QStringLiteral("※入力後は，エンターキーで確定して下さい．"), this);
    note_->setObjectName(QStringLiteral("Label3"));

    auto *buttons = new QVBoxLayout;
    buttons->addWidget(insertButton_);
    buttons->addWidget(deleteButton_);
    buttons->addWidget(appendButton_);
    buttons->addStretch(1);
    buttons->addWidget(saveButton_);
    buttons->addWidget(closeButton_);

    auto *top = new QHBoxLayout;
    top->addWidget(grid_, 1);
    top->addSpacing(6);
    top->addLayout(buttons);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 10);
    layout->addLayout(top, 1);
    layout->addWidget(note_);

    connect(saveButton_, &QPushButton::clicked, this, &UserEditor::save);
    connect(closeButton_, &QPushButton::clicked, this, &UserEditor::closeWithButton);
    connect(insertButton_, &QPushButton::clicked, grid_, &ui::FloatingCellGrid::insertRowAtCurrent);
    connect(deleteButton_, &QPushButton::clicked, grid_, &ui::FloatingCellGrid::removeCurrentRow);
    connect(appendButton_, &QPushButton::clicked, grid_, &ui::FloatingCellGrid::appendRow);

    applyColours();
    loadFromUserTable();
    fitGridToColumns();
    resize(sizeHint().width(), 520);
}

void UserEditor::fitGridToColumns()
{
    // Rows as high as a line of text, and the grid as wide as its two columns,
    // so that no empty strip shows beside them.
    grid_->verticalHeader()->setDefaultSectionSize(grid_->fontMetrics().height() + 8);
    grid_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    grid_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    const int width = grid_->columnWidth(0) + grid_->columnWidth(1) +
                      grid_->verticalScrollBar()->sizeHint().width() + 2 * grid_->frameWidth();
    grid_->setFixedWidth(width);
}

void UserEditor::applyColours()
{
    const SettingsRecord &s = state_.settings;
    ui::applyScreenColour(this, s.screenColour);
    ui::applyScreenColour(note_, s.screenColour);
    for (QPushButton *button : {saveButton_, closeButton_, insertButton_, deleteButton_, appendButton_})
        ui::applyButtonColour(button, s.buttonColour);
    grid_->setFixedCellColour(common::colourFromText(s.screenColour, QApplication::palette()));
    // The grid keeps its own white, whatever the window's colour.
    QPalette gridPalette = grid_->viewport()->palette();
    gridPalette.setColor(QPalette::Base, Qt::white);
    gridPalette.setColor(QPalette::Window, Qt::white);
    grid_->viewport()->setPalette(gridPalette);
}

void UserEditor::loadFromUserTable()
{
    const QStringList users = listedUsers(state_.users);
    QString loaded;
    for (const QString &entry : users)
        loaded += entry + QStringLiteral("\r\n");
    loadedText_->setPlainText(loaded);

    showUsers(list_, users);
    savedEntries_ = listedEntries(list_);
    grid_->setColumnWidthsTwips({750, 2500});
    grid_->setCurrentGridCell(1, kUserColumn);
}

void UserEditor::save()
{
    if (saveUserEditor(state_, list_, messages_) == EditorSave::Saved)
        afterSave();
}

bool UserEditor::write()
{
    if (!savePersonFile(state_, listedEntries(list_), messages_))
        return false;
    afterSave();
    return true;
}

void UserEditor::afterSave()
{
    savedEntries_ = listedEntries(list_);
    if (saved_)
        saved_();
}

bool UserEditor::mayClose()
{
    return closeQuestion(!sameUsers(listedEntries(list_), savedEntries_), messages_,
                         [this] { return write(); }) == EditorClose::Close;
}

void UserEditor::closeWithButton()
{
    if (!mayClose())
        return;
    // Unsaved grid edits do not reach the user table: it is read from the file again.
    PersonFileRead(state_, messages_);
    hide();
    if (returnToMain_)
        returnToMain_();
}

void UserEditor::closeEvent(QCloseEvent *event)
{
    if (!isHidden() && !mayClose()) {
        event->ignore();
        return;
    }
    hide();
    if (returnToMain_)
        returnToMain_();
    event->accept();
}

} // namespace mokpe::maintenance
