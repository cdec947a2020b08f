#include "storage/preset_file.h"

#include <array>

#include "base/byte_order.h"
#include "base/crc16.h"
#include "storage/data_folders.h"
#include "storage/file_io.h"
#include "storage/preset_codec.h"
#include "storage/preset_name.h"

namespace tq370 {
namespace {

std::mt19937 seededEngine() {
    std::random_device device;
    std::seed_seq seed{device(), device(), device(), device()};
    return std::mt19937(seed);
}

void put32(std::vector<std::uint8_t>& record, std::size_t offset, std::int32_t value) {
    writeLittleEndian32(record.data() + offset, static_cast<std::uint32_t>(value));
}

std::int32_t get32(const std::vector<std::uint8_t>& record, std::size_t offset) {
    return static_cast<std::int32_t>(readLittleEndian32(record.data() + offset));
}

std::uint16_t get16of32(const std::vector<std::uint8_t>& record, std::size_t offset) {
    return static_cast<std::uint16_t>(readLittleEndian32(record.data() + offset) & 0xFFFF);
}

}  // namespace

PresetFile::PresetFile()
    : creationTime_(LocalDateTime::now()), savingTime_(creationTime_), random_(seededEngine()) {}

std::uint8_t PresetFile::randomByte() {
    return static_cast<std::uint8_t>(random_() & 0xFF);
}

std::vector<std::uint8_t> PresetFile::buildFileBytes(PresetValues values) {
    std::vector<std::uint8_t> record(PRESET_RECORD_SIZE);
    for (std::size_t i = 0; i < PRESET_RANDOM_PREFIX; ++i) record[i] = randomByte();

    put32(record, PRESET_OFFSET_HEADER_SIZE, static_cast<std::int32_t>(PRESET_HEADER_SIZE));
    put32(record, PRESET_OFFSET_REGISTER_COUNT, static_cast<std::int32_t>(PRESET_REGISTER_COUNT));
    put32(record, PRESET_OFFSET_MODEL, header_.modelCode);
    put32(record, PRESET_OFFSET_RESERVED_A, header_.reservedA);
    record[PRESET_OFFSET_PASSWORD] = static_cast<std::uint8_t>(header_.passwordFlag);
    put32(record, PRESET_OFFSET_RESERVED_B, header_.reservedB);
    put32(record, PRESET_OFFSET_YEAR, savingTime_.year);
    put32(record, PRESET_OFFSET_MONTH, savingTime_.month);
    put32(record, PRESET_OFFSET_DAY, savingTime_.day);
    put32(record, PRESET_OFFSET_HOUR, savingTime_.hour);
    put32(record, PRESET_OFFSET_MINUTE, savingTime_.minute);
    put32(record, PRESET_OFFSET_SECOND, savingTime_.second);

    // 20 distinct bytes in the order drawn; the first 16 become the nibble symbols.
    std::array<bool, 256> taken{};
    for (std::size_t collected = 0; collected < PRESET_SYMBOL_TABLE_SIZE;) {
        std::uint8_t b = randomByte();
        if (taken[b]) continue;
        taken[b] = true;
        record[PRESET_SYMBOL_TABLE_OFFSET + collected++] = b;
    }

    for (std::size_t i = 0; i < PRESET_REGISTER_COUNT; ++i) {
        writeLittleEndian16(record.data() + PRESET_HEADER_SIZE + 2 * i,
                            static_cast<std::uint16_t>(values[i] & 0xFFFF));
    }
    put32(record, PRESET_CHECKSUM_OFFSET,
          crc16(std::span<const std::uint8_t>(record.data(), PRESET_CHECKSUM_OFFSET)));

    std::array<std::uint8_t, PRESET_TRAILING_BYTES> trailing{randomByte(), randomByte()};
    std::span<const std::uint8_t, PRESET_SYMBOL_COUNT> symbols(
        record.data() + PRESET_SYMBOL_TABLE_OFFSET, PRESET_SYMBOL_COUNT);
    return encodePresetRecord(record, symbols, trailing);
}

PresetResult PresetFile::writeRecord(std::string_view path, PresetValues values) {
    if (path.empty()) return PresetResult::EmptyName;
    std::string target = withPresetExtension(path);
    lastError_.clear();
    switch (writeNewFile(target, buildFileBytes(values), &lastError_)) {
        case NewFileOutcome::Written:
            return PresetResult::Success;
        case NewFileOutcome::Exists:
            return PresetResult::AlreadyExists;
        case NewFileOutcome::Failed:
            break;
    }
    return PresetResult::CannotCreate;
}

PresetResult PresetFile::readRecord(std::string_view path) {
    if (path.empty()) return PresetResult::EmptyName;
    FileContents file = readWholeFile(withPresetExtension(path), PRESET_MAX_FILE_BYTES);
    lastError_ = file.error;
    if (file.outcome == ReadOutcome::CannotOpen) return PresetResult::CannotOpen;
    if (file.outcome == ReadOutcome::TooLarge) return PresetResult::Damaged;

    std::vector<std::uint8_t> record = decodePresetFile(file.bytes);
    if (record.size() < PRESET_HEADER_FIELDS_END) return PresetResult::Damaged;

    PresetHeader header;
    header.headerSize = get32(record, PRESET_OFFSET_HEADER_SIZE);
    header.registerCount = get32(record, PRESET_OFFSET_REGISTER_COUNT);
    header.modelCode = get32(record, PRESET_OFFSET_MODEL);
    header.reservedA = get32(record, PRESET_OFFSET_RESERVED_A);
    header.passwordFlag = record[PRESET_OFFSET_PASSWORD];
    header.reservedB = get32(record, PRESET_OFFSET_RESERVED_B);

    // Header size and register count come from the file: the checksum and the values
    // must lie inside what was decoded, whatever they declare.
    if (header.headerSize < 0 || header.registerCount < 0) return PresetResult::Damaged;
    auto registersAt = static_cast<std::size_t>(header.headerSize);
    auto count = static_cast<std::size_t>(header.registerCount);
    std::size_t checksumAt = registersAt + 2 * count;
    if (checksumAt + 4 > record.size()) return PresetResult::Damaged;

    std::uint32_t stored = readLittleEndian32(record.data() + checksumAt);
    if (stored != crc16(std::span<const std::uint8_t>(record.data(), checksumAt))) {
        return PresetResult::Damaged;
    }

    values_.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
        values_[i] = readLittleEndian16(record.data() + registersAt + 2 * i);
    }
    header_ = header;
    fileTime_ = LocalDateTime{};
    fileTime_.year = get16of32(record, PRESET_OFFSET_YEAR);
    fileTime_.month = get16of32(record, PRESET_OFFSET_MONTH);
    fileTime_.day = get16of32(record, PRESET_OFFSET_DAY);
    fileTime_.hour = get16of32(record, PRESET_OFFSET_HOUR);
    fileTime_.minute = get16of32(record, PRESET_OFFSET_MINUTE);
    fileTime_.second = get16of32(record, PRESET_OFFSET_SECOND);
    return PresetResult::Success;
}

PresetResult PresetFile::writeReplacing(const std::string& path, PresetValues values) {
    lastError_.clear();
    return replaceFile(path, buildFileBytes(values), &lastError_) ? PresetResult::Success
                                                                  : PresetResult::CannotCreate;
}

PresetResult PresetFile::saveData(const DataFolders& folders, std::string_view name,
                                  PresetValues values) {
    if (name.empty()) return PresetResult::EmptyName;
    std::string named = withPresetExtension(name);

    folders.ensureDataFolder();
    lastPath_ = folders.dataFolder() + named;
    PresetResult result = writeReplacing(lastPath_, values);
    if (result != PresetResult::CannotCreate) return result;

    folders.ensureFallbackFolder();
    lastPath_ = folders.fallbackFolder() + named;
    return writeReplacing(lastPath_, values);
}

PresetResult PresetFile::loadData(const DataFolders& folders, std::string_view name) {
    if (name.empty()) return PresetResult::EmptyName;
    PresetResult result = PresetResult::CannotOpen;
    for (const std::string& path : folders.lookupChain(name)) {
        result = readRecord(path);
        lastPath_ = path;
        if (result != PresetResult::CannotOpen) break;
    }
    return result;
}

}  // namespace tq370
