#include "update/update_frame.h"

#include <gtest/gtest.h>

#include "base/crc16.h"
#include "update/update_messages.h"

namespace tq370 {
namespace {

using Bytes = std::vector<std::uint8_t>;

const MachineIdentifier ID{0xA1, 0xA2, 0xA3, 0xA4, 0xB1, 0xB2, 0xB3, 0xB4};

// Frames built by hand, so that a builder and the parser cannot agree on a wrong layout.
Bytes handFrame(std::uint8_t command, const Bytes& payload) {
    const std::size_t length = payload.size() + 7;
    Bytes f(length);
    f[0] = 0x4B;
    f[1] = 0x6F;
    f[2] = static_cast<std::uint8_t>(length >> 8);
    f[3] = static_cast<std::uint8_t>(length);
    f[4] = command;
    std::copy(payload.begin(), payload.end(), f.begin() + 5);
    std::uint16_t crc = crc16(f.data(), length - 2);
    f[length - 2] = static_cast<std::uint8_t>(crc >> 8);
    f[length - 1] = static_cast<std::uint8_t>(crc);
    return f;
}

Bytes concat(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const auto& p : parts) all.insert(all.end(), p.begin(), p.end());
    return all;
}

TEST(UpdateFrame, QueryLaysOutVersionMarkAndIdentifier) {
    Bytes q = buildUpdateQuery(0x00020003, ID);
    Bytes expected = handFrame(
        0, {0, 0x00, 0x02, 0x00, 0x03, 0x23, 0x29, 0xA1, 0xA2, 0xA3, 0xA4, 0xB1, 0xB2, 0xB3, 0xB4});
    ASSERT_EQ(q.size(), 22u);
    EXPECT_EQ(q, expected);
}

TEST(UpdateFrame, FinderAcceptsOnlyWholeFramesWithMatchingCrc) {
    const Bytes a = handFrame(1, {7, 7});
    const Bytes b = handFrame(39, {});
    Bytes badCrc = a;
    badCrc[a.size() - 1] ^= 0x01;
    Bytes tooLong = a;
    tooLong[3] += 1;  // claims one byte more than there is
    const Bytes shortLength = {0x4B, 0x6F, 0x00, 0x06, 0x01, 0x00, 0x00};

    struct Case {
        const char* name;
        Bytes buffer;
        std::vector<std::size_t> offsets;
    } cases[] = {
        {"garbage then frame", concat({{0x4B, 0x00, 0x6F, 0x4B}, a}), {4}},
        {"two frames back to back", concat({a, b}), {0, a.size()}},
        {"bad CRC skipped, next found", concat({badCrc, b}), {badCrc.size()}},
        {"length past the end", tooLong, {}},
        {"frame cut off at the end", concat({b, Bytes(a.begin(), a.end() - 1)}), {0}},
        {"length below seven", concat({shortLength, b}), {shortLength.size()}},
        {"magic in the last byte", concat({b, {0x4B}}), {0}},
        {"empty", {}, {}},
    };
    for (const auto& c : cases) {
        std::vector<std::size_t> offsets;
        for (const auto& f : findUpdateFrames(c.buffer)) offsets.push_back(f.offset);
        EXPECT_EQ(offsets, c.offsets) << c.name;
    }
}

TEST(UpdateFrame, AnswerFieldsAndToken) {
    Bytes head = {1, 0, 0, 0, 0, 0, 0};  // byte 5 and bytes 6..11
    Bytes id(ID.begin(), ID.end());
    struct Case {
        const char* name;
        Bytes frame;
        bool parsed;
        bool newer;
        Bytes token;
    } cases[] = {
        {"22 bytes, no token", handFrame(1, concat({head, id})), true, true, {}},
        {"token after the identifier",
         handFrame(1, concat({head, id, {9, 8, 7}})),
         true,
         true,
         {9, 8, 7}},
        {"byte 5 = 0", handFrame(1, concat({{0, 0, 0, 0, 0, 0, 0}, id})), true, false, {}},
        {"byte 5 = 2 is not 1", handFrame(1, concat({{2, 0, 0, 0, 0, 0, 0}, id})), true, false, {}},
        {"too short for an identifier",
         handFrame(1, concat({head, Bytes(7, 0)})),
         false,
         false,
         {}},
        {"not an answer", handFrame(0, concat({head, id})), false, false, {}},
    };
    for (const auto& c : cases) {
        auto frames = findUpdateFrames(c.frame);
        ASSERT_EQ(frames.size(), 1u) << c.name;
        auto answer = parseUpdateAnswer(frames[0]);
        ASSERT_EQ(answer.has_value(), c.parsed) << c.name;
        if (!answer) continue;
        EXPECT_EQ(answer->newerVersion, c.newer) << c.name;
        EXPECT_EQ(answer->identifier, ID) << c.name;
        EXPECT_EQ(answer->token, c.token) << c.name;
    }
}

TEST(UpdateFrame, DownloadRequestCarriesZeroThenToken) {
    EXPECT_EQ(buildDownloadRequest({}), handFrame(38, {0}));
    Bytes token = {0x10, 0x20, 0x30};
    EXPECT_EQ(buildDownloadRequest(token), handFrame(38, {0, 0x10, 0x20, 0x30}));
}

TEST(UpdateFrame, DownloadHeaderSizeUsesAllFortyBits) {
    struct Case {
        Bytes sizeBytes;  // frame bytes 6..10
        std::uint64_t size;
    } cases[] = {
        {{0x00, 0x00, 0x00, 0x05, 0x78}, 1400},
        {{0x01, 0x2A, 0x05, 0xF2, 0x00}, 5'000'000'000},
        {{0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, UPDATE_SIZE_MAX},
    };
    for (const auto& c : cases) {
        Bytes frame = handFrame(39, concat({{0}, c.sizeBytes}));
        // Garbage before the header, as in any receive.
        Bytes buffer = concat({{0x4B, 0x6F, 0xFF}, frame});
        EXPECT_EQ(findDownloadHeader(buffer), c.size);
        EXPECT_EQ(buildDownloadHeader(c.size), frame);
    }
    EXPECT_EQ(findDownloadHeader(handFrame(39, {0, 0, 0, 0})), std::nullopt) << "too short";
    EXPECT_EQ(findDownloadHeader(handFrame(1, {0, 0, 0, 0, 0, 9})), std::nullopt) << "command";
}

TEST(UpdateFrame, DownloadReportLayout) {
    Bytes expected = handFrame(
        35, {4, 0x01, 0x2A, 0x05, 0xF2, 0x00, 9, 't', 'q', '3', '7', '0', '.', 'e', 'x', 'e', 0});
    EXPECT_EQ(buildDownloadReport(5'000'000'000, "tq370.exe"), expected);
    // The length byte cannot count more than 255 characters.
    Bytes longReport = buildDownloadReport(1, std::string(300, 'x'));
    EXPECT_EQ(longReport[11], 255);
    EXPECT_EQ(longReport.size(), 7u + 255 + 8);
}

}  // namespace
}  // namespace tq370
