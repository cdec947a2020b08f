#include "storage/preset_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <optional>
#include <set>

#include "base/crc16.h"
#include "storage/preset_name.h"
#include "support/temp_folder.h"

namespace tq370 {
namespace {

using test::readBytes;
using test::TempFolder;
using test::writeBytes;

using Values = std::array<std::int32_t, PRESET_REGISTER_COUNT>;

Values patternValues(int seed) {
    Values v{};
    for (std::size_t i = 0; i < v.size(); ++i)
        v[i] = static_cast<std::int32_t>((i * 37 + seed) & 0xFFFF);
    return v;
}

void storeLe32(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

std::uint32_t loadLe32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}

// A preset assembled byte by byte from the layout table, without the production encoder,
// so that writer and reader cannot share one mistake.
struct HandBuilt {
    std::uint32_t headerSize = 512;
    std::uint32_t registerCount = 1901;
    std::uint32_t model = 10011;
    std::uint8_t password = 0;
    std::array<std::uint32_t, 6> date{2018, 7, 14, 9, 5, 59};
    // What the header claims, when it differs from what the record holds.
    std::optional<std::uint32_t> declaredHeaderSize;
    std::optional<std::uint32_t> declaredRegisterCount;

    std::uint16_t valueOf(std::uint32_t reg) const {
        return static_cast<std::uint16_t>(reg * 291 + 7);
    }

    std::vector<std::uint8_t> fileBytes() const {
        std::vector<std::uint8_t> record(headerSize + 2 * registerCount + 4);
        for (std::size_t i = 0; i < record.size(); ++i)
            record[i] = static_cast<std::uint8_t>(i * 13 + 5);
        // Nibble symbols 0xA0..0xAF, then four spare bytes.
        for (std::uint8_t k = 0; k < 16; ++k) record[20 + k] = static_cast<std::uint8_t>(0xA0 + k);
        for (std::uint8_t k = 0; k < 4; ++k) record[36 + k] = static_cast<std::uint8_t>(0x01 + k);
        storeLe32(record, 256, headerSize);
        storeLe32(record, 266, registerCount);
        storeLe32(record, 276, model);
        storeLe32(record, 286, 0);
        record[296] = password;
        storeLe32(record, 301, 0);
        const std::size_t dateAt[] = {306, 311, 316, 321, 326, 331};
        for (int f = 0; f < 6; ++f) storeLe32(record, dateAt[f], date[f]);
        for (std::uint32_t r = 0; r < registerCount; ++r) {
            record[headerSize + 2 * r] = static_cast<std::uint8_t>(valueOf(r) & 0xFF);
            record[headerSize + 2 * r + 1] = static_cast<std::uint8_t>(valueOf(r) >> 8);
        }
        std::size_t crcAt = headerSize + 2 * registerCount;
        storeLe32(record, crcAt, crc16(record.data(), crcAt));
        if (declaredHeaderSize) storeLe32(record, 256, *declaredHeaderSize);
        if (declaredRegisterCount) storeLe32(record, 266, *declaredRegisterCount);

        std::vector<std::uint8_t> file(record.begin(), record.begin() + 256);
        for (std::size_t i = 256; i < record.size(); ++i) {
            file.push_back(static_cast<std::uint8_t>(0xA0 + (record[i] >> 4)));
            file.push_back(static_cast<std::uint8_t>(0xA0 + (record[i] & 15)));
        }
        file.push_back(0xEE);
        file.push_back(0xEE);
        return file;
    }
};

// The test's own decoder, used to check what the writer lays down.
std::vector<std::uint8_t> decodeByHand(const std::vector<std::uint8_t>& file) {
    std::vector<std::uint8_t> record(file.begin(), file.begin() + 256);
    auto nibble = [&](std::uint8_t b) {
        for (int k = 0; k < 16; ++k) {
            if (file[20 + k] == b) return k;
        }
        return 15;
    };
    for (std::size_t i = 256; i + 1 < file.size(); i += 2) {
        record.push_back(static_cast<std::uint8_t>(nibble(file[i]) * 16 + nibble(file[i + 1])));
    }
    return record;
}

class PresetFileTest : public ::testing::Test {
protected:
    std::string writeFresh(const std::string& name, const Values& values,
                           std::int32_t model = 10011) {
        PresetFile file;
        file.header().modelCode = model;
        EXPECT_EQ(file.writeRecord(folder / name, values), PresetResult::Success);
        return folder / name;
    }

    TempFolder folder;
};

TEST_F(PresetFileTest, HandBuiltFixtureDecodes) {
    struct Case {
        const char* what;
        HandBuilt fixture;
    };
    HandBuilt usual;
    HandBuilt shortHeader;
    shortHeader.headerSize = 400;
    shortHeader.registerCount = 10;
    shortHeader.password = 1;
    shortHeader.model = 0x01020304;
    for (const Case& c :
         {Case{"as written by this system", usual}, Case{"other H and N", shortHeader}}) {
        SCOPED_TRACE(c.what);
        writeBytes(folder / "fixture.mxb", c.fixture.fileBytes());
        PresetFile file;
        ASSERT_EQ(file.readRecord(folder / "fixture.mxb"), PresetResult::Success);
        EXPECT_EQ(file.header().headerSize, static_cast<std::int32_t>(c.fixture.headerSize));
        EXPECT_EQ(file.header().registerCount, static_cast<std::int32_t>(c.fixture.registerCount));
        EXPECT_EQ(file.header().modelCode, static_cast<std::int32_t>(c.fixture.model));
        EXPECT_EQ(file.header().passwordFlag, c.fixture.password);
        EXPECT_EQ(file.fileTime().toString(), "2018-07-14 09:05:59");
        ASSERT_EQ(file.values().size(), c.fixture.registerCount);
        for (std::uint32_t r = 0; r < c.fixture.registerCount; ++r) {
            ASSERT_EQ(file.values()[r], c.fixture.valueOf(r)) << "register " << r;
        }
    }
}

TEST_F(PresetFileTest, WriterFollowsTheLayout) {
    Values values = patternValues(3);
    values[0] = 0x12345;  // only the low 16 bits are stored
    values[1] = -1;
    PresetFile file;
    file.header().modelCode = 10011;
    file.header().passwordFlag = 1;
    LocalDateTime when{2024, 2, 4, 29, 23, 58, 7, 999};
    file.setSavingTime(when);
    ASSERT_EQ(file.writeRecord(folder / "layout", values), PresetResult::Success);

    auto bytes = readBytes(folder / "layout.mxb");
    ASSERT_EQ(bytes.size(), PRESET_FILE_SIZE);
    std::set<std::uint8_t> table(bytes.begin() + 20, bytes.begin() + 40);
    EXPECT_EQ(table.size(), 20u) << "symbol table bytes must be distinct";

    auto record = decodeByHand(bytes);
    ASSERT_GE(record.size(), PRESET_RECORD_SIZE);
    EXPECT_EQ(loadLe32(record, 256), 512u);
    EXPECT_EQ(loadLe32(record, 266), 1901u);
    EXPECT_EQ(loadLe32(record, 276), 10011u);
    EXPECT_EQ(loadLe32(record, 286), 0u);
    EXPECT_EQ(record[296], 1);
    EXPECT_EQ(loadLe32(record, 301), 0u);
    const std::pair<std::size_t, std::uint32_t> date[] = {{306, 2024}, {311, 2},  {316, 29},
                                                          {321, 23},   {326, 58}, {331, 7}};
    for (auto [at, expected] : date) EXPECT_EQ(loadLe32(record, at), expected) << "offset " << at;
    EXPECT_EQ(record[512], 0x45);
    EXPECT_EQ(record[513], 0x23);
    EXPECT_EQ(record[514], 0xFF);
    EXPECT_EQ(record[515], 0xFF);
    for (std::size_t r = 2; r < PRESET_REGISTER_COUNT; ++r) {
        ASSERT_EQ(record[512 + 2 * r] | record[513 + 2 * r] << 8, values[r]) << "register " << r;
    }
    EXPECT_EQ(loadLe32(record, 4314), crc16(record.data(), 4314));
}

TEST_F(PresetFileTest, TwoWritesDifferOnDiskButDecodeAlike) {
    Values values = patternValues(11);
    PresetFile writer;
    writer.header().modelCode = 777;
    ASSERT_EQ(writer.writeRecord(folder / "one", values), PresetResult::Success);
    ASSERT_EQ(writer.writeRecord(folder / "two", values), PresetResult::Success);
    auto one = readBytes(folder / "one.mxb");
    auto two = readBytes(folder / "two.mxb");
    EXPECT_NE(one, two);
    EXPECT_FALSE(std::equal(one.begin() + 20, one.begin() + 40, two.begin() + 20))
        << "same symbol table";

    PresetFile a, b;
    ASSERT_EQ(a.readRecord(folder / "one.mxb"), PresetResult::Success);
    ASSERT_EQ(b.readRecord(folder / "two"), PresetResult::Success);
    EXPECT_EQ(a.values(), b.values());
    EXPECT_EQ(std::vector<std::int32_t>(values.begin(), values.end()), a.values());
    EXPECT_EQ(a.header().modelCode, 777);
    EXPECT_EQ(b.header().modelCode, 777);
    EXPECT_EQ(a.fileTime(), b.fileTime());
    LocalDateTime saved = writer.savingTime();
    saved.dayOfWeek = 0;
    saved.milliseconds = 0;
    EXPECT_EQ(a.fileTime(), saved);
}

TEST_F(PresetFileTest, TrailingBytesAndLengthTolerance) {
    std::string path = writeFresh("t.mxb", patternValues(5));
    const auto original = readBytes(path);
    struct Case {
        const char* what;
        std::size_t keep;
        std::vector<std::uint8_t> append;
    };
    const Case cases[] = {
        {"without the two trailing bytes", 8380, {}},
        {"one trailing byte, unpaired", 8381, {}},
        {"other trailing bytes", 8380, {0x00, 0xFF}},
        {"extra bytes well below the size limit", 8382, std::vector<std::uint8_t>(3000, 0x5A)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto bytes = std::vector<std::uint8_t>(original.begin(), original.begin() + c.keep);
        bytes.insert(bytes.end(), c.append.begin(), c.append.end());
        writeBytes(path, bytes);
        PresetFile file;
        EXPECT_EQ(file.readRecord(path), PresetResult::Success);
        EXPECT_EQ(file.values()[1900], patternValues(5)[1900]);
    }
}

TEST_F(PresetFileTest, DamageIsDetected) {
    Values values = patternValues(9);
    values[5] = 0xFFFF;  // gives nibble-15 symbols at known places
    std::string path = writeFresh("d.mxb", values);
    const auto original = readBytes(path);
    const std::uint8_t symbol15 = original[35];
    const std::uint8_t symbol0 = original[20];
    const std::uint8_t spare = original[36];                         // differs from all 16 symbols
    const std::size_t reg5High = 256 + 2 * (512 + 2 * 5 + 1 - 256);  // first symbol of byte 523

    struct Case {
        const char* what;
        std::size_t at;
        std::uint8_t newByte;
        PresetResult expected;
    };
    const Case cases[] = {
        {"first filler byte", 0, static_cast<std::uint8_t>(original[0] ^ 0x01),
         PresetResult::Damaged},
        {"spare table byte", 36, static_cast<std::uint8_t>(original[36] ^ 0x80),
         PresetResult::Damaged},
        {"last spare table byte", 39, static_cast<std::uint8_t>(original[39] + 1),
         PresetResult::Damaged},
        {"last plain byte", 255, static_cast<std::uint8_t>(original[255] ^ 0x10),
         PresetResult::Damaged},
        {"encoded byte to another nibble", reg5High, symbol0, PresetResult::Damaged},
        {"nibble 15 to a non-symbol", reg5High, spare, PresetResult::Success},
    };
    ASSERT_EQ(original[reg5High], symbol15);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto bytes = original;
        bytes[c.at] = c.newByte;
        writeBytes(path, bytes);
        PresetFile file;
        EXPECT_EQ(file.readRecord(path), c.expected);
        if (c.expected == PresetResult::Success) {
            EXPECT_EQ(file.values()[5], 0xFFFF);
        }
    }
}

TEST_F(PresetFileTest, MalformedFilesFailAsDamaged) {
    const auto good = readBytes(writeFresh("good.mxb", patternValues(1)));
    auto declaring = [](std::optional<std::uint32_t> headerSize,
                        std::optional<std::uint32_t> count) {
        HandBuilt fixture;
        fixture.declaredHeaderSize = headerSize;
        fixture.declaredRegisterCount = count;
        return fixture.fileBytes();
    };
    std::vector<std::uint8_t> oversized = good;
    oversized.resize(PRESET_MAX_FILE_BYTES + 1, 0x00);

    struct Case {
        const char* what;
        std::vector<std::uint8_t> bytes;
    };
    const Case cases[] = {
        {"empty file", {}},
        {"shorter than the header fields",
         std::vector<std::uint8_t>(good.begin(), good.begin() + 600)},
        {"cut inside the registers", std::vector<std::uint8_t>(good.begin(), good.begin() + 8000)},
        {"cut inside the checksum", std::vector<std::uint8_t>(good.begin(), good.begin() + 8378)},
        {"one register more than the record holds", declaring(std::nullopt, 1902)},
        {"huge register count", declaring(std::nullopt, 0x7FFFFFFF)},
        {"negative header size", declaring(0xFFFFFFFF, std::nullopt)},
        {"header size past the end", declaring(9000, std::nullopt)},
        {"valid preset padded beyond 1 MiB", oversized},
    };
    PresetFile file;
    ASSERT_EQ(file.readRecord(folder / "good.mxb"), PresetResult::Success);
    const auto valuesBefore = file.values();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        writeBytes(folder / "bad.mxb", c.bytes);
        EXPECT_EQ(file.readRecord(folder / "bad.mxb"), PresetResult::Damaged);
        EXPECT_EQ(file.values(), valuesBefore) << "a failed read must leave the values";
        EXPECT_EQ(file.header().modelCode, 10011);
    }
}

TEST_F(PresetFileTest, ResultCodesOfWriteAndRead) {
    std::string existing = writeFresh("keep.mxb", patternValues(2));
    const auto before = readBytes(existing);
    std::filesystem::create_directory(folder / "folder.mxb");
    PresetFile file;
    struct WriteCase {
        const char* what;
        std::string path;
        PresetResult expected;
    };
    const WriteCase writes[] = {
        {"existing file", existing, PresetResult::AlreadyExists},
        {"existing file named without extension", folder / "keep", PresetResult::AlreadyExists},
        {"empty name", "", PresetResult::EmptyName},
        {"missing folder", folder / "no/such/x.mxb", PresetResult::CannotCreate},
        {"existing folder", folder / "folder.mxb", PresetResult::AlreadyExists},
    };
    for (const WriteCase& c : writes) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(file.writeRecord(c.path, patternValues(4)), c.expected);
    }
    EXPECT_EQ(readBytes(existing), before) << "an existing file is never overwritten";

    struct ReadCase {
        const char* what;
        std::string path;
        PresetResult expected;
    };
    const ReadCase reads[] = {
        {"empty name", "", PresetResult::EmptyName},
        {"missing file", folder / "absent", PresetResult::CannotOpen},
        {"a folder", folder / "folder.mxb", PresetResult::CannotOpen},
        {"existing file", existing, PresetResult::Success},
    };
    for (const ReadCase& c : reads) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(file.readRecord(c.path), c.expected);
    }
}

TEST_F(PresetFileTest, FailedWriteLeavesNoFile) {
    PresetFile file;
    {
        test::FileSizeLimit limit(4000);
        EXPECT_EQ(file.writeRecord(folder / "half", patternValues(1)), PresetResult::CannotCreate);
    }
    EXPECT_TRUE(test::entriesOf(folder.path()).empty());
}

TEST(PresetExtension, SubstringRule) {
    const std::pair<const char*, const char*> cases[] = {
        {"live", "live.mxb"},
        {"live.mxb", "live.mxb"},
        {"live.mxb.old", "live.mxb.old"},  // contains the extension: nothing appended
        {"live.MXB", "live.MXB.mxb"},      // the test is case-sensitive
        {"dir/live", "dir/live.mxb"},
        {"", ".mxb"},
    };
    for (auto [name, expected] : cases) EXPECT_EQ(withPresetExtension(name), expected) << name;
}

TEST_F(PresetFileTest, ExtensionRuleDecidesTheFileName) {
    PresetFile file;
    ASSERT_EQ(file.writeRecord(folder / "a.mxb.old", patternValues(0)), PresetResult::Success);
    ASSERT_EQ(file.writeRecord(folder / "b.MXB", patternValues(0)), PresetResult::Success);
    EXPECT_EQ(test::entriesOf(folder.path()), (std::vector<std::string>{"a.mxb.old", "b.MXB.mxb"}));
    EXPECT_EQ(file.readRecord(folder / "b.MXB"), PresetResult::Success);
}

}  // namespace
}  // namespace tq370
