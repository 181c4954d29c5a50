#pragma once
// Folder listing shared by ListFilesRecursive and the tree copy, which also
// needs to know which folders could not be read completely.
#include <windows.h>

#include <string>
#include <vector>

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
