#pragma once

#include "platform/messages.h"

#include <functional>

// The save of the account code editor and of the user editor: both ask first,
// and both ask before their edits would be dropped by closing.
namespace mokpe::maintenance {

inline const QString kSaveQuestion = QStringLiteral("データを保存しますか？");
inline const QString kSaveQuestionTitle = QStringLiteral("データの保存");
inline const QString kUnsavedQuestion = QStringLiteral("データが変更されています．保存しますか？");

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

enum class EditorClose { Close, StayOpen };

// "閉じる" or the close box of an editor: when its contents differ from what
// was loaded or last saved (`changed`), asks whether to keep them. はい writes
// them (`write`, told when refused or failed) and closes once written; いいえ
// drops them; キャンセル, Esc and the question's close box keep the window
// open with its edits.
inline EditorClose closeQuestion(bool changed, platform::MessageService &messages,
                                 const std::function<bool()> &write)
{
    if (!changed)
        return EditorClose::Close;
    switch (messages.askOrCancel(kUnsavedQuestion, kSaveQuestionTitle)) {
    case platform::Answer::Yes:
        return write() ? EditorClose::Close : EditorClose::StayOpen;
    case platform::Answer::No:
        return EditorClose::Close;
    case platform::Answer::Cancel:
        break;
    }
    return EditorClose::StayOpen;
}

} // namespace mokpe::maintenance
