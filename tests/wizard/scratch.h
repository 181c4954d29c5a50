#pragma once
// File-system and shell helpers for the install window tests.
#include <windows.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "ui/folder_picker.h"

namespace inst_test {

// A fresh folder under the temporary folder, removed with all it holds.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    // Without a trailing backslash.
    const std::wstring& path() const { return path_; }
    std::wstring operator/(const std::wstring& relative) const { return path_ + L"\\" + relative; }

private:
    std::wstring path_;
};

void RemoveTree(const std::wstring& folder);
void WriteText(const std::wstring& path, const std::string& content);  // creates parents
std::string ReadText(const std::wstring& path);
bool IsFile(const std::wstring& path);
// Every file below folder, relative to it, sorted.
std::vector<std::wstring> FilesBelow(const std::wstring& folder);

// A shell link file read back through the shell.
struct LinkInfo {
    std::wstring target;
    std::wstring workingFolder;
};
std::optional<LinkInfo> LoadLink(const std::wstring& path);

// A RunImage folder beside the running test program, as the installer finds
// its payload; removed again when the object ends.
class RunImageBeside {
public:
    RunImageBeside();
    ~RunImageBeside();
    RunImageBeside(const RunImageBeside&) = delete;
    RunImageBeside& operator=(const RunImageBeside&) = delete;
    const std::wstring& path() const { return path_; }  // with a trailing backslash
    static const std::map<std::wstring, std::string>& Files();

private:
    std::wstring path_;
};

// Answers the shell's special folders with folders below a scratch folder;
// any of them can be made unknown to the shell.
class ShellFolders {
public:
    explicit ShellFolders(const ScratchFolder& scratch);
    ~ShellFolders();
    ShellFolders(const ShellFolders&) = delete;
    ShellFolders& operator=(const ShellFolders&) = delete;
    void Unknown(int csidl) { folders_[csidl].reset(); }
    void Set(int csidl, const std::wstring& path) { folders_[csidl] = path; }
    std::wstring operator[](int csidl) const { return folders_.at(csidl).value_or(L"?"); }

private:
    std::map<int, std::optional<std::wstring>> folders_;
};

// Answers the folder picker with scripted choices (nothing: cancel) and
// records where it was asked to open.
class FolderPicks {
public:
    FolderPicks();
    ~FolderPicks();
    FolderPicks(const FolderPicks&) = delete;
    FolderPicks& operator=(const FolderPicks&) = delete;
    void Answer(std::optional<std::wstring> choice) { replies_.push_back(std::move(choice)); }
    const std::vector<ui::FolderPickRequest>& Asked() const { return asked_; }

private:
    std::vector<std::optional<std::wstring>> replies_;
    std::vector<ui::FolderPickRequest> asked_;
};

// Takes the host's write permission away from a folder while it lives: under
// Wine a folder the user may not write to is a folder of another owner or mode.
// Not enforced where there is no host, or for root.
class WritesDenied {
public:
    explicit WritesDenied(const std::wstring& folder);
    ~WritesDenied();
    WritesDenied(const WritesDenied&) = delete;
    WritesDenied& operator=(const WritesDenied&) = delete;
    bool enforced() const { return enforced_; }

private:
    std::wstring folder_;
    bool enforced_ = false;
};

// A small file system of its own (the test script mounts one and names it in
// VEL_SMALL_DISK), which Fill() fills to the last byte.
class SmallDisk {
public:
    SmallDisk();
    ~SmallDisk();
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;
    bool available() const { return !root_.empty(); }
    std::wstring operator/(const std::wstring& relative) const { return root_ + L"\\" + relative; }
    void Fill();
    void Free();

private:
    std::wstring root_;  // a fresh folder on the small disk
};

}  // namespace inst_test
