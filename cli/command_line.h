#pragma once

#include <QCommandLineParser>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

// One command's arguments, read by QCommandLineParser, every problem told in
// the words scripts match: "NAME needs a value", "NAME is given twice",
// "unknown option NAME".
namespace mokpe::cli {

struct OptionSpec {
    enum Kind {
        Flag,
        // Given at most once.
        Value,
        // Given any number of times, run in the order given (the editing
        // options).
        OrderedFlag,
        OrderedValue,
    };
    // `name` as typed: "-o", "--dir". `form`, when given, is added to "NAME
    // needs a value" (": FORM").
    OptionSpec(QString name, Kind kind = Value, QString form = {})
        : name(std::move(name)), kind(kind), form(std::move(form))
    {}
    bool takesValue() const { return kind == Value || kind == OrderedValue; }
    QString name;
    Kind kind;
    QString form;
};

class CommandLine {
public:
    explicit CommandLine(std::vector<OptionSpec> options);
    CommandLine(const CommandLine &) = delete;
    CommandLine &operator=(const CommandLine &) = delete;

    // False, with problem(), when an option lacks its value (only the last
    // argument can: an option takes the argument after it whatever it is), a
    // Value option is given twice or an option is not the command's.
    // Positional arguments are left to the command.
    bool parse(const QStringList &args);
    const QString &problem() const { return problem_; }

    std::optional<QString> value(const QString &name) const;
    bool isSet(const QString &name) const;
    QStringList positionalArguments() const { return parser_.positionalArguments(); }

    struct Given {
        QString name;
        QString value;
    };
    // The Ordered options in the order given, each with its value (empty
    // for a flag).
    std::vector<Given> ordered() const;

private:
    QString unknownOption() const;

    std::vector<OptionSpec> options_;
    QCommandLineParser parser_;
    QStringList args_;
    QString problem_;
};

// The problem with the positional arguments of a command that takes at most
// `count` of them: one that looks like an option (it came after "--", or is
// "-"), or one too many. Empty when there is none.
QString positionalProblem(const QStringList &positional, qsizetype count);

} // namespace mokpe::cli
