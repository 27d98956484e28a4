#pragma once
// Date-time values as the game keeps them: days as a 64-bit float, the fraction being the time
// of day; the current local date and time, the parts of a time of day and its display.

#include <QString>

#include <cstdint>

constexpr double kSecondsPerDay = 86400.0;
constexpr double kMillisecondsPerDay = 86400000.0;

// The current local date and time in days (day 0 is 30 December 1899, as the platform counts).
double CurrentDateTime();

// Hours, minutes, seconds and milliseconds of the time-of-day part of a date-time value,
// rounded to the millisecond. A negative value counts as zero.
struct TTimeParts {
    int Hours = 0;
    int Minutes = 0;
    int Seconds = 0;
    int Milliseconds = 0;
};
TTimeParts DecodeTime(double dateTime);

// The time-of-day part as "H:MM:SS" (24-hour clock, past 24 hours it starts again from 0).
QString FormatTimeOfDay(double dateTime);

// The date-time value in whole seconds (rounded down), for seeding a generator.
std::int64_t WholeSeconds(double dateTime);
