#pragma once
// Local date and time as a day count with fraction: day 0 is 30 December
// 1899, 0.5 is noon. Negative counts are days before that date with the time
// of day as the positive fraction (-1.25 is 29 December 1899, 06:00).

#include <string>

namespace vxr::platform {

struct CivilTime {
    int year = 1899;
    int month = 12;
    int day = 30;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
};

double dayCountFromCivil(const CivilTime& time);
CivilTime civilFromDayCount(double dayCount);

// Short date plus long time: "yyyy-M-d H:mm:ss" (no leading zeros on month,
// day and hour).
std::string formatDateTime(double dayCount);

// The source of "now" for everything that stamps times; tests inject a fixed one.
class Clock {
public:
    virtual ~Clock() = default;
    virtual double now() const = 0;  // local time as a day count
};

class SystemClock final : public Clock {
public:
    double now() const override;
};

class FixedClock final : public Clock {
public:
    explicit FixedClock(double dayCount) : dayCount_(dayCount) {}
    double now() const override { return dayCount_; }
    void set(double dayCount) { dayCount_ = dayCount; }

private:
    double dayCount_;
};

SystemClock& systemClock();

}  // namespace vxr::platform
