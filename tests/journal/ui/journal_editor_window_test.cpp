#include "journal/ui/journal_editor_window.h"

#include "app/ui/main_window.h"
#include "common/twips.h"
#include "journal/journal_table_model.h"
#include "journal/ui/journal_grid_view.h"
#include "journal/ui/unsettled_amount_dialog.h"
#include "support/file_helpers.h"
#include "support/file_kinds.h"
#include "support/scripted_services.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <functional>

namespace mokpe::journal {
namespace {

using test::cp932;
using test::fileBytes;
using test::writeBytes;

const QColor kRed(255, 0, 0);
const QColor kWhite(255, 255, 255);
// "&HC0FFFF" and "&H80FF80" as the settings store them (blue, green, red from the top).
const QColor kScreen(255, 255, 192);
const QColor kButton(128, 255, 128);

const QString kDigitsOnly = QStringLiteral("半角数字で整数のみ入力して下さい");
const QString kEnterAmount = QStringLiteral("金額を入力して下さい．");
const QString kOverwrite = QStringLiteral("同じファイル名があります．上書きしますか？");
const QString kSaveChanges = QStringLiteral("データが変更されています．保存しますか？");

QByteArray settingsFile()
{
    return "0\r\n\r\n\r\n\r\n\r\n&HC0FFFF\r\n&H80FF80\r\n1\r\n0\r\n186\r\n1882\r\n" +
           cp932(QStringLiteral("電子未決\r\n113\r\n1131\r\n電子マネー\r\n"));
}

// Newest first; the oldest journey (balance 1500) cannot be derived from balances.
const QString kTransitHistory = QStringLiteral("利用年月日,種別,事業者,駅,種別,事業者,駅,残額,備考\r\n"
                                               "2008/07/21,入場,JR東,新宿,出場,JR東,渋谷,1000,\r\n"
                                               "2008/07/20,入場,メトロ,渋谷,出場,メトロ,新宿,1200,物販\r\n"
                                               "2008/07/19,入場,JR東,東京,出場,JR東,新宿,1500,\r\n");

// A transit history of `count` journeys, newest first, balances chained.
QString longTransitHistory(int count)
{
    QString text = QStringLiteral("利用年月日,種別,事業者,駅,種別,事業者,駅,残額,備考\r\n");
    int balance = 1000;
    for (int i = 0; i < count; ++i) {
        text +=
            QStringLiteral("2008/07/%1,入場,JR東,新宿,出場,JR東,渋谷,%2,\r\n").arg(28 - i / 4).arg(balance);
        balance += 160;
    }
    return text;
}

// The main window with a complete program folder, from which the tests import
// a card history exactly as the user would.
struct JournalEditorWindowTest : ::testing::Test {
    test::TempFolder folder;
    test::TempFolder cards;
    AppState state;
    test::ScriptedServices fakes;
    std::unique_ptr<ui::MainWindow> main;
    QPointer<JournalEditorWindow> editor;

    JournalEditorWindowTest()
    {
        state.programFolder = folder.path();
        writeBytes(folder.file(QStringLiteral("inifile.ini")), settingsFile());
        writeBytes(folder.file(QStringLiteral("kamoku_code.csv")),
                   cp932(QStringLiteral("186,1882,電子未決\r\n113,1131,電子マネー\r\n842,8471,旅費交通費\r\n"
                                        "854,8641,運賃\r\n837,8451,福利厚生費\r\n")));
        writeBytes(folder.file(QStringLiteral("person.csv")), cp932(QStringLiteral("山田太郎\r\n佐藤\r\n")));
        main = std::make_unique<ui::MainWindow>(state, fakes.services());
        main->load();
        main->show();
    }
    ~JournalEditorWindowTest() override
    {
        delete editor.data();
        main.reset();
        EXPECT_EQ(fakes.messages.unexpectedQuestions, 0);
    }

    QString cardFile(const QString &name, const QString &text)
    {
        const QString path = cards.file(name);
        writeBytes(path, cp932(text));
        return path;
    }
    // "会計CSVファイル読込み" on the file; the editor it opens. The tests read the
    // same file again and again, each time as a first read: no matching.
    void import(const QString &path, int user = 0)
    {
        auto *match = main->findChild<QCheckBox *>(QStringLiteral("Check1"));
        if (match->isChecked())
            match->click();
        main->findChild<QListWidget *>(QStringLiteral("List1"))->setCurrentRow(user);
        fakes.dialogs.chooseNext(path);
        main->findChild<QPushButton *>(QStringLiteral("Command1"))->click();
        editor = main->journalEditor();
        ASSERT_NE(editor.data(), nullptr);
    }

    template <typename T = QPushButton> T *control(const char *name) const
    {
        T *c = editor->findChild<T *>(QLatin1String(name));
        if (!c)
            ADD_FAILURE() << "no control " << name;
        return c;
    }
    JournalGridView *grid() const { return control<JournalGridView>("MSFlexGrid1"); }
    JournalTableModel *model() const { return editor->model(); }
    QString cell(int row, int column) const
    {
        return model()->index(JournalTableModel::modelRow(row), column).data().toString();
    }
    QString rowLine(int row) const
    {
        QStringList texts;
        for (int c = 0; c < kColumnCount; ++c)
            texts.append(cell(row, c));
        return texts.join(u',');
    }
    QColor background(int row, int column) const
    {
        return model()
            ->index(JournalTableModel::modelRow(row), column)
            .data(Qt::BackgroundRole)
            .value<QColor>();
    }
    // A click on the cell, as the user enters it.
    void clickCell(int row, int column) const
    {
        const QModelIndex index = model()->index(JournalTableModel::modelRow(row), column);
        grid()->scrollTo(index);
        QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, grid()->visualRect(index).center());
    }
    UnsettledAmountDialog *dialog() const { return editor->unsettledAmountDialog(); }
    template <typename T = QPushButton> T *dialogControl(const char *name) const
    {
        T *c = dialog() ? dialog()->findChild<T *>(QLatin1String(name)) : nullptr;
        if (!c)
            ADD_FAILURE() << "no dialog control " << name;
        return c;
    }
    void typeInto(const char *name, const QString &text) const
    {
        // Typed as the user would, whole: QTest has no keys for full-width digits.
        auto *box = dialogControl<QLineEdit>(name);
        box->selectAll();
        box->insert(text);
    }
    QPoint cellCentre(int row, int column) const
    {
        return grid()->visualRect(model()->index(JournalTableModel::modelRow(row), column)).center();
    }
    // A press on the cell, a drag to the centre of `toRow`, the release there.
    void dragCells(int row, int column, int toRow) const
    {
        QWidget *viewport = grid()->viewport();
        grid()->scrollTo(model()->index(JournalTableModel::modelRow(row), column));
        QTest::mousePress(viewport, Qt::LeftButton, {}, cellCentre(row, column));
        const QPoint end(cellCentre(row, column).x(), cellCentre(toRow, column).y());
        QTest::mouseMove(viewport, end);
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, end);
    }
    // A click on the entry in the drop-down's open list.
    void pickAccount(const QString &name) const
    {
        auto *combo = control<QComboBox>("Combo1");
        ASSERT_TRUE(combo->isVisible());
        const int index = combo->findText(name);
        ASSERT_GE(index, 0);
        combo->showPopup();
        QAbstractItemView *list = combo->view();
        // Shown at once; the click does not wait for a desktop to say it is
        // drawn (Wine's never says so for a popup).
        ASSERT_TRUE(list->window()->isVisible());
        const QModelIndex item = list->model()->index(index, 0);
        list->scrollTo(item);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(item).center());
    }
    QStringList columnTexts(int column, int rows) const
    {
        QStringList texts;
        for (int r = 1; r <= rows; ++r)
            texts.append(cell(r, column));
        return texts;
    }
    CellPosition currentCell() const { return {grid()->currentGridRow(), grid()->currentGridColumn()}; }
    bool editorGone()
    {
        return QTest::qWaitFor([this] { return editor.isNull(); }, 2000);
    }
};

TEST_F(JournalEditorWindowTest, ImportOpensTheEditorOnTheBuiltJournal)
{
    const QString path = cardFile(QStringLiteral("suica.csv"), kTransitHistory);
    import(path, 1);
    EXPECT_TRUE(fakes.messages.shown.empty()) << fakes.messages.texts().join(u'|').toStdString();
    EXPECT_FALSE(main->isVisible());
    EXPECT_TRUE(editor->isVisible());
    EXPECT_EQ(editor->objectName(), QStringLiteral("Form2"));
    EXPECT_EQ(editor->windowTitle(), QStringLiteral("編集：　") + path);

    // The grid shows the journal straight from the model; the row below it is empty.
    EXPECT_EQ(
        (QStringList{rowLine(1), rowLine(2), rowLine(3), rowLine(4)}),
        (QStringList{
            "1,2008/07/21,旅費交通,200,電子マネー,200,No.1: 山田太郎，場 JR東 新宿 出場 JR東 渋谷　",
            "2,2008/07/20,旅費交通,300,電子マネー,300,No.1: 山田太郎，場 メトロ 渋谷 出場 メトロ 新宿　物販",
            "3,2008/07/19,旅費交通,1500,電子マネー,1500,No.1: 山田太郎，場 JR東 東京 出場 JR東 新宿　",
            ",,,,,,"}));
    for (int c = 0; c < kColumnCount; ++c) {
        EXPECT_EQ(model()->headerData(c, Qt::Horizontal).toString(), kHeadings[static_cast<size_t>(c)]);
        EXPECT_EQ(model()->headerData(c, Qt::Horizontal, Qt::BackgroundRole).value<QColor>(), kScreen);
        EXPECT_EQ(grid()->columnWidth(c),
                  common::twipsToPixels(kColumnWidthsTwips[static_cast<size_t>(c)], grid()->logicalDpiX()));
    }
    // Column 0 is fixed (screen colour); the oldest row's amounts are balance cells.
    for (int row = 1; row <= 3; ++row) {
        EXPECT_EQ(background(row, NumberColumn), kScreen);
        for (int c = 1; c < kColumnCount; ++c) {
            const bool balance = row == 3 && (c == DebitAmountColumn || c == CreditAmountColumn);
            EXPECT_EQ(background(row, c), balance ? kRed : kWhite) << row << ":" << c;
        }
    }
    EXPECT_EQ(grid()->verticalHeader()->sectionResizeMode(0), QHeaderView::Fixed);
    EXPECT_EQ(control<QLabel>("Label3")->text(), QStringLiteral("精算金額：　　　-2,000"));

    // The cell editor stands over row 1, column 1, holding its date; row 1's
    // date cell is no balance cell, so no dialog.
    EXPECT_EQ(grid()->currentIndex(), model()->index(0, DateColumn));
    auto *text3 = control<QLineEdit>("Text3");
    EXPECT_TRUE(text3->isVisible());
    EXPECT_EQ(text3->geometry(), grid()->visualRect(model()->index(0, DateColumn)));
    EXPECT_EQ(text3->text(), QStringLiteral("2008/07/21"));
    EXPECT_EQ(text3->selectedText(), QStringLiteral("2008/07/21"));
    EXPECT_EQ(control<QLineEdit>("Text1")->text(), QStringLiteral("2008/07/21"));
    EXPECT_EQ(dialog(), nullptr);

    auto *combo = control<QComboBox>("Combo1");
    QStringList entries;
    for (int i = 0; i < combo->count(); ++i)
        entries.append(combo->itemText(i));
    EXPECT_EQ(entries, (QStringList{"電子未決", "電子マネー", "旅費交通費", "運賃", "福利厚生費"}));
    EXPECT_TRUE(combo->currentText().isEmpty());
    EXPECT_FALSE(combo->isVisible());
}

TEST_F(JournalEditorWindowTest, ControlsCarryTheirCaptionsColoursAndStates)
{
    import(cardFile(QStringLiteral("suica.csv"), kTransitHistory));
    const struct {
        const char *name;
        QString caption;
        bool enabled;
    } buttons[] = {
        {"Command1", "閉じる", true},      {"Command2", "変　更", true},
        {"Command3", "文字⇒大", true},     {"Command4", "文字⇒小", true},
        {"Command5", "再計算", true},      {"Command6", "保　存", true},
        {"Command7", "ＣＳＶ出力", true},  {"Command8", "精算印刷", true},
        {"Command9", "元に戻す", true},    {"Command10", "１行挿入", true},
        {"Command11", "１行削除", true},   {"Command12", "最終行追加", true},
        {"Command13", "最終行削除", true}, {"Command14", "金額ゼロ行削除", true},
        {"Command15", "物販行削除", true},
    };
    for (const auto &b : buttons) {
        auto *button = control(b.name);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->text(), b.caption) << b.name;
        EXPECT_EQ(button->isEnabled(), b.enabled) << b.name;
        EXPECT_TRUE(button->isVisible()) << b.name;
        EXPECT_EQ(button->font().family(), QStringLiteral("ＭＳ Ｐゴシック")) << b.name;
        EXPECT_EQ(button->palette().color(QPalette::Button), kButton) << b.name;
    }
    EXPECT_EQ(editor->palette().color(QPalette::Window), kScreen);
    auto *label1 = control<QLabel>("Label1");
    EXPECT_EQ(label1->text(), QStringLiteral("※■"));
    EXPECT_EQ(label1->palette().color(QPalette::WindowText), kRed);
    EXPECT_EQ(control<QLabel>("Label2")->text(),
              QStringLiteral("の枠は，使用金額ではなく残金です．手入力にて修正を行って下さい．"
                             "また，入力後は，必ず「　再計算　」ボタンを押して下さい．"));
    EXPECT_EQ(control<QLabel>("Label2")->palette().color(QPalette::Window), kScreen);
    // Present, without any part in what the window does.
    EXPECT_FALSE(control<QLineEdit>("Text2")->isVisible());
    EXPECT_FALSE(control<QLabel>("Label4")->isVisible());
}

// What the start-up shows for each kind of file, below the grid.
TEST_F(JournalEditorWindowTest, SettlementLabelAndRecalculateFollowTheCardKind)
{
    const struct {
        const char *file;
        QString text;
        int journalRows;
        QString label;
        bool recalculate;
    } cases[] = {
        {"transit.csv", kTransitHistory, 3, QStringLiteral("精算金額：　　　-2,000"), true},
        {"header_only.csv", QStringLiteral("利用年月日,種別,事業者,駅,種別,事業者,駅,残額,備考\r\n"), 0,
         QStringLiteral("精算金額：　　　0"), true},
        {"money.csv",
         QStringLiteral("費目別取引\r\nNo.,日付,費目,メモ,金額\r\n,2008/07/19,食費,昼食,-1500\r\n"
                        ",2008/07/20,給料,七月分,250000\r\n"),
         2, QString(), false},
        {"journal.csv",
         QStringLiteral("No.,日付,借方科目,借方金額,貸方科目,貸方金額,摘要\r\n"
                        "1,2008/07/21,旅費交通,200,電子マネー,200,乗車\r\n"),
         1, QString(), true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.file);
        import(cardFile(QLatin1String(c.file), c.text));
        EXPECT_EQ(main->journal().journalRowCount(), c.journalRows);
        EXPECT_EQ(control<QLabel>("Label3")->text(), c.label);
        EXPECT_EQ(control("Command5")->isVisible(), c.recalculate);
        EXPECT_EQ(editor->unsettledAmountDialog(), nullptr);
        control("Command1")->click();
        EXPECT_TRUE(editorGone());
        EXPECT_TRUE(main->isVisible());
    }
}

TEST_F(JournalEditorWindowTest, DirectAmountSettlesTheBalanceCellAndRecalculateShowsIt)
{
    import(cardFile(QStringLiteral("suica.csv"), kTransitHistory));
    clickCell(3, DebitAmountColumn);
    ASSERT_NE(dialog(), nullptr);
    EXPECT_EQ(dialog()->objectName(), QStringLiteral("Form4"));
    EXPECT_EQ(dialog()->windowTitle(), QStringLiteral("未処理データの確定"));
    EXPECT_TRUE(dialog()->isVisible());
    EXPECT_FALSE(dialog()->isModal());
    EXPECT_EQ(dialog()->parentWidget(), editor.data());
    EXPECT_TRUE(dialogControl<QRadioButton>("Option1")->isChecked());
    EXPECT_EQ(dialogControl<QGroupBox>("Frame1")->title(), QStringLiteral("２．使用金額を直接入力"));
    for (const char *hidden : {"Text2", "Label2_0", "Label2_1", "Label3", "Label1", "Command2"})
        EXPECT_FALSE(dialogControl<QWidget>(hidden)->isVisible()) << hidden;
    EXPECT_EQ(control<QLineEdit>("Text3")->text(), QStringLiteral("1500"));

    // Refused amounts leave the dialog open and the cell red.
    for (const QString &refused :
         {QString(), QStringLiteral("1,500"), QStringLiteral("３２０"), QStringLiteral("-320")}) {
        fakes.messages.shown.clear();
        typeInto("Text1", refused);
        dialogControl("Command1")->click();
        EXPECT_EQ(fakes.messages.texts(), QStringList{kDigitsOnly}) << refused.toStdString();
        ASSERT_NE(dialog(), nullptr);
        EXPECT_EQ(background(3, DebitAmountColumn), kRed);
    }

    // The dialog says which balance it settles; Enter confirms.
    EXPECT_EQ(dialogControl<QLabel>("Label4")->text(),
              QStringLiteral("3行目「借方金額」　処理前の金額：　1500"));
    EXPECT_TRUE(dialogControl<QLabel>("Label4")->isVisible());
    typeInto("Text1", QStringLiteral("320"));
    QTest::keyClick(dialogControl<QLineEdit>("Text1"), Qt::Key_Return);
    EXPECT_TRUE(QTest::qWaitFor([this] { return dialog() == nullptr; }, 2000));
    EXPECT_EQ(cell(3, DebitAmountColumn), QStringLiteral("320"));
    EXPECT_EQ(background(3, DebitAmountColumn), kWhite);
    EXPECT_EQ(control<QLineEdit>("Text3")->text(), QStringLiteral("320"));
    // The credit side is a balance cell of its own.
    EXPECT_EQ(cell(3, CreditAmountColumn), QStringLiteral("1500"));
    EXPECT_EQ(background(3, CreditAmountColumn), kRed);
    // The label waits for "再計算".
    EXPECT_EQ(control<QLabel>("Label3")->text(), QStringLiteral("精算金額：　　　-2,000"));
    control("Command5")->click();
    EXPECT_EQ(control<QLabel>("Label3")->text(), QStringLiteral("精算金額：　　　-820"));
}

TEST_F(JournalEditorWindowTest, PreviousBalanceComputesTheAmount)
{
    import(cardFile(QStringLiteral("suica.csv"), kTransitHistory));
    clickCell(3, CreditAmountColumn);
    ASSERT_NE(dialog(), nullptr);
    dialogControl<QRadioButton>("Option2")->click();
    EXPECT_FALSE(dialogControl<QRadioButton>("Option1")->isChecked());
    EXPECT_EQ(dialogControl<QGroupBox>("Frame1")->title(), QStringLiteral("２．前回の残金額を入力後計算"));
    for (const char *shown : {"Text2", "Label2_0", "Label2_1", "Label3", "Label1", "Command2"})
        EXPECT_TRUE(dialogControl<QWidget>(shown)->isVisible()) << shown;
    EXPECT_EQ(dialogControl<QLabel>("Label2_0")->text(), QStringLiteral("－"));
    EXPECT_EQ(dialogControl<QLabel>("Label2_1")->text(), QStringLiteral("＝"));
    EXPECT_EQ(dialogControl<QLabel>("Label1")->text(), QStringLiteral("前回の残金"));
    EXPECT_EQ(dialogControl<QLineEdit>("Text1")->text(), QStringLiteral("1500"));

    // Confirming before computing, computing with an empty or a malformed box.
    dialogControl("Command1")->click();
    dialogControl("Command2")->click();
    typeInto("Text2", QStringLiteral("2,000"));
    dialogControl("Command2")->click();
    EXPECT_EQ(fakes.messages.texts(), (QStringList{kDigitsOnly, kEnterAmount, kDigitsOnly}));
    EXPECT_EQ(background(3, CreditAmountColumn), kRed);

    // Enter computes first, then confirms.
    typeInto("Text2", QStringLiteral("2000"));
    QTest::keyClick(dialogControl<QLineEdit>("Text2"), Qt::Key_Return);
    EXPECT_EQ(dialogControl<QLabel>("Label3")->text(), QStringLiteral("500"));
    QTest::keyClick(dialogControl<QLineEdit>("Text2"), Qt::Key_Return);
    EXPECT_TRUE(QTest::qWaitFor([this] { return dialog() == nullptr; }, 2000));
    EXPECT_EQ(cell(3, CreditAmountColumn), QStringLiteral("500"));
    EXPECT_EQ(background(3, CreditAmountColumn), kWhite);
    EXPECT_EQ(background(3, DebitAmountColumn), kRed);
    EXPECT_EQ(fakes.messages.shown.size(), 3u);
}

TEST_F(JournalEditorWindowTest, AnotherBalanceCellBringsTheOpenDialogToIt)
{
    import(cardFile(QStringLiteral("suica.csv"), kTransitHistory));
    // A second balance cell with another value, as a second unsettled row would be.
    main->journal().setColour(1, DebitAmountColumn, CellColour::Balance);

    clickCell(3, DebitAmountColumn);
    QPointer<UnsettledAmountDialog> first = dialog();
    ASSERT_NE(first.data(), nullptr);
    typeInto("Text1", QStringLiteral("320"));

    // The other amount cell of the row holds the same balance: what was typed stays.
    clickCell(3, CreditAmountColumn);
    EXPECT_EQ(dialog(), first.data());
    EXPECT_EQ(editor->editor().pendingCell().column, QStringLiteral("5"));
    EXPECT_EQ(dialogControl<QLineEdit>("Text1")->text(), QStringLiteral("320"));
    dialogControl<QRadioButton>("Option2")->click();

    // Moving over white cells leaves the dialog as it is.
    clickCell(2, SummaryColumn);
    EXPECT_EQ(dialog(), first.data());
    EXPECT_TRUE(first->isVisible());

    clickCell(1, DebitAmountColumn);
    EXPECT_EQ(dialog(), first.data());
    EXPECT_EQ(editor->editor().pendingCell().row, QStringLiteral("1"));
    // The dialog now speaks of the cell it will settle.
    EXPECT_EQ(dialogControl<QLineEdit>("Text1")->text(), QStringLiteral("200"));
    typeInto("Text2", QStringLiteral("260"));
    dialogControl("Command2")->click();
    dialogControl("Command1")->click();
    EXPECT_TRUE(QTest::qWaitFor([this] { return dialog() == nullptr; }, 2000));
    EXPECT_EQ(cell(1, DebitAmountColumn), QStringLiteral("60"));
    EXPECT_EQ(background(1, DebitAmountColumn), kWhite);
    EXPECT_EQ(cell(3, DebitAmountColumn), QStringLiteral("1500"));
    EXPECT_EQ(background(3, DebitAmountColumn), kRed);
}

TEST_F(JournalEditorWindowTest, DialogCloseBoxLeavesTheCellRedAndTheNextEntryOpensItAgain)
{
    import(cardFile(QStringLiteral("suica.csv"), kTransitHistory));
    clickCell(3, DebitAmountColumn);
    ASSERT_NE(dialog(), nullptr);
    typeInto("Text1", QStringLiteral("320"));
    dialog()->close();
    EXPECT_TRUE(QTest::qWaitFor([this] { return dialog() == nullptr; }, 2000));
    EXPECT_EQ(cell(3, DebitAmountColumn), QStringLiteral("1500"));
    EXPECT_EQ(background(3, DebitAmountColumn), kRed);

    clickCell(3, DateColumn);
    EXPECT_EQ(dialog(), nullptr);
    clickCell(3, DebitAmountColumn);
    ASSERT_NE(dialog(), nullptr);
    // A new dialog starts empty.
    EXPECT_TRUE(dialogControl<QLineEdit>("Text1")->text().isEmpty());
}

TEST_F(JournalEditorWindowTest, NumberColumnNeverBecomesCurrent)
{
    import(cardFile(QStringLiteral("suica.csv"), kTransitHistory));
    clickCell(2, NumberColumn);
    EXPECT_EQ(grid()->currentIndex(), model()->index(1, DateColumn));
    EXPECT_EQ(editor->editor().grid().current(), (CellPosition{2, DateColumn}));
    EXPECT_EQ(control<QLineEdit>("Text3")->geometry(), grid()->visualRect(model()->index(1, DateColumn)));
    // The date holds a value: the click leaves it out of reach of typing.
    EXPECT_FALSE(control<QLineEdit>("Text3")->isVisible());
    EXPECT_TRUE(control<QLineEdit>("Text1")->text().isEmpty());
}

TEST_F(JournalEditorWindowTest, SaveAsksBeforeReplacingAFile)
{
    const QString path = cardFile(QStringLiteral("suica.csv"), kTransitHistory);
    import(path);
    for (int column : {DebitAmountColumn, CreditAmountColumn}) {
        clickCell(3, column);
        typeInto("Text1", QStringLiteral("320"));
        dialogControl("Command1")->click();
    }
    const QByteArray journal = cp932(
        QStringLiteral("No.,日付,借方科目,借方金額,貸方科目,貸方金額,摘要\r\n"
                       "1,2008/07/21,旅費交通,200,電子マネー,200,場 JR東 新宿 出場 JR東 渋谷　\r\n"
                       "2,2008/07/20,旅費交通,300,電子マネー,300,場 メトロ 渋谷 出場 メトロ 新宿　物販\r\n"
                       "3,2008/07/19,旅費交通,320,電子マネー,320,場 JR東 東京 出場 JR東 新宿　\r\n"));

    const QString target = cards.file(QStringLiteral("saved.csv"));
    writeBytes(target, "old contents\r\n");
    // No: the old file stays. Yes: it is replaced whole.
    fakes.dialogs.chooseNext(target);
    fakes.messages.answerNext(false);
    control("Command6")->click();
    EXPECT_EQ(fileBytes(target), QByteArray("old contents\r\n"));
    fakes.dialogs.chooseNext(target);
    fakes.messages.answerNext(true);
    control("Command6")->click();
    EXPECT_EQ(fileBytes(target), journal);
    // The status line says what was written where.
    EXPECT_EQ(control<QLabel>("StatusLine")->text(),
              QStringLiteral("「%1」に3行の仕訳を保存しました．").arg(QDir::toNativeSeparators(target)));

    // Never the history itself: a name the save accepts.
    EXPECT_EQ(fakes.dialogs.presetNames, (QStringList{"suica_仕訳.csv", "suica_仕訳.csv"}));
    EXPECT_EQ(fakes.dialogs.filters.last(), QStringLiteral("CSVファイル (*.csv)"));
    const test::ShownMessage question{test::ShownMessage::Ask, kOverwrite,
                                      QStringLiteral("ファイルの上書き")};
    EXPECT_EQ(fakes.messages.shown, (std::vector<test::ShownMessage>{question, question}));

    // A cancelled dialog writes nothing and asks nothing.
    fakes.messages.shown.clear();
    fakes.dialogs.cancelNext();
    control("Command6")->click();
    EXPECT_EQ(fileBytes(target), journal);
    EXPECT_TRUE(fakes.messages.shown.empty());
    EXPECT_TRUE(editor->isVisible());
}

TEST_F(JournalEditorWindowTest, SaveRefusesAJournalWithABlankAmount)
{
    import(cardFile(QStringLiteral("suica.csv"), kTransitHistory));
    main->journal().setText(2, CreditAmountColumn, QString());
    control("Command6")->click();
    EXPECT_EQ(fakes.messages.texts(), QStringList{"No. 2 行目 : 日付か金額欄に空欄行を検出しました．"});
    EXPECT_TRUE(fakes.dialogs.presetNames.isEmpty());
}

// The save dialog's answer is checked before the overwrite question: not the
// history the journal was read from, not a file of the program folder, not a
// pipe. Each is refused with its message, and stays as it was.
TEST_F(JournalEditorWindowTest, SaveRefusesWhereNoJournalMayGo)
{
    const QString history = cardFile(QStringLiteral("suica.csv"), kTransitHistory);
    import(history);
    for (int column : {DebitAmountColumn, CreditAmountColumn}) {
        clickCell(3, column);
        typeInto("Text1", QStringLiteral("320"));
        dialogControl("Command1")->click();
    }
    const QString users = folder.file(QStringLiteral("person.csv"));
    struct Case {
        QString path;
        QString message;
    };
    std::vector<Case> cases = {
        {history, QStringLiteral("ファイル「%1」は読み込んだファイルのため，出力先にできません．\r\n"
                                 "別のファイル名を指定して下さい．")
                      .arg(QDir::toNativeSeparators(history))},
        {users, QStringLiteral("ファイル「%1」はモコペ！が使うファイルのため，出力先にできません．\r\n"
                               "別のファイル名を指定して下さい．")
                    .arg(QDir::toNativeSeparators(users))},
    };
    const QString pipe = cards.file(QStringLiteral("pipe.csv"));
    if (test::pipeInFolderUnavailable().isEmpty()) {
        cases.push_back({test::makePipe(pipe),
                         QStringLiteral("ファイル「%1」に書き込めません．\r\n"
                                        "通常のファイルではありません(パイプやデバイスには書き込めません)．")
                             .arg(QDir::toNativeSeparators(pipe))});
    }
    for (const Case &c : cases) {
        const QByteArray before = QFileInfo(c.path).isFile() ? fileBytes(c.path) : QByteArray();
        fakes.messages.shown.clear();
        fakes.dialogs.chooseNext(c.path);
        control("Command6")->click();
        EXPECT_EQ(fakes.messages.texts(), QStringList{c.message});
        EXPECT_EQ(QFileInfo(c.path).isFile() ? fileBytes(c.path) : QByteArray(), before);
    }
    EXPECT_FALSE(QFileInfo(pipe).isFile());
    EXPECT_TRUE(editor->isVisible());
}

// An amount that is no whole number of yen is named before the dialog.
TEST_F(JournalEditorWindowTest, SaveRefusesAnAmountThatIsNoWholeNumberOfYen)
{
    import(cardFile(QStringLiteral("suica.csv"), kTransitHistory));
    main->journal().setText(2, CreditAmountColumn, QStringLiteral("210.5"));
    main->journal().setText(3, DebitAmountColumn, QStringLiteral("320"));
    main->journal().setText(3, CreditAmountColumn, QStringLiteral("320"));
    control("Command6")->click();
    EXPECT_EQ(fakes.messages.texts(),
              QStringList{"No. 2 行目 : 「貸方金額」欄の「210.5」は金額として読めません．"
                          "金額は半角数字の整数(円)で入力して下さい．"});
    EXPECT_TRUE(fakes.dialogs.presetNames.isEmpty());
}

TEST_F(JournalEditorWindowTest, CloseAsksOnlyAfterAChange)
{
    const QString path = cardFile(QStringLiteral("suica.csv"), kTransitHistory);
    const test::ShownMessage question{test::ShownMessage::AskOrCancel, kSaveChanges,
                                      QStringLiteral("データの保存")};

    // Looking around, and a drop-down opened without a pick, change nothing.
    import(path);
    clickCell(2, SummaryColumn);
    dragCells(1, CreditAccountColumn, 2);
    ASSERT_TRUE(control<QComboBox>("Combo1")->isVisible());
    control("Command1")->click();
    EXPECT_TRUE(editorGone());
    EXPECT_TRUE(main->isVisible());
    EXPECT_TRUE(fakes.messages.shown.empty());
    EXPECT_EQ(main->journal().journalRowCount(), 0);

    // After a committed cell: キャンセル (Esc) keeps the editor and its edit;
    // No closes without saving.
    import(path);
    clickCell(1, SummaryColumn);
    QTest::keyClicks(control<QLineEdit>("Text3"), QStringLiteral("x"));
    QTest::keyClick(control<QLineEdit>("Text3"), Qt::Key_Return);
    fakes.messages.cancelNext();
    control("Command1")->click();
    EXPECT_TRUE(editor->isVisible());
    EXPECT_EQ(main->journal().text(1, SummaryColumn), QStringLiteral("x"));
    fakes.messages.shown.clear();
    fakes.messages.answerNext(false);
    control("Command1")->click();
    EXPECT_TRUE(editorGone());
    EXPECT_TRUE(main->isVisible());
    EXPECT_EQ(fakes.messages.shown, std::vector<test::ShownMessage>{question});
    EXPECT_TRUE(fakes.dialogs.presetNames.isEmpty());

    // Yes saves and stays open; the next "閉じる" asks nothing.
    fakes.messages.shown.clear();
    import(path);
    clickCell(1, SummaryColumn);
    QTest::keyClick(control<QLineEdit>("Text3"), Qt::Key_Return);
    const QString target = cards.file(QStringLiteral("kept.csv"));
    fakes.messages.answerNext(true);
    fakes.dialogs.chooseNext(target);
    control("Command1")->click();
    EXPECT_TRUE(editor->isVisible());
    EXPECT_FALSE(main->isVisible());
    EXPECT_TRUE(fileBytes(target).startsWith(cp932(QStringLiteral("No.,日付,借方科目"))));
    control("Command1")->click();
    EXPECT_TRUE(editorGone());
    EXPECT_TRUE(main->isVisible());
    EXPECT_EQ(fakes.messages.shown, std::vector<test::ShownMessage>{question});
}

// Every change the user makes is a change "閉じる" asks about.
TEST_F(JournalEditorWindowTest, EveryKindOfChangeIsAskedAbout)
{
    const QString path = cardFile(QStringLiteral("suica.csv"), kTransitHistory);
    const struct {
        const char *name;
        std::function<void(JournalEditorWindowTest &)> change;
    } changes[] = {
        {"settled balance cell",
         [](JournalEditorWindowTest &t) {
             t.clickCell(3, DebitAmountColumn);
             t.typeInto("Text1", QStringLiteral("320"));
             t.dialogControl("Command1")->click();
         }},
        {"account assignment",
         [](JournalEditorWindowTest &t) {
             t.dragCells(1, DebitAccountColumn, 1);
             t.pickAccount(QStringLiteral("運賃"));
         }},
        {"inserted row",
         [](JournalEditorWindowTest &t) {
             t.clickCell(2, SummaryColumn);
             t.control("Command10")->click();
         }},
        {"appended row", [](JournalEditorWindowTest &t) { t.control("Command12")->click(); }},
        {"deleted last row", [](JournalEditorWindowTest &t) { t.control("Command13")->click(); }},
        {"goods rows deleted",
         [](JournalEditorWindowTest &t) {
             t.fakes.messages.answerNext(true);
             t.control("Command15")->click();
         }},
        {"undo", [](JournalEditorWindowTest &t) { t.control("Command9")->click(); }},
    };
    for (const auto &c : changes) {
        SCOPED_TRACE(c.name);
        fakes.messages.shown.clear();
        import(path);
        c.change(*this);
        fakes.messages.shown.clear();
        fakes.messages.answerNext(false);
        control("Command1")->click();
        EXPECT_TRUE(editorGone());
        EXPECT_EQ(fakes.messages.texts(), QStringList{kSaveChanges});
    }
}

TEST_F(JournalEditorWindowTest, CloseBoxIsRefused)
{
    import(cardFile(QStringLiteral("suica.csv"), kTransitHistory));
    EXPECT_FALSE(editor->close());
    EXPECT_TRUE(editor->isVisible());
    EXPECT_FALSE(main->isVisible());
    EXPECT_FALSE(QTest::qWaitFor([this] { return editor.isNull(); }, 100));
    EXPECT_EQ(main->journal().journalRowCount(), 3);
}

TEST_F(JournalEditorWindowTest, RowButtonsWorkOnTheCurrentRow)
{
    import(cardFile(QStringLiteral("suica.csv"), kTransitHistory));
    auto *text3 = control<QLineEdit>("Text3");
    auto *label = control<QLabel>("Label3");
    const QStringList journal = {rowLine(1), rowLine(2), rowLine(3)};
    const auto renumbered = [](QString line, int row) { return line.replace(0, 1, QString::number(row)); };
    const QString question =
        QStringLiteral("連続で行削除します．一度削除すると戻りません．\r\n削除しますか？");

    // The goods row goes after one question; No keeps it.
    clickCell(1, SummaryColumn);
    fakes.messages.answerNext(false);
    control("Command15")->click();
    EXPECT_EQ(main->journal().journalRowCount(), 3);
    fakes.messages.answerNext(true);
    control("Command15")->click();
    EXPECT_EQ((QStringList{rowLine(1), rowLine(2)}), (QStringList{journal[0], renumbered(journal[2], 2)}));
    EXPECT_EQ(label->text(), QStringLiteral("精算金額：　　　-1,700"));
    EXPECT_EQ(currentCell(), (CellPosition{2, SummaryColumn}));
    EXPECT_FALSE(text3->isVisible());
    EXPECT_EQ(fakes.messages.texts(), (QStringList{question, question}));

    // Undo: the journal as it was, its balance cells still red.
    control("Command9")->click();
    EXPECT_EQ((QStringList{rowLine(1), rowLine(2), rowLine(3)}), journal);
    EXPECT_EQ(rowLine(4), QStringLiteral(",,,,,,"));
    EXPECT_EQ(background(3, DebitAmountColumn), kRed);
    EXPECT_EQ(label->text(), QStringLiteral("精算金額：　　　-2,000"));

    clickCell(2, SummaryColumn);
    control("Command10")->click();
    EXPECT_EQ(main->journal().journalRowCount(), 4);
    EXPECT_EQ(rowLine(2), QStringLiteral("2,,,,,,"));
    EXPECT_EQ(rowLine(3), renumbered(journal[1], 3));
    EXPECT_EQ(model()->rowCount(), kMinimumRowTotal - 1);
    EXPECT_EQ(currentCell(), (CellPosition{2, SummaryColumn}));
    EXPECT_FALSE(text3->isVisible());
    EXPECT_TRUE(text3->text().isEmpty());
    EXPECT_TRUE(control<QLineEdit>("Text1")->text().isEmpty());
    control("Command9")->click();
    EXPECT_EQ((QStringList{rowLine(1), rowLine(2), rowLine(3)}), journal);

    control("Command11")->click();
    EXPECT_EQ(main->journal().journalRowCount(), 2);
    EXPECT_EQ(rowLine(2), renumbered(journal[2], 2));
    EXPECT_EQ(label->text(), QStringLiteral("精算金額：　　　-1,700"));

    control("Command12")->click();
    EXPECT_EQ(rowLine(3), QStringLiteral("3,,,,,,"));
    EXPECT_EQ(model()->rowCount(), kMinimumRowTotal);
    control("Command13")->click();
    EXPECT_EQ(main->journal().journalRowCount(), 2);
    EXPECT_EQ(model()->rowCount(), kMinimumRowTotal - 1);
    // An empty row below the journal is not deleted.
    clickCell(5, SummaryColumn);
    control("Command11")->click();
    EXPECT_EQ(main->journal().journalRowCount(), 2);
    EXPECT_EQ(dialog(), nullptr);
}

TEST_F(JournalEditorWindowTest, KeysTakeTheCellEditorToTheLastRowAndNoFurther)
{
    import(cardFile(QStringLiteral("suica.csv"), kTransitHistory));
    auto *text3 = control<QLineEdit>("Text3");
    const auto key = [text3](Qt::Key k) { QTest::keyClick(text3, k); };

    clickCell(1, SummaryColumn);
    key(Qt::Key_Down);
    key(Qt::Key_Down);
    EXPECT_EQ(currentCell(), (CellPosition{3, SummaryColumn}));
    key(Qt::Key_Down);
    key(Qt::Key_PageDown);
    EXPECT_EQ(currentCell(), (CellPosition{3, SummaryColumn}));
    EXPECT_EQ(text3->geometry(), grid()->visualRect(model()->index(2, SummaryColumn)));
    EXPECT_EQ(text3->text(), cell(3, SummaryColumn));
    key(Qt::Key_Right);
    EXPECT_EQ(currentCell(), (CellPosition{3, SummaryColumn}));

    // Entering a balance cell by keyboard opens the dialog, each time.
    key(Qt::Key_Left);
    ASSERT_NE(dialog(), nullptr);
    EXPECT_EQ(editor->editor().pendingCell().column, QStringLiteral("5"));
    key(Qt::Key_Left);
    key(Qt::Key_Left);
    EXPECT_EQ(editor->editor().pendingCell().column, QStringLiteral("3"));
    dialog()->close();
    EXPECT_TRUE(QTest::qWaitFor([this] { return dialog() == nullptr; }, 2000));
    key(Qt::Key_PageUp);
    EXPECT_EQ(currentCell(), (CellPosition{1, DebitAmountColumn}));
    key(Qt::Key_Left);
    key(Qt::Key_Left);
    key(Qt::Key_Left);
    EXPECT_EQ(currentCell(), (CellPosition{1, DateColumn}));

    // The grid's own keys follow the same rule.
    grid()->setFocus();
    QTest::keyClick(grid(), Qt::Key_End, Qt::ControlModifier);
    QTest::keyClick(grid(), Qt::Key_PageDown);
    QTest::keyClick(grid(), Qt::Key_PageDown);
    EXPECT_EQ(currentCell(), (CellPosition{3, DateColumn}));
    EXPECT_EQ(dialog(), nullptr);
}

TEST_F(JournalEditorWindowTest, EnterCommitsAndMovesDown)
{
    import(cardFile(QStringLiteral("suica.csv"), kTransitHistory));
    auto *text3 = control<QLineEdit>("Text3");
    auto *text1 = control<QLineEdit>("Text1");

    clickCell(1, SummaryColumn);
    QTest::keyClicks(text3, QStringLiteral("meeting"));
    QTest::keyClick(text3, Qt::Key_Return);
    EXPECT_EQ(cell(1, SummaryColumn), QStringLiteral("meeting"));
    EXPECT_EQ(background(1, SummaryColumn), QColor(235, 250, 255));
    EXPECT_EQ(currentCell(), (CellPosition{2, SummaryColumn}));
    EXPECT_EQ(text3->text(), cell(2, SummaryColumn));

    // A date with a value is refused; Enter goes on to the next row all the same.
    clickCell(2, DateColumn);
    text3->show();
    text3->setText(QStringLiteral("2008/07/01"));
    QTest::keyClick(text3, Qt::Key_Return);
    EXPECT_EQ(fakes.messages.texts(),
              QStringList{QStringLiteral("「　日付　」及び「　金額　」欄は変更できません．")});
    EXPECT_EQ(cell(2, DateColumn), QStringLiteral("2008/07/20"));
    EXPECT_EQ(currentCell(), (CellPosition{3, DateColumn}));

    // The cell text box: Enter writes it into the cell; "変　更" too.
    clickCell(2, CreditAccountColumn);
    text1->setFocus();
    text1->clear();
    QTest::keyClicks(text1, QStringLiteral("cash"));
    QTest::keyClick(text1, Qt::Key_Return);
    EXPECT_EQ(cell(2, CreditAccountColumn), QStringLiteral("cash"));
    EXPECT_EQ(text1->text(), cell(3, CreditAccountColumn));
    EXPECT_EQ(currentCell(), (CellPosition{3, CreditAccountColumn}));
    text1->setText(QStringLiteral("card"));
    control("Command2")->click();
    EXPECT_EQ(cell(3, CreditAccountColumn), QStringLiteral("card"));
    EXPECT_EQ(text3->text(), QStringLiteral("card"));
    EXPECT_EQ(currentCell(), (CellPosition{3, CreditAccountColumn}));
}

TEST_F(JournalEditorWindowTest, KeysInTheCellTextBoxRecomputeTheLabel)
{
    import(cardFile(QStringLiteral("suica.csv"), kTransitHistory));
    auto *label = control<QLabel>("Label3");
    clickCell(3, DebitAmountColumn);
    typeInto("Text1", QStringLiteral("320"));
    dialogControl("Command1")->click();
    EXPECT_EQ(label->text(), QStringLiteral("精算金額：　　　-2,000"));
    QTest::keyClick(control<QLineEdit>("Text1"), Qt::Key_Shift);
    EXPECT_EQ(label->text(), QStringLiteral("精算金額：　　　-820"));
}

TEST_F(JournalEditorWindowTest, DragAssignsTheAccountToItsRows)
{
    import(cardFile(QStringLiteral("suica.csv"), kTransitHistory));
    auto *combo = control<QComboBox>("Combo1");
    auto *text3 = control<QLineEdit>("Text3");
    const QStringList before = columnTexts(CreditAccountColumn, 3);

    dragCells(1, CreditAccountColumn, 2);
    EXPECT_EQ(currentCell(), (CellPosition{1, CreditAccountColumn}));
    ASSERT_TRUE(combo->isVisible());
    const QRect cellRect = grid()->visualRect(model()->index(0, CreditAccountColumn));
    EXPECT_EQ(combo->geometry().topLeft(), cellRect.topLeft());
    EXPECT_EQ(combo->width(), cellRect.width());
    // Open at the cell's own account.
    EXPECT_EQ(combo->currentText(), QStringLiteral("電子マネー"));
    EXPECT_EQ(fakes.inputModes.switches.back(),
              (test::RecordingInputModes::Switch{QStringLiteral("Text3"), platform::InputMode::Hiragana}));

    pickAccount(QStringLiteral("運賃"));
    EXPECT_EQ(columnTexts(CreditAccountColumn, 3), (QStringList{"運賃", "運賃", before[2]}));
    EXPECT_EQ(background(2, CreditAccountColumn), QColor(235, 250, 255));
    EXPECT_EQ(background(3, CreditAccountColumn), kWhite);
    EXPECT_FALSE(combo->isVisible());
    EXPECT_EQ(text3->text(), QStringLiteral("運賃"));
    control("Command9")->click();
    EXPECT_EQ(columnTexts(CreditAccountColumn, 3), before);

    // Released below the journal: every row down to the last one.
    dragCells(2, DebitAccountColumn, 8);
    pickAccount(QStringLiteral("福利厚生費"));
    EXPECT_EQ(columnTexts(DebitAccountColumn, 4), (QStringList{"旅費交通", "福利厚生費", "福利厚生費", ""}));

    // Upward: nothing.
    dragCells(3, CreditAccountColumn, 1);
    pickAccount(QStringLiteral("運賃"));
    EXPECT_EQ(columnTexts(CreditAccountColumn, 3), before);

    // A name typed into the drop-down and Enter: nothing either.
    dragCells(1, CreditAccountColumn, 3);
    combo->lineEdit()->selectAll();
    combo->lineEdit()->insert(QStringLiteral("運賃"));
    QTest::keyClick(combo->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(columnTexts(CreditAccountColumn, 3), before);
    EXPECT_TRUE(combo->isVisible());
}

TEST_F(JournalEditorWindowTest, MouseUpSetsTheInputModeAndKeepsValuesFromTyping)
{
    import(cardFile(QStringLiteral("suica.csv"), kTransitHistory));
    auto *text3 = control<QLineEdit>("Text3");
    clickCell(2, SummaryColumn);
    EXPECT_EQ(fakes.inputModes.switches,
              (std::vector<test::RecordingInputModes::Switch>{{"Text3", platform::InputMode::Hiragana}}));
    EXPECT_TRUE(text3->isVisible());
    // A date with a value: direct entry, and the editor goes.
    clickCell(1, DateColumn);
    EXPECT_EQ(fakes.inputModes.switches.back().mode, platform::InputMode::Direct);
    EXPECT_FALSE(text3->isVisible());
    EXPECT_TRUE(control<QLineEdit>("Text1")->text().isEmpty());
    // An empty date (below the journal) may be typed into, directly.
    clickCell(4, DateColumn);
    EXPECT_EQ(fakes.inputModes.switches.size(), 3u);
    EXPECT_TRUE(text3->isVisible());
    EXPECT_EQ(fakes.inputModes.switches.back().mode, platform::InputMode::Direct);
}

TEST_F(JournalEditorWindowTest, ScrollingHidesTheFloatingControls)
{
    import(cardFile(QStringLiteral("suica.csv"), kTransitHistory));
    dragCells(1, DebitAccountColumn, 1);
    ASSERT_TRUE(control<QComboBox>("Combo1")->isVisible());
    ASSERT_TRUE(control<QLineEdit>("Text3")->isVisible());
    grid()->verticalScrollBar()->setValue(grid()->verticalScrollBar()->value() + 3);
    EXPECT_FALSE(control<QComboBox>("Combo1")->isVisible());
    EXPECT_FALSE(control<QLineEdit>("Text3")->isVisible());

    // The drop-down goes too when it loses the keyboard.
    dragCells(2, DebitAccountColumn, 2);
    auto *combo = control<QComboBox>("Combo1");
    ASSERT_TRUE(combo->isVisible());
    combo->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([combo] { return combo->hasFocus(); }, 1000));
    control<QLineEdit>("Text1")->setFocus();
    EXPECT_TRUE(QTest::qWaitFor([combo] { return !combo->isVisible(); }, 1000));
}

TEST_F(JournalEditorWindowTest, TextSizeButtonsResizeGridAndEditor)
{
    import(cardFile(QStringLiteral("suica.csv"), kTransitHistory));
    clickCell(1, SummaryColumn);
    auto *text3 = control<QLineEdit>("Text3");
    const auto width = [this](int column, int extraTwips) {
        return common::twipsToPixels(kColumnWidthsTwips[static_cast<size_t>(column)] + extraTwips,
                                     grid()->logicalDpiX());
    };
    control("Command3")->click();
    EXPECT_EQ(grid()->font().pointSize(), 11);
    EXPECT_EQ(text3->font().pointSize(), 11);
    EXPECT_EQ(grid()->columnWidth(SummaryColumn), width(SummaryColumn, 100));
    EXPECT_EQ(text3->geometry(), grid()->visualRect(model()->index(0, SummaryColumn)));
    for (int i = 0; i < 3; ++i)
        control("Command4")->click();
    EXPECT_EQ(grid()->font().pointSize(), 7);
    EXPECT_EQ(grid()->columnWidth(NumberColumn), width(NumberColumn, -100));
}

// Page Down and Down past the last row in view: the grid scrolls by whole
// rows, the current cell stays wholly in view and the cell editor over it keeps
// the keyboard, so that the next key goes on down the rows.
TEST_F(JournalEditorWindowTest, KeyboardStaysWithTheCellEditorWhenTheGridScrolls)
{
    import(cardFile(QStringLiteral("long.csv"), longTransitHistory(60)));
    // A height that leaves the last row in view cut off at the bottom edge
    // (480 does, with the faces of Linux).
    for (int height = 480; height < 520; ++height) {
        editor->resize(editor->width(), height);
        QApplication::processEvents();
        if (grid()->viewport()->height() % grid()->rowHeight(0) != 0)
            break;
    }
    auto *text3 = control<QLineEdit>("Text3");
    editor->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(editor));
    clickCell(1, SummaryColumn);
    ASSERT_EQ(QApplication::focusWidget(), text3);
    const int rowHeight = grid()->rowHeight(0);
    ASSERT_NE(grid()->viewport()->height() % rowHeight, 0);

    const auto press = [&](Qt::Key key, int times) {
        for (int i = 0; i < times; ++i) {
            // Where the user's next key goes.
            QTest::keyClick(QApplication::focusWidget(), key);
            const QRect shown = grid()->visualRect(grid()->currentIndex());
            ASSERT_EQ(QApplication::focusWidget(), text3) << "after key " << i << " at " << currentCell().row;
            ASSERT_TRUE(grid()->viewport()->rect().contains(shown)) << "row " << currentCell().row;
            ASSERT_TRUE(text3->isVisible());
            ASSERT_EQ(text3->geometry(), shown);
            ASSERT_EQ(text3->text(), cell(currentCell().row, SummaryColumn));
        }
    };
    // A page is the rows in view.
    const int page = grid()->rowsInView();
    ASSERT_GT(page, 5);
    press(Qt::Key_PageDown, 2);
    EXPECT_EQ(currentCell(), (CellPosition{1 + 2 * page, SummaryColumn}));
    EXPECT_GT(grid()->verticalScrollBar()->value(), 0);
    press(Qt::Key_Down, 5);
    EXPECT_EQ(currentCell(), (CellPosition{6 + 2 * page, SummaryColumn}));
    press(Qt::Key_PageUp, 3);
    EXPECT_EQ(currentCell(), (CellPosition{1, SummaryColumn}));
    EXPECT_EQ(grid()->verticalScrollBar()->value(), 0);
    // The scroll range ends a page after the last journal row: row 60 at the top.
    press(Qt::Key_PageDown, 60 / page + 1);
    EXPECT_EQ(currentCell(), (CellPosition{60, SummaryColumn}));
    const int row60Top = grid()->verticalHeader()->sectionPosition(59);
    EXPECT_EQ(grid()->verticalScrollBar()->maximum(), row60Top);
    grid()->verticalScrollBar()->setValue(100000);
    EXPECT_EQ(grid()->rowAt(0), 59);
    press(Qt::Key_PageUp, 1);

    // The largest text keeps the current cell in view too.
    press(Qt::Key_PageDown, 1);
    for (int i = 0; i < 10; ++i)
        control("Command3")->click();
    EXPECT_TRUE(grid()->viewport()->rect().contains(grid()->visualRect(grid()->currentIndex())));
    EXPECT_EQ(text3->geometry(), grid()->visualRect(grid()->currentIndex()));
}

// The wheel over the open account drop-down scrolls the grid, which closes the
// drop-down; where the grid cannot scroll, nothing moves. No account is picked.
TEST_F(JournalEditorWindowTest, WheelOverTheDropDownScrollsTheGridInsteadOfPickingAnAccount)
{
    import(cardFile(QStringLiteral("long.csv"), longTransitHistory(60)));
    auto *combo = control<QComboBox>("Combo1");
    const QStringList before = columnTexts(DebitAccountColumn, 60);
    const auto wheel = [combo](int delta) {
        const QPointF at = combo->rect().center();
        QWheelEvent event(at, combo->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(combo, &event);
    };

    dragCells(1, DebitAccountColumn, 1);
    ASSERT_TRUE(combo->isVisible());
    const QString shown = combo->currentText();
    // Up at the top: the grid cannot go further.
    wheel(120);
    EXPECT_TRUE(combo->isVisible());
    EXPECT_EQ(combo->currentText(), shown);
    EXPECT_EQ(grid()->verticalScrollBar()->value(), 0);
    wheel(-120);
    EXPECT_GT(grid()->verticalScrollBar()->value(), 0);
    EXPECT_FALSE(combo->isVisible());
    EXPECT_EQ(combo->currentText(), shown);
    EXPECT_EQ(columnTexts(DebitAccountColumn, 60), before);
}

} // namespace
} // namespace mokpe::journal
