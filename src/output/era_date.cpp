#include "output/era_date.h"

#include <unicode/calendar.h>
#include <unicode/smpdtfmt.h>
#include <unicode/timezone.h>

#include <memory>

namespace mokpe::output {

namespace {

// The day Reiwa began; the 楓林 software's year count runs on from Heisei 30.
const QDate kReiwaFirstDay(2019, 5, 1);
constexpr int kHeiseiYearsBeforeReiwa = 30;

// Digits 0 to 9 only, at least one.
bool allDigits(QStringView s)
{
    if (s.isEmpty())
        return false;
    for (const QChar c : s) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return true;
}

std::optional<QDate> dateFromParts(QStringView year, QStringView month, QStringView day)
{
    if (year.size() != 4 || month.size() > 2 || day.size() > 2 || !allDigits(year) || !allDigits(month) ||
        !allDigits(day)) {
        return std::nullopt;
    }
    const QDate date(year.toInt(), month.toInt(), day.toInt());
    if (!date.isValid())
        return std::nullopt;
    return date;
}

QString twoDigits(int n)
{
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

} // namespace

std::optional<QDate> readDateText(const QString &text)
{
    const QStringView s = QStringView(text).trimmed();
    if (s.endsWith(u'日')) {
        const qsizetype y = s.indexOf(u'年');
        const qsizetype m = s.indexOf(u'月');
        if (y < 0 || m < y)
            return std::nullopt;
        return dateFromParts(s.first(y), s.sliced(y + 1, m - y - 1), s.sliced(m + 1, s.size() - m - 2));
    }
    for (const QChar separator : {QLatin1Char('/'), QLatin1Char('-')}) {
        const qsizetype p1 = s.indexOf(separator);
        if (p1 < 0)
            continue;
        const qsizetype p2 = s.indexOf(separator, p1 + 1);
        if (p2 < 0)
            return std::nullopt;
        return dateFromParts(s.first(p1), s.sliced(p1 + 1, p2 - p1 - 1), s.sliced(p2 + 1));
    }
    return std::nullopt;
}

struct EraCalendar::Icu {
    Icu();
    std::unique_ptr<icu::Calendar> calendar;
    std::unique_ptr<icu::SimpleDateFormat> eraFormat;
};

EraCalendar::Icu::Icu()
{
    UErrorCode status = U_ZERO_ERROR;
    const icu::Locale locale("ja_JP@calendar=japanese");
    // Dates are days, not moments: place them at midnight GMT, away from any
    // zone's shifts.
    calendar.reset(icu::Calendar::createInstance(icu::TimeZone::getGMT()->clone(), locale, status));
    if (U_FAILURE(status)) {
        calendar.reset();
        return;
    }
    eraFormat = std::make_unique<icu::SimpleDateFormat>(icu::UnicodeString(u"G"), locale, status);
    if (U_FAILURE(status)) {
        eraFormat.reset();
        return;
    }
    eraFormat->setCalendar(*calendar);
}

EraCalendar::Icu &EraCalendar::threadIcu()
{
    // Opening the calendar and its era format costs more than a short export's
    // dates: one pair serves every EraCalendar of a thread, each setting the
    // time before it reads.
    thread_local Icu icu;
    return icu;
}

std::optional<EraDate> EraCalendar::eraDate(QDate date)
{
    if (!date.isValid())
        return std::nullopt;
    if (date == lastDate_)
        return lastEra_;
    Icu &icu = threadIcu();
    if (!icu.calendar || !icu.eraFormat)
        return std::nullopt;
    constexpr qint64 kUnixEpochJulianDay = 2440588;
    const UDate moment = static_cast<UDate>(date.toJulianDay() - kUnixEpochJulianDay) * U_MILLIS_PER_DAY;
    UErrorCode status = U_ZERO_ERROR;
    icu::Calendar &calendar = *icu.calendar;
    calendar.setTime(moment, status);
    EraDate era;
    era.eraYear = calendar.get(UCAL_YEAR, status);
    era.month = calendar.get(UCAL_MONTH, status) + 1;
    era.day = calendar.get(UCAL_DATE, status);
    icu::UnicodeString name;
    icu.eraFormat->format(moment, name);
    if (U_FAILURE(status) || name.isEmpty())
        return std::nullopt;
    era.eraName = QString(reinterpret_cast<const QChar *>(name.getBuffer()), name.length());
    lastDate_ = date;
    lastEra_ = era;
    return era;
}

QString EraCalendar::longText(QDate date)
{
    const std::optional<EraDate> era = eraDate(date);
    if (!era)
        return {};
    return QStringLiteral("%1%2年%3月%4日").arg(era->eraName).arg(era->eraYear).arg(era->month).arg(era->day);
}

QString EraCalendar::yearMonthDay(QDate date)
{
    const std::optional<EraDate> era = eraDate(date);
    if (!era)
        return {};
    return QString::number(era->eraYear) + twoDigits(era->month) + twoDigits(era->day);
}

QString EraCalendar::fuurinYearMonthDay(QDate date)
{
    const std::optional<EraDate> era = eraDate(date);
    if (!era)
        return {};
    const int year = date >= kReiwaFirstDay ? kHeiseiYearsBeforeReiwa + era->eraYear : era->eraYear;
    return QString::number(year) + twoDigits(era->month) + twoDigits(era->day);
}

} // namespace mokpe::output
