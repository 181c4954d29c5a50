#include "test_tree.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "base/handles.h"
#include "vtutils.h"

namespace {

struct HandleCloser {
    void operator()(HANDLE handle) const {
        if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
    }
};
using ScopedHandle = std::unique_ptr<void, HandleCloser>;

std::wstring UniqueTempName() {
    static LONG counter = 0;
    wchar_t temp[MAX_PATH + 1];
    const DWORD length = GetTempPathW(MAX_PATH + 1, temp);
    EXPECT_GT(length, 0u);
    return std::wstring(temp, length) + L"vel_engine_" + std::to_wstring(GetCurrentProcessId()) +
           L"_" + std::to_wstring(GetTickCount64()) + L"_" +
           std::to_wstring(InterlockedIncrement(&counter));
}

bool Exists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// On Windows a link inside the tree is removed as itself; Wine would follow it
// when asked to remove it, so there the host removes the tree.
void RemoveTreeNatively(const std::wstring& folder) {
    WIN32_FIND_DATAW entry;
    const base::ScopedFind find(FindFirstFileW((folder + L'*').c_str(), &entry));
    if (find) {
        do {
            const std::wstring name = entry.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring path = folder + name;
            SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            const DWORD attrs = entry.dwFileAttributes;
            if ((attrs & FILE_ATTRIBUTE_DIRECTORY) && !(attrs & FILE_ATTRIBUTE_REPARSE_POINT))
                RemoveTreeNatively(path + L'\\');
            else if (attrs & FILE_ATTRIBUTE_DIRECTORY)
                RemoveDirectoryW(path.c_str());
            else
                DeleteFileW(path.c_str());
        } while (FindNextFileW(find.get(), &entry));
    }
    RemoveDirectoryW(folder.c_str());
}

}  // namespace

TestTree::TestTree() : root_(UniqueTempName() + L"\\") {
    EXPECT_TRUE(CreateDirectoryW(root_.c_str(), nullptr)) << GetLastError();
}

TestTree::~TestTree() {
    const std::wstring host = HostQuoted(root_);
    if (!RunHostCommand(L"chmod -R u+rwx " + host + L"; rm -rf " + host)) RemoveTreeNatively(root_);
}

void TestTree::Write(const std::wstring& relative, const std::string& text) const {
    const std::wstring path = Path(relative);
    ASSERT_TRUE(CreateFolderTree(path.substr(0, path.rfind(L'\\') + 1)));
    const ScopedHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_NE(file.get(), INVALID_HANDLE_VALUE) << "error " << GetLastError();
    DWORD written = 0;
    WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    ASSERT_EQ(written, text.size());
}

std::string TestTree::Read(const std::wstring& relative) const {
    const ScopedHandle file(CreateFileW(Path(relative).c_str(), GENERIC_READ, FILE_SHARE_READ,
                                        nullptr, OPEN_EXISTING, 0, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) return "<missing>";
    std::string text(1 << 16, '\0');
    DWORD read = 0;
    ReadFile(file.get(), &text[0], static_cast<DWORD>(text.size()), &read, nullptr);
    text.resize(read);
    return text;
}

bool TestTree::Exists(const std::wstring& relative) const {
    return ::Exists(Path(relative));
}

DWORD TestTree::Attributes(const std::wstring& relative) const {
    return GetFileAttributesW(Path(relative).c_str());
}

void TestTree::MakeFolder(const std::wstring& relative) const {
    ASSERT_TRUE(CreateFolderTree(Path(relative)));
}

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
    const std::wstring marker = UniqueTempName();
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
    const ScopedHandle thread(process.hThread), processHandle(process.hProcess);
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

bool PlatformEnforcesReadOnly() {
    static const bool enforced = [] {
        TestTree tree;
        tree.Write(L"probe.txt", "x");
        const std::wstring path = tree.Path(L"probe.txt");
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY);
        const ScopedHandle file(
            CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        return file.get() == INVALID_HANDLE_VALUE;
    }();
    return enforced;
}

LockedFile::LockedFile(const std::wstring& path)
    : handle_(CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                          0, nullptr)) {}

LockedFile::~LockedFile() {
    if (locked()) CloseHandle(handle_);
}

void PrintTo(const CopyFailure& failure, std::ostream* out) {
    *out << "{\"" << ::testing::PrintToString(failure.relativePath) << "\", error " << failure.error
         << "}";
}
