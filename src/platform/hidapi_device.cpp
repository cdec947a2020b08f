#include "platform/hidapi_device.h"

#include <hidapi.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace tq370 {
namespace {

// hidapi wants its global set-up done once before handles are opened on several threads.
bool initialiseHidapi() {
    static const bool ok = hid_init() == 0;
    return ok;
}

// The first enumerated node with these identifiers, or empty.
std::string firstMatchingPath(std::uint16_t vendorId, std::uint16_t productId) {
    hid_device_info* list = hid_enumerate(vendorId, productId);
    std::string path;
    for (const hid_device_info* info = list; info; info = info->next) {
        // hid_enumerate treats 0 as "any"; the link wants exactly these identifiers.
        if (info->vendor_id == vendorId && info->product_id == productId && info->path) {
            path = info->path;
            break;
        }
    }
    hid_free_enumeration(list);
    return path;
}

}  // namespace

HidapiDevice::~HidapiDevice() {
    close();
}

HidDevice::OpenResult HidapiDevice::open(std::uint16_t vendorId, std::uint16_t productId) {
    close();
    if (!initialiseHidapi()) return OpenResult::Failed;
    path_ = firstMatchingPath(vendorId, productId);
    if (path_.empty()) return OpenResult::NotFound;
    device_ = hid_open_path(path_.c_str());
    if (device_) return OpenResult::Opened;
    // hidapi does not say why an open failed; the node's access rights do. A node gone in
    // the meantime counts as not found.
    if (access(path_.c_str(), R_OK | W_OK) != 0) {
        if (errno == EACCES || errno == EPERM) return OpenResult::NoPermission;
        if (errno == ENOENT) return OpenResult::NotFound;
    }
    return OpenResult::Failed;
}

bool HidapiDevice::write(const HidReport& report) {
    if (!device_) return false;
    return hid_write(device_, report.data(), report.size()) == static_cast<int>(report.size());
}

HidDevice::ReadResult HidapiDevice::read(HidReportData& data, std::chrono::milliseconds timeout) {
    if (!device_) return ReadResult::Gone;
    // hid_read_timeout blocks without limit for -1; every wait here has one.
    int ms = static_cast<int>(std::clamp<std::int64_t>(timeout.count(), 0, 60'000));
    int n = hid_read_timeout(device_, data.data(), data.size(), ms);
    if (n < 0) return ReadResult::Gone;
    if (n == 0) return ReadResult::TimedOut;
    std::fill(data.begin() + n, data.end(), std::uint8_t{0});
    return ReadResult::Report;
}

void HidapiDevice::close() {
    if (!device_) return;
    hid_close(device_);
    device_ = nullptr;
}

}  // namespace tq370
