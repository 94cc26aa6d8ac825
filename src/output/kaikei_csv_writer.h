#pragma once

#include "common/app_state.h"
#include "common/progress.h"
#include "journal/journal_grid.h"
#include "output/export_fields.h"

#include <QString>

class QIODevice;

// The 会計 format: tagged header lines, the journal list of 23 fields a row
// with 3-digit codes and fixed-width texts, and three closing tagged lines.
namespace mokpe::output {

struct ExportSource;
class PreflightSink;

// Writes the journal to `out` as CP932 with CR LF. Empty text when every byte
// reached the device, else the reason. The device is neither opened nor closed.
// The rows written are told to `progress`; when it stops the writing, what
// reached the device is incomplete and to be given up.
QString Fm3_KaikeiCsvWrite(QIODevice &out, const journal::JournalGrid &journal,
                           const AccountCodeTable &accounts, const ExportFields &fields,
                           common::Progress &progress = common::noProgress());

// The same texts through the preflight's sink.
void checkKaikeiCsv(const ExportSource &source, PreflightSink &sink);

} // namespace mokpe::output
