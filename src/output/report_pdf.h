#pragma once

#include <QString>

namespace mokpe::output {

class SettlementReport;

// Writes the report into one PDF at `path`, one PDF page per report page, with
// the face embedded so that its text can be searched and copied. The file is
// replaced only when the whole PDF was written. Empty text on success, else the
// message for the user.
QString writeReportPdf(const QString &path, const SettlementReport &report);

} // namespace mokpe::output
