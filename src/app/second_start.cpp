#include "app/second_start.h"

namespace mokpe::app {

void answerSecondStart(platform::SingleInstance &instance, platform::MessageService &messages,
                       std::chrono::milliseconds wait)
{
    using Answer = platform::SingleInstance::Answer;
    const Answer answer = instance.askHolderToShow() ? instance.holderAnswer(wait) : Answer::None;
    if (answer == Answer::Elsewhere)
        messages.inform(kRunningElsewhereMessage);
    else if (answer == Answer::None)
        messages.inform(kRunningMessage);
}

} // namespace mokpe::app
