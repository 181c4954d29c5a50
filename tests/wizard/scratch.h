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

}  // namespace inst_test
