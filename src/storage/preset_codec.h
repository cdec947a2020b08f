#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "storage/preset_layout.h"

namespace tq370 {

// File bytes of a logical record: the plain block as it is, then every further byte as
// symbols[high nibble], symbols[low nibble], then the trailing bytes. The symbols must be
// the 16 nibble symbols of the table the record itself carries.
std::vector<std::uint8_t> encodePresetRecord(
    std::span<const std::uint8_t> record,
    std::span<const std::uint8_t, PRESET_SYMBOL_COUNT> symbols,
    std::span<const std::uint8_t> trailing);

// The logical record of any file bytes, using the symbols stored at file bytes 20 to 35.
// A byte that is none of the symbols decodes as nibble 15; an unpaired last byte is dropped.
std::vector<std::uint8_t> decodePresetFile(std::span<const std::uint8_t> file);

}  // namespace tq370
