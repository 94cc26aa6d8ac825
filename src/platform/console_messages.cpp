#include "platform/console_messages.h"

namespace mokpe::platform {

void ConsoleMessageService::print(const QString &text)
{
    QString shownText = text;
    shownText.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    const QByteArray bytes = shownText.toUtf8() + '\n';
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), out_);
    std::fflush(out_);
    shown_.append(text);
}

void ConsoleMessageService::inform(const QString &text, const QString &)
{
    print(text);
}

bool ConsoleMessageService::ask(const QString &text, const QString &)
{
    shown_.append(text);
    return answer_;
}

} // namespace mokpe::platform
