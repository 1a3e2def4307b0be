#include "platform/clock.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>

namespace vxr::platform {

namespace {

// Days from 1970-01-01 to the given civil date (proleptic Gregorian).
long long daysFromCivil(long long y, unsigned m, unsigned d) {
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long long>(doe) - 719468;
}

void civilFromDays(long long z, int& year, int& month, int& day) {
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(static_cast<long long>(yoe) + era * 400 + (month <= 2));
}

const long long kEpochOffset = daysFromCivil(1899, 12, 30);  // relative to 1970-01-01
constexpr double kMillisecondsPerDay = 86400000.0;

}  // namespace

double dayCountFromCivil(const CivilTime& t) {
    const double days = static_cast<double>(
        daysFromCivil(t.year, static_cast<unsigned>(t.month), static_cast<unsigned>(t.day)) - kEpochOffset);
    const double ms = ((t.hour * 60.0 + t.minute) * 60.0 + t.second) * 1000.0 + t.millisecond;
    const double fraction = ms / kMillisecondsPerDay;
    return days >= 0 ? days + fraction : days - fraction;
}

CivilTime civilFromDayCount(double dayCount) {
    CivilTime t;
    if (!std::isfinite(dayCount) || std::fabs(dayCount) > 3.0e6) return t;  // far outside any calendar use
    const double whole = std::trunc(dayCount);
    long long ms = std::llround(std::fabs(dayCount - whole) * kMillisecondsPerDay);
    long long days = static_cast<long long>(whole);
    if (ms >= static_cast<long long>(kMillisecondsPerDay)) {  // rounded up to the next day
        ms -= static_cast<long long>(kMillisecondsPerDay);
        days += dayCount >= 0 ? 1 : -1;
    }
    civilFromDays(days + kEpochOffset, t.year, t.month, t.day);
    t.millisecond = static_cast<int>(ms % 1000);
    long long seconds = ms / 1000;
    t.second = static_cast<int>(seconds % 60);
    t.minute = static_cast<int>(seconds / 60 % 60);
    t.hour = static_cast<int>(seconds / 3600);
    return t;
}

std::string formatDateTime(double dayCount) {
    const CivilTime t = civilFromDayCount(dayCount);
    char text[64];
    std::snprintf(text, sizeof text, "%d-%d-%d %d:%02d:%02d", t.year, t.month, t.day, t.hour, t.minute, t.second);
    return text;
}

double SystemClock::now() const {
    using namespace std::chrono;
    const auto stamp = system_clock::now();
    const std::time_t seconds = system_clock::to_time_t(stamp);
    std::tm local{};
    localtime_r(&seconds, &local);
    const auto ms = duration_cast<milliseconds>(stamp.time_since_epoch()).count() % 1000;
    return dayCountFromCivil({local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
                              local.tm_sec, static_cast<int>(ms)});
}

SystemClock& systemClock() {
    static SystemClock clock;
    return clock;
}

}  // namespace vxr::platform
