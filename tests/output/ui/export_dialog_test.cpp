#include "output/ui/export_dialog.h"

#include "common/text_file.h"
#include "output/csv_export.h"
#include "support/export_fixture.h"

#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <gtest/gtest.h>

namespace mokpe::output {
namespace {

using test_support::ExportFixture;
using test_support::settingsFor;

struct ExportDialogTest : ::testing::Test {
    std::unique_ptr<ExportFixture> f;
    std::unique_ptr<ExportDialog> dialog;
    int editorHidden = 0;
    int editorShown = 0;

    void openWith(const QStringList &settings, const QStringList &accounts = test_support::wAccountLines())
    {
        dialog.reset();
        editorHidden = 0;
        f = std::make_unique<ExportFixture>(settings, accounts);
        f->setJournal({QStringLiteral("2026/01/06|旅費交通費|160|電子マネー|160|乗車")});
        dialog = std::make_unique<ExportDialog>(f->state, f->grid, f->exportServices());
        dialog->setHideEditor([this] { ++editorHidden; });
        dialog->setShowEditor([this] { ++editorShown; });
        dialog->handOver();
    }
    template <class T> T *control(const QString &name) const
    {
        T *w = dialog->findChild<T *>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }
    QLineEdit *box(const char *name) const { return control<QLineEdit>(QString::fromLatin1(name)); }
    QComboBox *list(const char *name) const { return control<QComboBox>(QString::fromLatin1(name)); }
    QRadioButton *option(const char *name) const { return control<QRadioButton>(QString::fromLatin1(name)); }
    void click(const char *name) const { control<QAbstractButton>(QString::fromLatin1(name))->click(); }
};

TEST_F(ExportDialogTest, EveryControlCarriesItsNameAndCaption)
{
    openWith(settingsFor(QStringLiteral("1")));
    EXPECT_EQ(dialog->objectName(), QStringLiteral("Form3"));
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("ＣＳＶ出力"));
    const struct {
        const char *name;
        const char16_t *caption;
    } captions[] = {
        {"Frame1", u"CSVファイル出力形式を選択"},
        {"Frame2", u"入力項目"},
        {"Frame3", u"税区分"},
        {"Option1", u"「　出納帳　」形式に出力します．"},
        {"Option2", u"「　会　計　」形式に出力します．"},
        {"Option5", u"「 楓林会計 」CSV形式(３桁)に出力します．"},
        {"Option6", u"「 楓林会計 」CSV形式(４桁)に出力します．"},
        {"Option3", u"空欄で出力"},
        {"Option4", u"任意で出力"},
        {"Label1", u"商　号："},
        {"Label18", u"(半角数字4桁)"},
        {"Label2", u"会社名："},
        {"Label15", u"(全角20文字)"},
        {"Label3", u"決算年月日："},
        {"Label7", u"出力期間："},
        {"Label11", u"～"},
        {"Label4", u"年"},
        {"Label5", u"月"},
        {"Label6", u"日"},
        {"Label14", u"日"},
        {"Label19", u"(西暦4桁，半角)"},
        {"Label21", u"(西暦4桁，半角)"},
        {"Label17", u"％(半角数字)"},
        {"Command1", u"実　行"},
        {"Command2", u"閉じる"},
    };
    for (const auto &c : captions) {
        QWidget *w = control<QWidget>(QString::fromLatin1(c.name));
        ASSERT_NE(w, nullptr);
        QString text;
        if (auto *g = qobject_cast<QGroupBox *>(w))
            text = g->title();
        else if (auto *l = qobject_cast<QLabel *>(w))
            text = l->text();
        else if (auto *b = qobject_cast<QAbstractButton *>(w))
            text = b->text();
        EXPECT_EQ(text.toStdString(), QString::fromUtf16(c.caption).toStdString()) << c.name;
    }
    for (const char *name : {"Text1", "Text2", "Text3", "Text4", "Text5", "Text6"})
        EXPECT_NE(box(name), nullptr);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(list(QStringLiteral("Combo2_%1").arg(i).toLatin1())->count(), 12);
        EXPECT_EQ(list(QStringLiteral("Combo3_%1").arg(i).toLatin1())->count(), 31);
    }
    // The screen colour of the settings (line 5 is the standard face colour, line 6 pink).
    EXPECT_EQ(control<QPushButton>(QStringLiteral("Command1"))->palette().color(QPalette::Button),
              QColor(255, 192, 192));
}

TEST_F(ExportDialogTest, TheOpeningShowsTheSettingsAndTheCodeSystemsFormats)
{
    const struct {
        const char *formatChoice;
        bool companyFields;
        std::array<bool, 4> enabled; // Option1, Option2, Option5, Option6
        std::array<bool, 4> selected;
    } cases[] = {
        {"1", true, {true, true, false, false}, {true, false, false, false}},
        {"2", true, {true, true, false, false}, {false, true, false, false}},
        {"3", false, {false, false, true, true}, {false, false, true, false}},
        {"4", false, {false, false, true, true}, {false, false, false, true}},
    };
    for (const auto &c : cases) {
        openWith(settingsFor(QString::fromLatin1(c.formatChoice), QStringLiteral("0"), QStringLiteral("0")));
        EXPECT_EQ(editorHidden, 1);
        EXPECT_TRUE(dialog->isVisible());
        const char *options[] = {"Option1", "Option2", "Option5", "Option6"};
        for (size_t i = 0; i < 4; ++i) {
            EXPECT_EQ(option(options[i])->isEnabled(), c.enabled[i]) << c.formatChoice << options[i];
            EXPECT_EQ(option(options[i])->isChecked(), c.selected[i]) << c.formatChoice << options[i];
        }
        for (const char *name : {"Text2", "Text3", "Text4", "Text6"})
            EXPECT_EQ(box(name)->isEnabled(), c.companyFields) << c.formatChoice << name;
        for (const char *name : {"Label2", "Label3", "Label10", "Label15", "Label19", "Label21"})
            EXPECT_EQ(control<QLabel>(QString::fromLatin1(name))->isEnabled(), c.companyFields) << name;
        EXPECT_EQ(list("Combo3_2")->isEnabled(), c.companyFields);
        EXPECT_TRUE(box("Text1")->isEnabled());
        EXPECT_TRUE(option("Option3")->isEnabled());
        EXPECT_EQ(box("Text1")->text(), QStringLiteral("0123"));
        EXPECT_EQ(box("Text6")->text(), QStringLiteral("モコペ商事"));
        EXPECT_EQ(box("Text2")->text(), QStringLiteral("2026"));
        EXPECT_EQ(list("Combo2_0")->currentText(), QStringLiteral("03"));
        EXPECT_EQ(list("Combo3_1")->currentText(), QStringLiteral("01"));
        EXPECT_TRUE(option("Option3")->isChecked());
        EXPECT_FALSE(option("Option4")->isChecked());
        EXPECT_TRUE(box("Text5")->isHidden());
    }
}

TEST_F(ExportDialogTest, RunWritesTheFileAndTheSettingsFromTheControls)
{
    openWith(settingsFor(QStringLiteral("1")));
    click("Option2");
    box("Text1")->setText(QStringLiteral("7"));
    box("Text6")->setText(QStringLiteral("株式会社モコペ"));
    box("Text2")->setText(QStringLiteral("2027"));
    list("Combo2_0")->setCurrentText(QStringLiteral("3"));
    list("Combo3_0")->setCurrentText(QStringLiteral("31"));
    box("Text3")->setText(QStringLiteral("2026"));
    list("Combo2_1")->setCurrentText(QStringLiteral("4"));
    list("Combo3_1")->setCurrentText(QStringLiteral("1"));
    box("Text4")->setText(QStringLiteral("2027"));
    list("Combo2_2")->setCurrentText(QStringLiteral("3"));
    list("Combo3_2")->setCurrentText(QStringLiteral("31"));
    box("Text5")->setText(QStringLiteral("10"));
    const QString out = f->file(QStringLiteral("out.csv"));
    f->services.dialogs.chooseNext(out);
    click("Command1");

    EXPECT_EQ(f->services.messages.texts(), QStringList());
    EXPECT_EQ(f->services.dialogs.presetNames, QStringList{QStringLiteral("260106会計card.csv")});
    EXPECT_EQ(box("Text1")->text(), QStringLiteral("0007"));
    EXPECT_EQ(f->iniLines(),
              (QStringList{QStringLiteral("2"), QStringLiteral("0007"), QStringLiteral("株式会社モコペ"),
                           QStringLiteral("20270331"), QStringLiteral("20260401,20270331"),
                           QStringLiteral("&H8000000F"), QStringLiteral("&HC0C0FF"), QStringLiteral("1"),
                           QStringLiteral("10"), QStringLiteral("186"), QStringLiteral("1882"),
                           QStringLiteral("電子未決"), QStringLiteral("113"), QStringLiteral("1131"),
                           QStringLiteral("電子マネー")}));
    const QStringList written = common::readTextFile(out).lines;
    ASSERT_EQ(written.size(), 11);
    EXPECT_EQ(written[0], QStringLiteral("\"＜商号Ｃ＞\",0007,"));
    EXPECT_EQ(written[2], QStringLiteral("\"＜決算年月日＞\",\"令和9年3月31日\","));
    EXPECT_TRUE(written[7].endsWith(QStringLiteral(",0,\"仕入対課税売上\",10,\"税率　１０％　　　\",0,,,")));
    // The dialog stays open after the run.
    EXPECT_TRUE(dialog->isVisible());
}

// The save dialog's answer is checked before the overwrite question: neither
// the history the journal was read from nor a file of the program folder is
// replaced by the export.
TEST_F(ExportDialogTest, RunRefusesWhereNoExportMayGo)
{
    openWith(settingsFor(QStringLiteral("1")));
    const QString history = f->file(QStringLiteral("card.csv"));
    mokpe::test::writeBytes(history, "history\r\n");
    f->state.history.sourcePath = history;
    const QString accounts = f->file(QStringLiteral("kamoku_code.csv"));
    const QByteArray accountBytes = mokpe::test::fileBytes(accounts);
    const struct {
        QString path;
        QString message;
    } cases[] = {
        {history, QStringLiteral("ファイル「%1」は読み込んだファイルのため，出力先にできません．\r\n"
                                 "別のファイル名を指定して下さい．")
                      .arg(QDir::toNativeSeparators(history))},
        {accounts, QStringLiteral("ファイル「%1」はモコペ！が使うファイルのため，出力先にできません．\r\n"
                                  "別のファイル名を指定して下さい．")
                       .arg(QDir::toNativeSeparators(accounts))},
    };
    for (const auto &c : cases) {
        f->services.messages.shown.clear();
        f->services.dialogs.chooseNext(c.path);
        click("Command1");
        EXPECT_EQ(f->services.messages.texts(), QStringList{c.message});
    }
    EXPECT_EQ(mokpe::test::fileBytes(history), QByteArray("history\r\n"));
    EXPECT_EQ(mokpe::test::fileBytes(accounts), accountBytes);
    EXPECT_TRUE(dialog->isVisible());
}

TEST_F(ExportDialogTest, ADisabledOptionTakesNoClick)
{
    QStringList settings = settingsFor(QStringLiteral("3"));
    openWith(settings, test_support::fuurinAccountLines());
    // The Ｗ code system is in force while format 3 was saved: nothing selected.
    f->state.codeSystemState = 1;
    dialog->handOver();
    EXPECT_FALSE(option("Option5")->isEnabled());
    for (const char *name : {"Option1", "Option2", "Option5", "Option6"})
        EXPECT_FALSE(option(name)->isChecked()) << name;
    // A click on the enabled option selects it; clicking it again keeps it.
    click("Option1");
    click("Option1");
    EXPECT_TRUE(option("Option1")->isChecked());
    EXPECT_EQ(f->state.settings.formatChoice, QStringLiteral("1"));
}

TEST_F(ExportDialogTest, TaxOptionsHideAndRestoreTheRate)
{
    openWith(settingsFor(QStringLiteral("2"), QStringLiteral("1"), QStringLiteral("5")));
    EXPECT_FALSE(box("Text5")->isHidden());
    box("Text5")->setText(QStringLiteral("8"));
    click("Option3");
    EXPECT_TRUE(box("Text5")->isHidden());
    EXPECT_TRUE(option("Option3")->isChecked());
    EXPECT_FALSE(option("Option4")->isChecked());
    f->services.dialogs.chooseNext(QString());
    click("Command1");
    EXPECT_EQ(f->services.messages.texts(), QStringList{kNoFileChosenMessage});
    EXPECT_EQ(f->iniLines().mid(7, 2), (QStringList{QStringLiteral("0"), QStringLiteral("0")}));
    click("Option4");
    EXPECT_FALSE(box("Text5")->isHidden());
    EXPECT_EQ(box("Text5")->text(), QStringLiteral("8"));
}

TEST_F(ExportDialogTest, CloseButtonReturnsToTheEditorAndTheCloseBoxIsRefused)
{
    openWith(settingsFor(QStringLiteral("1")));
    EXPECT_FALSE(dialog->close());
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(editorShown, 0);
    box("Text1")->setText(QStringLiteral("99"));
    click("Command2");
    EXPECT_EQ(editorShown, 1);
    EXPECT_FALSE(dialog->isVisible());
    // The next hand-over keeps the fields and does not read the settings again.
    f->services.messages.shown.clear();
    dialog->handOver();
    EXPECT_EQ(editorHidden, 2);
    EXPECT_EQ(box("Text1")->text(), QStringLiteral("99"));
}

} // namespace
} // namespace mokpe::output
