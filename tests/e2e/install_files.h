#pragma once
// What an installation leaves behind, read back from outside: the installed
// tree and the shortcuts, as the shell sees them.
#include <windows.h>

#include <map>
#include <string>

namespace e2e {

// The file-system path of a special folder (CSIDL_*); throws when the shell has none.
std::wstring ShellFolder(int csidl);

struct Link {
    std::wstring target, workingFolder;
};
// A shell link file loaded through the shell; the target names the problem
// when the file cannot be loaded.
Link LoadLink(const std::wstring& file);

// Every file below folder (with a trailing backslash) by its path relative to
// it, with its attributes.
std::map<std::wstring, DWORD> Tree(const std::wstring& folder);
// Copies every file below from to the same place below to (both with a trailing backslash).
void CopyTree(const std::wstring& from, const std::wstring& to);

}  // namespace e2e
