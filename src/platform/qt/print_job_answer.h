#pragma once

#include <QString>

#include <optional>

namespace mokpe::platform {

// The print service's answer to one job, which Qt drops on both systems. On
// CUPS the library Qt's print plugin loaded keeps the answer to the last
// request (print_job_answer_posix.cpp); on Windows Qt only warns when the
// spooler refuses the page or the document, so the warning is caught while the
// job ends (print_job_answer_win.cpp). Made just before the painter ends the
// job, on the thread that prints; one at a time.
class PrintJobAnswer {
public:
    PrintJobAnswer();
    ~PrintJobAnswer();
    PrintJobAnswer(const PrintJobAnswer &) = delete;
    PrintJobAnswer &operator=(const PrintJobAnswer &) = delete;

    // Once the job has ended: nothing when the service took it, else the
    // service's own words (empty when it gave none).
    std::optional<QString> refusal() const;
};

} // namespace mokpe::platform
