#pragma once
// Scratch folders and the file helpers the tests of every area share.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace testing_support {

// A fresh empty folder under the temporary folder (or under parent, a folder
// with a trailing backslash), removed with everything it holds when the
// object ends: read-only files, and folder links as links. A folder that may
// hold links made on the host is removed by the host, since Wine follows such
// a link when asked to remove it.
class ScratchFolder {
public:
    explicit ScratchFolder(const std::wstring& prefix = L"vel-test", bool mayHoldHostLinks = false,
                           const std::wstring& parent = L"");
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // The folder, without a trailing backslash.
    const std::wstring& path() const { return path_; }
    // A path inside it; for an empty relative path the folder with a trailing backslash.
    std::wstring Path(const std::wstring& relative = L"") const { return path_ + L"\\" + relative; }
    std::wstring operator/(const std::wstring& relative) const { return Path(relative); }

private:
    std::wstring path_;
    bool hostRemoval_;
};

// Full path of the running program's own folder, with a trailing backslash.
std::wstring OwnFolder();

// Removes a folder (with or without a trailing backslash) and all it holds;
// a link to a folder is removed, not followed. True when the folder is gone.
bool RemoveTree(const std::wstring& folder);
// Creates a folder and every missing folder above it.
void MakeFolders(const std::wstring& folder);
// Writes content into a file, replacing it, creating its folders first.
void WriteText(const std::wstring& path, const std::string& content);
// The bytes of a file, or "<missing>".
std::string ReadText(const std::wstring& path);
bool IsFile(const std::wstring& path);

// What a listing of a tree holds besides its files.
enum class Listing { kFilesAndEmptyFolders, kFilesOnly };
// Every file below folder (with or without a trailing backslash) by its path
// relative to it, and each empty folder with a trailing backslash unless only
// files are asked for; sorted. Links to folders are listed through.
std::vector<std::wstring> FilesBelow(const std::wstring& folder,
                                     Listing listing = Listing::kFilesAndEmptyFolders);

// A shell link file read back through the shell; nothing when it cannot be loaded.
struct LinkInfo {
    std::wstring target;
    std::wstring workingFolder;
};
std::optional<LinkInfo> LoadLink(const std::wstring& path);

}  // namespace testing_support
