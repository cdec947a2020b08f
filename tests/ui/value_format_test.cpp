#include <gtest/gtest.h>

#include <array>
#include <ostream>

#include "controls/value_format.h"

namespace tq370 {
namespace {

// Position → text, text → position and the real value of one value kind, with the
// parameter model's tables.
struct KindCase {
    const char* name;
    ValueFormat valueFormat;
    int position;
    const char* shown;
    double real;
};

void PrintTo(const KindCase& c, std::ostream* out) {
    *out << c.name;
}

class ValueKinds : public ::testing::TestWithParam<KindCase> {};

TEST_P(ValueKinds, FormatRealValueAndReadBack) {
    const KindCase& c = GetParam();
    EXPECT_EQ(formatPosition(c.valueFormat, c.position), c.shown);
    EXPECT_DOUBLE_EQ(realValue(c.valueFormat, c.position), c.real);
    // What a box shows reads back as the same position.
    EXPECT_EQ(parsePosition(c.valueFormat, c.shown), c.position);
}

const ValueFormat GAIN{ValueKind::Gain, -200, 200, 10, "%0.1f"};
const ValueFormat EQ_FREQUENCY{ValueKind::Frequency, 1, 362, 1, "%0.0f"};
const ValueFormat CROSSOVER{ValueKind::Frequency, 0, 361, 1, "%0.0f"};
const ValueFormat Q{ValueKind::Q, 0, 101, 1, "%0.2f"};
const ValueFormat DELAY_MS{ValueKind::DelayMs, 0, 960, 1, "%0.3f"};
const ValueFormat DELAY_CM{ValueKind::DelayCm, 0, 960, 1, "%0.3f"};
const ValueFormat DELAY_INCH{ValueKind::DelayInch, 0, 960, 1, "%0.3f"};
const ValueFormat VOLUME{ValueKind::Volume, -60, 0, 1, "%0.0fdB"};
const ValueFormat BALANCE{ValueKind::Balance, 0, 20, 1, "%0.0f"};
const ValueFormat MIX{ValueKind::Plain, 0, 100, 1, "%0.0f"};
const ValueFormat LIMITER{ValueKind::Level, -300, 60, 10, "%0.1f dBu"};
const ValueFormat ATTACK{ValueKind::Attack, 0, 107, 1, "%0.0fms"};
const ValueFormat TIME{ValueKind::TimeTable, 0, 82, 1, "%0.0fms"};
const ValueFormat WHOLE{ValueKind::Whole, 0, 200, 1, "%0.0f"};

INSTANTIATE_TEST_SUITE_P(Examples, ValueKinds,
                         ::testing::Values(KindCase{"gain", GAIN, -35, "-3.5", -3.5},
                                           KindCase{"gainTop", GAIN, 200, "20.0", 20.0},
                                           KindCase{"freq1k", EQ_FREQUENCY, 204, "1000", 1000},
                                           KindCase{"freq63", EQ_FREQUENCY, 61, "63.7", 63.7},
                                           KindCase{"freqLow", EQ_FREQUENCY, 1, "20.1", 20.1},
                                           KindCase{"crossoverTop", CROSSOVER, 361, "20600", 20600},
                                           KindCase{"q76", Q, 51, "7.60", 7.6},
                                           KindCase{"qLow", Q, 0, "0.40", 0.4},
                                           KindCase{"q10", Q, 56, "10.1", 10.1},
                                           KindCase{"qTop", Q, 100, "128", 128},
                                           KindCase{"delayMs", DELAY_MS, 48, "1.000", 1.0005},
                                           KindCase{"delayCm", DELAY_CM, 48, "34.60", 1.0005},
                                           KindCase{"delayInch", DELAY_INCH, 48, "13.62", 1.0005},
                                           KindCase{"delayMax", DELAY_MS, 960, "20.000", 20.0005},
                                           KindCase{"volumeOff", VOLUME, -60, "OFF", -60},
                                           KindCase{"volume", VOLUME, -12, "-12dB", -12},
                                           KindCase{"balanceCentre", BALANCE, 10, "Center", 10},
                                           KindCase{"balanceLeft", BALANCE, 7, "L3", 7},
                                           KindCase{"balanceRight", BALANCE, 14, "R4", 14},
                                           KindCase{"mix", MIX, 75, "75", 75},
                                           KindCase{"limiter", LIMITER, -125, "-12.5 dBu", -12.5},
                                           KindCase{"attackShort", ATTACK, 2, "0.5ms", 0.5},
                                           KindCase{"attackLong", ATTACK, 51, "45ms", 45},
                                           KindCase{"time", TIME, 4, "250ms", 250},
                                           KindCase{"whole", WHOLE, 120, "120", 120}),
                         [](const auto& info) { return std::string(info.param.name); });

struct TypedCase {
    const char* name;
    ValueFormat valueFormat;
    const char* typed;
    int position;
};

void PrintTo(const TypedCase& c, std::ostream* out) {
    *out << c.name;
}

class TypedText : public ::testing::TestWithParam<TypedCase> {};

TEST_P(TypedText, GivesTheClampedPosition) {
    const TypedCase& c = GetParam();
    EXPECT_EQ(parsePosition(c.valueFormat, c.typed), c.position) << c.typed;
}

INSTANTIATE_TEST_SUITE_P(
    Examples, TypedText,
    ::testing::Values(
        TypedCase{"gainAboveRange", GAIN, "+25 dB", 200}, TypedCase{"gainDecimal", GAIN, "2.3", 23},
        TypedCase{"gainNegative", GAIN, "-0.7", -7},
        TypedCase{"freqSnapsUp", EQ_FREQUENCY, "63", 61},
        TypedCase{"freqBelowGrid", EQ_FREQUENCY, "19", 1},
        TypedCase{"freqAboveGrid", EQ_FREQUENCY, "30000", 362},
        TypedCase{"crossoverLowest", CROSSOVER, "5", 0}, TypedCase{"qBelowTable", Q, "0.3", 0},
        TypedCase{"qSnapsUp", Q, "7.5", 51}, TypedCase{"qAboveTable", Q, "500", 100},
        TypedCase{"delayMs", DELAY_MS, "1", 48}, TypedCase{"delayCm", DELAY_CM, "12", 17},
        TypedCase{"delayInch", DELAY_INCH, "10", 35}, TypedCase{"delayBeyond", DELAY_MS, "25", 960},
        TypedCase{"volumeOff", VOLUME, "OFF", -60}, TypedCase{"volumeTyped", VOLUME, "-12dB", -12},
        TypedCase{"volumeTooLow", VOLUME, "-90", -60}, TypedCase{"balanceRight", BALANCE, "R4", 14},
        TypedCase{"balanceLeft", BALANCE, "L3", 7}, TypedCase{"balanceNumber", BALANCE, "5", 5},
        TypedCase{"attackBelowTable", ATTACK, "0.2", 0},
        TypedCase{"attackSnapsUp", ATTACK, "1.5", 8}, TypedCase{"timeZero", TIME, "0", 0},
        TypedCase{"timeSnapsUp", TIME, "100", 2}, TypedCase{"noNumber", MIX, "abc", 0},
        TypedCase{"empty", GAIN, "", 0}, TypedCase{"junkAround", MIX, "x4y2z", 42}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ValueFromReal, KindsTakeRealValuesAsHostsPushThem) {
    EXPECT_EQ(positionFromReal(GAIN, -3.5), -35);
    EXPECT_EQ(positionFromReal(EQ_FREQUENCY, 63), 61);
    EXPECT_EQ(positionFromReal(Q, 7.6), 51);
    // Delays in milliseconds whatever the unit shown.
    EXPECT_EQ(positionFromReal(DELAY_MS, 1.0), 48);
    EXPECT_EQ(positionFromReal(DELAY_CM, 1.0), 48);
    EXPECT_EQ(positionFromReal(DELAY_INCH, 1.0), 48);
    EXPECT_EQ(positionFromReal(BALANCE, 7), 7);
    EXPECT_EQ(positionFromReal(VOLUME, -12), -12);
    EXPECT_EQ(positionFromReal(VOLUME, -100), -60);
}

TEST(ValueOutOfTable, PositionsPastATableNeverReadOutsideIt) {
    const ValueFormat wide{ValueKind::Q, -5, 5000, 1, "%0.2f"};
    EXPECT_EQ(formatPosition(wide, 5000), "128");
    EXPECT_DOUBLE_EQ(realValue(wide, -3), 0);
    const ValueFormat time{ValueKind::TimeTable, 0, 500, 1, "%0.0fms"};
    EXPECT_EQ(formatPosition(time, 500), "5000ms");
}

struct LookupCase {
    double x;
    int expected;
};

void PrintTo(const LookupCase& c, std::ostream* out) {
    *out << c.x;
}

class IndexLookup : public ::testing::TestWithParam<LookupCase> {};

TEST_P(IndexLookup, AscendingTable) {
    const std::array<double, 5> table{1, 2, 4, 8, 16};
    EXPECT_EQ(indexLookup(GetParam().x, table, 5), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Values, IndexLookup,
                         ::testing::Values(LookupCase{0.5, 1}, LookupCase{1, 1}, LookupCase{2, 1},
                                           LookupCase{2.1, 2}, LookupCase{8, 3},
                                           LookupCase{15.9, 4}, LookupCase{16, 4},
                                           LookupCase{99, 4}));

}  // namespace
}  // namespace tq370
