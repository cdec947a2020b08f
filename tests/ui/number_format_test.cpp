#include <gtest/gtest.h>

#include <ostream>

#include "controls/number_format.h"

namespace tq370 {
namespace {

struct FormatCase {
    const char* format;
    double value;
    const char* expected;
};

void PrintTo(const FormatCase& c, std::ostream* out) {
    *out << c.format;
}

class NumberFormat : public ::testing::TestWithParam<FormatCase> {};

TEST_P(NumberFormat, FormatsTheFirstConversionOnly) {
    const FormatCase& c = GetParam();
    EXPECT_EQ(formatNumber(c.format, c.value), c.expected) << c.format;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NumberFormat,
    ::testing::Values(FormatCase{"%5.0f %%", 100, "  100 %"},
                      FormatCase{"读取设备参数:%5.0f %%", 49.96, "读取设备参数:   50 %"},
                      FormatCase{"欢迎使用!", 50, "欢迎使用!"},
                      FormatCase{"%0.1f dBu", -12.5, "-12.5 dBu"},
                      FormatCase{"%0.0fdB", -12, "-12dB"}, FormatCase{"%0.3f", 1.0, "1.000"},
                      FormatCase{"Mode%d", 2.9, "Mode2"},
                      // Conversions that would read something other than one double
                      // are shown as they stand.
                      FormatCase{"%s and %n", 1, "%s and %n"},
                      FormatCase{"%f|%f", 1.5, "1.500000|%f"}, FormatCase{"%99999f", 1, "%99999f"},
                      FormatCase{"100%", 1, "100%"}, FormatCase{"", 1, ""}));

}  // namespace
}  // namespace tq370
