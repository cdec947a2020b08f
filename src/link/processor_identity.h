#pragma once

#include <cstdint>

namespace tq370 {

// Who the processor is and how it is reached, wherever the program needs it.

// The model identifier the program works with; another one is refused at connect.
constexpr std::uint16_t ACCEPTED_MODEL = 10011;

// The processor as a USB HID device.
constexpr std::uint16_t TQR480_VENDOR_ID = 0x4084;
constexpr std::uint16_t TQR480_PRODUCT_ID = 0x4357;

// The serial line speed unless the configuration names another.
constexpr int DEFAULT_BAUD_RATE = 128000;

// The WiFi module's UDP text channel and TCP frame channel.
constexpr std::uint16_t WIFI_DEFAULT_PORT = 1010;

}  // namespace tq370
