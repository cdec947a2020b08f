// The preset reader on any file: it fails with a result code, or it succeeds with as many
// values as the file declares, and then those values (and the header's model, reserved
// fields and password flag) come back unchanged from a file the writer makes of them.
// Half of the inputs get their checksum put right first, so that the fuzzer reaches past
// the check into the header and value handling.
#include <fuzzer/FuzzedDataProvider.h>
#include <stdlib.h>
#include <unistd.h>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "base/byte_order.h"
#include "base/crc16.h"
#include "storage/file_io.h"
#include "storage/preset_codec.h"
#include "storage/preset_file.h"
#include "storage/preset_layout.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

std::string scratchFolder() {
    static const std::string folder = [] {
        std::string base = std::filesystem::is_directory("/dev/shm") ? "/dev/shm" : "/tmp";
        std::string pattern = base + "/tq370-preset-fuzz-XXXXXX";
        if (!mkdtemp(pattern.data())) std::abort();
        return pattern + "/";
    }();
    return folder;
}

// The file with the checksum its own header asks for, where the header lies inside it.
Bytes withRightChecksum(const Bytes& file) {
    using namespace tq370;
    if (file.size() < PRESET_PLAIN_BLOCK_SIZE + 2) return file;
    Bytes record = decodePresetFile(file);
    if (record.size() < PRESET_HEADER_FIELDS_END) return file;
    const auto headerSize =
        static_cast<std::int32_t>(readLittleEndian32(&record[PRESET_OFFSET_HEADER_SIZE]));
    const auto count =
        static_cast<std::int32_t>(readLittleEndian32(&record[PRESET_OFFSET_REGISTER_COUNT]));
    if (headerSize < 0 || count < 0) return file;
    const std::size_t checksumAt =
        static_cast<std::size_t>(headerSize) + 2 * static_cast<std::size_t>(count);
    if (checksumAt + 4 > record.size()) return file;
    writeLittleEndian32(&record[checksumAt], crc16(record.data(), checksumAt));
    const std::span<const std::uint8_t, PRESET_SYMBOL_COUNT> symbols(
        file.data() + PRESET_SYMBOL_TABLE_OFFSET, PRESET_SYMBOL_COUNT);
    const std::size_t decodedBytes =
        PRESET_PLAIN_BLOCK_SIZE + 2 * (record.size() - PRESET_PLAIN_BLOCK_SIZE);
    const std::span<const std::uint8_t> trailing(file.data() + decodedBytes,
                                                 file.size() - decodedBytes);
    return encodePresetRecord(record, symbols, trailing);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tq370;
    FuzzedDataProvider input(data, size);
    const bool fixChecksum = input.ConsumeBool();
    Bytes file = input.ConsumeRemainingBytes<std::uint8_t>();
    if (fixChecksum) file = withRightChecksum(file);

    const std::string in = scratchFolder() + "in.mxb";
    const std::string out = scratchFolder() + "out.mxb";
    std::filesystem::remove(in);
    if (writeNewFile(in, file) != NewFileOutcome::Written) std::abort();

    PresetFile read;
    const PresetResult result = read.readRecord(in);
    if (result != PresetResult::Success) {
        if (result != PresetResult::Damaged) std::abort();  // the file is there and readable
        if (!read.values().empty()) std::abort();
        return 0;
    }
    if (read.header().registerCount < 0 ||
        read.values().size() != static_cast<std::size_t>(read.header().registerCount)) {
        std::abort();
    }

    std::array<std::int32_t, PRESET_REGISTER_COUNT> values{};
    const std::size_t shared = std::min(values.size(), read.values().size());
    std::copy_n(read.values().begin(), shared, values.begin());
    PresetFile write;
    write.header() = read.header();
    std::filesystem::remove(out);
    if (write.writeRecord(out, values) != PresetResult::Success) std::abort();
    PresetFile again;
    if (again.readRecord(out) != PresetResult::Success) std::abort();
    if (again.values().size() != PRESET_REGISTER_COUNT) std::abort();
    if (!std::equal(values.begin(), values.end(), again.values().begin())) std::abort();
    const PresetHeader& a = read.header();
    const PresetHeader& b = again.header();
    if (a.modelCode != b.modelCode || a.reservedA != b.reservedA || a.reservedB != b.reservedB ||
        a.passwordFlag != b.passwordFlag) {
        std::abort();
    }
    return 0;
}
