#include "output/export_source.h"

#include "output/export_texts.h"

namespace mokpe::output {

const QString &DateFields::field(const QString &dateText)
{
    if (haveLast_ && dateText == lastText_)
        return lastField_;
    lastText_ = dateText;
    haveLast_ = true;
    lastField_.clear();
    const std::optional<QDate> date = readDateText(dateText);
    if (date) {
        switch (style_) {
        case DateStyle::Western:
            lastField_ = date->toString(QStringLiteral("yyyyMMdd"));
            break;
        case DateStyle::Era:
            lastField_ = calendar_.yearMonthDay(*date);
            break;
        case DateStyle::Fuurin:
            lastField_ = calendar_.fuurinYearMonthDay(*date);
            break;
        }
    }
    return lastField_;
}

QString yearEndEraText(const ExportFields &fields)
{
    const DateBoxes &d = fields.yearEnd;
    const std::optional<QDate> date = readDateText(d.year + QLatin1Char('/') + twoDigitText(d.month) +
                                                   QLatin1Char('/') + twoDigitText(d.day));
    if (!date)
        return {};
    EraCalendar calendar;
    return calendar.longText(*date);
}

} // namespace mokpe::output
