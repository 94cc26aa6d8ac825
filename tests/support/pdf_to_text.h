#pragma once

#include <QString>

namespace mokpe::test {

// Runs poppler's `pdftotext -bbox-layout` on the PDF at `pdfPath`, writing the
// words with their boxes to `htmlPath`; false when it could not. Under Wine
// (pdf_to_text_win.cpp) the Linux program is started from the Windows test.
bool runPdfToText(const QString &pdfPath, const QString &htmlPath);

} // namespace mokpe::test
