#include "app/game_clock.h"

#include <chrono>
#include <cmath>
#include <ctime>

namespace {

constexpr double kUnixEpochDays = 25569.0;  // 1 January 1970 in the platform's day count
constexpr std::int64_t kMillisecondsPerDayInt = 86400000;

}  // namespace

double CurrentDateTime()
{
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::int64_t ms = duration_cast<milliseconds>(now.time_since_epoch()).count();
    const std::time_t seconds = static_cast<std::time_t>(ms / 1000);
    std::tm local{};
    localtime_r(&seconds, &local);
    const double localMs = static_cast<double>(ms) + static_cast<double>(local.tm_gmtoff) * 1000.0;
    return kUnixEpochDays + localMs / kMillisecondsPerDay;
}

TTimeParts DecodeTime(double dateTime)
{
    if (!(dateTime > 0.0) || !std::isfinite(dateTime)) return {};
    const double dayMs = std::fmod(dateTime, 1.0) * kMillisecondsPerDay;
    std::int64_t ms = std::llround(dayMs) % kMillisecondsPerDayInt;
    TTimeParts parts;
    parts.Hours = static_cast<int>(ms / 3600000);
    ms %= 3600000;
    parts.Minutes = static_cast<int>(ms / 60000);
    ms %= 60000;
    parts.Seconds = static_cast<int>(ms / 1000);
    parts.Milliseconds = static_cast<int>(ms % 1000);
    return parts;
}

QString FormatTimeOfDay(double dateTime)
{
    const TTimeParts t = DecodeTime(dateTime);
    return QStringLiteral("%1:%2:%3")
        .arg(t.Hours)
        .arg(t.Minutes, 2, 10, QLatin1Char('0'))
        .arg(t.Seconds, 2, 10, QLatin1Char('0'));
}

std::int64_t WholeSeconds(double dateTime)
{
    if (!std::isfinite(dateTime)) return 0;
    const double seconds = std::floor(dateTime * kSecondsPerDay);
    if (seconds < -9.0e18 || seconds > 9.0e18) return 0;
    return static_cast<std::int64_t>(seconds);
}
