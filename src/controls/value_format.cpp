#include "controls/value_format.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "controls/number_format.h"
#include "controls/tolerant_truncate.h"

namespace tq370 {

namespace {

constexpr double SAMPLES_PER_MS = 48;
constexpr double CM_PER_MS = 34.6;
constexpr double CM_PER_INCH = 2.54;
constexpr double LOWEST_FREQUENCY = 19.7;
constexpr double LOWEST_Q = 0.4;
constexpr double LOWEST_ATTACK = 0.3;
constexpr int MS_LOOKUP_COUNT = 81;
constexpr int FREQUENCY_LOOKUP_COUNT = 363;
constexpr int Q_LOOKUP_COUNT = 101;
constexpr int ATTACK_LOOKUP_COUNT = 107;

// An entry of a table, with the index held inside it so that a host's range that
// reaches past a table can never read outside it.
double entry(std::span<const double> table, int index) {
    if (table.empty()) return 0;
    return table[static_cast<std::size_t>(
        std::clamp(index, 0, static_cast<int>(table.size()) - 1))];
}

int lookup(double x, std::span<const double> table, int count) {
    return indexLookup(x, table, std::min(count, static_cast<int>(table.size())));
}

double numberIn(std::string_view text) {
    std::string kept;
    for (char c : text) {
        if ((c >= '0' && c <= '9') || c == '-' || c == '.') kept += c;
    }
    return std::strtod(kept.c_str(), nullptr);
}

bool contains(std::string_view text, std::string_view word) {
    return text.find(word) != std::string_view::npos;
}

// position·factor/48 in integers, as the delay kinds show it.
double delayUnits(int position, std::int64_t factor) {
    return static_cast<double>(static_cast<std::int64_t>(position) * factor /
                               static_cast<std::int64_t>(SAMPLES_PER_MS));
}

int unclampedPosition(const ValueFormat& valueFormat, std::string_view text, double v,
                      bool fromReal, const ValueTables& tables) {
    const double p = valueFormat.divisor;
    const int half = (valueFormat.maxPosition - valueFormat.minPosition) / 2;
    switch (valueFormat.kind) {
        case ValueKind::Balance:
            if (contains(text, "R")) return tolerantTruncate(v) + half;
            if (contains(text, "L")) return half - tolerantTruncate(v);
            if (contains(text, "Center")) return half;
            return tolerantTruncate(v);
        case ValueKind::TimeTable:
            return v * p <= 0 ? 0 : lookup(v * p, tables.ms, MS_LOOKUP_COUNT);
        case ValueKind::Frequency:
            return v * p <= LOWEST_FREQUENCY
                       ? 0
                       : lookup(v * p, tables.frequencies, FREQUENCY_LOOKUP_COUNT);
        case ValueKind::Q:
            return v * p <= LOWEST_Q ? 0 : lookup(v * p, tables.q, Q_LOOKUP_COUNT);
        case ValueKind::Volume:
            if (contains(text, "OFF")) return valueFormat.minPosition;
            return tolerantTruncate(v * p);
        case ValueKind::DelayMs:
            return tolerantTruncate(v * SAMPLES_PER_MS + 0.5);
        case ValueKind::DelayCm:
            if (fromReal || text.empty()) return tolerantTruncate(v * SAMPLES_PER_MS + 0.5);
            return tolerantTruncate(v * SAMPLES_PER_MS / CM_PER_MS + 0.5);
        case ValueKind::DelayInch:
            if (fromReal || text.empty()) return tolerantTruncate(v * SAMPLES_PER_MS + 0.5);
            return tolerantTruncate(v * SAMPLES_PER_MS / CM_PER_MS * CM_PER_INCH + 0.5);
        case ValueKind::Attack:
            return v * p <= LOWEST_ATTACK ? 0 : lookup(v * p, tables.attack, ATTACK_LOOKUP_COUNT);
        case ValueKind::Whole:
        default:
            return tolerantTruncate(v * p);
    }
}

int clampToRange(const ValueFormat& valueFormat, int position) {
    return std::clamp(position, valueFormat.minPosition,
                      std::max(valueFormat.minPosition, valueFormat.maxPosition));
}

}  // namespace

int indexLookup(double x, std::span<const double> t, int n) {
    if (n <= 1) return 0;
    if (x >= t[static_cast<std::size_t>(n - 1)]) return n - 1;
    const bool ascending = t[1] > t[0];
    for (int i = 1; i < n; ++i) {
        const double value = t[static_cast<std::size_t>(i)];
        if (ascending ? x <= value : x >= value) return i;
    }
    return n - 1;
}

std::string formatPosition(const ValueFormat& valueFormat, int position,
                           const ValueTables& tables) {
    const double p = valueFormat.divisor != 0 ? valueFormat.divisor : 1;
    switch (valueFormat.kind) {
        case ValueKind::Balance: {
            const int centre = valueFormat.maxPosition / 2;
            if (position == centre) return "Center";
            if (position < centre) return "L" + std::to_string(centre - position);
            return "R" + std::to_string(position - centre);
        }
        case ValueKind::TimeTable:
            return formatNumber("%0.0fms", entry(tables.ms, position) / p);
        case ValueKind::Frequency: {
            const double f = entry(tables.frequencies, position) / p;
            if (f < LOWEST_FREQUENCY) return "OFF";
            return formatNumber(f < 100 ? "%0.1f" : "%0.0f", f);
        }
        case ValueKind::Whole: {
            const int whole = valueFormat.divisor != 0 ? position / valueFormat.divisor : position;
            return whole < 20 ? "OFF" : formatNumber("%0.0f", whole);
        }
        case ValueKind::Q: {
            const double q = entry(tables.q, position) / p;
            return formatNumber(q < 10 ? "%0.2f" : q < 100 ? "%0.1f" : "%0.0f", q);
        }
        case ValueKind::Volume:
            if (position == valueFormat.minPosition) return "OFF";
            return formatNumber(valueFormat.formatText, position / p);
        case ValueKind::DelayMs:
            return formatNumber("%0.3f", delayUnits(position, 10000) / p / 10000);
        case ValueKind::DelayCm:
            return formatNumber("%0.2f", delayUnits(position, 34600) / p / 1000);
        case ValueKind::DelayInch:
            return formatNumber("%0.2f", delayUnits(position, 34600) / p / 2540);
        case ValueKind::Attack: {
            const double t = entry(tables.attack, position) / p;
            return formatNumber(t < 1 ? "%0.1fms" : "%0.0fms", t);
        }
        default:
            return formatNumber(valueFormat.formatText, position / p);
    }
}

int parsePosition(const ValueFormat& valueFormat, std::string_view text,
                  const ValueTables& tables) {
    return clampToRange(valueFormat,
                        unclampedPosition(valueFormat, text, numberIn(text), false, tables));
}

int positionFromReal(const ValueFormat& valueFormat, double r, const ValueTables& tables) {
    return clampToRange(valueFormat, unclampedPosition(valueFormat, {}, r, true, tables));
}

double realValue(const ValueFormat& valueFormat, int position, const ValueTables& tables) {
    const double p = valueFormat.divisor != 0 ? valueFormat.divisor : 1;
    switch (valueFormat.kind) {
        case ValueKind::TimeTable:
            return entry(tables.ms, position) / p;
        case ValueKind::Frequency:
            return position < 0 ? 0 : entry(tables.frequencies, position) / p;
        case ValueKind::Q:
            return position < 0 ? 0 : entry(tables.q, position) / p;
        case ValueKind::Attack:
            return entry(tables.attack, position) / p;
        case ValueKind::DelayMs:
        case ValueKind::DelayCm:
        case ValueKind::DelayInch:
            return (delayUnits(position, 10000) + 5) / 10000 / p;
        default:
            return position / p;
    }
}

}  // namespace tq370
