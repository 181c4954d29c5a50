#include "staging.h"

#include <cstring>
#include <cwctype>

#include "base/text.h"
#include "file_list.h"
#include "tree_copy.h"
#include "vtutils.h"

namespace engine {

const wchar_t kStagingFolder[] = L"~vel_instaluj.tmp";
const wchar_t kStagingMarkName[] = L"~vel_instaluj.own";
const wchar_t kTreeName[] = L"tree";
const char kStagingMarkText[] = "vel_instaluj staging area\r\n";

namespace {

using base::ScopedFile;

constexpr unsigned kMaxAreas = 100;
// Staged files go into numbered subfolders of this many: Wine reads a whole
// folder to learn that a new name is free, so one folder of thousands of
// files would make each new file slower than the last.
constexpr unsigned long kFilesPerFolder = 128;

// Under Wine a 1 MB buffer made large files four times slower than the
// system's own file copy on one machine; 64 KB kept close to it.
constexpr size_t kBufferBytes = 64 << 10;
constexpr DWORD kKeptAttributes =
    FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

std::wstring AreaName(unsigned n) {
    return n == 1 ? std::wstring(kStagingFolder) : L"~vel_instaluj." + base::Decimal(n) + L".tmp";
}

bool AllDigits(const std::wstring& text) {
    if (text.empty()) return false;
    for (wchar_t c : text)
        if (c < L'0' || c > L'9') return false;
    return true;
}

// Only names the copy itself gives: "12.part", "12.old".
bool IsStagedName(const std::wstring& name) {
    const size_t dot = name.rfind(L'.');
    if (dot == std::wstring::npos) return false;
    const std::wstring suffix = name.substr(dot);
    return AllDigits(name.substr(0, dot)) && (suffix == L".part" || suffix == L".old");
}

bool RemoveFile(const std::wstring& path) {
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    return DeleteFileW(path.c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND;
}

// The file of a handle opened with DELETE access goes when the handle does.
void DeleteOnClose(ScopedFile file) {
    if (!file) return;
    FILE_DISPOSITION_INFO dispose{TRUE};
    SetFileInformationByHandle(file.get(), FileDispositionInfo, &dispose, sizeof(dispose));
}

bool IsFolder(const WIN32_FIND_DATAW& entry) { return (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }

// Removes a folder of the area's tree with all it holds; false when
// something stays.
bool RemoveTree(const std::wstring& folder) {
    bool whole = true;
    FolderEntries entries(folder + L"*");
    while (const WIN32_FIND_DATAW* entry = entries.Next()) {
        const std::wstring name = entry->cFileName;
        if (name == L"." || name == L"..") continue;
        whole = (IsFolder(*entry) ? RemoveTree(folder + name + L"\\") : RemoveFile(folder + name)) && whole;
    }
    return (RemoveDirectoryW(folder.c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND ||
            GetLastError() == ERROR_PATH_NOT_FOUND) &&
           whole;
}

// Removes what a copy put into area (with a trailing backslash), then its
// mark (held in mark, opened for deletion) and the folder. Anything else
// somebody put there stays, and so does the folder then. A file that cannot
// go yet (a second link to a file some program holds) keeps the mark, so the
// next copy tries again.
void RemoveArea(const std::wstring& area, ScopedFile mark) {
    bool whole = RemoveTree(area + kTreeName + L"\\");
    FolderEntries buckets(area + L"*");
    while (const WIN32_FIND_DATAW* entry = buckets.Next()) {
        const std::wstring name = entry->cFileName;
        if (!IsFolder(*entry) || !AllDigits(name)) continue;
        const std::wstring bucket = area + name + L"\\";
        FolderEntries files(bucket + L"*");
        while (const WIN32_FIND_DATAW* file = files.Next())
            if (!IsFolder(*file) && IsStagedName(file->cFileName)) whole = RemoveFile(bucket + file->cFileName) && whole;
        RemoveDirectoryW(bucket.c_str());
    }
    if (!whole) return;
    DeleteOnClose(std::move(mark));
    RemoveDirectoryW(area.c_str());
}

// The mark of an area whose copy has ended, opened for its removal; nothing
// when the folder is not a copy's or its copy still runs.
ScopedFile AbandonedMark(const std::wstring& area) {
    ScopedFile mark(CreateFileW((area + kStagingMarkName).c_str(), GENERIC_READ | DELETE, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!mark) return mark;
    char text[sizeof(kStagingMarkText)] = {};
    DWORD read = 0;
    if (!ReadFile(mark.get(), text, sizeof(text), &read, nullptr) || read != sizeof(kStagingMarkText) - 1 ||
        std::memcmp(text, kStagingMarkText, read) != 0)
        mark.reset();
    return mark;
}

// A file of the medium opened for reading. A brief lock is waited out, as
// on the target: a virus scanner holds a file it reads for a moment. The
// caller is told while it waits, as it is between chunks.
ScopedFile OpenSource(const std::wstring& source, const std::function<void(unsigned long long)>& waiting) {
    for (DWORD attempt = 1;; ++attempt) {
        ScopedFile file(CreateFileW(source.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
        const DWORD error = GetLastError();
        if (file || (error != ERROR_SHARING_VIOLATION && error != ERROR_LOCK_VIOLATION) ||
            attempt == kLockRetryTries)
            return file;
        if (waiting) waiting(0);
        Sleep(kLockRetryPauseMs);
    }
}

bool IsLinkUnsupported(DWORD error) {
    return error == ERROR_INVALID_FUNCTION || error == ERROR_NOT_SUPPORTED || error == ERROR_ACCESS_DENIED ||
           error == ERROR_INVALID_PARAMETER || error == ERROR_NOT_SAME_DEVICE;
}

}  // namespace

StagingArea::StagingArea(const std::wstring& target) : target_(target) {
    FolderEntries areas(target + L"~vel_instaluj*.tmp");
    while (const WIN32_FIND_DATAW* entry = areas.Next()) {
        if (!IsFolder(*entry)) continue;
        const std::wstring area = target + entry->cFileName + L"\\";
        if (ScopedFile mark = AbandonedMark(area)) RemoveArea(area, std::move(mark));
    }
}

StagingArea::~StagingArea() {
    if (!folder_.empty()) RemoveArea(folder_, std::move(mark_));
}

DWORD StagingArea::Open() {
    if (!folder_.empty() || openError_ != ERROR_SUCCESS) return openError_;
    openError_ = MakeArea();
    return openError_;
}

DWORD StagingArea::MakeArea() {
    for (unsigned n = 1; n <= kMaxAreas; ++n) {
        const std::wstring area = target_ + AreaName(n) + L"\\";
        if (!CreateDirectoryW(area.c_str(), nullptr)) {
            const DWORD error = GetLastError();
            if (error == ERROR_ALREADY_EXISTS) continue;  // not ours, or another copy's
            return error;
        }
        // Hidden: a user who looks into the folder meanwhile need not wonder.
        SetFileAttributesW(area.c_str(), FILE_ATTRIBUTE_HIDDEN);
        mark_.reset(CreateFileW((area + kStagingMarkName).c_str(), GENERIC_READ | GENERIC_WRITE | DELETE, FILE_SHARE_READ,
                                nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
        DWORD written = 0, error = ERROR_SUCCESS;
        if (!mark_ || !WriteFile(mark_.get(), kStagingMarkText, sizeof(kStagingMarkText) - 1, &written, nullptr))
            error = GetLastError();
        else if (written != sizeof(kStagingMarkText) - 1)
            error = ERROR_DISK_FULL;
        if (error != ERROR_SUCCESS) {
            DeleteOnClose(std::move(mark_));
            RemoveDirectoryW(area.c_str());
            return error;
        }
        folder_ = area;
        return ERROR_SUCCESS;
    }
    return ERROR_CANNOT_MAKE;
}

DWORD StagingArea::NewName(const wchar_t* suffix, std::wstring* name) {
    if (const DWORD error = Open()) return error;
    const unsigned long n = count_++;
    const std::wstring bucket = folder_ + base::Decimal(n / kFilesPerFolder) + L"\\";
    if (n % kFilesPerFolder == 0 && !CreateDirectoryW(bucket.c_str(), nullptr) &&
        GetLastError() != ERROR_ALREADY_EXISTS)
        return GetLastError();
    *name = bucket + base::Decimal(n) + suffix;
    return ERROR_SUCCESS;
}

StageOutcome StagingArea::Stage(const std::wstring& source, DWORD sourceAttributes, std::wstring* staged,
                                base::Sha256* hash) {
    if (const DWORD error = NewName(L".part", staged)) return {error, false};
    return StageTo(source, sourceAttributes, *staged, hash);
}

std::wstring StagingArea::InTree(const std::wstring& relative) const {
    return folder_ + kTreeName + L"\\" + relative;
}

StageOutcome StagingArea::StageInTree(const std::wstring& source, DWORD sourceAttributes,
                                      const std::wstring& relative, std::wstring* staged, base::Sha256* hash) {
    if (const DWORD error = Open()) return {error, false};
    *staged = InTree(relative);
    const std::wstring folder = staged->substr(0, staged->rfind(L'\\') + 1);
    if (folder != treeFolder_) {
        if (!CreateFolderTree(folder)) return {GetLastError(), false};
        treeFolder_ = folder;
    }
    return StageTo(source, sourceAttributes, *staged, hash);
}

StageOutcome StagingArea::StageTo(const std::wstring& source, DWORD sourceAttributes, const std::wstring& path,
                                  base::Sha256* hash) {
    const ScopedFile from(OpenSource(source, chunk_));
    if (!from) return {GetLastError(), true};
    const DWORD attributes = sourceAttributes & kKeptAttributes;
    ScopedFile to(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              attributes ? attributes : FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!to) return {GetLastError(), false};
    StageOutcome outcome = Write(from.get(), to.get(), hash);
    // Data a disk could not take may show only when the file is closed.
    if (outcome.error == ERROR_SUCCESS && !CloseHandle(to.release())) outcome = {GetLastError(), false};
    to.reset();
    if (outcome.error != ERROR_SUCCESS) RemoveFile(path);
    return outcome;
}

StageOutcome StagingArea::Write(HANDLE from, HANDLE to, base::Sha256* hash) {
    buffer_.resize(kBufferBytes);
    StageOutcome outcome;
    for (;;) {
        DWORD read = 0, written = 0;
        if (!ReadFile(from, buffer_.data(), static_cast<DWORD>(buffer_.size()), &read, nullptr))
            return {GetLastError(), true};
        if (read == 0) break;
        if (hash) hash->Update(buffer_.data(), read);
        if (!WriteFile(to, buffer_.data(), read, &written, nullptr)) return {GetLastError(), false};
        if (written != read) return {ERROR_DISK_FULL, false};
        outcome.bytes += read;
        if (chunk_) chunk_(read);
    }
    FILETIME created, accessed, modified;
    if (GetFileTime(from, &created, &accessed, &modified)) SetFileTime(to, &created, &accessed, &modified);
    return outcome;
}

DWORD CALLBACK StagingArea::KeepCopying(LARGE_INTEGER, LARGE_INTEGER, LARGE_INTEGER, LARGE_INTEGER, DWORD, DWORD,
                                        HANDLE, HANDLE, void* self) {
    if (const auto& chunk = static_cast<StagingArea*>(self)->chunk_) chunk(0);
    return PROGRESS_CONTINUE;
}

DWORD StagingArea::Keep(const std::wstring& file, std::wstring* kept) {
    if (const DWORD error = NewName(L".old", kept)) return error;
    if (CreateHardLinkW(kept->c_str(), file.c_str(), nullptr)) return ERROR_SUCCESS;
    const DWORD linkError = GetLastError();
    if (!IsLinkUnsupported(linkError)) return linkError;
    // A file system without links (FAT on a memory stick): a copy will do.
    // A large one takes a while: the caller is told as it goes.
    if (CopyFileExW(file.c_str(), kept->c_str(), KeepCopying, this, nullptr, COPY_FILE_FAIL_IF_EXISTS))
        return ERROR_SUCCESS;
    const DWORD error = GetLastError();
    RemoveFile(*kept);
    return error;
}

}  // namespace engine
