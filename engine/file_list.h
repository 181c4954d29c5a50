#pragma once
// Folder listing shared by ListFilesRecursive, the tree copy, which also
// needs to know which folders could not be read completely, and the staging
// folder.
#include <windows.h>

#include <string>
#include <vector>

#include "base/handles.h"

namespace engine {

// The entries matching a pattern ("C:\a\*"), "." and ".." included, one
// by one: while (const WIN32_FIND_DATAW* e = entries.Next()).
class FolderEntries {
public:
    explicit FolderEntries(const std::wstring& pattern);
    FolderEntries(const FolderEntries&) = delete;
    FolderEntries& operator=(const FolderEntries&) = delete;
    const WIN32_FIND_DATAW* Next();
    // Why the listing stopped short of its end; ERROR_SUCCESS when it did not.
    DWORD error() const { return error_; }

private:
    WIN32_FIND_DATAW entry_;
    base::ScopedFind find_;
    bool first_ = true;
    DWORD error_ = ERROR_SUCCESS;
};

struct UnlistedFolder {
    std::wstring folder;  // full path, with a trailing backslash
    DWORD error;
};

struct FileDetails {
    DWORD attributes;
    unsigned long long size;
};

// Appends every file below folder (which must end in a backslash) to files,
// and, when asked, each file's attributes and size to details. Folders that
// could not be enumerated, or lie too deep, go to unlisted.
void ListFolderTree(const std::wstring& folder, std::vector<std::wstring>& files,
                    std::vector<UnlistedFolder>& unlisted,
                    std::vector<FileDetails>* details = nullptr);

}  // namespace engine
