#include <cstdio>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>
#include <tuple>

#include "command.h"
#include "device_link.h"
#include "link/wifi_settings.h"
#include "platform/net_address.h"

namespace tq370::ctl {
namespace {

constexpr auto RELAXED = std::memory_order_relaxed;

// Queues the commands and waits for the engine's confirmation of them; false (with a
// message) when the processor did not answer them all.
bool sendSettings(DeviceLink& device, const std::vector<TextCommand>& commands,
                  TextConfirmation confirmation) {
    for (const TextCommand& c : commands) queueTextCommand(device.link(), c);
    bool givenUp = false;
    auto settled = [&] {
        for (const TextCommand& c : commands)
            givenUp = givenUp || device.host().textGivenUp(c.slot);
        return givenUp || device.host().confirmed(confirmation);
    };
    if (!device.waitFor(settled)) return false;
    if (!givenUp) return true;
    std::fprintf(stderr, "tq370ctl: the processor did not answer the WiFi settings\n");
    return false;
}

void addShow(CLI::App& wifi, int& exitCode) {
    auto* cmd = wifi.add_subcommand("show", "Show the processor's WiFi address, mode and names");
    const DeviceOptions& options = addDeviceCommand(wifi, *cmd);
    auto json = std::make_shared<bool>(false);
    cmd->add_flag("--json", *json, "print one JSON object");
    cmd->callback([&options, json, &exitCode] {
        DeviceLink device(options);
        if (!device.connect()) {
            exitCode = EXIT_LINK_ERROR;
            return;
        }
        LinkContext& link = device.link();
        queueWifiReadCommands(link);
        const int queried[] = {TEXT_SLOT_GET_IP,         TEXT_SLOT_GET_WIFI_MODE,
                               TEXT_SLOT_GET_ROUTE_SSID, TEXT_SLOT_GET_ROUTE_PW,
                               TEXT_SLOT_GET_HOT_SSID,   TEXT_SLOT_GET_HOT_PW};
        auto slot = [&](int n) -> TextSlot& { return link.textSlots[static_cast<std::size_t>(n)]; };
        auto settled = [&] {
            for (int n : queried) {
                if (slot(n).pending.load(RELAXED) > 0 && !device.host().textGivenUp(n)) {
                    return false;
                }
            }
            return true;
        };
        if (!device.waitFor(settled)) {
            exitCode = EXIT_LINK_ERROR;
            return;
        }
        for (int n : queried) {
            if (slot(n).answered.load(std::memory_order_acquire) <= 0) {
                std::fprintf(stderr, "tq370ctl: the processor did not answer \"%s\"\n",
                             slot(n).text().c_str());
                exitCode = EXIT_LINK_ERROR;
                return;
            }
        }
        auto after = [&](int n) { return slotReplyText(link, n).value_or(""); };
        const std::string ip =
            ipv4Text(static_cast<std::uint32_t>(slot(TEXT_SLOT_GET_IP).value.load()));
        const bool router =
            wifiModeFromValue(slot(TEXT_SLOT_GET_WIFI_MODE).value.load()) == WifiMode::Router;
        const std::string routeSsid = after(TEXT_SLOT_GET_ROUTE_SSID);
        const std::string routePw = after(TEXT_SLOT_GET_ROUTE_PW);
        const std::string hotSsid = after(TEXT_SLOT_GET_HOT_SSID);
        const std::string hotPw = after(TEXT_SLOT_GET_HOT_PW);
        if (*json) {
            nlohmann::ordered_json out{{"ip", ip},
                                       {"mode", router ? "route" : "hot"},
                                       {"hotSsid", hotSsid},
                                       {"hotPassword", hotPw},
                                       {"routeSsid", routeSsid},
                                       {"routePassword", routePw}};
            std::printf("%s\n", out.dump().c_str());
        } else {
            std::printf(
                "ip %s\nmode %s\nhot-ssid %s\nhot-password %s\nroute-ssid %s\n"
                "route-password %s\n",
                ip.c_str(), router ? "route" : "hot", hotSsid.c_str(), hotPw.c_str(),
                routeSsid.c_str(), routePw.c_str());
        }
        exitCode = EXIT_OK;
    });
}

void addSetNetwork(CLI::App& wifi, int& exitCode, bool hotspot) {
    auto* cmd = wifi.add_subcommand(hotspot ? "set-hot" : "set-route",
                                    hotspot ? "Set the name and password of the processor's hotspot"
                                            : "Set the name and password of the router to join");
    const DeviceOptions& options = addDeviceCommand(wifi, *cmd);
    auto ssid = std::make_shared<std::string>();
    auto password = std::make_shared<std::string>();
    cmd->add_option("SSID", *ssid, "network name, printable ASCII")->required();
    cmd->add_option("PASSWORD", *password,
                    hotspot ? "empty, or at least 8 characters" : "the router's password")
        ->required();
    cmd->callback([&options, ssid, password, hotspot, &exitCode] {
        // The module would get a shortened or stripped value; say so instead.
        const int ssidSlot = hotspot ? TEXT_SLOT_SET_HOT_SSID : TEXT_SLOT_SET_ROUTE_SSID;
        const int passwordSlot = hotspot ? TEXT_SLOT_SET_HOT_PW : TEXT_SLOT_SET_ROUTE_PW;
        for (auto [name, value, slot] : {std::tuple{"SSID", ssid.get(), ssidSlot},
                                         std::tuple{"PASSWORD", password.get(), passwordSlot}}) {
            if (!isPlainSettingValue(*value)) {
                throw UsageError(std::string(name) +
                                 " may hold only printable ASCII characters (space to ~)");
            }
            const std::size_t limit = settingValueMaxBytes(textSlotPrefix(slot));
            if (value->size() > limit) {
                throw UsageError(std::string(name) + " has " + std::to_string(value->size()) +
                                 " characters; the module takes at most " + std::to_string(limit));
            }
        }
        WifiSettingRequest request = hotspot ? hotspotSettingCommands(*ssid, *password)
                                             : routerSettingCommands(*ssid, *password);
        // Refused before anything is sent: a half-applied setting helps nobody here.
        if (request.problem != WifiSettingProblem::None) {
            throw UsageError(
                std::string(wifiSettingProblemText(request.problem, Language::English)));
        }
        DeviceLink device(options);
        if (!device.connect()) {
            exitCode = EXIT_LINK_ERROR;
            return;
        }
        exitCode =
            sendSettings(device, request.commands,
                         hotspot ? TextConfirmation::HotspotSet : TextConfirmation::RouterSet)
                ? EXIT_OK
                : EXIT_LINK_ERROR;
    });
}

void addMode(CLI::App& wifi, int& exitCode) {
    auto* cmd = wifi.add_subcommand("mode", "Switch the WiFi module to hotspot or router mode");
    const DeviceOptions& options = addDeviceCommand(wifi, *cmd);
    auto mode = std::make_shared<std::string>();
    cmd->add_option("MODE", *mode, "hot or route")
        ->required()
        ->check(CLI::IsMember({"hot", "route"}));
    cmd->callback([&options, mode, &exitCode] {
        DeviceLink device(options);
        if (!device.connect()) {
            exitCode = EXIT_LINK_ERROR;
            return;
        }
        TextCommand command =
            wifiModeCommand(*mode == "route" ? WifiMode::Router : WifiMode::Hotspot);
        exitCode = sendSettings(device, {command}, TextConfirmation::WifiModeSet) ? EXIT_OK
                                                                                  : EXIT_LINK_ERROR;
    });
}

void addWifiCommands(CLI::App& app, int& exitCode) {
    auto* wifi = app.add_subcommand("wifi", "Show or change the processor's WiFi module settings");
    wifi->require_subcommand(1);
    addShow(*wifi, exitCode);
    addSetNetwork(*wifi, exitCode, true);
    addSetNetwork(*wifi, exitCode, false);
    addMode(*wifi, exitCode);
}

const CommandRegistration registration{"wifi", addWifiCommands};

}  // namespace
}  // namespace tq370::ctl
