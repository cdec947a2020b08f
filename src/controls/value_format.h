#pragma once

#include <span>
#include <string>
#include <string_view>

namespace tq370 {

// How a value box turns its integer position into text and back. Kinds:
//  0, 6, 11 and unknown kinds: formatText with position/divisor
//  1 balance ("Center", "L3", "R4")      2 time table (MS_TABLE), "%0.0fms"
//  3 frequency table                      4 whole number, "OFF" below 20
//  5 Q table                              7 formatText, "OFF" at the lowest position
//  8, 9, 10 delay in samples at 48 kHz shown as ms, cm or inches
//  12 limiter attack table
enum class ValueKind : int {
    Plain = 0,
    Balance = 1,
    TimeTable = 2,
    Frequency = 3,
    Whole = 4,
    Q = 5,
    Gain = 6,
    Volume = 7,
    DelayMs = 8,
    DelayCm = 9,
    DelayInch = 10,
    Level = 11,
    Attack = 12,
};

struct ValueFormat {
    ValueKind kind = ValueKind::Plain;
    int minPosition = 0;
    int maxPosition = 100;
    int divisor = 1;
    std::string formatText = "%0.0fdB";
};

// The tables the table kinds index; the defaults are the parameter model's.
struct ValueTables {
    std::span<const double> frequencies;  // the grid plus one more top entry
    std::span<const double> q;
    std::span<const double> attack;
    std::span<const double> ms;
};
const ValueTables& defaultValueTables();

// Table snapping: n-1 when x reaches the last counted entry, else the first index from 1
// whose entry x does not pass (ascending or descending tables); never 0.
int indexLookup(double x, std::span<const double> table, int count);

std::string formatPosition(const ValueFormat& valueFormat, int position,
                           const ValueTables& tables = defaultValueTables());

// The position a typed text stands for (only digits, '-' and '.' count as the number;
// kinds 1 and 7 also read their words), clamped to the valueFormat's range.
int parsePosition(const ValueFormat& valueFormat, std::string_view text,
                  const ValueTables& tables = defaultValueTables());

// The position a real value set by a host stands for: as parsing an empty text whose
// number is r (kinds 9 and 10 take r in milliseconds), clamped.
int positionFromReal(const ValueFormat& valueFormat, double r,
                     const ValueTables& tables = defaultValueTables());

// The real value of a position: position/divisor or the table entry; delays always in
// milliseconds.
double realValue(const ValueFormat& valueFormat, int position,
                 const ValueTables& tables = defaultValueTables());

}  // namespace tq370
