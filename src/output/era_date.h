#pragma once

#include <QDate>
#include <QString>

#include <optional>

// Dates of the export files: read from the journal's date texts, written in the
// Japanese era calendar (ICU's "ja_JP@calendar=japanese"), with the era year as
// a number (1, never 元).
namespace mokpe::output {

// The journal's dates as the card history gives them: year, month and day
// separated by "/" (2008/07/19, 2008/7/19) or "-", or written 2008年7月19日;
// a four-digit year; spaces around the text are ignored. Anything else, or a
// day the calendar does not have, cannot be read.
std::optional<QDate> readDateText(const QString &text);

// A date in the era calendar.
struct EraDate {
    QString eraName; // 平成, 令和, …
    int eraYear = 0; // 1 in the first year of an era
    int month = 0;
    int day = 0;
};

// Dates in ICU's Japanese calendar, which is opened once a thread, when a
// date is first asked for, and shared.
class EraCalendar {
public:
    EraCalendar() = default;
    EraCalendar(const EraCalendar &) = delete;
    EraCalendar &operator=(const EraCalendar &) = delete;

    // Empty when ICU cannot place the date.
    std::optional<EraDate> eraDate(QDate date);

    // "GGGE年M月D日": 平成21年3月31日.
    QString longText(QDate date);
    // Era year + two-digit month + two-digit day: 200719 for 19 July 2008,
    // 80106 for 6 January 2026 (Fm3_WarekiYmd).
    QString yearMonthDay(QDate date);
    // The 楓林 CSV date: as yearMonthDay, but the software that reads it counts
    // Reiwa years on from Heisei, so from 1 May 2019 the year is 30 + the Reiwa
    // year: 310501 for 1 May 2019, 380106 for 6 January 2026.
    QString fuurinYearMonthDay(QDate date);

private:
    struct Icu;
    static Icu &threadIcu();
    // Journals run in date order: most rows repeat the previous row's date.
    QDate lastDate_;
    std::optional<EraDate> lastEra_;
};

} // namespace mokpe::output
