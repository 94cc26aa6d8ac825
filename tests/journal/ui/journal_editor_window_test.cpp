#include "journal/ui/journal_editor_window.h"

#include "app/ui/main_window.h"
#include "common/twips.h"
#include "journal/journal_table_model.h"
#include "journal/ui/journal_grid_view.h"
#include "journal/ui/unsettled_amount_dialog.h"
#include "support/file_helpers.h"
#include "support/scripted_services.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

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
        {"Command1", "閉じる", true},       {"Command2", "変　更", false},
        {"Command3", "文字⇒大", false},     {"Command4", "文字⇒小", false},
        {"Command5", "再計算", true},       {"Command6", "保　存", true},
        {"Command7", "ＣＳＶ出力", true},   {"Command8", "精算印刷", true},
        {"Command9", "元に戻す", false},    {"Command10", "１行挿入", false},
        {"Command11", "１行削除", false},   {"Command12", "最終行追加", false},
        {"Command13", "最終行削除", false}, {"Command14", "金額ゼロ行削除", false},
        {"Command15", "物販行削除", false},
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
        EXPECT_EQ(state.journal.journalRowCount(), c.journalRows);
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

    typeInto("Text1", QStringLiteral("320"));
    dialogControl("Command1")->click();
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

    typeInto("Text2", QStringLiteral("2000"));
    dialogControl("Command2")->click();
    EXPECT_EQ(dialogControl<QLabel>("Label3")->text(), QStringLiteral("500"));
    dialogControl("Command1")->click();
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
    state.journal.setColour(1, DebitAmountColumn, CellColour::Balance);

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
    EXPECT_EQ(control<QLineEdit>("Text1")->text(), QStringLiteral("2008/07/20"));
    EXPECT_EQ(control<QLineEdit>("Text3")->geometry(), grid()->visualRect(model()->index(1, DateColumn)));
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

    EXPECT_EQ(fakes.dialogs.presetNames, (QStringList{"suica.csv", "suica.csv"}));
    EXPECT_EQ(fakes.dialogs.filters.last(), QStringLiteral("CSVファイル (*.csv)"));
    const test::ShownMessage question{test::ShownMessage::Ask, kOverwrite,
                                      QStringLiteral("ファイルの上書き")};
    EXPECT_EQ(fakes.messages.shown, (std::vector<test::ShownMessage>{question, question}));

    // A cancelled dialog writes nothing and asks nothing.
    fakes.messages.shown.clear();
    control("Command6")->click();
    EXPECT_EQ(fileBytes(target), journal);
    EXPECT_TRUE(fakes.messages.shown.empty());
    EXPECT_TRUE(editor->isVisible());
}

TEST_F(JournalEditorWindowTest, SaveRefusesAJournalWithABlankAmount)
{
    import(cardFile(QStringLiteral("suica.csv"), kTransitHistory));
    state.journal.setText(2, CreditAmountColumn, QString());
    control("Command6")->click();
    EXPECT_EQ(fakes.messages.texts(), QStringList{"No. 2 行目 : 日付か金額欄に空欄行を検出しました．"});
    EXPECT_TRUE(fakes.dialogs.presetNames.isEmpty());
}

TEST_F(JournalEditorWindowTest, CloseAsksOnlyAfterAChange)
{
    const QString path = cardFile(QStringLiteral("suica.csv"), kTransitHistory);
    const test::ShownMessage question{test::ShownMessage::Ask, kSaveChanges, QStringLiteral("データの保存")};

    // A settled balance cell is no change of the user's: "閉じる" closes at once.
    import(path);
    clickCell(3, DebitAmountColumn);
    typeInto("Text1", QStringLiteral("320"));
    dialogControl("Command1")->click();
    control("Command1")->click();
    EXPECT_TRUE(editorGone());
    EXPECT_TRUE(main->isVisible());
    EXPECT_TRUE(fakes.messages.shown.empty());
    EXPECT_EQ(state.journal.journalRowCount(), 0);

    // After a committed cell: No closes without saving.
    import(path);
    state.journal.setModified(true);
    fakes.messages.answerNext(false);
    control("Command1")->click();
    EXPECT_TRUE(editorGone());
    EXPECT_TRUE(main->isVisible());
    EXPECT_EQ(fakes.messages.shown, std::vector<test::ShownMessage>{question});
    EXPECT_TRUE(fakes.dialogs.presetNames.isEmpty());

    // Yes saves and stays open; the next "閉じる" asks nothing.
    fakes.messages.shown.clear();
    import(path);
    state.journal.setModified(true);
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

TEST_F(JournalEditorWindowTest, CloseBoxIsRefused)
{
    import(cardFile(QStringLiteral("suica.csv"), kTransitHistory));
    EXPECT_FALSE(editor->close());
    EXPECT_TRUE(editor->isVisible());
    EXPECT_FALSE(main->isVisible());
    EXPECT_FALSE(QTest::qWaitFor([this] { return editor.isNull(); }, 100));
    EXPECT_EQ(state.journal.journalRowCount(), 3);
}

} // namespace
} // namespace mokpe::journal
