#include "platform/qt/print_job_answer.h"

#include <cups/cups.h>
#include <dlfcn.h>

namespace mokpe::platform {

PrintJobAnswer::PrintJobAnswer() = default;
PrintJobAnswer::~PrintJobAnswer() = default;

std::optional<QString> PrintJobAnswer::refusal() const
{
    // The CUPS library is not linked: loading it and the twenty libraries it
    // needs would delay every start of the program for the sake of printing.
    // Qt's CUPS print plugin has it loaded once a job went through CUPS; the
    // answer is kept there, for this thread. Not loaded means no job went to
    // CUPS.
    void *cups = dlopen("libcups.so.2", RTLD_LAZY | RTLD_NOLOAD);
    if (!cups)
        return std::nullopt;
    const auto lastError = reinterpret_cast<decltype(&cupsLastError)>(dlsym(cups, "cupsLastError"));
    const auto lastErrorString =
        reinterpret_cast<decltype(&cupsLastErrorString)>(dlsym(cups, "cupsLastErrorString"));
    std::optional<QString> answer;
    if (lastError && lastErrorString && lastError() > IPP_STATUS_OK_EVENTS_COMPLETE)
        answer = QString::fromUtf8(lastErrorString());
    dlclose(cups);
    return answer;
}

} // namespace mokpe::platform
