#pragma once

#include <string_view>

namespace tq370 {

// The link in use. The configuration stores it as a number: 1, 2 and 3 name USB, WiFi
// and Bluetooth; every other number means a serial port.
enum class TransportKind { Usb = 1, WiFi = 2, Bluetooth = 3, Serial = 4 };

constexpr TransportKind transportKindFromNumber(int number) {
    switch (number) {
        case 1:
            return TransportKind::Usb;
        case 2:
            return TransportKind::WiFi;
        case 3:
            return TransportKind::Bluetooth;
        default:
            return TransportKind::Serial;
    }
}

// The waits and the liveness limits of one kind of link, in protocol milliseconds.
struct LinkTimings {
    int readWaitMs;   // each read-back batch and each upload batch
    int replyWaitMs;  // each write batch and each text command
    int silenceMs;    // quiet time after which every sent frame counts as a miss
    int missLimit;    // misses in a row that take the link down
};

constexpr LinkTimings linkTimingsFor(TransportKind kind) {
    switch (kind) {
        case TransportKind::WiFi:
            return {1000, 1000, 3000, 14};
        case TransportKind::Bluetooth:
            return {100, 1000, 3000, 14};
        case TransportKind::Usb:
        case TransportKind::Serial:
            break;
    }
    return {100, 200, 1500, 4};
}

// What the engine must know of a link besides its frames.
struct TransportTraits {
    LinkTimings timings;
    // The engine's main loop sends the WiFi module's text commands and shows their
    // confirmations; false where the transport carries them itself (WiFi's text channel).
    bool engineSendsTextCommands;
    // The read-back starts with the processor's bulk answer (command 0xF0).
    bool bulkReadBack;
    // Appended to the program's name in the window title ("-USB").
    std::string_view captionSuffix;
};

constexpr TransportTraits transportTraitsFor(TransportKind kind) {
    switch (kind) {
        case TransportKind::Usb:
            return {linkTimingsFor(kind), true, true, "-USB"};
        case TransportKind::WiFi:
            return {linkTimingsFor(kind), false, false, "-NET"};
        case TransportKind::Bluetooth:
            return {linkTimingsFor(kind), true, true, "-BT"};
        case TransportKind::Serial:
            break;
    }
    return {linkTimingsFor(kind), true, true, "-COM"};
}

// Waits that are the same on every link.
constexpr int HELLO_WAIT_MS = 500;
constexpr int CONNECT_PROBE_WAIT_MS = 500;  // USB and serial register-0 probe
constexpr int MODE_JOB_WAIT_MS = 2000;      // recall-mode and save-mode jobs
constexpr int WIFI_CONNECT_PROBE_WAIT_MS = 5000;
// The probe of a quiet link inside a send (probeQuietLink).
constexpr int QUIET_PROBE_ATTEMPTS = 5;
constexpr int QUIET_PROBE_WAIT_MS = 1000;

}  // namespace tq370
