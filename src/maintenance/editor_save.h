#pragma once

#include "platform/messages.h"

// The save of the account code editor and of the user editor: both ask first.
namespace mokpe::maintenance {

inline const QString kSaveQuestion = QStringLiteral("データを保存しますか？");
inline const QString kSaveQuestionTitle = QStringLiteral("データの保存");

enum class EditorSave {
    // "いいえ": nothing was checked or written.
    Declined,
    // Refused by a check or not written; the message has been shown.
    Failed,
    Saved,
};

// Asks the question; true on Yes.
inline bool askToSave(platform::MessageService &messages)
{
    return messages.ask(kSaveQuestion, kSaveQuestionTitle);
}

} // namespace mokpe::maintenance
