#pragma once

#include <cstdint>

namespace tq370 {

// Who the processor is and how it is reached, wherever the program needs it.

// The model identifier the program works with; another one is refused at connect.
constexpr std::uint16_t ACCEPTED_MODEL = 10011;

// The serial line speed unless the configuration names another.
constexpr int DEFAULT_BAUD_RATE = 128000;

}  // namespace tq370
