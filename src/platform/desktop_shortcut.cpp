#include "platform/desktop_shortcut.h"

#include "common/app_state.h"
#include "common/device_names.h"
#include "common/text_file.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

namespace mokpe::platform {

namespace {

constexpr qsizetype kMaxFileNameLength = 64;

bool isControl(QChar c)
{
    return c.category() == QChar::Other_Control || c.category() == QChar::Other_Format;
}

// Characters that Windows refuses in file names, separators included.
bool isUnsafeInFileName(QChar c)
{
    static const QString unsafe = QStringLiteral("/\\:*?\"<>|");
    return isControl(c) || unsafe.contains(c);
}

// The escapes of a desktop entry string value: backslash, and the whitespace
// that would otherwise be lost or end the line. Leading and trailing spaces are
// written as \s, since readers trim them.
QString escapeStringValue(const QString &value)
{
    QString out;
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        if (c == QLatin1Char('\\'))
            out += QStringLiteral("\\\\");
        else if (c == QLatin1Char('\n'))
            out += QStringLiteral("\\n");
        else if (c == QLatin1Char('\t'))
            out += QStringLiteral("\\t");
        else if (c == QLatin1Char('\r'))
            out += QStringLiteral("\\r");
        else if (c == QLatin1Char(' ') && (i == 0 || i == value.size() - 1))
            out += QStringLiteral("\\s");
        else
            out += c;
    }
    return out;
}

// One quoted argument of the Exec key: inside double quotes, the double quote,
// backtick, dollar sign and backslash take a backslash, and % is doubled so
// that it is no field code.
QString quoteExecArgument(const QString &argument)
{
    QString out = QStringLiteral("\"");
    for (const QChar c : argument) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') || c == QLatin1Char('\\'))
            out += QLatin1Char('\\');
        else if (c == QLatin1Char('%'))
            out += QLatin1Char('%');
        out += c;
    }
    out += QLatin1Char('"');
    return out;
}

QString withoutControlCharacters(const QString &text)
{
    QString out;
    for (const QChar c : text)
        if (!isControl(c))
            out += c;
    return out;
}

} // namespace

DesktopShortcut::DesktopShortcut() = default;

DesktopShortcut::DesktopShortcut(QString desktopFolder) : desktopFolder_(std::move(desktopFolder))
{}

QString DesktopShortcut::safeFileName(const QString &name)
{
    QString safe = name.left(kMaxFileNameLength);
    for (QChar &c : safe)
        if (isUnsafeInFileName(c))
            c = QLatin1Char('_');
    while (safe.contains(QLatin1String("..")))
        safe.replace(QLatin1String(".."), QLatin1String("__"));
    if (safe.startsWith(QLatin1Char('.')))
        safe[0] = QLatin1Char('_');
    if (safe.trimmed().isEmpty())
        return kProgramCaption;
    if (common::isWindowsDeviceName(safe))
        safe.prepend(QLatin1Char('_'));
    return safe;
}

QByteArray DesktopShortcut::desktopEntry(const QString &name, const QString &target)
{
    QString shownName = withoutControlCharacters(name);
    if (shownName.trimmed().isEmpty())
        shownName = kProgramCaption;
    const QString text = QStringLiteral("[Desktop Entry]\nType=Application\nName=") +
                         escapeStringValue(shownName) + QStringLiteral("\nExec=") +
                         escapeStringValue(quoteExecArgument(target)) + QStringLiteral("\nTerminal=false\n");
    return text.toUtf8();
}

QString DesktopShortcut::createDesktopShortcut(const QString &name, const QString &target)
{
    const QString folder = desktopFolder_.isEmpty()
                               ? QStandardPaths::writableLocation(QStandardPaths::DesktopLocation)
                               : desktopFolder_;
    if (folder.isEmpty() || !QDir().mkpath(folder))
        return {};
    const QDir desktop(folder);
#ifdef Q_OS_WIN
    const QString link = desktop.filePath(safeFileName(name) + QStringLiteral(".lnk"));
    // A link is never written over an existing file, so an older shortcut goes first.
    QFile::remove(link);
    return QFile::link(target, link) ? link : QString();
#else
    QString path = desktop.filePath(safeFileName(name) + QStringLiteral(".desktop"));
    if (!common::writeFileAtomically(path, desktopEntry(name, target)).isEmpty())
        return {};
    // Desktops start only launchers that are marked executable.
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup |
                                    QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther);
    return path;
#endif
}

} // namespace mokpe::platform
