#include "support/pdf_words.h"

#include "support/pdf_to_text.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringList>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <cmath>

namespace mokpe::test {

namespace {

constexpr double kMillimetresPerPoint = 25.4 / 72.0;

double millimetres(const QXmlStreamAttributes &attributes, const char *name)
{
    return attributes.value(QLatin1String(name)).toDouble() * kMillimetresPerPoint;
}

} // namespace

std::vector<PdfPageWords> readPdfWords(const QString &pdfPath)
{
    QTemporaryDir dir;
    const QString html = dir.filePath(QStringLiteral("words.html"));
    std::vector<PdfPageWords> pages;
    QFile file(html);
    if (!runPdfToText(pdfPath, html) || !file.open(QIODevice::ReadOnly))
        return pages;
    QXmlStreamReader xml(&file);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("page")) {
            pages.push_back(
                {millimetres(xml.attributes(), "width"), millimetres(xml.attributes(), "height"), {}});
        } else if (xml.name() == QLatin1String("word") && !pages.empty()) {
            const QXmlStreamAttributes a = xml.attributes();
            PdfWord word{QString(), millimetres(a, "xMin"), millimetres(a, "yMin"), millimetres(a, "xMax"),
                         millimetres(a, "yMax")};
            word.text = xml.readElementText();
            pages.back().words.push_back(word);
        }
    }
    return pages;
}

std::vector<PdfPageWords> readPdfWords(const QByteArray &pdf)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("page.pdf"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(pdf) != pdf.size())
        return {};
    file.close();
    return readPdfWords(path);
}

QString pageText(const PdfPageWords &page)
{
    QStringList words;
    for (const PdfWord &word : page.words)
        words.append(word.text);
    return words.join(QLatin1Char(' '));
}

QString withoutSpaces(QString text)
{
    return text.remove(QRegularExpression(QStringLiteral("\\s")));
}

bool wordBeginsTextAt(const PdfPageWords &page, double x, double y, const QString &text, double toleranceMm,
                      QString *found)
{
    const QString expected = withoutSpaces(text);
    for (const PdfWord &word : page.words) {
        if (std::abs(word.xMin - x) > toleranceMm || std::abs(word.yMin - y) > toleranceMm)
            continue;
        if (found)
            *found = word.text;
        if (!word.text.isEmpty() && expected.startsWith(withoutSpaces(word.text)))
            return true;
    }
    return false;
}

} // namespace mokpe::test
