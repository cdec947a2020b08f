#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "link/configured_link.h"
#include "link/link_timings.h"
#include "link/processor_identity.h"
#include "transports/wifi_discovery_rules.h"

namespace tq370 {

class HidDevice;
struct LinkContext;
class SerialTransport;
class Transport;
class WifiTransport;

// Which link a program uses and how to reach the processor over it, as a command line or
// the configuration names it.
struct LinkOptions {
    TransportKind kind = TransportKind::Usb;
    // Serial and Bluetooth: this port only; empty: every serial port of the system.
    std::string serialPath;
    std::uint32_t baudRate = DEFAULT_BAUD_RATE;
    // WiFi: this processor (dotted IPv4), without discovery; empty: discover.
    std::string wifiAddress;
    // WiFi: this PC's IPv4 address as the processor sees it; empty: detect.
    std::string ownAddress;
    std::uint16_t udpPort = WIFI_DEFAULT_PORT;
    std::uint16_t tcpPort = WIFI_DEFAULT_PORT;
};

// The link the configuration file names: its kind and line speed, every port of its kind.
LinkOptions linkOptionsFor(const LinkChoice& choice);

// What is wrong with the options for a user to read ("--wifi: 10.0.0.300 is not an IPv4
// address"), or nullopt when a transport can be made from them. An address that does not
// parse is refused rather than replaced by discovery, which would broadcast instead.
std::optional<std::string> linkOptionsProblem(const LinkOptions& options);

// The transport made, with a typed view of it for what only one kind offers (the serial
// port in use, the WiFi processor choice). The views point into transport.
struct MadeTransport {
    std::unique_ptr<Transport> transport;
    SerialTransport* serial = nullptr;
    WifiTransport* wifi = nullptr;
};

// Makes a USB HID device; the programs pass the hidapi one, tests a fake.
using HidDeviceMaker = std::function<std::unique_ptr<HidDevice>()>;

// The transport for options (which linkOptionsProblem accepts), on the thread that will
// run it (the engine thread, inside its TransportFactory).
MadeTransport makeTransport(LinkContext& link, const LinkOptions& options,
                            const HidDeviceMaker& makeHidDevice);

}  // namespace tq370
