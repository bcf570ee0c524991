// SPDX-License-Identifier: MIT
#include "record/iso8601.h"

#include <cstdint>
#include <cstdio>

namespace sorvane {

namespace {

using std::chrono::days;
using std::chrono::seconds;

constexpr std::size_t wholeSecondsLength = 19; // "YYYY-MM-DDThh:mm:ss"

bool readNumber(std::string_view text, std::size_t position, std::size_t digits, int& value) {
    value = 0;
    for (std::size_t i = position; i < position + digits; ++i) {
        if (text[i] < '0' || text[i] > '9') {
            return false;
        }
        value = value * 10 + (text[i] - '0');
    }
    return true;
}

std::optional<Iso8601::TimePoint> refuse(std::string* reason, const char* why) {
    if (reason) {
        *reason = why;
    }
    return std::nullopt;
}

} // namespace

std::string Iso8601::format(TimePoint time) {
    const auto wholeSeconds = std::chrono::floor<seconds>(time);
    const auto day = std::chrono::floor<days>(wholeSeconds);
    const std::chrono::year_month_day date{day};
    const std::chrono::hh_mm_ss clock{wholeSeconds - day};
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02u-%02uT%02d:%02d:%02dZ", int(date.year()),
                  unsigned(date.month()), unsigned(date.day()), int(clock.hours().count()),
                  int(clock.minutes().count()), int(clock.seconds().count()));
    return text;
}

std::optional<Iso8601::TimePoint> Iso8601::parse(std::string_view text, std::string* reason) {
    static constexpr const char* malformed = "is not a whole-second ISO 8601 date";
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
    // RFC 3339 allows a lower-case "t" and "z"; we never write them but accept them.
    if (text.size() < wholeSecondsLength || !readNumber(text, 0, 4, year) || text[4] != '-' ||
        !readNumber(text, 5, 2, month) || text[7] != '-' || !readNumber(text, 8, 2, day) ||
        (text[10] != 'T' && text[10] != 't') || !readNumber(text, 11, 2, hour) || text[13] != ':' ||
        !readNumber(text, 14, 2, minute) || text[16] != ':' || !readNumber(text, 17, 2, second)) {
        return refuse(reason, malformed);
    }
    const std::string_view zone = text.substr(wholeSecondsLength);
    if (!zone.empty() && zone.front() == '.') {
        return refuse(reason, "has a fraction of a second");
    }
    int offsetMinutes = 0;
    if (zone == "Z" || zone == "z") {
        offsetMinutes = 0;
    } else if (zone.size() == 6 && (zone[0] == '+' || zone[0] == '-') && zone[3] == ':') {
        int offsetHour = 0;
        int offsetMinute = 0;
        if (!readNumber(zone, 1, 2, offsetHour) || !readNumber(zone, 4, 2, offsetMinute) ||
            offsetHour > 23 || offsetMinute > 59) {
            return refuse(reason, malformed);
        }
        offsetMinutes = (zone[0] == '-' ? -1 : 1) * (offsetHour * 60 + offsetMinute);
    } else {
        return refuse(reason, malformed);
    }

    const std::chrono::year_month_day date{std::chrono::year{year},
                                           std::chrono::month{static_cast<unsigned>(month)},
                                           std::chrono::day{static_cast<unsigned>(day)}};
    if (!date.ok() || hour > 23 || minute > 59 || second > 59) {
        return refuse(reason, "is not a valid date and time");
    }

    const std::int64_t sinceEpoch =
        std::int64_t{std::chrono::sys_days{date}.time_since_epoch().count()} * 86400 + hour * 3600 +
        minute * 60 + second - std::int64_t{offsetMinutes} * 60;
    // Four-digit years always fit: a timestamp holds far more than years 0 to 9999.
    return TimePoint{seconds{sinceEpoch}};
}

} // namespace sorvane
