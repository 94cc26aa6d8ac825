#include "output/report_font.h"

#include <QFontInfo>

#include <mutex>

namespace mokpe::output {

namespace {

// Widths are measured on a face this many pixels high and scaled: large enough
// that rounding of advances does not show at report sizes.
constexpr int kMeasurePixels = 1000;
constexpr double kMillimetresPerPoint = 25.4 / 72.0;

void ensureSubstitutions()
{
    static std::once_flag installed;
    std::call_once(installed, [] { platform::installFontSubstitutions(); });
}

QFont measuringFont(const QString &family)
{
    ensureSubstitutions();
    QFont font(family);
    font.setPixelSize(kMeasurePixels);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

} // namespace

QFont reportFont(const QString &family, double pointSize, bool emphasis)
{
    ensureSubstitutions();
    QFont font(family);
    font.setPointSizeF(pointSize);
    font.setBold(emphasis);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

ReportFontMetrics::ReportFontMetrics(const QString &family) : font_(measuringFont(family)), metrics_(font_)
{}

double ReportFontMetrics::millimetresPerUnit(double pointSize)
{
    return pointSize * kMillimetresPerPoint / kMeasurePixels;
}

double ReportFontMetrics::advance(const QString &text) const
{
    // The report's faces set Japanese and Latin without kerning or ligatures:
    // a text is as wide as its characters. A text with surrogates, which
    // CP932 never gives, is shaped whole.
    double sum = 0;
    for (const QChar c : text) {
        if (c.isSurrogate())
            return metrics_.horizontalAdvance(text);
        auto found = advances_.constFind(c.unicode());
        if (found == advances_.constEnd())
            found = advances_.insert(c.unicode(), metrics_.horizontalAdvance(c));
        sum += *found;
    }
    return sum;
}

double ReportFontMetrics::width(const QString &text, double pointSize) const
{
    return advance(text) * millimetresPerUnit(pointSize);
}

double ReportFontMetrics::lineHeight(double pointSize) const
{
    return metrics_.height() * millimetresPerUnit(pointSize);
}

QString ReportFontMetrics::resolvedFamily() const
{
    return QFontInfo(font_).family();
}

} // namespace mokpe::output
