#include "cli/command_line.h"

#include <QHash>

#include <algorithm>

namespace mokpe::cli {

namespace {

// QCommandLineParser knows an option by its name without the dashes.
QString bareName(const QString &name)
{
    qsizetype dashes = 0;
    while (dashes < name.size() && dashes < 2 && name.at(dashes) == QLatin1Char('-'))
        ++dashes;
    return name.mid(dashes);
}

} // namespace

CommandLine::CommandLine(std::vector<OptionSpec> options) : options_(std::move(options))
{
    // "-o" is one option, not the letters of several.
    parser_.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    for (const OptionSpec &option : options_) {
        parser_.addOption(QCommandLineOption(bareName(option.name), QString(),
                                             option.takesValue() ? QStringLiteral("VALUE") : QString()));
    }
}

bool CommandLine::parse(const QStringList &args)
{
    args_ = args;
    problem_.clear();
    // The parser skips the program's name.
    const bool parsed = parser_.parse(QStringList{QStringLiteral("mokpe")} + args);
    const QStringList found = parser_.optionNames();
    for (const OptionSpec &option : options_) {
        if (!option.takesValue())
            continue;
        const QString name = bareName(option.name);
        const qsizetype given = found.count(name);
        if (option.kind == OptionSpec::Value && given > 1) {
            problem_ = QStringLiteral("%1 is given twice").arg(option.name);
            return false;
        }
        if (parser_.values(name).size() < given) {
            problem_ = QStringLiteral("%1 needs a value").arg(option.name);
            if (!option.form.isEmpty())
                problem_ += QStringLiteral(": ") + option.form;
            return false;
        }
    }
    if (!parser_.unknownOptionNames().isEmpty()) {
        problem_ = QStringLiteral("unknown option %1").arg(unknownOption());
        return false;
    }
    if (!parsed) {
        problem_ = parser_.errorText();
        return false;
    }
    return true;
}

std::optional<QString> CommandLine::value(const QString &name) const
{
    if (!parser_.isSet(bareName(name)))
        return std::nullopt;
    return parser_.value(bareName(name));
}

bool CommandLine::isSet(const QString &name) const
{
    return parser_.isSet(bareName(name));
}

std::vector<CommandLine::Given> CommandLine::ordered() const
{
    std::vector<Given> given;
    QHash<QString, qsizetype> taken;
    for (const QString &name : parser_.optionNames()) {
        const auto option = std::find_if(options_.begin(), options_.end(),
                                         [&name](const OptionSpec &o) { return bareName(o.name) == name; });
        if (option == options_.end())
            continue;
        if (option->kind == OptionSpec::OrderedFlag)
            given.push_back({option->name, QString()});
        else if (option->kind == OptionSpec::OrderedValue)
            given.push_back({option->name, parser_.values(name).value(taken[name]++)});
    }
    return given;
}

QString CommandLine::unknownOption() const
{
    // As typed, dashes and all.
    const QStringList unknown = parser_.unknownOptionNames();
    for (const QString &arg : args_) {
        if (arg.size() > 1 && arg.startsWith(QLatin1Char('-')) &&
            unknown.contains(bareName(arg).section(QLatin1Char('='), 0, 0)))
            return arg;
    }
    return unknown.first();
}

QString positionalProblem(const QStringList &positional, qsizetype count)
{
    for (qsizetype i = 0; i < positional.size(); ++i) {
        const QString &arg = positional.at(i);
        if (arg.startsWith(QLatin1Char('-')) && arg.size() > 1)
            return QStringLiteral("unknown option %1").arg(arg);
        if (arg == QLatin1String("-") || i >= count)
            return QStringLiteral("unexpected argument %1").arg(arg.isEmpty() ? QStringLiteral("''") : arg);
    }
    return {};
}

} // namespace mokpe::cli
