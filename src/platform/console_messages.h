#pragma once

#include "platform/messages.h"

#include <QStringList>

#include <cstdio>

namespace mokpe::platform {

// Messages of the headless command: each text goes to standard error as the
// system shows it (a CR LF inside is a newline), followed by a newline.
// Questions are answered with a fixed answer, chosen by the command.
class ConsoleMessageService final : public MessageService {
public:
    explicit ConsoleMessageService(std::FILE *out = stderr, bool answer = true) : out_(out), answer_(answer)
    {}
    void inform(const QString &text, const QString &title = kDefaultTitle) override;
    bool ask(const QString &text, const QString &title = kDefaultTitle) override;
    void setAnswer(bool answer) { answer_ = answer; }
    // Every text shown, in order (for the command's own exit status decisions).
    const QStringList &shown() const { return shown_; }

private:
    void print(const QString &text);
    std::FILE *out_;
    bool answer_;
    QStringList shown_;
};

} // namespace mokpe::platform
