#pragma once

#include "platform/messages.h"
#include "platform/single_instance.h"

#include <QString>

#include <chrono>

// A start that finds the program already running on its program folder opens
// nothing of its own: the running one comes to the front, or, where it cannot
// (another user's or another session's), the start says so.
namespace mokpe::app {

inline const QString kRunningElsewhereMessage =
    QStringLiteral("このフォルダーのモコペ！は，別のユーザーまたは別のログオンで使用中です．\r\n"
                   "同じフォルダーのモコペ！を同時に二つ使用することはできません．");
inline const QString kRunningMessage =
    QStringLiteral("このフォルダーのモコペ！は，既に起動しています．\r\n"
                   "同じフォルダーのモコペ！を同時に二つ使用することはできません．");
// How long the running one has to answer: it answers from its event loop.
inline constexpr std::chrono::milliseconds kRunningAnswerWait{3000};

void answerSecondStart(platform::SingleInstance &instance, platform::MessageService &messages,
                       std::chrono::milliseconds wait = kRunningAnswerWait);

} // namespace mokpe::app
