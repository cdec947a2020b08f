#pragma once

#include <cstdint>
#include <string>

namespace tq370 {

// A local calendar date and time in the eight 16-bit fields preset files are built from.
struct LocalDateTime {
    std::uint16_t year = 0;
    std::uint16_t month = 0;      // 1 to 12
    std::uint16_t dayOfWeek = 0;  // 0 Sunday
    std::uint16_t day = 0;
    std::uint16_t hour = 0;
    std::uint16_t minute = 0;
    std::uint16_t second = 0;
    std::uint16_t milliseconds = 0;

    static LocalDateTime now();

    // "YYYY-MM-DD HH:MM:SS".
    std::string toString() const;

    bool operator==(const LocalDateTime&) const = default;
};

}  // namespace tq370
