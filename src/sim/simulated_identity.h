#pragma once

#include <cstdint>

namespace tq370 {

// The simulated processor's own facts, kept apart from the program's constants on purpose:
// it stands for the other side of the link, so a wrong constant on the program's side
// fails a test instead of agreeing with itself.
constexpr std::uint16_t SIMULATED_MODEL = 10011;
constexpr std::uint16_t SIMULATED_VENDOR_ID = 0x4084;
constexpr std::uint16_t SIMULATED_PRODUCT_ID = 0x4357;
constexpr int SIMULATED_WIFI_PORT = 1010;
constexpr int SIMULATED_MODE_COUNT = 16;
constexpr int SIMULATED_NAME_BYTES = 20;

}  // namespace tq370
