#include "cli/journal_session.h"

#include "app/program_start.h"
#include "app/user_selection.h"
#include "cli/commands.h"
#include "import/import_command.h"
#include "journal/settlement.h"
#include "journal/unsettled_amount.h"
#include "maintenance/user_table.h"

#include <cstdio>

namespace mokpe::cli {

std::vector<OptionSpec> journalOptions()
{
    std::vector<OptionSpec> options = journalEditOptions();
    options.insert(options.begin(), {dirOption(),
                                     {QStringLiteral("--user")},
                                     {QStringLiteral("--settle")},
                                     {QStringLiteral("--previous-balance")},
                                     {QStringLiteral("--no-match"), OptionSpec::Flag}});
    return options;
}

bool readJournalOptions(const CommandLine &line, JournalOptions &options, QString &problem)
{
    if (!readJournalEdits(line, options.edits, problem) || !readDirOption(line, options.dir, problem))
        return false;
    options.settle = line.value(QStringLiteral("--settle"));
    options.previousBalance = line.value(QStringLiteral("--previous-balance"));
    if (options.settle && options.previousBalance) {
        problem = QStringLiteral("--settle and --previous-balance: give only one of them");
        return false;
    }
    options.match = !line.isSet(QStringLiteral("--no-match"));
    if (const std::optional<QString> user = line.value(QStringLiteral("--user"))) {
        bool ok = false;
        options.user = user->toInt(&ok);
        if (!ok || *options.user < 0) {
            problem = QStringLiteral("--user %1: expected a list position (0 for no user)").arg(*user);
            return false;
        }
    }
    const QStringList files = line.positionalArguments();
    if (files.isEmpty() || files.first().isEmpty()) {
        problem = QStringLiteral("FILE is missing");
        return false;
    }
    problem = positionalProblem(files, 1);
    if (!problem.isEmpty())
        return false;
    options.file = files.first();
    return true;
}

JournalSession::JournalSession(const JournalOptions &options)
    : options_(options), dialogs_(options.file), editor_(state_, grid_, {messages_, dialogs_})
{
    state_.programFolder = options.dir;
    state_.matchPreviousRead = options.match;
}

int JournalSession::open()
{
    if (!programFolderCheck(options_.dir, messages_))
        return 2;
    // A start-up the window would go on from is a failure here: a batch run
    // must not book a journal on settings or users it could not read.
    if (!app::programStart(state_, messages_, system_, settings::WhenUnusable::Stop))
        return 2;
    if (!chooseUser())
        return 1;
    bool opened = false;
    const auto editorOpens = [&opened] { opened = true; };
    import::importCommand(state_, {messages_, dialogs_, files_}, editorOpens);
    if (!opened || !editor_.startUp())
        return 2;
    // The window shows it above the journal: here it goes with the messages.
    if (editor_.previousRead().comparison == journal::PreviousRead::Comparison::NoUser)
        messages_.inform(journal::kNoUserNotice);
    if (!settleBalanceCells() || !runEdits())
        return 2;
    return 0;
}

void JournalSession::recordBooking(WrittenFiles &files)
{
    const journal::ReadBooking &booking = editor_.lastBooking();
    if (booking.meant)
        files.add(booking.storePath, booking.kept);
}

bool JournalSession::chooseUser()
{
    if (!options_.user)
        return true;
    const QStringList users = maintenance::listedUsers(state_.users);
    const int n = *options_.user;
    if (n > users.size()) {
        std::fprintf(stderr, "mokpe journal: --user %d: the user list has %lld entries\n", n,
                     static_cast<long long>(users.size()));
        return false;
    }
    state_.summaryPrefix = n == 0 ? QString() : app::summaryPrefixFor(n, users.at(n - 1));
    state_.userEntry = n == 0 ? QString() : users.at(n - 1);
    return true;
}

bool JournalSession::settleBalanceCells()
{
    if (!options_.settle && !options_.previousBalance)
        return true;
    for (const journal::CellPosition &cell : journal::balanceCells(editor_.grid())) {
        // Entering the cell hands it to the dialog, which opens on its value.
        editor_.setCurrentCell(cell.row, cell.column);
        if (!editor_.enterBalanceCell())
            continue;
        journal::UnsettledAmountForm form(editor_.pendingCell().value);
        if (options_.settle) {
            form.text1 = *options_.settle;
        } else {
            form.chooseComputed();
            form.text2 = *options_.previousBalance;
            if (const QString message = form.compute(); !message.isEmpty()) {
                messages_.inform(message);
                return false;
            }
        }
        QString value;
        if (const QString message = form.confirm(value); !message.isEmpty()) {
            messages_.inform(message);
            return false;
        }
        editor_.settlePendingCell(value);
    }
    editor_.Fm2_TotalShow();
    return true;
}

bool JournalSession::runEdits()
{
    if (options_.edits.empty())
        return true;
    messages_.setAnswer(true);
    const bool done = runJournalEdits(editor_, options_.edits);
    messages_.setAnswer(false);
    // What is printed or saved then shows the settlement of the edited rows.
    editor_.Fm2_TotalShow();
    return done;
}

} // namespace mokpe::cli
