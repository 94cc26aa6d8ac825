#pragma once

#include "platform/font_substitutions.h"

#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <QString>

// The report's typeface: the face it asks for, mapped to an installed one, and
// text measured in millimetres on the printed page. Needs a QGuiApplication.
namespace mokpe::output {

// `family` at `pointSize`, bold when `emphasis`; the Windows face names are
// mapped to installed faces first. Hinting is off, so that widths on every
// device follow the face's design and match what ReportFontMetrics measured.
QFont reportFont(const QString &family, double pointSize, bool emphasis);

class ReportFontMetrics {
public:
    explicit ReportFontMetrics(const QString &family = platform::kReportFace);
    // The advance of `text` at `pointSize`, in millimetres.
    double width(const QString &text, double pointSize) const;
    // The height of one line of text at `pointSize` (ascent plus descent), in millimetres.
    double lineHeight(double pointSize) const;
    // The installed face the family was mapped to.
    QString resolvedFamily() const;

private:
    static double millimetresPerUnit(double pointSize);
    // The advance of `text` at the measuring size.
    double advance(const QString &text) const;
    QFont font_;
    QFontMetricsF metrics_;
    // Advances by character: a long report measures the same few hundred
    // characters hundreds of thousands of times.
    mutable QHash<char16_t, double> advances_;
};

} // namespace mokpe::output
