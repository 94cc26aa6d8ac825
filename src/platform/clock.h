#pragma once

#include <QDate>

namespace mokpe::platform {

// Today's date, asked through here so that a test or a command line can fix it.
class Clock {
public:
    virtual ~Clock() = default;
    virtual QDate today() = 0;
};

class SystemClock final : public Clock {
public:
    QDate today() override { return QDate::currentDate(); }
};

// A clock that always tells the same day.
class FixedClock final : public Clock {
public:
    explicit FixedClock(QDate day) : day_(day) {}
    QDate today() override { return day_; }

private:
    QDate day_;
};

} // namespace mokpe::platform
