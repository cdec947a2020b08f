#pragma once

#include <cstdint>
#include <random>
#include <span>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "storage/local_date_time.h"
#include "storage/preset_layout.h"
#include "storage/preset_result.h"

namespace tq370 {

class DataFolders;

// The header fields of a preset. The writer always lays the record out with header size
// 512 and 1,901 registers; the reader fills all fields from the file.
struct PresetHeader {
    std::int32_t headerSize = static_cast<std::int32_t>(PRESET_HEADER_SIZE);
    std::int32_t registerCount = static_cast<std::int32_t>(PRESET_REGISTER_COUNT);
    std::int32_t modelCode = 0;  // the processor's model identifier
    std::int32_t reservedA = 0;
    std::int32_t passwordFlag = 0;  // 1: the data is password-protected
    std::int32_t reservedB = 0;
};

using PresetValues = std::span<const std::int32_t, PRESET_REGISTER_COUNT>;

// One preset file operation: a snapshot of all registers with the model code and the
// time of saving, written to or read from one file. Short-lived; one per operation and
// thread. No operation throws; the result codes say what happened.
class PresetFile {
public:
    PresetFile();  // creation and saving time: now, local time

    // Writes a new file at path (".mxb" appended unless contained). Never replaces an
    // existing file (AlreadyExists); EmptyName, CannotCreate (also when a write fails, in
    // which case nothing is left at path) or Success. The low 16 bits of each value are stored.
    PresetResult writeRecord(std::string_view path, PresetValues values);

    // Reads, decodes and verifies one file: EmptyName, CannotOpen, Damaged (checksum,
    // a record too short for its header, or a file above 1 MiB) or Success. Only on
    // success are header, file time and values replaced.
    PresetResult readRecord(std::string_view path);

    // Saves under the data folder, replacing a file of the same name only once the new
    // one is complete; when the data folder cannot take it (CannotCreate), saves under
    // the fallback folder instead. lastPath() is the last target tried.
    PresetResult saveData(const DataFolders& folders, std::string_view name, PresetValues values);

    // Reads the first file of the lookup chain that exists (any result but CannotOpen
    // ends the search, so a damaged file hides copies further down the chain). lastPath()
    // is the file read, or the last one tried.
    PresetResult loadData(const DataFolders& folders, std::string_view name);

    PresetHeader& header() { return header_; }
    const PresetHeader& header() const { return header_; }

    const LocalDateTime& creationTime() const { return creationTime_; }
    const LocalDateTime& savingTime() const { return savingTime_; }
    void setSavingTime(const LocalDateTime& time) { savingTime_ = time; }
    // The date and time read from a file; day of week and milliseconds stay 0.
    const LocalDateTime& fileTime() const { return fileTime_; }

    // The register values read from a file, one per declared register (registerCount).
    const std::vector<std::int32_t>& values() const { return values_; }

    const std::string& lastPath() const { return lastPath_; }
    // What the system said about the last failed open or write (empty when it said
    // nothing, e.g. for a damaged file).
    const std::error_code& lastError() const { return lastError_; }

private:
    std::vector<std::uint8_t> buildFileBytes(PresetValues values);
    PresetResult writeReplacing(const std::string& path, PresetValues values);
    std::uint8_t randomByte();

    LocalDateTime creationTime_;
    LocalDateTime savingTime_;
    LocalDateTime fileTime_;
    PresetHeader header_;
    std::vector<std::int32_t> values_;
    std::string lastPath_;
    std::error_code lastError_;
    std::mt19937 random_;
};

}  // namespace tq370
