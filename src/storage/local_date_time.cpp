#include "storage/local_date_time.h"

#include <chrono>
#include <cstdio>
#include <ctime>

namespace tq370 {

LocalDateTime LocalDateTime::now() {
    auto stamp = std::chrono::system_clock::now();
    std::time_t seconds = std::chrono::system_clock::to_time_t(stamp);
    std::tm parts{};
    localtime_r(&seconds, &parts);
    auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(stamp.time_since_epoch()).count() %
        1000;

    LocalDateTime t;
    t.year = static_cast<std::uint16_t>(parts.tm_year + 1900);
    t.month = static_cast<std::uint16_t>(parts.tm_mon + 1);
    t.dayOfWeek = static_cast<std::uint16_t>(parts.tm_wday);
    t.day = static_cast<std::uint16_t>(parts.tm_mday);
    t.hour = static_cast<std::uint16_t>(parts.tm_hour);
    t.minute = static_cast<std::uint16_t>(parts.tm_min);
    t.second = static_cast<std::uint16_t>(parts.tm_sec);
    t.milliseconds = static_cast<std::uint16_t>(ms < 0 ? ms + 1000 : ms);
    return t;
}

std::string LocalDateTime::toString() const {
    char text[64];
    std::snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u:%02u", unsigned{year},
                  unsigned{month}, unsigned{day}, unsigned{hour}, unsigned{minute},
                  unsigned{second});
    return text;
}

}  // namespace tq370
