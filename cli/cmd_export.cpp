#include "cli/commands.h"
#include "cli/journal_session.h"

#include "output/csv_export.h"
#include "output/export_hand_over.h"
#include "output/export_options.h"
#include "output/export_settings.h"
#include "platform/clock.h"
#include "settings/settings_file.h"

#include <QRegularExpression>

#include <cstdio>

namespace mokpe::cli {

namespace {

// The dialog's fields as the options give them; unset ones keep what the
// dialog's opening put there.
struct DialogOptions {
    int format = output::NoFormat;
    QString out;
    std::optional<QString> companyCode;
    std::optional<QString> companyName;
    std::optional<QString> yearEnd;
    std::optional<QString> period;
    std::optional<QString> taxRate;
    bool taxBlank = false;
    std::optional<QString> today;
    bool yes = false;
};

bool isEightDigitDate(const QString &s)
{
    static const QRegularExpression pattern(QStringLiteral("^\\d{8}$"));
    return pattern.match(s).hasMatch();
}

// The dialog's options, before the journal's.
std::vector<OptionSpec> dialogOptions()
{
    std::vector<OptionSpec> options;
    for (const char *name : {"--format", "-o", "--company-code", "--company-name", "--year-end", "--period",
                             "--tax-rate", "--today"})
        options.emplace_back(QLatin1String(name));
    options.emplace_back(QStringLiteral("--tax-blank"), OptionSpec::Flag);
    options.emplace_back(QStringLiteral("--yes"), OptionSpec::Flag);
    return options;
}

// False, with the problem, when an option is missing, malformed or given with
// one it excludes.
bool readDialogOptions(const CommandLine &line, DialogOptions &options, QString &problem)
{
    const std::optional<QString> format = line.value(QStringLiteral("--format"));
    const std::optional<QString> out = line.value(QStringLiteral("-o"));
    options.companyCode = line.value(QStringLiteral("--company-code"));
    options.companyName = line.value(QStringLiteral("--company-name"));
    options.yearEnd = line.value(QStringLiteral("--year-end"));
    options.period = line.value(QStringLiteral("--period"));
    options.taxRate = line.value(QStringLiteral("--tax-rate"));
    options.today = line.value(QStringLiteral("--today"));
    options.taxBlank = line.isSet(QStringLiteral("--tax-blank"));
    options.yes = line.isSet(QStringLiteral("--yes"));
    if (!format)
        problem = QStringLiteral("--format is missing");
    else if (!out || out->isEmpty())
        problem = QStringLiteral("-o OUT is missing");
    else if (options.taxBlank && options.taxRate)
        problem = QStringLiteral("--tax-blank and --tax-rate: give only one of them");
    if (!problem.isEmpty())
        return false;
    bool ok = false;
    options.format = format->toInt(&ok);
    if (!ok || options.format < 1 || options.format > output::kFormatCount) {
        problem = QStringLiteral("--format %1: expected 1, 2, 3 or 4").arg(*format);
        return false;
    }
    options.out = *out;
    if (options.yearEnd && !isEightDigitDate(*options.yearEnd)) {
        problem = QStringLiteral("--year-end %1: expected YYYYMMDD").arg(*options.yearEnd);
        return false;
    }
    if (options.period) {
        const QStringList days = options.period->split(QLatin1Char(','));
        if (days.size() != 2 || !isEightDigitDate(days[0]) || !isEightDigitDate(days[1])) {
            problem = QStringLiteral("--period %1: expected YYYYMMDD,YYYYMMDD").arg(*options.period);
            return false;
        }
    }
    if (options.today && !QDate::fromString(*options.today, QStringLiteral("yyyyMMdd")).isValid()) {
        problem = QStringLiteral("--today %1: expected a date YYYYMMDD").arg(*options.today);
        return false;
    }
    return true;
}

output::DateBoxes dateBoxes(const QString &yyyymmdd)
{
    return {yyyymmdd.mid(0, 4), yyyymmdd.mid(4, 2), yyyymmdd.mid(6, 2)};
}

// The dialog's messages on standard error. The overwrite question is answered
// Yes (OUT is replaced); the question after the check is printed with the
// answer --yes gives it.
class ExportMessages final : public platform::MessageService {
public:
    ExportMessages(platform::MessageService &out, bool yes) : out_(out), yes_(yes) {}
    void inform(const QString &text, const QString &title = platform::kDefaultTitle) override
    {
        out_.inform(text, title);
    }
    bool ask(const QString &text, const QString &title = platform::kDefaultTitle) override
    {
        if (text == output::kOverwriteQuestion && title == output::kOverwriteTitle)
            return true;
        out_.inform(text + QStringLiteral("\r\n") +
                        (yes_ ? QStringLiteral("→ はい(--yes)：このまま出力します．")
                              : QStringLiteral("→ いいえ(--yes がないため)：出力しません．")),
                    title);
        return yes_;
    }

private:
    platform::MessageService &out_;
    bool yes_;
};

// The save dialog answers OUT.
class ChosenFile final : public platform::FileDialogService {
public:
    explicit ChosenFile(QString path) : path_(std::move(path)) {}
    QString openFile(const platform::FileRequest &) override { return {}; }
    QString saveFile(const platform::FileRequest &) override { return path_; }

private:
    QString path_;
};

} // namespace

// The journal of FILE opened as `mokpe journal` opens it, handed over to the
// export dialog, the dialog's fields set from the options, then "実　行" with OUT
// as the chosen file.
int runExport(const QStringList &arguments)
{
    std::vector<OptionSpec> specs = dialogOptions();
    const std::vector<OptionSpec> journal = journalOptions();
    specs.insert(specs.end(), journal.begin(), journal.end());
    CommandLine line(specs);
    DialogOptions dialog;
    JournalOptions journalOptions;
    QString problem;
    if (!line.parse(arguments))
        problem = line.problem();
    else if (readDialogOptions(line, dialog, problem))
        readJournalOptions(line, journalOptions, problem);
    if (!problem.isEmpty())
        return usageError(QStringLiteral("export"), problem);

    JournalSession session(journalOptions);
    if (const int status = session.open(); status != 0)
        return status;
    if (!output::handOverChecks(session.editor()))
        return 2;

    AppState &state = session.state();
    platform::FixedClock clock(dialog.today ? QDate::fromString(*dialog.today, QStringLiteral("yyyyMMdd"))
                                            : QDate::currentDate());
    ExportMessages messages(session.messages(), dialog.yes);
    ChosenFile chosen(dialog.out);

    output::ExportFields fields;
    output::handOverFields(fields, state, clock.today(), messages);

    // The fields the 楓林 code system disables cannot be typed into.
    if (!output::companyFieldsEnabled(state.codeSystemState)) {
        for (const auto &[given, name] : {std::pair{dialog.companyName.has_value(), "--company-name"},
                                          std::pair{dialog.yearEnd.has_value(), "--year-end"},
                                          std::pair{dialog.period.has_value(), "--period"}}) {
            if (given) {
                return usageError(QStringLiteral("export"),
                                  QStringLiteral("%1: the field is disabled under the 楓林 code system")
                                      .arg(QLatin1String(name)));
            }
        }
    }
    if (dialog.companyCode)
        fields.companyCode = *dialog.companyCode;
    if (dialog.companyName)
        fields.companyName = *dialog.companyName;
    if (dialog.yearEnd)
        fields.yearEnd = dateBoxes(*dialog.yearEnd);
    if (dialog.period) {
        const QStringList days = dialog.period->split(QLatin1Char(','));
        fields.periodStart = dateBoxes(days[0]);
        fields.periodEnd = dateBoxes(days[1]);
    }
    if (dialog.taxBlank) {
        output::chooseTaxBlank(fields);
    } else if (dialog.taxRate) {
        output::chooseTaxRate(fields);
        fields.rateBox = *dialog.taxRate;
    }
    // An option the code system does not offer takes no click: refused, never
    // replaced by the format the settings remember.
    if (!output::selectFormat(fields, state, dialog.format)) {
        messages.inform(output::kNoFormatMessage);
        return 2;
    }

    const output::ExportResult result =
        output::runExportCommand(fields, state, session.grid(), {messages, chosen, clock});
    WrittenFiles files;
    const bool written = result.outcome == output::ExportOutcome::Written;
    files.add(dialog.out, written);
    // Once the export is written its transactions are booked, whatever becomes
    // of the settings; an export not written has told why, and the settings
    // saved after it do not make it a partly done run.
    if (written) {
        session.editor().bookRead();
        session.recordBooking(files);
        files.add(settings::settingsFilePath(state), result.settingsSaved);
    }
    return files.exitStatus(messages);
}

} // namespace mokpe::cli
