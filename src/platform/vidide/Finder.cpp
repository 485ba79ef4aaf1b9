// The finder: enumeration of HID paths and the per-path queries.

#include "platform/vidide/SimState.h"

#include <cstring>
#include <vector>

using namespace vidide;

namespace {

QString pathArg(const char *path)
{
    return QString::fromLatin1(path ? path : "(null)");
}

// Paths of plugged normal-mode devices matching vid and pid, at most max of
// them (max <= 0: all). The array stays valid until the next call of the same
// finder on this thread; the strings for the whole process.
char **findPaths(std::vector<char *> &array, const char *vid, const char *pid, int max, int *count)
{
    array.clear();
    uint16_t vidValue = 0;
    uint16_t pidValue = 0;
    bool anyVid = false;
    bool anyPid = false;
    if (parseHexId(vid, &vidValue, &anyVid) && parseHexId(pid, &pidValue, &anyPid)) {
        SimState &state = SimState::instance();
        std::lock_guard<std::mutex> lock(state.mutex());
        for (const SimUsb &usb : state.usb) {
            if (max > 0 && int(array.size()) >= max)
                break;
            if (!usb.plugged || usb.bootMode)
                continue;
            if ((anyVid || usb.vid == vidValue) && (anyPid || usb.pid == pidValue))
                array.push_back(const_cast<char *>(internPath(usb.path)));
        }
    }
    *count = int(array.size());
    array.push_back(nullptr);
    return array.data();
}

} // namespace

char **UsbFinderC_FindHidDevicesByDefaultDeviceId(const char *vid, const char *pid, int *count)
{
    logCall("UsbFinderC_FindHidDevicesByDefaultDeviceId",
            pathArg(vid) + QLatin1Char(',') + pathArg(pid));
    if (!count)
        return nullptr;
    thread_local std::vector<char *> array;
    return findPaths(array, vid, pid, *count, count);
}

char **UsbFinderC_FindHidDevicesByDeviceId(const char *vid, const char *pid, int interfaceId,
                                           int maxCount, int *count)
{
    logCall("UsbFinderC_FindHidDevicesByDeviceId",
            pathArg(vid) + QLatin1Char(',') + pathArg(pid) + QLatin1Char(',') +
                QString::number(interfaceId) + QLatin1Char(',') + QString::number(maxCount));
    if (!count)
        return nullptr;
    thread_local std::vector<char *> array;
    // Only maxCount limits the answer: some callers leave *count unset.
    const int max = maxCount;
    // The simulated devices have one HID interface of interest, number 1.
    if (interfaceId != 1) {
        *count = 0;
        array.assign(1, nullptr);
        return array.data();
    }
    return findPaths(array, vid, pid, max, count);
}

bool UsbFinderC_GetUsbDeviceAttribute(const char *path, UsbDeviceAttribute *attr)
{
    logCall("UsbFinderC_GetUsbDeviceAttribute", pathArg(path));
    if (!attr)
        return false;
    SimState &state = SimState::instance();
    std::lock_guard<std::mutex> lock(state.mutex());
    const int index = state.usbByPath(path);
    if (index < 0)
        return false;
    const SimUsb &usb = state.usb[index];
    const SimMouse *mouse = state.mouseOf(index);
    attr->Size = sizeof(UsbDeviceAttribute);
    attr->VendorId = usb.vid;
    attr->ProductId = usb.pid;
    attr->ReleaseNumber = usb.receiver || !mouse ? usb.release : mouse->version;
    attr->Padding = 0;
    return true;
}

DeviceIdentity UsbFinderC_GetDeviceInfo(const char *path, int reserved)
{
    logCall("UsbFinderC_GetDeviceInfo",
            pathArg(path) + QLatin1Char(',') + QString::number(reserved));
    DeviceIdentity identity{0, 0, 0};
    SimState &state = SimState::instance();
    std::lock_guard<std::mutex> lock(state.mutex());
    const int index = state.usbByPath(path);
    if (index < 0)
        return identity;
    SimUsb &usb = state.usb[index];
    if (usb.identityZeroCalls > 0) {
        --usb.identityZeroCalls;
        return identity;
    }
    // A receiver answers for itself, also while its mouse is away.
    const SimMouse *mouse = state.mouseOf(index);
    identity.CustomerId = usb.receiver || !mouse ? usb.cid : mouse->cid;
    identity.ModelId = usb.receiver || !mouse ? usb.mid : mouse->mid;
    identity.ConnectionType = usb.connectionType;
    return identity;
}

bool UsbFinderC_GetDeviceOnLine(const char *path)
{
    logCall("UsbFinderC_GetDeviceOnLine", pathArg(path));
    SimState &state = SimState::instance();
    std::lock_guard<std::mutex> lock(state.mutex());
    return state.mouseReachable(state.usbByPath(path));
}

bool UsbFinderC_GetDeviceOnLineWithUsbAddress(const char *path, unsigned char *buffer)
{
    logCall("UsbFinderC_GetDeviceOnLineWithUsbAddress", pathArg(path));
    if (!buffer)
        return false;
    std::memset(buffer, 0, VidUsbAddressBufferLength);
    SimState &state = SimState::instance();
    std::lock_guard<std::mutex> lock(state.mutex());
    const int index = state.usbByPath(path);
    if (index < 0)
        return false;
    const SimUsb &usb = state.usb[index];
    const SimMouse *mouse = state.mouseOf(index);
    buffer[6] = state.mouseReachable(index) ? 1 : 0;
    const uint8_t *address = usb.receiver ? usb.address : (mouse ? mouse->pairedAddress : nullptr);
    if (address)
        std::memcpy(buffer + 7, address, 3);
    return true;
}

int UsbFinderC_GetVersion(const char *path)
{
    logCall("UsbFinderC_GetVersion", pathArg(path));
    SimState &state = SimState::instance();
    std::lock_guard<std::mutex> lock(state.mutex());
    const int index = state.usbByPath(path);
    if (!state.mouseReachable(index))
        return 0;
    return state.mouseOf(index)->version;
}

bool UsbFinderC_GetSlaveVersion(const char *receiverPath, int *version)
{
    logCall("UsbFinderC_GetSlaveVersion", pathArg(receiverPath));
    if (!version)
        return false;
    SimState &state = SimState::instance();
    std::lock_guard<std::mutex> lock(state.mutex());
    const int index = state.usbByPath(receiverPath);
    if (index < 0 || !state.usb[index].receiver || !state.mouseReachable(index))
        return false;
    *version = state.mouseOf(index)->version;
    return true;
}
