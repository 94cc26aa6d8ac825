#include "support/export_fixture.h"

#include "common/text_file.h"
#include "maintenance/code_system_select.h"
#include "output/export_hand_over.h"
#include "output/export_options.h"
#include "output/export_settings.h"
#include "settings/settings_file.h"

#include <QDir>

#include <gtest/gtest.h>

namespace mokpe::output::test_support {

QStringList wAccountLines()
{
    return {QStringLiteral("186,1882,電子未決"), QStringLiteral("113,1131,電子マネー"),
            QStringLiteral("842,8471,旅費交通費"), QStringLiteral("844,8491,交際費"),
            QStringLiteral("111,1111,現金")};
}

QStringList fuurinAccountLines()
{
    return {QStringLiteral("186,1800,仕訳未決定"), QStringLiteral("113,1412,仮払金"),
            QStringLiteral("842,8410,旅費交通費"), QStringLiteral("111,1100,現金")};
}

QStringList settingsFor(const QString &formatChoice, const QString &taxMode, const QString &rate)
{
    return {formatChoice,
            QStringLiteral("0123"),
            QStringLiteral("モコペ商事"),
            QStringLiteral("20260331"),
            QStringLiteral("20250401,20260331"),
            QStringLiteral("&H8000000F"),
            QStringLiteral("&HC0C0FF"),
            taxMode,
            rate,
            QStringLiteral("186"),
            QStringLiteral("1882"),
            QStringLiteral("電子未決"),
            QStringLiteral("113"),
            QStringLiteral("1131"),
            QStringLiteral("電子マネー")};
}

ExportFixture::ExportFixture(const QStringList &settingsLines, const QStringList &accounts)
{
    state.programFolder = program.file(QStringLiteral("program"));
    QDir().mkdir(state.programFolder);
    EXPECT_EQ(common::writeCp932Lines(iniPath(), settingsLines), QString());
    settings::Fm1_IniFileRead(state, services.messages);
    state.accounts = {accounts, static_cast<int>(accounts.size()) - 1};
    maintenance::selectCodeSystem(state);
    state.history.sourceName = QStringLiteral("card.csv");
    grid.initialise(journal::kMinimumRowTotal);
}

QString ExportFixture::file(const QString &name) const
{
    return settings::isProgramFileName(name, Qt::CaseSensitive) ? QDir(state.programFolder).filePath(name)
                                                                : program.file(name);
}

void ExportFixture::setJournal(const QStringList &rows)
{
    int r = 0;
    for (const QString &row : rows) {
        ++r;
        const QStringList parts = row.split(QLatin1Char('|'));
        journal::RowTexts texts;
        texts[0] = QString::number(r);
        for (int c = 1; c < journal::kColumnCount && c - 1 < parts.size(); ++c)
            texts[static_cast<size_t>(c)] = parts.at(c - 1);
        grid.setRowTexts(r, texts);
    }
    grid.setJournalRowCount(r);
}

void ExportFixture::openDialog()
{
    handOverFields(fields, state, services.clock.today(), services.messages);
}

QStringList ExportFixture::iniLines() const
{
    return common::readTextFile(iniPath()).lines;
}

} // namespace mokpe::output::test_support
