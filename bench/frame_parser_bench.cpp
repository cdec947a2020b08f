#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <vector>

#include "base/byte_order.h"
#include "link/frame.h"
#include "link/frame_parser.h"

namespace {

using tq370::FrameParser;
using tq370::LinkContext;

// A read-back as the processor sends it: replies of 25 registers each, covering the
// whole table, back to back.
std::vector<std::uint8_t> readReplyStream() {
    std::vector<std::uint8_t> stream;
    std::mt19937 random(1);
    for (int first = 0; first < tq370::REGISTER_COUNT; first += 25) {
        std::vector<std::uint8_t> payload;
        for (int reg = first; reg < first + 25 && reg < tq370::REGISTER_COUNT; ++reg) {
            std::uint8_t entry[4];
            tq370::writeBigEndian16(entry, static_cast<std::uint16_t>(reg));
            tq370::writeBigEndian16(entry + 2, static_cast<std::uint16_t>(random()));
            payload.insert(payload.end(), entry, entry + 4);
        }
        auto frame = tq370::buildFrame(tq370::CMD_READ, payload);
        stream.insert(stream.end(), frame.begin(), frame.end());
    }
    return stream;
}

// Chunk size as the transports deliver: 64 bytes per USB report, up to 1500 per TCP read.
void BM_ParseReadReplies(benchmark::State& state) {
    const auto stream = readReplyStream();
    const auto chunk = static_cast<std::size_t>(state.range(0));
    auto context = std::make_unique<LinkContext>();
    FrameParser parser(*context);
    for (auto _ : state) {
        for (std::size_t at = 0; at < stream.size(); at += chunk) {
            parser.input(std::span(stream.data() + at, std::min(chunk, stream.size() - at)));
        }
    }
    benchmark::DoNotOptimize(context->registers.getRegister(1900));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * stream.size()));
}
BENCHMARK(BM_ParseReadReplies)->Arg(64)->Arg(1500);

// A peer that sends only start markers and wrong frames: with the buffer full, each
// further 1500-byte input must still cost about one pass over the buffer, not one per
// start marker it holds.
void BM_ParseGarbageAtCap(benchmark::State& state) {
    std::vector<std::uint8_t> chunk(1500);
    std::mt19937 random(2);
    for (std::size_t k = 0; k < chunk.size(); ++k) {
        chunk[k] = k % 2 == 0 ? 0x80 : static_cast<std::uint8_t>(random());
    }
    auto context = std::make_unique<LinkContext>();
    FrameParser parser(*context);
    while (parser.bufferedBytes() < FrameParser::BUFFER_CAP) parser.input(chunk);
    for (auto _ : state) parser.input(chunk);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * chunk.size()));
}
BENCHMARK(BM_ParseGarbageAtCap);

}  // namespace
