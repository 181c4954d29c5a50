#include "tests/support/host.h"

#include "base/handles.h"
#include "tests/support/scratch.h"

namespace testing_support {

namespace {

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::wstring MarkerName() {
    static LONG counter = 0;
    wchar_t temp[MAX_PATH + 1];
    const DWORD length = GetTempPathW(MAX_PATH + 1, temp);
    return std::wstring(temp, length) + L"vel-host-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
           std::to_wstring(GetTickCount64()) + L"-" + std::to_wstring(InterlockedIncrement(&counter));
}

}  // namespace

std::wstring HostPath(const std::wstring& windowsPath) {
    using ToHost = char*(CDECL*)(const wchar_t*);
    const auto toHost = reinterpret_cast<ToHost>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name"));
    if (!toHost) return std::wstring();
    char* host = toHost(windowsPath.c_str());
    if (!host) return std::wstring();
    wchar_t wide[4096];
    const int length = MultiByteToWideChar(CP_UTF8, 0, host, -1, wide, 4096);
    HeapFree(GetProcessHeap(), 0, host);
    return length > 0 ? std::wstring(wide) : std::wstring();
}

bool RunHostCommand(const std::wstring& command) {
    if (HostPath(L"C:\\").empty()) return false;
    const std::wstring marker = MarkerName();
    std::wstring commandLine =
        L"/bin/sh -c \"" + command + L"; touch " + HostQuoted(marker) + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    // Z: is the host's root under Wine.
    if (!CreateProcessW(L"Z:\\bin\\sh", &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process)) {
        return false;
    }
    // Under Wine both handles are null for a host program.
    const base::ScopedHandle thread(process.hThread), processHandle(process.hProcess);
    for (int i = 0; i < 2000 && !Exists(marker); ++i) Sleep(5);
    return DeleteFileW(marker.c_str()) != FALSE;
}

std::wstring HostQuoted(const std::wstring& windowsPath) {
    return L"'" + HostPath(windowsPath) + L"'";
}

bool MakeHostLink(const std::wstring& linkPath, const std::wstring& hostTarget) {
    if (HostPath(linkPath).empty()) return false;
    return RunHostCommand(L"ln -s '" + hostTarget + L"' " + HostQuoted(linkPath)) &&
           Exists(linkPath);
}

long long UnixMillis() {
    FILETIME ft;
    GetSystemTimeAsFileTime(&ft);
    const ULARGE_INTEGER t{{ft.dwLowDateTime, ft.dwHighDateTime}};
    return static_cast<long long>(t.QuadPart / 10000 - 11644473600000LL);
}

bool PlatformEnforcesReadOnly() {
    static const bool enforced = [] {
        ScratchFolder folder(L"vel-probe");
        const std::wstring path = folder / L"probe.txt";
        WriteText(path, "x");
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY);
        const base::ScopedFile file(
            CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        return !file;
    }();
    return enforced;
}

LockedFile::LockedFile(const std::wstring& path)
    : handle_(CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                          0, nullptr)) {}

LockedFile::~LockedFile() {
    if (locked()) CloseHandle(handle_);
}

}  // namespace testing_support
