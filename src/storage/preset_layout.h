#pragma once

#include <cstddef>

namespace tq370 {

// Byte layout of a preset file. The logical record is stored as a plain block followed by
// an encoded block in which every byte becomes two symbol bytes (high nibble first).
constexpr std::size_t PRESET_REGISTER_COUNT = 1901;
constexpr std::size_t PRESET_HEADER_SIZE = 512;  // offset of the register block
constexpr std::size_t PRESET_CHECKSUM_OFFSET = PRESET_HEADER_SIZE + 2 * PRESET_REGISTER_COUNT;
constexpr std::size_t PRESET_RECORD_SIZE = PRESET_CHECKSUM_OFFSET + 4;  // 4,318
constexpr std::size_t PRESET_PLAIN_BLOCK_SIZE = 256;
constexpr std::size_t PRESET_TRAILING_BYTES = 2;
constexpr std::size_t PRESET_FILE_SIZE = PRESET_PLAIN_BLOCK_SIZE +
                                         2 * (PRESET_RECORD_SIZE - PRESET_PLAIN_BLOCK_SIZE) +
                                         PRESET_TRAILING_BYTES;  // 8,382

// The symbol table: 20 distinct bytes, of which the first 16 stand for nibbles 0 to 15.
constexpr std::size_t PRESET_SYMBOL_TABLE_OFFSET = 20;
constexpr std::size_t PRESET_SYMBOL_TABLE_SIZE = 20;
constexpr std::size_t PRESET_SYMBOL_COUNT = 16;
// Filler randomised by the writer before the fields go in.
constexpr std::size_t PRESET_RANDOM_PREFIX = 512;

// Header fields, 32-bit little-endian unless noted.
constexpr std::size_t PRESET_OFFSET_HEADER_SIZE = 256;
constexpr std::size_t PRESET_OFFSET_REGISTER_COUNT = 266;
constexpr std::size_t PRESET_OFFSET_MODEL = 276;
constexpr std::size_t PRESET_OFFSET_RESERVED_A = 286;
constexpr std::size_t PRESET_OFFSET_PASSWORD = 296;  // one byte
constexpr std::size_t PRESET_OFFSET_RESERVED_B = 301;
constexpr std::size_t PRESET_OFFSET_YEAR = 306;
constexpr std::size_t PRESET_OFFSET_MONTH = 311;
constexpr std::size_t PRESET_OFFSET_DAY = 316;
constexpr std::size_t PRESET_OFFSET_HOUR = 321;
constexpr std::size_t PRESET_OFFSET_MINUTE = 326;
constexpr std::size_t PRESET_OFFSET_SECOND = 331;
constexpr std::size_t PRESET_HEADER_FIELDS_END = 335;

// No preset comes near this; anything larger is refused before it is read into memory.
constexpr std::size_t PRESET_MAX_FILE_BYTES = 1024 * 1024;

}  // namespace tq370
