#pragma once
// What an installation leaves behind, read back from outside: the shell's
// folders the shortcuts go to, and copies of installed trees. The tree lister
// and the shell link reader are the shared ones (tests/support/scratch.h).
#include <string>

namespace e2e {

// The file-system path of a special folder (CSIDL_*); throws when the shell has none.
std::wstring ShellFolder(int csidl);

// Copies every file below from to the same place below to (both with a trailing backslash).
void CopyTree(const std::wstring& from, const std::wstring& to);

}  // namespace e2e
