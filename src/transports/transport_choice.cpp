#include "transports/transport_choice.h"

#include "platform/hid_device.h"
#include "platform/net_address.h"
#include "transports/hid_transport.h"
#include "transports/serial_transport.h"
#include "transports/wifi_transport.h"

namespace tq370 {

LinkOptions linkOptionsFor(const LinkChoice& choice) {
    LinkOptions options;
    options.kind = choice.kind;
    options.baudRate = static_cast<std::uint32_t>(choice.baudRate);
    return options;
}

std::optional<std::string> linkOptionsProblem(const LinkOptions& options) {
    if (options.kind != TransportKind::WiFi) return std::nullopt;
    for (const std::string* address : {&options.wifiAddress, &options.ownAddress}) {
        if (!address->empty() && !parseIpv4(*address)) {
            const char* option = address == &options.wifiAddress ? "--wifi" : "--own-address";
            return std::string(option) + ": " + *address + " is not an IPv4 address";
        }
    }
    if (options.udpPort == 0 || options.tcpPort == 0) return "the WiFi ports must be 1 to 65535";
    return std::nullopt;
}

MadeTransport makeTransport(LinkContext& link, const LinkOptions& options,
                            const HidDeviceMaker& makeHidDevice) {
    MadeTransport made;
    switch (options.kind) {
        case TransportKind::Usb:
            made.transport = std::make_unique<HidTransport>(link, makeHidDevice());
            return made;
        case TransportKind::WiFi: {
            WifiEndpoints endpoints;
            endpoints.udpPort = options.udpPort;
            endpoints.tcpPort = options.tcpPort;
            if (auto address = parseIpv4(options.wifiAddress)) {
                endpoints.processorAddress = *address;
            }
            // A given own address also chooses the interface that listens and the network
            // that is searched.
            if (auto own = parseIpv4(options.ownAddress)) {
                endpoints.ownAddress = *own;
                endpoints.localAddress = *own;
                endpoints.sweepBase = *own;
            }
            auto wifi = std::make_unique<WifiTransport>(link, endpoints);
            made.wifi = wifi.get();
            made.transport = std::move(wifi);
            return made;
        }
        case TransportKind::Bluetooth:
        case TransportKind::Serial:
            break;
    }
    SerialTransportOptions serialOptions;
    if (!options.serialPath.empty()) {
        serialOptions.explicitPorts.push_back(options.serialPath);
        serialOptions.explicitOnly = true;
    }
    serialOptions.baudRate = options.baudRate;
    auto serial = std::make_unique<SerialTransport>(link, options.kind, serialOptions);
    made.serial = serial.get();
    made.transport = std::move(serial);
    return made;
}

}  // namespace tq370
