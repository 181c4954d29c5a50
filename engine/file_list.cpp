#include "file_list.h"

#include <cwchar>

#include "vtutils.h"

namespace engine {

namespace {

// Deeper trees cannot exist on a system that limits paths to 260 characters;
// the bound keeps a folder loop the platform does not report as a link from
// exhausting the stack.
constexpr int kMaxFolderDepth = 128;

bool IsDotEntry(const wchar_t* name) {
    return std::wcscmp(name, L".") == 0 || std::wcscmp(name, L"..") == 0;
}

bool IsEndOfListing(DWORD error) {
    return error == ERROR_NO_MORE_FILES || error == ERROR_FILE_NOT_FOUND;
}

class TreeLister {
public:
    TreeLister(std::vector<std::wstring>& files, std::vector<UnlistedFolder>& unlisted,
               std::vector<FileDetails>* details)
        : files_(files), unlisted_(unlisted), details_(details) {}

    void List(const std::wstring& folder, int depth) {
        FolderEntries entries(folder + L'*');
        while (const WIN32_FIND_DATAW* entry = entries.Next())
            if (!IsDotEntry(entry->cFileName)) Take(folder, *entry, depth);
        if (entries.error() != ERROR_SUCCESS) unlisted_.push_back({folder, entries.error()});
    }

private:
    void Take(const std::wstring& folder, const WIN32_FIND_DATAW& entry, int depth) {
        const DWORD attrs = entry.dwFileAttributes;
        if ((attrs & FILE_ATTRIBUTE_DIRECTORY) == 0) {
            files_.push_back(folder + entry.cFileName);
            if (details_)
                details_->push_back({attrs, (static_cast<unsigned long long>(entry.nFileSizeHigh) << 32) |
                                                entry.nFileSizeLow});
            return;
        }
        // A link to a folder may lead back up the tree: it is not followed.
        if (attrs & FILE_ATTRIBUTE_REPARSE_POINT) return;
        std::wstring subfolder = folder + entry.cFileName + L'\\';
        if (depth >= kMaxFolderDepth) {
            unlisted_.push_back({std::move(subfolder), ERROR_CANT_RESOLVE_FILENAME});
            return;
        }
        List(subfolder, depth + 1);
    }

    std::vector<std::wstring>& files_;
    std::vector<UnlistedFolder>& unlisted_;
    std::vector<FileDetails>* const details_;
};

}  // namespace

FolderEntries::FolderEntries(const std::wstring& pattern)
    : find_(FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &entry_, FindExSearchNameMatch, nullptr,
                             FIND_FIRST_EX_LARGE_FETCH)) {
    if (!find_ && !IsEndOfListing(GetLastError())) error_ = GetLastError();
}

const WIN32_FIND_DATAW* FolderEntries::Next() {
    if (!find_) return nullptr;
    if (first_ || FindNextFileW(find_.get(), &entry_)) {
        first_ = false;
        return &entry_;
    }
    if (!IsEndOfListing(GetLastError())) error_ = GetLastError();
    find_.reset();
    return nullptr;
}

void ListFolderTree(const std::wstring& folder, std::vector<std::wstring>& files,
                    std::vector<UnlistedFolder>& unlisted, std::vector<FileDetails>* details) {
    TreeLister(files, unlisted, details).List(folder, 0);
}

void ListFilesRecursive(const std::wstring& folder, std::vector<std::wstring>& files) {
    if (!FolderExists(folder)) return;
    std::vector<UnlistedFolder> unlisted;
    ListFolderTree(AddTrailingBackslash(folder), files, unlisted);
}

}  // namespace engine
