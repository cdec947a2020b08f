#include "transports/usb_envelope.h"

#include <gtest/gtest.h>

#include <numeric>

#include "support/link_test_frames.h"
#include "transports/usb_frame_assembler.h"

namespace tq370 {
namespace {

using test::Bytes;

Bytes countingBytes(std::size_t size, std::uint8_t first = 1) {
    Bytes bytes(size);
    std::iota(bytes.begin(), bytes.end(), first);
    return bytes;
}

// The data bytes of a report: what the device's reader gets back from hid_read.
HidReportData dataOf(const HidReport& report) {
    HidReportData data{};
    std::copy(report.begin() + 1, report.end(), data.begin());
    return data;
}

TEST(UsbEnvelope, FrameIsCutIntoZeroPaddedReports) {
    struct Case {
        std::size_t frameSize;
        std::size_t reports;
    };
    // 59 frame bytes fit beside the envelope; every further report carries 64.
    const Case cases[] = {{0, 1},   {1, 1},   {59, 1},  {60, 2},  {101, 2},
                          {123, 2}, {124, 3}, {187, 3}, {188, 4}, {255, 5}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.frameSize);
        const Bytes frame = countingBytes(c.frameSize);
        const std::vector<HidReport> reports = usbReportsForFrame(frame);
        ASSERT_EQ(reports.size(), c.reports);

        Bytes expected = {0xAE, 0x1E, static_cast<std::uint8_t>(c.frameSize >> 8),
                          static_cast<std::uint8_t>(c.frameSize & 0xFF), 0xC8};
        expected.insert(expected.end(), frame.begin(), frame.end());
        expected.resize(c.reports * HID_REPORT_DATA_SIZE, 0);
        Bytes carried;
        for (const HidReport& report : reports) {
            EXPECT_EQ(report[0], 0) << "report number";
            carried.insert(carried.end(), report.begin() + 1, report.end());
        }
        EXPECT_EQ(carried, expected);
    }
}

TEST(UsbEnvelope, SixtyByteFrameLeavesOneByteForTheSecondReport) {
    const Bytes frame = countingBytes(60);
    const std::vector<HidReport> reports = usbReportsForFrame(frame);
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_EQ(reports[1][1], frame[59]);
    EXPECT_TRUE(std::all_of(reports[1].begin() + 2, reports[1].end(),
                            [](std::uint8_t b) { return b == 0; }));
}

TEST(UsbEnvelope, LengthFieldIsBigEndian) {
    const std::vector<HidReport> reports = usbReportsForFrame(countingBytes(0x1234));
    EXPECT_EQ(reports.front()[3], 0x12);
    EXPECT_EQ(reports.front()[4], 0x34);
    EXPECT_TRUE(usbReportsForFrame(countingBytes(0x10000)).empty());
}

TEST(UsbFrameAssembler, RebuildsFramesFromTheirReports) {
    const Bytes writeAck =
        test::writeAck({{1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 5}, {6, 6}, {7, 7}, {8, 8}});
    const Bytes frames[] = {
        test::readReply({{0, 4095}}),  // one report
        countingBytes(58),
        countingBytes(59),
        countingBytes(60),
        writeAck,  // two reports
        countingBytes(123),
        countingBytes(124),
        countingBytes(255),
        countingBytes(1019),  // the longest the buffer can deliver
    };
    UsbFrameAssembler assembler;  // one for all: every frame starts afresh
    for (const Bytes& frame : frames) {
        SCOPED_TRACE(frame.size());
        const std::vector<HidReport> reports = usbReportsForFrame(frame);
        for (std::size_t i = 0; i + 1 < reports.size(); ++i) {
            EXPECT_FALSE(assembler.addReport(dataOf(reports[i]))) << "early at report " << i;
        }
        auto delivered = assembler.addReport(dataOf(reports.back()));
        ASSERT_TRUE(delivered);
        EXPECT_EQ(Bytes(delivered->begin(), delivered->end()), frame);
    }
}

TEST(UsbFrameAssembler, OverlongFramesWrapAt960AndNeverOverrun) {
    UsbFrameAssembler assembler;
    // 1020 bytes cannot be reached: after 1019 the fill level passes 960 and starts over.
    for (const HidReport& report : usbReportsForFrame(countingBytes(1020))) {
        EXPECT_FALSE(assembler.addReport(dataOf(report)));
    }
    // A length of 65535 keeps wrapping for as long as continuations come.
    HidReportData start{};
    const std::uint8_t head[] = {0xAE, 0x1E, 0xFF, 0xFF, 0xC8};
    std::copy(std::begin(head), std::end(head), start.begin());
    EXPECT_FALSE(assembler.addReport(start));
    HidReportData more{};
    more.fill(0x5A);
    for (int i = 0; i < 200; ++i) ASSERT_FALSE(assembler.addReport(more));
    // The next envelope is read as usual.
    const Bytes frame = test::readReply({{0, 4095}});
    auto delivered = assembler.addReport(dataOf(usbReportsForFrame(frame)[0]));
    ASSERT_TRUE(delivered);
    EXPECT_EQ(Bytes(delivered->begin(), delivered->end()), frame);
}

TEST(UsbFrameAssembler, EnvelopeWithoutTagIsContinuation) {
    UsbFrameAssembler assembler;
    const Bytes frame = countingBytes(70);
    const std::vector<HidReport> reports = usbReportsForFrame(frame);
    ASSERT_FALSE(assembler.addReport(dataOf(reports[0])));

    // Starts like an envelope, but byte 4 is not C8.
    HidReportData lookAlike{};
    const std::uint8_t head[] = {0xAE, 0x1E, 0x00, 0x05, 0xC7, 0x42};
    std::copy(std::begin(head), std::end(head), lookAlike.begin());
    auto delivered = assembler.addReport(lookAlike);
    ASSERT_TRUE(delivered);
    Bytes expected(frame.begin(), frame.begin() + 59);
    expected.insert(expected.end(), lookAlike.begin(), lookAlike.begin() + 11);
    EXPECT_EQ(Bytes(delivered->begin(), delivered->end()), expected);
}

TEST(UsbFrameAssembler, NewEnvelopeRestartsAHalfBuiltFrame) {
    UsbFrameAssembler assembler;
    const Bytes abandoned = countingBytes(100, 0x40);
    ASSERT_FALSE(assembler.addReport(dataOf(usbReportsForFrame(abandoned)[0])));
    const Bytes frame = test::readReply({{7, 77}});
    auto delivered = assembler.addReport(dataOf(usbReportsForFrame(frame)[0]));
    ASSERT_TRUE(delivered);
    EXPECT_EQ(Bytes(delivered->begin(), delivered->end()), frame);
}

TEST(UsbFrameAssembler, ContinuationBeforeAnyEnvelopeDeliversNothing) {
    UsbFrameAssembler assembler;
    HidReportData data{};
    data.fill(0x55);
    for (int i = 0; i < 40; ++i) EXPECT_FALSE(assembler.addReport(data));
}

TEST(UsbFrameAssembler, StrayContinuationAfterAFrameDeliversItAgain) {
    UsbFrameAssembler assembler;
    const Bytes frame = countingBytes(10, 0xA0);
    auto first = assembler.addReport(dataOf(usbReportsForFrame(frame)[0]));
    ASSERT_TRUE(first);
    EXPECT_EQ(Bytes(first->begin(), first->end()), frame);
    // The fill level went back to the frame's length, so whatever follows is appended
    // behind the frame and the frame comes again, unchanged.
    for (int i = 1; i <= 20; ++i) {
        SCOPED_TRACE(i);
        HidReportData stray{};
        stray.fill(static_cast<std::uint8_t>(i));
        auto again = assembler.addReport(stray);
        ASSERT_TRUE(again);
        EXPECT_EQ(Bytes(again->begin(), again->end()), frame);
    }
}

}  // namespace
}  // namespace tq370
