#pragma once

#include "common/cp932.h"
#include "common/progress.h"
#include "output/export_source.h"

#include <QString>

#include <array>
#include <vector>

// The check run before any byte of an export is written: every text the chosen
// format would write must be representable in CP932, every journal date must
// read as a date, every account name should resolve to a code, and no text
// should break the CSV structure. The check walks the same lines the writer
// writes, through its own sink.
namespace mokpe::output {

struct PreflightProblem {
    enum class Kind {
        // Refuse the export:
        NotCp932,       // a character CP932 cannot hold
        UnreadableDate, // a journal date that cannot be read as a date
        // Written as they stand when the user agrees:
        NoAccountCode,   // an account name no line of the account code table contains
        QuoteInQuoted,   // a double quote inside a quoted field ends the field early
        SeparatorInBare, // a comma or double quote in an unquoted field shifts the fields
    };
    Kind kind = Kind::NotCp932;
    // Journal row, or 0 for a value of the dialog.
    int row = 0;
    // Journal column (1 to 6) when row > 0.
    int column = 0;
    DialogItem item = DialogItem::CompanyCode;
    // The cell's or the box's text.
    QString text;
    // For NotCp932: the character.
    char32_t character = 0;
    // When the fault is in the account's code (from the account code table,
    // written unquoted) rather than in its name: that code.
    QString code;

    static PreflightProblem of(Kind kind)
    {
        PreflightProblem p;
        p.kind = kind;
        return p;
    }
    bool refuses() const { return kind == Kind::NotCp932 || kind == Kind::UnreadableDate; }
};

struct PreflightReport {
    std::vector<PreflightProblem> problems;
    bool refused() const;
    bool empty() const { return problems.empty(); }
};

// The sink of the check: gathers the problems of the texts a format emits.
class PreflightSink {
public:
    PreflightSink(const ExportSource &source, std::vector<PreflightProblem> &problems,
                  common::Progress &progress = common::noProgress())
        : source_(source), problems_(problems), steps_(progress, source.journal.journalRowCount())
    {}
    void beginRow(int row) { row_ = row; }
    // Before journal row `row`: true when the user stopped the export.
    bool stopAt(int row) { return steps_.stopAt(row - 1); }
    void fixed(QStringView) {}
    void cell(int column, QStringView text, Quoting quoting);
    void fittedCell(int column, QStringView text, int width)
    {
        cell(column, text.left(width), Quoting::Quoted);
    }
    // An account's code: none for a name the table lacks, and no character
    // that breaks the unquoted field it is written into.
    void code(int column, const QString &code);
    void date(int column, const QString &field);
    void dialogText(DialogItem item, QStringView text, Quoting quoting);
    void endLine() {}

private:
    void add(PreflightProblem problem);
    // The first fault of a text: NotCp932 first, then the CSV structure.
    std::optional<PreflightProblem> textFault(QStringView text, Quoting quoting);

    // The box's own text for a message (the file may hold it padded).
    QString dialogValue(DialogItem item) const;

    // Whether the text, part of the journal cell it is taken from, was found
    // sound before with the same quoting; remember() notes it so.
    bool soundBefore(int column, QStringView text, Quoting quoting) const;
    void remember(QStringView text, Quoting quoting);

    const ExportSource &source_;
    std::vector<PreflightProblem> &problems_;
    common::Cp932Encoder encoder_;
    // Texts found sound, by the address of their characters: a built
    // journal's rows share one string for a day's date, an account or a
    // route, and the journal does not change while it is checked.
    struct Sound {
        const char16_t *chars = nullptr;
        qsizetype size = 0;
        Quoting quoting = Quoting::Bare;
    };
    static constexpr size_t kSoundSlots = 4096;
    static size_t soundSlot(const char16_t *chars, qsizetype size);
    std::vector<Sound> sound_ = std::vector<Sound>(kSoundSlots);
    // Codes found sound, held so their characters stay: the lookup hands
    // an account's code in the same string every time it is asked.
    std::array<QString, 2> soundCodes_;
    size_t nextSoundCode_ = 0;
    common::ProgressSteps steps_;
    int row_ = 0;
};

// Runs the check for the selected format, telling the rows checked to
// `progress` (which may stop it: the report is then incomplete).
PreflightReport checkExportTexts(const ExportSource &source,
                                 common::Progress &progress = common::noProgress());

// The message listing the problems: a refusal when any problem refuses, else
// the question whether to write the file as it stands.
QString preflightRefusalMessage(const PreflightReport &report);
QString preflightQuestion(const PreflightReport &report);
inline const QString kPreflightQuestionTitle = QStringLiteral("ＣＳＶ出力の確認");

} // namespace mokpe::output
