#include "platform/qt/print_job_answer.h"

#include <QMutex>
#include <QMutexLocker>
#include <QtGlobal>

namespace mokpe::platform {

namespace {

// What Qt's Windows print engine says (qErrnoWarning, a critical message) when
// EndPage or EndDoc fails, the only trace of a refused job:
// "QWin32PrintEngine::end: EndDoc failed (<the system's text>)". Qt goes on as
// if the job had been printed.
const QString kEndWarning = QStringLiteral("QWin32PrintEngine::end:");

// Qt's message handler is a plain function, so what it catches is kept here.
QMutex watchLock;
bool watching = false;
QtMessageHandler previousHandler = nullptr;
std::optional<QString> caughtRefusal;

// The system's own words: the text in the warning's last parentheses.
QString systemText(const QString &warning)
{
    const qsizetype open = warning.lastIndexOf(QLatin1Char('('));
    if (open < 0 || !warning.endsWith(QLatin1Char(')')))
        return {};
    return warning.mid(open + 1, warning.size() - open - 2).trimmed();
}

void catchEndWarning(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    QtMessageHandler forward = nullptr;
    {
        QMutexLocker locker(&watchLock);
        if (watching && (type == QtCriticalMsg || type == QtWarningMsg) && message.startsWith(kEndWarning)) {
            // EndPage and EndDoc may both fail; the first says why.
            if (!caughtRefusal)
                caughtRefusal = systemText(message);
            return;
        }
        forward = previousHandler;
    }
    if (forward)
        forward(type, context, message);
}

} // namespace

PrintJobAnswer::PrintJobAnswer()
{
    QMutexLocker locker(&watchLock);
    caughtRefusal.reset();
    watching = true;
    previousHandler = qInstallMessageHandler(catchEndWarning);
}

PrintJobAnswer::~PrintJobAnswer()
{
    QMutexLocker locker(&watchLock);
    qInstallMessageHandler(previousHandler);
    watching = false;
    previousHandler = nullptr;
}

std::optional<QString> PrintJobAnswer::refusal() const
{
    QMutexLocker locker(&watchLock);
    return caughtRefusal;
}

} // namespace mokpe::platform
