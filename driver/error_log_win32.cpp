// The driver's error log report on the registry: the log key's subkeys are the entries, each
// holding its message in the value named like itself. Nothing is written or removed.
#include "driver/error_log.h"

#include <windows.h>

#include "driver/error_log_text.h"

static_assert(kLogSuccess == ERROR_SUCCESS, "registry result codes");
static_assert(kLogMoreData == ERROR_MORE_DATA, "registry result codes");
static_assert(kLogNoMoreItems == ERROR_NO_MORE_ITEMS, "registry result codes");

namespace {

class RegistryLogReader : public ErrorLogReader {
public:
    explicit RegistryLogReader(HKEY log) : log_(log) {}

    long EnumEntry(std::uint32_t index, char* name, std::uint32_t* length) override {
        DWORD n = *length;
        const LONG result = RegEnumKeyExA(log_, index, name, &n, nullptr, nullptr, nullptr,
                                          nullptr);
        *length = n;
        return result;
    }

    long ReadEntry(const char* name, unsigned char* data, std::uint32_t* size) override {
        HKEY entry = nullptr;
        LONG result = RegOpenKeyExA(log_, name, 0, KEY_ALL_ACCESS, &entry);
        if (result != ERROR_SUCCESS) return result;
        DWORD n = *size;
        result = RegQueryValueExA(entry, name, nullptr, nullptr, data, &n);
        RegCloseKey(entry);
        *size = n;
        return result;
    }

private:
    HKEY log_;
};

}  // namespace

int ReportDriverErrors() {
    ErrorLogReport report;
    HKEY log = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kErrorLogKeyPath, 0, KEY_ALL_ACCESS, &log) ==
        ERROR_SUCCESS) {
        RegistryLogReader reader(log);
        report = AssembleErrorLog(reader);
        RegCloseKey(log);
    }
    if (report.ShowsBox()) MessageBoxA(nullptr, report.text, kErrorLogCaption, MB_OK);
    return 0;
}
