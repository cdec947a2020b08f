#include "update/update_messages.h"

#include <algorithm>

namespace tq370 {
namespace {

// Byte offsets within whole frames.
constexpr std::size_t ANSWER_NEWER_AT = 5;
constexpr std::size_t IDENTIFIER_AT = 12;
constexpr std::size_t TOKEN_AT = 20;
constexpr std::size_t HEADER_SIZE_AT = 6;
constexpr std::size_t HEADER_MIN = HEADER_SIZE_AT + 5 + 2;
// Bytes 10 and 11 of a query: the constant the server expects from this program.
constexpr std::uint8_t QUERY_MARK_0 = 0x23;
constexpr std::uint8_t QUERY_MARK_1 = 0x29;
constexpr std::uint8_t REPORT_KIND = 4;
constexpr std::size_t REPORT_NAME_MAX = 255;

void write40(std::uint8_t* p, std::uint64_t v) {
    for (int i = 0; i < 5; ++i) p[i] = static_cast<std::uint8_t>(v >> (8 * (4 - i)));
}

std::uint64_t read40(const std::uint8_t* p) {
    std::uint64_t v = 0;
    for (int i = 0; i < 5; ++i) v = (v << 8) | p[i];
    return v;
}

}  // namespace

std::vector<std::uint8_t> buildUpdateQuery(std::uint32_t version, const MachineIdentifier& id) {
    // Payload starts at frame byte 5.
    std::vector<std::uint8_t> payload(UPDATE_QUERY_SIZE - UPDATE_FRAME_OVERHEAD);
    payload[0] = 0;
    for (int i = 0; i < 4; ++i)
        payload[1 + i] = static_cast<std::uint8_t>(version >> (8 * (3 - i)));
    payload[5] = QUERY_MARK_0;
    payload[6] = QUERY_MARK_1;
    std::copy(id.begin(), id.end(), payload.begin() + (IDENTIFIER_AT - 5));
    return buildUpdateFrame(UPDATE_QUERY, payload);
}

std::optional<UpdateAnswer> parseUpdateAnswer(const UpdateFrame& frame) {
    const auto& b = frame.bytes;
    if (b.size() < UPDATE_QUERY_SIZE || frame.command() != UPDATE_ANSWER) return std::nullopt;
    UpdateAnswer answer;
    answer.newerVersion = b[ANSWER_NEWER_AT] == 1;
    std::copy_n(b.begin() + IDENTIFIER_AT, answer.identifier.size(), answer.identifier.begin());
    answer.token.assign(b.begin() + TOKEN_AT, b.end() - 2);
    return answer;
}

std::vector<std::uint8_t> buildUpdateAnswer(const UpdateAnswer& answer) {
    std::vector<std::uint8_t> payload(TOKEN_AT - 5);
    payload[0] = answer.newerVersion ? 1 : 0;
    std::copy(answer.identifier.begin(), answer.identifier.end(),
              payload.begin() + (IDENTIFIER_AT - 5));
    payload.insert(payload.end(), answer.token.begin(), answer.token.end());
    return buildUpdateFrame(UPDATE_ANSWER, payload);
}

std::vector<std::uint8_t> buildDownloadRequest(std::span<const std::uint8_t> token) {
    std::vector<std::uint8_t> payload{0};
    payload.insert(payload.end(), token.begin(), token.end());
    return buildUpdateFrame(UPDATE_DOWNLOAD_REQUEST, payload);
}

std::optional<std::uint64_t> parseDownloadHeader(const UpdateFrame& frame) {
    if (frame.bytes.size() < HEADER_MIN || frame.command() != UPDATE_DOWNLOAD_HEADER) {
        return std::nullopt;
    }
    return read40(frame.bytes.data() + HEADER_SIZE_AT);
}

std::optional<std::uint64_t> findDownloadHeader(std::span<const std::uint8_t> buffer) {
    for (const auto& frame : findUpdateFrames(buffer)) {
        if (auto size = parseDownloadHeader(frame)) return size;
    }
    return std::nullopt;
}

std::vector<std::uint8_t> buildDownloadHeader(std::uint64_t size) {
    std::vector<std::uint8_t> payload(HEADER_MIN - UPDATE_FRAME_OVERHEAD);
    write40(&payload[HEADER_SIZE_AT - 5], size);
    return buildUpdateFrame(UPDATE_DOWNLOAD_HEADER, payload);
}

std::vector<std::uint8_t> buildDownloadReport(std::uint64_t received, std::string_view fileName) {
    fileName = fileName.substr(0, REPORT_NAME_MAX);
    std::vector<std::uint8_t> payload(7);
    payload[0] = REPORT_KIND;
    write40(&payload[1], received);
    payload[6] = static_cast<std::uint8_t>(fileName.size());
    payload.insert(payload.end(), fileName.begin(), fileName.end());
    payload.push_back(0);
    return buildUpdateFrame(UPDATE_DOWNLOAD_REPORT, payload);
}

}  // namespace tq370
