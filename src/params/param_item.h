#pragma once

// The item numbers by which panels name a parameter when they ask for it to be written.
// A strip sends its slot (0..11) as the sender, the EQ panel 100 + its current slot.
namespace tq370 {

constexpr int CHANNEL_SENDER_BASE = 100;

// Strip items.
constexpr int STRIP_ITEM_ROUTING_FIRST = 0;  // item n: input n + 1 on or off
constexpr int STRIP_ITEM_ROUTING_LAST = 11;  // item 12 names nothing
constexpr int STRIP_ITEM_MUTE = 13;
constexpr int STRIP_ITEM_POSITION = 14;

// Channel items.
constexpr int ITEM_BAND_FREQUENCY = 0;  // + band 0..30
constexpr int ITEM_BAND_Q = 31;         // + band
constexpr int ITEM_BAND_GAIN = 62;      // + band
constexpr int ITEM_HIGH_PASS_FREQUENCY = 93;
constexpr int ITEM_HIGH_PASS_CODE = 94;
constexpr int ITEM_LOW_PASS_FREQUENCY = 96;
constexpr int ITEM_LOW_PASS_CODE = 97;
constexpr int ITEM_LIMITER_LEVEL = 99;
constexpr int ITEM_LIMITER_ATTACK = 100;
constexpr int ITEM_LIMITER_RELEASE = 101;
constexpr int ITEM_VOLUME = 102;
constexpr int ITEM_DELAY_FIRST = 103;  // + slot d, for any slot
constexpr int ITEM_DELAY_LAST = 114;

}  // namespace tq370
