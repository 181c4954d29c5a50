#pragma once
// File-system and shell helpers for the install window tests: the shared
// ones from tests/support, and the installer's payload beside the test.
#include <windows.h>

#include <map>
#include <string>

#include "tests/support/scratch.h"
#include "tests/support/window_test.h"

namespace inst_test {

using testing_support::FilesBelow;
using testing_support::FolderPicks;
using testing_support::IsFile;
using testing_support::LinkInfo;
using testing_support::LoadLink;
using testing_support::ReadText;
using testing_support::RemoveTree;
using testing_support::ScratchFolder;
using testing_support::ShellFolders;
using testing_support::WriteText;

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
