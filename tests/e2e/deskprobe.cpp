// deskprobe: a small console program that looks at and drives another program's windows and
// prepares the registry, for black-box tests run under the same Wine server as the program.
//
//   deskprobe find-window CLASS [--title T] [--child ID] [--timeout S]
//       waits for a top-level window (CLASS or T may be "-" for any) and prints its handle,
//       or that of its first descendant with control id ID
//   deskprobe send HWND MSG [WPARAM [LPARAM]] [--post]
//       sends (or posts) one message and prints the result as a signed number
//   deskprobe rect HWND
//       prints "window LEFT TOP RIGHT BOTTOM" (screen) and "client X Y WIDTH HEIGHT" (the
//       client area's screen origin and size), for pointing at a control with xdotool
//   deskprobe box-text CAPTION [--timeout S] [--keep]
//       waits for the message box with that caption, prints "caption <text>" and
//       "text <text>" (escaped), then presses its OK button unless --keep
//   deskprobe kill-owner CLASS [--title T]
//       terminates the process that owns the window, if there is one
//   deskprobe reg-delete KEY | reg-create KEY | reg-set KEY NAME DATA | reg-dump KEY
//       KEY is HKLM\... or HKCU\...; DATA is sz:TEXT (with terminator), dword:N or
//       hex:TYPE:BYTES (exactly these bytes, any type); reg-dump prints the key's tree in
//       enumeration order: "key PATH" and "value PATH NAME TYPE HEX" lines, or "missing"
//   deskprobe acc HWND
//       reads the accessible object of a window's client area (AccessibleObjectFromWindow)
//       and prints "role N", "state 0xBITS", then "name TEXT", "value TEXT" and "action TEXT"
//       (escaped), each as "no-name", "no-value", "no-action" where the object has none
//   deskprobe acc-do HWND
//       performs the object's default action (accDoDefaultAction)
//   deskprobe windows EXE
//       lists the top-level windows of every process whose program file is named EXE, one a
//       line: "HWND visible|hidden CLASS TITLE" (escaped); exit code 1 when there are none
//   deskprobe service NAME start|stop [--timeout S]
//       starts or stops a service (the test driver) and waits until it runs, or has stopped
//   deskprobe hold
//       keeps a hidden top-level window until the session ends (see scripts/wine-session);
//       prints "held" once the window, and so the session's desktop process, is there
//   deskprobe batch
//       runs commands read from standard input, one a line, arguments separated by tabs
//   deskprobe serve
//       prints ".ready", then runs commands read from standard input like batch, but goes on
//       after a failing one: each command's output is followed by ".end RC" (its exit code)
//       and flushed. One process serves a whole test script: where every process start is
//       expensive (emulated 32-bit Wine), the script pays for one probe start, not one per
//       command.
//
// Escaped text: printable ASCII as is, backslash doubled, \n \r \t, other bytes \xNN (and
// spaces as \x20 in dump names). Exit codes: 0 done, 1 not found or timed out, 2 bad usage,
// 3 failed.
#include <windows.h>
#include <oleacc.h>
#include <tlhelp32.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "controls/accessible.h"

namespace {

using Args = std::vector<std::string>;

constexpr int kDone = 0, kNotFound = 1, kUsage = 2, kFailed = 3;

std::string Escape(const char* bytes, size_t n, bool escapeSpace) {
    std::string out;
    for (size_t i = 0; i < n; ++i) {
        const unsigned char c = static_cast<unsigned char>(bytes[i]);
        char buf[8];
        if (c == '\\') out += "\\\\";
        else if (c == '\n') out += "\\n";
        else if (c == '\r') out += "\\r";
        else if (c == '\t') out += "\\t";
        else if (c > 0x20 && c < 0x7F) out += static_cast<char>(c);
        else if (c == ' ' && !escapeSpace) out += ' ';
        else { std::snprintf(buf, sizeof buf, "\\x%02x", c); out += buf; }
    }
    return out;
}

// "--name value" options after the positional arguments.
const char* Option(const Args& a, const char* name, const char* fallback) {
    for (size_t i = 0; i + 1 < a.size(); ++i)
        if (a[i] == name) return a[i + 1].c_str();
    return fallback;
}
bool Flag(const Args& a, const char* name) {
    for (const std::string& s : a) if (s == name) return true;
    return false;
}
const char* OrNull(const char* s) { return (s && std::strcmp(s, "-") != 0) ? s : nullptr; }
unsigned long long Number(const std::string& s) { return std::strtoull(s.c_str(), nullptr, 0); }

// Polls until found or the timeout (seconds) passes.
template <class F>
HWND WaitFor(double timeout, F find) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (HWND w = find()) return w;
        if (GetTickCount() - start >= static_cast<DWORD>(timeout * 1000)) return nullptr;
        Sleep(20);
    }
}

struct ChildSearch { int id; HWND found; };
BOOL CALLBACK FindChild(HWND w, LPARAM p) {
    auto* s = reinterpret_cast<ChildSearch*>(p);
    if (GetDlgCtrlID(w) != s->id) return TRUE;
    s->found = w;
    return FALSE;
}

int FindWindowCommand(const Args& a) {
    if (a.size() < 2) return kUsage;
    const char* cls = OrNull(a[1].c_str());
    const char* title = OrNull(Option(a, "--title", nullptr));
    const char* child = Option(a, "--child", nullptr);
    HWND w = WaitFor(std::atof(Option(a, "--timeout", "0")), [&]() -> HWND {
        HWND top = FindWindowA(cls, title);
        if (!top || !child) return top;
        ChildSearch s{static_cast<int>(Number(child)), nullptr};
        EnumChildWindows(top, FindChild, reinterpret_cast<LPARAM>(&s));
        return s.found;
    });
    if (!w) return kNotFound;
    std::printf("0x%llx\n", static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(w)));
    return kDone;
}

int SendCommand(const Args& a) {
    if (a.size() < 3) return kUsage;
    HWND w = reinterpret_cast<HWND>(static_cast<UINT_PTR>(Number(a[1])));
    const UINT msg = static_cast<UINT>(Number(a[2]));
    const WPARAM wp = a.size() > 3 && a[3] != "--post" ? static_cast<WPARAM>(Number(a[3])) : 0;
    const LPARAM lp = a.size() > 4 && a[4] != "--post" ? static_cast<LPARAM>(Number(a[4])) : 0;
    if (!IsWindow(w)) return kNotFound;
    if (Flag(a, "--post")) return PostMessageA(w, msg, wp, lp) ? kDone : kFailed;
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(w, msg, wp, lp, SMTO_ABORTIFHUNG, 5000, &result)) return kFailed;
    std::printf("%lld\n", static_cast<long long>(static_cast<LRESULT>(result)));
    return kDone;
}

int RectCommand(const Args& a) {
    if (a.size() < 2) return kUsage;
    HWND w = reinterpret_cast<HWND>(static_cast<UINT_PTR>(Number(a[1])));
    if (!IsWindow(w)) return kNotFound;
    RECT window, client;
    GetWindowRect(w, &window);
    GetClientRect(w, &client);
    POINT origin = {0, 0};
    ClientToScreen(w, &origin);
    std::printf("window %ld %ld %ld %ld\n", window.left, window.top, window.right, window.bottom);
    std::printf("client %ld %ld %ld %ld\n", origin.x, origin.y, client.right, client.bottom);
    return kDone;
}

IAccessible* ClientObject(const Args& a) {
    static const bool com = SUCCEEDED(CoInitialize(nullptr));
    (void)com;
    HWND w = reinterpret_cast<HWND>(static_cast<UINT_PTR>(Number(a[1])));
    void* object = nullptr;
    if (!IsWindow(w) || FAILED(AccessibleObjectFromWindow(w, OBJID_CLIENT, kAccessibleIid, &object)))
        return nullptr;
    return static_cast<IAccessible*>(object);
}

void PrintText(const char* what, HRESULT hr, BSTR text) {
    if (hr != S_OK || !text) {
        std::printf("no-%s\n", what);
    } else {
        char bytes[1024] = "";
        WideCharToMultiByte(CP_ACP, 0, text, -1, bytes, sizeof bytes, nullptr, nullptr);
        std::printf("%s %s\n", what, Escape(bytes, std::strlen(bytes), false).c_str());
    }
    if (text) SysFreeString(text);
}

VARIANT Self() {
    VARIANT self;
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    return self;
}

int AccCommand(const Args& a) {
    if (a.size() < 2) return kUsage;
    IAccessible* object = ClientObject(a);
    if (!object) return kNotFound;
    const VARIANT self = Self();
    VARIANT v;
    VariantInit(&v);
    const bool role = SUCCEEDED(object->get_accRole(self, &v)) && v.vt == VT_I4;
    std::printf("role %ld\n", role ? static_cast<long>(v.lVal) : -1L);
    VariantInit(&v);
    const bool state = SUCCEEDED(object->get_accState(self, &v)) && v.vt == VT_I4;
    std::printf("state 0x%lx\n", state ? static_cast<unsigned long>(v.lVal) : 0UL);
    BSTR text = nullptr;
    HRESULT hr = object->get_accName(self, &text);
    PrintText("name", hr, text);
    text = nullptr;
    hr = object->get_accValue(self, &text);
    PrintText("value", hr, text);
    text = nullptr;
    hr = object->get_accDefaultAction(self, &text);
    PrintText("action", hr, text);
    object->Release();
    return kDone;
}

int AccDoCommand(const Args& a) {
    if (a.size() < 2) return kUsage;
    IAccessible* object = ClientObject(a);
    if (!object) return kNotFound;
    const HRESULT hr = object->accDoDefaultAction(Self());
    object->Release();
    return hr == S_OK ? kDone : kFailed;
}

int BoxTextCommand(const Args& a) {
    if (a.size() < 2) return kUsage;
    const double timeout = std::atof(Option(a, "--timeout", "10"));
    // The box is shown only after its text is set: wait until it is visible.
    HWND box = WaitFor(timeout, [&]() -> HWND {
        HWND w = FindWindowA("#32770", a[1].c_str());
        return w && IsWindowVisible(w) ? w : nullptr;
    });
    if (!box) return kNotFound;
    char caption[1024] = "", text[4096] = "";
    const int captionLength = GetWindowTextA(box, caption, sizeof caption);
    const UINT textLength = GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
    std::printf("caption %s\n", Escape(caption, captionLength, false).c_str());
    std::printf("text %s\n", Escape(text, textLength, false).c_str());
    std::fflush(stdout);
    if (Flag(a, "--keep")) return kDone;
    if (HWND ok = GetDlgItem(box, IDOK)) {
        DWORD_PTR ignored;
        SendMessageTimeoutA(ok, BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
    }
    auto gone = [&]() -> HWND { return IsWindow(box) ? nullptr : box; };
    if (WaitFor(2, gone)) return kDone;
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    return WaitFor(timeout, gone) ? kDone : kFailed;
}

int KillOwnerCommand(const Args& a) {
    if (a.size() < 2) return kUsage;
    HWND w = FindWindowA(OrNull(a[1].c_str()), OrNull(Option(a, "--title", nullptr)));
    if (!w) return kNotFound;
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid);
    if (!process) return kFailed;
    const BOOL killed = TerminateProcess(process, 1);
    WaitForSingleObject(process, 5000);
    CloseHandle(process);
    return killed ? kDone : kFailed;
}

// What a failing test saw of a program: its top-level windows, found through its processes.
struct WindowList { std::vector<DWORD> pids; int count; };
BOOL CALLBACK ListWindow(HWND w, LPARAM p) {
    auto* list = reinterpret_cast<WindowList*>(p);
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    bool ours = false;
    for (DWORD id : list->pids) ours = ours || id == pid;
    if (!ours) return TRUE;
    char cls[256] = "", title[256] = "";
    GetClassNameA(w, cls, sizeof cls);
    const int n = GetWindowTextA(w, title, sizeof title);
    std::printf("0x%llx %s %s %s\n", static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(w)),
                IsWindowVisible(w) ? "visible" : "hidden", Escape(cls, std::strlen(cls), true).c_str(),
                Escape(title, n > 0 ? n : 0, false).c_str());
    ++list->count;
    return TRUE;
}

int WindowsCommand(const Args& a) {
    if (a.size() < 2) return kUsage;
    WindowList list{{}, 0};
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return kFailed;
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
        const char* base = std::strrchr(entry.szExeFile, '\\');
        if (lstrcmpiA(base ? base + 1 : entry.szExeFile, a[1].c_str()) == 0)
            list.pids.push_back(entry.th32ProcessID);
    }
    CloseHandle(snapshot);
    EnumWindows(ListWindow, reinterpret_cast<LPARAM>(&list));
    return list.count ? kDone : kNotFound;
}

// A hidden top-level window, its messages pumped until the process is ended: while any window
// lives, the session's desktop process stays (see scripts/wine-session).
int HoldCommand() {
    if (!CreateWindowExA(0, "STATIC", "deskprobe hold", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                         GetModuleHandleA(nullptr), nullptr))
        return kFailed;
    std::printf("held\n");  // the desktop process runs: it started for this window
    std::fflush(stdout);
    MSG m;
    while (GetMessageA(&m, nullptr, 0, 0) > 0) DispatchMessageA(&m);
    return kDone;
}

// Starts or stops a service, then waits until the service manager reports it running or
// stopped.
int ServiceCommand(const Args& a) {
    if (a.size() < 3 || (a[2] != "start" && a[2] != "stop")) return kUsage;
    const bool start = a[2] == "start";
    const double timeout = std::atof(Option(a, "--timeout", "30"));
    SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CONNECT);
    if (!manager) return kFailed;
    SC_HANDLE service = OpenServiceA(manager, a[1].c_str(),
                                     SERVICE_START | SERVICE_STOP | SERVICE_QUERY_STATUS);
    int rc = service ? kDone : kNotFound;
    if (service) {
        SERVICE_STATUS status = {};
        if (start) StartServiceA(service, 0, nullptr);
        else ControlService(service, SERVICE_CONTROL_STOP, &status);
        const DWORD wanted = start ? SERVICE_RUNNING : SERVICE_STOPPED;
        auto reached = [&]() -> HWND {  // WaitFor's "found" is any non-null handle
            return QueryServiceStatus(service, &status) && status.dwCurrentState == wanted
                       ? reinterpret_cast<HWND>(1) : nullptr;
        };
        rc = WaitFor(timeout, reached) ? kDone : kFailed;
        CloseServiceHandle(service);
    }
    CloseServiceHandle(manager);
    return rc;
}

// --- Registry ----------------------------------------------------------------------------

bool SplitKey(const std::string& key, HKEY* root, std::string* path) {
    const size_t slash = key.find('\\');
    const std::string head = key.substr(0, slash);
    if (head == "HKLM" || head == "HKEY_LOCAL_MACHINE") *root = HKEY_LOCAL_MACHINE;
    else if (head == "HKCU" || head == "HKEY_CURRENT_USER") *root = HKEY_CURRENT_USER;
    else return false;
    *path = slash == std::string::npos ? "" : key.substr(slash + 1);
    return true;
}

// Deletes `name` under `parent` with everything below it. A key that is not there is fine.
LONG DeleteTree(HKEY parent, const char* name) {
    HKEY key;
    LONG r = RegOpenKeyExA(parent, name, 0, KEY_ALL_ACCESS, &key);
    if (r == ERROR_FILE_NOT_FOUND) return ERROR_SUCCESS;
    if (r != ERROR_SUCCESS) return r;
    for (;;) {
        char child[256];
        DWORD n = sizeof child;
        r = RegEnumKeyExA(key, 0, child, &n, nullptr, nullptr, nullptr, nullptr);
        if (r != ERROR_SUCCESS) break;
        if ((r = DeleteTree(key, child)) != ERROR_SUCCESS) break;  // never spin on one child
    }
    RegCloseKey(key);
    if (r != ERROR_SUCCESS && r != ERROR_NO_MORE_ITEMS) return r;
    return RegDeleteKeyA(parent, name);
}

bool ParseHex(const std::string& hex, std::string* bytes) {
    if (hex.size() % 2) return false;
    for (size_t i = 0; i < hex.size(); i += 2) {
        char* end;
        const std::string pair = hex.substr(i, 2);
        const long v = std::strtol(pair.c_str(), &end, 16);
        if (*end) return false;
        bytes->push_back(static_cast<char>(v));
    }
    return true;
}

bool ParseData(const std::string& data, DWORD* type, std::string* bytes) {
    if (data.compare(0, 3, "sz:") == 0) {
        *type = REG_SZ;
        bytes->assign(data.c_str() + 3, data.size() - 3 + 1);  // with the terminator
        return true;
    }
    if (data.compare(0, 6, "dword:") == 0) {
        const DWORD v = static_cast<DWORD>(Number(data.substr(6)));
        *type = REG_DWORD;
        bytes->assign(reinterpret_cast<const char*>(&v), sizeof v);
        return true;
    }
    if (data.compare(0, 4, "hex:") == 0) {
        const size_t colon = data.find(':', 4);
        if (colon == std::string::npos) return false;
        *type = static_cast<DWORD>(Number(data.substr(4, colon - 4)));
        return ParseHex(data.substr(colon + 1), bytes);
    }
    return false;
}

void Dump(HKEY key, const std::string& path) {
    std::printf("key %s\n", path.c_str());
    std::vector<char> name(16384);
    std::vector<BYTE> data(65536);
    for (DWORD i = 0;; ++i) {
        DWORD nameLength = static_cast<DWORD>(name.size()), size = static_cast<DWORD>(data.size());
        DWORD type = 0;
        if (RegEnumValueA(key, i, name.data(), &nameLength, nullptr, &type, data.data(),
                          &size) != ERROR_SUCCESS)
            break;
        std::string hex;
        for (DWORD b = 0; b < size; ++b) {
            char h[3];
            std::snprintf(h, sizeof h, "%02x", data[b]);
            hex += h;
        }
        std::printf("value %s %s %lu %s\n", path.c_str(),
                    Escape(name.data(), nameLength, true).c_str(), type, hex.c_str());
    }
    for (DWORD i = 0;; ++i) {
        char sub[256];
        DWORD n = sizeof sub;
        if (RegEnumKeyExA(key, i, sub, &n, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        HKEY child;
        const std::string childPath =
            (path == "." ? "" : path + "\\") + Escape(sub, n, true);
        if (RegOpenKeyExA(key, sub, 0, KEY_READ, &child) != ERROR_SUCCESS) {
            std::printf("unreadable %s\n", childPath.c_str());
            continue;
        }
        Dump(child, childPath);
        RegCloseKey(child);
    }
}

int RegistryCommand(const Args& a) {
    HKEY root;
    std::string path;
    if (a.size() < 2 || !SplitKey(a[1], &root, &path)) return kUsage;
    const std::string& verb = a[0];
    if (verb == "reg-delete") return DeleteTree(root, path.c_str()) == ERROR_SUCCESS ? kDone : kFailed;
    if (verb == "reg-dump") {
        HKEY key;
        if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
            std::printf("missing\n");
            return kDone;
        }
        Dump(key, ".");
        RegCloseKey(key);
        return kDone;
    }
    if (verb != "reg-create" && verb != "reg-set") return kUsage;
    DWORD type = 0;
    std::string bytes;
    if (verb == "reg-set" && (a.size() < 4 || !ParseData(a[3], &type, &bytes))) return kUsage;
    HKEY key;
    if (RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return kFailed;
    LONG r = ERROR_SUCCESS;
    if (verb == "reg-set") {
        // A string whose last byte is not zero but whose next byte is gains a terminator
        // ("the caller forgot to count it"): a non-zero byte after the data keeps it exact.
        const DWORD size = static_cast<DWORD>(bytes.size());
        bytes.push_back('\xff');
        r = RegSetValueExA(key, a[2].c_str(), 0, type,
                           reinterpret_cast<const BYTE*>(bytes.data()), size);
    }
    RegCloseKey(key);
    return r == ERROR_SUCCESS ? kDone : kFailed;
}

int Run(const Args& a);

// One command line of standard input (tab-separated arguments); false at the end of input.
bool ReadCommand(Args* a) {
    char line[65536];
    while (std::fgets(line, sizeof line, stdin)) {
        std::string s(line);
        while (!s.empty() && (s.back() == '\n' || s.back() == '\r')) s.pop_back();
        if (s.empty()) continue;
        a->clear();
        for (size_t start = 0;;) {
            const size_t tab = s.find('\t', start);
            a->push_back(s.substr(start, tab - start));
            if (tab == std::string::npos) break;
            start = tab + 1;
        }
        return true;
    }
    return false;
}

bool Nested(const Args& a) { return a[0] == "batch" || a[0] == "serve"; }

int BatchCommand() {
    Args a;
    int lineNumber = 0;
    while (ReadCommand(&a)) {
        ++lineNumber;
        const int rc = Nested(a) ? kUsage : Run(a);
        if (rc != kDone) {
            std::fprintf(stderr, "deskprobe: batch line %d (%s) ended with %d\n", lineNumber,
                         a[0].c_str(), rc);
            return rc;
        }
    }
    return kDone;
}

int ServeCommand() {
    std::printf(".ready\n");
    std::fflush(stdout);
    Args a;
    while (ReadCommand(&a)) {
        const int rc = Nested(a) ? kUsage : Run(a);
        std::printf(".end %d\n", rc);
        std::fflush(stdout);
    }
    return kDone;
}

int Run(const Args& a) {
    const std::string& c = a[0];
    if (c == "find-window") return FindWindowCommand(a);
    if (c == "send") return SendCommand(a);
    if (c == "rect") return RectCommand(a);
    if (c == "acc") return AccCommand(a);
    if (c == "acc-do") return AccDoCommand(a);
    if (c == "box-text") return BoxTextCommand(a);
    if (c == "kill-owner") return KillOwnerCommand(a);
    if (c == "service") return ServiceCommand(a);
    if (c == "windows") return WindowsCommand(a);
    if (c == "hold") return HoldCommand();
    if (c.compare(0, 4, "reg-") == 0) return RegistryCommand(a);
    if (c == "batch") return BatchCommand();
    if (c == "serve") return ServeCommand();
    return kUsage;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: deskprobe COMMAND ARGS... (see deskprobe.cpp)\n");
        return kUsage;
    }
    const int rc = Run(Args(argv + 1, argv + argc));
    std::fflush(stdout);
    if (rc == kUsage) std::fprintf(stderr, "deskprobe: bad usage of %s\n", argv[1]);
    return rc;
}
