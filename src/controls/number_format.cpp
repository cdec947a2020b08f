#include "controls/number_format.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

namespace tq370 {

namespace {

bool isFlag(char c) {
    return c == '-' || c == '+' || c == ' ' || c == '#' || c == '0';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Width and precision are capped so that a stray "%999999f" cannot ask for megabytes.
constexpr std::size_t MAX_DIRECTIVE_DIGITS = 3;

std::string formatOne(const std::string& directive, char conversion, double value) {
    char buffer[512];
    int n = 0;
    if (conversion == 'd' || conversion == 'i') {
        const double t = std::trunc(value);
        const long long integer =
            std::isfinite(t) && std::fabs(t) < 9.0e18 ? static_cast<long long>(t) : 0;
        n = std::snprintf(buffer, sizeof buffer, (directive + "lld").c_str(), integer);
    } else {
        n = std::snprintf(buffer, sizeof buffer, (directive + conversion).c_str(), value);
    }
    if (n < 0) return {};
    return std::string(buffer,
                       std::min<std::size_t>(static_cast<std::size_t>(n), sizeof buffer - 1));
}

}  // namespace

std::string formatNumber(std::string_view format, double value) {
    std::string out;
    bool used = false;
    std::size_t i = 0;
    while (i < format.size()) {
        const char c = format[i];
        if (c != '%') {
            out += c;
            ++i;
            continue;
        }
        if (i + 1 < format.size() && format[i + 1] == '%') {
            out += '%';
            i += 2;
            continue;
        }
        // Scan "%[flags][width][.precision]conversion".
        std::size_t j = i + 1;
        while (j < format.size() && isFlag(format[j])) ++j;
        const std::size_t widthStart = j;
        while (j < format.size() && isDigit(format[j])) ++j;
        bool digitsOk = j - widthStart <= MAX_DIRECTIVE_DIGITS;
        if (j < format.size() && format[j] == '.') {
            const std::size_t precisionStart = ++j;
            while (j < format.size() && isDigit(format[j])) ++j;
            digitsOk = digitsOk && j - precisionStart <= MAX_DIRECTIVE_DIGITS;
        }
        const char conversion = j < format.size() ? format[j] : '\0';
        const bool known = conversion == 'f' || conversion == 'F' || conversion == 'e' ||
                           conversion == 'E' || conversion == 'g' || conversion == 'G' ||
                           conversion == 'd' || conversion == 'i';
        if (!used && known && digitsOk) {
            out += formatOne(std::string(format.substr(i, j - i)), conversion, value);
            used = true;
            i = j + 1;
        } else {
            out += c;
            ++i;
        }
    }
    return out;
}

}  // namespace tq370
