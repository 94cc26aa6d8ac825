#pragma once

#include <QString>

#include <vector>

namespace mokpe::test {

// A word of a PDF page as poppler's text extraction finds it, in millimetres
// from the page's top-left corner.
struct PdfWord {
    QString text;
    double xMin = 0;
    double yMin = 0;
    double xMax = 0;
    double yMax = 0;
};

struct PdfPageWords {
    double widthMm = 0;
    double heightMm = 0;
    std::vector<PdfWord> words;
};

// Runs `pdftotext -bbox-layout` on the file; empty when the PDF cannot be read.
std::vector<PdfPageWords> readPdfWords(const QString &pdfPath);
// The same for PDF bytes (written to a temporary file first).
std::vector<PdfPageWords> readPdfWords(const QByteArray &pdf);
// Every word of a page, joined by single spaces.
QString pageText(const PdfPageWords &page);
// The text without any white space (poppler splits words at wide gaps and at
// ideographic spaces, and may split a bold word in two).
QString withoutSpaces(QString text);
// Whether a word of the page lies within `toleranceMm` of (x, y) (its top-left
// corner) and begins `text`. `found` gets the text of a word at that place.
bool wordBeginsTextAt(const PdfPageWords &page, double x, double y, const QString &text, double toleranceMm,
                      QString *found = nullptr);

} // namespace mokpe::test
