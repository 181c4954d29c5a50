#include "file_place.h"

#include <cwchar>

#include "vtutils.h"

const wchar_t kPartialFilePrefix[] = L"~vel_instaluj_";
const wchar_t kPartialFileSuffix[] = L".tmp";

namespace {

std::wstring PartialName(const std::wstring& destination) {
    static LONG counter = 0;
    wchar_t unique[32];
    std::swprintf(unique, 32, L"%lx_%lx", GetCurrentProcessId(),
                  static_cast<unsigned long>(InterlockedIncrement(&counter)));
    return destination.substr(0, destination.rfind(L'\\') + 1) + kPartialFilePrefix + unique +
           kPartialFileSuffix;
}

bool IsPartialName(const wchar_t* name) {
    const size_t length = std::wcslen(name), prefix = std::wcslen(kPartialFilePrefix),
                 suffix = std::wcslen(kPartialFileSuffix);
    return length > prefix + suffix && _wcsnicmp(name, kPartialFilePrefix, prefix) == 0 &&
           _wcsicmp(name + length - suffix, kPartialFileSuffix) == 0;
}

bool IsLock(DWORD error) { return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION; }

// Errors that come from reading a damaged medium rather than from the target.
bool IsReadError(DWORD error) {
    switch (error) {
    case ERROR_CRC: case ERROR_READ_FAULT: case ERROR_SECTOR_NOT_FOUND: case ERROR_HANDLE_EOF:
    case ERROR_FILE_CORRUPT: case ERROR_DISK_CORRUPT: case ERROR_NOT_READY:
        return true;
    default:
        return false;
    }
}

// Opens path the way a copy reads it; the error when that fails.
DWORD OpenError(const std::wstring& path, DWORD access) {
    const HANDLE file = CreateFileW(path.c_str(), access,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return GetLastError();
    CloseHandle(file);
    return ERROR_SUCCESS;
}

// A rename onto a file that another program holds open fails with "access
// denied" under Wine, as it does for missing rights: opening the file tells
// the two apart.
DWORD WhyNotReplaced(const std::wstring& destination, DWORD error) {
    if (error != ERROR_ACCESS_DENIED) return error;
    return IsLock(OpenError(destination, GENERIC_WRITE | DELETE)) ? ERROR_SHARING_VIOLATION : error;
}

DWORD MoveIntoPlace(const std::wstring& partial, const std::wstring& destination, bool replace) {
    const DWORD flags = replace ? MOVEFILE_REPLACE_EXISTING : 0;
    for (DWORD attempt = 1;; ++attempt) {
        if (MoveFileExW(partial.c_str(), destination.c_str(), flags)) return ERROR_SUCCESS;
        const DWORD error = replace ? WhyNotReplaced(destination, GetLastError()) : GetLastError();
        if (!IsLock(error) || attempt == kLockRetryTries) return error;
        Sleep(kLockRetryPauseMs);
    }
}

void ClearReadOnly(const std::wstring& path) {
    const DWORD attrs = GetFileAttributesW(path.c_str());
    if (attrs == INVALID_FILE_ATTRIBUTES || (attrs & FILE_ATTRIBUTE_READONLY) == 0) return;
    SetFileAttributesW(path.c_str(), attrs & ~FILE_ATTRIBUTE_READONLY);
}

void RemovePartial(const std::wstring& path) {
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(path.c_str());
}

}  // namespace

PlaceOutcome PlaceFile(const std::wstring& source, const std::wstring& destination, bool replace,
                       DWORD sourceAttributes) {
    const std::wstring partial = PartialName(destination);
    if (!CopyFileW(source.c_str(), partial.c_str(), TRUE)) {
        const DWORD error = GetLastError();
        RemovePartial(partial);  // a copy that broke off may leave a piece behind
        return {error, IsReadError(error) || OpenError(source, GENERIC_READ) != ERROR_SUCCESS};
    }
    // Cleared before the rename, so the file appears in its final state.
    if (sourceAttributes & FILE_ATTRIBUTE_READONLY) ClearReadOnly(partial);
    const DWORD error = MoveIntoPlace(partial, destination, replace);
    if (error != ERROR_SUCCESS) RemovePartial(partial);
    return {error, false};
}

void RemovePartialFiles(const std::wstring& folder) {
    WIN32_FIND_DATAW entry;
    const std::wstring pattern = folder + kPartialFilePrefix + L"*" + kPartialFileSuffix;
    const HANDLE find = FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &entry, FindExSearchNameMatch,
                                         nullptr, 0);
    if (find == INVALID_HANDLE_VALUE) return;
    do {
        if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 && IsPartialName(entry.cFileName))
            RemovePartial(folder + entry.cFileName);
    } while (FindNextFileW(find, &entry));
    FindClose(find);
}
