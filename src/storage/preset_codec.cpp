#include "storage/preset_codec.h"

#include <algorithm>

namespace tq370 {

std::vector<std::uint8_t> encodePresetRecord(
    std::span<const std::uint8_t> record,
    std::span<const std::uint8_t, PRESET_SYMBOL_COUNT> symbols,
    std::span<const std::uint8_t> trailing) {
    std::vector<std::uint8_t> file;
    std::size_t plain = std::min(record.size(), PRESET_PLAIN_BLOCK_SIZE);
    file.reserve(plain + 2 * (record.size() - plain) + trailing.size());
    file.insert(file.end(), record.begin(), record.begin() + static_cast<std::ptrdiff_t>(plain));
    for (std::size_t i = plain; i < record.size(); ++i) {
        file.push_back(symbols[record[i] >> 4]);
        file.push_back(symbols[record[i] & 0x0F]);
    }
    file.insert(file.end(), trailing.begin(), trailing.end());
    return file;
}

std::vector<std::uint8_t> decodePresetFile(std::span<const std::uint8_t> file) {
    std::size_t plain = std::min(file.size(), PRESET_PLAIN_BLOCK_SIZE);
    std::vector<std::uint8_t> record(file.begin(),
                                     file.begin() + static_cast<std::ptrdiff_t>(plain));
    if (file.size() <= PRESET_PLAIN_BLOCK_SIZE) return record;

    // Byte value to nibble; filled from the last symbol back so that a repeated symbol
    // decodes as its first occurrence.
    std::array<std::uint8_t, 256> nibbleOf;
    nibbleOf.fill(15);
    for (std::size_t k = PRESET_SYMBOL_COUNT; k-- > 0;) {
        nibbleOf[file[PRESET_SYMBOL_TABLE_OFFSET + k]] = static_cast<std::uint8_t>(k);
    }
    record.reserve(plain + (file.size() - plain) / 2);
    for (std::size_t i = plain; i + 1 < file.size(); i += 2) {
        record.push_back(static_cast<std::uint8_t>(nibbleOf[file[i]] << 4 | nibbleOf[file[i + 1]]));
    }
    return record;
}

}  // namespace tq370
