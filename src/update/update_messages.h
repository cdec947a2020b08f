#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "update/update_frame.h"

namespace tq370 {

using MachineIdentifier = std::array<std::uint8_t, 8>;

enum UpdateCommand : std::uint8_t {
    UPDATE_QUERY = 0,              // program to server, UDP
    UPDATE_ANSWER = 1,             // server to program, UDP
    UPDATE_DOWNLOAD_REPORT = 35,   // program to server, TCP, after the file
    UPDATE_DOWNLOAD_REQUEST = 38,  // program to server, TCP
    UPDATE_DOWNLOAD_HEADER = 39,   // server to program, TCP, before the file
};

constexpr std::size_t UPDATE_QUERY_SIZE = 22;
// The largest file size a download header can state (40 bits).
constexpr std::uint64_t UPDATE_SIZE_MAX = (std::uint64_t{1} << 40) - 1;

struct UpdateAnswer {
    bool newerVersion = false;        // byte 5 is 1
    MachineIdentifier identifier{};   // bytes 12..19
    std::vector<std::uint8_t> token;  // bytes 20.. up to the CRC, returned in the request
};

// The 22-byte query: version (major × 65536 + minor) and our machine identifier.
std::vector<std::uint8_t> buildUpdateQuery(std::uint32_t version, const MachineIdentifier& id);

// nullopt unless frame is an answer long enough to carry an identifier (22 bytes).
std::optional<UpdateAnswer> parseUpdateAnswer(const UpdateFrame& frame);
std::vector<std::uint8_t> buildUpdateAnswer(const UpdateAnswer& answer);

// One byte 0, then the answer's token.
std::vector<std::uint8_t> buildDownloadRequest(std::span<const std::uint8_t> token);

// The file size of a download header; nullopt unless frame is one (13 bytes or more).
std::optional<std::uint64_t> parseDownloadHeader(const UpdateFrame& frame);
// The size of the first download header in buffer, if any.
std::optional<std::uint64_t> findDownloadHeader(std::span<const std::uint8_t> buffer);
std::vector<std::uint8_t> buildDownloadHeader(std::uint64_t size);

// Bytes received (40 bits) and the program's file name, cut to 255 bytes.
std::vector<std::uint8_t> buildDownloadReport(std::uint64_t received, std::string_view fileName);

}  // namespace tq370
