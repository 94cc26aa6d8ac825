#pragma once

#include <QString>

namespace mokpe::platform {

inline const QString kDefaultTitle = QStringLiteral("モコペ！");

// The answers to a question that decides whether work is kept.
enum class Answer { Yes, No, Cancel };

// Message boxes: every text the user is told or asked goes through here, so a
// test can read it and answer it.
class MessageService {
public:
    virtual ~MessageService() = default;
    // An OK-only message box.
    virtual void inform(const QString &text, const QString &title = kDefaultTitle) = 0;
    // A Yes/No question; true on Yes.
    virtual bool ask(const QString &text, const QString &title = kDefaultTitle) = 0;
    // A Yes/No question with a third button "キャンセル": a question that
    // decides whether work is kept, where Esc and the close box must lose
    // nothing (they answer Cancel). Where nobody can cancel, the Yes/No
    // question alone.
    virtual Answer askOrCancel(const QString &text, const QString &title = kDefaultTitle)
    {
        return ask(text, title) ? Answer::Yes : Answer::No;
    }
    // A message that also offers one thing to do instead, as a second button
    // captioned `action` beside OK; true when the user chose it. Where nobody
    // can choose, the message is told alone.
    virtual bool offer(const QString &text, const QString &action, const QString &title = kDefaultTitle)
    {
        (void)action;
        inform(text, title);
        return false;
    }
};

} // namespace mokpe::platform
