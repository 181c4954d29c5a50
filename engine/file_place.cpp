#include "file_place.h"

#include <cstring>

#include "base/handles.h"
#include "vtutils.h"

const wchar_t kStagingFolder[] = L"~vel_instaluj.tmp";

namespace {

constexpr size_t kBufferBytes = 1 << 20;
constexpr DWORD kKeptAttributes =
    FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

using base::ScopedFile;

bool IsLock(DWORD error) { return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION; }

// The kernel's name of a full path: a rename by handle takes no other form.
std::wstring KernelName(const std::wstring& path) {
    if (path.compare(0, 4, L"\\\\?\\") == 0 || path.compare(0, 4, L"\\\\.\\") == 0)
        return L"\\??\\" + path.substr(4);
    if (path.compare(0, 2, L"\\\\") == 0) return L"\\??\\UNC\\" + path.substr(2);
    return L"\\??\\" + path;
}

// A rename onto a file that another program holds open fails with "access
// denied" under Wine, as it does for missing rights: opening the file tells
// the two apart.
DWORD WhyNotReplaced(const std::wstring& destination, DWORD error) {
    if (error != ERROR_ACCESS_DENIED) return error;
    const ScopedFile probe(CreateFileW(destination.c_str(), GENERIC_WRITE | DELETE,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr));
    return !probe && IsLock(GetLastError()) ? ERROR_SHARING_VIOLATION : error;
}

void RemoveFile(const std::wstring& path) {
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(path.c_str());
}

}  // namespace

FilePlacer::FilePlacer(const std::wstring& target)
    : target_(target), ntTarget_(KernelName(FullPath(target))),
      staging_(target + kStagingFolder + L"\\") {
    // Everything in the staging folder is an unfinished file of an earlier copy.
    WIN32_FIND_DATAW entry;
    const base::ScopedFind find(FindFirstFileExW((staging_ + L"*").c_str(), FindExInfoBasic, &entry,
                                                 FindExSearchNameMatch, nullptr, 0));
    if (!find) return;
    do {
        if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) RemoveFile(staging_ + entry.cFileName);
    } while (FindNextFileW(find.get(), &entry));
    stagingMade_ = true;
}

FilePlacer::~FilePlacer() {
    if (stagingMade_) RemoveDirectoryW(staging_.c_str());
}

std::wstring FilePlacer::NewPartialName() {
    std::wstring digits;
    for (unsigned long rest = ++counter_; rest != 0; rest /= 10) digits.insert(digits.begin(), L'0' + rest % 10);
    return staging_ + digits + L".part";
}

PlaceOutcome FilePlacer::Place(const std::wstring& source, const std::wstring& relative, bool replace,
                               DWORD sourceAttributes) {
    const ScopedFile from(CreateFileW(source.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                          FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!from) return {GetLastError(), true};
    if (!stagingMade_) {
        // A target the user may not write to fails here, and says so.
        if (!CreateDirectoryW(staging_.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
            return {GetLastError(), false};
        // Hidden: a user who looks into the folder meanwhile need not wonder.
        SetFileAttributesW(staging_.c_str(), FILE_ATTRIBUTE_HIDDEN);
        stagingMade_ = true;
    }
    const std::wstring partial = NewPartialName();
    const DWORD attributes = sourceAttributes & kKeptAttributes;
    ScopedFile to(CreateFileW(partial.c_str(), GENERIC_WRITE | DELETE, 0, nullptr, CREATE_NEW,
                        attributes ? attributes : FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!to) return {GetLastError(), false};
    PlaceOutcome outcome = Write(from.get(), to.get());
    if (outcome.error == ERROR_SUCCESS) outcome.error = Rename(to.get(), relative, replace);
    to.reset();
    if (outcome.error != ERROR_SUCCESS) RemoveFile(partial);
    return outcome;
}

PlaceOutcome FilePlacer::Write(HANDLE from, HANDLE to) {
    buffer_.resize(kBufferBytes);
    for (;;) {
        DWORD read = 0, written = 0;
        if (!ReadFile(from, buffer_.data(), static_cast<DWORD>(buffer_.size()), &read, nullptr))
            return {GetLastError(), true};
        if (read == 0) break;
        if (!WriteFile(to, buffer_.data(), read, &written, nullptr)) return {GetLastError(), false};
        if (written != read) return {ERROR_DISK_FULL, false};
    }
    FILETIME created, accessed, modified;
    if (GetFileTime(from, &created, &accessed, &modified)) SetFileTime(to, &created, &accessed, &modified);
    return {};
}

DWORD FilePlacer::Rename(HANDLE partial, const std::wstring& relative, bool replace) {
    const std::wstring name = ntTarget_ + relative;
    std::vector<char> info(sizeof(FILE_RENAME_INFO) + name.size() * sizeof(wchar_t));
    auto* rename = reinterpret_cast<FILE_RENAME_INFO*>(info.data());
    rename->ReplaceIfExists = replace;
    rename->RootDirectory = nullptr;
    rename->FileNameLength = static_cast<DWORD>(name.size() * sizeof(wchar_t));
    std::memcpy(rename->FileName, name.c_str(), (name.size() + 1) * sizeof(wchar_t));
    for (DWORD attempt = 1;; ++attempt) {
        if (SetFileInformationByHandle(partial, FileRenameInfo, rename, static_cast<DWORD>(info.size())))
            return ERROR_SUCCESS;
        DWORD error = GetLastError();
        if (replace) error = WhyNotReplaced(target_ + relative, error);
        if (!IsLock(error) || attempt == kLockRetryTries) return error;
        Sleep(kLockRetryPauseMs);
    }
}
