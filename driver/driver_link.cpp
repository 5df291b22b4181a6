#include "driver/driver_link.h"

#include "driver/device.h"
#include "driver/generator_command.h"

const char kDriverDeviceName[] = "\\\\.\\QorinVxd.Vxd";

namespace {

HANDLE OpenDriver() {
    return DeviceOpen(kDriverDeviceName, 0, 0, nullptr, 0, FILE_FLAG_DELETE_ON_CLOSE, nullptr);
}

}  // namespace

bool IsDriverPresent() {
    HANDLE device = OpenDriver();
    if (device == INVALID_HANDLE_VALUE) return false;
    DeviceClose(device);
    return true;
}

bool SendGeneratorCommand(int command, HWND window, int frameRateIndex, unsigned hours,
                          unsigned minutes, unsigned seconds, unsigned frames) {
    HANDLE device = OpenDriver();
    if (device == INVALID_HANDLE_VALUE) return false;
    // On every Windows target the record's memory is its little-endian byte layout.
    GeneratorCommand record = MakeGeneratorCommand(
        command, static_cast<std::uint32_t>(reinterpret_cast<UINT_PTR>(window)), frameRateIndex,
        hours, minutes, seconds, frames);
    DWORD returned = 0;
    DeviceControl(device, IOCTL_GENERATOR_COMMAND, &record, sizeof record, &record, sizeof record,
                  &returned, nullptr);
    DeviceClose(device);
    return true;
}
