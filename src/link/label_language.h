#pragma once

#include <cstdint>

namespace tq370 {

// The three languages of every system text, in the order of the language byte.
enum class LabelLanguage : std::uint8_t {
    SimplifiedChinese = 0,
    TraditionalChinese = 1,
    English = 2
};

constexpr int LABEL_LANGUAGE_COUNT = 3;

}  // namespace tq370
