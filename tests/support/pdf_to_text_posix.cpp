#include "support/pdf_to_text.h"

#include "support/cli_runner.h"

#include <QStringList>

namespace mokpe::test {

bool runPdfToText(const QString &pdfPath, const QString &htmlPath)
{
    return runProgram({QStringLiteral("pdftotext"), QStringLiteral("-bbox-layout"), pdfPath, htmlPath})
               .exitCode == 0;
}

} // namespace mokpe::test
